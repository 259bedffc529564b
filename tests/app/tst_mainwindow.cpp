#include "controls.h"
#include "fixture.h"
#include "writefile.h"

#include "platform/toolkit/updateaction.h"
#include "settings/programsettings.h"
#include "ui/admin/boks.h"
#include "ui/help/info.h"
#include "ui/main/main.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

// The main window driven as a user would, with the shell, clock and locale in the test's hands.
class TstMainwindow : public QObject {
    Q_OBJECT
private slots:
    void doubleClickVisitsAndRecords();
    void enterAndSpaceVisitTheClickedRow_data();
    void enterAndSpaceVisitTheClickedRow();
    void visitStampFollowsLocale_data();
    void visitStampFollowsLocale();
    void invalidAddressIsNotVisited();
    void webAddressOfProgramIsNeverRun_data();
    void webAddressOfProgramIsNeverRun();
    void failedVisitWriteOpensNothing_data();
    void failedVisitWriteOpensNothing();
    void visitKeys_data();
    void visitKeys();
    void launchesPrograms();
    void programRefusals_data();
    void programRefusals();
    void typedEntry_data();
    void typedEntry();
    void noGroupDisablesInsertAndLookUp();
    void shortcutsAndMenu();
    void adminShortcutFromEveryControl_data();
    void adminShortcutFromEveryControl();
    void tabLeavesTheElementList();
    void leftListStartsTwelvePixelsIn();
    void informationSelectsHelpStructure();
    void lookUpStartsBrowserInChosenOrder_data();
    void lookUpStartsBrowserInChosenOrder();
    void lookUpStartsDesktopsBrowser();
    void lookUpPicksProgramFile();
    void groupActivatedByKeys();
    void errorMessages_data();
    void errorMessages();
    void iconButtonsAreNamed();
    void keysChooseAndVisitWithoutMouse_data();
    void keysChooseAndVisitWithoutMouse();
    void menuOpensByKeys_data();
    void menuOpensByKeys();

private:
    // A user whose web group "Nyheder" holds DR (41 visits) and TV 2, and whose programs group
    // "Værktøj" holds a program that exists and one that does not.
    App& start(Fixture& f, const QString& group = "Nyheder", const BrowserPlaces& browsers = {}) {
        f.makeUser();
        Fixture::element(f.web() + "/Nyheder", "DR", "https://www.dr.dk/", 41);
        Fixture::element(f.web() + "/Nyheder", "TV 2", "https://nyheder.tv2.dk/", 2);
        Fixture::element(f.web() + "/Nyheder", "Ødelagt", "ikke en adresse", 5);
        writeFixture(f.web() + "/webgruppe.txt", {"Nyheder", "Musik"});
        QDir().mkpath(f.web() + "/Musik");
        program = f.tmp.path() + "/bin/lommeregner";
        QDir().mkpath(f.tmp.path() + "/bin");
        writeFixture(program, {"#!/bin/sh"});
        Fixture::element(f.programs() + "/Værktøj", "Lommeregner", program, 7);
        Fixture::element(f.programs() + "/Værktøj", "Mangler", f.tmp.path() + "/bin/mangler");
        Fixture::element(f.programs() + "/Værktøj", "Mappe", f.tmp.path() + "/bin");
        writeFixture(f.programs() + "/webgruppe.txt", {"Værktøj"});
        writeFixture(f.options() + "/main.txt",
                     {"Sky", "120", "120", "595", "380", group, group, "Værktøj", "0"});
        App& app = f.start("anna", browsers);
        app.mainform->show();
        app.mainform->activateWindow();
        if (!QTest::qWaitForWindowActive(app.mainform))
            qWarning("main window not active");
        return app;
    }

    static QRect rowRect(QTableView* list, int row) {
        return list->visualRect(list->model()->index(row, 3));
    }
    static void clickRow(QTableView* list, int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowRect(list, row).center());
    }
    static void doubleClickRow(QTableView* list, int row) {
        const QPoint at = rowRect(list, row).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QCoreApplication::processEvents();
    }
    static QStringList row(QTableView* list, int r) {
        QStringList cells;
        for (int c = 0; c < 4; ++c)
            cells << cell(list, r, c);
        return cells;
    }

    QString program;
};

