#include "model/RuleVocabularyTables.h"
#include "EnvironmentXmlFixture.h"
#include "model/DocumentData.h"
#include "model/xml/RuleVocabularyElements.h"
#include "platform/SettingsStore.h"
#include "platform/UserSettings.h"
#include "support/TemporaryConfigHome.h"

#include <gtest/gtest.h>

namespace {

IntraMemberConsistencyRuleList SameMemberRules() {
    IntraMemberConsistencyRuleList rules;
    auto rule = std::make_unique<CIntraMemberConsistencyRule>();
    rule->if1Member = "Door";
    rule->if1Status = "Open";
    rule->if2Member = "Door";
    rule->if2Status = "Opening";
    rules.push_back(std::move(rule));
    return rules;
}

InconsistencyRuleList SemanticRelations() {
    InconsistencyRuleList relations;
    relations.push_back(std::make_unique<CInconsistencyRule>());
    relations[0]->conditionCount = 2;
    relations[0]->conditions[0] = {"Door", "Open"};
    relations[0]->conditions[1] = {"Motor", ""};
    relations[0]->message = "扉が開いたまま動いた";
    return relations;
}

} // namespace

TEST(RuleVocabularyTables, RulesWriteOnlyWhatTheyHoldAndReadBackEqual) {
    EnvironmentXml xml;
    WriteInconsistencyTable(xml.context, xml.environment, {}, {});
    EXPECT_EQ(xml.Text(), "<Environment><InconsistencyTable></InconsistencyTable></Environment>");
    IntraMemberConsistencyRuleList same = SameMemberRules();
    InconsistencyRuleList relations = SemanticRelations();
    ReadInconsistencyTable(xml.Reparsed(), same, relations);
    EXPECT_TRUE(same.empty());
    EXPECT_TRUE(relations.empty());

    EnvironmentXml full;
    IntraMemberConsistencyRuleList writtenSame = SameMemberRules();
    InconsistencyRuleList writtenRelations = SemanticRelations();
    WriteInconsistencyTable(full.context, full.environment, writtenSame, writtenRelations);
    EXPECT_EQ(full.Text(), "<Environment><InconsistencyTable><NonInconsistency Num=\"1\"><Data If1Member=\"Door\" "
                           "If1Status=\"Open\" If2Member=\"Door\" If2Status=\"Opening\"></Data></NonInconsistency>"
                           "<Inconsistency Num=\"1\"><Data ConditionCount=\"2\" Message=\"扉が開いたまま動いた\">"
                           "<Condition Member=\"Door\" Status=\"Open\"></Condition><Condition Member=\"Motor\">"
                           "</Condition></Data></Inconsistency></InconsistencyTable></Environment>");
}

TEST(RuleVocabularyTables, RuleCountsAndTextsAreBoundedWhenRead) {
    EnvironmentXml xml;
    const std::string longName(80, 'm');
    const std::string longMessage(70, 'x');
    pugi::xml_node environment = xml.Parse(
        "<Environment><InconsistencyTable>"
        "<NonInconsistency Num=\"3\"><Data If1Member=\"" +
        longName +
        "\"/><Data DoFlg=\"1\"/></NonInconsistency>"
        "<Inconsistency Num=\"4\">"
        "<Data ConditionCount=\"2\"><Condition Member=\"a\"/><Condition Member=\"b\"/><Condition Member=\"c\"/></Data>"
        "<Data ConditionCount=\"3\" Message=\"" +
        longMessage +
        "\"><Condition Member=\"a\"/><Condition Member=\"b\"/></Data>"
        "<Data ConditionCount=\"25\"><Condition/><Condition/><Condition/><Condition/><Condition/><Condition/>"
        "<Condition/><Condition/><Condition/><Condition/><Condition Member=\"eleventh\"/></Data>"
        "</Inconsistency></InconsistencyTable></Environment>");
    IntraMemberConsistencyRuleList same;
    InconsistencyRuleList relations;
    ReadInconsistencyTable(environment, same, relations);
    ASSERT_EQ(same.size(), 2u);
    EXPECT_EQ(same[0]->if1Member.size(), 72);
    EXPECT_EQ(same[1]->doFlag, 1);
    ASSERT_EQ(relations.size(), 3u);
    EXPECT_EQ(relations[0]->conditionCount, 2);
    EXPECT_EQ(relations[0]->conditions[1].member, "b");
    EXPECT_TRUE(relations[0]->conditions[2].member.isEmpty());
    EXPECT_EQ(relations[1]->conditionCount, 3);
    EXPECT_TRUE(relations[1]->conditions[2].member.isEmpty());
    EXPECT_EQ(relations[1]->message.size(), 63);
    // A count past the ten sentences is clamped, so nothing downstream reads beyond them.
    EXPECT_EQ(relations[2]->conditionCount, 10);

    ReadInconsistencyTable(xml.Parse("<Environment><InconsistencyTable><NonInconsistency><Data/></NonInconsistency>"
                                     "<Inconsistency Num=\"x\"><Data/></Inconsistency></InconsistencyTable>"
                                     "</Environment>"),
                           same, relations);
    EXPECT_TRUE(same.empty());
    EXPECT_TRUE(relations.empty());
}

