#include "core/placesdb.h"
#include "core/shownbookmarks.h"
#include "platform/browserprofiles.h"
#include "platform/textfile.h"
#include "store/profilebookmarks.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace store::bookmarks;

// The bookmarks of the browsers' own profiles: found where each browser keeps them, and read
// from profiles that Debian 12's firefox-esr and chromium made (bookmarks/recipe/).
class TstProfileBookmarks : public QObject {
    Q_OBJECT
private slots:
    void findsTheProfilesOfRealBrowsers();
    void findsFirefoxWhereverItKeepsItsProfiles_data();
    void findsFirefoxWhereverItKeepsItsProfiles();
    void readsFirefoxProfileWithItsWal();
    void readsChromiumProfile();
    void unreadableProfileSaysWhy_data();
    void unreadableProfileSaysWhy();
    void firefoxReasonsAreDanish_data();
    void firefoxReasonsAreDanish();
    void damagedDatabaseSaysSo();
    void loopingTableIsWalkedOnce_data();
    void loopingTableIsWalkedOnce();
    void placesWalkKeepsToTheLimits();
    void placesRowsPastTheLimitAreCounted();
    void onlyRegularProfileFilesAreRead_data();
    void onlyRegularProfileFilesAreRead();
    void profileFileTooLargeIsRefusedUnread_data();
    void profileFileTooLargeIsRefusedUnread();
    void staleCopiesAreRemoved();
    void chromiumFileOfAnotherShape_data();
    void chromiumFileOfAnotherShape();
    void deepChromiumFileIsReadToTheDeepestFolder();
    void profileNamesAreShownOnOneLine();
    void profileNamesAreReadAsFirefoxWritesThem();
    void profileStateFilesAreCheckedBeforeTheyAreRead();
};

namespace {

const QString profiles = QStringLiteral(FIXTURES "/profiles");
const QString firefoxPlaces =
    profiles + QStringLiteral("/config/mozilla/firefox/lenkaro.profile/places.sqlite");
const QString chromiumBookmarks = profiles + QStringLiteral("/config/chromium/Default/Bookmarks");

QByteArray digest(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The program's copies of places.sqlite in the temporary folder.
QStringList copiesIn(const QString& temp) {
    return QDir(temp).entryList({QStringLiteral("lenkaro-places-*")},
                                QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
}

// The temporary folder is dir for as long as this lives.
class TemporaryFolder {
public:
    explicit TemporaryFolder(const QString& dir) : old(qgetenv("TMPDIR")) {
        qputenv("TMPDIR", QFile::encodeName(dir));
    }
    ~TemporaryFolder() {
        if (old.isEmpty())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", old);
    }

private:
    QByteArray old;
};

// A Chromium profile's JSON of one root holding children.
QByteArray chromiumFile(const QJsonArray& children) {
    return QJsonDocument(QJsonObject{{"roots", QJsonObject{{"bookmark_bar",
                                                            QJsonObject{{"children", children},
                                                                        {"type", "folder"}}}}}})
        .toJson();
}

QJsonObject chromiumFolder(const QString& name, const QJsonArray& children) {
    return {{"type", "folder"}, {"name", name}, {"children", children}};
}

QJsonObject chromiumBookmark(const QString& name, const QString& url) {
    return {{"type", "url"}, {"name", name}, {"url", url}};
}

} // namespace

void TstProfileBookmarks::findsTheProfilesOfRealBrowsers() {
    const QList<BrowserProfile> found = findBrowserProfiles(profiles, profiles + "/config");
    QCOMPARE(found.size(), 2);
    QCOMPARE(found[0].kind, BrowserProfile::Firefox);
    QCOMPARE(found[0].label(), QStringLiteral("Firefox: lenkaro"));
    QCOMPARE(QDir::cleanPath(found[0].file), QDir::cleanPath(firefoxPlaces));
    QCOMPARE(found[1].kind, BrowserProfile::Chromium);
    QCOMPARE(found[1].label(), QStringLiteral("Chromium: Default"));
    QCOMPARE(QDir::cleanPath(found[1].file), QDir::cleanPath(chromiumBookmarks));
}

void TstProfileBookmarks::findsFirefoxWhereverItKeepsItsProfiles_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("underConfig");
    QTest::newRow("Debian 12's firefox-esr") << "mozilla/firefox" << true;
    QTest::newRow("older versions") << ".mozilla/firefox" << false;
    QTest::newRow("the snap") << "snap/firefox/common/.mozilla/firefox" << false;
    QTest::newRow("the flatpak") << ".var/app/org.mozilla.firefox/.mozilla/firefox" << false;
}

void TstProfileBookmarks::findsFirefoxWhereverItKeepsItsProfiles() {
    QFETCH(QString, folder);
    QFETCH(bool, underConfig);
    QTemporaryDir home;
    const QString config = home.filePath("config");
    const QString dir = (underConfig ? config : home.path()) + u'/' + folder;
    QVERIFY(QDir().mkpath(dir + "/abc.default-esr"));
    QVERIFY(QDir().mkpath(dir + "/listed-without-places"));
    QVERIFY(QDir().mkpath(home.filePath("elsewhere")));
    QVERIFY(QFile::copy(firefoxPlaces, dir + "/abc.default-esr/places.sqlite"));
    QVERIFY(QFile::copy(firefoxPlaces, home.filePath("elsewhere/places.sqlite")));
    QFile ini(dir + "/profiles.ini");
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[Install4F96D1932A9F858E]\nDefault=abc.default-esr\n\n"
              "[Profile1]\nName=default-esr\nIsRelative=1\nPath=abc.default-esr\n\n"
              "[Profile0]\nName=tom\nIsRelative=1\nPath=listed-without-places\n\n"
              "[Profile2]\nName=absolut\nIsRelative=0\nPath=" +
              home.filePath("elsewhere").toUtf8() + "\n\n[General]\nVersion=2\n");
    ini.close();
    QStringList labels;
    for (const BrowserProfile& profile : findBrowserProfiles(home.path(), config))
        labels << profile.label();
    QCOMPARE(labels, (QStringList{"Firefox: default-esr", "Firefox: absolut"}));
}