void TstMainwindow::doubleClickVisitsAndRecords() {
    Fixture f;
    App& app = start(f);
    QTableView* listen = control<QTableView>(app.mainform, "Listen");
    doubleClickRow(listen, 0);
    QCOMPARE(row(listen, 0), (QStringList{"09.12.2026", "13.45", "42", "DR"}));
    QCOMPARE(control<QLineEdit>(app.mainform, "webEdit1")->text(),
             QStringLiteral("https://www.dr.dk/"));
    const QStringList file = *textfile::readLines(f.web() + "/Nyheder/DR.txt");
    QCOMPARE(file, (QStringList{"https://www.dr.dk/", "DR", "09.12.2026", "13.45", "42",
                                f.web() + "/Nyheder/DR.txt"}));
    QCOMPARE(f.fakes.shell->calls.size(), 1);
    const FakeShell::Call call = f.fakes.shell->calls[0];
    QCOMPARE(call.operation, QString());
    QCOMPARE(call.file, QStringLiteral("https://www.dr.dk/"));
    QCOMPARE(call.parameters, QString());
    QCOMPARE(call.folder, QString());
    QCOMPARE(call.showMode, 1);

    // A second visit in the same minute changes only the count; the row keeps its place.
    doubleClickRow(listen, 0);
    QCOMPARE(row(listen, 0), (QStringList{"09.12.2026", "13.45", "43", "DR"}));
    QCOMPARE(f.fakes.shell->calls.size(), 2);

    // Double-clicking below the rows acts on nothing when no row is selected.
    listen->clearSelection();
    QTest::mouseDClick(listen->viewport(), Qt::LeftButton, {},
                       QPoint(20, listen->viewport()->height() - 5));
    QCoreApplication::processEvents();
    QCOMPARE(f.fakes.shell->calls.size(), 2);
    QVERIFY(app.infform->takeShown().isEmpty());
}

void TstMainwindow::enterAndSpaceVisitTheClickedRow_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Space") << int(Qt::Key_Space);
}

void TstMainwindow::enterAndSpaceVisitTheClickedRow() {
    QFETCH(int, key);
    Fixture f;
    App& app = start(f);
    QTableView* listen = control<QTableView>(app.mainform, "Listen");
    clickRow(listen, 1);
    QTest::keyClick(listen, Qt::Key(key));
    QCOMPARE(row(listen, 1)[2], QStringLiteral("3"));
    QCOMPARE(f.fakes.shell->calls.size(), 1);
    QCOMPARE(f.fakes.shell->calls[0].file, QStringLiteral("https://nyheder.tv2.dk/"));

    // A row chosen with the arrow keys fills the address field as a click does.
    QTest::keyClick(listen, Qt::Key_Up);
    QCOMPARE(control<QLineEdit>(app.mainform, "webEdit1")->text(),
             QStringLiteral("https://www.dr.dk/"));
    QTest::keyClick(listen, Qt::Key(key));
    QCOMPARE(f.fakes.shell->calls[1].file, QStringLiteral("https://www.dr.dk/"));

    // With an empty address field the visit is disabled.
    control<QLineEdit>(app.mainform, "webEdit1")->clear();
    QTest::keyClick(listen, Qt::Key(key));
    QCOMPARE(f.fakes.shell->calls.size(), 2);
}

void TstMainwindow::visitStampFollowsLocale_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("dato");
    QTest::addColumn<QString>("klokken");
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("danish") << QLocale(QLocale::Danish, QLocale::Denmark) << QTime(9, 5, 7)
                            << "09.12.2026"
                            << "09.05";
    QTest::newRow("hour without leading zero") << us << QTime(9, 5, 7) << "12/9/26"
                                               << "9:05:";
    QTest::newRow("afternoon") << us << QTime(13, 45, 59) << "12/9/26"
                               << "1:45:";
    QTest::newRow("german") << QLocale(QLocale::German, QLocale::Germany) << QTime(13, 45, 59)
                            << "09.12.26"
                            << "13:45";
    QTest::newRow("C locale keeps the year") << QLocale::c() << QTime(13, 45, 59) << "09-12-2026"
                                             << "13:45";
}

void TstMainwindow::visitStampFollowsLocale() {
    QFETCH(QLocale, locale);
    QFETCH(QTime, time);
    QFETCH(QString, dato);
    QFETCH(QString, klokken);
    Fixture f;
    App& app = start(f);
    f.fakes.clock->loc = locale;
    f.fakes.clock->time = time;
    doubleClickRow(control<QTableView>(app.mainform, "Listen"), 0);
    QCOMPARE(row(control<QTableView>(app.mainform, "Listen"), 0).mid(0, 2),
             (QStringList{dato, klokken}));
    QCOMPARE(textfile::readLines(f.web() + "/Nyheder/DR.txt")->mid(2, 2),
             (QStringList{dato, klokken}));
}

