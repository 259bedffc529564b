#include "main.h"
#include "app.h"
#include "messagebox.h"
#include "singleinstance.h"
#include "termination.h"
#include "username.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    platform::ignoreFileSizeSignal();
    QApplication application(argc, argv);
    App app(QStringLiteral(LENKARO_BASE_DIR), platform::loginName());
    // A second start on the same user folder brings this one to the front and ends.
    platform::SingleInstance single(app.mainform->optdir);
    if (!single.claim())
        return 0;
    QObject::connect(&single, &platform::SingleInstance::activationRequested, app.mainform,
                     [&app] { platform::SingleInstance::bringToFront(app.mainform); });
    // Ending the session closes the main window as a user would, so the options are saved;
    // nobody is left to answer a message box then, and nothing may wait for one.
    platform::onTermination(app.mainform, [&app] {
        MessageBox::setUnattended();
        app.mainform->close();
        QCoreApplication::quit();
    });
    app.mainform->show();
    return application.exec();
}
