#pragma once

#include <QList>
#include <QString>

// The profiles the user's browsers keep their bookmarks in, where each browser of the
// platform keeps them.
struct BrowserProfile {
    enum Kind {
        Firefox,  // bookmarks in the profile's places.sqlite
        Chromium, // bookmarks in the profile's JSON file "Bookmarks"
    };
    Kind kind = Firefox;
    QString browser; // "Firefox", "Chromium", "Google Chrome", ...
    QString name;    // the profile's name, as the browser shows it
    QString file;    // the file holding its bookmarks

    // "Firefox: default-esr", for a list to choose from: one line.
    QString label() const;
};

// The profiles found under home and configHome (the desktop's configuration folder,
// $XDG_CONFIG_HOME or ~/.config): Firefox's profiles named by each profiles.ini (the current
// place under configHome, the older ~/.mozilla, the snap and the flatpak places), and every
// profile folder holding a bookmarks file of Chromium, Google Chrome, Brave, Microsoft Edge and
// Vivaldi. Only profiles whose bookmarks file is there are given, each once.
QList<BrowserProfile> findBrowserProfiles(const QString& home, const QString& configHome);

// The same for the user running the program.
QList<BrowserProfile> findBrowserProfiles();
