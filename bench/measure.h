#pragma once

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

// The middle value of some times.
inline double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

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
    return median(std::move(times));
}

// The medians of two pieces of work run in turns, so that a change in the machine's load
// between runs falls on both alike.
template <typename Program, typename Anchor>
std::pair<double, double> pairedMediansMs(Program&& program, Anchor&& anchor, int warmups = 2,
                                          int runs = 9) {
    for (int i = 0; i < warmups; ++i) {
        program();
        anchor();
    }
    std::vector<double> programTimes, anchorTimes;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        program();
        programTimes.push_back(timer.nsecsElapsed() / 1e6);
        timer.restart();
        anchor();
        anchorTimes.push_back(timer.nsecsElapsed() / 1e6);
    }
    return {median(std::move(programTimes)), median(std::move(anchorTimes))};
}

// One line per measure taken in pairs: the medians of the program's and the anchor's times, and
// the median, least and greatest of the ratios of the pairs, each pair run in turn so that a
// change in the machine's load falls on both alike.
inline void reportPairs(const char* measure, long long n, const std::vector<double>& program,
                        const std::vector<double>& anchor) {
    std::vector<double> ratios;
    for (size_t i = 0; i < program.size(); ++i)
        ratios.push_back(anchor[i] > 0 ? program[i] / anchor[i] : 0.0);
    const auto [least, most] = std::minmax_element(ratios.begin(), ratios.end());
    std::printf("%s %lld: program %.2f ms, anchor %.2f ms, ratio %.2f (%.2f to %.2f)\n", measure,
                n, median(program), median(anchor), median(ratios), *least, *most);
}

// One line per measure: the program's time, the anchor's, and their ratio.
inline void report(const char* measure, long long n, double program, double anchor) {
    std::printf("%s %lld: program %.2f ms, anchor %.2f ms, ratio %.2f\n", measure, n, program,
                anchor, anchor > 0 ? program / anchor : 0.0);
}
