// Cancel of a whole-document inspection as the user meets it: the progress dialog over the result pane, a
// generated document (see GeneratedLogicDocument.h) of N and of 2N unit functions, Cancel pressed halfway
// through a phase, and the time until the dialog closes. The worker stops within a millisecond; what
// is measured is how long the window takes to hear of it while the worker's progress and lines come in. It
// should stay under a tenth of a second in every phase, whatever the size of the document. Cancel, too, of a run
// whose expansion grows without bound: the time until the window hears of its end, and what the run grew meanwhile.
// Also the result pane filled with a million finding lines, against its model alone: the time until the pane
// has taken every line and drawn itself, and what the filled pane adds to the resident set at its peak. The
// pane draws its rows from the model, so it should add little time and next to no memory to the model's.

#include "logic/InspectionCommand.h"
#include "logic/InspectionProgress.h"
#include "logic/InspectionRun.h"
#include "logic/InspectionRunner.h"
#include "logic/InspectionView.h"
#include "logic/ui/CheckThreadDialog.h"
#include "logic/ui/InspectionViewEdit.h"
#include "support/logic/GeneratedLogicDocument.h"

#include "NoJumps.h"
#include "ResidentMemory.h"
#include "Turns.h"

#include <QApplication>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// When each phase begins, in milliseconds from the start of a run without a window.
class PhaseTimes : public CInspectionProgressSink {
public:
    void SetMajorProgress(double, const QString&) override { starts.push_back(MillisecondsSince(m_start)); }
    void SetMinorProgress(unsigned, unsigned) override {}
    std::vector<double> starts;

private:
    Clock::time_point m_start = Clock::now();
};

// The second run's, so that the first one's page faults count for neither.
std::vector<double> PhaseStarts(LogicTestDocument& document) {
    std::vector<double> starts;
    for (int turn = 0; turn < 2; ++turn) {
        PhaseTimes times;
        CInspectionView pane;
        CInspectionProgress run(&times);
        StartWholeInspection(CommandInspectAll, pane, document.environment, run);
        starts = times.starts;
    }
    return starts;
}

// Cancel pressed at `at` milliseconds after the start, as the user would (a timer, handled like input once
// the window has taken what was queued before it): milliseconds from then until the window hears that the run
// ended; 0 when it ended before.
double CancelMilliseconds(LogicTestDocument& document, double at) {
    CInspectionView view;
    NoJumps jumps;
    CInspectionViewEdit edit(view, jumps);
    CInspectionRunner runner;
    double ended = -1;
    QTimer press;
    press.setSingleShot(true);
    QObject::connect(&press, &QTimer::timeout, &edit, [] {
        if (auto* dialog = qobject_cast<CCheckThreadDialog*>(QApplication::activeModalWidget()))
            dialog->OnCancel();
    });
    const Clock::time_point start = Clock::now();
    QObject::connect(&runner, &CInspectionRunner::Finished, &edit, [&] { ended = MillisecondsSince(start); });
    press.start(static_cast<int>(at));
    CCheckThreadDialog::RunWholeInspection(nullptr, runner, CommandInspectAll, view, document.environment);
    return std::max(ended - at, 0.0);
}

// Arguments: the chapters of the smaller document and the phase to cancel in, a quarter into it (4 syntax
// tree, 5 paths, 6 within paths, 7 between paths).
void BM_CancelLatency(benchmark::State& state) {
    const auto small = MakeGeneratedLogicDocument(static_cast<int>(state.range(0)), true);
    const auto large = MakeGeneratedLogicDocument(static_cast<int>(2 * state.range(0)), true);
    const auto phase = static_cast<size_t>(state.range(1));
    const auto into = [phase](LogicTestDocument& document) {
        const std::vector<double> starts = PhaseStarts(document);
        return starts.at(phase) + (starts.at(phase + 1) - starts.at(phase)) / 4;
    };
    const double smallAt = into(*small);
    const double largeAt = into(*large);
    std::vector<double> smallTimes;
    std::vector<double> largeTimes;
    for (auto _ : state) {
        smallTimes.push_back(CancelMilliseconds(*small, smallAt));
        largeTimes.push_back(CancelMilliseconds(*large, largeAt));
    }
    state.counters["largeFunctions"] = static_cast<double>(large->registry.Count());
    state.counters["smallMs"] = Median(smallTimes);
    state.counters["largeMs"] = Median(largeTimes);
    // Against the tenth of a second the user may wait: below 1 in every phase, at both sizes.
    state.counters["toBudget"] = std::max(Median(smallTimes), Median(largeTimes)) / 100.0;
}

