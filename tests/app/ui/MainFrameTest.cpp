#include "app/ui/MainFrame.h"
#include "app/AppDirectories.h"
#include "app/ApplicationLooks.h"
#include "app/FakeApplicationShell.h"
#include "app/LinkTarget.h"
#include "app/NUVApp.h"
#include "app/NUVDoc.h"
#include "app/ui/AboutDialog.h"
#include "app/ui/ChildFrame.h"
#include "app/ui/FindReplaceDlg.h"
#include "app/ui/StartUpDialog.h"
#include "app/ui/WidgetShell.h"
#include "editor/LogicEditCommandMap.h"
#include "editor/ui/FunctionContentView.h"
#include "editor/ui/FunctionView.h"
#include "editor/ui/InputView.h"
#include "editor/ui/JumpDlg.h"
#include "editor/ui/NUVView.h"
#include "editor/ui/OutputView.h"
#include "editor/ui/SplREdit.h"
#include "logic/ui/CheckDlg.h"
#include "logic/ui/InspectionViewEdit.h"
#include "model/UnitFunction.h"
#include "platform/MessageBox.h"
#include "platform/UserSettings.h"
#include "search/FindResultSet.h"
#include "search/SearchCommand.h"
#include "search/ui/SearchDialogs.h"
#include "settings/ui/SettingsCommands.h"
#include "settings/ui/VocabularyCommands.h"
#include "texts/StringTable.h"
#include "views/ui/FunctionListView.h"
#include "views/ui/LexicographicalView.h"

#include "support/ProgramRun.h"
#include "support/QStringPrinter.h"
#include "support/logic/LogicScript.h"
#include "support/ui/DialogChecks.h"
#include "support/ui/InspectionPaneClicks.h"
#include "support/ui/SidePaneChecks.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidgetItemIterator>

#include <atomic>

#include <gtest/gtest.h>

#include <thread>

namespace {

class MainFrameWindow : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.IsValid()); }

    AppDirectories m_dir;
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

// The entries of a list the window fills as the menu shows: the actions of the commands first to last.
QList<QAction*> ListEntries(QMenu* menu, int first, int last) {
    emit menu->aboutToShow();
    QList<QAction*> entries;
    for (QAction* action : menu->actions()) {
        if (action->data().toInt() >= first && action->data().toInt() <= last)
            entries << action;
    }
    return entries;
}

// A shown main window over an application with its fake shell.
struct Window {
    FakeShell shell;
    CNUVApp app{shell};
    CMainFrame frame{app};
};

// Shows the window and opens the file for editing through File Open.
void OpenThroughFileOpen(Window& window, const QString& path) {
    window.frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window.frame));
    ASSERT_TRUE(window.app.InitEditorInstance({"nuv"}));
    window.shell.openPath = path;
    window.frame.OnCommand(MainFrameCommand::FileOpen);
    ASSERT_EQ(window.app.Document().OpenMode(), COpenDocument::Editing);
}

QString ActiveFunctionName(CNUVApp& app) {
    CNUVDoc* tab = app.Tabs().GetActiveTab();
    return tab && tab->m_pUnitFunction ? tab->m_pUnitFunction->name : QString();
}

// What the active tab reads: its outline number and name.
QString ActiveTabTitle(CNUVApp& app) {
    CNUVDoc* tab = app.Tabs().GetActiveTab();
    return tab && tab->m_pUnitFunction
               ? tab->m_pUnitFunction->GetOutlineNumberText(false) + u' ' + tab->m_pUnitFunction->name.left(16)
               : QString();
}

// The tabs whose close button shows.
QList<int> VisibleCloseButtons(QTabWidget& tabs) {
    QList<int> shown;
    for (int i = 0; i < tabs.count(); ++i) {
        for (QTabBar::ButtonPosition side : {QTabBar::LeftSide, QTabBar::RightSide}) {
            if (QWidget* button = tabs.tabBar()->tabButton(i, side); button && !button->isHidden())
                shown << i;
        }
    }
    return shown;
}

template <class Dialog> Dialog* ShownDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<Dialog*>(widget); dialog && dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

// Opens the tab of the unit function, with the condition and output panes the document's layout shows.
CChildFrame& OpenTabWithPanes(Window& window, const QString& name) {
    CDocumentData& data = window.app.Document().DocumentData();
    data.headerIOSettings.Input = 1;
    data.headerIOSettings.Output = 1;
    CUnitFunction* function = data.registry.FindByName(name);
    EXPECT_TRUE(function && window.app.Tabs().OpenFunctionTab(function));
    CChildFrame* tab = window.frame.TabWindow(*window.app.Tabs().GetActiveTab());
    tab->ApplyPaneLayout();
    QCoreApplication::processEvents();
    return *tab;
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
    // Print follows Save As, on the toolbar too; print preview, the line-mark search and settings and the differences
    // have no rule: they stay enabled.
    EXPECT_FALSE(frame.CommandAction(MainFrameCommand::Print)->isEnabled());
    for (int id : {33017, 33013, 33014, 33022})
        EXPECT_TRUE(frame.CommandAction(id)->isEnabled()) << id;

    ASSERT_TRUE(app.InitEditorInstance({"nuv"}));
    frame.OnUpdateFrameTitle(app.Document().DocumentName());
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
    // No item is ever linked: the link settings stay greyed.
    EXPECT_FALSE(frame.CommandAction(MainFrameCommand::LinkSettings)->isEnabled());

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
    // The two inspection buttons read as their own commands; their menu items keep the submenus' wording.
    const auto button = [&frame](int id) {
        return qobject_cast<QToolButton*>(frame.StandardToolBar()->widgetForAction(frame.CommandAction(id)));
    };
    EXPECT_EQ(button(MainFrameCommand::InspectCurrentUnitFunction)->text(), "Inspect Current function");
    EXPECT_EQ(button(MainFrameCommand::InspectAll)->toolTip(), "Inspect All functions");
    EXPECT_EQ(frame.CommandAction(MainFrameCommand::InspectAll)->text(),
              frame.CommandAction(MainFrameCommand::InspectCurrentUnitFunction)->text());
}

TEST_F(MainFrameWindow, ADocumentOpensForEditingOrSaysWhyNot) {
    const QString path = m_dir.Path("layout.nuv");
    ASSERT_TRUE(QFile::copy(NUV_TEST_DATA_DIR "/docfile/layout.nuv", path));
    FakeShell shell;
    CNUVApp app(shell);
    ASSERT_TRUE(app.InitEditorInstance({"nuv", path}));
    EXPECT_EQ(app.Document().OpenMode(), COpenDocument::Editing);
    EXPECT_EQ(shell.title, "layout.nuv");
    EXPECT_TRUE(QFile::exists(m_dir.Path("~$layout.nuv")));
    app.CloseDocument();
    EXPECT_FALSE(QFile::exists(m_dir.Path("~$layout.nuv")));

    platform::ScriptedMessageSink messages;
    EXPECT_FALSE(app.OpenDocumentFile(NUV_TEST_DATA_DIR "/docfile/malformed.nuv"));
    EXPECT_FALSE(app.OpenDocumentFile(m_dir.Path("missing.nuv")));
    EXPECT_EQ(messages.Texts(),
              QStringList({"ファイルを読み込むことができませんでした。", "ファイルを開くことができませんでした。"}));
    EXPECT_EQ(app.Document().DocumentData().DataReady, 0);
    EXPECT_EQ(app.Document().OpenMode(), COpenDocument::NoDocument);
}

