#pragma once

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

// The readers read files, so each input is written to a file of its own folder first.
class FuzzFile {
public:
    explicit FuzzFile(const char* name) : path(dir.filePath(QString::fromLatin1(name))) {}

    bool write(const uint8_t* data, size_t size) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
               file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size);
    }

    QTemporaryDir dir;
    const QString path;
};
