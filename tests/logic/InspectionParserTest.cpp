#include "InspectionTestSupport.h"
#include "logic/InspectionThread.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

InspectionParserSequencePtr ParseOf(LogicTestDocument& document, const CUnitFunction& function,
                                    std::vector<qint32>* stray = nullptr) {
    std::vector<InspectionParserLine> lines;
    CollectLogicLines(function, lines);
    CInspectionParser parser(lines, document.environment);
    InspectionParserSequencePtr top = parser.Parse();
    if (stray)
        *stray = parser.StrayPositions();
    return top;
}

} // namespace

TEST(InspectionParser, PositionsAreLineIndicesAndNonStatementsLeaveNoNode) {
    LogicTestDocument document;
    CUnitFunction* main =
        document.Add("Main", "(: c\nDo <X>{S}\nTransit State <X>{T}\nif <A>{a}\n(: only\nelse\nDo "
                             "nothing\nendif\nswitch <M>\n(: before\ncase {1}\nFn Gone\nelsw\nexitlp\n"
                             "endsw");
    document.Finish();
    const InspectionParserSequencePtr top = ParseOf(document, *main);
    EXPECT_EQ(top->start, 0);
    ASSERT_EQ(top->nodes.size(), 3u);
    EXPECT_EQ(static_cast<const CInspectionParserDo&>(*top->nodes[0]).position, 1);
    const auto& block = static_cast<const CInspectionParserIf&>(*top->nodes[1]);
    EXPECT_TRUE(block.thenBody->IsEmpty());
    EXPECT_EQ(block.thenBody->start, 4);
    EXPECT_EQ(block.elsePosition, 5);
    const auto& choice = static_cast<const CInspectionParserSwitch&>(*top->nodes[2]);
    ASSERT_EQ(choice.cases.size(), 1u);
    EXPECT_EQ(choice.cases[0].position, 10);
    EXPECT_EQ(static_cast<const CInspectionParserFn&>(*choice.cases[0].body->nodes[0]).ComposeText(), "Fn [] ()");
    EXPECT_EQ(document.environment.GetSymbol(-1), QString());
    EXPECT_EQ(document.environment.GetSymbol(15), QString());
}

TEST(InspectionParser, ElswNegatesEachCaseStateOnceAsParsed) {
    LogicTestDocument document;
    const QString half = QString(QChar(0x00AC));
    const QString full = QString(QChar(0xFFE2));
    // T and its doubly negated form are one state; the two negated forms are another.
    CUnitFunction* main =
        document.Add("Main", "switch <M>\ncase {T}\nDo <X>{S}\ncase {" + full + full + "T}\nDo <X>{S}\ncase {" + half +
                                 "T}\nDo <X>{S}\ncase {" + full + "T}\nDo <X>{S}\nelsw\nDo <Y>{U}\nendsw");
    document.Finish();
    const InspectionParserSequencePtr top = ParseOf(document, *main);
    ASSERT_EQ(top->nodes.size(), 1u);
    const auto& choice = static_cast<const CInspectionParserSwitch&>(*top->nodes[0]);
    ASSERT_EQ(choice.elswRecords.size(), 2u);
    EXPECT_EQ(choice.elswRecords[0].state.GetText(), half + "T");
    EXPECT_EQ(choice.elswRecords[1].state.GetText(), "T");
}

TEST(InspectionParser, StrayLinesAreReportedAndTheRestIsStillInspected) {
    LogicTestDocument document;
    CUnitFunction* main = document.Add("Main", "Do <X>{S}\nendif\n?\nDo <X>{S}\nif <A>{a}\nDo <Y>{T}");
    document.Finish();
    std::vector<qint32> stray;
    const InspectionParserSequencePtr top = ParseOf(document, *main, &stray);
    EXPECT_EQ(stray, (std::vector<qint32>{1, 2, 4}));
    EXPECT_EQ(top->nodes.size(), 3u);
    const QStringList lines = InspectCurrent(document, *main);
    EXPECT_TRUE(lines.contains("[0 Line 2] endif (the statements do not pair up)"));
    EXPECT_TRUE(lines.contains("[0 Line 5] if (the statements do not pair up)"));
    EXPECT_TRUE(lines.contains("  構文検査の検出数          000000003"));
    // The Do after the stray lines is still compared with the first one.
    EXPECT_TRUE(lines.contains("── 冗長な記述です ──"));
}

