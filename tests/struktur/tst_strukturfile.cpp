#include "struktur/strukturfile.h"

#include <QTest>

class TstStrukturfile : public QObject {
    Q_OBJECT
private slots:
    void parses_data();
    void parses();
    void imageIndex_data();
    void imageIndex();
};

namespace {
// Each node as the texts from its top-level node down to itself, joined by "/", so that a
// wrong parent shows as well as a wrong order. A depth that disagrees with the parents shows
// as a trailing "!".
QStringList outline(const strukturfile::Structure& structure) {
    QStringList paths;
    for (const strukturfile::Node& node : structure.nodes) {
        QString path = node.text;
        int ancestors = 0;
        for (qsizetype p = node.parent; p >= 0; p = structure.nodes.at(p).parent) {
            path.prepend(structure.nodes.at(p).text + u'/');
            ++ancestors;
        }
        if (ancestors != node.depth)
            path += u'!';
        paths.append(path);
    }
    return paths;
}
} // namespace

void TstStrukturfile::parses_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("nodes");
    QTest::addColumn<QString>("error");

    QTest::newRow("child, grandchild, second top-level node")
        << QStringList{"A", "\tB", "\t\tC", "D"} << QStringList{"A", "A/B", "A/B/C", "D"} << "";
    QTest::newRow("siblings") << QStringList{"A", "\tB", "\tC", "D", "E"}
                              << QStringList{"A", "A/B", "A/C", "D", "E"} << "";
    QTest::newRow("back up several levels")
        << QStringList{"A", "\tB", "\t\tC", "\t\t\tD", "\tE", "\t\tF", "G"}
        << QStringList{"A", "A/B", "A/B/C", "A/B/C/D", "A/E", "A/E/F", "G"} << "";
    QTest::newRow("back up to a middle level")
        << QStringList{"A", "\tB", "\t\tC", "\t\t\tD", "\t\tE"}
        << QStringList{"A", "A/B", "A/B/C", "A/B/C/D", "A/B/E"} << "";
    QTest::newRow("one space is one level")
        << QStringList{"A", " B"} << QStringList{"A", "A/B"} << "";
    QTest::newRow("two spaces jump two levels")
        << QStringList{"A", "  B"} << QStringList{"A"} << "Invalid level (2) for item \"B\"";
    QTest::newRow("space and TAB mixed") << QStringList{"A", "\tB", " \tC", "\t D", " E"}
                                         << QStringList{"A", "A/B", "A/B/C", "A/B/D", "A/E"} << "";
    QTest::newRow("indented first line is top-level")
        << QStringList{"\t\tA", "B"} << QStringList{"A", "B"} << "";
    // The next line is measured against the depth the first node got, not its indentation.
    QTest::newRow("after an indented first line")
        << QStringList{"\t\tA", "\tB", "\t\tC"} << QStringList{"A", "A/B", "A/B/C"} << "";
    QTest::newRow("indented first line, then too deep")
        << QStringList{"\tA", "\t\tB"} << QStringList{"A"} << "Invalid level (2) for item \"B\"";
    QTest::newRow("jump of two levels keeps the nodes before it")
        << QStringList{"A", "\t\tB", "C"} << QStringList{"A"} << "Invalid level (2) for item \"B\"";
    QTest::newRow("jump deep in the tree")
        << QStringList{"A", "\tB", "\t\t\t\tC", "\tD"} << QStringList{"A", "A/B"}
        << "Invalid level (4) for item \"C\"";
    QTest::newRow("jump with an empty text")
        << QStringList{"A", "\t\t"} << QStringList{"A"} << "Invalid level (2) for item \"\"";
    QTest::newRow("empty line is an empty top-level node")
        << QStringList{"A", "\tB", "", "\tC"} << QStringList{"A", "A/B", "", "/C"} << "";
    QTest::newRow("empty first line") << QStringList{"", "A"} << QStringList{"", "A"} << "";
    QTest::newRow("indentation alone counts in levels")
        << QStringList{"A", "\t \t"} << QStringList{"A"} << "Invalid level (3) for item \"\"";
    QTest::newRow("text keeps inner and trailing blanks")
        << QStringList{"Om  Lenkaro ", "\tB\t x"}
        << QStringList{"Om  Lenkaro ", "Om  Lenkaro /B\t x"} << "";
    QTest::newRow("danish letters")
        << QStringList{"\u00c6ble", "\t\u00f8l og \u00e5"}
        << QStringList{"\u00c6ble", "\u00c6ble/\u00f8l og \u00e5"} << "";
    QTest::newRow("no lines") << QStringList{} << QStringList{} << "";
}

void TstStrukturfile::parses() {
    QFETCH(QStringList, lines);
    QFETCH(QStringList, nodes);
    QFETCH(QString, error);
    const strukturfile::Structure structure = strukturfile::parse(lines);
    QCOMPARE(outline(structure), nodes);
    QCOMPARE(structure.error, error);
}

void TstStrukturfile::imageIndex_data() {
    QTest::addColumn<QString>("data");
    QTest::addColumn<int>("index");
    QTest::newRow("digit and name") << "3Intro" << 3;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("nine") << "9Kap.1" << 9;
    QTest::newRow("only the first character counts") << "12" << 1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("letter") << "Intro" << -1;
    QTest::newRow("leading space") << " 3Intro" << -1;
    QTest::newRow("sign") << "-1Intro" << -1;
    QTest::newRow("other script's digit") << "\u0663Intro" << -1;
    QTest::newRow("fullwidth digit") << "\uff13Intro" << -1;
}

void TstStrukturfile::imageIndex() {
    QFETCH(QString, data);
    QFETCH(int, index);
    QCOMPARE(strukturfile::imageIndex(data), index);
}

QTEST_APPLESS_MAIN(TstStrukturfile)
#include "tst_strukturfile.moc"
