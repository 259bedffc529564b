#include "controls.h"
#include "fixture.h"
#include "helpstructure.h"
#include "writefile.h"

#include "platform/toolkit/updateaction.h"
#include "store/helphistory.h"
#include "ui/help/info.h"
#include "ui/help/url1.h"
#include "ui/main/main.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

// The list of visited pages, filled as the information window shows pages.
class TstUrlwindow : public QObject {
    Q_OBJECT
private slots:
    void layout();
    void clearingEmptiesHistory();
    void clicksKeepListsInStep();
    void doubleClickGoesBack_data();
    void doubleClickGoesBack();
    void doubleClickWithNothingSelected();
    void options_data();
    void options();
    void closeWritesSize();
    void unwritableSizeKeepsWindowOpen();
    void firstShownCentredOnMainWindow();
    // These make a window active, after which the offscreen screen gives windows a frame.
    void arrowsKeepListsInStep();
    void keysGoBack_data();
    void keysGoBack();
    void readableByScreenReaders();
    void hiddenWindowAnnouncesNothing();
    // Last: it ends the application's event loop.
    void endingProgramWritesNothing();
};

namespace {
struct Visits {
    Fixture f;
    App* app = nullptr;
    std::unique_ptr<QAbstractItemModelTester> tester;

    // The information window has shown pages, one history entry each.
    explicit Visits(const QStringList& pages = {}, const QStringList& options = {}) {
        makeHelpStructure(f.base);
        f.makeUser();
        if (!options.isEmpty())
            writeFixture(f.options() + "/urlboks1.txt", options);
        app = &f.start();
        // Both lists are views of the one history: every change it makes is checked.
        tester = std::make_unique<QAbstractItemModelTester>(
            app->helpHistory.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        if (pages.isEmpty())
            return;
        app->mainform->Information("Lenkaro");
        for (const QString& page : pages)
            f.fakes.pageView->load(page);
    }
    Turlform1* urls() const { return app->urlform1; }
    Tinfoformen* info() const { return app->infoformen; }
    store::HelpHistory* history() const { return app->helpHistory.get(); }
    static QStringList column(const QListView* list) {
        QStringList texts;
        for (int i = 0; i < list->model()->rowCount(); ++i)
            texts << list->model()->index(i, list->modelColumn()).data().toString();
        return texts;
    }
    static int currentRow(const QListView* list) {
        const QModelIndexList selected = list->selectionModel()->selectedIndexes();
        return selected.isEmpty() ? -1 : selected.first().row();
    }
    void click(QListView* list, int row, bool twice = false) {
        const QPoint at = list->visualRect(list->model()->index(row, list->modelColumn())).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        if (twice)
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
};
} // namespace

void TstUrlwindow::layout() {
    Visits v({"Lenkaro.html", "Grupper.html"});
    Turlform1* w = v.urls();
    QCOMPARE(w->windowTitle(), QStringLiteral("Urlboks"));
    QVERIFY(w->windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(control<QLabel>(w, "overskriftLabel")->text(), QStringLiteral("Besøgte sider"));
    QCOMPARE(control<QPushButton>(w, "sletKnap")->text(), QStringLiteral("Slet liste"));
    QCOMPARE(control<QPushButton>(w, "sletKnap")->statusTip(),
             QStringLiteral("Slet alle urls fra listen"));
    QCOMPARE(control<QPushButton>(w, "lukKnap")->text(), QStringLiteral("Luk"));
    QCOMPARE(control<QPushButton>(w, "lukKnap")->statusTip(), QStringLiteral("Luk urlboksen"));
    QCOMPARE(v.column(control<QListView>(w, "urlListe")), (QStringList{"Lenkaro", "Grupper"}));
    QCOMPARE(v.column(control<QListView>(w, "strukturliste")),
             (QStringList{"Lenkaroinfo.txt", "Lenkaroinfo.txt"}));
    // The entry marked while the window was hidden is marked when it is shown.
    w->show();
    QCOMPARE(v.currentRow(control<QListView>(w, "urlListe")), 1);
    QCOMPARE(v.currentRow(control<QListView>(w, "strukturliste")), 1);
    // Keyboard order: the pages, the two buttons, then the structures.
    auto nextByTab = [](QWidget* from) {
        QWidget* next = from->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus))
            next = next->nextInFocusChain();
        return next;
    };
    QCOMPARE(nextByTab(control<QListView>(w, "urlListe")),
             static_cast<QWidget*>(control<QPushButton>(w, "sletKnap")));
    QCOMPARE(nextByTab(control<QPushButton>(w, "sletKnap")),
             static_cast<QWidget*>(control<QPushButton>(w, "lukKnap")));
    QCOMPARE(nextByTab(control<QPushButton>(w, "lukKnap")),
             static_cast<QWidget*>(control<QListView>(w, "strukturliste")));
}

void TstUrlwindow::clearingEmptiesHistory() {
    Visits v({"Lenkaro.html"});
    Turlform1* w = v.urls();
    QVERIFY(control<UpdateAction>(w, "AsletAlle")->update());
    QVERIFY(control<QPushButton>(w, "sletKnap")->isEnabled());
    w->show();
    QTest::mouseClick(control<QPushButton>(w, "sletKnap"), Qt::LeftButton);
    QCOMPARE(v.column(control<QListView>(w, "urlListe")).size(), 0);
    QCOMPARE(v.column(control<QListView>(w, "strukturliste")).size(), 0);
    QCOMPARE(v.history()->urlIndex(), -1);
    QVERIFY(!control<UpdateAction>(w, "AsletAlle")->update());
    QVERIFY(!control<QPushButton>(w, "sletKnap")->isEnabled());
    QVERIFY(!control<UpdateAction>(v.info(), "Aback")->update());
    // The next page starts the history afresh.
    v.f.fakes.pageView->load("Grupper.html");
    QCOMPARE(v.column(control<QListView>(w, "urlListe")), QStringList{"Grupper"});
    QCOMPARE(v.history()->urlIndex(), 0);
}

void TstUrlwindow::clicksKeepListsInStep() {
    Visits v({"Lenkaro.html", "Grupper.html", "Admin.html", "Rediger.html"});
    Turlform1* w = v.urls();
    w->show();
    v.click(control<QListView>(w, "strukturliste"), 2);
    QCOMPARE(v.currentRow(control<QListView>(w, "urlListe")), 2);
    v.click(control<QListView>(w, "urlListe"), 0);
    QCOMPARE(v.currentRow(control<QListView>(w, "strukturliste")), 0);
    // Clicking moves no page.
    QCOMPARE(v.history()->urlIndex(), 3);
}

void TstUrlwindow::doubleClickGoesBack_data() {
    QTest::addColumn<bool>("left");
    QTest::newRow("page list") << false;
    QTest::newRow("structure list") << true;
}

void TstUrlwindow::doubleClickGoesBack() {
    QFETCH(bool, left);
    Visits v({"Lenkaro.html", "Grupper.html", "Admin.html"});
    Turlform1* w = v.urls();
    w->show();
    v.click(left ? control<QListView>(w, "strukturliste") : control<QListView>(w, "urlListe"), 1,
            true);
    QCOMPARE(v.history()->urlIndex(), 1);
    QVERIFY(v.f.fakes.pageView->navigated.last().endsWith("Grupper.html"));
    v.f.fakes.pageView->load("Grupper.html");
    QCOMPARE(v.column(control<QListView>(w, "urlListe")),
             (QStringList{"Lenkaro", "Grupper", "Administrer grupper"}));
    QCOMPARE(v.currentRow(control<QListView>(w, "urlListe")), 1);
    QCOMPARE(v.currentRow(control<QListView>(w, "strukturliste")), 1);
}

void TstUrlwindow::doubleClickWithNothingSelected() {
    Visits v({"Lenkaro.html", "Grupper.html"});
    Turlform1* w = v.urls();
    w->show();
    control<QListView>(w, "urlListe")->clearSelection();
    control<QListView>(w, "strukturliste")->clearSelection();
    const qsizetype before = v.f.fakes.pageView->navigated.size();
    w->urlListeDblClick();
    w->strukturlisteDblClick();
    QCOMPARE(v.f.fakes.pageView->navigated.size(), before);
    QVERIFY(!v.history()->naviKlikket());
}

void TstUrlwindow::arrowsKeepListsInStep() {
    Visits v({"Lenkaro.html", "Grupper.html", "Admin.html", "Rediger.html"});
    Turlform1* w = v.urls();
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w));
    auto* pages = control<QListView>(w, "urlListe");
    auto* structures = control<QListView>(w, "strukturliste");
    pages->setFocus();
    QTest::keyClick(pages, Qt::Key_Up);
    QCOMPARE(v.currentRow(pages), 2);
    QCOMPARE(v.currentRow(structures), 2);
    structures->setFocus();
    QTest::keyClick(structures, Qt::Key_Home);
    QCOMPARE(v.currentRow(structures), 0);
    QCOMPARE(v.currentRow(pages), 0);
    // Moving shows no page.
    QCOMPARE(v.history()->urlIndex(), 3);
}

