#include "ui/help/url1.h"

#include "platform/toolkit/messagebox.h"
#include "platform/toolkit/updateaction.h"
#include "settings/options.h"
#include "settings/programsettings.h"
#include "store/helphistory.h"
#include "ui/widgets/pictures.h"
#include "ui/widgets/place.h"
#include "ui/windowcontext.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QVBoxLayout>

namespace {
QListView* historyList(const char* name, store::HelpHistory* history, int column) {
    auto* list = new QListView;
    list->setObjectName(QString::fromLatin1(name));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setModel(history);
    list->setModelColumn(column);
    return list;
}

int selectedRow(const QListView* list) {
    const QModelIndexList selected = list->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}
} // namespace

Turlform1::Turlform1(WindowContext& context_, store::HelpHistory& history_, QWidget* mainWindow_)
    : QWidget(nullptr, Qt::Window), context(context_), history(history_), mainWindow(mainWindow_) {
    setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint);
    setWindowTitle(QStringLiteral("Urlboks"));
    setFont(tahoma(8));
    setMinimumSize(300, 200);
    resize(443, 338);
    buildControls();

    optfilnavn = urlboksOptionsPath(context.settings.optdir());
    hentOpt();
}

void Turlform1::buildControls() {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    overskriftLabel = new QLabel(QStringLiteral("Besøgte sider"));
    overskriftLabel->setObjectName(QStringLiteral("overskriftLabel"));
    overskriftLabel->setFont(tahoma(10));
    overskriftLabel->setContentsMargins(3, 3, 3, 3);
    outer->addWidget(overskriftLabel);

    strukturliste = historyList("strukturliste", &history, store::HelpHistory::StrukturColumn);
    urlListe = historyList("urlListe", &history, store::HelpHistory::NodeTextColumn);
    strukturliste->setAccessibleName(QStringLiteral("Besøgte sider: hjælpens navn"));
    urlListe->setAccessibleName(QStringLiteral("Besøgte sider: sidens emne"));
    for (QListView* list : {strukturliste, urlListe}) {
        // Enter and Space lead back to the entry, as a double-click does.
        list->installEventFilter(this);
        // A row reached by the arrow keys is marked in both lists, as a clicked one is.
        connect(list->selectionModel(), &QItemSelectionModel::currentChanged, this,
                [this, list](const QModelIndex& current) {
                    if (current.isValid() && list->hasFocus())
                        selectEntry(current.row());
                });
    }
    // Each list keeps a 3-pixel margin of its own.
    auto framed = [](QWidget* list) {
        auto* frame = new QWidget;
        auto* l = new QVBoxLayout(frame);
        l->setContentsMargins(3, 3, 3, 3);
        l->addWidget(list);
        return frame;
    };
    // In the window before its lists come: a widget moved into a window under a style sheet is
    // polished anew, with all its children.
    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    outer->addWidget(Splitter1, 1);
    Splitter1->addWidget(framed(strukturliste));
    Splitter1->addWidget(framed(urlListe));
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setChildrenCollapsible(false);
    Splitter1->setSizes({175 + 6, 443 - 175 - 6});

    knapPanel = new QWidget;
    knapPanel->setObjectName(QStringLiteral("knapPanel"));
    knapPanel->setFixedHeight(31);
    auto* buttons = new QHBoxLayout(knapPanel);
    buttons->setContentsMargins(3, 3, 3, 3);
    sletKnap = new QPushButton;
    sletKnap->setObjectName(QStringLiteral("sletKnap"));
    lukKnap = new QPushButton(QStringLiteral("Luk"));
    lukKnap->setObjectName(QStringLiteral("lukKnap"));
    lukKnap->setStatusTip(QStringLiteral("Luk urlboksen"));
    for (QPushButton* b : {sletKnap, lukKnap})
        b->setFixedSize(75, 25);
    buttons->addWidget(sletKnap);
    buttons->addStretch(1);
    buttons->addWidget(lukKnap);
    outer->addWidget(knapPanel);

    infoBar = new QStatusBar;
    infoBar->setObjectName(QStringLiteral("infoBar"));
    infoBar->setFixedHeight(19);
    infoBar->setSizeGripEnabled(false);
    outer->addWidget(infoBar);

    AsletAlle = new UpdateAction(
        this, QStringLiteral("Slet liste"), QStringLiteral("Slet alle urls fra listen"),
        [this] { return history.entries() > 0; }, [this] { AsletAlleExecute(); });
    AsletAlle->setObjectName(QStringLiteral("AsletAlle"));
    AsletAlle->drive(sletKnap);
    connect(lukKnap, &QPushButton::clicked, this, &Turlform1::lukKnapClick);

    connect(urlListe, &QListView::clicked, this, &Turlform1::urlListeClick);
    connect(strukturliste, &QListView::clicked, this, &Turlform1::strukturlisteClick);
    connect(urlListe, &QListView::doubleClicked, this, &Turlform1::urlListeDblClick);
    connect(strukturliste, &QListView::doubleClicked, this, &Turlform1::strukturlisteDblClick);
    connect(&history, &store::HelpHistory::currentShown, this, &Turlform1::selectEntry);

    setTabOrder(urlListe, sletKnap);
    setTabOrder(sletKnap, lukKnap);
    setTabOrder(lukKnap, strukturliste);
}

