#include "settings/MemberNameList.h"

#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

using platform::MessageAnswer;
using platform::ScriptedMessageSink;

namespace {

CMemberDefinition Member(const QString& name, std::vector<CStateDefinition> states = {}) {
    CMemberDefinition member;
    member.name = name;
    member.states = std::move(states);
    return member;
}

} // namespace

TEST(MemberNameList, MembersAreCheckedBeforeTheirStatesAndADeletedMemberTakesItsStates) {
    CDocumentData data;
    data.memberDefinitions = {Member("Door", {{"open", ""}})};
    CMemberNameList list(data.memberDefinitions);
    list.members.push_back(Member("Door", {{"closed", ""}}));
    list.members.push_back(Member("Lamp", {{"on", ""}, {"", ""}, {"o{n}", ""}}));

    ScriptedMessageSink sink;
    for (int i = 0; i < 3; ++i)
        sink.Answer(MessageAnswer::Ok);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(list.Store(data, "メンバー名", "状態名"), VocabularyStore::Refused);
    EXPECT_EQ(sink.Texts(),
              (QStringList{"メンバー名 \"Door\" が重複しています。\n重複するメンバー名を削除してよろしいですか？",
                           "空の状態名があります。\n空の状態名を削除してよろしいですか？",
                           "状態名 \"o{n}\" は禁止文字を含むため登録できません。\n文字 <, >, {, }, [, ] "
                           "は状態名に使用できません。\n\nこの状態名を削除してよろしいですか？"}));
    ASSERT_EQ(data.memberDefinitions.size(), 1u) << "nothing is stored while a check asks";

    const MemberDefinitionList expected = {Member("Door", {{"open", ""}}), Member("Lamp", {{"on", ""}})};
    EXPECT_EQ(list.members, expected);
    EXPECT_EQ(list.Store(data, "メンバー名", "状態名"), VocabularyStore::Stored);
    EXPECT_EQ(data.memberDefinitions, expected);
    EXPECT_EQ(CMemberNameList(data.memberDefinitions).Store(data, "メンバー名", "状態名"), VocabularyStore::Unchanged);
}

TEST(MemberNameList, EqualStateNamesOfDifferentMembersAreNoDuplicates) {
    CDocumentData data;
    CMemberNameList list({Member("Door", {{"open", "a"}}), Member("Window", {{"open", "b"}})});
    ScriptedMessageSink sink;
    EXPECT_EQ(list.Store(data, "メンバー名", "状態名"), VocabularyStore::Stored);
    EXPECT_TRUE(sink.Texts().isEmpty());
    EXPECT_EQ(data.memberDefinitions[1].states[0].explanation, "b");
}
