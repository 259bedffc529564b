#pragma once

#include <QList>
#include <QString>

#include <optional>

// Bookmark files in the Netscape bookmark format, as every browser exports and imports them
// (Firefox, Chromium, Edge): a <DL> list per folder, an <H3> heading naming each folder and an
// <A HREF> per bookmark.
namespace store::bookmarks {

struct Bookmark {
    QString title;
    QString url;
};

// A folder of the file, with its bookmarks and its folders in the file's order.
struct Folder {
    QString title;
    QList<Bookmark> bookmarks;
    QList<Folder> folders;
};

// The limits of what a reader takes from a bookmark file or a browser's profile. No browser's
// real bookmarks come near them (a large collection holds some tens of thousands, a few levels
// deep); a file beyond them was made by hand or to do harm. What lies beyond is left out and
// counted, and the import goes on with the rest.
// Folders inside folders, the top folders of a file being level 1. A walk down a tree costs the
// program's stack a step per level when the tree is freed, so the levels must stay few.
constexpr int deepestFolder = 200;
// Folders and bookmarks of one file or profile: each folder may become a group, each bookmark
// an element file.
constexpr int mostFolders = 100'000;
constexpr int mostBookmarks = 1'000'000;

// The bookmarks a reader left out to keep within the limits, by the limit that left them out.
struct Cut {
    int tooDeep = 0; // in folders deeper than deepestFolder levels
    int tooMany = 0; // past the first mostBookmarks, or in folders past the first mostFolders
    int total() const { return tooDeep + tooMany; }
};

// Builds a reader's tree within the limits: every folder and bookmark is added through it, in
// the order of the file, and what the limits leave out is counted in cut instead.
class BoundedTree {
public:
    // Where content goes: a folder of the tree at its level, or nowhere (folder null) when the
    // limits left the folder out; deep tells which.
    struct Place {
        Folder* folder = nullptr;
        int level = 0;
        bool deep = false;
    };

    // The place of the root, level 0.
    static Place rootOf(Folder& root) { return {&root, 0, false}; }

    // A new folder of that title at the end of the folders at parent, and its place. A place
    // stays good until its parent gets another folder, which may move the folders before it in
    // memory: readers fill a folder before they add the next one beside it, as a file has them.
    Place addFolder(const Place& parent, const QString& title);
    void addBookmark(const Place& place, const Bookmark& bookmark);

    Cut cut;

private:
    int folders = 0;
    int bookmarks = 0;
};

// The bookmarks of text in the format, under a root folder without a title; nothing when the
// text is not a bookmark file (it must start with the format's document type). What the limits
// leave out is counted in *cut.
std::optional<Folder> parse(const QString& text, Cut* cut = nullptr);

// An element to be: its short name and its address.
struct Entry {
    QString navn;
    QString url;
};

// A group to be, named like its folder on disk.
struct Group {
    QString navn;
    QList<Entry> entries;
};

// The name given to bookmarks outside every folder, and to a folder without a usable title.
QString defaultGroupName();

// Names as a Linux file system takes them: 255 bytes of UTF-8, ".txt" included for an element.
constexpr qsizetype longestGroupName = 255;
constexpr qsizetype longestElementName = 255 - 4;

// The bookmarks left out of an import, by their reason.
struct Skipped {
    int notWeb = 0;   // addresses other than http, https, ftp and file
    int unusable = 0; // a control character in the address, the title or the folder's title
    int total() const { return notWeb + unusable; }
};

// Each folder that holds bookmarks becomes a group, in the file's order, folders inside
// folders included (a tree of any depth: the walk keeps its own stack, and makes one group per
// folder and one element per bookmark, which the readers keep within the limits); the bookmarks
// outside every folder go to a group of the default name. Titles become names that a file or folder
// may have (characters no name may hold become spaces, a long title is cut to what the file system
// takes, never inside a character; a bookmark without a usable title is named by its address's
// host); a name that is already taken in the same group (or among the groups), or a group name that
// is one of the program's own files, gets a number: "DR (2)". Bookmarks that cannot be entered are
// left out and counted in *skipped.
QList<Group> toGroups(const Folder& root, Skipped* skipped = nullptr);

// The element name a bookmark of that title and address gets: the title as a usable name, else
// the address's host, else "Bogmærke".
QString elementNameFor(const QString& title, const QString& url);

// True when navn can name an element file (with ".txt") on the file systems of Linux and
// Windows; a group's name likewise as a group folder.
bool isElementName(const QString& navn);
bool isImportGroupName(const QString& navn);

// The text of a bookmark file holding one folder per group.
QString write(const QList<Group>& groups);

enum class ReadError { None, NotRead, NotBookmarks };

struct ReadResult {
    ReadError error = ReadError::None;
    QString reason; // the system's, when the file could not be read
    Folder root;
    Cut cut; // what the limits left out
};

// Reads the bookmark file at path: only a regular file of at most textfile::largestFile bytes.
ReadResult readFile(const QString& path);

// Writes the groups as a bookmark file, replacing the file at once; false and the system's
// reason on failure.
bool writeFile(const QString& path, const QList<Group>& groups, QString* error = nullptr);

} // namespace store::bookmarks
