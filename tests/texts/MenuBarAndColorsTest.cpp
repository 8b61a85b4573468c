#include "texts/ColorNameList.h"
#include "texts/MenuBarCaptions.h"
#include "texts/MessageContext.h"

#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

TEST(MenuBarCaptions, CaptionsFollowTheNumberOfButtons) {
    CMessageContext context;
    const std::vector<QString> documentMenu = {"&File",          "&Edit", "&View",  "&Terminology",
                                               "&Inspections",   "&Vesk", "&Fonts", "&Environmental settings",
                                               "&Collaboration", "&Help"};
    // The document menu: ten buttons and the language popup, which keeps its own caption.
    EXPECT_EQ(MakeMenuBarButtonCaptions(context, 11), documentMenu);
    EXPECT_EQ(MakeMenuBarButtonCaptions(context, 11), documentMenu);
    EXPECT_EQ(MakeMenuBarButtonCaptions(context, 8),
              std::vector<QString>({"&File", "&Edit", "&View", "&Inspections", "&Vesk", "&Environmental settings",
                                    "&Collaboration", "&Help"}));
    EXPECT_EQ(MakeMenuBarButtonCaptions(context, 4), std::vector<QString>({"&File", "&View", "&Help"}));
    EXPECT_EQ(MakeMenuBarButtonCaptions(context, 3).size(), 3u);
    EXPECT_TRUE(MakeMenuBarButtonCaptions(context, 2).empty());

    context.m_language = 1;
    EXPECT_EQ(MakeMenuBarButtonCaptions(context, 10),
              std::vector<QString>({"ファイル(&F)", "編集(&E)", "表示(&V)", "意味設定(&T)", "検査(&I)", "Vesk(&W)",
                                    "フォント(&O)", "環境設定(&S)", "工程間連携(&C)", "ヘルプ(&H)"}));
}

TEST(ColorNameList, SixteenNamesInPaletteOrderInTheCurrentLanguage) {
    CMessageContext context;
    std::vector<QString> names = {"left over"};
    FillColorNameList(names, context);
    FillColorNameList(names, context);
    ASSERT_EQ(names.size(), 16u);
    EXPECT_EQ(names.front(), "Black");
    EXPECT_EQ(names[7], "Light gray");
    EXPECT_EQ(names[10], "Green");
    EXPECT_EQ(names.back(), "White");

    // Six names come from the wording table; the others are fixed.
    context.m_settings.AddEntry("~Color_10_Green", "若草色", "leaf green", "");
    context.m_settings.AddEntry("~Color_00_Black", "漆黒", "jet black", "");
    context.m_language = 1;
    FillColorNameList(names, context);
    EXPECT_EQ(names,
              std::vector<QString>({"黒", "濃い青", "濃い緑", "濃いシアン", "濃い赤", "濃いマゼンタ", "濃い黄",
                                    "明るい灰色", "濃い灰色", "青", "若草色", "シアン", "赤", "マゼンタ", "黄", "白"}));
}
