#include "app/MainFrameCommands.h"

#include "app/InstanceRegistry.h"
#include "app/NUVDoc.h"
#include "app/NavigationHistory.h"
#include "app/OpenDocument.h"
#include "platform/MessageBox.h"
#include "texts/MenuBarCaptions.h"
#include "texts/StringTable.h"
#include "texts/TextHelpers.h"

#include <QDir>
#include <QTimer>

#include <set>

namespace MainFrameCommand {

namespace {

using enum CommandRule;

// How often the next command looks again whether the work of the one before has ended.
constexpr int kWorkWaitInterval = 20; // ms

// Runs the first of `ids` after `delay` once no work owns the document, then the rest in turn.
void RunNextCommand(QObject& context, const COpenDocument& document, std::vector<int> ids, std::function<void(int)> run,
                    int delay) {
    if (ids.empty())
        return;
    QTimer::singleShot(delay, &context, [&context, &document, ids = std::move(ids), run = std::move(run)]() mutable {
        if (document.IsBusy()) {
            RunNextCommand(context, document, std::move(ids), std::move(run), kWorkWaitInterval);
            return;
        }
        const int id = ids.front();
        ids.erase(ids.begin());
        run(id);
        // Queued behind what the command queued, such as the start of its worker.
        RunNextCommand(context, document, std::move(ids), std::move(run), 0);
    });
}

MenuEntry Item(int command) {
    return {MenuEntry::Kind::Command, command, {}, {}};
}

MenuEntry Separator() {
    return {};
}

MenuEntry Submenu(MenuCaption caption, std::vector<MenuEntry> entries) {
    return {MenuEntry::Kind::Submenu, 0, MakeMenuCaption(caption), std::move(entries)};
}

MenuEntry PaneList() {
    return {MenuEntry::Kind::PaneList, 0, MakeMenuCaption(MenuCaption::ToolBarsAndDockingWindows), {}};
}

MenuEntry RecentFileList() {
    return {MenuEntry::Kind::RecentFiles, 0, {}, {}};
}

MenuEntry HistoryList() {
    return {MenuEntry::Kind::History, 0, {}, {}};
}

std::vector<MenuEntry> ApplicationLookItems() {
    std::vector<MenuEntry> items;
    for (int id = ApplicationLookFirst; id <= ApplicationLookLast; ++id)
        items.push_back(Item(id));
    return items;
}

bool EditAllowed(const State& state, bool operationAllowed) {
    return !state.focusInIndexView && state.tabActive && operationAllowed;
}

} // namespace

State StateOf(const COpenDocument& document, int applicationLook, bool workerRunning) {
    State state;
    state.documentOpen = document.DocumentData().DataReady != 0;
    state.workerRunning = workerRunning;
    state.canNavigateBack = document.Tabs().CanNavigateBack();
    state.canNavigateForward = document.Tabs().CanNavigateForward();
    state.applicationLook = applicationLook;
    return state;
}

Update UpdateCommand(const CommandRow& command, const State& state) {
    Update update;
    switch (command.rule) {
    case None:
        break;
    case DocumentOpen:
        update.enabled = state.documentOpen;
        break;
    case TabActive:
        update.enabled = state.documentOpen && state.tabActive;
        break;
    case AlwaysDisabled:
        update.enabled = false;
        break;
    case Copy:
        update.enabled = EditAllowed(state, state.canCopy);
        break;
    case Cut:
        update.enabled = EditAllowed(state, state.canCut);
        break;
    case Paste:
        update.enabled = EditAllowed(state, state.canPaste);
        break;
    case SelectAll:
        update.enabled = EditAllowed(state, state.canSelectAll);
        break;
    case Undo:
        update.enabled = EditAllowed(state, state.canUndo);
        break;
    case NameAtCaret:
        update.enabled = state.documentOpen && state.nameAtCaret;
        break;
    case ContentControlFocus:
        update.enabled = state.documentOpen && state.focusInContentControl;
        break;
    case ContentPaste:
        update.enabled = state.documentOpen && state.focusInContentControl && state.canPasteInContentControl;
        break;
    case HistoryBack:
        update.enabled = state.canNavigateBack;
        break;
    case HistoryForward:
        update.enabled = state.canNavigateForward;
        break;
    case ApplicationLook:
        update.checked = command.id == state.applicationLook;
        break;
    }
    // No rule enables again what the localisation greys.
    if (IsCommandItemGreyed(command.id) || state.workerRunning)
        update.enabled = false;
    return update;
}

const std::vector<MenuEntry>& DocumentMenuBar() {
    using enum MenuCaption;
    static const std::vector<MenuEntry> menuBar = {
        Submenu(File, {Item(FileNew), Item(FileOpen), Item(FileClose), Item(FileSave), Item(FileSaveAs), Separator(),
                       Submenu(ImportAndExport,
                               {Item(ImportEnvironmentSettings), Item(ImportMemberNames), Item(ImportFileTree),
                                Item(ImportCsv), Item(ExportCsv), Item(ExportExplanations), Item(ExportMemberNames),
                                Item(ExportOutlineIndex), Item(ExportOlderFormat)}),
                       Separator(), Item(VersionControl), Item(ShowDifferences), Item(CombineFunctions), Separator(),
                       Item(PrinterSettings), Item(PrintSettings), Item(PrintPreview), Item(Print), RecentFileList(),
                       Separator(), Item(AppExit)}),
        Submenu(Edit, {Item(EditUndo), Separator(), Item(EditCut), Item(EditCopy), Item(EditPaste),
                       Item(PastePlainText), Item(PasteSpecial), Item(EditClear), Item(EditSelectAll), Separator(),
                       Item(AdvancedSearch), Item(ReplaceAll), Item(JumpToLine), Separator(), Item(NaturalSentences),
                       Separator(), Item(InsertObject), Item(LinkSettings), Item(ObjectProperties)}),
        Submenu(View, {PaneList(), Item(ShowZoomWindow), Submenu(ApplicationLook, ApplicationLookItems()),
                       Submenu(Move, {Item(NavigateBack), Item(NavigateForward), HistoryList()}), Separator(),
                       Item(ShowOutlineIndex), Item(ShowHierarchicalIndex)}),
        Submenu(SemanticSettings,
                {Item(IntraMemberConsistencySettings), Item(SemanticRelationSettings), Separator(),
                 Item(RegisterMemberNames), Item(PrefixUnregisteredMemberNames), Separator(), Item(Quantifiers)}),
        Submenu(Inspections,
                {Submenu(InspectCurrentFunction,
                         {Item(InspectCurrentSyntax), Item(InspectCurrentRedundancy), Item(InspectCurrentInconsistency),
                          Separator(), Item(InspectCurrentUnitFunction)}),
                 Submenu(InspectAllFunctions, {Item(InspectSyntax), Item(InspectRedundancy), Item(InspectInconsistency),
                                               Separator(), Item(InspectAll)}),
                 Separator(), Item(ConditionConclusionList), Item(ReasonCheck), Separator(), Item(DetectObscureWords),
                 Item(DetectSimilarWords)}),
        Submenu(Vesk, {Item(VeskSearch), Item(VeskSettings)}),
        Submenu(Fonts, {Item(ContentFont), Item(NameFont)}),
        Item(EnvironmentSettings),
        Submenu(Collaboration,
                {Item(DecisionTable), Item(TestSpecification), Item(Traceability), Item(ProcessMatrix),
                 Item(FunctionAttributes), Submenu(Zipc, {Item(ImportFromZipc), Item(ExportToZipc)}),
                 Submenu(TeamFoundationServer, {Item(ConnectTeamFoundationServer)}), Item(CommentSource)}),
        Submenu(Help, {Item(HelpFinder), Separator(), Item(AppAbout), Item(ShowSplashScreen)}),
        Submenu(Language, {Item(SwitchToEnglish), Item(SwitchToJapanese)}),
    };
    return menuBar;
}

const std::vector<MenuEntry>& NoDocumentMenuBar() {
    using enum MenuCaption;
    static const std::vector<MenuEntry> menuBar = {
        Submenu(File, {Item(FileNew), Item(FileOpen), RecentFileList(), Separator(), Item(AppExit)}),
        Submenu(View, {PaneList()}),
        Submenu(Help, {Item(HelpFinder), Separator(), Item(AppAbout)}),
        Submenu(Language, {Item(SwitchToEnglish), Item(SwitchToJapanese)}),
    };
    return menuBar;
}

const std::vector<int>& CommandsOutsideMenus() {
    static const std::vector<int> commands = {Find,
                                              Replace,
                                              HelpIndex,
                                              Help,
                                              ContextHelp,
                                              WindowManager,
                                              CustomizeToolBars,
                                              InstanceList,
                                              PrintHierarchicalIndex,
                                              PreviewHierarchicalIndex,
                                              CommandPrintOutlineIndex,
                                              CommandPreviewOutlineIndex,
                                              CommandPrintUnitFunctions,
                                              CommandPreviewUnitFunctions,
                                              CommandPrintTitlePage,
                                              CommandPreviewTitlePage,
                                              CommandPrintResultMessages,
                                              CommandPreviewResultMessages,
                                              CommandPrintNotes,
                                              CommandPreviewNotes,
                                              CommandPrintByKind,
                                              RegisterUnregisteredMemberName};
    return commands;
}

const std::vector<int>& StandardToolBarButtons() {
    static const std::vector<int> buttons = {FileNew,
                                             FileOpen,
                                             FileSave,
                                             0,
                                             EditCut,
                                             EditCopy,
                                             EditPaste,
                                             0,
                                             Print,
                                             0,
                                             RegisterMemberNames,
                                             0,
                                             ConditionConclusionList,
                                             InspectCurrentUnitFunction,
                                             InspectAll,
                                             0,
                                             AppAbout,
                                             ContextHelp};
    return buttons;
}

const std::vector<int>& NavigationToolBarButtons() {
    static const std::vector<int> buttons = {NavigateBack, NavigateForward};
    return buttons;
}

bool ShowUnavailableCommandMessage(int id) {
    StringId text;
    switch (id) {
    case HelpFinder:
    case HelpIndex:
    case Help:
    case ContextHelp:
        text = StringId::NoHelpInstalled;
        break;
    case InsertObject:
    case ObjectProperties:
        text = StringId::ObjectsNotSupported;
        break;
    case ImportFromZipc:
    case ExportToZipc:
        text = StringId::ZipcTransferNotAvailable;
        break;
    case FunctionAttributes:
        text = StringId::FunctionAttributeListNotAvailable;
        break;
    case ContentFont:
        text = StringId::ContentFontNotKept;
        break;
    default:
        return false;
    }
    platform::ShowMessageBox(LoadString(text), platform::MessageButtons::Ok, platform::MessageIcon::Information);
    return true;
}

std::vector<QString> PopupCaptions(const CMessageContext& context, const std::vector<MenuEntry>& popup) {
    std::set<int> submenuPositions;
    for (int position = 0; position < static_cast<int>(popup.size()); ++position) {
        if (popup[position].kind == MenuEntry::Kind::Submenu || popup[position].kind == MenuEntry::Kind::PaneList)
            submenuPositions.insert(position);
    }
    const std::map<int, QString> titles = MakePopupTitleCaptions(context, submenuPositions);
    std::vector<QString> captions;
    for (int position = 0; position < static_cast<int>(popup.size()); ++position) {
        const MenuEntry& entry = popup[position];
        const auto title = titles.find(position);
        if (entry.kind == MenuEntry::Kind::Command)
            captions.push_back(MakeCommandCaption(context, entry.command));
        else if (title != titles.end())
            captions.push_back(title->second);
        else
            captions.push_back(entry.caption);
    }
    return captions;
}

std::vector<QString> MenuBarCaptions(const CMessageContext& context, const std::vector<MenuEntry>& menuBar) {
    std::vector<QString> captions = PopupCaptions(context, menuBar);
    const std::vector<QString> buttons = MakeMenuBarButtonCaptions(context, static_cast<int>(menuBar.size()));
    for (size_t i = 0; i < buttons.size() && i < captions.size(); ++i)
        captions[i] = buttons[i];
    return captions;
}

QString RecentFileCaption(int index, const QString& path) {
    // The first nine are reached by their digit.
    const QString number = index < 9 ? QStringLiteral("&%1").arg(index + 1) : QString::number(index + 1);
    return number + QLatin1Char(' ') +
           LiteralCaption(ShortenPathInMiddle(QDir::toNativeSeparators(path), RecentFilePathLength));
}

std::vector<ListMenuEntry> InstanceWindowEntries(const std::vector<InstanceRecord>& records) {
    std::vector<ListMenuEntry> entries;
    for (int i = 0; i < static_cast<int>(records.size()) && InstanceWindowFirst + i <= InstanceWindowLast; ++i)
        entries.push_back({InstanceWindowFirst + i, LiteralCaption(records[i].Caption()),
                           CInstanceRegistry::IsOwnInstance(records[i])});
    return entries;
}

std::vector<ListMenuEntry> HistoryEntries(const CNavigationHistory& history, const CDocumentData& data) {
    std::vector<ListMenuEntry> entries;
    for (int i = 0; i < static_cast<int>(history.Entries().size()) && HistoryEntryFirst + i <= HistoryEntryLast; ++i)
        entries.push_back(
            {HistoryEntryFirst + i, LiteralCaption(history.Entries()[i]->Caption(data)), i == history.CurrentIndex()});
    return entries;
}

const std::vector<int>& PaneViewUpdateOrder() {
    static const std::vector<int> order = {HierarchicalIndexPane, NotesPane, OutlineIndexPane, MessagesPane};
    return order;
}

const std::vector<Pane>& Panes() {
    static const std::vector<Pane> panes = {
        {HierarchicalIndexPane, Msg::Id::HierarchicalTableOfContents},
        {OutlineIndexPane, Msg::Id::OutlineNumberOrderdTableOfContents},
        {MessagesPane, Msg::Id::MessagesDockingWindowPlural},
        {NotesPane, Msg::Id::NotesPlural},
        {FunctionListPane, Msg::Id::FunctionListPlural},
        {StructureDiagramPane, Msg::Id::StructureDiagram},
    };
    return panes;
}

void RunCommandsInTurn(QObject& context, const COpenDocument& document, std::vector<int> ids,
                       std::function<void(int)> run) {
    RunNextCommand(context, document, std::move(ids), std::move(run), 0);
}

} // namespace MainFrameCommand
