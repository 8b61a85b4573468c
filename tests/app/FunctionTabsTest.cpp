#include "app/FunctionTabs.h"
#include "FakeApplicationShell.h"
#include "app/MainFrameCommands.h"
#include "app/NUVApp.h"
#include "app/NUVDoc.h"
#include "app/NUVDocManager.h"
#include "app/NUVMultiDocTemplate.h"
#include "app/TabArea.h"
#include "model/DocumentData.h"
#include "model/ModelShell.h"
#include "platform/MessageBox.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <vector>

namespace {

// Behaves as a tab widget does: a tab made active reports itself back at once, and removing the current tab
// makes its neighbour current, which reports itself too.
class FakeTabArea : public CTabArea {
public:
    explicit FakeTabArea(CFunctionTabs& tabs) : m_tabs(tabs) {}

    void CreateTabWindow(CNUVDoc& document) override { windows.push_back(&document); }
    void ActivateTabWindow(CNUVDoc& document) override { Show(&document); }
    void DestroyTabWindow(CNUVDoc& document) override {
        const auto found = std::find(windows.begin(), windows.end(), &document);
        ASSERT_NE(found, windows.end());
        const bool wasCurrent = current == &document;
        const auto next = windows.erase(found);
        ++destroyed;
        if (!wasCurrent)
            return;
        current = nullptr;
        if (!windows.empty())
            Show(next != windows.end() ? *next : windows.back());
    }

    // Back and Forward as the window would enable them when told of a change.
    void TabsChanged() override {
        ++changesTold;
        backWhenTold = m_tabs.CanNavigateBack();
        forwardWhenTold = m_tabs.CanNavigateForward();
    }

    std::vector<CNUVDoc*> windows; // in tab order
    CNUVDoc* current = nullptr;
    int destroyed = 0;
    int changesTold = 0;
    bool backWhenTold = false;
    bool forwardWhenTold = false;

private:
    void Show(CNUVDoc* document) {
        if (current == document)
            return;
        current = document;
        m_tabs.OnTabActivated(document);
    }

    CFunctionTabs& m_tabs;
};

// Forwards the model's tab requests, as the application does.
class TabModelShell : public CModelShell {
public:
    explicit TabModelShell(CFunctionTabs& tabs) : m_tabs(tabs) {}
    void CloseFunctionTab(CUnitFunction* function) override { m_tabs.CloseFunctionTab(function); }

private:
    CFunctionTabs& m_tabs;
    CModelShellInstaller m_installer{*this};
};

class FunctionTabsTest : public ::testing::Test {
protected:
    FunctionTabsTest() {
        m_documents.AddDocTemplate(std::make_unique<CNUVMultiDocTemplate>(m_app.Document(), QStringLiteral("NUV")));
        m_data.SetDefaults();
        m_tabs.SetTabArea(&m_area);
        for (const char* name : {"A", "B", "C", "D", "E"})
            m_functions.push_back(m_data.registry.CreateFunction(QString::fromLatin1(name), m_data.GetModelOptions()));
    }

    CUnitFunction* Origin() const { return m_data.registry.origin; }
    CUnitFunction* F(char name) const { return m_functions[name - 'A']; }
    CNUVDoc* Open(char name) { return m_tabs.OpenFunctionTab(F(name)); }

    // Unit functions of the open tabs, most recently used first.
    std::vector<CUnitFunction*> Recent() const {
        std::vector<CUnitFunction*> functions;
        for (const CNUVDoc* tab : m_tabs.RecentTabs())
            functions.push_back(tab->m_pUnitFunction);
        return functions;
    }
    std::vector<CUnitFunction*> History() const {
        std::vector<CUnitFunction*> functions;
        for (const CNUVDoc* tab : m_tabs.History().Entries())
            functions.push_back(tab->m_pUnitFunction);
        return functions;
    }
    std::vector<CUnitFunction*> Fs(const char* names) const {
        std::vector<CUnitFunction*> functions;
        for (const char* name = names; *name; ++name)
            functions.push_back(*name == 'O' ? Origin() : F(*name));
        return functions;
    }
    int DocumentCount() const { return static_cast<int>(m_documents.Templates().front()->Documents().size()); }

