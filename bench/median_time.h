// The medians the benchmarks print: a run-to-run median is steady on a
// shared machine where the mean is not.
#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The median time of `runs` calls of `work`, in milliseconds; each call is
// given its run's number.
inline double MedianMs(int runs, const std::function<void(int)>& work) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        work(run);
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return Median(std::move(times));
}
