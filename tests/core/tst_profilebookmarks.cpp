#include "core/shownbookmarks.h"
#include "platform/browserprofiles.h"
#include "store/profilebookmarks.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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

QTEST_GUILESS_MAIN(TstProfileBookmarks)
#include "tst_profilebookmarks.moc"
