#include "settings/SplashScreenSettingsPageModel.h"
#include "settings/TemplatePageModel.h"

#include "platform/MessageBox.h"
#include "platform/SettingsStore.h"
#include "platform/UserSettings.h"
#include "texts/MessageContext.h"
#include "texts/StringTable.h"

#include "support/QStringPrinter.h"
#include "support/TemporaryConfigHome.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

// The template and splash-screen pages keep the user's values in a settings store of the test's own.
class UserSettingsPagesTest : public ::testing::Test {
protected:
    TemporaryConfigHome m_home;
    platform::ScriptedMessageSink sink;
    CMessageContext context;
};

} // namespace

TEST_F(UserSettingsPagesTest, TemplateInUseNeedsAnExistingFileAndOnlyChangedValuesAreWritten) {
    CTemplatePageModel model;
    EXPECT_FALSE(model.useTemplate);
    EXPECT_TRUE(model.templateFilename.isEmpty());
    EXPECT_TRUE(model.Validate());

    model.useTemplate = true;
    EXPECT_FALSE(model.Validate());
    model.templateFilename = m_home.dir.filePath("missing.nuv");
    EXPECT_FALSE(model.Validate());
    EXPECT_EQ(sink.Texts(), (QStringList{LoadString(StringId::TemplateFileMissing),
                                         LoadString(StringId::TemplateFileNotFound).arg(model.templateFilename)}));

    // A file name kept while templates are off is not checked.
    model.useTemplate = false;
    EXPECT_TRUE(model.Validate());
    ASSERT_TRUE(model.Apply());
    EXPECT_EQ(platform::StoredSetting(UserSettings::UseTemplate()), std::nullopt);
    EXPECT_EQ(platform::ReadSetting(UserSettings::TemplateFilename()), m_home.dir.filePath("missing.nuv"));

    // The stored file has gone: a page left as it is still validates.
    CTemplatePageModel reopened;
    EXPECT_EQ(reopened.templateFilename, m_home.dir.filePath("missing.nuv"));
    EXPECT_TRUE(reopened.Validate());

    const QString templateFile = m_home.dir.filePath("t.nuv");
    WriteFileBytes(templateFile, {});
    reopened.useTemplate = true;
    reopened.templateFilename = templateFile;
    EXPECT_TRUE(reopened.Validate());
    ASSERT_TRUE(reopened.Apply());
    EXPECT_EQ(platform::ReadSetting(UserSettings::UseTemplate()), 1u);
    EXPECT_EQ(platform::ReadSetting(UserSettings::TemplateFilename()), templateFile);
}

TEST_F(UserSettingsPagesTest, SplashScreenWaitIsAWholeNumberOfSecondsUpToTen) {
    CSplashScreenSettingsPageModel model;
    EXPECT_EQ(model.waitText, "3");
    EXPECT_TRUE(model.Validate(context));
    ASSERT_TRUE(model.Apply());
    EXPECT_EQ(platform::StoredSetting(UserSettings::StartUpWait()), std::nullopt);

    for (const char* text : {"11", "-1", "2.5", "", "three"}) {
        model.waitText = text;
        EXPECT_FALSE(model.Validate(context)) << text;
    }
    EXPECT_EQ(sink.Requests().size(), 5);

    model.waitText = " 10 ";
    EXPECT_TRUE(model.Validate(context));
    ASSERT_TRUE(model.Apply());
    EXPECT_EQ(platform::StoredSetting(UserSettings::StartUpWait()), 10u);
    model.waitText = "0";
    ASSERT_TRUE(model.Apply());
    EXPECT_EQ(CSplashScreenSettingsPageModel().waitText, "0");
}
