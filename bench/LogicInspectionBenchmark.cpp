// Whole-document inspection of generated documents (see GeneratedLogicDocument.h). Run with N and 2N unit
// functions, time and peak memory; the time of the larger should stay near twice the smaller. The shared-member cases
// report time and peak memory of documents of 4,000 and 8,000 unit functions whose findings grow with the square of
// their size; the largest, 20,000, is run by hand:
//   bench_LogicInspectionBenchmark --shared-members-large
// The condition/conclusion list for all unit functions (BM_ConditionListRatio), written to a pane and read out as
// nuvinspect writes it, at N and 2N in turns: an origin calling N unit functions of one Do each (shape 0), whose list
// grows with the square of N, and the generated document of N chapters (shape 1). Reports the text of each in MB,
// the peak memory of a run against its text (peakToText, small and large: median, Min and Max; target at most 3),
// and, the text growing faster than N, the time ratio as if the text had doubled (perDoubleText; target at most
// 2.2) beside the plain 2N/N ratios of time and peak memory.

#include "logic/ConditionConclusionList.h"
#include "logic/InspectionProgress.h"
#include "logic/InspectionRun.h"
#include "logic/InspectionView.h"
#include "support/logic/GeneratedLogicDocument.h"

#include "PeakTurns.h"
#include "ResidentMemory.h"
#include "Turns.h"

#include <benchmark/benchmark.h>

#include <QFile>

#include <cmath>

#include <malloc.h>

#include <memory>
#include <string_view>
#include <vector>

