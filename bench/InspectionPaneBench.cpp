// The result pane after a whole-document inspection of the shared-member document (see GeneratedLogicDocument.h)
// of 10,000 and 20,000 unit functions, run as the menu command runs it: the progress dialog over a shown pane,
// offscreen. The counters of each size, prefixed small and large, as median, Min and Max:
//   Ms              from the command until the pane has drawn its last line
//   GuiMs           the time the user-interface thread spent within that (GuiShare: its share, the median)
//   AfterWorkersMs  from the workers' end until the pane has drawn its last line (target at most 500 ms)
//   TurnAfterMs     the longest time between two turns of the event loop from the progress dialog's close until
//                   a tenth of a second after the pane has drawn its last line (target at most 200 ms);
//                   TurnDuringMs the same while the dialog shows
// The pane costs the user-interface thread a constant per take of lines, so the time follows the workers: the
// larger document's time against the smaller's, measured in turns (ratio), is set against the ratio of their
// lines (perDoubleLines: the time ratio as if the lines had doubled, target at most 2.2).
// The documents as files, for nuvinspect (bench/nuvinspect-memory.sh): the shared-member one, and an origin calling
// N unit functions of one Do each, whose condition/conclusion list grows with the square of N:
//   bench_InspectionPaneBench --write-shared-member-document|--write-fan-out-document PATH N
// and the documents that push the programs to their limits (bench/deep-documents.sh):
//   bench_InspectionPaneBench --write-nested-if-document|--write-doubling-chain-document PATH N

#include "logic/InspectionCommand.h"
#include "logic/InspectionRunner.h"
#include "logic/InspectionView.h"
#include "logic/ui/CheckThreadDialog.h"
#include "logic/ui/InspectionViewEdit.h"
#include "support/logic/GeneratedLogicDocument.h"

#include "NoJumps.h"
#include "Turns.h"

#include <QApplication>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double SecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

struct PaneRun {
    double seconds = 0;
    double guiSeconds = 0;
    double afterWorkersSeconds = 0;
    double longestTurnAfterDialog = 0;
    double longestTurnDuringRun = 0;
    int lines = 0;
};

// Notes when the pane draws itself with every line of the model taken.
class DrawnWatch : public QObject {
public:
    DrawnWatch(const CInspectionViewEdit& edit, const CInspectionView& view) : m_edit(edit), m_view(view) {}
    bool drawnAll = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && m_edit.LineCount() == m_view.LineCount())
            drawnAll = true;
        return false;
    }

private:
    const CInspectionViewEdit& m_edit;
    const CInspectionView& m_view;
};

PaneRun RunInPane(LogicTestDocument& document) {
    malloc_trim(0);
    PaneRun measured;
    CInspectionView view;
    NoJumps jumps;
    CInspectionViewEdit edit(view, jumps);
    edit.resize(800, 600);
    edit.show();
    QApplication::processEvents();
    CInspectionRunner runner;

    // A timer of a millisecond times out at the next turn of the event loop after each millisecond, the dialog's
    // and, after it, the window's; it would not leave the thread idle if it timed out at every turn.
    bool dialogClosed = false;
    Clock::time_point lastTurn = Clock::now();
    QTimer turns;
    turns.setTimerType(Qt::PreciseTimer);
    turns.setInterval(1);
    QObject::connect(&turns, &QTimer::timeout, &edit, [&] {
        const Clock::time_point now = Clock::now();
        double& longest = dialogClosed ? measured.longestTurnAfterDialog : measured.longestTurnDuringRun;
        longest = std::max(longest, SecondsBetween(lastTurn, now));
        lastTurn = now;
    });
    QObject::connect(&runner, &CInspectionRunner::Finished, &edit, [&] {
        dialogClosed = true;
        lastTurn = Clock::now();
    });
    // The workers' end, seen from a thread of its own so that a busy window cannot delay it.
    std::atomic<bool> stop{false};
    Clock::time_point workersEnded;
    std::thread watcher([&] {
        while (!runner.IsWorkerRunning() && !stop)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        while (runner.IsWorkerRunning())
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        workersEnded = Clock::now();
    });
    DrawnWatch drawn(edit, view);
    edit.viewport()->installEventFilter(&drawn);

    turns.start();
    const Clock::time_point start = Clock::now();
    const double guiStart = ThreadCpuSeconds();
    CCheckThreadDialog::RunWholeInspection(nullptr, runner, CommandInspectAll, view, document.environment);
    while (!drawn.drawnAll)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const Clock::time_point shown = Clock::now();
    measured.guiSeconds = ThreadCpuSeconds() - guiStart;
    // A little longer, for whatever the window does after.
    while (SecondsBetween(shown, Clock::now()) < 0.1)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    stop = true;
    watcher.join();
    measured.seconds = SecondsBetween(start, shown);
    measured.afterWorkersSeconds = SecondsBetween(workersEnded, shown);
    measured.lines = view.LineCount();
    return measured;
}

