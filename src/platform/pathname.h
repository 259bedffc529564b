#pragma once

#include <QString>

#include <optional>

// Names of documents as the help window meets them: as Windows paths, as file addresses or as
// bare file names. All of them boil down to the same document name.
namespace pathname {

// The text after the last backslash, slash or colon of path, less the text from its last full
// stop on: "C:\x\Intro.html", "file:///x/Intro.html" and "Intro.htm" all give "Intro", and
// "Kap.1.html" gives "Kap.1". A path holding a character that no path may hold (codes 0 to 31,
// the double quote, "<", ">", "|") is refused: nothing is returned and *error says why.
std::optional<QString> baseName(const QString& path, QString* error = nullptr);

} // namespace pathname
