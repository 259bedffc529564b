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
    void endedWhileStartupMessageIsOpen();

private:
    // A fresh base folder holding the installed data; returns the folder of the user running.
    static QString freshBase();
};

QString TstTermination::freshBase() {
    const QString base = QStringLiteral(E2E_BASE);
    QDir(base).removeRecursively();
    if (!QDir().mkpath(base))
        return {};
    QProcess copy;
    copy.start("cp", {"-r", QStringLiteral(TEMPLATES), base + "/Struktur"});
    copy.waitForFinished();
    return base + "/" + QString::fromLocal8Bit(getpwuid(geteuid())->pw_name);
}

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

// A style the program does not know is reported in a message at start-up, before the main
// window shows. Ending the session then still closes the program as a user would.
void TstTermination::endedWhileStartupMessageIsOpen() {
    const QString user = freshBase();
    QVERIFY(!user.isEmpty());
    QVERIFY(QDir().mkpath(user + "/Egenskaber"));
    QVERIFY(textfile::writeLines(user + "/Egenskaber/main.txt",
                                 {"Ukendt stil", "130", "140", "600", "400", "", "", "", "0"}));
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(E2E_PROGRAM));
    QVERIFY(program.waitForStarted());
    // Time for the message to open; it waits there for an OK that never comes.
    QTest::qWait(1500);
    QCOMPARE(program.state(), QProcess::Running);

    ::kill(pid_t(program.processId()), SIGTERM);
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    // Both windows' options were written as a normal close writes them.
    const QStringList main =
        textfile::readLines(user + "/Egenskaber/main.txt").value_or(QStringList{});
    QCOMPARE(main.value(0), QStringLiteral("Ukendt stil"));
    QCOMPARE(main.size(), 9);
    QCOMPARE(textfile::readLines(user + "/Egenskaber/lenKaro.txt").value_or(QStringList{}).size(),
             5);
}

QTEST_GUILESS_MAIN(TstTermination)
#include "tst_termination.moc"
