#include "platform/textfile.h"
#include "store/groups.h"
#include "writefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using store::GroupChange;
Q_DECLARE_METATYPE(GroupChange::Result)

class TstGroups : public QObject {
    Q_OBJECT
private slots:
    void createGroup_data();
    void createGroup();
    void createInMissingContentFolder();
    void renameGroup_data();
    void renameGroup();
    void renameMissingFolder();
    void sortGroups_data();
    void sortGroups();
    void writeGroupList();
    void groupIndex_data();
    void groupIndex();
    void listLinesAreGroupsOrKept_data();
    void listLinesAreGroupsOrKept();
};

namespace {

QStringList entries(const QString& dir) {
    QStringList names = QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

} // namespace

void TstGroups::createGroup_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<GroupChange::Result>("result");
    QTest::newRow("new") << "Aviser" << GroupChange::Done;
    QTest::newRow("blanks count") << "  a b" << GroupChange::Done;
    QTest::newRow("exists") << "Nyheder" << GroupChange::Exists;
    QTest::newRow("active group in other case") << "NYHEDER" << GroupChange::Exists;
    QTest::newRow("shelved group in other case") << "gamle sager" << GroupChange::Exists;
    QTest::newRow("the file system folds more than A to Z") << "æble" << GroupChange::Exists;
    QTest::newRow("separator") << "Film/Serier" << GroupChange::UnusableName;
    QTest::newRow("backslash") << "Film\\Serier" << GroupChange::UnusableName;
    QTest::newRow("question mark") << "Hvad?" << GroupChange::UnusableName;
    QTest::newRow("trailing full stop") << "Diverse." << GroupChange::UnusableName;
    QTest::newRow("dot dot") << ".." << GroupChange::UnusableName;
    QTest::newRow("empty") << "" << GroupChange::UnusableName;
    QTest::newRow("a file of that name") << "noter" << GroupChange::Failed;
}

void TstGroups::createGroup() {
    QFETCH(QString, name);
    QFETCH(GroupChange::Result, result);
    QTemporaryDir tmp;
    const QString content = tmp.path();
    QDir(content).mkdir("Nyheder");
    QDir(content).mkdir("Gamle Sager");
    QDir(content).mkdir("Æble");
    writeFixture(content + "/noter", {"ikke en gruppe"});
    const QStringList before = entries(content);

    const GroupChange change = store::createGroup(content, name);
    QCOMPARE(change.result, result);
    if (result == GroupChange::Done) {
        QVERIFY(QFileInfo(content + "/" + name).isDir());
        QCOMPARE(entries(content).size(), before.size() + 1);
    } else {
        QCOMPARE(entries(content), before);
    }
    QCOMPARE(change.error.isEmpty(), result != GroupChange::Failed);
}

void TstGroups::createInMissingContentFolder() {
    QTemporaryDir tmp;
    const GroupChange change = store::createGroup(tmp.path() + "/Program", "Nyheder");
    QCOMPARE(change.result, GroupChange::Failed);
    QVERIFY(!change.error.isEmpty());
    QVERIFY(entries(tmp.path()).isEmpty());
}

void TstGroups::renameGroup_data() {
    QTest::addColumn<QString>("newName");
    QTest::addColumn<GroupChange::Result>("result");
    QTest::newRow("new name") << "Aviser" << GroupChange::Done;
    QTest::newRow("unchanged") << "Nyheder" << GroupChange::Exists;
    QTest::newRow("only the case changed") << "nyheder" << GroupChange::Exists;
    QTest::newRow("other group in other case") << "MUSIK" << GroupChange::Exists;
    QTest::newRow("separator") << "Nyt/Gammelt" << GroupChange::UnusableName;
    QTest::newRow("empty") << "" << GroupChange::UnusableName;
}

void TstGroups::renameGroup() {
    QFETCH(QString, newName);
    QFETCH(GroupChange::Result, result);
    QTemporaryDir tmp;
    const QString content = tmp.path();
    QDir(content).mkpath("Nyheder");
    QDir(content).mkdir("Musik");
    writeFixture(content + "/Nyheder/DR.txt", {"https://www.dr.dk/", "DR"});

    const GroupChange change = store::renameGroup(content, "Nyheder", newName);
    QCOMPARE(change.result, result);
    const QString holder = result == GroupChange::Done ? newName : QStringLiteral("Nyheder");
    QStringList expected{holder, "Musik"};
    expected.sort();
    QCOMPARE(entries(content), expected);
    QCOMPARE(entries(content + "/" + holder), QStringList{"DR.txt"});
}

void TstGroups::renameMissingFolder() {
    QTemporaryDir tmp;
    QDir(tmp.path()).mkdir("Musik");
    const GroupChange change = store::renameGroup(tmp.path(), "Nyheder", "Aviser");
    QCOMPARE(change.result, GroupChange::Failed);
    QCOMPARE(entries(tmp.path()), QStringList{"Musik"});
}

