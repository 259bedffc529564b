#include "main.h"

#include "bookmarks.h"
#include "browserprofiles.h"
#include "dropentry.h"
#include "elementlistmodel.h"
#include "entrycheck.h"
#include "filedialog.h"
#include "groupdelegate.h"
#include "groups.h"
#include "infUnit.h"
#include "listchoice.h"
#include "messagebox.h"
#include "model.h"
#include "options.h"
#include "pictures.h"
#include "place.h"
#include "profilebookmarks.h"
#include "programsettings.h"
#include "progresswindow.h"
#include "report.h"
#include "spmUnit.h"
#include "stylemanager.h"
#include "textcompare.h"
#include "updateaction.h"
#include "userfolders.h"
#include "windowcontext.h"

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
    : context(context_), settings(context_.settings), model(context_.model) {
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
        [this] { return model.funkNo() == 0; }, [this] { importBookmarksExecute(); });
    aImportBookmarks->setIcon(pictures::icon(pictures::Import));
    aImportProfile = make(
        "aImportProfile", QStringLiteral("Importér fra browser..."),
        QStringLiteral("Indfør bogmærker fra en browsers egen profil som grupper af webadresser"),
        [this] { return model.funkNo() == 0; }, [this] { importProfileExecute(); });
    aImportProfile->setIcon(pictures::icon(pictures::Import));
    aExportBookmarks = make(
        "aExportBookmarks", QStringLiteral("Eksportér bogmærker..."),
        QStringLiteral("Gem aktuelle gruppe eller alle grupper som bogmærkefil til en browser"),
        [this] { return model.funkNo() == 0 && !model.gruppeliste().isEmpty(); },
        [this] { exportBookmarksExecute(); });
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
    if (watched == Listen->viewport() &&
        (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove ||
         event->type() == QEvent::Drop)) {
        auto* drag = static_cast<QDropEvent*>(event);
        const std::optional<DroppedEntry> entry = droppedEntry(drag->mimeData(), model.funkNo());
        if (!entry)
            return true; // refused: the cursor says so
        drag->acceptProposedAction();
        if (event->type() == QEvent::Drop) {
            // Handled once the drag has ended, so the source is not kept waiting by a question.
            QTimer::singleShot(0, this, [this, e = *entry] { enterDropped(e.adresse, e.navn); });
        }
        return true;
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
        if (model.Web()[i].sourceFile == sourceFile) {
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
    if (!model.hasGroup()) {
        context.infform->inform(
            QStringLiteral("Vælg først den gruppe, elementet skal indføres i."));
        return;
    }
    // Entered as if typed into the two fields and "Indfør" pressed: the same checks, question
    // and messages, and what could not be entered stays in the fields to be mended.
    webEdit1->setText(adresse);
    webEdit2->setText(navn);
    actionILExecute();
}

void Tmainform::actionILExecute() {
    const QString adresse = webEdit1->text();
    const QString navn = webEdit2->text();
    if (informFailedEntry(
            *context.infform,
            store::checkEntry(model.funkNo(), adresse, navn, 3, *context.services.urlCheck),
            EntryForm::MainWindow))
        return;
    const store::Result result = model.insertElement(adresse, navn, [this](const QString& name) {
        return confirmOverwrite(*context.spform, name);
    });
    if (result.kind == store::Result::UnusableName) {
        context.infform->inform(unusableFileName());
        return;
    }
    // A failed write keeps what was typed, so it can be tried again.
    if (showFileError(result))
        return;
    webEdit1->clear();
    webEdit2->clear();
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

namespace {
const QString bookmarkFilter = QStringLiteral("Bogmærkefiler (*.html *.htm);;Alle filer (*)");

// "1 gruppe", "2 grupper".
QString counted(qsizetype n, const char* one, const char* more) {
    return QString::number(n) + u' ' + QString::fromUtf8(n == 1 ? one : more);
}
QString bookmarksCounted(qsizetype n) {
    return counted(n, "bogmærke", "bogmærker");
}
QString groupsCounted(qsizetype n) {
    return counted(n, "gruppe", "grupper");
}

// The question asked once before an import overwrites anything.
QString overwriteQuestion(const store::Model::Existing& existing) {
    const int n = existing.elements;
    QString where;
    if (existing.groups.size() == 1) {
        where = QStringLiteral("gruppen \"%1\"").arg(existing.groups.first());
    } else {
        // A long list of groups is cut: the question must fit on the screen.
        constexpr int shownGroups = 10;
        QStringList names;
        for (const QString& group : existing.groups.mid(0, shownGroups))
            names << u'"' + group + u'"';
        where = QStringLiteral("%1: %2").arg(groupsCounted(existing.groups.size()),
                                             names.join(QStringLiteral(", ")));
        if (existing.groups.size() > shownGroups)
            where += QStringLiteral(" og %1 flere").arg(existing.groups.size() - shownGroups);
    }
    return QStringLiteral("%1 findes allerede i %2.\r%3\r\r\"Nej\" beholder %4 og indfører resten.")
        .arg(counted(n, "element", "elementer"), where,
             n == 1 ? QStringLiteral("Skal det overskrives?")
                    : QStringLiteral("Skal de overskrives?"),
             n == 1 ? QStringLiteral("det") : QStringLiteral("dem"));
}
} // namespace

void Tmainform::importBookmarksExecute() {
    const QString path = FileDialog::open(this, QStringLiteral("Vælg bogmærkefil"),
                                          QDir::homePath(), bookmarkFilter);
    if (path.isEmpty())
        return;
    namespace bookmarks = store::bookmarks;
    const bookmarks::ReadResult read = bookmarks::readFile(path);
    if (read.error == bookmarks::ReadError::NotRead) {
        showFileError({store::Result::FileNotRead, path, read.reason});
        return;
    }
    if (read.error == bookmarks::ReadError::NotBookmarks) {
        context.infform->inform(QStringLiteral("Filen er ikke en bogmærkefil!\r"
                                               "Vælg en fil, som en browser har eksporteret "
                                               "bogmærker til (HTML)."));
        return;
    }
    importFolders(read.root, QStringLiteral("Der er ingen webadresser i bogmærkefilen."));
}

void Tmainform::importProfileExecute() {
    const QList<BrowserProfile> profiles = findBrowserProfiles();
    if (profiles.isEmpty()) {
        context.infform->inform(QStringLiteral("Der er ingen browserprofiler med bogmærker."));
        return;
    }
    QStringList labels;
    for (const BrowserProfile& profile : profiles)
        labels << profile.label();
    const int chosen = ListChoice::choose(this, QStringLiteral("Importér fra browser"),
                                          QStringLiteral("Vælg den browserprofil, hvis bogmærker "
                                                         "skal indføres:"),
                                          labels);
    if (chosen < 0 || chosen >= profiles.size())
        return;
    const BrowserProfile& profile = profiles[chosen];
    namespace bookmarks = store::bookmarks;
    const bookmarks::ProfileRead read = profile.kind == BrowserProfile::Firefox
                                            ? bookmarks::readFirefoxPlaces(profile.file)
                                            : bookmarks::readChromiumBookmarks(profile.file);
    if (!read.ok) {
        context.infform->inform(
            QStringLiteral("Bogmærkerne i %1 kan ikke læses:\r%2\r%3")
                .arg(profile.label(), QDir::toNativeSeparators(profile.file), read.reason));
        return;
    }
    importFolders(read.root, QStringLiteral("Der er ingen webadresser i browserprofilen."));
}

void Tmainform::importFolders(const store::bookmarks::Folder& root, const QString& noneText) {
    namespace bookmarks = store::bookmarks;
    bookmarks::Skipped skipped;
    const QList<bookmarks::Group> groups = bookmarks::toGroups(root, &skipped);
    auto skippedLines = [](int notWeb, int unusable) {
        QString text;
        if (notWeb == 1)
            text += QStringLiteral("\r1 var ikke en webadresse og blev sprunget over.");
        else if (notWeb > 1)
            text += QStringLiteral("\r%1 var ikke webadresser og blev sprunget over.").arg(notWeb);
        if (unusable == 1)
            text += QStringLiteral("\r1 havde et navn eller en adresse, som ikke kan stå i en "
                                   "fil, og blev sprunget over.");
        else if (unusable > 1)
            text += QStringLiteral("\r%1 havde navne eller adresser, som ikke kan stå i en fil, "
                                   "og blev sprunget over.")
                        .arg(unusable);
        return text;
    };
    if (groups.isEmpty()) {
        context.infform->inform(noneText + skippedLines(skipped.notWeb, skipped.unusable));
        return;
    }
    bool overwrite = false;
    if (const store::Model::Existing existing = model.existingElements(groups);
        existing.elements > 0)
        overwrite = context.spform->ask(overwriteQuestion(existing));
    store::Model::Imported imported;
    store::Result result;
    {
        int total = 0;
        for (const bookmarks::Group& group : groups)
            total += int(group.entries.size());
        ProgressWindow progress(this, QStringLiteral("Lenkaro"),
                                QStringLiteral("Bogmærkerne indføres ..."), total);
        result = model.importBookmarks(
            groups, overwrite, [&progress](int handled, int) { return progress.advance(handled); },
            &imported);
    }
    if (showFileError(result))
        return;
    QString text;
    if (imported.cancelled)
        text = QStringLiteral("Importen blev annulleret efter %1 af %2.\r")
                   .arg(imported.handled)
                   .arg(bookmarksCounted(imported.total));
    text += QStringLiteral("%1 er indført i %2.")
                .arg(bookmarksCounted(imported.elements), groupsCounted(imported.groups));
    if (imported.declined > 0)
        text += QStringLiteral("\r%1 blev ikke overskrevet.").arg(imported.declined);
    text += skippedLines(skipped.notWeb, skipped.unusable + imported.unusable);
    context.infform->inform(text);
}

void Tmainform::exportBookmarksExecute() {
    QStringList names = model.gruppeliste();
    QString fileName = QStringLiteral("Lenkaro bogmærker.html");
    if (model.hasGroup() &&
        context.spform->ask(QStringLiteral("Eksportér kun gruppen \"") + model.gruppenavn() +
                            QStringLiteral("\"?\r\r\"Nej\" eksporterer alle grupperne."))) {
        names = QStringList{model.gruppenavn()};
        fileName = model.gruppenavn() + QStringLiteral(".html");
    }
    const QString path =
        FileDialog::save(this, QStringLiteral("Gem bogmærkefil"),
                         QDir(QDir::homePath()).filePath(fileName), bookmarkFilter);
    if (path.isEmpty())
        return;
    int written = 0;
    if (showFileError(model.exportBookmarks(path, names, &written)))
        return;
    context.infform->inform(QStringLiteral("%1 i %2 er gemt i\r%3")
                                .arg(bookmarksCounted(written), groupsCounted(names.size()),
                                     QDir::toNativeSeparators(path)));
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

void Tmainform::ErrorInfo(int Nr) {
    MessageBox::show(QStringLiteral("Fejlinformation"), errorText(Nr));
}

QString Tmainform::errorText(int Nr) {
    return shellErrorText(Nr);
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
