// The navigation views on documents of N and 2N unit functions: the layout of the hierarchical chart and of the
// structure diagram (2N at most 2.2 times N), and one repaint of a chart pane that shows part of a 20,000-function
// chart against one of a 1,000-function chart (at most 1.5 times: the cost follows what is visible).

#include "views/HierarchicalChart.h"
#include "views/StructureDiagramLayout.h"
#include "views/ui/HierarchicalView.h"

#include "BenchViewHost.h"
#include "OffscreenBenchmarks.h"

#include <QImage>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// A table of contents of `count` unit functions, each with up to eight children, filled level by level.
struct GeneratedDocument : BenchViewHost {
    explicit GeneratedDocument(int count) {
        data.SetDefaults();
        const ModelOptions options = data.GetModelOptions();
        std::vector<CUnitFunction*> functions{data.registry.origin};
        for (int i = 1; i < count; ++i) {
            CUnitFunction* function = data.registry.CreateFunctionWithID(quint32(10000 + i));
            function->name = QStringLiteral("Unit function %1").arg(i);
            CUnitFunction::AppendChild(functions[size_t((i - 1) / 8)], function);
            functions.push_back(function);
        }
        data.registry.RebuildAndNotify(data.indexRoot, options);
        consent.ConfirmChart(data.indexRoot);
    }
};

void ChartLayout(benchmark::State& state) {
    GeneratedDocument document(static_cast<int>(state.range(0)));
    CHierarchicalChart chart;
    chart.ApplySettings(document.data.indexViewSettings, QSize(800, 600));
    for (auto _ : state) {
        chart.Rebuild(&document.data.indexRoot);
        chart.RecalcLayout();
        benchmark::DoNotOptimize(chart.Extent());
        state.counters["boxes"] = double(chart.Boxes().size());
    }
}
BENCHMARK(ChartLayout)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);

void DiagramLayout(benchmark::State& state) {
    GeneratedDocument document(static_cast<int>(state.range(0)));
    const CStructureDiagramLayout layout(document.data.environment.structureDiagram);
    for (auto _ : state) {
        int boxes = 0;
        const CStructureDiagramLayout::Scale scale = layout.Scales(document.data.indexRoot, 800);
        benchmark::DoNotOptimize(layout.Extent(document.data.indexRoot, 800));
        layout.Walk(document.data.indexRoot, scale, QPoint(), [&boxes](const CStructureDiagramLayout::Placed&) {
            ++boxes;
            return true;
        });
        benchmark::DoNotOptimize(boxes);
    }
}
BENCHMARK(DiagramLayout)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);

void ChartRepaint(benchmark::State& state) {
    GeneratedDocument document(static_cast<int>(state.range(0)));
    CHierarchicalView view(document);
    view.resize(800, 600);
    view.show();
    view.OnUpdate();
    QImage image(view.size(), QImage::Format_ARGB32);
    for (auto _ : state) {
        view.viewport()->render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(ChartRepaint)->Arg(1000)->Arg(20000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return RunOffscreenBenchmarks(argc, argv);
}
