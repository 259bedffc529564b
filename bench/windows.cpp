#include "windows.h"

#include "app/app.h"
#include "data.h"
#include "ui/main/main.h"

#include <QApplication>
#include <QMainWindow>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace benchwindows {

namespace {
// Ends at once once the window has been shown and painted: what comes after (closing, saving
// the options) is no part of start-up.
[[noreturn]] void shownThenEnd(QWidget* window) {
    if (!QTest::qWaitForWindowExposed(window))
        ::_exit(3);
    QCoreApplication::processEvents();
    std::fflush(stdout);
    ::_exit(0);
}
} // namespace

int programChild(const QString& base) {
    int argc = 1;
    char name[] = "lenkaro";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    App app(base, benchdata::login);
    app.mainform->show();
    shownThenEnd(app.mainform);
}

namespace {
// The anchor: a bare Qt Widgets program's main window with a four-column tree of 100 rows.
struct AnchorWindow {
    QMainWindow window;
    AnchorWindow() {
        auto* tree = new QTreeWidget;
        tree->setHeaderLabels({"Dato", "Klokken", "Besøg", "Navn"});
        QList<QTreeWidgetItem*> rows;
        for (int i = 0; i < 100; ++i)
            rows << new QTreeWidgetItem(
                {"09-12-2026", "13:45", QString::number(i), QStringLiteral("Side %1").arg(i)});
        tree->addTopLevelItems(rows);
        window.setCentralWidget(tree);
        window.resize(595, 380);
        window.show();
    }
};
} // namespace

int anchorChild() {
    int argc = 1;
    char name[] = "anchor";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    AnchorWindow anchor;
    shownThenEnd(&anchor.window);
}

int anchorWindow() {
    int argc = 1;
    char name[] = "anchor";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    AnchorWindow anchor;
    return application.exec();
}

int helpChild(const QString& base) {
    int argc = 1;
    char name[] = "lenkaro";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    // The page view's plugin where the build leaves it.
    QCoreApplication::addLibraryPath(QStringLiteral(LENKARO_PAGEVIEW_DIR));
    App app(base, benchdata::login);
    app.mainform->show();
    if (!QTest::qWaitForWindowExposed(app.mainform))
        return 3;
    QCoreApplication::processEvents();
    // From F1 in the main window to the help page loaded and the window that shows it painted.
    auto pageView = [] {
        for (QWidget* w : QApplication::allWidgets()) {
            if (w->inherits("QWebEngineView"))
                return w;
        }
        return static_cast<QWidget*>(nullptr);
    };
    auto openHelp = [&]() -> double {
        QElapsedTimer timer;
        timer.start();
        // The first time the view is made by F1; later it is there, and its page may load
        // before F1's handler returns, or not at all when the page shown is the one asked for.
        QWidget* view = pageView();
        std::unique_ptr<QSignalSpy> started, loaded;
        auto listen = [&] {
            started = std::make_unique<QSignalSpy>(view, SIGNAL(loadStarted()));
            loaded = std::make_unique<QSignalSpy>(view, SIGNAL(loadFinished(bool)));
        };
        if (view)
            listen();
        QTest::keyClick(app.mainform, Qt::Key_F1);
        if (!view) {
            view = pageView();
            if (!view)
                return -1;
            listen();
            if (!loaded->wait(30000))
                return -1;
        }
        if (!QTest::qWaitForWindowExposed(view->window())) {
            std::fprintf(stderr, "help: the help window was not shown\n");
            return -1;
        }
        double ms = timer.nsecsElapsed() / 1e6;
        // A page that is loading is waited for.
        QElapsedTimer grace;
        grace.start();
        while (started->isEmpty() && loaded->isEmpty() && grace.elapsed() < 300)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (!started->isEmpty() || !loaded->isEmpty()) {
            if (loaded->isEmpty() && !loaded->wait(30000)) {
                std::fprintf(stderr, "help: the page did not load\n");
                return -1;
            }
            ms = timer.nsecsElapsed() / 1e6;
        }
        QCoreApplication::processEvents();
        return ms;
    };
    const double cold = openHelp();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != app.mainform && w->isVisible())
            w->close();
    }
    // The window manager takes the closed window down before it is asked for again.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 500)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    const double warm = openHelp();
    std::printf("%.2f %.2f\n", cold, warm);
    std::fflush(stdout);
    ::_exit(cold < 0 || warm < 0 ? 4 : 0);
}

} // namespace benchwindows
