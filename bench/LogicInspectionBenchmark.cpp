// Whole-document inspection of generated documents (see GeneratedLogicDocument.h). Run with N and 2N unit
// functions; the time of the larger should stay near twice the smaller.

#include "logic/InspectionProgress.h"
#include "logic/InspectionRun.h"
#include "logic/InspectionView.h"
#include "support/logic/GeneratedLogicDocument.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

namespace {

double InspectionSeconds(LogicTestDocument& document) {
    CInspectionView pane;
    CInspectionProgress run;
    const auto start = std::chrono::steady_clock::now();
    StartWholeInspection(CommandInspectAll, pane, document.environment, run);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void BM_WholeDocumentInspection(benchmark::State& state) {
    const auto document = MakeGeneratedLogicDocument(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(InspectionSeconds(*document));
    state.counters["unitFunctions"] = static_cast<double>(document->registry.Count());
}

// N and 2N measured in turns in one process, so that a change of machine load hits both alike; reports the
// median times and the median of the turns' ratios. Both documents are made before anything is timed and each is
// inspected once untimed, so the first run's page faults and allocator growth count for neither; the order within a
// turn alternates, so neither size always runs on a heap the other has just left behind.
void BM_WholeDocumentInspectionRatio(benchmark::State& state) {
    const auto small = MakeGeneratedLogicDocument(static_cast<int>(state.range(0)));
    const auto large = MakeGeneratedLogicDocument(static_cast<int>(2 * state.range(0)));
    InspectionSeconds(*small);
    InspectionSeconds(*large);
    std::vector<double> smallTimes;
    std::vector<double> largeTimes;
    for (auto _ : state) {
        if (smallTimes.size() % 2 == 0) {
            smallTimes.push_back(InspectionSeconds(*small));
            largeTimes.push_back(InspectionSeconds(*large));
        } else {
            largeTimes.push_back(InspectionSeconds(*large));
            smallTimes.push_back(InspectionSeconds(*small));
        }
    }
    state.counters["smallFunctions"] = static_cast<double>(small->registry.Count());
    state.counters["largeFunctions"] = static_cast<double>(large->registry.Count());
    state.counters["smallMs"] = 1000 * Median(smallTimes);
    state.counters["largeMs"] = 1000 * Median(largeTimes);
    std::vector<double> ratios;
    for (size_t turn = 0; turn < smallTimes.size(); ++turn)
        ratios.push_back(largeTimes[turn] / smallTimes[turn]);
    state.counters["ratio"] = Median(ratios);
}

} // namespace

// c chapters make 1 + 73c unit functions: 27 make 1972, 54 make 3943, 108 make 7885 and 216 make 15769. The
// ratio is measured at three sizes. Between 1972 and 3943 unit functions what a run touches (the document's
// lines, the syntax tree and the paths) outgrows a last-level cache of 32 MB, which adds to the first ratio;
// beyond that both sizes lie outside the cache, and the ratio shows how the inspection itself grows.
BENCHMARK(BM_WholeDocumentInspection)
    ->Arg(27)
    ->Arg(54)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_WholeDocumentInspectionRatio)->Arg(27)->Arg(54)->Arg(108)->Iterations(31)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
