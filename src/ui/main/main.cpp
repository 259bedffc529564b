#include "ui/main/main.h"

#include "platform/browserprofiles.h"
#include "platform/textcompare.h"
#include "platform/toolkit/filedialog.h"
#include "platform/toolkit/listchoice.h"
#include "platform/toolkit/messagebox.h"
#include "platform/toolkit/progresswindow.h"
#include "platform/toolkit/stylemanager.h"
#include "platform/toolkit/updateaction.h"
#include "platform/urlcheck.h"
#include "settings/options.h"
#include "settings/programsettings.h"
#include "settings/userfolders.h"
#include "store/bookmarks.h"
#include "store/elementlistmodel.h"
#include "store/entrycheck.h"
#include "store/groups.h"
#include "store/model.h"
#include "store/profilebookmarks.h"
#include "ui/dialogs/infUnit.h"
#include "ui/dialogs/report.h"
#include "ui/dialogs/spmUnit.h"
#include "ui/widgets/dropentry.h"
#include "ui/widgets/groupdelegate.h"
#include "ui/widgets/pictures.h"
#include "ui/widgets/place.h"
#include "ui/windowcontext.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
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

Tmainform::Tmainform(WindowContext& context_)
    : context(context_), settings(context_.settings), model(context_.model),
      bookmarkTransfer(context_, this) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(tahoma(8));
    setMinimumSize(595, 380);
    move(120, 120);
    resize(595, 380);
    buildControls();
    buildActions();

    // The lists, headings and fields follow the model.
    connect(&model, &store::Model::groupListsChanged, this, &Tmainform::showGroupLists);
    connect(&model, &store::Model::currentGroupChanged, this, &Tmainform::showCurrentGroup);
    connect(&model, &store::Model::groupLoaded, this, [this] {
        webEdit1->clear();
        webEdit2->clear();
    });
    connect(&model, &store::Model::modeChanged, this, &Tmainform::showMode);
    // A shelved current group leaves the heading empty.
    connect(&model, &store::Model::groupShelved, gruppenavnLabel, &QLabel::clear);

    // Creating the main window: folders, options, the content mode's group lists.
    opstart = true;
    makeOptdir();
    optFilnavn = mainOptionsPath(settings.optdir());
    hentOpt();
    showFileError(model.setMappe());
}

void Tmainform::buildControls() {
    // The frame first: a widget moved into a window under a style sheet is polished anew, with
    // all its children.
    auto* central = new QWidget;
    setCentralWidget(central);
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
    Label1->setObjectName(QStringLiteral("Label1"));
    webEdit1 = new QLineEdit;
    webEdit1->setObjectName(QStringLiteral("webEdit1"));
    Label1->setBuddy(webEdit1);
    Button3 = smallButton("Button3", 22);
    insertKnap = smallButton("insertKnap", 22);
    Label3 = new QLabel(QStringLiteral("Navn"));
    Label3->setObjectName(QStringLiteral("Label3"));
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
    Listen = new QTableView;
    Listen->setObjectName(QStringLiteral("Listen"));
    model.elements()->setCaptions({QStringLiteral("Dato"), QStringLiteral("Klokken"),
                                   QStringLiteral("Besøg"), QStringLiteral("Hjemmeside")});
    Listen->setModel(model.elements());
    // A link dragged from a browser (or a program from a file manager) is entered here.
    Listen->viewport()->setAcceptDrops(true);
    Listen->verticalHeader()->hide();
    Listen->verticalHeader()->setDefaultSectionSize(18);
    Listen->horizontalHeader()->setSectionsClickable(false);
    Listen->horizontalHeader()->setHighlightSections(false);
    Listen->horizontalHeader()->setStretchLastSection(true);
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
    connect(Listen, &QTableView::clicked, this, &Tmainform::ListenClick);
    // A row chosen with the keys is chosen as a clicked one is: the address field follows it.
    connect(Listen->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && Listen->hasFocus())
                    ListenClick();
            });
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
    Label2->setObjectName(QStringLiteral("Label2"));
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
            return !webEdit1->text().isEmpty() && !webEdit2->text().isEmpty() && model.hasGroup();
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
        [this] { return model.hasGroup(); }, [this] { webBrowserExecute(); });
    webBrowser->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    webBrowser->setIcon(pictures::icon(pictures::LookUp));
    // Bookmarks are web addresses: both are offered while the web addresses are shown.
    aImportBookmarks = make(
        "aImportBookmarks", QStringLiteral("Importér bogmærker..."),
        QStringLiteral("Indfør bogmærker fra en browsers bogmærkefil som grupper af webadresser"),
        [this] { return model.funkNo() == 0; }, [this] { bookmarkTransfer.importFile(); });
    aImportBookmarks->setIcon(pictures::icon(pictures::Import));
    aImportProfile = make(
        "aImportProfile", QStringLiteral("Importér fra browser..."),
        QStringLiteral("Indfør bogmærker fra en browsers egen profil som grupper af webadresser"),
        [this] { return model.funkNo() == 0; }, [this] { bookmarkTransfer.importProfile(); });
    aImportProfile->setIcon(pictures::icon(pictures::Import));
    aExportBookmarks = make(
        "aExportBookmarks", QStringLiteral("Eksportér bogmærker..."),
        QStringLiteral("Gem aktuelle gruppe eller alle grupper som bogmærkefil til en browser"),
        [this] { return model.funkNo() == 0 && !model.gruppeliste().isEmpty(); },
        [this] { bookmarkTransfer.exportGroups(); });
    aExportBookmarks->setIcon(pictures::icon(pictures::Export));

    popupMenu = new QMenu(this);
    popupMenu->setObjectName(QStringLiteral("popupMenu"));
    popupMenu->addAction(actionAW);
    popupMenu->addSeparator();
    popupMenu->addAction(actionSI);
    popupMenu->addSeparator();
    popupMenu->addAction(actionInfo);
    popupMenu->addSeparator();
    popupMenu->addAction(aImportBookmarks);
    popupMenu->addAction(aImportProfile);
    popupMenu->addAction(aExportBookmarks);
    Button2->setMenu(popupMenu);
    Button2->setStatusTip(actionAW->statusTip());
    Button2->setAccessibleName(actionAW->statusTip());
    connect(Button2, &QToolButton::clicked, actionAW, &QAction::trigger);
    // The menu opens by keys too, as a menu button's does: the menu key, Shift+F10, Alt+Down.
    Button2->installEventFilter(this);

    for (auto [button, action] :
         {std::pair{Button3, webUrl}, {insertKnap, webBrowser}, {Button1, actionIL}}) {
        button->setDefaultAction(action);
        // A button showing only a picture is named by what it does.
        button->setAccessibleName(action->statusTip());
    }

    // Finding any element of any group: the last item of the menu.
    aFind = make("aFind", QStringLiteral("Find element..."),
                 QStringLiteral("Find et element i alle grupper ved at skrive: Ctrl+F"), nullptr,
                 [this] { emit findRequested(); });
    aFind->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    aFind->setIcon(pictures::icon(pictures::Find));
    popupMenu->addSeparator();
    popupMenu->addAction(aFind);
}

