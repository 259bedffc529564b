#include "boks.h"

#include "app.h"
#include "elementedit.h"
#include "filedialog.h"
#include "filenames.h"
#include "groupdelegate.h"
#include "groups.h"
#include "infUnit.h"
#include "main.h"
#include "messagebox.h"
#include "options.h"
#include "pictures.h"
#include "place.h"
#include "spmUnit.h"
#include "stylemanager.h"
#include "textcompare.h"
#include "textfile.h"
#include "updateaction.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
template <class W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLineEdit* edit(const char* name, int width = 0) {
    auto* e = named(new QLineEdit, name);
    if (width)
        e->setFixedWidth(width);
    return e;
}

// A read-only field that the Tab key passes over.
QLineEdit* shownField(const char* name, int width) {
    auto* e = edit(name, width);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::ClickFocus);
    return e;
}

// A button that runs an action and shows its caption and picture.
QToolButton* actionButton(const char* name, int width = 0) {
    auto* b = named(new QToolButton, name);
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setFixedHeight(25);
    // The designed width, or more where the caption needs it in the font at hand.
    if (width)
        b->setMinimumWidth(width);
    return b;
}

QToolButton* flatButton(const char* name, const QString& caption, const QString& hint,
                        pictures::Kind picture) {
    auto* b = named(new QToolButton, name);
    b->setText(caption);
    b->setIcon(pictures::icon(picture));
    b->setToolButtonStyle(caption.isEmpty() ? Qt::ToolButtonIconOnly
                                            : Qt::ToolButtonTextBesideIcon);
    b->setAutoRaise(true);
    b->setStatusTip(hint);
    // A button showing only a picture is named by its hint.
    b->setAccessibleName(caption.isEmpty() ? hint : caption);
    return b;
}

QLabel* buddyLabel(const QString& text, QWidget* buddy) {
    auto* l = new QLabel(text);
    l->setBuddy(buddy);
    buddy->setAccessibleName(text);
    return l;
}

// The thin line between the sections of a tab, with a margin above it.
QWidget* separator() {
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 8, 0, 0);
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setFixedHeight(3);
    layout->addWidget(line);
    return box;
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets, bool stretch = true) {
    auto* layout = new QHBoxLayout;
    layout->setSpacing(4);
    for (QWidget* w : widgets)
        layout->addWidget(w);
    if (stretch)
        layout->addStretch();
    return layout;
}

void copyItems(const QListWidget* from, QListWidget* to) {
    to->clear();
    to->addItems(itemTexts(from));
}

// A tab of two panes side by side, the right one taking what room is left.
QWidget* splitPage(const char* name, QWidget* left, QWidget* right, const QList<int>& sizes = {}) {
    auto* page = named(new QWidget, name);
    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(left);
    splitter->addWidget(right);
    if (!sizes.isEmpty())
        splitter->setSizes(sizes);
    splitter->setStretchFactor(1, 1);
    splitter->setChildrenCollapsible(false);
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    return page;
}
} // namespace

Tboksform::Tboksform(App& app_) : QWidget(nullptr), app(app_) {
    app.boksform = this;
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setWindowTitle(QStringLiteral("Administrer grupper og elementer"));
    setFont(tahoma(8));
    setMinimumSize(480, 400);
    resize(480, 400);
    buildControls();
    buildActions();

    // Creating the window: it takes over the main window's state.
    Tmainform* main = app.mainform;
    if (!main->gruppeliste.isEmpty())
        fillGroupLists(main->gruppeliste);
    loadBokse();
    listerModified = false;
    lagerBox->addItems(main->lagerliste);
    copyItems(gruppeBoks, Box);
    optfil = main->optdir + QStringLiteral("lenKaro.txt");
    hentOpt();
    // Ticking the box here switches the content mode as a click would.
    connect(funkCheck, &QCheckBox::toggled, this, &Tboksform::funkCheckClick);
    funkCheck->setChecked(main->funkNo == 1);
    main->loadDesign();
    setAddressCaptions();

    // The shelf's buttons run the main window's storage actions.
    const std::pair<QToolButton*, UpdateAction*> shelfButtons[] = {
        {tilLagerValgte, main->AvalgteTilLager},
        {tilbageValgte, main->AvalgteTilbage},
        {tilLagerAlle, main->AalleTilLager},
        {tilbageAlle, main->AalleTilbage},
        {flytOp, main->AflytOp},
        {flytNed, main->AflytNed},
        {gemKnap, main->AgemForandringer}};
    for (auto [button, action] : shelfButtons) {
        button->setDefaultAction(action);
        button->setAccessibleName(action->statusTip());
    }

    connect(gruppeBoks, &QListWidget::itemClicked, this, &Tboksform::gruppeBoksClick);
    gruppeBoks->installEventFilter(this);
    connect(designBox, &QComboBox::activated, this, &Tboksform::designBoxChange);
    connect(Bog, &QTabWidget::currentChanged, this, &Tboksform::BogChange);
    connect(redigerCheck, &QCheckBox::toggled, this, &Tboksform::redigerCheckClick);
    connect(sorterKnap, &QToolButton::clicked, this, &Tboksform::sorterKnapClick);
    connect(programBoks, &QTreeWidget::itemClicked, this, &Tboksform::programBoksClick);
    connect(fjernKnap, &QToolButton::clicked, this, &Tboksform::fjernKnapClick);
    for (QLineEdit* e : {gEdit, tekstEdit, nytekstEdit})
        e->installEventFilter(this);
    const std::pair<QToolButton*, const char*> topics[] = {{sbInformationsKnap, "Grupper"},
                                                           {sbInfo2, "Indfør element"},
                                                           {sbInfo1, "Rediger element"},
                                                           {sbInformation, "Administrer grupper"}};
    for (auto [button, topic] : topics) {
        connect(button, &QToolButton::clicked, this,
                [this, topic = QString::fromUtf8(topic)] { app.mainform->Information(topic); });
    }
}

