#include "controls.h"
#include "core/placesdb.h"
#include "fixture.h"
#include "writefile.h"

#include "platform/toolkit/listchoice.h"
#include "platform/toolkit/progresswindow.h"
#include "platform/toolkit/updateaction.h"
#include "store/bookmarks.h"
#include "store/groups.h"
#include "store/model.h"
#include "ui/main/main.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QMenu>
#include <QTest>

#include <sys/stat.h>

// Bookmark files in and out through the main window's popup menu, as a user would.
class TstBookmarkWindow : public QObject {
    Q_OBJECT
private slots:
    void popupMenuEndsWithTheTwoItems();
    void importsBrowserFile();
    void importAsksBeforeOverwriting();
    void refusesFileThatIsNoBookmarkFile();
    void cancelledDialogDoesNothing();
    void exportsCurrentGroupOrAll();
    void onlyForWebAddresses();
    void asksOnceBeforeOverwritingMany_data();
    void asksOnceBeforeOverwritingMany();
    void progressWindowCancels();
    void closingMessageSaysWhatWasSkipped_data();
    void closingMessageSaysWhatWasSkipped();
    void importsFromBrowserProfile_data();
    void importsFromBrowserProfile();
    void browserProfileNotFoundOrUnreadable();
    void fileThatIsNoRegularFileIsNotRead_data();
    void fileThatIsNoRegularFileIsNotRead();
    void fileTooLargeIsRefused();
    void closingMessageSaysWhatTheLimitsLeftOut();
    void browserProfilePastTheLimits();
    void firefoxProfileWithALoop();
    void firefoxReasonIsDanish();
    void profileWithALineBreakInItsNameIsOneRow();
    void sameNamedProfilesAreToldApart();
};

namespace {

QString fixture(const char* name) {
    return QStringLiteral(FIXTURES "/") + QString::fromLatin1(name);
}

// A user with the web group Nyheder holding DR.
void nyheder(Fixture& f) {
    f.makeUser();
    Fixture::element(f.web() + "/Nyheder", "DR", "https://www.dr.dk/", 7);
    writeFixture(f.web() + "/webgruppe.txt", {"Nyheder"});
}

// A bookmark file of the given entries in the folder given, written as the text is.
QString bookmarkFile(Fixture& f, const QString& folder, const QString& entries) {
    const QString path = f.tmp.filePath("bogmærker.html");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n<DT><H3>" + folder +
                "</H3>\n<DL><p>\n" + entries + "\n</DL><p>\n</DL><p>\n")
                   .toUtf8());
    return path;
}

// Copies the tree at from to to.
bool copyTree(const QString& from, const QString& to) {
    QDir().mkpath(to);
    for (const QFileInfo& info :
         QDir(from).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const QString target = to + u'/' + info.fileName();
        if (info.isDir() ? !copyTree(info.filePath(), target)
                         : !QFile::copy(info.filePath(), target))
            return false;
    }
    return true;
}

// The user's home and configuration folder point at home for as long as it lives.
class Home {
public:
    explicit Home(const QString& path)
        : oldHome(qgetenv("HOME")), oldConfig(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("HOME", path.toUtf8());
        qputenv("XDG_CONFIG_HOME", (path + "/config").toUtf8());
    }
    ~Home() {
        qputenv("HOME", oldHome);
        if (oldConfig.isEmpty())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", oldConfig);
    }

private:
    QByteArray oldHome, oldConfig;
};

QStringList groupRows(const QListWidget* list) {
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text();
    return rows;
}

// A Firefox profile "hjemme" under home whose places.sqlite holds Firefox's own folders and
// the rows given.
QString firefoxProfile(const QString& home, const QStringList& rows) {
    const QString dir = home + "/.mozilla/firefox";
    QDir().mkpath(dir + "/abc.hjemme");
    QFile ini(dir + "/profiles.ini");
    ini.open(QIODevice::WriteOnly);
    ini.write("[Profile0]\nName=hjemme\nIsRelative=1\nPath=abc.hjemme\n");
    ini.close();
    const QString places = dir + "/abc.hjemme/places.sqlite";
    return makePlaces(places, firefoxRoots() + rows) ? places : QString();
}

} // namespace

