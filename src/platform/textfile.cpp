#include "textfile.h"

#include "filenames.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace textfile {

namespace {
const QLatin1StringView temporaryPrefix(".lenkaro-");
const QLatin1StringView temporarySuffix(".tmp");
constexpr qsizetype temporaryRandom = 6; // the XXXXXX of QTemporaryFile

std::function<void()>& beforeReplace() {
    static std::function<void()> hook;
    return hook;
}

// Temporary files a killed write left in dir. A write takes a moment: one untouched for a
// minute belongs to no write in progress, also in a folder that several users' programs write
// into (the help structures).
void removeStaleTemporaries(const QString& dir) {
    const QFileInfoList found =
        QDir(dir).entryInfoList({temporaryPrefix + QLatin1StringView("*") + temporarySuffix},
                                QDir::Files | QDir::Hidden | QDir::System);
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-60);
    for (const QFileInfo& info : found) {
        if (isTemporaryName(info.fileName()) && info.lastModified().toUTC() < before)
            QFile::remove(info.filePath());
    }
}

bool syncToDisk(int handle) {
#ifdef Q_OS_WIN
    return ::_commit(handle) == 0;
#else
    return ::fsync(handle) == 0;
#endif
}

bool replaceFile(const QString& from, const QString& to) {
#ifdef Q_OS_WIN
    return ::MoveFileExW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(from).utf16()),
                         reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(to).utf16()),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
#else
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#endif
}
} // namespace

QString decode(const QByteArray& bytes) {
    if (auto bom = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*bom, QStringDecoder::Flag::Stateless);
        QString text = decoder(bytes);
        if (!text.isEmpty() && text.front() == QChar::ByteOrderMark)
            text.remove(0, 1);
        return text;
    }
    // The quick decoder marks every invalid sequence with a replacement character, so a text
    // without one was valid UTF-8; only a text holding one needs the careful decoder to tell.
    QString text = QString::fromUtf8(bytes);
    if (!text.contains(QChar::ReplacementCharacter))
        return text;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder ansi("windows-1252");
    return ansi(bytes);
}

QStringList splitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

bool readBytes(const QString& path, QByteArray& bytes, QString* error) {
    auto fail = [&](const QString& reason) {
        bytes.truncate(0);
        if (error)
            *error = reason;
        return false;
    };
#ifdef Q_OS_UNIX
    // Opened by the name the folder holds, which may be a Windows-1252 one. Only a regular file
    // is read: a pipe or a device under a data file's name would never end.
    // The UTF-8 name is tried first, which spares a look at the folder for every other file.
    const int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;
    int fd = ::open(QFile::encodeName(path).constData(), flags);
    if (fd < 0 && errno == ENOENT)
        fd = ::open(filenames::nativePath(path).constData(), flags);
    if (fd < 0)
        return fail(qt_error_string(errno));
    struct stat st;
    const bool known = ::fstat(fd, &st) == 0;
    if (!known || !S_ISREG(st.st_mode)) {
        const int reason = !known ? errno : S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        return fail(qt_error_string(reason));
    }
    // Read to the end rather than to the size fstat gave: the file may grow meanwhile.
    qsizetype length = 0;
    bytes.resize(std::max<qsizetype>(bytes.capacity(), qsizetype(st.st_size) + 1));
    for (;;) {
        if (length == bytes.size())
            bytes.resize(bytes.size() * 2);
        const ssize_t got = ::read(fd, bytes.data() + length, bytes.size() - length);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int reason = errno;
            ::close(fd);
            return fail(qt_error_string(reason));
        }
        if (got == 0)
            break;
        length += got;
    }
    ::close(fd);
    bytes.truncate(length);
    return true;
#else
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    return true;
#endif
}

std::optional<QStringList> readLines(const QString& path, QString* error) {
    QByteArray bytes;
    if (!readBytes(path, bytes, error))
        return std::nullopt;
    return splitLines(decode(bytes));
}