void Tboksform::buildControls() {
    Bog = named(new QTabWidget, "Bog");
    // All four tabs stay in view; a caption that does not fit is shortened instead.
    Bog->setUsesScrollButtons(false);
    Bog->setElideMode(Qt::ElideMiddle);
    side0 = buildGroupsTab();
    side1 = buildEntryTab();
    side2 = buildEditTab();
    side4 = buildShelfTab();
    Bog->addTab(side0, QStringLiteral("Grupper"));
    Bog->addTab(side1, QStringLiteral("Indfør element"));
    Bog->addTab(side2, QStringLiteral("Fjern eller rediger element"));
    Bog->addTab(side4, QStringLiteral("Administrer grupper"));
    infoBar = named(new QStatusBar, "infoBar");
    infoBar->setFixedHeight(19);
    infoBar->setSizeGripEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Bog, 1);
    layout->addWidget(infoBar);
}

void Tboksform::buildActions() {
    auto make = [this](const char* name, const QString& caption, const QString& hint,
                       pictures::Kind picture, UpdateAction::Rule rule,
                       UpdateAction::Handler handler) {
        auto* action = new UpdateAction(this, caption, hint, std::move(rule), std::move(handler));
        action->setObjectName(QString::fromLatin1(name));
        action->setIcon(pictures::icon(picture));
        addAction(action);
        return action;
    };
    const auto onEntryTab = [this] { return Bog->currentIndex() == 1; };
    const auto elementChosen = [this] {
        return selectedElement() >= 0 && !webUrlEdit->text().isEmpty() &&
               !nytekstEdit->text().isEmpty();
    };
    aNyGruppe = make(
        "aNyGruppe", QStringLiteral("Indfør"), QStringLiteral("Opret ny gruppe"),
        pictures::NewGroup, [this] { return gEdit->text().size() > 2; }, [this] { NyGruppe(); });
    aSletGruppe = make(
        "aSletGruppe", QStringLiteral("Slet"), QStringLiteral("Slet aktuelle gruppe"),
        pictures::Delete, [this] { return valgtGruppeEdit->isReadOnly() && groupSelected(); },
        [this] { SletGruppe(); });
    aRedigerGruppe = make(
        "aRedigerGruppe", QStringLiteral("Gem"),
        QStringLiteral("Indfør det nye gruppenavn efter redigering"), pictures::Save,
        [this] { return !valgtGruppeEdit->isReadOnly(); },
        [this] {
            RedigerGruppe();
            // Whatever the rename did, the field is locked again.
            redigerCheck->setChecked(false);
            valgtGruppeEdit->setReadOnly(true);
        });
    aInsertElement = make(
        "aInsertElement", QStringLiteral("Indfør i gruppen"),
        QStringLiteral("Webadresse eller program indføres i valgte gruppe: Ctrl+I"),
        pictures::Insert,
        [this, onEntryTab] {
            return groupSelected() && !FilnavnEdit->text().isEmpty() &&
                   !tekstEdit->text().isEmpty() && onEntryTab();
        },
        [this] { InsertElement(); });
    aInsertElement->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    actionOpenEle = make(
        "actionOpenEle", QString(),
        QStringLiteral("Indsæt program eller webadresse  ved Stifinder eller Browser: Ctrl+B"),
        pictures::LookUp, [this, onEntryTab] { return groupSelected() && onEntryTab(); },
        [this] { actionOpenEleExecute(); });
    actionOpenEle->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    aRedigerNavn =
        make("aRedigerNavn", QString(), QStringLiteral("Gennemfør indførte forandringer"),
             pictures::Insert, elementChosen, [this] { RedigerNavn(); });
    aResetVisits = make("aResetVisits", QString(),
                        QStringLiteral("Nulstil dato og besøg for valgte gruppeelement"),
                        pictures::Reset, elementChosen, [this] { aResetVisitsExecute(); });

    const std::pair<QToolButton*, UpdateAction*> bound[] = {
        {sletKnap, aSletGruppe},      {redigerKnap, aRedigerGruppe}, {nyGruppeKnap, aNyGruppe},
        {insertKnap, aInsertElement}, {openKnap, actionOpenEle},     {nytekstKnap, aRedigerNavn},
        {Button1, aResetVisits}};
    for (auto [button, action] : bound) {
        button->setDefaultAction(action);
        if (action->text().isEmpty()) {
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);
            button->setFixedWidth(button->minimumWidth());
            button->setAccessibleName(action->statusTip());
        }
    }
}

