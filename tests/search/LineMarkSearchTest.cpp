#include "search/LineMarkSearch.h"
#include "SearchTestDocument.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

TEST(LineMarkSearch, ListsMarkedLinesInTheThreeModes) {
    SearchTestDocument document;
    document.Origin("Do <A>を{S}せよ\nDo <B>を{S}せよ\nDo <C>を{S}せよ");
    document.Add("Child", "");
    document.Finish();
    LineMarkTable& table = document.data.lineMarkTable;
    for (int k = 0; k < LineMarkTable::AttributeCount; ++k)
        table.attributes[k].name = QStringLiteral("a%1").arg(k);
    table.attributes[2].groupNo = 2;
    table.groupNames[1] = "G2";
    CUnitFunction& origin = *document.data.registry.origin;
    origin.logicLines[0]->mark = 0b101;
    origin.logicLines[0]->SetMemo("memo");
    origin.logicLines[2]->mark = 1u << 8;

    EXPECT_EQ(VeskSearchLineMarks(document.data, LineMarkSearchRequestValue(AllLineMarks, 0)).Texts(),
              (QStringList{"行マーク検索\"すべての行マーク\"", "[0 Line 1] a0:a2: memo",
                           "[0 Line 3] a8: ", "検出した行: 2, 検索した単位機能総数: 2"}));
    EXPECT_EQ(VeskSearchLineMarks(document.data, LineMarkSearchRequestValue(GroupLineMarks, 2)).Texts(),
              (QStringList{"行マーク検索\"グループ: G2\"", "[0 Line 1] a0:a2: memo",
                           "検出した行: 1, 検索した単位機能総数: 2"}))
        << "all names of the line show, not only the group's";
    EXPECT_EQ(VeskSearchLineMarks(document.data, LineMarkSearchRequestValue(GroupLineMarks, 0)).Texts().first(),
              "行マーク検索\"グループ: グループなし\"");
    EXPECT_EQ(VeskSearchLineMarks(document.data, LineMarkSearchRequestValue(AttributeLineMarks, 8)).Texts(),
              (QStringList{"行マーク検索\"属性: a8\"", "[0 Line 3] a8: ", "検出した行: 1, 検索した単位機能総数: 2"}));
}

TEST(LineMarkSearch, DefaultNamesFollowTheLanguage) {
    CMessageContext japanese;
    japanese.m_language = 1;
    EXPECT_EQ(GetVeskAttributeText(japanese, 0), "考え中");
    EXPECT_EQ(GetVeskAttributeText(japanese, 7), "グループ8");
    EXPECT_EQ(GetVeskGroupName(japanese, 0), "グループ1");
    EXPECT_EQ(GetVeskGroupName(japanese, 3), "自動");
    CMessageContext english;
    EXPECT_EQ(GetVeskGroupName(english, 3), "Automatic");
}

TEST(LineMarkSettings, DuplicateAttributeNamesAreRefused) {
    LineMarkTable table;
    for (int k = 0; k < LineMarkTable::AttributeCount; ++k)
        table.attributes[k].name = QStringLiteral("a%1").arg(k);
    CLineMarkSettingsEdit edit(table);
    EXPECT_FALSE(edit.ChangeAttribute(3, "a0", 1, 1, 1));
    EXPECT_TRUE(edit.ChangeAttribute(3, "a3", 1, 2, 3)) << "its own name is accepted";
    EXPECT_TRUE(edit.ChangeAttribute(4, QString(40, 'n'), 0, 0, 0));
    EXPECT_EQ(edit.Copy().attributes[4].name, QString(32, 'n'));
    EXPECT_EQ(edit.ChangeGroup(0, "First"), "1:First");

    LineMarkTable unchanged = table;
    EXPECT_FALSE(CLineMarkSettingsEdit(table).WriteBack(unchanged));
    EXPECT_TRUE(edit.WriteBack(table));
    EXPECT_EQ(table.attributes[3].shape, 2);
    EXPECT_EQ(table.groupNames[0], "First");
}
