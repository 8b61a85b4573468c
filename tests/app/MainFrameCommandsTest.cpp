#include "app/MainFrameCommands.h"
#include "FakeApplicationShell.h"
#include "app/NUVApp.h"
#include "texts/MessageContext.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

using namespace MainFrameCommand;

namespace {

CMessageContext Context(int language) {
    CMessageContext context;
    context.m_language = language;
    return context;
}

const MenuEntry& TopLevel(const std::vector<MenuEntry>& bar, int index) {
    return bar.at(static_cast<size_t>(index));
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

TEST(MainFrameCommands, TheMenuBarIsCaptionedInBothLanguages) {
    const std::vector<QString> english = MenuBarCaptions(Context(0), DocumentMenuBar());
    EXPECT_EQ(english,
              std::vector<QString>({"&File", "&Edit", "&View", "&Terminology", "&Inspections", "&Vesk", "&Fonts",
                                    "&Environmental settings", "&Collaboration", "&Help", "&Language"}));
    const std::vector<QString> japanese = MenuBarCaptions(Context(1), DocumentMenuBar());
    EXPECT_EQ(japanese.front(), "ファイル(&F)");
    EXPECT_EQ(japanese.back(), "&Language");
    // Without a document: file, view and help are captioned, the language popup keeps its own.
    EXPECT_EQ(MenuBarCaptions(Context(0), NoDocumentMenuBar()),
              std::vector<QString>({"&File", "&View", "&Help", "&Language"}));
}

TEST(MainFrameCommands, PopupsAreCaptionedItemByItemAndBySubmenuPlaces) {
    const CMessageContext english = Context(0);
    const CMessageContext japanese = Context(1);
    EXPECT_EQ(CommandCaption(english, FileNew), "&New");
    EXPECT_EQ(CommandCaption(japanese, FileNew), "新規作成(&N)");
    // Commands the localisation has no row for keep the caption they have, in both languages.
    EXPECT_EQ(CommandCaption(english, 33196), "コメントソース");
    EXPECT_EQ(CommandCaption(english, SwitchToJapanese), "&Japanese");

    const std::vector<QString> file = PopupCaptions(english, TopLevel(DocumentMenuBar(), 0).entries);
    EXPECT_EQ(file.at(0), "&New");
    EXPECT_EQ(file.at(6), "&Import and export");
    const std::vector<QString> view = PopupCaptions(japanese, TopLevel(DocumentMenuBar(), 2).entries);
    EXPECT_EQ(view.at(2), "アプリケーションの外観(&A)");
    EXPECT_EQ(view.at(3), "移動(&M)");
    const std::vector<QString> inspections = PopupCaptions(english, TopLevel(DocumentMenuBar(), 4).entries);
    EXPECT_EQ(inspections.at(0), "&Inspect Current function");
    EXPECT_EQ(inspections.at(1), "&Inspect All functions");
    const std::vector<QString> collaboration = PopupCaptions(english, TopLevel(DocumentMenuBar(), 8).entries);
    EXPECT_EQ(collaboration.at(5), "&ZIPC");
    EXPECT_EQ(collaboration.at(7), "コメントソース");
    // The View menu without a document has its one submenu at 0: no title map fits, the caption stays.
    EXPECT_EQ(PopupCaptions(english, TopLevel(NoDocumentMenuBar(), 1).entries).at(0),
              "ツール バーとドッキング ウィンドウ");

    // Every command has a caption in either language.
    for (const Command& command : Commands()) {
        EXPECT_FALSE(CommandCaption(english, command.id).isEmpty()) << command.id;
        EXPECT_FALSE(CommandCaption(japanese, command.id).isEmpty()) << command.id;
    }
}

TEST(MainFrameCommands, GreyedItemsFollowTheState) {
    const auto enabled = [](int id, const State& state) { return UpdateCommand(*FindCommand(id), state).enabled; };
    State none;
    // Without a document every command of a document is greyed; help, language, looks and new stay.
    for (int id : std::initializer_list<int>{57603, 57604, 33018, InspectAll, InspectCurrentUnitFunction, 32885, 32793,
                                             32784, 33072})
        EXPECT_FALSE(enabled(id, none)) << id;
    for (int id :
         std::initializer_list<int>{FileNew, FileOpen, 57667, SwitchToEnglish, SwitchToJapanese, 214, ReasonCheck})
        EXPECT_TRUE(enabled(id, none)) << id;

    State open;
    open.documentOpen = true;
    for (int id : std::initializer_list<int>{57603, 57604, 33018, InspectAll, InspectSyntax, 32885})
        EXPECT_TRUE(enabled(id, open)) << id;
    // The single inspections of the current unit function stay greyed; paste special is never enabled.
    for (int id : {32979, 32980, 32981, 57639, 33070})
        EXPECT_FALSE(enabled(id, open)) << id;

    // The edit commands need an active tab whose header form allows them, and no focus in an index view.
    State editing = open;
    editing.canCopy = true;
    EXPECT_FALSE(enabled(57634, editing));
    editing.tabActive = true;
    EXPECT_TRUE(enabled(57634, editing));
    EXPECT_FALSE(enabled(57635, editing));
    editing.focusInIndexView = true;
    EXPECT_FALSE(enabled(57634, editing));

    // Back and forward follow the history, with or without a document.
    State history;
    history.canNavigateForward = true;
    EXPECT_FALSE(enabled(NavigateBack, history));
    EXPECT_TRUE(enabled(NavigateForward, history));

    // While a worker runs the window takes no input.
    State working = open;
    working.workerRunning = true;
    for (const Command& command : Commands())
        EXPECT_FALSE(UpdateCommand(command, working).enabled) << command.id;

    // The look in use carries the mark, and only it.
    State look;
    look.applicationLook = 216;
    EXPECT_TRUE(UpdateCommand(*FindCommand(216), look).checked);
    EXPECT_FALSE(UpdateCommand(*FindCommand(214), look).checked);
    EXPECT_TRUE(UpdateCommand(*FindCommand(214), State()).checked);
}

TEST(MainFrameCommands, IdsAndShortcutsAreUniqueAndEveryPlaceNamesACommand) {
    std::set<int> ids;
    std::set<std::string> shortcuts;
    for (const Command& command : Commands()) {
        EXPECT_TRUE(ids.insert(command.id).second) << "id " << command.id;
        if (*command.shortcut) {
            EXPECT_TRUE(shortcuts.insert(command.shortcut).second) << "shortcut " << command.shortcut;
        }
    }
    for (const auto* bar : {&DocumentMenuBar(), &NoDocumentMenuBar()}) {
        std::vector<int> placed;
        CollectCommands(*bar, placed);
        EXPECT_EQ(std::set<int>(placed.begin(), placed.end()).size(), placed.size());
        for (int id : placed)
            EXPECT_NE(FindCommand(id), nullptr) << id;
    }
    for (const auto* buttons : {&StandardToolBarButtons(), &NavigationToolBarButtons()}) {
        for (int id : *buttons)
            EXPECT_TRUE(id == 0 || FindCommand(id)) << id;
    }
    EXPECT_EQ(FindCommand(1), nullptr);
}

TEST(MainFrameCommands, RecentFileEntriesAreNumberedWithTheirDigitUpToNine) {
    EXPECT_EQ(RecentFileCaption(0, "/data/rice-cooker.nuv"), "&1 /data/rice-cooker.nuv");
    EXPECT_EQ(RecentFileCaption(8, "a.nuv"), "&9 a.nuv");
    EXPECT_EQ(RecentFileCaption(9, "a.nuv"), "10 a.nuv");
}

TEST(MainFrameCommands, TheStateFollowsTheOpenDocument) {
    QTemporaryDir dir;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath("config")));
    {
        FakeShell shell;
        CNUVApp app(shell);
        EXPECT_FALSE(StateOf(app.Document(), 214, false).documentOpen);
        ASSERT_TRUE(app.InitEditorInstance({"nuv"}));
        const State state = StateOf(app.Document(), 212, true);
        EXPECT_TRUE(state.documentOpen);
        EXPECT_TRUE(state.workerRunning);
        EXPECT_EQ(state.applicationLook, 212);
        EXPECT_EQ(shell.title, "NUV");
    }
    qunsetenv("XDG_RUNTIME_DIR");
    qunsetenv("XDG_CONFIG_HOME");
}
