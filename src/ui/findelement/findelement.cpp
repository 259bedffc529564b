#include "ui/findelement/findelement.h"

#include "platform/toolkit/messagebox.h"
#include "platform/toolkit/updateaction.h"
#include "settings/findoptions.h"
#include "store/model.h"
#include "ui/widgets/groupdelegate.h"
#include "ui/widgets/pictures.h"
#include "ui/widgets/place.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

using store::ElementIndex;

FoundElements::FoundElements(const ElementIndex& index_, QObject* parent)
    : QAbstractTableModel(parent), index(index_) {
    // The rows point into the index: they are let go of before it changes.
    connect(&index, &ElementIndex::aboutToChange, this, [this] {
        if (!resetting) {
            resetting = true;
            beginResetModel();
        }
    });
    connect(&index, &ElementIndex::changed, this, [this] {
        hits = shown ? index.find(text_) : QList<ElementIndex::Hit>{};
        if (resetting) {
            resetting = false;
            endResetModel();
        }
    });
}

void FoundElements::setText(const QString& text) {
    text_ = text;
    refind();
}

void FoundElements::refind() {
    beginResetModel();
    hits = shown ? index.find(text_) : QList<ElementIndex::Hit>{};
    endResetModel();
}

void FoundElements::setShown(bool shown_) {
    shown = shown_;
    refind();
}

int FoundElements::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(hits.size());
}

int FoundElements::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

const ElementIndex::Entry* FoundElements::element(int row, QString* gruppe) const {
    if (row < 0 || row >= hits.size())
        return nullptr;
    const ElementIndex::Hit& hit = hits[row];
    // A switch of content mode changes the index's groups before anyone is told.
    const QList<ElementIndex::Group>& groups = index.groups();
    if (hit.group >= groups.size() || hit.entry >= groups[hit.group].entries.size())
        return nullptr;
    if (gruppe)
        *gruppe = groups[hit.group].navn;
    return &groups[hit.group].entries[hit.entry];
}

int FoundElements::rowOf(const QString& sourceFile) const {
    for (int row = 0; row < hits.size(); ++row) {
        if (const ElementIndex::Entry* e = element(row); e && e->sourceFile == sourceFile)
            return row;
    }
    return -1;
}

