#include "store/shelf.h"

#include <QTest>

#include <functional>

using store::shelf::Lists;
using Move = std::function<Lists(const Lists&)>;
Q_DECLARE_METATYPE(Lists)

class TstShelf : public QObject {
    Q_OBJECT
private slots:
    void moves_data();
    void moves();
    void pressingAgainMovesFurther();
    void enabledRules_data();
    void enabledRules();
    void currentGroupLeavesActive_data();
    void currentGroupLeavesActive();
};

namespace {

using Rows = QList<int>;

Move moveNamed(const QString& name) {
    namespace s = store::shelf;
    static const QHash<QString, Move> moves = {
        {"valgteTilLager", s::valgteTilLager},
        {"valgteTilbage", s::valgteTilbage},
        {"alleTilLager", s::alleTilLager},
        {"alleTilbage", s::alleTilbage},
        {"flytOp", s::flytOp},
        {"flytNed", s::flytNed},
    };
    return moves.value(name);
}

QString enabledMoves(const Lists& lists) {
    namespace s = store::shelf;
    QStringList names;
    if (s::valgteTilLagerEnabled(lists))
        names << "valgteTilLager";
    if (s::valgteTilbageEnabled(lists))
        names << "valgteTilbage";
    if (s::alleTilLagerEnabled(lists))
        names << "alleTilLager";
    if (s::alleTilbageEnabled(lists))
        names << "alleTilbage";
    if (s::flytOpEnabled(lists))
        names << "flytOp";
    if (s::flytNedEnabled(lists))
        names << "flytNed";
    return names.join(' ');
}

} // namespace

void TstShelf::moves_data() {
    QTest::addColumn<QString>("move");
    QTest::addColumn<Lists>("before");
    QTest::addColumn<Lists>("after");
    const QStringList abc{"A", "B", "C"};

    QTest::newRow("selected to a shelf holding X")
        << "valgteTilLager" << Lists{abc, {1, 2}, {"X"}, {}}
        << Lists{{"A"}, {}, {"X", "B", "C"}, {}};
    QTest::newRow("selected apart, shelf keeps its selection")
        << "valgteTilLager" << Lists{{"A", "B", "C", "D"}, {0, 2}, {"X", "Y"}, {1}}
        << Lists{{"B", "D"}, {}, {"X", "Y", "A", "C"}, {1}};
    QTest::newRow("selected to shelf, name already there")
        << "valgteTilLager" << Lists{{"A", "B"}, {0}, {"A"}, {}}
        << Lists{{"B"}, {}, {"A", "A"}, {}};
    QTest::newRow("selected back after the active names")
        << "valgteTilbage" << Lists{{"C", "A"}, {0}, {"Z", "Y", "X"}, {0, 2}}
        << Lists{{"C", "A", "Z", "X"}, {0}, {"Y"}, {}};
    QTest::newRow("all to shelf") << "alleTilLager" << Lists{abc, {1}, {"X"}, {0}}
                                  << Lists{{}, {}, {"X", "A", "B", "C"}, {0}};
    QTest::newRow("all back") << "alleTilbage" << Lists{{"A"}, {0}, {"Y", "X"}, {1}}
                              << Lists{{"A", "Y", "X"}, {0}, {}, {}};
    QTest::newRow("down from the middle")
        << "flytNed" << Lists{abc, {1}, {}, {}} << Lists{{"A", "C", "B"}, {2}, {}, {}};
    QTest::newRow("up from the last")
        << "flytOp" << Lists{{"A", "C", "B"}, {2}, {}, {}} << Lists{abc, {1}, {}, {}};
    QTest::newRow("up to the top")
        << "flytOp" << Lists{abc, {1}, {"X"}, {0}} << Lists{{"B", "A", "C"}, {0}, {"X"}, {0}};

    // A disabled action does nothing, even when code calls it.
    QTest::newRow("down from the last")
        << "flytNed" << Lists{{"A", "C", "B"}, {2}, {}, {}} << Lists{{"A", "C", "B"}, {2}, {}, {}};
    QTest::newRow("up from the first")
        << "flytOp" << Lists{abc, {0}, {}, {}} << Lists{abc, {0}, {}, {}};
    QTest::newRow("down with two selected")
        << "flytNed" << Lists{abc, {0, 1}, {}, {}} << Lists{abc, {0, 1}, {}, {}};
    QTest::newRow("selected to shelf, none selected")
        << "valgteTilLager" << Lists{abc, {}, {"X"}, {0}} << Lists{abc, {}, {"X"}, {0}};
    QTest::newRow("selected back, shelf empty")
        << "valgteTilbage" << Lists{abc, {1}, {}, {}} << Lists{abc, {1}, {}, {}};
}

