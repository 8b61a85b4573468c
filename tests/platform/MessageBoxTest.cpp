#include "platform/MessageBox.h"
#include "platform/RandomGenerator.h"

#include <gtest/gtest.h>

#include <set>

using namespace platform;

TEST(MessageBox, DefaultButtonOutOfRangeFallsBackToTheFirst) {
    MessageRequest request;
    request.buttons = MessageButtons::OkCancel;
    request.defaultButton = 5;
    EXPECT_EQ(request.DefaultAnswer(), MessageAnswer::Ok);
}

TEST(MessageBox, AskOkCancelAsksWithBothButtonsAndIsTrueOnlyForOk) {
    ScriptedMessageSink sink;
    sink.Answer(MessageAnswer::Ok);
    sink.Answer(MessageAnswer::Cancel);
    EXPECT_TRUE(AskOkCancel("first"));
    EXPECT_FALSE(AskOkCancel("second", MessageIcon::Warning));
    ASSERT_EQ(sink.Requests().size(), 2);
    EXPECT_EQ(sink.Requests()[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(sink.Requests()[0].icon, MessageIcon::Question);
    EXPECT_EQ(sink.Requests()[1].icon, MessageIcon::Warning);
}

TEST(MessageBox, AnInstalledSinkServesUntilItsInstallerEndsThenThePreviousOneAgain) {
    ScriptedMessageSink outer;
    {
        ScriptedMessageSink inner;
        inner.Answer(MessageAnswer::No);
        EXPECT_EQ(ShowMessageBox("inner", MessageButtons::YesNo), MessageAnswer::No);
        {
            StandardErrorMessageSink quiet;
            const MessageSinkInstaller installed(quiet);
            ShowMessageBox("to standard error");
        }
        ShowMessageBox("inner again");
        EXPECT_EQ(inner.Texts(), (QStringList{"inner", "inner again"}));
    }
    ShowMessageBox("outer");
    EXPECT_EQ(outer.Texts(), QStringList{"outer"});
}

TEST(RandomGenerator, FixedSeedRepeatsTheSequenceWithinRange) {
    SeedRandom(42);
    std::vector<int> first;
    for (int i = 0; i < 1000; ++i)
        first.push_back(Random());
    SeedRandom(42);
    std::set<int> distinct;
    for (int i = 0; i < 1000; ++i) {
        const int value = Random();
        EXPECT_EQ(value, first[i]);
        EXPECT_GE(value, 0);
        EXPECT_LE(value, RandomMax);
        distinct.insert(value);
    }
    EXPECT_GT(distinct.size(), 900u);
}

// A dialog breaks a run it could not break itself; words, and a line that already breaks, stay as they are.
TEST(MessageBox, ARunWithNoPlaceToBreakIsBrokenForTheDialog) {
    const QString words = QStringLiteral("The name \"abc def\" is in use.\n単位機能名はすでに使われています。");
    EXPECT_EQ(BreakLongRuns(words, 8), words);
    // A pair of surrogates across the fifth unit goes to the next line whole.
    const QString name = QStringLiteral("xxx\U0001D400xxxxxx");
    EXPECT_EQ(BreakLongRuns(QStringLiteral("Name \"") + name + QStringLiteral("\" ok"), 5),
              QStringLiteral("Name \"xxx\n\U0001D400xxx\nxxx\" ok"));
}