void TstMainwindow::invalidAddressIsNotVisited() {
    Fixture f;
    App& app = start(f);
    doubleClickRow(control<QTableView>(app.mainform, "Listen"), 2);
    QCOMPARE(app.infform->takeShown(), QStringList{"Der mangler en gyldig webadresse!"});
    QCOMPARE(row(control<QTableView>(app.mainform, "Listen"), 2)[2], QStringLiteral("5"));
    QCOMPARE(textfile::readLines(f.web() + "/Nyheder/Ødelagt.txt")->at(4), QStringLiteral("5"));
    QVERIFY(f.fakes.shell->calls.isEmpty());
}

void TstMainwindow::webAddressOfProgramIsNeverRun_data() {
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("opened");
    QTest::newRow("file address of a program") << "URL/bin/værktøj" << false;
    QTest::newRow("path of a program") << "DIR/bin/værktøj" << false;
    QTest::newRow("file address of a script") << "URL/bin/job.sh" << false;
    QTest::newRow("file address of a desktop entry") << "URL/bin/regner.desktop" << false;
    // A document on this computer is opened as before.
    QTest::newRow("file address of a document") << "URL/noter.html" << true;
}

// A bookmark to a program file is a web address like any other: visiting it runs nothing, and
// the user is told why, before the visit is counted.
void TstMainwindow::webAddressOfProgramIsNeverRun() {
    QFETCH(QString, url);
    QFETCH(bool, opened);
    Fixture f;
    QDir().mkpath(f.tmp.filePath("bin"));
    writeFixture(f.tmp.filePath("bin/værktøj"), {"#!/bin/sh", "touch kørt"});
    QFile::setPermissions(f.tmp.filePath("bin/værktøj"),
                          QFile::permissions(f.tmp.filePath("bin/værktøj")) | QFile::ExeOwner);
    writeFixture(f.tmp.filePath("bin/job.sh"), {"#!/bin/sh", "touch kørt"});
    writeFixture(f.tmp.filePath("bin/regner.desktop"), {"[Desktop Entry]", "Exec=sh -c kørt"});
    writeFixture(f.tmp.filePath("noter.html"), {"<p>Husk mælk</p>"});
    if (url.startsWith("URL/"))
        url = QUrl::fromLocalFile(f.tmp.filePath(url.mid(4))).toString();
    url.replace("DIR", f.tmp.path());
    Fixture::element(f.web() + "/Musik", "Bogmærke", url, 4);
    App& app = start(f, "Musik");
    QTableView* listen = control<QTableView>(app.mainform, "Listen");
    doubleClickRow(listen, 0);
    if (opened) {
        QVERIFY(app.infform->takeShown().isEmpty());
        QCOMPARE(f.fakes.shell->calls.size(), 1);
        QCOMPARE(f.fakes.shell->calls[0].operation, QString());
        QCOMPARE(f.fakes.shell->calls[0].file, url);
        QCOMPARE(row(listen, 0)[2], QStringLiteral("5"));
        return;
    }
    QCOMPARE(
        app.infform->takeShown(),
        QStringList{"Adressen peger på et program. Programmer startes ikke fra en webadresse."});
    QVERIFY(f.fakes.shell->calls.isEmpty());
    QCOMPARE(row(listen, 0)[2], QStringLiteral("4"));
    QCOMPARE(textfile::readLines(f.web() + "/Musik/Bogmærke.txt")->at(4), QStringLiteral("4"));
}

void TstMainwindow::failedVisitWriteOpensNothing_data() {
    QTest::addColumn<bool>("programs");
    QTest::newRow("web address") << false;
    QTest::newRow("program") << true;
}

void TstMainwindow::failedVisitWriteOpensNothing() {
    QFETCH(bool, programs);
    Fixture f;
    App& app = start(f);
    if (programs)
        QTest::keyClick(app.mainform, Qt::Key_S, Qt::ControlModifier);
    const QString file =
        programs ? f.programs() + "/Værktøj/Lommeregner.txt" : f.web() + "/Nyheder/DR.txt";
    // A folder where the element's file is: the visit cannot be written.
    QVERIFY(QFile::remove(file));
    QVERIFY(QDir().mkpath(file));
    MessageBox::takeShown();
    QTableView* listen = control<QTableView>(app.mainform, "Listen");
    const QStringList before = row(listen, 0);
    doubleClickRow(listen, 0);
    const auto shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].text.contains(QFileInfo(file).fileName()), qPrintable(shown[0].text));
    // Neither browser nor program was started, and the row shows the visit as it was.
    QVERIFY(f.fakes.shell->calls.isEmpty());
    QCOMPARE(row(listen, 0), before);
}

void TstMainwindow::visitKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("F9") << int(Qt::Key_F9) << int(Qt::NoModifier);
    QTest::newRow("Ctrl+G") << int(Qt::Key_G) << int(Qt::ControlModifier);
}

