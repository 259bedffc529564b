#include "platform/textfile.h"
#include "store/elementstore.h"
#include "store/visits.h"
#include "writefile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <limits>
#include <unistd.h>

class TstElementstore : public QObject {
    Q_OBJECT
private slots:
    void readsElementsInNameOrder();
    void readingRemovesStaleTemporaries();
    void stopsAtFirstBadFile_data();
    void stopsAtFirstBadFile();
    void cutsDateAndTime();
    void writesSixLines();
    void groupLists();
    void listsWindowsNamedFiles();
    void visitCountStopsAtLargest();
};

namespace {
QStringList element(const QString& url, const QString& navn, const QString& visits = "0") {
    return {url, navn, "01-02-2026", "13:45", visits, "/old/" + navn + ".txt"};
}
} // namespace

void TstElementstore::readsElementsInNameOrder() {
    QTemporaryDir tmp;
    const QString dir = tmp.path();
    writeFixture(dir + "/b.txt", element("https://b.dk/", "b"));
    writeFixture(dir + "/A.txt", element("https://a.dk/", "A", "41"));
    writeFixture(dir + "/c.txt", element("https://c.dk/", "c") << "extra"
                                                                       << "lines");
    QDir(dir).mkdir("Aa mappe");
    TWebArray web;
    store::readWeb(dir, web);
    QCOMPARE(web.size(), 3);
    QCOMPARE(web[0].Navn, QStringLiteral("A"));
    QCOMPARE(web[0].Visits, 41);
    QCOMPARE(web[0].filnavn, QStringLiteral("/old/A.txt"));
    QCOMPARE(web[1].Url, QStringLiteral("https://b.dk/"));
    QCOMPARE(web[2].Navn, QStringLiteral("c"));
}

void TstElementstore::readingRemovesStaleTemporaries() {
    // A killed write's temporary file is no element. Reading the group removes it once it is a
    // minute old; a younger one may be another program's write in progress and stays.
    QTemporaryDir tmp;
    const QString dir = tmp.path();
    writeFixture(dir + "/A.txt", element("https://a.dk/", "A"));
    writeFixture(dir + "/.lenkaro-AbC123.tmp", element("https://b.dk/", "B"));
    writeFixture(dir + "/.lenkaro-XyZ789.tmp", element("https://c.dk/", "C"));
    QFile stale(dir + "/.lenkaro-XyZ789.tmp");
    QVERIFY(stale.open(QIODevice::ReadWrite));
    QVERIFY(stale.setFileTime(QDateTime::currentDateTime().addSecs(-61),
                              QFileDevice::FileModificationTime));
    stale.close();
    TWebArray web;
    store::readWeb(dir, web);
    QCOMPARE(web.size(), 1);
    QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden),
             (QStringList{".lenkaro-AbC123.tmp", "A.txt"}));
}

void TstElementstore::stopsAtFirstBadFile_data() {
    // The second file in name order is bad; a good third file must not be read.
    QTest::addColumn<QStringList>("bad");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("navn");
    QTest::addColumn<QString>("dato");
    QTest::addColumn<QString>("klokken");
    QTest::addColumn<int>("visits");
    QTest::newRow("two lines") << QStringList{"https://b.dk/", "b"} << "https://b.dk/"
                               << "b"
                               << ""
                               << "" << 0;
    QTest::newRow("visits not a number") << QStringList{"u", "b", "d", "k", "mange", "f"} << "u"
                                         << "b"
                                         << "d"
                                         << "k" << 0;
    QTest::newRow("five lines") << QStringList{"u", "b", "d", "k", "7"} << "u"
                                << "b"
                                << "d"
                                << "k" << 7;
    QTest::newRow("empty file") << QStringList{} << ""
                                << ""
                                << ""
                                << "" << 0;
}

