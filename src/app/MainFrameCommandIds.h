#pragma once

#include "logic/InspectionCommand.h"

// Command ids of the main window's menus, toolbars and accelerators, for the commands the program has.
namespace MainFrameCommand {

enum Id : int {
    // Handled by the application object.
    FileNew = 57600,
    AppExit = 57665,
    SwitchToEnglish = 32992,
    SwitchToJapanese = 32993,

    // Inspections: the current unit function and the reasons on the user-interface thread, the others on
    // the worker.
    InspectCurrentUnitFunction = 32794,
    InspectAll = CommandInspectAll,
    InspectSyntax = CommandInspectSyntax,
    InspectRedundancy = CommandInspectRedundancy,
    InspectInconsistency = CommandInspectInconsistency,
    ReasonCheck = 32898,
};

} // namespace MainFrameCommand