void TstMainwindow::visitKeys() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    Fixture f;
    App& app = start(f);
    QTableView* listen = control<QTableView>(app.mainform, "Listen");
    clickRow(listen, 1);
    QTest::keyClick(app.mainform, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(f.fakes.shell->calls.size(), 1);
    QCOMPARE(f.fakes.shell->calls[0].file, QStringLiteral("https://nyheder.tv2.dk/"));
    QCOMPARE(row(listen, 1)[2], QStringLiteral("3"));
    QCOMPARE(textfile::readLines(f.web() + "/Nyheder/TV 2.txt")->at(4), QStringLiteral("3"));
}

void TstMainwindow::launchesPrograms() {
    Fixture f;
    App& app = start(f);
    QTest::keyClick(app.mainform, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(app.model->gruppenavn(), QStringLiteral("Værktøj"));
    QTableView* listen = control<QTableView>(app.mainform, "Listen");
    QCOMPARE(listen->model()->rowCount(), 3);
    f.fakes.shell->result = 31;
    doubleClickRow(listen, 0);
    // A click in programs mode fills no field.
    QCOMPARE(control<QLineEdit>(app.mainform, "webEdit1")->text(), QString());
    QCOMPARE(f.fakes.shell->calls.size(), 1);
    const FakeShell::Call call = f.fakes.shell->calls[0];
    QCOMPARE(call.operation, QStringLiteral("open"));
    QCOMPARE(call.file, program);
    QCOMPARE(call.showMode, 1);
    // The visit counts although the shell refused to start the file.
    QCOMPARE(row(listen, 0)[2], QStringLiteral("8"));
    QCOMPARE(textfile::readLines(f.programs() + "/Værktøj/Lommeregner.txt")->at(4),
             QStringLiteral("8"));
    const auto shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].title, QStringLiteral("Fejlinformation"));
    QCOMPARE(shown[0].text.count(u'\r'), 2);

    // The visit action opens nothing in programs mode, even when it is enabled.
    clickRow(listen, 0);
    control<QLineEdit>(app.mainform, "webEdit1")->setText("https://www.dr.dk/");
    QTest::keyClick(app.mainform, Qt::Key_G, Qt::ControlModifier);
    QCOMPARE(f.fakes.shell->calls.size(), 1);
}

void TstMainwindow::programRefusals_data() {
    QTest::addColumn<int>("row");
    QTest::newRow("missing file") << 1;
    QTest::newRow("a folder") << 2;
}

void TstMainwindow::programRefusals() {
    QFETCH(int, row);
    Fixture f;
    App& app = start(f);
    control<UpdateAction>(app.mainform, "actionSI")->execute();
    doubleClickRow(control<QTableView>(app.mainform, "Listen"), row);
    QCOMPARE(app.infform->takeShown(), QStringList{"Programmet blev ikke fundet."});
    QVERIFY(f.fakes.shell->calls.isEmpty());
    QCOMPARE(this->row(control<QTableView>(app.mainform, "Listen"), row)[0],
             QStringLiteral("01-12-2026"));

    control<QTableView>(app.mainform, "Listen")->clearSelection();
    app.mainform->runProgrammer();
    QCOMPARE(app.infform->takeShown(), QStringList{"Vælg et item!"});
}

void TstMainwindow::typedEntry_data() {
    QTest::addColumn<bool>("programs");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("three characters") << false << "https://www.dr.dk/tv"
                                      << "DR1"
                                      << "";
    QTest::newRow("two characters, wrong address") << false << "ikke en adresse"
                                                   << "DR"
                                                   << "Kort navn: Minimum 3 tegn!";
    QTest::newRow("not an address") << false << "www.dr.dk"
                                    << "DR TV"
                                    << "Der mangler en gyldig webadresse!";
    QTest::newRow("program missing") << true << "/ingen/sådan/fil"
                                     << "Ingen"
                                     << "Filen kunne ikke findes!";
    QTest::newRow("program") << true << "PROGRAM"
                             << "Regnemaskine"
                             << "";
    QTest::newRow("name not a file name") << false << "https://www.dr.dk/"
                                          << "a/b/c"
                                          << "Navnet kan ikke bruges som filnavn.";
}

