#include "boks.h"

#include "dropentry.h"
#include "elementlistmodel.h"
#include "elementviews.h"
#include "entrycheck.h"
#include "filedialog.h"
#include "groupdelegate.h"
#include "groups.h"
#include "infUnit.h"
#include "messagebox.h"
#include "model.h"
#include "options.h"
#include "pictures.h"
#include "place.h"
#include "programsettings.h"
#include "report.h"
#include "shelftab.h"
#include "spmUnit.h"
#include "stylemanager.h"
#include "tabcontrols.h"
#include "textcompare.h"
#include "updateaction.h"
#include "windowcontext.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {
using tabcontrols::fill;
using tabcontrols::flatButton;
using tabcontrols::named;

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

// Fills a tab with two panes side by side, the right one taking what room is left. The panes
// come empty: the splitter measures what it is given, and controls measured before the window
// is shown are polished under the style sheet at once instead of at the first showing.
void splitPage(QWidget* page, QWidget* left, QWidget* right, const QList<int>& sizes = {}) {
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* splitter = new QSplitter(Qt::Horizontal, page);
    layout->addWidget(splitter);
    splitter->addWidget(left);
    splitter->addWidget(right);
    if (!sizes.isEmpty())
        splitter->setSizes(sizes);
    splitter->setStretchFactor(1, 1);
    splitter->setChildrenCollapsible(false);
}
} // namespace

Tboksform::Tboksform(WindowContext& context_, store::ShelfDraft& draft_)
    : QWidget(nullptr), context(context_), model(context_.model), draft(draft_),
      settings(context_.settings) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setWindowTitle(QStringLiteral("Administrer grupper og elementer"));
    setFont(tahoma(8));
    setMinimumSize(480, 400);
    resize(480, 400);
    buildControls();
    buildActions();

    // The lists and fields follow the model.
    connect(&model, &store::Model::groupListsChanged, this, &Tboksform::showGroupLists);
    connect(&model, &store::Model::currentGroupChanged, this, &Tboksform::showCurrentGroup);
    connect(&model, &store::Model::groupLoaded, this, &Tboksform::clearEntryFields);
    connect(&model, &store::Model::modeChanged, this, &Tboksform::showMode);

    // Creating the window: it shows the model's state as the main window's creation left it.
    showGroupLists();
    showCurrentGroup();
    optfil = boksOptionsPath(settings.optdir());
    hentOpt();
    // Ticking the box switches the content mode as a click would.
    connect(funkCheck, &QCheckBox::toggled, this, &Tboksform::funkCheckClick);
    funkCheck->setChecked(model.funkNo() == 1);
    loadDesign();
    setAddressCaptions();

    connect(gruppeBoks, &QListWidget::itemClicked, this, &Tboksform::gruppeBoksClick);
    gruppeBoks->installEventFilter(this);
    connect(designBox, &QComboBox::activated, this, &Tboksform::designBoxChange);
    connect(redigerCheck, &QCheckBox::toggled, this, &Tboksform::redigerCheckClick);
    connect(sorterKnap, &QToolButton::clicked, this, &Tboksform::sorterKnapClick);
    connect(programBoks, &QTreeView::clicked, this, &Tboksform::programBoksClick);
    connect(fjernKnap, &QToolButton::clicked, this, &Tboksform::fjernKnapClick);
    for (QLineEdit* e : {gEdit, tekstEdit, nytekstEdit})
        e->installEventFilter(this);
    const std::pair<QToolButton*, const char*> topics[] = {
        {sbInformationsKnap, "Grupper"}, {sbInfo2, "Indfør element"}, {sbInfo1, "Rediger element"}};
    for (auto [button, topic] : topics) {
        connect(button, &QToolButton::clicked, this,
                [this, topic = QString::fromUtf8(topic)] { emit helpRequested(topic); });
    }
}

