// Printing the outline-ordered index of a generated document to PDF, at 1,000 and 20,000 unit functions:
// pages per second, which stays level as the document grows. Then every printout of a document whose one unit
// function's name, title and notes are N and 2N characters long, printed from prepared jobs: time and peak memory
// in turns, whose ratios stay near 1 as what the pages show does not grow with the text.
// The generated document as a file, for nuvprint (bench/nuvprint-pages.sh):
//   bench_PrintBench --write-generated-document PATH N

#include "model/DocumentData.h"
#include "printing/PrintJob.h"
#include "support/ToolSupport.h"
#include "support/logic/GeneratedLogicDocument.h"
#include "support/logic/LogicScript.h"

#include "PeakTurns.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string_view>

namespace {

// A generated document of about `functions` unit functions (1 + 73 per chapter) as a file; false when it cannot be
// written (said).
bool SaveGeneratedDocument(const QString& path, int functions) {
    return !SaveScriptDocument(path, GeneratedLogicScripts(std::max(1, (functions - 1) / 73))).isEmpty();
}

// That document, written and loaded once.
CDocumentData& GeneratedDocument(int functions) {
    static std::map<int, std::unique_ptr<CDocumentData>> documents;
    std::unique_ptr<CDocumentData>& document = documents[functions];
    if (!document) {
        QTemporaryDir directory;
        const QString path = directory.filePath(QStringLiteral("generated.nuv"));
        SaveGeneratedDocument(path, functions);
        document = std::make_unique<CDocumentData>();
        if (!tools::LoadDocument(path, *document))
            document->SetDefaults();
    }
    return *document;
}

void PrintOutlineIndexToPdf(benchmark::State& state) {
    CDocumentData& document = GeneratedDocument(int(state.range(0)));
    const PrintSource source{document, nullptr, nullptr, QStringLiteral("generated.nuv")};
    CPrintJob job;
    if (!job.PreparePrintOutlineIndex(source)) {
        state.SkipWithError("nothing to print");
        return;
    }
    int64_t pages = 0;
    for (auto _ : state) {
        QBuffer output;
        output.open(QIODevice::WriteOnly);
        QPdfWriter writer(&output);
        pages += job.Print(writer, source, 0);
        benchmark::DoNotOptimize(output.data().size());
    }
    state.counters["pages"] = benchmark::Counter(double(pages) / double(state.iterations()));
    state.counters["pages/s"] = benchmark::Counter(double(pages), benchmark::Counter::kIsRate);
}
BENCHMARK(PrintOutlineIndexToPdf)->Arg(1000)->Arg(20000)->Unit(benchmark::kMillisecond)->UseRealTime();

// A two-function document whose second unit function's name, the title and the notes hold `characters`
// characters of words, with a job prepared for each printout.
struct LongTexts {
    CDocumentData document;
    std::vector<CPrintJob> jobs{4};

    explicit LongTexts(int characters) {
        QTemporaryDir directory;
        const QString path = directory.filePath(QStringLiteral("long.nuv"));
        SaveScriptDocument(path, {{QStringLiteral("origin"), QString()}, {QStringLiteral("long"), QString()}});
        if (!tools::LoadDocument(path, document))
            return;
        const QString text = QStringLiteral("long name ").repeated(characters / 10);
        document.indexRoot.children.at(0).unitFunction->name = text;
        document.documentHeader.Title = text;
        document.MemoText = text;
        document.printSettings.sections[PrintSettings::UnitFunctions].nonWrited = 0;
        const PrintSource source{document, nullptr, nullptr, QStringLiteral("long.nuv")};
        jobs[0].PreparePrintOutlineIndex(source);
        jobs[1].PreparePrintUnitFunctions(source);
        jobs[2].PreparePrintTitlePage(source);
        jobs[3].PreparePrintNotes(source);
    }

    void Print() {
        const PrintSource source{document, nullptr, nullptr, QStringLiteral("long.nuv")};
        for (const CPrintJob& job : jobs) {
            QBuffer output;
            output.open(QIODevice::WriteOnly);
            QPdfWriter writer(&output);
            benchmark::DoNotOptimize(job.Print(writer, source, 0));
        }
    }
};

void PrintLongTextsRatio(benchmark::State& state) {
    LongTexts small(int(state.range(0)));
    LongTexts large(2 * int(state.range(0)));
    MeasureTimeAndPeakInTurns(
        state, [&] { small.Print(); }, [&] { large.Print(); });
}
BENCHMARK(PrintLongTextsRatio)->Arg(5'000'000)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc == 4 && std::string_view(argv[1]) == "--write-generated-document")
        return SaveGeneratedDocument(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3])) ? 0 : 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
