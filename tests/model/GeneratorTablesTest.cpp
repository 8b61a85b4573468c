#include "model/GeneratorTables.h"
#include "EnvironmentXmlFixture.h"
#include "model/xml/GeneratorTableElements.h"

#include <gtest/gtest.h>

TEST(GeneratorTables, ManHoursConvertWithTheDocumentsFactors) {
    WorkTableSettings factors;
    EXPECT_FLOAT_EQ(ConvertManHoursToUnit(factors, ManMonths, 160.0f), 1.0f);
    EXPECT_FLOAT_EQ(ConvertManHoursToUnit(factors, ManDays, 12.0f), 1.5f);
    EXPECT_FLOAT_EQ(ConvertManHoursToUnit(factors, ManYears, 1920.0f), 1.0f);
    EXPECT_FLOAT_EQ(ConvertManHoursToUnit(factors, ManHours, 3.5f), 3.5f);
    EXPECT_FLOAT_EQ(ConvertManHoursToUnit(factors, 4, 3.5f), -1.0f);
    EXPECT_FLOAT_EQ(ParseManHoursFromUnit(factors, "2.5", ManDays), 20.0f);
    EXPECT_FLOAT_EQ(ParseManHoursFromUnit(factors, "1", ManYears), 1920.0f);
    EXPECT_FLOAT_EQ(ParseManHoursFromUnit(factors, "3人日", ManDays), 24.0f);
    EXPECT_FLOAT_EQ(ParseManHoursFromUnit(factors, "abc", ManMonths), 0.0f);
    EXPECT_FLOAT_EQ(ParseManHoursFromUnit(factors, "1", 9), -1.0f);
}

TEST(GeneratorTables, AnImportKeepsThisDocumentsFileNamesButTakesTheRest) {
    EnvironmentXml xml;
    pugi::xml_node environment = xml.Parse(
        "<Environment><TraceTable><ExportFileName>x</ExportFileName></TraceTable>"
        "<FlowchartTable ColumnOption=\"1\"><FileName>f</FileName><FlowchartName>p</FlowchartName></FlowchartTable>"
        "<DecisionTable FileName=\"d\" Option=\"1\" Type=\"2\"/><ExportExplanations Domain=\"1\"><FileName>e"
        "</FileName></ExportExplanations><TestSpecification><FileName>t</FileName></TestSpecification>"
        "<AttributeFileNames><ImportFileName>a</ImportFileName></AttributeFileNames></Environment>");
    FileNameSettings files{"keep1", "keep2", "keep3", "keep4", "keep5", 2};
    FlowchartNames processes;
    GeneratorOutputOptions decision{1, 1, 1, "keepD"};
    ExportExplanationsOptions explanations{"keepE", 2};
    GeneratorOutputOptions test;
    test.FileName = "keepT";
    ReadFileNameTable(environment, "TraceTable", files, false);
    ReadFlowchartTable(environment, files, processes, false);
    ReadDecisionTable(environment, decision, false);
    ReadExportExplanations(environment, explanations, false);
    ReadTestSpecification(environment, test, false);
    ReadAttributeFileNames(environment, files, false);
    EXPECT_EQ(files, (FileNameSettings{"keep1", "keep2", "keep3", "keep4", "keep5", 1}));
    EXPECT_EQ(processes[0], "p");
    EXPECT_EQ(decision, (GeneratorOutputOptions{2, 0, 1, "keepD"}));
    EXPECT_EQ(explanations, (ExportExplanationsOptions{"keepE", 1}));
    EXPECT_EQ(test.FileName, "keepT");
}

TEST(GeneratorTables, ReadDefaultsDifferFromTheResetValues) {
    EnvironmentXml xml;
    WorkTableSettings work;
    InitWorkTable(work);
    work.ImportUnit = 0;
    work.UnitDayToHour = 0.0f;
    WriteWorkTable(xml.context, xml.environment, work);
    WriteDecisionTableLayout(xml.context, xml.environment, DecisionTableLayout{0, 0, ""});
    EXPECT_NE(xml.Text().find("<TestTable><KnowledgeFolder></KnowledgeFolder></TestTable>"), std::string::npos);
    WorkTableSettings readWork;
    DecisionTableLayout readLayout;
    pugi::xml_node environment = xml.Reparsed();
    ReadWorkTable(environment, readWork);
    ReadDecisionTableLayout(environment, readLayout);
    EXPECT_EQ(readWork.ImportUnit, 1);
    EXPECT_FLOAT_EQ(readWork.UnitDayToHour, 8.0f);
    EXPECT_EQ(readLayout, (DecisionTableLayout{0, 0, ""}));

    std::string names = "<Environment><WorkTable>";
    for (int i = 0; i < 20; ++i)
        names.append("<WorkName>")
            .append(i == 0 ? QString(40, 'w').toStdString() : QString("n%1").arg(i).toStdString())
            .append("</WorkName>");
    names += "</WorkTable><IDTable/><FlowchartTable><FlowchartName>" + std::string(70, 'p') +
             "</FlowchartName></FlowchartTable></Environment>";
    environment = xml.Parse(names);
    WorkTableSettings many;
    ReadWorkTable(environment, many);
    EXPECT_EQ(many.WorkName[0], QString(32, 'w'));
    EXPECT_EQ(many.WorkName[15], "n15");
    IDTableSettings id;
    ReadIDTable(environment, id);
    EXPECT_EQ(id, (IDTableSettings{0, 0, 0, u'.', 0}));
    FileNameSettings files;
    FlowchartNames processes;
    ResetProcessNames(processes);
    ReadFlowchartTable(environment, files, processes, true);
    EXPECT_EQ(processes[0], QString(64, 'p'));
    EXPECT_EQ(processes[1], "要求定義");
    EXPECT_EQ(files.flowchartColumnOption, 0);

    EnvironmentXml three;
    ReadWorkTable(three.Parse("<Environment><WorkTable><WorkName>a</WorkName><WorkName>b</WorkName><WorkName>c"
                              "</WorkName></WorkTable></Environment>"),
                  work);
    EXPECT_EQ(work.WorkName[2], "c");
    EXPECT_EQ(work.WorkName[3], "工数4");
}
