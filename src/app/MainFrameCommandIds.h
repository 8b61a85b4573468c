#pragma once

#include "editor/EditorCommand.h"
#include "logic/InspectionCommand.h"
#include "printing/PrintCommand.h"
#include "views/ChartCommand.h"

// Command ids of the main window's menus, toolbars and accelerators, for the commands the program has.
namespace MainFrameCommand {

enum Id : int {
    // File
    FileNew = 57600,
    FileOpen = 57601,
    FileClose = 57602,
    FileSave = 57603,
    FileSaveAs = 57604,
    ImportEnvironmentSettings = 32856,
    ImportMemberNames = 32968,
    ImportFileTree = 33093,
    ImportCsv = 33101,
    ExportCsv = 33103,
    ExportExplanations = CommandExportExplanations,
    ExportMemberNames = 33073,
    ExportOutlineIndex = 33077,
    ExportOlderFormat = 33097,
    VersionControl = 32772,
    ShowDifferences = 33022,
    CombineFunctions = 32771,
    PrinterSettings = CommandPrinterSettings,
    PrintSettings = CommandPrintSettings,
    PrintPreview = CommandPrintPreview,
    Print = CommandPrint,
    PrintHierarchicalIndex = CommandPrintHierarchicalIndex,
    PreviewHierarchicalIndex = CommandPreviewHierarchicalIndex,
    // The recent-file entries of the File menu, the newest first.
    RecentFileFirst = 57616,
    RecentFileLast = 57631,
    AppExit = 57665,

    // Edit
    EditUndo = 57643,
    EditCut = 57635,
    EditCopy = 57634,
    EditPaste = 57637,
    PastePlainText = 33070,
    PasteSpecial = 57639,
    EditClear = 57632,
    EditSelectAll = 57642,
    AdvancedSearch = 33072,
    ReplaceAll = 32963,
    JumpToLine = 32784,
    Find = 32783,
    Replace = 57641,
    NaturalSentences = 32991,
    InsertObject = 57856,
    LinkSettings = 57857,
    ObjectProperties = 57860,

    // View
    ShowZoomWindow = 33119,
    ApplicationLookFirst = 210,
    ApplicationLookLast = 218,
    NavigateBack = 33027,
    NavigateForward = 33028,
    // The navigation history's entries: position = id - HistoryEntryFirst.
    HistoryEntryFirst = 33030,
    HistoryEntryLast = 33045,
    ShowOutlineIndex = 32789,
    ShowHierarchicalIndex = 32790,

    // Semantic settings
    IntraMemberConsistencySettings = 32995,
    SemanticRelationSettings = 32997,
    RegisterMemberNames = 32792,
    PrefixUnregisteredMemberNames = 32961,
    RegisterUnregisteredMemberName = 32985,
    Quantifiers = 33071,

    // Inspections: the single ones of the current unit function, which every localisation greys, then those of
    // the inspection subsystem.
    InspectCurrentSyntax = 32979,
    InspectCurrentRedundancy = 32980,
    InspectCurrentInconsistency = 32981,
    InspectCurrentUnitFunction = CommandInspectCurrentUnitFunction,
    InspectAll = CommandInspectAll,
    InspectSyntax = CommandInspectSyntax,
    InspectRedundancy = CommandInspectRedundancy,
    InspectInconsistency = CommandInspectInconsistency,
    ConditionConclusionList = CommandConditionConclusionList,
    ReasonCheck = CommandReasonCheck,
    DetectObscureWords = 32920,
    DetectSimilarWords = 32858,

    // Line marks
    VeskSearch = 33013,
    VeskSettings = 33014,

    // Fonts
    ContentFont = 32804,
    NameFont = 32803,

    EnvironmentSettings = 32885,

    // Collaboration
    DecisionTable = 32892,
    TestSpecification = 32943,
    Traceability = 33000,
    ProcessMatrix = 33001,
    FunctionAttributes = 33004,
    ImportFromZipc = 33125,
    ExportToZipc = 33126,
    ConnectTeamFoundationServer = 32924,
    CommentSource = 33196,

    // Help
    HelpFinder = 57667,
    HelpIndex = 57671,
    Help = 57670,
    ContextHelp = 57669,
    AppAbout = 57664,
    ShowSplashScreen = 33080,

    // Language
    SwitchToEnglish = 32992,
    SwitchToJapanese = 32993,

    // Handled by the active tab's document; the map import has no menu entry.
    ImportMindMap = 33102,

    // The window's own: the dialog of the open tab windows, the toolbar customisation.
    WindowManager = 131,
    CustomizeToolBars = 126,
    // The item whose popup lists the running instances; each entry brings one forward:
    // table index = id - InstanceWindowFirst.
    InstanceList = 32878,
    InstanceWindowFirst = 33046,
    InstanceWindowLast = 33061,
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
