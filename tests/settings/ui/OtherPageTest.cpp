#include "PagesTestSheet.h"

#include "settings/ui/DisplayPage.h"
#include "settings/ui/FontPage.h"
#include "settings/ui/FunctionConditionsPage.h"
#include "settings/ui/OtherPage.h"
#include "settings/ui/SplashScreenSettingsPage.h"
#include "settings/ui/SynchronizationSettingsPage.h"
#include "settings/ui/TemplatePage.h"

#include "platform/SettingsStore.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>

#include <gtest/gtest.h>

using platform::MessageAnswer;

TEST(OtherPageTest, AllowingDuplicateNamesAnsweredYesAlsoTellsReuseSourcesApart) {
    PagesTestSheet test;
    CDocumentData& data = test.host.data;
    data.environment.enableDuplicateFunctionName = 0;
    auto* page = test.Open<COtherPage>();
    EXPECT_FALSE(page->DuplicateNamesBox()->isChecked());
    EXPECT_TRUE(page->TabTitleNumberBox()->isChecked());
    EXPECT_TRUE(page->HorizontalSplitterBox()->isChecked());

    PagesTestSheet::Click(page->DuplicateNamesBox());
    PagesTestSheet::Click(page->HorizontalSplitterBox());
    test.sink.Answer(MessageAnswer::Yes);
    test.ClickOk();
    EXPECT_EQ(test.sink.Requests().size(), 1);
    EXPECT_EQ(data.environment.enableDuplicateFunctionName, 1);
    EXPECT_EQ(data.environment.distinguishPrimaryOutlineNumber, 1);
    EXPECT_EQ(data.environment.showOutlineNumberInTabTitle, 1);
    EXPECT_EQ(data.headerIOSettings.HorizontalSizeShared, 0);
    EXPECT_TRUE(page->DistinguishReuseBox()->isChecked());
    EXPECT_EQ(test.host.modified, 1);
}

TEST(FunctionConditionsPageTest, TheClickedSwitchIsStored) {
    PagesTestSheet test;
    auto* page = test.Open<CFunctionConditionsPage>();
    EXPECT_TRUE(page->OmitReasonBox()->isChecked());
    PagesTestSheet::Click(page->InheritDownBox());
    test.ClickOk();
    EXPECT_EQ(test.host.data.environment.inheritRequirementsDown, 0);
    EXPECT_EQ(test.host.data.environment.inheritRequirementsUp, 1);
    EXPECT_EQ(test.host.modified, 1);
}

TEST(OtherPageTest, OkOnEveryPageUnchangedStoresNothing) {
    PagesTestSheet test;
    test.Open<CFunctionConditionsPage>();
    test.sheet.AddPage(new CSynchronizationSettingsPage(test.host));
    test.sheet.AddPage(new CTemplatePage(test.host));
    test.sheet.AddPage(new CFontPage(test.host));
    test.sheet.AddPage(new COtherPage(test.host));
    test.sheet.AddPage(new CSplashScreenSettingsPage(test.host));
    for (int index = 0; index < test.sheet.Pages().size(); ++index)
        ASSERT_TRUE(test.sheet.SetActivePage(index));
    test.ClickOk();
    EXPECT_FALSE(test.sheet.isVisible());
    EXPECT_EQ(test.host.modified, 0);
    EXPECT_EQ(test.sheet.CombinedChangeBits(), 0);
    EXPECT_TRUE(test.sink.Requests().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(platform::SettingsStore::FilePath()));
}

TEST(DisplayPageTest, AutomaticSavingIsSwitchedOnAndTheTimerFollows) {
    PagesTestSheet test;
    CDocumentData& data = test.host.data;
    auto* page = test.Open<CDisplayPage>();
    auto* onOff = page->findChild<QCheckBox*>("number2");
    auto* interval = page->findChild<QLineEdit*>("number3");
    ASSERT_NE(onOff, nullptr);
    ASSERT_NE(interval, nullptr);
    EXPECT_FALSE(onOff->isChecked());
    EXPECT_EQ(interval->text(), "10");

    PagesTestSheet::Click(onOff);
    interval->selectAll();
    QTest::keyClicks(interval, "0");
    test.ClickOk();
    EXPECT_EQ(test.sink.Texts(),
              QStringList{"「表示」ページの「Automatic save interval (minutes)」の数値が範囲外です。"});
    EXPECT_EQ(data.AutoSaveOnOff, 0);
    interval->selectAll();
    QTest::keyClicks(interval, "1");
    test.ClickOk();
    EXPECT_EQ(data.AutoSaveOnOff, 1);
    EXPECT_EQ(data.AutoSaveInterval, 1);
    EXPECT_EQ(test.host.refreshes, (QStringList{"auto save", "tab limit"}));
}
