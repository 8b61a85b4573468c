// The decision table and the test-specification draft of generated documents (see GeneratedLogicDocument.h) of N
// and 2N unit functions, each written to a file as the commands write it. The time of the larger should stay
// within 2.2 times the smaller.
//
// The origin calls each chapter in a case of its own. Called one after the other, every rule of a chapter would carry
// the former actions of all chapters before it (an action taken in a called unit function stays on the caller's
// path), so the table itself, not only its making, would grow with the square of the chapters.

#include "generators/DecisionTableMaker.h"
#include "generators/TestSpecificationDraft.h"
#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "support/logic/GeneratedLogicDocument.h"

#include "Turns.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

// The export messages are answered without being shown.
class SilentSink : public platform::MessageSink {
public:
    platform::MessageAnswer Show(const platform::MessageRequest& request) override { return request.DefaultAnswer(); }

private:
    platform::MessageSinkInstaller m_installer{*this};
};

std::unique_ptr<CDocumentData> MakeDocument(int chapters) {
    auto data = std::make_unique<CDocumentData>();
    data->SetDefaults();
    const ModelOptions options = data->GetModelOptions();
    std::vector<std::pair<CLogicLine*, QString>> pendingFn;
    bool first = true;
    for (auto [name, script] : GeneratedLogicScripts(chapters)) {
        if (first) {
            QStringList cases;
            for (const QString& call : script.split('\n', Qt::SkipEmptyParts))
                cases << QStringLiteral("case {%1}\n").arg(cases.size()) + call;
            script = QStringLiteral("switch <chapter>が\n") + cases.join('\n') + QStringLiteral("\nendsw");
        }
        CUnitFunction* function = first ? data->registry.origin : data->registry.CreateFunction(name, options);
        function->name = name;
        if (!first)
            CUnitFunction::AppendChild(data->registry.origin, function);
        AppendScript(*function, script, pendingFn);
        first = false;
    }
    ResolveScriptFnLines(data->registry, pendingFn);
    data->registry.RebuildAndNotify(data->indexRoot, options);
    return data;
}

using Generator = std::function<void(const CDocumentData&, const QString&)>;

void DecisionTable(const CDocumentData& data, const QString& path) {
    DecisionTableRequest request;
    request.fileName = path;
    benchmark::DoNotOptimize(RunDecisionTableMaker(data, nullptr, request));
}

void TestDraft(const CDocumentData& data, const QString& path) {
    benchmark::DoNotOptimize(GenerateTestSpecificationDraft(data, path));
}

// N and 2N in turns in one process, the order alternating, each run once untimed first.
void MeasureRatio(benchmark::State& state, const Generator& generator) {
    const SilentSink sink;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("out.csv"));
    const auto small = MakeDocument(static_cast<int>(state.range(0)));
    const auto large = MakeDocument(static_cast<int>(2 * state.range(0)));
    const auto timeSmall = [&] { return Seconds([&] { generator(*small, path); }); };
    const auto timeLarge = [&] { return Seconds([&] { generator(*large, path); }); };
    timeSmall();
    timeLarge();
    Turns turns;
    for (auto _ : state)
        turns.Run(timeSmall, timeLarge);
    state.counters["smallFunctions"] = static_cast<double>(small->registry.Count());
    state.counters["largeFunctions"] = static_cast<double>(large->registry.Count());
    state.counters["smallMs"] = 1000 * Median(turns.first);
    state.counters["largeMs"] = 1000 * Median(turns.second);
    state.counters["ratio"] = Median(turns.Ratios());
}

void BM_DecisionTableRatio(benchmark::State& state) {
    MeasureRatio(state, DecisionTable);
}

void BM_TestSpecificationDraftRatio(benchmark::State& state) {
    MeasureRatio(state, TestDraft);
}

} // namespace

// c chapters make 1 + 73c unit functions: 27 make 1972 and 54 make 3943.
BENCHMARK(BM_DecisionTableRatio)->Arg(27)->Arg(54)->Iterations(15)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TestSpecificationDraftRatio)->Arg(27)->Arg(54)->Iterations(15)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
