#include "logic/RuleDialogChecks.h"
#include "platform/MessageBox.h"

#include <gtest/gtest.h>

using platform::MessageAnswer;
using platform::ScriptedMessageSink;

TEST(RuleDialogChecks, RelationItemsAreCheckedInOrder) {
    InconsistencyRuleList list;
    std::vector<CInconsistencyRule::UnitSentence> items = {{"X", "S"}, {"", ""}};
    {
        ScriptedMessageSink sink;
        sink.Answer(MessageAnswer::Ok);
        EXPECT_FALSE(AcceptInconsistencyDialog(items, "m", nullptr, list));
        EXPECT_EQ(sink.Texts(), QStringList{"空の項目があります。\n空の項目を削除してよろしいですか？"});
        EXPECT_EQ(items.size(), 1u);
    }
    items.push_back({"Y", ""});
    {
        ScriptedMessageSink sink;
        EXPECT_FALSE(AcceptInconsistencyDialog(items, "m", nullptr, list));
        EXPECT_EQ(sink.Texts(), QStringList{"メンバー名または状態名が空の項目があります。"});
        EXPECT_EQ(sink.Requests()[0].icon, platform::MessageIcon::Error);
    }
    items.pop_back();
    {
        ScriptedMessageSink sink;
        EXPECT_FALSE(AcceptInconsistencyDialog(items, "", nullptr, list));
        EXPECT_EQ(sink.Texts(), QStringList{"メッセージがありません。\nメッセージを入力して下さい。"});
        std::vector<CInconsistencyRule::UnitSentence> none;
        EXPECT_FALSE(AcceptInconsistencyDialog(none, "m", nullptr, list));
        EXPECT_EQ(sink.Texts().last(), "意味関係がありません。\n意味関係を追加して下さい。");
    }
    // A relation with one unit sentence is accepted; the message keeps 63 characters.
    EXPECT_TRUE(AcceptInconsistencyDialog(items, QString(70, 'm'), nullptr, list));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]->conditionCount, 1);
    EXPECT_EQ(list[0]->message.size(), 63);
    ScriptedMessageSink sink;
    EXPECT_FALSE(MayAddUnitSentence(10));
    EXPECT_TRUE(MayAddUnitSentence(9));
    EXPECT_FALSE(MayAddRule(1000));
    EXPECT_FALSE(MayAddRule(3, 10000));
    EXPECT_EQ(sink.Texts().first(), "これ以上追加できません。");
}

TEST(RuleDialogChecks, SameMemberRulesRefuseBlanksAndDuplicatesAndStaySorted) {
    IntraMemberConsistencyRuleList list;
    CIntraMemberConsistencyRule entered = MakeOfferedIntraMemberRule("X", "T", "U");
    EXPECT_TRUE(AcceptIntelligenceDialog(entered, nullptr, 0, list));
    EXPECT_TRUE(AcceptIntelligenceDialog(MakeOfferedIntraMemberRule("X", "A", "B"), nullptr, 0, list));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]->if1Status, "A");

    ScriptedMessageSink sink;
    EXPECT_FALSE(AcceptIntelligenceDialog(entered, nullptr, 0, list));
    EXPECT_EQ(sink.Texts().last(), "すでに登録されています。");
    // OK on an unchanged rule of the page closes without a refusal.
    EXPECT_TRUE(AcceptIntelligenceDialog(*list[1], list[1].get(), 0, list));
    CIntraMemberConsistencyRule offered = MakeOfferedIntraMemberRule("X", "T", "U");
    EXPECT_FALSE(AcceptIntelligenceDialog(offered, &offered, 1, list));

    CIntraMemberConsistencyRule blank = MakeOfferedIntraMemberRule("X", "T", "V");
    blank.doFlag = 1;
    EXPECT_FALSE(AcceptIntelligenceDialog(blank, nullptr, 0, list));
    EXPECT_EQ(sink.Texts().last(), "空欄の項目があります。\nすべての項目を入力してください。");
    EXPECT_EQ(MakeOfferedIntraMemberRule(QString(80, 'x'), "a", "b").if1Member.size(), 72);
}

TEST(RuleDialogChecks, AnOfferedRuleRefusesNamesLongerThanTheRuleKeeps) {
    ScriptedMessageSink sink;
    EXPECT_TRUE(MayOfferIntraMemberRule(QString(72, 'x'), "a", QString(72, 'b')));
    EXPECT_FALSE(MayOfferIntraMemberRule("X", "a", QString(73, 'b')));
    ASSERT_EQ(sink.Requests().size(), 1);
    EXPECT_TRUE(sink.Texts().first().contains("72"));
}