void Tmainform::makeOptdir() {
    setWindowTitle(QStringLiteral("Lenkaro: ") + settings.brugernavn());
    for (const QString& error : settings.folders().errors)
        MessageBox::show(QStringLiteral("Lenkaro"), error);
}

void Tmainform::hentOpt() {
    const MainOptions o = readMainOptions(optFilnavn, settings.baseDir());
    if (o.designname)
        setDesign(*o.designname);
    applyPlace(this, o.place);
    model.restore(o.gruppenavn, o.gruppenavn0, o.gruppenavn1, o.funkNo);
}

void Tmainform::setDesign(const QString& name) {
    settings.setDesignname(name);
    StyleManager::setStyle(name);
}

void Tmainform::gemOpt() {
    const QRect place = outerPlace(this);
    const MainOptionValues values{settings.designname(), place.y(),           place.x(),
                                  place.width(),         place.height(),      model.gruppenavn(),
                                  model.gruppenavn0(),   model.gruppenavn1(), model.funkNo()};
    QString error;
    if (!writeMainOptions(optFilnavn, values, &error))
        MessageBox::fileError(QStringLiteral("Kan ikke oprette filen"), optFilnavn, error);
    // The administration window's options are saved even when ours could not be.
    emit optionsSaved();
}

void Tmainform::showGroupLists() {
    gruppeBoksen->clear();
    gruppeBoksen->addItems(model.gruppeliste());
    showCurrentGroup();
}

void Tmainform::showCurrentGroup() {
    gruppenavnLabel->setText(model.hasGroup() ? model.gruppenavn() : noGroupCaption);
    // The highlighted group is the current one.
    const qsizetype row = store::groupIndex(model.gruppeliste(), model.gruppenavn());
    if (model.hasGroup() && row >= 0 && row < gruppeBoksen->count())
        gruppeBoksen->setCurrentRow(int(row));
    else
        gruppeBoksen->clearSelection();
}

void Tmainform::showMode() {
    QStringList captions;
    for (int c = 0; c < store::ElementListModel::ColumnCount; ++c)
        captions << model.elements()->headerData(c, Qt::Horizontal).toString();
    captions[store::ElementListModel::NavnColumn] =
        model.funkNo() == 1 ? QStringLiteral("Program") : QStringLiteral("Webside");
    model.elements()->setCaptions(captions);
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

namespace {
// The keys that open a focused control's menu.
bool opensMenu(const QEvent* event) {
    if (event->type() == QEvent::ContextMenu)
        return static_cast<const QContextMenuEvent*>(event)->reason() ==
               QContextMenuEvent::Keyboard;
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    return (key->key() == Qt::Key_Menu && modifiers == Qt::NoModifier) ||
           (key->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier) ||
           (key->key() == Qt::Key_Down && modifiers == Qt::AltModifier);
}
} // namespace

bool Tmainform::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Listen->viewport() && DragReader::isDragEvent(event)) {
        const std::optional<DroppedEntry> entry = drags.handle(event, model.funkNo());
        if (entry) {
            // Handled once the drag has ended, so the source is not kept waiting by a question.
            QTimer::singleShot(0, this, [this, e = *entry] { enterDropped(e.adresse, e.navn); });
        }
        return event->type() != QEvent::DragLeave;
    }
    if (watched == Button2 && opensMenu(event)) {
        Button2->showMenu();
        return true;
    }
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
    if (model.funkNo() == 0 && row >= 0)
        webEdit1->setText(model.Web()[row].Url);
}

