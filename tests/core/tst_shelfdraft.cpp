#include "platform/textfile.h"
#include "platform/urlcheck.h"
#include "store/model.h"
#include "store/shelfdraft.h"
#include "writefile.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using store::Model;
using store::ShelfDraft;
namespace shelf = store::shelf;

// The storage shelf's draft on a folder tree of its own, without any window: moves stay until
// saved, and what the model does to the groups meanwhile is followed without losing them.
class TstShelfDraft : public QObject {
    Q_OBJECT
private slots:
    void showsModelListsUntilMoved();
    void moveThatChangesNothingLeavesNoDraft();
    void followsChangesKeepingMoves_data();
    void followsChangesKeepingMoves();
    void renamedShelvedGroupKeepsItsPlace();
    void failedSaveKeepsMoves();
    void saveMakesModelListsTheDraft();
};

namespace {
// Web groups A, B (current) and C, a shelf holding X; programs P.
struct Tree {
    QTemporaryDir tmp;
    std::unique_ptr<UrlCheck> urlCheck = UrlCheck::system();
    Model model{*urlCheck};
    std::unique_ptr<ShelfDraft> draft;

    QString web() const { return tmp.path() + "/Program"; }
    QString programs() const { return tmp.path() + "/Programmer"; }

    Tree() {
        for (const char* g : {"A", "B", "C", "X"})
            QDir().mkpath(web() + "/" + g);
        writeFixture(web() + "/webgruppe.txt", {"A", "B", "C"});
        writeFixture(web() + "/webLager.txt", {"X"});
        QDir().mkpath(programs() + "/P");
        writeFixture(programs() + "/webgruppe.txt", {"P"});
        model.setFolders(web() + "/", programs() + "/");
        model.restore(QStringLiteral("B"), QStringLiteral("B"), QStringLiteral("P"), 0);
        // Made before the lists are read, as the program makes it.
        draft = std::make_unique<ShelfDraft>(model);
        QVERIFY(model.setMappe().ok());
        model.loadGruppefil();
    }

    QStringList onDisk(const QString& name) const {
        return ::onDisk(web() + "/" + name);
    }
};
} // namespace

void TstShelfDraft::showsModelListsUntilMoved() {
    Tree t;
    QCOMPARE(t.draft->active(), (QStringList{"A", "B", "C"}));
    QCOMPARE(t.draft->stored(), QStringList{"X"});
    QVERIFY(!t.draft->listerModified());
    QVERIFY(t.model.NyGruppe("Ny").ok());
    QCOMPARE(t.draft->active(), (QStringList{"A", "B", "C", "Ny"}));
    QVERIFY(!t.draft->listerModified());
}

void TstShelfDraft::moveThatChangesNothingLeavesNoDraft() {
    Tree t;
    QSignalSpy changed(t.draft.get(), &ShelfDraft::changed);
    // The first row cannot move up: the rule does not hold and nothing moves.
    const shelf::Lists same = t.draft->apply(shelf::flytOp, {0}, {});
    QCOMPARE(same.active, (QStringList{"A", "B", "C"}));
    QVERIFY(!t.draft->listerModified());
    QVERIFY(changed.isEmpty());
    const shelf::Lists moved = t.draft->apply(shelf::flytNed, {0}, {});
    QCOMPARE(moved.active, (QStringList{"B", "A", "C"}));
    QCOMPARE(moved.activeRows, QList<int>{1});
    QCOMPARE(t.draft->active(), moved.active);
    QVERIFY(t.draft->listerModified());
    QCOMPARE(changed.size(), 1);
}

void TstShelfDraft::followsChangesKeepingMoves_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("active");
    QTest::addColumn<QStringList>("stored");
    // The draft before each change: C, B active (C moved up), X, A on the shelf.
    QTest::newRow("created") << "create" << QStringList{"C", "B", "Ny"} << QStringList{"X", "A"};
    QTest::newRow("renamed") << "rename" << QStringList{"C", "Bee"} << QStringList{"X", "A"};
    QTest::newRow("deleted") << "delete" << QStringList{"C"} << QStringList{"X", "A"};
    QTest::newRow("sorted") << "sort" << QStringList{"C", "B"} << QStringList{"X", "A"};
}

void TstShelfDraft::followsChangesKeepingMoves() {
    QFETCH(QString, change);
    QFETCH(QStringList, active);
    QFETCH(QStringList, stored);
    Tree t;
    t.draft->apply(shelf::valgteTilLager, {0}, {});
    t.draft->apply(shelf::flytOp, {1}, {});
    QCOMPARE(t.draft->active(), (QStringList{"C", "B"}));
    if (change == "create")
        QVERIFY(t.model.NyGruppe("Ny").ok());
    else if (change == "rename")
        QVERIFY(t.model.RedigerGruppe("Bee").ok());
    else if (change == "delete")
        QVERIFY(t.model.deleteGruppefil().ok());
    else
        QVERIFY(t.model.sortGroups(QLocale::c()).ok());
    QCOMPARE(t.draft->active(), active);
    QCOMPARE(t.draft->stored(), stored);
    QVERIFY(t.draft->listerModified());
}

void TstShelfDraft::renamedShelvedGroupKeepsItsPlace() {
    Tree t;
    // B, the current group, goes to the shelf in the draft; the model still lists it active.
    t.draft->apply(shelf::valgteTilLager, {1}, {});
    QVERIFY(t.model.RedigerGruppe("Bee").ok());
    QCOMPARE(t.draft->active(), (QStringList{"A", "C"}));
    QCOMPARE(t.draft->stored(), (QStringList{"X", "Bee"}));
    QVERIFY(t.draft->save().ok());
    QCOMPARE(t.onDisk("webLager.txt"), (QStringList{"X", "Bee"}));
}

void TstShelfDraft::failedSaveKeepsMoves() {
    Tree t;
    t.draft->apply(shelf::alleTilLager, {}, {});
    QFile::remove(t.web() + "/webgruppe.txt");
    QDir().mkpath(t.web() + "/webgruppe.txt");
    QVERIFY(!t.draft->save().ok());
    QCOMPARE(t.draft->active(), QStringList{});
    QCOMPARE(t.draft->stored(), (QStringList{"X", "A", "B", "C"}));
    QVERIFY(t.draft->listerModified());
}

void TstShelfDraft::saveMakesModelListsTheDraft() {
    Tree t;
    // Moved there and back, the lists are as saved, yet only a save ends the draft.
    t.draft->apply(shelf::valgteTilbage, {}, {0});
    t.draft->apply(shelf::valgteTilLager, {3}, {});
    QCOMPARE(t.draft->stored(), QStringList{"X"});
    QVERIFY(t.draft->listerModified());
    QVERIFY(t.draft->save().ok());
    QVERIFY(!t.draft->listerModified());
    QCOMPARE(t.draft->active(), t.model.gruppeliste());
    QCOMPARE(t.draft->stored(), t.model.lagerliste());
    QCOMPARE(t.onDisk("webgruppe.txt"), (QStringList{"A", "B", "C"}));
}

QTEST_GUILESS_MAIN(TstShelfDraft)
#include "tst_shelfdraft.moc"
