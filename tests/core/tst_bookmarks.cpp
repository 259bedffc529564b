#include "bookmarks.h"

#include "textfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace store::bookmarks;

// Bookmark files as browsers write them, read into groups and elements, and written back.
class TstBookmarks : public QObject {
    Q_OBJECT
private slots:
    void readsBrowserFiles_data();
    void readsBrowserFiles();
    void refusesWhatIsNoBookmarkFile_data();
    void refusesWhatIsNoBookmarkFile();
    void missingFileIsNotRead();
    void titlesBecomeUsableNames_data();
    void titlesBecomeUsableNames();
    void roundTripKeepsGroupsAndElements();
    void writtenFileIsWhatBrowsersRead();
};

namespace {

// Groups as "group: name=url, name=url" lines, for readable comparisons.
QStringList shown(const QList<Group>& groups) {
    QStringList lines;
    for (const Group& group : groups) {
        QStringList entries;
        for (const Entry& entry : group.entries)
            entries << entry.navn + u'=' + entry.url;
        lines << group.navn + QStringLiteral(": ") + entries.join(QStringLiteral(", "));
    }
    return lines;
}

QString fixture(const char* name) {
    return QStringLiteral(FIXTURES "/") + QString::fromLatin1(name);
}

} // namespace

void TstBookmarks::readsBrowserFiles_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("groups");
    QTest::addColumn<int>("skipped");
    // Firefox: bookmarks straight in the menu, ICON and ICON_URI, TAGS, DD descriptions, HR,
    // entities in titles and addresses, "place:" and "javascript:" entries that are no web
    // addresses, a folder inside a folder.
    QTest::newRow("Firefox")
        << fixture("firefox.html")
        << QStringList{QStringLiteral(
                           "Bogmærker: Firefox & Mozilla=https://www.mozilla.org/da/firefox/"),
                       QStringLiteral("Nyheder: DR=https://www.dr.dk/, Politiken Nyheder "
                                      "Debat=https://politiken.dk/?tema=debat&side=1, dr "
                                      "(2)=https://www.dr.dk/nyheder"),
                       QStringLiteral("Lokalt: Fyens Stiftstidende=https://fyens.dk/"),
                       QStringLiteral("Bogmærkelinje: København – "
                                      "Wikipedia=https://da.wikipedia.org/wiki/K%C3%B8benhavn"),
                       QStringLiteral("Andre bogmærker: DMI=https://www.dmi.dk/")}
        << 2;
    // Chromium: every bookmark in a folder, ICON without ICON_URI, no LAST_MODIFIED on
    // bookmarks, two folders of the same title, a bookmark without a title.
    QTest::newRow("Chromium")
        << fixture("chromium.html")
        << QStringList{QStringLiteral("Bogmærkelinje: borger.dk=https://www.borger.dk/"),
                       QStringLiteral("Opslag: Den Danske Ordbog=https://ordnet.dk/ddo, "
                                      "www.krak.dk=https://www.krak.dk/"),
                       QStringLiteral("Andre bogmærker: YouTube=https://www.youtube.com/, youtube "
                                      "(2)=https://www.youtube.com/feed/subscriptions"),
                       QStringLiteral("Opslag (2): Sproget.dk=https://www.sproget.dk/")}
        << 0;
}

void TstBookmarks::readsBrowserFiles() {
    QFETCH(QString, file);
    QFETCH(QStringList, groups);
    QFETCH(int, skipped);
    const ReadResult read = readFile(file);
    QCOMPARE(read.error, ReadError::None);
    Skipped left;
    QCOMPARE(shown(toGroups(read.root, &left)), groups);
    QCOMPARE(left.total(), skipped);
}

void TstBookmarks::refusesWhatIsNoBookmarkFile_data() {
    QTest::addColumn<QByteArray>("bytes");
    QFile page(fixture("page.html"));
    QVERIFY(page.open(QIODevice::ReadOnly));
    QTest::newRow("a web page with lists and links") << page.readAll();
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("an element file")
        << QByteArray("https://www.dr.dk/\r\nDR\r\nDato\r\nXX:XX\r\n0\r\n\r\n");
    QTest::newRow("a picture") << QByteArray::fromBase64(
        "iVBORw0KGgoAAAANSUhEUgAAABAAAAAQCAYAAAAf8/9hAAAAGklEQVQ4jWNgGAWjYBSMglEwCkbBKBgFgwEAB/"
        "AAAZ6V4v0AAAAASUVORK5CYII=");
    QTest::newRow("the document type further down")
        << QByteArray("<html>\n<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p></DL>\n");
}

