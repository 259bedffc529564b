#include "ui/help/info.h"

#include "platform/editors.h"
#include "platform/filenames.h"
#include "platform/pathname.h"
#include "platform/textcompare.h"
#include "platform/toolkit/messagebox.h"
#include "platform/toolkit/pageview.h"
#include "platform/toolkit/stylemanager.h"
#include "platform/toolkit/updateaction.h"
#include "settings/options.h"
#include "settings/programsettings.h"
#include "store/helphistory.h"
#include "struktur/Struktur.h"
#include "struktur/dokumentsoeg.h"
#include "ui/dialogs/infUnit.h"
#include "ui/dialogs/report.h"
#include "ui/widgets/pictures.h"
#include "ui/widgets/place.h"
#include "ui/windowcontext.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QSplitter>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidgetItemIterator>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace {
// A search result: its bullet and a silver line under it; with the first style of the list in
// use, a white row and a money-green round bullet, else a yellow square on the list's own
// background.
class FindisDelegate : public QStyledItemDelegate {
public:
    FindisDelegate(QObject* parent, std::function<int()> designPosition_)
        : QStyledItemDelegate(parent), designPosition(std::move(designPosition_)) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QRect r = option.rect;
        const QRect bullet(r.left() + 2, r.top() + 4, 10, 10);
        const bool selected = option.state & QStyle::State_Selected;
        // Black text as designed on a light row; a dark style's row would swallow it, so
        // there the text takes the palette's colour for text on that row.
        QColor row = selected ? option.palette.color(QPalette::Highlight)
                              : option.palette.color(QPalette::Base);
        QColor text = Qt::black;
        painter->save();
        if (designPosition() == 0) {
            row = Qt::white;
            painter->fillRect(r, Qt::white);
            painter->setPen(Qt::white);
            painter->setBrush(QColor(192, 220, 192));
            painter->setRenderHint(QPainter::Antialiasing);
            painter->drawEllipse(bullet);
            painter->setRenderHint(QPainter::Antialiasing, false);
        } else {
            if (selected)
                painter->fillRect(r, option.palette.highlight());
            painter->setPen(Qt::black);
            painter->setBrush(QColor(255, 255, 0));
            painter->drawRect(bullet.adjusted(0, 0, -1, -1));
        }
        if (row.lightness() < 128)
            text = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
        painter->setPen(text);
        painter->setFont(option.font);
        painter->drawText(QRect(r.left() + 16, r.top() + 1, r.width() - 16, r.height() - 1),
                          Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                          index.data().toString());
        painter->setPen(QColor(192, 192, 192));
        painter->drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width() + 16, 20};
    }

private:
    std::function<int()> designPosition;
};

// The search engine the address box turns to when the text names no document.
const QString searchEngine = QStringLiteral("https://www.google.com");

const QChar sep = QDir::separator();

QWidget* panel(const char* name) {
    auto* w = new QWidget;
    w->setObjectName(QString::fromLatin1(name));
    return w;
}
} // namespace

Tinfoformen::Tinfoformen(WindowContext& context_, store::HelpHistory& history_)
    : context(context_), history(history_), settings(context_.settings) {
    setWindowTitle(QStringLiteral("Information"));
    QFont f = tahoma(0);
    f.setPixelSize(13);
    setFont(f);
    setMinimumSize(753, 500);
    buildControls();
    buildActions();
    // The page view never narrower than in the narrowest window, dragged or read from the
    // options file.
    rightPanel->setMinimumWidth(minimumWidth() - leftPanel->minimumWidth() -
                                Splitter1->handleWidth());

    // Creating the window: the help structure is loaded now, the page view at the first showing.
    strukturnavn = QStringLiteral("Lenkaroinfo.txt");
    newNavn = strukturnavn;
    strukturdir = settings.strukturDir();
    optFilnavn = infoOptionsPath(settings.optdir());
    noteDesign(settings.designname());
    connect(&settings, &ProgramSettings::designChanged, this, &Tinfoformen::noteDesign);
    opstart = true;
    LoadStruktur();
    oldUrl.clear();
    htmlProgram = checkProgram();
    redigerKnap->setEnabled(!htmlProgram.isEmpty());
}

