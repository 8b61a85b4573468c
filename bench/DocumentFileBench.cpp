// Load and save of generated documents against pugixml's own parse and serialise of the same bytes, and the
// peak memory of a load against the file size; the rebuild of a deep chain with requirements against the same
// chain without.
//   bench_DocumentFileBench --write FILE COUNT   writes the generated document of COUNT unit functions
//   bench_DocumentFileBench --load FILE          only loads FILE (the baseline of bench/nuv-open.sh)
//   bench_DocumentFileBench --pairs [RUNS]       load / parse and save / print at 1,000 and 20,000 unit
//                                                functions as alternating pairs, and the load's peak memory /
//                                                file size: median, min and max of the ratios. The load reads
//                                                the file as the editor opens it; the load and the parse are
//                                                timed without the release of what they made, which is
//                                                reported beside them
//   bench_DocumentFileBench --phases             the load of 1,000 unit functions and the release of what it
//                                                made, each timed alone: medians of 101 runs

#include "model/DocumentData.h"
#include "model/DocumentFile.h"
#include "model/xml/XmlDocumentContext.h"

#include "EightLineDocument.h"
#include "Turns.h"

#include <QBuffer>
#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// Documents and their saved bytes, made once per size.
struct Sample {
    std::unique_ptr<CDocumentData> data;
    QString path;
    QByteArray bytes;
};

Sample& GetSample(int count) {
    static std::map<int, Sample> samples;
    Sample& sample = samples[count];
    if (!sample.data) {
        sample.data = MakeEightLineDocument(count);
        sample.path = QDir::temp().filePath(QStringLiteral("nuv-bench-%1.nuv").arg(count));
        SaveDocumentXml(*sample.data.get(), sample.path);
        sample.bytes = ReadFile(sample.path);
    }
    return sample;
}

void BM_LoadDocumentXml(benchmark::State& state) {
    Sample& sample = GetSample(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto data = std::make_unique<CDocumentData>();
        data->SetDefaults();
        QBuffer buffer(&sample.bytes);
        buffer.open(QIODevice::ReadOnly);
        state.ResumeTiming();
        benchmark::DoNotOptimize(LoadDocumentXml(buffer, *data.get(), 0));
        state.PauseTiming();
        data.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * sample.bytes.size());
}

void BM_PugixmlParse(benchmark::State& state) {
    Sample& sample = GetSample(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        pugi::xml_document document;
        benchmark::DoNotOptimize(document.load_buffer(sample.bytes.constData(),
                                                      static_cast<std::size_t>(sample.bytes.size()), kXmlParseOptions,
                                                      pugi::encoding_utf8));
    }
    state.SetBytesProcessed(state.iterations() * sample.bytes.size());
}

void BM_SaveDocumentXml(benchmark::State& state) {
    Sample& sample = GetSample(static_cast<int>(state.range(0)));
    const QString path = sample.path + QStringLiteral(".out");
    for (auto _ : state) {
        benchmark::DoNotOptimize(SaveDocumentXml(*sample.data.get(), path));
    }
    state.SetBytesProcessed(state.iterations() * sample.bytes.size());
    QFile::remove(path);
}

// Serialises the parsed bytes into a file in the same folder, the way the save writes it.
void BM_PugixmlSerialise(benchmark::State& state) {
    Sample& sample = GetSample(static_cast<int>(state.range(0)));
    pugi::xml_document document;
    document.load_buffer(sample.bytes.constData(), static_cast<std::size_t>(sample.bytes.size()), kXmlParseOptions,
                         pugi::encoding_utf8);
    const std::string path = (sample.path + QStringLiteral(".pugi")).toStdString();
    for (auto _ : state) {
        benchmark::DoNotOptimize(document.save_file(
            path.c_str(), "", pugi::format_raw | pugi::format_no_declaration | pugi::format_no_empty_element_tags));
    }
    state.SetBytesProcessed(state.iterations() * sample.bytes.size());
    std::remove(path.c_str());
}

long StatusKilobytes(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0)
            return std::stol(line.substr(std::string(key).size()));
    }
    return 0;
}

// Loads the file into data the way the editor opens it; before runs once the file is open.
bool LoadFile(const char* path, CDocumentData& data, const std::function<void()>& before = {}) {
    data.SetDefaults();
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    if (before)
        before();
    return LoadDocumentXml(file, data, 0) == LoadResult::Loaded;
}

