#include "core/shownbookmarks.h"
#include "store/bookmarks.h"

#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

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
    void everyBookmarkIsRead_data();
    void everyBookmarkIsRead();
    void controlCharactersAreSkipped_data();
    void controlCharactersAreSkipped();
    void namesFitTheFileSystem_data();
    void namesFitTheFileSystem();
    void programFilesAreNoGroupNames_data();
    void programFilesAreNoGroupNames();
    void titlesBecomeUsableNames_data();
    void titlesBecomeUsableNames();
    void manyBookmarksOfOneTitle();
    void roundTripKeepsGroupsAndElements();
    void writtenFileIsWhatBrowsersRead();
    void referencesGiveNoControlCharacters_data();
    void referencesGiveNoControlCharacters();
    void deepFileIsReadToTheDeepestFolder();
    void deepTreeIsWalkedWithoutTheStack();
    void foldersPastTheLimitAreLeftOut();
    void bookmarksPastTheLimitAreLeftOut();
    void onlyRegularFilesAreRead_data();
    void onlyRegularFilesAreRead();
    void fileTooLargeIsRefusedUnread();
};

namespace {

QString fixture(const char* name) {
    return QStringLiteral(FIXTURES "/") + QString::fromLatin1(name);
}

// The groups of a bookmark file's text.
QList<Group> groupsOf(const QString& text, Skipped* skipped = nullptr) {
    const std::optional<Folder> root = parse(text);
    return root ? toGroups(*root, skipped) : QList<Group>();
}

// A bookmark file of one folder holding the given entries.
QString fileOf(const QString& folder, const QString& entries) {
    return QStringLiteral("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n<DT><H3>") + folder +
           QStringLiteral("</H3>\n<DL><p>\n") + entries + QStringLiteral("\n</DL><p>\n</DL><p>\n");
}

// A bookmark file of depth folders, each inside the one before, each holding one bookmark.
QString deepFile(int depth) {
    QString text = QStringLiteral("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n");
    for (int level = 1; level <= depth; ++level)
        text += QStringLiteral("<DT><H3>Mappe %1</H3>\n<DL><p>\n"
                               "<DT><A HREF=\"https://eksempel.dk/%1\">Side %1</A>\n")
                    .arg(level);
    for (int level = 0; level <= depth; ++level)
        text += QStringLiteral("</DL><p>\n");
    return text;
}

qsizetype utf8(const QString& text) {
    return text.toUtf8().size();
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
    // Firefox ESR 153 of Debian 12, its own export of a profile's bookmarks (recipe/): the
    // menu's bookmarks outside every folder, Firefox's own folder, nested folders, a
    // separator, the toolbar as a folder, a "javascript:" bookmark.
    QTest::newRow("Firefox ESR")
        << fixture("firefox-esr.html")
        << QStringList{QStringLiteral(
                           "Bogmærker: Mozilla på dansk=https://www.mozilla.org/da/, "
                           "Rejseplanen=https://www.rejseplanen.dk/, Debian – det universelle "
                           "styresystem=https://www.debian.org/index.da.html"),
                       QStringLiteral(
                           "Mozilla Firefox: Get "
                           "Help=https://support.mozilla.org/products/firefox, Customize "
                           "Firefox=https://support.mozilla.org/kb/"
                           "customize-firefox-controls-buttons-and-toolbars?utm_source=firefox-"
                           "browser&utm_medium=default-bookmarks&utm_campaign=customize, Get "
                           "Involved=https://www.mozilla.org/contribute/, About "
                           "Us=https://www.mozilla.org/about/"),
                       QStringLiteral("Nyheder: DR=https://www.dr.dk/, Politiken Nyheder "
                                      "Debat=https://politiken.dk/?tema=debat&side=1, dr "
                                      "(2)=https://www.dr.dk/nyheder"),
                       QStringLiteral("Lokalt: Fyens Stiftstidende=https://fyens.dk/"),
                       QStringLiteral("Øer: Bornholms Tidende=https://www.bornholmstidende.dk/, "
                                      "Ærø Avis=https://www.aeroeavis.dk/"),
                       QStringLiteral("Vejr og trafik: DMI 🌦 vejret=https://www.dmi.dk/, "
                                      "Vejdirektoratet Trafikinfo=https://www.trafikinfo.dk/"),
                       QStringLiteral(
                           "Opslag: København – "
                           "Wikipedia=https://da.wikipedia.org/wiki/K%C3%B8benhavn, 東京 – "
                           "ウィキペディア=https://ja.wikipedia.org/wiki/%E6%9D%B1%E4%BA%AC, Αθήνα "
                           "— "
                           "Βικιπαίδεια=https://el.wikipedia.org/wiki/"
                           "%CE%91%CE%B8%CE%AE%CE%BD%CE%B1, Den Danske "
                           "Ordbog=https://ordnet.dk/ddo"),
                       QStringLiteral("Bookmarks Toolbar: København – "
                                      "Wikipedia=https://da.wikipedia.org/wiki/K%C3%B8benhavn"),
                       QStringLiteral("Offentligt: borger.dk=https://www.borger.dk/, SKAT – "
                                      "Skattestyrelsen=https://skat.dk/")}
        << 1;
    // Safari's form: its top folders as headings with their lists, and no list around them.
    QTest::newRow("Safari")
        << fixture("safari.html")
        << QStringList{QStringLiteral("Favoris: Apple (France)=https://www.apple.com/fr/, Le "
                                      "Monde.fr – Actualités et Infos en France et dans le "
                                      "monde=https://www.lemonde.fr/"),
                       QStringLiteral("Menu des signets: Copenhague — "
                                      "Wikipédia=https://fr.wikipedia.org/wiki/Copenhague"),
                       QStringLiteral("Ελληνικά: Η Καθημερινή=https://www.kathimerini.gr/, Αθήνα "
                                      "— Βικιπαίδεια=https://el.wikipedia.org/wiki/"
                                      "%CE%91%CE%B8%CE%AE%CE%BD%CE%B1"),
                       QStringLiteral(
                           "Νησιά: Νησιά – Visit Greece=https://www.visitgreece.gr/islands/"),
                       QStringLiteral(
                           "com.apple.ReadingList: DR Nyheder=https://www.dr.dk/nyheder")}
        << 0;
    // What browsers read besides: a bookmark before every list, lower case, no <p>, unquoted
    // and single-quoted addresses, stray closing tags, a second list at the top, a bookmark
    // without its closing tag, a heading without a list.
    QTest::newRow("forms browsers read")
        << fixture("variants.html")
        << QStringList{QStringLiteral("Bogmærker: Det Kgl. Bibliotek=https://www.kb.dk/, "
                                      "Politiken=https://politiken.dk/"),
                       QStringLiteral("Nyheder: DR=https://www.dr.dk/, TV 2=https://www.tv2.dk/"),
                       QStringLiteral("Opslag: Den Danske Ordbog=https://ordnet.dk/ddo, "
                                      "Sproget.dk=https://www.sproget.dk/"),
                       QStringLiteral("Sidst: DMI=https://www.dmi.dk/")}
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

void TstBookmarks::everyBookmarkIsRead_data() {
    QTest::addColumn<QString>("file");
    for (const char* name :
         {"firefox.html", "chromium.html", "firefox-esr.html", "safari.html", "variants.html"})
        QTest::newRow(name) << fixture(name);
}

void TstBookmarks::everyBookmarkIsRead() {
    QFETCH(QString, file);
    QFile raw(file);
    QVERIFY(raw.open(QIODevice::ReadOnly));
    const qsizetype inFile =
        QString::fromUtf8(raw.readAll())
            .count(QRegularExpression(QStringLiteral("<a\\s+href"),
                                      QRegularExpression::CaseInsensitiveOption));
    Skipped skipped;
    qsizetype entered = 0;
    for (const Group& group : toGroups(readFile(file).root, &skipped))
        entered += group.entries.size();
    QVERIFY(inFile > 0);
    QCOMPARE(entered + skipped.total(), inFile);
}

void TstBookmarks::controlCharactersAreSkipped_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("entries");
    QTest::addColumn<QStringList>("groups");
    QTest::addColumn<int>("unusable");
    const QString dmi = QStringLiteral("<DT><A HREF=\"https://www.dmi.dk/\">DMI</A>");
    QTest::newRow("a line break written out in an address")
        << "Nyheder"
        << "<DT><A HREF=\"https://www.dr.dk/&#10;nyheder\">DR</A>\n" + dmi
        << QStringList{"Nyheder: DMI=https://www.dmi.dk/"} << 1;
    QTest::newRow("a carriage return and a NUL in addresses")
        << "Nyheder"
        << QStringLiteral(
               "<DT><A HREF=\"https://www.dr.dk/&#13;\">DR</A>\n<DT><A HREF=\"https://tv2.dk/") +
               QChar(0) + "\">TV 2</A>\n" + dmi
        << QStringList{"Nyheder: DMI=https://www.dmi.dk/"} << 2;
    // Written as they are: a reference to one gives nothing (see the references' own test).
    QTest::newRow("an escape character in a title")
        << "Nyheder"
        << "<DT><A HREF=\"https://www.dr.dk/\">DR" + QString(QChar(27)) + "[2J</A>\n" + dmi
        << QStringList{"Nyheder: DMI=https://www.dmi.dk/"} << 1;
    QTest::newRow("a control character in the folder's title")
        << "Ny" + QString(QChar(1)) + "heder" << dmi << QStringList{} << 1;
    // HTML's white space is a space, however it is written: such a title is what a browser
    // shows, not a broken line.
    QTest::newRow("line breaks and tabs in a title")
        << "Nyheder"
        << "<DT><A HREF=\"https://www.dr.dk/\">DR\n\t&#10;Nyheder</A>"
        << QStringList{"Nyheder: DR Nyheder=https://www.dr.dk/"} << 0;
}

void TstBookmarks::controlCharactersAreSkipped() {
    QFETCH(QString, folder);
    QFETCH(QString, entries);
    QFETCH(QStringList, groups);
    QFETCH(int, unusable);
    Skipped skipped;
    QCOMPARE(shown(groupsOf(fileOf(folder, entries), &skipped)), groups);
    QCOMPARE(skipped.unusable, unusable);
    QCOMPARE(skipped.notWeb, 0);
}

void TstBookmarks::namesFitTheFileSystem_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("navn");
    const QString chinese = QString::fromUtf8("中文书签标题").repeated(14); // 84 characters
    QTest::newRow("84 Chinese characters, 252 bytes")
        << chinese << chinese.left(83); // 249 bytes and ".txt"
    const QString grinning = QString::fromUtf8("😀");
    QTest::newRow("an emoji at the cut")
        << QString(249, u'a') + grinning + QStringLiteral("b") << QString(249, u'a');
    QTest::newRow("an emoji just inside")
        << QString(247, u'a') + grinning + QStringLiteral("b") << QString(247, u'a') + grinning;
    // A letter and its accent are one character to the reader.
    QTest::newRow("an accent at the cut")
        << QString(250, u'a') + QStringLiteral("e\u0301") << QString(250, u'a');
    QTest::newRow("a full stop before the cut")
        << QString(250, u'a') + QStringLiteral(".bc") << QString(250, u'a');
}

