#include "controls.h"
#include "fixture.h"
#include "ui/admin/edittab.h"
#include "writefile.h"

#include "platform/toolkit/updateaction.h"
#include "ui/admin/boks.h"
#include "ui/main/main.h"

#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

// Elements changed, reset and removed on the tab "Fjern eller rediger element".
class TstEditwindow : public QObject {
    Q_OBJECT
private slots:
    void selectingFillsFields();
    void unchangedIsRefused_data();
    void unchangedIsRefused();
    void changesAddressOnly();
    void changesNameOnly();
    void changesBoth();
    void nameRefusals_data();
    void nameRefusals();
    void resetsVisits();
    void resetNeedsOriginalTexts();
    void removesTicked();
    void removalMessages();
    void failedRemovalReloads();
    void strayCopyRemovesItsOwnFile();

private:
    // Group Nyheder with DR (41 visits), Politiken (3) and TV 2 (2).
    App& start(Fixture& f) {
        f.makeUser();
        group = f.web() + "/Nyheder";
        Fixture::element(group, "DR", "https://www.dr.dk/", 41);
        Fixture::element(group, "Politiken", "https://politiken.dk/", 3);
        Fixture::element(group, "TV 2", "https://nyheder.tv2.dk/", 2);
        writeFixture(f.web() + "/webgruppe.txt", {"Nyheder"});
        writeFixture(f.options() + "/main.txt",
                     {"Sky", "120", "120", "595", "380", "Nyheder", "Nyheder", "", "0"});
        App& app = f.start();
        app.mainform->show();
        app.boksform->show();
        control<QTabWidget>(app.boksform, "Bog")->setCurrentIndex(2);
        return app;
    }

    void select(App& app, int row) {
        QTreeView* list = control<QTreeView>(app.boksform, "programBoks");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, elementRect(list, row).center());
    }

    QStringList file(const QString& navn) const {
        return textfile::readLines(group + "/" + navn + ".txt").value_or(QStringList{});
    }

    QStringList files() const { return QDir(group).entryList(QDir::Files); }

    static void tick(App& app, int row) {
        setTick(control<QTreeView>(app.boksform, "programBoks"), row);
    }

    QString group;
};

void TstEditwindow::selectingFillsFields() {
    Fixture f;
    App& app = start(f);
    QVERIFY(!control<UpdateAction>(app.boksform, "aRedigerNavn")->update());
    select(app, 1);
    QCOMPARE(control<QLineEdit>(app.boksform, "nytekstEdit")->text(), QStringLiteral("Politiken"));
    QCOMPARE(control<QLineEdit>(app.boksform, "webUrlEdit")->text(),
             QStringLiteral("https://politiken.dk/"));
    QVERIFY(control<UpdateAction>(app.boksform, "aRedigerNavn")->update());
    QVERIFY(control<UpdateAction>(app.boksform, "aResetVisits")->update());
    control<QLineEdit>(app.boksform, "nytekstEdit")->clear();
    QVERIFY(!control<UpdateAction>(app.boksform, "aRedigerNavn")->update());
}

void TstEditwindow::unchangedIsRefused_data() {
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("navn");
    QTest::newRow("as loaded") << "https://www.dr.dk/"
                               << "DR";
    QTest::newRow("letter case only") << "HTTPS://WWW.DR.DK/"
                                      << "dr";
}

void TstEditwindow::unchangedIsRefused() {
    QFETCH(QString, url);
    QFETCH(QString, navn);
    Fixture f;
    App& app = start(f);
    select(app, 0);
    control<QLineEdit>(app.boksform, "webUrlEdit")->setText(url);
    control<QLineEdit>(app.boksform, "nytekstEdit")->setText(navn);
    const QStringList before = file("DR");
    QTest::keyClick(control<QLineEdit>(app.boksform, "nytekstEdit"), Qt::Key_Return);
    QCOMPARE(app.infform->takeShown(),
             QStringList{"Valgte element er det oprindelige.\rDet bliver derfor ikke opdateret."});
    QCOMPARE(file("DR"), before);
    QCOMPARE(control<QLineEdit>(app.boksform, "nytekstEdit")->text(), navn);
}

void TstEditwindow::changesAddressOnly() {
    Fixture f;
    App& app = start(f);
    select(app, 0);
    control<QLineEdit>(app.boksform, "webUrlEdit")->setText("https://www.dr.dk/nyheder");
    QTest::mouseClick(control<QToolButton>(app.boksform, "nytekstKnap"), Qt::LeftButton);
    QCOMPARE(file("DR"), (QStringList{"https://www.dr.dk/nyheder", "DR", "01-12-2026", "10:15",
                                      "41", group + "/DR.txt"}));
    QCOMPARE(control<QLineEdit>(app.boksform, "webUrlEdit")->text(), QString());
    QCOMPARE(control<QLineEdit>(app.boksform, "nytekstEdit")->text(), QString());
    QCOMPARE(app.model->Web()[0].Url, QStringLiteral("https://www.dr.dk/nyheder"));
    // The lists are not reloaded: the row is still selected.
    QCOMPARE(control<EditTab>(app.boksform, "editTab")->selectedElement(), 0);
}