void TstShelf::moves() {
    QFETCH(QString, move);
    QFETCH(Lists, before);
    QFETCH(Lists, after);
    const Lists moved = moveNamed(move)(before);
    QCOMPARE(moved.active, after.active);
    QCOMPARE(moved.activeRows, after.activeRows);
    QCOMPARE(moved.stored, after.stored);
    QCOMPARE(moved.storedRows, after.storedRows);
}

void TstShelf::pressingAgainMovesFurther() {
    namespace s = store::shelf;
    Lists lists{{"A", "B", "C"}, {1}, {}, {}};
    lists = s::flytNed(lists);
    QCOMPARE(lists.active, (QStringList{"A", "C", "B"}));
    QCOMPARE(lists.activeRows, Rows{2});
    QVERIFY(!s::flytNedEnabled(lists));
    lists = s::flytOp(s::flytOp(lists));
    QCOMPARE(lists.active, (QStringList{"B", "A", "C"}));
    QCOMPARE(lists.activeRows, Rows{0});
}

void TstShelf::enabledRules_data() {
    QTest::addColumn<Lists>("lists");
    QTest::addColumn<QString>("enabled");
    const QStringList abc{"A", "B", "C"};
    QTest::newRow("both empty") << Lists{} << "";
    QTest::newRow("active, none selected") << Lists{{"A", "B"}, {}, {}, {}} << "alleTilLager";
    QTest::newRow("the single active row selected")
        << Lists{{"A"}, {0}, {}, {}} << "valgteTilLager alleTilLager";
    QTest::newRow("first of three")
        << Lists{abc, {0}, {}, {}} << "valgteTilLager alleTilLager flytNed";
    QTest::newRow("middle of three")
        << Lists{abc, {1}, {}, {}} << "valgteTilLager alleTilLager flytOp flytNed";
    QTest::newRow("last of three")
        << Lists{abc, {2}, {}, {}} << "valgteTilLager alleTilLager flytOp";
    QTest::newRow("two of three") << Lists{abc, {1, 2}, {}, {}} << "valgteTilLager alleTilLager";
    QTest::newRow("shelf, none selected") << Lists{{}, {}, {"X"}, {}} << "alleTilbage";
    QTest::newRow("shelf row selected")
        << Lists{{}, {}, {"X", "Y"}, {1}} << "valgteTilbage alleTilbage";
    QTest::newRow("a shelf selection does not reorder")
        << Lists{{"A", "B"}, {}, {"X"}, {0}} << "valgteTilbage alleTilLager alleTilbage";
}

void TstShelf::enabledRules() {
    QFETCH(Lists, lists);
    QFETCH(QString, enabled);
    QCOMPARE(enabledMoves(lists), enabled);
}

void TstShelf::currentGroupLeavesActive_data() {
    QTest::addColumn<QString>("gruppenavn");
    QTest::addColumn<QStringList>("active");
    QTest::addColumn<bool>("leaves");
    QTest::newRow("no current group") << "" << QStringList{"Musik"} << false;
    QTest::newRow("still active") << "Musik" << QStringList{"Nyheder", "Musik"} << false;
    QTest::newRow("still active, other case")
        << "Musik" << QStringList{"Nyheder", "mUSIK"} << false;
    QTest::newRow("shelved") << "Musik" << QStringList{"Nyheder"} << true;
    QTest::newRow("all shelved") << "Musik" << QStringList{} << true;
    QTest::newRow("only A to Z fold") << "Øl" << QStringList{"øl"} << true;
}

void TstShelf::currentGroupLeavesActive() {
    QFETCH(QString, gruppenavn);
    QFETCH(QStringList, active);
    QFETCH(bool, leaves);
    QCOMPARE(store::shelf::currentGroupLeavesActive(gruppenavn, active), leaves);
}

QTEST_GUILESS_MAIN(TstShelf)
#include "tst_shelf.moc"