TEST_F(MainFrameWindow, TheTabsOfAnOpenedDocumentFollowTheHistory) {
    const QString path = m_dir.Path("layout.nuv");
    ASSERT_TRUE(QFile::copy(NUV_TEST_DATA_DIR "/docfile/layout.nuv", path));
    // File Open asks through the shell; the stored tabs come back, the selected one in front.
    Window window;
    ASSERT_NO_FATAL_FAILURE(OpenThroughFileOpen(window, path));
    CNUVApp& app = window.app;
    CMainFrame& frame = window.frame;
    QTabWidget* tabs = frame.TabArea();
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(tabs->currentIndex()), ActiveTabTitle(app));
    const QString first = tabs->tabText(0);
    const QString second = tabs->tabText(1);
    EXPECT_EQ(second, ActiveTabTitle(app));
    QAction* back = frame.CommandAction(MainFrameCommand::NavigateBack);
    QAction* forward = frame.CommandAction(MainFrameCommand::NavigateForward);
    EXPECT_TRUE(back->isEnabled());
    EXPECT_FALSE(forward->isEnabled());

    back->trigger();
    EXPECT_EQ(tabs->tabText(tabs->currentIndex()), first);
    EXPECT_EQ(ActiveTabTitle(app), first);
    EXPECT_FALSE(back->isEnabled());
    EXPECT_TRUE(forward->isEnabled());

    // The history list of the Go submenu: one entry per position, the current one checked; an entry goes there.
    QMenu* view = TopMenu(frame, 2);
    emit view->aboutToShow();
    QMenu* go = nullptr;
    for (QAction* action : view->actions()) {
        if (action->menu() && action->menu()->actions().contains(back))
            go = action->menu();
    }
    ASSERT_NE(go, nullptr);
    const QList<QAction*> history =
        ListEntries(go, MainFrameCommand::HistoryEntryFirst, MainFrameCommand::HistoryEntryLast);
    ASSERT_EQ(history.size(), 2);
    // Each entry reads as its tab does.
    EXPECT_EQ(history[0]->text(), first);
    EXPECT_EQ(history[1]->text(), second);
    EXPECT_TRUE(history[0]->isChecked());
    EXPECT_FALSE(history[1]->isChecked());
    history[1]->trigger();
    EXPECT_EQ(tabs->tabText(tabs->currentIndex()), second);
    const QString secondName = ActiveFunctionName(app);

    // The user's click on a tab reaches the history.
    tabs->setCurrentIndex(0);
    EXPECT_EQ(ActiveTabTitle(app), first);
    EXPECT_TRUE(back->isEnabled());
    // Only the active tab carries a close button.
    EXPECT_EQ(VisibleCloseButtons(*tabs), QList<int>{0});
    tabs->setCurrentIndex(1);
    EXPECT_EQ(VisibleCloseButtons(*tabs), QList<int>{1});

    // Lowering the tab limit on the display page closes the least recently used tabs beyond it.
    CDocumentData& data = app.Document().DocumentData();
    data.MaximumNumberOfTabs = 5;
    ASSERT_TRUE(app.Tabs().OpenFunctionTab(data.registry.origin));
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(VisibleCloseButtons(*tabs), QList<int>{2});
    tabs->setCurrentIndex(0);
    data.MaximumNumberOfTabs = 2;
    static_cast<CSettingsHost&>(frame).ApplyTabLimit();
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), first);
    EXPECT_EQ(tabs->tabText(1), "0 " + data.registry.origin->name);
    emit tabs->tabCloseRequested(1);
    ASSERT_EQ(tabs->count(), 1);
    EXPECT_EQ(VisibleCloseButtons(*tabs), QList<int>{0});
    ASSERT_TRUE(app.Tabs().OpenFunctionTab(data.registry.FindByName(secondName)));
    tabs->setCurrentIndex(0);

    // Closing every tab leaves the origin's tab.
    emit tabs->tabCloseRequested(0);
    ASSERT_EQ(tabs->count(), 1);
    EXPECT_EQ(tabs->tabText(0), second);
    emit tabs->tabCloseRequested(0);
    ASSERT_EQ(tabs->count(), 1);
    EXPECT_EQ(tabs->tabText(0), "0 " + app.Document().DocumentData().registry.origin->name);
    EXPECT_EQ(ActiveTabTitle(app), tabs->tabText(0));

    // The file is in the recent-file list of the File menu, and its entry opens it.
    app.CloseDocument();
    EXPECT_EQ(tabs->count(), 0);
    const QList<QAction*> recent =
        ListEntries(TopMenu(frame, 0), MainFrameCommand::RecentFileFirst, MainFrameCommand::RecentFileLast);
    ASSERT_EQ(recent.size(), 1);
    EXPECT_TRUE(recent[0]->text().endsWith("layout.nuv"));
    recent[0]->trigger();
    EXPECT_EQ(app.Document().OpenMode(), COpenDocument::Editing);
    EXPECT_EQ(tabs->count(), 2);
}

TEST_F(MainFrameWindow, SaveFromTheMenuWritesAndACancelledCloseKeepsTheWindow) {
    const QString path = m_dir.Path("layout.nuv");
    ASSERT_TRUE(QFile::copy(NUV_TEST_DATA_DIR "/docfile/layout.nuv", path));
    FakeShell shell;
    CNUVApp app(shell);
    CMainFrame frame(app);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    ASSERT_TRUE(app.InitEditorInstance({"nuv", path}));

    // Save As writes where the prompt answers.
    const QString copy = m_dir.Path("copy.nuv");
    shell.savePath = copy;
    app.Document().SetModified();
    frame.OnCommand(MainFrameCommand::FileSaveAs);
    EXPECT_TRUE(QFile::exists(copy));
    EXPECT_FALSE(app.Document().IsModified());

    // Save writes the held file; deleted meanwhile, it is written again once the user says so.
    QFile::remove(copy);
    app.Document().SetModified();
    {
        platform::ScriptedMessageSink asked;
        asked.Answer(platform::MessageAnswer::Yes);
        frame.CommandAction(MainFrameCommand::FileSave)->trigger();
        EXPECT_EQ(asked.Requests().size(), 1);
    }
    EXPECT_TRUE(QFile::exists(copy));
    EXPECT_FALSE(app.Document().IsModified());

    // Cancel on the unsaved-changes question keeps the window and the changes.
    app.Document().SetModified();
    platform::ScriptedMessageSink messages;
    messages.Answer(platform::MessageAnswer::Cancel);
    EXPECT_FALSE(frame.close());
    EXPECT_TRUE(frame.isVisible());
    EXPECT_TRUE(app.Document().IsModified());
    EXPECT_EQ(messages.Requests().size(), 1);
    EXPECT_EQ(app.Document().OpenMode(), COpenDocument::Editing);
}

TEST_F(MainFrameWindow, TheAutoSaveTimerIsTheWindows) {
    const QString path = m_dir.Path("layout.nuv");
    ASSERT_TRUE(QFile::copy(NUV_TEST_DATA_DIR "/docfile/layout.nuv", path));
    CWidgetShell shell(false, m_dir.Root());
    CNUVApp app(shell);
    ASSERT_TRUE(app.InitEditorInstance({"nuv", path}));
    CMainFrame* frame = shell.MainFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->TabArea()->count(), 2);

    app.Document().DocumentData().AutoSaveOnOff = 1;
    app.Document().DocumentData().AutoSaveInterval = 10;
    app.Document().StartAutoSaveTimer();
    EXPECT_EQ(frame->AutoSaveInterval(), 600000);
    // The settings page's change takes effect at once: another interval, off, on again.
    app.Document().DocumentData().AutoSaveInterval = 1;
    static_cast<CSettingsHost&>(*frame).ApplyAutoSaveSetting();
    EXPECT_EQ(frame->AutoSaveInterval(), 60000);
    app.Document().DocumentData().AutoSaveOnOff = 0;
    static_cast<CSettingsHost&>(*frame).ApplyAutoSaveSetting();
    EXPECT_EQ(frame->AutoSaveInterval(), 0);
    app.Document().DocumentData().AutoSaveOnOff = 1;
    static_cast<CSettingsHost&>(*frame).ApplyAutoSaveSetting();
    EXPECT_EQ(frame->AutoSaveInterval(), 60000);
    app.Document().SetModified(false);
    EXPECT_TRUE(app.CloseDocument());
    EXPECT_EQ(frame->AutoSaveInterval(), 0);
    shell.DestroyMainWindow();
}

