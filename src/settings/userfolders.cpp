#include "settings/userfolders.h"

#include "platform/textfile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {
const QChar sep = QDir::separator();

// Folders are made one level at a time: a folder whose parent is missing is not made.
void makeFolder(const QString& path) {
    if (!QFileInfo(path).isDir())
        QDir().mkdir(path);
}
} // namespace

bool copyFolderTree(const QString& from, const QString& to, QString* error) {
    if (!QFileInfo(from).isDir()) {
        if (error)
            *error = QStringLiteral("Mappen \"%1\" kunne ikke kopieres, fordi den ikke findes.")
                         .arg(QDir::toNativeSeparators(from));
        return false;
    }
    // A user folder that could not be made (a base folder the user may not write in) is said,
    // or the user would start with nothing and no word why.
    if (!QDir().mkpath(to)) {
        if (error)
            *error = QStringLiteral("Mappen \"%1\" kunne ikke oprettes.")
                         .arg(QDir::toNativeSeparators(to));
        return false;
    }
    const QDir source(from);
    QDirIterator it(from, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        if (textfile::isTemporaryName(entry.fileName()))
            continue; // what a killed write left
        const QString target = QDir(to).filePath(source.relativeFilePath(entry.filePath()));
        if (entry.isDir()) {
            QDir().mkpath(target);
            continue;
        }
        if (QFileInfo::exists(target))
            QFile::remove(target);
        QFile::copy(entry.filePath(), target);
    }
    return true;
}

UserFolders makeOptdir(const QString& baseDir, const QString& loginName) {
    UserFolders f;
    f.brugernavn = loginName.isEmpty() ? QStringLiteral("Bruger") : loginName;
    f.strukturDir = baseDir + sep + QStringLiteral("Struktur");
    f.userDir = baseDir + sep + f.brugernavn;
    QString program0 = f.userDir + sep + QStringLiteral("Program");
    QString program1 = f.userDir + sep + QStringLiteral("Programmer");

    if (!QFileInfo(f.userDir).isDir()) {
        makeFolder(f.userDir);
        makeFolder(program0);
        makeFolder(program1);
        QString error;
        if (!copyFolderTree(f.strukturDir + sep + QStringLiteral("Program"), program0, &error))
            f.errors << error;
        else if (!copyFolderTree(f.strukturDir + sep + QStringLiteral("Programmer"), program1,
                                 &error))
            f.errors << error;
    }

    f.programdir0 = program0 + sep;
    f.programdir1 = program1 + sep;
    const QString options = f.userDir + sep + QStringLiteral("Egenskaber");
    makeFolder(options);
    f.optdir = options + sep;
    // A write killed half-way leaves its temporary file; group folders are cleared of theirs
    // when they are listed, these three folders at start.
    for (const QString& dir : {options, program0, program1})
        textfile::removeStaleTemporaries(dir);
    return f;
}
