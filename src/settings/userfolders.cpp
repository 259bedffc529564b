#include "settings/userfolders.h"

#include "platform/systemreason.h"
#include "platform/textfile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
const QChar sep = QDir::separator();

// True when anything at all stands at path: a file, a folder, a link (a broken one too).
bool standsThere(const QString& path) {
#ifdef Q_OS_UNIX
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
#else
    return QFileInfo(path).exists() || QFileInfo(path).isSymLink();
#endif
}

// Folders are made one level at a time: a folder whose parent is missing is not made. What is
// made is the user's alone: the user folder stands in a folder open to every user.
void makeFolder(const QString& path) {
    if (!QFileInfo(path).isDir())
        QDir().mkdir(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// The message that refuses folder for reason (foreignFolderReason).
QString refusal(const QString& folder, const QString& reason) {
    return QStringLiteral("Lenkaro kan ikke bruge mappen \"%1\", fordi %2.\n\n"
                          "Mappen skal tilhøre dig, og ingen andre må kunne skrive i den. Ellers "
                          "kan andre se eller ændre det, du gemmer, og lægge filer ind, som "
                          "Lenkaro ville bruge. Lenkaro har intet skrevet i mappen og lukker nu."
                          "\n\n"
                          "Flyt eller slet mappen, eller bed systemets administrator om hjælp, "
                          "og start så Lenkaro igen.")
        .arg(QDir::toNativeSeparators(folder), reason);
}
} // namespace

QString foreignFolderReason(const QString& folder) {
#ifdef Q_OS_UNIX
    const QByteArray native = QFile::encodeName(folder);
    const uid_t user = ::geteuid();
    struct stat entry;
    if (::lstat(native.constData(), &entry) != 0)
        return QStringLiteral("den ikke kan undersøges: ") + systemReason(errno);
    if (S_ISLNK(entry.st_mode) && entry.st_uid != user)
        return QStringLiteral("den er et symbolsk link, som tilhører en anden bruger");
    struct stat st;
    if (::stat(native.constData(), &st) != 0)
        return QStringLiteral("den ikke kan åbnes: ") + systemReason(errno);
    if (!S_ISDIR(st.st_mode))
        return QStringLiteral("den ikke er en mappe");
    if (st.st_uid != user)
        return QStringLiteral("den tilhører en anden bruger");
    if ((st.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        return QStringLiteral("den kan skrives af andre");
    return {};
#else
    // Windows guards a user's folders by their access lists, which the base folder's give.
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("den ikke er en mappe");
    return {};
#endif
}

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
    const QString program0 = f.userDir + sep + QStringLiteral("Program");
    const QString program1 = f.userDir + sep + QStringLiteral("Programmer");
    const QString options = f.userDir + sep + QStringLiteral("Egenskaber");
    f.programdir0 = program0 + sep;
    f.programdir1 = program1 + sep;
    f.optdir = options + sep;

    // The user's first start: nothing stands where the user folder belongs. Should another user
    // make it in between, the folder made is not ours, and it is refused below.
    const bool firstStart = !standsThere(f.userDir);
    if (firstStart)
        makeFolder(f.userDir);
    // Every folder that is there is looked at before anything is made or written in any of them.
    for (const QString& folder : {f.userDir, program0, program1, options}) {
        if (!standsThere(folder))
            continue;
        if (const QString reason = foreignFolderReason(folder); !reason.isEmpty()) {
            f.refused = refusal(folder, reason);
            return f;
        }
    }

    if (firstStart) {
        makeFolder(program0);
        makeFolder(program1);
        QString error;
        if (!copyFolderTree(f.strukturDir + sep + QStringLiteral("Program"), program0, &error))
            f.errors << error;
        else if (!copyFolderTree(f.strukturDir + sep + QStringLiteral("Programmer"), program1,
                                 &error))
            f.errors << error;
    }
    makeFolder(options);
    // A write killed half-way leaves its temporary file; group folders are cleared of theirs
    // when they are listed, these three folders at start.
    for (const QString& dir : {options, program0, program1})
        textfile::removeStaleTemporaries(dir);
    return f;
}
