#include "InspectionTestSupport.h"
#include "logic/InspectionPathCreation.h"

#include <gtest/gtest.h>

namespace {

const QString kNot = QString(QChar(0x00AC));

// The count the parser keeps for the tree of a unit function's lines, and the paths the walk then makes.
std::pair<size_t, size_t> CountAndWalk(LogicTestDocument& document, const CUnitFunction& function, bool includeFn) {
    std::vector<InspectionParserLine> lines;
    CollectLogicLines(function, lines);
    const InspectionParserSequencePtr top = CInspectionParser(lines, document.environment).Parse();
    CInspectionView pane;
    InspectionResultSet results(pane, document.environment);
    includeFn ? CreatePathsOfCurrentUnitFunction(results, top) : CreatePathsOfAllUnitFunctions(results, top);
    return {top->ConclusionCount(includeFn), results.paths.size()};
}

} // namespace

// The parser counts the conclusions as it closes each sequence; the path walk reports its progress against that
// count, so it has to be the number of paths the walk makes, with and without Fn statements as conclusions, for
// empty bodies, Do statements without a record, nested blocks, loops and lines that end the top level early.
TEST(ConclusionCount, EqualsThePathsOfTheWalk) {
    const QStringList scripts = {
        "",
        "Do nothing",
        "Fn Called",
        "Do <X>{a}\nFn Called\nexitlp",
        "if <X>{a}\nDo nothing\nelse\nFn Called\nendif",
        "switch <M>\ncase {1}\nDo <Y>{b}\ncase {2}\nelsw\nDo nothing\nendsw\nloop\nif <C>{c}\nexitlp\nelse\n"
        "Do nothing\nendif\nendlp",
        "Do <>{a}\nif <X>{a}\nif <Y>{b}\nDo <Z>{c}\nelse\nFn Called\nendif\nelse\nDo nothing\nendif",
        "Do <X>{a}\nendif\nFn Called\nelse\nDo <Y>{b}\nendlp\nDo nothing",
    };
    for (const QString& script : scripts) {
        LogicTestDocument document;
        CUnitFunction* main = document.Add("Main", script);
        document.Add("Called", "Do <W>{w}");
        document.Finish();
        for (const bool includeFn : {false, true}) {
            const auto [counted, paths] = CountAndWalk(document, *main, includeFn);
            EXPECT_EQ(counted, paths) << script.toStdString() << (includeFn ? " with Fn" : "");
        }
    }
}

// A pair that ends in the concluding Do is only kept when the states may be the same: signs that cancel out
// still make the same state, an odd number of them another.
TEST(ConclusionCount, ConcludingDoPairsFollowTheStateAsParsed) {
    const auto findings = [](const QString& script) {
        LogicTestDocument document;
        CUnitFunction* main = document.Add("Main", script);
        document.Finish();
        return FindingLines(document, *main);
    };
    const QStringList same = findings("Do <X>{on}\nDo <X>{" + kNot + kNot + "on}");
    EXPECT_TRUE(same.contains("── 冗長な記述です ──")) << same.join('\n').toStdString();
    EXPECT_TRUE(findings("Do <X>{on}\nDo <X>{" + kNot + "on}").isEmpty());
    EXPECT_TRUE(findings("Do <X>{on}\nDo <X>{off}").isEmpty());
}