void Tboksform::buildControls() {
    // The window's frame first and each tab in place before its controls are made: a widget
    // moved into a window under a style sheet is polished anew, with all its children.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Bog = named(new QTabWidget(this), "Bog");
    // All four tabs stay in view; a caption that does not fit is shortened instead.
    Bog->setUsesScrollButtons(false);
    Bog->setElideMode(Qt::ElideMiddle);
    layout->addWidget(Bog, 1);
    infoBar = named(new QStatusBar(this), "infoBar");
    infoBar->setFixedHeight(19);
    infoBar->setSizeGripEnabled(false);
    layout->addWidget(infoBar);
    const auto page = [this](const char* name, const QString& caption) {
        auto* tab = named(new QWidget, name);
        Bog->addTab(tab, caption);
        return tab;
    };
    side0 = page("side0", QStringLiteral("Grupper"));
    side1 = page("side1", QStringLiteral("Indfør element"));
    side2 = page("side2", QStringLiteral("Fjern eller rediger element"));
    side4 = page("side4", QStringLiteral("Administrer grupper"));
    buildGroupsTab(side0);
    buildEntryTab(side1);
    buildEditTab(side2);
    // The shelf's tab is a class of its own, over the shelf's draft.
    auto* shelfLayout = new QVBoxLayout(side4);
    shelfLayout->setContentsMargins(0, 0, 0, 0);
    shelfTab = new ShelfTab(draft, side4);
    shelfLayout->addWidget(shelfTab);
    connect(shelfTab, &ShelfTab::helpRequested, this, &Tboksform::helpRequested);
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
        pictures::Delete, [this] { return valgtGruppeEdit->isReadOnly() && model.hasGroup(); },
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
            return model.hasGroup() && !FilnavnEdit->text().isEmpty() &&
                   !tekstEdit->text().isEmpty() && onEntryTab();
        },
        [this] { InsertElement(); });
    aInsertElement->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    actionOpenEle = make(
        "actionOpenEle", QString(),
        QStringLiteral("Indsæt program eller webadresse  ved Stifinder eller Browser: Ctrl+B"),
        pictures::LookUp, [this, onEntryTab] { return model.hasGroup() && onEntryTab(); },
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

void Tboksform::buildGroupsTab(QWidget* page) {
    auto* left = new QWidget;
    auto* right = new QWidget;
    splitPage(page, left, right);
    left->setMinimumWidth(188);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(3, 3, 3, 3);
    gruppeBoks = named(new QListWidget, "gruppeBoks");
    gruppeBoks->setMinimumWidth(182);
    gruppeBoks->setSelectionMode(QAbstractItemView::SingleSelection);
    GroupItemDelegate::install(gruppeBoks);
    leftLayout->addWidget(buddyLabel(QStringLiteral("Eksisterende grupper"), gruppeBoks));
    leftLayout->addWidget(gruppeBoks, 1);

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
}

void Tboksform::buildEntryTab(QWidget* page) {
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
    showBrowserValg(settings.browserValg());
    // A click is the user's choice; the settings tell every reader.
    connect(browserButtons, &QButtonGroup::idClicked, &settings, &ProgramSettings::setBrowserValg);
    connect(&settings, &ProgramSettings::browserValgChanged, this, &Tboksform::showBrowserValg);
    rows->addWidget(browserValg);
}

void Tboksform::buildEditTab(QWidget* page) {
    auto* left = new QWidget;
    auto* right = new QWidget;
    // The element list starts 195 pixels wide.
    splitPage(page, left, right, {195, 269});
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(3, 3, 3, 3);
    programBoks = named(new QTreeView, "programBoks");
    ticks = new TickedElements(model.elements(), this);
    ticks->setHeading(QStringLiteral("Elementer"));
    programBoks->setModel(ticks);
    // One column: the names, each with its tick box.
    for (int column = 0; column < ticks->columnCount(); ++column)
        programBoks->setColumnHidden(column, column != TickedElements::nameColumn());
    programBoks->setRootIsDecorated(false);
    programBoks->setItemsExpandable(false);
    programBoks->setAllColumnsShowFocus(true);
    programBoks->setEditTriggers(QAbstractItemView::NoEditTriggers);
    programBoks->setItemDelegate(new GridLineDelegate(programBoks));
    programBoks->setAccessibleName(QStringLiteral("Elementer"));
    programBoks->header()->setSectionsClickable(false);
    // A link dragged from a browser (or a program from a file manager) is entered here.
    programBoks->viewport()->setAcceptDrops(true);
    programBoks->viewport()->installEventFilter(this);
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
}

bool Tboksform::event(QEvent* e) {
    return hintsToStatusBar(e, infoBar) || QWidget::event(e);
}

bool Tboksform::eventFilter(QObject* watched, QEvent* e) {
    if (watched == programBoks->viewport() &&
        (e->type() == QEvent::DragEnter || e->type() == QEvent::DragMove ||
         e->type() == QEvent::Drop)) {
        auto* drag = static_cast<QDropEvent*>(e);
        const std::optional<DroppedEntry> entry = droppedEntry(drag->mimeData(), model.funkNo());
        if (!entry)
            return true;
        drag->acceptProposedAction();
        if (e->type() == QEvent::Drop)
            QTimer::singleShot(0, this, [this, d = *entry] { enterDropped(d.adresse, d.navn); });
        return true;
    }
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
    if (watched == tekstEdit && model.hasGroup() && !FilnavnEdit->text().isEmpty() &&
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

void Tboksform::hentOpt() {
    // Read as far as it goes: a bad line ends the reading, what came before it stays.
    const BoksOptions o = readBoksOptions(optfil);
    // Its design client area is below the least outer size, so that is its design size.
    applyPlace(this, o.place);
    if (o.browser)
        settings.setBrowserValg(*o.browser);
}

void Tboksform::gemOpt() {
    QString error;
    const QRect place = outerPlace(this);
    if (!writeBoksOptions(optfil, place.y(), place.x(), place.width(), place.height(),
                          settings.browserValg(), &error))
        MessageBox::fileError(QStringLiteral("Kan ikke oprette filen"), optfil, error);
}

void Tboksform::showBrowserValg(int index) {
    if (index < 0) {
        browserButtons->setExclusive(false);
        for (QAbstractButton* b : browserButtons->buttons())
            b->setChecked(false);
        browserButtons->setExclusive(true);
        return;
    }
    browserButtons->button(index >= 1 ? 1 : 0)->setChecked(true);
}

void Tboksform::showGroupLists() {
    fill(gruppeBoks, model.gruppeliste());
    showCurrentGroup();
}

void Tboksform::showCurrentGroup() {
    const QString& navn = model.gruppenavn();
    for (QLineEdit* e : {valgtGruppeEdit, gruppeEdit, gNameEdit})
        e->setText(navn);
    // The highlighted group is the current one.
    const qsizetype row = store::groupIndex(model.gruppeliste(), navn);
    if (model.hasGroup() && row >= 0 && row < gruppeBoks->count())
        gruppeBoks->setCurrentRow(int(row));
    else
        gruppeBoks->clearSelection();
    if (!sameTextAZ(navn, renamedGroup))
        renamedGroup.clear();
    ticks->setHeading(renamedGroup.isEmpty() ? QStringLiteral("Elementer") : navn);
}

void Tboksform::clearEntryFields() {
    for (QLineEdit* e : {gEdit, FilnavnEdit, tekstEdit, nytekstEdit, webUrlEdit})
        e->clear();
}

void Tboksform::showMode() {
    const QSignalBlocker quiet(funkCheck);
    funkCheck->setChecked(model.funkNo() == 1);
    setAddressCaptions();
}

int Tboksform::selectedElement() const {
    const QModelIndexList rows = programBoks->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void Tboksform::gruppeBoksClick() {
    QListWidgetItem* item = gruppeBoks->currentItem();
    if (!item || !item->isSelected())
        return;
    model.selectGroup(item->text());
}

void Tboksform::funkCheckClick() {
    showFileError(model.switchMode(funkCheck->isChecked() ? 1 : 0));
}

void Tboksform::setAddressCaptions() {
    const QString caption =
        model.funkNo() == 0 ? QStringLiteral("Werbadresse") : QStringLiteral("Program");
    adrLabel->setText(caption);
    adrLabel2->setText(caption);
    // A screen reader names each field by the caption it shows.
    FilnavnEdit->setAccessibleName(caption);
    webUrlEdit->setAccessibleName(caption);
}

void Tboksform::loadDesign() {
    QStringList names = StyleManager::styleNames();
    names.sort(Qt::CaseInsensitive);
    designBox->clear();
    designBox->addItems(names);
    // A fixed-string match ignores case.
    designBox->setCurrentIndex(designBox->findText(settings.designname(), Qt::MatchFixedString));
}

void Tboksform::designBoxChange() {
    if (designBox->currentIndex() < 0)
        return;
    const QString name = designBox->currentText();
    if (!sameTextAZ(name, settings.designname()))
        emit designChosen(name);
}

QString Tboksform::OpenDia() {
    return chooseProgram(this);
}

namespace {
const QString unusableFileName = QStringLiteral("Navnet kan ikke bruges som filnavn.");
const QString unusableFolderName = QStringLiteral("Navnet kan ikke bruges som mappenavn.");
} // namespace

void Tboksform::enterDropped(const QString& adresse, const QString& navn) {
    if (!model.hasGroup()) {
        context.infform->inform(
            QStringLiteral("Vælg først den gruppe, elementet skal indføres i."));
        return;
    }
    // As if typed into the entry fields and "Indfør" pressed.
    FilnavnEdit->setText(adresse);
    tekstEdit->setText(navn);
    InsertElement();
}

void Tboksform::InsertElement() {
    if (!model.hasGroup())
        return;
    const QString navn = tekstEdit->text();
    const QString adresse = FilnavnEdit->text();
    if (informFailedEntry(
            *context.infform,
            store::checkEntry(model.funkNo(), adresse, navn, 1, *context.services.urlCheck),
            EntryForm::EntryTab))
        return;
    const store::Result result = model.insertElement(adresse, navn, [this](const QString& name) {
        return confirmOverwrite(*context.spform, name);
    });
    if (result.kind == store::Result::UnusableName) {
        context.infform->inform(unusableFileName);
        return;
    }
    // A failed write keeps what was typed, so it can be tried again.
    if (showFileError(result))
        return;
    FilnavnEdit->clear();
    tekstEdit->clear();
}

void Tboksform::actionOpenEleExecute() {
    if (model.funkNo() != 0) {
        const QString file = OpenDia();
        if (!file.isEmpty())
            FilnavnEdit->setText(file);
        return;
    }
    emit browserLookUpRequested();
}

void Tboksform::NyGruppe() {
    const QString navn = gEdit->text();
    const store::Result result = model.NyGruppe(navn);
    switch (result.kind) {
    case store::Result::UnusableName:
        context.infform->inform(unusableFolderName);
        return;
    case store::Result::Exists:
        context.infform->inform(QStringLiteral(
            "Der findes allerede en gruppe med angivne navn!\rKald gruppen noget andet."));
        return;
    default:
        if (showFileError(result))
            return;
    }
    gEdit->clear();
}

void Tboksform::SletGruppe() {
    const QString question =
        QStringLiteral("Skal programgruppen ") + model.gruppenavn() + QStringLiteral(" slettes?");
    if (context.spform->ask(question))
        showFileError(model.deleteGruppefil());
}

void Tboksform::redigerCheckClick() {
    valgtGruppeEdit->setReadOnly(!redigerCheck->isChecked());
}

void Tboksform::RedigerGruppe() {
    const QString nytNavn = valgtGruppeEdit->text();
    const store::Result result = model.RedigerGruppe(nytNavn);
    switch (result.kind) {
    case store::Result::Done:
        renamedGroup = model.gruppenavn();
        showCurrentGroup();
        return;
    case store::Result::UnusableName:
        context.infform->inform(unusableFolderName);
        return;
    case store::Result::Exists:
        context.infform->inform(
            QStringLiteral("Gruppen ") + nytNavn +
            QStringLiteral(" eksisterer allerede.\rDet nye gruppenavn skal være "
                           "unikt."));
        return;
    case store::Result::RenameRefused:
        // The folder keeps its old name, and so do the list, its file and the selected group.
        context.infform->inform(QStringLiteral("En mappe kunne ikke omdøbes af ukendte årsager."));
        return;
    default:
        showFileError(result);
        return;
    }
}

void Tboksform::sorterKnapClick() {
    showFileError(model.sortGroups(QLocale()));
}

void Tboksform::programBoksClick() {
    const int row = selectedElement();
    if (row < 0)
        return;
    nytekstEdit->setText(model.Web()[row].Navn);
    webUrlEdit->setText(model.Web()[row].Url);
}

void Tboksform::RedigerNavn() {
    const int row = selectedElement();
    if (row < 0)
        return;
    const store::Result result = model.editElement(row, webUrlEdit->text(), nytekstEdit->text());
    switch (result.kind) {
    case store::Result::InvalidAddress:
        context.infform->inform(QStringLiteral("Der mangler en gyldig webadresse!"));
        return;
    case store::Result::Original:
        context.infform->inform(QStringLiteral(
            "Valgte element er det oprindelige.\rDet bliver derfor ikke opdateret."));
        return;
    case store::Result::UnusableName:
        context.infform->inform(unusableFileName);
        return;
    case store::Result::NameTaken:
        context.infform->inform(
            QStringLiteral("Der findes allerede et element med det navn i gruppen."));
        return;
    case store::Result::FileNotDeleted:
        // The element has its new name all the same; only its old file is left over.
        showFileError(result);
        break;
    default:
        if (showFileError(result))
            return;
    }
    webUrlEdit->clear();
    nytekstEdit->clear();
}

void Tboksform::aResetVisitsExecute() {
    const int row = selectedElement();
    if (row < 0)
        return;
    const store::Result result = model.resetVisits(
        row, webUrlEdit->text(), nytekstEdit->text(),
        [this](const QString& name) { return confirmOverwrite(*context.spform, name); });
    if (result.kind == store::Result::NotOriginal) {
        context.infform->inform(QStringLiteral("Url og elementnavn skal være de oprindelige, hvis "
                                               "nulstilling af besøg skal kunne lade sig gøre."));
        return;
    }
    // An address the check refuses stops the reset without a word.
    showFileError(result);
}

void Tboksform::fjernKnapClick() {
    if (model.Web().isEmpty())
        return;
    const QList<int> ticked = ticks->tickedRows();
    if (ticked.isEmpty()) {
        context.infform->inform(
            QStringLiteral("Der er ikke valgt elementer!\rAfkryds elementer, der skal slettes."));
        return;
    }
    QStringList captions;
    for (int row : ticked)
        captions << model.Web()[row].Navn;
    QString question = QStringLiteral("Valgt: \r") + captions.join(QStringLiteral(", ")) + u'\r';
    question += ticked.size() == 1
                    ? QStringLiteral("Skal det valgte element slettes?")
                    : QStringLiteral("Skal de %1 valgte elementer slettes?").arg(ticked.size());
    if (!context.spform->ask(question))
        return;
    showFileError(model.removeElements(ticked));
}
