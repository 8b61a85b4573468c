#include "logic/InspectionCommand.h"
#include "logic/InspectionEnvironment.h"
#include "logic/InspectionRunner.h"
#include "logic/InspectionView.h"
#include "logic/JumperToLineInLogic.h"
#include "logic/ui/CheckThreadDialog.h"
#include "logic/ui/InspectionViewEdit.h"
#include "model/DocumentData.h"
#include "model/FontSetting.h"
#include "platform/MessageBox.h"
#include "platform/ui/HeadlessDialogs.h"
#include "support/ProgramRun.h"
#include "support/ToolSupport.h"
#include "support/logic/LogicScript.h"
#include "support/ui/InspectionPaneClicks.h"
#include "texts/ui/RichEditContextMenu.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

struct Jump {
    QString kind;
    qint32 value = 0;
    bool operator==(const Jump&) const = default;
};

class RecordingJumpHandler : public CJumpHandler {
public:
    bool OpenFunction(qint32 internalId) override {
        jumps.push_back({"function", internalId});
        return true;
    }
    void GoToLogicLine(qint32 lineNumber) override { jumps.push_back({"line", lineNumber}); }
    void FocusHeaderField(qint32 fieldCode) override { jumps.push_back({"field", fieldCode}); }
    void SelectExplanation(qint32 start, qint32) override { jumps.push_back({"explanation", start}); }
    void OfferIntraMemberConsistencyRule(const QString&, const QString&, const QString&) override {
        jumps.push_back({"rule", 0});
    }
    std::vector<Jump> jumps;
};

CCheckThreadDialog* OpenDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<CCheckThreadDialog*>(widget); dialog && dialog->isVisible())
            return dialog;
    return nullptr;
}

// A saved document with findings of every kind the run writes: syntax, redundancy over two calls, paths.
QString SaveInspectedDocument(const QTemporaryDir& directory) {
    return SaveScriptDocument(
        directory.filePath("d.nuv"),
        {{"Main", "if <A>{a}\nFn Sub\nelse\nFn Sub\nendif"}, {"Sub", "Do <X>{S}\nDo <X>{S}"}, {"Empty", "(: nothing"}});
}

} // namespace

TEST(InspectionPane, AWholeRunFromTheDialogWritesWhatNuvinspectPrintsAndADoubleClickJumps) {
    QTemporaryDir directory;
    const QString path = SaveInspectedDocument(directory);
    const ProgramRun printed = RunProgram(QStringLiteral("nuvinspect"), {"inspect", path, "--all"});
    ASSERT_EQ(printed.exitCode, 0) << printed.standardError.toStdString();

    CDocumentData data;
    ASSERT_EQ(tools::LoadDocument(path, data), LoadResult::Loaded);
    const InspectionEnvironment environment = MakeInspectionEnvironment(data);
    CInspectionView view;
    RecordingJumpHandler handler;
    CInspectionViewEdit edit(view, handler);
    edit.resize(600, 400);
    edit.show();
    view.AddMessageWithoutTarget("an earlier result");

    CInspectionRunner runner;
    std::vector<int> majorSeen;
    QObject::connect(&runner, &CInspectionRunner::MajorProgress, &edit, [&](double fraction, const QString&) {
        if (CCheckThreadDialog* dialog = OpenDialog())
            majorSeen.push_back(dialog->findChildren<QProgressBar*>().first()->value());
        EXPECT_GE(fraction, 0.0);
    });
    ASSERT_TRUE(CCheckThreadDialog::RunWholeInspection(nullptr, runner, CommandInspectAll, view, environment));
    EXPECT_FALSE(runner.IsRunning());
    EXPECT_EQ(OpenDialog(), nullptr);
    EXPECT_EQ(edit.Lines(), printed.Lines());
    ASSERT_FALSE(majorSeen.empty());

    // A finding line of the called unit function jumps to its logic line.
    const int finding = static_cast<int>(edit.Lines().indexOf(QRegularExpression("\\[1 Line 2\\].*")));
    ASSERT_GE(finding, 0) << edit.Lines().join('\n').toStdString();
    DoubleClickLine(edit, finding);
    const qint32 sub = static_cast<qint32>(data.registry.FindByName("Sub")->InternalID);
    EXPECT_EQ(handler.jumps, (std::vector<Jump>{{"function", sub}, {"line", 2}}));
    EXPECT_EQ(edit.SelectedText(), edit.Lines()[finding] + QChar('\n'));

    // Header and blank lines go nowhere.
    handler.jumps.clear();
    DoubleClickLine(edit, 0);
    EXPECT_TRUE(handler.jumps.empty());
}