// Drops the files on the widget as the desktop does at the end of a drag.
void DropFiles(QWidget* target, const QStringList& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    data.setText(urls.first().toString());
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

TEST_F(MainFrameWindow, ADocumentDroppedOnTheWindowOpensAsFileOpenWould) {
    Window window;
    window.frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window.frame));
    ASSERT_TRUE(window.app.InitEditorInstance({"nuv"}));
    const QString first = SaveScriptDocument(m_dir.Path("first.nuv"), {{"Main", "Do <A>{a}"}});
    const QString second = SaveScriptDocument(m_dir.Path("second.nuv"), {{"Main", "Do <B>{b}"}});
    CNUVApp& app = window.app;

    // On the content text the document opens here; its path is not typed into the text.
    CChildFrame* tab = window.frame.TabWindow(*app.Tabs().GetActiveTab());
    ASSERT_NE(tab, nullptr);
    CFunctionContentView* content = tab->ContentView();
    DropFiles(content->viewport(), {m_dir.Path("notes.txt"), first});
    EXPECT_EQ(app.Document().DocumentPath(), first);
    EXPECT_EQ(app.Document().OpenMode(), COpenDocument::Editing);
    EXPECT_TRUE(window.shell.started.empty());

    // On the tab bar another document goes to a process of its own, as File Open sends it; other files do nothing.
    DropFiles(window.frame.TabArea()->tabBar(), {m_dir.Path("a.txt")});
    EXPECT_TRUE(window.shell.started.empty());
    DropFiles(window.frame.TabArea()->tabBar(), {second});
    ASSERT_EQ(window.shell.started.size(), 1u);
    EXPECT_TRUE(window.shell.started[0].contains(second));
    EXPECT_EQ(app.Document().DocumentPath(), first);

    // On the logic editor likewise; its lines take nothing of the drop.
    ASSERT_TRUE(app.Tabs().OpenFunctionTab(app.Document().DocumentData().registry.FindByName("Main")));
    CSplREdit& editor = window.frame.TabWindow(*app.Tabs().GetActiveTab())->FunctionView()->Editor();
    const QString lines = editor.toPlainText();
    DropFiles(editor.viewport(), {second});
    EXPECT_EQ(window.shell.started.size(), 2u);
    EXPECT_EQ(editor.toPlainText(), lines);
}

TEST_F(MainFrameWindow, FindAndReplaceSearchTheActiveLogicEditorFromTheCaretLine) {
    Window window;
    ASSERT_NO_FATAL_FAILURE(OpenThroughFileOpen(
        window, SaveScriptDocument(m_dir.Path("w.nuv"), {{"Main", "Do <lamp>{on}\nDo <door>{open}\nDo <lamp>{off}"}})));
    CMainFrame& frame = window.frame;
    CNUVApp& app = window.app;
    ASSERT_TRUE(app.Tabs().OpenFunctionTab(app.Document().DocumentData().registry.FindByName("Main")));
    CSplREdit& editor = frame.TabWindow(*app.Tabs().GetActiveTab())->FunctionView()->Editor();
    ASSERT_EQ(editor.Model().RecordCount(), 3);
    // Where the text slots begin, as the editor records it for the lines it makes.
    for (int line = 0; line < 3; ++line)
        editor.Model().Record(line)->Home = 3;
    editor.Model().SetCaret(1, 0);

    // Find: modeless, centred over the window, the other modeless dialogs hidden; the search starts at the caret.
    frame.CommandAction(CommandAdvancedSearch)->trigger();
    ASSERT_NE(ShownDialog<CAdvancedSearchDlg>(), nullptr);
    frame.CommandAction(MainFrameCommand::Find)->trigger();
    CFindReplaceDlg* find = frame.FindReplaceDialog(false);
    ASSERT_NE(find, nullptr);
    EXPECT_TRUE(find->isVisible() && !find->isModal());
    EXPECT_EQ(ShownDialog<CAdvancedSearchDlg>(), nullptr);
    EXPECT_EQ(find->frameGeometry().center().x() / 10, frame.frameGeometry().center().x() / 10);
    find->FindBox()->setText("lamp");
    emit find->FindNextRequested(find->FindBox()->text());
    EXPECT_EQ(editor.Model().SelectionStart(), (EditPosition{2, 3}));
    EXPECT_EQ(editor.Model().SelectedText(), "lamp");
    emit find->FindNextRequested("lamp");
    EXPECT_EQ(editor.Model().SelectionStart(), (EditPosition{0, 3}));

    // Replace: the Find dialog goes; the selected occurrence is replaced and the next one selected.
    frame.CommandAction(MainFrameCommand::Replace)->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frame.FindReplaceDialog(false), nullptr);
    CFindReplaceDlg* replace = frame.FindReplaceDialog(true);
    ASSERT_NE(replace, nullptr);
    ASSERT_NE(replace->ReplaceBox(), nullptr);
    emit replace->FindNextRequested("lamp");
    emit replace->ReplaceRequested("lamp", "light");
    EXPECT_EQ(editor.Model().LineText(0), "Do<light>{on}");
    EXPECT_EQ(editor.Model().SelectedText(), "lamp");
    EXPECT_EQ(editor.Model().SelectionStart(), (EditPosition{2, 3}));
    replace->close();
    app.Document().SetModified(false);
}

TEST_F(MainFrameWindow, ShowingAModelessDialogHidesTheOthersAndDestroysTheFindDialogs) {
    Window window;
    ASSERT_NO_FATAL_FAILURE(
        OpenThroughFileOpen(window, SaveScriptDocument(m_dir.Path("m.nuv"), {{"Main", "Do <lamp>{on}"}})));
    CMainFrame& frame = window.frame;
    frame.CommandAction(MainFrameCommand::Find)->trigger();
    ASSERT_NE(frame.FindReplaceDialog(false), nullptr);
    frame.CommandAction(CommandAdvancedSearch)->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frame.FindReplaceDialog(false), nullptr);
    ASSERT_NE(ShownDialog<CAdvancedSearchDlg>(), nullptr);
    frame.CommandAction(CommandReplaceAll)->trigger();
    EXPECT_EQ(ShownDialog<CAdvancedSearchDlg>(), nullptr);
    ASSERT_NE(ShownDialog<CAllReplaceDlg>(), nullptr);
    frame.CommandAction(CommandRegisterUnregisteredMemberName)->trigger();
    EXPECT_EQ(ShownDialog<CAllReplaceDlg>(), nullptr);
    ASSERT_NE(ShownDialog<CAddMemberDlg>(), nullptr);
    frame.CommandAction(CommandAdvancedSearch)->trigger();
    EXPECT_EQ(ShownDialog<CAddMemberDlg>(), nullptr);
    CAdvancedSearchDlg* search = ShownDialog<CAdvancedSearchDlg>();
    ASSERT_NE(search, nullptr);
    search->close();
}

// The boxes, then the buttons beside them.
TEST(FindReplaceDialog, TabFollowsTheReadingOrder) {
    const CMessageContext context;
    CModelessDialogs dialogs;
    for (const bool replace : {false, true}) {
        CFindReplaceDlg dialog(context, replace, dialogs, nullptr);
        dialog_checks::ExpectReadingOrder(dialog);
    }
}

TEST_F(MainFrameWindow, CommandsComeBackWhenAWorkerEnds) {
    Window window;
    ASSERT_NO_FATAL_FAILURE(
        OpenThroughFileOpen(window, SaveScriptDocument(m_dir.Path("w.nuv"), {{"Main", "Do <A>{a}"}})));
    CMainFrame& frame = window.frame;
    QAction* settings = frame.CommandAction(CommandEnvironmentSettings);
    QAction* save = frame.CommandAction(MainFrameCommand::FileSave);
    ASSERT_TRUE(settings->isEnabled());

    std::atomic<bool> release = false;
    frame.Messages().PostStartWorker(
        [&release] {
            while (!release)
                QThread::msleep(1);
            return false;
        },
        false);
    QCoreApplication::processEvents();
    ASSERT_TRUE(window.app.Document().IsWorkerRunning());
    EXPECT_FALSE(settings->isEnabled());
    EXPECT_FALSE(save->isEnabled());
    release = true;
    QTRY_VERIFY(!window.app.Document().IsWorkerRunning());
    QCoreApplication::processEvents();
    EXPECT_TRUE(settings->isEnabled());
    EXPECT_TRUE(save->isEnabled());

    // What changes while a modal dialog runs shows when it ends.
    QDialog dialog(&frame);
    QTimer::singleShot(0, &dialog, [&] {
        window.app.Document().BeginWork(COpenDocument::Work::Worker);
        dialog.accept();
    });
    dialog.exec();
    EXPECT_FALSE(settings->isEnabled());
    QTimer::singleShot(0, &dialog, [&] {
        window.app.Document().EndWork(COpenDocument::Work::Worker);
        dialog.accept();
    });
    dialog.exec();
    EXPECT_TRUE(settings->isEnabled());
}

