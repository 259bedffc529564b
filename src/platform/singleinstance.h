#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

namespace platform {

// One running program per user folder: two programs on one folder would each write their own
// stale copy of the files. The first start holds a lock file in the given folder and listens on
// a local socket named after it; a later start finds the lock taken, asks the running program to
// come to the front and ends. A lock left by a program that no longer runs is taken over.
//
// The socket lies where only the user may make files: the user's runtime folder (on Linux
// $XDG_RUNTIME_DIR, which the system makes for the user alone), or else the given folder, which
// must then be the user's own and closed to others. A socket in the shared temporary folder, under
// a name anyone can work out, could be taken first by another user, who would then be asked in
// place of the running program. Both ends also check that the other is the same user.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& folder, QObject* parent = nullptr);

    // True when this program is to run: it holds the folder, or the folder cannot hold a lock
    // at all. False when another running program holds it; that one has been asked to the front.
    bool claim();

    // The path of the local socket of this folder's program.
    const QString& socketPath() const { return serverName; }

signals:
    // A later start on the same folder asked this program to come to the front.
    void activationRequested();

private:
    void askRunningToFront();

    QLockFile lock;
    QLocalServer server;
    QString serverName;
};

} // namespace platform
