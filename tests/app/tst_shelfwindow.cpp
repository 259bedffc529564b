#include "controls.h"
#include "fixture.h"
#include "writefile.h"

#include "platform/toolkit/updateaction.h"
#include "store/shelfdraft.h"
#include "ui/admin/boks.h"
#include "ui/main/main.h"
#include "ui/widgets/groupdelegate.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

// The storage shelf on the tab "Administrer grupper", its moves and its save, checked on disk.
class TstShelfwindow : public QObject {
    Q_OBJECT
private slots:
    void buttonsShowTheirActions();
    void reordersActiveGroups();
    void movesSelectedToShelf();
    void movesBack();
    void allToShelfAndSave();
    void shelvingCurrentGroup();
    void saveIsDisabledWithoutChanges();
    void failedSaveKeepsChanges();
    void modeSwitchRebindsLists();
    void rulesFollowEveryChangeOfTheLists();
    void movesSurviveLookingElsewhere_data();
    void movesSurviveLookingElsewhere();
    void movesFollowGroupChanges_data();
    void movesFollowGroupChanges();
    void eachModeKeepsItsMoves();

private:
    // The groups of Fixture::makeGroupsWithShelf, both windows shown.
    App& start(Fixture& f) {
        f.makeGroupsWithShelf();
        App& app = f.start();
        app.mainform->show();
        app.boksform->show();
        control<QTabWidget>(app.boksform, "Bog")->setCurrentIndex(3);
        return app;
    }

    static QStringList selected(const QListWidget* list) {
        QStringList names;
        for (int i = 0; i < list->count(); ++i) {
            if (list->item(i)->isSelected())
                names << list->item(i)->text();
        }
        return names;
    }