// The replace-all runs on a worker; at its end the list pane in front shows the names it gave.
TEST_F(MainFrameWindow, AReplaceAllThatRenamesReachesTheListPane) {
    Window window;
    ASSERT_NO_FATAL_FAILURE(OpenThroughFileOpen(
        window, SaveScriptDocument(m_dir.Path("r.nuv"), {{"Main", "Fn Sub one"}, {"Sub one", "Do <A>{a}"}})));
    CMainFrame& frame = window.frame;
    frame.ShowPane(MainFrameCommand::FunctionListPane);
    auto* list = qobject_cast<CFunctionListView*>(frame.Pane(MainFrameCommand::FunctionListPane)->widget());
    ASSERT_NE(list, nullptr);
    QTRY_VERIFY(list->isVisible());
    const auto names = [list] {
        QStringList shown;
        for (int row = 0; row < list->List()->rowCount(); ++row)
            shown << list->List()->item(row, CFunctionListRows::NameColumn)->text();
        shown.sort();
        return shown;
    };
    ASSERT_EQ(names(), (QStringList{"Main", "Sub one"}));

    frame.OnCommand(CommandReplaceAll);
    auto* replace = ShownDialog<CAllReplaceDlg>();
    ASSERT_NE(replace, nullptr);
    replace->FindBox()->setText("one");
    replace->ReplaceBox()->setText("two");
    replace->Box(1080)->setChecked(true);
    QTest::mouseClick(replace->ReplaceButton(), Qt::LeftButton);
    QCoreApplication::processEvents();
    QTRY_VERIFY(!window.app.Document().IsWorkerRunning());
    ASSERT_TRUE(window.app.Document().DocumentData().registry.FindByName("Sub two"));
    EXPECT_EQ(names(), (QStringList{"Main", "Sub two"}));
    replace->hide();
    window.app.Document().SetModified(false);
    EXPECT_TRUE(window.app.CloseDocument());
}

TEST_F(MainFrameWindow, TheTotalInspectionFillsTheMessagesPaneAndAFindingOpensItsTab) {
    const QString path = SaveScriptDocument(
        m_dir.Path("d.nuv"),
        {{"Main", "if <A>{a}\nFn Sub\nelse\nFn Sub\nendif"}, {"Sub", "Do <X>{S}\nDo <X>{S}"}, {"Empty", "(: nothing"}});
    const ProgramRun printed = RunProgram(QStringLiteral("nuvinspect"), {"inspect", path, "--all"});
    ASSERT_EQ(printed.exitCode, 0) << printed.standardError.toStdString();

    Window window;
    ASSERT_NO_FATAL_FAILURE(OpenThroughFileOpen(window, path));
    CNUVApp& app = window.app;
    CMainFrame& frame = window.frame;
    QDockWidget* messages = frame.Pane(MainFrameCommand::MessagesPane);
    auto* edit = qobject_cast<CInspectionViewEdit*>(messages->widget());
    ASSERT_NE(edit, nullptr);
    frame.Pane(MainFrameCommand::OutlineIndexPane)->raise();

    // While the run goes every command is greyed and the auto-save tick is held.
    bool greyedWhileRunning = false;
    bool workerRunning = false;
    QObject::connect(&frame.InspectionPane(), &CInspectionView::Cleared, &frame, [&] {
        greyedWhileRunning = !frame.CommandAction(MainFrameCommand::FileSave)->isEnabled() &&
                             !frame.CommandAction(MainFrameCommand::InspectAll)->isEnabled();
        workerRunning = app.Document().IsWorkerRunning();
    });
    frame.OnCommand(MainFrameCommand::InspectAll);
    EXPECT_TRUE(greyedWhileRunning);
    EXPECT_TRUE(workerRunning);
    EXPECT_FALSE(app.Document().IsWorkerRunning());
    EXPECT_TRUE(frame.CommandAction(MainFrameCommand::InspectAll)->isEnabled());
    EXPECT_TRUE(messages->isVisible());
    EXPECT_EQ(edit->Lines(), printed.Lines());

    // A finding of the called unit function opens its tab in front.
    const int finding = static_cast<int>(edit->Lines().indexOf(QRegularExpression("\\[1 Line 2\\].*")));
    ASSERT_GE(finding, 0) << edit->Lines().join('\n').toStdString();
    DoubleClickLine(*edit, finding);
    QTabWidget* tabs = frame.TabArea();
    EXPECT_EQ(tabs->tabText(tabs->currentIndex()), "1 Sub");
    EXPECT_EQ(ActiveFunctionName(app), "Sub");

    // The condition/conclusion list dialog opens over the window.
    CCheckDlg* list = nullptr;
    QTimer::singleShot(0, &frame, [&] {
        list = qobject_cast<CCheckDlg*>(QApplication::activeModalWidget());
        if (list)
            list->reject();
    });
    frame.OnCommand(MainFrameCommand::ConditionConclusionList);
    ASSERT_NE(list, nullptr);

    // A record line written on a worker moves the document's results time on this thread.
    app.Document().DocumentData().resultsTime = 0;
    std::thread worker([&] { frame.InspectionPane().AddLine("record", nullptr, 0); });
    worker.join();
    EXPECT_EQ(app.Document().DocumentData().resultsTime, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(app.Document().DocumentData().resultsTime, frame.InspectionPane().ResultsTime());

    app.Document().SetModified(false);
    EXPECT_TRUE(app.CloseDocument());
}

// The tab bar holds the focus when nothing else took it, as after a document opened: a click on a reopened tab
// takes the focus into that tab, and the outline-ordered tree follows; a click in the tree still opens what it
// clicks.
TEST_F(MainFrameWindow, TheTreeFollowsAClickOnAReopenedTabWhileTheTabBarHasTheFocusAndOpensWhatItClicks) {
    const QString path = m_dir.Path("layout.nuv");
    ASSERT_TRUE(QFile::copy(NUV_TEST_DATA_DIR "/docfile/layout.nuv", path));
    Window window;
    ASSERT_NO_FATAL_FAILURE(OpenThroughFileOpen(window, path));
    CMainFrame& frame = window.frame;
    frame.ShowPane(MainFrameCommand::OutlineIndexPane);
    auto* tree = qobject_cast<CLexicographicalView*>(frame.Pane(MainFrameCommand::OutlineIndexPane)->widget());
    ASSERT_NE(tree, nullptr);
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    QTabBar* bar = frame.TabArea()->tabBar();
    ASSERT_EQ(bar->count(), 2);
    QCoreApplication::processEvents();
    const auto treeShows = [&] {
        const CAbstractIndexItem* item = CLexicographicalView::IndexItem(tree->currentItem());
        return item ? item->unitFunction : nullptr;
    };
    for (int index : {0, 1, 0}) {
        bar->setFocus(Qt::ActiveWindowFocusReason);
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
        QCoreApplication::processEvents();
        ASSERT_EQ(bar->currentIndex(), index);
        CUnitFunction* active = window.app.Tabs().ActiveTabFunction();
        ASSERT_NE(active, nullptr);
        EXPECT_EQ(treeShows(), active) << index;
        EXPECT_TRUE(frame.TabArea()->widget(index)->isAncestorOf(QApplication::focusWidget())) << index;
    }
    // Having followed the tabs, the tree opens each unit function clicked in it.
    int clicked = 0;
    for (QTreeWidgetItemIterator entry(tree); *entry; ++entry) {
        tree->scrollToItem(*entry);
        const QRect place = tree->visualItemRect(*entry);
        if (!place.isValid())
            continue;
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, place.center());
        QCoreApplication::processEvents();
        EXPECT_EQ(window.app.Tabs().ActiveTabFunction(), CLexicographicalView::IndexItem(*entry)->unitFunction)
            << (*entry)->text(0).toStdString();
        ++clicked;
    }
    EXPECT_GE(clicked, 2);
    window.app.Document().SetModified(false);
}