void TstMainwindow::typedEntry() {
    QFETCH(bool, programs);
    QFETCH(QString, address);
    QFETCH(QString, name);
    QFETCH(QString, message);
    Fixture f;
    App& app = start(f);
    if (programs)
        control<UpdateAction>(app.mainform, "actionSI")->execute();
    if (address == "PROGRAM")
        address = program;
    QTest::keyClicks(control<QLineEdit>(app.mainform, "webEdit1"), address);
    QTest::keyClicks(control<QLineEdit>(app.mainform, "webEdit2"), name);
    const int rowsBefore = control<QTableView>(app.mainform, "Listen")->model()->rowCount();
    QTest::keyClick(app.mainform, Qt::Key_I, Qt::ControlModifier);
    if (message.isEmpty()) {
        QVERIFY(app.infform->takeShown().isEmpty());
        QCOMPARE(control<QTableView>(app.mainform, "Listen")->model()->rowCount(), rowsBefore + 1);
        QCOMPARE(control<QLineEdit>(app.mainform, "webEdit1")->text(), QString());
        QCOMPARE(control<QLineEdit>(app.mainform, "webEdit2")->text(), QString());
        const QString group = programs ? f.programs() + "/Værktøj/" : f.web() + "/Nyheder/";
        QCOMPARE(textfile::readLines(group + name + ".txt")->first(), address);
    } else {
        QCOMPARE(app.infform->takeShown(), QStringList{message});
        QCOMPARE(control<QTableView>(app.mainform, "Listen")->model()->rowCount(), rowsBefore);
        QCOMPARE(control<QLineEdit>(app.mainform, "webEdit1")->text(), address);
        QCOMPARE(control<QLineEdit>(app.mainform, "webEdit2")->text(), name);
    }
}

void TstMainwindow::noGroupDisablesInsertAndLookUp() {
    Fixture f;
    App& app = start(f, QString());
    QCOMPARE(control<QLabel>(app.mainform, "gruppenavnLabel")->text(),
             QStringLiteral("Valgt gruppe"));
    control<QLineEdit>(app.mainform, "webEdit1")->setText("https://www.dr.dk/");
    control<QLineEdit>(app.mainform, "webEdit2")->setText("DR nyt");
    UpdateAction::updateAll();
    QVERIFY(!control<UpdateAction>(app.mainform, "actionIL")->isEnabled());
    QVERIFY(!control<UpdateAction>(app.mainform, "webBrowser")->isEnabled());
    QVERIFY(!control<QToolButton>(app.mainform, "Button1")->isEnabled());
    QVERIFY(!control<UpdateAction>(app.mainform, "webUrl")->isEnabled());
    QVERIFY(control<UpdateAction>(app.mainform, "actionAW")->isEnabled());
    QTest::keyClick(app.mainform, Qt::Key_I, Qt::ControlModifier);
    QVERIFY(!control<UpdateAction>(app.mainform, "actionIL")->execute());
    QVERIFY(app.infform->takeShown().isEmpty());
    QCOMPARE(control<QLineEdit>(app.mainform, "webEdit2")->text(), QStringLiteral("DR nyt"));

    // Choosing a group enables both at the next idle moment (loading it empties the fields).
    control<QListWidget>(app.mainform, "gruppeBoksen")->setCurrentRow(0);
    QTest::keyClick(control<QListWidget>(app.mainform, "gruppeBoksen"), Qt::Key_Return);
    QTRY_VERIFY(control<UpdateAction>(app.mainform, "webBrowser")->isEnabled());
    QCOMPARE(control<QLineEdit>(app.mainform, "webEdit2")->text(), QString());
    QTest::keyClicks(control<QLineEdit>(app.mainform, "webEdit1"), "https://www.dr.dk/");
    QTest::keyClicks(control<QLineEdit>(app.mainform, "webEdit2"), "DR nyt");
    QTRY_VERIFY(control<UpdateAction>(app.mainform, "actionIL")->isEnabled());
    QVERIFY(control<QToolButton>(app.mainform, "Button1")->isEnabled());
}

void TstMainwindow::shortcutsAndMenu() {
    Fixture f;
    App& app = start(f);
    QVERIFY(!app.boksform->isVisible());
    QTest::keyClick(app.mainform, Qt::Key_A, Qt::ControlModifier);
    QVERIFY(app.boksform->isVisible());

    app.mainform->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(app.mainform));
    QTest::keyClick(app.mainform, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(control<QCheckBox>(app.boksform, "funkCheck")->isChecked());
    QCOMPARE(int(app.model->funkNo()), 1);
    QCOMPARE(control<QTableView>(app.mainform, "Listen")
                 ->model()
                 ->headerData(3, Qt::Horizontal)
                 .toString(),
             QStringLiteral("Program"));
    control<UpdateAction>(app.mainform, "actionSI")->trigger();
    QCOMPARE(int(app.model->funkNo()), 0);
    QCOMPARE(app.model->gruppenavn(), QStringLiteral("Nyheder"));
    QCOMPARE(control<QTableView>(app.mainform, "Listen")
                 ->model()
                 ->headerData(3, Qt::Horizontal)
                 .toString(),
             QStringLiteral("Webside"));

    const QList<QAction*> menu = control<QToolButton>(app.mainform, "Button2")->menu()->actions();
    // The three bookmark items come after these, behind a separator, and "Find element..." last.
    QCOMPARE(menu.size(), 11);
    QCOMPARE(menu[0]->text(), QStringLiteral("Administrer grupper og elementer"));
    QVERIFY(menu[1]->isSeparator());
    QCOMPARE(menu[2]->text(), QStringLiteral("Skift indhold"));
    QVERIFY(menu[3]->isSeparator());
    QCOMPARE(menu[4]->text(), QStringLiteral("Information"));
    QCOMPARE(control<UpdateAction>(app.mainform, "webUrl")->shortcuts().size(), 2);
}

