#include "AppDirectories.h"
#include "FakeApplicationShell.h"
#include "app/ApplicationLooks.h"
#include "app/ModelessDialogs.h"
#include "app/NUVApp.h"
#include "app/NUVDoc.h"
#include "app/TabPaneLayout.h"
#include "app/ToolBarLayout.h"
#include "app/WindowManager.h"
#include "model/UnitFunction.h"
#include "platform/UserSettings.h"

#include "support/LiveInstance.h"
#include "support/QStringPrinter.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace MainFrameCommand;

namespace {

class MainFrameChrome : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.IsValid()); }
    AppDirectories m_dir;
};

class FakeDialog : public CModelessDialog {
public:
    void ShowDialog() override { shown = true; }
    void HideDialog() override { shown = false; }
    bool IsDialogShown() const override { return shown; }
    bool shown = false;
};

} // namespace

TEST_F(MainFrameChrome, TheToolBarLayoutSurvivesTheSettingsAndDropsWhatItDoesNotKnow) {
    // Nothing stored: both toolbars show, none of the user's.
    CToolBarLayout layout = CToolBarLayout::Load();
    EXPECT_TRUE(layout.standardVisible);
    EXPECT_TRUE(layout.navigationVisible);
    EXPECT_TRUE(layout.userToolBars.empty());

    layout.navigationVisible = false;
    UserToolBar* first = layout.AddToolBar("検査, 100%;");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->id, UserToolBarFirst);
    EXPECT_TRUE(layout.AddButton(UserToolBarFirst, InspectAll));
    EXPECT_TRUE(layout.AddButton(UserToolBarFirst, InstanceList));
    EXPECT_FALSE(layout.AddButton(UserToolBarFirst, 4711)); // no command of the window
    ASSERT_TRUE(layout.Store());
    EXPECT_EQ(CToolBarLayout::Load(), layout);

    // Ten toolbars at most; a removed one frees its id for the next.
    for (int i = 1; i < 10; ++i)
        ASSERT_NE(layout.AddToolBar(QString::number(i)), nullptr);
    EXPECT_EQ(layout.AddToolBar("11"), nullptr);
    EXPECT_TRUE(layout.RemoveToolBar(UserToolBarFirst + 3));
    EXPECT_EQ(layout.AddToolBar("again")->id, UserToolBarFirst + 3);
    EXPECT_FALSE(layout.RemoveButton(UserToolBarFirst, 5));
    EXPECT_TRUE(layout.RemoveButton(UserToolBarFirst, 0));
    EXPECT_EQ(layout.FindToolBar(UserToolBarFirst)->commands, std::vector<int>({InstanceList}));

    // A damaged value: an id out of range, a twice-given id, an unknown command, a broken part.
    const CToolBarLayout parsed =
        CToolBarLayout::Parse("S0;N1;T59432,a,57600.99999.x;T59432,b,57601;T60000,c,57600;T59433;T59434,,");
    EXPECT_FALSE(parsed.standardVisible);
    EXPECT_TRUE(parsed.navigationVisible);
    ASSERT_EQ(parsed.userToolBars.size(), 2u);
    EXPECT_EQ(parsed.userToolBars[0].name, "a");
    EXPECT_EQ(parsed.userToolBars[0].commands, std::vector<int>({FileNew}));
    EXPECT_EQ(parsed.userToolBars[1].id, 59434);
    EXPECT_TRUE(parsed.userToolBars[1].commands.empty());
}

TEST_F(MainFrameChrome, TheCustomisationOffersEveryMenuCommandOnceUnderItsMenu) {
    const std::vector<OfferedCommand> offered = CommandsInMenus();
    std::map<int, int> categories;
    for (const OfferedCommand& command : offered) {
        EXPECT_TRUE(categories.emplace(command.id, command.category).second) << command.id;
    }
    EXPECT_EQ(categories.at(FileNew), 0);
    EXPECT_EQ(categories.at(InspectAll), 4); // in a submenu of the inspections
    EXPECT_EQ(categories.at(32885), 7);      // a command on the menu bar itself
    EXPECT_EQ(categories.at(SwitchToJapanese), 10);
    EXPECT_EQ(categories.count(InstanceList), 0u); // no menu holds it
}

TEST_F(MainFrameChrome, ALookIsAStyleOfItsOwnAndTheChoiceIsKept) {
    for (int id = ApplicationLookFirst; id <= ApplicationLookLast; ++id)
        ASSERT_NE(FindApplicationLook(id), nullptr) << id;
    EXPECT_EQ(FindApplicationLook(209), nullptr);
    EXPECT_EQ(FindApplicationLook(219), nullptr);
    // The black look is dark, with light text.
    EXPECT_LT(FindApplicationLook(216)->window & 0xFF, 0x80u);
    EXPECT_GT(FindApplicationLook(216)->windowText & 0xFF, 0x80u);

    ASSERT_TRUE(StoreApplicationLook(216));
    EXPECT_EQ(platform::StoredSetting(UserSettings::ApplicationLook()), 216u);
}

