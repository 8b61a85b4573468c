#include "model/DocumentDataHelpers.h"
#include "model/DocumentFile.h"
#include "support/ToolSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

CLogicLine* AddLine(CUnitFunction& function, quint8 kind, const QString& member, const QString& state = {}) {
    auto line = std::make_unique<CLogicLine>();
    line->lineKind = kind;
    line->textSlots[0].text = member;
    line->textSlots[2].text = state;
    function.logicLines.push_back(std::move(line));
    return function.logicLines.back().get();
}

} // namespace

TEST(DocumentDataHelpers, RecentNamesMoveToTheEndAndKeepThirty) {
    CDocumentData data;
    EXPECT_EQ(AddRecentName(data, {1, 0, ""}), -1);
    for (int i = 0; i < 31; ++i)
        EXPECT_EQ(AddRecentName(data, {i, i, QString("m%1").arg(i)}), std::min(i, 29));
    ASSERT_EQ(data.RecentNames.size(), 30u);
    EXPECT_EQ(data.RecentNames.front().memberName, "m1");
    EXPECT_EQ(AddRecentName(data, {7, 3, "m5"}), 29);
    EXPECT_EQ(data.RecentNames.size(), 30u);
    EXPECT_EQ(data.RecentNames.back(), (RecentName{7, 3, "m5"}));
    EXPECT_EQ(std::count_if(data.RecentNames.begin(), data.RecentNames.end(),
                            [](const RecentName& n) { return n.memberName == "m5"; }),
              1);
    AddRecentNamePair(data, {1, 1, "Door", "Open"});
    EXPECT_EQ(AddRecentNamePair(data, {1, 2, "Door", "Closed"}), 0);
    EXPECT_EQ(data.RecentNamePairs.size(), 1u);
}

TEST(DocumentDataHelpers, LookUpsInTheVocabularyTables) {
    CDocumentData data;
    data.SetDefaults();
    ASSERT_NE(FindAuxiliaryVerb(data, "である"), nullptr);
    EXPECT_EQ(FindAuxiliaryVerb(data, "である")->id, 4);
    EXPECT_EQ(FindAuxiliaryVerb(data, ""), nullptr);
    EXPECT_EQ(GetFunctionAttribute(data, 2).symbol, "SE");
    data.FunctionAttributes.push_back({0, "ZZ", "zero"});
    EXPECT_EQ(GetFunctionAttribute(data, 0), FunctionAttribute());
    EXPECT_EQ(GetFunctionAttribute(data, 9), FunctionAttribute());

    CUnitFunction& safety = *data.registry.CreateFunctionWithID(40);
    safety.header.TypeNo = 1;
    safety.header.Type = "old";
    CUnitFunction& secure = *data.registry.CreateFunctionWithID(41);
    secure.header.TypeNo = 2;
    secure.header.Type = "SE";
    data.FunctionAttributes.erase(data.FunctionAttributes.begin() + 1);
    RefreshFunctionAttributeSymbols(data);
    EXPECT_EQ(safety.header.Type, "FS");
    EXPECT_EQ(secure.header.TypeNo, 0);
    EXPECT_TRUE(secure.header.Type.isEmpty());
}

TEST(DocumentDataHelpers, FontsIndentsVersionsAndVersionNumbers) {
    CDocumentData data;
    data.SetDefaults();
    CUnitFunction& function = *data.registry.origin;
    CLogicLine* condition = AddLine(function, SyntaxIf, "Speed", "Speed");
    CLogicLine* branch = AddLine(function, SyntaxCase, "Speed", "Speed");
    FontSetting bold;
    bold.bold = 1;
    ApplyNameFontToAllLines(data, "Speed", bold);
    EXPECT_EQ(condition->textSlots[0].Font(), bold);
    EXPECT_EQ(condition->textSlots[2].Font(), bold);
    EXPECT_EQ(branch->textSlots[0].Font(), bold);
    EXPECT_EQ(branch->textSlots[2].Font(), FontSetting());

    condition->Top = 8;
    condition->Next = 12;
    condition->Home = 12;
    condition->Home2 = 20;
    condition->End = 30;
    ApplyIndentChangeToAllUnitFunctions(data, 4, 2);
    EXPECT_EQ(condition->Top, 4);
    EXPECT_EQ(condition->Next, 6);
    EXPECT_EQ(condition->Home, 8);
    EXPECT_EQ(condition->End, 26);
    ApplyIndentChangeToAllUnitFunctions(data, 0, 2);
    EXPECT_EQ(condition->Top, 4);

    EXPECT_EQ(FormatVersionNumber(data), "");
    data.documentHeader.Major = 1;
    data.documentHeader.Minor = 5;
    EXPECT_EQ(FormatVersionNumber(data), " 1.05");
    data.versionHistory = {{"a", "", "", "", "", 1}, {"b", "", "", "", "", 2}, {"c", "", "", "", "", 3}};
    RemoveVersionEntry(data, 1);
    ASSERT_EQ(data.versionHistory.size(), 2u);
    EXPECT_EQ(data.versionHistory[1].number, 3);
    RemoveVersionEntry(data, 5);
    EXPECT_EQ(data.versionHistory.size(), 2u);
}

TEST(DocumentDataHelpers, ImportsFromAnotherDocumentFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("other.nuv");
    {
        CDocumentData other;
        other.SetDefaults();
        other.headerIOSettings.Input = 1; // the input column switched on is reported as a change
        other.similarWords.agreement = 90;
        other.memberDefinitions = {{"Door", "front", {{"Open", "ajar"}}}, {"Lamp", "", {}}};
        ASSERT_TRUE(tools::SaveDocument(other, path, false));
    }
    CDocumentData data;
    data.SetDefaults();
    data.memberDefinitions = {{"Door", "", {{"Closed", ""}}}};
    bool changed = false;
    ASSERT_TRUE(ImportEnvironmentFromFile(data, '"' + path + '"', &changed));
    EXPECT_TRUE(changed);
    EXPECT_EQ(data.similarWords.agreement, 90);
    EXPECT_FALSE(ImportEnvironmentFromFile(data, dir.filePath("missing.nuv")));

    MemberDefinitionList imported;
    ASSERT_TRUE(ImportMemberNamesFromFile(path, imported));
    EXPECT_EQ(imported.size(), 2u);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    ASSERT_EQ(ImportMemberNamesFromDocument(file, data), LoadResult::Loaded);
    EXPECT_EQ(data.memberDefinitions,
              (MemberDefinitionList{{"Door", "front", {{"Closed", ""}, {"Open", "ajar"}}}, {"Lamp", "", {}}}));
}