TEST_F(MainFrameWindow, BackAndForwardFollowATabActivatedFromOutsideTheTabBar) {
    const QString path = m_dir.Path("layout.nuv");
    ASSERT_TRUE(QFile::copy(NUV_TEST_DATA_DIR "/docfile/layout.nuv", path));
    Window window;
    ASSERT_NO_FATAL_FAILURE(OpenThroughFileOpen(window, path));
    CNUVApp& app = window.app;
    QAction* back = window.frame.CommandAction(MainFrameCommand::NavigateBack);
    QAction* forward = window.frame.CommandAction(MainFrameCommand::NavigateForward);
    back->trigger();
    ASSERT_FALSE(back->isEnabled());
    ASSERT_TRUE(forward->isEnabled());

    // A finding or the index opens the other tab again: no menu opens in between.
    CUnitFunction* other = app.Tabs().History().Entries().back()->m_pUnitFunction;
    app.Tabs().OpenFunctionTab(other);
    EXPECT_EQ(ActiveFunctionName(app), other->name);
    EXPECT_TRUE(back->isEnabled());
    EXPECT_FALSE(forward->isEnabled());
    app.Document().SetModified(false);
}

TEST_F(MainFrameWindow, TheEditorShowsItsMenusInTheLanguageStoredForIt) {
    CWidgetShell shell(false, m_dir.Root());
    {
        CNUVApp app(shell);
        platform::ScriptedMessageSink messages;
        app.SwitchToJapanese();
    }
    CNUVApp app(shell);
    ASSERT_TRUE(app.InitEditorInstance({"nuv"}));
    CMainFrame* frame = shell.MainFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(MenuBarCaptions(*frame).front(), "ファイル(&F)");
    EXPECT_EQ(frame->CommandAction(MainFrameCommand::FileNew)->text(), "新規作成(&N)");
    // The title is the program's own, with nothing appended.
    EXPECT_EQ(frame->windowTitle(), "NUV FreeMind Map file converter - NUV");
    app.Document().SetModified(false);
    shell.DestroyMainWindow();
}

TEST_F(MainFrameWindow, TheTabsOfTheDockedPanesReadTheirWholeCaptionsInJapanese) {
    CWidgetShell shell(false, m_dir.Root());
    {
        CNUVApp app(shell);
        platform::ScriptedMessageSink messages;
        app.SwitchToJapanese();
    }
    CNUVApp app(shell);
    ASSERT_TRUE(app.InitEditorInstance({"nuv"}));
    CMainFrame& frame = *shell.MainFrame();
    frame.resize(1000, 700);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    frame.ShowPane(MainFrameCommand::OutlineIndexPane);
    QApplication::processEvents();
    QStringList captions;
    for (const QTabBar* bar : frame.findChildren<QTabBar*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!bar->isVisible())
            continue;
        for (int tab = 0; tab < bar->count(); ++tab) {
            captions << bar->tabText(tab);
            EXPECT_GE(bar->tabRect(tab).width(), bar->fontMetrics().horizontalAdvance(bar->tabText(tab)))
                << bar->tabText(tab).toStdString();
        }
    }
    EXPECT_EQ(captions.size(), 6) << captions.join(' ').toStdString();
    EXPECT_TRUE(captions.contains(QStringLiteral("単位機能一覧"))) << captions.join(' ').toStdString();
    app.Document().SetModified(false);
    shell.DestroyMainWindow();
}

TEST_F(MainFrameWindow, TheAboutBoxShowsTheBuildsVersionAndItsButtonSwitchesTheLanguage) {
    Window window;
    window.frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window.frame));
    platform::ScriptedMessageSink messages;
    messages.Answer(platform::MessageAnswer::Yes);
    QString title;
    QString product;
    QString notice;
    QString link;
    QTimer::singleShot(0, &window.frame, [&] {
        auto* about = qobject_cast<CAboutDialog*>(QApplication::activeModalWidget());
        if (!about)
            return;
        title = about->windowTitle();
        product = about->ProductNameLabel()->text();
        notice = about->LegalNoticeLabel()->text();
        link = about->LinkButton()->text();
        QTest::mouseClick(about->OptionButton(), Qt::LeftButton);
    });
    window.frame.OnCommand(MainFrameCommand::AppAbout);
    EXPECT_EQ(title, "Version");
    EXPECT_TRUE(QRegularExpression("^NUV \\d+\\.\\d+\\.\\d+$").match(product).hasMatch()) << product.toStdString();
    EXPECT_EQ(notice, LoadString(StringId::LegalNotice));
    // The link button's caption is where it leads: a web address the views' link rules open.
    EXPECT_EQ(link, LoadString(StringId::ProjectWebAddress));
    EXPECT_EQ(ClassifyLink(link).kind, LinkTarget::Desktop);
    EXPECT_EQ(platform::StoredSetting(UserSettings::Language()), 0u);
    EXPECT_EQ(messages.Requests().size(), 2);

    // The start-up window: borderless, on top, 500 by 375, in the middle of the screen; it closes itself.
    window.frame.OnCommand(MainFrameCommand::ShowSplashScreen);
    CStartUpDialog* animation = window.frame.findChild<CStartUpDialog*>();
    ASSERT_NE(animation, nullptr);
    EXPECT_TRUE(animation->isVisible());
    EXPECT_EQ(animation->size(), QSize(500, 375));
    EXPECT_TRUE(animation->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(animation->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(animation->geometry().center().x() / 10, QGuiApplication::primaryScreen()->geometry().center().x() / 10);
    // Without a video it shows a picture of its own, not an empty window.
    const QImage picture = animation->grab().toImage();
    EXPECT_EQ(picture.size(), QSize(500, 375));
    EXPECT_NE(picture.pixel(5, 5), picture.pixel(5, 370));
    EXPECT_NE(picture.pixel(250, 167), picture.pixel(250, 130));
    delete animation;
    QPointer<CStartUpDialog> brief = new CStartUpDialog(50, &window.frame);
    brief->show();
    QTRY_VERIFY(brief.isNull());
}

TEST_F(MainFrameWindow, TheCurrentUnitFunctionAndTheReasonCheckRunHereAndAFindingOpensItsTab) {
    const QString path = SaveScriptDocument(
        m_dir.Path("d.nuv"), {{"Main", "Fn Sub\nFn Other"}, {"Sub", "Do <X>{S}\nDo <X>{S}"}, {"Other", "(: none"}});
    const ProgramRun printed = RunProgram(QStringLiteral("nuvinspect"), {"inspect", path, "--current", "1"});
    ASSERT_EQ(printed.exitCode, 0) << printed.standardError.toStdString();

    Window window;
    ASSERT_NO_FATAL_FAILURE(OpenThroughFileOpen(window, path));
    CNUVApp& app = window.app;
    CMainFrame& frame = window.frame;
    auto* edit = qobject_cast<CInspectionViewEdit*>(frame.Pane(MainFrameCommand::MessagesPane)->widget());
    ASSERT_NE(edit, nullptr);
    CUnitFunction* sub = app.Document().DocumentData().registry.FindByName("Sub");
    CUnitFunction* other = app.Document().DocumentData().registry.FindByName("Other");
    ASSERT_TRUE(sub && other);

    // Without a tab there is nothing to inspect: the pane shows and keeps what it had.
    app.Tabs().CloseAllTabs();
    frame.Pane(MainFrameCommand::OutlineIndexPane)->raise();
    frame.InspectionPane().AddMessageWithoutTarget("kept");
    frame.OnCommand(MainFrameCommand::InspectCurrentUnitFunction);
    EXPECT_EQ(edit->Lines(), QStringList{"kept"});
    EXPECT_FALSE(edit->visibleRegion().isEmpty());

    ASSERT_TRUE(app.Tabs().OpenFunctionTab(sub));
    frame.OnCommand(MainFrameCommand::InspectCurrentUnitFunction);
    EXPECT_FALSE(app.Document().IsWorkerRunning());
    EXPECT_EQ(edit->Lines(), printed.Lines());

    // The reason check lists every unit function without a reason, each opening its tab.
    other->header.Reasoning.clear();
    other->header.UnNecessaryReasoning = 0;
    frame.Pane(MainFrameCommand::OutlineIndexPane)->raise();
    frame.OnCommand(MainFrameCommand::ReasonCheck);
    EXPECT_FALSE(edit->visibleRegion().isEmpty());
    const QStringList lines = edit->Lines();
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines.first(), "=== 理由検査 開始 ===");
    EXPECT_EQ(lines.last(), "=== 理由検査 終了 ===");
    const int line = static_cast<int>(lines.indexOf(QRegularExpression("\\[.*\\] Other")));
    ASSERT_GE(line, 0) << lines.join('\n').toStdString();
    DoubleClickLine(*edit, line);
    EXPECT_EQ(ActiveFunctionName(app), "Other");

    app.Document().SetModified(false);
    EXPECT_TRUE(app.CloseDocument());
}