void TstElementstore::stopsAtFirstBadFile() {
    QFETCH(QStringList, bad);
    QFETCH(QString, url);
    QFETCH(QString, navn);
    QFETCH(QString, dato);
    QFETCH(QString, klokken);
    QFETCH(int, visits);
    QTemporaryDir tmp;
    const QString dir = tmp.path();
    writeFixture(dir + "/1.txt", element("https://a.dk/", "a"));
    writeFixture(dir + "/2.txt", bad);
    writeFixture(dir + "/3.txt", element("https://c.dk/", "c"));
    TWebArray web;
    store::readWeb(dir, web);
    QCOMPARE(web.size(), 2);
    QCOMPARE(web[1].Url, url);
    QCOMPARE(web[1].Navn, navn);
    QCOMPARE(web[1].dato, dato);
    QCOMPARE(web[1].klokken, klokken);
    QCOMPARE(web[1].Visits, visits);
    QCOMPARE(web[1].filnavn, QString());
}

void TstElementstore::cutsDateAndTime() {
    QTemporaryDir tmp;
    writeFixture(tmp.path() + "/x.txt",
                         {"u", "x", "Tirsdag 01-02-2026", "13:45:59", "3", "f"});
    TWebArray web;
    store::readWeb(tmp.path(), web);
    QCOMPARE(web[0].dato, QStringLiteral("Tirsdag 01"));
    QCOMPARE(web[0].klokken, QStringLiteral("13:45"));
    TWebRecord r;
    r.setDato("2026-12-09 extra");
    r.setKlokken("9.05.07");
    QCOMPARE(r.dato, QStringLiteral("2026-12-09"));
    QCOMPARE(r.klokken, QStringLiteral("9.05."));
}

void TstElementstore::writesSixLines() {
    QTemporaryDir tmp;
    const QString path = tmp.path() + "/DR.txt";
    TWebRecord r{"https://www.dr.dk/", "DR", "Dato", "XX:XX", 42, path, ElementFile(path)};
    QVERIFY(store::writeElement(path, r, nullptr));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(),
             ("https://www.dr.dk/\r\nDR\r\nDato\r\nXX:XX\r\n42\r\n" + path + "\r\n").toUtf8());
    QString error;
    QVERIFY(!store::writeElement(tmp.path() + "/gone/DR.txt", r, &error));
    QVERIFY(!error.isEmpty());
}

void TstElementstore::groupLists() {
    QTemporaryDir tmp;
    QString error;
    QCOMPARE(*store::readGroupList(tmp.path() + "/webgruppe.txt", &error), QStringList{});
    writeFixture(tmp.path() + "/webgruppe.txt", {"Nyheder", "", "Musik"});
    QCOMPARE(*store::readGroupList(tmp.path() + "/webgruppe.txt", &error),
             (QStringList{"Nyheder", "", "Musik"}));
    QDir(tmp.path()).mkdir("folder.txt");
    QVERIFY(!store::readGroupList(tmp.path() + "/folder.txt", &error));
}

void TstElementstore::listsWindowsNamedFiles() {
    // Unpacked from a Windows archive: the name is Windows-1252, the content too.
    QTemporaryDir tmp;
    const QByteArray raw = QFile::encodeName(tmp.path()) + "/B\xf8ger.txt";
    const int fd = ::open(raw.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    QVERIFY(fd >= 0);
    const QByteArray content("https://b.dk/\r\nB\xf8ger\r\nDato\r\nXX:XX\r\n3\r\nC:\\x\r\n");
    QCOMPARE(::write(fd, content.constData(), size_t(content.size())), ssize_t(content.size()));
    ::close(fd);
    TWebArray web;
    store::readWeb(tmp.path(), web);
    QCOMPARE(web.size(), 1);
    QCOMPARE(web[0].Navn, QStringLiteral("B\u00f8ger"));
    QCOMPARE(web[0].Visits, 3);
}

void TstElementstore::visitCountStopsAtLargest() {
    TWebRecord r;
    r.Visits = std::numeric_limits<qint32>::max() - 1;
    store::stampVisit(r, "01-12-2026", "10:15");
    QCOMPARE(r.Visits, std::numeric_limits<qint32>::max());
    store::stampVisit(r, "02-12-2026", "10:16");
    QCOMPARE(r.Visits, std::numeric_limits<qint32>::max());
    QCOMPARE(r.dato, QStringLiteral("02-12-2026"));
}

QTEST_GUILESS_MAIN(TstElementstore)
#include "tst_elementstore.moc"
