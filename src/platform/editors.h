#pragma once

#include "desktopapps.h"

#include <QString>
#include <QStringList>

#include <optional>

// Where the editor that the help window opens its documents in is installed: the editor
// Pennolo in its usual places, else a plain-text editor of the system.
struct EditorPlaces {
    // Full paths, or program names looked up in the search path; the first installed wins.
    QStringList places;
    // Last, the desktop's default program for plain text, when set.
    std::optional<XdgDirs> desktop = std::nullopt;
    // The folders program names are looked up in; empty for PATH.
    QStringList searchPath = {};

    static EditorPlaces system();

    // The full path of the editor, or empty when none is installed.
    QString find() const;
};
