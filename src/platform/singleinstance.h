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
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& folder, QObject* parent = nullptr);

    // True when this program is to run: it holds the folder, or the folder cannot hold a lock
    // at all. False when another running program holds it; that one has been asked to the front.
    bool claim();

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
