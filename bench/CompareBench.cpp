// The comparison of two documents of 20,000 unit functions that differ in one unit function in a hundred (both
// files read with the registry's reader, rebuilt and compared), against loading both documents as the editor
// opens them. Run in turns in one process, the order alternating; the counters give the median times and the
// median of the turns' ratios.

#include "interchange/DocumentComparison.h"
#include "model/DocumentData.h"
#include "model/DocumentFile.h"
#include "model/UnitFunctionRegistry.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

namespace {

// A document of count unit functions with eight logic lines each, every one below an earlier one; with `changed`,
// one unit function in a hundred has one line of other text.
std::unique_ptr<CDocumentData> MakeDocument(int count, bool changed) {
    auto data = std::make_unique<CDocumentData>();
    data->SetDefaults();
    data->ClearFunctions();
    CUnitFunctionRegistry& registry = data->registry;
    registry.origin = registry.CreateFunctionWithID(1);
    registry.origin->name = QStringLiteral("システム");
    static const quint8 kinds[8] = {SyntaxIf,    SyntaxDo,      SyntaxElse,   SyntaxDo,
                                    SyntaxEndif, SyntaxComment, SyntaxSwitch, SyntaxEndsw};
    for (int i = 1; i < count; ++i) {
        CUnitFunction* function = registry.CreateFunctionWithID(static_cast<quint32>(i + 1));
        function->name = QStringLiteral("単位機能%1").arg(i);
        CUnitFunction::AppendChild(registry.FindByInternalID(static_cast<quint32>(i / 4 + 1)), function);
        for (quint8 kind : kinds) {
            auto line = std::make_unique<CLogicLine>();
            line->lineKind = kind;
            line->slotCount = static_cast<quint8>(CLogicLine::SlotsOfKind(kind));
            for (int slot = 0; slot < line->slotCount; ++slot)
                line->textSlots[static_cast<std::size_t>(slot)].text = QStringLiteral("温度センサ%1").arg(slot);
            function->logicLines.push_back(std::move(line));
        }
        if (changed && i % 100 == 0)
            function->logicLines[1]->textSlots[0].text = QStringLiteral("湿度センサ");
    }
    registry.RebuildAndNotify(data->indexRoot, data->GetModelOptions());
    return data;
}

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

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
    benchmark::DoNotOptimize(CDocumentComparison::Compare(a, b, options));
}

void BM_CompareAgainstLoadingBoth(benchmark::State& state) {
    QTemporaryDir folder;
    const QString older = folder.filePath(QStringLiteral("older.nuv"));
    const QString newer = folder.filePath(QStringLiteral("newer.nuv"));
    const int count = static_cast<int>(state.range(0));
    SaveDocumentXml(*MakeDocument(count, false), older);
    SaveDocumentXml(*MakeDocument(count, true), newer);
    const ModelOptions options;
    const auto load = [&] { LoadBoth(older, newer); };
    const auto compare = [&] { Compare(older, newer, options); };
    Seconds(load);
    Seconds(compare);
    std::vector<double> loadTimes;
    std::vector<double> compareTimes;
    for (auto _ : state) {
        if (loadTimes.size() % 2 == 0) {
            loadTimes.push_back(Seconds(load));
            compareTimes.push_back(Seconds(compare));
        } else {
            compareTimes.push_back(Seconds(compare));
            loadTimes.push_back(Seconds(load));
        }
    }
    state.counters["loadBothMs"] = 1000 * Median(loadTimes);
    state.counters["compareMs"] = 1000 * Median(compareTimes);
    std::vector<double> ratios;
    for (size_t turn = 0; turn < loadTimes.size(); ++turn)
        ratios.push_back(compareTimes[turn] / loadTimes[turn]);
    state.counters["ratio"] = Median(ratios);
}

} // namespace

BENCHMARK(BM_CompareAgainstLoadingBoth)->Arg(20000)->Iterations(9)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
