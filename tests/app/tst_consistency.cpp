#include "controls.h"
#include "fixture.h"
#include "ui/admin/edittab.h"
#include "ui/admin/groupstab.h"
#include "writefile.h"

#include "platform/toolkit/updateaction.h"
#include "store/shelfdraft.h"
#include "ui/admin/boks.h"
#include "ui/admin/elementviews.h"
#include "ui/main/main.h"
#include "ui/widgets/groupdelegate.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

// What both windows show after an operation, and after one whose write failed: memory, screen
// and files agree, and a failure leaves all three as they were.
class TstConsistency : public QObject {
    Q_OBJECT
private slots:
    void failedShelfSaveLosesNoGroups();
    void failedListWriteUndoesFolder_data();
    void failedListWriteUndoesFolder();
    void failedShelfFileRestoresActiveList();
    void rememberedGroupFollowsCurrent_data();
    void rememberedGroupFollowsCurrent();
    void workingListsKeepMoves_data();
    void workingListsKeepMoves();
    void failedElementWriteKeepsFields_data();
    void failedElementWriteKeepsFields();
    void headingsShowCurrentGroup();
    void highlightIsCurrentGroup();

private:
    // The groups of Fixture::makeGroupsWithShelf, both windows shown.
    App& start(Fixture& f) {
        f.makeGroupsWithShelf();
        App& app = f.start();
        app.mainform->show();
        app.boksform->show();
        return app;
    }


    // A folder where a list file should be: no file can replace it.
    static void block(const QString& path) {
        QFile::remove(path);
        QDir().mkpath(path);
    }
    static void unblock(const QString& path, const QStringList& lines) {
        QDir(path).removeRecursively();
        writeFixture(path, lines);
    }

    static QString current(App& app) { return app.model->gruppenavn(); }
};

void TstConsistency::failedShelfSaveLosesNoGroups() {
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    control<QTabWidget>(boks, "Bog")->setCurrentIndex(3);
    QTest::mouseClick(control<QToolButton>(boks, "tilLagerAlle"), Qt::LeftButton);
    block(f.web() + "/webgruppe.txt");
    QTest::mouseClick(control<QToolButton>(boks, "gemKnap"), Qt::LeftButton);
    QCOMPARE(MessageBox::takeShown().size(), 1);
    // Nothing changed: both windows still list the three groups, and B is still current.
    QCOMPARE(itemTexts(control<QListWidget>(app.mainform, "gruppeBoksen")),
             (QStringList{"A", "B", "C"}));
    QCOMPARE(itemTexts(control<QListWidget>(boks, "gruppeBoks")), (QStringList{"A", "B", "C"}));
    QCOMPARE(current(app), QStringLiteral("B"));

    // The next unrelated write keeps every group.
    unblock(f.web() + "/webgruppe.txt", {"A", "B", "C"});
    control<QTabWidget>(boks, "Bog")->setCurrentIndex(0);
    control<QLineEdit>(boks, "gEdit")->setText("Nye");
    control<UpdateAction>(boks, "aNyGruppe")->execute();
    QCOMPARE(onDisk(f.web() + "/webgruppe.txt"), (QStringList{"A", "B", "C", "Nye"}));
    QCOMPARE(onDisk(f.web() + "/webLager.txt"), QStringList{"X"});
}

void TstConsistency::failedListWriteUndoesFolder_data() {
    QTest::addColumn<QString>("operation");
    QTest::newRow("create") << "create";
    QTest::newRow("rename") << "rename";
    QTest::newRow("sort") << "sort";
    QTest::newRow("delete") << "delete";
}

void TstConsistency::failedListWriteUndoesFolder() {
    QFETCH(QString, operation);
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    writeFixture(f.web() + "/webgruppe.txt", {"C", "B", "A"});
    control<UpdateAction>(app.mainform, "actionSI")->execute();
    control<UpdateAction>(app.mainform, "actionSI")->execute();
    QCOMPARE(itemTexts(control<QListWidget>(boks, "gruppeBoks")), (QStringList{"C", "B", "A"}));
    block(f.web() + "/webgruppe.txt");
    const QStringList folders = QDir(f.web()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    if (operation == "create") {
        control<QLineEdit>(boks, "gEdit")->setText("Nye");
        control<UpdateAction>(boks, "aNyGruppe")->execute();
    } else if (operation == "rename") {
        control<QCheckBox>(boks, "redigerCheck")->click();
        control<QLineEdit>(boks, "valgtGruppeEdit")->setText("Omdøbt");
        control<UpdateAction>(boks, "aRedigerGruppe")->execute();
    } else if (operation == "sort") {
        control<QToolButton>(boks, "sorterKnap")->click();
    } else {
        app.spform->setNextAnswer(true);
        control<QToolButton>(boks, "sletKnap")->click();
    }
    const auto shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown[0].text.contains("webgruppe.txt"));
    QVERIFY(app.infform->takeShown().isEmpty());
    // The folders are as they were, and so are the lists, the current group and its elements.
    QCOMPARE(QDir(f.web()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), folders);
    QVERIFY(QFileInfo::exists(f.web() + "/B/DR.txt"));
    QCOMPARE(itemTexts(control<QListWidget>(boks, "gruppeBoks")), (QStringList{"C", "B", "A"}));
    QCOMPARE(itemTexts(control<QListWidget>(app.mainform, "gruppeBoksen")),
             (QStringList{"C", "B", "A"}));
    QCOMPARE(current(app), QStringLiteral("B"));
    QCOMPARE(control<QLabel>(app.mainform, "gruppenavnLabel")->text(), QStringLiteral("B"));
    QCOMPARE(control<QTableView>(app.mainform, "Listen")->model()->rowCount(), 1);

    // A later write still writes every group.
    unblock(f.web() + "/webgruppe.txt", {"C", "B", "A"});
    control<QLineEdit>(boks, "gEdit")->setText("Sidst");
    control<UpdateAction>(boks, "aNyGruppe")->execute();
    QCOMPARE(onDisk(f.web() + "/webgruppe.txt"), (QStringList{"C", "B", "A", "Sidst"}));
}