QWidget* Tboksform::buildGroupsTab() {
    auto* left = new QWidget;
    left->setMinimumWidth(188);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(3, 3, 3, 3);
    gruppeBoks = named(new QListWidget, "gruppeBoks");
    gruppeBoks->setMinimumWidth(182);
    gruppeBoks->setSelectionMode(QAbstractItemView::SingleSelection);
    GroupItemDelegate::install(gruppeBoks);
    leftLayout->addWidget(buddyLabel(QStringLiteral("Eksisterende grupper"), gruppeBoks));
    leftLayout->addWidget(gruppeBoks, 1);

    auto* right = new QWidget;
    right->setMinimumWidth(259);
    auto* rows = new QVBoxLayout(right);
    rows->setContentsMargins(6, 3, 3, 3);
    rows->setSpacing(3);

    valgtGruppeEdit = shownField("valgtGruppeEdit", 160);
    rows->addWidget(buddyLabel(QStringLiteral("Valgt gruppe"), valgtGruppeEdit));
    sletKnap = actionButton("sletKnap", 75);
    rows->addLayout(row({valgtGruppeEdit, sletKnap}));
    redigerCheck = named(new QCheckBox(QStringLiteral("Rediger")), "redigerCheck");
    redigerCheck->setStatusTip(QStringLiteral("Muliggør redigering af gruppenavnet"));
    redigerKnap = actionButton("redigerKnap", 75);
    rows->addLayout(row({redigerCheck, redigerKnap}));
    rows->addWidget(separator());

    rows->addWidget(new QLabel(QStringLiteral("Indfør ny gruppe")));
    gEdit = edit("gEdit", 160);
    rows->addLayout(row({buddyLabel(QStringLiteral("Gruppe navn"), gEdit), gEdit}));
    nyGruppeKnap = actionButton("nyGruppeKnap", 75);
    rows->addLayout(row({nyGruppeKnap, new QLabel(QStringLiteral("Minimum 3 bogstaver"))}));
    rows->addWidget(separator());

    sbInformationsKnap = flatButton("sbInformationsKnap", QStringLiteral("Information"),
                                    QStringLiteral("Information: Grupper"), pictures::Help);
    sorterKnap = flatButton("sorterKnap", QStringLiteral("Sorter listen"),
                            QStringLiteral("Sorter listen alfabetisk"), pictures::Sort);
    rows->addLayout(row({sbInformationsKnap, sorterKnap}));
    designBox = named(new QComboBox, "designBox");
    designBox->setFixedWidth(136);
    designBox->setMaxVisibleItems(11);
    rows->addLayout(row({buddyLabel(QStringLiteral("Design"), designBox), designBox}));
    rows->addStretch();
    funkCheck = named(new QCheckBox(QStringLiteral("Programmer")), "funkCheck");
    funkCheck->setStatusTip(QStringLiteral("Skift mellem webadresser og programmer: Ctrl+S"));
    rows->addWidget(funkCheck);
    return splitPage("side0", left, right);
}

