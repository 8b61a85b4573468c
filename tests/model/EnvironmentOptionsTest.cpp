#include "model/DefaultSourceCodeTemplate.h"
#include "model/xml/EnvironmentOptionsElement.h"
#include "model/xml/XmlDocumentContext.h"

#include <gtest/gtest.h>

namespace {

pugi::xml_node ParseEnvironment(pugi::xml_document& document, const char* text) {
    EXPECT_TRUE(document.load_string(text, kXmlParseOptions));
    return XmlFindElement(document, "Environment");
}

} // namespace

TEST(EnvironmentOptions, EmptyEnvironmentElementTakesTheReadDefaults) {
    CEnvironmentOptions options;
    EXPECT_EQ(options.openTabWhenCreateFunction, 1);
    EXPECT_EQ(options.unNecessaryReasoningDefault, 1);
    EXPECT_EQ(options.outputSourceCodeFormat, GetDefaultSourceCodeTemplate());
    EXPECT_TRUE(GetDefaultSourceCodeTemplate().endsWith(QStringLiteral("<N>\r\n<N>")));

    options.zoom = 5;
    options.structureDiagram.boxWidth = 1;
    pugi::xml_document document;
    XmlDocumentContext context;
    ReadEnvironmentOptions(context, ParseEnvironment(document, "<Document><Environment></Environment></Document>"),
                           options);
    EXPECT_EQ(options.openTabWhenCreateFunction, 0);
    EXPECT_EQ(options.unNecessaryReasoningDefault, 0);
    EXPECT_EQ(options.enableDuplicateFunctionName, 1);
    EXPECT_EQ(options.showOutlineNumberInFnStatement, 1);
    EXPECT_EQ(options.inheritRequirementsUp, 1);
    EXPECT_EQ(options.decisionTableOutputTraceabilityRows, 1);
    EXPECT_EQ(options.synchronizeFn, 1);
    EXPECT_EQ(options.zoom, 128);
    EXPECT_EQ(options.structureDiagram.boxWidth, 160);
    EXPECT_EQ(options.structureDiagram.depthIndicatorOrigin, 1);
    // A missing template keeps the current one.
    EXPECT_EQ(options.outputSourceCodeFormat, GetDefaultSourceCodeTemplate());

    ReadEnvironmentOptions(context,
                           ParseEnvironment(document, R"(<Document><Environment EnableDuplicateFunctionName="-1"
        DecisionTableOutputTraceabilityRows="-1" StructureDiagramShowPrefix="0" Zoom="abc"/></Document>)"),
                           options);
    EXPECT_EQ(options.enableDuplicateFunctionName, 0);
    EXPECT_EQ(options.decisionTableOutputTraceabilityRows, 1);
    EXPECT_EQ(options.structureDiagram.showPrefix, 0);
    EXPECT_EQ(options.zoom, 0);

    options.zoom = 77;
    ReadEnvironmentOptions(context, ParseEnvironment(document, "<Document/>"), options);
    EXPECT_EQ(options.zoom, 77);
}

TEST(EnvironmentOptions, RoundTripAndImportKeepsTheFileNames) {
    CEnvironmentOptions written;
    written.importEnvironmentalSettingsFileName = "env.nuv";
    written.exportOutlineOrderdIndexFileName = "index.txt";
    written.outputSourceCodeFileName = "out.c";
    written.outputSourceCodeFormat = "<N>\r\nx";
    written.memberNamesAndStateNamesDefinitionExportFileName = "members.csv";
    written.distinguishPrimaryOutlineNumber = 1;
    written.openTabWhenCreateFunction = 0;
    written.synchronizeFn = 2;
    written.toolboxColumnNum = 2;
    written.structureDiagram.showDepthIndicator = 1;
    written.structureDiagram.verticalSpace = 33;

    XmlDocumentContext context;
    pugi::xml_node document = XmlAppendChildElement(context, context.document, "Document");
    WriteEnvironmentOptions(context, XmlAppendChildElement(context, document, "Environment"), written);
    EXPECT_EQ(std::string(document.child("Environment").first_attribute().name()), "StructureDiagramBoxWidth");
    EXPECT_STREQ(document.child("Environment").attribute("EnableDuplicateSiblings").value(), "0");

    CEnvironmentOptions read;
    ReadEnvironmentOptions(context, XmlFindElement(document, "Environment"), read);
    EXPECT_EQ(read.importEnvironmentalSettingsFileName, "env.nuv");
    EXPECT_EQ(read.importMemberNamesAndStateNamesFileName, "");
    EXPECT_EQ(read.exportOutlineOrderdIndexFileName, "index.txt");
    EXPECT_EQ(read.outputSourceCodeFileName, "out.c");
    EXPECT_EQ(read.outputSourceCodeFormat, "<N>\r\nx");
    EXPECT_EQ(read.memberNamesAndStateNamesDefinitionExportFileName, "members.csv");
    EXPECT_EQ(read.distinguishPrimaryOutlineNumber, 1);
    EXPECT_EQ(read.openTabWhenCreateFunction, 0);
    EXPECT_EQ(read.synchronizeFn, 2);
    EXPECT_EQ(read.toolboxColumnNum, 2);
    EXPECT_EQ(read.structureDiagram.showDepthIndicator, 1);
    EXPECT_EQ(read.structureDiagram.verticalSpace, 33);

    CEnvironmentOptions importer;
    importer.exportOutlineOrderdIndexFileName = "mine.txt";
    importer.outputSourceCodeFileName = "mine.c";
    context.wholeDocument = 0;
    ReadEnvironmentOptions(context, XmlFindElement(document, "Environment"), importer);
    EXPECT_EQ(importer.exportOutlineOrderdIndexFileName, "mine.txt");
    EXPECT_EQ(importer.importEnvironmentalSettingsFileName, "");
    EXPECT_EQ(importer.outputSourceCodeFileName, "mine.c");
    EXPECT_EQ(importer.memberNamesAndStateNamesDefinitionExportFileName, "");
    EXPECT_EQ(importer.outputSourceCodeFormat, "<N>\r\nx");
    EXPECT_EQ(importer.synchronizeFn, 2);
    EXPECT_EQ(importer.structureDiagram.verticalSpace, 33);
}
