#include "texts/TextHelpers.h"
#include "texts/MessageContext.h"

#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

TEST(TextHelpers, CapitalizeFirstLetterChangesOnlyAFirstBasicLatinLowerCaseLetter) {
    EXPECT_EQ(CapitalizeFirstLetter(""), "");
    EXPECT_EQ(CapitalizeFirstLetter("a"), "A");
    EXPECT_EQ(CapitalizeFirstLetter("import and export"), "Import and export");
    EXPECT_EQ(CapitalizeFirstLetter("zoom"), "Zoom");
    EXPECT_EQ(CapitalizeFirstLetter("Office 2007 blue style"), "Office 2007 blue style");
    EXPECT_EQ(CapitalizeFirstLetter("ファイル"), "ファイル");
    EXPECT_EQ(CapitalizeFirstLetter("ébauche"), "ébauche");
    EXPECT_EQ(CapitalizeFirstLetter("ａｂｃ"), "ａｂｃ");
    EXPECT_EQ(CapitalizeFirstLetter("1 row"), "1 row");
    EXPECT_EQ(CapitalizeFirstLetter("`x"), "`x");
    EXPECT_EQ(CapitalizeFirstLetter("{x"), "{x");
}

TEST(TextHelpers, MenuItemTextMarksTheAccessKeyInTheStyleOfTheLanguage) {
    CMessageContext english;
    CMessageContext japanese;
    japanese.m_language = 1;
    CMessageContext other;
    other.m_language = 2;

    EXPECT_EQ(MakeMenuItemText(english, "File", "F"), "&File");
    EXPECT_EQ(MakeMenuItemText(japanese, "ファイル", "F"), "ファイル(&F)");
    // Only language 0 gets the English style.
    EXPECT_EQ(MakeMenuItemText(other, "File", "F"), "File(&F)");
    EXPECT_EQ(MakeMenuItemText(english, "Save as...", "A"), "&Save as...");

    EXPECT_EQ(MakeMenuItemText(english, "A&B", ""), "A&&&&B");
    EXPECT_EQ(MakeMenuItemText(english, "A&B", "A"), "&A&&&&B");
    EXPECT_EQ(MakeMenuItemText(japanese, "A&B", "A"), "A&&&&B(&A)");
    EXPECT_EQ(MakeMenuItemText(english, "", "X"), "&");
    EXPECT_EQ(MakeMenuItemText(japanese, "", "X"), "(&X)");
}

// A path of any length, or a link, is quoted as a view shows a long text, keeping its file name.
TEST(TextHelpers, AMessageShowsOfALongPathItsStartAndItsFileName) {
    EXPECT_EQ(ShownPath("/data/rice-cooker.nuv"), "/data/rice-cooker.nuv");
    const QString deep = "/home/" + QString("folder/").repeated(2'000'000) + "rice-cooker.nuv";
    const QString shown = ShownPath(deep);
    EXPECT_LE(shown.size(), ShownTextLength);
    EXPECT_TRUE(shown.startsWith("/home/…/folder/"));
    EXPECT_TRUE(shown.endsWith("/folder/rice-cooker.nuv"));
}
