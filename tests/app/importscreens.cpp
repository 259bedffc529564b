// Shows the bookmark import as a user meets it and saves screenshots of the whole screen, for
// looking at the windows under a real window manager (Xvfb and openbox). Not part of the test
// suite:
//   cmake --build build --target importscreens
//   HOME=<home with browser profiles> xvfb-run -a sh -c 'openbox & sleep 1;
//     build/tests/app/importscreens <base> <out> <bookmark file> Sky'
// It chooses the first browser profile found, then imports the bookmark file (a big one shows
// the progress window), and saves <out>/<style>-profil.png, -profil-besked.png, -fremdrift.png
// and -fil-besked.png.
#include "app/app.h"
#include "controls.h"
#include "platform/toolkit/filedialog.h"
#include "platform/toolkit/stylemanager.h"
#include "platform/toolkit/updateaction.h"
#include "ui/dialogs/infUnit.h"
#include "ui/main/main.h"

#include <QApplication>
#include <QDialog>
#include <QScreen>
#include <QTimer>

namespace {
void shoot(const QString& path) {
    QApplication::processEvents();
    QApplication::primaryScreen()->grabWindow(0).save(path);
}
} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QStringList args = application.arguments();
    if (args.size() < 5)
        return 2;
    const QString out = args[2] + u'/' + QString(args[4]).remove(u' ');
    App app(args[1], QStringLiteral("skærm"));
    // After the start-up, which sets the style the options file names.
    app.mainform->setDesign(args[4]);
    app.mainform->show();
    auto closeModal = [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->accept();
    };
    // The profile chooser, then the message that ends its import.
    QTimer::singleShot(800, &application,
                       [&] { control<UpdateAction>(app.mainform, "aImportProfile")->execute(); });
    QTimer::singleShot(2500, &application, [&] {
        shoot(out + QStringLiteral("-profil.png"));
        closeModal();
    });
    QTimer::singleShot(4500, &application, [&] {
        shoot(out + QStringLiteral("-profil-besked.png"));
        closeModal();
    });
    // A big file: the progress window while it runs, then its message.
    QTimer::singleShot(5500, &application, [&] {
        FileDialog::setTestMode(true);
        FileDialog::setNextFile(args[3]);
        control<UpdateAction>(app.mainform, "aImportBookmarks")->execute();
    });
    QTimer::singleShot(7500, &application, [&] { shoot(out + QStringLiteral("-fremdrift.png")); });
    auto* poll = new QTimer(&application);
    QObject::connect(poll, &QTimer::timeout, &application, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal == app.infform && poll->property("armed").toBool()) {
            poll->stop();
            // Once the window manager has shown it.
            QTimer::singleShot(1000, &application, [&] {
                shoot(out + QStringLiteral("-fil-besked.png"));
                closeModal();
                QTimer::singleShot(300, &application, &QApplication::quit);
            });
        }
    });
    QTimer::singleShot(8000, &application, [&] {
        poll->setProperty("armed", true);
        poll->start(300);
    });
    return application.exec();
}