Tinfoformen::~Tinfoformen() {
    // The view goes first, so none of its events reaches a window half taken down.
    if (Web)
        delete Web->widget();
}

void Tinfoformen::buildControls() {
    // The window's frame first and each panel and tab in place before its controls are made: a
    // widget moved into a window under a style sheet is polished anew, with all its children.
    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    setCentralWidget(Splitter1);
    leftPanel = panel("leftPanel");
    rightPanel = panel("rightPanel");
    Splitter1->addWidget(leftPanel);
    Splitter1->addWidget(rightPanel);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setChildrenCollapsible(false);

    infobar = new QStatusBar;
    infobar->setObjectName(QStringLiteral("infobar"));
    infobar->setSizeGripEnabled(false);
    setStatusBar(infobar);

    leftPanel->setMinimumWidth(195);
    auto* leftLayout = new QVBoxLayout(leftPanel);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    infoBog = new QTabWidget;
    infoBog->setObjectName(QStringLiteral("infoBog"));
    leftLayout->addWidget(infoBog);
    side1 = panel("side1");
    side2 = panel("side2");
    infoBog->addTab(side1, QStringLiteral("Struktur"));
    infoBog->addTab(side2, QStringLiteral("Søg"));
    infoBog->setCurrentIndex(0);

    auto* side1Layout = new QVBoxLayout(side1);
    side1Layout->setContentsMargins(0, 0, 0, 0);
    side1Layout->setSpacing(0);
    Panel1 = panel("Panel1");
    auto* countLayout = new QHBoxLayout(Panel1);
    countLayout->setContentsMargins(4, 3, 4, 3);
    countLayout->setSpacing(0);
    Label1 = new QLabel(QStringLiteral("Elementer: "));
    antalLabel = new QLabel(QStringLiteral("0"));
    antalLabel->setObjectName(QStringLiteral("antalLabel"));
    countLayout->addWidget(Label1);
    countLayout->addWidget(antalLabel);
    countLayout->addStretch(1);
    Struktur = new TStruktur;
    Struktur->setObjectName(QStringLiteral("Struktur"));
    Struktur->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Struktur->setSelectionMode(QAbstractItemView::SingleSelection);
    Struktur->setIndentation(19);
    Struktur->SetDataOn(true);
    Struktur->installEventFilter(this);
    Struktur->setAccessibleName(QStringLiteral("Struktur"));
    side1Layout->addWidget(Panel1);
    side1Layout->addWidget(Struktur, 1);

    auto* side2Layout = new QVBoxLayout(side2);
    side2Layout->setContentsMargins(0, 0, 0, 0);
    side2Layout->setSpacing(0);
    searchPanel = panel("searchPanel");
    auto* searchLayout = new QHBoxLayout(searchPanel);
    searchLayout->setContentsMargins(2, 3, 2, 3);
    searchLayout->setSpacing(2);
    EditFind = new QLineEdit;
    EditFind->setObjectName(QStringLiteral("EditFind"));
    sButton = new QToolButton;
    sButton->setObjectName(QStringLiteral("sButton"));
    sButton->setToolButtonStyle(Qt::ToolButtonIconOnly);
    EditFind->setAccessibleName(QStringLiteral("Søg efter"));
    searchLayout->addWidget(EditFind, 1);
    searchLayout->addWidget(sButton);
    Findis = new QListWidget;
    Findis->setObjectName(QStringLiteral("Findis"));
    Findis->setUniformItemSizes(true);
    Findis->setAccessibleName(QStringLiteral("Fundne sider"));
    Findis->installEventFilter(this);
    Findis->setItemDelegate(new FindisDelegate(Findis, [this] { return designPosition; }));
    EditFind->installEventFilter(this);
    side2Layout->addWidget(searchPanel);
    side2Layout->addWidget(Findis, 1);

    auto* rightLayout = new QVBoxLayout(rightPanel);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(0);
    NavigateBar = new QToolBar;
    NavigateBar->setObjectName(QStringLiteral("NavigateBar"));
    NavigateBar->setIconSize(QSize(16, 16));
    NavigateBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    rightLayout->addWidget(NavigateBar);

    connect(Struktur, &QTreeWidget::itemClicked, this, &Tinfoformen::StrukturClick);
    connect(infoBog, &QTabWidget::currentChanged, this, &Tinfoformen::infoBogChange);
    connect(Findis, &QListWidget::itemClicked, this, &Tinfoformen::FindisClick);
}

