#include "textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <csignal>
#include <pwd.h>
#include <unistd.h>

// Starts the real program for a first time and ends it as a closing session does.
class TstTermination : public QObject {
    Q_OBJECT
private slots:
    void firstStartEndedBySigterm();
};

void TstTermination::firstStartEndedBySigterm() {
    const QString base = QStringLiteral(E2E_BASE);
    QDir(base).removeRecursively();
    QVERIFY(QDir().mkpath(base));
    QProcess copy;
    copy.start("cp", {"-r", QStringLiteral(TEMPLATES), base + "/Struktur"});
    QVERIFY(copy.waitForFinished());

    const QString user = base + "/" + QString::fromLocal8Bit(getpwuid(geteuid())->pw_name);
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(E2E_PROGRAM));
    QVERIFY(program.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(user + "/Egenskaber").isDir(), 20000);
    QTest::qWait(500);
    QVERIFY(!QFileInfo::exists(user + "/Egenskaber/main.txt"));

    ::kill(pid_t(program.processId()), SIGTERM);
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);

    QCOMPARE(*textfile::readLines(user + "/Egenskaber/main.txt"),
             (QStringList{"Sky", "120", "120", "595", "380", "", "", "", "0"}));
    QCOMPARE(textfile::readLines(user + "/Egenskaber/lenKaro.txt")->size(), 5);
    QCOMPARE(*textfile::readLines(user + "/Program/webgruppe.txt"),
             *textfile::readLines(base + "/Struktur/Program/webgruppe.txt"));
    QVERIFY(QFileInfo::exists(user + "/Program/Nyheder/DR.txt"));
    QVERIFY(QFileInfo(user + "/Programmer").isDir());
    QCOMPARE(QDir(user + "/Programmer").entryList(QDir::Dirs | QDir::NoDotAndDotDot),
             QDir(base + "/Struktur/Programmer").entryList(QDir::Dirs | QDir::NoDotAndDotDot));
}

QTEST_GUILESS_MAIN(TstTermination)
#include "tst_termination.moc"
