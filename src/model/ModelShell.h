#pragma once

#include "model/OutlineNumber.h"
#include "platform/HookInstaller.h"

#include <QString>

class CAbstractIndexItem;
class CFontInfo;
class CUnitFunction;

// What the document model asks of the application shell, the editor tabs and the navigation views. The
// application installs its implementation at start-up; until then (and in the converter) the defaults below
// apply: nothing to refresh, no tab, and every prompt cancelled.
class CModelShell {
public:
    virtual ~CModelShell() = default;

    // The font faces installed on the system; none until the application has looked.
    virtual const CFontInfo& InstalledFonts();

    // Unique labels: gives the unit function a new label when it has none.
    virtual void AssignUniqueLabelIfEmpty(CUnitFunction& /*function*/) {}
    // Between these one command creates unit functions one after another while nothing else gives or changes
    // labels, so that the labels of the document may be indexed once for all of them (see CLabellingRun).
    virtual void BeginLabellingRun() {}
    virtual void EndLabellingRun() {}

    // Tabs.
    virtual void OpenFunctionTab(CUnitFunction* /*function*/) {}
    virtual void CloseFunctionTab(CUnitFunction* /*function*/) {}
    // Unit function of the active tab, null without one.
    virtual CUnitFunction* ActiveTabFunction() { return nullptr; }
    // Outline number shown in the active tab's header form; false when there is none or it cannot be read.
    virtual bool GetCurrentOutlineNumber(OutlineNumber& /*number*/) { return false; }
    // Records in the most recently used tab the place it was opened from; ignored without a tab.
    virtual void SetOpenedFromOutlineNumber(const OutlineNumber& /*number*/) {}
    // True once after a tab's Close command asked that the next opening be skipped.
    virtual bool ConsumeSuppressOpening() { return false; }
    virtual void SetDocumentModified() {}

    // Views.
    virtual void RefreshFunctionList() {}
    virtual void UpdateAllDocumentViews() {}
    virtual void UpdatePaneViews() {}
    virtual void RedrawStructureDiagram() {}
    virtual void RelayoutStructureDiagram() {}
    virtual void SelectTreeItem(CAbstractIndexItem& /*item*/) {}
    virtual void EnsureTreeItemVisible(CAbstractIndexItem& /*item*/) {}

    // Prompts; each returns false when cancelled.
    virtual bool PromptFunctionName(QString& /*name*/) { return false; }
    virtual bool PromptIsolatedFunctionName(QString& /*name*/) { return false; }
    // The move prompt reads an outline number and calls CAbstractIndexItem::MoveToOutlineNumber itself.
    virtual void RunMoveDialog(CAbstractIndexItem& /*item*/) {}
};

// The installed shell, or the do-nothing one.
CModelShell& ModelShell();

// The one way to install a shell: the shell (not owned) serves the model while the installer lives, and the
// one before it comes back when it ends.
class CModelShellInstaller : public platform::HookInstaller<CModelShell> {
public:
    explicit CModelShellInstaller(CModelShell& shell);
};

// One labelling run of the installed shell while it lives.
class CLabellingRun {
public:
    CLabellingRun() : m_shell(ModelShell()) { m_shell.BeginLabellingRun(); }
    ~CLabellingRun() { m_shell.EndLabellingRun(); }
    CLabellingRun(const CLabellingRun&) = delete;
    CLabellingRun& operator=(const CLabellingRun&) = delete;

private:
    CModelShell& m_shell;
};
