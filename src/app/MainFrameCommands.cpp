#include "app/MainFrameCommands.h"

#include "app/InstanceRegistry.h"
#include "app/OpenDocument.h"
#include "platform/MessageBox.h"
#include "texts/MenuBarCaptions.h"
#include "texts/StringTable.h"

#include <QDir>
#include <QRegularExpression>

#include <set>

namespace MainFrameCommand {

namespace {

using enum UpdateRule;

MenuEntry Item(int command) {
    return {MenuEntry::Kind::Command, command, {}, {}};
}

MenuEntry Separator() {
    return {};
}

MenuEntry Submenu(const char* caption, std::vector<MenuEntry> entries) {
    return {MenuEntry::Kind::Submenu, 0, QString::fromUtf8(caption), std::move(entries)};
}

MenuEntry PaneList(const char* caption) {
    return {MenuEntry::Kind::PaneList, 0, QString::fromUtf8(caption), {}};
}

MenuEntry RecentFileList() {
    return {MenuEntry::Kind::RecentFiles, 0, {}, {}};
}

MenuEntry HistoryList() {
    return {MenuEntry::Kind::History, 0, {}, {}};
}

bool EditAllowed(const State& state, bool operationAllowed) {
    return !state.focusInIndexView && state.tabActive && operationAllowed;
}

} // namespace

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        // File
        {FileNew, None, "Ctrl+N", nullptr},
        {FileOpen, None, "Ctrl+O", nullptr},
        {FileClose, None, "", nullptr},
        {57603, DocumentOpen, "Ctrl+S", nullptr},
        {57604, DocumentOpen, "", nullptr},
        {ImportEnvironmentSettings, DocumentOpen, "", nullptr},
        {ImportMemberNames, DocumentOpen, "", nullptr},
        {33093, None, "", nullptr},
        {33101, None, "", nullptr},
        {33103, None, "", nullptr},
        {33062, None, "", nullptr},
        {ExportMemberNames, DocumentOpen, "", nullptr},
        {ExportOutlineIndex, DocumentOpen, "", nullptr},
        {ExportOlderFormat, None, "", "2013-June形式でエクスポート"},
        {32772, DocumentOpen, "", nullptr},
        {33022, None, "", nullptr},
        {32771, DocumentOpen, "", nullptr},
        {57606, DocumentOpen, "", nullptr},
        {32880, DocumentOpen, "", nullptr},
        {33017, None, "", nullptr},
        {33018, DocumentOpen, "", nullptr}, // print: as Save As
        {AppExit, None, "", nullptr},
        // Edit
        {57643, Undo, "Ctrl+Z", nullptr},
        {57635, Cut, "Ctrl+X", nullptr},
        {57634, Copy, "Ctrl+C", nullptr},
        {57637, Paste, "Ctrl+V", nullptr},
        {33070, AlwaysDisabled, "Ctrl+Shift+V", nullptr},
        {57639, AlwaysDisabled, "", nullptr},
        {57632, Cut, "", nullptr},
        {57642, SelectAll, "Ctrl+A", nullptr},
        {33072, DocumentOpen, "Ctrl+F", nullptr},
        {32963, DocumentOpen, "Ctrl+R", nullptr},
        {32784, DocumentOpen, "Ctrl+G", nullptr},
        // The Find and Replace dialogs of the platform have no place in a menu or toolbar.
        {32783, DocumentOpen, "", "検索"},
        {57641, DocumentOpen, "", "置換"},
        {32991, None, "Ctrl+Shift+N", nullptr},
        {InsertObject, ContentControlFocus, "", nullptr},
        {57857, None, "", nullptr},
        {ObjectProperties, ContentControlFocus, "", nullptr},
        // View
        {33119, None, "Ctrl+Shift+Z", nullptr},
        {210, ApplicationLook, "", nullptr},
        {211, ApplicationLook, "", nullptr},
        {212, ApplicationLook, "", nullptr},
        {213, ApplicationLook, "", nullptr},
        {214, ApplicationLook, "", nullptr},
        {215, ApplicationLook, "", nullptr},
        {216, ApplicationLook, "", nullptr},
        {217, ApplicationLook, "", nullptr},
        {218, ApplicationLook, "", nullptr},
        {NavigateBack, HistoryBack, "Alt+Left", nullptr},
        {NavigateForward, HistoryForward, "Alt+Right", nullptr},
        {ShowOutlineIndex, None, "", "アウトライン順目次"},
        {ShowHierarchicalIndex, None, "", "階層順目次"},
        // Semantic settings
        {32995, None, "", nullptr},
        {32997, None, "", nullptr},
        {32792, DocumentOpen, "", nullptr},
        {32961, DocumentOpen, "", nullptr},
        {33071, None, "", nullptr},
        // Inspections; the single ones of the current unit function are greyed by the localisation.
        {32979, None, "", nullptr},
        {32980, None, "", nullptr},
        {32981, None, "", nullptr},
        {InspectCurrentUnitFunction, DocumentOpen, "", nullptr},
        {InspectSyntax, DocumentOpen, "", nullptr},
        {InspectRedundancy, DocumentOpen, "", nullptr},
        {InspectInconsistency, DocumentOpen, "", nullptr},
        {InspectAll, DocumentOpen, "Ctrl+Shift+I", nullptr},
        {ConditionConclusionList, DocumentOpen, "", nullptr},
        {ReasonCheck, None, "", nullptr},
        {32920, DocumentOpen, "", nullptr},
        {32858, DocumentOpen, "", nullptr},
        // Line marks
        {33013, None, "", nullptr},
        {33014, None, "", nullptr},
        // Fonts
        {32804, DocumentOpen, "", nullptr},
        {32803, NameAtCaret, "", nullptr},
        // Environment settings
        {32885, DocumentOpen, "", "環境設定"},
        // Collaboration
        {32892, DocumentOpen, "", nullptr},
        {32943, DocumentOpen, "", nullptr},
        {33000, None, "", nullptr},
        {33001, None, "", nullptr},
        {33004, None, "", nullptr},
        {ImportFromZipc, None, "", nullptr},
        {ExportToZipc, None, "", nullptr},
        {32924, TeamFoundationServer, "", nullptr},
        {33196, None, "", "コメントソース"},
        // Help
        {HelpFinder, None, "", nullptr},
        {HelpIndex, None, "", "ヘルプ"},
        {Help, None, "F1", "ヘルプ"},
        {ContextHelp, None, "", "ヘルプ"},
        {AppAbout, None, "", nullptr},
        {ShowSplashScreen, None, "", nullptr},
        // Language
        {SwitchToEnglish, None, "", "&English"},
        {SwitchToJapanese, None, "", "&Japanese"},
        // The window's own: reached through the tab area's document menu, a customised toolbar or the ids.
        {WindowManager, None, "", "ウィンドウ(&W)..."},
        {CustomizeToolBars, None, "", "カスタマイズ"},
        {InstanceList, None, "", "起動中のNUV"},
    };
    return commands;
}

