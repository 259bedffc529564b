#include "core/modeltree.h"
#include "store/bookmarkexchange.h"
#include "store/bookmarks.h"

#include <QSignalSpy>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using store::Model;
using store::Result;

// Bookmark groups entered into the content folder, and groups written out as a bookmark file,
// on a folder tree of the test's own.
class TstBookmarkExchange : public QObject {
    Q_OBJECT
private slots:
    void importsBookmarksIntoGroups();
    void importStopsAtFirstFailedWrite();
    void importRefusesUnusableNames_data();
    void importRefusesUnusableNames();
    void importCancelledKeepsWhatWasWritten();
    void killedImportLeavesItsGroupsListed();
    void exportReadsBackAsTheGroups();
};

void TstBookmarkExchange::importsBookmarksIntoGroups() {
    Tree t;
    QSignalSpy listsChanged(&t.model, &Model::groupListsChanged);
    const QList<store::bookmarks::Group> groups{
        // The current group, named in other letter case: DR exists and is declined.
        {"b", {{"DR", "https://www.dr.dk/nyheder"}, {"Politiken", "https://politiken.dk/"}}},
        {"Ny", {{"DMI", "https://www.dmi.dk/"}}},
        // A shelved group takes its elements and stays on the shelf.
        {"x", {{"Krak", "https://www.krak.dk/"}}},
    };
    // Asked once, before anything is written: one element exists, in the group B.
    const store::ExistingElements existing = store::existingElements(t.model, groups);
    QCOMPARE(existing.elements, 1);
    QCOMPARE(existing.groups, QStringList{"B"});
    store::Imported imported;
    const Result result = store::importBookmarks(t.model, groups, false, {}, &imported);
    QVERIFY(result.ok());
    QCOMPARE(imported.elements, 3);
    QCOMPARE(imported.declined, 1);
    QCOMPARE(imported.groups, 3);
    QCOMPARE(imported.newGroups, 1);
    QCOMPARE(t.onDisk("webgruppe.txt"), (QStringList{"A", "B", "C", "Ny"}));
    QCOMPARE(t.model.gruppeliste(), (QStringList{"A", "B", "C", "Ny"}));
    QCOMPARE(t.onDisk("webLager.txt"), QStringList{"X"});
    QCOMPARE(listsChanged.count(), 1);
    // The declined element keeps its visits; the new ones start without.
    QCOMPARE(t.onDisk("B/DR.txt").value(4), QStringLiteral("41"));
    QCOMPARE(t.onDisk("B/Politiken.txt").mid(0, 5),
             (QStringList{"https://politiken.dk/", "Politiken", "Dato", "XX:XX", "0"}));
    QCOMPARE(t.onDisk("Ny/DMI.txt").value(0), QStringLiteral("https://www.dmi.dk/"));
    QCOMPARE(t.onDisk("X/Krak.txt").value(0), QStringLiteral("https://www.krak.dk/"));
    // The current group shows its new element.
    QCOMPARE(t.model.Web().size(), 3);

    // Saying yes overwrites, and resets the visits.
    QVERIFY(
        store::importBookmarks(t.model, {{"B", {{"DR", "https://www.dr.dk/nyheder"}}}}, true).ok());
    QCOMPARE(t.onDisk("B/DR.txt").value(0), QStringLiteral("https://www.dr.dk/nyheder"));
    QCOMPARE(t.onDisk("B/DR.txt").value(4), QStringLiteral("0"));
}

void TstBookmarkExchange::importStopsAtFirstFailedWrite() {
    Tree t;
    t.block("B/Blokeret.txt");
    const QList<store::bookmarks::Group> groups{
        {"Ny", {{"DMI", "https://www.dmi.dk/"}}},
        {"B", {{"Blokeret", "https://example.org/"}}},
        {"Senere", {{"Krak", "https://www.krak.dk/"}}},
    };
    store::Imported imported;
    const Result result = store::importBookmarks(t.model, groups, true, {}, &imported);
    QCOMPARE(result.kind, Result::FileNotCreated);
    QVERIFY(result.path.endsWith("Blokeret.txt"));
    // What was written before the failure stays, and its group is listed.
    QCOMPARE(imported.elements, 1);
    QCOMPARE(t.onDisk("webgruppe.txt"), (QStringList{"A", "B", "C", "Ny"}));
    QVERIFY(!t.folders().contains("Senere"));
}

