#include "ui/admin/shelftab.h"

#include "platform/toolkit/updateaction.h"
#include "store/result.h"
#include "store/shelfdraft.h"
#include "ui/admin/tabcontrols.h"
#include "ui/dialogs/report.h"
#include "ui/widgets/groupdelegate.h"
#include "ui/widgets/pictures.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
namespace shelf = store::shelf;
using tabcontrols::fill;
using tabcontrols::flatButton;
using tabcontrols::named;

QList<int> selectedRows(const QListWidget* list) {
    QList<int> rows;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->isSelected())
            rows << i;
    }
    return rows;
}

void showRows(QListWidget* list, const QStringList& all, const QList<int>& selected) {
    fill(list, all);
    for (int row : selected)
        list->item(row)->setSelected(true);
    if (selected.size() == 1)
        list->setCurrentRow(selected.first(), QItemSelectionModel::NoUpdate);
}
} // namespace

ShelfTab::ShelfTab(store::ShelfDraft& draft_, QWidget* parent) : QWidget(parent), draft(draft_) {
    setObjectName(QStringLiteral("shelfTab"));
    buildControls();
    buildActions();
    connect(&draft, &store::ShelfDraft::changed, this, &ShelfTab::showShelf);
    showShelf();
    connect(sbInformation, &QToolButton::clicked, this,
            [this] { emit helpRequested(QStringLiteral("Administrer grupper")); });
}

ShelfTab::~ShelfTab() {
    // The lists empty themselves as they go, and the facts must not be worked out from them then.
    for (QListWidget* list : {Box, lagerBox}) {
        list->model()->disconnect(this);
        list->selectionModel()->disconnect(this);
    }
}

void ShelfTab::buildControls() {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(3, 3, 3, 6);
    layout->setSpacing(3);
    Box = named(new QListWidget, "Box");
    lagerBox = named(new QListWidget, "lagerBox");
    for (QListWidget* list : {Box, lagerBox}) {
        list->setFixedWidth(200);
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        GroupItemDelegate::install(list);
    }
    Box->setAccessibleName(QStringLiteral("Aktive grupper"));
    lagerBox->setAccessibleName(QStringLiteral("Grupper på lager"));

    auto* column = new QWidget;
    column->setFixedWidth(36);
    auto* buttons = new QVBoxLayout(column);
    buttons->setContentsMargins(3, 0, 3, 0);
    buttons->setSpacing(2);
    sbInformation = flatButton("sbInformation", QString(),
                               QStringLiteral("Information: Administrer grupper"), pictures::Help);
    // The other buttons take picture and hint from the main window's storage actions.
    QToolButton** const moves[] = {&tilLagerValgte, &tilbageValgte, &tilLagerAlle,
                                   &tilbageAlle,    &flytOp,        &flytNed};
    const char* const names[] = {"tilLagerValgte", "tilbageValgte", "tilLagerAlle",
                                 "tilbageAlle",    "flytOp",        "flytNed"};
    for (int i = 0; i < 6; ++i)
        *moves[i] = named(new QToolButton, names[i]);
    gemKnap = named(new QToolButton, "gemKnap");
    for (QToolButton* b : {sbInformation, tilLagerValgte, tilbageValgte, tilLagerAlle, tilbageAlle,
                           flytOp, flytNed, gemKnap}) {
        // All but the information and save buttons are drawn flat.
        b->setAutoRaise(b != sbInformation && b != gemKnap);
        b->setFixedSize(30, 26);
        buttons->addWidget(b);
    }
    buttons->addStretch();

    layout->addWidget(Box);
    layout->addWidget(column);
    layout->addWidget(lagerBox);
    layout->addStretch();
}

