#include "InspectionTestSupport.h"
#include "logic/ConditionConclusionList.h"
#include "logic/InspectionParser.h"
#include "logic/InspectionProgress.h"
#include "model/LogicNesting.h"
#include "platform/MessageBox.h"
#include "support/logic/GeneratedLogicDocument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <future>
#include <thread>
#include <vector>

TEST(InspectionRun, CurrentUnitFunctionWritesFindingsAndTotalsByteForByte) {
    LogicTestDocument document;
    CUnitFunction* main = document.Add("Main", R"(
        if <X>{S}
          if <X>{S}
            Do <Y>{T}
          else
            Do nothing
          endif
        else
          Do nothing
        endif)");
    document.Finish();
    const QStringList expected = {
        "=== 当該単位機能検査（全項目検査）開始 ===",
        "",
        "── 冗長な記述です ──",
        "[0 Line 2] if <X>{S}",
        "[0 Line 1] を参照してください",
        "",
        "── 矛盾しています ──",
        "[0 Line 4] else",
        "[0 Line 1] を参照してください",
        "",
        "  探索した経路数            000000003",
        "  構文検査の検出数          000000000",
        "  冗長検査の検出数          000000001",
        "  矛盾検査の検出数          000000001",
        "　意味関係の検出数          000000000",
        "",
        "=== 当該単位機能検査（全項目検査）終了 ===",
    };
    EXPECT_EQ(InspectCurrent(document, *main), expected);
}

TEST(InspectionRun, SyntaxCommandWritesOnlyTheSyntaxItem) {
    LogicTestDocument document;
    document.Add("Main", "Fn A\nFn B");
    document.Add("A", "if <X>{S}\n(: only a comment\nelse\nDo <Y>{T}\nendif");
    document.Add("", "(: nothing");
    document.Finish();
    CInspectionView pane;
    CInspectionProgress run;
    StartWholeInspection(CommandInspectSyntax, pane, document.environment, run);
    const QStringList expected = {
        "=== 全体検査（構文検査）開始 ===",
        "",
        "[1] if <X>{S} (有効な記述がありません)",
        "[2] 単位機能名が空です。",
        "[2] 単位機能内にDo・Fn構文が記述されていません。",
        "",
        "  構文検査の検出数          000000003",
        "",
        "=== 全体検査（構文検査）終了 ===",
    };
    // The finding on the if line carries the line number too.
    QStringList lines = pane.Lines();
    ASSERT_EQ(lines.size(), expected.size()) << lines.join('\n').toStdString();
    lines[2].replace("[1 Line 1]", "[1]");
    EXPECT_EQ(lines, expected);
    EXPECT_FALSE(run.IsAbortRequested());
}

TEST(InspectionRun, RedundancyAndInconsistencyCommandsWriteTheirTotals) {
    LogicTestDocument document;
    document.Add("Main", "Fn A");
    document.Add("A", "Do <X>{S}\nDo <X>{S}");
    document.Finish();
    CInspectionView pane;
    CInspectionProgress redundancyRun;
    StartWholeInspection(CommandInspectRedundancy, pane, document.environment, redundancyRun);
    QStringList lines = pane.Lines();
    EXPECT_EQ(lines.first(), "=== 全体検査（冗長検査）開始 ===");
    EXPECT_EQ(lines.mid(lines.size() - 6),
              (QStringList{"", "  探索した経路数            000000002", "  冗長検査の検出数          000000001",
                           "　意味関係の検出数          000000000", "", "=== 全体検査（冗長検査）終了 ==="}));
    CInspectionProgress inconsistencyRun;
    StartWholeInspection(CommandInspectInconsistency, pane, document.environment, inconsistencyRun);
    lines = pane.Lines();
    EXPECT_EQ(lines.mid(lines.size() - 5, 3),
              (QStringList{"  探索した経路数            000000002", "  矛盾検査の検出数          000000000",
                           "　意味関係の検出数          000000000"}));
}

