#include "windows.h"

#include "app.h"
#include "data.h"
#include "main.h"

#include <QApplication>
#include <QMainWindow>
#include <QTest>
#include <QTreeWidget>

#include <cstdio>
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

int anchorChild() {
    int argc = 1;
    char name[] = "anchor";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    QMainWindow window;
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
    shownThenEnd(&window);
}

} // namespace benchwindows
