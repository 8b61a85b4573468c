#include "logic/QuantifiedMemberName.h"
#include "model/QuantifierSettings.h"

#include <gtest/gtest.h>

TEST(QuantifiedMemberName, HeadOnlySymbolsCountOnlyAtTheStart) {
    const CQuantifierSettings quantifiers; // the built-in list
    const QuantifiedMemberName existential = ParseQuantifiedMemberName(&quantifiers, "あるセンサー");
    EXPECT_TRUE(existential.valid);
    EXPECT_EQ(existential.quantifier, QuantifierExistential);
    EXPECT_EQ(existential.name, "センサー");

    // "ある" inside a name is part of the name.
    const QuantifiedMemberName plain = ParseQuantifiedMemberName(&quantifiers, "温度がある状態");
    EXPECT_TRUE(plain.valid);
    EXPECT_EQ(plain.quantifier, QuantifierNone);
    EXPECT_EQ(plain.name, "温度がある状態");

    const QuantifiedMemberName universal = ParseQuantifiedMemberName(&quantifiers, "ドアすべての");
    EXPECT_EQ(universal.quantifier, QuantifierUniversal);
    EXPECT_EQ(universal.name, "ドア");

    EXPECT_FALSE(ParseQuantifiedMemberName(&quantifiers, "∀すべての扉").valid); // two symbols
    EXPECT_FALSE(ParseQuantifiedMemberName(&quantifiers, "∀").valid);           // nothing left
    EXPECT_FALSE(ParseQuantifiedMemberName(nullptr, "").valid);
    EXPECT_EQ(ParseQuantifiedMemberName(nullptr, "∀X").quantifier, QuantifierNone);
}

TEST(QuantifiedMemberName, ElseBranchesShowThePairedSymbol) {
    const CQuantifierSettings quantifiers;
    EXPECT_EQ(SplitAtQuantifier("∀ドア", &quantifiers), "∃ドア");
    EXPECT_EQ(SplitAtQuantifier("ドアすべての", &quantifiers), "ドアある");
    EXPECT_EQ(SplitAtQuantifier("∀すべての", &quantifiers), "∀すべての");
    EXPECT_EQ(ReplaceSingleQuantifier(&quantifiers, "ある扉"), "扉");
    EXPECT_EQ(DualQuantifier(QuantifierNone), QuantifierNone);
    EXPECT_EQ(DualQuantifier(QuantifierUniversal), QuantifierExistential);
}
