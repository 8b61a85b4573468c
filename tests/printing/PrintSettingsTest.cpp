#include "printing/PrintSettings.h"

#include <gtest/gtest.h>

TEST(PrintSettings, NewSettingsCarryThePrintoutDefaults) {
    PrintSettings settings;
    for (int i = 0; i < PrintSettings::SectionCount; ++i) {
        const PrintSection& section = settings.sections[i];
        EXPECT_EQ(section.scope, 0);
        EXPECT_EQ(section.zoom, 100);
        EXPECT_EQ(section.nonEmbodiment, 1);
        EXPECT_EQ(section.nonWrited, 1);
        EXPECT_EQ(section.object, i == PrintSettings::Results ? 1 : 0x4BFF) << i;
    }
    EXPECT_EQ(settings.titleLines[PrintSettings::DocumentTitle], (PrintTitleLine{"", 5, 1}));
    EXPECT_EQ(settings.titleLines[PrintSettings::VersionInformation], (PrintTitleLine{"", 5, 0}));
    EXPECT_EQ(settings.titleLines[PrintSettings::InputText2], (PrintTitleLine{"", 0, 0}));
    EXPECT_EQ(settings.titleFont.faceName, GetDefaultUIFontName());
    EXPECT_EQ(settings.titleFont.pointSize, 360);
    EXPECT_EQ(settings.otherTitleFont.pointSize, 180);
    EXPECT_EQ(settings.marginBottom, 5);
    EXPECT_EQ(settings.headerKinds, (PrintHeaderFooterKinds{0, 0, 0}));
    EXPECT_EQ(settings.footerKinds, (PrintHeaderFooterKinds{0, 8, 0}));
}