void TstBookmarkWindow::popupMenuEndsWithTheTwoItems() {
    Fixture f;
    App& app = f.start();
    QStringList items;
    for (const QAction* action : control<QMenu>(app.mainform, "popupMenu")->actions())
        items << (action->isSeparator() ? QStringLiteral("-") : action->text());
    // "Find element..." comes after them, behind a separator of its own.
    QCOMPARE(items,
             (QStringList{"Administrer grupper og elementer", "-", "Skift indhold", "-",
                          "Information", "-", "Importér bogmærker...", "Importér fra browser...",
                          "Eksportér bogmærker...", "-", "Find element..."}));
}

void TstBookmarkWindow::importsBrowserFile() {
    Fixture f;
    nyheder(f);
    App& app = f.start();
    FileDialog::setNextFile(fixture("chromium.html"));
    QVERIFY(control<UpdateAction>(app.mainform, "aImportBookmarks")->execute());
    QCOMPARE(FileDialog::takeShown(), QStringList{"Vælg bogmærkefil|" + QDir::homePath()});
    QCOMPARE(app.infform->takeShown(), QStringList{"6 bogmærker er indført i 4 grupper."});
    QVERIFY(app.spform->takeShown().isEmpty());
    const QStringList groups{"Nyheder", "Bogmærkelinje", "Opslag", "Andre bogmærker", "Opslag (2)"};
    QCOMPARE(groupRows(control<QListWidget>(app.mainform, "gruppeBoksen")), groups);
    QCOMPARE(*textfile::readLines(f.web() + "/webgruppe.txt"), groups);
    QCOMPARE(textfile::readLines(f.web() + "/Opslag/www.krak.dk.txt")->value(0),
             QStringLiteral("https://www.krak.dk/"));
    QVERIFY(QFileInfo::exists(f.web() + "/Andre bogmærker/youtube (2).txt"));
}

void TstBookmarkWindow::importAsksBeforeOverwriting() {
    Fixture f;
    nyheder(f);
    App& app = f.start();
    app.model->selectGroup("Nyheder");
    const QString path = f.tmp.filePath("nyheder.html");
    QVERIFY(store::bookmarks::writeFile(
        path,
        {{"Nyheder", {{"DR", "https://www.dr.dk/nyheder"}, {"TV 2", "https://nyheder.tv2.dk/"}}}}));
    FileDialog::setNextFile(path);
    app.spform->setNextAnswer(false);
    QVERIFY(control<UpdateAction>(app.mainform, "aImportBookmarks")->execute());
    QCOMPARE(app.spform->takeShown(),
             QStringList{"1 element findes allerede i gruppen \"Nyheder\".\rSkal det "
                         "overskrives?\r\r\"Nej\" beholder det og indfører resten."});
    QCOMPARE(app.infform->takeShown(),
             QStringList{"1 bogmærke er indført i 1 gruppe.\r1 blev ikke overskrevet."});
    // DR keeps its address and visits; the current group's list shows TV 2 at once.
    QCOMPARE(textfile::readLines(f.web() + "/Nyheder/DR.txt")->value(4), QStringLiteral("7"));
    QCOMPARE(app.model->Web().size(), 2);
    QCOMPARE(groupRows(control<QListWidget>(app.mainform, "gruppeBoksen")), QStringList{"Nyheder"});
}

