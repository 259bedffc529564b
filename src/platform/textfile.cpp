#include "platform/textfile.h"

#include "platform/filenames.h"
#include "platform/systemreason.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
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
std::function<void()>& beforeReplace() {
    static std::function<void()> hook;
    return hook;
}

QString tooLarge(qint64 limit) {
    return QStringLiteral("Filen er for stor til at blive læst (over %1 MB)").arg(limit >> 20);
}

QString readOnly() {
    return QStringLiteral("Filen er skrivebeskyttet");
}

QByteArray encodeLines(const QStringList& lines, QString* error) {
    QByteArray bytes;
    for (const QString& line : lines) {
        if (!isWritableLine(line)) {
            if (error)
                *error = QStringLiteral("Teksten indeholder et tegn, der ikke kan stå i en fil "
                                        "(et linjeskift eller et andet styretegn)");
            return {};
        }
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    if (error)
        error->clear();
    return bytes;
}

#ifdef Q_OS_UNIX
// The user's umask, read once; setting it to read it would race with other threads making files,
// so the kernel's report of it is asked first.
mode_t userMask() {
    static const mode_t mask = [] {
        mode_t found = 022;
        bool known = false;
        if (FILE* status = std::fopen("/proc/self/status", "re")) {
            char line[256];
            while (!known && std::fgets(line, sizeof line, status)) {
                unsigned value = 0;
                if (std::sscanf(line, "Umask: %o", &value) == 1) {
                    found = mode_t(value);
                    known = true;
                }
            }
            std::fclose(status);
        }
        if (!known) {
            found = ::umask(022);
            ::umask(found);
        }
        return found;
    }();
    return mask;
}

// The mode a new file of the user's gets: readable by all, writable by the user, less what the
// user's umask takes away.
mode_t newFileMode() {
    return mode_t(0644 & ~userMask());
}

QByteArray folderOf(const QByteArray& native) {
    const qsizetype slash = native.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : native.left(slash);
}

// Replaces the file at native with bytes: a temporary file beside it, written whole, made
// durable, given the mode the file had, then renamed over it.
bool replaceNative(const QByteArray& native, const QByteArrayView bytes, QString* error) {
    auto fail = [&](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    struct stat own;
    const bool replacing = ::lstat(native.constData(), &own) == 0;
    // As QSaveFile does, a file the user may not write is refused, not replaced: the rename
    // would otherwise go through any file of a writable folder. A link that leads nowhere is
    // replaced as a new file.
    if (replacing && ::access(native.constData(), W_OK) != 0 && errno != ENOENT)
        return fail(errno == EACCES ? readOnly() : systemReason(errno));
    // The file keeps its own mode; a new file, or one that replaces a link, gets the mode of a
    // new file of the user's, never that of what a link pointed to.
    const mode_t mode =
        replacing && S_ISREG(own.st_mode) ? mode_t(own.st_mode & 07777) : newFileMode();

    // The temporary file is made with that mode at once, under a name no other file has.
    QByteArray temporary = folderOf(native) + '/' + QByteArray(temporaryPrefix.data()) +
                           QByteArray(temporaryRandom, 'X') + QByteArray(temporarySuffix.data());
    char* random = temporary.data() + temporary.size() - temporarySuffix.size() - temporaryRandom;
    static const char letters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        for (qsizetype i = 0; i < temporaryRandom; ++i)
            random[i] = letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return fail(systemReason(errno));
    auto discard = [&](int reason) {
        ::close(fd);
        ::unlink(temporary.constData());
        return fail(systemReason(reason));
    };
    // A short write or a failed flush (a full disk, a size limit) must not replace the file:
    // the reason is that of the write that failed.
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t wrote = ::write(fd, bytes.data() + done, size_t(bytes.size() - done));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return discard(wrote < 0 ? errno : ENOSPC);
        done += wrote;
    }
    if (::fsync(fd) != 0)
        return discard(errno);
    // The umask took its bits from the mode the file was made with; a file whose own mode had
    // them gets them back.
    if ((mode & ~userMask()) != mode && ::fchmod(fd, mode) != 0)
        return discard(errno);
    if (::close(fd) != 0) {
        const int reason = errno;
        ::unlink(temporary.constData());
        return fail(systemReason(reason));
    }
    if (beforeReplace())
        beforeReplace()();
    if (::rename(temporary.constData(), native.constData()) != 0) {
        const int reason = errno;
        ::unlink(temporary.constData());
        return fail(systemReason(reason));
    }
    return true;
}

QString notRegular() {
    return QStringLiteral("Det er ikke en almindelig fil");
}

// Why the file opened as fd is not to be read, or nothing when it is; st is what fstat told.
QString checkOpened(int fd, struct stat& st, qint64 limit) {
    if (::fstat(fd, &st) != 0)
        return systemReason(errno);
    // Only a regular file is read: a pipe or a device under a data file's name would never end.
    if (!S_ISREG(st.st_mode))
        return S_ISDIR(st.st_mode) ? systemReason(EISDIR) : notRegular();
    if (st.st_size > limit)
        return tooLarge(limit);
    return {};
}

// Reads the file opened as fd (or the reason it could not be opened, for fd < 0) and closes it.
bool readFd(int fd, QByteArray& bytes, QString* error, qint64 limit) {
    if (fd < 0) {
        bytes.truncate(0);
        if (error)
            *error = systemReason(errno);
        return false;
    }
    auto fail = [&](const QString& reason) {
        ::close(fd);
        bytes.truncate(0);
        if (error)
            *error = reason;
        return false;
    };
    struct stat st;
    if (const QString refused = checkOpened(fd, st, limit); !refused.isEmpty())
        return fail(refused);
    // Read to the size fstat gave: the file as it was when it was opened (the program's files
    // are replaced whole, never written in place). A file whose size the system does not know
    // ahead (it says 0) is read to its end, though never past the limit.
    qsizetype length = 0;
    const qsizetype known = qsizetype(st.st_size);
    bytes.resize(std::max<qsizetype>(bytes.capacity(), known + 1));
    for (;;) {
        if (known > 0 && length == known)
            break;
        if (length == bytes.size()) {
            if (length > limit)
                return fail(tooLarge(limit));
            bytes.resize(std::min<qsizetype>(bytes.size() * 2, limit + 1));
        }
        const ssize_t got = ::read(fd, bytes.data() + length, size_t(bytes.size() - length));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return fail(systemReason(errno));
        if (got == 0)
            break;
        length += got;
    }
    if (length > limit)
        return fail(tooLarge(limit));
    ::close(fd);
    bytes.truncate(length);
    return true;
}

constexpr int readFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;
#else
bool replacePath(const QString& path, const QByteArray& bytes, QString* error) {
    const QFileInfo target(path);
    auto fail = [&](const QString& reason) {
        if (error)
            *error = reason;
        return false; // the temporary file goes with the object
    };
    if (target.exists() && !target.isWritable())
        return fail(readOnly());
    QTemporaryFile file(filenames::join(target.absolutePath(), temporaryPrefix +
                                                                   QString(temporaryRandom, u'X') +
                                                                   temporarySuffix));
    if (!file.open())
        return fail(file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush() || file.size() != bytes.size())
        return fail(lastSystemReason());
    if (::_commit(file.handle()) != 0)
        return fail(systemReason(errno));
    const QString temporary = file.fileName();
    file.close();
    if (beforeReplace())
        beforeReplace()();
    if (!::MoveFileExW(
            reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(temporary).utf16()),
            reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(path).utf16()),
            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return fail(lastSystemReason());
    file.setAutoRemove(false);
    return true;
}
#endif
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

bool hasByteOrderMark(QByteArrayView bytes) {
    return QStringConverter::encodingForData(bytes).has_value();
}

bool readBytes(const QString& path, QByteArray& bytes, QString* error, qint64 limit) {
#ifdef Q_OS_UNIX
    // Opened by the name the folder holds, which may be a Windows-1252 one. The UTF-8 name is
    // tried first, which spares a look at the folder for every other file.
    int fd = ::open(QFile::encodeName(path).constData(), readFlags);
    if (fd < 0 && errno == ENOENT)
        fd = ::open(filenames::nativePath(path).constData(), readFlags);
    return readFd(fd, bytes, error, limit);
#else
    auto fail = [&](const QString& reason) {
        bytes.truncate(0);
        if (error)
            *error = reason;
        return false;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    if (file.size() > limit)
        return fail(tooLarge(limit));
    bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    if (bytes.size() > limit)
        return fail(tooLarge(limit));
    return true;
#endif
}

bool readNativeBytes(const QByteArray& native, QByteArray& bytes, QString* error, qint64 limit) {
#ifdef Q_OS_UNIX
    return readFd(::open(native.constData(), readFlags), bytes, error, limit);
#else
    return readBytes(QFile::decodeName(native), bytes, error, limit);
#endif
}

bool copyFile(const QString& from, const QString& to, QString* error, qint64 limit) {
    auto fail = [&](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
#ifdef Q_OS_UNIX
    const int in = ::open(QFile::encodeName(from).constData(), readFlags);
    if (in < 0)
        return fail(systemReason(errno));
    struct stat st;
    if (const QString refused = checkOpened(in, st, limit); !refused.isEmpty()) {
        ::close(in);
        return fail(refused);
    }
    const QByteArray target = QFile::encodeName(to);
    const int out = ::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (out < 0) {
        const int reason = errno;
        ::close(in);
        return fail(systemReason(reason));
    }
    auto discard = [&](int reason) {
        ::close(in);
        ::close(out);
        ::unlink(target.constData());
        return fail(systemReason(reason));
    };
    // Piece by piece, to the size the file had when it was opened: a file that grows meanwhile
    // (a browser writing on) is copied as it was, and never past the limit.
    QByteArray piece(qsizetype(1) << 20, Qt::Uninitialized);
    for (qint64 left = st.st_size; left > 0;) {
        const ssize_t got = ::read(in, piece.data(), size_t(std::min<qint64>(left, piece.size())));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return discard(errno);
        if (got == 0)
            break; // cut short meanwhile: what there is
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(out, piece.constData() + done, size_t(got - done));
            if (put < 0 && errno == EINTR)
                continue;
            if (put <= 0)
                return discard(put < 0 ? errno : ENOSPC);
            done += put;
        }
        left -= got;
    }
    ::close(in);
    if (::close(out) != 0) {
        const int reason = errno;
        ::unlink(target.constData());
        return fail(systemReason(reason));
    }
    return true;
#else
    QFile source(from);
    if (!QFileInfo(from).isFile())
        return fail(systemReason(ENOENT));
    if (!source.open(QIODevice::ReadOnly))
        return fail(source.errorString());
    if (source.size() > limit)
        return fail(tooLarge(limit));
    QFile target(to);
    if (target.exists())
        return fail(systemReason(EEXIST));
    if (!target.open(QIODevice::WriteOnly))
        return fail(target.errorString());
    for (qint64 left = source.size(); left > 0;) {
        const QByteArray piece = source.read(std::min<qint64>(left, qint64(1) << 20));
        if (piece.isEmpty())
            break;
        if (target.write(piece) != piece.size()) {
            const QString reason = target.errorString();
            target.close();
            target.remove();
            return fail(reason);
        }
        left -= piece.size();
    }
    if (source.error() != QFileDevice::NoError || !target.flush()) {
        const QString reason =
            source.error() != QFileDevice::NoError ? source.errorString() : target.errorString();
        target.close();
        target.remove();
        return fail(reason);
    }
    return true;
#endif
}

FolderReader::FolderReader(const QString& dir) : prefix(QFile::encodeName(dir) + '/') {
#ifdef Q_OS_UNIX
    fd = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
#endif
}

FolderReader::~FolderReader() {
#ifdef Q_OS_UNIX
    if (fd >= 0)
        ::close(fd);
#endif
}

bool FolderReader::read(const QByteArray& native, QByteArray& bytes, QString* error,
                        qint64 limit) const {
#ifdef Q_OS_UNIX
    if (fd >= 0 && native.size() > prefix.size() && native.startsWith(prefix) &&
        native.indexOf('/', prefix.size()) < 0)
        return readFd(::openat(fd, native.constData() + prefix.size(), readFlags), bytes, error,
                      limit);
#endif
    return readNativeBytes(native, bytes, error, limit);
}

std::optional<QStringList> readLines(const QString& path, QString* error, qint64 limit) {
    QByteArray bytes;
    if (!readBytes(path, bytes, error, limit))
        return std::nullopt;
    return splitLines(decode(bytes));
}

bool writeBytes(const QString& path, const QByteArray& bytes, QString* error) {
#ifdef Q_OS_UNIX
    return replaceNative(QFile::encodeName(path), bytes, error);
#else
    return replacePath(path, bytes, error);
#endif
}

bool writeLines(const QString& path, const QStringList& lines, QString* error) {
    QString refused;
    const QByteArray bytes = encodeLines(lines, &refused);
    if (!refused.isEmpty()) {
        if (error)
            *error = refused;
        return false;
    }
    return writeBytes(path, bytes, error);
}

bool writeNativeLines(const QByteArray& native, const QStringList& lines, QString* error) {
#ifdef Q_OS_UNIX
    QString refused;
    const QByteArray bytes = encodeLines(lines, &refused);
    if (!refused.isEmpty()) {
        if (error)
            *error = refused;
        return false;
    }
    return replaceNative(native, bytes, error);
#else
    return writeLines(QFile::decodeName(native), lines, error);
#endif
}

void removeIfStale(const QByteArray& native) {
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-60);
    const QFileInfo info(QFile::decodeName(native));
    if (info.isFile() && info.lastModified().toUTC() < before)
        QFile::remove(info.filePath());
}

void removeStaleTemporaries(const QString& dir) {
    const QStringList found =
        QDir(dir).entryList({temporaryPrefix + QLatin1StringView("*") + temporarySuffix},
                            QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : found) {
        if (isTemporaryName(name))
            removeIfStale(QFile::encodeName(filenames::join(dir, name)));
    }
}

bool writeNewLines(const QString& path, const QStringList& lines, QString* error) {
    auto fail = [&](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    QString refused;
    const QByteArray bytes = encodeLines(lines, &refused);
    if (!refused.isEmpty())
        return fail(refused);
#ifdef Q_OS_UNIX
    // Made under its name at once, and only when no entry of that name is there: an import makes
    // thousands, and each further call to the system counts. Until the batch is synced a crash
    // may lose the file or leave it empty, whichever way it was written; an old file is never
    // touched. A new file gets the user's usual mode.
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return fail(systemReason(errno));
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
            return fail(systemReason(reason));
        }
        done += put;
    }
    if (::close(fd) != 0) {
        const int reason = errno;
        ::unlink(native.constData());
        return fail(systemReason(reason));
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
    if (::_commit(file.handle()) != 0)
        return fail(systemReason(errno));
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser |
                        QFile::ReadGroup | QFile::ReadOther);
    file.close();
    // Without MOVEFILE_REPLACE_EXISTING: a file that came meanwhile is never replaced.
    if (!::MoveFileExW(
            reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(temporary).utf16()),
            reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(path).utf16()),
            MOVEFILE_WRITE_THROUGH))
        return fail(lastSystemReason());
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
            *error = systemReason(reason);
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

// A line break inside a line would shift every line after it; a NUL or an escape sequence has
// no place in a file of lines either. A tab has: the structure files indent by tabs.
bool isWritableLine(const QString& line) {
    return std::none_of(line.cbegin(), line.cend(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u < 0x20 && u != u'\t') || (u >= 0x7f && u <= 0x9f);
    });
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
