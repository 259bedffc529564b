#pragma once

#include <QString>

// What the file system says of a file's content without reading it: its size and the time it
// was last written. Two equal stamps of one path are taken as the same content, so a reader
// that keeps what it read can tell the files it must read again.
struct FileStamp {
    qint64 size = -1;    // -1: no file
    qint64 modified = 0; // nanoseconds since the epoch where the system tells them
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The stamp of the file path names (a Windows-1252 name included); size -1 when there is none.
FileStamp fileStamp(const QString& path);
