// The result pane filled with a million finding lines, against its model alone: the time until the pane has
// taken every line and drawn itself, and what the filled pane adds to the resident set at its peak. The pane
// draws its rows from the model, so it should add little time and next to no memory to the model's.

#include "logic/InspectionView.h"
#include "logic/JumpHandler.h"
#include "logic/ui/InspectionViewEdit.h"

#include <QApplication>
#include <QFile>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <optional>
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

// The resident set now and its peak since the last reset, in megabytes; resets the peak.
std::pair<double, double> ResidentMegabytesAndReset() {
    QFile status("/proc/self/status");
    std::pair<double, double> found;
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            const auto megabytes = [&line] { return line.mid(6).trimmed().split(' ').front().toDouble() / 1024; };
            if (line.startsWith("VmRSS:"))
                found.first = megabytes();
            else if (line.startsWith("VmHWM:"))
                found.second = megabytes();
        }
    }
    QFile clear("/proc/self/clear_refs");
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
    return found;
}

struct Measurement {
    double seconds = 0;
    double peakMB = 0; // what the fill added to the resident set at its peak
};

// Findings of four lines each, two fixed texts and two logic lines out of a thousand, as a large run writes
// them; with a pane, until it has taken every line and drawn the last page.
Measurement Fill(int lines, bool withPane) {
    Measurement measured;
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

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void BM_PaneFill(benchmark::State& state) {
    const auto lines = static_cast<int>(state.range(0));
    std::vector<double> modelSeconds, paneSeconds, modelMB, paneMB, timeRatios;
    for (auto _ : state) {
        const Measurement model = Fill(lines, false);
        const Measurement pane = Fill(lines, true);
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

BENCHMARK(BM_PaneFill)->Arg(1000000)->Iterations(5)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    // The pane is a real widget; without a display it draws offscreen.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
