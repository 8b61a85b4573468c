#include "editor/FunctionHeaderEdit.h"
#include "logic/InspectionView.h"
#include "model/AbstractIndexItem.h"
#include "model/DocumentData.h"
#include "model/MemberDefinition.h"
#include "support/logic/LogicScript.h"
#include "texts/MessageContext.h"
#include "texts/StringTable.h"

#include <gtest/gtest.h>

namespace {

class FunctionHeaderEditTest : public ::testing::Test {
protected:
    FunctionHeaderEditTest() {
        document.SetDefaults();
        document.environment.enableDuplicateFunctionName = 0;
        options = document.GetModelOptions();
        callee = document.registry.CreateFunction(QStringLiteral("Callee"), options);
        CUnitFunction::AppendChild(document.registry.origin, callee);
        isolated = document.registry.CreateFunction(QStringLiteral("Isolated"), options);
        std::vector<std::pair<CLogicLine*, QString>> pending;
        AppendScript(*document.registry.origin, QStringLiteral("Fn Callee\nDo <X>を{S}せよ\nFn Callee"), pending);
        AppendScript(*isolated, QStringLiteral("Fn Callee"), pending);
        ResolveScriptFnLines(document.registry, pending);
        document.registry.RebuildAndNotify(document.indexRoot, options);
    }