void TstUrlwindow::keysGoBack_data() {
    QTest::addColumn<bool>("left");
    QTest::addColumn<int>("key");
    QTest::newRow("page list, Enter") << false << int(Qt::Key_Return);
    QTest::newRow("page list, Space") << false << int(Qt::Key_Space);
    QTest::newRow("structure list, Enter") << true << int(Qt::Key_Enter);
    QTest::newRow("structure list, Space") << true << int(Qt::Key_Space);
}

void TstUrlwindow::keysGoBack() {
    QFETCH(bool, left);
    QFETCH(int, key);
    Visits v({"Lenkaro.html", "Grupper.html", "Admin.html"});
    Turlform1* w = v.urls();
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w));
    auto* list = control<QListView>(w, left ? "strukturliste" : "urlListe");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Up);
    QTest::keyClick(list, Qt::Key(key));
    QCOMPARE(v.history()->urlIndex(), 1);
    QVERIFY(v.f.fakes.pageView->navigated.last().endsWith("Grupper.html"));
}

void TstUrlwindow::readableByScreenReaders() {
    Visits v({"Lenkaro.html"});
    Turlform1* w = v.urls();
    w->show();
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(w);
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->text(QAccessible::Name), QStringLiteral("Urlboks"));
    const QString pages =
        QAccessible::queryAccessibleInterface(control<QListView>(w, "urlListe"))->text(QAccessible::Name);
    const QString structures = QAccessible::queryAccessibleInterface(control<QListView>(w, "strukturliste"))
                                   ->text(QAccessible::Name);
    QVERIFY2(pages.startsWith("Besøgte sider") && structures.startsWith("Besøgte sider") &&
                 pages != structures,
             qPrintable(pages + " / " + structures));
    // The hint the status bar shows is spoken too.
    QCOMPARE(QAccessible::queryAccessibleInterface(control<QPushButton>(w, "lukKnap"))
                 ->text(QAccessible::Description),
             QStringLiteral("Luk urlboksen"));
}

