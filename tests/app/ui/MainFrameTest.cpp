#include "app/ui/MainFrame.h"
#include "WidgetTestApplication.h"
#include "app/FakeApplicationShell.h"
#include "app/NUVApp.h"
#include "platform/MessageBox.h"

#include "support/QStringPrinter.h"

#include <QDockWidget>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

class MainFrameWindow : public ::testing::Test {
protected:
    void SetUp() override {
        Application();
        ASSERT_TRUE(m_dir.isValid());
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_dir.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath("config")));
    }
    void TearDown() override {
        qunsetenv("XDG_RUNTIME_DIR");
        qunsetenv("XDG_CONFIG_HOME");
    }

    QTemporaryDir m_dir;
};

QStringList MenuBarCaptions(const CMainFrame& frame) {
    QStringList captions;
    for (QAction* action : frame.menuBar()->actions())
        captions << action->text();
    return captions;
}

QMenu* TopMenu(const CMainFrame& frame, int index) {
    return frame.menuBar()->actions().at(index)->menu();
}

} // namespace

TEST_F(MainFrameWindow, MenusAreCaptionedAndGreyedAsTheDocumentAllows) {
    FakeShell shell;
    CNUVApp app(shell);
    CMainFrame frame(app);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));

    // Without a document: the short menu, the document's commands greyed.
    EXPECT_EQ(MenuBarCaptions(frame), QStringList({"&File", "&View", "&Help", "&Language"}));
    EXPECT_FALSE(frame.CommandAction(57603)->isEnabled());
    EXPECT_FALSE(frame.CommandAction(MainFrameCommand::InspectAll)->isEnabled());
    EXPECT_TRUE(frame.CommandAction(MainFrameCommand::FileNew)->isEnabled());

    ASSERT_TRUE(app.InitEditorInstance({"nuv"}));
    frame.OnUpdateFrameTitle(app.DocumentName());
    EXPECT_EQ(frame.windowTitle(), "NUV FreeMind Map file converter - NUV");
    EXPECT_EQ(MenuBarCaptions(frame),
              QStringList({"&File", "&Edit", "&View", "&Terminology", "&Inspections", "&Vesk", "&Fonts",
                           "&Environmental settings", "&Collaboration", "&Help", "&Language"}));
    QMenu* file = TopMenu(frame, 0);
    emit file->aboutToShow();
    EXPECT_EQ(file->actions().at(0)->text(), "&New");
    EXPECT_EQ(file->actions().at(6)->text(), "&Import and export");
    EXPECT_TRUE(frame.CommandAction(57603)->isEnabled());

    // In the inspection menu, the single inspections of the current unit function stay greyed.
    QMenu* inspections = TopMenu(frame, 4);
    emit inspections->aboutToShow();
    EXPECT_EQ(inspections->actions().at(0)->text(), "&Inspect Current function");
    QMenu* current = inspections->actions().at(0)->menu();
    ASSERT_NE(current, nullptr);
    EXPECT_FALSE(current->actions().at(0)->isEnabled());
    EXPECT_TRUE(current->actions().at(4)->isEnabled());
    // Copy needs a tab; there is none yet.
    EXPECT_FALSE(frame.CommandAction(57634)->isEnabled());

    // The look chosen carries the mark.
    frame.OnCommand(216);
    EXPECT_TRUE(frame.CommandAction(216)->isChecked());
    EXPECT_FALSE(frame.CommandAction(214)->isChecked());
    // Shortcuts come from the table.
    EXPECT_EQ(frame.CommandAction(MainFrameCommand::InspectAll)->shortcut(), QKeySequence("Ctrl+Shift+I"));
}

TEST_F(MainFrameWindow, PanesAreOneTabbedGroupBesideTheTabArea) {
    FakeShell shell;
    CNUVApp app(shell);
    CMainFrame frame(app);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));

    QDockWidget* outline = frame.Pane(MainFrameCommand::OutlineIndexPane);
    ASSERT_NE(outline, nullptr);
    EXPECT_EQ(outline->windowTitle(), "Outline number orderd table of contents");
    const QList<QDockWidget*> tabbed = frame.tabifiedDockWidgets(outline);
    EXPECT_EQ(tabbed.size(), 5);
    QStringList captions;
    for (QDockWidget* pane : tabbed)
        captions << pane->windowTitle();
    EXPECT_TRUE(captions.contains("Messages"));
    EXPECT_TRUE(captions.contains("Notes"));
    EXPECT_EQ(frame.dockWidgetArea(outline), Qt::LeftDockWidgetArea);
    EXPECT_EQ(frame.centralWidget(), frame.TabArea());

    // A pane closed by the user comes back through its command.
    QDockWidget* hierarchical = frame.Pane(MainFrameCommand::HierarchicalIndexPane);
    hierarchical->close();
    frame.OnCommand(MainFrameCommand::ShowHierarchicalIndex);
    EXPECT_TRUE(hierarchical->isVisible());

    EXPECT_EQ(frame.StandardToolBar()->windowTitle(), "標準");
    EXPECT_EQ(frame.NavigationToolBar()->actions().size(), 2);
}

TEST_F(MainFrameWindow, ADocumentOpensForEditingOrSaysWhyNot) {
    const QString path = m_dir.filePath("layout.nuv");
    ASSERT_TRUE(QFile::copy(NUV_TEST_DATA_DIR "/docfile/layout.nuv", path));
    FakeShell shell;
    CNUVApp app(shell);
    ASSERT_TRUE(app.InitEditorInstance({"nuv", path}));
    EXPECT_EQ(app.OpenMode(), CNUVApp::Editing);
    EXPECT_EQ(shell.title, "layout.nuv");
    EXPECT_TRUE(QFile::exists(m_dir.filePath("~$layout.nuv")));
    app.CloseDocument();
    EXPECT_FALSE(QFile::exists(m_dir.filePath("~$layout.nuv")));

    platform::ScriptedMessageSink messages;
    EXPECT_FALSE(app.OpenDocumentFile(NUV_TEST_DATA_DIR "/docfile/malformed.nuv"));
    EXPECT_FALSE(app.OpenDocumentFile(m_dir.filePath("missing.nuv")));
    EXPECT_EQ(messages.Texts(),
              QStringList({"ファイルを読み込むことができませんでした。", "ファイルを開くことができませんでした。"}));
    EXPECT_EQ(app.DocumentData().DataReady, 0);
    EXPECT_EQ(app.OpenMode(), CNUVApp::NoDocument);
}
