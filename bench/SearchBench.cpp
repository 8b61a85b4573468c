// The search against grep -o over the same document file, the content search over N and 2N lines ended by LF, and
// the similar-word detection from N to 2N member names, and over N and 2N distinct member names with its peak memory.
// The document is the 20,000-function one that bench_DocumentFileBench writes; this program has it written by that
// program, beside which it is built.
//   build/bench_SearchBench [benchmark options]

#include "model/DocumentData.h"
#include "search/FindResultSet.h"
#include "support/ToolSupport.h"
#include "texts/MessageContext.h"

#include "PeakTurns.h"
#include "Turns.h"

#include <QString>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace {

constexpr int kFunctions = 20000;
// One letter, and ten letters of the generated content.
const QString kTexts[] = {QStringLiteral("温"), QStringLiteral("入力された内容を検査")};

struct SearchSample {
    QTemporaryDir directory;
    QString path;
    CDocumentData data;
};

SearchSample& Sample() {
    static SearchSample* sample = [] {
        auto* made = new SearchSample;
        made->path = made->directory.filePath(QStringLiteral("search.nuv"));
        const std::string writer =
            (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "bench_DocumentFileBench").string();
        const std::string command =
            writer + " --write '" + made->path.toStdString() + "' " + std::to_string(kFunctions);
        if (std::system(command.c_str()) != 0 || tools::LoadDocument(made->path, made->data) != LoadResult::Loaded)
            std::fprintf(stderr, "cannot make the document with %s\n", writer.c_str());
        return made;
    }();
    return *sample;
}

// Every target and detail, over all unit functions, as the dialog's defaults ask.
void BM_Find(benchmark::State& state) {
    SearchSample& sample = Sample();
    CMessageContext context;
    SearchRequest request;
    request.findText = kTexts[state.range(0)];
    request.searchUnitFunction = request.searchFunctionContentField = request.searchLogicDescriptionField = 1;
    request.outlineNumber = request.unitFunctionName = request.uniqueLabel = request.originalRequirementItem =
        request.codeSymbol = 1;
    int lines = 0;
    for (auto _ : state)
        lines = CFindResultSet(sample.data, context).SearchAll(request, nullptr).LineCount();
    state.counters["lines"] = lines;
}

// A document whose origin's content text has n lines ended by LF alone, as maps, CSV and folder imports write
// them, with the text searched for on its last line.
std::unique_ptr<CDocumentData> ContentLinesDocument(int n) {
    auto data = std::make_unique<CDocumentData>();
    data->SetDefaults();
    data->registry.origin->header.contentText =
        QStringLiteral("入力された内容を検査する\n").repeated(n) + QStringLiteral("needle");
    return data;
}

// The content search over n and 2n LF lines in turns: the time of the larger within 2.2 times the smaller.
void BM_ContentLinesRatio(benchmark::State& state) {
    CMessageContext context;
    SearchRequest request;
    request.findText = QStringLiteral("needle");
    request.searchUnitFunction = request.searchFunctionContentField = 1;
    const auto small = ContentLinesDocument(static_cast<int>(state.range(0)));
    const auto large = ContentLinesDocument(static_cast<int>(2 * state.range(0)));
    const auto search = [&](const CDocumentData& data) {
        return Seconds([&] { benchmark::DoNotOptimize(CFindResultSet(data, context).SearchAll(request, nullptr)); });
    };
    Turns turns;
    for (auto _ : state)
        turns.Run([&] { return search(*small); }, [&] { return search(*large); });
    const std::vector<double> ratios = turns.Ratios();
    state.counters["smallMs"] = 1000 * Median(turns.first);
    state.counters["largeMs"] = 1000 * Median(turns.second);
    state.counters["ratio"] = Median(ratios);
    state.counters["ratioMin"] = *std::ranges::min_element(ratios);
    state.counters["ratioMax"] = *std::ranges::max_element(ratios);
}

// grep -o of the same text over the document file, counted by wc -l: the yardstick of the search.
void BM_GrepO(benchmark::State& state) {
    SearchSample& sample = Sample();
    const std::string command =
        "grep -o '" + kTexts[state.range(0)].toStdString() + "' '" + sample.path.toStdString() + "' | wc -l";
    long matches = 0;
    for (auto _ : state) {
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe || std::fscanf(pipe, "%ld", &matches) != 1)
            state.SkipWithError("grep failed");
        if (pipe)
            pclose(pipe);
    }
    state.counters["matches"] = static_cast<double>(matches);
}

// N member names on if lines, drawn from `distinct` twelve-letter names that are rarely alike.
std::unique_ptr<CDocumentData> MemberNameDocument(int names, int distinct = 1000) {
    auto data = std::make_unique<CDocumentData>();
    data->SetDefaults();
    CUnitFunction& origin = *data->registry.origin;
    for (int k = 0; k < names; ++k) {
        quint32 seed = static_cast<quint32>(k % distinct) * 2654435761u + 12345u;
        QString name;
        for (int c = 0; c < 12; ++c) {
            seed = seed * 1103515245u + 12345u;
            name += QChar(u'a' + static_cast<char16_t>((seed >> 16) % 26));
        }
        auto line = std::make_unique<CLogicLine>();
        line->lineKind = SyntaxIf;
        line->slotCount = 4;
        line->textSlots[0].text = name;
        origin.logicLines.push_back(std::move(line));
    }
    data->similarWords.scope = 0;
    data->similarWords.agreement = 90;
    return data;
}

void BM_SimilarMemberNames(benchmark::State& state) {
    const std::unique_ptr<CDocumentData> data = MemberNameDocument(static_cast<int>(state.range(0)));
    CMessageContext context;
    int pairs = 0;
    for (auto _ : state) {
        CFindResultSet run(*data, context);
        run.FindSimilarWords();
        pairs = run.HitCount();
    }
    state.counters["pairs"] = pairs;
}

// The similar-word detection over N and 2N member names that are all distinct: time and peak memory in turns.
void BM_SimilarDistinctNamesRatio(benchmark::State& state) {
    const int names = static_cast<int>(state.range(0));
    const std::unique_ptr<CDocumentData> small = MemberNameDocument(names, names);
    const std::unique_ptr<CDocumentData> large = MemberNameDocument(2 * names, 2 * names);
    const CMessageContext context;
    int pairs = 0;
    const auto run = [&](const CDocumentData& data) {
        CFindResultSet set(data, context);
        benchmark::DoNotOptimize(set.FindSimilarWords());
        pairs = set.HitCount();
    };
    MeasureTimeAndPeakInTurns(
        state, [&] { run(*small); }, [&] { run(*large); });
    state.counters["largePairs"] = pairs;
}

} // namespace

BENCHMARK(BM_Find)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GrepO)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ContentLinesRatio)->Arg(10000)->Iterations(21)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SimilarMemberNames)->Arg(20000)->Arg(40000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SimilarDistinctNamesRatio)->Arg(5000)->Iterations(3)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
