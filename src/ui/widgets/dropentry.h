#pragma once

#include <QString>

#include <optional>

class QEvent;
class QMimeData;

// What a drag onto an element list brings: a link from a browser (web addresses), or a program
// file or a desktop entry from a file manager (programs), with a name for the element.
struct DroppedEntry {
    QString adresse;
    QString navn;
};

// The entry the data dropped give in content mode funkNo, or nothing. A dropped desktop entry
// is read for its name (a regular file of a desktop entry's size only); nothing is run.
std::optional<DroppedEntry> droppedEntry(const QMimeData* mime, quint8 funkNo);

// One element list's drags. A drag is read once, as it enters, and what it brings is kept until
// it is dropped or leaves: the mouse moving over the list sends a drag event for every step, and
// a dropped desktop entry is not read again for each.
class DragReader {
public:
    // For a drag event on the list (enter, move, drop or leave): accepts it when the drag brings
    // an entry, and gives that entry when event is the drop.
    std::optional<DroppedEntry> handle(QEvent* event, quint8 funkNo);

    // Whether event is one handle() takes.
    static bool isDragEvent(const QEvent* event);

private:
    std::optional<DroppedEntry> entry;
    quint8 mode = 0;
    bool read = false;
};