template <typename Field> std::vector<double> Values(const std::vector<PaneRun>& runs, Field field) {
    std::vector<double> values;
    for (const PaneRun& run : runs)
        values.push_back(run.*field);
    return values;
}

void Report(benchmark::State& state, const char* prefix, const std::vector<PaneRun>& runs) {
    const std::string name(prefix);
    const auto put = [&](const std::string& counter, std::vector<double> values, double scale) {
        std::sort(values.begin(), values.end());
        state.counters[name + counter] = Median(values) * scale;
        state.counters[name + counter + "Min"] = values.front() * scale;
        state.counters[name + counter + "Max"] = values.back() * scale;
    };
    put("Ms", Values(runs, &PaneRun::seconds), 1000);
    put("GuiMs", Values(runs, &PaneRun::guiSeconds), 1000);
    put("AfterWorkersMs", Values(runs, &PaneRun::afterWorkersSeconds), 1000);
    put("TurnAfterMs", Values(runs, &PaneRun::longestTurnAfterDialog), 1000);
    put("TurnDuringMs", Values(runs, &PaneRun::longestTurnDuringRun), 1000);
    std::vector<double> shares;
    for (const PaneRun& run : runs)
        shares.push_back(run.guiSeconds / run.seconds);
    state.counters[name + "GuiShare"] = Median(shares);
    state.counters[name + "Lines"] = runs.front().lines;
}

// Arguments: the unit functions of the smaller and of the larger document.
void BM_SharedMemberPane(benchmark::State& state) {
    const auto small = MakeSharedMemberDocument(static_cast<int>(state.range(0)));
    const auto large = MakeSharedMemberDocument(static_cast<int>(state.range(1)));
    std::vector<PaneRun> smallRuns;
    std::vector<PaneRun> largeRuns;
    Turns times;
    for (auto _ : state) {
        times.Run(
            [&] {
                smallRuns.push_back(RunInPane(*small));
                return smallRuns.back().seconds;
            },
            [&] {
                largeRuns.push_back(RunInPane(*large));
                return largeRuns.back().seconds;
            });
    }
    Report(state, "small", smallRuns);
    Report(state, "large", largeRuns);
    std::vector<double> ratios = times.Ratios();
    std::sort(ratios.begin(), ratios.end());
    const double lineRatio = static_cast<double>(largeRuns.front().lines) / smallRuns.front().lines;
    state.counters["ratio"] = Median(ratios);
    state.counters["ratioMin"] = ratios.front();
    state.counters["ratioMax"] = ratios.back();
    state.counters["lineRatio"] = lineRatio;
    // The time ratio as if the lines had doubled, time growing as a power of the lines.
    const auto perDouble = [lineRatio](double ratio) { return std::pow(2.0, std::log(ratio) / std::log(lineRatio)); };
    state.counters["perDoubleLines"] = perDouble(Median(ratios));
    state.counters["perDoubleLinesMin"] = perDouble(ratios.front());
    state.counters["perDoubleLinesMax"] = perDouble(ratios.back());
}

} // namespace

BENCHMARK(BM_SharedMemberPane)->Args({10000, 20000})->Iterations(5)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    // The dialog and the pane are real widgets; without a display they draw offscreen.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::pair<std::string_view, QString (*)(const QString&, int)> writers[] = {
        {"--write-shared-member-document", SaveSharedMemberDocument},
        {"--write-fan-out-document", SaveFanOutDocument},
        {"--write-nested-if-document", SaveNestedIfDocument},
        {"--write-doubling-chain-document", SaveDoublingChainDocument},
    };
    for (const auto& [option, write] : writers) {
        if (argc == 4 && std::string_view(argv[1]) == option)
            return write(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3])).isEmpty() ? 1 : 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
