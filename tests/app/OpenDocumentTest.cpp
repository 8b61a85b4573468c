#include "AppDirectories.h"
#include "FakeApplicationShell.h"
#include "app/DocumentObserver.h"
#include "app/NUVApp.h"
#include "app/NUVDoc.h"
#include "model/AbstractIndexItem.h"
#include "model/ModelShell.h"
#include "model/UnitFunction.h"
#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Records what it hears, with the name the unit function had when it was told.
class RecordingObserver : public CDocumentObserver {
public:
    struct Heard {
        DocumentChange change;
        const CUnitFunction* function;
        QString name;
        bool operator==(const Heard&) const = default;
    };

    void DocumentChanged(DocumentChange change, CUnitFunction* function) override {
        heard.push_back({change, function, function ? function->name : QString()});
    }
    std::vector<Heard> Take() { return std::exchange(heard, {}); }

    std::vector<Heard> heard;
};

// An editor on a new document, as the program starts it.
class OpenDocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dirs.IsValid());
        ASSERT_TRUE(m_app.InitEditorInstance({"nuv"}));
        m_document.AddObserver(m_observer);
    }

    CUnitFunction* AddChild(const QString& name) {
        CDocumentData& data = m_document.DocumentData();
        CUnitFunction* function = data.registry.CreateFunction(name, data.GetModelOptions());
        CUnitFunction::AppendChild(data.registry.origin, function);
        m_document.RebuildDocument();
        return function;
    }

    AppDirectories m_dirs;
    platform::ScriptedMessageSink m_messages;
    FakeShell m_shell;
    CNUVApp m_app{m_shell};
    COpenDocument& m_document = m_app.Document();
    RecordingObserver m_observer;
};

using Heard = RecordingObserver::Heard;

} // namespace

TEST_F(OpenDocumentTest, ARemovedUnitFunctionTakesItsTabAlong) {
    CUnitFunction* removed = AddChild("Weigh");
    CUnitFunction* kept = AddChild("Cook");
    CFunctionTabs& tabs = m_document.Tabs();
    tabs.OpenFunctionTab(kept);
    tabs.OpenFunctionTab(removed);
    m_observer.Take();

    CDocumentData& data = m_document.DocumentData();
    ASSERT_TRUE(data.registry.DeleteFunction(removed, data, data.GetModelOptions()));
    // The observers heard of it while it was still there; no tab shows it any more.
    EXPECT_EQ(m_observer.Take(), std::vector<Heard>({{DocumentChange::FunctionRemoved, removed, "Weigh"}}));
    EXPECT_EQ(tabs.FindTab(removed), nullptr);
    for (const CNUVDoc* tab : tabs.RecentTabs())
        EXPECT_NE(tab->m_pUnitFunction, removed);
    EXPECT_EQ(tabs.ActiveTabFunction(), kept);
    for (const CNUVDoc* tab : tabs.History().Entries())
        EXPECT_NE(tab->m_pUnitFunction, removed);
}

TEST_F(OpenDocumentTest, ObserversHearWhatChangedAndTheModelsReportsReachThem) {
    // The modified flag: each change once.
    m_document.SetModified();
    m_document.SetModified();
    m_document.SetModified(false);
    EXPECT_EQ(m_observer.Take(), std::vector<Heard>({{DocumentChange::ModifiedChanged, nullptr, ""},
                                                     {DocumentChange::ModifiedChanged, nullptr, ""}}));

    // The model marks the document modified and reports a rebuilt table of contents.
    CUnitFunction* added = AddChild("Rinse");
    ModelShell().SetDocumentModified();
    EXPECT_TRUE(m_document.IsModified());
    EXPECT_EQ(m_observer.Take(), std::vector<Heard>({{DocumentChange::FunctionsAddedOrMoved, nullptr, ""},
                                                     {DocumentChange::ModifiedChanged, nullptr, ""}}));

    // An editor's change of a unit function.
    m_document.SetModified(false);
    m_observer.Take();
    m_document.ReportFunctionChange(DocumentChange::FunctionRenamed, *added);
    EXPECT_TRUE(m_document.IsModified());
    EXPECT_EQ(m_observer.Take(), std::vector<Heard>({{DocumentChange::ModifiedChanged, nullptr, ""},
                                                     {DocumentChange::FunctionRenamed, added, "Rinse"}}));

    // The notes: a different text is stored, modifies the document and is heard of; the same text is nothing.
    m_document.SetModified(false);
    m_observer.Take();
    m_document.SetNotesText("Rinse twice");
    EXPECT_EQ(m_document.DocumentData().MemoText, "Rinse twice");
    EXPECT_TRUE(m_document.IsModified());
    EXPECT_EQ(m_observer.Take(), std::vector<Heard>({{DocumentChange::ModifiedChanged, nullptr, ""},
                                                     {DocumentChange::NotesChanged, nullptr, ""}}));
    m_document.SetModified(false);
    m_observer.Take();
    m_document.SetNotesText("Rinse twice");
    EXPECT_FALSE(m_document.IsModified());
    EXPECT_TRUE(m_observer.Take().empty());

    // Closing.
    m_document.SetModified(false);
    m_observer.Take();
    ASSERT_TRUE(m_document.CloseDocument());
    EXPECT_EQ(m_observer.Take(), std::vector<Heard>({{DocumentChange::Closed, nullptr, ""}}));
    m_document.RemoveObserver(m_observer);
    m_app.OnFileNew();
    EXPECT_TRUE(m_observer.Take().empty());
}

