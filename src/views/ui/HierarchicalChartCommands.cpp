#include "views/ui/HierarchicalChartCommands.h"

#include "printing/ui/PrintDialog.h"
#include "views/ChartCommand.h"
#include "views/ui/HierarchicalView.h"

#include <QPrinter>

namespace {

void PrintChart(CHierarchicalView& view, QPrinter& printer) {
    if (!view.PreparePrint())
        return;
    printer.setPrintRange(QPrinter::AllPages);
    CPrintDialog dialog(&printer, &view);
    dialog.setMinMax(1, std::max(1, view.PrintPageCount(printer)));
    if (dialog.exec() == QDialog::Accepted && !RefusePrinterOutput(printer))
        view.Print(printer);
}

void PreviewChart(CHierarchicalView& view, QPrinter& printer) {
    if (!view.PreparePrint())
        return;
    printer.setPrintRange(QPrinter::AllPages);
    CPrintPreviewDialog dialog(&printer, &view);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &view,
                     [&view](QPrinter* shown) { view.Print(*shown); });
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