// Run in a process of its own (memory freed by other benchmarks would hide the peak): loads the file and
// prints the resident memory before and at the peak, in kilobytes.
int MeasureLoadPeak(const char* path) {
    CDocumentData data;
    long before = 0;
    if (!LoadFile(path, data, [&before] {
            std::ofstream("/proc/self/clear_refs") << "5";
            before = StatusKilobytes("VmRSS:");
        }))
        return 1;
    std::printf("%ld %ld\n", before, StatusKilobytes("VmHWM:"));
    return 0;
}

// The baseline of the editor's open: a process that loads the file and ends without freeing it, as nuv does.
int LoadOnly(const char* path) {
    static CDocumentData data;
    const bool loaded = LoadFile(path, data);
    std::fflush(nullptr);
    std::_Exit(loaded ? 0 : 1);
}

// Writes the generated document of count unit functions, for the scripts that time other programs on it.
int WriteDocument(const char* path, const char* count) {
    const std::unique_ptr<CDocumentData> data = MakeEightLineDocument(std::atoi(count));
    return SaveDocumentXml(*data.get(), QString::fromLocal8Bit(path)) ? 0 : 1;
}

// Peak resident memory a load adds, against the file size.
void BM_LoadPeakMemory(benchmark::State& state) {
    Sample& sample = GetSample(static_cast<int>(state.range(0)));
    long before = 0;
    long peak = 0;
    for (auto _ : state) {
        const std::string command = std::filesystem::read_symlink("/proc/self/exe").string() + " --load-peak '" +
                                    sample.path.toStdString() + "'";
        FILE* child = popen(command.c_str(), "r");
        if (!child || std::fscanf(child, "%ld %ld", &before, &peak) != 2)
            state.SkipWithError("the measuring process failed");
        if (child)
            pclose(child);
    }
    const double fileBytes = static_cast<double>(sample.bytes.size());
    state.counters["fileMB"] = fileBytes / (1024.0 * 1024.0);
    state.counters["peakMB"] = static_cast<double>(peak - before) / 1024.0;
    state.counters["peakPerFileByte"] = static_cast<double>(peak - before) * 1024.0 / fileBytes;
}

// The registry's rebuild of a chain of 16,000 unit functions, each below the one before, with one requirement
// each (range 1) against the same chain without (range 0); what is inherited is shared along the chain, so
// the two stay close.
void BM_RebuildDeepChain(benchmark::State& state) {
    constexpr int depth = 16000;
    CUnitFunctionRegistry registry;
    registry.origin = registry.CreateFunctionWithID(1);
    CUnitFunction* parent = registry.origin;
    for (int i = 1; i < depth; ++i) {
        CUnitFunction* function = registry.CreateFunctionWithID(static_cast<quint32>(i + 1));
        if (state.range(0))
            function->header.ownRequirements.insert(QStringLiteral("REQ-%1").arg(i));
        CUnitFunction::AppendChild(parent, function);
        parent = function;
    }
    ModelOptions options;
    options.InheritRequirementsDown = true;
    options.InheritRequirementsUp = true;
    for (auto _ : state)
        registry.Rebuild(options);
}

double ElapsedMs(const std::function<void()>& work) {
    return 1000 * Seconds(work);
}

// Runs the two in turns and prints the ratios of first to second; each returns the milliseconds it measured.
void PrintPairs(const char* title, int runs, const std::function<double()>& first,
                const std::function<double()>& second) {
    Turns turns;
    for (int i = 0; i < runs; ++i)
        turns.Run(second, first);
    const std::vector<double> ratios = turns.Ratios();
    std::printf("%-28s %8.2f ms / %8.2f ms   ratio median %.2f  min %.2f  max %.2f\n", title, Median(turns.second),
                Median(turns.first), Median(ratios), *std::min_element(ratios.begin(), ratios.end()),
                *std::max_element(ratios.begin(), ratios.end()));
}

// The load of the file the way the editor opens it, timed without the release of what it made (which a
// close does); the release is timed into release.
double TimedLoad(const Sample& sample, std::vector<double>& release) {
    auto data = std::make_unique<CDocumentData>();
    data->SetDefaults();
    QFile file(sample.path);
    file.open(QIODevice::ReadOnly);
    const double load = ElapsedMs([&] { LoadDocumentXml(file, *data, 0); });
    release.push_back(ElapsedMs([&] { data.reset(); }));
    return load;
}

// pugixml's parse of the same bytes, timed as the load is.
double TimedParse(const Sample& sample, std::vector<double>& release) {
    auto document = std::make_unique<pugi::xml_document>();
    const double parse = ElapsedMs([&] {
        document->load_buffer(sample.bytes.constData(), static_cast<std::size_t>(sample.bytes.size()), kXmlParseOptions,
                              pugi::encoding_utf8);
    });
    release.push_back(ElapsedMs([&] { document.reset(); }));
    return parse;
}