void TstMainwindow::adminShortcutFromEveryControl_data() {
    QTest::addColumn<QString>("focused");
    QTest::newRow("address field") << "webEdit1";
    QTest::newRow("name field") << "webEdit2";
    QTest::newRow("element list") << "Listen";
    QTest::newRow("group list") << "gruppeBoksen";
}

// Ctrl+A opens the administration window wherever the focus is, the two fields included,
// where it would otherwise select the field's text.
void TstMainwindow::adminShortcutFromEveryControl() {
    QFETCH(QString, focused);
    Fixture f;
    App& app = start(f);
    control<QLineEdit>(app.mainform, "webEdit1")->setText("https://www.dr.dk/");
    control<QLineEdit>(app.mainform, "webEdit2")->setText("DR");
    QWidget* w = app.mainform->findChild<QWidget*>(focused);
    QVERIFY(w);
    w->setFocus();
    QCOMPARE(QApplication::focusWidget(), w);
    QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
    QVERIFY(app.boksform->isVisible());
    QVERIFY(!control<QLineEdit>(app.mainform, "webEdit1")->hasSelectedText());
    QVERIFY(!control<QLineEdit>(app.mainform, "webEdit2")->hasSelectedText());
}

// Tab and Shift+Tab move the focus on from the element list, as from every other list.
void TstMainwindow::tabLeavesTheElementList() {
    Fixture f;
    App& app = start(f);
    QTableView* listen = control<QTableView>(app.mainform, "Listen");
    clickRow(listen, 0);
    QCOMPARE(QApplication::focusWidget(), listen);
    QTest::keyClick(listen, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), control<QListWidget>(app.mainform, "gruppeBoksen"));
    QCOMPARE(app.mainform->selectedRow(), 0);
    clickRow(listen, 1);
    QTest::keyClick(listen, Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(QApplication::focusWidget() != listen);
    QCOMPARE(app.mainform->selectedRow(), 1);
}

void TstMainwindow::leftListStartsTwelvePixelsIn() {
    Fixture f;
    App& app = start(f);
    QCOMPARE(control<QTableView>(app.mainform, "Listen")->mapTo(app.mainform, QPoint(0, 0)).x(),
             12);
    QCOMPARE(
        control<QLabel>(app.mainform, "gruppenavnLabel")->mapTo(app.mainform, QPoint(0, 0)).x(),
        12);
}

void TstMainwindow::informationSelectsHelpStructure() {
    Fixture f;
    App& app = start(f);
    QTest::keyClick(app.mainform, Qt::Key_F1);
    QVERIFY(app.infoformen->isVisible());
    QCOMPARE(app.infoformen->structureName(), QStringLiteral("Lenkaroinfo.txt"));
}

void TstMainwindow::lookUpStartsBrowserInChosenOrder_data() {
    QTest::addColumn<bool>("chrome");
    QTest::addColumn<bool>("edge");
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("started");
    QTest::newRow("chrome first") << true << true << 0 << "chrome";
    QTest::newRow("edge first") << true << true << 1 << "edge";
    QTest::newRow("none chosen is edge first") << true << true << -1 << "edge";
    QTest::newRow("edge chosen, only chrome") << true << false << 1 << "chrome";
    QTest::newRow("neither") << false << false << 0 << "";
}

