#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// File and folder names as the program's files had them on Windows: matched without regard to
// letter case and listed in the order Windows' file system gives, on every platform.
//
// A folder unpacked from a Windows archive may hold names that are not valid UTF-8 (Windows-1252
// bytes such as "B\xf8ger.txt"). Such an entry is listed under its Windows-1252 reading, and a
// path whose last part is that reading names the entry where no UTF-8 entry of that name is
// there: it can be read and tested through it. Listings give each entry's own path as well, by
// which the element store reads, writes and deletes exactly the file it listed.
namespace filenames {

// dir + the platform's separator + name; dir is given without a trailing separator.
QString join(const QString& dir, const QString& name);

// A name as a folder on disk holds it: UTF-8 when it is valid UTF-8, else Windows-1252.
QString decodeName(const QByteArray& raw);

// The name under which an entry matching name (without regard to case) exists in dir, or an
// empty string. An entry of exactly that name wins over one that differs in case.
QString findEntry(const QString& dir, const QString& name);

// The path of the entry of that name in dir whatever its case; when there is none, the path
// a new entry of that name would get.
QString entryPath(const QString& dir, const QString& name);

bool fileExists(const QString& dir, const QString& name);
bool folderExists(const QString& dir, const QString& name);

// A file of a folder: the name as the program shows and matches it, and the path as the system
// takes it (native), which for a name that is not UTF-8 is not the UTF-8 form of the name.
struct FileEntry {
    QString name;
    QByteArray native;
    bool windowsNamed = false; // the name on disk is Windows-1252, not UTF-8
};

// All files of dir (hidden ones included, folders and the program's own temporary files left
// out), sorted as Windows lists them. Each is an entry of its own: a file under a Windows-1252
// name beside one whose UTF-8 name reads the same is a file of its own, not a copy of it.
// The listing changes nothing: the paths of the temporary files it passed over are appended to
// temporaries, when given, for the caller to clean up.
QList<FileEntry> listFileEntries(const QString& dir, QList<QByteArray>* temporaries = nullptr);

// The names of listFileEntries, each name once.
QStringList listFiles(const QString& dir);

// True when path names a file (or a link to one), a Windows-1252 name included.
bool isFile(const QString& path);

// True when the entry native names is a file (or a link to one).
bool isNativeFile(const QByteArray& native);

// True when something (a file, a folder, a link, even a broken one) stands at native.
bool existsNative(const QByteArray& native);

// Deletes the file at native, exactly that entry; false with the reason when it cannot.
[[nodiscard]] bool removeNative(const QByteArray& native, QString* error = nullptr);

// Deletes the file path names; false with the reason when it cannot.
[[nodiscard]] bool removeFile(const QString& path, QString* error = nullptr);

// The bytes the system takes for path: the entry of a Windows-1252 name when only such an
// entry is there, else the path in UTF-8.
QByteArray nativePath(const QString& path);

// True when name can name a file or a folder on Windows and Linux alike.
bool isUsableName(const QString& name);

} // namespace filenames
