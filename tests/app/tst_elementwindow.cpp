#include "controls.h"
#include "fixture.h"
#include "modalkeys.h"
#include "ui/admin/entrytab.h"
#include "writefile.h"

#include "ui/admin/boks.h"
#include "ui/main/main.h"

#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QTreeView>

// Loading a group into the element lists, and inserting elements into it.
class TstElementwindow : public QObject {
    Q_OBJECT
private slots:
    void showsGroupOfMainTxtInNameOrder();
    void malformedFileStopsListing();
    void groupFolderFoundWhateverItsCase();
    void insertsNewElement();
    void overwriteAsksFirst_data();
    void overwriteAsksFirst();
    void overwriteAnsweredInQuestionWindow_data();
    void overwriteAnsweredInQuestionWindow();
    void refusesUnusableNames_data();
    void refusesUnusableNames();
    void missingGroupFolderReportsError();

private:
    App& startWithGroup(Fixture& f, const QString& group) {
        f.makeUser();
        writeFixture(f.options() + "/main.txt",
                     {"Sky", "120", "120", "595", "380", group, group, "", "0"});
        App& app = f.start();
        app.mainform->show();
        return app;
    }

    // Enters an element on the administration window's entry tab, as a user types it there.
    static void enter(App& app, const QString& url, const QString& navn) {
        control<QTabWidget>(app.boksform, "Bog")->setCurrentIndex(1);
        control<QLineEdit>(app.boksform, "FilnavnEdit")->setText(url);
        control<QLineEdit>(app.boksform, "tekstEdit")->setText(navn);
        control<EntryTab>(app.boksform, "entryTab")->InsertElement();
    }

    static QStringList row(QTableView* list, int r) {
        QStringList cells;
        for (int c = 0; c < list->model()->columnCount(); ++c)
            cells << cell(list, r, c);
        return cells;
    }
};

void TstElementwindow::showsGroupOfMainTxtInNameOrder() {
    Fixture f;
    const QString group = f.web() + "/Nyheder";
    Fixture::element(group, "politiken", "https://politiken.dk/", 3);
    Fixture::element(group, "DR", "https://www.dr.dk/", 41);
    Fixture::element(group, "Berlingske", "https://www.berlingske.dk/");
    QDir().mkpath(group + "/Arkiv");
    App& app = startWithGroup(f, "Nyheder");
    QTableView* listen = control<QTableView>(app.mainform, "Listen");
    QCOMPARE(listen->model()->rowCount(), 3);
    QCOMPARE(row(listen, 0), (QStringList{"01-12-2026", "10:15", "0", "Berlingske"}));
    QCOMPARE(row(listen, 1), (QStringList{"01-12-2026", "10:15", "41", "DR"}));
    QCOMPARE(row(listen, 2)[3], QStringLiteral("politiken"));
    QCOMPARE(app.model->WebAntal(), 3);
    QCOMPARE(control<QLabel>(app.mainform, "gruppenavnLabel")->text(), QStringLiteral("Nyheder"));

    QTreeView* programBoks = control<QTreeView>(app.boksform, "programBoks");
    QCOMPARE(programBoks->model()->rowCount(), 3);
    QCOMPARE(elementName(programBoks, 1), QStringLiteral("DR"));
    QCOMPARE(tickOf(programBoks, 1), Qt::Unchecked);
    QCOMPARE(control<QLineEdit>(app.boksform, "valgtGruppeEdit")->text(),
             QStringLiteral("Nyheder"));
    QCOMPARE(control<QLineEdit>(app.boksform, "gruppeEdit")->text(), QStringLiteral("Nyheder"));
    QCOMPARE(control<QLineEdit>(app.boksform, "gNameEdit")->text(), QStringLiteral("Nyheder"));
}

void TstElementwindow::malformedFileStopsListing() {
    // A good file, a subfolder, a two-line file, another good file: two elements are shown.
    Fixture f;
    const QString group = f.web() + "/Nyheder";
    Fixture::element(group, "a", "https://a.dk/");
    QDir().mkpath(group + "/b mappe");
    writeFixture(group + "/c.txt", {"https://c.dk/", "c"});
    Fixture::element(group, "d", "https://d.dk/");
    App& app = startWithGroup(f, "Nyheder");
    QTableView* listen = control<QTableView>(app.mainform, "Listen");
    QCOMPARE(listen->model()->rowCount(), 2);
    QCOMPARE(row(listen, 1), (QStringList{"", "", "0", "c"}));
    QCOMPARE(app.model->Web()[1].Url, QStringLiteral("https://c.dk/"));
}

void TstElementwindow::groupFolderFoundWhateverItsCase() {
    Fixture f;
    Fixture::element(f.web() + "/Nyheder", "DR", "https://www.dr.dk/");
    App& app = startWithGroup(f, "NYHEDER");
    QCOMPARE(control<QTableView>(app.mainform, "Listen")->model()->rowCount(), 1);
    QCOMPARE(app.model->gruppeDir(), f.web() + "/Nyheder");
}

void TstElementwindow::insertsNewElement() {
    Fixture f;
    Fixture::element(f.web() + "/Nyheder", "DR", "https://www.dr.dk/");
    App& app = startWithGroup(f, "Nyheder");
    control<QLineEdit>(app.mainform, "webEdit1")->setText("typed");
    enter(app, "https://www.tv2.dk/", "TV 2");
    QVERIFY(app.spform->takeShown().isEmpty());
    const QString path = f.web() + "/Nyheder/TV 2.txt";
    QCOMPARE(*textfile::readLines(path),
             (QStringList{"https://www.tv2.dk/", "TV 2", "Dato", "XX:XX", "0", path}));
    QCOMPARE(control<QTableView>(app.mainform, "Listen")->model()->rowCount(), 2);
    QCOMPARE(row(control<QTableView>(app.mainform, "Listen"), 1),
             (QStringList{"Dato", "XX:XX", "0", "TV 2"}));
    QCOMPARE(control<QTreeView>(app.boksform, "programBoks")->model()->rowCount(), 2);
    QCOMPARE(control<QLineEdit>(app.mainform, "webEdit1")->text(), QString());
}

