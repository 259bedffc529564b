#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Every file the program keeps is a text file of lines. This is the one reader and the one
// writer for them: files are written as UTF-8 without a byte-order mark, lines ended by CR LF,
// replaced atomically; reading accepts a byte-order mark, plain UTF-8 or Windows-1252 (data
// folders brought over from Windows), and CR LF, LF or CR line ends.
namespace textfile {

// Turns raw file bytes into text by the rules above.
QString decode(const QByteArray& bytes);

// Splits text into lines at CR LF, LF or CR. A line end after the last line adds no empty line.
QStringList splitLines(const QString& text);

// Reads the file at path. Returns nothing and sets *error to the system's reason on failure.
std::optional<QStringList> readLines(const QString& path, QString* error = nullptr);

// Writes lines to path, each followed by CR LF, replacing the file at once. When writing
// fails the old file stays whole; returns false and sets *error to the system's reason.
bool writeLines(const QString& path, const QStringList& lines, QString* error = nullptr);

} // namespace textfile
