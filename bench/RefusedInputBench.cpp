// Peak memory of CSV tables the import refuses, against the input and the bound each passes: fields past the
// internal IDs on one line (the table of 8 MB of commas), lines past them, a table just under the byte bound
// with too many fields, and a file over the byte bound. Each case runs once; peakMB is what it added to the
// resident set at its peak.

#include "interchange/CsvTreeReader.h"
#include "model/DocumentData.h"
#include "platform/UserFile.h"

#include "ResidentMemory.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr double kMegabyte = 1024.0 * 1024.0;

// Writes `size` bytes of `fill` (or a file without content of that size for a NUL fill), imports it into a new
// document and records the refusal and the peak.
void MeasureRefusal(benchmark::State& state, char fill, qint64 size) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("table.csv"));
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        if (fill == '\0')
            file.resize(size);
        else
            file.write(QByteArray(size, fill));
    }
    InterchangeResult result;
    double peak = 0;
    for (auto _ : state) {
        CDocumentData data;
        data.SetDefaults();
        const double before = ResidentMegabytesAndReset().first;
        QFile file;
        CCsvTreeReader reader;
        if (platform::OpenRegularFileForReading(file, path))
            result = reader.Open(file, data);
        peak = ResidentMegabytesAndReset().second - before;
    }
    state.counters["inputMB"] = static_cast<double>(size) / kMegabyte;
    state.counters["byteBoundMB"] = static_cast<double>(CCsvTreeReader::MaxFileBytes) / kMegabyte;
    state.counters["peakMB"] = peak;
    state.counters["refused"] = result.Succeeded() ? 0 : 1;
}

void BM_CommasPastTheIDs(benchmark::State& state) {
    MeasureRefusal(state, ',', qint64(8) << 20);
}

void BM_LinesPastTheIDs(benchmark::State& state) {
    MeasureRefusal(state, '\n', qint64(8) << 20);
}

void BM_CommasJustUnderTheByteBound(benchmark::State& state) {
    MeasureRefusal(state, ',', CCsvTreeReader::MaxFileBytes - 1);
}

void BM_FileOverTheByteBound(benchmark::State& state) {
    MeasureRefusal(state, '\0', qint64(1) << 30);
}

} // namespace

BENCHMARK(BM_CommasPastTheIDs)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LinesPastTheIDs)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CommasJustUnderTheByteBound)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FileOverTheByteBound)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