// Cancel of a run whose expansion grows without bound: a chain of unit functions each calling the next twice,
// cancelled `at` milliseconds into the run. The time until the window hears that the run ended (target below
// 1000 ms) and how much the resident set grew from the press until then, at its peak.
void BM_CancelUnboundedExpansion(benchmark::State& state) {
    const auto document = MakeDoublingChainDocument(40);
    const double at = static_cast<double>(state.range(0));
    std::vector<double> times, growth;
    for (auto _ : state) {
        malloc_trim(0);
        double atPress = 0;
        QTimer measure;
        measure.setSingleShot(true);
        QObject::connect(&measure, &QTimer::timeout, [&atPress] { atPress = ResidentMegabytesAndReset().first; });
        measure.start(static_cast<int>(at) - 1);
        times.push_back(CancelMilliseconds(*document, at));
        growth.push_back(ResidentMegabytesAndReset().second - atPress);
    }
    state.counters["cancelMs"] = Median(times);
    state.counters["cancelMsMax"] = *std::max_element(times.begin(), times.end());
    state.counters["grewMB"] = Median(growth);
    state.counters["toBudget"] = Median(times) / 1000.0;
}

struct FillMeasurement {
    double seconds = 0;
    double peakMB = 0; // what the fill added to the resident set at its peak
};

// Findings of four lines each, two fixed texts and two logic lines out of a thousand, as a large run writes
// them; with a pane, until it has taken every line and drawn the last page.
FillMeasurement Fill(int lines, bool withPane) {
    FillMeasurement measured;
    malloc_trim(0);
    const double before = ResidentMegabytesAndReset().first;
    const auto start = std::chrono::steady_clock::now();
    {
        CInspectionView view;
        NoJumps jumps;
        std::optional<CInspectionViewEdit> pane;
        if (withPane) {
            pane.emplace(view, jumps);
            pane->resize(800, 600);
            pane->show();
        }
        const quint32 layout = view.AddFindingLayout(
            {{QStringLiteral("一つのメンバーに異なる値が代入される可能性があります。"), QString()}, {0, -1, -2, 1}});
        std::vector<quint32> targets;
        for (int i = 0; i < 1000; ++i)
            targets.push_back(
                view.AddTargetLine({QStringLiteral("[%1 Line %2] ").arg(i / 8 + 1).arg(i % 8 + 1),
                                    QStringLiteral("Do <member %1>{value %2}").arg(i % 8).arg(i), i, i % 8, true}));
        for (int finding = 0; finding < lines / 4; ++finding)
            view.AddFinding(layout, {targets[finding % 1000], targets[(finding * 7 + 1) % 1000], 0, 0});
        if (pane) {
            pane->GetCaretLine();
            pane->repaint();
        }
        measured.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        measured.peakMB = ResidentMegabytesAndReset().second - before;
    }
    return measured;
}

void BM_PaneFill(benchmark::State& state) {
    const auto lines = static_cast<int>(state.range(0));
    std::vector<double> modelSeconds, paneSeconds, modelMB, paneMB, timeRatios;
    for (auto _ : state) {
        const FillMeasurement model = Fill(lines, false);
        const FillMeasurement pane = Fill(lines, true);
        modelSeconds.push_back(model.seconds);
        paneSeconds.push_back(pane.seconds);
        modelMB.push_back(model.peakMB);
        paneMB.push_back(pane.peakMB);
        timeRatios.push_back(pane.seconds / model.seconds);
    }
    state.counters["modelMs"] = Median(modelSeconds) * 1000;
    state.counters["paneMs"] = Median(paneSeconds) * 1000;
    state.counters["timeRatio"] = Median(timeRatios);
    state.counters["ratioMin"] = *std::min_element(timeRatios.begin(), timeRatios.end());
    state.counters["ratioMax"] = *std::max_element(timeRatios.begin(), timeRatios.end());
    state.counters["modelMB"] = Median(modelMB);
    state.counters["paneMB"] = Median(paneMB);
    // What the pane itself holds for each line, in bytes.
    state.counters["paneBytesPerLine"] = (Median(paneMB) - Median(modelMB)) * 1024 * 1024 / lines;
}

} // namespace

// 137 chapters make 10002 unit functions, 274 make 20003.
BENCHMARK(BM_CancelLatency)->ArgsProduct({{137}, {4, 5, 6, 7}})->Iterations(3)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_CancelUnboundedExpansion)->Arg(300)->Arg(2000)->Arg(6000)->Iterations(3)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_PaneFill)->Arg(1000000)->Iterations(5)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    // The dialog and the pane are real widgets; without a display they draw offscreen.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