void ShelfTab::buildActions() {
    // The rules read what the lists' signals keep up to date.
    for (QListWidget* list : {Box, lagerBox}) {
        connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                &ShelfTab::noteShelfFacts);
        QAbstractItemModel* rows = list->model();
        connect(rows, &QAbstractItemModel::rowsInserted, this, &ShelfTab::noteShelfFacts);
        connect(rows, &QAbstractItemModel::rowsRemoved, this, &ShelfTab::noteShelfFacts);
        connect(rows, &QAbstractItemModel::rowsMoved, this, &ShelfTab::noteShelfFacts);
        connect(rows, &QAbstractItemModel::modelReset, this, &ShelfTab::noteShelfFacts);
        connect(rows, &QAbstractItemModel::layoutChanged, this, &ShelfTab::noteShelfFacts);
    }
    noteShelfFacts();
    auto make = [this](const char* name, const QString& hint, pictures::Kind picture,
                       bool (*enabled)(const shelf::Facts&),
                       shelf::Lists (*moveRows)(const shelf::Lists&)) {
        auto* action = new UpdateAction(
            this, QString(), hint, [this, enabled] { return enabled(shelfFacts); },
            [this, moveRows] {
                const shelf::Lists moved =
                    draft.apply(moveRows, selectedRows(Box), selectedRows(lagerBox));
                showRows(Box, moved.active, moved.activeRows);
                showRows(lagerBox, moved.stored, moved.storedRows);
            });
        action->setObjectName(QString::fromLatin1(name));
        action->setIcon(pictures::icon(picture));
        return action;
    };
    AvalgteTilLager = make("AvalgteTilLager", QStringLiteral("Flyt valgte til lager"),
                           pictures::ToShelf, shelf::valgteTilLagerEnabled, shelf::valgteTilLager);
    AvalgteTilbage = make("AvalgteTilbage", QStringLiteral("Flyt valgte tilbage"),
                          pictures::FromShelf, shelf::valgteTilbageEnabled, shelf::valgteTilbage);
    AalleTilLager = make("AalleTilLager", QStringLiteral("Flyt alle til lager"),
                         pictures::AllToShelf, shelf::alleTilLagerEnabled, shelf::alleTilLager);
    AalleTilbage = make("AalleTilbage", QStringLiteral("Flyt alle tilbage"), pictures::AllFromShelf,
                        shelf::alleTilbageEnabled, shelf::alleTilbage);
    AflytOp = make("AflytOp", QStringLiteral("Flyt valgte op"), pictures::Up, shelf::flytOpEnabled,
                   shelf::flytOp);
    AflytNed = make("AflytNed", QStringLiteral("Flyt valgte ned"), pictures::Down,
                    shelf::flytNedEnabled, shelf::flytNed);
    AgemForandringer = new UpdateAction(
        this, QString(), QStringLiteral("Gem de nye lister"),
        [this] { return draft.listerModified(); }, [this] { AgemForandringerExecute(); });
    AgemForandringer->setObjectName(QStringLiteral("AgemForandringer"));
    AgemForandringer->setIcon(pictures::icon(pictures::Save));

    // The shelf's buttons run the storage actions and show their pictures and hints.
    const std::pair<QToolButton*, UpdateAction*> shelfButtons[] = {
        {tilLagerValgte, AvalgteTilLager},
        {tilbageValgte, AvalgteTilbage},
        {tilLagerAlle, AalleTilLager},
        {tilbageAlle, AalleTilbage},
        {flytOp, AflytOp},
        {flytNed, AflytNed},
        {gemKnap, AgemForandringer}};
    for (auto [button, action] : shelfButtons) {
        button->setDefaultAction(action);
        button->setAccessibleName(action->statusTip());
    }
}

void ShelfTab::showShelf() {
    fill(Box, draft.active());
    fill(lagerBox, draft.stored());
}

void ShelfTab::noteShelfFacts() {
    // From the selection, not by asking every row, which would cost as much as the rules did.
    const auto selected = [](const QListWidget* list) {
        QList<int> rows;
        for (const QModelIndex& index : list->selectionModel()->selectedRows())
            rows << index.row();
        std::sort(rows.begin(), rows.end());
        return rows;
    };
    shelfFacts = shelf::factsOf(Box->count(), selected(Box), lagerBox->count(), selected(lagerBox));
}

void ShelfTab::AgemForandringerExecute() {
    // Saved, the model's lists come back into both working lists and clear the flag; a failed
    // save keeps the moves for another try.
    showFileError(draft.save());
}
