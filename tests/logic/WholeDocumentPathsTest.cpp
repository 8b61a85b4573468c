#include "InspectionTestSupport.h"
#include "logic/InspectionPathCreation.h"
#include "logic/PathChecks.h"

#include <gtest/gtest.h>

namespace {

QStringList InspectAll(LogicTestDocument& document) {
    CInspectionView pane;
    CInspectionProgress run;
    StartWholeInspection(CommandInspectAll, pane, document.environment, run);
    return pane.Lines();
}

} // namespace

// The same member in two unit functions is one member of the expanded description: the two Do statements in
// different loops are compared, and a second run over the same document writes the same lines.
TEST(WholeDocumentPaths, MembersMeetAcrossUnitFunctionsAndRunsRepeat) {
    LogicTestDocument document;
    document.Add("Main", "loop\nFn On\nendlp\nloop\nFn Off\nendlp\nloop\nFn Again\nendlp");
    document.Add("On", "Do <X>{on}");
    document.Add("Off", "Do <X>{off}");
    document.Add("Again", "Do <X>{on}");
    document.Finish();
    const QStringList first = InspectAll(document);
    EXPECT_EQ(first, InspectAll(document));
    const QStringList expected = {
        "── 不整合な記述の可能性があります ──",
        "[2 Line 1] Do <X>{off}",
        "[1 Line 1] Do <X>{on}",
        "",
        "── 冗長な記述です ──",
        "[3 Line 1] Do <X>{on}",
        "[1 Line 1] Do <X>{on}",
        "2つのDo構文は実行条件が同じです",
    };
    const qsizetype at = first.indexOf(expected.front());
    ASSERT_GE(at, 0) << first.join('\n').toStdString();
    EXPECT_EQ(first.mid(at, expected.size()), expected) << first.join('\n').toStdString();
}

// Paths copied out of a run keep their records and conclusions after the run, its tree and its parser are
// gone.
TEST(WholeDocumentPaths, CopiedPathsOutliveTheirRun) {
    LogicTestDocument document;
    CUnitFunction* main = document.Add("Main", "Do <X>{a}\nloop\nif <Y>{b}\nDo <X>{c}\nelse\nexitlp\nendif\nendlp");
    document.Finish();
    std::vector<InspectionPath> kept;
    std::vector<QStringList> described;
    {
        std::vector<InspectionParserLine> lines;
        CollectLogicLines(*main, lines);
        CInspectionParser parser(lines, document.environment);
        CInspectionView pane;
        InspectionResultSet results(pane, document.environment);
        CreatePathsOfCurrentUnitFunction(results, parser.Parse());
        kept = results.paths;
    }
    ASSERT_EQ(kept.size(), 3u);
    const QStringList want[] = {
        {"Do <X>{a}"}, {"Do <X>{a}", "if <Y>{b}", "Do <X>{c}"}, {"Do <X>{a}", "else", "exitlp"}};
    for (size_t i = 0; i < kept.size(); ++i) {
        QStringList got;
        for (const PathCondition& condition : kept[i].Conditions())
            got << condition.line.Text();
        got << kept[i].conclusion->line.Text();
        EXPECT_EQ(got, want[i]) << "path " << i;
        EXPECT_NE(kept[i].conclusion->enclosingBlocks, nullptr);
    }
}