void TstBookmarks::namesFitTheFileSystem() {
    QFETCH(QString, title);
    QFETCH(QString, navn);
    Folder root;
    root.folders.append({title, {{title, "https://www.dr.dk/"}, {title, "https://tv2.dk/"}}, {}});
    root.folders.append({title, {{title, "https://www.dmi.dk/"}}, {}});
    const QList<Group> groups = toGroups(root);
    QCOMPARE(groups.size(), 2);
    QCOMPARE(groups[0].entries[0].navn, navn);
    for (const Group& group : groups) {
        // A folder name may have all 255 bytes, an element's file ".txt" besides.
        QVERIFY2(utf8(group.navn) <= 255, qPrintable(group.navn));
        QVERIFY(isImportGroupName(group.navn));
        for (const Entry& entry : group.entries) {
            QVERIFY2(utf8(entry.navn + ".txt") <= 255, qPrintable(entry.navn));
            QVERIFY(isElementName(entry.navn));
            QVERIFY(!entry.navn.contains(QChar::ReplacementCharacter));
        }
    }
    // The second of one name gets a number, and still fits.
    QVERIFY(groups[0].entries[1].navn.endsWith(" (2)"));
    QVERIFY(groups[1].navn.endsWith(" (2)"));
    // Written and read back as the same name: no half character in the file system's name.
    QTemporaryDir dir;
    const QString path = dir.filePath(groups[0].entries[0].navn + ".txt");
    QVERIFY(textfile::writeLines(path, {"https://www.dr.dk/"}));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{navn + ".txt"});
}