void Tinfoformen::buildActions() {
    auto make = [this](const char* name, const QString& hint, UpdateAction::Rule rule,
                       UpdateAction::Handler handler) {
        auto* action = new UpdateAction(this, QString(), hint, std::move(rule), std::move(handler));
        action->setObjectName(QString::fromLatin1(name));
        action->setToolTip(action->statusTip());
        addAction(action);
        return action;
    };
    Afirst = make(
        "Afirst", QStringLiteral("Gå til første"), [this] { return history.canFirst(); },
        [this] { AfirstExecute(); });
    Aback = make(
        "Aback", QStringLiteral("Tilbage"), [this] { return history.canBack(); },
        [this] { AbackExecute(); });
    Aforward = make(
        "Aforward", QStringLiteral("Frem"), [this] { return history.canForward(); },
        [this] { AforwardExecute(); });
    Alast = make(
        "Alast", QStringLiteral("Gå til sidste"), [this] { return history.canLast(); },
        [this] { AlastExecute(); });
    Ago = make(
        "Ago", QStringLiteral("Opdater/Gå"), [this] { return !Edit->text().isEmpty(); },
        [this] { AgoExecute(); });
    AfavListe = make("AfavListe", QStringLiteral("Favoritliste: Vis eller skjul: Ctrl+F"), nullptr,
                     [this] { AfavListeExecute(); });
    AfavListe->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    aSearch = make(
        "aSearch", QStringLiteral("Søg i aktuelle struktur: Ctrl+S eller skriv og tryk Enter"),
        [this] { return !EditFind->text().isEmpty(); }, [this] { aSearchExecute(); });
    aSearch->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    sButton->setDefaultAction(aSearch);
    sButton->setAccessibleName(QStringLiteral("Søg"));

    Edit = new QLineEdit;
    Edit->setObjectName(QStringLiteral("Edit"));
    // 317 pixels wide where there is room; in a narrow window it gives way, so the buttons
    // behind it stay in view.
    Edit->setMinimumWidth(120);
    Edit->setMaximumWidth(317);
    Edit->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    Edit->setAccessibleName(QStringLiteral("Adresse"));
    connect(Edit, &QLineEdit::returnPressed, Ago, &UpdateAction::execute);
    // The boxes are filled by code as well (a page's title, a test), not by keys alone.
    connect(Edit, &QLineEdit::textChanged, this, [] { UpdateAction::updateSoon(); });
    connect(EditFind, &QLineEdit::textChanged, this, [] { UpdateAction::updateSoon(); });

    NavigateBar->addAction(Afirst);
    NavigateBar->addSeparator();
    NavigateBar->addAction(Aback);
    NavigateBar->addSeparator();
    NavigateBar->addAction(Aforward);
    NavigateBar->addSeparator();
    NavigateBar->addAction(Alast);
    NavigateBar->addWidget(Edit);
    NavigateBar->addAction(Ago);
    NavigateBar->addSeparator();
    urlListeKnap = new QToolButton;
    urlListeKnap->setObjectName(QStringLiteral("urlListeKnap"));
    urlListeKnap->setDefaultAction(AfavListe);
    urlListeKnap->setAutoRaise(true);
    NavigateBar->addWidget(urlListeKnap);
    NavigateBar->addSeparator();
    redigerKnap = new QToolButton;
    redigerKnap->setObjectName(QStringLiteral("redigerKnap"));
    redigerKnap->setText(QStringLiteral("Rediger"));
    redigerKnap->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    redigerKnap->setStatusTip(QStringLiteral("Rediger aktuelle hjemmeside, hvis muligt"));
    redigerKnap->setAutoRaise(true);
    NavigateBar->addWidget(redigerKnap);
    connect(redigerKnap, &QToolButton::clicked, this, &Tinfoformen::redigerKnapClick);
    urlListeKnap->setAccessibleName(QStringLiteral("Favoritliste"));
    // The picture buttons are named by what they do and reached by Tab like the box between
    // them; Alt+Left and Alt+Right go back and forward as in a browser.
    for (QAction* action : {Afirst, Aback, Aforward, Alast, Ago}) {
        QWidget* button = NavigateBar->widgetForAction(action);
        button->setAccessibleName(action->statusTip());
        button->setFocusPolicy(Qt::TabFocus);
    }
    Aback->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    Aforward->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
}

