// The decision table and the test-specification draft of generated documents (see GeneratedLogicDocument.h) of N
// and 2N unit functions, each written to a file as the commands write it; the merged decision table of two chains of
// unit functions whose paths double with each one (calls on both branches of an if, and two calls one after the
// other) and of a switch of N and 2N cases that all take one action; and the traceability import of N and 2N unit
// functions and of N and 2N rows under long column names. The time (and for the merged tables and the long names the
// memory) of the larger should stay within 2.2 times the smaller. The traceability import of the same rows under
// short and long column names is measured in turns too (bench/large-inputs.sh). An older CP932 export of a matrix and
// its document, the inputs of bench/trace-import-columns.sh (see WriteQuestionColumns):
//   bench_GeneratorBench --write-question-columns FOLDER SHAPE COLUMNS
//
// The origin calls each chapter in a case of its own. Called one after the other, every rule of a chapter would carry
// the former actions of all chapters before it (an action taken in a called unit function stays on the caller's
// path), so the table itself, not only its making, would grow with the square of the chapters.

#include "generators/DecisionTableMaker.h"
#include "generators/GeneratorFiles.h"
#include "generators/TestSpecificationDraft.h"
#include "generators/TraceabilityMatrix.h"
#include "logic/InspectionView.h"
#include "model/DocumentData.h"
#include "model/DocumentFile.h"
#include "platform/MessageBox.h"
#include "support/logic/GeneratedLogicDocument.h"
#include "texts/MessageContext.h"

#include "OwningDocument.h"
#include "PeakTurns.h"
#include "ResidentMemory.h"
#include "Turns.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>
#include <set>
#include <string_view>
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

// A chain of n + 1 unit functions under the origin, F0 to Fn, each with the script `script` makes of its number and
// of the name of the next.
std::unique_ptr<CDocumentData> MakeChain(int n, const std::function<QString(int, const QString&)>& script) {
    auto data = std::make_unique<CDocumentData>();
    data->SetDefaults();
    const ModelOptions options = data->GetModelOptions();
    std::vector<std::pair<CLogicLine*, QString>> pendingFn;
    for (int i = 0; i <= n; ++i) {
        const QString name = QStringLiteral("F%1").arg(i);
        CUnitFunction* function = i == 0 ? data->registry.origin : data->registry.CreateFunction(name, options);
        function->name = name;
        if (i > 0)
            CUnitFunction::AppendChild(data->registry.origin, function);
        AppendScript(*function, script(i, QStringLiteral("F%1").arg(i + 1)), pendingFn);
    }
    ResolveScriptFnLines(data->registry, pendingFn);
    data->registry.RebuildAndNotify(data->indexRoot, options);
    return data;
}

// Each unit function calls the next on both branches of its own condition: 2^n paths to the one action of the last,
// all of one consequent, which the redundancy merge folds together.
std::unique_ptr<CDocumentData> MakeBranchingChainDocument(int n) {
    return MakeChain(n, [n](int i, const QString& next) {
        return i == n ? QStringLiteral("Do <B>を{p}せよ")
                      : QStringLiteral("if <M%1>が{x}\nFn %2\nelse\nFn %2\nendif").arg(i).arg(next);
    });
}

// Each unit function takes an action of its own and then calls the next twice, one call after the other: the last
// is reached 2^n times, the k-th 2^k times. From the second time on, every action is taken after all the others have
// been, so its rows are all alike and the merge folds them into one.
std::unique_ptr<CDocumentData> MakeSequentialChainDocument(int n) {
    return MakeChain(n, [n](int i, const QString& next) {
        return i == n ? QStringLiteral("Do <Z>を{z}せよ")
                      : QStringLiteral("Do <M%1>を{a}せよ\nFn %2\nFn %2").arg(i).arg(next);
    });
}