void TstEditwindow::changesNameOnly() {
    Fixture f;
    App& app = start(f);
    select(app, 0);
    control<QLineEdit>(app.boksform, "nytekstEdit")->setText("Danmarks Radio");
    control<UpdateAction>(app.boksform, "aRedigerNavn")->execute();
    QCOMPARE(files(), (QStringList{"Danmarks Radio.txt", "Politiken.txt", "TV 2.txt"}));
    QCOMPARE(file("Danmarks Radio"),
             (QStringList{"https://www.dr.dk/", "Danmarks Radio", "01-12-2026", "10:15", "41",
                          group + "/Danmarks Radio.txt"}));
    QCOMPARE(cell(control<QTableView>(app.mainform, "Listen"), 0, 3),
             QStringLiteral("Danmarks Radio"));
    QCOMPARE(elementName(control<QTreeView>(app.boksform, "programBoks"), 0),
             QStringLiteral("Danmarks Radio"));
}

void TstEditwindow::changesBoth() {
    Fixture f;
    App& app = start(f);
    select(app, 2);
    control<QLineEdit>(app.boksform, "webUrlEdit")->setText("https://tv2.dk/");
    control<QLineEdit>(app.boksform, "nytekstEdit")->setText("TV2");
    control<UpdateAction>(app.boksform, "aRedigerNavn")->execute();
    QCOMPARE(files(), (QStringList{"DR.txt", "Politiken.txt", "TV2.txt"}));
    QCOMPARE(file("TV2").mid(0, 5),
             (QStringList{"https://tv2.dk/", "TV2", "01-12-2026", "10:15", "2"}));
}

void TstEditwindow::nameRefusals_data() {
    QTest::addColumn<QString>("navn");
    QTest::addColumn<QString>("message");
    QTest::newRow("another element's name")
        << "politiken"
        << "Der findes allerede et element med det navn i gruppen.";
    QTest::newRow("not a file name") << "DR/TV"
                                     << "Navnet kan ikke bruges som filnavn.";
    QTest::newRow("not an address") << ""
                                    << "Der mangler en gyldig webadresse!";
}

void TstEditwindow::nameRefusals() {
    QFETCH(QString, navn);
    QFETCH(QString, message);
    Fixture f;
    App& app = start(f);
    select(app, 0);
    control<QLineEdit>(app.boksform, "webUrlEdit")
        ->setText(navn.isEmpty() ? "dr.dk" : "https://www.dr.dk/ny");
    if (!navn.isEmpty())
        control<QLineEdit>(app.boksform, "nytekstEdit")->setText(navn);
    control<UpdateAction>(app.boksform, "aRedigerNavn")->execute();
    QCOMPARE(app.infform->takeShown(), QStringList{message});
    // Nothing is written, the address neither.
    QCOMPARE(files(), (QStringList{"DR.txt", "Politiken.txt", "TV 2.txt"}));
    QCOMPARE(file("DR")[0], QStringLiteral("https://www.dr.dk/"));
    QCOMPARE(file("Politiken")[0], QStringLiteral("https://politiken.dk/"));
    QCOMPARE(app.model->Web()[0].Url, QStringLiteral("https://www.dr.dk/"));
    QVERIFY(!control<QLineEdit>(app.boksform, "nytekstEdit")->text().isEmpty());
}

void TstEditwindow::resetsVisits() {
    for (bool yes : {false, true}) {
        Fixture f;
        App& app = start(f);
        select(app, 0);
        app.spform->setNextAnswer(yes);
        QTest::mouseClick(control<QToolButton>(app.boksform, "Button1"), Qt::LeftButton);
        QCOMPARE(app.spform->takeShown().size(), 1);
        if (yes) {
            QCOMPARE(file("DR"), (QStringList{"https://www.dr.dk/", "DR", "Dato", "XX:XX", "0",
                                              group + "/DR.txt"}));
            QCOMPARE(cell(control<QTableView>(app.mainform, "Listen"), 0, 2), QStringLiteral("0"));
        } else {
            QCOMPARE(file("DR")[4], QStringLiteral("41"));
        }
    }
}

