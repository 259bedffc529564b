#pragma once

#include "store/result.h"
#include "store/shelf.h"

#include <QObject>
#include <QStringList>

namespace store {

class Model;

// The storage shelf's unsaved draft: the two working lists of the tab "Administrer grupper" and
// whether they hold moves not yet saved. It outlives the tab and the window, so moves stay until
// the user saves them, whatever is looked at meanwhile. A group created, renamed or taken out of
// the lists meanwhile is followed in the draft, and the other moves stay; each content mode
// keeps its own draft.
class ShelfDraft : public QObject {
    Q_OBJECT
public:
    explicit ShelfDraft(Model& model, QObject* parent = nullptr);

    // Box and lagerBox, in their order.
    const QStringList& active() const { return draft.active; }
    const QStringList& stored() const { return draft.stored; }
    bool listerModified() const { return draft.modified; }

    using Move = shelf::Lists (*)(const shelf::Lists&);
    // Runs a move on the draft with the rows the window has selected in each list (ascending,
    // each within its list); returns the lists after it, with the rows to show selected.
    shelf::Lists apply(Move move, const QList<int>& activeRows, const QList<int>& storedRows);

    // Saves the draft as the mode's two list files; saved, the draft is the model's lists again
    // with nothing left unsaved. A failure keeps every move for another try.
    Result save();

signals:
    // The lists of the draft were replaced or followed the model: the views show them anew.
    void changed();

private:
    struct Draft {
        QStringList active;
        QStringList stored;
        bool modified = false;
    };
    // The model's lists changed, or its content mode did.
    void follow();
    void reset();

    Model& model;
    quint8 mode;
    Draft draft;
    // The draft of the content mode not shown now.
    Draft other;
};

} // namespace store
