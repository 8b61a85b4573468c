#pragma once

#include "platform/CommandRegistry.h"
#include "printing/PrintCommand.h"

#include <QString>

class CDocumentData;
class CInspectionView;
class CUnitFunction;
class QPrinter;
class QWidget;
struct CMessageContext;

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
    // The printer as the printer settings left it (paper, orientation), shared by every printout.
    virtual QPrinter& Printer() = 0;

protected:
    ~CPrintCommandHost() = default;
};

// The rows of the print commands; Print and Print Preview of the hierarchical chart run that chart's own rows,
// which must be in the registry as well.
void AddPrintCommands(CCommandRegistry& registry, CPrintCommandHost& host);

// The print-settings sheet over a copy of the document's print settings, written back whole on OK; the page shown
// last is remembered in `rememberedPage`. True after OK.
bool RunPrintSettingsSheet(CPrintCommandHost& host, int& rememberedPage);