    CDocumentData document;
    ModelOptions options;
    CUnitFunction* callee = nullptr;
    CUnitFunction* isolated = nullptr;
};

TEST_F(FunctionHeaderEditTest, RenameRefusesDuplicatesWithTheirMessageAndBrackets) {
    EXPECT_EQ(CheckFunctionRename(document, *callee, QStringLiteral("Isolated")), RenameCheck::DuplicateNotInIndex);
    EXPECT_EQ(CheckFunctionRename(document, *isolated, QStringLiteral("Callee")), RenameCheck::DuplicateInUse);
    EXPECT_EQ(CheckFunctionRename(document, *callee, QStringLiteral("Callee")), RenameCheck::Accepted);
    EXPECT_EQ(CheckFunctionRename(document, *callee, QString()), RenameCheck::Accepted);
    EXPECT_EQ(CheckFunctionRename(document, *callee, QStringLiteral("a[b")), RenameCheck::ReservedBrackets);
    EXPECT_EQ(RenameRefusalMessage(RenameCheck::DuplicateInUse, QStringLiteral("Callee")),
              QStringLiteral("単位機能名 \"Callee\" はすでに使われています。"));
    EXPECT_TRUE(RenameRefusalMessage(RenameCheck::DuplicateNotInIndex, QStringLiteral("Isolated"))
                    .startsWith(QStringLiteral("単位機能名 \"Isolated\" を持つ単位機能は、目次にはありませんが")));

    document.environment.enableDuplicateFunctionName = 1;
    EXPECT_EQ(CheckFunctionRename(document, *isolated, QStringLiteral("Callee")), RenameCheck::Accepted);
    EXPECT_EQ(CheckFunctionRename(document, *isolated, QStringLiteral("<x>")), RenameCheck::ReservedBrackets);
}

TEST_F(FunctionHeaderEditTest, RenameRewritesEveryCallingFnLine) {
    EXPECT_EQ(RenameFunction(document, *callee, QStringLiteral("Renamed")), 3);
    EXPECT_EQ(callee->name, QStringLiteral("Renamed"));
    const CUnitFunction& origin = *document.registry.origin;
    EXPECT_EQ(origin.logicLines[0]->textSlots[0].text, QStringLiteral("Renamed"));
    EXPECT_EQ(origin.logicLines[1]->textSlots[0].text, QStringLiteral("X"));
    EXPECT_EQ(origin.logicLines[2]->textSlots[0].text, QStringLiteral("Renamed"));
    EXPECT_EQ(isolated->logicLines[0]->textSlots[0].text, QStringLiteral("Renamed"));
}

TEST_F(FunctionHeaderEditTest, ManHoursConvertWithTheDocumentsRatiosAndUndoTwice) {
    WorkTableSettings& ratios = document.WorkTable;
    ratios.UnitDayToHour = 7.5f;
    callee->header.Work = 3.0f;
    CManHoursEdit edit(ratios, *callee);
    EXPECT_FALSE(edit.CanUndo());
    EXPECT_TRUE(edit.Commit(QStringLiteral("1"), ManDays));
    EXPECT_FLOAT_EQ(callee->header.Work, 7.5f);
    EXPECT_EQ(FormatManHours(ratios, ManMonths, callee->header.Work), QStringLiteral("0.05"));
    EXPECT_FALSE(edit.Commit(QStringLiteral("7.5"), ManHours)); // the same amount changes nothing

    ASSERT_TRUE(edit.Undo());
    EXPECT_FLOAT_EQ(callee->header.Work, 3.0f);
    ASSERT_TRUE(edit.Undo());
    EXPECT_FLOAT_EQ(callee->header.Work, 7.5f);
    edit.ForgetPrevious();
    EXPECT_FALSE(edit.Undo());

    EXPECT_FALSE(edit.SetUnit(callee->header.Unit));
    EXPECT_TRUE(edit.SetUnit(ManYears));
    EXPECT_EQ(callee->header.Unit, ManYears);
}

TEST_F(FunctionHeaderEditTest, ReasonBoxKeepsAShortenedReasonAndFollowsTheOmitFlag) {
    CUnitFunction& function = *callee;
    function.header.Reasoning = QStringLiteral("first...\nsecond");
    function.header.UnNecessaryReasoning = 0;
    const ReasonDisplay shown = MakeReasonDisplay(function.header.Reasoning);
    EXPECT_EQ(shown.text, QStringLiteral("first......"));
    EXPECT_TRUE(shown.shortened);
    EXPECT_FALSE(ApplyReasonBoxText(function, shown.text, true));
    EXPECT_EQ(function.header.Reasoning, QStringLiteral("first...\nsecond"));

    EXPECT_FALSE(MakeReasonDisplay(QStringLiteral("wait...")).shortened);
    EXPECT_TRUE(ApplyReasonBoxText(function, QStringLiteral("wait..."), false));
    EXPECT_EQ(function.header.Reasoning, QStringLiteral("wait..."));
    EXPECT_EQ(function.header.UnNecessaryReasoning, 0);
    EXPECT_TRUE(ApplyReasonBoxText(function, QString(), false));
    EXPECT_EQ(function.header.UnNecessaryReasoning, 1);

    EXPECT_EQ(TrimReasonLineBreaks(QStringLiteral("\r\nbecause\r\nso\n\n")), QStringLiteral("because\r\nso"));
}

// The name box shows the start of a name too long for it: the full box takes a character only over a selection, says
// where a search hit beyond it lies, and says how much of the name it shows.
TEST(NameBoxTest, TheFullBoxTakesNoMoreAndSaysWhatItLeavesOut) {
    const QString shown = QString(NameBoxCapacity, u'a');
    const QString rest = QString(20122, u'b');
    // The full box takes a character only over a selection.
    EXPECT_FALSE(NameBoxTakes(NameBoxCapacity, 0, 1));
    EXPECT_TRUE(NameBoxTakes(NameBoxCapacity, 1, 1));
    EXPECT_TRUE(NameBoxTakes(NameBoxCapacity - 2, 0, 2));
    // A search hit is said to lie beyond the box when its end is.
    CMessageContext japanese;
    japanese.m_language = 1;
    EXPECT_TRUE(NameHitNote(japanese, shown + rest, NameBoxCapacity - 3, 3).isEmpty());
    EXPECT_EQ(
        NameHitNote(japanese, shown + rest, NameBoxCapacity - 2, 3),
        QStringLiteral("検索された文字列は単位機能名の 32766 文字目から 3 文字です。単位機能名の入力欄には先頭の 32767 "
                       "文字だけを表示しています。"));
    EXPECT_EQ(
        NameBoxNote(shown + rest),
        QStringLiteral("The unit function name has 52889 characters. Its first 32767 characters are shown here."));
}

TEST_F(FunctionHeaderEditTest, TabTitleCutsOutlineNumberAndName) {
    const QString name(30, u'n');
    EXPECT_EQ(MakeTabTitle(QStringLiteral("1.2"), name, true), QStringLiteral("1.2 ") + QString(16, u'n'));
    EXPECT_EQ(MakeTabTitle(QStringLiteral("1.2"), name, false), QString(24, u'n'));
}

TEST_F(FunctionHeaderEditTest, HeaderToggleSwitchesBetweenTheRowsTwoHeights) {
    EXPECT_EQ(ToggledHeaderRowHeight(173), 34);
    EXPECT_EQ(ToggledHeaderRowHeight(34), 173);
    EXPECT_EQ(ToggledHeaderRowHeight(120), 173);
    EXPECT_EQ(ClampHeaderRowHeight(0), 34);
    EXPECT_EQ(ClampHeaderRowHeight(174), 173);
    EXPECT_EQ(ClampHeaderRowHeight(100), 100);
    EXPECT_EQ(HeaderToggleCaption(173), "▲");
    EXPECT_EQ(HeaderToggleCaption(172), "▼");
}

TEST_F(FunctionHeaderEditTest, PrefixSkipsRegisteredNamesAndNamesThatWouldNotFit) {
    CUnitFunction& function = *isolated;
    function.logicLines.clear();
    std::vector<std::pair<CLogicLine*, QString>> pending;
    AppendScript(function, QStringLiteral("Do <Known>を{S}せよ\nDo <free>を{S}せよ\nDo <long>を{S}せよ\n(: note"),
                 pending);
    const QString longName(63, u'm');
    function.logicLines[2]->textSlots[0].text = longName;
    CMemberDefinition known;
    known.name = QStringLiteral("Known");
    document.memberDefinitions.push_back(known);

    CInspectionView pane;
    EXPECT_EQ(PrefixUnregisteredMemberNames(document, function, QStringLiteral("p_"), &pane), 1);
    EXPECT_EQ(function.logicLines[0]->textSlots[0].text, QStringLiteral("Known"));
    EXPECT_EQ(function.logicLines[1]->textSlots[0].text, QStringLiteral("p_free"));
    EXPECT_EQ(function.logicLines[2]->textSlots[0].text, longName);
    const QStringList texts = pane.Lines();
    ASSERT_EQ(texts.size(), 4);
    EXPECT_EQ(texts[1], LoadString(StringId::PrefixMemberChanged)
                            .arg(function.GetOutlineNumberText(false))
                            .arg(2)
                            .arg(QStringLiteral("free"), QStringLiteral("p_free")));
    EXPECT_TRUE(texts[2].contains(longName));
    EXPECT_EQ(texts[3], LoadString(StringId::PrefixMembersDone).arg(1));
    EXPECT_EQ(PrefixUnregisteredMemberNames(document, function, QString(), &pane), 0);
}

} // namespace
