#include "settings/FontChoice.h"

#include "model/StandardColours.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

TEST(FontChoice, TypedSizesAreReadInPointsWithinTheRange) {
    EXPECT_EQ(CFontChoice::ParseSize("10.5"), 105);
    EXPECT_EQ(CFontChoice::ParseSize(" 12 "), 120);
    EXPECT_EQ(CFontChoice::ParseSize("1638"), 16380);
    EXPECT_EQ(CFontChoice::ParseSize("0.5"), std::nullopt);
    EXPECT_EQ(CFontChoice::ParseSize("1639"), std::nullopt);
    EXPECT_EQ(CFontChoice::ParseSize("twelve"), std::nullopt);
    EXPECT_EQ(CFontChoice::ParseSize("nan"), std::nullopt);
    EXPECT_EQ(CFontChoice::SizeText(105), "10.5");
    EXPECT_EQ(CFontChoice::SizeText(120), "12");
}

TEST(FontChoice, EachChoiceSetsItsAttributeAndItsMaskBit) {
    FontSetting font;
    font.colourIndex = NoColourIndex;
    CFontChoice choice(font, FontAttributeFace, CFontChoice::FromLogicEditor);
    choice.SetColourIndex(16);
    EXPECT_EQ(choice.mask, FontAttributeFace) << "no colour beyond the sixteen";
    choice.SetColourIndex(12);
    choice.SetBold(true);
    choice.SetPointSize(140);
    EXPECT_EQ(choice.font.colourIndex, 12);
    EXPECT_EQ(choice.font.colour, kStandardColours[12]);
    EXPECT_EQ(choice.font.bold, 1);
    EXPECT_EQ(choice.mask, FontAttributeFace | FontAttributeColour | FontAttributeBold | FontAttributeSize);
    choice.SetFace(QString(80, 'F'));
    EXPECT_EQ(choice.font.faceName.size(), FontSetting::MaxFaceNameLength);
    EXPECT_DOUBLE_EQ(choice.SamplePointSize(1.5), 21.0);
}

TEST(FontChoice, AFaceThisMachineLacksIsShownWithTheDefaultFace) {
    const CFontInfo installed({"Arial", "Verdana"});
    FontSetting font;
    font.faceName = "ＭＳ 明朝";
    CFontChoice choice(font, AllFontAttributes, CFontChoice::FromContentText);
    EXPECT_EQ(choice.ShownFace(installed), "Verdana");
    choice.font.faceName = "Arial";
    EXPECT_EQ(choice.ShownFace(installed), "Arial");
    EXPECT_EQ(choice.ShownFace(CFontInfo()), "Times New Roman");
}