namespace {
QList<QObject*> focusAnnounced;
void noteFocus(QAccessibleEvent* event) {
    if (event->type() == QAccessible::Focus)
        focusAnnounced << event->object();
}
} // namespace

// Each page the help window opens marks its entry; with the window hidden, no list of it may
// tell a screen reader it has the focus.
void TstUrlwindow::hiddenWindowAnnouncesNothing() {
    Visits v({"Lenkaro.html"});
    QAccessible::installUpdateHandler(noteFocus);
    QAccessible::setActive(true);
    focusAnnounced.clear();
    v.f.fakes.pageView->load("Grupper.html");
    v.f.fakes.pageView->load("Admin.html");
    QAccessible::setActive(false);
    QAccessible::installUpdateHandler(nullptr);
    for (QObject* object : std::as_const(focusAnnounced)) {
        for (QObject* o = object; o; o = o->parent())
            QVERIFY2(o != v.urls(), qPrintable(object->objectName()));
    }
    v.urls()->show();
    QCOMPARE(v.currentRow(control<QListView>(v.urls(), "urlListe")), 2);
}

void TstUrlwindow::options_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QSize>("size");
    QTest::newRow("none") << QStringList{} << QSize(443, 338);
    QTest::newRow("both") << QStringList{"500", "400"} << QSize(500, 400);
    QTest::newRow("height no number") << QStringList{"500", "høj"} << QSize(500, 338);
    QTest::newRow("width no number") << QStringList{"bred", "400"} << QSize(443, 338);
    QTest::newRow("width only") << QStringList{"520"} << QSize(520, 338);
}