void TstBookmarkWindow::refusesFileThatIsNoBookmarkFile() {
    Fixture f;
    nyheder(f);
    App& app = f.start();
    FileDialog::setNextFile(fixture("page.html"));
    QVERIFY(control<UpdateAction>(app.mainform, "aImportBookmarks")->execute());
    QCOMPARE(app.infform->takeShown(),
             QStringList{"Filen er ikke en bogmærkefil!\rVælg en fil, som en browser har "
                         "eksporteret bogmærker til (HTML)."});
    QCOMPARE(QDir(f.web()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"Nyheder"});
    QCOMPARE(*textfile::readLines(f.web() + "/webgruppe.txt"), QStringList{"Nyheder"});

    // A file that cannot be read is a file error, with its path.
    FileDialog::setNextFile(f.tmp.filePath("findes-ikke.html"));
    QVERIFY(control<UpdateAction>(app.mainform, "aImportBookmarks")->execute());
    QCOMPARE(MessageBox::takeShown().size(), 1);
    QVERIFY(app.infform->takeShown().isEmpty());
}

void TstBookmarkWindow::cancelledDialogDoesNothing() {
    Fixture f;
    nyheder(f);
    App& app = f.start();
    QVERIFY(control<UpdateAction>(app.mainform, "aImportBookmarks")->execute());
    QVERIFY(control<UpdateAction>(app.mainform, "aExportBookmarks")->execute());
    QCOMPARE(FileDialog::takeShown().size(), 2);
    QVERIFY(app.infform->takeShown().isEmpty());
    QVERIFY(MessageBox::takeShown().isEmpty());
}

void TstBookmarkWindow::exportsCurrentGroupOrAll() {
    Fixture f;
    nyheder(f);
    Fixture::element(f.web() + "/Opslag", "Krak", "https://www.krak.dk/");
    writeFixture(f.web() + "/webgruppe.txt", {"Nyheder", "Opslag"});
    App& app = f.start();
    app.model->selectGroup("Nyheder");
    const QString one = f.tmp.filePath("en.html");
    FileDialog::setNextFile(one);
    app.spform->setNextAnswer(true);
    QVERIFY(control<UpdateAction>(app.mainform, "aExportBookmarks")->execute());
    QCOMPARE(app.spform->takeShown(),
             QStringList{"Eksportér kun gruppen \"Nyheder\"?\r\r\"Nej\" eksporterer alle "
                         "grupperne."});
    QCOMPARE(FileDialog::takeShown(),
             QStringList{"Gem bogmærkefil|" + QDir(QDir::homePath()).filePath("Nyheder.html")});
    QCOMPARE(app.infform->takeShown(),
             QStringList{"1 bogmærke i 1 gruppe er gemt i\r" + QDir::toNativeSeparators(one)});
    auto groups = store::bookmarks::toGroups(store::bookmarks::readFile(one).root);
    QCOMPARE(groups.size(), 1);
    QCOMPARE(groups[0].navn, QStringLiteral("Nyheder"));

    const QString all = f.tmp.filePath("alle.html");
    FileDialog::setNextFile(all);
    app.spform->setNextAnswer(false);
    QVERIFY(control<UpdateAction>(app.mainform, "aExportBookmarks")->execute());
    groups = store::bookmarks::toGroups(store::bookmarks::readFile(all).root);
    QCOMPARE(groups.size(), 2);
    QCOMPARE(groups[1].entries[0].url, QStringLiteral("https://www.krak.dk/"));
}

void TstBookmarkWindow::onlyForWebAddresses() {
    Fixture f;
    nyheder(f);
    App& app = f.start();
    QVERIFY(control<UpdateAction>(app.mainform, "aImportBookmarks")->update());
    QVERIFY(control<UpdateAction>(app.mainform, "aExportBookmarks")->update());
    control<UpdateAction>(app.mainform, "actionSI")->trigger();
    QCOMPARE(app.model->funkNo(), quint8(1));
    QVERIFY(!control<UpdateAction>(app.mainform, "aImportBookmarks")->update());
    QVERIFY(!control<UpdateAction>(app.mainform, "aExportBookmarks")->update());
    QVERIFY(!control<UpdateAction>(app.mainform, "aImportBookmarks")->execute());
    QVERIFY(FileDialog::takeShown().isEmpty());
}

