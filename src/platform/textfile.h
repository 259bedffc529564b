#pragma once

#include "platform/temporaryname.h"

#include <QByteArray>
#include <QByteArrayView>
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
// left behind by a write that was killed is removed when its folder is next listed, once it
// has stood untouched for a minute. A write touches only its own file and its temporary file,
// so it costs the same in a folder of 50,000 files as in one of ten.
namespace textfile {

// The largest file a reader takes. A file of the program's is small (an element, a list of
// groups, a help page); one far larger is no such file, and reading it whole would take all the
// memory there is. Element and options files are a few lines; lists, structures and help
// documents may be long, but not this long.
constexpr qint64 largestFile = qint64(64) << 20;
constexpr qint64 largestSmallFile = qint64(1) << 20;

// Turns raw file bytes into text by the rules above.
QString decode(const QByteArray& bytes);

// True when the bytes begin with a byte-order mark, so that decode reads them by it (UTF-8,
// UTF-16 or UTF-32) rather than as UTF-8 or Windows-1252.
bool hasByteOrderMark(QByteArrayView bytes);

// Splits text into lines at CR LF, LF or CR. A line end after the last line adds no empty line.
QStringList splitLines(const QString& text);

// Reads the whole file at path into bytes, keeping the buffer's room, so a reader of many files
// can pass one buffer from file to file. Only a regular file of at most limit bytes is read,
// under a Windows-1252 name too. False with *error set to the reason on failure.
bool readBytes(const QString& path, QByteArray& bytes, QString* error = nullptr,
               qint64 limit = largestFile);

// The same for the entry whose name the folder holds as the bytes native (see
// filenames::Entry), which may not be UTF-8.
bool readNativeBytes(const QByteArray& native, QByteArray& bytes, QString* error = nullptr,
                     qint64 limit = largestFile);

// Copies the file at from to a new file at to, which must not be there yet, checking from as
// readBytes does: only a regular file of at most limit bytes, under its path with links
// followed. The copy is made piece by piece, never held whole in memory, and gets no rights for
// others. False with *error set to the reason on failure, and then no file is left at to.
bool copyFile(const QString& from, const QString& to, QString* error = nullptr,
              qint64 limit = largestFile);

// Reads many files of one folder by the paths its listing gave (filenames::FileEntry::native):
// each is opened by its name within the folder, which was opened once, so the system does not
// walk the folder's path again for every file. Reads as readNativeBytes does; a path outside the
// folder is read as it is.
class FolderReader {
public:
    explicit FolderReader(const QString& dir);
    ~FolderReader();
    FolderReader(const FolderReader&) = delete;
    FolderReader& operator=(const FolderReader&) = delete;

    bool read(const QByteArray& native, QByteArray& bytes, QString* error = nullptr,
              qint64 limit = largestFile) const;

private:
    QByteArray prefix; // the folder's path with its separator, as listings begin their paths
    int fd = -1;       // the folder, opened for the names in it; -1 where that is not at hand
};

// Reads the file at path. Returns nothing and sets *error to the reason on failure.
std::optional<QStringList> readLines(const QString& path, QString* error = nullptr,
                                     qint64 limit = largestFile);

// Writes lines to path, each followed by CR LF, replacing the file at once. A file the user may
// not write is not replaced, and no line holding a control character is written. When writing
// fails the old file stays whole; returns false and sets *error to the reason.
[[nodiscard]] bool writeLines(const QString& path, const QStringList& lines,
                              QString* error = nullptr);

// The same for the entry the folder holds under the bytes native, which may not be UTF-8; the
// entry keeps its name.
[[nodiscard]] bool writeNativeLines(const QByteArray& native, const QStringList& lines,
                                    QString* error = nullptr);

// Replaces the file at path with bytes as they are, by the same rules: for putting a file back
// as it was.
[[nodiscard]] bool writeBytes(const QString& path, const QByteArray& bytes,
                              QString* error = nullptr);

// Writes lines to path like writeLines, for a file that is not there yet (false when it is),
// without waiting for the disk: a batch of new files (an import) is made durable together by
// one syncFileSystem() before the batch is reported done. A crash before that may lose the new
// files or leave them empty, never an old one; a failed write leaves no file under the name.
bool writeNewLines(const QString& path, const QStringList& lines, QString* error = nullptr);

// Waits until every file written into dir's file system is on disk; false with the system's
// reason when it cannot tell.
bool syncFileSystem(const QString& dir, QString* error = nullptr);

// Removes the temporary file at native if a killed write left it: one untouched for a minute
// belongs to no write in progress, also in a folder that several users' programs write into.
void removeIfStale(const QByteArray& native);

// Removes the stale temporary files of dir.
void removeStaleTemporaries(const QString& dir);

// True when text can stand as one line of a file: it holds no control character (C0, DEL or
// C1), so no line break, NUL or escape sequence ever reaches a file through it.
bool isLineText(const QString& text);

// True when the writer takes line as one line of a file: it holds no control character but tabs.
bool isWritableLine(const QString& line);

// Tests only: called after the new content is on disk and before it replaces the old file.
void setBeforeReplace(std::function<void()> hook);

} // namespace textfile
