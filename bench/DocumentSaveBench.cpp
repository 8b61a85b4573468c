// The editor's Save of a large document, the second of two in a row, as the File menu runs it: the application object
// with stand-in windows opens FILE, changes the title page's title and saves, changes it again and saves again; the
// second save, which finds the state the first recorded a moment before, is timed. Each run opens the document anew,
// so that every pair begins as a user's does, from a file the editor has just read. A document that has a second hard
// link is written in place, any other beside it (bench/document-save.sh makes the cases, on the machine's own file
// system and on one of whole-second times, and holds the times against a build before). Each run reports its time
// (manual time) and readMB, what the process read during the timed save: the old content, the read-back, a comparison
// of the content. A run fails where a save shows a message or leaves the document modified.
//   bench_DocumentSaveBench FILE [RUNS] [benchmark options]   RUNS runs (default 3), each a repetition

#include "app/AppDirectories.h"
#include "app/FakeApplicationShell.h"
#include "app/NUVApp.h"
#include "platform/MessageBox.h"
#include "support/TestFiles.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

QString g_path;

// The bytes this process has read from files so far.
double MegabytesRead() {
    return static_cast<double>(BytesReadByProcess()) / (1024.0 * 1024.0);
}

void BM_SecondSave(benchmark::State& state) {
    AppDirectories directories;
    const platform::ScriptedMessageSink messages;
    FakeShell shell;
    CNUVApp app(shell);
    if (!app.InitInstance({"tobrel"})) {
        state.SkipWithError("the application did not start");
        return;
    }
    // The start-up of the converter says how to start a conversion: saves must say nothing after it.
    const qsizetype started = messages.Requests().size();
    COpenDocument& document = app.Document();
    const auto save = [&](const QString& title) {
        document.DocumentData().documentHeader.Title = title;
        document.SetModified();
        app.OnFileSave();
        return !document.IsModified() && messages.Requests().size() == started;
    };
    for (auto _ : state) {
        if (document.OpenDocumentFile(g_path) != COpenDocument::OpenResult::Opened) {
            state.SkipWithError("the document did not open");
            return;
        }
        const bool first = save(QStringLiteral("first"));
        const double read = MegabytesRead();
        const auto start = std::chrono::steady_clock::now();
        const bool second = save(QStringLiteral("again"));
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        state.counters["readMB"] = MegabytesRead() - read;
        if (!first || !second) {
            const QString shown = messages.Texts().mid(started).join(QLatin1Char('\n'));
            state.SkipWithError(shown.isEmpty() ? "a save left the document modified" : qPrintable(shown));
            return;
        }
        document.CloseDocument();
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: %s FILE [RUNS] [benchmark options]\n", argv[0]);
        return 2;
    }
    g_path = QString::fromLocal8Bit(argv[1]);
    int runs = 3;
    int skipped = 1;
    if (argc >= 3 && argv[2][0] != '-') {
        runs = std::max(1, std::atoi(argv[2]));
        skipped = 2;
    }
    argv[skipped] = argv[0];
    argc -= skipped;
    argv += skipped;
    benchmark::RegisterBenchmark("BM_SecondSave", BM_SecondSave)
        ->Iterations(1)
        ->Repetitions(runs)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
