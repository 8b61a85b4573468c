#pragma once

#include "logic/ConditionConclusionList.h"
#include "platform/CommandRegistry.h"

class CDocumentData;
class CInspectionRunner;
class CInspectionView;
class CUnitFunction;
class QWidget;
struct CMessageContext;

// What the inspection commands need of the window that offers them.
class CInspectionCommandHost {
public:
    virtual const CDocumentData& InspectedDocument() const = 0;
    // The active tab's unit function; null without a tab.
    virtual const CUnitFunction* ActiveFunction() const = 0;
    virtual const CMessageContext& MessageContext() const = 0;
    virtual CInspectionView& InspectionPane() = 0;
    virtual CInspectionRunner& InspectionRunner() = 0;
    // Shows the Messages pane in front.
    virtual void ShowInspectionPane() = 0;
    // A worker holds the document from true to false; the window greys its commands meanwhile.
    virtual void SetInspectionWorkerRunning(bool running) = 0;
    // The parent of the dialogs.
    virtual QWidget* DialogParent() = 0;
    // The scope and statement kind the condition/conclusion list was last run with, kept while the window lives.
    virtual CConditionConclusionList::Choice& ConditionConclusionChoice() = 0;

protected:
    ~CInspectionCommandHost() = default;
};

// The rows of the inspections: the current unit function and the reasons on the user-interface thread, the
// whole-document inspections on the worker with the progress dialog, and the condition/conclusion list.
void AddInspectionCommands(CCommandRegistry& registry, CInspectionCommandHost& host);
