#include "InspectionTestSupport.h"

#include <gtest/gtest.h>

namespace {

QStringList Findings(const QString& script, LogicTestDocument* prepared = nullptr) {
    LogicTestDocument local;
    LogicTestDocument& document = prepared ? *prepared : local;
    CUnitFunction* main = document.Add("Main", script);
    document.Finish();
    return FindingLines(document, *main);
}

const QString kNot = QString(QChar(0x00AC));

} // namespace

TEST(InPathCheck, RepeatedConditionIsRedundantOnceAndAnInterruptingItemSuppressesThePair) {
    EXPECT_EQ(
        Findings("if <X>{S}\nif <X>{T}\nif <X>{S}\nDo <Y>{U}\nelse\nDo nothing\nendif\nelse\nDo nothing\nendif\n"
                 "else\nDo nothing\nendif"),
        (QStringList{"", "── 矛盾の可能性があります ──", "[0 Line 2] if <X>{T}", "[0 Line 1] を参照してください", "",
                     "── 矛盾の可能性があります ──", "[0 Line 3] if <X>{S}", "[0 Line 2] を参照してください"}));
}

TEST(InPathCheck, NegatedAndAffirmedStates) {
    // An if nested in the else branch of the same if contradicts it.
    const QStringList nested =
        Findings("if <X>{S}\nDo <A>{a}\nelse\nif <X>{S}\nDo <A>{b}\nelse\nDo <A>{c}\nendif\nendif");
    ASSERT_GE(nested.size(), 4);
    EXPECT_EQ(nested.mid(0, 4),
              (QStringList{"", "── 矛盾しています ──", "[0 Line 4] if <X>{S}", "[0 Line 3] を参照してください"}));
    // A negated state and a different affirmed one say nothing against each other.
    EXPECT_TRUE(
        Findings("if <X>{" + kNot + "S}\nif <X>{T}\nDo <A>{a}\nelse\nDo nothing\nendif\nelse\nDo nothing\nendif")
            .isEmpty());
}

TEST(InPathCheck, OnlyAConditionCanBeTheLaterEndOfAContradiction) {
    EXPECT_EQ(
        Findings("Do <X>{S}\nif <X>{T}\nDo <A>{a}\nelse\nDo <A>{b}\nendif").mid(0, 4),
        (QStringList{"", "── 矛盾の可能性があります ──", "[0 Line 2] if <X>{T}", "[0 Line 1] を参照してください"}));
    EXPECT_TRUE(Findings("if <X>{S}\nDo <X>{T}\nelse\nDo <A>{b}\nendif").isEmpty());
    // A Do that sets what a condition has just tested is redundant.
    EXPECT_EQ(Findings("if <X>{S}\nDo <X>{S}\nelse\nDo <A>{b}\nendif").mid(0, 2),
              (QStringList{"", "── 冗長な記述です ──"}));
}

TEST(InPathCheck, SameMemberRulesApplyInOneDirectionOnly) {
    const QString forward = "if <X>{S}\nif <X>{T}\nDo <A>{a}\nelse\nDo nothing\nendif\nelse\nDo nothing\nendif";
    const QString backward = "if <X>{T}\nif <X>{S}\nDo <A>{a}\nelse\nDo nothing\nendif\nelse\nDo nothing\nendif";
    LogicTestDocument first;
    first.AddIntraMemberRule("X", "S", "T");
    EXPECT_TRUE(Findings(forward, &first).isEmpty());
    LogicTestDocument second;
    second.AddIntraMemberRule("X", "S", "T");
    EXPECT_EQ(Findings(backward, &second).size(), 4);
}

TEST(InPathCheck, InitialisationRuleBreaksThePair) {
    const QString script =
        "if <X>{S}\nDo <R>{init}\nif <X>{S}\nDo <A>{a}\nelse\nDo nothing\nendif\nelse\nDo nothing\nendif";
    EXPECT_EQ(Findings(script).mid(0, 2), (QStringList{"", "── 冗長な記述です ──"}));
    LogicTestDocument document;
    document.AddIntraMemberRule("X", "S", "S", "R", "init");
    EXPECT_FALSE(Findings(script, &document).contains("── 冗長な記述です ──"));
}