    static void press(QToolButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

};

void TstShelfwindow::buttonsShowTheirActions() {
    Fixture f;
    App& app = start(f);
    const std::pair<QToolButton*, const char*> hints[] = {
        {control<QToolButton>(app.boksform, "sbInformation"), "Information: Administrer grupper"},
        {control<QToolButton>(app.boksform, "tilLagerValgte"), "Flyt valgte til lager"},
        {control<QToolButton>(app.boksform, "tilbageValgte"), "Flyt valgte tilbage"},
        {control<QToolButton>(app.boksform, "tilLagerAlle"), "Flyt alle til lager"},
        {control<QToolButton>(app.boksform, "tilbageAlle"), "Flyt alle tilbage"},
        {control<QToolButton>(app.boksform, "flytOp"), "Flyt valgte op"},
        {control<QToolButton>(app.boksform, "flytNed"), "Flyt valgte ned"},
        {control<QToolButton>(app.boksform, "gemKnap"), "Gem de nye lister"}};
    for (auto [button, hint] : hints) {
        QCOMPARE(button->statusTip(), QString::fromUtf8(hint));
        QCOMPARE(button->accessibleName(), QString::fromUtf8(hint));
        QVERIFY(!button->icon().isNull());
        QCOMPARE(button->autoRaise(),
                 button != control<QToolButton>(app.boksform, "sbInformation") &&
                     button != control<QToolButton>(app.boksform, "gemKnap"));
    }
}

void TstShelfwindow::reordersActiveGroups() {
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    control<QListWidget>(boks, "Box")->item(1)->setSelected(true);
    QVERIFY(control<UpdateAction>(app.boksform, "AflytOp")->update());
    press(control<QToolButton>(boks, "flytNed"));
    QCOMPARE(itemTexts(control<QListWidget>(boks, "Box")), (QStringList{"A", "C", "B"}));
    QCOMPARE(selected(control<QListWidget>(boks, "Box")), QStringList{"B"});
    QCOMPARE(control<QListWidget>(boks, "Box")->currentRow(), 2);
    QVERIFY(!control<UpdateAction>(app.boksform, "AflytNed")->update());
    QVERIFY(!control<QToolButton>(boks, "flytNed")->isEnabled());
    press(control<QToolButton>(boks, "flytOp"));
    QCOMPARE(itemTexts(control<QListWidget>(boks, "Box")), (QStringList{"A", "B", "C"}));
    QCOMPARE(selected(control<QListWidget>(boks, "Box")), QStringList{"B"});
    QVERIFY(app.shelfDraft->listerModified());
    // Moves change nothing outside the tab until saved.
    QCOMPARE(onDisk(f.web() + "/webgruppe.txt"), (QStringList{"A", "B", "C"}));
    QCOMPARE(itemTexts(control<QListWidget>(app.mainform, "gruppeBoksen")),
             (QStringList{"A", "B", "C"}));

    control<QListWidget>(boks, "Box")->item(0)->setSelected(true);
    QVERIFY(!control<UpdateAction>(app.boksform, "AflytOp")->update());
    QVERIFY(!control<UpdateAction>(app.boksform, "AflytNed")->update());
}

void TstShelfwindow::movesSelectedToShelf() {
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    QVERIFY(!control<UpdateAction>(app.boksform, "AvalgteTilLager")->update());
    control<QListWidget>(boks, "Box")->item(1)->setSelected(true);
    control<QListWidget>(boks, "Box")->item(2)->setSelected(true);
    press(control<QToolButton>(boks, "tilLagerValgte"));
    QCOMPARE(itemTexts(control<QListWidget>(boks, "Box")), QStringList{"A"});
    QCOMPARE(itemTexts(control<QListWidget>(boks, "lagerBox")), (QStringList{"X", "B", "C"}));
    press(control<QToolButton>(boks, "gemKnap"));
    QCOMPARE(onDisk(f.web() + "/webgruppe.txt"), QStringList{"A"});
    QCOMPARE(onDisk(f.web() + "/webLager.txt"), (QStringList{"X", "B", "C"}));
    QCOMPARE(itemTexts(control<QListWidget>(app.mainform, "gruppeBoksen")), QStringList{"A"});
    QCOMPARE(itemTexts(control<QListWidget>(boks, "gruppeBoks")), QStringList{"A"});
    QVERIFY(!app.shelfDraft->listerModified());
    QVERIFY(QFileInfo(f.web() + "/B").isDir());
}

void TstShelfwindow::movesBack() {
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    control<QListWidget>(boks, "lagerBox")->item(0)->setSelected(true);
    press(control<QToolButton>(boks, "tilbageValgte"));
    QCOMPARE(itemTexts(control<QListWidget>(boks, "Box")), (QStringList{"A", "B", "C", "X"}));
    QCOMPARE(itemTexts(control<QListWidget>(boks, "lagerBox")), QStringList{});
    QVERIFY(!control<UpdateAction>(app.boksform, "AalleTilbage")->update());
    press(control<QToolButton>(boks, "tilLagerAlle"));
    press(control<QToolButton>(boks, "tilbageAlle"));
    QCOMPARE(itemTexts(control<QListWidget>(boks, "Box")), (QStringList{"A", "B", "C", "X"}));
}

void TstShelfwindow::allToShelfAndSave() {
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    press(control<QToolButton>(boks, "tilLagerAlle"));
    QCOMPARE(itemTexts(control<QListWidget>(boks, "lagerBox")), (QStringList{"X", "A", "B", "C"}));
    QVERIFY(!control<UpdateAction>(app.boksform, "AalleTilLager")->update());
    press(control<QToolButton>(boks, "gemKnap"));
    QCOMPARE(QFileInfo(f.web() + "/webgruppe.txt").size(), 0);
    QCOMPARE(control<QListWidget>(app.mainform, "gruppeBoksen")->count(), 0);
    QCOMPARE(control<QListWidget>(boks, "gruppeBoks")->count(), 0);
}

void TstShelfwindow::shelvingCurrentGroup() {
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    QCOMPARE(control<QTableView>(app.mainform, "Listen")->model()->rowCount(), 1);
    control<QListWidget>(boks, "Box")->item(1)->setSelected(true);
    press(control<QToolButton>(boks, "tilLagerValgte"));
    press(control<QToolButton>(boks, "gemKnap"));
    QCOMPARE(app.model->gruppenavn(), QString());
    QCOMPARE(control<QLabel>(app.mainform, "gruppenavnLabel")->text(), QString());
    QCOMPARE(control<QTableView>(app.mainform, "Listen")->model()->rowCount(), 0);
    QCOMPARE(control<QTreeView>(boks, "programBoks")->model()->rowCount(), 0);
    QCOMPARE(control<QLineEdit>(boks, "valgtGruppeEdit")->text(), QString());
    app.mainform->close();
    const QStringList options = onDisk(f.options() + "/main.txt");
    QCOMPARE(options[5], QString());
    QCOMPARE(options[6], QString());
    QCOMPARE(options[7], QStringLiteral("P"));
}

void TstShelfwindow::saveIsDisabledWithoutChanges() {
    Fixture f;
    App& app = start(f);
    QVERIFY(!control<UpdateAction>(app.boksform, "AgemForandringer")->update());
    QVERIFY(!control<UpdateAction>(app.boksform, "AgemForandringer")->execute());
    QCOMPARE(onDisk(f.web() + "/webgruppe.txt"), (QStringList{"A", "B", "C"}));
}

void TstShelfwindow::failedSaveKeepsChanges() {
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    press(control<QToolButton>(boks, "tilLagerAlle"));
    // A folder where the list file should be cannot be replaced by a file.
    QFile::remove(f.web() + "/webgruppe.txt");
    QDir().mkpath(f.web() + "/webgruppe.txt");
    press(control<QToolButton>(boks, "gemKnap"));
    const auto shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown[0].text.contains("webgruppe.txt"));
    QVERIFY(app.shelfDraft->listerModified());
    QCOMPARE(onDisk(f.web() + "/webLager.txt"), QStringList{"X"});
}

