#include "filesizelimit.h"
#include "platform/textfile.h"
#include "store/elementedit.h"
#include "store/elementstore.h"
#include "writefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <optional>
#include <sys/resource.h>

using store::ElementChange;
Q_DECLARE_METATYPE(ElementChange::Result)

class TstElementedit : public QObject {
    Q_OBJECT
private slots:
    void planEdit_data();
    void planEdit();
    void renameWritesNewFileAndDeletesOld();
    void renameOnlyCase_data();
    void renameOnlyCase();
    void renameRefused_data();
    void renameRefused();
    void renameWriteFails_data();
    void renameWriteFails();
    void elementFilePath();
    void removeFiles_data();
    void removeFiles();
};

namespace {

QStringList element(const QString& url, const QString& navn) {
    return {url, navn, "01-02-2026", "13:45", "7", "C:\\gammel\\" + navn + ".txt"};
}

QStringList files(const QString& dir) {
    QStringList names = QDir(dir).entryList(QDir::Files | QDir::Hidden);
    names.sort();
    return names;
}

QStringList linesOf(const QString& path) {
    return textfile::readLines(path).value_or(QStringList{"(cannot be read)"});
}

// A group folder of three elements, read as the main window reads it.
struct Group {
    QTemporaryDir tmp;
    QString dir = tmp.path();
    TWebArray web;
    Group() {
        writeFixture(dir + "/DR.txt", element("https://www.dr.dk/", "DR"));
        writeFixture(dir + "/TV2.txt", element("https://tv2.dk/", "TV2"));
        writeFixture(dir + "/Æble.txt", element("https://æble.dk/", "Æble"));
        store::readWeb(dir, web);
    }
    qsizetype indexOf(const QString& navn) const {
        for (qsizetype i = 0; i < web.size(); ++i) {
            if (web[i].Navn == navn)
                return i;
        }
        return -1;
    }
};

} // namespace

void TstElementedit::planEdit_data() {
    QTest::addColumn<QString>("storedNavn");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("navn");
    QTest::addColumn<bool>("original");
    QTest::addColumn<bool>("newUrl");
    QTest::addColumn<bool>("newName");
    const QString url = "https://www.dr.dk/";
    QTest::newRow("untouched") << "DR" << url << "DR" << true << false << false;
    QTest::newRow("case of A to Z in both") << "DR"
                                            << "HTTPS://WWW.DR.dk/"
                                            << "dr" << true << false << false;
    QTest::newRow("address only") << "DR"
                                  << "https://www.dr.dk/tv"
                                  << "DR" << false << true << false;
    QTest::newRow("name only") << "DR" << url << "Danmarks Radio" << false << false << true;
    QTest::newRow("both") << "DR"
                          << "https://dr.dk/"
                          << "Danmarks Radio" << false << true << true;
    QTest::newRow("case beyond A to Z is a new name")
        << "Æble" << url << "æble" << false << false << true;
    QTest::newRow("address with an empty name") << "DR"
                                                << "https://dr.dk/"
                                                << "" << false << false << false;
}

void TstElementedit::planEdit() {
    QFETCH(QString, storedNavn);
    QFETCH(QString, url);
    QFETCH(QString, navn);
    QFETCH(bool, original);
    QFETCH(bool, newUrl);
    QFETCH(bool, newName);
    const TWebRecord stored{"https://www.dr.dk/", storedNavn, "Dato", "XX:XX", 0, "", {}};
    const store::ElementEdit edit = store::planEdit(stored, url, navn);
    QCOMPARE(edit.original, original);
    QCOMPARE(edit.newUrl, newUrl);
    QCOMPARE(edit.newName, newName);
    QCOMPARE(store::isOriginal(stored, url, navn), original);
}

void TstElementedit::renameWritesNewFileAndDeletesOld() {
    Group group;
    const qsizetype dr = group.indexOf("DR");
    const ElementChange change = store::renameElement(group.dir, group.web, dr, "Danmarks Radio");
    QCOMPARE(change.result, ElementChange::Done);
    const QString path = group.dir + "/Danmarks Radio.txt";
    QCOMPARE(files(group.dir), QStringList({"Danmarks Radio.txt", "TV2.txt", "Æble.txt"}));
    QCOMPARE(linesOf(path), QStringList({"https://www.dr.dk/", "Danmarks Radio", "01-02-2026",
                                         "13:45", "7", path}));
    QCOMPARE(group.web[dr].Navn, QStringLiteral("Danmarks Radio"));
    QCOMPARE(group.web[dr].filnavn, path);
}

void TstElementedit::renameOnlyCase_data() {
    QTest::addColumn<QString>("oldNavn");
    QTest::addColumn<QString>("newNavn");
    QTest::newRow("A to Z") << "DR"
                            << "dr";
    QTest::newRow("beyond A to Z") << "Æble"
                                   << "æble";
}

void TstElementedit::renameOnlyCase() {
    QFETCH(QString, oldNavn);
    QFETCH(QString, newNavn);
    Group group;
    const qsizetype index = group.indexOf(oldNavn);
    const ElementChange change = store::renameElement(group.dir, group.web, index, newNavn);
    QCOMPARE(change.result, ElementChange::Done);
    const QStringList present = files(group.dir);
    QVERIFY2(present.contains(newNavn + ".txt"), qPrintable(present.join(", ")));
    QVERIFY2(!present.contains(oldNavn + ".txt"), qPrintable(present.join(", ")));
    QCOMPARE(present.size(), 3);
    const QString path = group.dir + "/" + newNavn + ".txt";
    QCOMPARE(linesOf(path).value(1), newNavn);
    QCOMPARE(linesOf(path).value(5), path);
}

