#include "main.h"
#include "app.h"
#include "pageview.h"
#include "termination.h"
#include "username.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    platform::preparePageView();
    QApplication application(argc, argv);
    App app(QStringLiteral(LENKARO_BASE_DIR), platform::loginName());
    // Ending the session closes the main window as a user would, so the options are saved.
    platform::onTermination(app.mainform, [&app] { app.mainform->close(); });
    app.mainform->show();
    return application.exec();
}
