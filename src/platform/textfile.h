#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Every file the program keeps is a text file of lines. This is the one reader and the one
// writer for them: files are written as UTF-8 without a byte-order mark, lines ended by CR LF,
// replaced atomically; reading accepts a byte-order mark, plain UTF-8 or Windows-1252 (data
// folders brought over from Windows), and CR LF, LF or CR line ends.
//
// A file is replaced by writing a temporary file beside it and renaming that over it. The
// temporary file's name is short and has nothing of the target's name, so any name that fits
// the file system can be saved, and listings know it by its name alone and pass it over. One
// left behind by a write that was killed is removed by a later write into that folder, once it
// has stood untouched for a minute.
namespace textfile {

// Turns raw file bytes into text by the rules above.
QString decode(const QByteArray& bytes);

// Splits text into lines at CR LF, LF or CR. A line end after the last line adds no empty line.
QStringList splitLines(const QString& text);

// Reads the whole file at path into bytes, keeping the buffer's room, so a reader of many files
// can pass one buffer from file to file. Only a regular file is read, under a Windows-1252
// name too. False with *error set to the system's reason on failure.
bool readBytes(const QString& path, QByteArray& bytes, QString* error = nullptr);

// Reads the file at path. Returns nothing and sets *error to the system's reason on failure.
std::optional<QStringList> readLines(const QString& path, QString* error = nullptr);

// Writes lines to path, each followed by CR LF, replacing the file at once. When writing
// fails the old file stays whole; returns false and sets *error to the system's reason.
bool writeLines(const QString& path, const QStringList& lines, QString* error = nullptr);

// Writes lines to path like writeLines, for a file that is not there yet (false when it is),
// without waiting for the disk: a batch of new files (an import) is made durable together by
// one syncFileSystem() before the batch is reported done. A crash before that may lose the new
// files or leave them empty, never an old one; a failed write leaves no file under the name.
bool writeNewLines(const QString& path, const QStringList& lines, QString* error = nullptr);

// Waits until every file written into dir's file system is on disk; false with the system's
// reason when it cannot tell.
bool syncFileSystem(const QString& dir, QString* error = nullptr);

// True for the names of the writer's temporary files.
bool isTemporaryName(const QString& name);

// True when text can stand as one line of a file: it holds no control character (C0, DEL or
// C1), so no line break, NUL or escape sequence ever reaches a file through it.
bool isLineText(const QString& text);

// Tests only: called after the new content is on disk and before it replaces the old file.
void setBeforeReplace(std::function<void()> hook);

} // namespace textfile
