#include "logic/InspectionRunner.h"
#include "logic/InspectionCommand.h"
#include "logic/InspectionView.h"
#include "logic/ResultTextFormat.h"
#include "model/FontSetting.h"
#include "platform/MessageBox.h"
#include "support/logic/LogicScript.h"

#include <QCoreApplication>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

TEST(InspectionRunner, RunsOnAWorkerAndReportsOnThisThreadOneRunAtATime) {
    int argc = 1;
    char name[] = "logic_tests";
    char* argv[] = {name, nullptr};
    const QCoreApplication application(argc, argv);
    LogicTestDocument document;
    document.Add("Main", "Fn A\nDo <X>{S}");
    document.Add("A", "Do <X>{S}\nDo <X>{S}");
    document.Finish();
    CInspectionView pane;
    pane.AddMessageWithoutTarget("an earlier result");

    CInspectionRunner runner;
    std::vector<double> phases;
    bool finished = false;
    bool reportedHere = true;
    QObject receiver;
    QObject::connect(&runner, &CInspectionRunner::MajorProgress, &receiver, [&](double fraction, const QString&) {
        phases.push_back(fraction);
        reportedHere = reportedHere && QThread::currentThread() == application.thread();
    });
    QObject::connect(&runner, &CInspectionRunner::Finished, &receiver, [&] {
        finished = true;
        EXPECT_FALSE(runner.IsRunning());
    });
    ASSERT_TRUE(runner.Start(CommandInspectAll, pane, document.environment));
    EXPECT_TRUE(runner.IsRunning());
    // Until this thread has heard of the end, another start is refused and clears nothing.
    EXPECT_FALSE(runner.Start(CommandInspectSyntax, pane, document.environment));
    while (!finished)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);

    EXPECT_TRUE(reportedHere);
    // Phases may be passed over while others are shown, never shown out of order; the last one is heard.
    ASSERT_FALSE(phases.empty());
    EXPECT_TRUE(std::is_sorted(phases.begin(), phases.end()));
    EXPECT_DOUBLE_EQ(phases.back(), 1.0);
    EXPECT_EQ(pane.Lines().first(), "=== 全体検査（全項目検査）開始 ===");
    EXPECT_EQ(pane.Lines().last(), "=== 全体検査（全項目検査）終了 ===");
    EXPECT_FALSE(runner.IsWorkerRunning());

    // The next run may start; its progress no longer goes to a sink of the finished one.
    finished = false;
    ASSERT_TRUE(runner.Start(CommandInspectSyntax, pane, document.environment));
    while (!finished)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_EQ(pane.Lines().last(), "=== 全体検査（構文検査）終了 ===");
}

TEST(InspectionRunner, ABusyWorkerQueuesOneProgressNoticeAndOnePaneNoticeWhateverItReports) {
    int argc = 1;
    char name[] = "logic_tests";
    char* argv[] = {name, nullptr};
    const QCoreApplication application(argc, argv);
    LogicTestDocument document;
    QString script;
    for (int i = 0; i < 300; ++i)
        script += QStringLiteral("if <A%1>{a}\nDo <X>{S}\nelse\nDo <X>{S}\nendif\nDo <X>{S}\n").arg(i);
    document.Add("Main", script);
    document.Finish();
    CInspectionView pane;
    std::atomic<int> paneNotices{0};
    QObject::connect(
        &pane, &CInspectionView::LinesWaiting, &pane, [&] { ++paneNotices; }, Qt::DirectConnection);
    CInspectionRunner runner;
    std::vector<double> phases;
    std::vector<std::pair<unsigned, unsigned>> steps;
    bool finished = false;
    QObject receiver;
    QObject::connect(&runner, &CInspectionRunner::MajorProgress, &receiver,
                     [&](double fraction, const QString&) { phases.push_back(fraction); });
    QObject::connect(&runner, &CInspectionRunner::MinorProgress, &receiver,
                     [&](unsigned current, unsigned total) { steps.emplace_back(current, total); });
    QObject::connect(&runner, &CInspectionRunner::Finished, &receiver, [&] { finished = true; });

    // This thread takes no event until the worker is done: thousands of reports and lines meanwhile.
    ASSERT_TRUE(runner.Start(CommandInspectAll, pane, document.environment));
    while (runner.IsWorkerRunning())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(pane.Lines().last(), "=== 全体検査（全項目検査）終了 ===");
    EXPECT_GT(pane.LineCount(), 300);
    EXPECT_EQ(paneNotices, 1);
    while (!finished)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // Only where the worker is now: the last phase, which has no step.
    EXPECT_EQ(phases, std::vector<double>{1.0});
    EXPECT_EQ(steps, (std::vector<std::pair<unsigned, unsigned>>{{0, 0}}));
}

