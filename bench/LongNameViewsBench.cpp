// Every view on a document whose one unit function is named by ten million characters, against the same document
// with a short name, in turns: the tip over its chart box, a repaint of the chart, the outline-ordered tree rebuilt
// and painted, the unit-function list filled and painted and a click on its row, a repaint of the structure diagram,
// a search that finds a word in the middle of the name, and its lines written into the result pane and painted. Each
// reports the median times and their ratio, long / short: each view lays out what it shows of a name, so the ratio
// stays near 1 and the long name's time far below the tenth of a second in which the window answers.

#include "logic/InspectionView.h"
#include "logic/ui/InspectionViewEdit.h"
#include "search/FindResultSet.h"
#include "views/ui/FunctionListView.h"
#include "views/ui/HierarchicalView.h"
#include "views/ui/LexicographicalView.h"
#include "views/ui/StructureDiagram.h"

#include "BenchViewHost.h"
#include "NoJumps.h"
#include "OffscreenBenchmarks.h"
#include "Turns.h"

#include <QCoreApplication>
#include <QHelpEvent>
#include <QImage>
#include <QTableWidget>
#include <QToolTip>

#include <benchmark/benchmark.h>

#include <functional>

namespace {

// The origin with three children, the second named `name`.
struct NamedDocument : BenchViewHost {
    explicit NamedDocument(const QString& name) {
        data.SetDefaults();
        const QString names[] = {QStringLiteral("Short one"), name, QStringLiteral("Another short one")};
        for (int i = 0; i < 3; ++i) {
            CUnitFunction* function = data.registry.CreateFunctionWithID(quint32(10001 + i));
            function->name = names[i];
            CUnitFunction::AppendChild(data.registry.origin, function);
        }
        named = data.registry.FindByInternalID(10002);
        data.registry.RebuildAndNotify(data.indexRoot, data.GetModelOptions());
        consent.ConfirmChart(data.indexRoot);
        consent.ConfirmDiagram(data.indexRoot);
    }

    CUnitFunction* named = nullptr;
};

// Ten million characters of words, the searched one in the middle.
QString LongName() {
    const QString words = QStringLiteral("rice water steam 炊飯 浸水 保温 pot lid timer ");
    const QString half = words.repeated(5'000'000 / words.size() + 1).left(5'000'000);
    return half + QStringLiteral(" needle ") + half;
}

void Render(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_ARGB32);
    widget.render(&image);
    benchmark::DoNotOptimize(image.bits());
}

// What one view does on a document, timed: built once per document, then measured in turns.
using View = std::function<double()>;
using MakeView = std::function<View(NamedDocument&)>;

void InTurns(benchmark::State& state, const MakeView& make) {
    NamedDocument shortName(QStringLiteral("Named in a few words"));
    NamedDocument longName(LongName());
    const View onShort = make(shortName);
    const View onLong = make(longName);
    onShort();
    onLong();
    Turns turns;
    for (auto _ : state)
        turns.Run(onShort, onLong);
    state.counters["shortMs"] = 1000 * Median(turns.first);
    state.counters["longMs"] = 1000 * Median(turns.second);
    state.counters["ratio"] = Median(turns.Ratios());
}

// `act` timed.
template <class Act> View Timed(Act act) {
    return [act] { return Seconds(act); };
}

// A view of type `T` on each document, shown at `size`; `prepare` makes it ready and gives what is timed.
template <class T, class Prepare> void ShownViewInTurns(benchmark::State& state, QSize size, Prepare prepare) {
    std::vector<std::unique_ptr<T>> views;
    InTurns(state, [&](NamedDocument& document) -> View {
        T& view = *views.emplace_back(std::make_unique<T>(document));
        view.resize(size);
        view.show();
        return prepare(view, document);
    });
}

void BM_ChartTip(benchmark::State& state) {
    ShownViewInTurns<CHierarchicalView>(state, {800, 600}, [](CHierarchicalView& view, NamedDocument& document) {
        view.OnUpdate();
        QPoint centre;
        for (const CHierarchicalChart::Box& box : view.Chart().Boxes())
            if (box.item && box.item->unitFunction == document.named)
                centre = box.pageRect.center();
        return View([&view, centre] {
            QToolTip::hideText();
            QCoreApplication::processEvents();
            return Timed([&view, centre] {
                QHelpEvent tip(QEvent::ToolTip, centre, view.viewport()->mapToGlobal(centre));
                QCoreApplication::sendEvent(view.viewport(), &tip);
                QCoreApplication::processEvents();
            })();
        });
    });
    QToolTip::hideText();
}
BENCHMARK(BM_ChartTip)->Iterations(7)->Unit(benchmark::kMillisecond);

