#include "logic/NegatableText.h"

#include <gtest/gtest.h>

namespace {

const QString kHalf = QString(QChar(0x00AC));
const QString kFull = QString(QChar(0xFFE2));

} // namespace

TEST(NegatableText, LeadingSignsOfEitherWidthCountAndCancelInPairs) {
    struct Case {
        QString input;
        quint32 affirmed;
        qint32 signCount;
        QString text;
        QString shown;
    };
    const Case cases[] = {
        {"", 1, 0, "", ""},
        {kHalf + "S", 0, 1, "S", kHalf + "S"},
        {kHalf + kFull + "S", 1, 2, "S", "S"},
        {kFull + kFull + kFull + "S", 0, 3, "S", kHalf + "S"},
        {kHalf + " S", 0, 1, " S", kHalf + " S"},
        {"S" + kHalf, 1, 0, "S" + kHalf, "S" + kHalf},
        {kHalf + kFull, 1, 2, "", ""},
    };
    for (const Case& c : cases) {
        const NegatableText parsed = ParseNegationPrefix(c.input);
        EXPECT_EQ(parsed.affirmed, c.affirmed) << c.input.toStdString();
        EXPECT_EQ(parsed.signCount, c.signCount) << c.input.toStdString();
        EXPECT_EQ(parsed.text, c.text) << c.input.toStdString();
        EXPECT_EQ(parsed.GetText(), c.shown) << c.input.toStdString();
    }
}

TEST(NegatableText, BothSignsMeanTheSameForComparison) {
    const QString halfS = kHalf + "S";
    const QString fullS = kFull + "S";
    const QString bothS = kHalf + kFull + "S";
    const QString s = "S";
    const QString t = "T";
    EXPECT_TRUE(SameNegatableText(ParseNegationPrefix(halfS), ParseNegationPrefix(fullS)));
    EXPECT_TRUE(SameNegatableText(ParseNegationPrefix(bothS), ParseNegationPrefix(s)));
    EXPECT_TRUE(IsOppositeNegatableText(ParseNegationPrefix(fullS), ParseNegationPrefix(s)));
    EXPECT_FALSE(IsOppositeNegatableText(ParseNegationPrefix(fullS), ParseNegationPrefix(t)));
    EXPECT_TRUE(DifferentNegatableText(ParseNegationPrefix(s), ParseNegationPrefix(t)));
}

TEST(NegatableText, NegatedFlipsOnlyTheFlag) {
    const QString halfS = kHalf + "S";
    const NegatableText negated = ParseNegationPrefix(halfS).Negated();
    EXPECT_EQ(negated.affirmed, 1u);
    EXPECT_EQ(negated.signCount, 1);
    EXPECT_EQ(negated.GetText(), "S");
    EXPECT_EQ(negated.Negated().affirmed, 0u);
    EXPECT_EQ(NegationSign(), kHalf);
    EXPECT_EQ(NegationSignFullWidth(), kFull);
}