QWidget* Tboksform::buildEntryTab() {
    auto* page = named(new QWidget, "side1");
    auto* rows = new QVBoxLayout(page);
    rows->setContentsMargins(6, 6, 6, 6);
    rows->setSpacing(4);

    gruppeEdit = shownField("gruppeEdit", 160);
    rows->addWidget(
        buddyLabel(QStringLiteral("Elementerne indsættes i følgende gruppe"), gruppeEdit));
    rows->addWidget(gruppeEdit);
    rows->addWidget(separator());

    FilnavnEdit = edit("FilnavnEdit");
    adrLabel = named(buddyLabel(QStringLiteral("Werbadresse"), FilnavnEdit), "adrLabel");
    // The designed 68 pixels, or what the longer caption needs in the font at hand.
    const int labelWidth =
        std::max(68, adrLabel->fontMetrics().horizontalAdvance(QStringLiteral("Werbadresse")) + 4);
    adrLabel->setFixedWidth(labelWidth);
    openKnap = actionButton("openKnap", 26);
    auto* address = row({adrLabel, FilnavnEdit, openKnap}, false);
    address->setStretchFactor(FilnavnEdit, 1);
    rows->addLayout(address);

    tekstEdit = edit("tekstEdit", 160);
    auto* nameLabel = buddyLabel(QStringLiteral("Kort navn"), tekstEdit);
    nameLabel->setFixedWidth(labelWidth);
    rows->addLayout(row({nameLabel, tekstEdit}));
    insertKnap = actionButton("insertKnap", 110);
    rows->addWidget(insertKnap);
    auto* note = new QLabel(QStringLiteral(
        "Hvis \"Kort navn\" eksisterer i forvejen, kan elementets \"Dato\" og \"Besøg\" "
        "nulstilles, hvis det vælges, at filen overskrives."));
    note->setWordWrap(true);
    rows->addWidget(note);
    rows->addWidget(
        new QLabel(QStringLiteral("Ellers skal \"Kort navn\" være unikt i valgte gruppe.")));
    rows->addWidget(separator());
    sbInfo2 = flatButton("sbInfo2", QStringLiteral("Information"),
                         QStringLiteral("Information: Indfør element"), pictures::Help);
    rows->addWidget(sbInfo2, 0, Qt::AlignLeft);
    rows->addStretch();

    browserValg = named(new QGroupBox(QStringLiteral("Vælg browser til indførelse af webadresse")),
                        "browserValg");
    browserButtons = new QButtonGroup(browserValg);
    auto* browsers = new QHBoxLayout(browserValg);
    const QString names[] = {QStringLiteral("Google Chrome"), QStringLiteral("Microsoft Edge")};
    for (int i = 0; i < 2; ++i) {
        auto* radio = new QRadioButton(names[i]);
        browserButtons->addButton(radio, i);
        browsers->addWidget(radio, 1);
    }
    browserButtons->button(0)->setChecked(true);
    rows->addWidget(browserValg);
    return page;
}

QWidget* Tboksform::buildEditTab() {
    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(3, 3, 3, 3);
    programBoks = named(new QTreeWidget, "programBoks");
    programBoks->setColumnCount(1);
    programBoks->setHeaderLabels({QStringLiteral("Elementer")});
    programBoks->setRootIsDecorated(false);
    programBoks->setEditTriggers(QAbstractItemView::NoEditTriggers);
    programBoks->setItemDelegate(new GridLineDelegate(programBoks));
    programBoks->setAccessibleName(QStringLiteral("Elementer"));
    programBoks->header()->setSectionsClickable(false);
    leftLayout->addWidget(programBoks, 1);
    fjernKnap = named(new QToolButton, "fjernKnap");
    fjernKnap->setText(QStringLiteral("Fjern valgte"));
    fjernKnap->setFixedSize(89, 25);
    fjernKnap->setStatusTip(QStringLiteral("Fjern afkrydsede programmer fra gruppen"));
    auto* removeNote = new QLabel(QStringLiteral("Alle afkrydsede fjernes permanent."));
    removeNote->setWordWrap(true);
    auto* remove = row({fjernKnap, removeNote}, false);
    remove->setStretchFactor(removeNote, 1);
    leftLayout->addLayout(remove);

    auto* right = new QWidget;
    auto* rows = new QVBoxLayout(right);
    rows->setContentsMargins(6, 3, 3, 3);
    rows->setSpacing(3);
    gNameEdit = shownField("gNameEdit", 160);
    rows->addWidget(buddyLabel(QStringLiteral("Gruppe navn"), gNameEdit));
    rows->addWidget(gNameEdit);
    rows->addWidget(separator());
    auto* choose = new QLabel(QStringLiteral("Vælg element i listen der skal redigeres."));
    choose->setFont(tahoma(10));
    choose->setWordWrap(true);
    rows->addWidget(choose);
    webUrlEdit = edit("webUrlEdit");
    webUrlEdit->setFocusPolicy(Qt::ClickFocus);
    adrLabel2 = named(buddyLabel(QStringLiteral("Webadresse"), webUrlEdit), "adrLabel2");
    rows->addWidget(adrLabel2);
    rows->addWidget(webUrlEdit);
    nytekstEdit = edit("nytekstEdit", 168);
    rows->addWidget(buddyLabel(QStringLiteral("Elementets navn"), nytekstEdit));
    nytekstKnap = actionButton("nytekstKnap", 24);
    Button1 = actionButton("Button1", 24);
    rows->addLayout(row({nytekstEdit, nytekstKnap, Button1}));
    rows->addWidget(separator());
    sbInfo1 = flatButton("sbInfo1", QStringLiteral("Information"),
                         QStringLiteral("Information: Rediger element"), pictures::Help);
    rows->addWidget(sbInfo1, 0, Qt::AlignLeft);
    rows->addStretch();
    // The element list starts 195 pixels wide.
    return splitPage("side2", left, right, {195, 269});
}

