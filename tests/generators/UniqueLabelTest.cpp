#include "generators/GeneratorTestSupport.h"
#include "generators/UniqueLabelClock.h"
#include "generators/UniqueLabelGenerator.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

const QDateTime kMorning = QDateTime::fromString(QStringLiteral("2024-03-05T07:08:09.012"), Qt::ISODateWithMs);

TEST(UniqueLabelTest, NumberedLabelsSkipUsedAndDiscontinuedOnesAndGrowPastThreeDigits) {
    GeneratorTestDocument document({{"Origin", ""}, {"First", ""}, {"Second", ""}});
    CDocumentData& data = document.data;
    data.uniqueLabelPrefix = QStringLiteral("REQ-");
    document.Find("Origin").header.uniqueLabel = QStringLiteral("REQ-001");
    document.Find("First").header.uniqueLabel = QStringLiteral("REQ-002");
    data.notUseUniqueLabels.insert(QStringLiteral("REQ-003"));
    data.deletedUniqueLabels.insert(QStringLiteral("REQ-005"));
    CFixedUniqueLabelClock clock(kMorning, 540);
    CUniqueLabelGenerator generator(data);
    EXPECT_FALSE(generator.IsUniqueLabelUnused(QStringLiteral("REQ-003")));
    EXPECT_EQ(generator.GenerateUniqueLabel(clock), QStringLiteral("REQ-004"));
    // A deleted unit function's label is not issued again either; the index remembers what it issued.
    EXPECT_EQ(generator.GenerateUniqueLabel(clock), QStringLiteral("REQ-006"));
    CUnitFunction& second = document.Find("Second");
    generator.AssignUniqueLabelIfEmpty(second, clock);
    EXPECT_EQ(second.header.uniqueLabel, QStringLiteral("REQ-007"));
    generator.AssignUniqueLabelIfEmpty(second, clock);
    EXPECT_EQ(second.header.uniqueLabel, QStringLiteral("REQ-007"));

    EXPECT_EQ(FormatNumberedLabel(QString(), 1000), QStringLiteral("1000"));
    EXPECT_EQ(FormatNumberedLabel(QStringLiteral("F"), 7), QStringLiteral("F007"));
}

TEST(UniqueLabelTest, TimestampLabelsShowTheStandardOffsetAndNeverRepeat) {
    EXPECT_EQ(FormatUniqueLabelTimestamp(kMorning, 540), QStringLiteral("2024/03/05 07:08:09.012 UTC+09:00"));
    EXPECT_EQ(FormatUniqueLabelTimestamp(kMorning, -330), QStringLiteral("2024/03/05 07:08:09.012 UTC-05:30"));
    EXPECT_EQ(FormatUniqueLabelTimestamp(kMorning, 0), QStringLiteral("2024/03/05 07:08:09.012 UTC00:00"));

    GeneratorTestDocument document({{"Origin", ""}});
    document.data.uniqueLabelMethod = UniqueLabelTimestamp;
    // The next millisecond is discontinued: the third label waits one more.
    document.data.notUseUniqueLabels.insert(QStringLiteral("2024/03/05 07:08:09.013 UTC+09:00"));
    CFixedUniqueLabelClock clock(kMorning, 540);
    CUniqueLabelGenerator generator(document.data);
    EXPECT_EQ(generator.GenerateUniqueLabel(clock), QStringLiteral("2024/03/05 07:08:09.012 UTC+09:00"));
    EXPECT_EQ(generator.GenerateUniqueLabel(clock), QStringLiteral("2024/03/05 07:08:09.014 UTC+09:00"));

    // On the real clock two labels asked for at once differ too.
    CSystemUniqueLabelClock system;
    const QString first = generator.GenerateUniqueLabel(system);
    EXPECT_NE(generator.GenerateUniqueLabel(system), first);
}

TEST(UniqueLabelTest, OtherModesGiveNoLabel) {
    GeneratorTestDocument document({{"Origin", ""}});
    CFixedUniqueLabelClock clock(kMorning, 540);
    for (const int method : {2, static_cast<int>(UniqueLabelNone), -1}) {
        document.data.uniqueLabelMethod = method;
        EXPECT_TRUE(CUniqueLabelGenerator(document.data).GenerateUniqueLabel(clock).isEmpty()) << method;
    }
}

} // namespace