void TstConsistency::failedShelfFileRestoresActiveList() {
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    control<QTabWidget>(boks, "Bog")->setCurrentIndex(3);
    control<QListWidget>(boks, "Box")->item(0)->setSelected(true);
    QTest::mouseClick(control<QToolButton>(boks, "tilLagerValgte"), Qt::LeftButton);
    block(f.web() + "/webLager.txt");
    QTest::mouseClick(control<QToolButton>(boks, "gemKnap"), Qt::LeftButton);
    const auto shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown[0].text.contains("webLager.txt"));
    // The group is in one list file still: the first file was written back as it was.
    QCOMPARE(onDisk(f.web() + "/webgruppe.txt"), (QStringList{"A", "B", "C"}));
    QCOMPARE(itemTexts(control<QListWidget>(app.mainform, "gruppeBoksen")),
             (QStringList{"A", "B", "C"}));
    QVERIFY(app.shelfDraft->listerModified());
}

void TstConsistency::rememberedGroupFollowsCurrent_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("after");
    QTest::newRow("delete") << "delete"
                            << "";
    QTest::newRow("shelve") << "shelve"
                            << "";
    QTest::newRow("rename") << "rename"
                            << "Bee";
}

void TstConsistency::rememberedGroupFollowsCurrent() {
    QFETCH(QString, operation);
    QFETCH(QString, after);
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    if (operation == "delete") {
        app.spform->setNextAnswer(true);
        control<QToolButton>(boks, "sletKnap")->click();
    } else if (operation == "shelve") {
        control<QTabWidget>(boks, "Bog")->setCurrentIndex(3);
        control<QListWidget>(boks, "Box")->item(1)->setSelected(true);
        QTest::mouseClick(control<QToolButton>(boks, "tilLagerValgte"), Qt::LeftButton);
        QTest::mouseClick(control<QToolButton>(boks, "gemKnap"), Qt::LeftButton);
    } else {
        control<QCheckBox>(boks, "redigerCheck")->click();
        control<QLineEdit>(boks, "valgtGruppeEdit")->setText("Bee");
        control<UpdateAction>(boks, "aRedigerGruppe")->execute();
    }
    QCOMPARE(current(app), after);
    // Ctrl+S twice comes back to the same group, not to the one that went.
    control<UpdateAction>(app.mainform, "actionSI")->execute();
    QCOMPARE(current(app), QStringLiteral("P"));
    control<UpdateAction>(app.mainform, "actionSI")->execute();
    QCOMPARE(current(app), after);
    app.mainform->close();
    const QStringList options = onDisk(f.options() + "/main.txt");
    QCOMPARE(options[5], after);
    QCOMPARE(options[6], after);
}

void TstConsistency::workingListsKeepMoves_data() {
    QTest::addColumn<bool>("reopen");
    QTest::newRow("tab left and entered") << false;
    QTest::newRow("window closed and opened") << true;
}

void TstConsistency::workingListsKeepMoves() {
    QFETCH(bool, reopen);
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    control<QTabWidget>(boks, "Bog")->setCurrentIndex(3);
    control<QListWidget>(boks, "Box")->item(0)->setSelected(true);
    QTest::mouseClick(control<QToolButton>(boks, "tilLagerValgte"), Qt::LeftButton);
    QCOMPARE(itemTexts(control<QListWidget>(boks, "lagerBox")), (QStringList{"X", "A"}));
    if (reopen) {
        boks->close();
        control<UpdateAction>(app.mainform, "actionAW")->execute();
    } else {
        control<QTabWidget>(boks, "Bog")->setCurrentIndex(0);
    }
    control<QTabWidget>(boks, "Bog")->setCurrentIndex(3);
    // Both lists still hold the move, and only the user's save writes it.
    QCOMPARE(itemTexts(control<QListWidget>(boks, "Box")), (QStringList{"B", "C"}));
    QCOMPARE(itemTexts(control<QListWidget>(boks, "lagerBox")), (QStringList{"X", "A"}));
    QVERIFY(app.shelfDraft->listerModified());
    QVERIFY(control<UpdateAction>(app.boksform, "AgemForandringer")->update());
    QCOMPARE(onDisk(f.web() + "/webLager.txt"), QStringList{"X"});
    QTest::mouseClick(control<QToolButton>(boks, "gemKnap"), Qt::LeftButton);
    QCOMPARE(onDisk(f.web() + "/webgruppe.txt"), (QStringList{"B", "C"}));
    QCOMPARE(onDisk(f.web() + "/webLager.txt"), (QStringList{"X", "A"}));
    QVERIFY(!app.shelfDraft->listerModified());
}

