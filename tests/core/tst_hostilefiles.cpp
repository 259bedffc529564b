#include "modelstart.h"
#include "platform/textfile.h"
#include "platform/urlcheck.h"
#include "store/model.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

#include <map>

#include <fcntl.h>
#include <unistd.h>

using store::Model;
using store::Result;

// Element files and group lists are plain text that anyone can edit or copy in: what they say
// is taken as data, never as a place to write. Every test looks at the whole folder tree
// around the user's data before and after, so a write anywhere else shows.
class TstHostileFiles : public QObject {
    Q_OBJECT
private slots:
    void elementActsOnItsOwnFile_data();
    void elementActsOnItsOwnFile();
    void strayCopyRemovesItsOwnFile_data();
    void strayCopyRemovesItsOwnFile();
    void untypedGroupNamesAreLeftOut();
    void windowsNamedTwinIsAnElementOfItsOwn();
    void hugeElementFileEndsTheListing();
};

namespace {

// The user's content folder sits four levels down in the temporary folder, so a name that
// climbs out of a group folder with "../../../.." still lands where the test can see it.
struct Tree {
    QTemporaryDir tmp;
    std::unique_ptr<UrlCheck> urlCheck = UrlCheck::system();
    Model model{*urlCheck};

    QString web() const { return tmp.path() + "/a/b/c/d/Program"; }
    QString group() const { return web() + "/B"; }

    // Written byte for byte, as another program may leave a file: the program's own writer
    // would refuse a line holding a control character.
    static void file(const QString& path, const QStringList& lines) {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        for (const QString& line : lines)
            f.write(line.toUtf8() + "\r\n");
    }

    Tree() {
        file(web() + "/Nyheder/DR.txt",
             {"https://www.dr.dk/", "DR", "01-12-2026", "10:15", "41", ""});
        file(web() + "/webgruppe.txt", {"Nyheder", "B"});
        QDir().mkpath(tmp.path() + "/a/b/c/d/Programmer");
        // Where "B/../../../../tmp/x.txt" leads.
        QDir().mkpath(tmp.path() + "/a/b/tmp");
    }

    void start() {
        QVERIFY(startModel(model, web(), tmp.path() + "/a/b/c/d/Programmer", "B").ok());
    }

    // Every file under the temporary folder, by its path there, with a digest of its bytes.
    std::map<QString, QByteArray> snapshot() const {
        std::map<QString, QByteArray> files;
        QDirIterator it(tmp.path(), QDir::Files | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile f(path);
            f.open(QIODevice::ReadOnly);
            files[QDir(tmp.path()).relativeFilePath(path)] =
                QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1);
        }
        return files;
    }

    // What changed between two snapshots: "+path" added, "-path" removed, "~path" rewritten,
    // paths relative to the content folder.
    QStringList changes(const std::map<QString, QByteArray>& before,
                        const std::map<QString, QByteArray>& after) const {
        const QString prefix = "a/b/c/d/Program/";
        auto shown = [&](const QString& path) {
            return path.startsWith(prefix) ? path.mid(prefix.size()) : "(outside) " + path;
        };
        QStringList changed;
        for (const auto& [path, digest] : before) {
            const auto now = after.find(path);
            if (now == after.end())
                changed << "-" + shown(path);
            else if (now->second != digest)
                changed << "~" + shown(path);
        }
        for (const auto& [path, digest] : after) {
            if (!before.count(path))
                changed << "+" + shown(path);
        }
        changed.sort();
        return changed;
    }
};

bool yes(const QString&) {
    return true;
}

} // namespace

void TstHostileFiles::elementActsOnItsOwnFile_data() {
    QTest::addColumn<QString>("navn");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QStringList>("expected");
    const std::pair<const char*, QString> names[] = {
        {"another group's element", "../Nyheder/DR"},
        {"outside the base folder", "../../../../tmp/x"},
        {"a NUL", QStringLiteral("DR") + QChar(0) + QStringLiteral("x")},
        {"empty", QString()},
    };
    for (const auto& [label, navn] : names) {
        const QString row = QString(label) + ", ";
        // A name holding a NUL can be read but never written back: the writes that keep the
        // name fail and change nothing.
        const QStringList rewritten =
            textfile::isLineText(navn) ? QStringList{"~B/Evil.txt"} : QStringList{};
        QTest::newRow(qPrintable(row + "visit")) << navn << "visit" << rewritten;
        // An empty short name cannot be typed, so the change button does nothing with it.
        QTest::newRow(qPrintable(row + "new address"))
            << navn << "address" << (navn.isEmpty() ? QStringList{} : rewritten);
        QTest::newRow(qPrintable(row + "reset")) << navn << "reset" << rewritten;
        QTest::newRow(qPrintable(row + "new name"))
            << navn << "name" << QStringList{"+B/Ny.txt", "-B/Evil.txt"};
        QTest::newRow(qPrintable(row + "removal"))
            << navn << "remove" << QStringList{"-B/Evil.txt"};
    }
}

