#pragma once

#include "store/bookmarks.h"

#include <QString>

// The bookmarks a browser keeps in its own profile, read into the folders of a bookmark file,
// so that they are imported as the browser's export of them would be.
namespace store::bookmarks {

struct ProfileRead {
    bool ok = false;
    QString reason; // why the file could not be read
    Folder root;
};

// Firefox's places.sqlite (with its "-wal" beside it when the database is in WAL mode), read
// from a copy, since a running Firefox keeps it locked. The bookmarks menu is the root; the
// toolbar, the other bookmarks and the mobile bookmarks are folders of it; tags are left out.
ProfileRead readFirefoxPlaces(const QString& path);

// The "Bookmarks" JSON file of Chromium and the browsers made from it: the roots bookmark_bar,
// other and synced are folders of the root.
ProfileRead readChromiumBookmarks(const QString& path);

} // namespace store::bookmarks
