#include "app/FakeApplicationShell.h"
#include "app/MainFrameCommands.h"
#include "app/NUVApp.h"
#include "app/ToolBarLayout.h"
#include "app/ui/MainFrame.h"
#include "logic/ui/InspectionCommands.h"
#include "platform/MessageBox.h"
#include "texts/MenuBarCaptions.h"
#include "texts/MessageContext.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

using namespace MainFrameCommand;

namespace {

// The main window over an application with its fake shell, its registry filled by every subsystem.
class CommandRegistryWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_dir.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath("config")));
        m_app = std::make_unique<CNUVApp>(m_shell);
        m_frame = std::make_unique<CMainFrame>(*m_app);
    }
    void TearDown() override {
        m_frame.reset();
        m_app.reset();
        qunsetenv("XDG_RUNTIME_DIR");
        qunsetenv("XDG_CONFIG_HOME");
    }

    const CCommandRegistry& Registry() const { return m_frame->Commands(); }
    bool Enabled(int id, const State& state) const {
        const CommandRow* row = Registry().Find(id);
        EXPECT_NE(row, nullptr) << id;
        return row && UpdateCommand(*row, state).enabled;
    }

    QTemporaryDir m_dir;
    FakeShell m_shell;
    std::unique_ptr<CNUVApp> m_app;
    std::unique_ptr<CMainFrame> m_frame;
};

CMessageContext Context(int language) {
    CMessageContext context;
    context.m_language = language;
    return context;
}

// Every command the entries name, submenus included, in order.
void CollectCommands(const std::vector<MenuEntry>& entries, std::vector<int>& commands) {
    for (const MenuEntry& entry : entries) {
        if (entry.kind == MenuEntry::Kind::Command)
            commands.push_back(entry.command);
        CollectCommands(entry.entries, commands);
    }
}

} // namespace

TEST_F(CommandRegistryWindow, GreyedItemsFollowTheState) {
    State none;
    // Without a document every command of a document is greyed; help, language, looks and new stay.
    for (int id : std::initializer_list<int>{FileSave, FileSaveAs, Print, InspectAll, InspectCurrentUnitFunction,
                                             EnvironmentSettings, ConditionConclusionList, JumpToLine, AdvancedSearch})
        EXPECT_FALSE(Enabled(id, none)) << id;
    // Print preview, the line-mark search and settings and the differences have no rule.
    for (int id : std::initializer_list<int>{FileNew, FileOpen, HelpFinder, SwitchToEnglish, SwitchToJapanese, 214,
                                             ReasonCheck, PrintPreview, VeskSearch, VeskSettings, ShowDifferences})
        EXPECT_TRUE(Enabled(id, none)) << id;

    State open;
    open.documentOpen = true;
    for (int id :
         std::initializer_list<int>{FileSave, FileSaveAs, Print, InspectAll, InspectSyntax, EnvironmentSettings})
        EXPECT_TRUE(Enabled(id, open)) << id;
    // The single inspections of the current unit function stay greyed; paste special is never enabled.
    for (int id :
         {InspectCurrentSyntax, InspectCurrentRedundancy, InspectCurrentInconsistency, PasteSpecial, PastePlainText})
        EXPECT_FALSE(Enabled(id, open)) << id;
    // No work-item connector exists: its command stays greyed.
    EXPECT_FALSE(Enabled(ConnectTeamFoundationServer, open));
    // Paste as plain text needs the content text's focus and text on the clipboard.
    State content = open;
    content.focusInContentControl = true;
    EXPECT_FALSE(Enabled(PastePlainText, content));
    content.canPasteInContentControl = true;
    EXPECT_TRUE(Enabled(PastePlainText, content));

    // The edit commands need an active tab whose header form allows them, and no focus in an index view.
    State editing = open;
    editing.canCopy = true;
    EXPECT_FALSE(Enabled(EditCopy, editing));
    editing.tabActive = true;
    EXPECT_TRUE(Enabled(EditCopy, editing));
    EXPECT_FALSE(Enabled(EditCut, editing));
    editing.focusInIndexView = true;
    EXPECT_FALSE(Enabled(EditCopy, editing));
    // The jump goes into the active tab from wherever the focus is, the index views too.
    EXPECT_FALSE(Enabled(JumpToLine, open));
    EXPECT_TRUE(Enabled(JumpToLine, editing));

    // Back and forward follow the history, with or without a document.
    State history;
    history.canNavigateForward = true;
    EXPECT_FALSE(Enabled(NavigateBack, history));
    EXPECT_TRUE(Enabled(NavigateForward, history));

    // While a worker runs the window takes no input.
    State working = open;
    working.workerRunning = true;
    for (const CommandRow& command : Registry().Rows())
        EXPECT_FALSE(UpdateCommand(command, working).enabled) << command.id;

    // The look in use carries the mark, and only it.
    State look;
    look.applicationLook = 216;
    EXPECT_TRUE(UpdateCommand(*Registry().Find(216), look).checked);
    EXPECT_FALSE(UpdateCommand(*Registry().Find(214), look).checked);
    EXPECT_TRUE(UpdateCommand(*Registry().Find(214), State()).checked);
}

