#include "generators/GeneratorTestSupport.h"
#include "generators/UniqueLabelClock.h"
#include "generators/UniqueLabelEditor.h"
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
    EXPECT_EQ(FormatNumberedLabel(QStringLiteral("F"), 0), QStringLiteral("F000"));
    EXPECT_EQ(FormatNumberedLabel(QStringLiteral("F"), -5), QStringLiteral("F-05"));
}

TEST(UniqueLabelTest, OnlyLabelsInTheNumberedFormTakeNumbersWhateverPrefixIssuedThem) {
    GeneratorTestDocument document({{"Origin", ""}});
    CDocumentData& data = document.data;
    // Neither a leading zero past three digits, nor fewer digits, nor other digits take number 4.
    for (const char* label : {"0004", "04", "00\u0664", "abc"})
        data.notUseUniqueLabels.insert(QString::fromUtf8(label));
    data.notUseUniqueLabels.insert(QStringLiteral("001"));
    data.deletedUniqueLabels.insert(QStringLiteral("1000"));
    CFixedUniqueLabelClock clock(kMorning, 540);
    CUniqueLabelGenerator generator(data);
    data.uniqueLabelPrefix = QString();
    EXPECT_EQ(generator.GenerateUniqueLabel(clock), QStringLiteral("002"));
    // Labels issued under prefix "1" are numbers 1001 and 1002 without a prefix.
    data.uniqueLabelPrefix = QStringLiteral("1");
    EXPECT_EQ(generator.GenerateUniqueLabel(clock), QStringLiteral("1001"));
    EXPECT_EQ(generator.GenerateUniqueLabel(clock), QStringLiteral("1002"));
    data.uniqueLabelPrefix = QString();
    QString last;
    // 003 to 999, none of them skipped.
    for (int number = 3; number <= 999; ++number)
        last = generator.GenerateUniqueLabel(clock);
    EXPECT_EQ(last, QStringLiteral("999"));
    EXPECT_EQ(generator.GenerateUniqueLabel(clock), QStringLiteral("1003"));
    EXPECT_FALSE(generator.IsUniqueLabelUnused(QStringLiteral("1002")));
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

// The system's wait on a clock that stands at kMorning for its first two readings, is then set back an hour and goes on
// a millisecond a reading; after a thousand readings it is set an hour ahead, where any wait ends.
class SetBackSystemClock : public CSystemUniqueLabelClock {
public:
    QDateTime LocalNow() override {
        ++readings;
        if (readings <= 2)
            return kMorning;
        if (readings >= 1000)
            return kMorning.addSecs(3600);
        return kMorning.addSecs(-3600).addMSecs(readings);
    }

    int readings = 0;
};

TEST(UniqueLabelTest, TheSystemClocksWaitEndsWhenTheClockIsSetBack) {
    SetBackSystemClock clock;
    clock.WaitPast(kMorning);
    EXPECT_GT(clock.readings, 2); // it waited while the millisecond stood
    // It ended on the step back, not an hour later.
    const QDateTime after = clock.LocalNow();
    EXPECT_LT(after, kMorning) << after.toString(Qt::ISODateWithMs).toStdString();
    EXPECT_GT(after, kMorning.addSecs(-3600));
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

namespace {

class UniqueLabelEditorTest : public ::testing::Test {
protected:
    UniqueLabelEditorTest() : document({{"Origin", ""}, {"Other", ""}}) {
        document.Find("Other").header.uniqueLabel = QStringLiteral("001");
    }

    GeneratorTestDocument document;
    CFixedUniqueLabelClock clock{kMorning, 540};
    platform::ScriptedMessageSink messages;
};

TEST_F(UniqueLabelEditorTest, OpeningFollowsTheStoredMethodAndAnyOtherOpensAsNone) {
    CUnitFunction& origin = document.Find("Origin");
    {
        CUniqueLabelEditor editor(document.data, origin, clock);
        EXPECT_EQ(editor.SelectedMethod(), CUniqueLabelEditor::Numbers);
        EXPECT_EQ(editor.LabelText(), QStringLiteral("002"));
        editor.SetPrefixText(QStringLiteral("F-"));
        EXPECT_EQ(editor.LabelText(), QStringLiteral("F-001"));
    }
    for (const int stored : {2, 3, 7}) {
        document.data.uniqueLabelMethod = stored;
        CUniqueLabelEditor editor(document.data, origin, clock);
        EXPECT_EQ(editor.SelectedMethod(), CUniqueLabelEditor::None) << stored;
        EXPECT_FALSE(editor.CanAssign());
        EXPECT_TRUE(editor.CanApplyToNewFunctions());
    }
    document.data.uniqueLabelMethod = UniqueLabelTimestamp;
    EXPECT_EQ(CUniqueLabelEditor(document.data, origin, clock).LabelText(),
              QStringLiteral("2024/03/05 07:08:09.012 UTC+09:00"));
    origin.header.uniqueLabel = QStringLiteral("mine");
    CUniqueLabelEditor editor(document.data, origin, clock);
    EXPECT_EQ(editor.SelectedMethod(), CUniqueLabelEditor::Direct);
    EXPECT_FALSE(editor.CanAssign());
    EXPECT_FALSE(editor.CanApplyToNewFunctions());
}

TEST_F(UniqueLabelEditorTest, AssigningMovesTheOldLabelToTheDiscontinuedOnes) {
    CUnitFunction& origin = document.Find("Origin");
    origin.header.uniqueLabel = QStringLiteral("old");
    CUniqueLabelEditor editor(document.data, origin, clock);
    editor.SetLabelText(QStringLiteral("001"));
    EXPECT_FALSE(editor.Assign());
    EXPECT_TRUE(messages.Texts().last().contains(QStringLiteral("\"Other\"")));
    editor.SetLabelText(QStringLiteral("new"));
    messages.Answer(platform::MessageAnswer::Ok);
    ASSERT_TRUE(editor.Assign());
    EXPECT_EQ(origin.header.uniqueLabel, QStringLiteral("new"));
    EXPECT_TRUE(document.data.notUseUniqueLabels.contains(QStringLiteral("old")));
    // Taking a discontinued one back asks twice: reuse, then change.
    editor.SetLabelText(QStringLiteral("old"));
    messages.Answer(platform::MessageAnswer::Ok);
    messages.Answer(platform::MessageAnswer::Ok);
    ASSERT_TRUE(editor.Assign());
    EXPECT_EQ(document.data.notUseUniqueLabels, std::set<QString>({QStringLiteral("new")}));
    editor.SelectMethod(CUniqueLabelEditor::None);
    messages.Answer(platform::MessageAnswer::Ok);
    ASSERT_TRUE(editor.Assign());
    EXPECT_TRUE(origin.header.uniqueLabel.isEmpty());
    EXPECT_EQ(editor.Add(QStringLiteral("001")), -1);
    EXPECT_EQ(editor.Add(QStringLiteral("a")), 0);
    editor.Accept(true);
    EXPECT_EQ(document.data.uniqueLabelMethod, UniqueLabelNone);
    EXPECT_EQ(document.data.notUseUniqueLabels.size(), 3u);
}

TEST_F(UniqueLabelEditorTest, HandEditsOfTheListWaitForOkWhileAssigningStoresItsOwnChange) {
    CUnitFunction& origin = document.Find("Origin");
    origin.header.uniqueLabel = QStringLiteral("old");
    document.data.notUseUniqueLabels = {QStringLiteral("b"), QStringLiteral("c")};
    CUniqueLabelEditor editor(document.data, origin, clock);
    EXPECT_EQ(editor.Add(QStringLiteral("a")), 0);
    EXPECT_EQ(editor.Remove(2), -1); // "c" was the last entry
    editor.SetLabelText(QStringLiteral("new"));
    messages.Answer(platform::MessageAnswer::Ok);
    ASSERT_TRUE(editor.Assign());
    EXPECT_EQ(document.data.notUseUniqueLabels,
              std::set<QString>({QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("old")}));
    EXPECT_EQ(editor.Discontinued(), QStringList({"a", "b", "old"}));
    EXPECT_EQ(editor.Remove(0), 0);
    EXPECT_EQ(editor.Remove(5), -1);
    editor.Accept(false);
    EXPECT_EQ(document.data.notUseUniqueLabels, std::set<QString>({QStringLiteral("b"), QStringLiteral("old")}));
}

} // namespace
