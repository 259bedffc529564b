#pragma once

#include "store/webrecord.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace store {

// File name of the element called navn.
QString elementFileName(const QString& navn);

// Reads every file of the group folder dir, in name order, appending one element per file;
// each element remembers the file it was read from.
// The first failure (a file that cannot be read, fewer than six lines, a visit count that is
// no integer) ends the listing silently: the element in progress stays, with the fields read
// before the failure, and the files after it are not read.
void readWeb(const QString& dir, TWebArray& web);

// The element called navn for url as it is first written to path: not yet visited.
TWebRecord newElement(const QString& path, const QString& url, const QString& navn);

// The six lines of an element file.
QStringList elementLines(const TWebRecord& record);

// Writes record to path, creating or replacing the file; false with the reason on failure.
[[nodiscard]] bool writeElement(const QString& path, const TWebRecord& record, QString* error);

// Writes record to its own file, the one it was read from, with line 6 naming it. An element
// read under a Windows-1252 name gets its UTF-8 name, and the entry of the old name goes, when
// no other file bears the UTF-8 name; a file that does is another element and stays, and the
// element is written where it is. On success record tells where it now is.
[[nodiscard]] bool saveElement(TWebRecord& record, QString* error);

// A group list file: one group name per line. A missing file is an empty list; a file that
// exists but cannot be read gives nothing and the reason.
std::optional<QStringList> readGroupList(const QString& path, QString* error);

} // namespace store