void Tinfoformen::loadPictures() {
    using namespace pictures;
    Struktur->setImageList({icon(Document), icon(Folder), icon(Help), icon(Info)});
    const std::pair<QAction*, Kind> actions[] = {
        {Afirst, First}, {Aback, Back},        {Aforward, Forward}, {Alast, Last},
        {Ago, Go},       {AfavListe, History}, {aSearch, LookUp}};
    for (auto [action, picture] : actions)
        action->setIcon(icon(picture));
    redigerKnap->setIcon(icon(pictures::Edit));
}

void Tinfoformen::makePageView() {
    if (Web || !context.services.pageView)
        return;
    // A page arrives without any input: the arrows' rules read the history it changes, so
    // they are worked out again after each of the view's events, not at the next key only.
    PageView::Events events;
    events.beforeNavigate = [this] {
        WebBeforeNavigate2();
        UpdateAction::updateSoon();
    };
    events.documentComplete = [this] {
        WebDocumentComplete();
        UpdateAction::updateSoon();
    };
    events.newWindow = [this](const QString& address) { WebNewWindow2(address); };
    events.titleChange = [this] {
        WebTitleChange();
        UpdateAction::updateSoon();
    };
    events.mouseOver = [this](const QString& link) { Document_OnMouseOver(link); };
    Web = context.services.pageView(rightPanel, std::move(events));
    Web->widget()->setObjectName(QStringLiteral("Web"));
    rightPanel->layout()->addWidget(Web->widget());
}

void Tinfoformen::noteDesign(const QString& name) {
    QStringList names = StyleManager::styleNames();
    names.sort(Qt::CaseInsensitive);
    designPosition = -1;
    for (int i = 0; i < names.size(); ++i) {
        if (names[i].compare(name, Qt::CaseInsensitive) == 0) {
            designPosition = i;
            break;
        }
    }
    if (Findis)
        Findis->viewport()->update();
}

void Tinfoformen::Information(const QString& S) {
    newNavn = QStringLiteral("Lenkaroinfo.txt");
    if (!sameTextAZ(newNavn, strukturnavn)) {
        strukturnavn = newNavn;
        LoadStruktur();
    }
    goToInfo(S);
}

void Tinfoformen::LoadStruktur() {
    const QString N = pathname::baseName(strukturnavn).value_or(QString());
    const QString F = filenames::entryPath(strukturdir, N);
    const QString tekstfiler = filenames::entryPath(F, QStringLiteral("tekstfiler"));
    Mappe = tekstfiler;
    Struktur->SetBilledmappe(filenames::entryPath(F, QStringLiteral("Billeder")) + sep);
    Struktur->SetStrukturfile(F + sep + QStringLiteral("struktur.txt"));
    Struktur->SetDatafile(F + sep + QStringLiteral("data.txt"));
    Struktur->SetInfomappe(tekstfiler + sep);
    Struktur->SetHtmlmappe(Struktur->Infomappe() + QStringLiteral("Design og funktioner") + sep);
    try {
        Struktur->HentStruktur();
    } catch (const StrukturError& e) {
        // What was read before the fault stays in the tree.
        MessageBox::show(QStringLiteral("Information"), e.message());
    }
    antalLabel->setText(QString::number(Struktur->nodeCount()));
}

bool Tinfoformen::goToInfo(const QString& openNodetekst) {
    if (!isVisible())
        show();
    // Asked for while behind other windows, it comes to the front.
    activateWindow();
    if (Struktur->topLevelItemCount() == 0)
        return false;
    const QString topic =
        openNodetekst.isEmpty() ? Struktur->topLevelItem(0)->text(0) : openNodetekst;
    for (QTreeWidgetItemIterator it(Struktur); *it; ++it) {
        if (!sameTextAZ((*it)->text(0), topic))
            continue;
        Struktur->setCurrentItem(*it);
        (*it)->setExpanded(true);
        Struktur->scrollToItem(*it);
        StrukturClick();
        return true;
    }
    return false;
}