void TstProfileBookmarks::readsFirefoxProfileWithItsWal() {
    const QByteArray before = digest(firefoxPlaces);
    const ProfileRead read = readFirefoxPlaces(firefoxPlaces);
    QVERIFY2(read.ok, qPrintable(read.reason));
    Skipped skipped;
    const QStringList groups = shown(toGroups(read.root, &skipped));
    // The bookmark Firefox added last is in the -wal file only.
    QCOMPARE(groups.value(0),
             QStringLiteral("Bogmærker: Mozilla på dansk=https://www.mozilla.org/da/, "
                            "Rejseplanen=https://www.rejseplanen.dk/, Debian – det universelle "
                            "styresystem=https://www.debian.org/index.da.html, Folketinget – "
                            "ft.dk=https://www.ft.dk/"));
    QCOMPARE(groups.mid(1),
             (QStringList{
                 QStringLiteral("Mozilla Firefox: Get Help=https://support.mozilla.org/products/"
                                "firefox, Customize Firefox=https://support.mozilla.org/kb/"
                                "customize-firefox-controls-buttons-and-toolbars?utm_source="
                                "firefox-browser&utm_medium=default-bookmarks&utm_campaign="
                                "customize, Get Involved=https://www.mozilla.org/contribute/, "
                                "About Us=https://www.mozilla.org/about/"),
                 QStringLiteral("Nyheder: DR=https://www.dr.dk/, Politiken Nyheder "
                                "Debat=https://politiken.dk/?tema=debat&side=1, dr "
                                "(2)=https://www.dr.dk/nyheder"),
                 QStringLiteral("Lokalt: Fyens Stiftstidende=https://fyens.dk/"),
                 QStringLiteral("Øer: Bornholms Tidende=https://www.bornholmstidende.dk/, Ærø "
                                "Avis=https://www.aeroeavis.dk/"),
                 QStringLiteral("Vejr og trafik: DMI 🌦 vejret=https://www.dmi.dk/, "
                                "Vejdirektoratet Trafikinfo=https://www.trafikinfo.dk/"),
                 QStringLiteral("Opslag: København – "
                                "Wikipedia=https://da.wikipedia.org/wiki/K%C3%B8benhavn, 東京 – "
                                "ウィキペディア=https://ja.wikipedia.org/wiki/%E6%9D%B1%E4%BA%AC, "
                                "Αθήνα — Βικιπαίδεια=https://el.wikipedia.org/wiki/"
                                "%CE%91%CE%B8%CE%AE%CE%BD%CE%B1, Den Danske "
                                "Ordbog=https://ordnet.dk/ddo"),
                 QStringLiteral("Bogmærkelinje: København – "
                                "Wikipedia=https://da.wikipedia.org/wiki/K%C3%B8benhavn, "
                                "Sundhed.dk – din adgang=https://www.sundhed.dk/"),
                 QStringLiteral("Offentligt: borger.dk=https://www.borger.dk/, SKAT – "
                                "Skattestyrelsen=https://skat.dk/")}));
    QCOMPARE(skipped.notWeb, 1); // the toolbar's "javascript:" bookmark
    // Read from a copy: the browser's files are as they were, and nothing was made beside them.
    QCOMPARE(digest(firefoxPlaces), before);
    QVERIFY(!QFile::exists(firefoxPlaces + "-shm"));
}

