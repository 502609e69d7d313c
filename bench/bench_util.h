#pragma once
// Small helpers for the whole-job benchmarks: best-of-N wall-clock timing and a ratio line.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

namespace zephane::bench {

// The best of `runs` timings of job, in seconds (the best run is the one least disturbed).
inline double best_seconds(int runs, const std::function<void()>& job) {
    double best = 1e30;
    for (int k = 0; k < runs; ++k) {
        const auto start = std::chrono::steady_clock::now();
        job();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

// Prints "name: ours X s, floor Y s, ratio R (target at most T)" and returns whether it holds.
inline bool report(const char* name, double ours, double floor, double target) {
    const double ratio = ours / floor;
    std::printf("%s: ours %.4f s, floor %.4f s, ratio %.2f (target at most %.2f) %s\n", name, ours,
                floor, ratio, target, ratio <= target ? "PASS" : "FAIL");
    return ratio <= target;
}

} // namespace zephane::bench
