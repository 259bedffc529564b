#include "store/helphistory.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using store::HelpHistory;

// The rules of the help history, without any window: what is recorded, where the position goes,
// and what a move in the history asks for.
class TstHelpHistory : public QObject {
    Q_OBJECT
private slots:
    void eachPairOnce_data();
    void eachPairOnce();
    void revisitMovesPosition();
    void pagesOutsideStructureShareOneEntry();
    void moveAddsNothing();
    void moveThatShowsNothingKeepsFlag();
    void movesAndTheirRules_data();
    void movesAndTheirRules();
    void outsideIndexIgnored();
    void clearLeavesNoPosition();
    void viewsSeeRowsInserted();
};

namespace {
struct Visit {
    QString node;
    QString structure = QStringLiteral("Lenkaroinfo.txt");
};

QStringList nodes(const HelpHistory& h) {
    QStringList texts;
    for (int i = 0; i < h.entries(); ++i)
        texts << h.nodeText(i);
    return texts;
}

// A history with a model tester watching every change it makes.
struct Watched {
    HelpHistory history;
    QAbstractItemModelTester tester{&history,
                                    QAbstractItemModelTester::FailureReportingMode::QtTest};
    void show(const QStringList& pages) {
        for (const QString& p : pages) {
            if (!history.endMove())
                history.record(p, QStringLiteral("Lenkaroinfo.txt"));
        }
    }
};
} // namespace

void TstHelpHistory::eachPairOnce_data() {
    QTest::addColumn<QStringList>("nodeTexts");
    QTest::addColumn<QStringList>("structures");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("current");
    QTest::newRow("new pages append")
        << QStringList{"Lenkaro", "Grupper"} << QStringList{"L.txt", "L.txt"}
        << QStringList{"Lenkaro", "Grupper"} << 1;
    QTest::newRow("A-Z case folded")
        << QStringList{"Grupper", "GRUPPER"} << QStringList{"L.txt", "l.TXT"}
        << QStringList{"Grupper"} << 0;
    // Only A to Z fold: æ and Æ are two pages.
    QTest::newRow("æ is not Æ") << QStringList{"Vælg", "VÆLG"} << QStringList{"L.txt", "L.txt"}
                                << QStringList{"Vælg", "VÆLG"} << 1;
    QTest::newRow("same node, other structure")
        << QStringList{"Grupper", "Grupper"} << QStringList{"L.txt", "Andet.txt"}
        << QStringList{"Grupper", "Grupper"} << 1;
}

void TstHelpHistory::eachPairOnce() {
    QFETCH(QStringList, nodeTexts);
    QFETCH(QStringList, structures);
    QFETCH(QStringList, expected);
    QFETCH(int, current);
    Watched w;
    for (int i = 0; i < nodeTexts.size(); ++i)
        w.history.record(nodeTexts[i], structures[i]);
    QCOMPARE(nodes(w.history), expected);
    QCOMPARE(w.history.urlIndex(), current);
    QCOMPARE(w.history.strukturName(0), structures[0]);
}

void TstHelpHistory::revisitMovesPosition() {
    Watched w;
    QSignalSpy shown(&w.history, &HelpHistory::currentShown);
    w.show({"Lenkaro", "Information", "Grupper", "Lenkaro"});
    QCOMPARE(nodes(w.history), (QStringList{"Lenkaro", "Information", "Grupper"}));
    QCOMPARE(w.history.urlIndex(), 0);
    // Every page shown marks its entry in the views.
    QCOMPARE(shown.size(), 4);
    QCOMPARE(shown.last().first().toInt(), 0);
}

void TstHelpHistory::pagesOutsideStructureShareOneEntry() {
    Watched w;
    w.show({"Lenkaro", "", "Information", ""});
    QCOMPARE(nodes(w.history), (QStringList{"Lenkaro", "", "Information"}));
    QCOMPARE(w.history.urlIndex(), 1);
}

void TstHelpHistory::moveAddsNothing() {
    Watched w;
    w.show({"Lenkaro", "Information", "Grupper"});
    QSignalSpy asked(&w.history, &HelpHistory::openRequested);
    w.history.first();
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked.last().first().toString(), QStringLiteral("Lenkaro"));
    QCOMPARE(w.history.urlIndex(), 0);
    QVERIFY(w.history.naviKlikket());
    // The page of the move is shown: no entry is added, the flag is spent.
    QVERIFY(w.history.endMove());
    QVERIFY(!w.history.naviKlikket());
    QVERIFY(!w.history.endMove());
    QCOMPARE(w.history.entries(), 3);
    // A link followed from there goes after the existing entries.
    w.show({"Admin"});
    QCOMPARE(nodes(w.history), (QStringList{"Lenkaro", "Information", "Grupper", "Admin"}));
    QCOMPARE(w.history.urlIndex(), 3);
}

