// The comparison of two documents of 20,000 unit functions that differ in one unit function in a hundred (both
// files read with the registry's reader, rebuilt and compared), against loading both documents as the editor
// opens them. Run in turns in one process, the order alternating; the counters give the median times and the
// median of the turns' ratios.

#include "interchange/DocumentComparison.h"
#include "model/DocumentData.h"
#include "model/DocumentFile.h"
#include "model/UnitFunctionRegistry.h"

#include "EightLineDocument.h"
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

} // namespace

BENCHMARK(BM_CompareAgainstLoadingBoth)->Arg(20000)->Iterations(9)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