void TstProfileBookmarks::readsChromiumProfile() {
    const ProfileRead read = readChromiumBookmarks(chromiumBookmarks);
    QVERIFY2(read.ok, qPrintable(read.reason));
    Skipped skipped;
    const QList<Group> groups = toGroups(read.root, &skipped);
    // Chromium took the two folders "Opslag" of the file it imported as one, and put all but
    // the toolbar's bookmarks into a folder "Imported".
    QCOMPARE(
        shown(groups),
        (QStringList{QStringLiteral("Bogmærkelinje: borger.dk=https://www.borger.dk/, Sundhed.dk – "
                                    "din adgang=https://www.sundhed.dk/"),
                     QStringLiteral("Nyheder: DR=https://www.dr.dk/, TV 2=https://www.tv2.dk/, "
                                    "Politiken Debat=https://politiken.dk/?tema=debat&side=1, "
                                    "Jyllands-Posten=https://jyllands-posten.dk/"),
                     QStringLiteral("Lokalt: Fyens Stiftstidende=https://fyens.dk/, "
                                    "Nordjyske=https://www.nordjyske.dk/"),
                     QStringLiteral("Øer: Bornholms Tidende=https://www.bornholmstidende.dk/, Ærø "
                                    "Avis=https://www.aeroeavis.dk/"),
                     QStringLiteral("Imported: YouTube=https://www.youtube.com/, youtube "
                                    "(2)=https://www.youtube.com/feed/subscriptions, Mozilla på "
                                    "dansk=https://www.mozilla.org/da/, Debian – det universelle "
                                    "styresystem=https://www.debian.org/index.da.html, Det Kgl. "
                                    "Bibliotek=https://www.kb.dk/"),
                     QStringLiteral(
                         "Opslag: Den Danske Ordbog=https://ordnet.dk/ddo, "
                         "www.krak.dk=https://www.krak.dk/, København – "
                         "Wikipedia=https://da.wikipedia.org/wiki/K%C3%B8benhavn, 東京 – "
                         "ウィキペディア=https://ja.wikipedia.org/wiki/%E6%9D%B1%E4%BA%AC, Αθήνα — "
                         "Βικιπαίδεια=https://el.wikipedia.org/wiki/"
                         "%CE%91%CE%B8%CE%AE%CE%BD%CE%B1, Копенгаген — "
                         "Википедия=https://ru.wikipedia.org/wiki/"
                         "%D0%9A%D0%BE%D0%BF%D0%B5%D0%BD%D0%B3%D0%B0%D0%B3%D0%B5%D0%BD, DMI 🌦 "
                         "vejret=https://www.dmi.dk/, Rejseplanen=https://www.rejseplanen.dk/"),
                     QStringLiteral("Sprog: Sproget.dk=https://www.sproget.dk/, Dansk "
                                    "Sprognævn=https://www.dsn.dk/")}));
    QCOMPARE(skipped.notWeb, 1);
    // Every bookmark Chromium holds is entered or counted.
    qsizetype entered = 0;
    for (const Group& group : groups)
        entered += group.entries.size();
    QFile file(chromiumBookmarks);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(entered + skipped.total(), file.readAll().count("\"type\": \"url\""));
}

void TstProfileBookmarks::unreadableProfileSaysWhy_data() {
    QTest::addColumn<bool>("firefox");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("Firefox: no database") << true << QByteArray("Dette er ikke en database.\n");
    QTest::newRow("Firefox: another database")
        << true << QByteArray("SQLite format 3\0", 16) + QByteArray(4080, '\0');
    QTest::newRow("Chromium: no JSON") << false << QByteArray("{\"roots\": ");
    QTest::newRow("Chromium: no roots") << false << QByteArray("{\"version\": 1}");
}

