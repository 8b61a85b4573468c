#include "settings/ui/FuzzwordPage.h"

#include "SettingsTestHost.h"
#include "settings/ui/VocabularyTable.h"
#include "support/QStringPrinter.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

TEST(FuzzwordPage, OkStoresTheWordsAndTheFieldsSearchedCancelNothing) {
    SettingsTestHost host;
    host.data.fuzzwords = {{"適宜"}, 1, 1};
    {
        CFuzzwordPage page(host);
        EXPECT_TRUE(page.FunctionContentBox()->isChecked());
        EXPECT_TRUE(page.LogicBox()->isChecked());
        page.LogicBox()->setChecked(false);
        page.reject();
        EXPECT_EQ(host.data.fuzzwords, (FuzzwordSettings{{"適宜"}, 1, 1}));
    }
    {
        CFuzzwordPage page(host);
        page.accept();
        EXPECT_EQ(page.result(), QDialog::Accepted);
        EXPECT_EQ(host.modified, 0);
    }
    CFuzzwordPage page(host);
    ASSERT_EQ(page.Table()->RowCount(), 1);
    EXPECT_EQ(page.Table()->Text(0, 0), "適宜");
    QTest::mouseClick(page.Table()->NewButton(), Qt::LeftButton);
    page.Table()->SetText(1, 0, "なるべく");
    page.FunctionContentBox()->click();
    page.accept();
    EXPECT_EQ(host.modified, 1);
    EXPECT_EQ(host.data.fuzzwords, (FuzzwordSettings{{"適宜", "なるべく"}, 0, 1}));
}
