#include "boks.h"

#include "app.h"
#include "groupdelegate.h"
#include "main.h"
#include "options.h"
#include "pictures.h"
#include "stylemanager.h"
#include "textcompare.h"
#include "textfile.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
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

QToolButton* flatButton(const char* name, const QString& caption, const QString& hint,
                        pictures::Kind picture) {
    auto* b = named(new QToolButton, name);
    b->setText(caption);
    b->setIcon(pictures::icon(picture));
    b->setToolButtonStyle(caption.isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
    b->setAutoRaise(true);
    b->setStatusTip(hint);
    b->setAccessibleName(caption.isEmpty() ? hint : caption);
    return b;
}

QLabel* buddyLabel(const QString& text, QWidget* buddy) {
    auto* l = new QLabel(text);
    l->setBuddy(buddy);
    buddy->setAccessibleName(text);
    return l;
}

QFrame* separator() {
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
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

    // Creating the window: it takes over the main window's state.
    Tmainform* main = app.mainform;
    if (!main->gruppeliste.isEmpty())
        fillGroupLists(main->gruppeliste);
    loadBokse();
    listerModified = false;
    lagerBox->addItems(main->lagerliste);
    for (int i = 0; i < gruppeBoks->count(); ++i)
        Box->addItem(gruppeBoks->item(i)->text());
    optfil = main->optdir + QStringLiteral("lenKaro.txt");
    hentOpt();
    // Ticking the box here switches the content mode as a click would.
    connect(funkCheck, &QCheckBox::toggled, this, &Tboksform::funkCheckClick);
    funkCheck->setChecked(main->funkNo == 1);
    main->loadDesign();
    setAddressCaptions();

    connect(gruppeBoks, &QListWidget::itemClicked, this, &Tboksform::gruppeBoksClick);
    connect(designBox, &QComboBox::activated, this, &Tboksform::designBoxChange);
    connect(Bog, &QTabWidget::currentChanged, this, &Tboksform::BogChange);
}

void Tboksform::buildControls() {
    Bog = named(new QTabWidget, "Bog");
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

QWidget* Tboksform::buildGroupsTab() {
    auto* page = named(new QWidget, "side0");
    auto* splitter = new QSplitter(Qt::Horizontal);

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
    rows->setSpacing(4);

    valgtGruppeEdit = shownField("valgtGruppeEdit", 160);
    rows->addWidget(buddyLabel(QStringLiteral("Valgt gruppe"), valgtGruppeEdit));
    sletKnap = named(new QPushButton(QStringLiteral("Slet")), "sletKnap");
    sletKnap->setStatusTip(QStringLiteral("Slet aktuelle gruppe"));
    auto* selected = new QHBoxLayout;
    selected->addWidget(valgtGruppeEdit);
    selected->addWidget(sletKnap);
    selected->addStretch();
    rows->addLayout(selected);
    redigerCheck = named(new QCheckBox(QStringLiteral("Rediger")), "redigerCheck");
    redigerCheck->setStatusTip(QStringLiteral("Muliggør redigering af gruppenavnet"));
    redigerKnap = named(new QPushButton(QStringLiteral("Gem")), "redigerKnap");
    redigerKnap->setStatusTip(QStringLiteral("Indfør det nye gruppenavn efter redigering"));
    auto* rename = new QHBoxLayout;
    rename->addWidget(redigerCheck);
    rename->addWidget(redigerKnap);
    rename->addStretch();
    rows->addLayout(rename);
    rows->addWidget(separator());

    rows->addWidget(new QLabel(QStringLiteral("Indfør ny gruppe")));
    gEdit = edit("gEdit", 160);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(buddyLabel(QStringLiteral("Gruppe navn"), gEdit));
    nameRow->addWidget(gEdit);
    nameRow->addStretch();
    rows->addLayout(nameRow);
    nyGruppeKnap = named(new QPushButton(QStringLiteral("Indfør")), "nyGruppeKnap");
    nyGruppeKnap->setStatusTip(QStringLiteral("Opret ny gruppe"));
    auto* newRow = new QHBoxLayout;
    newRow->addWidget(nyGruppeKnap);
    newRow->addWidget(new QLabel(QStringLiteral("Minimum 3 bogstaver")));
    newRow->addStretch();
    rows->addLayout(newRow);
    rows->addWidget(separator());

    sbInformationsKnap = flatButton("sbInformationsKnap", QStringLiteral("Information"),
                                    QStringLiteral("Information: Grupper"), pictures::Help);
    sorterKnap = flatButton("sorterKnap", QStringLiteral("Sorter listen"),
                            QStringLiteral("Sorter listen alfabetisk"), pictures::Switch);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(sbInformationsKnap);
    buttons->addWidget(sorterKnap);
    buttons->addStretch();
    rows->addLayout(buttons);

    designBox = named(new QComboBox, "designBox");
    designBox->setFixedWidth(136);
    designBox->setMaxVisibleItems(11);
    auto* design = new QHBoxLayout;
    design->addWidget(buddyLabel(QStringLiteral("Design"), designBox));
    design->addWidget(designBox);
    design->addStretch();
    rows->addLayout(design);
    rows->addStretch();
    funkCheck = named(new QCheckBox(QStringLiteral("Programmer")), "funkCheck");
    funkCheck->setStatusTip(QStringLiteral("Skift mellem webadresser og programmer: Ctrl+S"));
    rows->addWidget(funkCheck);

    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    return page;
}

QWidget* Tboksform::buildEntryTab() {
    auto* page = named(new QWidget, "side1");
    auto* rows = new QVBoxLayout(page);
    rows->setContentsMargins(6, 6, 6, 6);
    rows->setSpacing(4);

    gruppeEdit = shownField("gruppeEdit", 160);
    rows->addWidget(buddyLabel(QStringLiteral("Elementerne indsættes i følgende gruppe"), gruppeEdit));
    rows->addWidget(gruppeEdit);
    rows->addWidget(separator());

    FilnavnEdit = edit("FilnavnEdit");
    adrLabel = named(buddyLabel(QStringLiteral("Werbadresse"), FilnavnEdit), "adrLabel");
    adrLabel->setFixedWidth(68);
    openKnap = flatButton("openKnap", QString(),
                          QStringLiteral("Indsæt program eller webadresse  ved Stifinder eller "
                                         "Browser: Ctrl+B"),
                          pictures::LookUp);
    openKnap->setAutoRaise(false);
    openKnap->setFixedWidth(26);
    auto* address = new QHBoxLayout;
    address->addWidget(adrLabel);
    address->addWidget(FilnavnEdit, 1);
    address->addWidget(openKnap);
    rows->addLayout(address);

    tekstEdit = edit("tekstEdit", 160);
    auto* name = new QHBoxLayout;
    auto* nameLabel = buddyLabel(QStringLiteral("Kort navn"), tekstEdit);
    nameLabel->setFixedWidth(68);
    name->addWidget(nameLabel);
    name->addWidget(tekstEdit);
    name->addStretch();
    rows->addLayout(name);
    insertKnap = named(new QPushButton(QStringLiteral("Indfør i gruppen")), "insertKnap");
    insertKnap->setFixedWidth(110);
    insertKnap->setStatusTip(
        QStringLiteral("Webadresse eller program indføres i valgte gruppe: Ctrl+I"));
    rows->addWidget(insertKnap);
    auto* note = new QLabel(QStringLiteral(
        "Hvis \"Kort navn\" eksisterer i forvejen, kan elementets \"Dato\" og \"Besøg\" "
        "nulstilles, hvis det vælges, at filen overskrives."));
    note->setWordWrap(true);
    rows->addWidget(note);
    rows->addWidget(new QLabel(QStringLiteral("Ellers skal \"Kort navn\" være unikt i valgte gruppe.")));
    rows->addWidget(separator());
    sbInfo2 = flatButton("sbInfo2", QStringLiteral("Information"),
                         QStringLiteral("Information: Indfør element"), pictures::Help);
    rows->addWidget(sbInfo2, 0, Qt::AlignLeft);

    browserValg = named(new QGroupBox(QStringLiteral("Vælg browser til indførelse af webadresse")),
                        "browserValg");
    browserButtons = new QButtonGroup(browserValg);
    auto* browsers = new QHBoxLayout(browserValg);
    const QString names[] = {QStringLiteral("Google Chrome"), QStringLiteral("Microsoft Edge")};
    for (int i = 0; i < 2; ++i) {
        auto* radio = new QRadioButton(names[i]);
        browserButtons->addButton(radio, i);
        browsers->addWidget(radio);
    }
    browserButtons->button(0)->setChecked(true);
    rows->addStretch();
    rows->addWidget(browserValg);
    return page;
}

QWidget* Tboksform::buildEditTab() {
    auto* page = named(new QWidget, "side2");
    auto* splitter = new QSplitter(Qt::Horizontal);

    auto* left = new QWidget;
    left->setMinimumWidth(120);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(3, 3, 3, 3);
    programBoks = named(new QTreeWidget, "programBoks");
    programBoks->setColumnCount(1);
    programBoks->setHeaderLabels({QStringLiteral("Elementer")});
    programBoks->setRootIsDecorated(false);
    programBoks->setEditTriggers(QAbstractItemView::NoEditTriggers);
    programBoks->setItemDelegate(new ActiveSelectionDelegate(programBoks));
    programBoks->setAccessibleName(QStringLiteral("Elementer"));
    leftLayout->addWidget(programBoks, 1);
    fjernKnap = named(new QPushButton(QStringLiteral("Fjern valgte")), "fjernKnap");
    fjernKnap->setFixedWidth(89);
    fjernKnap->setStatusTip(QStringLiteral("Fjern afkrydsede programmer fra gruppen"));
    auto* removeNote = new QLabel(QStringLiteral("Alle afkrydsede fjernes permanent."));
    removeNote->setWordWrap(true);
    auto* remove = new QHBoxLayout;
    remove->addWidget(fjernKnap);
    remove->addWidget(removeNote, 1);
    leftLayout->addLayout(remove);

    auto* right = new QWidget;
    auto* rows = new QVBoxLayout(right);
    rows->setContentsMargins(6, 3, 3, 3);
    rows->setSpacing(4);
    gNameEdit = shownField("gNameEdit", 160);
    rows->addWidget(buddyLabel(QStringLiteral("Gruppe navn"), gNameEdit));
    rows->addWidget(gNameEdit);
    rows->addWidget(separator());
    auto* choose = new QLabel(QStringLiteral("Vælg element i listen der skal redigeres."));
    QFont big = choose->font();
    big.setPointSize(10);
    choose->setFont(big);
    choose->setWordWrap(true);
    rows->addWidget(choose);
    webUrlEdit = edit("webUrlEdit");
    webUrlEdit->setFocusPolicy(Qt::ClickFocus);
    adrLabel2 = named(buddyLabel(QStringLiteral("Webadresse"), webUrlEdit), "adrLabel2");
    rows->addWidget(adrLabel2);
    rows->addWidget(webUrlEdit);
    nytekstEdit = edit("nytekstEdit", 168);
    rows->addWidget(buddyLabel(QStringLiteral("Elementets navn"), nytekstEdit));
    nytekstKnap = flatButton("nytekstKnap", QString(),
                             QStringLiteral("Gennemfør indførte forandringer"), pictures::Insert);
    nytekstKnap->setAutoRaise(false);
    nytekstKnap->setFixedWidth(24);
    Button1 = flatButton("Button1", QString(),
                         QStringLiteral("Nulstil dato og besøg for valgte gruppeelement"),
                         pictures::Switch);
    Button1->setAutoRaise(false);
    Button1->setFixedWidth(24);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(nytekstEdit);
    nameRow->addWidget(nytekstKnap);
    nameRow->addWidget(Button1);
    nameRow->addStretch();
    rows->addLayout(nameRow);
    rows->addWidget(separator());
    sbInfo1 = flatButton("sbInfo1", QStringLiteral("Information"),
                         QStringLiteral("Information: Rediger element"), pictures::Help);
    rows->addWidget(sbInfo1, 0, Qt::AlignLeft);
    rows->addStretch();

    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setSizes({195, 260});
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    return page;
}

QWidget* Tboksform::buildShelfTab() {
    auto* page = named(new QWidget, "side4");
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(3, 3, 3, 6);
    row->setSpacing(3);
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
    struct Spec {
        QToolButton** button;
        const char* name;
        const char* hint;
        pictures::Kind picture;
        bool flat;
    };
    const Spec specs[] = {
        {&sbInformation, "sbInformation", "Information: Administrer grupper", pictures::Help, false},
        {&tilLagerValgte, "tilLagerValgte", "Flyt valgte til lager", pictures::Visit, true},
        {&tilbageValgte, "tilbageValgte", "Flyt valgte tilbage", pictures::Visit, true},
        {&tilLagerAlle, "tilLagerAlle", "Flyt alle til lager", pictures::Visit, true},
        {&tilbageAlle, "tilbageAlle", "Flyt alle tilbage", pictures::Visit, true},
        {&flytOp, "flytOp", "Flyt valgte op", pictures::Visit, true},
        {&flytNed, "flytNed", "Flyt valgte ned", pictures::Visit, true},
        {&gemKnap, "gemKnap", "Gem de nye lister", pictures::Insert, false},
    };
    for (const Spec& s : specs) {
        *s.button = flatButton(s.name, QString(), QString::fromUtf8(s.hint), s.picture);
        (*s.button)->setAutoRaise(s.flat);
        (*s.button)->setFixedSize(30, 26);
        buttons->addWidget(*s.button);
    }
    buttons->addStretch();

    row->addWidget(Box);
    row->addWidget(column);
    row->addWidget(lagerBox);
    row->addStretch();
    return page;
}

void Tboksform::hentOpt() {
    if (!QFileInfo::exists(optfil)) {
        move(120, 120);
        resize(400, 480);
        return;
    }
    const auto lines = textfile::readLines(optfil);
    if (!lines)
        return;
    const BoksOptions o = parseBoksOptions(*lines);
    if (o.top)
        move(x(), *o.top);
    if (o.left)
        move(*o.left, y());
    if (o.width)
        resize(*o.width, height());
    if (o.height)
        resize(width(), *o.height);
    if (o.browser)
        setBrowserIndex(*o.browser);
}

void Tboksform::gemOpt() {
    QString error;
    if (!textfile::writeLines(optfil, formatBoksOptions(y(), x(), width(), height(), browserIndex()),
                              &error))
        Tmainform::fileError(QStringLiteral("Kan ikke oprette filen"), optfil, error);
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

void Tboksform::loadBokse() {
    programBoks->clear();
    QTableWidget* listen = app.mainform->Listen;
    for (int row = 0; row < listen->rowCount(); ++row)
        addElementRow(listen->item(row, 3)->text());
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
    setAddressCaptions();
}

void Tboksform::setAddressCaptions() {
    const QString caption =
        app.mainform->funkNo == 0 ? QStringLiteral("Werbadresse") : QStringLiteral("Program");
    adrLabel->setText(caption);
    adrLabel2->setText(caption);
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
    if (Bog->currentWidget() != side4)
        return;
    Box->clear();
    for (int i = 0; i < gruppeBoks->count(); ++i)
        Box->addItem(gruppeBoks->item(i)->text());
}
