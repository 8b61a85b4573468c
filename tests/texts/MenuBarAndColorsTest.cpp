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

TEST(MenuBarCaptions, CommandItemsAndSubmenuTitlesFollowTheLanguage) {
    CMessageContext english;
    CMessageContext japanese;
    japanese.m_language = 1;
    EXPECT_EQ(MakeCommandItemCaption(english, 57600), "&New");
    EXPECT_EQ(MakeCommandItemCaption(japanese, 57600), "新規作成(&N)");
    EXPECT_EQ(MakeCommandItemCaption(english, 32771), "Combine functions"); // no access letter
    EXPECT_EQ(MakeCommandItemCaption(english, 33196), std::nullopt);
    // A command the localisation has no row for keeps its Japanese caption in English.
    EXPECT_EQ(MakeCommandCaption(english, 33196), "コメントソース");
    EXPECT_EQ(MakeCommandCaption(english, 32789), "アウトライン順目次");
    EXPECT_EQ(MakeCommandCaption(english, 32790), "階層順目次");
    // The single inspections of the current unit function are greyed, those of all unit functions are not.
    EXPECT_TRUE(IsCommandItemGreyed(32979) && IsCommandItemGreyed(32980) && IsCommandItemGreyed(32981));
    EXPECT_FALSE(IsCommandItemGreyed(32881) || IsCommandItemGreyed(57600) || IsCommandItemGreyed(1));
    // The two "total inspection" items are told apart on the toolbar by their submenus' names.
    EXPECT_EQ(MakeCommandCaptionWithoutAccessKey(english, 32794), MakeCommandCaptionWithoutAccessKey(english, 32795));
    EXPECT_EQ(MakeToolBarButtonCaption(japanese, 32794), "現在の単位機能の検査");
    EXPECT_EQ(MakeToolBarButtonCaption(japanese, 32795), "すべての単位機能の検査");
    EXPECT_EQ(MakeToolBarButtonCaption(english, 57600), "New");

    // A popup is told by where its submenus stand: exactly, not by a part of the places.
    EXPECT_EQ(MakePopupTitleCaptions(english, {6}), (std::map<int, QString>{{6, "&Import and export"}}));
    EXPECT_EQ(MakePopupTitleCaptions(japanese, {0, 2, 3}).at(0), "ツールバーとドッキングウィンドウ(&T)");
    EXPECT_TRUE(MakePopupTitleCaptions(english, {0, 2}).empty());
    EXPECT_TRUE(MakePopupTitleCaptions(english, {}).empty());
    EXPECT_EQ(MakePopupTitleCaptions(english, {5, 6}).at(6), "&Team Foundation Server");
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