void TstEditwindow::resetNeedsOriginalTexts() {
    Fixture f;
    App& app = start(f);
    select(app, 0);
    control<QLineEdit>(app.boksform, "nytekstEdit")->setText("DR nyt");
    control<UpdateAction>(app.boksform, "aResetVisits")->execute();
    QCOMPARE(app.infform->takeShown(),
             QStringList{"Url og elementnavn skal være de oprindelige, hvis nulstilling af besøg "
                         "skal kunne lade sig gøre."});
    QVERIFY(app.spform->takeShown().isEmpty());
    QCOMPARE(file("DR")[4], QStringLiteral("41"));
}

void TstEditwindow::removesTicked() {
    Fixture f;
    App& app = start(f);
    for (int row : {0, 1, 2})
        tick(app, row);
    app.spform->setNextAnswer(true);
    control<QToolButton>(app.boksform, "fjernKnap")->click();
    QCOMPARE(app.spform->takeShown(),
             QStringList{"Valgt: \rDR, Politiken, TV 2\rSkal de 3 valgte elementer slettes?"});
    QCOMPARE(files(), QStringList{});
    QCOMPARE(control<QTableView>(app.mainform, "Listen")->model()->rowCount(), 0);
    QCOMPARE(control<QTreeView>(app.boksform, "programBoks")->model()->rowCount(), 0);
}

void TstEditwindow::removalMessages() {
    Fixture f;
    App& app = start(f);
    control<QToolButton>(app.boksform, "fjernKnap")->click();
    QCOMPARE(app.infform->takeShown(),
             QStringList{"Der er ikke valgt elementer!\rAfkryds elementer, der skal slettes."});
    tick(app, 1);
    control<QToolButton>(app.boksform, "fjernKnap")->click();
    QCOMPARE(app.spform->takeShown(),
             QStringList{"Valgt: \rPolitiken\rSkal det valgte element slettes?"});
    // "Nej": the file and the tick stay.
    QCOMPARE(files().size(), 3);
    QCOMPARE(tickOf(control<QTreeView>(app.boksform, "programBoks"), 1), Qt::Checked);

    // With an empty list nothing at all happens.
    QDir().mkpath(f.web() + "/Tom");
    app.model->selectGroup("Tom");
    control<QToolButton>(app.boksform, "fjernKnap")->click();
    QVERIFY(app.infform->takeShown().isEmpty());
    QVERIFY(app.spform->takeShown().isEmpty());
}

void TstEditwindow::failedRemovalReloads() {
    Fixture f;
    App& app = start(f);
    tick(app, 0);
    tick(app, 1);
    tick(app, 2);
    // Politiken's file vanished: removal goes from the last row up and stops there.
    QFile::remove(group + "/Politiken.txt");
    app.spform->setNextAnswer(true);
    control<QToolButton>(app.boksform, "fjernKnap")->click();
    const auto shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown[0].text.contains("Politiken.txt"));
    QCOMPARE(files(), QStringList{"DR.txt"});
    QCOMPARE(control<QTableView>(app.mainform, "Listen")->model()->rowCount(), 1);
    QCOMPARE(tickOf(control<QTreeView>(app.boksform, "programBoks"), 0), Qt::Unchecked);
}

// A copy of DR.txt under another file name shows as a second "DR": ticking that row and
// removing it removes the copy, and DR with its visits stays.
void TstEditwindow::strayCopyRemovesItsOwnFile() {
    Fixture f;
    f.makeUser();
    group = f.web() + "/Nyheder";
    QDir().mkpath(group);
    writeFixture(group + "/DR (2).txt",
                 {"https://www.dr.dk/", "DR", "01-01-2020", "10:15", "3", ""});
    App& app = start(f);
    QTreeView* list = control<QTreeView>(app.boksform, "programBoks");
    QCOMPARE(list->model()->rowCount(), 4);
    QCOMPARE(elementName(list, 0), QStringLiteral("DR"));
    QCOMPARE(elementName(list, 1), QStringLiteral("DR"));
    tick(app, 0);
    app.spform->setNextAnswer(true);
    control<QToolButton>(app.boksform, "fjernKnap")->click();
    QCOMPARE(app.spform->takeShown(), QStringList{"Valgt: \rDR\rSkal det valgte element slettes?"});
    QCOMPARE(files(), (QStringList{"DR.txt", "Politiken.txt", "TV 2.txt"}));
    QCOMPARE(file("DR").value(4), QStringLiteral("41"));
    QCOMPARE(control<QTableView>(app.mainform, "Listen")->model()->rowCount(), 3);
    QCOMPARE(cell(control<QTableView>(app.mainform, "Listen"), 0, 2), QStringLiteral("41"));
}

QTEST_MAIN(TstEditwindow)
#include "tst_editwindow.moc"