void TstBookmarkWindow::asksOnceBeforeOverwritingMany_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("Ja overwrites them all") << true;
    QTest::newRow("Nej keeps them all and enters the rest") << false;
}

void TstBookmarkWindow::asksOnceBeforeOverwritingMany() {
    QFETCH(bool, yes);
    Fixture f;
    nyheder(f);
    Fixture::element(f.web() + "/Opslag", "Krak", "https://www.krak.dk/", 3);
    Fixture::element(f.web() + "/Opslag", "DDO", "https://ordnet.dk/ddo", 4);
    writeFixture(f.web() + "/webgruppe.txt", {"Nyheder", "Opslag"});
    App& app = f.start();
    const QString path = f.tmp.filePath("mange.html");
    QVERIFY(store::bookmarks::writeFile(
        path, {{"Nyheder", {{"DR", "https://www.dr.dk/nyheder"}, {"TV 2", "https://tv2.dk/"}}},
               {"opslag", {{"krak", "https://krak.dk/"}, {"DDO", "https://ordnet.dk/"}}},
               {"Ny", {{"DMI", "https://www.dmi.dk/"}}}}));
    FileDialog::setNextFile(path);
    app.spform->setNextAnswer(yes);
    QVERIFY(control<UpdateAction>(app.mainform, "aImportBookmarks")->execute());
    // One question, naming how many and where, before anything is written.
    QCOMPARE(app.spform->takeShown(),
             QStringList{"3 elementer findes allerede i 2 grupper: \"Nyheder\", \"Opslag\".\r"
                         "Skal de overskrives?\r\r\"Nej\" beholder dem og indfører resten."});
    QCOMPARE(app.infform->takeShown(),
             QStringList{yes ? QStringLiteral("5 bogmærker er indført i 3 grupper.")
                             : QStringLiteral("2 bogmærker er indført i 2 grupper.\r3 blev ikke "
                                              "overskrevet.")});
    QCOMPARE(textfile::readLines(f.web() + "/Opslag/Krak.txt")->value(0),
             yes ? QStringLiteral("https://krak.dk/") : QStringLiteral("https://www.krak.dk/"));
    QCOMPARE(textfile::readLines(f.web() + "/Nyheder/DR.txt")->value(4),
             yes ? QStringLiteral("0") : QStringLiteral("7"));
    QVERIFY(QFileInfo::exists(f.web() + "/Ny/DMI.txt"));
    QVERIFY(QFileInfo::exists(f.web() + "/Nyheder/TV 2.txt"));
}

void TstBookmarkWindow::progressWindowCancels() {
    Fixture f;
    nyheder(f);
    App& app = f.start();
    const QString path = f.tmp.filePath("fem.html");
    QVERIFY(store::bookmarks::writeFile(
        path, {{"A", {{"Et", "https://et.dk/"}, {"To", "https://to.dk/"}}},
               {"B", {{"Tre", "https://tre.dk/"}, {"Fire", "https://fire.dk/"}}},
               {"C", {{"Fem", "https://fem.dk/"}}}}));
    FileDialog::setNextFile(path);
    ProgressWindow::setNextCancelAt(3);
    QVERIFY(control<UpdateAction>(app.mainform, "aImportBookmarks")->execute());
    QCOMPARE(ProgressWindow::takeShown(), (QStringList{"Lenkaro|Bogmærkerne indføres ...|5", "3"}));
    QCOMPARE(app.infform->takeShown(),
             QStringList{"Importen blev annulleret efter 3 af 5 bogmærker.\r"
                         "3 bogmærker er indført i 2 grupper."});
    // What was written stays, and its groups are listed; nothing after it was written.
    QCOMPARE(groupRows(control<QListWidget>(app.mainform, "gruppeBoksen")),
             (QStringList{"Nyheder", "A", "B"}));
    QVERIFY(QFileInfo::exists(f.web() + "/B/Tre.txt"));
    QVERIFY(!QFileInfo::exists(f.web() + "/B/Fire.txt"));
    QVERIFY(!QFileInfo::exists(f.web() + "/C"));
}

