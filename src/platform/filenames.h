#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// File and folder names as the program's files had them on Windows: matched without regard to
// letter case and listed in the order Windows' file system gives, on every platform.
//
// A folder unpacked from a Windows archive may hold names that are not valid UTF-8 (Windows-1252
// bytes such as "B\xf8ger.txt"). Such an entry is listed under its Windows-1252 reading, and a
// path whose last part is that reading names the entry: it can be read, tested and removed
// through it, and writing a file of that path gives the entry its UTF-8 name.
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

// Sorts names as Windows lists a folder: by their upper-case form, code unit by code unit.
void sortLikeWindows(QStringList& names);

// The names of all files in dir (hidden ones included, folders and the program's own temporary
// files left out), sorted as Windows lists them.
QStringList listFiles(const QString& dir);

// True when path names a file (or a link to one), a Windows-1252 name included.
bool isFile(const QString& path);

// Deletes the file path names, and a copy under its Windows-1252 name; false with the system's
// reason when it cannot.
bool removeFile(const QString& path, QString* error = nullptr);

// The bytes the system takes for path: the entry of a Windows-1252 name when only such an
// entry is there, else the path in UTF-8.
QByteArray nativePath(const QString& path);

// Removes an entry of dir whose name is not UTF-8 and reads as name in Windows-1252, if any.
void removeWindowsNamedEntry(const QString& dir, const QString& name);

// True when name can name a file or a folder on Windows and Linux alike.
bool isUsableName(const QString& name);

} // namespace filenames
