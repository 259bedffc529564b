#pragma once

#include "store/bookmarks.h"

#include <QList>
#include <QString>

#include <functional>

// The bookmarks a browser keeps in its own profile, read into the folders of a bookmark file,
// so that they are imported as the browser's export of them would be.
namespace store::bookmarks {

struct ProfileRead {
    bool ok = false;
    QString reason; // why the file could not be read
    Folder root;
    Cut cut; // what the limits left out
};

// The largest places.sqlite (and "-wal" beside it) that is read. It holds the history as well
// as the bookmarks; Firefox expires old history to keep it to some tens of megabytes, and even
// a profile kept for many years stays far below this.
constexpr qint64 largestPlaces = qint64(1) << 30;

// A row of Firefox's table of bookmarks (moz_bookmarks), with the address of its place.
struct PlacesRow {
    qint64 id = 0;
    int type = 0; // 1 a bookmark, 2 a folder, 3 a separator
    qint64 parent = 0;
    QString title;
    QString guid; // "root________", "menu________", "toolbar_____", ... for Firefox's own folders
    QString url;
};

// The bookmarks of the rows, given in the order of their position within their parent. The
// bookmarks menu is the root; the toolbar, the other bookmarks and the mobile bookmarks are
// folders of it; tags are left out. A damaged or hand-made table may list a folder under itself,
// under two folders or twice: each folder is walked once, where it is first met, and the tree
// keeps to the limits.
ProfileRead placesTree(const QList<PlacesRow>& rows);

// Firefox's places.sqlite (with its "-wal" beside it when the database is in WAL mode), read
// from a copy, since a running Firefox keeps it locked. Both files are checked before they are
// copied (regular files, at most largestPlaces bytes), and the copy is made in a folder of the
// program's own in the temporary folder; copies that a killed program left there are removed
// first.
ProfileRead readFirefoxPlaces(const QString& path);

// Tests only: called once the copy of places.sqlite is made, before it is read.
void setAfterPlacesCopy(std::function<void()> hook);

// The "Bookmarks" JSON file of Chromium and the browsers made from it: the roots bookmark_bar,
// other and synced are folders of the root. Only a regular file of at most
// textfile::largestFile bytes is read.
ProfileRead readChromiumBookmarks(const QString& path);

} // namespace store::bookmarks