void TstShelfwindow::modeSwitchRebindsLists() {
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    press(control<QToolButton>(boks, "tilLagerAlle"));
    QVERIFY(app.shelfDraft->listerModified());
    // Switching from the main window while the shelf tab shows.
    control<UpdateAction>(app.mainform, "actionSI")->execute();
    QCOMPARE(itemTexts(control<QListWidget>(boks, "Box")), QStringList{"P"});
    QCOMPARE(itemTexts(control<QListWidget>(boks, "lagerBox")), QStringList{});
    QVERIFY(!app.shelfDraft->listerModified());
    QVERIFY(!control<UpdateAction>(app.boksform, "AgemForandringer")->update());
    QCOMPARE(onDisk(f.programs() + "/webgruppe.txt"), QStringList{"P"});
    QCOMPARE(onDisk(f.web() + "/webgruppe.txt"), (QStringList{"A", "B", "C"}));
}

// The rules read facts the lists' signals keep: each kind of change must reach them, whether
// the rows change, the selection does, or both lists are filled anew.
void TstShelfwindow::rulesFollowEveryChangeOfTheLists() {
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    auto enabled = [boks] {
        QList<bool> states;
        for (UpdateAction* a :
             {control<UpdateAction>(boks, "AvalgteTilLager"),
              control<UpdateAction>(boks, "AvalgteTilbage"),
              control<UpdateAction>(boks, "AalleTilLager"),
              control<UpdateAction>(boks, "AalleTilbage"), control<UpdateAction>(boks, "AflytOp"),
              control<UpdateAction>(boks, "AflytNed")})
            states << a->update();
        return states;
    };
    using States = QList<bool>;
    QCOMPARE(enabled(), (States{false, false, true, true, false, false}));
    control<QListWidget>(boks, "Box")->selectAll();
    QCOMPARE(enabled(), (States{true, false, true, true, false, false}));
    control<QListWidget>(boks, "Box")->clearSelection();
    control<QListWidget>(boks, "Box")->item(2)->setSelected(true);
    QCOMPARE(enabled(), (States{true, false, true, true, true, false}));
    control<QListWidget>(boks, "lagerBox")->item(0)->setSelected(true);
    QCOMPARE(enabled(), (States{true, true, true, true, true, false}));
    press(control<QToolButton>(boks, "tilLagerAlle"));
    // The shelf keeps its own selection.
    QCOMPARE(enabled(), (States{false, true, false, true, false, false}));
    press(control<QToolButton>(boks, "tilbageAlle"));
    QCOMPARE(itemTexts(control<QListWidget>(boks, "Box")), (QStringList{"X", "A", "B", "C"}));
    QCOMPARE(enabled(), (States{false, false, true, false, false, false}));
    control<QListWidget>(boks, "Box")->item(0)->setSelected(true);
    QCOMPARE(enabled(), (States{true, false, true, false, false, true}));
    control<UpdateAction>(app.mainform, "actionSI")->execute();
    QCOMPARE(itemTexts(control<QListWidget>(boks, "Box")), QStringList{"P"});
    QCOMPARE(enabled(), (States{false, false, true, false, false, false}));
}

void TstShelfwindow::movesSurviveLookingElsewhere_data() {
    QTest::addColumn<QString>("away");
    QTest::newRow("tab Grupper") << "tab";
    QTest::newRow("window hidden") << "hide";
    QTest::newRow("window closed, shown from the main window") << "close";
}