TEST(InspectionRunner, AFnCycleStartsNothingAndLeavesThePane) {
    LogicTestDocument document;
    document.Add("Main", "Fn A");
    document.Add("A", "Fn Main");
    document.Finish();
    CInspectionView pane;
    pane.AddMessageWithoutTarget("kept");
    platform::ScriptedMessageSink sink;
    CInspectionRunner runner;
    EXPECT_FALSE(runner.Start(CommandInspectAll, pane, document.environment));
    EXPECT_FALSE(runner.IsRunning());
    EXPECT_EQ(sink.Texts(), QStringList{"Fn構文が循環しているため、この機能を使用できません。"});
    EXPECT_EQ(pane.Lines(), QStringList{"kept"});
}

TEST(InspectionRunner, ARunnerDestroyedMidRunStopsItsWorker) {
    LogicTestDocument document;
    QString script;
    for (int i = 0; i < 200; ++i)
        script += QStringLiteral("if <A%1>{a}\nDo <X>{S}\nendif\n").arg(i);
    document.Add("Main", script);
    document.Finish();
    CInspectionView pane;
    {
        CInspectionRunner runner;
        ASSERT_TRUE(runner.Start(CommandInspectAll, pane, document.environment));
    }
    const QString last = pane.Lines().last();
    EXPECT_TRUE(last == "中断されました。" || last == "=== 全体検査（全項目検査）終了 ===") << last.toStdString();
}

TEST(InspectionRunner, CancelWithNoRunGoingLeavesNothingForTheNextRun) {
    int argc = 1;
    char name[] = "logic_tests";
    char* argv[] = {name, nullptr};
    const QCoreApplication application(argc, argv);
    LogicTestDocument document;
    document.Add("Main", "Do <X>{S}");
    document.Finish();
    CInspectionView pane;
    CInspectionRunner runner;
    bool finished = false;
    QObject receiver;
    QObject::connect(&runner, &CInspectionRunner::Finished, &receiver, [&] { finished = true; });
    const auto run = [&] {
        finished = false;
        ASSERT_TRUE(runner.Start(CommandInspectAll, pane, document.environment));
        while (!finished)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    };
    runner.RequestAbort();
    run();
    EXPECT_EQ(pane.Lines().last(), "=== 全体検査（全項目検査）終了 ===");
    // Nor does a Cancel after a run has ended.
    runner.RequestAbort();
    run();
    EXPECT_EQ(pane.Lines().last(), "=== 全体検査（全項目検査）終了 ===");
}

TEST(ResultTextFormat, TakesTheResultsFontWithAShortFaceName) {
    FontSetting font;
    font.faceName = QString(40, QChar('M'));
    font.pointSize = 105;
    font.colour = 0x00336699;
    font.bold = 1;
    font.underline = 1;
    const ResultTextFormat format = ResultTextFormat::FromFontSetting(font);
    EXPECT_EQ(format.faceName, QString(31, QChar('M')));
    EXPECT_DOUBLE_EQ(format.pointSize, 10.5);
    EXPECT_EQ(format.red, 0x99);
    EXPECT_EQ(format.green, 0x66);
    EXPECT_EQ(format.blue, 0x33);
    EXPECT_TRUE(format.bold);
    EXPECT_FALSE(format.italic);
    EXPECT_TRUE(format.underline);
}
