#include "platform/filenames.h"
#include "platform/textfile.h"
#include "writefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

class TstFilenames : public QObject {
    Q_OBJECT
private slots:
    void findsEntriesWhateverTheirCase();
    void listsFilesInWindowsOrder();
    void usableNames_data();
    void usableNames();
    void windowsNamesAreListedAndReplaced();
};

void TstFilenames::findsEntriesWhateverTheirCase() {
    QTemporaryDir tmp;
    const QString dir = tmp.path();
    QVERIFY(textfile::writeLines(dir + "/Nyheder.txt", {"x"}));
    QVERIFY(QDir(dir).mkdir("Musik"));

    QCOMPARE(filenames::findEntry(dir, "nyheder.TXT"), QStringLiteral("Nyheder.txt"));
    QCOMPARE(filenames::entryPath(dir, "NYHEDER.txt"), dir + "/Nyheder.txt");
    QCOMPARE(filenames::entryPath(dir, "Andet.txt"), dir + "/Andet.txt");
    QVERIFY(filenames::fileExists(dir, "nyheder.txt"));
    QVERIFY(!filenames::fileExists(dir, "musik"));
    QVERIFY(filenames::folderExists(dir, "MUSIK"));
    QVERIFY(!filenames::folderExists(dir, "Nyheder.txt"));
    QVERIFY(!filenames::folderExists(dir, ""));
    QVERIFY(!filenames::folderExists(dir + "/gone", "x"));

    // An entry of exactly the asked name wins over one that differs only in case.
    QVERIFY(textfile::writeLines(dir + "/nyheder.txt", {"y"}));
    QCOMPARE(filenames::findEntry(dir, "nyheder.txt"), QStringLiteral("nyheder.txt"));
}

void TstFilenames::listsFilesInWindowsOrder() {
    QTemporaryDir tmp;
    const QString dir = tmp.path();
    for (const char* name : {"b.txt", "A.txt", "a_b.txt", "abc.txt", ".skjult", "C.txt"})
        QVERIFY(textfile::writeLines(dir + "/" + name, {"x"}));
    QVERIFY(QDir(dir).mkdir("B mappe"));
    // Upper-case ordinal order: '.' before letters, '_' after them.
    QCOMPARE(filenames::listFiles(dir),
             (QStringList{".skjult", "A.txt", "abc.txt", "a_b.txt", "b.txt", "C.txt"}));
    QCOMPARE(filenames::listFiles(dir + "/none"), QStringList{});
}

void TstFilenames::usableNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("usable");
    QTest::newRow("plain") << "Nyheder" << true;
    QTest::newRow("danish letters and blanks") << QStringLiteral("Bl\u00e5 b\u00e6r") << true;
    QTest::newRow("inner full stop") << "Kap.1" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("dot") << "." << false;
    QTest::newRow("dot dot") << ".." << false;
    QTest::newRow("slash") << "a/b" << false;
    QTest::newRow("backslash") << "a\\b" << false;
    QTest::newRow("parent path") << "../x" << false;
    for (const char c : QByteArray(":*?\"<>|"))
        QTest::newRow(QByteArray("char ") + c) << QString("a%1b").arg(QChar(c)) << false;
    QTest::newRow("control character") << QString("a\tb") << false;
    QTest::newRow("trailing blank") << "abc " << false;
    QTest::newRow("trailing full stop") << "abc." << false;
    QTest::newRow("leading blank") << " abc" << true;
    // Windows opens a device for these, with any extension and in any case.
    for (const char* device : {"CON", "prn", "Aux", "nul.txt", "COM1", "com9.tar.gz", "LPT1",
                               "lpt9.txt", "CON .txt", "COM\u00b2"})
        QTest::newRow(QByteArray("device ") + device) << QString::fromUtf8(device) << false;
    for (const char* name :
         {"CONSOL", "Con1", "COM", "COM10", "LPT", "Aux-liste", "NULL.txt", "Prn x", "LPTA"})
        QTest::newRow(QByteArray("not a device ") + name) << QString::fromUtf8(name) << true;
}

void TstFilenames::usableNames() {
    QFETCH(QString, name);
    QFETCH(bool, usable);
    QCOMPARE(filenames::isUsableName(name), usable);
}

// A folder unpacked from a Windows archive: a name in Windows-1252, not valid UTF-8.
void TstFilenames::windowsNamesAreListedAndReplaced() {
    QTemporaryDir tmp;
    const QString dir = tmp.path();
    const QByteArray raw = QFile::encodeName(dir) + "/B\xf8ger.txt";
    QFile written;
    const int fd = ::open(raw.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    QVERIFY(fd >= 0);
    QVERIFY(written.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
    written.write("https://b\xf8ger.dk/\r\nB\xf8ger\r\n");
    written.close();
    writeFixture(dir + "/A.txt", {"a"});

    const QString name = QStringLiteral("B\u00f8ger.txt");
    const QString path = dir + "/" + name;
    QCOMPARE(filenames::listFiles(dir), (QStringList{"A.txt", name}));
    QCOMPARE(filenames::findEntry(dir, QStringLiteral("b\u00f8ger.TXT")), name);
    QVERIFY(filenames::isFile(path));
    QCOMPARE(*textfile::readLines(path),
             (QStringList{QStringLiteral("https://b\u00f8ger.dk/"), QStringLiteral("B\u00f8ger")}));
    const QList<filenames::FileEntry> entries = filenames::listFileEntries(dir);
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries[1].name, name);
    QCOMPARE(entries[1].native, raw);
    QVERIFY(entries[1].windowsNamed);
    QVERIFY(!entries[0].windowsNamed);

    // A file under the UTF-8 name beside it is a file of its own: listed as an entry of its
    // own, before its Windows-1252 twin, and deleting it deletes nothing else.
    writeFixture(path, {"ny"});
    const QList<filenames::FileEntry> both = filenames::listFileEntries(dir);
    QCOMPARE(both.size(), 3);
    QCOMPARE(both[1].native, QFile::encodeName(path));
    QCOMPARE(both[2].native, raw);
    QCOMPARE(filenames::listFiles(dir), (QStringList{"A.txt", name}));
    QCOMPARE(*textfile::readLines(path), QStringList{"ny"});
    QVERIFY(filenames::removeFile(path));
    QVERIFY(filenames::existsNative(raw));
    QString error;
    QVERIFY(!filenames::removeFile(path, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(filenames::removeNative(raw));
    QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden), QStringList{"A.txt"});
}

QTEST_GUILESS_MAIN(TstFilenames)
#include "tst_filenames.moc"
