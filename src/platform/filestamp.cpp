#include "filestamp.h"

#include "filenames.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

FileStamp fileStamp(const QString& path) {
#ifdef Q_OS_UNIX
    // One system call: a QFileInfo would make a date of the time, which costs more than the
    // look itself when thousands of files are stamped at once.
    struct stat st;
    // A name that is not UTF-8 on disk is looked for only when the UTF-8 one is not there.
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 &&
        ::stat(filenames::nativePath(path).constData(), &st) != 0)
        return {};
    if (!S_ISREG(st.st_mode))
        return {};
    return {qint64(st.st_size), qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
#else
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    return {info.size(), info.lastModified().toMSecsSinceEpoch() * 1000000};
#endif
}