void TstProfileBookmarks::unreadableProfileSaysWhy() {
    QFETCH(bool, firefox);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(firefox ? "places.sqlite" : "Bookmarks");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    const ProfileRead read = firefox ? readFirefoxPlaces(path) : readChromiumBookmarks(path);
    QVERIFY(!read.ok);
    QVERIFY(!read.reason.isEmpty());
    const ProfileRead missing = firefox ? readFirefoxPlaces(dir.filePath("ingen"))
                                        : readChromiumBookmarks(dir.filePath("ingen"));
    QVERIFY(!missing.ok);
    QVERIFY(!missing.reason.isEmpty());
}

void TstProfileBookmarks::firefoxReasonsAreDanish_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<QString>("reason");
    const QString notFirefox = QStringLiteral("Filen er ikke en bogmærkedatabase fra Firefox.");
    QTest::newRow("no database") << QByteArray("Dette er ikke en database.\n") << QStringList()
                                 << notFirefox;
    QTest::newRow("empty") << QByteArray("") << QStringList() << notFirefox;
    QTest::newRow("a database of other tables")
        << QByteArray() << QStringList{"CREATE TABLE noter (id INTEGER, tekst TEXT)"} << notFirefox;
    QTest::newRow("the bookmarks without their places")
        << QByteArray()
        << QStringList{"CREATE TABLE moz_bookmarks (id INTEGER, type INTEGER, fk INTEGER, parent "
                       "INTEGER, position INTEGER, title TEXT, guid TEXT)"}
        << notFirefox;
    QTest::newRow("a column missing")
        << QByteArray()
        << QStringList{"CREATE TABLE moz_places (id INTEGER, url TEXT)",
                       "CREATE TABLE moz_bookmarks (id INTEGER, type INTEGER, parent INTEGER)"}
        << notFirefox;
    // A view that never ends: read, it would fill the memory until the program is killed.
    QTest::newRow("a view without end")
        << QByteArray()
        << QStringList{"CREATE TABLE moz_places (id INTEGER, url TEXT)",
                       "CREATE VIEW moz_bookmarks AS WITH RECURSIVE n(id) AS (SELECT 1 UNION ALL "
                       "SELECT id + 1 FROM n) SELECT id, 2 AS type, NULL AS fk, id - 1 AS parent, "
                       "0 AS position, 'Mappe' AS title, CASE id WHEN 1 THEN 'root________' END "
                       "AS guid FROM n"}
        << notFirefox;
    // A column computed each time a row is read could be made to compute a gigabyte.
    QTest::newRow("a computed column")
        << QByteArray()
        << QStringList{"CREATE TABLE moz_places (id INTEGER, url TEXT)",
                       "CREATE TABLE moz_bookmarks (id INTEGER, type INTEGER, fk INTEGER, parent "
                       "INTEGER, position INTEGER, guid TEXT, title TEXT GENERATED ALWAYS AS "
                       "(upper(guid)) VIRTUAL)",
                       "INSERT INTO moz_bookmarks (id, type, parent, guid) VALUES (1, 2, 0, "
                       "'root________')"}
        << notFirefox;
}

void TstProfileBookmarks::firefoxReasonsAreDanish() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, statements);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath("places.sqlite");
    if (statements.isEmpty())
        QVERIFY(writeBytes(path, bytes));
    else
        QVERIFY(makePlaces(path, statements, false));
    const ProfileRead read = readFirefoxPlaces(path);
    QVERIFY(!read.ok);
    QCOMPARE(read.reason, reason);
}

void TstProfileBookmarks::damagedDatabaseSaysSo() {
    // A database whose first page, with its tables, is whole, and whose rows are not.
    QTemporaryDir dir;
    const QString path = dir.filePath("places.sqlite");
    QStringList rows = firefoxRoots();
    for (int n = 0; n < 500; ++n)
        rows += bookmarkRow(100 + n, 2, n, "Side", QStringLiteral("https://eksempel.dk/%1").arg(n));
    QVERIFY(makePlaces(path, rows));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    const qint64 size = file.size();
    QVERIFY(size > 4 * 4096);
    QVERIFY(file.seek(4096));
    QCOMPARE(file.write(QByteArray(size - 4096, '\x5a')), size - 4096);
    file.close();
    const ProfileRead read = readFirefoxPlaces(path);
    QVERIFY(!read.ok);
    QCOMPARE(read.reason, QStringLiteral("Filen er beskadiget: databasen i den kan ikke læses."));
}