void TstHelpHistory::moveThatShowsNothingKeepsFlag() {
    Watched w;
    w.show({"Lenkaro", "Information"});
    w.history.back();
    // The topic was not found, so no page changed: the next page shown still counts as the
    // move's and adds nothing.
    QVERIFY(w.history.naviKlikket());
    w.show({"Grupper"});
    QCOMPARE(nodes(w.history), (QStringList{"Lenkaro", "Information"}));
    QCOMPARE(w.history.urlIndex(), 0);
}

void TstHelpHistory::movesAndTheirRules_data() {
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("current");
    QTest::addColumn<QList<bool>>("enabled"); // first, back, forward, last
    QTest::addColumn<QList<int>>("after");    // the position after each move
    QTest::newRow("none") << 0 << -1 << QList<bool>{false, false, false, false}
                          << QList<int>{-1, -1, -1, -1};
    QTest::newRow("one") << 1 << 0 << QList<bool>{false, false, false, false}
                         << QList<int>{0, 0, 0, 0};
    QTest::newRow("two, on the first")
        << 2 << 0 << QList<bool>{false, false, true, true} << QList<int>{0, 0, 1, 1};
    QTest::newRow("two, on the last")
        << 2 << 1 << QList<bool>{true, true, false, false} << QList<int>{0, 0, 1, 1};
    QTest::newRow("three, in the middle")
        << 3 << 1 << QList<bool>{true, true, true, true} << QList<int>{0, 0, 2, 2};
}

void TstHelpHistory::movesAndTheirRules() {
    QFETCH(int, entries);
    QFETCH(int, current);
    QFETCH(QList<bool>, enabled);
    QFETCH(QList<int>, after);
    using Move = void (HelpHistory::*)();
    const Move moves[] = {&HelpHistory::first, &HelpHistory::back, &HelpHistory::forward,
                          &HelpHistory::last};
    for (int m = 0; m < 4; ++m) {
        Watched w;
        for (int i = 0; i < entries; ++i)
            w.history.record(QString::number(i), QStringLiteral("L.txt"));
        if (current >= 0 && current != w.history.urlIndex()) {
            QVERIFY(w.history.goToStruktur(current));
            QVERIFY(w.history.endMove());
        }
        const bool rules[] = {w.history.canFirst(), w.history.canBack(), w.history.canForward(),
                              w.history.canLast()};
        QCOMPARE(rules[m], enabled[m]);
        QSignalSpy asked(&w.history, &HelpHistory::openRequested);
        (w.history.*moves[m])();
        // A move that its rule does not allow does nothing.
        QCOMPARE(asked.size(), enabled[m] ? 1 : 0);
        QCOMPARE(w.history.urlIndex(), enabled[m] ? after[m] : current);
        QCOMPARE(w.history.naviKlikket(), enabled[m]);
    }
}

void TstHelpHistory::outsideIndexIgnored() {
    Watched w;
    w.show({"Lenkaro", "Grupper"});
    QSignalSpy asked(&w.history, &HelpHistory::openRequested);
    for (int index : {-1, 2, 7})
        QVERIFY(!w.history.goToStruktur(index));
    QVERIFY(asked.isEmpty());
    QCOMPARE(w.history.urlIndex(), 1);
    QVERIFY(!w.history.naviKlikket());
}

void TstHelpHistory::clearLeavesNoPosition() {
    Watched w;
    w.show({"Lenkaro", "Grupper"});
    w.history.clear();
    QCOMPARE(w.history.entries(), 0);
    QCOMPARE(w.history.rowCount(), 0);
    QCOMPARE(w.history.urlIndex(), -1);
    QVERIFY(!w.history.canBack() && !w.history.canForward());
    w.show({"Grupper"});
    QCOMPARE(nodes(w.history), QStringList{"Grupper"});
    QCOMPARE(w.history.urlIndex(), 0);
}

void TstHelpHistory::viewsSeeRowsInserted() {
    Watched w;
    QSignalSpy inserted(&w.history, &QAbstractItemModel::rowsInserted);
    w.show({"Lenkaro", "Grupper", "Lenkaro"});
    // A revisit changes no row; two new pages are two insertions, not resets.
    QCOMPARE(inserted.size(), 2);
    QCOMPARE(w.history.columnCount(), 2);
    QCOMPARE(w.history.index(1, HelpHistory::NodeTextColumn).data().toString(),
             QStringLiteral("Grupper"));
    QCOMPARE(w.history.index(1, HelpHistory::StrukturColumn).data().toString(),
             QStringLiteral("Lenkaroinfo.txt"));
}

QTEST_GUILESS_MAIN(TstHelpHistory)
#include "tst_helphistory.moc"
