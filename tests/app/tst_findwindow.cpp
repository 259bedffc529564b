#include "controls.h"
#include "filesizelimit.h"
#include "fixture.h"
#include "writefile.h"

#include "platform/toolkit/updateaction.h"
#include "ui/findelement/findelement.h"
#include "ui/help/info.h"
#include "ui/main/main.h"
#include "ui/widgets/place.h"

#include <QAbstractItemModelTester>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <csignal>
#include <sys/resource.h>

// "Find element", driven from the main window as a user would: by keys, by the mouse, through
// the popup menu; each found element is visited as from the main window's own list.
class TstFindwindow : public QObject {
    Q_OBJECT
private slots:
    void byKeyboardAlone();
    void doubleClickVisits();
    void visitsAsTheMainListDoes_data();
    void visitsAsTheMainListDoes();
    void failedVisitWriteChangesNothing();
    void elementGoneSinceFound();
    void shelfIsNotSearched();
    void seesFilesWrittenWhileAway();
    void followsContentMode();
    void menuItemAndHelp();
    void resultModelIsSound();
    void placeKeptInItsOptionsFile();
    void unwritableOptionsKeepWindowOpen();
};

namespace {

// A user whose web groups are Nyheder (current: DR, TV 2 and one with no address) and
// Offentligt (Borger.dk), with Lager on the shelf (Borgerservice); the programs group Værktøj
// holds a program that exists and one that does not.
struct User {
    Fixture f;
    App* app = nullptr;
    QString program;

    explicit User(const QStringList& findOptions = {}) {
        f.makeUser();
        Fixture::element(f.web() + "/Nyheder", "DR", "https://www.dr.dk/", 41);
        Fixture::element(f.web() + "/Nyheder", "TV 2", "https://nyheder.tv2.dk/", 2);
        Fixture::element(f.web() + "/Nyheder", "Ødelagt", "ikke en adresse", 5);
        Fixture::element(f.web() + "/Offentligt", "Borger.dk", "https://www.borger.dk/", 10);
        Fixture::element(f.web() + "/Lager", "Borgerservice", "https://www.kk.dk/", 1);
        writeFixture(f.web() + "/webgruppe.txt", {"Nyheder", "Offentligt"});
        writeFixture(f.web() + "/webLager.txt", {"Lager"});
        program = f.tmp.path() + "/bin/lommeregner";
        QDir().mkpath(f.tmp.path() + "/bin");
        writeFixture(program, {"#!/bin/sh"});
        Fixture::element(f.programs() + "/Værktøj", "Lommeregner", program, 7);
        Fixture::element(f.programs() + "/Værktøj", "Mangler", f.tmp.path() + "/bin/mangler");
        writeFixture(f.programs() + "/webgruppe.txt", {"Værktøj"});
        writeFixture(f.options() + "/main.txt",
                     {"Sky", "120", "120", "595", "380", "Nyheder", "Nyheder", "Værktøj", "0"});
        if (!findOptions.isEmpty())
            writeFixture(f.options() + "/findelement.txt", findOptions);
        app = &f.start();
        app->mainform->show();
        app->mainform->activateWindow();
        if (!QTest::qWaitForWindowActive(app->mainform))
            qWarning("main window not active");
    }

    QWidget* window() const { return app->findform(); }
    QLineEdit* field() const { return window()->findChild<QLineEdit*>("soegEdit"); }
    QTableView* results() const { return window()->findChild<QTableView*>("resultatListe"); }