TEST_F(MainFrameWindow, TheResultPaneIsClearedWhenTheDocumentIsReplacedOrClosed) {
    const QString first = SaveScriptDocument(m_dir.Path("a.nuv"), {{"Main", "Do <X>{S}"}});
    const QString second = SaveScriptDocument(m_dir.Path("b.nuv"), {{"Main", "Do <Y>{S}"}});
    CWidgetShell shell(false, m_dir.Root());
    CNUVApp app(shell);
    ASSERT_TRUE(app.InitEditorInstance({"nuv", first}));
    CInspectionView& pane = shell.MainFrame()->InspectionPane();

    pane.AddMessageWithoutTarget("about a.nuv");
    ASSERT_TRUE(app.OpenDocumentFile(second));
    EXPECT_EQ(pane.LineCount(), 0);

    pane.AddMessageWithoutTarget("about b.nuv");
    ASSERT_TRUE(app.CloseDocument());
    EXPECT_EQ(pane.LineCount(), 0);

    pane.AddMessageWithoutTarget("written without a document");
    app.OnFileNew();
    EXPECT_EQ(pane.LineCount(), 0);

    app.Document().SetModified(false);
    EXPECT_TRUE(app.CloseDocument());
    shell.DestroyMainWindow();
}

TEST_F(MainFrameWindow, TheResultPaneShowsTheResultsFontOfTheDocumentOpenedOrMade) {
    const QString first = SaveScriptDocument(m_dir.Path("a.nuv"), {{"Main", "Do <X>{S}"}});
    const QString second = SaveScriptDocument(m_dir.Path("b.nuv"), {{"Main", "Do <Y>{S}"}});
    CWidgetShell shell(false, m_dir.Root());
    CNUVApp app(shell);
    ASSERT_TRUE(app.InitEditorInstance({"nuv", first}));
    CMainFrame& frame = *shell.MainFrame();
    auto* edit = qobject_cast<CInspectionViewEdit*>(frame.Pane(MainFrameCommand::MessagesPane)->widget());
    ASSERT_NE(edit, nullptr);
    // The font page's OK.
    FontSetting& font = app.Document().DocumentData().resultsFont;
    font.pointSize = 240;
    font.bold = 1;
    frame.ApplyResultsTextFormat();
    EXPECT_TRUE(edit->font().bold());
    EXPECT_DOUBLE_EQ(edit->font().pointSizeF(), 24.0);

    // Another document brings its own.
    ASSERT_TRUE(app.OpenDocumentFile(second));
    EXPECT_FALSE(edit->font().bold());
    EXPECT_NE(edit->font().pointSizeF(), 24.0);

    app.Document().DocumentData().resultsFont.bold = 1;
    frame.ApplyResultsTextFormat();
    ASSERT_TRUE(app.CloseDocument());
    app.OnFileNew();
    EXPECT_FALSE(edit->font().bold());
    app.Document().SetModified(false);
    EXPECT_TRUE(app.CloseDocument());
    shell.DestroyMainWindow();
}

TEST_F(MainFrameWindow, TheSidePanesFollowTheLogicEditorAndARenameReachesEveryOpenTab) {
    QStringList mainLines = {"if <A>{a}", "Fn Sub", "else", "Do <X>{S}", "endif"};
    for (int i = 0; i < 60; ++i)
        mainLines << QStringLiteral("Do <M%1>{S}").arg(i);
    const QString path =
        SaveScriptDocument(m_dir.Path("d.nuv"), {{"Main", mainLines.join('\n')}, {"Sub", "(: callee"}});
    Window window;
    ASSERT_NO_FATAL_FAILURE(OpenThroughFileOpen(window, path));
    window.frame.resize(1000, 700);
    CChildFrame& main = OpenTabWithPanes(window, "Main");

    // The panes stand beside the editor, condition pane left and output pane right.
    ASSERT_TRUE(main.InputView() && main.OutputView());
    ASSERT_TRUE(main.InputView()->isVisible() && main.OutputView()->isVisible());
    EXPECT_LT(main.InputView()->x(), main.FunctionView()->x());
    EXPECT_LT(main.FunctionView()->x(), main.OutputView()->x());
    EXPECT_EQ(main.OutputView()->ColumnLines(true).value(3), "X");

    // Typing into the member of a new Do line goes through the editor's model to the output pane.
    CSplREdit& editor = main.FunctionView()->Editor();
    const int added = editor.Model().RecordCount();
    editor.Model().SetCaret(added, 0);
    ASSERT_TRUE(editor.RunCommand(LogicEditCommand::AddDoAtCurrent));
    QTest::keyClicks(&editor, "Y");
    EXPECT_EQ(main.OutputView()->ColumnLines(true).value(added), "Y");
    QTest::keyClicks(&editor, "Z");
    EXPECT_EQ(main.OutputView()->ColumnLines(true).value(added), "YZ");
    EXPECT_EQ(main.OutputView()->ColumnLines(true).value(3), "X");

    // The panes scroll with the editor.
    editor.verticalScrollBar()->setValue(20);
    QCoreApplication::processEvents();
    EXPECT_GT(main.OutputView()->RightColumn().verticalScrollBar()->value(), 0);
    EXPECT_GT(main.InputView()->LeftColumn().verticalScrollBar()->value(), 0);
    editor.verticalScrollBar()->setValue(0);
    EXPECT_EQ(main.OutputView()->RightColumn().verticalScrollBar()->value(), 0);

    // A rename in the callee's tab rewrites the Fn line shown in the caller's open tab.
    CChildFrame& sub = OpenTabWithPanes(window, "Sub");
    QLineEdit& name = sub.HeaderForm()->NameBox();
    name.setFocus();
    name.selectAll();
    QTest::keyClicks(&name, "Cook");
    QTest::keyClick(&name, Qt::Key_Return);
    EXPECT_EQ(window.app.Document().DocumentData().registry.FindByName("Main")->logicLines[1]->textSlots[0].text,
              "Cook");
    EXPECT_TRUE(editor.document()->findBlockByNumber(1).text().contains("Cook"))
        << editor.document()->findBlockByNumber(1).text().toStdString();
    EXPECT_EQ(editor.Model().LineText(1), editor.document()->findBlockByNumber(1).text());

    window.app.Document().SetModified(false);
    EXPECT_TRUE(window.app.CloseDocument());
}

