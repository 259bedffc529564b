#include "platform/filenames.h"

#include "platform/systemreason.h"
#include "platform/temporaryname.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <vector>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace filenames {

namespace {
struct Entry {
    QString name;   // as the program shows and matches it
    QByteArray raw; // as the folder holds it (empty where names are always Unicode)
    bool utf8 = true;
    bool dir = false;
    bool file = false; // a regular file, or a link to one
};

// The name a folder's bytes give, and whether they were UTF-8.
QString decode(const QByteArray& raw, bool* utf8) {
    // Checked before it is decoded: a decoder made for every name of a large folder cost more
    // than the listing itself.
    *utf8 = QByteArrayView(raw).isValidUtf8();
    return *utf8 ? QString::fromUtf8(raw) : QStringDecoder("windows-1252")(raw);
}

// Every entry of dir but "." and "..", in the file system's order. A name that is not UTF-8
// may read as the name of another entry: the element was written under its UTF-8 name and a
// killed write left the old name behind.
QList<Entry> entries(const QString& dir) {
    QList<Entry> found;
#ifdef Q_OS_UNIX
    DIR* folder = ::opendir(QFile::encodeName(dir).constData());
    if (!folder)
        return found;
    while (const dirent* e = ::readdir(folder)) {
        const QByteArray raw(e->d_name);
        if (raw == "." || raw == "..")
            continue;
        Entry entry;
        entry.raw = raw;
        entry.name = decode(raw, &entry.utf8);
        // The kind the listing gives saves a look at the entry; links are followed.
        if (e->d_type == DT_DIR || e->d_type == DT_REG) {
            entry.dir = e->d_type == DT_DIR;
            entry.file = e->d_type == DT_REG;
        } else if (struct stat st; ::fstatat(::dirfd(folder), e->d_name, &st, 0) == 0) {
            entry.dir = S_ISDIR(st.st_mode);
            entry.file = S_ISREG(st.st_mode);
        }
        found.append(entry);
    }
    ::closedir(folder);
#else
    const QFileInfoList infos = QDir(dir).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QFileInfo& info : infos)
        found.append({info.fileName(), {}, true, info.isDir(), info.isFile()});
#endif
    return found;
}

enum class Kind { Any, Dir, File };

bool isKind(const Entry& entry, Kind kind) {
    return kind == Kind::Any || (kind == Kind::Dir ? entry.dir : entry.file);
}

QString matchIn(const QString& dir, const QString& name, Kind kind) {
    if (name.isEmpty())
        return {};
    const QFileInfo exact(join(dir, name));
    const bool exactKind = kind == Kind::Any   ? exact.exists()
                           : kind == Kind::Dir ? exact.isDir()
                                               : exact.isFile();
    if (exactKind)
        return name;
    QString caseMatch;
    for (const Entry& entry : entries(dir)) {
        if (!isKind(entry, kind) || entry.name.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        if (entry.name == name)
            return name;
        if (caseMatch.isEmpty())
            caseMatch = entry.name;
    }
    return caseMatch;
}
} // namespace

QString join(const QString& dir, const QString& name) {
    return dir + QDir::separator() + name;
}

QString decodeName(const QByteArray& raw) {
    bool utf8 = true;
    return decode(raw, &utf8);
}

QString findEntry(const QString& dir, const QString& name) {
    return matchIn(dir, name, Kind::Any);
}

QString entryPath(const QString& dir, const QString& name) {
    const QString found = findEntry(dir, name);
    return join(dir, found.isEmpty() ? name : found);
}

bool fileExists(const QString& dir, const QString& name) {
    return !matchIn(dir, name, Kind::File).isEmpty();
}

bool folderExists(const QString& dir, const QString& name) {
    return !matchIn(dir, name, Kind::Dir).isEmpty();
}

