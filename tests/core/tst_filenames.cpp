#include "filenames.h"
#include "textfile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TstFilenames : public QObject {
    Q_OBJECT
private slots:
    void findsEntriesWhateverTheirCase();
    void listsFilesInWindowsOrder();
    void usableNames_data();
    void usableNames();
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
}

void TstFilenames::usableNames() {
    QFETCH(QString, name);
    QFETCH(bool, usable);
    QCOMPARE(filenames::isUsableName(name), usable);
}

QTEST_GUILESS_MAIN(TstFilenames)
#include "tst_filenames.moc"
