#include "main.h"

#include "app.h"
#include "boks.h"
#include "elementedit.h"
#include "elementstore.h"
#include "filenames.h"
#include "groupdelegate.h"
#include "groups.h"
#include "infUnit.h"
#include "info.h"
#include "messagebox.h"
#include "options.h"
#include "pictures.h"
#include "place.h"
#include "shelf.h"
#include "spmUnit.h"
#include "stylemanager.h"
#include "textcompare.h"
#include "textfile.h"
#include "updateaction.h"
#include "userfolders.h"
#include "visits.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const QString noGroupCaption = QStringLiteral("Valgt gruppe");

QLabel* boldCentred(const QString& text) {
    auto* label = new QLabel(text);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QToolButton* smallButton(const char* name, int width) {
    auto* b = new QToolButton;
    b->setObjectName(QString::fromLatin1(name));
    b->setFixedSize(width, 23);
    b->setAutoRaise(false);
    return b;
}
} // namespace

Tmainform::Tmainform(App& app_) : app(app_) {
    app.mainform = this;
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(tahoma(8));
    setMinimumSize(595, 380);
    move(120, 120);
    resize(595, 380);
    buildControls();
    buildActions();
    buildShelfActions();

    // Creating the main window: folders, options, the content mode's group lists.
    opstart = true;
    makeOptdir();
    optFilnavn = optdir + QStringLiteral("main.txt");
    hentOpt();
    setMappe();
}

void Tmainform::buildControls() {
    auto* central = new QWidget;
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(3, 3, 3, 0);
    outer->setSpacing(0);

    auto* topBar = new QWidget;
    topBar->setFixedHeight(27);
    auto* top = new QHBoxLayout(topBar);
    top->setContentsMargins(0, 2, 0, 2);
    top->setSpacing(3);
    Button2 = smallButton("Button2", 36);
    Button2->setPopupMode(QToolButton::MenuButtonPopup);
    Button2->setIcon(pictures::icon(pictures::Admin));
    Label1 = new QLabel(QStringLiteral("Url"));
    webEdit1 = new QLineEdit;
    webEdit1->setObjectName(QStringLiteral("webEdit1"));
    Label1->setBuddy(webEdit1);
    Button3 = smallButton("Button3", 22);
    insertKnap = smallButton("insertKnap", 22);
    Label3 = new QLabel(QStringLiteral("Navn"));
    webEdit2 = new QLineEdit;
    webEdit2->setObjectName(QStringLiteral("webEdit2"));
    webEdit2->setFixedWidth(160);
    Label3->setBuddy(webEdit2);
    Button1 = smallButton("Button1", 22);
    for (QWidget* w : std::initializer_list<QWidget*>{Button2, Label1, webEdit1, Button3,
                                                      insertKnap, Label3, webEdit2, Button1})
        top->addWidget(w);
    top->setStretchFactor(webEdit1, 1);
    outer->addWidget(topBar);

    auto* body = new QHBoxLayout;
    // With the window's own 3-pixel margin the left list starts 12 pixels in.
    body->setContentsMargins(9, 0, 0, 6);
    body->setSpacing(0);

    auto* left = new QWidget;
    left->setFixedWidth(358);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->setSpacing(2);
    gruppenavnLabel = boldCentred(noGroupCaption);
    gruppenavnLabel->setObjectName(QStringLiteral("gruppenavnLabel"));
    Listen = new QTableWidget(0, 4);
    Listen->setObjectName(QStringLiteral("Listen"));
    Listen->setHorizontalHeaderLabels({QStringLiteral("Dato"), QStringLiteral("Klokken"),
                                       QStringLiteral("Besøg"), QStringLiteral("Hjemmeside")});
    Listen->horizontalHeaderItem(2)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Listen->verticalHeader()->hide();
    Listen->verticalHeader()->setDefaultSectionSize(18);
    Listen->horizontalHeader()->setSectionsClickable(false);
    Listen->horizontalHeader()->setHighlightSections(false);
    Listen->horizontalHeader()->setStretchLastSection(true);
    Listen->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Listen->setColumnWidth(0, 72);
    Listen->setColumnWidth(1, 48);
    Listen->setColumnWidth(2, 48);
    Listen->setShowGrid(true);
    Listen->setSelectionBehavior(QAbstractItemView::SelectRows);
    Listen->setSelectionMode(QAbstractItemView::SingleSelection);
    Listen->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Listen->setWordWrap(false);
    // Tab leaves the list, as in every other list, instead of stepping from cell to cell.
    Listen->setTabKeyNavigation(false);
    Listen->setItemDelegate(new ActiveSelectionDelegate(Listen));
    Listen->setStatusTip(
        QStringLiteral("Vælg element og dobbeltklik eller tryk [Enter] eller [Mellemrum] for Go"));
    Listen->setAccessibleName(QStringLiteral("Elementer"));
    connect(Listen, &QTableWidget::cellClicked, this, &Tmainform::ListenClick);
    leftLayout->addWidget(gruppenavnLabel);
    leftLayout->addWidget(Listen);
    body->addWidget(left);
    body->addSpacing(9);

    auto* right = new QWidget;
    right->setFixedWidth(188);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(2);
    Label2 = boldCentred(QStringLiteral("Gruppenavne"));
    gruppeBoksen = new QListWidget;
    gruppeBoksen->setObjectName(QStringLiteral("gruppeBoksen"));
    gruppeBoksen->setSelectionMode(QAbstractItemView::SingleSelection);
    GroupItemDelegate::install(gruppeBoksen);
    gruppeBoksen->setStatusTip(
        QStringLiteral("Vælg relevante gruppe og tryk [Enter] eller [Mellemrum] for at aktivere"));
    gruppeBoksen->setAccessibleName(QStringLiteral("Gruppenavne"));
    Label2->setBuddy(gruppeBoksen);
    rightLayout->addWidget(Label2);
    rightLayout->addWidget(gruppeBoksen);
    body->addWidget(right);
    // Widening the window widens only this strip; both lists keep their widths.
    body->addStretch(1);
    outer->addLayout(body, 1);
    setCentralWidget(central);

    infoBar = new QStatusBar;
    infoBar->setObjectName(QStringLiteral("infoBar"));
    infoBar->setFixedHeight(19);
    infoBar->setSizeGripEnabled(false);
    setStatusBar(infoBar);

    // Double-clicks, Enter and Space on both lists go to the window's own handlers.
    for (QAbstractItemView* list :
         {static_cast<QAbstractItemView*>(Listen), static_cast<QAbstractItemView*>(gruppeBoksen)}) {
        list->installEventFilter(this);
        list->viewport()->installEventFilter(this);
    }
}