QVariant FoundElements::data(const QModelIndex& cell, int role) const {
    QString gruppe;
    const ElementIndex::Entry* e = cell.isValid() ? element(cell.row(), &gruppe) : nullptr;
    if (!e)
        return {};
    if (role == Qt::DisplayRole) {
        switch (cell.column()) {
        case NavnColumn:
            return e->navn;
        case GruppeColumn:
            return gruppe;
        case DatoColumn:
            return e->dato;
        case VisitsColumn:
            return QString::number(e->visits);
        }
    }
    if (role == Qt::ToolTipRole && cell.column() == NavnColumn)
        return e->url;
    if (role == Qt::TextAlignmentRole && cell.column() == VisitsColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant FoundElements::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole) {
        switch (section) {
        case NavnColumn:
            return QStringLiteral("Navn");
        case GruppeColumn:
            return QStringLiteral("Gruppe");
        case DatoColumn:
            return QStringLiteral("Dato");
        case VisitsColumn:
            return QStringLiteral("Besøg");
        }
    }
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(section == VisitsColumn ? Qt::AlignRight | Qt::AlignVCenter
                                                           : Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

namespace {
const QString helpTopic = QStringLiteral("Find element");
}

Tfindelementform::Tfindelementform(store::Model& model_, ElementIndex& index_,
                                   const QString& optdir, QWidget* mainWindow_, const bool& ending_)
    : QWidget(nullptr, Qt::Window), model(model_), index(index_), mainWindow(mainWindow_),
      ending(ending_), found(new FoundElements(index_, this)) {
    setObjectName(QStringLiteral("Tfindelementform"));
    setWindowTitle(QStringLiteral("Find element"));
    setFont(tahoma(8));
    setMinimumSize(360, 220);
    resize(520, 360);
    buildControls();

    // The other content mode has groups of its own.
    connect(&model, &store::Model::modeChanged, this, [this] {
        if (isVisible()) {
            index.open();
            found->refind();
        }
    });

    optfilnavn = findOptionsPath(optdir);
    hentOpt();
}

void Tfindelementform::buildControls() {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(6, 6, 6, 3);
    layout->setSpacing(4);
    outer->addWidget(body, 1);

    auto* top = new QHBoxLayout;
    soegLabel = new QLabel(QStringLiteral("&Søg"));
    soegLabel->setObjectName(QStringLiteral("soegLabel"));
    soegEdit = new QLineEdit;
    soegEdit->setObjectName(QStringLiteral("soegEdit"));
    soegEdit->setPlaceholderText(QStringLiteral("Navn eller adresse"));
    soegEdit->setClearButtonEnabled(true);
    soegEdit->setStatusTip(
        QStringLiteral("Skriv ord fra elementets navn eller adresse; [Pil ned] går til listen"));
    soegLabel->setBuddy(soegEdit);
    top->addWidget(soegLabel);
    top->addWidget(soegEdit, 1);
    layout->addLayout(top);

    resultatListe = new QTableView;
    resultatListe->setObjectName(QStringLiteral("resultatListe"));
    resultatListe->setModel(found);
    resultatListe->verticalHeader()->hide();
    resultatListe->verticalHeader()->setDefaultSectionSize(18);
    QHeaderView* header = resultatListe->horizontalHeader();
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setSectionResizeMode(FoundElements::NavnColumn, QHeaderView::Stretch);
    resultatListe->setColumnWidth(FoundElements::GruppeColumn, 120);
    resultatListe->setColumnWidth(FoundElements::DatoColumn, 72);
    resultatListe->setColumnWidth(FoundElements::VisitsColumn, 48);
    resultatListe->setShowGrid(true);
    resultatListe->setSelectionBehavior(QAbstractItemView::SelectRows);
    resultatListe->setSelectionMode(QAbstractItemView::SingleSelection);
    resultatListe->setEditTriggers(QAbstractItemView::NoEditTriggers);
    resultatListe->setWordWrap(false);
    resultatListe->setTabKeyNavigation(false);
    resultatListe->setItemDelegate(new ActiveSelectionDelegate(resultatListe));
    resultatListe->setStatusTip(
        QStringLiteral("Vælg element og dobbeltklik eller tryk [Enter] for at åbne det"));
    resultatListe->setAccessibleName(QStringLiteral("Fundne elementer"));
    layout->addWidget(resultatListe, 1);

    auto* buttons = new QHBoxLayout;
    aabnKnap = new QPushButton;
    aabnKnap->setObjectName(QStringLiteral("aabnKnap"));
    lukKnap = new QPushButton(QStringLiteral("Luk"));
    lukKnap->setObjectName(QStringLiteral("lukKnap"));
    lukKnap->setStatusTip(QStringLiteral("Luk vinduet: Esc"));
    for (QPushButton* b : {aabnKnap, lukKnap}) {
        b->setFixedSize(75, 25);
        b->setAutoDefault(false);
    }
    buttons->addWidget(aabnKnap);
    buttons->addStretch(1);
    buttons->addWidget(lukKnap);
    layout->addLayout(buttons);

    infoBar = new QStatusBar;
    infoBar->setObjectName(QStringLiteral("infoBar"));
    infoBar->setFixedHeight(19);
    infoBar->setSizeGripEnabled(false);
    antalLabel = new QLabel;
    antalLabel->setObjectName(QStringLiteral("antalLabel"));
    antalLabel->setContentsMargins(0, 0, 6, 0);
    infoBar->addPermanentWidget(antalLabel);
    outer->addWidget(infoBar);

    aAabn = new UpdateAction(
        this, QStringLiteral("Åbn"), QStringLiteral("Åbn valgte element: Enter"),
        [this] { return found->rowCount() > 0; }, [this] { aAabnExecute(); });
    aAabn->setObjectName(QStringLiteral("aAabn"));
    aAabn->drive(aabnKnap);
    connect(lukKnap, &QPushButton::clicked, this, &Tfindelementform::lukKnapClick);

    auto* luk = new QAction(this);
    luk->setObjectName(QStringLiteral("aLuk"));
    luk->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(luk, &QAction::triggered, this, &Tfindelementform::lukKnapClick);
    addAction(luk);
    auto* info = new QAction(this);
    info->setObjectName(QStringLiteral("aInfo"));
    info->setShortcut(QKeySequence(Qt::Key_F1));
    connect(info, &QAction::triggered, this, [this] { emit helpRequested(helpTopic); });
    addAction(info);

    connect(soegEdit, &QLineEdit::textChanged, this, &Tfindelementform::soegEditChange);
    // The selected element stays selected when the rows are found again (after a visit its
    // count, and so its place, changes).
    auto kept = std::make_shared<QString>();
    connect(found, &QAbstractItemModel::modelAboutToBeReset, this, [this, kept] {
        QString gruppe;
        const ElementIndex::Entry* e = found->element(selectedRow(), &gruppe);
        *kept = e ? e->sourceFile : QString();
    });
    connect(found, &QAbstractItemModel::modelReset, this, [this, kept] {
        if (const int row = kept->isEmpty() ? -1 : found->rowOf(*kept); row >= 0)
            resultatListe->selectRow(row);
        showCount();
    });

    soegEdit->installEventFilter(this);
    resultatListe->installEventFilter(this);
    resultatListe->viewport()->installEventFilter(this);
    setTabOrder(soegEdit, resultatListe);
    setTabOrder(resultatListe, aabnKnap);
    setTabOrder(aabnKnap, lukKnap);
}

void Tfindelementform::hentOpt() {
    // Read as far as it goes: a bad line ends the reading, what came before it stays.
    const WindowPlace place = readFindOptions(optfilnavn);
    placed = place.top && place.left;
    applyPlace(this, place);
}

bool Tfindelementform::gemOpt() {
    QString error;
    // The frame's place and the outer size, as the other windows keep theirs.
    const QRect outer = outerPlace(this);
    if (writeFindOptions(optfilnavn, outer.y(), outer.x(), outer.width(), outer.height(), &error))
        return true;
    MessageBox::fileError(QStringLiteral("Kan ikke oprette filen"), optfilnavn, error);
    return false;
}

void Tfindelementform::open() {
    show();
    raise();
    activateWindow();
    soegEdit->setFocus();
    soegEdit->selectAll();
}

void Tfindelementform::soegEditChange() {
    found->setText(soegEdit->text());
}

int Tfindelementform::selectedRow() const {
    const QModelIndexList rows = resultatListe->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void Tfindelementform::aAabnExecute() {
    const int row = selectedRow() >= 0 ? selectedRow() : 0;
    QString gruppe;
    const ElementIndex::Entry* e = found->element(row, &gruppe);
    if (!e)
        return;
    if (selectedRow() < 0)
        resultatListe->selectRow(row);
    // Copied: the visit changes the index, and with it the rows.
    const QString file = e->sourceFile;
    emit visitRequested(gruppe, file);
}

void Tfindelementform::lukKnapClick() {
    close();
}

void Tfindelementform::showCount() {
    const int n = found->rowCount();
    if (n == 0)
        antalLabel->setText(found->text().trimmed().isEmpty() ? QString()
                                                              : QStringLiteral("Ingen fundet"));
    else if (n == 1)
        antalLabel->setText(QStringLiteral("1 element"));
    else
        antalLabel->setText(QStringLiteral("%1 elementer").arg(n));
}

bool Tfindelementform::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick && watched == resultatListe->viewport()) {
        // Let the list select the row under the mouse first, then act on the selection.
        QTimer::singleShot(0, this, [this] {
            if (selectedRow() >= 0)
                aAabn->execute();
        });
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (watched == soegEdit) {
        if (enter) {
            aAabn->execute();
            return true;
        }
        if ((key == Qt::Key_Down || key == Qt::Key_PageDown) && found->rowCount() > 0) {
            // Down goes on into the results, at the first one the first time.
            resultatListe->setFocus();
            if (selectedRow() < 0)
                resultatListe->selectRow(0);
            return true;
        }
    } else if (watched == resultatListe) {
        if (enter) {
            if (selectedRow() >= 0)
                aAabn->execute();
            return true;
        }
        if (key == Qt::Key_Up && selectedRow() <= 0) {
            // Up from the first result goes back to the field, for more typing.
            soegEdit->setFocus();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool Tfindelementform::event(QEvent* e) {
    // Coming back from another window, where files may have been written (bookmarks imported
    // into groups, an element file edited by hand), the index looks at the disk again.
    if (e->type() == QEvent::WindowDeactivate)
        diskSeen = false;
    if (e->type() == QEvent::WindowActivate && !diskSeen && isVisible()) {
        diskSeen = true;
        index.open();
    }
    return hintsToStatusBar(e, infoBar) || QWidget::event(e);
}

void Tfindelementform::showEvent(QShowEvent* e) {
    if (!shownBefore) {
        shownBefore = true;
        // Loaded when first needed, not at program start.
        aAabn->setIcon(pictures::icon(pictures::Visit));
        // Without a place of its own, the window comes up over the middle of the main window.
        if (!placed && mainWindow) {
            const QRect main = mainWindow->frameGeometry();
            move(main.center() - QPoint(width() / 2, height() / 2));
        }
    }
    QWidget::showEvent(e);
    // Read once; at each later opening only what changed on disk is read again.
    const bool first = !index.isOpen();
    if (first)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    index.open();
    diskSeen = true;
    found->setShown(true);
    if (first)
        QApplication::restoreOverrideCursor();
}

void Tfindelementform::hideEvent(QHideEvent* e) {
    found->setShown(false);
    QWidget::hideEvent(e);
}

void Tfindelementform::closeEvent(QCloseEvent* e) {
    if (ending) {
        e->accept();
        return;
    }
    // When the place cannot be written the window stays open, so it is not lost unseen.
    if (gemOpt())
        e->accept();
    else
        e->ignore();
}
