#include "platform/singleinstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QThread>

namespace platform {

namespace {
QString lockPath(const QString& folder) {
    return QDir(folder).filePath(QStringLiteral("lenkaro.lock"));
}

// Short, as local socket names become file names, and the same for every way of writing the
// folder's path.
QString nameFor(const QString& folder) {
    const QString canonical = QDir(folder).canonicalPath();
    const QByteArray key = (canonical.isEmpty() ? QDir(folder).absolutePath() : canonical).toUtf8();
    return QStringLiteral("lenkaro-") +
           QString::fromLatin1(
               QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(24));
}
} // namespace

SingleInstance::SingleInstance(const QString& folder, QObject* parent)
    : QObject(parent), lock(lockPath(folder)), serverName(nameFor(folder)) {
    // Only a lock whose program has ended is stale, however long the running one has held it.
    lock.setStaleLockTime(0);
    connect(&server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
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
            socket.write("front\n");
            socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
            return;
        }
        QThread::msleep(100);
    }
}

} // namespace platform
