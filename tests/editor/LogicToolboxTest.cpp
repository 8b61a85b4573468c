#include "editor/LogicToolbox.h"
#include "editor/LineMarkTip.h"
#include "editor/LogicEditCommandMap.h"
#include "editor/LogicEditModel.h"
#include "model/DocumentData.h"
#include "model/RuleVocabularyTables.h"
#include "platform/MessageBox.h"

#include <gtest/gtest.h>

namespace {

using namespace LogicEditCommand;

class LogicToolboxTest : public ::testing::Test {
protected:
    LogicToolboxTest() { document.SetDefaults(); }

    platform::ScriptedMessageSink sink;
    CDocumentData document;
    CProcessClipboard clipboard;
};

TEST_F(LogicToolboxTest, StatementButtonsFillTheAppendLineOrAddAfterTheCaret) {
    CLogicEditModel model(document, *document.registry.origin, clipboard);
    EXPECT_EQ(ToolboxButtonCommand(model, 1210), AddIfAtCurrent);
    EXPECT_EQ(ToolboxButtonCommand(model, 1342), AddTransitStateAfter);
    EXPECT_EQ(ToolboxButtonCommand(model, 1213), 0) << "Do nothing needs a line";
    ASSERT_TRUE(RunLogicEditCommand(model, AddTransitStateAfter));
    EXPECT_EQ(model.RecordCount(), 1) << "Transit State fills the append line";
    EXPECT_EQ(model.Record(0)->lineKind, SyntaxTransitState);
    model.SetCaret(0, model.Record(0)->Home);
    EXPECT_EQ(ToolboxButtonCommand(model, 1210), AddIfAfter);
    EXPECT_EQ(ToolboxButtonCommand(model, 1336), ReplaceWithDo);
    EXPECT_EQ(ToolboxButtonCommand(model, 1343), 0) << "a line is not replaced by its own kind";
    EXPECT_EQ(ToolboxButtonCommand(model, 1209), AddLineBreakBefore);
    for (int never : {1220, 1221, 1326})
        EXPECT_FALSE(IsToolboxButtonEnabled(model, never)) << never;
    EXPECT_TRUE(RunLogicEditCommand(model, EditRedo));
    EXPECT_FALSE(RunLogicEditCommand(model, EditSelectAll));
}

TEST_F(LogicToolboxTest, SameNamedFunctionsAreOfferedOnANamedFnLineWhenNamesMayRepeat) {
    CLogicEditModel model(document, *document.registry.origin, clipboard);
    model.OnAddFnAtCurrent();
    model.SetCaret(0, model.Record(0)->Home);
    EXPECT_FALSE(IsToolboxButtonEnabled(model, 1332)) << "an Fn line without a name";
    model.Record(0)->textSlots[0].text = QStringLiteral("加熱");
    document.environment.enableDuplicateFunctionName = 1;
    EXPECT_TRUE(IsToolboxButtonEnabled(model, 1332));
    EXPECT_EQ(ToolboxButtonCommand(model, 1332), SelectFunction);
    document.environment.enableDuplicateFunctionName = 0;
    EXPECT_FALSE(IsToolboxButtonEnabled(model, 1332));
    EXPECT_EQ(ToolboxButtonCommand(model, 1332), 0);
    document.environment.enableDuplicateFunctionName = 1;
    model.OnAddDoAfter();
    EXPECT_FALSE(CanSelectSameNamedFunction(model)) << "a Do line";
}

TEST_F(LogicToolboxTest, DeleteLinesTakesTheCaretLineWithoutASelection) {
    CLogicEditModel model(document, *document.registry.origin, clipboard);
    model.OnAddIfAtCurrent();
    model.SetCaret(0, model.Record(0)->Home);
    EXPECT_FALSE(IsToolboxButtonEnabled(model, 1329)) << "an if line goes with its block only";
    EXPECT_EQ(ToolboxButtonCommand(model, 1329), 0);
    model.OnAddDoAfter();
    ASSERT_EQ(model.Record(1)->lineKind, SyntaxDo);
    EXPECT_TRUE(IsToolboxButtonEnabled(model, 1329));
    ASSERT_TRUE(RunLogicEditCommand(model, ToolboxButtonCommand(model, 1329)));
    EXPECT_EQ(model.RecordCount(), 3);
    EXPECT_EQ(model.Record(1)->lineKind, SyntaxElse);
    // Whole lines selected: the selection goes.
    model.Select(0, 0, 3, 0);
    EXPECT_EQ(ToolboxButtonCommand(model, 1329), DeleteSelection);
    ASSERT_TRUE(RunLogicEditCommand(model, DeleteSelection));
    EXPECT_EQ(model.RecordCount(), 0);
}

// Fn, Do and Transit State lines may become one of the other two, Do nothing and exitlp any of the three, a
// comment none; a typed Fn name not yet committed keeps any line from becoming an Fn line.
TEST_F(LogicToolboxTest, ReplaceButtonsFollowTheKindOfTheCaretLine) {
    CLogicEditModel model(document, *document.registry.origin, clipboard);
    const auto enabled = [&](int line) {
        model.SetCaret(line, model.Record(line)->Home);
        QString buttons;
        for (int button : {1336, 1337, 1343})
            buttons += IsToolboxButtonEnabled(model, button) ? QChar('1') : QChar('0');
        return buttons;
    };
    model.OnAddCommentAtCurrent();
    model.OnAddFnAfter();
    model.TypeCharacter(QChar('f'));
    ASSERT_EQ(model.CommitLineEdits(false), 1);
    model.OnAddDoAfter();
    model.OnAddTransitStateAfter();
    ASSERT_EQ(model.RecordCount(), 4);
    EXPECT_EQ(enabled(0), QStringLiteral("000")) << "comment";
    EXPECT_EQ(enabled(1), QStringLiteral("101")) << "Fn";
    EXPECT_EQ(enabled(2), QStringLiteral("011")) << "Do";
    EXPECT_EQ(enabled(3), QStringLiteral("110")) << "Transit State";
    model.SetCaret(0, model.Record(0)->Home);
    model.OnReplaceWithDoNothing();
    EXPECT_EQ(enabled(0), QStringLiteral("111")) << "Do nothing";
    model.SetCaret(1, model.Record(1)->Home);
    model.TypeCharacter(QChar('f'));
    ASSERT_TRUE(model.IsFnNameChanged());
    EXPECT_EQ(enabled(2), QStringLiteral("001")) << "Do with an Fn name pending";
}

// On a case line the toolbox counts the switch's cases; the context menu also needs one of them above the caret.
TEST_F(LogicToolboxTest, CaseBlocksAreDeletedFromTheMenuOnlyBelowAnotherCase) {
    CLogicEditModel model(document, *document.registry.origin, clipboard);
    model.OnAddSwitchAtCurrent();
    ASSERT_EQ(model.Record(3)->lineKind, SyntaxCase);
    ASSERT_EQ(model.Record(4)->lineKind, SyntaxElsw);
    model.SetCaret(1, model.Record(1)->Home);
    EXPECT_TRUE(model.CanDeleteSyntaxBlock());
    EXPECT_TRUE(model.CanDeleteSyntaxFrame());
    EXPECT_FALSE(model.CanDeleteBlockFromMenu()) << "the first case";
    model.SetCaret(2, model.Record(2)->Home);
    EXPECT_TRUE(model.CanDeleteBlockFromMenu());
    model.SetCaret(0, model.Record(0)->Home);
    EXPECT_TRUE(model.CanDeleteBlockFromMenu()) << "the switch line";
    model.SetCaret(3, model.Record(3)->Home);
    model.OnDeleteLine();
    model.SetCaret(2, model.Record(2)->Home);
    EXPECT_FALSE(model.CanDeleteBlockFromMenu()) << "two cases";
}

TEST(LogicEditCommandMap, CandidateIdsSkipTheSeparator) {
    EXPECT_EQ(CandidateIndexFromCommand(FirstCandidate, 0, 3), 0);
    EXPECT_EQ(CandidateIndexFromCommand(FirstCandidate + 2, 2, 3), -1) << "the separator's place has no item";
    EXPECT_EQ(CandidateIndexFromCommand(FirstCandidate + 3, 2, 3), 2);
    EXPECT_EQ(CandidateIndexFromCommand(FirstCandidate + 3, 0, 3), -1);
    EXPECT_EQ(CandidateIndexFromCommand(999, 0, 3), -1);
}

TEST(LogicGuides, LevelsCycleAndAZeroIndentIsLevelZero) {
    EXPECT_EQ(GuideLevelColour(0, 4), 0);
    EXPECT_EQ(GuideLevelColour(4, 4), 1);
    EXPECT_EQ(GuideLevelColour(8, 4), 2);
    EXPECT_EQ(GuideLevelColour(12, 4), 0);
    EXPECT_EQ(GuideLevelColour(8, 0), 0);
}

TEST(LogicTips, NamesAndMarksShowTheirExplanations) {
    const MemberDefinitionList members{
        {QStringLiteral("弁"), QStringLiteral("給水弁"), {{QStringLiteral("開"), QStringLiteral("水が流れる")}}}};
    CLogicLine line;
    line.lineKind = SyntaxIf;
    line.Home = 3;
    line.Home2 = 6;
    line.textSlots[0].text = QStringLiteral("弁");
    line.textSlots[2].text = QStringLiteral("開");
    EXPECT_EQ(GetNameTipText(line, 3, members), QStringLiteral("給水弁"));
    EXPECT_EQ(GetNameTipText(line, 6, members), QStringLiteral("水が流れる"));
    for (int column : {2, 4, 5, 7})
        EXPECT_TRUE(GetNameTipText(line, column, members).isEmpty()) << column;
    line.lineKind = SyntaxSwitch;
    EXPECT_EQ(GetNameTipText(line, 3, members), QStringLiteral("給水弁"));
    EXPECT_TRUE(GetNameTipText(line, 6, members).isEmpty()) << "a switch line has no state";
    line.lineKind = SyntaxCase;
    EXPECT_TRUE(GetNameTipText(line, 3, members).isEmpty()) << "a case line's name is a state of no member";
    line.lineKind = SyntaxDo;
    line.textSlots[0].text = QStringLiteral("栓");
    EXPECT_TRUE(GetNameTipText(line, 3, members).isEmpty()) << "not registered";
    EXPECT_TRUE(GetNameTipText(line, 6, members).isEmpty()) << "a state of a member not registered";

    LineMarkTable marks;
    marks.attributes[0].name = QStringLiteral("要確認");
    marks.attributes[3].name = QStringLiteral("保留");
    line.mark = (1u << 0) | (1u << 3);
    line.SetMemo(QStringLiteral("仕様書"));
    line.SetUrl(1, QStringLiteral("https://example.org"));
    EXPECT_EQ(GetLineMarkTipText(line, marks), QStringLiteral("要確認: 保留: 仕様書\r\nhttps://example.org "));
}

TEST_F(LogicToolboxTest, ContextCandidatesMarkWhereTheRecentNamesStart) {
    document.memberDefinitions.push_back({QStringLiteral("M1"), QString(), {}});
    document.RecentNames.push_back({0, -1, QStringLiteral("M1")});
    CLogicEditModel model(document, *document.registry.origin, clipboard);
    model.OnAddDoAtCurrent();
    EXPECT_EQ(model.PrepareContextCandidates().separator, 0) << "a recent name already listed adds no group";
    document.RecentNames.push_back({0, -1, QStringLiteral("M2")});
    document.RecentNames.push_back({0, -1, QStringLiteral("M3")});
    const CLogicEditModel::ContextCandidates candidates = model.PrepareContextCandidates();
    EXPECT_EQ(candidates.words, (QStringList{"M1", "M3", "M2"})) << "the recent names newest first";
    EXPECT_EQ(candidates.separator, 1);
}

} // namespace