void TstBookmarkWindow::closingMessageSaysWhatWasSkipped_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("entries");
    QTest::addColumn<QString>("message");
    const QString dr = "<DT><A HREF=\"https://www.dr.dk/\">DR</A>\n";
    const QString js = "<DT><A HREF=\"javascript:alert(1)\">JS</A>\n";
    const QString broken = "<DT><A HREF=\"https://www.dr.dk/&#10;x\">Brudt</A>\n";
    QTest::newRow("one no web address")
        << "Nyt" << dr + js
        << "1 bogmærke er indført i 1 gruppe.\r1 var ikke en webadresse og blev sprunget over.";
    QTest::newRow("two no web addresses")
        << "Nyt" << dr + js + js
        << "1 bogmærke er indført i 1 gruppe.\r2 var ikke webadresser og blev sprunget over.";
    QTest::newRow("one line break in an address")
        << "Nyt" << dr + broken
        << "1 bogmærke er indført i 1 gruppe.\r1 havde et navn eller en adresse, som ikke kan "
           "stå i en fil, og blev sprunget over.";
    QTest::newRow("two, and one no web address")
        << "Nyt" << dr + broken + broken + js
        << "1 bogmærke er indført i 1 gruppe.\r1 var ikke en webadresse og blev sprunget "
           "over.\r2 havde navne eller adresser, som ikke kan stå i en fil, og blev sprunget over.";
    QTest::newRow("nothing left to enter")
        << "Nyt" << broken
        << "Der er ingen webadresser i bogmærkefilen.\r1 havde et navn eller en adresse, som ikke "
           "kan stå i en fil, og blev sprunget over.";
    // A folder named as the program's own list becomes a group of another name.
    QTest::newRow("a folder named as the shelf's list")
        << "webLager.txt" << dr << "1 bogmærke er indført i 1 gruppe.";
}

void TstBookmarkWindow::closingMessageSaysWhatWasSkipped() {
    QFETCH(QString, folder);
    QFETCH(QString, entries);
    QFETCH(QString, message);
    Fixture f;
    nyheder(f);
    App& app = f.start();
    FileDialog::setNextFile(bookmarkFile(f, folder, entries));
    QVERIFY(control<UpdateAction>(app.mainform, "aImportBookmarks")->execute());
    QCOMPARE(app.infform->takeShown(), QStringList{message});
    QVERIFY(MessageBox::takeShown().isEmpty());
    // No line of any file was broken, and no folder stands where a list belongs.
    QVERIFY(QFileInfo(f.web() + "/webLager.txt").isFile() ||
            !QFileInfo::exists(f.web() + "/webLager.txt"));
    const QStringList groups = *textfile::readLines(f.web() + "/webgruppe.txt");
    for (const QString& group : groups) {
        QVERIFY(store::isGroupName(group));
        for (const QFileInfo& file : QDir(f.web() + u'/' + group).entryInfoList(QDir::Files)) {
            const QStringList lines = *textfile::readLines(file.filePath());
            QCOMPARE(lines.size(), 6);
            QVERIFY(lines[0].startsWith("https://"));
        }
    }
}

void TstBookmarkWindow::importsFromBrowserProfile_data() {
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("element");
    // DR of the group Nyheder is there already, and is kept.
    QTest::newRow("Firefox ESR") << 0
                                 << "23 bogmærker er indført i 9 grupper.\r1 blev ikke "
                                    "overskrevet.\r1 var ikke en webadresse og blev sprunget over."
                                 << "Bogmærker"
                                 << "Folketinget – ft.dk";
    QTest::newRow("Chromium") << 1
                              << "24 bogmærker er indført i 7 grupper.\r1 blev ikke "
                                 "overskrevet.\r1 var ikke en webadresse og blev sprunget over."
                              << "Øer"
                              << "Ærø Avis";
}