void TstProfileBookmarks::loopingTableIsWalkedOnce_data() {
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("groups");
    const QStringList dr = bookmarkRow(20, 5, 0, "DR", "https://www.dr.dk/");
    const QStringList tv2 = bookmarkRow(21, 7, 0, "TV 2", "https://www.tv2.dk/");
    const QStringList dmi = bookmarkRow(22, 9, 0, "DMI", "https://www.dmi.dk/");
    QTest::newRow("a folder under itself")
        << QStringList{folderRow(5, 2, 0, "Loop"), folderRow(5, 5, 1, "Loop")} + dr
        << QStringList{"Loop: DR=https://www.dr.dk/"};
    // Twice: a walk that went down each time would take 2 to the power of its depth steps.
    QTest::newRow("a folder twice under itself")
        << QStringList{folderRow(5, 2, 0, "Loop"), folderRow(5, 5, 1, "Loop"),
                       folderRow(5, 5, 2, "Loop")} +
               dr
        << QStringList{"Loop: DR=https://www.dr.dk/"};
    QTest::newRow("two folders under each other")
        << QStringList{folderRow(5, 2, 0, "A"), folderRow(7, 5, 1, "B"), folderRow(5, 7, 1, "A")} +
               dr + tv2
        << QStringList{"A: DR=https://www.dr.dk/", "B: TV 2=https://www.tv2.dk/"};
    QTest::newRow("a folder under two folders")
        << QStringList{folderRow(5, 2, 0, "A"), folderRow(7, 2, 1, "B"), folderRow(9, 5, 1, "F"),
                       folderRow(9, 7, 1, "F")} +
               dr + tv2 + dmi
        << QStringList{"A: DR=https://www.dr.dk/", "F: DMI=https://www.dmi.dk/",
                       "B: TV 2=https://www.tv2.dk/"};
    QTest::newRow("the root under the menu")
        << QStringList{folderRow(5, 2, 0, "A"), folderRow(1, 2, 1, "Rod")} + dr
        << QStringList{"A: DR=https://www.dr.dk/"};
}

void TstProfileBookmarks::loopingTableIsWalkedOnce() {
    QFETCH(QStringList, rows);
    QFETCH(QStringList, groups);
    QTemporaryDir dir;
    const QString path = dir.filePath("places.sqlite");
    QVERIFY(makePlaces(path, firefoxRoots() + rows));
    const ProfileRead read = readFirefoxPlaces(path);
    QVERIFY2(read.ok, qPrintable(read.reason));
    QCOMPARE(shown(toGroups(read.root)), groups);
    QCOMPARE(read.cut.total(), 0);
}

void TstProfileBookmarks::placesWalkKeepsToTheLimits() {
    // Deeper than the deepest folder: a chain of folders under the menu, a bookmark in each.
    QList<PlacesRow> rows{{1, 2, 0, "", "root________", ""}, {2, 2, 1, "menu", "menu________", ""}};
    constexpr int depth = deepestFolder + 50;
    for (int level = 1; level <= depth; ++level) {
        rows.append({1000 + level, 2, level == 1 ? 2 : 1000 + level - 1,
                     QStringLiteral("Mappe %1").arg(level), "", ""});
        rows.append({5000 + level, 1, 1000 + level, "Side", "", "https://eksempel.dk/"});
    }
    ProfileRead read = placesTree(rows);
    QVERIFY(read.ok);
    QCOMPARE(read.cut.tooDeep, depth - deepestFolder);
    QCOMPARE(toGroups(read.root).size(), deepestFolder);

    // More folders than the most: those past it are left out with their bookmarks. The toolbar
    // is one of the folders.
    rows = {{1, 2, 0, "", "root________", ""},
            {3, 2, 1, "toolbar", "toolbar_____", ""},
            {2, 2, 1, "menu", "menu________", ""}};
    for (int n = 1; n <= mostFolders; ++n) {
        rows.append({10 + n, 2, 2, QString::number(n), "", ""});
        rows.append({mostFolders + 10 + n, 1, 10 + n, "Side", "", "https://eksempel.dk/"});
    }
    read = placesTree(rows);
    QVERIFY(read.ok);
    QCOMPARE(read.root.folders.size(), mostFolders);
    QCOMPARE(read.root.folders.first().title, QStringLiteral("Bogmærkelinje"));
    QCOMPARE(read.root.folders.last().title, QString::number(mostFolders - 1));
    QCOMPARE(read.cut.tooMany, 1);
    QCOMPARE(read.cut.tooDeep, 0);
}

