#pragma once

#include <QString>

#include <optional>

// When the file path names (a Windows-1252 name included) was last written, in nanoseconds
// since the epoch, as finely as the file system keeps it; nothing when there is no such file.
// A reader that keeps what it read can tell by it the files written since.
std::optional<qint64> lastWritten(const QString& path);

// The moment now on the clock that lastWritten's times are taken from.
qint64 nowForFiles();