TEST_F(CommandRegistryWindow, EveryPlaceNamesARegisteredCommandWithCaptionsAndOneShortcutEach) {
    std::set<std::string> shortcuts;
    for (const CommandRow& command : Registry().Rows()) {
        EXPECT_TRUE(command.handler) << command.id;
        EXPECT_FALSE(MakeCommandCaption(Context(0), command.text).isEmpty()) << command.id;
        EXPECT_FALSE(MakeCommandCaption(Context(1), command.text).isEmpty()) << command.id;
        if (*command.shortcut) {
            EXPECT_TRUE(shortcuts.insert(command.shortcut).second) << "shortcut " << command.shortcut;
        }
        // Every row has its item in the window, with its shortcut.
        QAction* action = m_frame->CommandAction(command.id);
        ASSERT_NE(action, nullptr) << command.id;
        EXPECT_EQ(action->shortcut().toString(QKeySequence::PortableText), QString::fromLatin1(command.shortcut));
    }
    for (const auto* bar : {&DocumentMenuBar(), &NoDocumentMenuBar()}) {
        std::vector<int> placed;
        CollectCommands(*bar, placed);
        EXPECT_EQ(std::set<int>(placed.begin(), placed.end()).size(), placed.size());
        for (int id : placed)
            EXPECT_NE(Registry().Find(id), nullptr) << id;
    }
    for (const auto* buttons : {&StandardToolBarButtons(), &NavigationToolBarButtons()}) {
        for (int id : *buttons)
            EXPECT_TRUE(id == 0 || Registry().Find(id)) << id;
    }
    // The rows are exactly the commands of the menus and those outside them.
    std::set<int> known(CommandsOutsideMenus().begin(), CommandsOutsideMenus().end());
    for (const OfferedCommand& command : CommandsInMenus())
        known.insert(command.id);
    std::set<int> rows;
    for (const CommandRow& command : Registry().Rows())
        rows.insert(command.id);
    EXPECT_EQ(rows, known);
    EXPECT_EQ(Registry().Find(1), nullptr);

    // Find and Replace keep their ids; F1 is help; the toolbar's pictures come with the rows.
    EXPECT_NE(Registry().Find(Find), nullptr);
    EXPECT_NE(Registry().Find(Replace), nullptr);
    EXPECT_EQ(QString::fromLatin1(Registry().Find(Help)->shortcut), "F1");
    EXPECT_EQ(Registry().Find(FileSave)->icon, CommandIcon::SaveFile);
    EXPECT_FALSE(m_frame->CommandAction(FileSave)->icon().isNull());
    EXPECT_TRUE(m_frame->CommandAction(Print)->icon().isNull());
}

TEST_F(CommandRegistryWindow, EachSubsystemContributesItsRows) {
    // The inspections' rows come from the inspection subsystem, alone as in the window.
    struct NoHost : CInspectionCommandHost {
        const CDocumentData& InspectedDocument() const override { throw 0; }
        const CUnitFunction* ActiveFunction() const override { return nullptr; }
        const CMessageContext& MessageContext() const override { throw 0; }
        CInspectionView& InspectionPane() override { throw 0; }
        CInspectionRunner& InspectionRunner() override { throw 0; }
        void ShowInspectionPane() override {}
        void SetInspectionWorkerRunning(bool) override {}
        QWidget* DialogParent() override { return nullptr; }
        CConditionConclusionList::Choice& ConditionConclusionChoice() override { throw 0; }
    } host;
    CCommandRegistry inspections;
    AddInspectionCommands(inspections, host);
    std::set<int> ids;
    for (const CommandRow& row : inspections.Rows())
        ids.insert(row.id);
    EXPECT_EQ(ids, (std::set<int>{InspectCurrentUnitFunction, InspectSyntax, InspectRedundancy, InspectInconsistency,
                                  InspectAll, ConditionConclusionList, ReasonCheck}));
    EXPECT_EQ(QString::fromLatin1(inspections.Find(InspectAll)->shortcut), "Ctrl+Shift+I");
    for (const CommandRow& row : inspections.Rows()) {
        const CommandRow* registered = Registry().Find(row.id);
        ASSERT_NE(registered, nullptr) << row.id;
        EXPECT_EQ(registered->rule, row.rule) << row.id;
    }
    // A second contribution of the same rows is refused.
    EXPECT_THROW(AddInspectionCommands(inspections, host), std::logic_error);

    // The shell's rows and lists: the file commands, the looks, and the entries of the recent files, the history
    // and the running instances dispatch through the registry.
    for (int id : {FileNew, FileOpen, AppExit, WindowManager, CustomizeToolBars, InstanceList, ApplicationLookFirst,
                   ApplicationLookLast})
        EXPECT_NE(Registry().Find(id), nullptr) << id;
    EXPECT_EQ(Registry().Find(RecentFileFirst), nullptr);
    m_frame->OnCommand(ApplicationLookFirst + 1);
    EXPECT_EQ(m_frame->ApplicationLook(), ApplicationLookFirst + 1);
    // A history entry beyond the history does nothing.
    EXPECT_TRUE(Registry().Dispatch(HistoryEntryLast));
    EXPECT_TRUE(Registry().Dispatch(InstanceWindowLast));
    EXPECT_FALSE(Registry().Dispatch(ImportMindMap));

    // The commands this system does not do say so through their rows.
    platform::ScriptedMessageSink messages;
    m_frame->OnCommand(ContextHelp);
    m_frame->OnCommand(ExportToZipc);
    EXPECT_EQ(messages.Requests().size(), 2);
    // The content font has no place in a content stored as plain text: its row says so rather than nothing.
    EXPECT_TRUE(Registry().Dispatch(ContentFont));
    ASSERT_EQ(messages.Requests().size(), 3);
    EXPECT_TRUE(messages.Texts().back().startsWith("The content text is stored as plain text"));
}
