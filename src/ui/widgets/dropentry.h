#pragma once

#include <QString>

#include <optional>

class QMimeData;

// What a drag onto an element list brings: a link from a browser (web addresses), or a program
// file or a desktop entry from a file manager (programs), with a name for the element.
struct DroppedEntry {
    QString adresse;
    QString navn;
};

// The entry the data dropped give in content mode funkNo, or nothing.
std::optional<DroppedEntry> droppedEntry(const QMimeData* mime, quint8 funkNo);
