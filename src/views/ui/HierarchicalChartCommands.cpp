#include "views/ui/HierarchicalChartCommands.h"

#include "printing/PrintJob.h"
#include "printing/ui/PrintDialog.h"
#include "views/ChartCommand.h"
#include "views/ui/HierarchicalView.h"

#include <QPrinter>

namespace {

// What the chart prints on a device: the pages that the printer's range chooses.
PagePainter ChartPainter(CHierarchicalView& view, const QPrinter& printer) {
    return
        [&view, &printer](QPagedPaintDevice& device) { return view.Print(device, PrintPageRange::ChosenOn(printer)); };
}

void PrintChart(CHierarchicalView& view, QPrinter& printer) {
    if (!view.PreparePrint())
        return;
    printer.setPrintRange(QPrinter::AllPages);
    CPrintDialog dialog(&printer, &view);
    dialog.setMinMax(1, std::max(1, view.PrintPageCount(printer)));
    if (dialog.exec() == QDialog::Accepted)
        PrintOnPrinter(printer, ChartPainter(view, printer), view.MessageContext());
}

void PreviewChart(CHierarchicalView& view, QPrinter& printer) {
    if (!view.PreparePrint())
        return;
    printer.setPrintRange(QPrinter::AllPages);
    CPrintPreviewDialog dialog(&printer, ChartPainter(view, printer), view.MessageContext(), &view);
    dialog.exec();
}

} // namespace

void AddHierarchicalChartCommands(CCommandRegistry& registry, std::function<CHierarchicalView&()> view,
                                  std::function<QPrinter&()> printer) {
    // The captions are those of the general print commands.
    constexpr int printCaption = 33018;
    constexpr int previewCaption = 33017;
    registry.Add({CommandPrintHierarchicalIndex, [view, printer](int) { PrintChart(view(), printer()); },
                  CommandRule::DocumentOpen, printCaption, "", CommandIcon::None});
    registry.Add({CommandPreviewHierarchicalIndex, [view, printer](int) { PreviewChart(view(), printer()); },
                  CommandRule::DocumentOpen, previewCaption, "", CommandIcon::None});
}
