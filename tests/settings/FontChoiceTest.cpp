#include "settings/FontChoice.h"

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