TEST(SyntaxCheck, NamesBodiesAndEffectiveStatements) {
    LogicTestDocument document;
    CUnitFunction* main = document.Add("Main", "if <>{}\nDo nothing\nelse\nDo nothing\nendif\nif <A>{a}\n(: c\nelse\n"
                                               "Do <X>{S}\nendif\nswitch <M>\ncase {}\nelsw\nDo <X>{S}\nendsw\nloop\n"
                                               "if <B>{b}\n(: c\nelse\n(: c\nendif\nendlp\nloop\nexitlp\nendlp");
    document.Finish();
    CInspectionView pane;
    quint32 count = 0;
    SyntaxCheckUnitFunction(*main, pane, count, document.environment);
    EXPECT_EQ(pane.Lines(), (QStringList{
                                "[0 Line 1] if <>{} (メンバー名または状態名が記述されていません)",
                                "[0 Line 1] if <>{} (Do・Fn構文が記述されていません)",
                                "[0 Line 6] if <A>{a} (有効な記述がありません)",
                                "[0 Line 12] case {} (メンバー名または状態名が記述されていません)",
                                "[0 Line 12] case {} (有効な記述がありません)",
                                "[0 Line 17] if <B>{b} (Do・Fn構文が記述されていません)",
                                "[0 Line 17] if <B>{b} (有効な記述がありません)",
                                "[0 Line 19] else (有効な記述がありません)",
                            }));
    EXPECT_EQ(count, 8u);
}

TEST(SyntaxCheck, ADoAtAnyDepthCountsForTheUnitFunction) {
    LogicTestDocument document;
    CUnitFunction* nested = document.Add("Nested", "if <A>{a}\nDo <X>{S}\nelse\nDo nothing\nendif");
    CUnitFunction* empty = document.Add("Empty", "(: nothing");
    document.Finish();
    CInspectionView pane;
    quint32 count = 0;
    SyntaxCheckUnitFunction(*nested, pane, count, document.environment);
    EXPECT_EQ(count, 0u);
    SyntaxCheckUnitFunction(*empty, pane, count, document.environment);
    EXPECT_EQ(pane.Lines(), QStringList{"[1] 単位機能内にDo・Fn構文が記述されていません。"});
}

TEST(InspectionThread, SignalsItsEndOnItsOwnThread) {
    LogicTestDocument document;
    document.Add("Main", "Do <X>{S}");
    document.Finish();
    CInspectionView pane;
    std::atomic<bool> finished{false};
    CInspectionProgress run;
    CInspectionThread thread;
    thread.Start([&] { StartWholeInspection(CommandInspectAll, pane, document.environment, run); },
                 [&finished] { finished = true; });
    thread.Join();
    EXPECT_TRUE(finished.load());
    EXPECT_EQ(pane.Lines().last(), "=== 全体検査（全項目検査）終了 ===");
}

TEST(InspectionParser, NestingDeeperThanTheLimitEndsTheRunWithTheReasonNotRecursedInto) {
    LogicTestDocument document;
    QString script;
    for (int i = 0; i < 5000; ++i)
        script += "loop\n";
    script += "Do <X>{S}\n";
    for (int i = 0; i < 5000; ++i)
        script += "endlp\n";
    CUnitFunction* main = document.Add("Main", script);
    document.Finish();
    EXPECT_EQ(
        InspectCurrent(document, *main).last(),
        "The inspection stopped: an error occurred. (the logic description is nested more than 2000 levels deep)");
}