void TstElementedit::renameRefused_data() {
    QTest::addColumn<QString>("newNavn");
    QTest::addColumn<ElementChange::Result>("result");
    QTest::newRow("another element") << "TV2" << ElementChange::NameTaken;
    QTest::newRow("another element in other case") << "tv2" << ElementChange::NameTaken;
    QTest::newRow("another element's file, beyond A to Z") << "æble" << ElementChange::NameTaken;
    QTest::newRow("a file the listing did not give") << "NOTER" << ElementChange::NameTaken;
    QTest::newRow("separator") << "Radio/TV" << ElementChange::UnusableName;
    QTest::newRow("colon") << "DR:TV" << ElementChange::UnusableName;
    QTest::newRow("trailing blank") << "DR " << ElementChange::UnusableName;
    QTest::newRow("empty") << "" << ElementChange::UnusableName;
}

void TstElementedit::renameRefused() {
    QFETCH(QString, newNavn);
    QFETCH(ElementChange::Result, result);
    Group group;
    writeFixture(group.dir + "/Noter.txt", element("https://noter.dk/", "Noter"));
    const TWebArray web = group.web;
    const QStringList present = files(group.dir);
    const QStringList drLines = linesOf(group.dir + "/DR.txt");

    const ElementChange change =
        store::renameElement(group.dir, group.web, group.indexOf("DR"), newNavn);
    QCOMPARE(change.result, result);
    QCOMPARE(files(group.dir), present);
    QCOMPARE(linesOf(group.dir + "/DR.txt"), drLines);
    QCOMPARE(linesOf(group.dir + "/Noter.txt").value(1), QStringLiteral("Noter"));
    QCOMPARE(linesOf(group.dir + "/TV2.txt").value(1), QStringLiteral("TV2"));
    QCOMPARE(group.web.size(), web.size());
    for (qsizetype i = 0; i < web.size(); ++i)
        QCOMPARE(group.web[i].Navn, web[i].Navn);
}

void TstElementedit::renameWriteFails_data() {
    QTest::addColumn<bool>("sizeLimit");
    QTest::newRow("a folder bears the new file's name") << false;
    QTest::newRow("the disk takes no more") << true;
}

void TstElementedit::renameWriteFails() {
    QFETCH(bool, sizeLimit);
    Group group;
    if (!sizeLimit)
        QDir(group.dir).mkpath("Ny.txt/indhold");
    const QStringList drLines = linesOf(group.dir + "/DR.txt");
    const qsizetype dr = group.indexOf("DR");

    ElementChange change;
    {
        std::optional<FileSizeLimit> limit;
        if (sizeLimit)
            limit.emplace(8);
        change = store::renameElement(group.dir, group.web, dr, "Ny");
    }
    QCOMPARE(change.result, ElementChange::WriteFailed);
    QVERIFY(!change.error.isEmpty());
    QCOMPARE(change.path, group.dir + "/Ny.txt");
    QCOMPARE(linesOf(group.dir + "/DR.txt"), drLines);
    QCOMPARE(files(group.dir), QStringList({"DR.txt", "TV2.txt", "Æble.txt"}));
    QCOMPARE(group.web[dr].Navn, QStringLiteral("DR"));
}

void TstElementedit::elementFilePath() {
    QTemporaryDir tmp;
    writeFixture(tmp.path() + "/dr.txt", element("https://www.dr.dk/", "DR"));
    QCOMPARE(store::elementFilePath(tmp.path(), "DR"), tmp.path() + "/dr.txt");
    QCOMPARE(store::elementFilePath(tmp.path(), "TV2"), tmp.path() + "/TV2.txt");
}

void TstElementedit::removeFiles_data() {
    QTest::addColumn<QString>("middle");
    QTest::addColumn<qsizetype>("failed");
    QTest::newRow("all deleted") << "B.txt" << qsizetype(-1);
    QTest::newRow("a folder that is not empty") << "Mappe.txt" << qsizetype(1);
    QTest::newRow("inside a folder that is gone") << "Væk/B.txt" << qsizetype(1);
}

void TstElementedit::removeFiles() {
    QFETCH(QString, middle);
    QFETCH(qsizetype, failed);
    QTemporaryDir tmp;
    const QString dir = tmp.path();
    for (const char* name : {"A.txt", "B.txt", "C.txt"})
        writeFixture(dir + "/" + name, element("https://x.dk/", name));
    QDir(dir).mkpath("Mappe.txt/indhold");

    // The last row first, as the ticked rows are removed.
    const store::FileRemoval removal =
        store::removeElementFiles({QFile::encodeName(dir + "/C.txt"),
                                   QFile::encodeName(dir + "/" + middle),
                                   QFile::encodeName(dir + "/A.txt")});
    QCOMPARE(removal.failed, failed);
    QCOMPARE(removal.ok(), failed < 0);
    QCOMPARE(removal.error.isEmpty(), failed < 0);
    QVERIFY(!QFile::exists(dir + "/C.txt"));
    QCOMPARE(QFile::exists(dir + "/A.txt"), failed >= 0);
    QVERIFY(QFileInfo(dir + "/Mappe.txt").isDir());
}

QTEST_GUILESS_MAIN(TstElementedit)
#include "tst_elementedit.moc"