void TstBookmarkExchange::importRefusesUnusableNames_data() {
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("navn");
    QTest::addColumn<QString>("url");
    const QString dr = QStringLiteral("https://www.dr.dk/");
    QTest::newRow("an element name leading two folders up") << "B"
                                                            << "../../x" << dr;
    QTest::newRow("an element name with a separator") << "B"
                                                      << "Nyheder/DR" << dr;
    QTest::newRow("an element name of two full stops") << "B"
                                                       << ".." << dr;
    QTest::newRow("an element name longer than the file system takes")
        << "B" << QString(126, u'ø') << dr;
    QTest::newRow("a line break in the address") << "B"
                                                 << "DR"
                                                 << "https://www.dr.dk/\nx";
    QTest::newRow("a NUL in the name") << "B" << QStringLiteral("D\u0000R") << dr;
    QTest::newRow("a group name leading two folders up") << "../../x"
                                                         << "DR" << dr;
    QTest::newRow("the list of active groups") << "webgruppe.txt"
                                               << "DR" << dr;
    QTest::newRow("the shelf's list, in other letter case") << "WEBLAGER.TXT"
                                                            << "DR" << dr;
    QTest::newRow("a temporary file's name") << ".lenkaro-AbC123.tmp"
                                             << "DR" << dr;
}

void TstBookmarkExchange::importRefusesUnusableNames() {
    QFETCH(QString, group);
    QFETCH(QString, navn);
    QFETCH(QString, url);
    Tree t;
    const QStringList before = t.folders();
    const QString webGruppe = t.onDisk("webgruppe.txt").join(u'|');
    // Two folders above the group folder: where "../../x" would have gone.
    const QString above = QFileInfo(t.web()).absolutePath();
    const QStringList aboveBefore = QDir(above).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    const QStringList filesOfB = QDir(t.web() + "/B").entryList(QDir::Files, QDir::Name);
    store::Imported imported;
    const Result result = store::importBookmarks(
        t.model, {{group, {{navn, url}, {"DMI", "https://www.dmi.dk/"}}}}, true, {}, &imported);
    QVERIFY(result.ok());
    const bool groupRefused = group != u"B";
    QCOMPARE(imported.unusable, groupRefused ? 2 : 1);
    QCOMPARE(imported.elements, groupRefused ? 0 : 1);
    QCOMPARE(imported.handled, 2);
    QCOMPARE(QDir(above).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), aboveBefore);
    QVERIFY(!QFileInfo::exists(t.web() + "/x.txt"));
    QVERIFY(!QFileInfo::exists(t.web() + "/B/x.txt"));
    QCOMPARE(t.folders(), before);
    if (groupRefused)
        QCOMPARE(t.onDisk("webgruppe.txt").join(u'|'), webGruppe);
    QStringList inB = filesOfB;
    if (!groupRefused)
        inB << "DMI.txt";
    inB.sort();
    QCOMPARE(QDir(t.web() + "/B").entryList(QDir::Files, QDir::Name), inB);
}