    // Ctrl+F in the main window, then the text typed into the field.
    void find(const QString& text) {
        app->mainform->activateWindow();
        if (!QTest::qWaitForWindowActive(app->mainform))
            qWarning("main window not active");
        QTest::keyClick(app->mainform, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(window()->isVisible());
        if (!QTest::qWaitForWindowActive(window()))
            qWarning("find window not active");
        QTest::keyClicks(field(), text);
    }

    // The rows shown: name, group, date and visits each.
    QList<QStringList> rows() const {
        QList<QStringList> all;
        for (int r = 0; r < results()->model()->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < 4; ++c)
                cells << cell(results(), r, c);
            all << cells;
        }
        return all;
    }
    QStringList names() const {
        QStringList n;
        for (const QStringList& row : rows())
            n << row[0];
        return n;
    }
    int mainSelectedRow() const { return app->mainform->selectedRow(); }
    QString mainSelectedName() const {
        const int row = mainSelectedRow();
        return row < 0 ? QString() : app->model->Web()[row].Navn;
    }
    QStringList file(const QString& path) const {
        return textfile::readLines(path).value_or(QStringList{});
    }
};

void doubleClickRow(QTableView* list, int row) {
    const QPoint at = list->visualRect(list->model()->index(row, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QCoreApplication::processEvents();
}

} // namespace

void TstFindwindow::byKeyboardAlone() {
    User u;
    u.find("borger");
    QCOMPARE(u.window()->windowTitle(), QStringLiteral("Find element"));
    QCOMPARE(QApplication::focusWidget(), u.field());
    QCOMPARE(u.rows(), (QList<QStringList>{{"Borger.dk", "Offentligt", "01-12-2026", "10"}}));
    QTest::keyClick(u.field(), Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), u.results());
    QTest::keyClick(u.results(), Qt::Key_Return);
    // The group became current as if chosen in the group list, the element is selected in the
    // main window, and it was visited as a double-click there visits it.
    QCOMPARE(u.app->model->gruppenavn(), QStringLiteral("Offentligt"));
    QCOMPARE(u.app->model->gruppenavn0(), QStringLiteral("Offentligt"));
    QCOMPARE(control<QLabel>(u.app->mainform, "gruppenavnLabel")->text(),
             QStringLiteral("Offentligt"));
    QCOMPARE(control<QListWidget>(u.app->mainform, "gruppeBoksen")->currentRow(), 1);
    QCOMPARE(u.mainSelectedName(), QStringLiteral("Borger.dk"));
    QCOMPARE(control<QLineEdit>(u.app->mainform, "webEdit1")->text(),
             QStringLiteral("https://www.borger.dk/"));
    QCOMPARE(u.f.fakes.shell->calls.size(), 1);
    QCOMPARE(u.f.fakes.shell->calls[0].operation, QString());
    QCOMPARE(u.f.fakes.shell->calls[0].file, QStringLiteral("https://www.borger.dk/"));
    QCOMPARE(u.file(u.f.web() + "/Offentligt/Borger.dk.txt").mid(2, 3),
             (QStringList{"09.12.2026", "13.45", "11"}));
    // The result shows the visit at once and stays selected.
    QCOMPARE(u.rows(), (QList<QStringList>{{"Borger.dk", "Offentligt", "09.12.2026", "11"}}));
    QCOMPARE(u.results()->selectionModel()->selectedRows().size(), 1);
    QVERIFY(u.app->infform->takeShown().isEmpty());

    // Enter in the field opens the first result; Esc closes the window.
    QTest::keyClick(u.results(), Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), u.field());
    u.field()->clear();
    QTest::keyClicks(u.field(), "tv");
    QTest::keyClick(u.field(), Qt::Key_Return);
    QCOMPARE(u.f.fakes.shell->calls.size(), 2);
    QCOMPARE(u.f.fakes.shell->calls[1].file, QStringLiteral("https://nyheder.tv2.dk/"));
    QCOMPARE(u.app->model->gruppenavn(), QStringLiteral("Nyheder"));
    QTest::keyClick(u.field(), Qt::Key_Escape);
    QVERIFY(!u.window()->isVisible());
    // Opened again, the text is there, selected, to be typed over.
    u.find("");
    QCOMPARE(u.field()->text(), QStringLiteral("tv"));
    QCOMPARE(u.field()->selectedText(), QStringLiteral("tv"));
    QCOMPARE(u.rows(), (QList<QStringList>{{"TV 2", "Nyheder", "09.12.2026", "3"}}));
}

void TstFindwindow::doubleClickVisits() {
    User u;
    u.find("dk");
    // Borger.dk has it in its name, the other two only in their addresses.
    QCOMPARE(u.names(), (QStringList{"Borger.dk", "DR", "TV 2"}));
    doubleClickRow(u.results(), 2);
    QCOMPARE(u.f.fakes.shell->calls.size(), 1);
    QCOMPARE(u.f.fakes.shell->calls[0].file, QStringLiteral("https://nyheder.tv2.dk/"));
    QCOMPARE(u.mainSelectedName(), QStringLiteral("TV 2"));
    QCOMPARE(u.file(u.f.web() + "/Nyheder/TV 2.txt").at(4), QStringLiteral("3"));
}

void TstFindwindow::visitsAsTheMainListDoes_data() {
    QTest::addColumn<bool>("programs");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("opened");
    QTest::newRow("no valid address") << false << "ødelagt"
                                      << "Der mangler en gyldig webadresse!"
                                      << "";
    QTest::newRow("program started") << true << "lomme"
                                     << ""
                                     << "PROGRAM";
    QTest::newRow("program missing") << true << "mangler"
                                     << "Programmet blev ikke fundet."
                                     << "";
}

