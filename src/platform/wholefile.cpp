#include "wholefile.h"

#include <QFile>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

WholeFileReader::Result WholeFileReader::read(const QString& path) {
    buffer.truncate(0);
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? Result::Missing : Result::Failed;
    qsizetype length = 0;
    for (;;) {
        if (buffer.size() - length < 4096)
            buffer.resize(std::max<qsizetype>(64 * 1024, buffer.size() * 2));
        const ssize_t got = ::read(fd, buffer.data() + length, buffer.size() - length);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            // A folder, a device that refuses reading, an I/O error.
            ::close(fd);
            buffer.truncate(0);
            return Result::Failed;
        }
        if (got == 0)
            break;
        length += got;
    }
    ::close(fd);
    buffer.truncate(length);
    return Result::Read;
}

#else

WholeFileReader::Result WholeFileReader::read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return file.exists() ? Result::Failed : Result::Missing;
    buffer = file.readAll();
    return file.error() == QFileDevice::NoError ? Result::Read : Result::Failed;
}

#endif
