#include "textfile.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

class TstTextfile : public QObject {
    Q_OBJECT
private slots:
    void decodes_data();
    void decodes();
    void splitsLines_data();
    void splitsLines();
    void writesUtf8WithCrLf();
    void failedWriteKeepsOldFile();
    void missingFileIsAnError();
};

void TstTextfile::decodes_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    const QString aeoeaa = QStringLiteral("\u00e6\u00f8\u00e5");
    QTest::newRow("plain ascii") << QByteArray("abc") << QStringLiteral("abc");
    QTest::newRow("utf-8 without bom") << QByteArray("\xc3\xa6\xc3\xb8\xc3\xa5") << aeoeaa;
    QTest::newRow("utf-8 with bom") << QByteArray("\xef\xbb\xbf\xc3\xa6\xc3\xb8\xc3\xa5") << aeoeaa;
    QTest::newRow("utf-16 le bom") << QByteArray("\xff\xfe\xe6\x00\xf8\x00\xe5\x00", 8) << aeoeaa;
    QTest::newRow("utf-16 be bom") << QByteArray("\xfe\xff\x00\xe6\x00\xf8\x00\xe5", 8) << aeoeaa;
    QTest::newRow("windows-1252") << QByteArray("\xe6\xf8\xe5 \x80")
                                  << aeoeaa + QStringLiteral(" \u20ac");
    QTest::newRow("1252 byte inside utf-8")
        << QByteArray("\xc3\xa6 \xe5") << QStringLiteral("\u00c3\u00a6 \u00e5");
}

void TstTextfile::decodes() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(textfile::decode(bytes), text);
}

void TstTextfile::splitsLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << QString() << QStringList{};
    QTest::newRow("crlf") << QStringLiteral("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("no final break") << QStringLiteral("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("lf and cr") << QStringLiteral("a\nb\rc") << QStringList{"a", "b", "c"};
    QTest::newRow("empty lines kept")
        << QStringLiteral("a\r\n\r\nb\r\n\r\n") << QStringList{"a", "", "b", ""};
    QTest::newRow("cr cr is two breaks") << QStringLiteral("a\r\rb") << QStringList{"a", "", "b"};
    QTest::newRow("lone break") << QStringLiteral("\r\n") << QStringList{""};
}

void TstTextfile::splitsLines() {
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(textfile::splitLines(text), lines);
}

void TstTextfile::writesUtf8WithCrLf() {
    QTemporaryDir dir;
    const QString path = dir.filePath("f.txt");
    QVERIFY(textfile::writeLines(path, {QStringLiteral("Bes\u00f8g"), QString(), "x"}));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("Bes\xc3\xb8g\r\n\r\nx\r\n"));
    QCOMPARE(*textfile::readLines(path), (QStringList{QStringLiteral("Bes\u00f8g"), "", "x"}));

    QVERIFY(textfile::writeLines(path, {}));
    QCOMPARE(QFileInfo(path).size(), 0);
}

void TstTextfile::failedWriteKeepsOldFile() {
    // A file-size limit makes the write fail part-way, as a full disk would, even for root.
    QTemporaryDir dir;
    const QString path = dir.filePath("f.txt");
    QVERIFY(textfile::writeLines(path, {"old", "lines"}));
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 1024;
    setrlimit(RLIMIT_FSIZE, &small);
    QString error;
    const bool written = textfile::writeLines(path, {QString(4096, u'x')}, &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    QVERIFY(!written);
    QVERIFY(!error.isEmpty());
    QCOMPARE(*textfile::readLines(path), (QStringList{"old", "lines"}));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"f.txt"});
}

void TstTextfile::missingFileIsAnError() {
    QTemporaryDir dir;
    QString error;
    QVERIFY(!textfile::readLines(dir.filePath("none.txt"), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!textfile::writeLines(dir.filePath("no/such/folder.txt"), {"x"}, &error));
}

QTEST_GUILESS_MAIN(TstTextfile)
#include "tst_textfile.moc"
