#include "logic/InspectionRunner.h"
#include "logic/InspectionCommand.h"
#include "logic/InspectionProgress.h"
#include "logic/InspectionView.h"
#include "logic/ResultTextFormat.h"
#include "model/FontSetting.h"
#include "platform/MessageBox.h"
#include "support/logic/LogicScript.h"

#include <QCoreApplication>
#include <QThread>

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
    QStringList phases;
    bool finished = false;
    bool reportedHere = true;
    QObject receiver;
    QObject::connect(&runner, &CInspectionRunner::MajorProgress, &receiver, [&](double, const QString& text) {
        phases.append(text);
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
    ASSERT_EQ(phases.size(), 10);
    EXPECT_EQ(phases.first(), "検査を開始しました。");
    EXPECT_EQ(phases[6], "パス内の検査を行っています。");
    EXPECT_EQ(pane.Lines().first(), "=== 全体検査（全項目検査）開始 ===");
    EXPECT_EQ(pane.Lines().last(), "=== 全体検査（全項目検査）終了 ===");
    EXPECT_FALSE(IsInspectionRunning());

    // The next run may start; its progress no longer goes to a sink of the finished one.
    finished = false;
    ASSERT_TRUE(runner.Start(CommandInspectSyntax, pane, document.environment));
    while (!finished)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_EQ(pane.Lines().last(), "=== 全体検査（構文検査）終了 ===");
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
    EXPECT_FALSE(IsInspectionRunning());
    EXPECT_FALSE(IsInspectionAbortRequested());
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