TEST_F(MainFrameChrome, ShowingAModelessDialogHidesTheOthers) {
    CModelessDialogs dialogs;
    FakeDialog search, replace, prefix;
    dialogs.Add(search);
    dialogs.Add(replace);
    dialogs.Add(prefix);
    dialogs.Add(search); // once only
    EXPECT_EQ(dialogs.Shown(), nullptr);
    dialogs.Show(search);
    EXPECT_TRUE(search.shown);
    dialogs.Show(replace);
    EXPECT_FALSE(search.shown);
    EXPECT_TRUE(replace.shown);
    EXPECT_EQ(dialogs.Shown(), &replace);
    prefix.shown = true;
    dialogs.HideOthers(&prefix);
    EXPECT_FALSE(replace.shown);
    EXPECT_TRUE(prefix.shown);
    dialogs.Remove(prefix);
    dialogs.HideOthers(nullptr);
    EXPECT_TRUE(prefix.shown); // no longer the registry's
}

TEST_F(MainFrameChrome, ADialogIsCentredOverTheMainWindowWithinTheScreen) {
    const QSize screen(1280, 800);
    EXPECT_EQ(CenterOnMainFrame(QRect(100, 50, 800, 600), QSize(401, 201), screen), QPoint(299, 249));
    // Near the right and bottom edges it stays on the screen; wider than the screen it starts at 0.
    EXPECT_EQ(CenterOnMainFrame(QRect(1000, 700, 800, 600), QSize(400, 200), screen), QPoint(880, 600));
    EXPECT_EQ(CenterOnMainFrame(QRect(-500, -500, 200, 200), QSize(400, 200), screen), QPoint(0, 0));
    EXPECT_EQ(CenterOnMainFrame(QRect(0, 0, 800, 600), QSize(1500, 900), screen), QPoint(0, 0));
}

TEST_F(MainFrameChrome, TabPaneSizesAreSharedOrOwnAndNeverBelowTheMinimum) {
    CDocumentData data;
    CUnitFunction function;
    data.funcHeaderFormHeight = 34;
    HeaderIOSettings& shared = data.headerIOSettings;
    shared.FunctionHeight = 90;
    shared.FunctionWidth = 400;
    function.header.FunctionHeight = 5;
    function.header.FunctionWidth = 300;
    function.header.InputWidth = 120;

    TabPaneSizes sizes = TabPaneSizes::InUse(data, function);
    EXPECT_EQ(sizes.headerHeight, 34);
    EXPECT_EQ(sizes.functionHeight, 90);
    EXPECT_EQ(sizes.functionWidth, 400);
    EXPECT_EQ(sizes.LogicColumnCount(), 1);

    // The unit function's own sizes, its too small height raised; only the output column on.
    shared.HorizontalSizeShared = 0;
    shared.VerticalSizeShared = 0;
    shared.Output = 1;
    sizes = TabPaneSizes::InUse(data, function);
    EXPECT_EQ(sizes.functionHeight, TabPaneSizes::MinimumPaneSize);
    EXPECT_EQ(sizes.functionWidth, 300);
    EXPECT_EQ(sizes.LogicColumnCount(), 2);

    // Storing: the own sizes always, the document's only where they are shared; an absent column keeps its width.
    sizes.functionHeight = 150;
    sizes.functionWidth = 310;
    sizes.inputWidth = 999;
    EXPECT_FALSE(StoreTabPaneSizes(data, function, sizes));
    EXPECT_EQ(function.header.FunctionHeight, 150);
    EXPECT_EQ(function.header.InputWidth, 120);
    EXPECT_EQ(shared.FunctionHeight, 90);
    shared.VerticalSizeShared = 1;
    EXPECT_TRUE(StoreTabPaneSizes(data, function, sizes));
    EXPECT_EQ(shared.FunctionWidth, 310);
    EXPECT_EQ(shared.InputWidth, 120);
    EXPECT_EQ(shared.FunctionHeight, 90);

    // The header row's height is the document's, kept between the row's small and full heights; a change of
    // it reaches the other tabs.
    data.funcHeaderFormHeight = 0;
    EXPECT_EQ(TabPaneSizes::InUse(data, function).headerHeight, 34);
    data.funcHeaderFormHeight = 400;
    EXPECT_EQ(TabPaneSizes::InUse(data, function).headerHeight, 173);
    shared.VerticalSizeShared = 0;
    sizes.headerHeight = 10;
    EXPECT_TRUE(StoreTabPaneSizes(data, function, sizes));
    EXPECT_EQ(data.funcHeaderFormHeight, 34);
    EXPECT_FALSE(StoreTabPaneSizes(data, function, sizes));
    sizes.headerHeight = 120;
    EXPECT_TRUE(StoreTabPaneSizes(data, function, sizes));
    EXPECT_EQ(data.funcHeaderFormHeight, 120);
}