void TstShelfwindow::movesSurviveLookingElsewhere() {
    QFETCH(QString, away);
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    // Three groups moved: A and C to the shelf, X back.
    control<QListWidget>(boks, "Box")->item(0)->setSelected(true);
    control<QListWidget>(boks, "Box")->item(2)->setSelected(true);
    press(control<QToolButton>(boks, "tilLagerValgte"));
    control<QListWidget>(boks, "lagerBox")->item(0)->setSelected(true);
    press(control<QToolButton>(boks, "tilbageValgte"));
    const QStringList active{"B", "X"}, stored{"A", "C"};
    QCOMPARE(itemTexts(control<QListWidget>(boks, "Box")), active);
    QCOMPARE(itemTexts(control<QListWidget>(boks, "lagerBox")), stored);
    if (away == "tab") {
        control<QTabWidget>(boks, "Bog")->setCurrentIndex(0);
        QCOMPARE(control<QTabWidget>(boks, "Bog")->tabText(0), QStringLiteral("Grupper"));
    } else if (away == "hide") {
        boks->hide();
        boks->show();
    } else {
        boks->close();
        control<UpdateAction>(app.mainform, "actionAW")->execute();
    }
    control<QTabWidget>(boks, "Bog")->setCurrentIndex(3);
    QCOMPARE(itemTexts(control<QListWidget>(boks, "Box")), active);
    QCOMPARE(itemTexts(control<QListWidget>(boks, "lagerBox")), stored);
    QVERIFY(app.shelfDraft->listerModified());
    QVERIFY(control<UpdateAction>(boks, "AgemForandringer")->update());
    // Nothing was written meanwhile; the save writes the moves.
    QCOMPARE(onDisk(f.web() + "/webgruppe.txt"), (QStringList{"A", "B", "C"}));
    press(control<QToolButton>(boks, "gemKnap"));
    QCOMPARE(onDisk(f.web() + "/webgruppe.txt"), active);
    QCOMPARE(onDisk(f.web() + "/webLager.txt"), stored);
}

void TstShelfwindow::movesFollowGroupChanges_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("active");
    QTest::addColumn<QStringList>("stored");
    // Before each change A went to the shelf and C up above B (the current group): the draft
    // is Box C, B and lagerBox X, A.
    QTest::newRow("created") << "create" << QStringList{"C", "B", "Ny"} << QStringList{"X", "A"};
    QTest::newRow("renamed") << "rename" << QStringList{"C", "Bee"} << QStringList{"X", "A"};
    QTest::newRow("deleted") << "delete" << QStringList{"C"} << QStringList{"X", "A"};
    QTest::newRow("sorted") << "sort" << QStringList{"C", "B"} << QStringList{"X", "A"};
}

void TstShelfwindow::movesFollowGroupChanges() {
    QFETCH(QString, change);
    QFETCH(QStringList, active);
    QFETCH(QStringList, stored);
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    control<QListWidget>(boks, "Box")->item(0)->setSelected(true);
    press(control<QToolButton>(boks, "tilLagerValgte"));
    control<QListWidget>(boks, "Box")->clearSelection();
    control<QListWidget>(boks, "Box")->item(1)->setSelected(true);
    press(control<QToolButton>(boks, "flytOp"));
    QCOMPARE(itemTexts(control<QListWidget>(boks, "Box")), (QStringList{"C", "B"}));
    // Meanwhile on the tab "Grupper".
    control<QTabWidget>(boks, "Bog")->setCurrentIndex(0);
    if (change == "create") {
        QVERIFY(app.model->NyGruppe("Ny").ok());
    } else if (change == "rename") {
        QVERIFY(app.model->RedigerGruppe("Bee").ok());
    } else if (change == "delete") {
        QVERIFY(app.model->deleteGruppefil().ok());
    } else {
        QVERIFY(app.model->sortGroups(QLocale::c()).ok());
    }
    control<QTabWidget>(boks, "Bog")->setCurrentIndex(3);
    QCOMPARE(itemTexts(control<QListWidget>(boks, "Box")), active);
    QCOMPARE(itemTexts(control<QListWidget>(boks, "lagerBox")), stored);
    QVERIFY(app.shelfDraft->listerModified());
    press(control<QToolButton>(boks, "gemKnap"));
    QCOMPARE(onDisk(f.web() + "/webgruppe.txt"), active);
    QCOMPARE(onDisk(f.web() + "/webLager.txt"), stored);
    QCOMPARE(itemTexts(control<QListWidget>(app.mainform, "gruppeBoksen")), active);
}

void TstShelfwindow::eachModeKeepsItsMoves() {
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    press(control<QToolButton>(boks, "tilLagerAlle"));
    control<UpdateAction>(app.mainform, "actionSI")->execute();
    QCOMPARE(itemTexts(control<QListWidget>(boks, "Box")), QStringList{"P"});
    QVERIFY(!app.shelfDraft->listerModified());
    // Back in the web addresses, their moves are there still, and theirs only are saved.
    control<UpdateAction>(app.mainform, "actionSI")->execute();
    QCOMPARE(itemTexts(control<QListWidget>(boks, "Box")), QStringList{});
    QCOMPARE(itemTexts(control<QListWidget>(boks, "lagerBox")), (QStringList{"X", "A", "B", "C"}));
    QVERIFY(app.shelfDraft->listerModified());
    press(control<QToolButton>(boks, "gemKnap"));
    QCOMPARE(QFileInfo(f.web() + "/webgruppe.txt").size(), 0);
    QCOMPARE(onDisk(f.programs() + "/webgruppe.txt"), QStringList{"P"});
}

QTEST_MAIN(TstShelfwindow)
#include "tst_shelfwindow.moc"
