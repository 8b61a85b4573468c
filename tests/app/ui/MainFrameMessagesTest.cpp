#include "app/MainFrameMessages.h"
#include "app/AppDirectories.h"
#include "app/FakeApplicationShell.h"
#include "app/NUVApp.h"
#include "app/NUVDoc.h"
#include "app/ui/MainFrame.h"
#include "app/ui/NewTypeDlg.h"
#include "logic/InspectionView.h"
#include "model/DocumentData.h"
#include "model/LogicLine.h"
#include "platform/MessageBox.h"

#include "support/QStringPrinter.h"

#include <QCoreApplication>
#include <QDockWidget>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <new>
#include <stdexcept>

namespace {

// Records what the requests reach.
struct FakeTargets : CMainFrameTargets {
    void GoToTabLogicLine(CNUVDoc& tab, int lineNumber) override { calls << Call(tab, "line", lineNumber); }
    void FocusTabHeaderField(CNUVDoc& tab, HeaderField field) override {
        calls << Call(tab, "field", static_cast<int>(field));
    }
    void SelectTabLogicRange(CNUVDoc& tab, int first, int last) override {
        calls << Call(tab, "range", first) + QStringLiteral("-%1").arg(last);
    }
    void PrefixTabUnregisteredMemberNames(CNUVDoc& tab, const QString& prefix) override {
        calls << Call(tab, "prefix " + prefix, 0);
    }
    void ShowReplaceAllDialog(const QString& findText) override { calls << "replace " + findText; }
    void SetWorkerInputLock(bool locked) override { calls << (locked ? "locked" : "unlocked"); }
    void RefreshViewsAfterWorker() override { calls << "refreshed"; }
    void ShowActiveFunctionInViews(CUnitFunction& function, CAbstractIndexItem*) override {
        calls << "views " + function.name;
    }
    static QString Call(CNUVDoc& tab, const QString& what, int value) {
        return tab.m_pUnitFunction->name + " " + what + " " + QString::number(value);
    }
    QStringList calls;
};

class MainFrameMessagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dirs.IsValid());
        ASSERT_TRUE(m_app.InitInstance({"tobrel"}));
        m_app.Document().DocumentData().registry.origin->name = "Start";
    }
    // Runs the queued requests.
    static void Deliver() { QCoreApplication::processEvents(); }
    void WaitForWorker() {
        for (int i = 0; i < 500 && !m_messages.IsReady(); ++i)
            QTest::qWait(10);
        ASSERT_TRUE(m_messages.IsReady());
    }

    AppDirectories m_dirs;
    platform::ScriptedMessageSink m_sink;
    FakeShell m_shell;
    CNUVApp m_app{m_shell};
    FakeTargets m_targets;
    CInspectionView m_pane;
    CMainFrameMessages m_messages{m_app.Document(), m_targets, m_pane};
};

} // namespace

TEST_F(MainFrameMessagesTest, RequestsReachTheActiveTabOnceQueuedAndNothingWithoutATab) {
    m_messages.PostJump(3, 0);
    m_messages.PostJump(0, 2);
    m_messages.PostJump(0, 7);
    m_messages.PostSelectRange(4, 9);
    m_messages.PostSelectRange(0, 9);
    m_messages.PostPrefixUnregisteredMemberNames("m_");
    m_messages.PostShowReplaceAll("Door");
    EXPECT_TRUE(m_targets.calls.isEmpty()) << "nothing runs before the current work is done";
    Deliver();
    EXPECT_EQ(m_targets.calls, QStringList({"Start line 3", "Start field 1", "Start field 0", "Start range 4-9",
                                            "Start prefix m_ 0", "replace Door"}));
    EXPECT_EQ(HeaderFieldFromCode(5), HeaderField::ContentText);
    EXPECT_EQ(HeaderFieldFromCode(1), HeaderField::OutlineNumber);

    m_targets.calls.clear();
    m_app.Tabs().CloseAllTabs();
    m_messages.PostJump(3, 0);
    m_messages.PostSelectRange(4, 9);
    m_messages.PostPrefixUnregisteredMemberNames("m_");
    Deliver();
    EXPECT_TRUE(m_targets.calls.isEmpty());
}

