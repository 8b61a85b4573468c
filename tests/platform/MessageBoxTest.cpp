#include "platform/MessageBox.h"
#include "platform/RandomGenerator.h"

#include <gtest/gtest.h>

#include <set>

using namespace platform;

TEST(MessageBox, ScriptedSinkAnswersInOrderThenTakesTheDefaultButton) {
    ScriptedMessageSink sink;
    sink.Answer(MessageAnswer::No);
    EXPECT_EQ(ShowMessageBox("first", MessageButtons::YesNo, MessageIcon::Warning), MessageAnswer::No);
    EXPECT_EQ(ShowMessageBox("second", MessageButtons::YesNo, MessageIcon::Warning, 1), MessageAnswer::No);
    EXPECT_EQ(ShowMessageBox("third", MessageButtons::YesNoCancel), MessageAnswer::Yes);
    EXPECT_EQ(sink.Texts(), (QStringList{"first", "second", "third"}));
    EXPECT_EQ(sink.Requests()[0].icon, MessageIcon::Warning);
}

TEST(MessageBox, DefaultButtonOutOfRangeFallsBackToTheFirst) {
    MessageRequest request;
    request.buttons = MessageButtons::OkCancel;
    request.defaultButton = 5;
    EXPECT_EQ(request.DefaultAnswer(), MessageAnswer::Ok);
}

TEST(MessageBox, SinkIsRestoredWhenTheScriptEnds) {
    MessageSink* before = InstallMessageSink(nullptr);
    InstallMessageSink(before);
    {
        ScriptedMessageSink sink;
        EXPECT_EQ(InstallMessageSink(&sink), &sink);
    }
    EXPECT_EQ(InstallMessageSink(before), before);
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
