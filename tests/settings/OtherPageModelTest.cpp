#include "settings/OtherPageModel.h"
#include "settings/FunctionConditionsPageModel.h"

#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "texts/MessageContext.h"

#include <gtest/gtest.h>

using platform::MessageAnswer;

TEST(OtherPageModelTest, AllowingDuplicateNamesAsksToTellReuseSourcesApart) {
    CDocumentData data;
    data.SetDefaults();
    data.environment.enableDuplicateFunctionName = 0;
    CMessageContext context;
    platform::ScriptedMessageSink sink;

    COtherPageModel model(data);
    EXPECT_FALSE(model.Apply(data, context));
    EXPECT_TRUE(sink.Requests().isEmpty());

    model.enableDuplicateFunctionName = true;
    sink.Answer(MessageAnswer::No);
    EXPECT_TRUE(model.Apply(data, context));
    EXPECT_EQ(data.environment.enableDuplicateFunctionName, 1);
    EXPECT_EQ(data.environment.distinguishPrimaryOutlineNumber, 0);
    EXPECT_EQ(sink.Requests().size(), 1);

    data.environment.enableDuplicateFunctionName = 0;
    sink.Answer(MessageAnswer::Yes);
    EXPECT_TRUE(model.Apply(data, context));
    EXPECT_TRUE(model.distinguishPrimaryOutlineNumber);
    EXPECT_EQ(data.environment.distinguishPrimaryOutlineNumber, 1);

    // The other two options, each stored alone.
    COtherPageModel others(data);
    others.showOutlineNumberInTabTitle = false;
    others.synchronizeHorizontalSplitter = false;
    EXPECT_TRUE(others.Apply(data, context));
    EXPECT_EQ(data.environment.showOutlineNumberInTabTitle, 0);
    EXPECT_EQ(data.headerIOSettings.HorizontalSizeShared, 0);
    EXPECT_EQ(data.environment.enableDuplicateFunctionName, 1);
    EXPECT_EQ(sink.Requests().size(), 2);
}

TEST(FunctionConditionsPageModelTest, ApplyStoresTheSwitchesAndNothingWhenUnchanged) {
    CDocumentData data;
    data.SetDefaults();
    CFunctionConditionsPageModel model(data);
    EXPECT_TRUE(model.unNecessaryReasoningDefault && model.inheritRequirementsDown && model.inheritRequirementsUp);
    EXPECT_FALSE(model.Apply(data));

    model.unNecessaryReasoningDefault = false;
    model.inheritRequirementsUp = false;
    EXPECT_TRUE(model.Apply(data));
    EXPECT_EQ(data.environment.unNecessaryReasoningDefault, 0);
    EXPECT_EQ(data.environment.inheritRequirementsDown, 1);
    EXPECT_EQ(data.environment.inheritRequirementsUp, 0);
    EXPECT_FALSE(data.GetModelOptions().InheritRequirementsUp);
}
