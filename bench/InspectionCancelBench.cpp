// Cancel of a whole-document inspection as the user meets it: the progress dialog over the result pane, a
// generated document (see GeneratedLogicDocument.h) of N and of 2N unit functions, Cancel pressed as soon as
// the dialog shows a phase, and the time until the dialog closes. The worker stops within a millisecond; what
// is measured is how long the window takes to hear of it while the worker's progress and lines come in. It
// should stay under a tenth of a second in every phase, whatever the size of the document.

#include "logic/InspectionCommand.h"
#include "logic/InspectionRunner.h"
#include "logic/InspectionView.h"
#include "logic/JumpHandler.h"
#include "logic/ui/CheckThreadDialog.h"
#include "logic/ui/InspectionViewEdit.h"
#include "support/logic/GeneratedLogicDocument.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

namespace {

class NoJumps : public CJumpHandler {
public:
    bool OpenFunction(qint32) override { return false; }
    void GoToLogicLine(qint32) override {}
    void FocusHeaderField(qint32) override {}
    void SelectExplanation(qint32, qint32) override {}
    void OfferIntraMemberConsistencyRule(const QString&, const QString&, const QString&) override {}
};

// Milliseconds from Cancel, pressed when the dialog first shows `phase` or a later one, to the run's end
// as the window hears it; negative when the run ended before the dialog showed that phase.
double CancelMilliseconds(LogicTestDocument& document, unsigned phase) {
    CInspectionView view;
    NoJumps jumps;
    CInspectionViewEdit edit(view, jumps);
    CInspectionRunner runner;
    using Clock = std::chrono::steady_clock;
    Clock::time_point pressed;
    Clock::time_point ended;
    bool cancelled = false;
    QObject::connect(&runner, &CInspectionRunner::MajorProgress, &edit, [&](double fraction, const QString&) {
        if (cancelled || std::lround(fraction * 9) < static_cast<long>(phase))
            return;
        if (auto* dialog = qobject_cast<CCheckThreadDialog*>(QApplication::activeModalWidget())) {
            cancelled = true;
            pressed = Clock::now();
            dialog->OnCancel();
        }
    });
    QObject::connect(&runner, &CInspectionRunner::Finished, &edit, [&] { ended = Clock::now(); });
    CCheckThreadDialog::RunWholeInspection(nullptr, runner, CommandInspectAll, view, document.environment);
    return cancelled ? std::chrono::duration<double, std::milli>(ended - pressed).count() : -1.0;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Arguments: the chapters of the smaller document and the phase to cancel in (4 syntax tree, 5 paths, 6
// within paths, 7 between paths).
void BM_CancelLatency(benchmark::State& state) {
    const auto small = MakeGeneratedLogicDocument(static_cast<int>(state.range(0)));
    const auto large = MakeGeneratedLogicDocument(static_cast<int>(2 * state.range(0)));
    const auto phase = static_cast<unsigned>(state.range(1));
    std::vector<double> smallTimes;
    std::vector<double> largeTimes;
    for (auto _ : state) {
        smallTimes.push_back(CancelMilliseconds(*small, phase));
        largeTimes.push_back(CancelMilliseconds(*large, phase));
    }
    state.counters["largeFunctions"] = static_cast<double>(large->registry.Count());
    state.counters["smallMs"] = Median(smallTimes);
    state.counters["largeMs"] = Median(largeTimes);
    // Against the tenth of a second the user may wait: below 1 in every phase, at both sizes.
    state.counters["toBudget"] = std::max(Median(smallTimes), Median(largeTimes)) / 100.0;
}

} // namespace

// 137 chapters make 10002 unit functions, 274 make 20003.
BENCHMARK(BM_CancelLatency)->ArgsProduct({{137}, {4, 5, 6, 7}})->Iterations(3)->Unit(benchmark::kMillisecond);

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
