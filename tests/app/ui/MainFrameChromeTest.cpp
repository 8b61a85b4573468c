#include "app/AppDirectories.h"
#include "app/FakeApplicationShell.h"
#include "app/NUVApp.h"
#include "app/NUVDoc.h"
#include "app/ui/ChildFrame.h"
#include "app/ui/CustomizeDlg.h"
#include "app/ui/FindReplaceDlg.h"
#include "app/ui/MainFrame.h"
#include "app/ui/WindowsDlg.h"
#include "editor/ui/NUVView.h"
#include "model/UnitFunction.h"
#include "texts/StringTable.h"

#include "support/LiveInstance.h"
#include "support/QStringPrinter.h"
#include "support/ui/DialogChecks.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace MainFrameCommand;

namespace {

class MainFrameChromeWindow : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.IsValid()); }
    QString CopyLayoutDocument() {
        const QString path = m_dir.Path("layout.nuv");
        EXPECT_TRUE(QFile::copy(NUV_TEST_DATA_DIR "/docfile/layout.nuv", path));
        return path;
    }

    AppDirectories m_dir;
};

} // namespace

TEST_F(MainFrameChromeWindow, EveryStartAppliesTheDefaultLookAndAChosenOneIsMarked) {
    FakeShell shell;
    CNUVApp app(shell);
    {
        CMainFrame frame(app);
        frame.OnCommand(216);
        EXPECT_TRUE(frame.CommandAction(216)->isChecked());
        EXPECT_EQ(QApplication::palette().color(QPalette::Window), QColor(0x353535));
        EXPECT_EQ(QApplication::style()->name().toLower(), "fusion");
        frame.OnCommand(210);
        EXPECT_EQ(QApplication::style()->name().toLower(), "windows");
    }
    CMainFrame again(app);
    EXPECT_EQ(again.ApplicationLook(), DefaultApplicationLook);
    EXPECT_TRUE(again.CommandAction(DefaultApplicationLook)->isChecked());
    EXPECT_FALSE(again.CommandAction(210)->isChecked());
}

TEST_F(MainFrameChromeWindow, UserToolBarsMadeInTheCustomisationComeBackAtTheNextStart) {
    FakeShell shell;
    CNUVApp app(shell);
    {
        CMainFrame frame(app);
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        frame.OnCommand(CustomizeToolBars);
        CCustomizeDlg* dialog = frame.CustomizeDialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_FALSE(dialog->isModal());

        // Hide the navigation toolbar, make a toolbar and put the total inspection on it.
        dialog->ToolBars()->item(1)->setCheckState(Qt::Unchecked);
        EXPECT_FALSE(frame.NavigationToolBar()->isVisible());
        QTest::mouseClick(dialog->NewButton(), Qt::LeftButton);
        ASSERT_EQ(dialog->ToolBars()->count(), 3);
        EXPECT_EQ(dialog->ToolBars()->currentRow(), 2);
        dialog->Categories()->setCurrentRow(4);
        QListWidget* commands = dialog->Commands();
        for (int row = 0; row < commands->count(); ++row) {
            if (commands->item(row)->data(Qt::UserRole).toInt() == InspectAll)
                commands->setCurrentRow(row);
        }
        ASSERT_TRUE(dialog->AddButton()->isEnabled());
        QTest::mouseClick(dialog->AddButton(), Qt::LeftButton);
        EXPECT_EQ(dialog->Buttons()->count(), 1);
        QToolBar* made = frame.UserToolBar(UserToolBarFirst);
        ASSERT_NE(made, nullptr);
        EXPECT_TRUE(made->actions().contains(frame.CommandAction(InspectAll)));

        // The program's toolbars list their buttons without the separators; none of them can be removed.
        dialog->ToolBars()->setCurrentRow(0);
        EXPECT_EQ(dialog->Buttons()->count(), 13);
        EXPECT_EQ(dialog->Buttons()->item(0)->text(), "New");
        dialog->Buttons()->setCurrentRow(0);
        EXPECT_FALSE(dialog->RemoveButton()->isEnabled());
        dialog->ToolBars()->setCurrentRow(1);
        EXPECT_EQ(dialog->Buttons()->count(), 2);

        // The command list is wide enough for the longest caption of the inspections.
        dialog->Categories()->setCurrentRow(4);
        int widest = 0;
        for (int row = 0; row < commands->count(); ++row)
            widest = std::max(widest, commands->fontMetrics().horizontalAdvance(commands->item(row)->text()));
        EXPECT_GE(commands->viewport()->width(), widest);

        // Shown again, it is the same dialog.
        frame.OnCommand(CustomizeToolBars);
        EXPECT_EQ(frame.CustomizeDialog(), dialog);
    }
    CMainFrame again(app);
    again.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
    EXPECT_FALSE(again.NavigationToolBar()->isVisible());
    EXPECT_TRUE(again.StandardToolBar()->isVisible());
    ASSERT_NE(again.UserToolBar(UserToolBarFirst), nullptr);
    EXPECT_EQ(again.UserToolBar(UserToolBarFirst)->actions().size(), 1);

    // Deleting it in the dialog takes it from the window.
    again.OnCommand(CustomizeToolBars);
    again.CustomizeDialog()->ToolBars()->setCurrentRow(2);
    QTest::mouseClick(again.CustomizeDialog()->DeleteButton(), Qt::LeftButton);
    EXPECT_EQ(again.UserToolBar(UserToolBarFirst), nullptr);
    EXPECT_TRUE(CToolBarLayout::Load().userToolBars.empty());
}

