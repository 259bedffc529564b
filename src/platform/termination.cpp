#include "platform/termination.h"

#ifdef Q_OS_UNIX
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int signalPipe[2] = {-1, -1};

void writeToPipe(int) {
    const char byte = 1;
    [[maybe_unused]] auto written = ::write(signalPipe[0], &byte, 1);
}
} // namespace
#endif

namespace platform {

void onTermination(QObject* context, std::function<void()> handler) {
#ifdef Q_OS_UNIX
    if (signalPipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, context);
    QObject::connect(notifier, &QSocketNotifier::activated, context,
                     [handler = std::move(handler)] {
                         char byte;
                         [[maybe_unused]] auto got = ::read(signalPipe[1], &byte, 1);
                         handler();
                     });
    struct sigaction action = {};
    action.sa_handler = writeToPipe;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(sig, &action, nullptr);
#else
    // Windows ends a session through the window system; the main window's close runs then.
    Q_UNUSED(context);
    Q_UNUSED(handler);
#endif
}

void ignoreFileSizeSignal() {
#ifdef Q_OS_UNIX
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

} // namespace platform