void BM_ChartRepaint(benchmark::State& state) {
    ShownViewInTurns<CHierarchicalView>(state, {800, 600}, [](CHierarchicalView& view, NamedDocument&) {
        view.OnUpdate();
        return Timed([&view] { Render(*view.viewport()); });
    });
}
BENCHMARK(BM_ChartRepaint)->Iterations(7)->Unit(benchmark::kMillisecond);

void BM_OutlineTree(benchmark::State& state) {
    ShownViewInTurns<CLexicographicalView>(state, {400, 600}, [](CLexicographicalView& view, NamedDocument&) {
        return Timed([&view] {
            view.OnUpdate();
            Render(view);
        });
    });
}
BENCHMARK(BM_OutlineTree)->Iterations(7)->Unit(benchmark::kMillisecond);

void BM_FunctionList(benchmark::State& state) {
    ShownViewInTurns<CFunctionListView>(state, {700, 400}, [](CFunctionListView& view, NamedDocument&) {
        return Timed([&view] {
            view.Refresh();
            Render(view);
        });
    });
}
BENCHMARK(BM_FunctionList)->Iterations(7)->Unit(benchmark::kMillisecond);

void BM_FunctionListRowClick(benchmark::State& state) {
    ShownViewInTurns<CFunctionListView>(state, {700, 400}, [](CFunctionListView& view, NamedDocument& document) {
        view.Refresh();
        const int row = view.Rows().IndexOf(document.named);
        return View([&view, row] {
            view.List()->clearSelection();
            return Timed([&view, row] {
                view.List()->selectRow(row);
                Render(view);
            })();
        });
    });
}
BENCHMARK(BM_FunctionListRowClick)->Iterations(7)->Unit(benchmark::kMillisecond);

void BM_StructureDiagram(benchmark::State& state) {
    ShownViewInTurns<CStructureDiagram>(state, {800, 600}, [](CStructureDiagram& view, NamedDocument&) {
        view.ApplyZoomSetting();
        return Timed([&view] { Render(*view.Picture()); });
    });
}
BENCHMARK(BM_StructureDiagram)->Iterations(7)->Unit(benchmark::kMillisecond);

SearchRequest FindInNames(const QString& text) {
    SearchRequest request;
    request.findText = text;
    request.searchUnitFunction = 1;
    request.unitFunctionName = 1;
    return request;
}

// The search alone, which reads the whole name.
void BM_SearchInName(benchmark::State& state) {
    InTurns(state, [](NamedDocument& document) -> View {
        return Timed([&document] {
            benchmark::DoNotOptimize(
                CFindResultSet(document.data, document.context).SearchAll(FindInNames("needle"), nullptr));
        });
    });
}
BENCHMARK(BM_SearchInName)->Iterations(7)->Unit(benchmark::kMillisecond);

// Its lines written into the result pane, taken by the pane's widget and painted.
void BM_ResultPane(benchmark::State& state) {
    std::vector<std::unique_ptr<CInspectionView>> panes;
    std::vector<std::unique_ptr<CInspectionViewEdit>> widgets;
    std::vector<CResultPaneReport> reports;
    reports.reserve(2);
    NoJumps jumps;
    InTurns(state, [&](NamedDocument& document) -> View {
        auto& pane = *panes.emplace_back(std::make_unique<CInspectionView>());
        auto& widget = *widgets.emplace_back(std::make_unique<CInspectionViewEdit>(pane, jumps));
        widget.resize(800, 300);
        widget.show();
        const CResultPaneReport& report = reports.emplace_back(
            CFindResultSet(document.data, document.context).SearchAll(FindInNames("needle"), nullptr));
        return Timed([&pane, &widget, &report] {
            report.WriteTo(pane);
            widget.GetCaretLine(); // takes the lines
            Render(*widget.viewport());
        });
    });
}
BENCHMARK(BM_ResultPane)->Iterations(7)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunOffscreenBenchmarks(argc, argv);
}