QWidget* Tboksform::buildShelfTab() {
    auto* page = named(new QWidget, "side4");
    auto* layout = new QHBoxLayout(page);
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
    return page;
}

bool Tboksform::event(QEvent* e) {
    switch (e->type()) {
    case QEvent::StatusTip:
        // This window's own status bar shows the hints of its controls.
        infoBar->showMessage(static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    case QEvent::WindowActivate:
        infoBar->clearMessage();
        break;
    default:
        break;
    }
    return QWidget::event(e);
}

bool Tboksform::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, e);
    const auto* key = static_cast<QKeyEvent*>(e);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (watched == gruppeBoks) {
        // A character key selects the group highlighted now; a key that moves the highlight
        // selects the group it moved to.
        const int before = gruppeBoks->currentRow();
        const bool character = !key->text().isEmpty() && key->text().front() >= u' ';
        if (enter || character)
            gruppeBoksClick();
        QTimer::singleShot(0, this, [this, before] {
            if (gruppeBoks->currentRow() != before)
                gruppeBoksClick();
        });
        return false;
    }
    if (!enter)
        return false;
    if (watched == gEdit && gEdit->text().size() > 2) {
        NyGruppe();
        return true;
    }
    if (watched == tekstEdit && groupSelected() && !FilnavnEdit->text().isEmpty() &&
        !tekstEdit->text().isEmpty()) {
        InsertElement();
        return true;
    }
    if (watched == nytekstEdit && aRedigerNavn->update()) {
        RedigerNavn();
        return true;
    }
    return false;
}

bool Tboksform::groupSelected() const {
    return !app.mainform->gruppenavn.isEmpty();
}

void Tboksform::hentOpt() {
    if (!QFileInfo::exists(optfil)) {
        move(120, 120);
        resize(400, 480);
        return;
    }
    // Read as far as it goes: a bad line ends the reading, what came before it stays.
    const auto lines = textfile::readLines(optfil);
    if (!lines)
        return;
    const BoksOptions o = parseBoksOptions(*lines);
    applyPlace(this, o.place);
    if (o.browser)
        setBrowserIndex(*o.browser);
}

void Tboksform::gemOpt() {
    QString error;
    if (!textfile::writeLines(
            optfil, formatBoksOptions(y(), x(), width(), height(), browserIndex()), &error))
        Tmainform::writeError(optfil, error);
}

int Tboksform::browserIndex() const {
    return browserButtons->checkedId();
}

void Tboksform::setBrowserIndex(int index) {
    if (index < 0) {
        browserButtons->setExclusive(false);
        for (QAbstractButton* b : browserButtons->buttons())
            b->setChecked(false);
        browserButtons->setExclusive(true);
        return;
    }
    browserButtons->button(index >= 1 ? 1 : 0)->setChecked(true);
}

void Tboksform::fillGroupLists(const QStringList& names) {
    gruppeBoks->clear();
    gruppeBoks->addItems(names);
    app.mainform->gruppeBoksen->clear();
    app.mainform->gruppeBoksen->addItems(names);
}

