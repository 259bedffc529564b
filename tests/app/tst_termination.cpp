#include "platform/textfile.h"
#include "processstate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <csignal>
#include <pwd.h>
#include <sys/resource.h>
#include <unistd.h>

// Starts the real program and ends it as a closing session does, or starts it twice.
class TstTermination : public QObject {
    Q_OBJECT
private slots:
    void firstStartEndedBySigterm();
    void unwritableOptionsEndWithoutBoxes();
    void fileSizeLimitIsAnError();
    void secondStartEnds();
    void endedWhileStartupMessageIsOpen();
    void userFolderOpenToOthersEndsTheProgram();

private:
    QString base = QStringLiteral(E2E_BASE);
    QString user;
    QString lockFile() const { return user + "/Egenskaber/lenkaro.lock"; }

    // A base folder holding the installed data; with userFolder, a user who started before.
    void prepare(bool userFolder) {
        QDir(base).removeRecursively();
        QVERIFY(QDir().mkpath(base));
        QProcess copy;
        copy.start("cp", {"-r", QStringLiteral(TEMPLATES), base + "/Struktur"});
        QVERIFY(copy.waitForFinished());
        user = base + "/" + QString::fromLocal8Bit(getpwuid(geteuid())->pw_name);
        if (userFolder) {
            for (const char* sub : {"/Program", "/Programmer", "/Egenskaber"})
                QVERIFY(QDir().mkpath(user + sub));
        }
    }

    static void start(QProcess& program) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(E2E_PROGRAM));
        QVERIFY(program.waitForStarted());
    }

    // Ends program as a closing session does; it must end at once and in order.
    static void terminate(QProcess& program) {
        ::kill(pid_t(program.processId()), SIGTERM);
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }

    // Until the program holds the user folder, has set up its ending and waits in its event
    // loop.
    void waitUntilRunning(QProcess& program) {
        QTRY_VERIFY_WITH_TIMEOUT(textfile::readLines(lockFile()).value_or(QStringList{}).value(0) ==
                                     QString::number(program.processId()),
                                 20000);
        waitUntilIdle(program);
    }

    // Until the program has set up its ending and waits in an event loop.
    static void waitUntilIdle(const QProcess& program) {
        QTRY_VERIFY_WITH_TIMEOUT(
            handlesSigterm(program.processId()) && waitsForEvents(program.processId()), 20000);
    }
};

void TstTermination::firstStartEndedBySigterm() {
    prepare(false);
    QProcess program;
    start(program);
    waitUntilRunning(program);
    QVERIFY(!QFileInfo::exists(user + "/Egenskaber/main.txt"));

    terminate(program);

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

void TstTermination::unwritableOptionsEndWithoutBoxes() {
    // Folders in the places of both options files: neither can be written. Nobody answers a
    // message box when the session ends, so the errors go to the standard error stream.
    prepare(true);
    QVERIFY(QDir().mkpath(user + "/Egenskaber/main.txt"));
    QVERIFY(QDir().mkpath(user + "/Egenskaber/lenKaro.txt"));
    QProcess program;
    start(program);
    waitUntilRunning(program);
    terminate(program);
    const QString errors = QString::fromUtf8(program.readAllStandardError());
    QVERIFY2(errors.contains("main.txt") && errors.contains("lenKaro.txt"), qPrintable(errors));
}

void TstTermination::fileSizeLimitIsAnError() {
    // With the file-size limit reached a write fails like any other: the program goes on, says
    // so and leaves the old file whole.
    prepare(true);
    const QStringList old{"Carbon", "130", "140", "600", "400", "", "", "", "0"};
    QVERIFY(textfile::writeLines(user + "/Egenskaber/main.txt", old));
    QProcess program;
    program.setChildProcessModifier([] {
        const rlimit none{0, 0};
        ::setrlimit(RLIMIT_FSIZE, &none);
    });
    start(program);
    // No lock file can be written either.
    waitUntilIdle(program);
    terminate(program);
    QCOMPARE(*textfile::readLines(user + "/Egenskaber/main.txt"), old);
    QVERIFY(QString::fromUtf8(program.readAllStandardError()).contains("main.txt"));
}

void TstTermination::secondStartEnds() {
    prepare(true);
    QProcess first;
    start(first);
    waitUntilRunning(first);

    QProcess second;
    start(second);
    QVERIFY(second.waitForFinished(20000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(first.state(), QProcess::Running);

    // A program that was killed leaves its lock behind; the next start takes it over.
    first.kill();
    QVERIFY(first.waitForFinished(20000));
    QVERIFY(QFileInfo::exists(lockFile()));
    QProcess third;
    start(third);
    waitUntilRunning(third);
    terminate(third);
    QVERIFY(!QFileInfo::exists(lockFile()));
}

// A style the program does not know is reported in a message at start-up, before the main
// window shows. Ending the session then still closes the program as a user would.
void TstTermination::endedWhileStartupMessageIsOpen() {
    prepare(true);
    QVERIFY(textfile::writeLines(user + "/Egenskaber/main.txt",
                                 {"Ukendt stil", "130", "140", "600", "400", "", "", "", "0"}));
    QProcess program;
    start(program);
    // The message opens before the main window is shown and waits for an OK that never comes.
    waitUntilIdle(program);
    QCOMPARE(program.state(), QProcess::Running);

    terminate(program);
    // Both windows' options were written as a normal close writes them.
    const QStringList main =
        textfile::readLines(user + "/Egenskaber/main.txt").value_or(QStringList{});
    QCOMPARE(main.value(0), QStringLiteral("Ukendt stil"));
    QCOMPARE(main.size(), 9);
    QCOMPARE(textfile::readLines(user + "/Egenskaber/lenKaro.txt").value_or(QStringList{}).size(),
             5);
}

// A user folder others may write into: the program says so and ends, and writes nothing into
// it, not even its lock.
void TstTermination::userFolderOpenToOthersEndsTheProgram() {
    prepare(true);
    QVERIFY(QFile::setPermissions(user, QFileDevice::Permissions(0x7777)));
    QProcess program;
    start(program);
    // The message waits for an OK that never comes; then the session ends.
    waitUntilIdle(program);
    ::kill(pid_t(program.processId()), SIGTERM);
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 1);
    for (const char* sub : {"/Program", "/Programmer", "/Egenskaber"})
        QCOMPARE(QDir(user + sub).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{});
}

QTEST_GUILESS_MAIN(TstTermination)
#include "tst_termination.moc"
