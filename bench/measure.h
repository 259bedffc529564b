#pragma once

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

// The median time of a piece of work in milliseconds, after a few runs to warm the caches.
template <typename Work> double medianMs(Work&& work, int warmups = 2, int runs = 9) {
    for (int i = 0; i < warmups; ++i)
        work();
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// One line per measure: the program's time, the anchor's, and their ratio.
inline void report(const char* measure, long long n, double program, double anchor) {
    std::printf("%s %lld: program %.2f ms, anchor %.2f ms, ratio %.2f\n", measure, n, program,
                anchor, anchor > 0 ? program / anchor : 0.0);
}
