#include "PagesTestSheet.h"

#include "settings/ui/TemplatePage.h"

#include "platform/SettingsStore.h"
#include "platform/UserSettings.h"
#include "texts/StringTable.h"

#include <QCheckBox>
#include <QLineEdit>

#include <gtest/gtest.h>

TEST(TemplatePageTest, ATemplateWithoutAFileIsRefused) {
    PagesTestSheet test;
    auto* page = test.Open<CTemplatePage>();
    EXPECT_FALSE(page->UseTemplateBox()->isChecked());
    EXPECT_FALSE(page->UseCurrentButton()->isEnabled());

    PagesTestSheet::Click(page->UseTemplateBox());
    test.ClickOk();
    EXPECT_TRUE(test.sheet.isVisible());
    EXPECT_EQ(test.sink.Texts(), QStringList{LoadString(StringId::TemplateFileMissing)});
    EXPECT_EQ(platform::StoredSetting(UserSettings::UseTemplate()), std::nullopt);
}

TEST(TemplatePageTest, TheCurrentDocumentIsTakenAsTheTemplate) {
    PagesTestSheet test;
    QFile current(test.configHome.dir.filePath("current.nuv"));
    ASSERT_TRUE(current.open(QIODevice::WriteOnly));
    current.close();
    test.host.documentPath = current.fileName();
    auto* page = test.Open<CTemplatePage>();
    PagesTestSheet::Click(page->UseCurrentButton());
    EXPECT_TRUE(page->UseTemplateBox()->isChecked());
    EXPECT_EQ(page->FileNameEdit()->text(), current.fileName());
    test.ClickOk();
    EXPECT_FALSE(test.sheet.isVisible());
    EXPECT_EQ(platform::ReadSetting(UserSettings::UseTemplate()), 1u);
    EXPECT_EQ(platform::ReadSetting(UserSettings::TemplateFilename()), current.fileName());
    // The user's own values leave the document unmodified.
    EXPECT_EQ(test.host.modified, 0);
}
