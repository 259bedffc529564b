#include "platform/singleinstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <sys/types.h>
#include <unistd.h>
#endif

namespace platform {

namespace {
QString lockPath(const QString& folder) {
    return QDir(folder).filePath(QStringLiteral("lenkaro.lock"));
}

// Short, as the path of a local socket is limited to about a hundred bytes, and the same for
// every way of writing the folder's path. Qt checks that the runtime folder is the user's own
// and closed to others, and gives none when it is not; the folder given is then used, which
// the start has found to be the user's own.
QString socketPathFor(const QString& folder) {
    const QString canonical = QDir(folder).canonicalPath();
    const QByteArray key = (canonical.isEmpty() ? QDir(folder).absolutePath() : canonical).toUtf8();
    const QString name =
        QStringLiteral("lenkaro-") +
        QString::fromLatin1(
            QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(24));
#ifdef Q_OS_UNIX
    QString place = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (place.isEmpty())
        place = QDir(folder).absolutePath();
    return QDir(place).filePath(name);
#else
    // A named pipe, which the user's access list alone may open (QLocalServer::UserAccessOption).
    return name;
#endif
}

// True when the program at the other end of socket runs as the same user as this one. Whoever
// else reached the socket (root reaches every folder) is not listened to, and is told nothing.
bool isSameUser(const QLocalSocket& socket) {
#if defined(Q_OS_LINUX)
    struct ucred peer {};
    socklen_t size = sizeof peer;
    const int fd = int(socket.socketDescriptor());
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::geteuid();
#elif defined(Q_OS_UNIX)
    uid_t uid = 0;
    gid_t gid = 0;
    return ::getpeereid(int(socket.socketDescriptor()), &uid, &gid) == 0 && uid == ::geteuid();
#else
    Q_UNUSED(socket);
    return true;
#endif
}
} // namespace

SingleInstance::SingleInstance(const QString& folder, QObject* parent)
    : QObject(parent), lock(lockPath(folder)), serverName(socketPathFor(folder)) {
    // Only a lock whose program has ended is stale, however long the running one has held it.
    lock.setStaleLockTime(0);
    connect(&server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            if (!isSameUser(*socket)) {
                socket->abort();
                socket->deleteLater();
                continue;
            }
            emit activationRequested();
        }
    });
}

bool SingleInstance::claim() {
    bool locked = lock.tryLock(0);
    // A lock file that names no program (a start killed while writing it) holds nothing.
    qint64 pid = 0;
    QString host, application;
    if (!locked && lock.error() == QLockFile::LockFailedError &&
        !lock.getLockInfo(&pid, &host, &application) && lock.removeStaleLockFile())
        locked = lock.tryLock(0);
    if (locked) {
        // A socket file left by a program that was killed would keep the name taken.
        QLocalServer::removeServer(serverName);
        server.setSocketOptions(QLocalServer::UserAccessOption);
        server.listen(serverName);
        return true;
    }
    // A folder that cannot hold the lock file: run as if alone rather than not at all.
    if (lock.error() != QLockFile::LockFailedError)
        return true;
    askRunningToFront();
    return false;
}

void SingleInstance::askRunningToFront() {
    // The running program may be starting and not listen yet; it is given a few seconds.
    const QDeadlineTimer deadline(5000);
    QLocalSocket socket;
    while (!deadline.hasExpired()) {
        socket.connectToServer(serverName);
        if (socket.waitForConnected(500)) {
            if (isSameUser(socket)) {
                socket.write("front\n");
                socket.waitForBytesWritten(1000);
            }
            socket.disconnectFromServer();
            return;
        }
        QThread::msleep(100);
    }
}

} // namespace platform