void Tinfoformen::StrukturClick() {
    const QList<QTreeWidgetItem*> selected = Struktur->selectedItems();
    if (selected.isEmpty())
        return;
    const QString path = Struktur->documentPath(selected.first());
    // Every node has its data string; one loaded without names no document.
    if (path.isEmpty())
        return;
    hjemmeside = path;
    if (Web)
        Web->Navigate(hjemmeside);
}

void Tinfoformen::infoBogChange(int index) {
    if (index == 1)
        EditFind->setFocus();
}

void Tinfoformen::UrlLister(QString Urlen) {
    if (sameTextAZ(oldUrl, Urlen))
        return;
    oldUrl = Urlen;
    hjemmeside = Struktur->Infomappe() + Urlen;
    // A move in the history: the entry is there already.
    if (history.endMove())
        return;
    QString nodeText;
    try {
        nodeText = Struktur->getNodeTekst(Urlen);
    } catch (const StrukturError&) {
        // A web address may hold what no file name can; such a page is outside the
        // structure like any other.
        nodeText.clear();
    }
    history.record(nodeText, strukturnavn);
}

void Tinfoformen::goToStruktur(int aIndex) {
    // The history asks for the entry's page; an index outside it is ignored there.
    history.goToStruktur(aIndex);
}

void Tinfoformen::AfirstExecute() {
    history.first();
}

void Tinfoformen::AbackExecute() {
    history.back();
}

void Tinfoformen::AforwardExecute() {
    history.forward();
}

void Tinfoformen::AlastExecute() {
    history.last();
}

QString Tinfoformen::searchAddress(const QString& text) {
    // Encoded whole, so "&", "%", "+" and "#" are searched for rather than read as syntax.
    return searchEngine + QStringLiteral("/search?q=") +
           QString::fromLatin1(QUrl::toPercentEncoding(text));
}

void Tinfoformen::AgoExecute() {
    const QString text = Edit->text();
    if (text.isEmpty() || !Web)
        return;
    const QString path = Struktur->Infomappe() + text;
    Web->Navigate(QFileInfo(path).isFile() ? path : searchAddress(text));
}

void Tinfoformen::AfavListeExecute() {
    emit historyListRequested();
}

void Tinfoformen::FindTekst(const QString& aTekst) {
    if (!QFileInfo(Mappe).isDir()) {
        context.infform->inform(QStringLiteral("Filerne blev ikke fundet."));
        return;
    }
    Findis->clear();
    // The emptied list is painted before the search holds the window.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (aTekst.isEmpty()) {
        context.infform->inform(QStringLiteral("Der mangler en søgetekst."));
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Findis->addItems(dokumentsoeg::findDokumenter(Mappe, aTekst));
    QApplication::restoreOverrideCursor();
}

void Tinfoformen::aSearchExecute() {
    FindTekst(EditFind->text());
}

void Tinfoformen::FindisClick() {
    const QListWidgetItem* item = Findis->currentItem();
    if (!item || !item->isSelected())
        return;
    hjemmeside = Struktur->Infomappe() + item->text() + QStringLiteral(".html");
    if (Web)
        Web->Navigate(hjemmeside);
}

QString Tinfoformen::checkProgram() {
    const Editor editor = context.services.editors.find();
    htmlArguments = editor.arguments;
    // A greyed button says why it is grey.
    redigerKnap->setStatusTip(editor.program.isEmpty()
                                  ? editor.reason
                                  : QStringLiteral("Rediger aktuelle hjemmeside, hvis muligt"));
    return editor.program;
}

void Tinfoformen::redigerKnapClick() {
    runFilname(hjemmeside);
}

void Tinfoformen::runFilname(const QString& aFilename) {
    if (!QFileInfo(aFilename).isFile())
        return;
    // In quotes, so a path with blanks reaches the editor as one parameter (a quote inside
    // one is written three times, as the parameters are split).
    QStringList parameters;
    for (const QString& argument : htmlArguments + QStringList{aFilename})
        parameters << u'"' + QString(argument).replace(u'"', QStringLiteral("\"\"\"")) + u'"';
    const int result = context.services.shell->execute(
        QStringLiteral("open"), htmlProgram, parameters.join(u' '), QString(), Shell::Show);
    if (result <= 32)
        ErrorInfo(result, ShellErrorAdvice::WithoutFileTypes);
}