bool writeLines(const QString& path, const QStringList& lines, QString* error) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    const QFileInfo target(path);
    const QString dir = target.absolutePath();
    removeStaleTemporaries(dir);

    QTemporaryFile file(
        filenames::join(dir, temporaryPrefix + QString(temporaryRandom, u'X') + temporarySuffix));
    auto fail = [&](const QString& reason) {
        if (error)
            *error = reason;
        return false; // the temporary file goes with the object
    };
    if (!file.open())
        return fail(file.errorString());
    // A short write or a failed flush (a full disk, a size limit) must not replace the file.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.size() != bytes.size())
        return fail(file.errorString());
    if (!syncToDisk(file.handle()))
        return fail(qt_error_string(errno));
    // Where the system makes the file without a name at first, asking for it gives it one.
    const QString temporary = file.fileName();
    // The file keeps who may read it; a new one is readable as any new file of the user's.
    file.setPermissions(target.exists()
                            ? target.permissions()
                            : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                  QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther);
    file.close();
    if (beforeReplace())
        beforeReplace()();
    if (!replaceFile(temporary, path))
        return fail(qt_error_string()); // the system's last error, errno or GetLastError
    file.setAutoRemove(false);
    // An entry that held the element under a Windows-1252 name now has its UTF-8 name.
    filenames::removeWindowsNamedEntry(dir, target.fileName());
    return true;
}

bool writeNewLines(const QString& path, const QStringList& lines, QString* error) {
    auto fail = [&](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    QByteArray bytes;
    for (const QString& line : lines) {
        if (!isLineText(line))
            return fail(qt_error_string(EINVAL));
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
#ifdef Q_OS_UNIX
    // Made under its name at once, and only when no entry of that name is there: an import makes
    // thousands, and each further call to the system counts. Until the batch is synced a crash
    // may lose the file or leave it empty, whichever way it was written; an old file is never
    // touched. A new file gets the user's usual mode.
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return fail(qt_error_string(errno));
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            // A full disk or a size limit: no half file stays under the name.
            const int reason = put < 0 ? errno : EIO;
            ::close(fd);
            ::unlink(native.constData());
            return fail(qt_error_string(reason));
        }
        done += put;
    }
    if (::close(fd) != 0) {
        const int reason = errno;
        ::unlink(native.constData());
        return fail(qt_error_string(reason));
    }
    return true;
#else
    const QString dir = QFileInfo(path).absolutePath();
    QTemporaryFile file(
        filenames::join(dir, temporaryPrefix + QString(temporaryRandom, u'X') + temporarySuffix));
    if (!file.open())
        return fail(file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush() || file.size() != bytes.size())
        return fail(file.errorString());
    const QString temporary = file.fileName();
    if (!syncToDisk(file.handle()))
        return fail(qt_error_string(errno));
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser |
                        QFile::ReadGroup | QFile::ReadOther);
    file.close();
    // Without MOVEFILE_REPLACE_EXISTING: a file that came meanwhile is never replaced.
    if (!::MoveFileExW(
            reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(temporary).utf16()),
            reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(path).utf16()),
            MOVEFILE_WRITE_THROUGH))
        return fail(qt_error_string());
    file.setAutoRemove(false);
    return true;
#endif
}

bool syncFileSystem(const QString& dir, QString* error) {
#ifdef Q_OS_LINUX
    const int fd = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 || ::syncfs(fd) != 0) {
        const int reason = errno;
        if (fd >= 0)
            ::close(fd);
        if (error)
            *error = qt_error_string(reason);
        return false;
    }
    ::close(fd);
#else
    // Elsewhere each new file was made durable as it was written.
    Q_UNUSED(dir);
    Q_UNUSED(error);
#endif
    return true;
}

bool isTemporaryName(const QString& name) {
    return name.size() == temporaryPrefix.size() + temporaryRandom + temporarySuffix.size() &&
           name.startsWith(temporaryPrefix) && name.endsWith(temporarySuffix);
}

bool isLineText(const QString& text) {
    return std::none_of(text.cbegin(), text.cend(), [](QChar c) {
        const char16_t u = c.unicode();
        return u < 0x20 || (u >= 0x7f && u <= 0x9f);
    });
}

void setBeforeReplace(std::function<void()> hook) {
    beforeReplace() = std::move(hook);
}

} // namespace textfile