namespace {

// Records the phases of its run and, from the phase given on, cancels that run.
class CancellingSink : public CInspectionProgressSink {
public:
    explicit CancellingSink(long cancelAtPhase = -1) : m_cancelAtPhase(cancelAtPhase) {}
    void SetMajorProgress(double fraction, const QString&) override {
        phases.push_back(std::lround(fraction * CInspectionProgress::PhaseCount));
        if (m_cancelAtPhase >= 0 && phases.back() >= m_cancelAtPhase) {
            run->RequestAbort();
            if (cancelled)
                cancelled();
        }
    }
    void SetMinorProgress(unsigned, unsigned) override { ++steps; }

    CInspectionProgress* run = nullptr;
    std::function<void()> cancelled; // called on the run's thread once the abort has been asked for
    std::vector<long> phases;
    int steps = 0;

private:
    long m_cancelAtPhase;
};

struct WatchedRun {
    explicit WatchedRun(long cancelAtPhase = -1) : sink(cancelAtPhase), progress(&sink) { sink.run = &progress; }
    CancellingSink sink;
    CInspectionProgress progress;
    CInspectionView pane;
};

LogicTestDocument& TwoFunctions(LogicTestDocument& document) {
    document.Add("Main", "Fn A\nDo <X>{S}");
    document.Add("A", "Do <X>{S}");
    document.Finish();
    return document;
}

} // namespace

TEST(InspectionRun, AbortEndsWithTheAbortLineAndNoFooter) {
    LogicTestDocument document;
    TwoFunctions(document);
    WatchedRun run(6); // as soon as the in-path phase starts
    StartWholeInspection(CommandInspectAll, run.pane, document.environment, run.progress);
    const QStringList lines = run.pane.Lines();
    EXPECT_EQ(lines.first(), "=== 全体検査（全項目検査）開始 ===");
    EXPECT_TRUE(lines.contains("=== 理由検査 終了 ==="));
    EXPECT_EQ(lines.last(), "中断されました。");
    EXPECT_FALSE(lines.contains("=== 全体検査（全項目検査）終了 ==="));
    EXPECT_EQ(run.sink.phases, (std::vector<long>{0, 1, 2, 3, 4, 5, 6}));
    // The poll that threw took the request with it.
    EXPECT_FALSE(run.progress.IsAbortRequested());
}

