#include "editor/SidePaneLines.h"
#include "model/DocumentData.h"
#include "support/logic/LogicScript.h"

#include <gtest/gtest.h>

namespace {

class SidePaneLinesTest : public ::testing::Test {
protected:
    SidePaneLinesTest() { document.SetDefaults(); }
    CUnitFunction& Logic(const QString& script) {
        CUnitFunction& origin = *document.registry.origin;
        std::vector<std::pair<CLogicLine*, QString>> pending;
        AppendScript(origin, script, pending);
        return origin;
    }
    static QStringList Column(const std::vector<SidePaneLine>& lines, bool left) {
        QStringList texts;
        for (const SidePaneLine& line : lines)
            texts << (left ? line.left : line.right);
        return texts;
    }

    CDocumentData document;
};

TEST_F(SidePaneLinesTest, ElseShowsItsOwnIfNegatedUnderNesting) {
    const CUnitFunction& function = Logic(QStringLiteral("if <∀A>が{open}\n"
                                                         "  if <B>が{¬full}\n"
                                                         "    Do <C>を{S}せよ\n"
                                                         "  else\n"
                                                         "  endif\n"
                                                         "  switch <D>が\n"
                                                         "  case {one}\n"
                                                         "  elsw\n"
                                                         "  endsw\n"
                                                         "else\n"
                                                         "  Transit State <E>{T}\n"
                                                         "endif"));
    const std::vector<SidePaneLine> input = BuildConditionPaneLines(document, function);
    ASSERT_EQ(input.size(), function.logicLines.size());
    EXPECT_EQ(Column(input, true), (QStringList{"∀A", "B", "", "B", "", "D", "", "", "", "∃A", "", ""}));
    EXPECT_EQ(Column(input, false),
              (QStringList{"open", "¬full", "", "full", "", "", "one", "others", "", "¬open", "", ""}));

    const std::vector<SidePaneLine> output = BuildOutputPaneLines(document, function);
    EXPECT_EQ(Column(output, true), (QStringList{"", "", "C", "", "", "", "", "", "", "", "E", ""}));
    EXPECT_EQ(Column(output, false), (QStringList{"", "", "S", "", "", "", "", "", "", "", "T", ""}));
}

TEST_F(SidePaneLinesTest, LinesWithoutConditionsStayEmptyAndElseWithoutIfShowsNothing) {
    const CUnitFunction& function = Logic(QStringLiteral("(: note\nloop\nendlp\nelse"));
    const std::vector<SidePaneLine> input = BuildConditionPaneLines(document, function);
    ASSERT_EQ(input.size(), 4u);
    for (const SidePaneLine& line : input) {
        EXPECT_TRUE(line.left.isEmpty());
        EXPECT_TRUE(line.right.isEmpty());
        EXPECT_EQ(line.pointSize, document.fonts.LogicFont.pointSize);
    }
}

TEST_F(SidePaneLinesTest, LineSizeTakesTheLargestFilledSlotAndTheConditionEnding) {
    CUnitFunction& function = Logic(QStringLiteral("if <A>が{S}\nelse\nendif"));
    CLogicLine& ifLine = *function.logicLines[0];
    document.fonts.LogicFont.pointSize = 100;
    FontSetting font;
    font.pointSize = 120;
    ifLine.textSlots[0].SetFont(font);
    ifLine.textSlots[1].text.clear();
    font.pointSize = 300;
    ifLine.textSlots[1].SetFont(font); // empty slot: not counted
    EXPECT_EQ(BuildConditionPaneLines(document, function)[0].pointSize, 120);
    ifLine.textSlots[3].text = QStringLiteral("ならば");
    document.fonts.AuVerbFont1.pointSize = 140;
    document.fonts.AuVerbFont2.pointSize = 160;
    EXPECT_EQ(BuildConditionPaneLines(document, function)[0].pointSize, 140);
    ifLine.auxiliaryVerbFlag = 1;
    EXPECT_EQ(BuildConditionPaneLines(document, function)[0].pointSize, 160);
}

} // namespace
