#include "app/app.h"

#include "platform/singleinstance.h"
#include "platform/toolkit/messagebox.h"
#include "platform/toolkit/stylemanager.h"
#include "platform/translation.h"
#include "settings/programsettings.h"
#include "store/elementindex.h"
#include "store/helphistory.h"
#include "store/model.h"
#include "store/shelfdraft.h"
#include "ui/admin/boks.h"
#include "ui/dialogs/infUnit.h"
#include "ui/dialogs/spmUnit.h"
#include "ui/findelement/findelement.h"
#include "ui/help/find.h"
#include "ui/help/info.h"
#include "ui/help/url1.h"
#include "ui/main/main.h"
#include "ui/widgets/accessibility.h"
#include "ui/widgets/pictures.h"

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

// Shows window in front of the others, restored when it was minimised.
void bringToFront(QWidget* window) {
    if (window->isMinimized())
        window->showNormal();
    window->show();
    window->raise();
    window->activateWindow();
}
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
    // A user folder another user made or may write into is not used at all: not even the lock
    // is written into it. The program says why and ends.
    if (const QString& refused = settings->folders().refused; !refused.isEmpty()) {
        folderRefused_ = true;
        MessageBox::show(QStringLiteral("Lenkaro"), refused);
        return;
    }
    // A second start on the same user folder brings the first to the front and ends, before
    // it has built a window or read an options file.
    if (services.singleInstance) {
        single = std::make_unique<platform::SingleInstance>(settings->optdir());
        if (!single->claim())
            return;
    }
    model->setFolders(settings->folders().programdir0, settings->folders().programdir1);
    mainform = new Tmainform(context);
    boksform = new Tboksform(context, *shelfDraft);
    infoformen = new Tinfoformen(context, *helpHistory);
    urlform1 = new Turlform1(context, *helpHistory, mainform);
    editform = new Teditform;
    infform = context.infform = new Tinfform(mainform);
    spform = context.spform = new Tspform(mainform);

    // What one window asks of another. Every help topic goes to the help window, whoever asks.
    QObject::connect(mainform, &Tmainform::helpRequested, infoformen, &Tinfoformen::Information);
    QObject::connect(boksform, &Tboksform::helpRequested, infoformen, &Tinfoformen::Information);
    // A move in the history opens its entry's page as any other topic request.
    QObject::connect(helpHistory.get(), &store::HelpHistory::openRequested, infoformen,
                     &Tinfoformen::Information);
    QObject::connect(mainform, &Tmainform::adminRequested, boksform,
                     [this] { bringToFront(boksform); });
    // The administration window's options are written when the main window closes.
    QObject::connect(mainform, &Tmainform::optionsSaved, boksform, &Tboksform::gemOpt);
    QObject::connect(boksform, &Tboksform::designChosen, mainform, &Tmainform::setDesign);
    QObject::connect(boksform, &Tboksform::browserLookUpRequested, mainform,
                     &Tmainform::startChosenBrowser);
    QObject::connect(infoformen, &Tinfoformen::historyListRequested, urlform1, &QWidget::show);
    QObject::connect(mainform, &Tmainform::findRequested, mainform, [this] { findform()->open(); });
    if (single)
        QObject::connect(single.get(), &platform::SingleInstance::activationRequested, mainform,
                         [this] { bringToFront(mainform); });
}

Tfindelementform* App::findform() {
    if (find || !mainform)
        return find;
    // The find window visits what it found through the main window, as from its list.
    find = new Tfindelementform(*model, *elementIndex, settings->optdir(), mainform, ending);
    QObject::connect(find, &Tfindelementform::visitRequested, mainform, &Tmainform::visitElement);
    QObject::connect(find, &Tfindelementform::helpRequested, infoformen,
                     &Tinfoformen::Information);
    return find;
}

App::~App() {
    // The message windows are children of the main window and go with it.
    delete find;
    delete editform;
    delete urlform1;
    delete infoformen;
    delete boksform;
    delete mainform;
}
