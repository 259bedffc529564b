#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <csignal>
#include <sys/syscall.h>

// What a started program is doing, read from /proc, so a test waits for a state and not for a
// time that a slow machine may not keep.

// True once the process pid catches SIGTERM: the program has set up its ending.
inline bool handlesSigterm(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (SIGTERM - 1)) & 1;
    }
    return false;
}

// True while the main thread of the process pid waits in poll: an event loop with nothing to
// do, the program's own or a modal window's.
inline bool waitsForEvents(qint64 pid) {
    QFile syscall(QStringLiteral("/proc/%1/syscall").arg(pid));
    if (!syscall.open(QIODevice::ReadOnly))
        return false;
    bool ok = false;
    const long number = syscall.readAll().split(' ').value(0).toLong(&ok);
    if (!ok)
        return false;
#ifdef SYS_poll
    if (number == SYS_poll)
        return true;
#endif
    return number == SYS_ppoll;
}
