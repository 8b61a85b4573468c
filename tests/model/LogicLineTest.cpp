#include "model/LogicLine.h"
#include "ModelTestSupport.h"
#include "model/FontInfo.h"
#include "model/UnitFunction.h"

#include <gtest/gtest.h>

TEST(LogicLine, FindTextSlotAtFollowsTheSlotSpans) {
    CLogicLine line;
    line.lineKind = SyntaxIf;
    line.Home = 4;
    line.textSlots[0].text = "ab";
    line.textSlots[1].text = "c";
    line.textSlots[3].text = "de";
    const int expected[] = {-1, 0, 0, 0, 1, 1, 2, 3, 3, 3, -1};
    for (int position = 3; position <= 13; ++position)
        EXPECT_EQ(line.FindTextSlotAt(position), expected[position - 3]) << "position " << position;

    line.lineKind = SyntaxElse;
    EXPECT_EQ(line.FindTextSlotAt(4), -1);
}

TEST(LogicLine, InitFnStatementCutsLongNamesAndSetsPositions) {
    CUnitFunction called;
    called.InternalID = 42;
    called.name = QString(300, QLatin1Char('x'));
    CLogicLine line;
    FontSetting bold;
    bold.bold = 1;
    line.textSlots[0].SetFont(bold);
    line.InitFnStatement(called, 8, 5);
    EXPECT_EQ(line.calledInternalID, 42u);
    EXPECT_EQ(line.Top, 8);
    EXPECT_EQ(line.Next, 8);
    EXPECT_EQ(line.Home, 13);
    EXPECT_EQ(line.textSlots[0].text.size(), CLogicLine::MaxSlotTextLength);
    EXPECT_EQ(line.End, 13 + CLogicLine::MaxSlotTextLength);
    EXPECT_EQ(line.slotCount, 1);
    EXPECT_EQ(line.textSlots[0].Font(), FontSetting());
    EXPECT_EQ(CLogicLine::SlotsOfKind(line.lineKind), 1);
}

TEST(LogicLine, LogicLinesDifferComparesOnlyTheKindsSlots) {
    CLogicLine a;
    CLogicLine b;
    a.lineKind = b.lineKind = SyntaxElse;
    a.SetMemo("one");
    b.SetMemo("two");
    a.textSlots[0].text = "ignored";
    EXPECT_FALSE(LogicLinesDiffer(a, b));

    a.lineKind = b.lineKind = SyntaxFn;
    a.textSlots[0].text = b.textSlots[0].text = "Same";
    a.calledInternalID = 1;
    b.calledInternalID = 2;
    EXPECT_FALSE(LogicLinesDiffer(a, b));

    a.lineKind = b.lineKind = SyntaxSwitch;
    b.textSlots[1].text = "x";
    EXPECT_TRUE(LogicLinesDiffer(a, b));
    b.lineKind = SyntaxCase;
    b.textSlots[1].text.clear();
    EXPECT_TRUE(LogicLinesDiffer(a, b));
}

TEST(FontSetting, DefaultFaceFollowsTheInstalledFonts) {
    EXPECT_EQ(FontSetting().faceName, "Times New Roman") << "before the fonts are known";
    {
        const InstalledFontsShell fonts({"Arial", "Verdana", "メイリオ"});
        EXPECT_EQ(GetDefaultUIFontName(), "メイリオ");
        EXPECT_EQ(FontSetting().faceName, "メイリオ");
        EXPECT_EQ(ModelShell().InstalledFonts().FindFaceIndex("Verdana"), 1);
        EXPECT_EQ(ModelShell().InstalledFonts().FindFaceIndex("Courier"), -1);
    }
    const InstalledFontsShell fonts({"Arial"});
    EXPECT_EQ(GetDefaultUIFontName(), "Times New Roman");
}

TEST(LogicLine, CopiesAreCompleteAndIndependent) {
    FontSetting bold;
    bold.bold = 1;
    CLogicLine line;
    line.textSlots[1] = {QStringLiteral("条件"), bold};
    line.SetMemo("memo");
    line.SetUrl(2, "https://example.org");

    CLogicLine copy = line;
    EXPECT_EQ(copy, line);
    EXPECT_EQ(copy.textSlots[1].Font(), bold);
    EXPECT_EQ(copy.Urls()[2], "https://example.org");

    copy.textSlots[1].SetFont(FontSetting());
    copy.SetMemo("other");
    copy.SetUrl(2, QString());
    EXPECT_EQ(line.textSlots[1].Font(), bold);
    EXPECT_EQ(line.Memo(), "memo");
    EXPECT_EQ(line.Urls()[2], "https://example.org");
    EXPECT_NE(copy, line);

    copy = line;
    EXPECT_EQ(copy, line) << "assigned over a line that holds notes of its own";
}

TEST(LogicLine, DefaultsSetOrClearedEqualAFreshLine) {
    CLogicLine line;
    line.textSlots[0].SetFont(FontSetting());
    EXPECT_EQ(line, CLogicLine());
    line.SetUrl(0, "a");
    line.SetMemo("m");
    line.SetUrl(0, QString());
    EXPECT_NE(line, CLogicLine());
    line.SetMemo(QString());
    EXPECT_EQ(line, CLogicLine());
    EXPECT_TRUE(line.Memo().isEmpty());
}

TEST(LogicLine, UnsetSlotFontIsTheDefaultOfTheInstalledFonts) {
    const InstalledFontsShell fonts({"Verdana"});
    const CLogicLine line;
    EXPECT_EQ(line.textSlots[4].Font().faceName, "Verdana");
    EXPECT_TRUE(line.textSlots[4].Font().IsDefault());
}