void TstBookmarkWindow::importsFromBrowserProfile() {
    QFETCH(int, choice);
    QFETCH(QString, message);
    QFETCH(QString, group);
    QFETCH(QString, element);
    Fixture f;
    nyheder(f);
    // The profiles the two browsers made, in the places where they keep them.
    const QString home = f.tmp.filePath("hjem");
    QVERIFY(copyTree(fixture("profiles"), home));
    Home user(home);
    App& app = f.start();
    ListChoice::setNextChoice(choice);
    QVERIFY(control<UpdateAction>(app.mainform, "aImportProfile")->execute());
    QCOMPARE(ListChoice::takeShown(),
             QStringList{"Importér fra browser|Vælg den browserprofil, hvis bogmærker skal "
                         "indføres:|Firefox: lenkaro|Chromium: Default"});
    QCOMPARE(app.spform->takeShown().size(), 1);
    QCOMPARE(app.infform->takeShown(), QStringList{message});
    QVERIFY(QFileInfo(f.web() + u'/' + group + u'/' + element + ".txt").isFile());
    QVERIFY(textfile::readLines(f.web() + "/webgruppe.txt")->contains(group));
    // Read while the browser may hold it: its files stay as they are.
    QVERIFY(!QFileInfo::exists(home + "/config/mozilla/firefox/lenkaro.profile/places.sqlite-shm"));
}

void TstBookmarkWindow::browserProfileNotFoundOrUnreadable() {
    Fixture f;
    nyheder(f);
    const QString home = f.tmp.filePath("hjem");
    QDir().mkpath(home);
    Home user(home);
    App& app = f.start();
    QVERIFY(control<UpdateAction>(app.mainform, "aImportProfile")->execute());
    QCOMPARE(app.infform->takeShown(), QStringList{"Der er ingen browserprofiler med bogmærker."});
    QVERIFY(ListChoice::takeShown().isEmpty());

    // A profile whose file cannot be read is named, with the reason.
    const QString bookmarks = home + "/config/chromium/Default/Bookmarks";
    QDir().mkpath(QFileInfo(bookmarks).path());
    QFile file(bookmarks);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("{\"roots\": ");
    file.close();
    ListChoice::setNextChoice(0);
    QVERIFY(control<UpdateAction>(app.mainform, "aImportProfile")->execute());
    const QStringList shown = app.infform->takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].startsWith("Bogmærkerne i Chromium: Default kan ikke læses:\r" +
                                 QDir::toNativeSeparators(bookmarks) + "\r"),
             qPrintable(shown[0]));
    QCOMPARE(*textfile::readLines(f.web() + "/webgruppe.txt"), QStringList{"Nyheder"});
}

void TstBookmarkWindow::fileThatIsNoRegularFileIsNotRead_data() {
    QTest::addColumn<bool>("fifo");
    QTest::addColumn<QString>("reason");
    // A pipe would keep the window waiting, frozen, for a writer that never comes.
    QTest::newRow("a named pipe") << true << "Det er ikke en almindelig fil";
    QTest::newRow("a folder") << false << "Det er en mappe";
}

void TstBookmarkWindow::fileThatIsNoRegularFileIsNotRead() {
    QFETCH(bool, fifo);
    QFETCH(QString, reason);
    Fixture f;
    nyheder(f);
    App& app = f.start();
    const QString path = f.tmp.filePath("bogmærker.html");
    if (fifo)
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else
        QVERIFY(QDir().mkdir(path));
    FileDialog::setNextFile(path);
    QVERIFY(control<UpdateAction>(app.mainform, "aImportBookmarks")->execute());
    const QList<MessageBox::Shown> shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text,
             "Kan ikke læse filen \"" + QDir::toNativeSeparators(path) + "\".\n" + reason);
    QVERIFY(app.infform->takeShown().isEmpty());
    QCOMPARE(*textfile::readLines(f.web() + "/webgruppe.txt"), QStringList{"Nyheder"});
}

