#pragma once

#include "platform/desktopapps.h"

#include <QString>
#include <QStringList>

#include <optional>

// The editor the help window opens its documents in: what is started, the arguments that go
// before the document's path, and, when there is none, why.
struct Editor {
    // The editor itself, or for an editor that runs in a terminal the terminal it is shown in.
    QString program;
    QStringList arguments;
    // Empty when an editor was found.
    QString reason;
};

// Where the editor that the help window opens its documents in is installed: the editor
// Pennolo in its usual places, else a plain-text editor of the system. An editor that needs a
// terminal (a desktop entry with Terminal=true, or one of the known terminal editors) is
// passed over for a graphical one, and else started in a terminal.
struct EditorPlaces {
    // Full paths, or program names looked up in the search path; the first installed wins.
    QStringList places;
    // Last, the desktop's default program for plain text, when set.
    std::optional<XdgDirs> desktop = std::nullopt;
    // The folders program names are looked up in; empty for PATH.
    QStringList searchPath = {};
    // The terminals an editor that needs one is shown in, the first installed one used; each
    // takes the program to run and its arguments after "-e".
    QStringList terminals = {};

    static EditorPlaces system();

    // The editor, or the reason there is none.
    Editor find() const;
};

// Whether the program at path is one of the known editors that run in a terminal (vim, nano,
// ...), also under another name (Debian's "editor" and "vi" are links to one of them).
bool isTerminalEditor(const QString& path);