const Command* FindCommand(int id) {
    for (const Command& command : Commands()) {
        if (command.id == id)
            return &command;
    }
    return nullptr;
}

State StateOf(const COpenDocument& document, int applicationLook, bool workerRunning) {
    State state;
    state.documentOpen = document.DocumentData().DataReady != 0;
    state.workerRunning = workerRunning;
    state.canNavigateBack = document.Tabs().CanNavigateBack();
    state.canNavigateForward = document.Tabs().CanNavigateForward();
    state.applicationLook = applicationLook;
    return state;
}

Update UpdateCommand(const Command& command, const State& state) {
    Update update;
    switch (command.rule) {
    case None:
        break;
    case DocumentOpen:
        update.enabled = state.documentOpen;
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
    case TeamFoundationServer:
        update.enabled = state.teamFoundationServer;
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
    static const std::vector<MenuEntry> menuBar = {
        Submenu("ファイル", {Item(FileNew), Item(FileOpen), Item(57602), Item(57603), Item(57604), Separator(),
                             Submenu("インポートとエクスポート",
                                     {Item(ImportEnvironmentSettings), Item(ImportMemberNames), Item(33093),
                                      Item(33101), Item(33103), Item(33062), Item(ExportMemberNames),
                                      Item(ExportOutlineIndex), Item(ExportOlderFormat)}),
                             Separator(), Item(32772), Item(33022), Item(32771), Separator(), Item(57606), Item(32880),
                             Item(33017), Item(33018), RecentFileList(), Separator(), Item(AppExit)}),
        Submenu("編集", {Item(57643), Separator(), Item(57635), Item(57634), Item(57637), Item(33070), Item(57639),
                         Item(57632), Item(57642), Separator(), Item(33072), Item(32963), Item(32784), Separator(),
                         Item(32991), Separator(), Item(57856), Item(57857), Item(57860)}),
        Submenu("表示", {PaneList("ツール バーとドッキング ウィンドウ"), Item(33119),
                         Submenu("アプリケーションの外観", {Item(210), Item(211), Item(212), Item(213), Item(214),
                                                            Item(215), Item(216), Item(217), Item(218)}),
                         Submenu("移動", {Item(NavigateBack), Item(NavigateForward), HistoryList()}), Separator(),
                         Item(ShowOutlineIndex), Item(ShowHierarchicalIndex)}),
        Submenu("意味設定",
                {Item(32995), Item(32997), Separator(), Item(32792), Item(32961), Separator(), Item(33071)}),
        Submenu("検査", {Submenu("現在の単位機能の検査", {Item(32979), Item(32980), Item(32981), Separator(),
                                                          Item(InspectCurrentUnitFunction)}),
                         Submenu("すべての単位機能の検査", {Item(InspectSyntax), Item(InspectRedundancy),
                                                            Item(InspectInconsistency), Separator(), Item(InspectAll)}),
                         Separator(), Item(32793), Item(ReasonCheck), Separator(), Item(32920), Item(32858)}),
        Submenu("Vesk", {Item(33013), Item(33014)}),
        Submenu("フォント", {Item(32804), Item(32803)}),
        Item(32885),
        Submenu("連携", {Item(32892), Item(32943), Item(33000), Item(33001), Item(33004),
                         Submenu("ZIPC", {Item(33125), Item(33126)}), Submenu("Team Foundation Server", {Item(32924)}),
                         Item(33196)}),
        Submenu("ヘルプ", {Item(57667), Separator(), Item(57664), Item(33080)}),
        Submenu("&Language", {Item(SwitchToEnglish), Item(SwitchToJapanese)}),
    };
    return menuBar;
}

const std::vector<MenuEntry>& NoDocumentMenuBar() {
    static const std::vector<MenuEntry> menuBar = {
        Submenu("ファイル", {Item(FileNew), Item(FileOpen), RecentFileList(), Separator(), Item(AppExit)}),
        Submenu("表示", {PaneList("ツール バーとドッキング ウィンドウ")}),
        Submenu("ヘルプ", {Item(57667), Separator(), Item(57664)}),
        Submenu("&Language", {Item(SwitchToEnglish), Item(SwitchToJapanese)}),
    };
    return menuBar;
}

const std::vector<int>& StandardToolBarButtons() {
    static const std::vector<int> buttons = {
        FileNew,    FileOpen, 57603, 0,     57635, 57634, 57637,
        0,          33018,    0,     32792, 0,     32793, InspectCurrentUnitFunction,
        InspectAll, 0,        57664, 57669};
    return buttons;
}

const std::vector<int>& NavigationToolBarButtons() {
    static const std::vector<int> buttons = {33027, 33028};
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
    default:
        return false;
    }
    platform::ShowMessageBox(LoadString(text), platform::MessageButtons::Ok, platform::MessageIcon::Information);
    return true;
}

QString CommandCaption(const CMessageContext& context, int id) {
    if (std::optional<QString> caption = MakeCommandItemCaption(context, id))
        return *caption;
    const Command* command = FindCommand(id);
    return command && command->fixedCaption ? QString::fromUtf8(command->fixedCaption) : QString();
}

QString CommandCaptionWithoutAccessKey(const CMessageContext& context, int id) {
    QString caption = CommandCaption(context, id);
    caption.remove(QRegularExpression(QStringLiteral("\\(&.\\)$")));
    return caption.remove(QLatin1Char('&'));
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
            captions.push_back(CommandCaption(context, entry.command));
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
    return number + QLatin1Char(' ') + QDir::toNativeSeparators(path);
}

std::vector<InstanceWindowEntry> InstanceWindowEntries(const std::vector<InstanceRecord>& records) {
    std::vector<InstanceWindowEntry> entries;
    for (int i = 0; i < static_cast<int>(records.size()) && InstanceWindowFirst + i <= InstanceWindowLast; ++i)
        entries.push_back(
            {InstanceWindowFirst + i, records[i].Caption(), CInstanceRegistry::IsOwnInstance(records[i])});
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

} // namespace MainFrameCommand