void TstBookmarkWindow::fileTooLargeIsRefused() {
    // Refused before it is read, with the reason every reader gives; the file is sparse, so it
    // takes no room on the disk.
    Fixture f;
    nyheder(f);
    App& app = f.start();
    const QString path = bookmarkFile(f, "Nyt", "<DT><A HREF=\"https://www.dr.dk/\">DR</A>");
    QFile file(path);
    QVERIFY(file.resize(textfile::largestFile + 1));
    FileDialog::setNextFile(path);
    QVERIFY(control<UpdateAction>(app.mainform, "aImportBookmarks")->execute());
    const QList<MessageBox::Shown> shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].text.endsWith("\nFilen er for stor til at blive læst (over 64 MB)"),
             qPrintable(shown[0].text));
    QVERIFY(app.infform->takeShown().isEmpty());
}

void TstBookmarkWindow::closingMessageSaysWhatTheLimitsLeftOut() {
    // Folders inside folders, deeper than an import goes, a bookmark in each.
    Fixture f;
    nyheder(f);
    App& app = f.start();
    constexpr int depth = store::bookmarks::deepestFolder + 5;
    QString folders, ends;
    for (int level = 1; level <= depth; ++level) {
        folders += QStringLiteral("<DT><H3>Mappe %1</H3>\n<DL><p>\n"
                                  "<DT><A HREF=\"https://eksempel.dk/%1\">Side</A>\n")
                       .arg(level);
        ends += "</DL><p>\n";
    }
    const QString path = f.tmp.filePath("dyb.html");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(
        ("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n" + folders + ends + "</DL>\n").toUtf8());
    file.close();
    FileDialog::setNextFile(path);
    QVERIFY(control<UpdateAction>(app.mainform, "aImportBookmarks")->execute());
    QCOMPARE(app.infform->takeShown(),
             QStringList{"200 bogmærker er indført i 200 grupper.\r5 bogmærker blev sprunget "
                         "over: en import læser mapper højst 200 niveauer ned."});
    QVERIFY(QFileInfo::exists(f.web() + "/Mappe 200/Side.txt"));
    QVERIFY(!QFileInfo::exists(f.web() + "/Mappe 201"));
}

void TstBookmarkWindow::browserProfilePastTheLimits() {
    // More folders than an import takes, and the bookmarks in a folder past them: what was left
    // out is told, also when nothing else is entered.
    Fixture f;
    nyheder(f);
    const QString home = f.tmp.filePath("hjem");
    QJsonArray children;
    for (int n = 0; n < store::bookmarks::mostFolders; ++n)
        children.append(QJsonObject{{"type", "folder"}, {"name", QString::number(n)}});
    children.append(QJsonObject{
        {"type", "folder"},
        {"name", "For mange"},
        {"children", QJsonArray{QJsonObject{{"type", "url"}, {"url", "https://www.dr.dk/"}},
                                QJsonObject{{"type", "url"}, {"url", "https://www.tv2.dk/"}}}}});
    const QString bookmarks = home + "/config/chromium/Default/Bookmarks";
    QVERIFY(QDir().mkpath(QFileInfo(bookmarks).path()));
    QFile file(bookmarks);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(
        QJsonDocument(QJsonObject{{"roots", QJsonObject{{"bookmark_bar",
                                                         QJsonObject{{"children", children}}}}}})
            .toJson(QJsonDocument::Compact));
    file.close();
    Home user(home);
    App& app = f.start();
    ListChoice::setNextChoice(0);
    QVERIFY(control<UpdateAction>(app.mainform, "aImportProfile")->execute());
    QCOMPARE(app.infform->takeShown(),
             QStringList{"Der er ingen webadresser i browserprofilen.\r2 bogmærker blev sprunget "
                         "over: en import tager højst 1.000.000 bogmærker og 100.000 mapper."});
}