// Without a display a question is cancelled as it opens; the progress dialog of a whole run asks nothing: the run goes
// to its end and writes every line, and nothing is said.
TEST(InspectionPane, WithoutADisplayAWholeRunGoesToItsEnd) {
    QTemporaryDir directory;
    const QString path = SaveInspectedDocument(directory);
    const ProgramRun printed = RunProgram(QStringLiteral("nuvinspect"), {"inspect", path, "--all"});
    ASSERT_EQ(printed.exitCode, 0) << printed.standardError.toStdString();
    CDocumentData data;
    ASSERT_EQ(tools::LoadDocument(path, data), LoadResult::Loaded);
    CInspectionView view;
    RecordingJumpHandler handler;
    CInspectionViewEdit edit(view, handler);

    platform::ScriptedMessageSink messages;
    const std::unique_ptr<QObject> headless =
        platform::CancelDialogsWithoutDisplay(*qApp, [](const QString& title) { return "cancelled: " + title; });
    CInspectionRunner runner;
    ASSERT_TRUE(CCheckThreadDialog::RunWholeInspection(nullptr, runner, CommandInspectAll, view,
                                                       MakeInspectionEnvironment(data)));
    EXPECT_EQ(edit.Lines(), printed.Lines());
    EXPECT_TRUE(messages.Texts().isEmpty()) << messages.Texts().join('\n').toStdString();

    QDialog question;
    question.setWindowTitle("question");
    question.setModal(true);
    EXPECT_EQ(question.exec(), QDialog::Rejected);
    EXPECT_EQ(messages.Texts(), QStringList{"cancelled: question"});
}

TEST(InspectionPane, CancelInTheDialogEndsTheRunWithTheAbortLine) {
    LogicTestDocument document;
    document.Add("Main", "Fn A\nDo <X>{S}");
    document.Add("A", "Do <X>{S}");
    document.Finish();
    CInspectionView view;
    RecordingJumpHandler handler;
    CInspectionViewEdit edit(view, handler);
    CInspectionRunner runner;

    // The worker, once it has cleared the pane, waits until Cancel has been pressed.
    QSemaphore reached;
    QSemaphore cancelled;
    std::atomic<bool> held{false};
    QObject::connect(
        &view, &CInspectionView::Cleared, &view,
        [&] {
            if (QThread::currentThread() != edit.thread() && !held.exchange(true)) {
                reached.release();
                cancelled.acquire();
            }
        },
        Qt::DirectConnection);
    bool pressed = false;
    QString phaseText;
    bool cancelEnabled = true;
    QTimer::singleShot(0, &edit, [&] {
        CCheckThreadDialog* dialog = OpenDialog();
        ASSERT_NE(dialog, nullptr);
        reached.acquire();
        pressed = true;
        QPushButton* cancel = dialog->findChild<QPushButton*>();
        EXPECT_EQ(cancel->text(), "キャンセル");
        EXPECT_EQ(dialog->windowTitle(), "検査の実行中です");
        QTest::mouseClick(cancel, Qt::LeftButton);
        cancelEnabled = cancel->isEnabled();
        phaseText = dialog->findChild<QLabel*>()->text();
        cancelled.release();
    });
    ASSERT_TRUE(CCheckThreadDialog::RunWholeInspection(nullptr, runner, CommandInspectAll, view, document.environment));
    EXPECT_TRUE(pressed);
    EXPECT_FALSE(cancelEnabled);
    EXPECT_EQ(phaseText, "中断しています。");
    const QStringList lines = edit.Lines();
    EXPECT_EQ(lines.first(), "=== 全体検査（全項目検査）開始 ===");
    EXPECT_EQ(lines.last(), "中断されました。");
    EXPECT_FALSE(lines.contains("=== 全体検査（全項目検査）終了 ==="));
    EXPECT_FALSE(runner.IsRunning());
    // The Cancel went with the run it stopped: the next run goes to its end.
    ASSERT_TRUE(CCheckThreadDialog::RunWholeInspection(nullptr, runner, CommandInspectAll, view, document.environment));
    EXPECT_EQ(edit.Lines().last(), "=== 全体検査（全項目検査）終了 ===");
}

TEST(InspectionPane, TheDialogShowsPhaseAndStepAndCancelAfterTheEndOnlyChangesItsText) {
    CCheckThreadDialog dialog;
    int cancels = 0;
    QObject::connect(&dialog, &CCheckThreadDialog::CancelRequested, &dialog, [&] { ++cancels; });
    dialog.SetMajorProgress(5.0 / 9, "パスを作成しています。");
    const QList<QProgressBar*> bars = dialog.findChildren<QProgressBar*>();
    QLabel* phase = dialog.findChild<QLabel*>();
    EXPECT_EQ(bars[0]->value(), 555);
    EXPECT_EQ(phase->text(), "パスを作成しています。");
    // The step count and its bar are one value.
    dialog.SetMinorProgress(117117, 160000);
    EXPECT_EQ(bars[1]->value(), 731);
    EXPECT_EQ(bars[1]->text(), "117117 / 160000");
    dialog.SetMinorProgress(3, 2); // a step past its total fills the bar
    EXPECT_EQ(bars[1]->value(), 1000);
    EXPECT_EQ(bars[1]->text(), "3 / 2");
    dialog.SetMinorProgress(0, 0); // a new phase: no step yet
    EXPECT_EQ(bars[1]->value(), 0);
    EXPECT_EQ(bars[1]->text(), "");
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible()); // only the end of the run closes it
    EXPECT_EQ(phase->text(), "中断しています。");
    EXPECT_FALSE(dialog.findChild<QPushButton*>()->isEnabled());
    EXPECT_EQ(cancels, 1);
}