void Tboksform::clearGroupFields() {
    for (QLineEdit* e : {valgtGruppeEdit, gEdit, gruppeEdit, FilnavnEdit, tekstEdit, gNameEdit,
                         nytekstEdit, webUrlEdit})
        e->clear();
    programBoks->clear();
}

void Tboksform::showGroupName(const QString& navn) {
    valgtGruppeEdit->setText(navn);
    gruppeEdit->setText(navn);
    gNameEdit->setText(navn);
}

void Tboksform::addElementRow(const QString& navn) {
    auto* item = new QTreeWidgetItem(programBoks, {navn});
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(0, Qt::Unchecked);
}

int Tboksform::selectedElement() const {
    const QList<QTreeWidgetItem*> selected = programBoks->selectedItems();
    return selected.isEmpty() ? -1 : programBoks->indexOfTopLevelItem(selected.first());
}

void Tboksform::loadBokse() {
    programBoks->clear();
    QTableWidget* listen = app.mainform->Listen;
    for (int r = 0; r < listen->rowCount(); ++r)
        addElementRow(listen->item(r, 3)->text());
    showGroupName(app.mainform->gruppenavn);
    nytekstEdit->clear();
    webUrlEdit->clear();
}

void Tboksform::SkiftGruppe() {
    Tmainform* main = app.mainform;
    main->loadGruppefil();
    valgtGruppeEdit->setText(main->gruppenavn);
    (main->funkNo == 0 ? main->gruppenavn0 : main->gruppenavn1) = main->gruppenavn;
    gruppeEdit->setText(main->gruppenavn);
    gNameEdit->setText(main->gruppenavn);
    main->gruppenavnLabel->setText(main->gruppenavn);
    nytekstEdit->clear();
    webUrlEdit->clear();
}

void Tboksform::gruppeBoksClick() {
    QListWidgetItem* item = gruppeBoks->currentItem();
    if (!item || !item->isSelected())
        return;
    app.mainform->gruppenavn = item->text();
    SkiftGruppe();
}

void Tboksform::funkCheckClick() {
    Tmainform* main = app.mainform;
    gruppeBoks->clear();
    if (funkCheck->isChecked()) {
        main->funkNo = 1;
        main->gruppenavn = main->gruppenavn1;
        main->Listen->horizontalHeaderItem(3)->setText(QStringLiteral("Program"));
    } else {
        main->funkNo = 0;
        main->gruppenavn = main->gruppenavn0;
        main->Listen->horizontalHeaderItem(3)->setText(QStringLiteral("Webside"));
    }
    main->gruppeBoksen->clear();
    main->setMappe();
    main->loadGruppefil();
    if (!main->gruppeliste.isEmpty())
        fillGroupLists(main->gruppeliste);
    lagerBox->clear();
    lagerBox->addItems(main->lagerliste);
    // Both working lists follow the content mode, and unsaved moves of the mode left behind
    // are dropped, so a save never writes one mode's groups into the other's list file.
    copyItems(gruppeBoks, Box);
    listerModified = false;
    setAddressCaptions();
}

void Tboksform::setAddressCaptions() {
    const QString caption =
        app.mainform->funkNo == 0 ? QStringLiteral("Werbadresse") : QStringLiteral("Program");
    adrLabel->setText(caption);
    adrLabel2->setText(caption);
    // A screen reader names each field by the caption it shows.
    FilnavnEdit->setAccessibleName(caption);
    webUrlEdit->setAccessibleName(caption);
}

void Tboksform::designBoxChange() {
    if (designBox->currentIndex() < 0)
        return;
    const QString name = designBox->currentText();
    if (sameTextAZ(name, app.mainform->designname))
        return;
    app.mainform->designname = name;
    StyleManager::setStyle(name);
}

void Tboksform::BogChange() {
    if (Bog->currentWidget() == side4)
        copyItems(gruppeBoks, Box);
}

QString Tboksform::OpenDia() {
    const QString file = FileDialog::open(this, QStringLiteral("Vælg program"), QDir::rootPath());
    return !file.isEmpty() && QFileInfo(file).isFile() ? QDir::toNativeSeparators(file) : QString();
}