void Tmainform::buildActions() {
    auto make = [this](const char* name, const QString& caption, const QString& hint,
                       UpdateAction::Rule rule, UpdateAction::Handler handler) {
        auto* action = new UpdateAction(this, caption, hint, std::move(rule), std::move(handler));
        action->setObjectName(QString::fromLatin1(name));
        addAction(action);
        return action;
    };
    webUrl = make(
        "webUrl", QString(), QStringLiteral("Besøg valgte url: Ctrl+G"),
        [this] { return selectedRow() >= 0 && !webEdit1->text().isEmpty(); },
        [this] { webUrlExecute(); });
    webUrl->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_G), QKeySequence(Qt::Key_F9)});
    webUrl->setIcon(pictures::icon(pictures::Visit));
    actionAW = make("actionAW", QStringLiteral("Administrer grupper og elementer"),
                    QStringLiteral("Administrer webadresser: Ctrl+A"), nullptr,
                    [this] { actionAWExecute(); });
    actionAW->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    // Ctrl+A opens the administration window from the two fields too, not select-all.
    actionAW->takeShortcutsFrom(webEdit1);
    actionAW->takeShortcutsFrom(webEdit2);
    actionAW->setIcon(pictures::icon(pictures::Admin));
    actionIL = make(
        "actionIL", QString(), QStringLiteral("Indsæt indførte i aktuelle liste: Ctrl+I"),
        [this] {
            return !webEdit1->text().isEmpty() && !webEdit2->text().isEmpty() &&
                   !gruppenavn.isEmpty();
        },
        [this] { actionILExecute(); });
    actionIL->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    actionIL->setIcon(pictures::icon(pictures::Insert));
    actionSI = make("actionSI", QStringLiteral("Skift indhold"),
                    QStringLiteral("Skift mellem webadresser og programmer: Ctrl+S"), nullptr,
                    [this] { actionSIExecute(); });
    actionSI->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    actionSI->setIcon(pictures::icon(pictures::Switch));
    actionInfo = make("actionInfo", QStringLiteral("Information"),
                      QStringLiteral("Information: F1"), nullptr, [this] { actionInfoExecute(); });
    actionInfo->setShortcut(QKeySequence(Qt::Key_F1));
    actionInfo->setIcon(pictures::icon(pictures::Help));
    webBrowser = make(
        "webBrowser", QString(),
        QStringLiteral(
            "Åben browser eller Stifinder for at indføre en url eller et program: Ctrl+B"),
        [this] { return !gruppenavn.isEmpty(); }, [this] { webBrowserExecute(); });
    webBrowser->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    webBrowser->setIcon(pictures::icon(pictures::LookUp));

    popupMenu = new QMenu(this);
    popupMenu->addAction(actionAW);
    popupMenu->addSeparator();
    popupMenu->addAction(actionSI);
    popupMenu->addSeparator();
    popupMenu->addAction(actionInfo);
    Button2->setMenu(popupMenu);
    Button2->setStatusTip(actionAW->statusTip());
    Button2->setAccessibleName(actionAW->statusTip());
    connect(Button2, &QToolButton::clicked, actionAW, &QAction::trigger);

    for (auto [button, action] :
         {std::pair{Button3, webUrl}, {insertKnap, webBrowser}, {Button1, actionIL}}) {
        button->setDefaultAction(action);
        // A button showing only a picture is named by what it does.
        button->setAccessibleName(action->statusTip());
    }
}

