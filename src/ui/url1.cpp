#include "url1.h"

#include "app.h"
#include "info.h"
#include "main.h"
#include "messagebox.h"
#include "options.h"
#include "pictures.h"
#include "place.h"
#include "updateaction.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QVBoxLayout>

namespace {
QListWidget* historyList(const char* name) {
    auto* list = new QListWidget;
    list->setObjectName(QString::fromLatin1(name));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSortingEnabled(false);
    return list;
}
} // namespace

Turlform1::Turlform1(App& app_) : QWidget(nullptr, Qt::Window), app(app_) {
    app.urlform1 = this;
    setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint);
    setWindowTitle(QStringLiteral("Urlboks"));
    setFont(tahoma(8));
    setMinimumSize(300, 200);
    resize(443, 338);
    buildControls();

    optfilnavn = urlboksOptionsPath(app.mainform->optdir);
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

    strukturliste = historyList("strukturliste");
    urlListe = historyList("urlListe");
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
        [this] { return urlListe->count() > 0; }, [this] { AsletAlleExecute(); });
    AsletAlle->setObjectName(QStringLiteral("AsletAlle"));
    // The button follows the action: caption, picture, hint and enabled state.
    auto follow = [this] {
        sletKnap->setText(AsletAlle->text());
        sletKnap->setIcon(AsletAlle->icon());
        sletKnap->setStatusTip(AsletAlle->statusTip());
        sletKnap->setEnabled(AsletAlle->isEnabled());
    };
    follow();
    connect(AsletAlle, &QAction::changed, this, follow);
    connect(sletKnap, &QPushButton::clicked, AsletAlle, &QAction::trigger);
    connect(lukKnap, &QPushButton::clicked, this, &Turlform1::lukKnapClick);

    connect(urlListe, &QListWidget::itemClicked, this, &Turlform1::urlListeClick);
    connect(strukturliste, &QListWidget::itemClicked, this, &Turlform1::strukturlisteClick);
    connect(urlListe, &QListWidget::itemDoubleClicked, this, &Turlform1::urlListeDblClick);
    connect(strukturliste, &QListWidget::itemDoubleClicked, this,
            &Turlform1::strukturlisteDblClick);

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

int Turlform1::entries() const {
    return urlListe->count();
}

QString Turlform1::nodeText(int index) const {
    return urlListe->item(index)->text();
}

QString Turlform1::strukturName(int index) const {
    return strukturliste->item(index)->text();
}

void Turlform1::addEntry(const QString& nodeText, const QString& strukturnavn) {
    urlListe->addItem(nodeText);
    strukturliste->addItem(strukturnavn);
}

void Turlform1::selectEntry(int index) {
    for (QListWidget* list : {urlListe, strukturliste}) {
        if (index < 0 || index >= list->count())
            list->clearSelection();
        else
            list->setCurrentRow(index);
    }
}

void Turlform1::urlListeClick() {
    strukturliste->setCurrentRow(urlListe->currentRow());
}

void Turlform1::strukturlisteClick() {
    urlListe->setCurrentRow(strukturliste->currentRow());
}

void Turlform1::urlListeDblClick() {
    goBackTo(urlListe);
}

void Turlform1::strukturlisteDblClick() {
    goBackTo(strukturliste);
}

void Turlform1::goBackTo(const QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    // With nothing selected there is no entry to go back to.
    if (selected.isEmpty())
        return;
    app.infoformen->goToStruktur(list->row(selected.first()));
}

void Turlform1::AsletAlleExecute() {
    urlListe->clear();
    strukturliste->clear();
    app.infoformen->urlIndex = -1;
    // The help window's arrows read the history: they grey now, not at the next key there.
    UpdateAction::updateSoon();
}

void Turlform1::lukKnapClick() {
    close();
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
        applyPlace(this, {}, DesignSize::Client, app.mainform);
    }
    QWidget::showEvent(e);
}

void Turlform1::closeEvent(QCloseEvent* e) {
    if (app.ending) {
        e->accept();
        return;
    }
    // When the size cannot be written the window stays open, so it is not lost unseen.
    if (gemOpt())
        e->accept();
    else
        e->ignore();
}