void Tboksform::InsertElement() {
    Tmainform* main = app.mainform;
    if (!groupSelected())
        return;
    const QString navn = tekstEdit->text();
    const QString adresse = FilnavnEdit->text();
    if (navn.isEmpty()) {
        app.infform->inform(QStringLiteral("Der mangler et kort navn!"));
        return;
    }
    if (main->funkNo == 0) {
        if (adresse.isEmpty()) {
            app.infform->inform(QStringLiteral("Der mangler en webadresse!"));
            return;
        }
        if (!app.services.urlCheck->IsValidURL(adresse)) {
            app.infform->inform(QStringLiteral("Der mangler en gyldig webadresse!"));
            return;
        }
    } else {
        if (adresse.isEmpty()) {
            app.infform->inform(QStringLiteral("Der mangler et program!"));
            return;
        }
        if (!QFileInfo(adresse).isFile()) {
            app.infform->inform(QStringLiteral("Filen kunne ikke findes!"));
            return;
        }
    }
    main->gruppenavn = gruppeEdit->text();
    if (!main->insertElement(adresse, navn))
        return;
    FilnavnEdit->clear();
    tekstEdit->clear();
}

void Tboksform::actionOpenEleExecute() {
    if (app.mainform->funkNo != 0) {
        const QString file = OpenDia();
        if (!file.isEmpty())
            FilnavnEdit->setText(file);
        return;
    }
    app.mainform->startChosenBrowser();
}

namespace {
const QString unusableFolderName = QStringLiteral("Navnet kan ikke bruges som mappenavn.");
} // namespace

void Tboksform::NyGruppe() {
    Tmainform* main = app.mainform;
    const QString navn = gEdit->text();
    const QString contentDir = main->contentFolder();
    const store::GroupChange change = store::createGroup(contentDir, navn);
    switch (change.result) {
    case store::GroupChange::UnusableName:
        app.infform->inform(unusableFolderName);
        return;
    case store::GroupChange::Exists:
        app.infform->inform(QStringLiteral(
            "Der findes allerede en gruppe med angivne navn!\rKald gruppen noget andet."));
        return;
    case store::GroupChange::Failed:
        MessageBox::fileError(QStringLiteral("Kan ikke oprette mappen"),
                              filenames::join(contentDir, navn), change.error);
        return;
    case store::GroupChange::Done:
        break;
    }
    main->gruppeDir = filenames::join(contentDir, navn);
    main->gruppenavn = navn;
    main->gruppeliste.append(navn);
    main->saveGruppeliste();
    fillGroupLists(main->gruppeliste);
    SkiftGruppe();
    gEdit->clear();
}

void Tboksform::SletGruppe() {
    const QString question = QStringLiteral("Skal programgruppen ") + app.mainform->gruppenavn +
                             QStringLiteral(" slettes?");
    if (app.spform->ask(question))
        app.mainform->deleteGruppefil();
}

void Tboksform::redigerCheckClick() {
    valgtGruppeEdit->setReadOnly(!redigerCheck->isChecked());
}

void Tboksform::RedigerGruppe() {
    Tmainform* main = app.mainform;
    const QString nytNavn = valgtGruppeEdit->text();
    if (main->gruppenavn.isEmpty() || nytNavn.isEmpty())
        return;
    const QString contentDir = main->contentFolder();
    const QString oldFolder = QFileInfo(main->gruppeDir).fileName();
    const qsizetype position = store::groupIndex(main->gruppeliste, main->gruppenavn);
    const store::GroupChange change = store::renameGroup(contentDir, oldFolder, nytNavn);
    switch (change.result) {
    case store::GroupChange::UnusableName:
        app.infform->inform(unusableFolderName);
        return;
    case store::GroupChange::Exists:
        app.infform->inform(QStringLiteral("Gruppen ") + nytNavn +
                            QStringLiteral(" eksisterer allerede.\rDet nye gruppenavn skal være "
                                           "unikt."));
        return;
    case store::GroupChange::Failed:
        // The folder keeps its old name, and so do the list, its file and the selected group.
        app.infform->inform(QStringLiteral("En mappe kunne ikke omdøbes af ukendte årsager."));
        return;
    case store::GroupChange::Done:
        break;
    }
    main->gruppenavn = nytNavn;
    if (position >= 0)
        main->gruppeliste[position] = nytNavn;
    main->saveGruppeliste();
    fillGroupLists(main->gruppeliste);
    main->gruppeDir = filenames::join(contentDir, nytNavn);
    programBoks->setHeaderLabels({nytNavn});
    gruppeEdit->setText(nytNavn);
    gNameEdit->setText(nytNavn);
}

void Tboksform::sorterKnapClick() {
    Tmainform* main = app.mainform;
    main->gruppeliste = store::sortGroups(itemTexts(gruppeBoks), QLocale());
    fillGroupLists(main->gruppeliste);
    main->saveGruppeliste();
}

