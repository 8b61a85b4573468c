#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <functional>
#include <vector>

// What the benchmarks that measure ratios in one process share: medians, timing, and two measurements run
// in turns so that a change of machine load hits both alike.

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

inline double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The times of two measurements taken in turns, each turn in the other order than the last, so that neither
// always runs on what the other has just left behind.
struct Turns {
    std::vector<double> first;
    std::vector<double> second;

    // Each measurement returns the time it took.
    void Run(const std::function<double()>& measureFirst, const std::function<double()>& measureSecond) {
        if (first.size() % 2 == 0) {
            first.push_back(measureFirst());
            second.push_back(measureSecond());
        } else {
            second.push_back(measureSecond());
            first.push_back(measureFirst());
        }
    }

    // second / first of each turn.
    std::vector<double> Ratios() const {
        std::vector<double> ratios;
        for (std::size_t turn = 0; turn < first.size(); ++turn)
            ratios.push_back(second[turn] / first[turn]);
        return ratios;
    }
};