void TstBookmarks::refusesWhatIsNoBookmarkFile() {
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bogmærker.html"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    const ReadResult read = readFile(path);
    QCOMPARE(read.error, ReadError::NotBookmarks);
    QVERIFY(toGroups(read.root).isEmpty());
}

void TstBookmarks::missingFileIsNotRead() {
    QTemporaryDir dir;
    const ReadResult read = readFile(dir.filePath(QStringLiteral("findes-ikke.html")));
    QCOMPARE(read.error, ReadError::NotRead);
    QVERIFY(!read.reason.isEmpty());
}

void TstBookmarks::titlesBecomeUsableNames_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("navn");
    const QString dr = QStringLiteral("https://www.dr.dk/");
    QTest::newRow("kept") << QStringLiteral("DR Nyheder") << dr << QStringLiteral("DR Nyheder");
    QTest::newRow("path separators and colons")
        << QStringLiteral("TV/Radio: DR\\Nyheder") << dr << QStringLiteral("TV Radio DR Nyheder");
    QTest::newRow("characters Windows refuses")
        << QStringLiteral("Hvad? *Nu* \"her\" <b>|</b>") << dr << QStringLiteral("Hvad Nu her b b");
    QTest::newRow("trailing full stops")
        << QStringLiteral("Mere...") << dr << QStringLiteral("Mere");
    QTest::newRow("short") << QStringLiteral("D") << dr << QStringLiteral("D");
    QTest::newRow("empty: the host") << QString() << dr << QStringLiteral("www.dr.dk");
    QTest::newRow("nothing usable, no host")
        << QStringLiteral("??") << QStringLiteral("file:///home/anna/noter.html")
        << QStringLiteral("Bogmærke");
    // Two bytes each in UTF-8: as many as fit in 255 with ".txt".
    QTest::newRow("long") << QString(300, u'ø') << dr << QString(125, u'ø');
}

void TstBookmarks::titlesBecomeUsableNames() {
    QFETCH(QString, title);
    QFETCH(QString, url);
    QFETCH(QString, navn);
    Folder root;
    root.folders.append({title, {{title, url}}, {}});
    const QList<Group> groups = toGroups(root);
    QCOMPARE(groups.size(), 1);
    QCOMPARE(groups[0].entries.size(), 1);
    QCOMPARE(groups[0].entries[0].navn, navn);
    QCOMPARE(groups[0].entries[0].url, url);
}

void TstBookmarks::roundTripKeepsGroupsAndElements() {
    QTemporaryDir dir;
    QList<Group> groups = toGroups(readFile(fixture("firefox.html")).root);
    groups += toGroups(readFile(fixture("chromium.html")).root);
    // Names and addresses that need escaping in HTML.
    groups.append({QStringLiteral("Søg & find"),
                   {{QStringLiteral("Citat & 'apostrof'"),
                     QStringLiteral("https://example.org/?q=a&b=\"c\"&d='e'")},
                    {QStringLiteral("Æble, ørred & ål"), QStringLiteral("https://æøå.dk/ø")}}});
    const QString path = dir.filePath(QStringLiteral("eksport.html"));
    QString error;
    QVERIFY2(writeFile(path, groups, &error), qPrintable(error));
    const ReadResult read = readFile(path);
    QCOMPARE(read.error, ReadError::None);
    Skipped skipped;
    const QList<Group> back = toGroups(read.root, &skipped);
    QCOMPARE(skipped.total(), 0);
    // Names that clashed across the two files are numbered now; all else is as written.
    QStringList expected = shown(groups);
    expected[5] =
        expected[5].replace(QStringLiteral("Bogmærkelinje:"), QStringLiteral("Bogmærkelinje (2):"));
    expected[7] = expected[7].replace(QStringLiteral("Andre bogmærker:"),
                                      QStringLiteral("Andre bogmærker (2):"));
    QCOMPARE(shown(back), expected);
}

void TstBookmarks::writtenFileIsWhatBrowsersRead() {
    const QString text =
        write({{QStringLiteral("Nyheder"),
                {{QStringLiteral("DR & TV 2"), QStringLiteral("https://www.dr.dk/")}}}});
    const QStringList lines = textfile::splitLines(text);
    QCOMPARE(lines.first(), QStringLiteral("<!DOCTYPE NETSCAPE-Bookmark-file-1>"));
    QVERIFY(lines.contains(QStringLiteral("    <DT><H3>Nyheder</H3>")));
    QVERIFY(lines.contains(
        QStringLiteral("        <DT><A HREF=\"https://www.dr.dk/\">DR &amp; TV 2</A>")));
    QVERIFY(text.contains(QStringLiteral("charset=UTF-8")));
}

QTEST_GUILESS_MAIN(TstBookmarks)
#include "tst_bookmarks.moc"