namespace {

struct Measurement {
    double seconds = 0;
    double runPeakMB = 0;     // what the run added to the resident set at its peak
    double processPeakMB = 0; // the process's peak, the documents included
    int lines = 0;
};

// One whole-document inspection into a pane of its own, the pane's release included in the peak.
Measurement Measure(LogicTestDocument& document) {
    Measurement measured;
    // Free pages the heap keeps from earlier runs would hide what this run needs.
    malloc_trim(0);
    const double before = ResidentMegabytesAndReset().first;
    {
        CInspectionView pane;
        CInspectionProgress run;
        const auto start = std::chrono::steady_clock::now();
        StartWholeInspection(CommandInspectAll, pane, document.environment, run);
        measured.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        measured.lines = pane.LineCount();
    }
    measured.processPeakMB = ResidentMegabytesAndReset().second;
    measured.runPeakMB = measured.processPeakMB - before;
    return measured;
}

double InspectionSeconds(LogicTestDocument& document) {
    return Measure(document).seconds;
}

void BM_WholeDocumentInspection(benchmark::State& state) {
    const auto document = MakeGeneratedLogicDocument(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(InspectionSeconds(*document));
    state.counters["unitFunctions"] = static_cast<double>(document->registry.Count());
}

// N and 2N measured in turns in one process, so that a change of machine load hits both alike; reports the
// median times and peaks and the medians of the turns' ratios. Both documents are made before anything is timed and
// each is inspected once unmeasured, so the first run's page faults and allocator growth count for neither; the order
// within a turn alternates, so neither size always runs on a heap the other has just left behind. The peak is what a
// run adds to the resident set.
void BM_WholeDocumentInspectionRatio(benchmark::State& state) {
    const auto small = MakeGeneratedLogicDocument(static_cast<int>(state.range(0)));
    const auto large = MakeGeneratedLogicDocument(static_cast<int>(2 * state.range(0)));
    Measure(*small);
    Measure(*large);
    std::vector<Measurement> smallRuns;
    std::vector<Measurement> largeRuns;
    for (auto _ : state) {
        if (smallRuns.size() % 2 == 0) {
            smallRuns.push_back(Measure(*small));
            largeRuns.push_back(Measure(*large));
        } else {
            largeRuns.push_back(Measure(*large));
            smallRuns.push_back(Measure(*small));
        }
    }
    const auto medianOf = [](const std::vector<Measurement>& runs, double Measurement::*field) {
        std::vector<double> values;
        for (const Measurement& run : runs)
            values.push_back(run.*field);
        return Median(values);
    };
    const auto medianRatio = [&](double Measurement::*field) {
        std::vector<double> ratios;
        for (size_t turn = 0; turn < smallRuns.size(); ++turn)
            ratios.push_back(largeRuns[turn].*field / smallRuns[turn].*field);
        return Median(ratios);
    };
    state.counters["smallFunctions"] = static_cast<double>(small->registry.Count());
    state.counters["largeFunctions"] = static_cast<double>(large->registry.Count());
    state.counters["smallMs"] = 1000 * medianOf(smallRuns, &Measurement::seconds);
    state.counters["largeMs"] = 1000 * medianOf(largeRuns, &Measurement::seconds);
    state.counters["ratio"] = medianRatio(&Measurement::seconds);
    state.counters["smallPeakMB"] = medianOf(smallRuns, &Measurement::runPeakMB);
    state.counters["largePeakMB"] = medianOf(largeRuns, &Measurement::runPeakMB);
    state.counters["peakRatio"] = medianRatio(&Measurement::runPeakMB);
}

void BM_SharedMembers(benchmark::State& state) {
    const auto document = MakeSharedMemberDocument(static_cast<int>(state.range(0)));
    std::vector<double> times;
    std::vector<double> runPeaks;
    std::vector<double> processPeaks;
    for (auto _ : state) {
        const Measurement measured = Measure(*document);
        times.push_back(measured.seconds);
        runPeaks.push_back(measured.runPeakMB);
        processPeaks.push_back(measured.processPeakMB);
        state.counters["lines"] = measured.lines;
    }
    state.counters["unitFunctions"] = static_cast<double>(document->registry.Count());
    state.counters["medianS"] = Median(times);
    state.counters["runPeakMB"] = Median(runPeaks);
    state.counters["processPeakMB"] = Median(processPeaks);
}

// The list for all unit functions in a pane of its own, read out a block of lines at a time as nuvinspect writes
// it; gives the bytes of its text in UTF-8.
qint64 WriteConditionList(LogicTestDocument& document) {
    CInspectionView pane;
    CConditionConclusionList::Run(pane, document.environment, CConditionConclusionList::AllUnitFunctions,
                                  CConditionConclusionList::DoStatements, nullptr);
    constexpr int kBlock = 65536;
    qint64 bytes = 0;
    QString block;
    for (int first = 0; first < pane.LineCount(); first += kBlock) {
        block.clear();
        pane.AppendLinesFrom(first, kBlock, block);
        bytes += block.toUtf8().size();
    }
    return bytes;
}

void BM_ConditionListRatio(benchmark::State& state) {
    const int n = static_cast<int>(state.range(1));
    const auto make = [&state](int size) {
        return state.range(0) == 0 ? MakeFanOutDocument(size) : MakeGeneratedLogicDocument(size);
    };
    const auto small = make(n);
    const auto large = make(2 * n);
    // Unmeasured, so that the first run's page faults and allocator growth count for neither.
    const double smallBytes = static_cast<double>(WriteConditionList(*small));
    const double largeBytes = static_cast<double>(WriteConditionList(*large));
    const TurnsMeasured measured = MeasureTimeAndPeakInTurns(
        state, [&] { WriteConditionList(*small); }, [&] { WriteConditionList(*large); });
    constexpr double megabyte = 1024.0 * 1024.0;
    state.counters["smallTextMB"] = smallBytes / megabyte;
    state.counters["largeTextMB"] = largeBytes / megabyte;
    const auto perText = [](const std::vector<double>& megabytes, double bytes) {
        std::vector<double> ratios;
        for (const double peak : megabytes)
            ratios.push_back(peak * megabyte / bytes);
        return ratios;
    };
    ReportSpread(state, "smallPeakToText", perText(measured.smallMegabytes, smallBytes));
    ReportSpread(state, "largePeakToText", perText(measured.largeMegabytes, largeBytes));
    // Time growing as a power of the text: the ratio it would have, had the text doubled.
    std::vector<double> perDouble;
    for (const double ratio : measured.seconds.Ratios())
        perDouble.push_back(std::pow(2.0, std::log(ratio) / std::log(largeBytes / smallBytes)));
    ReportSpread(state, "perDoubleText", perDouble);
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

// 1,000 unit functions of one Do write 16 MB of list; 27 chapters make 1972 unit functions.
BENCHMARK(BM_ConditionListRatio)->Args({0, 1000})->Args({1, 27})->Iterations(7)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_SharedMembers)->Arg(4000)->Arg(8000)->Iterations(3)->Unit(benchmark::kSecond);

int main(int argc, char** argv) {
    const auto large = std::find(argv + 1, argv + argc, std::string_view("--shared-members-large"));
    if (large != argv + argc) {
        std::rotate(large, large + 1, argv + argc);
        --argc;
        benchmark::ClearRegisteredBenchmarks();
        benchmark::RegisterBenchmark("BM_SharedMembers", BM_SharedMembers)
            ->Arg(20000)
            ->Iterations(1)
            ->Unit(benchmark::kSecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
