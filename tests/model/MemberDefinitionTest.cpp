#include "model/MemberDefinition.h"
#include "EnvironmentXmlFixture.h"
#include "model/MemberUsage.h"
#include "model/RuleVocabularyTables.h"
#include "model/UnitFunctionRegistry.h"
#include "model/xml/MemberDefinitionElement.h"
#include "platform/CodePageTextFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void AddLine(CUnitFunction& function, quint8 kind, const QString& first, const QString& third = {}) {
    auto line = std::make_unique<CLogicLine>();
    line->lineKind = kind;
    line->textSlots[0].text = first;
    line->textSlots[2].text = third;
    function.logicLines.push_back(std::move(line));
}

} // namespace

TEST(MemberDefinition, MergeKeepsWhatIsThereAndAddsWhatIsMissing) {
    MemberDefinitionList members{{"Door", "", {{"Open", "fully open"}, {"Closed", ""}}}};
    MergeImportedMemberNames(
        members,
        {{"Door", "the front door", {{"Open", "ajar"}, {"Closed", "shut"}, {"Locked", ""}}}, {"Motor", "drive", {}}});
    ASSERT_EQ(members.size(), 2u);
    EXPECT_EQ(members[0], (CMemberDefinition{
                              "Door", "the front door", {{"Open", "fully open"}, {"Closed", "shut"}, {"Locked", ""}}}));
    EXPECT_EQ(members[1].name, "Motor");
    EXPECT_EQ(FindRegisteredMemberState(members, "Door", "Locked"), &members[0].states[2]);
    EXPECT_EQ(FindRegisteredMemberState(members, "door", "Locked"), nullptr);
    EXPECT_EQ(FindRegisteredMemberState(members, "Motor", "On"), nullptr);
}

TEST(MemberDefinition, ElementLayoutAndAMemberNeverTakesItsStatesName) {
    EnvironmentXml xml;
    CMemberDefinition member{"扉", "", {{"開", "全開"}, {"", ""}}};
    WriteMemberNameElement(member, xml.context, XmlAppendChildElement(xml.context, xml.environment, "MemberName"));
    EXPECT_EQ(xml.Text(), "<Environment><MemberName><Name>扉</Name><Explanation></Explanation><StateName><Name>開"
                          "</Name><Explanation>全開</Explanation></StateName><StateName><Name></Name><Explanation>"
                          "</Explanation></StateName></MemberName></Environment>");
    CMemberDefinition nameless;
    ReadMemberNameElement(xml.Parse("<Environment><MemberName><StateName><Name>Open</Name><Explanation>e</Explanation>"
                                    "</StateName></MemberName></Environment>")
                              .child("MemberName"),
                          nameless);
    EXPECT_EQ(nameless, (CMemberDefinition{"", "", {{"Open", "e"}}}));
}

TEST(MemberUsage, CountsIfDoTransitAndSwitchCaseLinesAndFormatsSortedLines) {
    CUnitFunctionRegistry registry;
    CUnitFunction& first = *registry.CreateFunctionWithID(5);
    AddLine(first, SyntaxIf, "Speed", "Slow");
    AddLine(first, SyntaxSwitch, "M");
    AddLine(first, SyntaxCase, "A");
    AddLine(first, SyntaxCase, "B");
    AddLine(first, SyntaxEndsw, "");
    AddLine(first, SyntaxCase, "C");
    AddLine(first, SyntaxComment, "Speed");
    CUnitFunction& second = *registry.CreateFunctionWithID(2);
    AddLine(second, SyntaxDo, "speed", "Fast");
    AddLine(second, SyntaxTransitState, "扉", "");
    AddLine(second, SyntaxDo, "", "Orphan");
    AddLine(second, SyntaxCase, "X"); // no switch open in this unit function

    CMemberUsage usage = CollectMemberAndStateUsage(registry);
    MemberDefinitionList registered{{"Speed", "", {{"Slow", ""}}}};
    FuzzwordSettings fuzzwords;
    fuzzwords.words = {"Fast"};
    EXPECT_EQ(FormatMemberUsageCsvLines(usage, registered, fuzzwords), "\"M\", ,\"1\",\" \",\" \",\n"
                                                                       "\"Speed\", ,\"1\",\"x\",\" \",\n"
                                                                       "\"speed\", ,\"1\",\" \",\" \",\n"
                                                                       "\"扉\", ,\"1\",\" \",\" \",\n");
    EXPECT_EQ(FormatMemberUsageCsvLines2(usage, registered, fuzzwords), "\"\",\"Orphan\",\"1\",\" \",\" \",\n"
                                                                        "\"M\",\"A\",\"1\",\" \",\" \",\n"
                                                                        "\"M\",\"B\",\"1\",\" \",\" \",\n"
                                                                        "\"Speed\",\"Slow\",\"1\",\"x\",\" \",\n"
                                                                        "\"speed\",\"Fast\",\"1\",\" \",\"x\",\n");
    EXPECT_EQ(usage.lineCount, 9u);
}

TEST(MemberUsage, TenThousandLinesAreWrittenButTheNextOneRefusesTheWholeList) {
    QTemporaryDir dir;
    const QString path = dir.filePath("members.csv");
    auto registryWithLines = [](int members) {
        auto registry = std::make_unique<CUnitFunctionRegistry>();
        CUnitFunction& function = *registry->CreateFunctionWithID(1);
        for (int i = 0; i < members; ++i)
            AddLine(function, SyntaxSwitch, QString("m%1").arg(i, 5, 10, QChar('0')));
        return registry;
    };
    auto exactly = registryWithLines(10000);
    MemberUsageExportResult result = ExportMemberUsageCsv(path, *exactly, {}, {});
    EXPECT_EQ(result.status, MemberUsageExportResult::Written);
    platform::CodePageTextFile in;
    ASSERT_TRUE(in.OpenForReading(path, 1 << 20));
    QStringView line;
    ASSERT_TRUE(in.ReadString(line));
    EXPECT_EQ(line.toString(), "メンバー名,状態名,使用頻度,登録済み,曖昧語");
    ASSERT_TRUE(in.ReadString(line));
    EXPECT_EQ(line.toString(), "\"m00000\", ,\"1\",\" \",\" \",");
    in.Close();

    const QString refused = dir.filePath("refused.csv");
    auto tooMany = registryWithLines(10001);
    result = ExportMemberUsageCsv(refused, *tooMany, {}, {});
    EXPECT_EQ(result.status, MemberUsageExportResult::TooManyLines);
    EXPECT_EQ(result.lineCount, 10001u);
    EXPECT_FALSE(QFile::exists(refused));
    EXPECT_EQ(FormatMemberUsageSizeOverMessage(result.lineCount),
              "メンバー名と状態名の総数が 10001 を超えるため、メンバー名と状態名の一覧を出力できません。");

    EXPECT_EQ(ExportMemberUsageCsv(dir.filePath("no/such/dir.csv"), *exactly, {}, {}).status,
              MemberUsageExportResult::WriteFailed);
}
