#include "platform/filestamp.h"

#include "platform/filenames.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

std::optional<qint64> lastWritten(const QString& path) {
#ifdef Q_OS_UNIX
    // One system call: a QFileInfo would make a date of the time, which costs more than the
    // look itself when thousands of files are looked at.
    struct stat st;
    // A name that is not UTF-8 on disk is looked for only when the UTF-8 one is not there.
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 &&
        ::stat(filenames::nativePath(path).constData(), &st) != 0)
        return std::nullopt;
    if (!S_ISREG(st.st_mode))
        return std::nullopt;
    return qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
#else
    const QFileInfo info(path);
    if (!info.isFile())
        return std::nullopt;
    return info.lastModified().toMSecsSinceEpoch() * 1000000;
#endif
}

qint64 nowForFiles() {
    return QDateTime::currentMSecsSinceEpoch() * 1000000;
}