// The file "Evil.txt" names another file on its line 2. A visit, a change and a removal act on
// "Evil.txt" and on nothing else; a new short name makes a new file from the typed name.
void TstHostileFiles::elementActsOnItsOwnFile() {
    QFETCH(QString, navn);
    QFETCH(QString, operation);
    QFETCH(QStringList, expected);
    Tree t;
    const QString own = t.group() + "/Evil.txt";
    Tree::file(own, {"https://evil.example/", navn, "01-12-2026", "10:15", "3", "C:\\x\\y.txt"});
    Tree::file(t.group() + "/TV 2.txt",
               {"https://nyheder.tv2.dk/", "TV 2", "01-12-2026", "10:15", "2", ""});
    t.start();
    QCOMPARE(t.model.WebAntal(), 2);
    QCOMPARE(t.model.Web()[0].Navn, navn);
    const auto before = t.snapshot();

    Result result;
    if (operation == "visit")
        result = t.model.recordVisit(0, "09.12.2026", "13.45.59");
    else if (operation == "address")
        result = t.model.editElement(0, "https://good.example/", navn);
    else if (operation == "reset")
        result = t.model.resetVisits(0, "https://evil.example/", navn, yes);
    else if (operation == "name")
        result = t.model.editElement(0, "https://evil.example/", "Ny");
    else
        result = t.model.removeElements({0});
    QCOMPARE(t.changes(before, t.snapshot()), expected);
    if (!textfile::isLineText(navn) && operation != "name" && operation != "remove") {
        QCOMPARE(result.kind, Result::FileNotCreated);
        QCOMPARE(result.path, own);
        return;
    }
    QVERIFY2(result.ok(), qPrintable(result.path + ": " + result.error));

    // What was written names its own file on line 6 and keeps the name on line 2 as text.
    const QString written = operation == "name" ? t.group() + "/Ny.txt" : own;
    if (expected.contains("~B/Evil.txt") || operation == "name") {
        const QStringList lines = *textfile::readLines(written);
        QCOMPARE(lines.size(), 6);
        QCOMPARE(lines[1], operation == "name" ? QStringLiteral("Ny") : navn);
        QCOMPARE(lines[5], written);
    }
    // A second visit still finds the element's file, read anew or not.
    if (operation != "remove") {
        const int row = t.model.Web()[0].file.path == written ? 0 : 1;
        const auto again = t.snapshot();
        QVERIFY(t.model.recordVisit(row, "10.12.2026", "08.00.00").ok());
        QCOMPARE(t.changes(again, t.snapshot()),
                 QStringList{"~" + QDir(t.web()).relativeFilePath(written)});
    }
}

void TstHostileFiles::strayCopyRemovesItsOwnFile_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("expected");
    // "DR - kopi.txt" is listed before "DR.txt", both as "DR".
    QTest::newRow("remove the copy") << "remove" << 0 << QStringList{"-B/DR - kopi.txt"};
    QTest::newRow("remove the element") << "remove" << 1 << QStringList{"-B/DR.txt"};
    QTest::newRow("visit the copy") << "visit" << 0 << QStringList{"~B/DR - kopi.txt"};
    QTest::newRow("reset the copy") << "reset" << 0 << QStringList{"~B/DR - kopi.txt"};
    QTest::newRow("rename the copy")
        << "name" << 0 << QStringList{"+B/DR gammel.txt", "-B/DR - kopi.txt"};
}