TEST_F(MainFrameChromeWindow, TheWindowsDialogListsTheTabsAndClosesTheChosenOnes) {
    FakeShell shell;
    CNUVApp app(shell);
    CMainFrame frame(app);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    ASSERT_TRUE(app.InitEditorInstance({"nuv", CopyLayoutDocument()}));
    QTabWidget* tabs = frame.TabArea();
    ASSERT_EQ(tabs->count(), 2);

    bool listed = false;
    QTimer::singleShot(0, &frame, [&] {
        auto* dialog = qobject_cast<CWindowsDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        QListWidget* list = dialog->List();
        listed = list->count() == 2 && list->item(0)->text() == tabs->tabText(0);
        list->item(1)->setSelected(true);
        EXPECT_FALSE(dialog->ActivateButton()->isEnabled());
        QTest::mouseClick(dialog->CloseWindowsButton(), Qt::LeftButton);
        EXPECT_EQ(list->count(), 1);
        list->setCurrentRow(0);
        QTest::mouseClick(dialog->ActivateButton(), Qt::LeftButton);
    });
    frame.OnCommand(WindowManager);
    EXPECT_TRUE(listed);
    EXPECT_EQ(tabs->count(), 1);
    app.Document().SetModified(false);
    EXPECT_TRUE(app.CloseDocument());
}

// Close, Delete and Save read in the interface's language, as the captions beside them do.
TEST_F(MainFrameChromeWindow, TheWindowsDialogsShowTheirWordsInTheInterfacesLanguage) {
    FakeShell shell;
    CNUVApp app(shell);
    CMessageContext context;
    CModelessDialogs dialogs;
    CToolBarLayout layout;
    CWindowManager manager(app.Document(), [] { return std::vector<CNUVDoc*>(); });
    const auto texts = dialog_checks::ShownTexts;
    for (const int language : {0, 1}) {
        SetTextLanguage(language);
        context.m_language = language;
        const CFindReplaceDlg find(context, false, dialogs, nullptr);
        const CFindReplaceDlg replace(context, true, dialogs, nullptr);
        const CCustomizeDlg customize(
            context, layout, [] {}, nullptr);
        const CWindowsDlg windows(context, manager, nullptr);
        const QStringList words = language == 1 ? QStringList{"閉じる", "削除(&D)", "ウィンドウ", "保存(&S)"}
                                                : QStringList{"Close", "&Delete", "Windows", "&Save"};
        EXPECT_TRUE(texts(find).contains(words[0])) << texts(find).join('|').toStdString();
        EXPECT_TRUE(texts(replace).contains(words[0])) << texts(replace).join('|').toStdString();
        EXPECT_TRUE(texts(customize).contains(words[0]) && texts(customize).contains(words[1]))
            << texts(customize).join('|').toStdString();
        EXPECT_EQ(texts(windows).mid(0, 1), words.mid(2, 1));
        EXPECT_TRUE(texts(windows).contains(words[3])) << texts(windows).join('|').toStdString();
        if (language == 0) {
            const QStringList shown = texts(find) + texts(replace) + texts(customize) + texts(windows);
            EXPECT_EQ(dialog_checks::JapaneseTexts(shown), QStringList());
        }
    }
    SetTextLanguage(0);
}

TEST_F(MainFrameChromeWindow, TheInstanceListFillsAsItsPopupShows) {
    FakeShell shell;
    CNUVApp app(shell);
    ASSERT_TRUE(app.InitEditorInstance({"nuv"}));
    CMainFrame frame(app);
    const LiveInstance alive(m_dir.Root(), 77777);
    InstanceRecord other{};
    other.processId = 77777;
    other.mainWindow = 77777;
    other.SetCaption("other.nuv");
    ASSERT_TRUE(app.RegisterInstance(other));
    InstanceRecord own{};
    app.FillInstanceRecord(own);
    ASSERT_TRUE(app.RegisterInstance(own));

    QMenu* popup = frame.CommandAction(InstanceList)->menu();
    ASSERT_NE(popup, nullptr);
    emit popup->aboutToShow();
    ASSERT_EQ(popup->actions().size(), 2);
    EXPECT_TRUE(popup->actions()[1]->isChecked());
    EXPECT_EQ(popup->actions()[0]->text(), "other.nuv");
    popup->actions()[0]->trigger();
    EXPECT_EQ(shell.activated, std::vector<quint32>({77777}));
    app.RemoveInstanceRecord(77777);
}

