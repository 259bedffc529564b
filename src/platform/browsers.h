#pragma once

#include "platform/desktopapps.h"

#include <QString>
#include <QStringList>

#include <optional>

// A browser to start without an address: the program and the arguments it is started with.
struct BrowserCommand {
    QString program;
    QStringList arguments;

    bool isEmpty() const { return program.isEmpty(); }
    // The arguments as one parameter text for the shell, each quoted where it holds a blank.
    QString parameters() const;
};

// Where the browsers the program can start are found on this platform.
struct BrowserPlaces {
    // Google Chrome (or its open build Chromium) and Microsoft Edge: full paths, or program
    // names looked up in the search path.
    QStringList chrome;
    QStringList edge;
    // Where neither is installed: the system's own browser command, as Debian's x-www-browser.
    QStringList fallback = {};
    // Last, the desktop's default program for web pages, when set.
    std::optional<XdgDirs> desktop = std::nullopt;
    // The folders program names are looked up in; empty for PATH.
    QStringList searchPath = {};

    static BrowserPlaces system();

    // The browser to start. Index 0 of the browser choice ("Google Chrome") tries Chrome first,
    // any other index ("Microsoft Edge", or none chosen) Edge first; then the system's browser
    // command, then the desktop's default for web pages. Empty when there is none.
    BrowserCommand find(int browserIndex) const;
};
