#pragma once

#include "ResidentMemory.h"
#include "Turns.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

// Two runs of N and 2N measured in turns in one process: the time of each and the peak of resident memory above
// what was resident before it. Reports the medians and the ratios of the larger to the smaller (median, min, max)
// of time (`ratio`) and of peak memory (`memoryRatio`). Gives the times and peaks of each turn.
struct TurnsMeasured {
    Turns seconds;
    std::vector<double> smallMegabytes;
    std::vector<double> largeMegabytes;
};

// Reports the median, Min and Max of the values as the counter `name`.
inline void ReportSpread(benchmark::State& state, const std::string& name, const std::vector<double>& values) {
    state.counters[name] = Median(values);
    state.counters[name + "Min"] = *std::ranges::min_element(values);
    state.counters[name + "Max"] = *std::ranges::max_element(values);
}

inline TurnsMeasured MeasureTimeAndPeakInTurns(benchmark::State& state, const std::function<void()>& small,
                                               const std::function<void()>& large) {
    std::vector<double> smallMegabytes;
    std::vector<double> largeMegabytes;
    const auto measure = [](const std::function<void()>& work, std::vector<double>& megabytes) {
        malloc_trim(0);
        const double before = ResidentMegabytesAndReset().first;
        const double seconds = Seconds(work);
        megabytes.push_back(ResidentMegabytesAndReset().second - before);
        return seconds;
    };
    Turns turns;
    for (auto _ : state)
        turns.Run([&] { return measure(small, smallMegabytes); }, [&] { return measure(large, largeMegabytes); });
    state.counters["smallMs"] = 1000 * Median(turns.first);
    state.counters["largeMs"] = 1000 * Median(turns.second);
    ReportSpread(state, "ratio", turns.Ratios());
    state.counters["smallMB"] = Median(smallMegabytes);
    state.counters["largeMB"] = Median(largeMegabytes);
    std::vector<double> memoryRatios;
    for (size_t turn = 0; turn < smallMegabytes.size(); ++turn)
        memoryRatios.push_back(largeMegabytes[turn] / std::max(smallMegabytes[turn], 0.001));
    ReportSpread(state, "memoryRatio", memoryRatios);
    return {std::move(turns), std::move(smallMegabytes), std::move(largeMegabytes)};
}
