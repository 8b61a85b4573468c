// Whole-document inspection of generated documents: every unit function holds nested ifs, a switch and a
// loop, and calls up to eight others (a call tree without cycles). Run with N and 2N unit functions; the time
// of the larger should stay near twice the smaller.

#include "logic/InspectionRun.h"
#include "logic/InspectionView.h"
#include "support/logic/LogicScript.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

namespace {

// A table of contents three levels deep, as specifications are: the origin calls the chapters one after the
// other, every chapter calls eight sections and every section eight unit functions. Calls stand in the
// branches and after the loop, none inside it. The document grows by its number of chapters.
QString FunctionScript(int i, const std::vector<std::vector<int>>& children) {
    const QString m = QString("M%1_").arg(i);
    const auto call = [&](size_t k) {
        return k < children[i].size() ? QString("Fn F%1\n").arg(children[i][k]) : QString();
    };
    QString script;
    if (i == 0) {
        for (size_t k = 0; k < children[0].size(); ++k)
            script += call(k);
        return script;
    }
    script += "Do <" + m + "x>を{stop}せよ\n";
    script += "if <" + m + "a>が{on}\n";
    script += "  if <" + m + "b>が{ready}\n";
    script += "    Do <" + m + "x>を{start}せよ\n";
    script += "  else\n    Do nothing\n  endif\n";
    script += call(0) + call(1);
    script += "else\n";
    script += "  switch <" + m + "mode>が\n";
    script += "  case {1}\n    Do <" + m + "y>を{low}せよ\n" + call(2) + call(3);
    script += "  case {2}\n    Do <" + m + "y>を{high}せよ\n" + call(4) + call(5);
    script += "  elsw\n    Do nothing\n  endsw\n";
    script += "endif\n";
    script += "loop\n";
    script += "  Do <" + m + "z>を{step}せよ\n";
    script += "  if <" + m + "c>が{full}\n    Do <" + m + "w>を{stop}せよ\n  else\n    Do nothing\n  endif\n";
    script += "endlp\n";
    script += call(6) + call(7);
    return script;
}

// The generated document of the given number of chapters.
std::unique_ptr<LogicTestDocument> MakeDocument(int chapters) {
    std::vector<std::vector<int>> children(1);
    std::vector<int> level;
    for (int c = 0; c < chapters; ++c) {
        children[0].push_back(static_cast<int>(children.size()));
        level.push_back(static_cast<int>(children.size()));
        children.emplace_back();
    }
    for (int depth = 0; depth < 2; ++depth) {
        std::vector<int> next;
        for (int parent : level) {
            for (int k = 0; k < 8; ++k) {
                children[parent].push_back(static_cast<int>(children.size()));
                next.push_back(static_cast<int>(children.size()));
                children.emplace_back();
            }
        }
        level = next;
    }
    auto document = std::make_unique<LogicTestDocument>();
    for (size_t i = 0; i < children.size(); ++i)
        document->Add(QString("F%1").arg(i), FunctionScript(static_cast<int>(i), children));
    document->Finish();
    return document;
}

double InspectionSeconds(LogicTestDocument& document) {
    CInspectionView pane;
    const auto start = std::chrono::steady_clock::now();
    StartWholeInspection(CommandInspectAll, pane, document.environment);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void BM_WholeDocumentInspection(benchmark::State& state) {
    const auto document = MakeDocument(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(InspectionSeconds(*document));
    state.counters["unitFunctions"] = static_cast<double>(document->registry.Count());
}

// N and 2N measured in turns in one process, so that a change of machine load hits both alike; reports the
// median times and the median of the turns' ratios. Both documents are made before anything is timed and each is
// inspected once untimed, so the first run's page faults and allocator growth count for neither; the order within a
// turn alternates, so neither size always runs on a heap the other has just left behind.
void BM_WholeDocumentInspectionRatio(benchmark::State& state) {
    const auto small = MakeDocument(static_cast<int>(state.range(0)));
    const auto large = MakeDocument(static_cast<int>(2 * state.range(0)));
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