TEST(RuleVocabularyTables, LineMarksKeepWhatTheFileLeavesOut) {
    // The marks a document leaves out are named in the language the program speaks, whatever was chosen last.
    const TemporaryConfigHome home;
    ASSERT_TRUE(platform::WriteSetting(UserSettings::Language(), 1));
    LineMarkTable localised;
    SetDefaultLineMarkSettings(localised, 1);
    EXPECT_EQ(localised.groupNames[2], "グループ3");
    // The last group holds the marks set by the program itself.
    EXPECT_EQ(localised.groupNames[3], "自動");
    EXPECT_EQ(localised.attributes[3], (LineMarkTable::Attribute{"意見を聞け", 10, 3, 0}));
    EXPECT_EQ(localised.attributes[14].colorNo, 12);
    LineMarkTable english;
    SetDefaultLineMarkSettings(english, 0);
    EXPECT_EQ(english.attributes[3].name, "Ask opinions");
    EXPECT_EQ(english.groupNames[3], "Automatic");
    // A new document of a program that was told no language, as the converter is, speaks English.
    CDocumentData data;
    data.SetDefaults();
    EXPECT_EQ(data.lineMarkTable, english);

    EnvironmentXml xml;
    LineMarkTable partial = localised;
    ReadVeskTable(xml.Parse("<Environment><VeskTable><GroupName>x</GroupName><GroupName>y</GroupName>"
                            "<Attribute ColorNo=\"300\">big</Attribute></VeskTable></Environment>"),
                  partial);
    EXPECT_EQ(partial.groupNames[1], "y");
    EXPECT_EQ(partial.groupNames[2], "グループ3");
    EXPECT_EQ(partial.attributes[0], (LineMarkTable::Attribute{"big", 44, 0, 0}));
    EXPECT_EQ(partial.attributes[1], localised.attributes[1]);
    ReadVeskTable(xml.Parse("<Environment/>"), partial);
    EXPECT_EQ(partial.groupNames[1], "y");
}

TEST(RuleVocabularyTables, ObscureWordsAndSimilarSettings) {
    EnvironmentXml xml;
    FuzzwordSettings fuzzwords;
    fuzzwords.words = {"適宜", "など", "適宜"};
    fuzzwords.ckLogic = 0;
    WriteFuzzwordTable(xml.context, xml.environment, fuzzwords);
    SimilarWordSettings similar{70, 0, 1, 5, 0};
    WriteSimilar(xml.context, xml.environment, similar);
    EXPECT_EQ(xml.Text(), "<Environment><FuzzwordTable CKFunction=\"1\"><Word>適宜</Word><Word>など</Word>"
                          "<Word>適宜</Word></FuzzwordTable><Similar Agreement=\"70\" Length=\"1\" Show=\"5\">"
                          "</Similar></Environment>");
    FuzzwordSettings readWords;
    SimilarWordSettings readSimilar;
    pugi::xml_node environment = xml.Reparsed();
    ReadFuzzwordTable(environment, readWords);
    ReadSimilar(environment, readSimilar);
    EXPECT_EQ(readWords, fuzzwords);
    EXPECT_EQ(readSimilar, similar);
    EXPECT_TRUE(IsObscureWord(readWords, "など"));
    EXPECT_FALSE(IsObscureWord(readWords, "なども"));

    // Without the elements: the words go, the flags and the similar settings stay.
    readWords.ckFunction = 0;
    ReadFuzzwordTable(xml.Parse("<Environment/>"), readWords);
    ReadSimilar(xml.Parse("<Environment/>"), readSimilar);
    EXPECT_TRUE(readWords.words.isEmpty());
    EXPECT_EQ(readWords.ckFunction, 0);
    EXPECT_EQ(readSimilar, similar);
    SimilarWordSettings fresh;
    ReadSimilar(xml.Parse("<Environment><Similar Scope=\"1\"/></Environment>"), fresh);
    EXPECT_EQ(fresh, (SimilarWordSettings{0, 1, 0, 0, 0}));
}