// One switch of n cases that all take the same action: n rows that differ in the case alone, which the merge folds
// into one row of n alternatives.
std::unique_ptr<CDocumentData> MakeWideSwitchDocument(int n) {
    auto data = std::make_unique<CDocumentData>();
    data->SetDefaults();
    const ModelOptions options = data->GetModelOptions();
    QStringList script{QStringLiteral("switch <M>が")};
    for (int i = 0; i < n; ++i)
        script << QStringLiteral("case {%1}").arg(i) << QStringLiteral("Do <X>を{x}せよ");
    script << QStringLiteral("endsw");
    std::vector<std::pair<CLogicLine*, QString>> pendingFn;
    AppendScript(*data->registry.origin, script.join('\n'), pendingFn);
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

// The decision table, merged, of the documents `make` makes of n and 2n (or of n and n + 1): time and the peak of
// memory above what was resident before.
void MeasureMergedTable(benchmark::State& state, const std::function<std::unique_ptr<CDocumentData>(int)>& make,
                        int small, int large) {
    const SilentSink sink;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("out.csv"));
    const auto smallDocument = make(small);
    const auto largeDocument = make(large);
    MeasureTimeAndPeakInTurns(
        state, [&] { DecisionTable(*smallDocument, path); }, [&] { DecisionTable(*largeDocument, path); });
}

// Chains of n and n + 1 unit functions, twice the paths to the last action; also the peak memory a path of the larger.
void MeasureChain(benchmark::State& state, const std::function<std::unique_ptr<CDocumentData>(int)>& make) {
    const int n = static_cast<int>(state.range(0));
    MeasureMergedTable(state, make, n, n + 1);
    const double largePaths = std::ldexp(1.0, n + 1);
    state.counters["largeKBPerPath"] = state.counters["largeMB"] * 1024 / largePaths;
}

void BM_DecisionTableChainRatio(benchmark::State& state) {
    MeasureChain(state, MakeBranchingChainDocument);
}

void BM_DecisionTableSequentialChainRatio(benchmark::State& state) {
    MeasureChain(state, MakeSequentialChainDocument);
}

// A switch of n and of 2n cases.
void BM_DecisionTableWideSwitchRatio(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    MeasureMergedTable(state, MakeWideSwitchDocument, n, 2 * n);
}

// A document of c chapters whose unit functions each own one of ten requirement items, and its traceability
// matrix exported to a file, ready to be read back.
struct ExportedMatrix {
    std::unique_ptr<CDocumentData> data;
    QString path;
};

ExportedMatrix ExportMatrix(int chapters, const QString& path) {
    ExportedMatrix exported{MakeDocument(chapters), path};
    int i = 0;
    for (CUnitFunction* function : exported.data->registry.InOutlineOrder(false))
        function->header.ownRequirements = {QStringLiteral("R%1").arg(i++ % 10)};
    const CMessageContext context;
    TraceabilityMatrix(*exported.data, QString(), context).Export(path);
    return exported;
}

// Reading back a document's own traceability matrix for c and 2c chapters (about 8,000 and 16,000 unit
// functions) in turns: the time of the larger within 2.2 times the smaller.
void BM_TraceabilityImportRatio(benchmark::State& state) {
    const SilentSink sink;
    QTemporaryDir folder;
    const int chapters = static_cast<int>(state.range(0));
    const ExportedMatrix small = ExportMatrix(chapters, folder.filePath(QStringLiteral("small.csv")));
    const ExportedMatrix large = ExportMatrix(2 * chapters, folder.filePath(QStringLiteral("large.csv")));
    const CMessageContext context;
    const auto import = [&](const ExportedMatrix& matrix) {
        return Seconds([&] {
            CInspectionView pane;
            TraceabilityMatrix(*matrix.data, QString(), context).Import(matrix.path, pane);
        });
    };
    Turns turns;
    for (auto _ : state)
        turns.Run([&] { return import(small); }, [&] { return import(large); });
    state.counters["smallFunctions"] = static_cast<double>(small.data->registry.Count());
    state.counters["largeFunctions"] = static_cast<double>(large.data->registry.Count());
    state.counters["smallMs"] = 1000 * Median(turns.first);
    state.counters["largeMs"] = 1000 * Median(turns.second);
    ReportSpread(state, "ratio", turns.Ratios());
}