TEST_F(MainFrameChrome, TheInstanceListMarksThisProcessAndItsEntriesBringTheirWindowForward) {
    FakeShell shell;
    CNUVApp app(shell);
    ASSERT_TRUE(app.InitEditorInstance({"nuv"}));
    // Another instance beside this one, with a window; a third without one.
    const LiveInstance alive(m_dir.Root(), 77777);
    InstanceRecord other{};
    other.processId = 77777;
    other.mainWindow = 77777;
    other.SetCaption("R&D.nuv");
    ASSERT_TRUE(app.RegisterInstance(other));
    const LiveInstance aliveToo(m_dir.Root(), 88888);
    InstanceRecord windowless{};
    windowless.processId = 88888;
    ASSERT_TRUE(app.RegisterInstance(windowless));
    // A registration takes out any record of this process: ours goes in again, last.
    InstanceRecord own{};
    app.FillInstanceRecord(own);
    ASSERT_TRUE(app.RegisterInstance(own));

    const std::vector<InstanceRecord> records = app.InstanceRecords();
    ASSERT_EQ(records.size(), 3u);
    const std::vector<ListMenuEntry> entries = InstanceWindowEntries(records);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].id, InstanceWindowFirst);
    EXPECT_EQ(entries[0].caption, "R&&D.nuv");
    EXPECT_FALSE(entries[0].checked);
    EXPECT_FALSE(entries[1].checked);
    EXPECT_EQ(entries[2].id, InstanceWindowFirst + 2);
    EXPECT_EQ(entries[2].caption, "NUV");
    EXPECT_TRUE(entries[2].checked);

    app.ActivateInstanceWindow(0);
    app.ActivateInstanceWindow(1); // no window to bring forward
    app.ActivateInstanceWindow(3); // beyond the count
    app.ActivateInstanceWindow(-1);
    EXPECT_EQ(shell.activated, std::vector<quint32>({77777}));
    app.RemoveInstanceRecord(77777);
    app.RemoveInstanceRecord(88888);
}

TEST_F(MainFrameChrome, TheWindowManagerActivatesSavesAndClosesTheChosenTabs) {
    const QString path = m_dir.Path("layout.nuv");
    ASSERT_TRUE(QFile::copy(NUV_TEST_DATA_DIR "/docfile/layout.nuv", path));
    FakeShell shell;
    CNUVApp app(shell);
    ASSERT_TRUE(app.InitEditorInstance({"nuv", path}));
    ASSERT_EQ(app.Tabs().RecentTabs().size(), 2u);
    // The tabs in the order they were opened, as the tab area shows them.
    std::vector<CNUVDoc*> shown(app.Tabs().RecentTabs().rbegin(), app.Tabs().RecentTabs().rend());
    CWindowManager manager(app.Document(), [&] {
        std::vector<CNUVDoc*> open;
        for (CNUVDoc* tab : shown) {
            if (std::find(app.Tabs().RecentTabs().begin(), app.Tabs().RecentTabs().end(), tab) !=
                app.Tabs().RecentTabs().end())
                open.push_back(tab);
        }
        return open;
    });
    const QStringList captions = manager.Captions();
    ASSERT_EQ(captions.size(), 2);

    EXPECT_FALSE(manager.ButtonsFor(0).close);
    EXPECT_TRUE(manager.ButtonsFor(1).activate);
    EXPECT_FALSE(manager.ButtonsFor(2).activate);
    EXPECT_TRUE(manager.ButtonsFor(2).save);

    EXPECT_TRUE(manager.Activate(0));
    const CUnitFunction& active = *app.Tabs().GetActiveTab()->m_pUnitFunction;
    EXPECT_EQ(active.GetOutlineNumberText(false) + " " + active.name.left(16), captions[0]);
    EXPECT_FALSE(manager.Activate(2));

    app.Document().SetModified();
    manager.Save();
    EXPECT_FALSE(app.Document().IsModified());

    // Closing every tab leaves the origin's.
    manager.Close({0, 1, 7});
    ASSERT_EQ(app.Tabs().RecentTabs().size(), 1u);
    EXPECT_EQ(app.Tabs().GetActiveTab()->m_pUnitFunction, app.Document().DocumentData().registry.origin);
    app.CloseDocument();
    EXPECT_FALSE(manager.ButtonsFor(1).save);
}
