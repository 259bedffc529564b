#pragma once

#include "platform/textfile.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

// Writes a file a test sets out with; a fixture that cannot be written ends the test run at
// once, rather than let a test pass on a file that is not there.
inline void writeFixture(const QString& path, const QStringList& lines) {
    QString error;
    if (!textfile::writeLines(path, lines, &error)) {
        std::fprintf(stderr, "Cannot write the fixture %s: %s\n", qPrintable(path),
                     qPrintable(error));
        std::abort();
    }
}

// The lines of the file at path as the program reads them, "(none)" when it cannot be read.
inline QStringList onDisk(const QString& path) {
    return textfile::readLines(path).value_or(QStringList{"(none)"});
}
