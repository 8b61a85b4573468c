#include "AppDirectories.h"
#include "FakeApplicationShell.h"
#include "app/MainFrameCommandIds.h"
#include "app/NUVApp.h"
#include "app/NUVCntrItem.h"
#include "app/NUVDoc.h"
#include "app/NUVDocManager.h"
#include "app/NUVMultiDocTemplate.h"
#include "app/NUVRichEditDoc.h"
#include "platform/MessageBox.h"
#include "support/QStringPrinter.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

// A new document in an application whose windows are the fake's.
class DocumentTemplates : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dirs.IsValid());
        ASSERT_TRUE(m_app.InitInstance({"tobrel"}));
        ASSERT_TRUE(m_app.Document().DocumentData().DataReady);
    }

    AppDirectories m_dirs;
    platform::ScriptedMessageSink m_messages;
    FakeShell m_shell;
    CNUVApp m_app{m_shell};
};

} // namespace

TEST_F(DocumentTemplates, TheChooserShowsOnlyWhenMoreThanOneTemplateOffersAName) {
    CUnitFunction* origin = m_app.Document().DocumentData().registry.origin;
    CNUVDocManager manager(m_shell);
    EXPECT_EQ(manager.OnFileNewWithMode(origin), nullptr);
    EXPECT_EQ(m_messages.Texts().back(), QStringLiteral("An empty document could not be made."));

    // A template without a name for new documents (the content's) is never offered.
    manager.AddDocTemplate(std::make_unique<CNUVMultiDocTemplate>(m_app.Document(), QString()));
    manager.AddDocTemplate(std::make_unique<CNUVMultiDocTemplate>(m_app.Document(), "NUV"));
    CNUVDoc* tab = manager.OnFileNewWithMode(origin);
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(tab->m_pUnitFunction, origin);
    EXPECT_TRUE(m_shell.offeredTemplates.empty());
    EXPECT_EQ(manager.Templates()[1]->Documents().size(), 1u);

    manager.AddDocTemplate(std::make_unique<CNUVMultiDocTemplate>(m_app.Document(), "Other"));
    EXPECT_EQ(manager.OnFileNewWithMode(origin), nullptr) << "a cancelled chooser opens nothing";
    ASSERT_EQ(m_shell.offeredTemplates.size(), 1u);
    EXPECT_EQ(m_shell.offeredTemplates[0], QStringList({"NUV", "Other"}));
    m_shell.chosenTemplate = 1;
    ASSERT_NE(manager.OnFileNewWithMode(origin), nullptr);
    EXPECT_EQ(manager.Templates()[2]->Documents().size(), 1u);
    m_shell.chosenTemplate = 5;
    EXPECT_EQ(manager.OnFileNewWithMode(origin), nullptr);
}

TEST_F(DocumentTemplates, SaveAndSaveAsFromTheContentOrATabSaveTheWholeDocument) {
    const QString path = m_dirs.Path("plan.nuv");
    m_shell.savePath = path;
    m_app.Document().DocumentData().registry.origin->name = "Start";
    m_app.Document().SetModified();
    CNUVRichEditDoc content(m_app.Document());
    int shown = 0;
    content.SetViewUpdate([&shown] { ++shown; });
    CNUVCntrItem& item = content.CreateClientItem();
    EXPECT_EQ(item.GetDocument(), &content);
    item.OnChange();
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(content.OnCmdMsg(MainFrameCommand::FileSave));
    EXPECT_EQ(m_app.Document().DocumentPath(), path);
    EXPECT_FALSE(m_app.Document().IsModified());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("Start"));

    m_shell.savePath = m_dirs.Path("copy.nuv");
    CNUVDoc* tab = m_app.GetActiveDocument();
    ASSERT_NE(tab, nullptr);
    EXPECT_TRUE(tab->OnCmdMsg(MainFrameCommand::FileSaveAs));
    EXPECT_EQ(m_app.Document().DocumentPath(), m_dirs.Path("copy.nuv"));
    EXPECT_FALSE(tab->OnCmdMsg(MainFrameCommand::FileOpen));
    EXPECT_FALSE(content.OnCmdMsg(MainFrameCommand::FileOpen));

    // Close from the content closes the main window with the document, not the content.
    EXPECT_TRUE(content.OnCmdMsg(MainFrameCommand::FileClose));
    EXPECT_EQ(m_shell.mainWindowCloses, 1);
    // The close over, the table of contents opens tabs again.
    EXPECT_FALSE(m_app.TakeSkipNextTabOpen());
}

TEST_F(DocumentTemplates, AnImportedMapMarksTheDocumentModifiedWithoutWaitingAtTheEnd) {
    const QString map = m_dirs.Path("plan.mm");
    QFile file(map);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<map><node TEXT=\"Root\"><node TEXT=\"Child\"/></node></map>");
    file.close();
    CNUVDoc* tab = m_app.GetActiveDocument();
    ASSERT_NE(tab, nullptr);

    EXPECT_TRUE(tab->OnCmdMsg(MainFrameCommand::ImportMindMap)) << "a cancelled prompt imports nothing";
    EXPECT_FALSE(m_app.Document().IsModified());
    EXPECT_EQ(m_app.Document().DocumentData().registry.Count(), 1);

    m_shell.mapPath = map;
    EXPECT_TRUE(tab->OnCmdMsg(MainFrameCommand::ImportMindMap));
    EXPECT_TRUE(m_app.Document().IsModified());
    EXPECT_EQ(m_app.Document().DocumentData().registry.origin->name, "Root");
    EXPECT_EQ(m_app.Document().DocumentData().registry.Count(), 2);
    EXPECT_EQ(m_shell.finishedShown, 0);
}

TEST(EmbeddedItem, ThePlaceholderTakesTheObjectsSizeOrAFixedOne) {
    CNUVCntrItem item(nullptr);
    EXPECT_EQ(item.OnGetItemPosition(96, 96), QRect(10, 10, 200, 200));
    item.m_extent = QSize(2540, 1270); // 1 by 0.5 inches
    EXPECT_EQ(item.OnGetItemPosition(96, 120), QRect(10, 10, 96, 60));
    EXPECT_EQ(item.OnGetItemPosition(0, 96), QRect(10, 10, 200, 200));
    item.OnChange(); // without a document nothing is shown anew, nothing fails
}