namespace {
namespace shelf = store::shelf;

QList<int> selectedRows(const QListWidget* list) {
    QList<int> rows;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->isSelected())
            rows << i;
    }
    return rows;
}

void showRows(QListWidget* list, const QStringList& all, const QList<int>& selected) {
    list->clear();
    list->addItems(all);
    for (int row : selected)
        list->item(row)->setSelected(true);
    if (selected.size() == 1)
        list->setCurrentRow(selected.first(), QItemSelectionModel::NoUpdate);
}
} // namespace

void Tmainform::buildShelfActions() {
    // The shelf's lists live on the administration window, made after this one.
    auto lists = [this] {
        Tboksform* boks = app.boksform;
        if (!boks)
            return shelf::Lists{};
        return shelf::Lists{itemTexts(boks->Box), selectedRows(boks->Box),
                            itemTexts(boks->lagerBox), selectedRows(boks->lagerBox)};
    };
    auto make = [this, lists](const char* name, const QString& hint, pictures::Kind picture,
                              bool (*enabled)(const shelf::Lists&),
                              shelf::Lists (*move)(const shelf::Lists&)) {
        auto* action = new UpdateAction(
            this, QString(), hint, [lists, enabled] { return enabled(lists()); },
            [this, lists, move] {
                const shelf::Lists moved = move(lists());
                showRows(app.boksform->Box, moved.active, moved.activeRows);
                showRows(app.boksform->lagerBox, moved.stored, moved.storedRows);
                app.boksform->listerModified = true;
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
        [this] { return app.boksform && app.boksform->listerModified; },
        [this] { AgemForandringerExecute(); });
    AgemForandringer->setObjectName(QStringLiteral("AgemForandringer"));
    AgemForandringer->setIcon(pictures::icon(pictures::Save));
}

void Tmainform::AgemForandringerExecute() {
    Tboksform* boks = app.boksform;
    const QStringList active = itemTexts(boks->Box);
    if (shelf::currentGroupLeavesActive(gruppenavn, active)) {
        // The current group was shelved or moved out: nothing is selected any more.
        gruppenavn.clear();
        gruppenavnLabel->setText(QString());
        for (QLineEdit* e : {boks->valgtGruppeEdit, boks->gruppeEdit, boks->gNameEdit})
            e->clear();
        boks->programBoks->clear();
        Listen->setRowCount(0);
    }
    gruppeliste = active;
    if (!saveGruppeliste())
        return;
    boks->fillGroupLists(gruppeliste);
    lagerliste = itemTexts(boks->lagerBox);
    QString error;
    if (!store::writeGroupList(webLagerfil, lagerliste, &error)) {
        writeError(webLagerfil, error);
        return;
    }
    boks->listerModified = false;
}

void Tmainform::deleteGruppefil() {
    // The group's folder and files stay on disk; the group is only no longer listed.
    if (!gruppenavn.isEmpty()) {
        const qsizetype position =
            store::groupIndex(itemTexts(app.boksform->gruppeBoks), gruppenavn);
        if (position >= 0 && position < gruppeliste.size())
            gruppeliste.removeAt(position);
        if (!saveGruppeliste())
            return;
        app.boksform->fillGroupLists(gruppeliste);
    }
    gruppenavn.clear();
    loadGruppefil();
    app.boksform->loadBokse();
}

void Tmainform::makeOptdir() {
    const UserFolders f = ::makeOptdir(app.baseDir, app.loginName);
    brugernavn = f.brugernavn;
    setWindowTitle(QStringLiteral("Lenkaro: ") + brugernavn);
    strukturDir = f.strukturDir;
    programdir0 = f.programdir0;
    programdir1 = f.programdir1;
    optdir = f.optdir;
    for (const QString& error : f.errors)
        MessageBox::show(QStringLiteral("Lenkaro"), error);
}

void Tmainform::hentOpt() {
    if (QFileInfo::exists(optFilnavn)) {
        // A file that cannot be read, or a bad line, ends the reading silently; what was read
        // before it stays in force.
        const auto lines = textfile::readLines(optFilnavn);
        if (!lines)
            return;
        const MainOptions o = parseMainOptions(*lines);
        if (o.designname) {
            designname = *o.designname;
            StyleManager::setStyle(designname);
        }
        applyPlace(this, o.place);
        if (o.gruppenavn)
            gruppenavn = *o.gruppenavn;
        if (o.gruppenavn0)
            gruppenavn0 = *o.gruppenavn0;
        if (o.gruppenavn1)
            gruppenavn1 = *o.gruppenavn1;
        if (!o.complete)
            return;
        funkNo = *o.funkNo;
    } else {
        designname = QStringLiteral("Sky");
        StyleManager::setStyle(designname);
        move(120, 120);
        resize(595, 380);
        // Qt takes "/" as the separator on every platform.
        const QString underholdning = app.baseDir + QStringLiteral("/zvk/Program/Underholdning");
        gruppenavn = QFileInfo(underholdning).isDir() ? QStringLiteral("Underholdning") : QString();
        funkNo = 0;
    }
    (funkNo != 0 ? gruppenavn1 : gruppenavn0) = gruppenavn;
    gruppenavnLabel->setText(gruppenavn.isEmpty() ? noGroupCaption : gruppenavn);
}

void Tmainform::gemOpt() {
    (funkNo != 0 ? gruppenavn1 : gruppenavn0) = gruppenavn;
    const MainOptionValues values{designname, y(),         x(),         width(), height(),
                                  gruppenavn, gruppenavn0, gruppenavn1, funkNo};
    QString error;
    if (!textfile::writeLines(optFilnavn, formatMainOptions(values), &error))
        writeError(optFilnavn, error);
    // The administration window's options are saved even when ours could not be.
    app.boksform->gemOpt();
}

void Tmainform::setMappe() {
    if (funkNo != 0) {
        programdir = programdir1;
        gruppenavn = gruppenavn1;
    } else {
        programdir = programdir0;
        gruppenavn = gruppenavn0;
    }
    webGruppefil = programdir + QStringLiteral("webgruppe.txt");
    webLagerfil = programdir + QStringLiteral("webLager.txt");
    QString error;
    gruppeliste.clear();
    lagerliste.clear();
    for (auto [path, list] : {std::pair{webGruppefil, &gruppeliste}, {webLagerfil, &lagerliste}}) {
        if (const auto names = store::readGroupList(path, &error))
            *list = *names;
        else
            MessageBox::fileError(QStringLiteral("Kan ikke læse filen"), path, error);
    }
}

void Tmainform::loadDesign() {
    QComboBox* box = app.boksform->designBox;
    QStringList names = StyleManager::styleNames();
    names.sort(Qt::CaseInsensitive);
    box->clear();
    box->addItems(names);
    // A fixed-string match ignores case.
    box->setCurrentIndex(box->findText(designname, Qt::MatchFixedString));
}

QString Tmainform::contentFolder() const {
    return programdir.chopped(1);
}

QString Tmainform::groupFolder(const QString& navn) const {
    return filenames::entryPath(contentFolder(), navn);
}

void Tmainform::loadGruppefil() {
    webEdit1->clear();
    webEdit2->clear();
    Listen->setRowCount(0);
    // The array always holds what the list shows, row for row.
    Web.clear();
    WebNo = -1;
    WebAntal = 0;
    gruppenavnLabel->setText(gruppenavn.isEmpty() ? noGroupCaption : gruppenavn);
    app.boksform->clearGroupFields();
    if (gruppenavn.isEmpty())
        return;
    gruppeDir = groupFolder(gruppenavn);
    if (!QFileInfo(gruppeDir).isDir())
        return;
    app.boksform->showGroupName(gruppenavn);
    store::readWeb(gruppeDir, Web);
    WebAntal = int(Web.size());
    for (int i = 0; i < WebAntal; ++i) {
        WebNo = i;
        ListenAdd();
    }
}

void Tmainform::ListenAdd() {
    const TWebRecord& r = Web[WebNo];
    const int row = Listen->rowCount();
    Listen->insertRow(row);
    const QString cells[] = {r.dato, r.klokken, QString::number(r.Visits), r.Navn};
    for (int column = 0; column < 4; ++column) {
        auto* item = new QTableWidgetItem(cells[column]);
        if (column == 2)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Listen->setItem(row, column, item);
    }
    app.boksform->addElementRow(r.Navn);
}

bool Tmainform::GemWeb() {
    TWebRecord& r = Web[WebNo];
    r.filnavn = filenames::join(gruppeDir, store::elementFileName(r.Navn));
    // Overwriting finds the existing file whatever the case of its name, so a group never
    // holds two element files whose names differ only in case.
    const QString path = store::elementFilePath(gruppeDir, r.Navn);
    QString error;
    if (!store::writeElement(path, r, &error)) {
        writeError(path, error);
        return false;
    }
    return true;
}

bool Tmainform::insertElement(QString aUrl, QString aNavn) {
    if (gruppenavn.isEmpty())
        return true;
    // The name becomes a file name inside the group folder; a path separator or another
    // character no file name may hold would write elsewhere or fail.
    if (!filenames::isUsableName(aNavn)) {
        app.infform->inform(QStringLiteral("Navnet kan ikke bruges som filnavn."));
        return false;
    }
    gruppeDir = groupFolder(gruppenavn);
    WebNo = Listen->rowCount();
    Web.resize(WebNo + 1);
    // GemWeb gives the record its file path as it writes it.
    Web[WebNo] = TWebRecord{aUrl, aNavn, QStringLiteral("Dato"), QStringLiteral("XX:XX"), 0, {}};
    if (filenames::fileExists(gruppeDir, store::elementFileName(aNavn))) {
        const QString question = QStringLiteral("Skal \"") + aNavn +
                                 QStringLiteral("\" overskrives?\r\r\"Dato\" og \"Besøg\" "
                                                "nul-stilles, hvis elementet overskrives.");
        if (!app.spform->ask(question)) {
            Web.resize(WebNo);
            return true;
        }
    }
    if (!GemWeb()) {
        Web.resize(WebNo);
        return true;
    }
    loadGruppefil();
    return true;
}

void Tmainform::writeError(const QString& path, const QString& reason) {
    MessageBox::fileError(QStringLiteral("Kan ikke oprette filen"), path, reason);
}

bool Tmainform::saveGruppeliste() {
    QString error;
    if (store::writeGroupList(webGruppefil, gruppeliste, &error))
        return true;
    writeError(webGruppefil, error);
    return false;
}

int Tmainform::selectedRow() const {
    const QModelIndexList rows = Listen->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

bool Tmainform::event(QEvent* event) {
    // Becoming the active window, this window's status bar takes over the hints afresh.
    if (event->type() == QEvent::WindowActivate)
        infoBar->clearMessage();
    return QMainWindow::event(event);
}

bool Tmainform::eventFilter(QObject* watched, QEvent* event) {
    const bool listen = watched == Listen || watched == Listen->viewport();
    const bool groups = watched == gruppeBoksen || watched == gruppeBoksen->viewport();
    if (event->type() == QEvent::MouseButtonDblClick && (listen || groups)) {
        // Let the list select the row under the mouse first, then act on the selection.
        QTimer::singleShot(0, this,
                           listen ? &Tmainform::ListenDblClick : &Tmainform::gruppeBoksenDblClick);
        return false;
    }
    if (event->type() == QEvent::KeyPress && (watched == Listen || watched == gruppeBoksen)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            if (listen)
                ListenKeyPress(key);
            else
                gruppeBoksenKeyPress(key);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void Tmainform::ListenClick() {
    const int row = selectedRow();
    if (funkNo == 0 && row >= 0)
        webEdit1->setText(Web[row].Url);
}

void Tmainform::ListenDblClick() {
    if (selectedRow() < 0)
        return;
    if (funkNo == 0)
        webUrl->execute();
    else
        runProgrammer();
}

void Tmainform::ListenKeyPress(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)
        ListenDblClick();
}

void Tmainform::gruppeBoksenDblClick() {
    QListWidgetItem* item = gruppeBoksen->currentItem();
    if (!item || !item->isSelected())
        return;
    app.boksform->gruppeBoks->setCurrentRow(gruppeBoksen->row(item));
    gruppenavn = item->text();
    app.boksform->SkiftGruppe();
}

void Tmainform::gruppeBoksenKeyPress(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)
        gruppeBoksenDblClick();
}

void Tmainform::actionAWExecute() {
    app.boksform->show();
    app.boksform->raise();
    app.boksform->activateWindow();
}

void Tmainform::actionSIExecute() {
    // Ticking or clearing the box runs the administration window's switch.
    app.boksform->funkCheck->setChecked(!app.boksform->funkCheck->isChecked());
}

void Tmainform::actionInfoExecute() {
    Information(QStringLiteral("Lenkaro"));
}

void Tmainform::Information(const QString& S) {
    Tinfoformen* info = app.infoformen;
    info->newNavn = QStringLiteral("Lenkaroinfo.txt");
    if (!sameTextAZ(info->newNavn, info->strukturnavn)) {
        info->strukturnavn = info->newNavn;
        info->LoadStruktur();
    }
    info->goToInfo(S);
}

void Tmainform::actionILExecute() {
    if (webEdit2->text().size() < 3) {
        app.infform->inform(QStringLiteral("Kort navn: Minimum 3 tegn!"));
        return;
    }
    if (funkNo == 0) {
        if (!app.services.urlCheck->IsValidURL(webEdit1->text())) {
            app.infform->inform(QStringLiteral("Der mangler en gyldig webadresse!"));
            return;
        }
    } else {
        if (webEdit1->text().isEmpty()) {
            app.infform->inform(QStringLiteral("Der mangler et program!"));
            return;
        }
        if (!QFileInfo(webEdit1->text()).isFile()) {
            app.infform->inform(QStringLiteral("Filen kunne ikke findes!"));
            return;
        }
    }
    if (!insertElement(webEdit1->text(), webEdit2->text()))
        return;
    webEdit1->clear();
    webEdit2->clear();
}

void Tmainform::webBrowserExecute() {
    if (funkNo == 0) {
        startChosenBrowser();
        return;
    }
    const QString file = app.boksform->OpenDia();
    if (!file.isEmpty())
        webEdit1->setText(file);
}

void Tmainform::startChosenBrowser() {
    // Started without an address: the user finds the page and copies its address.
    const BrowserCommand browser = app.services.browsers.find(app.boksform->browserIndex());
    if (!browser.isEmpty())
        runFilname(browser.program, browser.parameters());
}

void Tmainform::recordVisit(int row) {
    WebNo = row;
    TWebRecord& r = Web[WebNo];
    // The date is taken first, then the time.
    const QString date = app.services.clock->dateText();
    const QString time = app.services.clock->timeText();
    store::stampVisit(r, date, time);
    Listen->item(row, 0)->setText(r.dato);
    Listen->item(row, 1)->setText(r.klokken);
    Listen->item(row, 2)->setText(QString::number(r.Visits));
}

bool Tmainform::webUrlBeforeBrowse() {
    const int row = selectedRow();
    if (funkNo != 0)
        return false;
    if (row < 0) {
        app.infform->inform(QStringLiteral("Der mangler en webadresse!"));
        return false;
    }
    if (!app.services.urlCheck->IsValidURL(Web[row].Url)) {
        app.infform->inform(QStringLiteral("Der mangler en gyldig webadresse!"));
        return false;
    }
    recordVisit(row);
    return GemWeb();
}

void Tmainform::webUrlExecute() {
    if (!webUrlBeforeBrowse())
        return;
    // Whether the browser opens is not looked at.
    app.services.shell->execute(QString(), Web[WebNo].Url, QString(), QString(), Shell::ShowNormal);
}

void Tmainform::runProgrammer() {
    if (funkNo != 1)
        return;
    const int row = selectedRow();
    if (row < 0) {
        app.infform->inform(QStringLiteral("Vælg et item!"));
        return;
    }
    if (!QFileInfo(Web[row].Url).isFile()) {
        app.infform->inform(QStringLiteral("Programmet blev ikke fundet."));
        return;
    }
    // The visit is recorded before the shell is asked, so a refused start still counts.
    recordVisit(row);
    if (!GemWeb())
        return;
    runFilname(Web[row].Url);
}

void Tmainform::runFilname(const QString& aFilename, const QString& parameters) {
    const int result = app.services.shell->execute(QStringLiteral("open"), aFilename, parameters,
                                                   QString(), Shell::ShowNormal);
    if (result <= 32)
        ErrorInfo(result);
}

void Tmainform::ErrorInfo(int Nr) {
    QString text;
    switch (Nr) {
    case 0:
        text = QStringLiteral("Operationssystemet er løbet tør for hukommelse eller resourcer.");
        break;
    case 2:
        text = QStringLiteral("Den specificerede fil blev ikke fundet.");
        break;
    case 3:
        text = QStringLiteral("Stien blev ikke fundet.");
        break;
    case 5:
        text = QStringLiteral("Operationssystemet forbød adgang til filen.");
        break;
    case 8:
        text = QStringLiteral("Der var ikke hukommelse nok til at fuldføre operationen.");
        break;
    case 11:
        text =
            QStringLiteral("Invalid exe fil (non-Microsoft Win32 .exe eller fejl i .exe image).");
        break;
    case 26:
        text = QStringLiteral("Der opstod en \"sharing violation\".");
        break;
    case 27:
        text = QStringLiteral("Filnavnsassociatonen er ukomplet eller invalid");
        break;
    case 28:
        text = QStringLiteral(
            "\"DDE transaction\" kunne ikke udføres fordi \"the request timed out\".");
        break;
    case 29:
        text = QStringLiteral("\"DDE transaction\" mislykkedes.");
        break;
    case 30:
        text =
            QStringLiteral("Den \"Dynamic Data Exchange (DDE) transaction\" kunne ikke fuldføres\r"
                           "fordi andre \"DDE transactions\" skulle udføres.");
        break;
    case 31:
        text = QStringLiteral("Der er ikke associeret noget program til givne filefternavn.\r"
                              "Der er muligvist valgt: For redigering.\r"
                              "Der skal muligvist vælges: For kørsel.");
        break;
    case 32:
        text = QStringLiteral("Det specificerede \"dynamic-link library (DLL)\" blev ikke fundet.");
        break;
    default:
        text = QStringLiteral("Meningsløs operation eller ukendt fejl.");
        break;
    }
    MessageBox::show(QStringLiteral("Fejlinformation"), text);
}

void Tmainform::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (opstart) {
        opstart = false;
        loadGruppefil();
    }
}

void Tmainform::closeEvent(QCloseEvent* event) {
    gemOpt();
    event->accept();
    QCoreApplication::quit();
}