void TstMainwindow::lookUpStartsBrowserInChosenOrder() {
    QFETCH(bool, chrome);
    QFETCH(bool, edge);
    QFETCH(int, choice);
    QFETCH(QString, started);
    Fixture f;
    const QString bin = f.tmp.path() + "/browsers/";
    QDir().mkpath(bin);
    if (chrome)
        writeFixture(bin + "chrome", {"x"});
    if (edge)
        writeFixture(bin + "edge", {"x"});
    App& app = start(f, "Nyheder", {{bin + "google-chrome", bin + "chrome"}, {bin + "edge"}});
    // Chosen as the user does, in the administration window; none chosen only an options file
    // can say.
    const QString caption = choice == 0 ? "Google Chrome" : "Microsoft Edge";
    if (choice < 0)
        app.settings->setBrowserValg(choice);
    for (QRadioButton* radio : app.boksform->findChildren<QRadioButton*>()) {
        if (choice >= 0 && radio->text() == caption)
            radio->click();
    }
    QCOMPARE(app.settings->browserValg(), choice);
    QTest::keyClick(app.mainform, Qt::Key_B, Qt::ControlModifier);
    if (started.isEmpty()) {
        QVERIFY(f.fakes.shell->calls.isEmpty());
    } else {
        QCOMPARE(f.fakes.shell->calls.size(), 1);
        QCOMPARE(f.fakes.shell->calls[0].operation, QStringLiteral("open"));
        QCOMPARE(f.fakes.shell->calls[0].file, bin + started);
    }
    QVERIFY(MessageBox::takeShown().isEmpty());
    QVERIFY(app.infform->takeShown().isEmpty());
}

// With neither browser installed, the desktop's default for web pages is started, with the
// arguments of its command and without an address.
void TstMainwindow::lookUpStartsDesktopsBrowser() {
    Fixture f;
    const QString bin = f.tmp.path() + "/bin";
    QDir().mkpath(bin);
    QFile browser(bin + "/webbrowser");
    QVERIFY(browser.open(QIODevice::WriteOnly));
    browser.close();
    browser.setPermissions(browser.permissions() | QFileDevice::ExeOwner);
    const QString data = f.tmp.path() + "/data";
    QDir().mkpath(data + "/applications");
    QDir().mkpath(f.tmp.path() + "/config");
    writeFixture(data + "/applications/web.desktop",
                 {"[Desktop Entry]", "Exec=webbrowser --profile \"Min profil\" %U"});
    writeFixture(f.tmp.path() + "/config/mimeapps.list",
                 {"[Default Applications]", "x-scheme-handler/http=web.desktop"});
    BrowserPlaces places{{"chromium"}, {"microsoft-edge"}};
    places.desktop = XdgDirs{{f.tmp.path() + "/config"}, {data}, {}};
    places.searchPath = {bin};
    App& app = start(f, "Nyheder", places);
    QTest::keyClick(app.mainform, Qt::Key_B, Qt::ControlModifier);
    QCOMPARE(f.fakes.shell->calls.size(), 1);
    QCOMPARE(f.fakes.shell->calls[0].operation, QStringLiteral("open"));
    QCOMPARE(f.fakes.shell->calls[0].file, bin + "/webbrowser");
    QCOMPARE(QProcess::splitCommand(f.fakes.shell->calls[0].parameters),
             (QStringList{"--profile", "Min profil"}));
}

void TstMainwindow::lookUpPicksProgramFile() {
    Fixture f;
    App& app = start(f);
    control<UpdateAction>(app.mainform, "actionSI")->execute();
    FileDialog::setNextFile(program);
    control<UpdateAction>(app.mainform, "webBrowser")->trigger();
    QCOMPARE(FileDialog::takeShown(), QStringList{"Vælg program|" + QDir::rootPath()});
    QCOMPARE(control<QLineEdit>(app.mainform, "webEdit1")->text(), program);
    // Cancelling, or a file that is gone, changes nothing.
    FileDialog::setNextFile(f.tmp.path() + "/borte");
    control<UpdateAction>(app.mainform, "webBrowser")->trigger();
    control<UpdateAction>(app.mainform, "webBrowser")->trigger();
    QCOMPARE(control<QLineEdit>(app.mainform, "webEdit1")->text(), program);
}

void TstMainwindow::groupActivatedByKeys() {
    Fixture f;
    App& app = start(f);
    QListWidget* groups = control<QListWidget>(app.mainform, "gruppeBoksen");
    groups->setCurrentRow(1);
    QTest::keyClick(groups, Qt::Key_Space);
    QCOMPARE(app.model->gruppenavn(), QStringLiteral("Musik"));
    QCOMPARE(control<QLabel>(app.mainform, "gruppenavnLabel")->text(), QStringLiteral("Musik"));
    QCOMPARE(app.model->gruppenavn0(), QStringLiteral("Musik"));
    QCOMPARE(control<QListWidget>(app.boksform, "gruppeBoks")->currentRow(), 1);
    QCOMPARE(control<QTableView>(app.mainform, "Listen")->model()->rowCount(), 0);
    QTest::mouseDClick(groups->viewport(), Qt::LeftButton, {},
                       groups->visualItemRect(groups->item(0)).center());
    QCoreApplication::processEvents();
    QCOMPARE(app.model->gruppenavn(), QStringLiteral("Nyheder"));
    QCOMPARE(control<QTableView>(app.mainform, "Listen")->model()->rowCount(), 3);
}