// Each run has its own progress and abort: a Cancel reaches only the run it was meant for, whether the other
// runs at the same time or later with the Cancel still pending on a run that has ended.
TEST(InspectionRun, RunsHearOnlyTheirOwnCancelAndProgress) {
    LogicTestDocument document;
    TwoFunctions(document);
    const QStringList whole = [&] {
        CInspectionView pane;
        CInspectionProgress run;
        StartWholeInspection(CommandInspectAll, pane, document.environment, run);
        return pane.Lines();
    }();
    ASSERT_EQ(whole.last(), "=== 全体検査（全項目検査）終了 ===");

    // The first run asks to stop in the syntax phase and waits there until the second, on its own thread, has run
    // through while the request is pending.
    WatchedRun cancelled(2);
    WatchedRun other;
    std::promise<void> otherEnded;
    cancelled.sink.cancelled = [ended = otherEnded.get_future().share()] { ended.wait(); };
    std::thread first(
        [&] { StartWholeInspection(CommandInspectAll, cancelled.pane, document.environment, cancelled.progress); });
    std::thread second([&] {
        StartWholeInspection(CommandInspectAll, other.pane, document.environment, other.progress);
        otherEnded.set_value();
    });
    second.join();
    first.join();
    EXPECT_EQ(other.pane.Lines(), whole);
    EXPECT_EQ(other.sink.phases, (std::vector<long>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(cancelled.pane.Lines().last(), "中断されました。");
    EXPECT_EQ(cancelled.sink.phases, (std::vector<long>{0, 1, 2}));

    // A Cancel left on a run that has ended reaches neither the next run nor an inspection of one unit function.
    WatchedRun ended;
    StartWholeInspection(CommandInspectSyntax, ended.pane, document.environment, ended.progress);
    const int endedSteps = ended.sink.steps;
    ended.progress.RequestAbort();
    WatchedRun next;
    StartWholeInspection(CommandInspectAll, next.pane, document.environment, next.progress);
    EXPECT_EQ(next.pane.Lines(), whole);
    CInspectionView current;
    InspectCurrentUnitFunction(*document.registry.FindByName("Main"), current, document.environment);
    EXPECT_EQ(current.Lines().last(), "=== 当該単位機能検査（全項目検査）終了 ===");
    EXPECT_EQ(ended.sink.phases, (std::vector<long>{0, 2, 9}));
    EXPECT_EQ(ended.sink.steps, endedSteps);
}

namespace {

class RecordingSink : public CInspectionProgressSink {
public:
    void SetMajorProgress(double, const QString&) override {}
    void SetMinorProgress(unsigned current, unsigned total) override { steps.push_back({current, total}); }
    std::vector<std::pair<unsigned, unsigned>> steps;
};

} // namespace

TEST(InspectionRun, MinorProgressReachesTheSinkOncePerThousandthAndAtTheEnd) {
    RecordingSink sink;
    CInspectionProgress run(&sink);
    run.MajorProgress(5, QStringLiteral("パスを作成しています。"));
    for (unsigned i = 1; i <= 100000; ++i)
        run.MinorProgress(i, 100000);
    run.MajorProgress(6, QString());
    run.MinorProgress(1, 3);
    using Step = std::pair<unsigned, unsigned>;
    ASSERT_EQ(sink.steps.size(), 1 + 1000 + 1 + 1u);
    EXPECT_EQ(sink.steps[0], Step(0, 0)); // a new phase starts from nothing shown
    EXPECT_EQ(sink.steps[1], Step(100, 100000));
    EXPECT_EQ(sink.steps[1000], Step(100000, 100000));
    EXPECT_EQ(sink.steps.back(), Step(1, 3));
}

namespace {

// The steps reported within the phase that builds the syntax tree.
class ParsePhaseSink : public CInspectionProgressSink {
public:
    void SetMajorProgress(double fraction, const QString&) override {
        inParse = std::lround(fraction * 9) == 4;
        if (std::lround(fraction * 9) == 5)
            run->RequestAbort(); // the paths are not needed here
    }
    void SetMinorProgress(unsigned current, unsigned total) override {
        if (inParse && total != 0)
            steps.push_back(current);
    }
    CInspectionProgress* run = nullptr;
    bool inParse = false;
    std::vector<unsigned> steps;
};

} // namespace

TEST(InspectionRun, BuildingTheSyntaxTreeReportsTheLineItIsAtOncePerThousandth) {
    LogicTestDocument document;
    QString script;
    for (int i = 0; i < 1500; ++i)
        script += QStringLiteral("if <A%1>{a}\nloop\nDo <X>{S}\nendlp\nelse\nDo <X>{T}\nendif\n").arg(i);
    document.Add("Main", script);
    document.Finish();
    ParsePhaseSink sink;
    CInspectionProgress run(&sink);
    sink.run = &run;
    CInspectionView pane;
    StartWholeInspection(CommandInspectRedundancy, pane, document.environment, run);
    // Nested blocks do not send the count back to where their enclosing block began.
    ASSERT_GT(sink.steps.size(), 100u);
    EXPECT_LE(sink.steps.size(), 1001u);
    EXPECT_TRUE(std::is_sorted(sink.steps.begin(), sink.steps.end()));
}

TEST(InspectionRun, FnCycleIsRefused) {
    LogicTestDocument document;
    document.Add("Main", "Fn A");
    document.Add("A", "Fn Main");
    document.Finish();
    platform::ScriptedMessageSink sink;
    EXPECT_TRUE(RefuseFnCycle(document.registry));
    ASSERT_EQ(sink.Texts(), QStringList{"Fn構文が循環しているため、この機能を使用できません。"});
    EXPECT_EQ(sink.Requests()[0].icon, platform::MessageIcon::Error);
}

TEST(InspectionRun, ReasonCheckListsMissingReasons) {
    LogicTestDocument document;
    document.Add("Main", "Do <X>{S}");
    CUnitFunction* a = document.Add("A", "Do <X>{S}");
    a->header.UnNecessaryReasoning = 0;
    CUnitFunction* b = document.Add("B", "Do <X>{S}");
    b->header.UnNecessaryReasoning = 0;
    b->header.Reasoning = " ";
    document.Finish();
    CInspectionView pane;
    InspectReasons(pane, document.environment);
    EXPECT_EQ(pane.Lines(), (QStringList{"=== 理由検査 開始 ===", "", "[1] A", "　単位機能に理由が記載されていません。",
                                         "　理由を記入するか、「理由を省略する」チェックボックスをONにしてください。",
                                         "　理由検査の検出数          000000001", "", "=== 理由検査 終了 ==="}));
}

TEST(InspectionRun, ExpandedLinesFollowEachFnLine) {
    LogicTestDocument document;
    CUnitFunction* main = document.Add("Main", "Fn A\nDo <X>{S}\nFn A");
    document.Add("A", "Do <Y>{T}");
    document.Finish();
    std::vector<InspectionParserLine> lines;
    CollectLogicLinesExpanded(*main, document.environment, lines);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1].function->name, "A");
    EXPECT_EQ(lines[1].lineIndex, 0);
    EXPECT_EQ(lines[2].function, main);
    EXPECT_EQ(lines[4].function->name, "A");
}