TEST_F(OpenDocumentTest, TheModelsQuestionsAreAnsweredByTheDocumentAndItsTabs) {
    CUnitFunction* first = AddChild("Fill");
    CUnitFunction* second = AddChild("Heat");
    CDocumentData& data = m_document.DocumentData();
    CAbstractIndexItem& root = data.indexRoot;
    ASSERT_EQ(root.children.size(), 2u);

    // A tab opened from elsewhere stands for the unit function's place; the tree selects an item as asked.
    ASSERT_TRUE(m_document.Tabs().OpenFunctionTab(second));
    EXPECT_EQ(CAbstractIndexItem::GetCurrentItem(root), &root.children[1]);
    m_shell.treeSelections.clear();
    m_shell.treeScrolls.clear();
    CAbstractIndexItem::SelectInTree(root, root.children[1]);
    CAbstractIndexItem::EnsureVisible(root.children[1]);
    EXPECT_EQ(m_shell.treeSelections, std::vector<CAbstractIndexItem*>{&root.children[1]});
    EXPECT_EQ(m_shell.treeScrolls, std::vector<CAbstractIndexItem*>{&root.children[1]});

    // Opening an item of the table of contents opens its tab, which then knows where it was opened from.
    CAbstractIndexItem::Open(root, root.children[1]);
    EXPECT_EQ(ModelShell().ActiveTabFunction(), second);
    EXPECT_EQ(CAbstractIndexItem::GetCurrentItem(root), &root.children[1]);
    CAbstractIndexItem::Open(root, root.children[0]);
    EXPECT_EQ(m_document.Tabs().ActiveTabFunction(), first);
    EXPECT_EQ(CAbstractIndexItem::GetCurrentItem(root), &root.children[0]);

    // While File Close runs, what the table of contents selects opens no tab; once the close is over, here given
    // up, the next opening shows its tab.
    m_shell.whileMainWindowCloses = [&] { CAbstractIndexItem::Open(root, root.children[1]); };
    m_document.OnFileClose();
    EXPECT_EQ(m_shell.mainWindowCloses, 1);
    EXPECT_EQ(m_document.Tabs().ActiveTabFunction(), first);
    CAbstractIndexItem::Open(root, root.children[1]);
    EXPECT_EQ(m_document.Tabs().ActiveTabFunction(), second);
}

TEST(OpenDocumentFonts, ANewDocumentTakesItsFacesFromTheFontsTheSystemHas) {
    AppDirectories dirs;
    FakeShell shell;
    shell.installedFonts = {"Arial", "メイリオ", "ＭＳ 明朝"};
    CNUVApp app(shell);
    ASSERT_TRUE(app.InitEditorInstance({"nuv"}));
    const CDocumentData& data = app.Document().DocumentData();
    EXPECT_EQ(data.fonts.columnFont.faceName, "メイリオ");
    EXPECT_EQ(data.fonts.ExplanationFont.faceName, "ＭＳ 明朝");
    app.Document().SetModified(false);
}

TEST_F(OpenDocumentTest, RequestsWaitForTheLastOfNestedWorkAndRunOnce) {
    const int before = m_shell.closesPosted;
    m_document.BeginWork(COpenDocument::Work::Save);
    m_document.BeginWork(COpenDocument::Work::Worker);
    EXPECT_TRUE(m_document.IsBusy());
    EXPECT_TRUE(m_document.IsWorkerRunning());
    m_app.OnCloseRequested();
    m_app.OnCloseRequested();
    m_app.OnFileNew();
    m_document.EndWork(COpenDocument::Work::Worker);
    EXPECT_FALSE(m_document.IsWorkerRunning());
    EXPECT_EQ(m_shell.closesPosted, before);
    EXPECT_TRUE(m_shell.started.empty());
    m_document.EndWork(COpenDocument::Work::Save);
    EXPECT_FALSE(m_document.IsBusy());
    EXPECT_EQ(m_shell.closesPosted, before + 1);
    // A second new document goes to a process of its own, as it does when nothing is running.
    EXPECT_EQ(m_shell.started, std::vector<QStringList>{QStringList()});
}

TEST_F(OpenDocumentTest, UnitFunctionsMadeInALabellingRunAreLabelledAsOneByOne) {
    CDocumentData& data = m_document.DocumentData();
    auto make = [&data] { return data.registry.CreateFunction("f", data.GetModelOptions())->header.uniqueLabel; };
    auto numbered = [](int number) { return QStringLiteral("%1").arg(number, 3, 10, QChar('0')); };
    const int first = make().toInt();
    ASSERT_GT(first, 0);
    QStringList labels;
    {
        const CLabellingRun run;
        for (int i = 0; i < 3; ++i)
            labels << make();
    }
    EXPECT_EQ(labels, QStringList({numbered(first + 1), numbered(first + 2), numbered(first + 3)}));

    // A label given between two runs is seen by the next one.
    data.registry.CreateFunctionForMerge("g")->header.uniqueLabel = numbered(first + 4);
    {
        const CLabellingRun run;
        EXPECT_EQ(make(), numbered(first + 5));
        const CLabellingRun nested;
        EXPECT_EQ(make(), numbered(first + 6));
    }
    EXPECT_EQ(make(), numbered(first + 7));
}