void TstBookmarkExchange::importCancelledKeepsWhatWasWritten() {
    Tree t;
    const QList<store::bookmarks::Group> groups{
        {"Ny", {{"DMI", "https://www.dmi.dk/"}, {"Krak", "https://www.krak.dk/"}}},
        {"Senere", {{"TV 2", "https://tv2.dk/"}}},
    };
    QList<int> told;
    store::Imported imported;
    const Result result = store::importBookmarks(
        t.model, groups, true,
        [&told](int handled, int total) {
            told << handled << total;
            return handled < 2;
        },
        &imported);
    QVERIFY(result.ok());
    QCOMPARE(told, (QList<int>{1, 3, 2, 3}));
    QVERIFY(imported.cancelled);
    QCOMPARE(imported.handled, 2);
    QCOMPARE(imported.total, 3);
    QCOMPARE(imported.elements, 2);
    // What was written stays, and its group is listed; nothing after the stop is written.
    QCOMPARE(t.onDisk("Ny/Krak.txt").value(0), QStringLiteral("https://www.krak.dk/"));
    QCOMPARE(t.onDisk("webgruppe.txt"), (QStringList{"A", "B", "C", "Ny"}));
    QVERIFY(!t.folders().contains("Senere"));
}

// An import killed part-way (the session ends, the machine stops) leaves the groups it made
// listed, all but those of its last step, each with what was written into it: the next start
// shows them, rather than thousands of elements in folders no list names.
void TstBookmarkExchange::killedImportLeavesItsGroupsListed() {
    Tree t;
    QList<store::bookmarks::Group> groups;
    QStringList made;
    for (int i = 0; i < 3 * store::importListStep; ++i) {
        const QString navn = QStringLiteral("Gruppe %1").arg(i, 3, 10, QChar(u'0'));
        groups.append({navn, {{"DR", "https://www.dr.dk/"}, {"DMI", "https://www.dmi.dk/"}}});
        made << navn;
    }
    // Within the third step: two whole steps of groups are made by then.
    const int killedInGroup = 2 * store::importListStep + store::importListStep / 2;
    std::fflush(nullptr);
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        (void)store::importBookmarks(t.model, groups, true, [&](int handled, int) {
            if (handled == 2 * killedInGroup + 1)
                ::raise(SIGKILL);
            return true;
        });
        std::_Exit(0);
    }
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    QVERIFY(t.folders().contains(made[killedInGroup]));
    QVERIFY(!t.folders().contains(made[killedInGroup + 1]));

    const QStringList onDisk = t.onDisk("webgruppe.txt");
    QCOMPARE(onDisk.mid(0, 3), (QStringList{"A", "B", "C"}));
    const QStringList listed = onDisk.mid(3);
    QVERIFY2(listed.size() >= 2 * store::importListStep, qPrintable(listed.join(u'|')));
    QCOMPARE(listed, made.mid(0, listed.size()));
    for (const QString& navn : listed.mid(0, killedInGroup))
        QCOMPARE(t.onDisk(navn + "/DMI.txt").value(0), QStringLiteral("https://www.dmi.dk/"));
    // The next start shows them.
    QVERIFY(t.model.setMappe().ok());
    QCOMPARE(t.model.gruppeliste(), QStringList({"A", "B", "C"}) + listed);
}

void TstBookmarkExchange::exportReadsBackAsTheGroups() {
    Tree t;
    const QString path = t.tmp.filePath("bogmærker.html");
    QVERIFY(store::exportBookmarks(t.model, path, {"A", "B"}).ok());
    const store::bookmarks::ReadResult read = store::bookmarks::readFile(path);
    QCOMPARE(read.error, store::bookmarks::ReadError::None);
    // A group without elements has no bookmarks to give.
    const QList<store::bookmarks::Group> back = store::bookmarks::toGroups(read.root);
    QCOMPARE(back.size(), 1);
    QCOMPARE(back[0].navn, QStringLiteral("B"));
    QCOMPARE(back[0].entries.size(), 2);
    QCOMPARE(back[0].entries[0].navn, QStringLiteral("DR"));
    QCOMPARE(back[0].entries[1].url, QStringLiteral("https://nyheder.tv2.dk/"));

    // A file that cannot be written is reported with its path.
    t.block("fejl.html");
    const Result failed = store::exportBookmarks(t.model, t.web() + "/fejl.html", {"B"});
    QCOMPARE(failed.kind, Result::FileNotCreated);
    QCOMPARE(failed.path, t.web() + "/fejl.html");
}

QTEST_MAIN(TstBookmarkExchange)
#include "tst_bookmarkexchange.moc"