void Tboksform::programBoksClick() {
    const int row = selectedElement();
    if (row < 0)
        return;
    nytekstEdit->setText(programBoks->topLevelItem(row)->text(0));
    webUrlEdit->setText(app.mainform->Web[row].Url);
}

void Tboksform::RedigerNavn() {
    Tmainform* main = app.mainform;
    const QString adresse = webUrlEdit->text();
    const QString navn = nytekstEdit->text();
    const int row = selectedElement();
    if (row < 0)
        return;
    if (!app.services.urlCheck->IsValidURL(adresse)) {
        app.infform->inform(QStringLiteral("Der mangler en gyldig webadresse!"));
        return;
    }
    main->WebNo = row;
    TWebRecord& element = main->Web[row];
    const store::ElementEdit plan = store::planEdit(element, adresse, navn);
    if (plan.original) {
        app.infform->inform(QStringLiteral(
            "Valgte element er det oprindelige.\rDet bliver derfor ikke opdateret."));
        return;
    }
    const QString oldUrl = element.Url;
    if (plan.newUrl)
        element.Url = adresse;
    if (plan.newName) {
        // The new name is checked before anything is written; the address travels with it.
        const store::ElementChange change =
            store::renameElement(main->gruppeDir, main->Web, row, navn);
        switch (change.result) {
        case store::ElementChange::UnusableName:
            element.Url = oldUrl;
            app.infform->inform(QStringLiteral("Navnet kan ikke bruges som filnavn."));
            return;
        case store::ElementChange::NameTaken:
            element.Url = oldUrl;
            app.infform->inform(
                QStringLiteral("Der findes allerede et element med det navn i gruppen."));
            return;
        case store::ElementChange::WriteFailed:
            element.Url = oldUrl;
            Tmainform::writeError(change.path, change.error);
            return;
        case store::ElementChange::OldFileKept:
            MessageBox::fileError(QStringLiteral("Kan ikke slette filen"), change.path,
                                  change.error);
            break;
        case store::ElementChange::Done:
            break;
        }
        main->loadGruppefil();
    } else if (plan.newUrl && !main->GemWeb()) {
        element.Url = oldUrl;
        return;
    }
    webUrlEdit->clear();
    nytekstEdit->clear();
}

void Tboksform::aResetVisitsExecute() {
    Tmainform* main = app.mainform;
    const int row = selectedElement();
    if (row < 0)
        return;
    const QString adresse = webUrlEdit->text();
    const QString navn = nytekstEdit->text();
    main->WebNo = row;
    TWebRecord& element = main->Web[row];
    if (!store::isOriginal(element, adresse, navn)) {
        app.infform->inform(QStringLiteral("Url og elementnavn skal være de oprindelige, hvis "
                                           "nulstilling af besøg skal kunne lade sig gøre."));
        return;
    }
    if (!app.services.urlCheck->IsValidURL(adresse))
        return;
    element.Url = adresse;
    element.Navn = navn;
    // Entering the element again under its own name asks before it resets date and visits.
    main->insertElement(element.Url, element.Navn);
}

void Tboksform::fjernKnapClick() {
    Tmainform* main = app.mainform;
    const int rows = programBoks->topLevelItemCount();
    if (rows == 0)
        return;
    QStringList captions;
    QList<int> ticked;
    for (int row = 0; row < rows; ++row) {
        QTreeWidgetItem* item = programBoks->topLevelItem(row);
        if (item->checkState(0) == Qt::Checked) {
            captions << item->text(0);
            ticked << row;
        }
    }
    if (ticked.isEmpty()) {
        app.infform->inform(
            QStringLiteral("Der er ikke valgt elementer!\rAfkryds elementer, der skal slettes."));
        return;
    }
    QString question = QStringLiteral("Valgt: \r") + captions.join(QStringLiteral(", ")) + u'\r';
    question += ticked.size() == 1
                    ? QStringLiteral("Skal det valgte element slettes?")
                    : QStringLiteral("Skal de %1 valgte elementer slettes?").arg(ticked.size());
    if (!app.spform->ask(question))
        return;
    QStringList paths;
    for (auto it = ticked.crbegin(); it != ticked.crend(); ++it)
        paths << store::elementFilePath(main->gruppeDir, main->Web[*it].Navn);
    const store::FileRemoval removal = store::removeElementFiles(paths);
    if (!removal.ok())
        MessageBox::fileError(QStringLiteral("Kan ikke slette filen"), paths[removal.failed],
                              removal.error);
    // Also after a failed deletion, so the lists show what is on disk.
    main->loadGruppefil();
}
