#include "app.h"

#include "accessibility.h"
#include "boks.h"
#include "elementindex.h"
#include "find.h"
#include "findelement.h"
#include "helphistory.h"
#include "infUnit.h"
#include "info.h"
#include "main.h"
#include "model.h"
#include "options.h"
#include "pictures.h"
#include "programsettings.h"
#include "shelfdraft.h"
#include "singleinstance.h"
#include "spmUnit.h"
#include "stylemanager.h"
#include "translation.h"
#include "url1.h"

#include <QApplication>
#include <QEvent>

namespace {
// Hints are shown in the windows' status bars only, never as pop-ups. And the program's end is
// noted before the toolkit closes the windows still open, so they can tell it from a close by
// the user.
class AppEvents : public QObject {
public:
    explicit AppEvents(bool* ending_) : ending(ending_) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Quit && watched == qApp)
            *ending = true;
        return event->type() == QEvent::ToolTip || QObject::eventFilter(watched, event);
    }

private:
    bool* ending;
};
} // namespace

Services Services::system() {
    return {Shell::system(),
            UrlCheck::system(),
            Clock::system(),
            BrowserPlaces::system(),
            platform::pageViewMaker(),
            EditorPlaces::system(),
            true};
}

App::App(const QString& baseDir_, const QString& loginName_, Services services_)
    : baseDir(baseDir_), loginName(loginName_), services(std::move(services_)),
      settings(std::make_unique<ProgramSettings>(baseDir_, loginName_)),
      model(std::make_unique<store::Model>(*services.urlCheck)),
      elementIndex(std::make_unique<store::ElementIndex>(*model)),
      shelfDraft(std::make_unique<store::ShelfDraft>(*model)),
      helpHistory(std::make_unique<store::HelpHistory>()), context{*model, *settings, services,
                                                                   ending} {
    // The program speaks Danish whatever the desktop's language, the toolkit's dialogs too.
    platform::installDanishToolkitTexts();
    // The program's font for every control that sets none of its own. Under a style sheet a
    // control no longer takes its window's font, so a window's font alone would give way to
    // the desktop's default at the first style.
    QApplication::setFont(tahoma(8));
    StyleManager::setStyle(QStringLiteral("Sky"));
    // The icon of every window that sets none of its own, which is all of them.
    QApplication::setWindowIcon(pictures::programIcon());
    installAccessibility();
    appEvents = std::make_unique<AppEvents>(&ending);
    qApp->installEventFilter(appEvents.get());
    // A second start on the same user folder brings the first to the front and ends, before
    // it has built a window or read an options file.
    if (services.singleInstance) {
        single = std::make_unique<platform::SingleInstance>(settings->optdir());
        if (!single->claim())
            return;
    }
    model->setFolders(settings->folders().programdir0, settings->folders().programdir1);
    // The browser choice is kept with the administration window's options, and the main
    // window's look-up follows it before that window is made. A bad line ends the reading;
    // what came before it stays.
    if (const std::optional<int> browser =
            readBoksOptions(boksOptionsPath(settings->optdir())).browser)
        settings->setBrowserValg(*browser);
    mainform = new Tmainform(context);
    editform = new Teditform;
    infform = context.infform = new Tinfform(mainform);
    spform = context.spform = new Tspform(mainform);

    // What the main window asks of the others.
    QObject::connect(mainform, &Tmainform::helpRequested, mainform,
                     [this](const QString& topic) { infoformen()->Information(topic); });
    QObject::connect(mainform, &Tmainform::adminRequested, mainform, [this] {
        Tboksform* window = boksform();
        window->show();
        window->raise();
        window->activateWindow();
    });
    // The administration window's options are written when the main window closes.
    QObject::connect(mainform, &Tmainform::optionsSaved, mainform,
                     [this] { boksform()->gemOpt(); });
    QObject::connect(mainform, &Tmainform::findRequested, mainform, [this] { findform()->open(); });
    // A move in the history opens its entry's page as any other topic request.
    QObject::connect(helpHistory.get(), &store::HelpHistory::openRequested, mainform,
                     [this](const QString& topic) { infoformen()->Information(topic); });
    if (single)
        QObject::connect(single.get(), &platform::SingleInstance::activationRequested, mainform,
                         [this] { platform::SingleInstance::bringToFront(mainform); });
}

Tboksform* App::boksform() {
    if (boks || !mainform)
        return boks;
    boks = new Tboksform(context, *shelfDraft);
    // Every help topic goes to the help window, whoever asks.
    QObject::connect(boks, &Tboksform::helpRequested, boks,
                     [this](const QString& topic) { infoformen()->Information(topic); });
    QObject::connect(boks, &Tboksform::designChosen, mainform, &Tmainform::setDesign);
    QObject::connect(boks, &Tboksform::browserLookUpRequested, mainform,
                     &Tmainform::startChosenBrowser);
    return boks;
}

Tinfoformen* App::infoformen() {
    if (info || !mainform)
        return info;
    info = new Tinfoformen(context, *helpHistory);
    QObject::connect(info, &Tinfoformen::historyListRequested, info,
                     [this] { urlform1()->show(); });
    return info;
}

Turlform1* App::urlform1() {
    if (!url && mainform)
        url = new Turlform1(context, *helpHistory, mainform);
    return url;
}

Tfindelementform* App::findform() {
    if (find || !mainform)
        return find;
    // The find window visits what it found through the main window, as from its list.
    find = new Tfindelementform(*model, *elementIndex, settings->optdir(), mainform, ending);
    QObject::connect(find, &Tfindelementform::visitRequested, mainform, &Tmainform::visitElement);
    QObject::connect(find, &Tfindelementform::helpRequested, find,
                     [this](const QString& topic) { infoformen()->Information(topic); });
    return find;
}

App::~App() {
    // The message windows are children of the main window and go with it.
    delete find;
    delete editform;
    delete url;
    delete info;
    delete boks;
    delete mainform;
}
