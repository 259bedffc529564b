#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

// The writer of new files that an import makes by the thousand and syncs together.
class TstNewLines : public QObject {
    Q_OBJECT
private slots:
    void writesLinesAsEveryFile();
    void neverReplacesAFile();
    void refusesControlCharacters();
    void failedWriteLeavesNoFile();
};

namespace {
QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

void TstNewLines::writesLinesAsEveryFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("Ærø Avis.txt");
    QString error;
    QVERIFY2(textfile::writeNewLines(path, {"https://www.aeroeavis.dk/", "Ærø Avis"}, &error),
             qPrintable(error));
    QCOMPARE(bytesOf(path), QByteArray("https://www.aeroeavis.dk/\r\n\xc3\x86r\xc3\xb8 Avis\r\n"));
    QVERIFY(textfile::syncFileSystem(dir.path(), &error));
    // The user's usual mode for a new file, and no temporary file left beside it.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    struct stat st;
    QCOMPARE(::stat(QFile::encodeName(path).constData(), &st), 0);
    QCOMPARE(st.st_mode & 0777, 0644 & ~mask);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Ærø Avis.txt"});
}

void TstNewLines::neverReplacesAFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("DR.txt");
    QVERIFY(
        textfile::writeLines(path, {"https://www.dr.dk/", "DR", "01-12-2026", "10:15", "7", ""}));
    const QByteArray before = bytesOf(path);
    QString error;
    QVERIFY(!textfile::writeNewLines(path, {"https://example.org/"}, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(bytesOf(path), before);
}

void TstNewLines::refusesControlCharacters() {
    QTemporaryDir dir;
    const QString path = dir.filePath("DR.txt");
    QString error;
    QVERIFY(!textfile::writeNewLines(path, {"https://www.dr.dk/\nnyheder", "DR"}, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFileInfo::exists(path));
}

void TstNewLines::failedWriteLeavesNoFile() {
    QTemporaryDir dir;
    QString error;
    // A folder that is not there.
    QVERIFY(!textfile::writeNewLines(dir.filePath("ingen/DR.txt"), {"https://www.dr.dk/"}, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!textfile::syncFileSystem(dir.filePath("ingen"), &error));
}

QTEST_GUILESS_MAIN(TstNewLines)
#include "tst_newlines.moc"
