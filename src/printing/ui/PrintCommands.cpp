#include "printing/ui/PrintCommands.h"

#include "model/DocumentData.h"
#include "printing/PrintJob.h"
#include "printing/ui/PSHirIndex.h"
#include "printing/ui/PSIDIndex.h"
#include "printing/ui/PSMemo.h"
#include "printing/ui/PSOther.h"
#include "printing/ui/PSOutput.h"
#include "printing/ui/PSSingle.h"
#include "printing/ui/PSTitle.h"
#include "printing/ui/PrintDialog.h"
#include "printing/ui/PrintedObjectPage.h"
#include "texts/Msg.h"
#include "views/ChartCommand.h"

#include <QDateTime>
#include <QPageSetupDialog>
#include <QPrinter>

#include <memory>

namespace {

using Preparation = bool (CPrintJob::*)(const PrintSource&);

constexpr int PrintSheetNavigationWidth = 180;

// What the commands keep while the window lives: the job of the last printout and the page of the print-settings
// sheet shown last.
struct PrintCommandState {
    explicit PrintCommandState(CPrintCommandHost& owner) : host(owner) {}

    CPrintCommandHost& host;
    CPrintJob job;
    int rememberedPage = 0;

    QPrinter& Printer() { return host.Printer(); }

    PrintSource Source() {
        return {host.PrintedDocument(), &host.InspectionPane(), host.ActiveFunction(), host.PrintedDocumentPath()};
    }

    void Print(Preparation prepare, bool preview) {
        if (!host.PrintedDocument().DataReady || !(job.*prepare)(Source()))
            return;
        PrintPrepared(preview);
    }

    // Prints or previews the job as it was last prepared.
    void PrintPrepared(bool preview) {
        if (preview) {
            CPrintPreviewDialog dialog(
                &Printer(),
                [this](QPagedPaintDevice& device) {
                    return job.Print(device, Source(), QDateTime::currentSecsSinceEpoch());
                },
                host.MessageContext(), host.DialogParent());
            dialog.exec();
            return;
        }
        // Every page is offered again; the pages are counted only as they print.
        QPrinter& printer = Printer();
        printer.setPrintRange(QPrinter::AllPages);
        CPrintDialog dialog(&printer, host.DialogParent());
        dialog.setMinMax(1, PrintHighestPage);
        if (dialog.exec() != QDialog::Accepted)
            return;
        const PrintPageRange range = PrintPageRange::ChosenOn(printer);
        PrintOnPrinter(
            printer,
            [this, range](QPagedPaintDevice& device) {
                return job.Print(device, Source(), QDateTime::currentSecsSinceEpoch(), range);
            },
            host.MessageContext());
    }
};

struct SingleCommand {
    int printId;
    int previewId;
    Preparation prepare;
};

// In the order of the printed-object choice; the hierarchical chart prints itself.
const SingleCommand kSingleCommands[] = {
    {CommandPrintOutlineIndex, CommandPreviewOutlineIndex, &CPrintJob::PreparePrintOutlineIndex},
    {CommandPrintHierarchicalIndex, CommandPreviewHierarchicalIndex, nullptr},
    {CommandPrintUnitFunctions, CommandPreviewUnitFunctions, &CPrintJob::PreparePrintUnitFunctions},
    {CommandPrintTitlePage, CommandPreviewTitlePage, &CPrintJob::PreparePrintTitlePage},
    {CommandPrintResultMessages, CommandPreviewResultMessages, &CPrintJob::PreparePrintResultMessages},
    {CommandPrintNotes, CommandPreviewNotes, &CPrintJob::PreparePrintNotes},
};

} // namespace

bool RunPrintSettingsSheet(CPrintCommandHost& host, int& rememberedPage) {
    CDocumentData& document = host.PrintedDocument();
    const CMessageContext& context = host.MessageContext();
    PrintSettings copy = document.printSettings;
    QString title = document.documentHeader.Title;
    int selected = document.selectedPrintout;
    CPropertySheet sheet(Msg::PrintSettings(context), rememberedPage, host.DialogParent());
    sheet.SetNavigationWidth(PrintSheetNavigationWidth);
    sheet.AddPage(new CPrintedObjectPage(selected, context));
    sheet.AddPage(new CPSIDIndex(copy, context));
    sheet.AddPage(new CPSHirIndex(copy, context));
    sheet.AddPage(new CPSSingle(copy, context));
    sheet.AddPage(new CPSTitle(copy, title, context));
    sheet.AddPage(new CPSOutput(copy, context));
    sheet.AddPage(new CPSMemo(copy, context));
    sheet.AddPage(new CPSOther(copy, context));
    if (sheet.exec() != QDialog::Accepted)
        return false;
    document.selectedPrintout = selected;
    const bool titleChanged = title != document.documentHeader.Title;
    if (copy != document.printSettings || titleChanged) {
        document.printSettings = copy;
        if (titleChanged)
            document.SetDocumentTitle(title);
        host.SetPrintSettingsModified();
    }
    return true;
}

void AddPrintCommands(CCommandRegistry& registry, CPrintCommandHost& host) {
    using enum CommandRule;
    auto state = std::make_shared<PrintCommandState>(host);
    const auto add = [&registry](int id, CommandHandler handler, CommandRule rule, int text) {
        registry.Add({id, std::move(handler), rule, text, "", CommandIcon::None});
    };
    add(
        CommandPrinterSettings,
        [state](int) { QPageSetupDialog(&state->Printer(), state->host.DialogParent()).exec(); }, DocumentOpen,
        CommandPrinterSettings);
    add(
        CommandPrintSettings, [state](int) { RunPrintSettingsSheet(state->host, state->rememberedPage); }, DocumentOpen,
        CommandPrintSettings);
    for (const SingleCommand& single : kSingleCommands) {
        if (!single.prepare)
            continue;
        add(
            single.printId, [state, single](int) { state->Print(single.prepare, false); }, DocumentOpen, CommandPrint);
        add(
            single.previewId, [state, single](int) { state->Print(single.prepare, true); }, DocumentOpen,
            CommandPrintPreview);
    }
    // Print and Print Preview run the command of the printout the print-settings sheet chose; Print is greyed, as Save
    // As is, while no document is open.
    const auto chosen = [&registry, state](bool preview) {
        return [&registry, state, preview](int) {
            const int choice = state->host.PrintedDocument().selectedPrintout;
            if (choice >= 0 && choice < int(std::size(kSingleCommands)))
                registry.Dispatch(preview ? kSingleCommands[choice].previewId : kSingleCommands[choice].printId);
        };
    };
    add(CommandPrint, chosen(false), DocumentOpen, CommandPrint);
    add(CommandPrintPreview, chosen(true), None, CommandPrintPreview);
    // By the print kind: the outline-ordered index and the unit functions print the job when it is prepared for
    // that kind; the others run their own print command.
    add(
        CommandPrintByKind,
        [&registry, state](int) {
            const int kind = state->host.PrintedDocument().printSettings.printKind;
            if (kind < 1 || kind > int(std::size(kSingleCommands)))
                return;
            if (kind == PrintKindOutlineIndex || kind == PrintKindUnitFunctions) {
                if (state->host.PrintedDocument().DataReady && state->job.Kind() == kind)
                    state->PrintPrepared(false);
                return;
            }
            registry.Dispatch(kSingleCommands[kind - 1].printId);
        },
        DocumentOpen, CommandPrint);
}