void TstGroups::sortGroups_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("sorted");
    const QLocale danish(QLocale::Danish, QLocale::Denmark);
    QTest::newRow("b A c") << danish << QStringList{"b", "A", "c"} << QStringList{"A", "b", "c"};
    QTest::newRow("b A c, English")
        << QLocale(QLocale::English) << QStringList{"b", "A", "c"} << QStringList{"A", "b", "c"};
    QTest::newRow("Danish letters after z")
        << danish << QStringList{"Ål", "øl", "Zebra", "Æble", "abe"}
        << QStringList{"abe", "Zebra", "Æble", "øl", "Ål"};
    QTest::newRow("same but for case keeps its order")
        << danish << QStringList{"b", "B", "a", "B"} << QStringList{"a", "b", "B", "B"};
    QTest::newRow("same but for case keeps its order, upper first")
        << danish << QStringList{"Musik", "musik", "Film"} << QStringList{"Film", "Musik", "musik"};
}

void TstGroups::sortGroups() {
    QFETCH(QLocale, locale);
    QFETCH(QStringList, names);
    QFETCH(QStringList, sorted);
    QCOMPARE(store::sortGroups(names, locale), sorted);
}

void TstGroups::writeGroupList() {
    QTemporaryDir tmp;
    const QString path = tmp.path() + "/webgruppe.txt";
    QString error;
    QVERIFY(store::writeGroupList(path, {"Æble", "Musik"}, &error));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QStringLiteral("Æble\r\nMusik\r\n").toUtf8());
    file.close();

    // Every group moved to the shelf leaves a list file of no lines at all.
    QVERIFY(store::writeGroupList(path, {}, &error));
    QCOMPARE(QFileInfo(path).size(), 0);

    QVERIFY(!store::writeGroupList(tmp.path() + "/væk/webgruppe.txt", {"Musik"}, &error));
    QVERIFY(!error.isEmpty());
}

void TstGroups::groupIndex_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("name");
    QTest::addColumn<qsizetype>("index");
    QTest::newRow("exact") << QStringList{"Film", "Musik"} << "Musik" << qsizetype(1);
    QTest::newRow("other case") << QStringList{"Film", "Musik"} << "MUSIK" << qsizetype(1);
    QTest::newRow("first of two") << QStringList{"musik", "Musik"} << "Musik" << qsizetype(0);
    QTest::newRow("only A to Z fold") << QStringList{"øl", "Film"} << "Øl" << qsizetype(-1);
    QTest::newRow("not there") << QStringList{"Film"} << "Musik" << qsizetype(-1);
}

void TstGroups::groupIndex() {
    QFETCH(QStringList, names);
    QFETCH(QString, name);
    QFETCH(qsizetype, index);
    QCOMPARE(store::groupIndex(names, name), index);
}

void TstGroups::listLinesAreGroupsOrKept_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("group");
    QTest::addColumn<bool>("written");
    QTest::newRow("typed, folder there") << "Nyheder" << true << true;
    QTest::newRow("typed, no folder") << "Aviser" << true << true;
    QTest::newRow("colon, folder there") << "Film: klassikere" << true << true;
    QTest::newRow("colon, folder in other case") << "FILM: Klassikere" << true << true;
    QTest::newRow("colon, no folder") << "Serier: nye" << false << true;
    QTest::newRow("blank at the end, folder there") << "Rejser " << true << true;
    QTest::newRow("full stop at the end, no folder") << "Diverse." << false << true;
    QTest::newRow("empty") << "" << false << true;
    QTest::newRow("one full stop") << "." << false << true;
    QTest::newRow("two full stops") << ".." << false << true;
    QTest::newRow("a path up") << "../Nyheder" << false << true;
    QTest::newRow("a backslash path") << "Film\\Serier" << false << true;
    QTest::newRow("absolute") << "/etc" << false << true;
    QTest::newRow("the shelf's list") << "WEBLAGER.TXT" << false << true;
    QTest::newRow("a temporary file") << ".lenkaro-AbC123.tmp" << false << true;
    QTest::newRow("a tab, folder there") << "Tab\tnavn" << false << true;
    QTest::newRow("a DOS end of file mark") << "\x1a" << false << false;
    QTest::newRow("a C1 control character") << QStringLiteral("Musik\u0090") << false << false;
}

// Each line of a group list is a group, kept as it is, or (holding a control character the
// writer never writes) left out; whatever is kept comes back at its place when the list is
// written unchanged.
void TstGroups::listLinesAreGroupsOrKept() {
    QFETCH(QString, line);
    QFETCH(bool, group);
    QFETCH(bool, written);
    QTemporaryDir tmp;
    for (const char* folder : {"Nyheder", "Film: klassikere", "Rejser ", "Tab\tnavn", "etc"})
        QVERIFY(QDir(tmp.path()).mkdir(QString::fromUtf8(folder)));
    const QStringList lines{"Nyheder", line, "Musik"};
    const store::GroupList list = store::readGroupLines(lines, tmp.path());
    QCOMPARE(list.names.contains(line), group);
    QCOMPARE(list.names.size() + list.kept.size(), written ? 3 : 2);
    QCOMPARE(store::groupListLines(list.names, list.kept),
             written ? lines : (QStringList{"Nyheder", "Musik"}));
}

QTEST_GUILESS_MAIN(TstGroups)
#include "tst_groups.moc"