void TstFindwindow::visitsAsTheMainListDoes() {
    QFETCH(bool, programs);
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(QString, opened);
    User u;
    if (programs)
        control<UpdateAction>(u.app->mainform, "actionSI")->execute();
    u.find(text);
    QCOMPARE(u.results()->model()->rowCount(), 1);
    const QString group = programs ? u.f.programs() + "/Værktøj" : u.f.web() + "/Nyheder";
    const QString path = group + "/" + u.names().first() + ".txt";
    const QStringList before = u.file(path);
    QTest::keyClick(u.field(), Qt::Key_Return);
    QCOMPARE(u.app->infform->takeShown(), message.isEmpty() ? QStringList{} : QStringList{message});
    if (opened.isEmpty()) {
        QVERIFY(u.f.fakes.shell->calls.isEmpty());
        QCOMPARE(u.file(path), before);
    } else {
        QCOMPARE(u.f.fakes.shell->calls.size(), 1);
        QCOMPARE(u.f.fakes.shell->calls[0].operation, QStringLiteral("open"));
        QCOMPARE(u.f.fakes.shell->calls[0].file, u.program);
        QCOMPARE(u.file(path).at(4), QStringLiteral("8"));
        // A click in programs mode fills no field, from here as in the main window.
        QCOMPARE(control<QLineEdit>(u.app->mainform, "webEdit1")->text(), QString());
    }
}

void TstFindwindow::failedVisitWriteChangesNothing() {
    User u;
    u.find("borger");
    const QString path = u.f.web() + "/Offentligt/Borger.dk.txt";
    const QStringList before = u.file(path);
    {
        FileSizeLimit limit(16);
        QTest::keyClick(u.field(), Qt::Key_Return);
    }
    const auto shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].text.contains(QDir::toNativeSeparators(path)) || shown[0].text.contains(path),
             qPrintable(shown[0].text));
    // Nothing was opened, and the element is as it was: on disk, in the model, in both lists.
    QVERIFY(u.f.fakes.shell->calls.isEmpty());
    QCOMPARE(u.file(path), before);
    QCOMPARE(u.app->model->Web()[u.mainSelectedRow()].Visits, 10);
    QCOMPARE(cell(control<QTableView>(u.app->mainform, "Listen"), u.mainSelectedRow(), 2),
             QStringLiteral("10"));
    QCOMPARE(u.rows(), (QList<QStringList>{{"Borger.dk", "Offentligt", "01-12-2026", "10"}}));
}

void TstFindwindow::elementGoneSinceFound() {
    User u;
    u.find("borger");
    QVERIFY(QFile::remove(u.f.web() + "/Offentligt/Borger.dk.txt"));
    QTest::keyClick(u.field(), Qt::Key_Return);
    QCOMPARE(u.app->infform->takeShown(), QStringList{"Elementet findes ikke længere i gruppen."});
    QVERIFY(u.f.fakes.shell->calls.isEmpty());
    // Loading the group showed the index what is on disk.
    QCOMPARE(u.results()->model()->rowCount(), 0);
    QCOMPARE(u.app->model->gruppenavn(), QStringLiteral("Offentligt"));
}

void TstFindwindow::shelfIsNotSearched() {
    User u;
    u.find("borger");
    QCOMPARE(u.names(), QStringList{"Borger.dk"});
    // Taken off the shelf, its group is searched too, at once.
    QVERIFY(u.app->model->saveShelf({"Nyheder", "Offentligt", "Lager"}, {}).ok());
    QCOMPARE(u.names(), (QStringList{"Borger.dk", "Borgerservice"}));
    QCOMPARE(u.rows()[1][1], QStringLiteral("Lager"));
    QCOMPARE(u.window()->findChild<QLabel*>("antalLabel")->text(), QStringLiteral("2 elementer"));
}

// A file written behind the program's back into a group that is not current is found once the
// window is come back to, and at its next opening.
void TstFindwindow::seesFilesWrittenWhileAway() {
    User u;
    u.find("kommune");
    QCOMPARE(u.names(), QStringList{});
    Fixture::element(u.f.web() + "/Offentligt", "Kommunen", "https://www.kk.dk/", 0);
    u.app->mainform->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(u.app->mainform));
    QCOMPARE(u.names(), QStringList{});
    u.window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(u.window()));
    QCOMPARE(u.names(), QStringList{"Kommunen"});

    QTest::keyClick(u.field(), Qt::Key_Escape);
    Fixture::element(u.f.web() + "/Offentligt", "Kommunekort", "https://kort.kk.dk/", 0);
    u.find("");
    QCOMPARE(u.names(), (QStringList{"Kommunekort", "Kommunen"}));
}

