#pragma once

#include "logic/InspectionCommand.h"

// Command ids of the main window's menus, toolbars and accelerators, for the commands the program has.
namespace MainFrameCommand {

enum Id : int {
    // Handled by the application object.
    FileNew = 57600,
    FileOpen = 57601,
    FileClose = 57602,
    FileSave = 57603,
    FileSaveAs = 57604,
    // The recent-file entries of the File menu, the newest first.
    RecentFileFirst = 57616,
    RecentFileLast = 57631,
    NavigateBack = 33027,
    NavigateForward = 33028,
    // The navigation history's entries: position = id - HistoryEntryFirst.
    HistoryEntryFirst = 33030,
    HistoryEntryLast = 33045,
    AppExit = 57665,
    SwitchToEnglish = 32992,
    SwitchToJapanese = 32993,
    AppAbout = 57664,
    ImportEnvironmentSettings = 32856,
    ImportMemberNames = 32968,
    ExportMemberNames = 33073,
    ExportOutlineIndex = 33077,

    // Handled by the active tab's document; the map import has no menu entry.
    ImportMindMap = 33102,

    // Inspections: the current unit function and the reasons on the user-interface thread, the others on
    // the worker.
    InspectCurrentUnitFunction = 32794,
    InspectAll = CommandInspectAll,
    InspectSyntax = CommandInspectSyntax,
    InspectRedundancy = CommandInspectRedundancy,
    InspectInconsistency = CommandInspectInconsistency,
    ConditionConclusionList = 32793,
    ReasonCheck = 32898,

    // Handled by the main window.
    ShowHierarchicalIndex = 32790,
    ShowOutlineIndex = 32789,
    ApplicationLookFirst = 210,
    ApplicationLookLast = 218,
    ShowZoomWindow = 33119,
    // The dialog of the open tab windows, the toolbar customisation.
    WindowManager = 131,
    CustomizeToolBars = 126,
    // The item whose popup lists the running instances; each entry brings one forward:
    // table index = id - InstanceWindowFirst.
    InstanceList = 32878,
    InstanceWindowFirst = 33046,
    InstanceWindowLast = 33061,
    ShowSplashScreen = 33080,
    ExportOlderFormat = 33097,

    // Commands whose work this system does not do: they say so.
    HelpFinder = 57667,
    HelpIndex = 57671,
    Help = 57670,
    ContextHelp = 57669,
    InsertObject = 57856,
    ObjectProperties = 57860,
    ImportFromZipc = 33125,
    ExportToZipc = 33126,
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