TEST(InPathCheck, ExistentialMembersNeverContradict) {
    LogicTestDocument document;
    document.quantifiers.SetDefaults();
    QString symbol;
    for (const QuantifierEntry& entry : document.quantifiers.entries)
        if (entry.type == 1 && entry.infix == 0)
            symbol = entry.quantifier;
    ASSERT_FALSE(symbol.isEmpty());
    EXPECT_TRUE(Findings("if <" + symbol + "X>{S}\nif <" + symbol +
                             "X>{T}\nDo <A>{a}\nelse\nDo nothing\nendif\nelse\nDo nothing\nendif",
                         &document)
                    .isEmpty());
}

TEST(InPathCheck, SemanticRelationWithOneSentenceFiresOnEveryMatchingDo) {
    LogicTestDocument document;
    document.AddSemanticRelation({"X", "S"}, "禁止");
    EXPECT_EQ(Findings("if <A>{a}\nDo <X>{S}\nelse\nDo <X>{S}\nendif", &document).mid(0, 3),
              (QStringList{"", "── 禁止 ──", "[0 Line 2] Do <X>{S}"}));
    LogicTestDocument two;
    two.AddSemanticRelation({"A", "a", "X", "S"}, "禁止");
    const QStringList lines = Findings("if <A>{a}\nDo <X>{S}\nelse\nDo <X>{S}\nendif", &two);
    EXPECT_EQ(lines.mid(0, 4), (QStringList{"", "── 禁止 ──", "[0 Line 1] if <A>{a}", "[0 Line 2] Do <X>{S}"}));
    EXPECT_EQ(lines.count("── 禁止 ──"), 1);
}

TEST(InterPathCheck, RedundantAssumptionBetweenTwoBranches) {
    EXPECT_EQ(Findings("if <A>{a}\nDo <X>{S}\nelse\nDo <X>{S}\nendif"),
              (QStringList{"", "── 冗長な記述です ──", "[0 Line 2] Do <X>{S}", "[0 Line 4] Do <X>{S}",
                           "このDo構文は以下の条件が省略できます", "[0 Line 1] if <A>{a}", "[0 Line 3] else"}));
}

TEST(InterPathCheck, SameConditionsAreARedundantDescription) {
    EXPECT_EQ(Findings("switch <M>\ncase {s}\nDo <X>{S}\ncase {s}\nDo <X>{S}\nelsw\nDo <Y>{T}\nendsw"),
              (QStringList{"", "── 冗長な記述です ──", "[0 Line 5] Do <X>{S}", "[0 Line 3] Do <X>{S}",
                           "2つのDo構文は実行条件が同じです"}));
}

TEST(InterPathCheck, InconsistentDescriptionOnlyWhenTheLaterConditionsAreContained) {
    // The later path's conditions (A=a) occur among the earlier path's (A=a, B=b).
    const QStringList found =
        Findings("switch <A>\ncase {a}\nif <B>{b}\nDo <X>{S}\nelse\nDo nothing\nendif\ncase {a}\nDo <X>{T}\nelsw\n"
                 "Do nothing\nendsw");
    EXPECT_TRUE(found.contains("── 不整合な記述の可能性があります ──")) << found.join('\n').toStdString();
    const QStringList reversed =
        Findings("switch <A>\ncase {a}\nDo <X>{T}\ncase {a}\nif <B>{b}\nDo <X>{S}\nelse\nDo nothing\nendif\nelsw\n"
                 "Do nothing\nendsw");
    EXPECT_FALSE(reversed.contains("── 不整合な記述の可能性があります ──")) << reversed.join('\n').toStdString();
}

TEST(InterPathCheck, ConclusionsInOneBlockAreNeverCompared) {
    EXPECT_TRUE(Findings("Do <X>{S}\nDo <Y>{T}").isEmpty());
    EXPECT_FALSE(Findings("Do <X>{S}\nDo <X>{S}").contains("2つのDo構文は実行条件が同じです"));
}
