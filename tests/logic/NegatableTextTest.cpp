#include "logic/NegatableText.h"

#include <gtest/gtest.h>

namespace {

const QString kHalf = QString(QChar(0x00AC));
const QString kFull = QString(QChar(0xFFE2));

} // namespace

TEST(NegatableText, LeadingSignsOfEitherWidthCountAndCancelInPairs) {
    const NegatableText empty = ParseNegationPrefix(QString());
    EXPECT_EQ(empty.affirmed, 1u);
    EXPECT_EQ(empty.signCount, 0);
    EXPECT_TRUE(empty.text.isEmpty());

    const NegatableText once = ParseNegationPrefix(kHalf + "S");
    EXPECT_EQ(once.affirmed, 0u);
    EXPECT_EQ(once.signCount, 1);
    EXPECT_EQ(once.text, "S");
    EXPECT_EQ(once.GetText(), kHalf + "S");

    const NegatableText twice = ParseNegationPrefix(kHalf + kFull + "S");
    EXPECT_EQ(twice.affirmed, 1u);
    EXPECT_EQ(twice.signCount, 2);
    EXPECT_EQ(twice.GetText(), "S");

    const NegatableText thrice = ParseNegationPrefix(kFull + kFull + kFull + "S");
    EXPECT_EQ(thrice.affirmed, 0u);
    EXPECT_EQ(thrice.signCount, 3);
    EXPECT_EQ(thrice.GetText(), kHalf + "S");

    EXPECT_EQ(ParseNegationPrefix(kHalf + " S").text, " S");
    const NegatableText inner = ParseNegationPrefix("S" + kHalf);
    EXPECT_EQ(inner.signCount, 0);
    EXPECT_EQ(inner.text, "S" + kHalf);

    const NegatableText signsOnly = ParseNegationPrefix(kHalf + kFull);
    EXPECT_EQ(signsOnly.affirmed, 1u);
    EXPECT_EQ(signsOnly.signCount, 2);
    EXPECT_TRUE(signsOnly.text.isEmpty());
}

TEST(NegatableText, BothSignsMeanTheSameForComparison) {
    EXPECT_TRUE(SameNegatableText(ParseNegationPrefix(kHalf + "S"), ParseNegationPrefix(kFull + "S")));
    EXPECT_TRUE(SameNegatableText(ParseNegationPrefix(kHalf + kFull + "S"), ParseNegationPrefix("S")));
    EXPECT_TRUE(IsOppositeNegatableText(ParseNegationPrefix(kFull + "S"), ParseNegationPrefix("S")));
    EXPECT_FALSE(IsOppositeNegatableText(ParseNegationPrefix(kFull + "S"), ParseNegationPrefix("T")));
    EXPECT_TRUE(DifferentNegatableText(ParseNegationPrefix("S"), ParseNegationPrefix("T")));
}

TEST(NegatableText, NegatedFlipsOnlyTheFlag) {
    const NegatableText negated = ParseNegationPrefix(kHalf + "S").Negated();
    EXPECT_EQ(negated.affirmed, 1u);
    EXPECT_EQ(negated.signCount, 1);
    EXPECT_EQ(negated.GetText(), "S");
    EXPECT_EQ(negated.Negated().affirmed, 0u);
    EXPECT_EQ(NegationSign(), kHalf);
    EXPECT_EQ(NegationSignFullWidth(), kFull);
}
