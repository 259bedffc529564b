#include "controls.h"
#include "fixture.h"
#include "ui/admin/edittab.h"
#include "writefile.h"

#include "platform/toolkit/updateaction.h"
#include "ui/admin/boks.h"
#include "ui/admin/elementviews.h"
#include "ui/main/main.h"
#include "ui/widgets/groupdelegate.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

// Groups created, renamed, deleted and sorted on the tab "Grupper", checked on disk.
class TstGroupwindow : public QObject {
    Q_OBJECT
private slots:
    void createsGroup();
    void createRefusals_data();
    void createRefusals();
    void firstGroupWritesList();
    void renamesGroup();
    void renameRefusals_data();
    void renameRefusals();
    void failedRenameChangesNothing();
    void deletesGroupFromList();
    void sortsGroups();

private:
    // Web groups b (with element DR), A and c; "b" is current; a shelved group "Gemt".
    App& start(Fixture& f) {
        f.makeUser();
        Fixture::element(f.web() + "/b", "DR", "https://www.dr.dk/", 4);
        QDir().mkpath(f.web() + "/A");
        QDir().mkpath(f.web() + "/c");
        QDir().mkpath(f.web() + "/Gemt");
        writeFixture(f.web() + "/webgruppe.txt", {"b", "A", "c"});
        writeFixture(f.web() + "/webLager.txt", {"Gemt"});
        writeFixture(f.options() + "/main.txt",
                     {"Sky", "120", "120", "595", "380", "b", "b", "", "0"});
        App& app = f.start();
        app.mainform->show();
        app.boksform->show();
        return app;
    }

    static QStringList listFile(const Fixture& f) {
        return textfile::readLines(f.web() + "/webgruppe.txt").value_or(QStringList{"(none)"});
    }
};

void TstGroupwindow::createsGroup() {
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    QTest::keyClicks(control<QLineEdit>(boks, "gEdit"), "Mu");
    QVERIFY(!control<UpdateAction>(boks, "aNyGruppe")->update());
    QTest::keyClick(control<QLineEdit>(boks, "gEdit"), Qt::Key_Return);
    QVERIFY(!QFileInfo::exists(f.web() + "/Mu"));
    QTest::keyClicks(control<QLineEdit>(boks, "gEdit"), "s");
    QVERIFY(control<UpdateAction>(boks, "aNyGruppe")->update());
    QTest::keyClick(control<QLineEdit>(boks, "gEdit"), Qt::Key_Return);
    QVERIFY(QFileInfo(f.web() + "/Mus").isDir());
    QCOMPARE(listFile(f), (QStringList{"b", "A", "c", "Mus"}));
    QCOMPARE(itemTexts(control<QListWidget>(boks, "gruppeBoks")), listFile(f));
    QCOMPARE(itemTexts(control<QListWidget>(app.mainform, "gruppeBoksen")), listFile(f));
    QCOMPARE(app.model->gruppenavn(), QStringLiteral("Mus"));
    QCOMPARE(app.model->gruppenavn0(), QStringLiteral("Mus"));
    QCOMPARE(control<QLabel>(app.mainform, "gruppenavnLabel")->text(), QStringLiteral("Mus"));
    QCOMPARE(control<QTableView>(app.mainform, "Listen")->model()->rowCount(), 0);
    QCOMPARE(control<QLineEdit>(boks, "gEdit")->text(), QString());
    QCOMPARE(textfile::readLines(f.web() + "/webLager.txt")->size(), 1);
}

void TstGroupwindow::createRefusals_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    const QString exists = QStringLiteral(
        "Der findes allerede en gruppe med angivne navn!\rKald gruppen noget andet.");
    QTest::newRow("unlisted folder in other case") << "MUSIK" << exists;
    QTest::newRow("shelved group in other case") << "gemt" << exists;
    QTest::newRow("path") << "../ud"
                          << "Navnet kan ikke bruges som mappenavn.";
    QTest::newRow("trailing blank") << "Musik "
                                    << "Navnet kan ikke bruges som mappenavn.";
    // A folder of the list files' names would stand where the list belongs.
    QTest::newRow("the shelf list's name") << "webLager.txt"
                                           << "Navnet kan ikke bruges som mappenavn.";
    QTest::newRow("the group list's name, other case") << "WebGruppe.TXT"
                                                       << "Navnet kan ikke bruges som mappenavn.";
}

