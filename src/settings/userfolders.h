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
};

// Builds the paths of the user's folders and creates the missing ones. At a user's first start
// (no user folder yet) the two template folders are copied into the content folders. Failures
// are collected in errors and every later step still runs, so the paths are always complete.
UserFolders makeOptdir(const QString& baseDir, const QString& loginName);

// Copies the folder tree from into to: every file and subfolder at any depth, creating to with
// any missing parents and overwriting files of the same name. A file that cannot be copied is
// skipped. Returns false with a message when from is not a folder.
bool copyFolderTree(const QString& from, const QString& to, QString* error);