TEST(InspectionPane, TensOfThousandsOfLinesFromAWorkerAreAnnouncedOnceAndTakenInOneTurn) {
    CInspectionView view;
    RecordingJumpHandler handler;
    CInspectionViewEdit edit(view, handler);
    edit.resize(300, 120);
    edit.show();
    // Each take grows the scroll range once.
    int insertions = 0;
    QObject::connect(edit.verticalScrollBar(), &QScrollBar::rangeChanged, &edit, [&] { ++insertions; });
    std::atomic<int> announced{0};
    QObject::connect(
        &view, &CInspectionView::LinesWaiting, &view, [&] { ++announced; }, Qt::DirectConnection);
    constexpr int kLines = 50000;
    const QString wide(200, QChar('M'));
    std::thread worker([&view, &wide] {
        view.AddMessageWithoutTarget(QString());
        view.AddMessageWithoutTarget(wide);
        for (int i = 2; i < kLines; ++i)
            view.AddMessage(QString::number(i), std::make_unique<CJumperToLineInLogic>(7, i));
    });
    worker.join();
    EXPECT_EQ(announced, 1);
    // Every waiting line at the next turn of the event loop.
    QApplication::processEvents();
    EXPECT_EQ(insertions, 1);
    ASSERT_EQ(edit.LineCount(), kLines);
    EXPECT_EQ(edit.Lines().first(), ""); // an empty first line still counts
    EXPECT_EQ(edit.Lines().last(), QString::number(kLines - 1));
    EXPECT_EQ(announced, 1);
    // The widest line was never drawn, yet the horizontal range reaches its end.
    const int wideWidth = QFontMetrics(edit.font()).horizontalAdvance(wide);
    EXPECT_GE(edit.horizontalScrollBar()->maximum() + edit.viewport()->width(), wideWidth);
    // A line written right after a take is taken when the pane's interval is over, with nothing else to wake it.
    std::thread([&view] { view.AddMessageWithoutTarget("later"); }).join();
    EXPECT_TRUE(QTest::qWaitFor([&edit] { return edit.LineCount() == kLines + 1; }, 5000));
    EXPECT_EQ(announced, 2);

    DoubleClickLine(edit, 40000);
    EXPECT_EQ(handler.jumps, (std::vector<Jump>{{"function", 7}, {"line", 40001}}));
    EXPECT_EQ(edit.GetCaretLine(), 40000);

    // Cleared and written again before the pane took anything: it shows the new lines only.
    view.ClearMessages();
    view.AddMessageWithoutTarget("again");
    EXPECT_EQ(announced, 3);
    QApplication::processEvents();
    EXPECT_EQ(edit.Lines(), QStringList{"again"});
    view.ClearMessages();
    QApplication::processEvents();
    EXPECT_TRUE(edit.Lines().isEmpty());
    EXPECT_EQ(edit.GetCaretLine(), -1);
}

TEST(InspectionPane, RecordLinesInsertedInTheMiddleAndTheirHeaderFieldJump) {
    CInspectionView view;
    RecordingJumpHandler handler;
    CDocumentData data;
    data.SetDefaults();
    CInspectionViewEdit edit(view, handler);
    view.AddLine("a", data.registry.origin, -3);
    view.AddLine("c", nullptr, 0);
    view.InsertLine("b", 1);
    view.InsertLine("d", 9); // past the end: appended
    EXPECT_EQ(edit.Lines(), (QStringList{"a", "b", "c", "d"}));
    DoubleClickLine(edit, 0);
    EXPECT_EQ(handler.jumps,
              (std::vector<Jump>{{"function", static_cast<qint32>(data.registry.origin->InternalID)}, {"field", 3}}));
}