void TstGroupwindow::createRefusals() {
    QFETCH(QString, name);
    QFETCH(QString, message);
    Fixture f;
    QDir().mkpath(f.web() + "/Musik");
    App& app = start(f);
    const QStringList before = QDir(f.user()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    control<QLineEdit>(app.boksform, "gEdit")->setText(name);
    control<UpdateAction>(app.boksform, "aNyGruppe")->execute();
    QCOMPARE(app.infform->takeShown(), QStringList{message});
    QCOMPARE(control<QLineEdit>(app.boksform, "gEdit")->text(), name);
    QCOMPARE(listFile(f), (QStringList{"b", "A", "c"}));
    QCOMPARE(QDir(f.web()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 5);
    QCOMPARE(QDir(f.user()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QCOMPARE(app.model->gruppenavn(), QStringLiteral("b"));
}

void TstGroupwindow::firstGroupWritesList() {
    Fixture f;
    f.makeUser();
    App& app = f.start();
    control<QCheckBox>(app.boksform, "funkCheck")->click();
    QVERIFY(!QFileInfo::exists(f.programs() + "/webgruppe.txt"));
    control<QLineEdit>(app.boksform, "gEdit")->setText("Værktøj");
    control<UpdateAction>(app.boksform, "aNyGruppe")->execute();
    QCOMPARE(*textfile::readLines(f.programs() + "/webgruppe.txt"), QStringList{"Værktøj"});
    QCOMPARE(app.model->gruppenavn1(), QStringLiteral("Værktøj"));
    QCOMPARE(control<QTableView>(app.mainform, "Listen")->model()->rowCount(), 0);
}

void TstGroupwindow::renamesGroup() {
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    QVERIFY(control<QLineEdit>(boks, "valgtGruppeEdit")->isReadOnly());
    QVERIFY(control<UpdateAction>(boks, "aSletGruppe")->update());
    control<QCheckBox>(boks, "redigerCheck")->click();
    QVERIFY(!control<QLineEdit>(boks, "valgtGruppeEdit")->isReadOnly());
    QVERIFY(!control<UpdateAction>(boks, "aSletGruppe")->update());
    control<QLineEdit>(boks, "valgtGruppeEdit")->setText("Nyheder");
    control<UpdateAction>(boks, "aRedigerGruppe")->execute();
    QVERIFY(!control<QCheckBox>(boks, "redigerCheck")->isChecked());
    QVERIFY(control<QLineEdit>(boks, "valgtGruppeEdit")->isReadOnly());
    QVERIFY(!QFileInfo::exists(f.web() + "/b"));
    QVERIFY(QFileInfo::exists(f.web() + "/Nyheder/DR.txt"));
    QCOMPARE(listFile(f), (QStringList{"Nyheder", "A", "c"}));
    QCOMPARE(itemTexts(control<QListWidget>(boks, "gruppeBoks")), listFile(f));
    QCOMPARE(itemTexts(control<QListWidget>(app.mainform, "gruppeBoksen")), listFile(f));
    QCOMPARE(app.model->gruppenavn(), QStringLiteral("Nyheder"));
    QCOMPARE(control<EditTab>(boks, "editTab")->tickedElements()->heading(),
             QStringLiteral("Nyheder"));
    QCOMPARE(control<QLineEdit>(boks, "gruppeEdit")->text(), QStringLiteral("Nyheder"));
    QCOMPARE(control<QLineEdit>(boks, "gNameEdit")->text(), QStringLiteral("Nyheder"));

    // The elements are not rewritten; the next save of one writes its new place.
    control<QTableView>(app.mainform, "Listen")->selectRow(0);
    control<QLineEdit>(app.mainform, "webEdit1")->setText("x");
    control<UpdateAction>(app.mainform, "webUrl")->execute();
    QCOMPARE(textfile::readLines(f.web() + "/Nyheder/DR.txt")->at(5), f.web() + "/Nyheder/DR.txt");
}

void TstGroupwindow::renameRefusals_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("unchanged")
        << "b"
        << "Gruppen b eksisterer allerede.\rDet nye gruppenavn skal være unikt.";
    QTest::newRow("other case")
        << "B"
        << "Gruppen B eksisterer allerede.\rDet nye gruppenavn skal være unikt.";
    QTest::newRow("shelved")
        << "Gemt"
        << "Gruppen Gemt eksisterer allerede.\rDet nye gruppenavn skal være unikt.";
    QTest::newRow("separator") << "x/y"
                               << "Navnet kan ikke bruges som mappenavn.";
    QTest::newRow("empty") << ""
                           << "";
}

void TstGroupwindow::renameRefusals() {
    QFETCH(QString, name);
    QFETCH(QString, message);
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    control<QCheckBox>(boks, "redigerCheck")->click();
    control<QLineEdit>(boks, "valgtGruppeEdit")->setText(name);
    control<QToolButton>(boks, "redigerKnap")->click();
    QCOMPARE(app.infform->takeShown(), message.isEmpty() ? QStringList{} : QStringList{message});
    QVERIFY(!control<QCheckBox>(boks, "redigerCheck")->isChecked());
    QVERIFY(control<QLineEdit>(boks, "valgtGruppeEdit")->isReadOnly());
    QCOMPARE(listFile(f), (QStringList{"b", "A", "c"}));
    QVERIFY(QFileInfo(f.web() + "/b").isDir());
    QCOMPARE(app.model->gruppenavn(), QStringLiteral("b"));
}

void TstGroupwindow::failedRenameChangesNothing() {
    Fixture f;
    App& app = start(f);
    // The folder went away behind the program's back.
    QVERIFY(QDir(f.web() + "/b").removeRecursively());
    control<QCheckBox>(app.boksform, "redigerCheck")->click();
    control<QLineEdit>(app.boksform, "valgtGruppeEdit")->setText("Ny");
    control<UpdateAction>(app.boksform, "aRedigerGruppe")->execute();
    QCOMPARE(app.infform->takeShown(),
             QStringList{"En mappe kunne ikke omdøbes af ukendte årsager."});
    QCOMPARE(listFile(f), (QStringList{"b", "A", "c"}));
    QCOMPARE(itemTexts(control<QListWidget>(app.boksform, "gruppeBoks")),
             (QStringList{"b", "A", "c"}));
    QCOMPARE(app.model->gruppenavn(), QStringLiteral("b"));
    QVERIFY(!QFileInfo::exists(f.web() + "/Ny"));
}

void TstGroupwindow::deletesGroupFromList() {
    for (bool yes : {false, true}) {
        Fixture f;
        App& app = start(f);
        app.spform->setNextAnswer(yes);
        control<QToolButton>(app.boksform, "sletKnap")->click();
        QCOMPARE(app.spform->takeShown(), QStringList{"Skal programgruppen b slettes?"});
        QVERIFY(QFileInfo::exists(f.web() + "/b/DR.txt"));
        if (!yes) {
            QCOMPARE(listFile(f), (QStringList{"b", "A", "c"}));
            QCOMPARE(control<QTableView>(app.mainform, "Listen")->model()->rowCount(), 1);
            continue;
        }
        QCOMPARE(listFile(f), (QStringList{"A", "c"}));
        QCOMPARE(*textfile::readLines(f.web() + "/webLager.txt"), QStringList{"Gemt"});
        QCOMPARE(itemTexts(control<QListWidget>(app.mainform, "gruppeBoksen")),
                 (QStringList{"A", "c"}));
        QCOMPARE(app.model->gruppenavn(), QString());
        QCOMPARE(control<QLabel>(app.mainform, "gruppenavnLabel")->text(),
                 QStringLiteral("Valgt gruppe"));
        QCOMPARE(control<QTableView>(app.mainform, "Listen")->model()->rowCount(), 0);
        QCOMPARE(control<QTreeView>(app.boksform, "programBoks")->model()->rowCount(), 0);
        QVERIFY(app.infform->takeShown().isEmpty());
    }
}

void TstGroupwindow::sortsGroups() {
    Fixture f;
    App& app = start(f);
    control<QToolButton>(app.boksform, "sorterKnap")->click();
    QCOMPARE(listFile(f), (QStringList{"A", "b", "c"}));
    QCOMPARE(itemTexts(control<QListWidget>(app.boksform, "gruppeBoks")), listFile(f));
    QCOMPARE(itemTexts(control<QListWidget>(app.mainform, "gruppeBoksen")), listFile(f));
    QCOMPARE(app.model->gruppenavn(), QStringLiteral("b"));
    QCOMPARE(*textfile::readLines(f.web() + "/webLager.txt"), QStringList{"Gemt"});
    // A group made after sorting goes to the end.
    control<QLineEdit>(app.boksform, "gEdit")->setText("Aaa");
    control<UpdateAction>(app.boksform, "aNyGruppe")->execute();
    QCOMPARE(listFile(f), (QStringList{"A", "b", "c", "Aaa"}));
}

QTEST_MAIN(TstGroupwindow)
#include "tst_groupwindow.moc"
