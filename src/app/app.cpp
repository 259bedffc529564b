#include "app.h"

#include "boks.h"
#include "find.h"
#include "infUnit.h"
#include "info.h"
#include "main.h"
#include "model.h"
#include "spmUnit.h"
#include "stylemanager.h"
#include "url1.h"

#include <QApplication>
#include <QEvent>

namespace {
// Hints are shown in the windows' status bars only, never as pop-ups.
class NoToolTips : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        return event->type() == QEvent::ToolTip || QObject::eventFilter(watched, event);
    }
};
} // namespace

Services Services::system() {
    return {Shell::system(), UrlCheck::system(), Clock::system(), BrowserPlaces::system()};
}

App::App(const QString& baseDir_, const QString& loginName_, Services services_)
    : baseDir(baseDir_), loginName(loginName_), services(std::move(services_)),
      model(std::make_unique<store::Model>(*services.urlCheck)) {
    StyleManager::setStyle(QStringLiteral("Sky"));
    noToolTips = std::make_unique<NoToolTips>();
    qApp->installEventFilter(noToolTips.get());
    // Each window registers itself here before its creation runs, as the others may reach it
    // while it is being made.
    new Tmainform(*this);
    new Tboksform(*this);
    new Tinfoformen(*this);
    new Turlform1(*this);
    new Teditform(*this);
    infform = new Tinfform(mainform);
    spform = new Tspform(mainform);
}

App::~App() {
    // The message windows are children of the main window and go with it.
    delete editform;
    delete urlform1;
    delete infoformen;
    delete boksform;
    delete mainform;
}