// `count` requirement items of `length` characters, told apart by their first characters.
std::set<QString> ItemNames(int count, int length) {
    std::set<QString> names;
    for (int i = 0; i < count; ++i)
        names.insert(QStringLiteral("R%1-").arg(i).leftJustified(length, 'x'));
    return names;
}

// The matrix of n unit functions that each own `items`, every cell of its rows a mark, read into a document of n
// unit functions made afresh for each read, outside what is measured: owning the same items (no row changes) or none
// (every row changes, and its unit function takes the names read).
class MatrixImport {
public:
    MatrixImport(int n, const std::set<QString>& items, bool changes, const QString& path)
        : m_functions(n), m_owned(changes ? std::set<QString>() : items), m_path(path) {
        const CMessageContext context;
        TraceabilityMatrix(*MakeOwningDocument(n, [&](int) { return items; }), QString(), context).Export(path);
        inputMB = static_cast<double>(QFileInfo(path).size()) / (1024.0 * 1024.0);
    }

    // The seconds of one read; its peak of resident memory above what was resident before goes to `megabytes`.
    double Run() {
        const std::unique_ptr<CDocumentData> data = MakeOwningDocument(m_functions, [this](int) { return m_owned; });
        const CMessageContext context;
        CInspectionView pane;
        malloc_trim(0);
        const double before = ResidentMegabytesAndReset().first;
        const double seconds = Seconds([&] { TraceabilityMatrix(*data, QString(), context).Import(m_path, pane); });
        megabytes.push_back(ResidentMegabytesAndReset().second - before);
        return seconds;
    }

    double inputMB = 0;
    std::vector<double> megabytes;

private:
    int m_functions;
    std::set<QString> m_owned;
    QString m_path;
};

// Two imports in turns: the median time and peak of each, the input of each, and the ratios of the second to the
// first (median, min, max) of time (`ratio`) and of peak memory (`memoryRatio`).
void MeasureImportsInTurns(benchmark::State& state, MatrixImport& first, MatrixImport& second) {
    Turns turns;
    for (auto _ : state)
        turns.Run([&] { return first.Run(); }, [&] { return second.Run(); });
    state.counters["smallMs"] = 1000 * Median(turns.first);
    state.counters["largeMs"] = 1000 * Median(turns.second);
    ReportSpread(state, "ratio", turns.Ratios());
    state.counters["smallMB"] = Median(first.megabytes);
    state.counters["largeMB"] = Median(second.megabytes);
    std::vector<double> memoryRatios;
    for (size_t turn = 0; turn < first.megabytes.size(); ++turn)
        memoryRatios.push_back(second.megabytes[turn] / std::max(first.megabytes[turn], 0.001));
    ReportSpread(state, "memoryRatio", memoryRatios);
    state.counters["smallInputMB"] = first.inputMB;
    state.counters["largeInputMB"] = second.inputMB;
}

// n and 2n rows (a document holds at most 32,767 unit functions) of marks under ten columns of 1,000-character names,
// every row changed (the pane lists each row with its ten names, and each unit function keeps them): time and peak
// memory of the larger within 2.2 times the smaller.
void BM_TraceabilityImportLongNamesRatio(benchmark::State& state) {
    const SilentSink sink;
    QTemporaryDir folder;
    const int n = static_cast<int>(state.range(0));
    const std::set<QString> items = ItemNames(10, 1000);
    MatrixImport small(n, items, true, folder.filePath(QStringLiteral("small.csv")));
    MatrixImport large(2 * n, items, true, folder.filePath(QStringLiteral("large.csv")));
    MeasureImportsInTurns(state, small, large);
}

// n rows of marks under ten columns of names of 10 and of 1,000 characters, no row changed (second argument 0) or
// every row changed (1): a column's name is read once, however many rows mark it, so the long names cost little more
// time than the short ones where no row changes, and no more memory than their own text where every one does.
void BM_TraceabilityImportNameLengthRatio(benchmark::State& state) {
    const SilentSink sink;
    QTemporaryDir folder;
    const int n = static_cast<int>(state.range(0));
    const bool changes = state.range(1) != 0;
    MatrixImport shortNames(n, ItemNames(10, 10), changes, folder.filePath(QStringLiteral("short.csv")));
    MatrixImport longNames(n, ItemNames(10, 1000), changes, folder.filePath(QStringLiteral("long.csv")));
    MeasureImportsInTurns(state, shortNames, longNames);
}