void TstBookmarks::programFilesAreNoGroupNames_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("navn");
    QTest::newRow("the shelf's list") << "webLager.txt"
                                      << "webLager.txt (2)";
    QTest::newRow("the list of groups, in other letter case") << "WEBGRUPPE.TXT"
                                                              << "WEBGRUPPE.TXT (2)";
    QTest::newRow("a temporary file") << ".lenkaro-Ab12cD.tmp"
                                      << ".lenkaro-Ab12cD.tmp (2)";
    QTest::newRow("a name like them, but none of them") << "webLager.txt.bak"
                                                        << "webLager.txt.bak";
}

void TstBookmarks::programFilesAreNoGroupNames() {
    QFETCH(QString, title);
    QFETCH(QString, navn);
    const QList<Group> groups =
        groupsOf(fileOf(title, "<DT><A HREF=\"https://www.dr.dk/\">DR</A>"));
    QCOMPARE(groups.size(), 1);
    QCOMPARE(groups[0].navn, navn);
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

void TstBookmarks::manyBookmarksOfOneTitle() {
    // Each gets the lowest number not taken, also when a title is such a name of its own; a
    // search from 2 for each would take half a million million steps for a million of them.
    constexpr int count = 100'000;
    Folder root;
    root.folders.append({QStringLiteral("Nyheder"), {}, {}});
    QList<Bookmark>& bookmarks = root.folders.first().bookmarks;
    for (int n = 0; n < count; ++n)
        bookmarks.append({n == 1 ? QStringLiteral("DR (3)") : QStringLiteral("DR"),
                          QStringLiteral("https://www.dr.dk/%1").arg(n)});
    const QList<Group> groups = toGroups(root);
    QCOMPARE(groups.size(), 1);
    const QList<Entry>& entries = groups.first().entries;
    QCOMPARE(entries.size(), count);
    QStringList first;
    for (const Entry& entry : entries.mid(0, 5))
        first << entry.navn;
    QCOMPARE(first, (QStringList{"DR", "DR (3)", "DR (2)", "DR (4)", "DR (5)"}));
    QCOMPARE(entries.last().navn, QStringLiteral("DR (%1)").arg(count));
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

void TstBookmarks::referencesGiveNoControlCharacters_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("group");
    // A reference to no character or to a control character gives nothing: the name is entered
    // without it, and no NUL or escape sequence reaches a file's name.
    QTest::newRow("NUL") << "Nyheder"
                         << "DR&#0;"
                         << "Nyheder: DR=https://www.dr.dk/";
    QTest::newRow("NUL in hexadecimal") << "Nyheder"
                                        << "D&#x00;R"
                                        << "Nyheder: DR=https://www.dr.dk/";
    QTest::newRow("an escape sequence") << "Nyheder"
                                        << "DR&#27;[2J"
                                        << "Nyheder: DR[2J=https://www.dr.dk/";
    QTest::newRow("DEL") << "Nyheder"
                         << "D&#127;R"
                         << "Nyheder: DR=https://www.dr.dk/";
    QTest::newRow("in the folder's title") << "Ny&#x1;heder"
                                           << "DR"
                                           << "Nyheder: DR=https://www.dr.dk/";
    QTest::newRow("a surrogate") << "Nyheder"
                                 << "D&#xD800;R"
                                 << "Nyheder: DR=https://www.dr.dk/";
    QTest::newRow("past the last character") << "Nyheder"
                                             << "D&#x110000;R"
                                             << "Nyheder: DR=https://www.dr.dk/";
    QTest::newRow("past every number") << "Nyheder"
                                       << "D&#99999999999999999999;R"
                                       << "Nyheder: DR=https://www.dr.dk/";
    // 128 to 159 are read as browsers read them, as the characters of Windows-1252; the five
    // that Windows-1252 leaves open are control characters.
    QTest::newRow("Windows-1252's dash") << "Nyheder"
                                         << "DR &#150; TV"
                                         << "Nyheder: DR – TV=https://www.dr.dk/";
    QTest::newRow("a byte Windows-1252 leaves open") << "Nyheder"
                                                     << "D&#129;R"
                                                     << "Nyheder: DR=https://www.dr.dk/";
    // HTML's white space stays white space.
    QTest::newRow("a tab") << "Nyheder"
                           << "DR&#9;TV"
                           << "Nyheder: DR TV=https://www.dr.dk/";
}

void TstBookmarks::referencesGiveNoControlCharacters() {
    QFETCH(QString, folder);
    QFETCH(QString, title);
    QFETCH(QString, group);
    Skipped skipped;
    QCOMPARE(shown(groupsOf(fileOf(folder, "<DT><A HREF=\"https://www.dr.dk/\">" + title + "</A>"),
                            &skipped)),
             QStringList{group});
    QCOMPARE(skipped.total(), 0);
}

void TstBookmarks::deepFileIsReadToTheDeepestFolder() {
    // Far deeper than any browser goes: the folders down to the deepest level become groups,
    // and the bookmarks below are left out and counted, not walked on the program's stack.
    constexpr int depth = 20'000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dyb.html"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(deepFile(depth).toUtf8());
    file.close();
    const ReadResult read = readFile(path);
    QCOMPARE(read.error, ReadError::None);
    QCOMPARE(read.cut.tooDeep, depth - deepestFolder);
    QCOMPARE(read.cut.tooMany, 0);
    Skipped skipped;
    const QList<Group> groups = toGroups(read.root, &skipped);
    QCOMPARE(groups.size(), deepestFolder);
    QCOMPARE(groups.first().navn, QStringLiteral("Mappe 1"));
    QCOMPARE(groups.last().navn, QStringLiteral("Mappe %1").arg(deepestFolder));
    QCOMPARE(groups.last().entries.value(0).url,
             QStringLiteral("https://eksempel.dk/%1").arg(deepestFolder));
    QCOMPARE(skipped.total(), 0);
}

void TstBookmarks::deepTreeIsWalkedWithoutTheStack() {
    // A tree handed to the walk by other code may be deeper than a reader makes it: the groups
    // come in the tree's order, each folder before the folders inside it.
    constexpr int depth = 1'000;
    Folder root;
    Folder* folder = &root;
    for (int level = 1; level <= depth; ++level) {
        folder->folders.append({QStringLiteral("Mappe %1").arg(level),
                                {{QStringLiteral("Side"), QStringLiteral("https://eksempel.dk/")}},
                                {}});
        folder->folders.append({QStringLiteral("Ved siden af %1").arg(level),
                                {{QStringLiteral("Side"), QStringLiteral("https://eksempel.dk/")}},
                                {}});
        folder = &folder->folders.first();
    }
    const QList<Group> groups = toGroups(root);
    QCOMPARE(groups.size(), 2 * depth);
    QCOMPARE(groups[0].navn, QStringLiteral("Mappe 1"));
    QCOMPARE(groups[1].navn, QStringLiteral("Mappe 2"));
    QCOMPARE(groups[depth - 1].navn, QStringLiteral("Mappe %1").arg(depth));
    QCOMPARE(groups[depth].navn, QStringLiteral("Ved siden af %1").arg(depth));
    QCOMPARE(groups.last().navn, QStringLiteral("Ved siden af 1"));
}

void TstBookmarks::foldersPastTheLimitAreLeftOut() {
    // Folders after the most an import takes are left out with their bookmarks, and counted;
    // the bookmarks outside every folder are still entered.
    QString text = QStringLiteral("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n"
                                  "<DT><A HREF=\"https://www.dr.dk/\">DR</A>\n");
    for (int n = 1; n <= mostFolders; ++n)
        text += QStringLiteral("<DT><H3>%1</H3>\n").arg(n);
    text +=
        QStringLiteral("<DT><H3>For mange</H3>\n<DL><p>\n"
                       "<DT><A HREF=\"https://www.tv2.dk/\">TV 2</A>\n"
                       "<DT><H3>Inden i</H3>\n<DL><p>\n"
                       "<DT><A HREF=\"https://www.dmi.dk/\">DMI</A>\n</DL><p>\n</DL><p>\n</DL>\n");
    Cut cut;
    const std::optional<Folder> root = parse(text, &cut);
    QVERIFY(root);
    QCOMPARE(root->folders.size(), mostFolders);
    QCOMPARE(root->folders.last().title, QString::number(mostFolders));
    QCOMPARE(cut.tooMany, 2);
    QCOMPARE(cut.tooDeep, 0);
    QCOMPARE(shown(toGroups(*root)), QStringList{"Bogmærker: DR=https://www.dr.dk/"});
}

void TstBookmarks::bookmarksPastTheLimitAreLeftOut() {
    BoundedTree tree;
    Folder root;
    const BoundedTree::Place top = BoundedTree::rootOf(root);
    const BoundedTree::Place folder = tree.addFolder(top, QStringLiteral("Mappe"));
    const Bookmark bookmark{QStringLiteral("Side"), QStringLiteral("https://eksempel.dk/")};
    for (int n = 0; n < mostBookmarks; ++n)
        tree.addBookmark(n % 2 ? top : folder, bookmark);
    QCOMPARE(tree.cut.total(), 0);
    tree.addBookmark(top, bookmark);
    tree.addBookmark(folder, bookmark);
    QCOMPARE(tree.cut.tooMany, 2);
    QCOMPARE(root.bookmarks.size() + root.folders.first().bookmarks.size(), mostBookmarks);
}

void TstBookmarks::onlyRegularFilesAreRead_data() {
    QTest::addColumn<bool>("fifo");
    QTest::addColumn<QString>("reason");
    // A pipe would keep the reader waiting for a writer that never comes.
    QTest::newRow("a named pipe") << true << "Det er ikke en almindelig fil";
    QTest::newRow("a folder") << false << "Det er en mappe";
}

void TstBookmarks::onlyRegularFilesAreRead() {
    QFETCH(bool, fifo);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bogmærker.html"));
    if (fifo)
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else
        QVERIFY(QDir().mkdir(path));
    // Through a link too: what counts is what the link leads to.
    const QString link = dir.filePath(QStringLiteral("link.html"));
    QVERIFY(QFile::link(path, link));
    for (const QString& chosen : {path, link}) {
        const ReadResult read = readFile(chosen);
        QCOMPARE(read.error, ReadError::NotRead);
        QCOMPARE(read.reason, reason);
    }
}

void TstBookmarks::fileTooLargeIsRefusedUnread() {
    // A sparse file: it takes no room on the disk, and a reader that read it whole would take a
    // second and 64 MB of memory before it found it no bookmark file.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("stor.html"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n");
    QVERIFY(file.resize(textfile::largestFile + 1));
    file.close();
    const ReadResult read = readFile(path);
    QCOMPARE(read.error, ReadError::NotRead);
    QCOMPARE(read.reason, QStringLiteral("Filen er for stor til at blive læst (over 64 MB)"));
}

QTEST_GUILESS_MAIN(TstBookmarks)
#include "tst_bookmarks.moc"