void TstUrlwindow::options() {
    QFETCH(QStringList, lines);
    QFETCH(QSize, size);
    Fixture f;
    f.makeUser();
    if (!lines.isEmpty())
        writeFixture(f.options() + "/urlboks1.txt", lines);
    App& app = f.start();
    QCOMPARE(app.urlform1->size(), size);
}

void TstUrlwindow::closeWritesSize() {
    Visits v;
    Turlform1* w = v.urls();
    w->show();
    w->resize(480, 300);
    QTest::mouseClick(control<QPushButton>(w, "lukKnap"), Qt::LeftButton);
    QVERIFY(!w->isVisible());
    QCOMPARE(textfile::readLines(v.f.options() + "/urlboks1.txt").value_or(QStringList{}),
             (QStringList{"480", "300"}));
}

void TstUrlwindow::unwritableSizeKeepsWindowOpen() {
    Visits v;
    Turlform1* w = v.urls();
    w->show();
    // A folder where the file should be: it cannot be written.
    QDir().mkpath(v.f.options() + "/urlboks1.txt");
    MessageBox::takeShown();
    QVERIFY(!w->close());
    QVERIFY(w->isVisible());
    const auto shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown[0].text.contains("urlboks1.txt"));
}

void TstUrlwindow::firstShownCentredOnMainWindow() {
    Visits v;
    v.app->mainform->move(200, 150);
    v.app->mainform->show();
    Turlform1* w = v.urls();
    w->show();
    const QPoint centre = w->geometry().center();
    const QPoint mainCentre = v.app->mainform->frameGeometry().center();
    QVERIFY2((centre - mainCentre).manhattanLength() <= 3,
             qPrintable(QStringLiteral("%1,%2 vs %3,%4")
                            .arg(centre.x())
                            .arg(centre.y())
                            .arg(mainCentre.x())
                            .arg(mainCentre.y())));
    // Later showings leave it where the user put it.
    w->close();
    w->move(5, 5);
    w->show();
    QCOMPARE(w->pos(), QPoint(5, 5));
}

void TstUrlwindow::endingProgramWritesNothing() {
    Visits v({"Lenkaro.html"});
    const QString infoFile = v.f.options() + "/information.txt";
    writeFixture(infoFile, {"1", "2", "800", "600", "200"});
    v.app->mainform->show();
    v.urls()->show();
    v.info()->show();
    // Writing the size would fail: still nothing may hold up the end.
    QDir().mkpath(v.f.options() + "/urlboks1.txt");
    MessageBox::takeShown();
    QEvent quit(QEvent::Quit);
    QCoreApplication::sendEvent(qApp, &quit);
    QVERIFY(!v.urls()->isVisible());
    QVERIFY(!v.info()->isVisible());
    QVERIFY(MessageBox::takeShown().isEmpty());
    QCOMPARE(textfile::readLines(infoFile).value_or(QStringList{}),
             (QStringList{"1", "2", "800", "600", "200"}));
}

QTEST_MAIN(TstUrlwindow)
#include "tst_urlwindow.moc"