// n rows that each mark one column, whose name has 10 and 100,000 characters, no row changed.
void BM_TraceabilityImportOneLongNameRatio(benchmark::State& state) {
    const SilentSink sink;
    QTemporaryDir folder;
    const int n = static_cast<int>(state.range(0));
    MatrixImport shortName(n, ItemNames(1, 10), false, folder.filePath(QStringLiteral("short.csv")));
    MatrixImport longName(n, ItemNames(1, 100000), false, folder.filePath(QStringLiteral("long.csv")));
    MeasureImportsInTurns(state, shortName, longName);
}

// Peak memory of the traceability import against its input, for files just under the import's 64 MiB bound: one
// long line, a short first line and one long line of column names, a line of names of only empty columns, and a
// table of many short rows. Each case runs once; peakMB is what the import added to the resident set at its peak.
// The reader holds the decoded text (two bytes a character), walks its records and their fields in place and keeps
// four bytes a column name. The long line, the line of names and the short rows come to about 3 times the input (the
// bytes read and their text), and the empty columns, a column a byte, to 6 (text and starts): the target is a peak of
// at most 8 times the input for every shape, the worst with a third to spare (bench/trace-import-memory.sh).
constexpr qint64 kTraceabilityInputBytes = (qint64(64) << 20) - 4096;

void MeasureTraceabilityImport(benchmark::State& state, CDocumentData& data, const QByteArray& content) {
    const SilentSink sink;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("matrix.csv"));
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(content);
    }
    const CMessageContext context;
    double peak = 0;
    for (auto _ : state) {
        CInspectionView pane;
        const double before = ResidentMegabytesAndReset().first;
        TraceabilityMatrix(data, QString(), context).Import(path, pane);
        peak = ResidentMegabytesAndReset().second - before;
    }
    constexpr double kMegabyte = 1024.0 * 1024.0;
    state.counters["inputMB"] = static_cast<double>(content.size()) / kMegabyte;
    state.counters["peakMB"] = peak;
    state.counters["peakRatio"] = peak * kMegabyte / static_cast<double>(content.size());
}

// Repeats `unit` after `head` up to the bytes of kTraceabilityInputBytes.
QByteArray Repeated(const QByteArray& head, const QByteArray& unit) {
    QByteArray content = head;
    content.reserve(kTraceabilityInputBytes);
    while (content.size() + unit.size() <= kTraceabilityInputBytes)
        content += unit;
    return content;
}

// A file of lines of fields that name no unit function, read into an empty document.
void MeasureTraceabilityImport(benchmark::State& state, const QByteArray& head, const QByteArray& unit) {
    CDocumentData data;
    data.SetDefaults();
    MeasureTraceabilityImport(state, data, Repeated(head, unit));
}

void BM_TraceabilityImportMemoryOneLine(benchmark::State& state) {
    MeasureTraceabilityImport(state, "\"\",", "\"R-1234\",");
}

void BM_TraceabilityImportMemoryTwoLines(benchmark::State& state) {
    MeasureTraceabilityImport(state, "\"\",\"1.00\",\n", "\"R-1234\",");
}

void BM_TraceabilityImportMemoryEmptyColumns(benchmark::State& state) {
    MeasureTraceabilityImport(state, "\"\",\"1.00\",\n", ",");
}

// A document's own matrix (74 unit functions, ten requirements) with its rows repeated: every row names its unit
// function and is walked to its last mark.
void BM_TraceabilityImportMemoryShortRows(benchmark::State& state) {
    QTemporaryDir folder;
    const ExportedMatrix matrix = ExportMatrix(1, folder.filePath(QStringLiteral("matrix.csv")));
    QFile file(matrix.path);
    file.open(QIODevice::ReadOnly);
    const QByteArray exported = file.readAll();
    qsizetype body = 0;
    for (int i = 0; i < 3; ++i)
        body = exported.indexOf('\n', body) + 1;
    MeasureTraceabilityImport(state, *matrix.data, Repeated(exported.left(body), exported.mid(body)));
}