TEST_F(MainFrameMessagesTest, MemberRegistrationRunsOnAWorkerAndMarksTheDocumentModified) {
    CLogicLine& line =
        *m_app.Document().DocumentData().registry.origin->logicLines.emplace_back(std::make_unique<CLogicLine>());
    line.lineKind = SyntaxIf;
    line.textSlots[0].text = "Door";
    line.textSlots[2].text = "Open";
    m_app.Document().SetModified(false);
    m_messages.PostRegisterMemberNames("Door");
    Deliver();
    EXPECT_FALSE(m_messages.IsReady());
    EXPECT_TRUE(m_app.Document().IsWorkerRunning());
    WaitForWorker();
    EXPECT_EQ(m_targets.calls, QStringList({"locked", "refreshed", "unlocked"}));
    EXPECT_TRUE(m_app.Document().IsModified());
    EXPECT_FALSE(m_app.Document().IsWorkerRunning());
    ASSERT_EQ(m_app.Document().DocumentData().memberDefinitions.size(), 1u);
    EXPECT_FALSE(m_pane.Lines().isEmpty());

    // A worker's end without a change only unlocks the window.
    m_targets.calls.clear();
    m_app.Document().SetModified(false);
    m_messages.PostWorkerFinished(false);
    Deliver();
    EXPECT_EQ(m_targets.calls, QStringList({"unlocked"}));
    EXPECT_FALSE(m_app.Document().IsModified());
}

TEST_F(MainFrameMessagesTest, ASecondJobIsRefusedWhileOneRuns) {
    std::atomic<bool> release = false;
    std::atomic<int> runs = 0;
    int refused = 0;
    QObject::connect(&m_messages, &CMainFrameMessages::WorkerRefused, [&refused] { ++refused; });
    m_messages.PostStartWorker(
        [&] {
            ++runs;
            while (!release)
                QThread::msleep(1);
            return false;
        },
        false);
    m_messages.PostStartWorker([&] { return ++runs, true; }, true);
    Deliver();
    EXPECT_EQ(refused, 1);
    release = true;
    WaitForWorker();
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(m_app.Document().IsModified());

    // Nor does one start beside a whole inspection.
    m_app.Document().BeginWork(COpenDocument::Work::Worker);
    m_messages.PostStartWorker([&] { return ++runs, true; }, true);
    Deliver();
    EXPECT_EQ(refused, 2);
    EXPECT_TRUE(m_messages.IsReady());
    m_app.Document().EndWork(COpenDocument::Work::Worker);
}

// A job that fails says why; the document is changed only when the job may have written to it.
TEST_F(MainFrameMessagesTest, AFailedJobSaysSoAndOnlyAJobThatWritesLeavesTheDocumentChanged) {
    m_app.Document().SetModified(false);
    const qsizetype shown = m_sink.Texts().size();
    m_messages.PostStartWorker([]() -> bool { throw std::bad_alloc(); }, false);
    Deliver();
    WaitForWorker();
    EXPECT_FALSE(m_app.Document().IsModified());
    EXPECT_FALSE(m_targets.calls.contains("refreshed"));
    EXPECT_EQ(m_sink.Texts().mid(shown),
              QStringList({"The processing stopped: an error occurred. (Not enough memory)"}));
    EXPECT_TRUE(m_targets.calls.endsWith("unlocked"));

    m_messages.PostStartWorker([]() -> bool { throw std::runtime_error("disk gone"); }, true);
    Deliver();
    WaitForWorker();
    EXPECT_TRUE(m_app.Document().IsModified());
    EXPECT_TRUE(m_targets.calls.contains("refreshed"));
    EXPECT_EQ(m_sink.Texts().mid(shown + 1), QStringList({"The processing stopped: an error occurred. (disk gone)"}));
}

TEST_F(MainFrameMessagesTest, TheActiveTabNoticeUpdatesTheViewsUnlessTheTabBarHasTheFocus) {
    m_messages.PostActiveTabNotice(true);
    Deliver();
    EXPECT_TRUE(m_targets.calls.isEmpty());
    m_app.Document().DocumentData().indexRoot.selected = 1;
    m_messages.PostActiveTabNotice(false);
    Deliver();
    EXPECT_EQ(m_targets.calls, QStringList({"views Start"}));
    EXPECT_EQ(m_app.Document().DocumentData().indexRoot.selected, 0);
}

