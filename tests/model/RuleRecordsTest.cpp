#include "logic/InconsistencyRule.h"
#include "logic/IntraMemberConsistencyRule.h"

#include <gtest/gtest.h>

TEST(RuleRecords, InitEmptiesTextsButLeavesTheConditionCountToTheCaller) {
    CInconsistencyRule rule;
    rule.conditionCount = 3;
    rule.conditions[9] = {"Door", "Open"};
    rule.message = "contradiction";
    rule.Init();
    EXPECT_EQ(rule.conditionCount, 3);
    EXPECT_TRUE(rule.conditions[9].member.isEmpty());
    EXPECT_TRUE(rule.message.isEmpty());

    CIntraMemberConsistencyRule same;
    same.doFlag = 1;
    same.if1Member = "Door";
    same.doStatus = "Closed";
    same.Init();
    EXPECT_EQ(same, CIntraMemberConsistencyRule());
}