// The inputs of bench/trace-import-columns.sh: a document of 1,000 unit functions and an older export of its
// traceability matrix in CP932, which wrote a "?" for each character CP932 lacks, as FOLDER/SHAPE-COLUMNS.nuv and
// .csv. The i-th row marks every eighth column from column (8 - i % 8) % 8 on. By SHAPE:
//   several  columns "Gr??e-c", each the form of two items, Größe-c and Grüße-c, which the unit function of each row
//            that marks the column owns: the file imports back unchanged
//   unheld   the same file; the first unit function owns every item, and its row marks none, the others own none
//   one      columns "Gr??e-c", each the form of one item, Größe-c, owned where marked
//   plain    columns "Grosse-c", items CP932 holds, owned where marked
constexpr int kQuestionColumnRows = 1000;

// The items of every `step`-th column from `first` on, each column standing for the items `names` make of its number.
std::set<QString> ColumnItems(int first, int step, int columns, const QStringList& names) {
    std::set<QString> items;
    for (int column = first; column < columns; column += step) {
        for (const QString& name : names)
            items.insert(name.arg(column));
    }
    return items;
}

bool WriteQuestionColumns(const QString& folder, const QString& shape, int columns) {
    const QString path = QStringLiteral("%1/%2-%3").arg(folder, shape).arg(columns);
    const QStringList exported{shape == QLatin1String("plain") ? QStringLiteral("Grosse-%1")
                                                               : QString::fromUtf8("Größe-%1")};
    const bool unheld = shape == QLatin1String("unheld");
    const QStringList owned =
        unheld || shape == QLatin1String("several") ? exported + QStringList{QString::fromUtf8("Grüße-%1")} : exported;
    const auto marked = [columns](int i, const QStringList& names) {
        return ColumnItems((8 - i % 8) % 8, 8, columns, names);
    };
    const std::unique_ptr<CDocumentData> old = MakeOwningDocument(
        kQuestionColumnRows, [&](int i) { return unheld && i == 1 ? std::set<QString>() : marked(i, exported); });
    const CMessageContext context;
    const QStringList lines = TraceabilityMatrix(*old, path + QStringLiteral(".nuv"), context).MakeLines();
    if (!WriteCsvLinesUnsaid(path + QStringLiteral(".csv"), lines, platform::CodePageTextFile::Fallback::QuestionMark)
             .written)
        return false;
    const std::unique_ptr<CDocumentData> data = MakeOwningDocument(kQuestionColumnRows, [&](int i) {
        if (unheld)
            return i == 1 ? ColumnItems(0, 1, columns, owned) : std::set<QString>();
        return marked(i, owned);
    });
    return SaveDocumentXml(*data, path + QStringLiteral(".nuv"));
}

} // namespace

BENCHMARK(BM_TraceabilityImportRatio)->Arg(110)->Iterations(9)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TraceabilityImportLongNamesRatio)->Arg(16000)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TraceabilityImportNameLengthRatio)
    ->Args({20000, 0})
    ->Args({20000, 1})
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TraceabilityImportOneLongNameRatio)->Arg(20000)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TraceabilityImportMemoryOneLine)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TraceabilityImportMemoryTwoLines)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TraceabilityImportMemoryEmptyColumns)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TraceabilityImportMemoryShortRows)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecisionTableChainRatio)->Arg(15)->Iterations(15)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecisionTableSequentialChainRatio)->Arg(15)->Iterations(15)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecisionTableWideSwitchRatio)->Arg(20000)->Iterations(15)->Unit(benchmark::kMillisecond);
// c chapters make 1 + 73c unit functions: 27 make 1972 and 54 make 3943.
BENCHMARK(BM_DecisionTableRatio)->Arg(27)->Arg(54)->Iterations(15)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TestSpecificationDraftRatio)->Arg(27)->Arg(54)->Iterations(15)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (argc == 5 && std::string_view(argv[1]) == "--write-question-columns")
        return WriteQuestionColumns(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                                    std::atoi(argv[4]))
                   ? 0
                   : 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