TEST(NewTypeDlg, OffersTheNamesWithTheFirstSelectedAndADoubleClickChooses) {
    {
        CNewTypeDlg dialog("New", {"NUV", "Other"});
        ASSERT_EQ(dialog.List()->count(), 2);
        QTimer::singleShot(0, &dialog, [&dialog] { dialog.accept(); });
        ASSERT_EQ(dialog.exec(), QDialog::Accepted);
        EXPECT_EQ(dialog.SelectedTemplate(), 0);
    }
    {
        CNewTypeDlg dialog("New", {"NUV", "Other"});
        QTimer::singleShot(0, &dialog, [&dialog] {
            QListWidgetItem* item = dialog.List()->item(1);
            dialog.List()->setCurrentItem(item);
            emit dialog.List()->itemDoubleClicked(item);
        });
        ASSERT_EQ(dialog.exec(), QDialog::Accepted);
        EXPECT_EQ(dialog.SelectedTemplate(), 1);
    }
    {
        CNewTypeDlg dialog("New", {"NUV"});
        dialog.List()->clearSelection();
        QTimer::singleShot(0, &dialog, [&dialog] { dialog.accept(); });
        dialog.exec();
        EXPECT_EQ(dialog.SelectedTemplate(), -1) << "OK without a selection chooses nothing";
    }
}

TEST_F(MainFrameMessagesTest, ALinkOpensADocumentThroughTheOpenPathAndAnythingElseOnTheDesktop) {
    CMainFrame frame(m_app);
    QList<QUrl> desktop;
    bool desktopOpens = true;
    frame.SetDesktopOpener([&](const QUrl& url) {
        desktop << url;
        return desktopOpens;
    });
    const QString plan = m_dirs.Path("plan.pdf");
    QFile file(plan);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const qsizetype shown = m_sink.Texts().size();
    EXPECT_TRUE(frame.OpenLink(plan));
    EXPECT_EQ(m_sink.Texts().size(), shown);
    // An address that may start a program opens once the user agrees.
    m_sink.Answer(platform::MessageAnswer::Yes);
    EXPECT_TRUE(frame.OpenLink("telnet://example.org"));
    EXPECT_EQ(desktop, (QList<QUrl>{QUrl::fromLocalFile(plan), QUrl("telnet://example.org")}));
    ASSERT_EQ(m_sink.Texts().size(), shown + 1);
    EXPECT_TRUE(m_sink.Texts().at(shown).contains(QStringLiteral("\"telnet://example.org\"")));

    // What cannot be opened says so and names it.
    desktopOpens = false;
    EXPECT_FALSE(frame.OpenLink("https://example.org"));
    EXPECT_FALSE(frame.OpenLink(m_dirs.Path("missing.txt")));
    ASSERT_EQ(m_sink.Texts().size(), shown + 3);
    EXPECT_TRUE(m_sink.Texts().at(shown + 1).contains(QStringLiteral("\"https://example.org\"")));
    EXPECT_TRUE(m_sink.Texts().at(shown + 2).contains(m_dirs.Path("missing.txt")));

    // The open path answers for a document, here that it cannot be opened.
    m_app.Document().SetModified(false);
    m_app.CloseDocument();
    EXPECT_TRUE(frame.OpenLink(m_dirs.Path("missing.nuv")));
    EXPECT_TRUE(m_sink.Texts().contains(QStringLiteral("ファイルを開くことができませんでした。")));
    EXPECT_EQ(desktop.size(), 3);
}

TEST_F(MainFrameMessagesTest, TheResultPanesMenuIsInTheCurrentLanguage) {
    CMainFrame frame(m_app);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    QWidget* edit = frame.Pane(MainFrameCommand::MessagesPane)->widget();
    QStringList captions;
    QTimer::singleShot(50, [&captions] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* action : menu->actions())
                captions << action->text();
            menu->close();
        }
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), edit->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(static_cast<QAbstractScrollArea*>(edit)->viewport(), &event);
    EXPECT_TRUE(captions.contains("Copy")) << captions.join('|').toStdString();
    EXPECT_TRUE(captions.contains("Select all")) << captions.join('|').toStdString();
}
