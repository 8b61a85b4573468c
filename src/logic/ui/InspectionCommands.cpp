#include "logic/ui/InspectionCommands.h"

#include "logic/InspectionCommand.h"
#include "logic/InspectionEnvironment.h"
#include "logic/InspectionRun.h"
#include "logic/InspectionView.h"
#include "logic/ui/CheckDlg.h"
#include "logic/ui/CheckThreadDialog.h"

namespace {

void RunWholeInspection(CInspectionCommandHost& host, int command) {
    host.ShowInspectionPane();
    const InspectionEnvironment environment = MakeInspectionEnvironment(host.InspectedDocument());
    host.SetInspectionWorkerRunning(true);
    CCheckThreadDialog::RunWholeInspection(host.DialogParent(), host.InspectionRunner(), command, host.InspectionPane(),
                                           environment);
    host.SetInspectionWorkerRunning(false);
}

void OnInspectCurrentUnitFunction(CInspectionCommandHost& host) {
    host.ShowInspectionPane();
    // Without an active tab there is no unit function to inspect; the pane keeps what it shows.
    const CUnitFunction* function = host.ActiveFunction();
    if (!function)
        return;
    const InspectionEnvironment environment = MakeInspectionEnvironment(host.InspectedDocument());
    InspectCurrentUnitFunction(*function, host.InspectionPane(), environment);
}

void OnReasonCheck(CInspectionCommandHost& host) {
    host.ShowInspectionPane();
    host.InspectionPane().ClearMessages();
    InspectReasons(host.InspectionPane(), MakeInspectionEnvironment(host.InspectedDocument()));
}

void OpenConditionConclusionList(CInspectionCommandHost& host) {
    host.ShowInspectionPane();
    const InspectionEnvironment environment = MakeInspectionEnvironment(host.InspectedDocument());
    CCheckDlg dialog(host.MessageContext(), host.InspectionPane(), environment, host.ActiveFunction(),
                     host.ConditionConclusionChoice(), host.DialogParent());
    dialog.exec();
}

} // namespace

void AddInspectionCommands(CCommandRegistry& registry, CInspectionCommandHost& host) {
    using enum CommandRule;
    const auto whole = [&host](int id) { RunWholeInspection(host, id); };
    registry.Add({CommandInspectCurrentUnitFunction, [&host](int) { OnInspectCurrentUnitFunction(host); }, DocumentOpen,
                  CommandInspectCurrentUnitFunction, "", CommandIcon::None});
    registry.Add({CommandInspectSyntax, whole, DocumentOpen, CommandInspectSyntax, "", CommandIcon::None});
    registry.Add({CommandInspectRedundancy, whole, DocumentOpen, CommandInspectRedundancy, "", CommandIcon::None});
    registry.Add(
        {CommandInspectInconsistency, whole, DocumentOpen, CommandInspectInconsistency, "", CommandIcon::None});
    registry.Add({CommandInspectAll, whole, DocumentOpen, CommandInspectAll, "Ctrl+Shift+I", CommandIcon::None});
    registry.Add({CommandConditionConclusionList, [&host](int) { OpenConditionConclusionList(host); }, DocumentOpen,
                  CommandConditionConclusionList, "", CommandIcon::None});
    registry.Add(
        {CommandReasonCheck, [&host](int) { OnReasonCheck(host); }, None, CommandReasonCheck, "", CommandIcon::None});
}