// A group holding "DR.txt" and a stray copy of it under another file name, both with "DR" on
// line 2: each row is its own file, and nothing done to one row touches the other's file.
void TstHostileFiles::strayCopyRemovesItsOwnFile() {
    QFETCH(QString, operation);
    QFETCH(int, row);
    QFETCH(QStringList, expected);
    Tree t;
    Tree::file(t.group() + "/DR.txt",
               {"https://www.dr.dk/", "DR", "09-12-2026", "18:00", "41", t.group() + "/DR.txt"});
    Tree::file(t.group() + "/DR - kopi.txt",
               {"https://www.dr.dk/", "DR", "01-01-2020", "10:15", "3", t.group() + "/DR.txt"});
    t.start();
    QCOMPARE(t.model.WebAntal(), 2);
    QCOMPARE(t.model.Web()[0].Visits, 3);
    const auto before = t.snapshot();
    Result result;
    if (operation == "remove")
        result = t.model.removeElements({row});
    else if (operation == "visit")
        result = t.model.recordVisit(row, "10.12.2026", "08.00.00");
    else if (operation == "reset")
        result = t.model.resetVisits(row, "https://www.dr.dk/", "DR", yes);
    else
        result = t.model.editElement(row, "https://www.dr.dk/", "DR gammel");
    QVERIFY(result.ok());
    QCOMPARE(t.changes(before, t.snapshot()), expected);
    if (operation == "remove") {
        QCOMPARE(t.model.WebAntal(), 1);
        QCOMPARE(t.model.Web()[0].Visits, row == 0 ? 41 : 3);
    }
}

// Group names come from list files that may have been edited by hand or brought from
// elsewhere. A name that could lead outside the content folder (a path, "..") is never shown
// nor loaded, nor is one without a folder that could not have been typed; but the lines stay in
// the list file, at their places, when the list is written next; the folders on disk stay as
// they are.
void TstHostileFiles::untypedGroupNamesAreLeftOut() {
    Tree t;
    // A folder that a climbing name would reach, with an element in it.
    Tree::file(t.tmp.path() + "/a/b/c/d/Nyheder/DR.txt",
               {"https://www.dr.dk/", "DR", "01-12-2026", "10:15", "41", ""});
    QDir().mkpath(t.group());
    const QStringList written{"Nyheder",    "../Nyheder", "..",  "",  "B",      "/etc",
                              t.tmp.path(), "C:\\x",      "a/b", ".", "Rejser "};
    Tree::file(t.web() + "/webgruppe.txt", written);
    Tree::file(t.web() + "/webLager.txt", {"../../Nyheder", "Arkiv", "a\\b"});
    QDir().mkpath(t.web() + "/Arkiv");
    t.model.setFolders(t.web() + "/", t.tmp.path() + "/a/b/c/d/Programmer/");
    t.model.restore(QStringLiteral("../Nyheder"), QStringLiteral("../Nyheder"),
                    QStringLiteral("/etc"), 0);
    QVERIFY(t.model.setMappe().ok());
    QCOMPARE(t.model.gruppeliste(), (QStringList{"Nyheder", "B"}));
    QCOMPARE(t.model.lagerliste(), QStringList{"Arkiv"});
    QVERIFY(!t.model.hasGroup());
    QCOMPARE(t.model.gruppenavn0(), QString());
    QCOMPARE(t.model.gruppenavn1(), QString());
    t.model.loadGruppefil();
    QCOMPARE(t.model.WebAntal(), 0);

    // The next write of each list keeps the other lines where they stood.
    QVERIFY(t.model.sortGroups(QLocale(QLocale::Danish)).ok());
    QCOMPARE(*textfile::readLines(t.web() + "/webgruppe.txt"),
             (QStringList{"B", "../Nyheder", "..", "", "Nyheder", "/etc", t.tmp.path(), "C:\\x",
                          "a/b", ".", "Rejser "}));
    QVERIFY(t.model.saveShelf(t.model.gruppeliste(), t.model.lagerliste()).ok());
    QCOMPARE(*textfile::readLines(t.web() + "/webLager.txt"),
             (QStringList{"../../Nyheder", "Arkiv", "a\\b"}));
    QVERIFY(QFileInfo(t.tmp.path() + "/a/b/c/d/Nyheder/DR.txt").isFile());
}

namespace {
// A file of a name that is not UTF-8, as an archive from Windows leaves it.
void rawFile(const QString& dir, const QByteArray& name, const QByteArray& content) {
    const QByteArray path = QFile::encodeName(dir) + '/' + name;
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    QVERIFY(fd >= 0);
    QCOMPARE(::write(fd, content.constData(), size_t(content.size())), ssize_t(content.size()));
    ::close(fd);
}

QByteArray rawContent(const QString& dir, const QByteArray& name) {
    QByteArray bytes;
    return textfile::readNativeBytes(QFile::encodeName(dir) + '/' + name, bytes) ? bytes
                                                                               : "(none)";
}
} // namespace

