#pragma once

#include "platform/CommandRegistry.h"

#include <QString>

class CDocumentData;
class CInspectionView;
class CUnitFunction;
class QWidget;
struct CMessageContext;

// The ids of the print commands: the printer settings, the print-settings sheet, Print and Print Preview of the
// chosen printout, and the print and preview of each printout.
enum PrintCommandId {
    CommandPrinterSettings = 57606,
    CommandPrintSettings = 32880,
    CommandPrintPreview = 33017,
    CommandPrint = 33018,
    CommandPrintOutlineIndex = 32774,
    CommandPreviewOutlineIndex = 32779,
    CommandPrintUnitFunctions = 32776,
    CommandPreviewUnitFunctions = 32781,
    CommandPrintTitlePage = 32889,
    CommandPreviewTitlePage = 32886,
    CommandPrintResultMessages = 32890,
    CommandPreviewResultMessages = 32887,
    CommandPrintNotes = 32891,
    CommandPreviewNotes = 32888,
};

// What the print commands need of the window that offers them.
class CPrintCommandHost {
public:
    virtual CDocumentData& PrintedDocument() = 0;
    // The document's file, empty for a new document.
    virtual QString PrintedDocumentPath() const = 0;
    // The print settings changed: the document is modified.
    virtual void SetPrintSettingsModified() = 0;
    // The active tab's unit function; null without a tab.
    virtual const CUnitFunction* ActiveFunction() const = 0;
    virtual CInspectionView& InspectionPane() = 0;
    virtual const CMessageContext& MessageContext() const = 0;
    virtual QWidget* DialogParent() = 0;

protected:
    ~CPrintCommandHost() = default;
};

// The rows of the print commands; Print and Print Preview of the hierarchical chart run that chart's own rows,
// which must be in the registry as well.
void AddPrintCommands(CCommandRegistry& registry, CPrintCommandHost& host);

// The print-settings sheet over a copy of the document's print settings, written back whole on OK; the page shown
// last is remembered in `rememberedPage`. True after OK.
bool RunPrintSettingsSheet(CPrintCommandHost& host, int& rememberedPage);