void Tinfoformen::WebBeforeNavigate2() {
    htmlDoc = false;
}

void Tinfoformen::WebDocumentComplete() {
    if (!Web || !Web->hasDocument())
        return;
    htmlDoc = true;
    // The engine tells of a link only when the mouse enters or leaves it: the link of the last
    // page is no longer under the mouse, and the next mouse-over on this page says what is.
    infobar->clearMessage();
    globalUrl.clear();
}

void Tinfoformen::Document_OnMouseOver(const QString& link) {
    // While a page loads the status bar keeps what it shows.
    if (!htmlDoc)
        return;
    infobar->clearMessage();
    globalUrl.clear();
    if (IsURL(link)) {
        infobar->showMessage(link);
        globalUrl = link;
    }
}

bool Tinfoformen::IsURL(const QString& URL) const {
    return context.services.urlCheck->IsValidURL(URL);
}

void Tinfoformen::WebNewWindow2(const QString& address) {
    // The program has no second page window: a link under the mouse opens here, anything
    // else in the desktop's browser.
    if (!globalUrl.isEmpty()) {
        Web->Navigate(globalUrl);
        return;
    }
    // An address a page asks for is opened as any address is, never run as a program.
    if (!address.isEmpty())
        context.services.shell->execute(QString(), address, QString(), QString(),
                                        Shell::ShowNormal);
}

void Tinfoformen::WebTitleChange() {
    const QString location = Web->LocationName();
    Edit->setText(location);
    UrlLister(location);
}

void Tinfoformen::hentOpt() {
    const std::optional<InfoOptions> read = readInfoOptions(optFilnavn);
    const InfoOptions o = read.value_or(InfoOptions{});
    applyPlace(this, {o.top, o.left, o.width, o.height});
    // Whatever the file says, the page view keeps the width it has in the narrowest window;
    // clamped before adding, so the two sizes add up without overflow.
    const int room = width() - Splitter1->handleWidth();
    const int panel =
        std::clamp(o.panelWidth, leftPanel->minimumWidth(),
                   std::max(leftPanel->minimumWidth(), room - rightPanel->minimumWidth()));
    Splitter1->setSizes({panel, std::max(room - panel, 1)});
    if (read)
        return;
    // Missing or damaged: the defaults are written back at once.
    writeOptions(o);
}

void Tinfoformen::gemOpt() {
    const QRect place = outerPlace(this);
    writeOptions({place.y(), place.x(), place.width(), place.height(), leftPanel->width()});
}

void Tinfoformen::writeOptions(const InfoOptions& options) {
    QString error;
    if (!writeInfoOptions(optFilnavn, options, &error))
        MessageBox::fileError(QStringLiteral("Kan ikke oprette filen"), optFilnavn, error);
}

bool Tinfoformen::event(QEvent* e) {
    // Becoming the active window, this window's status bar takes over the hints afresh.
    if (e->type() == QEvent::WindowActivate)
        infobar->clearMessage();
    return QMainWindow::event(e);
}

bool Tinfoformen::eventFilter(QObject* watched, QEvent* e) {
    if (watched == EditFind && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !EditFind->text().isEmpty()) {
            FindTekst(EditFind->text());
            return true;
        }
    }
    if ((watched == Struktur || watched == Findis) && e->type() == QEvent::KeyPress) {
        // Enter and Space open the selected topic or result, as a click does; moving with the
        // arrow keys opens nothing.
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            if (watched == Struktur)
                StrukturClick();
            else
                FindisClick();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

void Tinfoformen::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (!opstart)
        return;
    // The first showing: the pictures, the window's place, the page view (the web engine starts
    // here, not at program start) and the opening page. Pictures cost time to load, and a start
    // that never opens the help need not pay for them.
    opstart = false;
    loadPictures();
    hentOpt();
    makePageView();
    goToInfo(QStringLiteral("Information"));
}

void Tinfoformen::closeEvent(QCloseEvent* e) {
    // Only a close by the user saves the window's place, not the end of the program.
    if (!context.ending)
        gemOpt();
    e->accept();
}
