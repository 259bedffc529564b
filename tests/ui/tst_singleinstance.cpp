#include "ordinaryuser.h"
#include "platform/singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

// Two programs on one user folder: the later one asks the first to the front and ends.
class TstSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void secondStartAsksFirstToFront();
    void emptyLockFileIsTakenOver();
    void folderWithoutLockRuns();
    void nameTakenByAnotherUserIsPassedOver();
    void anotherUserIsNotListenedTo();
};

namespace {
// An options folder of the user "nobody", closed to others, in a folder root made.
QString nobodysFolder(const QTemporaryDir& tmp) {
    const QString folder = tmp.path() + "/Egenskaber";
    QDir().mkpath(folder);
    ::chmod(QFile::encodeName(tmp.path()).constData(), 0755);
    if (::chown(QFile::encodeName(folder).constData(), ordinaryuser::nobody,
                ordinaryuser::nogroup) != 0)
        return {};
    ::chmod(QFile::encodeName(folder).constData(), 0700);
    return folder;
}

bool readable(int fd) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, 0) == 1;
}
} // namespace

void TstSingleInstance::secondStartAsksFirstToFront() {
    QTemporaryDir tmp;
    const QString folder = tmp.path() + "/Egenskaber";
    QVERIFY(QDir().mkpath(folder));
    auto first = std::make_unique<platform::SingleInstance>(folder);
    QVERIFY(first->claim());
    QVERIFY(QFileInfo::exists(folder + "/lenkaro.lock"));
    QSignalSpy toFront(first.get(), &platform::SingleInstance::activationRequested);

    // The same folder by another way of writing its path.
    platform::SingleInstance second(tmp.path() + "/Egenskaber/../Egenskaber");
    QVERIFY(!second.claim());
    QTRY_COMPARE(toFront.count(), 1);

    // Another user folder is another program's.
    QVERIFY(QDir().mkpath(tmp.path() + "/andre"));
    platform::SingleInstance other(tmp.path() + "/andre");
    QVERIFY(other.claim());

    // Once the first has ended, a new start runs.
    first.reset();
    QVERIFY(!QFileInfo::exists(folder + "/lenkaro.lock"));
    platform::SingleInstance third(folder);
    QVERIFY(third.claim());
}

void TstSingleInstance::emptyLockFileIsTakenOver() {
    // A start killed while it wrote the lock file leaves it empty; it holds nothing.
    QTemporaryDir tmp;
    QFile empty(tmp.path() + "/lenkaro.lock");
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    platform::SingleInstance next(tmp.path());
    QVERIFY(next.claim());
}

void TstSingleInstance::folderWithoutLockRuns() {
    // A folder that cannot hold the lock file does not keep the program from running.
    QTemporaryDir tmp;
    platform::SingleInstance lone(tmp.path() + "/mangler");
    QVERIFY(lone.claim());
}

// The shared temporary folder is open to every user, and a socket name worked out from the
// folder's path can be worked out by anyone. Another user who listens there first must not be
// the one asked to the front: the running program is.
void TstSingleInstance::nameTakenByAnotherUserIsPassedOver() {
    if (::geteuid() != 0)
        QSKIP("Root plays the other user here.");
    QTemporaryDir tmp;
    const QString folder = nobodysFolder(tmp);
    QVERIFY(!folder.isEmpty());
    const QByteArray key = QDir(folder).canonicalPath().toUtf8();
    const QString shared =
        QDir::tempPath() + "/lenkaro-" +
        QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(24);
    QLocalServer::removeServer(shared);
    QLocalServer squatter;
    squatter.setSocketOptions(QLocalServer::WorldAccessOption);
    QVERIFY(squatter.listen(shared));

    QVERIFY(ordinaryuser::asNobody([&] {
        platform::SingleInstance first(folder);
        QVERIFY(first.claim());
        QSignalSpy toFront(&first, &platform::SingleInstance::activationRequested);
        platform::SingleInstance second(folder);
        QVERIFY(!second.claim());
        QTRY_COMPARE(toFront.count(), 1);
    }));
    bool timedOut = false;
    QVERIFY(!squatter.waitForNewConnection(0, &timedOut));
}

// Root reaches every socket; a program started by another user than the running one's is not
// its own second start, and is hung up on without a word.
void TstSingleInstance::anotherUserIsNotListenedTo() {
    if (::geteuid() != 0)
        QSKIP("Root plays the other user here.");
    QTemporaryDir tmp;
    const QString folder = nobodysFolder(tmp);
    QVERIFY(!folder.isEmpty());
    int toParent[2], toChild[2];
    QVERIFY(::pipe(toParent) == 0 && ::pipe(toChild) == 0);
    // A child that ended early must fail the test, not end it.
    ::signal(SIGPIPE, SIG_IGN);
    std::fflush(nullptr);
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        ::close(toParent[0]);
        ::close(toChild[1]);
        ordinaryuser::takeNobody();
        [&] {
            platform::SingleInstance first(folder);
            QVERIFY(first.claim());
            QSignalSpy toFront(&first, &platform::SingleInstance::activationRequested);
            const QByteArray path = QFile::encodeName(first.socketPath()) + '\n';
            QVERIFY(::write(toParent[1], path.constData(), size_t(path.size())) == path.size());
            QTRY_VERIFY_WITH_TIMEOUT(readable(toChild[0]), 20000);
            QCOMPARE(toFront.count(), 0);
            // The user's own second start is heard as ever.
            platform::SingleInstance second(folder);
            QVERIFY(!second.claim());
            QTRY_COMPARE(toFront.count(), 1);
        }();
        std::fflush(nullptr);
        std::_Exit(QTest::currentTestFailed() ? 1 : 0);
    }
    ::close(toParent[1]);
    ::close(toChild[0]);
    QByteArray path;
    char c = 0;
    while (::read(toParent[0], &c, 1) == 1 && c != '\n')
        path += c;
    QLocalSocket intruder;
    intruder.connectToServer(QFile::decodeName(path));
    const bool connected = intruder.waitForConnected(5000);
    intruder.write("front\n");
    intruder.waitForBytesWritten(1000);
    const bool hungUp = connected && intruder.waitForDisconnected(5000);
    QVERIFY(::write(toChild[1], "x", 1) == 1);
    QCOMPARE(ordinaryuser::waitFor(child), 0);
    QVERIFY(connected);
    QVERIFY(hungUp);
    ::close(toParent[0]);
    ::close(toChild[1]);
}

QTEST_GUILESS_MAIN(TstSingleInstance)
#include "tst_singleinstance.moc"
