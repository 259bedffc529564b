// Renders the main window, each tab of the administration window, the two message windows and
// the find window to PNG files, in the styles named on the command line, for looking at the
// layout. Not part of the test suite:
//   cmake --build build --target screens && build/tests/app/screens <base> <out> Sky Carbon
#include "app.h"
#include "boks.h"
#include "findelement.h"
#include "infUnit.h"
#include "main.h"
#include "spmUnit.h"
#include "stylemanager.h"

#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QStringList args = application.arguments();
    if (args.size() < 4)
        return 2;
    App app(args[1], QStringLiteral("skærm"));
    app.mainform->show();
    app.boksform->show();
    for (const QString& style : args.mid(3)) {
        StyleManager::setStyle(style);
        QApplication::processEvents();
        const QString prefix = args[2] + u'/' + QString(style).remove(u' ');
        app.mainform->grab().save(prefix + QStringLiteral("-main.png"));
        for (int tab = 0; tab < app.boksform->Bog->count(); ++tab) {
            app.boksform->Bog->setCurrentIndex(tab);
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
        app.findform->open();
        app.findform->findChild<QLineEdit*>(QStringLiteral("soegEdit"))
            ->setText(QStringLiteral("d"));
        QApplication::processEvents();
        app.findform->grab().save(prefix + QStringLiteral("-find.png"));
        app.findform->hide();
    }
    return 0;
}
