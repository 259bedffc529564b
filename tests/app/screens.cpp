// Renders the main window, each tab of the administration window, the message windows, the
// help window, "Urlboks" and the find window to PNG files, in the styles named on the command
// line, for looking at the layout. Not part of the test suite:
//   cmake --build build --target screens && build/tests/app/screens <base> <out> Sky Carbon
// The help window shows its pages when the page view's plugin lies next to the tool (or where
// the install puts it).
#include "app/app.h"
#include "controls.h"
#include "platform/toolkit/pageview.h"
#include "platform/toolkit/stylemanager.h"
#include "ui/admin/boks.h"
#include "ui/dialogs/infUnit.h"
#include "ui/dialogs/spmUnit.h"
#include "ui/findelement/findelement.h"
#include "ui/help/info.h"
#include "ui/help/url1.h"
#include "ui/main/main.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QScreen>
#include <QTabWidget>
#include <QWindow>

namespace {
// Lets the page view load and draw what it was sent to.
void settle(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}
} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QStringList args = application.arguments();
    if (args.size() < 4)
        return 2;
    App app(args[1], QStringLiteral("skærm"));
    app.mainform->show();
    app.boksform->show();
    // A few pages read, so the history has entries to show.
    for (const char* topic :
         {"Lenkaro", "Besøgte sider", "Søgning i hjælpen", "Informationsvinduet", "Information"}) {
        app.mainform->Information(QString::fromUtf8(topic));
        settle(1500);
    }
    app.urlform1->show();
    for (const QString& style : args.mid(3)) {
        StyleManager::setStyle(style);
        QApplication::processEvents();
        const QString prefix = args[2] + u'/' + QString(style).remove(u' ');
        app.mainform->grab().save(prefix + QStringLiteral("-main.png"));
        for (int tab = 0; tab < control<QTabWidget>(app.boksform, "Bog")->count(); ++tab) {
            control<QTabWidget>(app.boksform, "Bog")->setCurrentIndex(tab);
            QApplication::processEvents();
            app.boksform->grab().save(prefix + QStringLiteral("-boks%1.png").arg(tab));
        }
        app.infform->insertTekst(QStringLiteral("Der findes allerede en gruppe med angivne navn!\r"
                                                "Kald gruppen noget andet."));
        app.infform->show();
        QApplication::processEvents();
        app.infform->grab().save(prefix + QStringLiteral("-message.png"));
        app.infform->done(0);
        app.spform->insertTekst(
            QStringLiteral("Skal \"DR\" overskrives?\r\r\"Dato\" og "
                           "\"Besøg\" nul-stilles, hvis elementet overskrives."));
        app.spform->show();
        QApplication::processEvents();
        app.spform->grab().save(prefix + QStringLiteral("-question.png"));
        app.spform->done(0);
        settle(800);
        app.infoformen->grab().save(prefix + QStringLiteral("-info.png"));
        app.urlform1->grab().save(prefix + QStringLiteral("-urlboks.png"));
        app.findform()->open();
        app.findform()
            ->findChild<QLineEdit*>(QStringLiteral("soegEdit"))
            ->setText(QStringLiteral("d"));
        QApplication::processEvents();
        app.findform()->grab().save(prefix + QStringLiteral("-find.png"));
        app.findform()->hide();
    }
    // The help window alone on the whole screen, frame and all, as a window manager placed it.
    app.urlform1->hide();
    app.boksform->hide();
    app.mainform->showMinimized();
    app.infoformen->raise();
    settle(1000);
    if (QScreen* screen = app.infoformen->screen())
        screen->grabWindow(0).save(args[2] + QStringLiteral("/helpscreen.png"));
    return 0;
}