    // What must hold after every step: the tab documents, the recent tabs and the tab windows are the same
    // set, the history holds open tabs once each with its index on the active tab, and Back and Forward are
    // enabled exactly when there is somewhere to go.
    void ExpectConsistent() const {
        const std::vector<CNUVDoc*>& recent = m_tabs.RecentTabs();
        std::set<CNUVDoc*> documents;
        for (const auto& document : m_documents.Templates().front()->Documents())
            documents.insert(document.get());
        EXPECT_EQ(std::set<CNUVDoc*>(recent.begin(), recent.end()), documents);
        EXPECT_EQ(recent.size(), documents.size());
        if (m_bShown) {
            EXPECT_EQ(std::set<CNUVDoc*>(m_area.windows.begin(), m_area.windows.end()), documents);
            EXPECT_EQ(m_area.current, m_tabs.GetActiveTab());
        }

        const std::vector<CNUVDoc*>& history = m_tabs.History().Entries();
        EXPECT_EQ(std::set<CNUVDoc*>(history.begin(), history.end()).size(), history.size());
        for (CNUVDoc* entry : history)
            EXPECT_TRUE(documents.contains(entry));
        const int index = m_tabs.History().CurrentIndex();
        if (history.empty()) {
            EXPECT_EQ(index, 0);
        } else {
            ASSERT_GE(index, 0);
            ASSERT_LT(index, static_cast<int>(history.size()));
            EXPECT_EQ(history[index], m_tabs.GetActiveTab());
        }
        EXPECT_EQ(m_tabs.CanNavigateBack(), index > 0);
        EXPECT_EQ(m_tabs.CanNavigateForward(), index + 1 < static_cast<int>(history.size()));
    }