void Turlform1::hentOpt() {
    // Read as far as it goes: a bad line ends the reading, a width read before it stays.
    applyPlace(this, readUrlboksOptions(optfilnavn), DesignSize::Client);
}

bool Turlform1::gemOpt() {
    QString error;
    const QSize outer = outerPlace(this).size();
    if (writeUrlboksOptions(optfilnavn, outer.width(), outer.height(), &error))
        return true;
    MessageBox::fileError(QStringLiteral("Kan ikke oprette filen"), optfilnavn, error);
    return false;
}

void Turlform1::selectEntry(int index) {
    // A hidden window marks nothing: a list's marked row is announced to a screen reader, which
    // would read out a window nobody sees each time a help page opens. It is marked when shown.
    if (!isVisible()) {
        markWhenShown = index;
        return;
    }
    markWhenShown.reset();
    for (QListView* list : {urlListe, strukturliste}) {
        if (index < 0 || index >= history.entries())
            list->clearSelection();
        else
            list->setCurrentIndex(history.index(index, list->modelColumn()));
    }
}

void Turlform1::urlListeClick() {
    selectEntry(urlListe->currentIndex().row());
}

void Turlform1::strukturlisteClick() {
    selectEntry(strukturliste->currentIndex().row());
}

void Turlform1::urlListeDblClick() {
    goBackTo(urlListe);
}

void Turlform1::strukturlisteDblClick() {
    goBackTo(strukturliste);
}

void Turlform1::goBackTo(const QListView* list) {
    // With nothing selected there is no entry to go back to: the history ignores -1.
    history.goToStruktur(selectedRow(list));
}

void Turlform1::AsletAlleExecute() {
    history.clear();
    // The help window's arrows read the history: they grey now, not at the next key there.
    UpdateAction::updateSoon();
}

void Turlform1::lukKnapClick() {
    close();
}

bool Turlform1::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyPress && (watched == urlListe || watched == strukturliste)) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            goBackTo(static_cast<QListView*>(watched));
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}

bool Turlform1::event(QEvent* e) {
    return hintsToStatusBar(e, infoBar) || QWidget::event(e);
}

void Turlform1::showEvent(QShowEvent* e) {
    if (!shownBefore) {
        shownBefore = true;
        // Loaded when first needed, not at program start.
        AsletAlle->setIcon(pictures::icon(pictures::Delete));
        // The first time, the window comes up over the middle of the main window, its frame
        // centred on the main window's frame.
        applyPlace(this, {}, DesignSize::Client, mainWindow);
    }
    QWidget::showEvent(e);
    if (markWhenShown)
        selectEntry(*markWhenShown);
}

void Turlform1::closeEvent(QCloseEvent* e) {
    if (context.ending) {
        e->accept();
        return;
    }
    // When the size cannot be written the window stays open, so it is not lost unseen.
    if (gemOpt())
        e->accept();
    else
        e->ignore();
}
