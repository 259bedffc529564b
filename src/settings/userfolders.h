#pragma once

#include <QString>
#include <QStringList>

// The folder tree of one user under the base folder:
//   <base>/Struktur                      installed help structures and the two templates
//   <base>/<login>/Program/              groups of web addresses (content mode 0)
//   <base>/<login>/Programmer/           groups of programs (content mode 1)
//   <base>/<login>/Egenskaber/           the options files of all windows
struct UserFolders {
    QString brugernavn;  // the login name in use, "Bruger" when none could be had
    QString strukturDir; // no trailing separator
    QString userDir;     // no trailing separator
    QString programdir0; // trailing separator
    QString programdir1; // trailing separator
    QString optdir;      // trailing separator
    QStringList errors;  // what went wrong on the way, for the user to see
    // Why the user folder may not be used, for the user to see; empty when it may. Nothing has
    // been made, copied or written in it then, and the program ends.
    QString refused;
};

// Builds the paths of the user's folders and creates the missing ones. At a user's first start
// (no user folder yet) the two template folders are copied into the content folders. Failures
// are collected in errors and every later step still runs, so the paths are always complete.
//
// The base folder is open to every user, so another user may have made the user folder before
// its owner's first start, or a folder in it may be open to others: whoever can write there can
// read what the user keeps and plant files the program would read. Such a user folder (or such
// one of its three subfolders) is refused before anything is written into it. A folder made
// here is the user's alone (mode 0700), as a login's private folders are.
UserFolders makeOptdir(const QString& baseDir, const QString& loginName);

// Why folder cannot be taken for the user's own, as the end of a Danish sentence ("den tilhører
// en anden bruger"); empty when it can. It must be a folder of the user running the program that
// no one else may write into. A symbolic link is followed only when it is the user's own link
// too: one another user made could be pointed elsewhere at any time.
QString foreignFolderReason(const QString& folder);

// Copies the folder tree from into to: every file and subfolder at any depth, creating to with
// any missing parents and overwriting files of the same name. A file that cannot be copied is
// skipped. Returns false with a message when from is not a folder.
bool copyFolderTree(const QString& from, const QString& to, QString* error);