// A description nested deeper than the walks may go ends every run with a line that says why, at once and without
// touching the document; nesting up to the bound parses.
TEST(InspectionRun, DescriptionsNestedTooDeepEndTheRunWithAReason) {
    LogicTestDocument document;
    CUnitFunction* deep = document.Add("Deep", NestedIfScript(kMaxLogicNesting + 1));
    CUnitFunction* bound = document.Add("Bound", NestedIfScript(kMaxLogicNesting));
    document.Finish();
    const QString failure =
        "The inspection stopped: an error occurred. (the logic description is nested more than 2000 levels deep)";

    EXPECT_EQ(InspectCurrent(document, *deep), QStringList({"=== 当該単位機能検査（全項目検査）開始 ===", failure}));
    CInspectionView pane;
    CInspectionProgress run;
    StartWholeInspection(CommandInspectAll, pane, document.environment, run);
    EXPECT_EQ(pane.Lines().last(), failure);
    EXPECT_EQ(CConditionConclusionList::Run(pane, document.environment, CConditionConclusionList::CurrentUnitFunction,
                                            CConditionConclusionList::DoStatements, deep),
              CConditionConclusionList::Failed);
    EXPECT_EQ(pane.Lines(),
              QStringList("The list of conditions and conclusions could not be made. (the logic description is nested "
                          "more than 2000 levels deep)"));

    std::vector<InspectionParserLine> lines;
    CollectLogicLines(*bound, lines);
    CInspectionParser parser(lines, document.environment);
    EXPECT_EQ(parser.Parse()->nodes.size(), 1u);
    EXPECT_TRUE(parser.StrayPositions().empty());
}

// Descriptions that are each shallow but pass the bound through the unit functions they call: the reason says that
// the called unit functions are counted in.
TEST(InspectionRun, NestingPastTheBoundThroughCallsSaysSo) {
    constexpr int kFunctions = 170;
    constexpr int kDepth = 12;
    LogicTestDocument document;
    CUnitFunction* first = nullptr;
    for (int f = 0; f < kFunctions; ++f) {
        QString script;
        for (int i = 0; i < kDepth; ++i)
            script += QString("if <C%1>が{on}\n").arg(i);
        if (f + 1 < kFunctions)
            script += QString("Fn F%1\n").arg(f + 1);
        for (int i = 0; i < kDepth; ++i)
            script += "else\nendif\n";
        CUnitFunction* function = document.Add(QString("F%1").arg(f), script);
        if (!first)
            first = function;
    }
    document.Finish();
    const QString reason =
        "(with the unit functions it calls, the logic description is nested more than 2000 levels deep)";
    ASSERT_EQ(document.environment.registry->origin, first);
    CInspectionView pane;
    CInspectionProgress run;
    StartWholeInspection(CommandInspectAll, pane, document.environment, run);
    EXPECT_EQ(pane.Lines().last(), "The inspection stopped: an error occurred. " + reason);
    EXPECT_EQ(CConditionConclusionList::Run(pane, document.environment, CConditionConclusionList::AllUnitFunctions,
                                            CConditionConclusionList::DoStatements, first),
              CConditionConclusionList::Failed);
    EXPECT_EQ(pane.Lines(), QStringList("The list of conditions and conclusions could not be made. " + reason));
    // Each description alone is well within the bound.
    EXPECT_NE(InspectCurrent(document, *first).last(), "The inspection stopped: an error occurred. " + reason);
}
