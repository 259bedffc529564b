#pragma once

// Root writes through read-only files and reads unreadable ones, so a test of what permissions
// do must run as an ordinary user. Started as root, such a test forks before anything else is
// made; the child takes the user and group "nobody" and runs the tests, and the parent waits for
// it and ends with its result. Started as any other user it simply runs.

#include <QTest>

#include <cstdio>
#include <cstdlib>

#include <grp.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ordinaryuser {

constexpr uid_t nobody = 65534;
constexpr gid_t nogroup = 65534;

// In a child process just forked by root: takes the user and group "nobody" and what that user
// needs to run; ends the child when it cannot.
inline void takeNobody() {
    if (::setgroups(0, nullptr) != 0 || ::setgid(nogroup) != 0 || ::setuid(nobody) != 0) {
        std::perror("setuid");
        std::_Exit(1);
    }
    // A change of user makes the process one that may not be looked into, which the
    // sanitizers' leak check must do.
    ::prctl(PR_SET_DUMPABLE, 1);
    // nobody's home folder does not exist; the libraries want one to write their caches.
    char home[] = "/tmp/lenkaro-home-XXXXXX";
    if (::mkdtemp(home))
        ::setenv("HOME", home, 1);
    ::unsetenv("XDG_RUNTIME_DIR");
}

inline int waitFor(pid_t child) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// In the process that is to run the tests: -1. In a parent that waited for its child: the
// child's result, to end with.
inline int become() {
    if (::geteuid() != 0)
        return -1;
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) {
        std::perror("fork");
        return 1;
    }
    if (child == 0) {
        takeNobody();
        return -1;
    }
    return waitFor(child);
}

// For a test run as root that has made, as another user would, what an ordinary user is to
// meet: runs check in a child process as "nobody" and tells whether it passed. The child
// reports its own failures. Call it from a test function that runs as root.
template <typename Check> bool asNobody(Check check) {
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) {
        std::perror("fork");
        return false;
    }
    if (child == 0) {
        takeNobody();
        check();
        std::fflush(nullptr);
        std::_Exit(QTest::currentTestFailed() ? 1 : 0);
    }
    return waitFor(child) == 0;
}

} // namespace ordinaryuser

// QTEST_GUILESS_MAIN and QTEST_MAIN, run as an ordinary user.
#define LENKARO_ORDINARY_USER_GUILESS_MAIN(TestObject)                                             \
    int main(int argc, char* argv[]) {                                                             \
        if (const int done = ordinaryuser::become(); done >= 0)                                    \
            return done;                                                                           \
        QCoreApplication app(argc, argv);                                                          \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }

#define LENKARO_ORDINARY_USER_MAIN(TestObject)                                                     \
    int main(int argc, char* argv[]) {                                                             \
        if (const int done = ordinaryuser::become(); done >= 0)                                    \
            return done;                                                                           \
        QApplication app(argc, argv);                                                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
