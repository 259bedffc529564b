#pragma once

#include "store/bookmarks.h"
#include "store/result.h"

#include <QStringList>

#include <functional>

namespace store {

class Model;

// The bookmark exchange: bookmark groups entered into the current content mode, and groups
// written out as a bookmark file for a browser. It works on the files of the model's content
// folder and changes the model's state through its operations only.

// The elements an import of groups would overwrite, asked about once before it writes.
struct ExistingElements {
    int elements = 0;
    QStringList groups; // the groups they are in, as the folders on disk name them
};
ExistingElements existingElements(const Model& model, const QList<bookmarks::Group>& groups);

// What an import of bookmarks did.
struct Imported {
    int elements = 0; // elements written
    int declined = 0; // existing elements kept, as the user would not have them overwritten
    int unusable = 0; // bookmarks whose name or address no file can hold
    int groups = 0;   // groups that got elements
    int newGroups = 0;
    int handled = 0; // bookmarks gone through, of total
    int total = 0;
    bool cancelled = false;
};

// Tells how far an import has come; false stops it.
using ImportProgress = std::function<bool(int handled, int total)>;

// An import lists its groups as it goes: once this many groups have been met since the list was
// last written, and once this many milliseconds have passed, whichever comes first; the rest at
// its end.
constexpr int importListStep = 256;
constexpr qint64 importListInterval = 1000;

// Enters bookmark groups into the current content mode. A group whose folder exists (whatever
// its letter case) takes the elements as they come; any other is made and added to the end of
// the active list. An existing element is overwritten when overwrite says so, else kept and
// counted. A group or element name that cannot be a folder or file of the group (a path, one
// of the program's own files, too long for the file system) and an address holding a control
// character are skipped and counted, never written. The first write that fails, or progress
// saying stop, ends the import: what was written before it stays, on disk for good, and the
// groups made before it are listed. The groups are listed in steps while the import goes on,
// so one killed part-way leaves the groups of all but its last steps listed.
Result importBookmarks(Model& model, const QList<bookmarks::Group>& groups, bool overwrite,
                       const ImportProgress& progress = {}, Imported* imported = nullptr);

// The groups called names, each with the elements in its folder, as bookmark groups.
QList<bookmarks::Group> bookmarkGroups(const Model& model, const QStringList& names);

// Writes the groups called names to a bookmark file at path; *written tells how many elements
// it holds.
Result exportBookmarks(const Model& model, const QString& path, const QStringList& names,
                       int* written = nullptr);

} // namespace store
