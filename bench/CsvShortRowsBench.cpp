// The two CSV imports on files of many short rows with CR LF line ends, of 32 and 64 MB (the larger just under the
// 64 MiB bound of both), measured in turns: the traceability import of a document's own matrix with its rows repeated
// (each row names its unit function and is walked to its last mark), and the CSV tree import of a table of two-field
// rows, which reads the whole text and then is refused once its fields outnumber the internal IDs. Both turn the
// file's line ends into "\n" before they read a line: the time of the larger should stay within 2.2 times the
// smaller (`ratio`); `memoryRatio` compares the peaks above what was resident before.

#include "generators/TraceabilityMatrix.h"
#include "interchange/CsvTreeReader.h"
#include "logic/InspectionView.h"
#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "texts/MessageContext.h"

#include "OwningDocument.h"
#include "PeakTurns.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <set>

namespace {

constexpr qint64 kLargeBytes = (qint64(64) << 20) - 4096;
constexpr qint64 kSmallBytes = kLargeBytes / 2;

// `head`, then `row` repeated up to `bytes`, written to `path`.
void WriteRepeated(const QString& path, const QByteArray& head, const QByteArray& row, qint64 bytes) {
    QByteArray content = head;
    content.reserve(bytes);
    while (content.size() + row.size() <= bytes)
        content += row;
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(content);
}

void BM_TraceabilityImportShortRowsRatio(benchmark::State& state) {
    // The import's messages are answered without being shown.
    const platform::ScriptedMessageSink sink;
    QTemporaryDir folder;
    // Ten unit functions, each owning one of three requirement items.
    const std::unique_ptr<CDocumentData> data =
        MakeOwningDocument(10, [](int i) { return std::set<QString>{QStringLiteral("R%1").arg(i % 3)}; });
    const CMessageContext context;
    const QString exported = folder.filePath(QStringLiteral("matrix.csv"));
    TraceabilityMatrix(*data, QString(), context).Export(exported);
    QFile file(exported);
    file.open(QIODevice::ReadOnly);
    const QByteArray matrix = file.readAll();
    // The document's name, the items' names and the words over the rows, then the rows.
    qsizetype body = 0;
    for (int i = 0; i < 3; ++i)
        body = matrix.indexOf('\n', body) + 1;
    const QString small = folder.filePath(QStringLiteral("small.csv"));
    const QString large = folder.filePath(QStringLiteral("large.csv"));
    WriteRepeated(small, matrix.left(body), matrix.mid(body), kSmallBytes);
    WriteRepeated(large, matrix.left(body), matrix.mid(body), kLargeBytes);
    const auto import = [&](const QString& path) {
        CInspectionView pane;
        TraceabilityMatrix(*data, QString(), context).Import(path, pane);
    };
    MeasureTimeAndPeakInTurns(
        state, [&] { import(small); }, [&] { import(large); });
    state.counters["rowBytes"] = static_cast<double>(matrix.size() - body) / 10;
}

void BM_CsvTreeImportShortRowsRatio(benchmark::State& state) {
    QTemporaryDir folder;
    const QString small = folder.filePath(QStringLiteral("small.csv"));
    const QString large = folder.filePath(QStringLiteral("large.csv"));
    WriteRepeated(small, ",C1\r\n", "R,a\r\n", kSmallBytes);
    WriteRepeated(large, ",C1\r\n", "R,a\r\n", kLargeBytes);
    const auto import = [](const QString& path) {
        CDocumentData data;
        data.SetDefaults();
        QFile file(path);
        CCsvTreeReader reader;
        benchmark::DoNotOptimize(reader.Open(file, data));
    };
    MeasureTimeAndPeakInTurns(
        state, [&] { import(small); }, [&] { import(large); });
}

} // namespace

BENCHMARK(BM_TraceabilityImportShortRowsRatio)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvTreeImportShortRowsRatio)->Iterations(5)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
