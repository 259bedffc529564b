#pragma once

#include "store/shelf.h"

#include <QWidget>

class QListWidget;
class QToolButton;
class UpdateAction;
namespace store {
class ShelfDraft;
}

// The administration window's tab "Administrer grupper": the storage shelf's two working lists
// side by side, the active groups (Box) and the shelf (lagerBox), with the buttons of the seven
// storage actions between them. The lists show the shelf's draft, which keeps the moves until
// they are saved here.
class ShelfTab : public QWidget {
    Q_OBJECT
public:
    ShelfTab(store::ShelfDraft& draft, QWidget* parent);
    ~ShelfTab() override;

    // The storage shelf: saving the two working lists.
    void AgemForandringerExecute();

signals:
    // The information button asks for its help topic.
    void helpRequested(const QString& topic);

private:
    void buildControls();
    void buildActions();
    // Both working lists as the draft holds them.
    void showShelf();
    // The rules read these facts of the two lists, kept up to date by their signals.
    void noteShelfFacts();

    store::ShelfDraft& draft;
    store::shelf::Facts shelfFacts;

    // Controls and actions, found by their object names in tests.
    QListWidget* Box;
    QListWidget* lagerBox;
    QToolButton *sbInformation, *tilLagerValgte, *tilbageValgte, *tilLagerAlle, *tilbageAlle,
        *flytOp, *flytNed, *gemKnap;

    UpdateAction* AvalgteTilLager;
    UpdateAction* AvalgteTilbage;
    UpdateAction* AalleTilLager;
    UpdateAction* AalleTilbage;
    UpdateAction* AflytOp;
    UpdateAction* AflytNed;
    UpdateAction* AgemForandringer;
};