// Both sides of a pair run on a settled heap. With glibc's adaptive thresholds the blocks one side frees
// decide whether the other's next ones are mapped afresh, and faulted in page by page, or reused: that alone
// swings the parse of 1,000 unit functions between 1.3 and 3.3 ms. Blocks from 32 MB on (the file buffers of
// the large document on both sides) are mapped afresh for each run, as in a process that opens one document;
// smaller ones come from a heap that keeps what it has.
void SettleHeap() {
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 1024 << 20);
}

// The load of 1,000 unit functions and the release of what it made, each timed alone: medians of 101 runs.
int RunPhases() {
    SettleHeap();
    Sample& sample = GetSample(1000);
    std::vector<double> load;
    std::vector<double> release;
    for (int i = 0; i < 101; ++i)
        load.push_back(TimedLoad(sample, release));
    std::printf("load 1000 %.2f ms, release %.2f ms\n", Median(load), Median(release));
    return 0;
}

int RunPairs(int runs) {
    SettleHeap();
    for (const int count : {1000, 20000}) {
        Sample& sample = GetSample(count);
        const std::string title = std::to_string(count);
        std::vector<double> loadRelease;
        std::vector<double> parseRelease;
        PrintPairs(("load/parse " + title).c_str(), runs, [&] { return TimedLoad(sample, loadRelease); },
                   [&] { return TimedParse(sample, parseRelease); });
        std::printf("%-28s %8.2f ms / %8.2f ms\n", ("release of load/parse " + title).c_str(), Median(loadRelease),
                    Median(parseRelease));
        pugi::xml_document parsed;
        parsed.load_buffer(sample.bytes.constData(), static_cast<std::size_t>(sample.bytes.size()), kXmlParseOptions,
                           pugi::encoding_utf8);
        const QString savePath = sample.path + QStringLiteral(".out");
        const std::string printPath = (sample.path + QStringLiteral(".pugi")).toStdString();
        PrintPairs(("save/print " + title).c_str(), runs,
                   [&] { return ElapsedMs([&] { SaveDocumentXml(*sample.data.get(), savePath); }); },
                   [&] {
                       return ElapsedMs([&] {
                           parsed.save_file(printPath.c_str(), "",
                                            pugi::format_raw | pugi::format_no_declaration |
                                                pugi::format_no_empty_element_tags);
                       });
                   });
        QFile::remove(savePath);
        std::remove(printPath.c_str());
    }
    Sample& sample = GetSample(20000);
    std::vector<double> ratios;
    for (int i = 0; i < runs; ++i) {
        const std::string command = std::filesystem::read_symlink("/proc/self/exe").string() + " --load-peak '" +
                                    sample.path.toStdString() + "'";
        long before = 0;
        long peak = 0;
        FILE* child = popen(command.c_str(), "r");
        if (child && std::fscanf(child, "%ld %ld", &before, &peak) == 2)
            ratios.push_back(static_cast<double>(peak - before) * 1024.0 / static_cast<double>(sample.bytes.size()));
        if (child)
            pclose(child);
    }
    if (ratios.empty())
        return 1;
    std::sort(ratios.begin(), ratios.end());
    std::printf("%-28s %.1f MB file   ratio median %.2f  min %.2f  max %.2f\n", "peak memory/file 20000",
                static_cast<double>(sample.bytes.size()) / (1024.0 * 1024.0), ratios[ratios.size() / 2], ratios.front(),
                ratios.back());
    return 0;
}

} // namespace

BENCHMARK(BM_LoadDocumentXml)->Arg(1000)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PugixmlParse)->Arg(1000)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveDocumentXml)->Arg(1000)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PugixmlSerialise)->Arg(1000)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RebuildDeepChain)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadPeakMemory)->Arg(20000)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--load-peak") == 0)
        return MeasureLoadPeak(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "--load") == 0)
        return LoadOnly(argv[2]);
    if (argc == 2 && std::strcmp(argv[1], "--phases") == 0)
        return RunPhases();
    if (argc >= 2 && std::strcmp(argv[1], "--pairs") == 0)
        return RunPairs(argc >= 3 ? std::max(1, std::atoi(argv[2])) : 11);
    if (argc == 4 && std::strcmp(argv[1], "--write") == 0)
        return WriteDocument(argv[2], argv[3]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