void TstElementwindow::overwriteAsksFirst_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("Ja") << true;
    QTest::newRow("Nej") << false;
}

void TstElementwindow::overwriteAsksFirst() {
    QFETCH(bool, yes);
    Fixture f;
    const QString group = f.web() + "/Nyheder";
    Fixture::element(group, "DR", "https://www.dr.dk/", 41);
    App& app = startWithGroup(f, "Nyheder");
    app.spform->setNextAnswer(yes);
    // Another letter case names the same element.
    enter(app, "https://www.dr.dk/nyheder", "dr");
    QCOMPARE(app.spform->takeShown(),
             QStringList{QStringLiteral("Skal \"dr\" overskrives?\r\r\"Dato\" og \"Besøg\" "
                                        "nul-stilles, hvis elementet overskrives.")});
    QCOMPARE(QDir(group).entryList(QDir::Files), QStringList{"DR.txt"});
    const QStringList lines = *textfile::readLines(group + "/DR.txt");
    if (yes) {
        // Line 6 names the file the element is in.
        QCOMPARE(lines, (QStringList{"https://www.dr.dk/nyheder", "dr", "Dato", "XX:XX", "0",
                                     group + "/DR.txt"}));
        QCOMPARE(row(control<QTableView>(app.mainform, "Listen"), 0),
                 (QStringList{"Dato", "XX:XX", "0", "dr"}));
    } else {
        QCOMPARE(lines[0], QStringLiteral("https://www.dr.dk/"));
        QCOMPARE(lines[4], QStringLiteral("41"));
        QCOMPARE(row(control<QTableView>(app.mainform, "Listen"), 0)[2], QStringLiteral("41"));
    }
    QCOMPARE(app.model->Web().size(), 1);
}

void TstElementwindow::overwriteAnsweredInQuestionWindow_data() {
    QTest::addColumn<QList<QKeyCombination>>("keys");
    QTest::addColumn<bool>("overwritten");
    QTest::newRow("Enter") << QList<QKeyCombination>{Qt::Key_Return} << true;
    QTest::newRow("Tab to Nej, Enter")
        << QList<QKeyCombination>{Qt::Key_Tab, Qt::Key_Return} << false;
    QTest::newRow("Esc") << QList<QKeyCombination>{Qt::Key_Escape} << false;
}

// The question that guards an overwrite, shown for real and answered from the keyboard.
void TstElementwindow::overwriteAnsweredInQuestionWindow() {
    QFETCH(QList<QKeyCombination>, keys);
    QFETCH(bool, overwritten);
    Fixture f;
    const QString group = f.web() + "/Nyheder";
    Fixture::element(group, "DR", "https://www.dr.dk/", 41);
    App& app = startWithGroup(f, "Nyheder");
    app.spform->setTestMode(false);
    // A question answered "Nej" by a click first: the next one still opens on "Ja".
    pressInNextModal({Qt::Key_Tab, Qt::Key_Space});
    enter(app, "https://www.dr.dk/sporten", "DR");
    QCOMPARE(textfile::readLines(group + "/DR.txt")->at(0), QStringLiteral("https://www.dr.dk/"));

    pressInNextModal(keys);
    enter(app, "https://www.dr.dk/nyheder", "DR");
    const QStringList lines = *textfile::readLines(group + "/DR.txt");
    QCOMPARE(lines[0], overwritten ? QStringLiteral("https://www.dr.dk/nyheder")
                                   : QStringLiteral("https://www.dr.dk/"));
    QCOMPARE(lines[4], overwritten ? QStringLiteral("0") : QStringLiteral("41"));
}

void TstElementwindow::refusesUnusableNames_data() {
    QTest::addColumn<QString>("navn");
    QTest::newRow("path") << "../../udenfor";
    QTest::newRow("separator") << "a/b";
    QTest::newRow("colon") << "C:navn";
    QTest::newRow("trailing full stop") << "navn.";
    QTest::newRow("dot dot") << "..";
}

void TstElementwindow::refusesUnusableNames() {
    QFETCH(QString, navn);
    Fixture f;
    const QString group = f.web() + "/Nyheder";
    QDir().mkpath(group);
    App& app = startWithGroup(f, "Nyheder");
    enter(app, "https://www.dr.dk/", navn);
    QCOMPARE(app.infform->takeShown(), QStringList{"Navnet kan ikke bruges som filnavn."});
    QVERIFY(QDir(group).isEmpty());
    QCOMPARE(QDir(f.web()).entryList(QDir::Files), QStringList{});
    QCOMPARE(QDir(f.user()).entryList(QDir::Files), QStringList{});
}

void TstElementwindow::missingGroupFolderReportsError() {
    Fixture f;
    App& app = startWithGroup(f, "Væk");
    QCOMPARE(control<QLabel>(app.mainform, "gruppenavnLabel")->text(), QStringLiteral("Væk"));
    enter(app, "https://www.dr.dk/", "DR");
    const auto shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown[0].text.contains("DR.txt"));
    QVERIFY(!QFileInfo::exists(f.web() + "/Væk"));
    QCOMPARE(control<QTableView>(app.mainform, "Listen")->model()->rowCount(), 0);
    QVERIFY(app.model->Web().isEmpty());
}

QTEST_MAIN(TstElementwindow)
#include "tst_elementwindow.moc"
