// The comparison of two documents of 20,000 unit functions that differ in one unit function in a hundred (both
// files read with the registry's reader, rebuilt and compared), against loading both documents as the editor
// opens them. Run in turns in one process, the order alternating; the counters give the median times and the
// median of the turns' ratios. Then the comparison of one unit function of N and of 2N lines with every line changed,
// and with one line in ten changed: time and peak memory in turns.

#include "interchange/DocumentComparison.h"
#include "model/DocumentData.h"
#include "model/DocumentFile.h"
#include "model/UnitFunctionRegistry.h"

#include "EightLineDocument.h"
#include "PeakTurns.h"
#include "Turns.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

void LoadBoth(const QString& older, const QString& newer) {
    for (const QString& path : {older, newer}) {
        CDocumentData data;
        data.SetDefaults();
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(LoadDocumentXml(file, data, 0));
    }
}

void Compare(const QString& older, const QString& newer, const ModelOptions& options) {
    CUnitFunctionRegistry a;
    CUnitFunctionRegistry b;
    CDocumentComparison::ReadFile(older, a, options);
    CDocumentComparison::ReadFile(newer, b, options);
    CDocumentData defaults;
    defaults.SetDefaults();
    benchmark::DoNotOptimize(CDocumentComparison::Compare(a, b, options, defaults.SyntaxSymbols));
}

void BM_CompareAgainstLoadingBoth(benchmark::State& state) {
    QTemporaryDir folder;
    const QString older = folder.filePath(QStringLiteral("older.nuv"));
    const QString newer = folder.filePath(QStringLiteral("newer.nuv"));
    const int count = static_cast<int>(state.range(0));
    SaveDocumentXml(*MakeEightLineDocument(count, false), older);
    SaveDocumentXml(*MakeEightLineDocument(count, true), newer);
    const ModelOptions options;
    const auto load = [&] { return Seconds([&] { LoadBoth(older, newer); }); };
    const auto compare = [&] { return Seconds([&] { Compare(older, newer, options); }); };
    load();
    compare();
    Turns turns;
    for (auto _ : state)
        turns.Run(load, compare);
    state.counters["loadBothMs"] = 1000 * Median(turns.first);
    state.counters["compareMs"] = 1000 * Median(turns.second);
    state.counters["ratio"] = Median(turns.Ratios());
}

// Two registries holding one unit function of `lines` Do lines each, every `changedEvery`-th line of the newer one
// with another state.
struct ChangedLines {
    CUnitFunctionRegistry older;
    CUnitFunctionRegistry newer;

    ChangedLines(int lines, int changedEvery) {
        for (CUnitFunctionRegistry* registry : {&older, &newer}) {
            registry->origin = registry->CreateFunctionWithID(1);
            registry->origin->name = QStringLiteral("System");
            for (int i = 0; i < lines; ++i) {
                auto line = std::make_unique<CLogicLine>();
                line->lineKind = SyntaxDo;
                line->slotCount = static_cast<quint8>(CLogicLine::SlotsOfKind(SyntaxDo));
                line->textSlots[0].text = QStringLiteral("member%1").arg(i);
                const bool changed = registry == &newer && i % changedEvery == 0;
                line->textSlots[2].text = changed ? QStringLiteral("changed") : QStringLiteral("state");
                registry->origin->logicLines.push_back(std::move(line));
            }
        }
    }
};

// The comparison of N and 2N lines, every line changed (argument 1) or one in ten (argument 10).
void BM_CompareLinesRatio(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    const int changedEvery = static_cast<int>(state.range(1));
    const ChangedLines small(lines, changedEvery);
    const ChangedLines large(2 * lines, changedEvery);
    const ModelOptions options;
    CDocumentData defaults;
    defaults.SetDefaults();
    const auto compare = [&](const ChangedLines& pair) {
        benchmark::DoNotOptimize(CDocumentComparison::Compare(pair.older, pair.newer, options, defaults.SyntaxSymbols));
    };
    MeasureTimeAndPeakInTurns(
        state, [&] { compare(small); }, [&] { compare(large); });
}

} // namespace

BENCHMARK(BM_CompareAgainstLoadingBoth)->Arg(20000)->Iterations(9)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompareLinesRatio)->Args({4000, 1})->Args({32000, 10})->Iterations(5)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