// "Æble.txt" in UTF-8 and a different file whose name is "Æble.txt" in Windows-1252 bytes are
// two elements. Each acts on its own file; only a file the user acted on is ever deleted, and
// an element under a Windows-1252 name gets its UTF-8 name only when that name is free.
void TstHostileFiles::windowsNamedTwinIsAnElementOfItsOwn() {
    Tree t;
    QDir().mkpath(t.group());
    Tree::file(t.group() + QStringLiteral("/Æble.txt"),
               {"https://utf8.example/", "Æble", "01-12-2026", "10:15", "1", ""});
    rawFile(t.group(), "\xc6" "ble.txt", "https://ansi.example/\r\n\xc6" "ble\r\nDato\r\nXX:XX\r\n7\r\n\r\n");
    rawFile(t.group(), "Bl\xe5" "b\xe6r.txt",
            "https://blaabaer.example/\r\nBl\xe5" "b\xe6r\r\nDato\r\nXX:XX\r\n2\r\n\r\n");
    t.start();
    QCOMPARE(t.model.WebAntal(), 3);
    // In name order, the UTF-8 name before its twin.
    QCOMPARE(t.model.Web()[0].Navn, QStringLiteral("Blåbær"));
    QCOMPARE(t.model.Web()[1].Url, QStringLiteral("https://utf8.example/"));
    QCOMPARE(t.model.Web()[2].Url, QStringLiteral("https://ansi.example/"));

    // A visit of the twin writes the twin where it is: its UTF-8 name is taken. (A listing by
    // Qt cannot read a name that is not UTF-8, so the twin is looked at by its bytes.)
    auto before = t.snapshot();
    QVERIFY(t.model.recordVisit(2, "09.12.2026", "13.45").ok());
    QCOMPARE(t.changes(before, t.snapshot()), QStringList{});
    QVERIFY2(rawContent(t.group(), "\xc6" "ble.txt").contains("\r\n8\r\n"),
             rawContent(t.group(), "\xc6" "ble.txt").constData());
    QStringList changed;

    // A visit of "Blåbær" gives it its UTF-8 name: no other file bears it.
    before = t.snapshot();
    QVERIFY(t.model.recordVisit(0, "09.12.2026", "13.46").ok());
    changed = t.changes(before, t.snapshot());
    QVERIFY2(changed.contains(QStringLiteral("+B/Blåbær.txt")), qPrintable(changed.join(',')));
    QCOMPARE(rawContent(t.group(), "Bl\xe5" "b\xe6r.txt"), QByteArray("(none)"));
    QCOMPARE(t.model.Web()[0].Visits, 3);

    // Removing the UTF-8 "Æble" removes that file alone.
    t.model.loadGruppefil();
    QCOMPARE(t.model.WebAntal(), 3);
    before = t.snapshot();
    QVERIFY(t.model.removeElements({1}).ok());
    QCOMPARE(t.changes(before, t.snapshot()), QStringList{QStringLiteral("-B/Æble.txt")});
    QCOMPARE(t.model.WebAntal(), 2);
    QCOMPARE(t.model.Web()[1].Url, QStringLiteral("https://ansi.example/"));
    QCOMPARE(t.model.Web()[1].Visits, 8);
    // The twin too goes by its own name (which the temporary folder's clean-up cannot read).
    QVERIFY(t.model.removeElements({1}).ok());
    QCOMPARE(t.model.WebAntal(), 1);
}

// An element file of many megabytes is no element file: it is not read whole, and the listing
// ends there as at any file that cannot be read.
void TstHostileFiles::hugeElementFileEndsTheListing() {
    Tree t;
    Tree::file(t.group() + "/A.txt", {"https://a.example/", "A", "Dato", "XX:XX", "0", ""});
    QFile huge(t.group() + "/B.txt");
    QVERIFY(huge.open(QIODevice::WriteOnly));
    QVERIFY(huge.resize(qint64(2) << 30)); // sparse: no room on the disk
    huge.close();
    Tree::file(t.group() + "/C.txt", {"https://c.example/", "C", "Dato", "XX:XX", "0", ""});
    t.start();
    QCOMPARE(t.model.WebAntal(), 2);
    QCOMPARE(t.model.Web()[0].Navn, QStringLiteral("A"));
    QCOMPARE(t.model.Web()[1].Navn, QString());
}

QTEST_GUILESS_MAIN(TstHostileFiles)
#include "tst_hostilefiles.moc"
