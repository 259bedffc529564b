#include "display.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace benchdisplay {

namespace {
qint64 nowNs() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::exit(1);
}
} // namespace

XDisplay::XDisplay() {
    if (const char* given = std::getenv("DISPLAY"); given && *given) {
        display = given;
        return;
    }
    int fds[2];
    if (::pipe(fds) != 0)
        fail("no pipe for the X server");
    server = ::fork();
    if (server == 0) {
        ::close(fds[0]);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 2);
        const std::string fd = std::to_string(fds[1]);
        ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
                 "-nolisten", "tcp", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(fds[1]);
    // The server writes its display number and then a line end, each on its own: the pipe stays
    // open until both are read, or the server fails writing the second.
    QByteArray number;
    for (char c = 0; c != '\n';) {
        pollfd wait{fds[0], POLLIN, 0};
        if (::poll(&wait, 1, 20000) != 1 || ::read(fds[0], &c, 1) != 1)
            fail("no X server: install Xvfb, or start the benchmark on a display");
        number += c;
    }
    ::close(fds[0]);
    display = QByteArray(":") + number.trimmed();
    windowManager = ::fork();
    if (windowManager == 0) {
        ::setenv("DISPLAY", display.constData(), 1);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::execlp("openbox", "openbox", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // The window manager takes a moment to manage the screen; windows mapped before that are
    // placed and drawn otherwise.
    ::usleep(500000);
}

XDisplay::~XDisplay() {
    for (int pid : {windowManager, server}) {
        if (pid > 0) {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        }
    }
}

Painted runUntilPainted(const std::vector<std::string>& args, const QByteArray& display) {
    int fds[2];
    if (::pipe(fds) != 0)
        fail("no pipe for the first paint");
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const qint64 start = nowNs();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        ::setenv("LD_PRELOAD", LENKARO_FIRSTPAINT, 1);
        ::setenv("LENKARO_PAINT_FD", std::to_string(fds[1]).c_str(), 1);
        ::setenv("DISPLAY", display.constData(), 1);
        ::setenv("QT_QPA_PLATFORM", "xcb", 1);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 2);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(fds[1]);
    qint64 painted = 0;
    pollfd wait{fds[0], POLLIN, 0};
    const bool seen = ::poll(&wait, 1, 30000) == 1 &&
                      ::read(fds[0], &painted, sizeof painted) == sizeof painted;
    ::close(fds[0]);
    ::kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    if (!seen) {
        std::fprintf(stderr, "%s painted no window\n", args.front().c_str());
        std::exit(1);
    }
    return {(painted - start) / 1e6, usage.ru_maxrss / 1024.0};
}

} // namespace benchdisplay