void TstFindwindow::followsContentMode() {
    User u;
    u.find("e");
    QVERIFY(u.names().contains("Borger.dk"));
    QVERIFY(!u.names().contains("Lommeregner"));
    control<UpdateAction>(u.app->mainform, "actionSI")->trigger();
    QCOMPARE(u.names(), (QStringList{"Lommeregner", "Mangler"}));
    QCOMPARE(u.rows()[0][1], QStringLiteral("Værktøj"));
    control<UpdateAction>(u.app->mainform, "actionSI")->execute();
    QVERIFY(u.names().contains("Borger.dk"));
}

void TstFindwindow::menuItemAndHelp() {
    User u;
    const QList<QAction*> menu =
        control<QToolButton>(u.app->mainform, "Button2")->menu()->actions();
    QVERIFY(menu[menu.size() - 2]->isSeparator());
    QAction* item = menu.last();
    QCOMPARE(item->text(), QStringLiteral("Find element..."));
    QCOMPARE(item->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    item->trigger();
    QVERIFY(u.window()->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(u.window()));
    // Nothing typed: every element of the active groups, most visited first.
    QCOMPARE(u.names(), (QStringList{"DR", "Borger.dk", "Ødelagt", "TV 2"}));
    QCOMPARE(u.window()->findChild<QLabel*>("antalLabel")->text(), QStringLiteral("4 elementer"));
    QTest::keyClicks(u.field(), "xyz");
    QCOMPARE(u.window()->findChild<QLabel*>("antalLabel")->text(), QStringLiteral("Ingen fundet"));
    UpdateAction::updateAll();
    QVERIFY(!u.window()->findChild<QPushButton*>("aabnKnap")->isEnabled());

    QSignalSpy help(u.app->findform(), &Tfindelementform::helpRequested);
    QTest::keyClick(u.field(), Qt::Key_F1);
    QCOMPARE(help.size(), 1);
    QCOMPARE(help[0][0].toString(), QStringLiteral("Find element"));
    QVERIFY(u.app->infoformen->isVisible());
}

void TstFindwindow::resultModelIsSound() {
    User u;
    u.find("");
    QAbstractItemModelTester tester(u.results()->model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    QTest::keyClicks(u.field(), "d");
    u.app->model->selectGroup("Offentligt");
    QVERIFY(u.app->model->NyGruppe("Tomt").ok());
    control<UpdateAction>(u.app->mainform, "actionSI")->execute();
    QCOMPARE(u.results()->model()->headerData(1, Qt::Horizontal).toString(),
             QStringLiteral("Gruppe"));
}

void TstFindwindow::placeKeptInItsOptionsFile() {
    {
        User u({"200", "150", "610", "400"});
        u.find("");
        // The file holds the frame's place and the outer size.
        QCOMPARE(outerPlace(u.window()), QRect(150, 200, 610, 400));
        const QRect frame = u.window()->frameGeometry();
        u.window()->move(180, 220);
        u.window()->resize(640 - (frame.width() - u.window()->width()),
                           410 - (frame.height() - u.window()->height()));
        QTest::keyClick(u.field(), Qt::Key_Escape);
        QCOMPARE(u.file(u.f.options() + "/findelement.txt"),
                 (QStringList{"220", "180", "640", "410"}));
    }
    // Without a file the window keeps its design size and comes up over the main window.
    User u;
    u.find("");
    QCOMPARE(outerPlace(u.window()).size(), QSize(520, 360));
    QVERIFY(u.app->mainform->frameGeometry().contains(u.window()->frameGeometry().center()));
    QVERIFY(!QFileInfo::exists(u.f.options() + "/findelement.txt"));
}

void TstFindwindow::unwritableOptionsKeepWindowOpen() {
    User u;
    // A folder where the file belongs: it cannot be replaced, even by root.
    QVERIFY(QDir().mkpath(u.f.options() + "/findelement.txt"));
    u.find("");
    QTest::keyClick(u.field(), Qt::Key_Escape);
    QVERIFY(u.window()->isVisible());
    const auto shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown[0].text.contains("findelement.txt"));
}

QTEST_MAIN(TstFindwindow)
#include "tst_findwindow.moc"