TEST(InspectionPane, TheTextFormatFollowsTheResultsFont) {
    CInspectionView view;
    RecordingJumpHandler handler;
    CInspectionViewEdit edit(view, handler);
    FontSetting font;
    font.faceName = "Monospace";
    font.pointSize = 120;
    font.colour = 0x000000FF;
    font.italic = 1;
    edit.SetTextFormat(font);
    EXPECT_EQ(edit.font().family(), "Monospace");
    EXPECT_DOUBLE_EQ(edit.font().pointSizeF(), 12.0);
    EXPECT_TRUE(edit.font().italic());
    EXPECT_FALSE(edit.font().bold());
    EXPECT_EQ(edit.palette().color(QPalette::Text), QColor(255, 0, 0));
    // Typing changes nothing.
    view.AddMessageWithoutTarget("kept");
    QTest::keyClicks(&edit, "x");
    QTest::keyClick(&edit, Qt::Key_Delete);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.Lines(), QStringList{"kept"});
}

TEST(InspectionPane, ClicksAndKeysSelectWholeLinesWhichCopyAndEnterJumpsFromTheCaretLine) {
    CInspectionView view;
    RecordingJumpHandler handler;
    CInspectionViewEdit edit(view, handler);
    edit.resize(300, 120);
    edit.show();
    for (const char* text : {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l"})
        view.AddMessageWithoutTarget(text);
    view.AddMessage("m", std::make_unique<CJumperToLineInLogic>(7, 12));
    view.AddMessageWithoutTarget(QString(300, QChar('w')));
    QApplication::processEvents();

    // Arrived lines leave the caret on the last one, in view, with nothing selected; the widest sets the range.
    EXPECT_EQ(edit.GetCaretLine(), 13);
    EXPECT_TRUE(edit.viewport()->rect().contains(edit.LineRect(13)));
    EXPECT_FALSE(edit.viewport()->rect().contains(edit.LineRect(0)));
    EXPECT_EQ(edit.SelectedText(), "");
    EXPECT_GE(edit.horizontalScrollBar()->maximum(),
              edit.fontMetrics().horizontalAdvance(QString(300, QChar('w'))) - edit.viewport()->width());
    // A pane at its end stays there when it shrinks.
    edit.resize(300, 100);
    EXPECT_TRUE(edit.viewport()->rect().contains(edit.LineRect(13)));

    // A click selects its line, a Shift-click and Shift-arrows extend; the copy holds each line with its break.
    QTest::mouseClick(edit.viewport(), Qt::LeftButton, Qt::NoModifier, edit.LineRect(10).center());
    EXPECT_EQ(edit.SelectedText(), "k\n");
    QTest::mouseClick(edit.viewport(), Qt::LeftButton, Qt::ShiftModifier, edit.LineRect(12).center());
    EXPECT_EQ(edit.SelectedText(), "k\nl\nm\n");
    QTest::keyClick(&edit, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(edit.SelectedText(), "k\nl\n");
    QTest::keyClick(&edit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "k\nl\n");
    QTest::keyClick(&edit, Qt::Key_Down);
    EXPECT_EQ(edit.SelectedText(), "m\n");
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_EQ(handler.jumps, (std::vector<Jump>{{"function", 7}, {"line", 13}}));
    QTest::keyClick(&edit, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(edit.GetCaretLine(), 0);
    EXPECT_TRUE(edit.viewport()->rect().contains(edit.LineRect(0)));

    // The right-click menu offers Copy while lines are selected and Select All.
    QList<int> commands;
    QList<bool> enabled;
    QTimer::singleShot(0, &edit, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator()) {
                commands << RichEditMenuCommand(*action);
                enabled << action->isEnabled();
                EXPECT_FALSE(action->text().isEmpty());
            }
        }
        if (QAction* selectAll = menu->actions().last(); selectAll->isEnabled())
            selectAll->trigger();
        menu->close();
    });
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, edit.LineRect(0).center(),
                                edit.viewport()->mapToGlobal(edit.LineRect(0).center()));
    QApplication::sendEvent(edit.viewport(), &menuEvent);
    EXPECT_EQ(commands, (QList<int>{57634, 57642}));
    EXPECT_EQ(enabled, (QList<bool>{true, true}));
    EXPECT_EQ(edit.SelectedText(), edit.Lines().join('\n') + '\n');
}

TEST(InspectionPane, ALineOfMegabytesScrollsAsFarAsItsRowShowsIt) {
    CInspectionView view;
    RecordingJumpHandler handler;
    CInspectionViewEdit edit(view, handler);
    edit.resize(300, 120);
    edit.show();
    view.AddMessageWithoutTarget(QString(10'000'000, QChar('w')));
    QApplication::processEvents();
    QImage image(edit.viewport()->size(), QImage::Format_ARGB32);
    edit.viewport()->render(&image);
    const int reach = edit.horizontalScrollBar()->maximum() + edit.viewport()->width();
    const QFontMetrics metrics(edit.font());
    EXPECT_GE(reach, metrics.horizontalAdvance(QString(CInspectionView::ShownLineLength, QChar('w'))));
    EXPECT_LT(reach, metrics.horizontalAdvance(QString(CInspectionView::ShownLineLength + 16, QChar('w'))));
}