    FakeShell m_shell;
    CNUVApp m_app{m_shell};
    CNUVDocManager m_documents{m_shell};
    CDocumentData m_data;
    CFunctionTabs m_tabs{m_documents, m_data};
    FakeTabArea m_area{m_tabs};
    bool m_bShown = true; // the tabs are shown in m_area
    std::vector<CUnitFunction*> m_functions;
};

TEST_F(FunctionTabsTest, TheTabLimitClosesTheLeastRecentlyUsedTab) {
    m_data.MaximumNumberOfTabs = 2;
    CNUVDoc* a = Open('A');
    Open('B');
    // Opening a unit function that has a tab activates that tab.
    EXPECT_EQ(Open('A'), a);
    EXPECT_EQ(DocumentCount(), 2);
    EXPECT_EQ(m_area.current, a);
    Open('C');
    EXPECT_EQ(Recent(), Fs("CA"));
    ExpectConsistent();

    // The limit lowered below the tabs open closes the least recently used ones, not the active one.
    m_data.MaximumNumberOfTabs = 5;
    Open('D');
    Open('E');
    Open('A');
    EXPECT_EQ(Recent(), Fs("AEDC"));
    m_data.MaximumNumberOfTabs = 2;
    m_tabs.CloseExcessTabs();
    EXPECT_EQ(Recent(), Fs("AE"));
    EXPECT_EQ(History(), Fs("EA"));
    ExpectConsistent();

    // A limit the settings do not offer, read from a file, is kept within 2 to 10.
    m_data.MaximumNumberOfTabs = 0;
    Open('B');
    EXPECT_EQ(Recent(), Fs("BA"));
    m_data.MaximumNumberOfTabs = -5;
    m_tabs.CloseExcessTabs();
    EXPECT_EQ(Recent(), Fs("BA"));
    m_data.MaximumNumberOfTabs = 1000;
    EXPECT_EQ(m_tabs.TabLimit(), DocumentHeader::MaxOpenViews);
    ExpectConsistent();
    EXPECT_EQ(m_tabs.OpenFunctionTab(nullptr), nullptr);
}

TEST_F(FunctionTabsTest, BackAndForwardMoveThroughTheActivatedTabs) {
    m_data.MaximumNumberOfTabs = 10;
    Open('A');
    Open('B');
    Open('C');
    EXPECT_FALSE(m_tabs.NavigateForward());
    ASSERT_TRUE(m_tabs.NavigateBack());
    ASSERT_TRUE(m_tabs.NavigateBack());
    // Navigating changes the active tab and the recent order, not the history.
    EXPECT_EQ(m_tabs.ActiveTabFunction(), F('A'));
    EXPECT_EQ(Recent(), Fs("ABC"));
    EXPECT_EQ(History(), Fs("ABC"));
    ExpectConsistent();
    // At either end there is nowhere to go, and nothing changes.
    EXPECT_FALSE(m_tabs.NavigateBack());
    EXPECT_FALSE(m_tabs.NavigateTo(3));
    EXPECT_FALSE(m_tabs.NavigateTo(-1));
    EXPECT_EQ(m_tabs.History().CurrentIndex(), 0);
    ASSERT_TRUE(m_tabs.NavigateForward());
    EXPECT_EQ(m_tabs.ActiveTabFunction(), F('B'));
    ExpectConsistent();

    // The active tab activated again keeps the entries ahead; another tab drops them.
    Open('B');
    EXPECT_EQ(History(), Fs("ABC"));
    Open('D');
    EXPECT_EQ(History(), Fs("ABD"));
    // A tab activated again stands once, at its last place.
    Open('A');
    EXPECT_EQ(History(), Fs("BDA"));
    ASSERT_TRUE(m_tabs.NavigateTo(0));
    EXPECT_EQ(m_tabs.ActiveTabFunction(), F('B'));
    ExpectConsistent();
}

// The history menu shows a name as its tab does: an ampersand is no access key.
TEST_F(FunctionTabsTest, HistoryMenuEntriesShowNamesAsWritten) {
    F('A')->name = QStringLiteral("x & y");
    Open('A');
    Open('B');
    const std::vector<MainFrameCommand::ListMenuEntry> entries =
        MainFrameCommand::HistoryEntries(m_tabs.History(), m_data);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_TRUE(entries[0].caption.endsWith(QStringLiteral("x && y"))) << entries[0].caption.toStdString();
    EXPECT_EQ(entries[1].id, MainFrameCommand::HistoryEntryFirst + 1);
    EXPECT_FALSE(entries[0].checked);
    EXPECT_TRUE(entries[1].checked);
}

TEST_F(FunctionTabsTest, ClosedTabsLeaveTheHistoryWithItsIndexOnTheActiveTab) {
    m_data.MaximumNumberOfTabs = 10;
    for (char name : {'A', 'B', 'C', 'D'})
        Open(name);
    ASSERT_TRUE(m_tabs.NavigateBack());
    ASSERT_TRUE(m_tabs.NavigateBack());

    // An entry before the current one goes: the index follows its tab.
    m_tabs.CloseFunctionTab(F('A'));
    EXPECT_EQ(History(), Fs("BCD"));
    EXPECT_EQ(m_tabs.ActiveTabFunction(), F('B'));
    ExpectConsistent();
    EXPECT_FALSE(m_tabs.NavigateBack());
    // One after it goes: forward skips it.
    m_tabs.CloseFunctionTab(F('C'));
    ASSERT_TRUE(m_tabs.NavigateForward());
    EXPECT_EQ(m_tabs.ActiveTabFunction(), F('D'));
    ExpectConsistent();

    // The last entry, current, goes: the most recently used tab left becomes active and current.
    m_tabs.CloseFunctionTab(F('D'));
    EXPECT_EQ(m_tabs.ActiveTabFunction(), F('B'));
    EXPECT_EQ(History(), Fs("B"));
    ExpectConsistent();
    EXPECT_FALSE(m_tabs.NavigateBack());
    EXPECT_FALSE(m_tabs.NavigateForward());

    // The current entry in the middle goes, the tab area activating a neighbour while the tab closes.
    Open('C');
    Open('E');
    ASSERT_TRUE(m_tabs.NavigateBack());
    m_tabs.CloseTab(m_tabs.GetActiveTab());
    EXPECT_EQ(m_tabs.RecentTabs().size(), 2u);
    ExpectConsistent();
    while (m_tabs.NavigateBack())
        ExpectConsistent();
    while (m_tabs.NavigateForward())
        ExpectConsistent();
}

TEST_F(FunctionTabsTest, ClosingTheActiveTabInTheMiddleOfTheHistoryDropsTheEntriesAhead) {
    m_data.MaximumNumberOfTabs = 10;
    for (char name : {'A', 'B', 'C', 'D'})
        Open(name);
    ASSERT_TRUE(m_tabs.NavigateBack());
    ASSERT_TRUE(m_tabs.NavigateBack());
    ASSERT_EQ(m_tabs.ActiveTabFunction(), F('B'));

    // The tab activated in place of the closed one is an activation like any other.
    m_tabs.CloseTab(m_tabs.GetActiveTab());
    EXPECT_EQ(m_tabs.ActiveTabFunction(), F('C'));
    EXPECT_EQ(History(), Fs("AC"));
    EXPECT_TRUE(m_tabs.CanNavigateBack());
    EXPECT_FALSE(m_tabs.CanNavigateForward());
    ExpectConsistent();

    // The same without a tab area, where the tab activated next is the most recently used one.
    m_tabs.CloseAllTabs();
    m_tabs.SetTabArea(nullptr);
    m_bShown = false;
    for (char name : {'A', 'B', 'C', 'D'})
        Open(name);
    ASSERT_TRUE(m_tabs.NavigateBack());
    ASSERT_TRUE(m_tabs.NavigateBack());
    m_tabs.CloseTab(m_tabs.GetActiveTab());
    EXPECT_EQ(m_tabs.ActiveTabFunction(), F('C'));
    EXPECT_EQ(History(), Fs("AC"));
    EXPECT_FALSE(m_tabs.CanNavigateForward());
    ExpectConsistent();
}

TEST_F(FunctionTabsTest, TheTabAreaHearsOfEveryActivationAfterTheHistoryHasTakenItIn) {
    m_data.MaximumNumberOfTabs = 10;
    Open('A');
    EXPECT_FALSE(m_area.backWhenTold);
    // Opened from anywhere but the tab bar (a finding, the index): Back is enabled when the window is told.
    Open('B');
    EXPECT_TRUE(m_area.backWhenTold);
    EXPECT_FALSE(m_area.forwardWhenTold);
    ASSERT_TRUE(m_tabs.NavigateBack());
    EXPECT_FALSE(m_area.backWhenTold);
    EXPECT_TRUE(m_area.forwardWhenTold);
    // An open tab activated again from elsewhere drops the entry ahead, and the window hears of it.
    const int told = m_area.changesTold;
    Open('B');
    EXPECT_GT(m_area.changesTold, told);
    EXPECT_TRUE(m_area.backWhenTold);
    EXPECT_FALSE(m_area.forwardWhenTold);
    // A closed tab that stood ahead in the history takes Forward along.
    ASSERT_TRUE(m_tabs.NavigateBack());
    EXPECT_TRUE(m_area.forwardWhenTold);
    m_tabs.CloseFunctionTab(F('B'));
    EXPECT_FALSE(m_area.forwardWhenTold);
    ExpectConsistent();
}

TEST_F(FunctionTabsTest, WithoutATabAreaClosingTheActiveTabActivatesTheMostRecentlyUsedOne) {
    m_tabs.SetTabArea(nullptr);
    m_bShown = false;
    m_data.MaximumNumberOfTabs = 10;
    for (char name : {'A', 'B', 'C', 'D'})
        Open(name);
    ASSERT_TRUE(m_tabs.NavigateTo(1));
    m_tabs.CloseTab(m_tabs.GetActiveTab());
    EXPECT_EQ(Recent(), Fs("DCA"));
    EXPECT_EQ(History(), Fs("ACD"));
    ExpectConsistent();
    EXPECT_TRUE(m_area.windows.empty());
}

TEST_F(FunctionTabsTest, ADeletedUnitFunctionTakesItsTabAndHistoryEntryAlong) {
    TabModelShell shell(m_tabs);
    m_data.MaximumNumberOfTabs = 10;
    Open('A');
    Open('B');
    Open('C');
    ASSERT_TRUE(m_tabs.NavigateBack());
    ASSERT_TRUE(m_data.registry.DeleteFunction(F('B'), m_data, m_data.GetModelOptions()));
    EXPECT_EQ(History(), Fs("AC"));
    ExpectConsistent();
    ASSERT_TRUE(m_tabs.NavigateBack());
    EXPECT_EQ(m_tabs.ActiveTabFunction(), F('A'));
    ASSERT_TRUE(m_tabs.NavigateForward());
    EXPECT_EQ(m_tabs.ActiveTabFunction(), F('C'));

    // The unit function of every tab deleted: the origin's tab is what is left.
    ASSERT_TRUE(m_data.registry.DeleteFunction(F('A'), m_data, m_data.GetModelOptions()));
    ASSERT_TRUE(m_data.registry.DeleteFunction(F('C'), m_data, m_data.GetModelOptions()));
    EXPECT_EQ(Recent(), Fs("O"));
    EXPECT_EQ(History(), Fs("O"));
    ExpectConsistent();
}

TEST_F(FunctionTabsTest, ClosingTheLastTabReopensTheOrigin) {
    CNUVDoc* origin = m_tabs.OpenFunctionTab(Origin());
    m_tabs.CloseTab(origin);
    EXPECT_EQ(Recent(), Fs("O"));
    EXPECT_EQ(m_area.destroyed, 1);
    ExpectConsistent();

    Open('A');
    m_tabs.CloseTab(m_tabs.RecentTabs().back());
    m_tabs.CloseTab(m_tabs.GetActiveTab());
    EXPECT_EQ(Recent(), Fs("O"));
    EXPECT_EQ(History(), Fs("O"));
    ExpectConsistent();

    // Closing the document takes every tab and opens none.
    Open('B');
    m_tabs.CloseAllTabs();
    EXPECT_TRUE(m_tabs.RecentTabs().empty());
    EXPECT_TRUE(m_area.windows.empty());
    EXPECT_EQ(m_tabs.GetActiveTab(), nullptr);
    ExpectConsistent();
    EXPECT_FALSE(m_tabs.NavigateBack());
    EXPECT_FALSE(m_tabs.NavigateForward());
}

TEST_F(FunctionTabsTest, StoredTabsReopenWithTheSelectedOneActive) {
    m_data.MaximumNumberOfTabs = 3;
    Open('A');
    Open('B');
    Open('C');
    Open('B');
    m_tabs.StoreOpenTabs(m_data.documentHeader);
    EXPECT_EQ(m_data.documentHeader.openViewCount, 3);
    m_tabs.CloseAllTabs();
    m_tabs.ReopenSavedTabs();
    EXPECT_EQ(Recent(), Fs("BCA"));
    ExpectConsistent();

    // A stored unit function that is gone is skipped; so is the selection it carried.
    m_tabs.CloseAllTabs();
    m_data.registry.DeleteFunction(F('B'), m_data, m_data.GetModelOptions());
    m_tabs.ReopenSavedTabs();
    EXPECT_EQ(Recent(), Fs("OCA"));
    ExpectConsistent();

    // Nothing stored, or a count past the table from a damaged file.
    m_tabs.CloseAllTabs();
    m_data.documentHeader.openViewCount = 0;
    m_tabs.ReopenSavedTabs();
    EXPECT_EQ(Recent(), Fs("O"));
    m_tabs.CloseAllTabs();
    m_data.documentHeader.openViewCount = 60000;
    m_tabs.ReopenSavedTabs();
    EXPECT_EQ(Recent(), Fs("OCA"));
    ExpectConsistent();
}

// The application keeps its tabs here: the active document is the active tab, the document stores its tabs
// in their recent order, and closing the document takes them all.
TEST(ApplicationTabs, TheActiveDocumentAndTheStoredTabsFollowTheTabs) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath("config")));
    platform::ScriptedMessageSink messages;
    FakeShell shell;
    {
        CNUVApp app(shell);
        ASSERT_TRUE(app.InitInstance({"tobrel"}));
        CDocumentData& data = app.Document().DocumentData();
        CUnitFunction* a = data.registry.CreateFunction("A", data.GetModelOptions());
        CNUVDoc* origin = app.GetActiveDocument();
        ASSERT_NE(origin, nullptr);
        EXPECT_EQ(origin->m_pUnitFunction, data.registry.origin);
        app.Tabs().OpenFunctionTab(a);
        ASSERT_TRUE(app.Tabs().OnTabActivated(origin));
        EXPECT_EQ(app.GetActiveDocument(), origin);

        app.Document().StoreViewStateInDocument();
        const DocumentHeader& header = data.documentHeader;
        ASSERT_EQ(header.openViewCount, 2);
        EXPECT_EQ(header.openViews[0], (OpenView{static_cast<qint32>(a->InternalID), 0}));
        EXPECT_EQ(header.openViews[1], (OpenView{static_cast<qint32>(data.registry.origin->InternalID), 1}));

        app.CloseDocument();
        EXPECT_TRUE(app.Tabs().RecentTabs().empty());
        EXPECT_TRUE(app.Tabs().History().Entries().empty());
        EXPECT_EQ(app.GetActiveDocument(), nullptr);
    }
    qunsetenv("XDG_RUNTIME_DIR");
    qunsetenv("XDG_CONFIG_HOME");
}

} // namespace