void TstProfileBookmarks::placesRowsPastTheLimitAreCounted() {
    // A table of more rows than the limits let through is read no further: the bookmarks it was
    // not read for are counted.
    QTemporaryDir dir;
    const QString path = dir.filePath("places.sqlite");
    QVERIFY(makePlaces(
        path, firefoxRoots() +
                  QStringList{"INSERT INTO moz_places VALUES (1, 'https://eksempel.dk/')",
                              QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT "
                                             "i + 1 FROM n WHERE i < %1) INSERT INTO "
                                             "moz_bookmarks SELECT 100 + i, 1, 1, 2, i, 'Side', "
                                             "'bookmark' FROM n")
                                  .arg(mostFolders + mostBookmarks + 10)}));
    const ProfileRead read = readFirefoxPlaces(path);
    QVERIFY2(read.ok, qPrintable(read.reason));
    qsizetype kept = read.root.bookmarks.size();
    QCOMPARE(kept, mostBookmarks);
    QCOMPARE(read.cut.tooMany, mostFolders + 10);
}

void TstProfileBookmarks::onlyRegularProfileFilesAreRead_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("Firefox's places.sqlite") << "places";
    QTest::newRow("Firefox's -wal beside it") << "wal";
    QTest::newRow("Chromium's Bookmarks") << "chromium";
}

void TstProfileBookmarks::onlyRegularProfileFilesAreRead() {
    // A pipe would keep the reader waiting for a writer that never comes; a folder is no file.
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath(kind == "chromium" ? "Bookmarks" : "places.sqlite");
    const QString pipe = kind == "wal" ? path + "-wal" : path;
    if (kind == "wal")
        QVERIFY(QFile::copy(firefoxPlaces, path));
    for (const bool fifo : {true, false}) {
        QFile::remove(pipe);
        QDir(pipe).removeRecursively();
        if (fifo)
            QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        else
            QVERIFY(QDir().mkdir(pipe));
        const ProfileRead read =
            kind == "chromium" ? readChromiumBookmarks(path) : readFirefoxPlaces(path);
        QVERIFY(!read.ok);
        QCOMPARE(read.reason, fifo ? QStringLiteral("Det er ikke en almindelig fil")
                                   : QStringLiteral("Det er en mappe"));
    }
}

void TstProfileBookmarks::profileFileTooLargeIsRefusedUnread_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<qint64>("limit");
    QTest::newRow("Firefox's places.sqlite") << "places" << largestPlaces;
    QTest::newRow("Firefox's -wal beside it") << "wal" << largestPlaces;
    QTest::newRow("Chromium's Bookmarks") << "chromium" << textfile::largestFile;
}

void TstProfileBookmarks::profileFileTooLargeIsRefusedUnread() {
    // Sparse files: they take no room on the disk, nor may their copies.
    QFETCH(QString, kind);
    QFETCH(qint64, limit);
    QTemporaryDir dir;
    QTemporaryDir temp;
    TemporaryFolder folder(temp.path());
    const QString path = dir.filePath(kind == "chromium" ? "Bookmarks" : "places.sqlite");
    const QString large = kind == "wal" ? path + "-wal" : path;
    if (kind == "wal")
        QVERIFY(QFile::copy(firefoxPlaces, path));
    QFile file(large);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.resize(limit + 1));
    file.close();
    const ProfileRead read =
        kind == "chromium" ? readChromiumBookmarks(path) : readFirefoxPlaces(path);
    QVERIFY(!read.ok);
    QCOMPARE(read.reason,
             QStringLiteral("Filen er for stor til at blive læst (over %1 MB)").arg(limit >> 20));
    QVERIFY(copiesIn(temp.path()).isEmpty());
}

