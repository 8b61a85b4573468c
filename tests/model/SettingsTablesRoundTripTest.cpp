#include "model/DocumentData.h"
#include "support/TestFiles.h"
#include "support/ToolSupport.h"
#include "support/model/DocumentFileDump.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Every settings table away from its defaults.
void FillEveryTable(CDocumentData& data) {
    data.IDTable = {3, 0, ManYears, u'-', 1};
    data.TitleTable = {"番号", "機能名", "機能", "記号", "子工数", "工数", "合計"};
    data.indexViewSettings.LexIsDispReuseID = 0;
    data.indexViewSettings.LexIsDispShortenIdFirstPunctuation = 1;
    data.indexViewSettings.HieFont.italic = 1;
    data.indexViewSettings.HieBoxSizeX = 200;
    data.indexViewSettings.HierZoomVal = 75;
    data.documentHeader.indexViewInfo = {-5, 40, 7, 2, 9, 11, -12};
    data.lineMarkTable.groupNames[2] = "重要";
    data.lineMarkTable.attributes[9] = {"確認済み", 15, 2, 3};
    data.fuzzwords.words = {"適宜", "など"};
    data.fuzzwords.ckLogic = 0;
    data.similarWords = {80, 1, 3, 500, 0};
    auto same = std::make_unique<CIntraMemberConsistencyRule>();
    *same = {1, "ドア", "開", "ドア", "開きかけ", "ドア", "閉"};
    data.intraMemberConsistencyRules.push_back(std::move(same));
    auto relation = std::make_unique<CInconsistencyRule>();
    relation->conditionCount = 2;
    relation->conditions[0] = {"ドア", "開"};
    relation->conditions[1] = {"モーター", "回転"};
    relation->message = "扉が開いたまま回転した";
    data.inconsistencyRules.push_back(std::move(relation));
    SetEnglishSentenceWords(data.naturalSentenceWords);
    data.naturalSentenceWords.language = 0;
    data.naturalSentenceWords.NestUse = 1;
    data.quantifiers.entries = {{"each ", "some ", 0, 1}};
    data.particles = {" equals ", " is ", " to ", " now", 0};
    data.TestTable = {0, 1, "/knowledge"};
    data.VersionControlTable = {1, 1, 0};
    data.WorkTable.WorkName[4] = "試験";
    data.WorkTable.UseWorkNo = 2;
    data.WorkTable.UnitDayToHour = 7.5f;
    data.fileNames = {"t-out.csv", "t-in.csv", "a-out.csv", "a-in.csv", "flow.csv", 1};
    data.FlowchartName[12] = "出荷";
    data.decisionTableOptions = {2, 0, 0, "決定表.csv"};
    data.testSpecificationOptions.FileName = "試験仕様.csv";
    data.exportExplanationsOptions = {"説明.rtf", 1};
    data.printSettings.sections[PrintSettings::Notes] = {1, 150, 2, 1, 0, 0, 0x1000};
    data.printSettings.titleLines[PrintSettings::InputText1] = {"社外秘", 2, 1};
    data.printSettings.otherTitleFont.underline = 1;
    data.printSettings.marginLeft = 12;
    data.printSettings.headerKinds = {1, 2, 3};
    data.printSettings.headerFooterText2 = "第2版";
    data.selectedPrintout = 4;
    data.headerIOSettings.Input = 1;
    data.headerIOSettings.OutputWidth = 300;
    data.fonts.columnFont.italic = 1;
    data.memberDefinitions = {{"ドア", "正面の扉", {{"開", ""}, {"閉", "施錠前"}}}, {"ランプ", "", {}}};
}

} // namespace