// A tab closed and opened again shows its panes beside its lines; the jump goes into the active tab's description
// wherever the focus is.
TEST_F(MainFrameWindow, AReopenedTabReadsAcrossWithItsPanesAndTheJumpWorksFromAnyFocus) {
    QStringList lines;
    for (int i = 1; i <= 20; ++i)
        lines << QStringLiteral("if <条件%1>が{真%1}").arg(i) << QStringLiteral("Do <出力%1>を{S}せよ").arg(i) << "else"
              << QStringLiteral("Do <他%1>を{T}せよ").arg(i) << "endif";
    const QString path = SaveScriptDocument(m_dir.Path("d.nuv"), {{"Main", "Do <A>{a}"}, {"Long", lines.join('\n')}});
    Window window;
    ASSERT_NO_FATAL_FAILURE(OpenThroughFileOpen(window, path));
    window.frame.resize(1000, 700);
    CChildFrame* tab = &OpenTabWithPanes(window, "Long");
    const auto expectInStep = [&](const char* when) {
        QCoreApplication::processEvents();
        CSplREdit& editor = tab->FunctionView()->Editor();
        ASSERT_EQ(editor.Model().RecordCount(), 100);
        EXPECT_EQ(LinesOutOfStep(editor, *tab->InputView()), QList<int>()) << when;
        EXPECT_EQ(LinesOutOfStep(editor, *tab->OutputView()), QList<int>()) << when;
    };
    expectInStep("opened");
    tab->FunctionView()->Editor().verticalScrollBar()->setValue(40);
    expectInStep("scrolled");
    for (int round = 0; round < 2; ++round) {
        window.app.Tabs().CloseTab(window.app.Tabs().GetActiveTab());
        QCoreApplication::processEvents();
        tab = &OpenTabWithPanes(window, "Long");
        expectInStep("reopened");
    }

    CMainFrame& frame = window.frame;
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    CSplREdit& editor = tab->FunctionView()->Editor();
    const auto jumpTo = [&frame](const QString& line) {
        QString range;
        QTimer::singleShot(0, &frame, [&range, line] {
            if (auto* jump = qobject_cast<CJumpDlg*>(QApplication::activeModalWidget())) {
                range = jump->LabelText();
                jump->Box().setText(line);
                jump->accept();
            }
        });
        frame.OnCommand(MainFrameCommand::JumpToLine);
        return range;
    };
    frame.ShowPane(MainFrameCommand::OutlineIndexPane);
    QWidget* tree = frame.Pane(MainFrameCommand::OutlineIndexPane)->widget();
    tree->setFocus();
    QCoreApplication::processEvents();
    ASSERT_TRUE(tree->hasFocus());
    EXPECT_TRUE(frame.CommandAction(MainFrameCommand::JumpToLine)->isEnabled());
    EXPECT_TRUE(jumpTo("90").endsWith(" (1-100)"));
    EXPECT_EQ(editor.Model().CaretLine(), 89);
    EXPECT_EQ(frame.focusWidget(), &editor) << "the focus goes there once the window is active again";
    expectInStep("jumped");
    tab->ContentView()->setFocus();
    QCoreApplication::processEvents();
    EXPECT_TRUE(frame.CommandAction(MainFrameCommand::JumpToLine)->isEnabled());
    jumpTo("7");
    EXPECT_EQ(editor.Model().CaretLine(), 6);
    expectInStep("jumped back");

    window.app.Document().SetModified(false);
    EXPECT_TRUE(window.app.CloseDocument());
}

TEST_F(MainFrameWindow, TheMemberNameAtTheCaretIsRegisteredWithItsStatesIntoTheShownResultPane) {
    const QString path = SaveScriptDocument(m_dir.Path("d.nuv"), {{"Main", "Do <Door>{open}\nif <Door>{closed}"}});
    Window window;
    ASSERT_NO_FATAL_FAILURE(OpenThroughFileOpen(window, path));
    CChildFrame& main = OpenTabWithPanes(window, "Main");
    CSplREdit& editor = main.FunctionView()->Editor();
    QDockWidget* messages = window.frame.Pane(MainFrameCommand::MessagesPane);
    window.frame.Pane(MainFrameCommand::OutlineIndexPane)->raise();
    editor.Model().SetCaret(0, editor.Model().Record(0)->Home + 1);
    ASSERT_TRUE(editor.IsCommandEnabled(LogicEditCommand::RegisterThisMemberName));

    platform::ScriptedMessageSink answers;
    answers.Answer(platform::MessageAnswer::Cancel);
    editor.RunCommand(LogicEditCommand::RegisterThisMemberName);
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.app.Document().IsWorkerRunning());
    EXPECT_TRUE(window.app.Document().DocumentData().memberDefinitions.empty());

    answers.Answer(platform::MessageAnswer::Ok);
    editor.RunCommand(LogicEditCommand::RegisterThisMemberName);
    EXPECT_TRUE(messages->isVisible());
    const MemberDefinitionList& members = window.app.Document().DocumentData().memberDefinitions;
    for (int i = 0; i < 500 && (members.empty() || window.app.Document().IsWorkerRunning()); ++i)
        QTest::qWait(10);
    ASSERT_EQ(members.size(), 1u);
    EXPECT_EQ(members[0].name, "Door");
    EXPECT_EQ(members[0].states.size(), 2u);
    EXPECT_TRUE(window.app.Document().IsModified());
    EXPECT_EQ(answers.Requests().size(), 2);

    window.app.Document().SetModified(false);
    EXPECT_TRUE(window.app.CloseDocument());
}