TEST_F(MainFrameChromeWindow, ATabIsSplitIntoItsPanesAndSharedSizesReachTheOtherTabs) {
    FakeShell shell;
    CNUVApp app(shell);
    CMainFrame frame(app);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    ASSERT_TRUE(app.InitEditorInstance({"nuv", CopyLayoutDocument()}));
    const std::vector<CNUVDoc*> tabs = frame.TabsInOrder();
    ASSERT_EQ(tabs.size(), 2u);
    CChildFrame* window = frame.TabWindow(*tabs[0]);
    ASSERT_NE(window, nullptr);
    QSplitter* splitter = window->Splitter();
    ASSERT_EQ(splitter->count(), 3);
    EXPECT_EQ(splitter->widget(0)->objectName(), "CNUVView");
    EXPECT_EQ(splitter->widget(1)->objectName(), "CFunctionContentView");

    // Both columns off: the logic editor alone. The output column on: logic editor, then output.
    HeaderIOSettings& settings = app.Document().DocumentData().headerIOSettings;
    settings.Input = 0;
    settings.Output = 0;
    window->ApplyPaneLayout();
    EXPECT_EQ(window->LogicSplitter(), nullptr);
    EXPECT_EQ(splitter->widget(2)->objectName(), "CFunctionView");
    settings.Output = 1;
    window->ApplyPaneLayout();
    ASSERT_NE(window->LogicSplitter(), nullptr);
    ASSERT_EQ(window->LogicSplitter()->count(), 2);
    EXPECT_EQ(window->LogicSplitter()->widget(0)->objectName(), "CFunctionView");
    EXPECT_EQ(window->LogicSplitter()->widget(1)->objectName(), "COutputView");

    // A height below the minimum is raised; a shared height the user drags reaches the document and the
    // other tab.
    settings.HorizontalSizeShared = 1;
    settings.FunctionHeight = 3;
    window->ApplyPaneLayout();
    frame.TabArea()->setCurrentIndex(0);
    QCoreApplication::processEvents();
    EXPECT_GE(splitter->sizes()[1], TabPaneSizes::MinimumPaneSize);
    QList<int> heights = splitter->sizes();
    heights[1] += 40;
    heights[2] -= 40;
    splitter->setSizes(heights);
    emit splitter->splitterMoved(heights[0] + heights[1], 2);
    EXPECT_EQ(settings.FunctionHeight, splitter->sizes()[1]);
    EXPECT_EQ(tabs[0]->m_pUnitFunction->header.FunctionHeight, settings.FunctionHeight);
    app.Document().SetModified(false);
    EXPECT_TRUE(app.CloseDocument());
}

TEST_F(MainFrameChromeWindow, TheHeaderToggleSwitchesEveryTabsHeaderRowBetweenItsTwoHeights) {
    FakeShell shell;
    CNUVApp app(shell);
    CMainFrame frame(app);
    frame.resize(900, 700);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    ASSERT_TRUE(app.InitEditorInstance({"nuv", CopyLayoutDocument()}));
    const std::vector<CNUVDoc*> tabs = frame.TabsInOrder();
    ASSERT_EQ(tabs.size(), 2u);
    CChildFrame* window = frame.TabWindow(*tabs[0]);
    CChildFrame* other = frame.TabWindow(*tabs[1]);
    ASSERT_TRUE(window && other);
    frame.TabArea()->setCurrentIndex(0);
    CDocumentData& data = app.Document().DocumentData();
    // A stored height beyond the row's bounds is drawn within them.
    data.funcHeaderFormHeight = 500;
    window->ApplyPaneLayout();
    QCoreApplication::processEvents();
    QSplitter* splitter = window->Splitter();
    EXPECT_EQ(splitter->sizes()[0], 173);
    QPushButton& toggle = window->HeaderForm()->HeaderToggle();
    EXPECT_EQ(toggle.text(), "▲");

    QTest::mouseClick(&toggle, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(data.funcHeaderFormHeight, 34);
    EXPECT_EQ(splitter->sizes()[0], 34);
    EXPECT_EQ(toggle.text(), "▼");
    EXPECT_EQ(other->Splitter()->sizes()[0], 34);

    QTest::mouseClick(&toggle, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(data.funcHeaderFormHeight, 173);
    EXPECT_EQ(splitter->sizes()[0], 173);
    EXPECT_EQ(toggle.text(), "▲");

    // A drag between the two heights is stored as it is, shows the expand caption and cannot pass either bound.
    QList<int> heights = splitter->sizes();
    heights[0] = 100;
    splitter->setSizes(heights);
    emit splitter->splitterMoved(100, 1);
    EXPECT_EQ(data.funcHeaderFormHeight, 100);
    EXPECT_EQ(toggle.text(), "▼");
    heights = splitter->sizes();
    heights[0] = 10;
    splitter->setSizes(heights);
    EXPECT_EQ(splitter->sizes()[0], 34);
    heights[0] = 400;
    splitter->setSizes(heights);
    emit splitter->splitterMoved(400, 1);
    EXPECT_EQ(window->HeaderForm()->height(), 173);
    EXPECT_EQ(data.funcHeaderFormHeight, 173);
    app.Document().SetModified(false);
    EXPECT_TRUE(app.CloseDocument());
}