TEST(SettingsTablesRoundTrip, EveryTableAndControlCharactersSurviveASaveAndASecondSaveGivesTheSameBytes) {
    QTemporaryDir dir;
    const QString first = dir.filePath("filled.nuv");
    const QString second = dir.filePath("again.nuv");

    CDocumentData data;
    data.SetDefaults();
    FillEveryTable(data);
    // Texts with control characters and blanks, and an open view.
    CUnitFunction* child = data.registry.CreateFunction(QStringLiteral("子"), data.GetModelOptions());
    CUnitFunction::AppendChild(data.registry.origin, child);
    child->header.contentText = QStringLiteral("制御") + QChar(0x07) + QStringLiteral("文字\ttab ");
    child->header.Reasoning = QStringLiteral(" ");
    data.MemoText = QStringLiteral("ノート\r\n2行目");
    data.documentHeader.openViewCount = 1;
    data.documentHeader.openViews[0] = {static_cast<qint32>(child->InternalID), 1};
    data.registry.RebuildAndNotify(data.indexRoot, data.GetModelOptions());
    ASSERT_TRUE(tools::SaveDocument(data, first, false));
    CDocumentData read;
    ASSERT_EQ(tools::LoadDocument(first, read), LoadResult::Loaded);
    EXPECT_EQ(read.IDTable, data.IDTable);
    EXPECT_EQ(read.TitleTable, data.TitleTable);
    EXPECT_EQ(read.indexViewSettings, data.indexViewSettings);
    EXPECT_EQ(read.documentHeader.indexViewInfo, data.documentHeader.indexViewInfo);
    EXPECT_EQ(read.lineMarkTable, data.lineMarkTable);
    EXPECT_EQ(read.fuzzwords, data.fuzzwords);
    EXPECT_EQ(read.similarWords, data.similarWords);
    ASSERT_EQ(read.intraMemberConsistencyRules.size(), 1u);
    EXPECT_EQ(*read.intraMemberConsistencyRules[0], *data.intraMemberConsistencyRules[0]);
    ASSERT_EQ(read.inconsistencyRules.size(), 1u);
    EXPECT_EQ(*read.inconsistencyRules[0], *data.inconsistencyRules[0]);
    EXPECT_EQ(read.naturalSentenceWords, data.naturalSentenceWords);
    EXPECT_EQ(read.quantifiers, data.quantifiers);
    EXPECT_EQ(read.particles, data.particles);
    EXPECT_EQ(read.TestTable, data.TestTable);
    EXPECT_EQ(read.VersionControlTable, data.VersionControlTable);
    EXPECT_EQ(read.WorkTable, data.WorkTable);
    EXPECT_EQ(read.fileNames, data.fileNames);
    EXPECT_EQ(read.FlowchartName, data.FlowchartName);
    EXPECT_EQ(read.decisionTableOptions, data.decisionTableOptions);
    EXPECT_EQ(read.testSpecificationOptions, data.testSpecificationOptions);
    EXPECT_EQ(read.exportExplanationsOptions, data.exportExplanationsOptions);
    EXPECT_EQ(read.printSettings, data.printSettings);
    EXPECT_EQ(read.selectedPrintout, 4);
    EXPECT_EQ(read.headerIOSettings, data.headerIOSettings);
    EXPECT_EQ(read.fonts.columnFont, data.fonts.columnFont);
    EXPECT_EQ(read.memberDefinitions, data.memberDefinitions);

    const QString dump = DumpOfDocumentFile(first);
    EXPECT_TRUE(dump.contains("sameMemberRule 1 \"ドア\""));
    EXPECT_TRUE(dump.contains("Str2 \"第2版\""));
    EXPECT_TRUE(dump.contains("content \"制御\\x07文字\\ttab \""));
    EXPECT_TRUE(dump.contains("reason \" \""));
    EXPECT_TRUE(dump.contains("MemoText \"ノート\\r\\n2行目\""));
    CDocumentData resaved;
    ASSERT_EQ(tools::LoadDocument(first, resaved), LoadResult::Loaded);
    ASSERT_TRUE(tools::SaveDocument(resaved, second, false));
    EXPECT_EQ(ReadFileBytes(second), ReadFileBytes(first));
    EXPECT_EQ(DumpOfDocumentFile(second), dump);
}

TEST(SettingsTablesRoundTrip, AnEmptiedQuantifierListStaysEmpty) {
    QTemporaryDir dir;
    const QString path = dir.filePath("none.nuv");
    CDocumentData data;
    data.SetDefaults();
    data.quantifiers.entries.clear();
    ASSERT_TRUE(tools::SaveDocument(data, path, false));
    CDocumentData read;
    ASSERT_EQ(tools::LoadDocument(path, read), LoadResult::Loaded);
    EXPECT_TRUE(read.quantifiers.entries.empty());
}
