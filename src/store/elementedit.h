#pragma once

#include "store/webrecord.h"

#include <QString>
#include <QStringList>

// Changing and removing the elements of a group on disk. The group folder gruppeDir is given
// without a trailing separator. The window turns the results into its own messages.
namespace store {

// What the editing tab's change button is to do with the typed address and short name. The
// typed texts are compared with the stored ones folding A to Z only.
struct ElementEdit {
    bool original = false; // both texts as stored: nothing is to be written
    bool newUrl = false;   // the address is to be written under the present short name
    bool newName = false;  // the element is to take the typed short name
};
ElementEdit planEdit(const TWebRecord& element, const QString& url, const QString& navn);

// Both texts as stored; resetting the visits asks for exactly that.
bool isOriginal(const TWebRecord& element, const QString& url, const QString& navn);

// The file of the element called navn in gruppeDir: the existing one whatever the case of its
// name, else the path it would get.
QString elementFilePath(const QString& gruppeDir, const QString& navn);

struct ElementChange {
    enum Result {
        Done,
        UnusableName, // the new short name cannot be a file name
        NameTaken,    // another element, or another file of the group, has that name
        WriteFailed,  // the new file could not be written; the old file is as it was
        OldFileKept,  // the new file is written but the old one could not be deleted
    };
    Result result = Done;
    QString error; // the system's reason, for WriteFailed and OldFileKept
    QString path;  // the file that failed
};

// Gives web[index] the short name newNavn: writes the element to the file of the new name,
// with its last line naming that file, and deletes the file the element was read from only
// once that is written.
// Another element's file is never overwritten. When the result is Done or OldFileKept,
// web[index] holds the new name and path; otherwise it is unchanged.
[[nodiscard]] ElementChange renameElement(const QString& gruppeDir, TWebArray& web,
                                          qsizetype index, const QString& newNavn);

struct FileRemoval {
    qsizetype failed = -1; // position in the list of the file that could not be deleted
    QString error;         // the system's reason
    bool ok() const { return failed < 0; }
};

// Deletes the files (paths as the system takes them, see ElementFile::systemPath) in the order given and
// stops at the first that cannot be deleted; the ones before it stay deleted. Exactly these
// files go: no other file of a name that reads alike.
[[nodiscard]] FileRemoval removeElementFiles(const QList<QByteArray>& natives);

} // namespace store