void TstBookmarkWindow::firefoxProfileWithALoop() {
    // A folder listed under itself (twice: the table has no primary key) is walked once.
    Fixture f;
    nyheder(f);
    const QString home = f.tmp.filePath("hjem");
    QVERIFY(
        !firefoxProfile(home, QStringList{folderRow(5, 2, 0, "Loop"), folderRow(5, 5, 1, "Loop"),
                                          folderRow(5, 5, 2, "Loop")} +
                                  bookmarkRow(6, 5, 0, "DR", "https://www.dr.dk/"))
             .isEmpty());
    Home user(home);
    App& app = f.start();
    ListChoice::setNextChoice(0);
    QVERIFY(control<UpdateAction>(app.mainform, "aImportProfile")->execute());
    QCOMPARE(app.infform->takeShown(), QStringList{"1 bogmærke er indført i 1 gruppe."});
    QCOMPARE(*textfile::readLines(f.web() + "/webgruppe.txt"), (QStringList{"Nyheder", "Loop"}));
}

void TstBookmarkWindow::firefoxReasonIsDanish() {
    Fixture f;
    nyheder(f);
    const QString home = f.tmp.filePath("hjem");
    const QString places =
        firefoxProfile(home, {"DROP TABLE moz_places", "CREATE TABLE noter (tekst TEXT)"});
    QVERIFY(!places.isEmpty());
    Home user(home);
    App& app = f.start();
    ListChoice::setNextChoice(0);
    QVERIFY(control<UpdateAction>(app.mainform, "aImportProfile")->execute());
    QCOMPARE(app.infform->takeShown(),
             QStringList{"Bogmærkerne i Firefox: hjemme kan ikke læses:\r" +
                         QDir::toNativeSeparators(places) +
                         "\rFilen er ikke en bogmærkedatabase fra Firefox."});
}

void TstBookmarkWindow::profileWithALineBreakInItsNameIsOneRow() {
    Fixture f;
    nyheder(f);
    const QString home = f.tmp.filePath("hjem");
    const QString chromium = home + "/config/chromium";
    QVERIFY(QDir().mkpath(chromium + "/Default"));
    QVERIFY(QFile::copy(fixture("profiles/config/chromium/Default/Bookmarks"),
                        chromium + "/Default/Bookmarks"));
    QFile state(chromium + "/Local State");
    QVERIFY(state.open(QIODevice::WriteOnly));
    state.write("{\"profile\": {\"info_cache\": {\"Default\": {\"name\": \"Arbejde\\nPrivat\"}}}}");
    state.close();
    Home user(home);
    App& app = f.start();
    ListChoice::setNextChoice(-1);
    QVERIFY(control<UpdateAction>(app.mainform, "aImportProfile")->execute());
    QCOMPARE(ListChoice::takeShown(),
             QStringList{"Importér fra browser|Vælg den browserprofil, hvis bogmærker skal "
                         "indføres:|Chromium: Arbejde Privat (Default)"});
}

// The chooser gives back the label chosen: two profiles of one name, in the two places Firefox
// keeps its profiles, are told apart by their folders.
void TstBookmarkWindow::sameNamedProfilesAreToldApart() {
    Fixture f;
    nyheder(f);
    const QString home = f.tmp.filePath("hjem");
    QVERIFY(copyTree(fixture("profiles"), home));
    QVERIFY(copyTree(home + "/config/mozilla", home + "/.mozilla"));
    QDir(home + "/config/chromium").removeRecursively();
    Home user(home);
    App& app = f.start();
    ListChoice::setNextChoice(-1);
    QVERIFY(control<UpdateAction>(app.mainform, "aImportProfile")->execute());
    const QStringList rows = ListChoice::takeShown().value(0).split(u'|').mid(2);
    QCOMPARE(rows.size(), 2);
    QVERIFY2(rows[0] != rows[1], qPrintable(rows.join(u'|')));
    for (const QString& row : rows)
        QVERIFY2(row.startsWith("Firefox: lenkaro (") && row.endsWith("lenkaro.profile)"),
                 qPrintable(row));
}

QTEST_MAIN(TstBookmarkWindow)
#include "tst_bookmarkwindow.moc"
