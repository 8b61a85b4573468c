#include "platform/ui/ToolkitTexts.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

// With the interface in Japanese the standard buttons read as the messages name them.
TEST(ToolkitTexts, StandardButtonsReadInJapanese) {
    ASSERT_TRUE(platform::InstallJapaneseToolkitTexts(*qApp))
        << "The toolkit's Japanese translation is missing: install qt6-translations-l10n";
    QMessageBox box(QMessageBox::Warning, QString(), QString(), QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("キャンセル"));
}