void Tmainform::ListenDblClick() {
    if (selectedRow() < 0)
        return;
    if (model.funkNo() == 0)
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
    // Both group lists mark the chosen group when the model has made it current.
    model.selectGroup(item->text());
}

void Tmainform::gruppeBoksenKeyPress(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)
        gruppeBoksenDblClick();
}

void Tmainform::actionAWExecute() {
    emit adminRequested();
}

void Tmainform::actionSIExecute() {
    showFileError(model.switchMode(model.funkNo() == 1 ? 0 : 1));
}

void Tmainform::actionInfoExecute() {
    Information(QStringLiteral("Lenkaro"));
}

void Tmainform::Information(const QString& S) {
    emit helpRequested(S);
}

void Tmainform::visitElement(const QString& gruppe, const QString& sourceFile) {
    // Loaded anew from its folder, so the element is visited as it is on disk now.
    model.selectGroup(gruppe);
    int row = -1;
    for (int i = 0; i < model.Web().size(); ++i) {
        if (model.Web()[i].file.path == sourceFile) {
            row = i;
            break;
        }
    }
    if (row < 0) {
        context.infform->inform(QStringLiteral("Elementet findes ikke længere i gruppen."));
        return;
    }
    Listen->selectRow(row);
    Listen->scrollTo(model.elements()->index(row, 0));
    // The two clicks of a double-click on the row.
    ListenClick();
    ListenDblClick();
}

void Tmainform::enterDropped(const QString& adresse, const QString& navn) {
    enterDroppedElement(context, EntryForm::MainWindow, webEdit1, webEdit2, adresse, navn);
}

void Tmainform::actionILExecute() {
    enterTypedElement(context, EntryForm::MainWindow, webEdit1, webEdit2);
}

void Tmainform::webBrowserExecute() {
    if (model.funkNo() == 0) {
        startChosenBrowser();
        return;
    }
    const QString file = chooseProgram(this);
    if (!file.isEmpty())
        webEdit1->setText(file);
}

void Tmainform::startChosenBrowser() {
    // Started without an address: the user finds the page and copies its address.
    const BrowserCommand browser = context.services.browsers.find(settings.browserValg());
    if (!browser.isEmpty())
        runFilname(browser.program, browser.parameters());
}

bool Tmainform::recordVisit(int row) {
    // The date is taken first, then the time.
    const QString date = context.services.clock->dateText();
    const QString time = context.services.clock->timeText();
    return !showFileError(model.recordVisit(row, date, time));
}

bool Tmainform::webUrlBeforeBrowse() {
    const int row = selectedRow();
    if (model.funkNo() != 0)
        return false;
    if (row < 0) {
        context.infform->inform(QStringLiteral("Der mangler en webadresse!"));
        return false;
    }
    if (!context.services.urlCheck->IsValidURL(model.Web()[row].Url)) {
        context.infform->inform(QStringLiteral("Der mangler en gyldig webadresse!"));
        return false;
    }
    // A web address is opened as a browser opens a link, and a browser never runs a file. The
    // shell refuses such a file as well; here the user is told why nothing happens.
    if (addressTarget(model.Web()[row].Url) == AddressTarget::Program) {
        context.infform->inform(QStringLiteral(
            "Adressen peger på et program. Programmer startes ikke fra en webadresse."));
        return false;
    }
    return recordVisit(row);
}

void Tmainform::webUrlExecute() {
    if (!webUrlBeforeBrowse())
        return;
    // Whether the browser opens is not looked at.
    context.services.shell->execute(QString(), model.Web()[model.WebNo()].Url, QString(), QString(),
                                    Shell::ShowNormal);
}

void Tmainform::runProgrammer() {
    if (model.funkNo() != 1)
        return;
    const int row = selectedRow();
    if (row < 0) {
        context.infform->inform(QStringLiteral("Vælg et item!"));
        return;
    }
    const QString program = model.Web()[row].Url;
    if (!QFileInfo(program).isFile()) {
        context.infform->inform(QStringLiteral("Programmet blev ikke fundet."));
        return;
    }
    // The visit is recorded before the shell is asked, so a refused start still counts.
    if (!recordVisit(row))
        return;
    runFilname(program);
}

void Tmainform::runFilname(const QString& aFilename, const QString& parameters) {
    const int result = context.services.shell->execute(QStringLiteral("open"), aFilename,
                                                       parameters, QString(), Shell::ShowNormal);
    if (result <= 32)
        ErrorInfo(result);
}

void Tmainform::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (opstart) {
        opstart = false;
        model.loadGruppefil();
    }
}

void Tmainform::closeEvent(QCloseEvent* event) {
    gemOpt();
    event->accept();
    QCoreApplication::quit();
}
