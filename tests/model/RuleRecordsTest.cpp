#include "model/IntraMemberConsistencyRule.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<CIntraMemberConsistencyRule> Rule(const QString& if1Member, const QString& if1Status, int doFlag = 0,
                                                  const QString& doStatus = {}) {
    auto rule = std::make_unique<CIntraMemberConsistencyRule>();
    rule->if1Member = if1Member;
    rule->if1Status = if1Status;
    rule->if2Member = if1Member;
    rule->if2Status = "Idle";
    rule->doFlag = doFlag;
    rule->doStatus = doStatus;
    return rule;
}

} // namespace

TEST(RuleRecords, ComparisonGoesFieldByFieldWithASetFlagAfterAClearOne) {
    EXPECT_EQ(CompareRuleRecords(*Rule("Door", "Open"), *Rule("Door", "Open")), 0);
    EXPECT_EQ(CompareRuleRecords(*Rule("Door", "Open"), *Rule("Door", "Opened")), -1); // prefix first
    EXPECT_EQ(CompareRuleRecords(*Rule("door", "A"), *Rule("Door", "Z")), 1);          // code units
    EXPECT_EQ(CompareRuleRecords(*Rule("Door", "Open", 1, "A"), *Rule("Door", "Open", 0, "Z")), 1);
    EXPECT_EQ(CompareRuleRecords(*Rule("Door", "Open", 0, "Z"), *Rule("Door", "Open", 1, "A")), -1);
    EXPECT_EQ(CompareRuleRecords(*Rule("Door", "Open", 1, "A"), *Rule("Door", "Open", 1, "B")), -1);
    EXPECT_EQ(CompareRuleRecords(*Rule("ドア", "A"), *Rule("Zebra", "A")), 1);
}

TEST(RuleRecords, SortIsAscendingAndKeepsEqualRulesInOrderAndFindTakesTheFirstEqual) {
    IntraMemberConsistencyRuleList rules;
    rules.push_back(Rule("Window", "Open"));
    rules.push_back(Rule("Door", "Open", 1, "X"));
    rules.push_back(Rule("Door", "Open"));
    rules.push_back(Rule("Door", "Open", 1, "X"));
    CIntraMemberConsistencyRule* firstEqual = rules[1].get();
    // Two unequal non-zero flags each compare greater; the sort must still finish.
    rules.push_back(Rule("Door", "Open", 2, "X"));
    SortRuleRecords(rules);
    ASSERT_EQ(rules.size(), 5u);
    EXPECT_EQ(rules[0]->doFlag, 0);
    EXPECT_EQ(rules[1].get(), firstEqual);
    EXPECT_EQ(rules[4]->if1Member, "Window");
    EXPECT_EQ(FindEqualRuleRecord(rules, *Rule("Door", "Open", 1, "X")), 1);
    EXPECT_EQ(FindEqualRuleRecord(rules, *Rule("Gate", "Open")), -1);
    EXPECT_EQ(FindEqualRuleRecord({}, *Rule("Gate", "Open")), -1);
}
