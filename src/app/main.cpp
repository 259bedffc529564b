#include "app/app.h"
#include "platform/termination.h"
#include "platform/toolkit/messagebox.h"
#include "platform/username.h"
#include "ui/main/main.h"

#include <QApplication>
#include <QDialog>

namespace {
// Closes the modal windows that are open, the topmost first, each as its title-bar button would.
void closeModalWindows() {
    for (int guard = 0; guard < 16; ++guard) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }
}
} // namespace

int main(int argc, char* argv[]) {
    platform::ignoreFileSizeSignal();
    QApplication application(argc, argv);
    // Ties the windows to the menu entry lenkaro.desktop (its name and icon on Wayland).
    QGuiApplication::setDesktopFileName(QStringLiteral("lenkaro"));
    // Ending the session closes the main window as a user would, so the options are saved. It
    // is handled from the very start: a start-up message (an unknown style, a template folder
    // that could not be copied) may be open before the main window exists.
    App* running = nullptr;
    bool ending = false;
    platform::onTermination(&application, [&running, &ending] {
        ending = true;
        // Nobody is left to answer a message, and nothing may wait for one.
        MessageBox::setUnattended();
        closeModalWindows();
        if (running)
            running->mainform->close();
    });
    App app(QStringLiteral(LENKARO_BASE_DIR), platform::loginName());
    if (app.folderRefused())
        return 1;
    if (app.runsElsewhere())
        return 0;
    running = &app;
    if (ending) {
        app.mainform->close();
        return 0;
    }
    app.mainform->show();
    return application.exec();
}
