#pragma once

#include "logic/InspectionCommand.h"

// Command ids of the main window's menus, toolbars and accelerators, for the commands the program has.
namespace MainFrameCommand {

enum Id : int {
    // Handled by the application object.
    FileNew = 57600,
    FileOpen = 57601,
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

    // Handled by the main window.
    ShowHierarchicalIndex = 32790,
    ShowOutlineIndex = 32789,
    ApplicationLookFirst = 210,
    ApplicationLookLast = 218,
};

// Every start applies this look.
constexpr int DefaultApplicationLook = 214;

// The docked panes.
enum PaneId : int {
    HierarchicalIndexPane = 108,
    OutlineIndexPane = 110,
    MessagesPane = 112,
    NotesPane = 113,
    FunctionListPane = 819,
    StructureDiagramPane = 822,
};

} // namespace MainFrameCommand