QList<FileEntry> listFileEntries(const QString& dir, QList<QByteArray>* temporaries) {
    struct Keyed {
        QString key;
        FileEntry entry;
    };
    std::vector<Keyed> keyed;
    const QByteArray folder = QFile::encodeName(dir) + '/';
    for (const Entry& entry : entries(dir)) {
        if (!entry.file)
            continue;
        const QByteArray native = entry.raw.isEmpty() ? QFile::encodeName(join(dir, entry.name))
                                                      : folder + entry.raw;
        if (textfile::isTemporaryName(entry.name)) {
            if (temporaries)
                temporaries->append(native);
            continue;
        }
        keyed.push_back({entry.name.toUpper(), {entry.name, native, !entry.utf8}});
    }
    // By the upper-case form, made once per name: making two inside every comparison
    // dominated the listing of large folders. A UTF-8 name comes before its Windows-1252 twin.
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        if (const int byKey = QString::compare(a.key, b.key, Qt::CaseSensitive); byKey != 0)
            return byKey < 0;
        if (a.entry.name != b.entry.name)
            return a.entry.name < b.entry.name;
        return !a.entry.windowsNamed && b.entry.windowsNamed;
    });
    QList<FileEntry> files;
    files.reserve(qsizetype(keyed.size()));
    for (Keyed& k : keyed)
        files.append(std::move(k.entry));
    return files;
}

QStringList listFiles(const QString& dir) {
    QStringList names;
    for (const FileEntry& entry : listFileEntries(dir)) {
        if (names.isEmpty() || names.last() != entry.name)
            names.append(entry.name);
    }
    return names;
}

#ifdef Q_OS_UNIX
namespace {
// The path of an entry of dir whose name is not UTF-8 and reads as name; empty for none.
QByteArray windowsNamedEntry(const QString& dir, const QString& name) {
    for (const Entry& entry : entries(dir)) {
        if (!entry.utf8 && entry.name == name)
            return QFile::encodeName(dir) + '/' + entry.raw;
    }
    return {};
}
} // namespace
#endif

QByteArray nativePath(const QString& path) {
    const QByteArray utf8 = QFile::encodeName(path);
#ifdef Q_OS_UNIX
    struct stat st;
    if (::lstat(utf8.constData(), &st) == 0)
        return utf8;
    const QFileInfo info(path);
    const QByteArray windowsNamed = windowsNamedEntry(info.path(), info.fileName());
    if (!windowsNamed.isEmpty())
        return windowsNamed;
#endif
    return utf8;
}

bool isFile(const QString& path) {
    return isNativeFile(nativePath(path));
}

bool isNativeFile(const QByteArray& native) {
#ifdef Q_OS_UNIX
    struct stat st;
    return ::stat(native.constData(), &st) == 0 && S_ISREG(st.st_mode);
#else
    return QFileInfo(QFile::decodeName(native)).isFile();
#endif
}

bool existsNative(const QByteArray& native) {
#ifdef Q_OS_UNIX
    struct stat st;
    return ::lstat(native.constData(), &st) == 0;
#else
    return QFileInfo::exists(QFile::decodeName(native));
#endif
}

bool removeNative(const QByteArray& native, QString* error) {
#ifdef Q_OS_UNIX
    if (::unlink(native.constData()) == 0)
        return true;
    if (error)
        *error = systemReason(errno);
    return false;
#else
    QFile file(QFile::decodeName(native));
    if (file.remove())
        return true;
    if (error)
        *error = file.errorString();
    return false;
#endif
}

bool removeFile(const QString& path, QString* error) {
    return removeNative(QFile::encodeName(path), error);
}

namespace {
// Windows opens a device, not a file, for these names, whatever follows the first full stop and
// whatever the case of the letters ("nul.txt" and "Com1.tar.gz" are devices too).
bool isDeviceName(const QString& name) {
    QString stem = name.section(u'.', 0, 0).toUpper();
    while (stem.endsWith(u' ')) // "CON .txt" is the device as well
        stem.chop(1);
    static const QStringList devices{"CON", "PRN", "AUX", "NUL"};
    if (devices.contains(stem))
        return true;
    if (stem.size() != 4 || !(stem.startsWith(u"COM") || stem.startsWith(u"LPT")))
        return false;
    // The superscript digits count as well, Windows reads them as 1, 2 and 3.
    static const QString numbers = QStringLiteral("123456789\u00b9\u00b2\u00b3");
    return numbers.contains(stem.back());
}
} // namespace

bool isUsableName(const QString& name) {
    if (name.isEmpty() || name == u"." || name == u"..")
        return false;
    if (name.endsWith(u' ') || name.endsWith(u'.'))
        return false;
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    for (const QChar c : name) {
        if (c.unicode() < 32 || c.unicode() == 127 || forbidden.contains(c))
            return false;
    }
    return !isDeviceName(name);
}

} // namespace filenames
