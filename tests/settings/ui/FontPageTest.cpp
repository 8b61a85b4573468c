#include "PagesTestSheet.h"

#include "settings/ui/FontPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QListWidget>

#include <gtest/gtest.h>

TEST(FontPageTest, ShowsTheChosenFontAndAppliesOnlyWhatChanged) {
    PagesTestSheet test;
    CDocumentData& data = test.host.data;
    data.memoFont.pointSize = 120;
    data.memoFont.colourIndex = 9;
    auto* page = test.Open<CFontPage>();
    ASSERT_EQ(page->TargetList()->count(), CFontPageModel::TargetCount);

    page->TargetList()->setCurrentRow(CFontPageModel::NotesFont);
    EXPECT_DOUBLE_EQ(page->SizeBox()->value(), 12.0);
    EXPECT_EQ(page->ColourBox()->currentIndex(), 9);
    PagesTestSheet::Click(page->BoldBox());
    page->TargetList()->setCurrentRow(CFontPageModel::StructureDiagramFont);
    EXPECT_FALSE(page->BoldBox()->isChecked());
    page->ColourBox()->setCurrentIndex(12);
    page->TargetList()->setCurrentRow(CFontPageModel::ResultsFont);
    PagesTestSheet::Click(page->BoldBox());
    test.ClickOk();

    EXPECT_FALSE(test.sheet.isVisible());
    EXPECT_EQ(data.memoFont.bold, 1);
    EXPECT_EQ(data.memoFont.pointSize, 120);
    EXPECT_EQ(data.fonts.StructureDiagramFont.colourIndex, 12);
    EXPECT_EQ(data.fonts.StructureDiagramFont.colour, 0x0000FFu);
    EXPECT_EQ(data.fonts.LogicFont, FontSetting());
    EXPECT_EQ(test.host.modified, 1);
    EXPECT_EQ(test.host.memoFormats, 1);
    EXPECT_EQ(data.resultsFont.bold, 1);
    EXPECT_EQ(test.host.resultsFormats, 1);
    EXPECT_EQ(test.host.refreshes.count(QStringLiteral("structure diagram")), 1);
    EXPECT_EQ(test.sheet.CombinedChangeBits(), 0);
}

TEST(FontPageTest, ALogicFontChangeAsksForTheTabViewsAndAnEmptyFaceIsRefused) {
    PagesTestSheet test;
    auto* page = test.Open<CFontPage>();
    page->TargetList()->setCurrentRow(CFontPageModel::LogicFont);
    page->FaceBox()->setEditText(QString());
    test.ClickOk();
    EXPECT_TRUE(test.sheet.isVisible());
    EXPECT_EQ(test.sink.Requests().size(), 1);

    page->FaceBox()->setEditText("Face");
    test.ClickOk();
    EXPECT_FALSE(test.sheet.isVisible());
    EXPECT_EQ(test.host.data.fonts.LogicFont.faceName, "Face");
    EXPECT_EQ(test.sheet.CombinedChangeBits(), CFontPageModel::TabViewsChangeBit);
    EXPECT_EQ(test.host.memoFormats, 0);
    EXPECT_EQ(test.host.resultsFormats, 0);
    EXPECT_TRUE(test.host.refreshes.isEmpty());
}
