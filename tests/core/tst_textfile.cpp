#include "platform/textfile.h"

#include "platform/filenames.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

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
    void killedWriteLeavesOldFileAndNoElement();
    void longestNameSaves();
    void readsOnlyRegularFiles();
    void refusesFilesTooLarge_data();
    void refusesFilesTooLarge();
    void refusesControlCharacters_data();
    void refusesControlCharacters();
    void modesOfWrittenFiles();
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
    // The reason of the write that failed, not of the file object.
    QCOMPARE(error, QStringLiteral("Filen er for stor"));
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

void TstTextfile::killedWriteLeavesOldFileAndNoElement() {
    QTemporaryDir dir;
    const QString path = dir.filePath("DR.txt");
    QVERIFY(textfile::writeLines(path, {"old"}));
    QProcess child;
    child.start(QStringLiteral(TEXTFILE_CHILD), {path, "new"});
    QVERIFY(child.waitForFinished(20000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);

    QCOMPARE(*textfile::readLines(path), QStringList{"old"});
    const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(left.size(), 2);
    const QString stray = left.first() == "DR.txt" ? left.last() : left.first();
    QVERIFY(textfile::isTemporaryName(stray));
    QVERIFY2(!stray.contains("DR"), qPrintable(stray));
    // The stray file is no element. Listing the folder passes over it and changes nothing; the
    // clean-up leaves it while it may still be another program's write in progress, and removes
    // it once it is stale; a write touches only its own file and its temporary file, whatever
    // else the folder holds.
    QCOMPARE(filenames::listFiles(dir.path()), QStringList{"DR.txt"});
    QVERIFY(textfile::writeLines(dir.filePath("TV2.txt"), {"x"}));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
    QFile strayFile(dir.filePath(stray));
    QVERIFY(strayFile.open(QIODevice::ReadWrite));
    QVERIFY(strayFile.setFileTime(QDateTime::currentDateTime().addSecs(-61),
                                  QFileDevice::FileModificationTime));
    strayFile.close();
    QVERIFY(textfile::writeLines(dir.filePath("TV2.txt"), {"y"}));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
    QCOMPARE(filenames::listFiles(dir.path()), (QStringList{"DR.txt", "TV2.txt"}));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
    textfile::removeStaleTemporaries(dir.path());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{"DR.txt", "TV2.txt"}));
}

void TstTextfile::longestNameSaves() {
    // The temporary file's name does not grow with the target's: a name the file system takes
    // can be saved, and replaced again.
    QTemporaryDir dir;
    const QString name = QString(251, u'n') + ".txt";
    QVERIFY(textfile::writeLines(dir.filePath(name), {"1"}));
    QVERIFY(textfile::writeLines(dir.filePath(name), {"2"}));
    QCOMPARE(*textfile::readLines(dir.filePath(name)), QStringList{"2"});
}

void TstTextfile::readsOnlyRegularFiles() {
    // A pipe under a data file's name would block the reader for good.
    QTemporaryDir dir;
    const QString fifo = dir.filePath("main.txt");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QString error;
    QVERIFY(!textfile::readLines(fifo, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!textfile::readLines(dir.path(), &error));
}

void TstTextfile::refusesFilesTooLarge_data() {
    QTest::addColumn<qint64>("limit");
    QTest::newRow("help documents, lists, structures") << textfile::largestFile;
    QTest::newRow("element and options files") << textfile::largestSmallFile;
}

// A file far larger than any of its kind is refused before it is read whole. The files are
// sparse: they take no room on the disk.
void TstTextfile::refusesFilesTooLarge() {
    QFETCH(qint64, limit);
    QTemporaryDir dir;
    const QString path = dir.filePath("stor.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(limit));
    file.close();
    QString error;
    QVERIFY(textfile::readLines(path, &error, limit));
    QVERIFY(file.resize(limit + 1));
    QVERIFY(!textfile::readLines(path, &error, limit));
    QCOMPARE(error, QStringLiteral("Filen er for stor til at blive læst (over %1 MB)")
                        .arg(limit >> 20));
    QByteArray bytes("kept room");
    QVERIFY(!textfile::readBytes(path, bytes, &error, limit));
    QVERIFY(bytes.isEmpty());
}

void TstTextfile::refusesControlCharacters_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("written");
    QTest::newRow("line feed") << "https://x.dk/\nz" << false;
    QTest::newRow("carriage return") << "a\rb" << false;
    QTest::newRow("NUL") << QStringLiteral("a") + QChar(0) << false;
    QTest::newRow("escape") << "\x1b[31m" << false;
    QTest::newRow("next line (C1)") << QStringLiteral("a\u0085b") << false;
    QTest::newRow("delete") << "a\x7f" << false;
    QTest::newRow("tab, as structure files indent") << "\t\tKapitel" << true;
    QTest::newRow("letters beyond ASCII") << QStringLiteral("Blåbær \u00a0€") << true;
}

// No line the writer writes holds a line break or another control character: the file keeps
// its old content and its lines where they were.
void TstTextfile::refusesControlCharacters() {
    QFETCH(QString, line);
    QFETCH(bool, written);
    QTemporaryDir dir;
    const QString path = dir.filePath("f.txt");
    QVERIFY(textfile::writeLines(path, {"old"}));
    QString error;
    QCOMPARE(textfile::writeLines(path, {"first", line}, &error), written);
    QCOMPARE(*textfile::readLines(path), written ? (QStringList{"first", line}) : QStringList{"old"});
    QCOMPARE(error.isEmpty(), written);
    QCOMPARE(textfile::isLineText(line), written && !line.contains(u'\t'));
}

// A new file gets the user's usual mode, a replaced one keeps its own, and a link is replaced
// by a file of its own with the usual mode: never that of what it pointed to.
void TstTextfile::modesOfWrittenFiles() {
    QTemporaryDir dir;
    const mode_t saved = ::umask(027);
    auto mode = [](const QString& path) {
        struct stat st;
        return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode : mode_t(0);
    };
    // The mode of a new file is worked out once per run, at the first write.
    const QString fresh = dir.filePath("ny.txt");
    QVERIFY(textfile::writeLines(fresh, {"1"}));
    const mode_t usual = mode(fresh) & 07777;
    QVERIFY2((usual & ~0644) == 0, qPrintable(QString::number(usual, 8)));

    const QString own = dir.filePath("egen.txt");
    QVERIFY(textfile::writeLines(own, {"1"}));
    QVERIFY(::chmod(QFile::encodeName(own).constData(), 0600) == 0);
    QVERIFY(textfile::writeLines(own, {"2"}));
    QCOMPARE(mode(own) & 07777, mode_t(0600));

    const QString target = dir.filePath("alle.txt");
    QVERIFY(textfile::writeLines(target, {"target"}));
    QVERIFY(::chmod(QFile::encodeName(target).constData(), 0666) == 0);
    const QString link = dir.filePath("main.txt");
    QVERIFY(QFile::link(target, link));
    QVERIFY(textfile::writeLines(link, {"options"}));
    ::umask(saved);
    QVERIFY(S_ISREG(mode(link)));
    QCOMPARE(mode(link) & 07777, usual);
    QCOMPARE(*textfile::readLines(link), QStringList{"options"});
    QCOMPARE(*textfile::readLines(target), QStringList{"target"});
    QCOMPARE(mode(target) & 07777, mode_t(0666));
}

QTEST_GUILESS_MAIN(TstTextfile)
#include "tst_textfile.moc"