void TstProfileBookmarks::staleCopiesAreRemoved() {
    QTemporaryDir temp;
    TemporaryFolder folder(temp.path());
    // A program killed while it read: its copy stays behind.
    const pid_t child = ::fork();
    if (child == 0) {
        setAfterPlacesCopy([] { ::_exit(0); });
        (void)readFirefoxPlaces(firefoxPlaces);
        ::_exit(1);
    }
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const QStringList stale = copiesIn(temp.path());
    QCOMPARE(stale.size(), 1);
    QVERIFY(QFileInfo::exists(temp.filePath(stale[0] + "/places.sqlite")));

    // What is not the program's own copy stays: another name, and a link of the copies' name
    // with what it leads to.
    QTemporaryDir elsewhere;
    QVERIFY(writeBytes(elsewhere.filePath("behold.txt"), "behold\n"));
    QVERIFY(QFile::link(elsewhere.path(), temp.filePath("lenkaro-places-link")));
    QVERIFY(QDir(temp.path()).mkdir("andet-places"));

    // The next read removes the stale copy; a read going on at the same time (here, the one
    // around it) keeps its own.
    QStringList duringRead;
    ProfileRead inner;
    bool around = true;
    setAfterPlacesCopy([&] {
        if (!around)
            return;
        around = false;
        duringRead = copiesIn(temp.path());
        inner = readFirefoxPlaces(firefoxPlaces);
    });
    const ProfileRead outer = readFirefoxPlaces(firefoxPlaces);
    setAfterPlacesCopy({});
    QVERIFY2(outer.ok, qPrintable(outer.reason));
    QVERIFY2(inner.ok, qPrintable(inner.reason));
    QCOMPARE(duringRead.size(), 2); // the link and the read's own copy
    QVERIFY(!duringRead.contains(stale[0]));
    QCOMPARE(copiesIn(temp.path()), QStringList{"lenkaro-places-link"});
    QVERIFY(QFileInfo::exists(elsewhere.filePath("behold.txt")));
    QVERIFY(QFileInfo(temp.filePath("andet-places")).isDir());
}

void TstProfileBookmarks::chromiumFileOfAnotherShape_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason"); // empty: read, without bookmarks
    const QString noBookmarks = QStringLiteral("Filen har ingen bogmærker.");
    const QString noJson =
        QStringLiteral("Filen er ikke en bogmærkefil fra Chromium (den er ikke gyldig JSON).");
    QTest::newRow("empty") << QByteArray() << noJson;
    QTest::newRow("cut short") << QByteArray("{\"roots\": {\"bookmark_bar\": ") << noJson;
    QTest::newRow("a list") << QByteArray("[1, 2, 3]") << noBookmarks;
    QTest::newRow("roots a list") << QByteArray("{\"roots\": [{\"children\": []}]}") << noBookmarks;
    QTest::newRow("a root a list")
        << QByteArray("{\"roots\": {\"bookmark_bar\": [{\"type\": \"url\", \"url\": "
                      "\"https://www.dr.dk/\"}]}}")
        << QString();
    QTest::newRow("children an object")
        << QByteArray("{\"roots\": {\"other\": {\"children\": {\"type\": \"url\", \"url\": "
                      "\"https://www.dr.dk/\"}}}}")
        << QString();
    QTest::newRow("children of every type")
        << QByteArray("{\"roots\": {\"other\": {\"children\": [1, \"url\", null, [], true, "
                      "{\"type\": 7}, {\"type\": \"url\", \"url\": 5}, {\"type\": \"folder\", "
                      "\"children\": 3}]}}}")
        << QString();
    // Deeper than the JSON reader goes: no JSON the program reads.
    QTest::newRow("nested past the reader")
        << QByteArray(5000, '[') + QByteArray(5000, ']') << noJson;
}

void TstProfileBookmarks::chromiumFileOfAnotherShape() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath("Bookmarks");
    QVERIFY(writeBytes(path, bytes));
    const ProfileRead read = readChromiumBookmarks(path);
    QCOMPARE(read.reason, reason);
    QCOMPARE(read.ok, reason.isEmpty());
    QVERIFY(toGroups(read.root).isEmpty());
}

void TstProfileBookmarks::deepChromiumFileIsReadToTheDeepestFolder() {
    constexpr int depth = deepestFolder + 100;
    QJsonArray children{chromiumBookmark("Bund", "https://eksempel.dk/bund")};
    for (int level = depth; level > 1; --level)
        children = {chromiumFolder(QStringLiteral("Mappe %1").arg(level), children),
                    chromiumBookmark("Side", QStringLiteral("https://eksempel.dk/%1").arg(level))};
    QTemporaryDir dir;
    const QString path = dir.filePath("Bookmarks");
    QVERIFY(writeBytes(path, chromiumFile(children)));
    const ProfileRead read = readChromiumBookmarks(path);
    QVERIFY2(read.ok, qPrintable(read.reason));
    // The toolbar is level 1, and the folders in it from level 2 on.
    const QList<Group> groups = toGroups(read.root);
    QCOMPARE(groups.size(), deepestFolder);
    QCOMPARE(groups.first().navn, QStringLiteral("Bogmærkelinje"));
    QCOMPARE(groups.last().navn, QStringLiteral("Mappe %1").arg(deepestFolder));
    QCOMPARE(read.cut.tooDeep, depth - deepestFolder);
}