void TstConsistency::failedElementWriteKeepsFields_data() {
    QTest::addColumn<bool>("mainWindow");
    QTest::newRow("main window") << true;
    QTest::newRow("administration window") << false;
}

void TstConsistency::failedElementWriteKeepsFields() {
    QFETCH(bool, mainWindow);
    Fixture f;
    App& app = start(f);
    // The group's folder went away behind the program's back.
    QVERIFY(QDir(f.web() + "/B").removeRecursively());
    QLineEdit* address = mainWindow ? control<QLineEdit>(app.mainform, "webEdit1")
                                    : control<QLineEdit>(app.boksform, "FilnavnEdit");
    QLineEdit* name = mainWindow ? control<QLineEdit>(app.mainform, "webEdit2")
                                 : control<QLineEdit>(app.boksform, "tekstEdit");
    address->setText("https://www.tv2.dk/");
    name->setText("TV 2");
    if (mainWindow) {
        control<UpdateAction>(app.mainform, "actionIL")->execute();
    } else {
        control<QTabWidget>(app.boksform, "Bog")->setCurrentIndex(1);
        control<UpdateAction>(app.boksform, "aInsertElement")->execute();
    }
    const auto shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown[0].text.contains("TV 2.txt"));
    QCOMPARE(address->text(), QStringLiteral("https://www.tv2.dk/"));
    QCOMPARE(name->text(), QStringLiteral("TV 2"));
}

void TstConsistency::headingsShowCurrentGroup() {
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    control<QCheckBox>(boks, "redigerCheck")->click();
    control<QLineEdit>(boks, "valgtGruppeEdit")->setText("Bee");
    control<UpdateAction>(boks, "aRedigerGruppe")->execute();
    QCOMPARE(control<QLabel>(app.mainform, "gruppenavnLabel")->text(), QStringLiteral("Bee"));
    QCOMPARE(control<QLineEdit>(boks, "valgtGruppeEdit")->text(), QStringLiteral("Bee"));
    QCOMPARE(control<EditTab>(boks, "editTab")->tickedElements()->heading(), QStringLiteral("Bee"));
    // Another group chosen: the renamed group's name leaves the heading.
    control<QListWidget>(boks, "gruppeBoks")->setCurrentRow(0);
    control<GroupsTab>(boks, "groupsTab")->gruppeBoksClick();
    QCOMPARE(current(app), QStringLiteral("A"));
    QCOMPARE(control<QLabel>(app.mainform, "gruppenavnLabel")->text(), QStringLiteral("A"));
    QVERIFY(control<EditTab>(boks, "editTab")->tickedElements()->heading() !=
            QStringLiteral("Bee"));
}

void TstConsistency::highlightIsCurrentGroup() {
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    auto highlighted = [&app, boks] {
        QListWidgetItem* main = control<QListWidget>(app.mainform, "gruppeBoksen")->currentItem();
        QListWidgetItem* admin = control<QListWidget>(boks, "gruppeBoks")->currentItem();
        return QStringList{main && main->isSelected() ? main->text() : "(none)",
                           admin && admin->isSelected() ? admin->text() : "(none)"};
    };
    QCOMPARE(highlighted(), (QStringList{"B", "B"}));
    control<QLineEdit>(boks, "gEdit")->setText("Nye");
    control<UpdateAction>(boks, "aNyGruppe")->execute();
    QCOMPARE(current(app), QStringLiteral("Nye"));
    QCOMPARE(highlighted(), (QStringList{"Nye", "Nye"}));
    control<QCheckBox>(boks, "redigerCheck")->click();
    control<QLineEdit>(boks, "valgtGruppeEdit")->setText("Nyere");
    control<UpdateAction>(boks, "aRedigerGruppe")->execute();
    QCOMPARE(highlighted(), (QStringList{"Nyere", "Nyere"}));
    control<QToolButton>(boks, "sorterKnap")->click();
    QCOMPARE(highlighted(), (QStringList{"Nyere", "Nyere"}));
    control<QListWidget>(app.mainform, "gruppeBoksen")->setCurrentRow(0);
    QTest::keyClick(control<QListWidget>(app.mainform, "gruppeBoksen"), Qt::Key_Return);
    QCOMPARE(highlighted(), (QStringList{"A", "A"}));
}

QTEST_MAIN(TstConsistency)
#include "tst_consistency.moc"
