#pragma once

#include <QString>
#include <QStringList>

// File and folder names as the program's files had them on Windows: matched without regard to
// letter case and listed in the order Windows' file system gives, on every platform.
namespace filenames {

// dir + the platform's separator + name; dir is given without a trailing separator.
QString join(const QString& dir, const QString& name);

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

// The names of all files in dir (hidden ones included, folders left out), sorted as Windows
// lists them.
QStringList listFiles(const QString& dir);

// True when name can name a file or a folder on Windows and Linux alike.
bool isUsableName(const QString& name);

} // namespace filenames
