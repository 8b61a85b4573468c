// Peak memory of the two exports that the program reads back, the traceability matrix and the CSV tree, above what
// the document itself takes, against the file written: a matrix of 20,000 unit functions and 300 requirement items
// (about 19 MB) and a table of 200 rows and 50 columns of long content texts (about 20 MB), each once with every
// name and text in CP932 and once with one that CP932 lacks, which makes the export write the file in UTF-8. Each
// case runs once; peakMB is what the export added to the resident set at its peak, peakRatio that against the file,
// utf8 1 for a file in UTF-8. The export makes the file's text (two bytes a character: twice a file of ASCII) and
// writes it a piece at a time; the target is a peak of at most 3 times the file (bench/export-memory.sh).
//   bench_ExportMemoryBench [--keep DIR] [benchmark options]   --keep leaves the files written in DIR

#include "generators/TraceabilityMatrix.h"
#include "interchange/CsvTreeWriter.h"
#include "model/DocumentData.h"
#include "model/UnitFunction.h"
#include "model/UnitFunctionRegistry.h"
#include "platform/MessageBox.h"
#include "texts/MessageContext.h"

#include "ResidentMemory.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstring>
#include <functional>
#include <memory>

namespace {

// The folder the files are left in (--keep), or none.
QString g_keep;

// A name or text that CP932 lacks.
const QString kNotInCodePage = QStringLiteral("Größe");

CUnitFunction* AddFunction(CDocumentData& data, CUnitFunction* parent, const QString& name) {
    CUnitFunction* function = data.registry.CreateFunction(name, data.GetModelOptions());
    function->name = name;
    CUnitFunction::AppendChild(parent, function);
    return function;
}

std::unique_ptr<CDocumentData> NewDocument() {
    auto data = std::make_unique<CDocumentData>();
    data->SetDefaults();
    return data;
}

// 20,000 unit functions below the origin, each owning one of 300 requirement items; with `utf8`, the first item's
// name is one CP932 lacks.
std::unique_ptr<CDocumentData> MatrixDocument(bool utf8) {
    auto data = NewDocument();
    for (int i = 0; i < 20000; ++i) {
        CUnitFunction* function = AddFunction(*data, data->registry.origin, QStringLiteral("機能%1").arg(i));
        const int item = i % 300;
        function->header.ownRequirements = {
            utf8 && item == 0 ? kNotInCodePage : QStringLiteral("要求項目%1").arg(item, 3, 10, QChar('0'))};
    }
    data->registry.RebuildAndNotify(data->indexRoot, data->GetModelOptions());
    return data;
}

// The table of the CSV tree export: below outline number 1, 200 rows of 50 cells, each a content text of 30 lines;
// below outline number 2, the 50 columns. With `utf8`, the first cell holds a word CP932 lacks.
std::unique_ptr<CDocumentData> TableDocument(bool utf8) {
    constexpr int kRows = 200;
    constexpr int kColumns = 50;
    auto data = NewDocument();
    CUnitFunction* rows = AddFunction(*data, data->registry.origin, QStringLiteral("行"));
    const QString line = QStringLiteral("条件 %1: the cooker keeps the rice warm until its lid is opened, \"%2\"\n");
    for (int row = 0; row < kRows; ++row) {
        CUnitFunction* function = AddFunction(*data, rows, QStringLiteral("行%1").arg(row));
        for (int column = 0; column < kColumns; ++column) {
            CUnitFunction* cell = AddFunction(*data, function, QStringLiteral("セル%1-%2").arg(row).arg(column));
            QString text;
            for (int i = 0; i < 30; ++i)
                text += line.arg(i).arg(row == 0 && column == 0 && i == 0 && utf8 ? kNotInCodePage : QString());
            cell->header.contentText = text;
        }
    }
    CUnitFunction* columns = AddFunction(*data, data->registry.origin, QStringLiteral("列"));
    for (int column = 0; column < kColumns; ++column)
        AddFunction(*data, columns, QStringLiteral("列%1").arg(column));
    data->registry.RebuildAndNotify(data->indexRoot, data->GetModelOptions());
    return data;
}

// Runs the export into the file `name` once and records its peak above the resident set before it.
void MeasureExport(benchmark::State& state, const QString& name, const std::function<bool(const QString&)>& write) {
    QTemporaryDir folder;
    const QString path = QDir(g_keep.isEmpty() ? folder.path() : g_keep).filePath(name);
    QFile::remove(path);
    double peak = 0;
    bool written = false;
    for (auto _ : state) {
        // What the document's making freed goes back to the system first, so that the export cannot reuse it unseen.
        malloc_trim(0);
        const double before = ResidentMegabytesAndReset().first;
        written = write(path);
        peak = ResidentMegabytesAndReset().second - before;
    }
    QFile file(path);
    if (!written || !file.open(QIODevice::ReadOnly)) {
        state.SkipWithError("the file was not written");
        return;
    }
    constexpr double kMegabyte = 1024.0 * 1024.0;
    const double bytes = static_cast<double>(file.size());
    state.counters["fileMB"] = bytes / kMegabyte;
    state.counters["peakMB"] = peak;
    state.counters["peakRatio"] = peak * kMegabyte / bytes;
    state.counters["utf8"] = file.read(3) == "\xEF\xBB\xBF" ? 1 : 0;
}

// Arg 0: every name in CP932; 1: one name that CP932 lacks.
void BM_TraceabilityExportMemory(benchmark::State& state) {
    // The export's messages are answered without being shown.
    const platform::ScriptedMessageSink sink;
    const bool utf8 = state.range(0) != 0;
    const std::unique_ptr<CDocumentData> data = MatrixDocument(utf8);
    const CMessageContext context;
    MeasureExport(state, utf8 ? QStringLiteral("trace-utf8.csv") : QStringLiteral("trace.csv"),
                  [&](const QString& path) { return TraceabilityMatrix(*data, QString(), context).Export(path); });
}

void BM_CsvTreeExportMemory(benchmark::State& state) {
    const bool utf8 = state.range(0) != 0;
    const std::unique_ptr<CDocumentData> data = TableDocument(utf8);
    MeasureExport(state, utf8 ? QStringLiteral("table-utf8.csv") : QStringLiteral("table.csv"),
                  [&](const QString& path) {
                      CCsvTreeWriter writer;
                      return writer.Open(*data).Succeeded() && writer.Write(path).Succeeded();
                  });
}

} // namespace

BENCHMARK(BM_TraceabilityExportMemory)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvTreeExportMemory)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--keep") == 0) {
        g_keep = QString::fromLocal8Bit(argv[2]);
        argv[2] = argv[0];
        argc -= 2;
        argv += 2;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
