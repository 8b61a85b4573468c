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
// of time (`ratio`) and of peak memory (`memoryRatio`).
inline void MeasureTimeAndPeakInTurns(benchmark::State& state, const std::function<void()>& small,
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
    const auto report = [&state](const std::string& name, const std::vector<double>& ratios) {
        state.counters[name] = Median(ratios);
        state.counters[name + "Min"] = *std::ranges::min_element(ratios);
        state.counters[name + "Max"] = *std::ranges::max_element(ratios);
    };
    state.counters["smallMs"] = 1000 * Median(turns.first);
    state.counters["largeMs"] = 1000 * Median(turns.second);
    report("ratio", turns.Ratios());
    state.counters["smallMB"] = Median(smallMegabytes);
    state.counters["largeMB"] = Median(largeMegabytes);
    std::vector<double> memoryRatios;
    for (size_t turn = 0; turn < smallMegabytes.size(); ++turn)
        memoryRatios.push_back(largeMegabytes[turn] / std::max(smallMegabytes[turn], 0.001));
    report("memoryRatio", memoryRatios);
}