void TstProfileBookmarks::profileNamesAreShownOnOneLine() {
    // The names Chromium keeps for its profiles, and a profile folder's own name, may hold line
    // breaks: the chooser shows each profile on one line.
    QTemporaryDir home;
    const QString chromium = home.filePath("config/chromium");
    for (const char* profile : {"Default", "Profile 1", "Ny\nlinje"}) {
        QVERIFY(QDir().mkpath(chromium + u'/' + profile));
        QVERIFY(QFile::copy(chromiumBookmarks, chromium + u'/' + profile + "/Bookmarks"));
    }
    QVERIFY(
        writeBytes(chromium + "/Local State",
                   "{\"profile\": {\"info_cache\": {\"Default\": {\"name\": \"Arbejde\\n"
                   "Privat\"}, \"Profile 1\": {\"name\": \"Tab\\tog\\u2028adskiller\\u0001\"}}}}"));
    QStringList labels;
    for (const BrowserProfile& profile : findBrowserProfiles(home.path(), home.filePath("config")))
        labels << profile.label();
    QCOMPARE(labels, (QStringList{"Chromium: Arbejde Privat (Default)", "Chromium: Ny linje",
                                  "Chromium: Tab og adskiller (Profile 1)"}));
}

void TstProfileBookmarks::profileNamesAreReadAsFirefoxWritesThem() {
    // Firefox writes a profile's name as it is: a comma is part of the name, and a backslash
    // is no escape.
    QTemporaryDir home;
    const QString firefox = home.filePath(".mozilla/firefox");
    for (const char* profile : {"a.arbejde", "b.hjem"}) {
        QVERIFY(QDir().mkpath(firefox + u'/' + profile));
        QVERIFY(QFile::copy(firefoxPlaces, firefox + u'/' + profile + "/places.sqlite"));
    }
    QVERIFY(writeBytes(firefox + "/profiles.ini",
                       "; Firefox' egne\r\n[General]\r\nStartWithLastProfile=1\r\n\r\n"
                       "[Profile0]\r\nName=Arbejde, privat\r\nIsRelative=1\r\nPath=a.arbejde\r\n"
                       "[Profile1]\r\n  Name = Hjem\\nog have  \r\nPath=b.hjem\r\n"));
    QStringList labels;
    for (const BrowserProfile& profile : findBrowserProfiles(home.path(), home.filePath("config")))
        labels << profile.label();
    QCOMPARE(labels, (QStringList{"Firefox: Arbejde, privat", "Firefox: Hjem\\nog have"}));
}

void TstProfileBookmarks::profileStateFilesAreCheckedBeforeTheyAreRead() {
    // A pipe for Chromium's state file or Firefox's list of profiles keeps no one waiting: the
    // Chromium profile is shown by its folder's name, and a Firefox list that cannot be read
    // names no profile.
    QTemporaryDir home;
    const QString chromium = home.filePath("config/chromium");
    QVERIFY(QDir().mkpath(chromium + "/Default"));
    QVERIFY(QFile::copy(chromiumBookmarks, chromium + "/Default/Bookmarks"));
    QCOMPARE(::mkfifo(QFile::encodeName(chromium + "/Local State").constData(), 0600), 0);
    const QString firefox = home.filePath(".mozilla/firefox");
    QVERIFY(QDir().mkpath(firefox + "/a.standard"));
    QVERIFY(QFile::copy(firefoxPlaces, firefox + "/a.standard/places.sqlite"));
    QCOMPARE(::mkfifo(QFile::encodeName(firefox + "/profiles.ini").constData(), 0600), 0);
    QStringList labels;
    for (const BrowserProfile& profile : findBrowserProfiles(home.path(), home.filePath("config")))
        labels << profile.label();
    QCOMPARE(labels, QStringList{"Chromium: Default"});
}

QTEST_GUILESS_MAIN(TstProfileBookmarks)
#include "tst_profilebookmarks.moc"