void TstMainwindow::errorMessages_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("2") << 2 << "Den specificerede fil blev ikke fundet.";
    QTest::newRow("26") << 26 << "Der opstod en \"sharing violation\".";
    QTest::newRow("27") << 27 << "Filnavnsassociatonen er ukomplet eller invalid";
    QTest::newRow("30") << 30
                        << "Den \"Dynamic Data Exchange (DDE) transaction\" kunne ikke fuldføres\r"
                           "fordi andre \"DDE transactions\" skulle udføres.";
    QTest::newRow("32") << 32
                        << "Det specificerede \"dynamic-link library (DLL)\" blev ikke fundet.";
    QTest::newRow("1") << 1 << "Meningsløs operation eller ukendt fejl.";
    QTest::newRow("12") << 12 << "Meningsløs operation eller ukendt fejl.";
}

void TstMainwindow::errorMessages() {
    QFETCH(int, code);
    QFETCH(QString, text);
    Fixture f;
    App& app = start(f);
    f.fakes.shell->result = code;
    app.mainform->runFilname("/bin/true");
    const auto shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].title, QStringLiteral("Fejlinformation"));
    QCOMPARE(shown[0].text, text);
    f.fakes.shell->result = 33;
    app.mainform->runFilname("/bin/true");
    QVERIFY(MessageBox::takeShown().isEmpty());
}

void TstMainwindow::iconButtonsAreNamed() {
    Fixture f;
    App& app = start(f);
    QCOMPARE(control<QToolButton>(app.mainform, "Button3")->accessibleName(),
             QStringLiteral("Besøg valgte url: Ctrl+G"));
    QCOMPARE(control<QLineEdit>(app.mainform, "webEdit1")->accessibleName().isEmpty() &&
                 control<QLabel>(app.mainform, "Label1")->buddy() !=
                     control<QLineEdit>(app.mainform, "webEdit1"),
             false);
    QCOMPARE(control<QLabel>(app.mainform, "Label3")->buddy(),
             control<QLineEdit>(app.mainform, "webEdit2"));
}

void TstMainwindow::keysChooseAndVisitWithoutMouse_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Enter") << int(Qt::Key_Return) << 0;
    QTest::newRow("Space") << int(Qt::Key_Space) << 0;
    QTest::newRow("Ctrl+G") << int(Qt::Key_G) << int(Qt::ControlModifier);
    QTest::newRow("F9") << int(Qt::Key_F9) << 0;
}

// Tab into the list, a row chosen with the arrow keys, then a visit by key: no mouse at all.
void TstMainwindow::keysChooseAndVisitWithoutMouse() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    Fixture f;
    App& app = start(f);
    QTableView* listen = control<QTableView>(app.mainform, "Listen");
    listen->setFocus();
    QTest::keyClick(listen, Qt::Key_Home);
    QTest::keyClick(listen, Qt::Key_Down);
    QCOMPARE(control<QLineEdit>(app.mainform, "webEdit1")->text(),
             QStringLiteral("https://nyheder.tv2.dk/"));
    QTest::keyClick(listen, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(f.fakes.shell->calls.size(), 1);
    QCOMPARE(f.fakes.shell->calls[0].file, QStringLiteral("https://nyheder.tv2.dk/"));
    // In programs mode a row chosen fills no field, by keys as by clicks.
    QTest::keyClick(app.mainform, Qt::Key_S, Qt::ControlModifier);
    control<QLineEdit>(app.mainform, "webEdit1")->clear();
    listen->setFocus();
    QTest::keyClick(listen, Qt::Key_Home);
    QTest::keyClick(listen, Qt::Key_Down);
    QCOMPARE(control<QLineEdit>(app.mainform, "webEdit1")->text(), QString());
}

void TstMainwindow::menuOpensByKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("menu key") << int(Qt::Key_Menu) << 0;
    QTest::newRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier);
    QTest::newRow("Alt+Down") << int(Qt::Key_Down) << int(Qt::AltModifier);
}

// The top-left button's menu, the only way to the bookmark items, opens by keys when the
// button has the focus.
void TstMainwindow::menuOpensByKeys() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    Fixture f;
    App& app = start(f);
    auto* button = control<QToolButton>(app.mainform, "Button2");
    button->setFocus();
    bool shown = false;
    QTimer::singleShot(0, button->menu(), [&] {
        shown = button->menu()->isVisible();
        button->menu()->close();
    });
    QTest::keyClick(button, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QTRY_VERIFY(shown);
    // The menu opened; the administration window did not.
    QVERIFY(!app.boksform->isVisible());
}

QTEST_MAIN(TstMainwindow)
#include "tst_mainwindow.moc"
