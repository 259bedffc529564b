#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

// Group folders and group lists. A group is a folder directly inside a content folder; the
// content folder is always given without a trailing separator, as the filenames helpers take
// folders. The window turns the results into its own messages.
namespace store {

struct GroupChange {
    enum Result {
        Done,
        UnusableName, // the name cannot be a folder name on Windows or Linux
        Exists,       // a folder of that name exists, whatever the case of its letters
        Failed,       // the file system refused; error holds its reason when it gave one
    };
    Result result = Done;
    QString error;
};

// True when name can be a group: a usable folder name that is none of the files the program
// keeps in a content folder ("webgruppe.txt", "webLager.txt", whatever the letter case) nor
// one of its temporary files. A group folder of such a name would stand where a list belongs.
bool isGroupName(const QString& name);

// Creates the folder of a new group named name inside contentDir.
[[nodiscard]] GroupChange createGroup(const QString& contentDir, const QString& name);

// Gives the folder of the group oldName the name newName. A new name that differs from the old
// one only in letter case is refused as existing, since that folder exists. When the rename
// fails the old folder keeps its name and nothing is created.
[[nodiscard]] GroupChange renameGroup(const QString& contentDir, const QString& oldName,
                                      const QString& newName);

// The group names sorted alphabetically without regard to letter case by the collation of
// locale's language; names that collate alike keep their order.
QStringList sortGroups(const QStringList& names, const QLocale& locale);

// Writes a group list file, one name per line, replacing it at once; false with the reason.
[[nodiscard]] bool writeGroupList(const QString& path, const QStringList& names, QString* error);

struct ListPairWrite {
    enum Result {
        Done,
        Failed,     // neither file was changed; failedPath could not be written
        UndoFailed, // the second file could not be written, nor the first put back (undoError)
    };
    Result result = Done;
    QString failedPath;
    QString error;
    QString undoError;
    bool ok() const { return result == Done; }
};

// Writes the active list to activePath and the shelf list to storedPath, both or neither: when
// the second file cannot be written, the first is put back as it was (or removed when it did
// not exist), so a group never ends up in neither file nor in both. Should putting it back
// fail as well, the result says so: the files then differ from what either list held.
[[nodiscard]] ListPairWrite writeListPair(const QString& activePath, const QStringList& active,
                                          const QString& storedPath, const QStringList& stored);

// True when name, read from a group list file, can stand for a folder directly inside the
// content folder: not empty, not "." or "..", without a separator or a control character, and
// none of the program's own files. Other names could lead outside the content folder, or stand
// where a list belongs; such a line is never a group. Names that could not have been typed
// ("Rejser ", "Film: klassikere": a file manager makes them) pass.
bool isListableName(const QString& name);

// A line of a group list file that is not shown as a group, kept to be written back.
struct KeptLine {
    qsizetype line; // its place among the lines written back
    QString text;
};

// A group list file as read: the groups it shows, and its other lines.
struct GroupList {
    QStringList names;
    QList<KeptLine> kept;
};

// Splits the lines of a group list file of the content folder contentDir. A name that could
// have been typed is a group, whether or not its folder is there; any other listable name is a
// group when its folder is there. Every other line is kept and never shown: a name of neither
// kind, or one whose folder is not there, was written by a hand or a program the user trusts
// with the list, and is not the program's to throw away. Only a line holding a control
// character other than a tab is left out: the writer never writes one, and no folder it could
// name is ever shown.
GroupList readGroupLines(const QStringList& lines, const QString& contentDir);

// The lines of a group list file showing names, with each kept line (in the order of their
// places) back at its place as far as the lines reach, after the last line when the list became
// shorter. A list read and written unchanged gives the lines it was read from.
QStringList groupListLines(const QStringList& names, const QList<KeptLine>& kept);

// The first position of name among names, A to Z folded as the program compares names, or -1.
qsizetype groupIndex(const QStringList& names, const QString& name);

} // namespace store
