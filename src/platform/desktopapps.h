#pragma once

#include <QString>
#include <QStringList>

// Where a freedesktop.org desktop keeps its configuration and data: the XDG base directories,
// most important first, and the names of the running desktop.
struct XdgDirs {
    QStringList configDirs; // XDG_CONFIG_HOME, then XDG_CONFIG_DIRS
    QStringList dataDirs;   // XDG_DATA_HOME, then XDG_DATA_DIRS
    QStringList desktops;   // XDG_CURRENT_DESKTOP, in lower case

    static XdgDirs system();
};

// The desktop's programs for file types, found the way the desktop itself finds them: the
// default applications and associations of the mimeapps.list files, then the types that the
// installed desktop files say they open (mimeinfo.cache, or the files' own MimeType lists).
class DesktopApps {
public:
    explicit DesktopApps(XdgDirs dirs);

    // The desktop file ID of the program that opens a file of mimeType, or, where that type
    // has none, of the nearest type it is a kind of; empty when there is none.
    QString defaultApplication(const QString& mimeType) const;

    // The command of an installed desktop file with its field codes left out, so that it
    // starts the program without a file or address: the program, then its arguments.
    // Empty when the desktop file is not installed or has no command.
    QStringList command(const QString& desktopId) const;

    // Whether the installed desktop file says its program runs in a terminal (Terminal=true).
    bool runsInTerminal(const QString& desktopId) const;

private:
    QString desktopFile(const QString& desktopId) const;
    QStringList applicationDirs() const;
    QStringList mimeappsLists() const;
    QString firstUsable(const QString& mimeType) const;

    XdgDirs dirs;
};

// Where place is installed: a full path when a file exists there, else a program name looked
// up in searchPath (PATH when empty). Empty when it is not installed.
QString locateProgram(const QString& place, const QStringList& searchPath = {});