TEST_F(MainFrameWindow, ResultLinesJumpIntoTheLinesFieldsAndHitsOfTheirTab) {
    const QString path =
        SaveScriptDocument(m_dir.Path("d.nuv"), {{"Main", "Fn Sub\nDo <A>{S}"}, {"Sub", "Do <X>{S}\nDo <X>{S}"}});
    Window window;
    ASSERT_NO_FATAL_FAILURE(OpenThroughFileOpen(window, path));
    CMainFrame& frame = window.frame;
    CNUVApp& app = window.app;
    auto* edit = qobject_cast<CInspectionViewEdit*>(frame.Pane(MainFrameCommand::MessagesPane)->widget());
    ASSERT_NE(edit, nullptr);
    const auto activeTab = [&] { return frame.TabWindow(*app.Tabs().GetActiveTab()); };

    // An inspection finding selects its logic line with the line break.
    frame.OnCommand(MainFrameCommand::InspectAll);
    const int finding = static_cast<int>(edit->Lines().indexOf(QRegularExpression("\\[1 Line 2\\].*")));
    ASSERT_GE(finding, 0) << edit->Lines().join('\n').toStdString();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    DoubleClickLine(*edit, finding);
    ASSERT_EQ(ActiveFunctionName(app), "Sub");
    CSplREdit& editor = activeTab()->FunctionView()->Editor();
    EXPECT_EQ(editor.Model().SelectionStart(), (EditPosition{1, 0}));
    EXPECT_EQ(editor.Model().SelectionEnd(), (EditPosition{2, 0}));
    EXPECT_TRUE(editor.hasFocus());

    // A search hit puts the caret where the hit starts in its slot: "hit" in the member and in the next slot.
    ASSERT_TRUE(app.Tabs().OpenFunctionTab(app.Document().DocumentData().registry.FindByName("Main")));
    CSplREdit& mainEditor = activeTab()->FunctionView()->Editor();
    mainEditor.Model().SetCaret(mainEditor.Model().RecordCount(), 0);
    ASSERT_TRUE(mainEditor.RunCommand(LogicEditCommand::AddDoAtCurrent));
    QTest::keyClicks(&mainEditor, "Zhit");
    QTest::keyClick(&mainEditor, Qt::Key_Tab);
    QTest::keyClicks(&mainEditor, "hit");
    SearchRequest request;
    request.searchUnitFunction = 1;
    request.unitFunctionName = 1;
    request.searchLogicDescriptionField = 1;
    request.findText = "hit";
    frame.InspectionPane().ClearMessages();
    CFindResultSet(app.Document().DocumentData(), app.MessageContext())
        .SearchAll(request, nullptr)
        .WriteTo(frame.InspectionPane());
    QCoreApplication::processEvents();
    const QStringList lines = edit->Lines();
    const int secondHit = static_cast<int>(lines.indexOf(QRegularExpression(".*3 行目: \\(2 .*")));
    ASSERT_GE(secondHit, 0) << lines.join('\n').toStdString();
    app.Tabs().CloseAllTabs();
    DoubleClickLine(*edit, secondHit);
    ASSERT_EQ(ActiveFunctionName(app), "Main");
    CSplREdit& reopened = activeTab()->FunctionView()->Editor();
    // The second occurrence, the one typed into the slot after the member, is selected.
    EXPECT_EQ(reopened.Model().SelectedText(), "hit");
    EXPECT_EQ(reopened.Model().SelectionStart(),
              (EditPosition{2, static_cast<int>(reopened.Model().LineText(2).lastIndexOf("hit"))}));
    EXPECT_TRUE(reopened.hasFocus());

    // A name hit and a content hit select their characters in the header box and in the content text.
    CUnitFunction& main = *app.Document().DocumentData().registry.FindByName("Main");
    main.header.contentText = "first line\nthe main aim";
    activeTab()->ContentView()->Fill();
    request = {};
    request.searchUnitFunction = 1;
    request.unitFunctionName = 1;
    request.searchFunctionContentField = 1;
    request.findText = "ai";
    frame.InspectionPane().ClearMessages();
    CFindResultSet(app.Document().DocumentData(), app.MessageContext())
        .SearchAll(request, nullptr)
        .WriteTo(frame.InspectionPane());
    QCoreApplication::processEvents();
    const QStringList aiLines = edit->Lines();
    const int nameHit = static_cast<int>(aiLines.indexOf(QRegularExpression(".*単位機能名: Main.*")));
    const int contentHit = static_cast<int>(aiLines.indexOf(QRegularExpression("機能内容欄 2 行目: \\(2 .*")));
    ASSERT_GE(nameHit, 0) << aiLines.join('\n').toStdString();
    ASSERT_GE(contentHit, 0) << aiLines.join('\n').toStdString();
    DoubleClickLine(*edit, nameHit);
    QLineEdit& nameBox = activeTab()->HeaderForm()->NameBox();
    EXPECT_TRUE(nameBox.hasFocus());
    EXPECT_EQ(nameBox.selectionStart(), 1);
    EXPECT_EQ(nameBox.selectedText(), "ai");
    DoubleClickLine(*edit, contentHit);
    const QTextCursor contentCursor = activeTab()->ContentView()->textCursor();
    EXPECT_EQ(contentCursor.selectedText(), "ai");
    EXPECT_EQ(contentCursor.selectionStart(), QString("first line\nthe main ").size());
    // A code-symbol hit selects its characters in the code-symbol box.
    main.codeSymbol = "MAIN_AI";
    activeTab()->HeaderForm()->Fill();
    ResultLine codeHit;
    codeHit.kind = ResultLine::CodeSymbol;
    codeHit.matchedText = main.codeSymbol;
    codeHit.startPosition = 5;
    codeHit.length = 2;
    activeTab()->ShowSearchHit(codeHit, 0);
    QLineEdit& codeBox = activeTab()->HeaderForm()->CodeSymbolBox();
    EXPECT_TRUE(codeBox.hasFocus());
    EXPECT_EQ(codeBox.selectedText(), "AI");

    // Header-field and content jumps of the main window's requests land in the tab's boxes.
    frame.Messages().PostJump(0, 2);
    QCoreApplication::processEvents();
    EXPECT_TRUE(activeTab()->HeaderForm()->NameBox().hasFocus());
    frame.Messages().PostJump(0, 5);
    QCoreApplication::processEvents();
    EXPECT_TRUE(activeTab()->ContentView()->hasFocus());

    // The replace-all and the advanced search start with the selected text of the tab, up to its line break.
    const CLogicLine* hitLine = reopened.Model().Record(2);
    reopened.SelectRange({2, CLogicEditModel::SlotColumn(*hitLine, 0, 0)},
                         {2, CLogicEditModel::SlotColumn(*hitLine, 0, 4)});
    frame.OnCommand(CommandReplaceAll);
    auto* replace = ShownDialog<CAllReplaceDlg>();
    ASSERT_NE(replace, nullptr);
    EXPECT_EQ(replace->FindBox()->text(), "Zhit");
    EXPECT_EQ(replace->FindBox()->selectedText(), "Zhit");
    replace->hide();
    // Whole lines selected give no text: the box keeps its own.
    reopened.SelectRange({1, 0}, {2, 2});
    frame.OnCommand(CommandAdvancedSearch);
    auto* search = ShownDialog<CAdvancedSearchDlg>();
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(search->FindBox()->text(), QString());
    search->hide();

    // The jump asks in its own dialog for one of the description's lines.
    reopened.setFocus();
    QString range;
    QTimer::singleShot(0, &frame, [&range] {
        if (auto* jump = qobject_cast<CJumpDlg*>(QApplication::activeModalWidget())) {
            range = jump->LabelText();
            jump->Box().setText("2x");
            jump->accept();
        }
    });
    frame.OnCommand(MainFrameCommand::JumpToLine);
    EXPECT_TRUE(range.endsWith(QStringLiteral(" (1-%1)").arg(reopened.Model().RecordCount()))) << range.toStdString();
    EXPECT_EQ(reopened.Model().CaretLine(), 1);

    app.Document().SetModified(false);
    EXPECT_TRUE(app.CloseDocument());
}

// A window that never shows (the converter's) makes no toolbars or panes; shown after a document came, its
// panes are made then and show that document, and the start's look is applied.
TEST_F(MainFrameWindow, ToolBarsAndPanesAreMadeAtTheFirstShowAndCatchUpWithTheDocument) {
    Window window;
    ASSERT_TRUE(window.app.InitEditorInstance({"nuv"}));
    ASSERT_TRUE(window.app.GetActiveDocument());
    EXPECT_TRUE(window.frame.findChildren<QToolBar*>().isEmpty());
    EXPECT_TRUE(window.frame.findChildren<QDockWidget*>().isEmpty());

    window.frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window.frame));
    EXPECT_EQ(window.frame.findChildren<QDockWidget*>().size(), MainFrameCommand::Panes().size());
    EXPECT_TRUE(window.frame.StandardToolBar()->isVisible());
    const auto* list =
        qobject_cast<CFunctionListView*>(window.frame.Pane(MainFrameCommand::FunctionListPane)->widget());
    ASSERT_NE(list, nullptr);
    EXPECT_GT(list->List()->rowCount(), 0);
    EXPECT_EQ(window.frame.ApplicationLook(), MainFrameCommand::DefaultApplicationLook);
    EXPECT_EQ(QApplication::style()->name().toLower(),
              QString::fromLatin1(FindApplicationLook(MainFrameCommand::DefaultApplicationLook)->styleName).toLower());
}

// Until the window first shows, the tabs' windows wait: a look-up makes those opened so far, the show the rest,
// each titled with what its unit function is called when its window is made, and the active tab is the shown one. A tab
// closed before leaves no window.
TEST_F(MainFrameWindow, TabWindowsAreMadeWhenLookedUpOrShownAsTheTabsWereOpened) {
    Window window;
    ASSERT_TRUE(window.app.InitEditorInstance({"nuv"}));
    CDocumentData& data = window.app.Document().DocumentData();
    CUnitFunction* origin = data.registry.origin;
    CUnitFunction* first = data.registry.CreateFunction(QStringLiteral("First"), data.GetModelOptions());
    CUnitFunction* second = data.registry.CreateFunction(QStringLiteral("Second"), data.GetModelOptions());
    CFunctionTabs& tabs = window.app.Tabs();
    ASSERT_TRUE(tabs.OpenFunctionTab(first) && tabs.OpenFunctionTab(second));
    tabs.CloseFunctionTab(second);
    first->name = QStringLiteral("Renamed");
    EXPECT_TRUE(window.frame.findChildren<CChildFrame*>().isEmpty());

    EXPECT_EQ(window.frame.TabsInOrder().size(), 2u);
    EXPECT_EQ(window.frame.findChildren<CChildFrame*>().size(), 2);
    EXPECT_EQ(window.frame.TabArea()->tabText(1), QStringLiteral("+0 Renamed"));
    EXPECT_EQ(window.frame.TabArea()->currentWidget(), window.frame.TabWindow(*tabs.GetActiveTab()));

    ASSERT_TRUE(tabs.OpenFunctionTab(second));
    ASSERT_TRUE(tabs.OpenFunctionTab(origin));
    EXPECT_EQ(window.frame.findChildren<CChildFrame*>().size(), 2);
    window.frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window.frame));
    QTabWidget* area = window.frame.TabArea();
    ASSERT_EQ(area->count(), 3);
    EXPECT_EQ(area->tabText(2), second->GetOutlineNumberText(false) + QStringLiteral(" Second"));
    EXPECT_EQ(ActiveFunctionName(window.app), origin->name);
    EXPECT_EQ(area->currentWidget(), window.frame.TabWindow(*tabs.GetActiveTab()));
}
