#include "model/DocumentData.h"
#include "model/StandardColours.h"
#include "model/xml/EnvironmentElement.h"
#include "model/xml/FontInfoElement.h"
#include "model/xml/FontTableElement.h"
#include "model/xml/HeaderElement.h"
#include "model/xml/SettingsTableElements.h"
#include "model/xml/UnitFunctionElements.h"
#include "model/xml/XmlDocumentContext.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::string Xml(pugi::xml_node node) {
    std::ostringstream out;
    node.print(out, "", pugi::format_raw | pugi::format_no_empty_element_tags);
    return out.str();
}

pugi::xml_node Parse(pugi::xml_document& document, const std::string& text) {
    EXPECT_TRUE(document.load_string(text.c_str(), kXmlParseOptions)) << text;
    return document.first_child();
}

class DocumentElements : public ::testing::Test {
protected:
    pugi::xml_node Root() { return XmlAppendChildElement(m_context, m_context.document, "Function"); }

    XmlDocumentContext m_context;
};

} // namespace

TEST_F(DocumentElements, ContentOfMoreThan1024CharactersIsStoredTwice) {
    CUnitFunction function;
    function.header.contentText = QString(1024, QChar(0x3042));
    function.header.objectData = QByteArray("\x01\x02", 2);
    function.header.objectOriginalSize = 7;
    pugi::xml_node element = Root();
    WriteHeaderElement(function, m_context, element, QString());
    pugi::xml_node header = element.child("Header");
    EXPECT_FALSE(header.child("FunctionContents2"));
    EXPECT_EQ(Xml(header.child("FunctionContents").child("Object")),
              R"(<Object Size="2" OriginalSize="7">AQI=</Object>)");

    function.header.contentText += QLatin1Char('x');
    element = Root();
    WriteHeaderElement(function, m_context, element, QString());
    header = element.child("Header");
    EXPECT_EQ(XmlGetElementText(header.child("FunctionContents")).size(), 1024);
    EXPECT_FALSE(header.child("FunctionContents").child("Object"));
    EXPECT_EQ(XmlGetElementText(header.child("FunctionContents2")).size(), 1025);
    EXPECT_TRUE(header.child("FunctionContents2").child("Object"));

    CUnitFunction read;
    ReadHeaderElement(read, IndexFunctionElement(element));
    EXPECT_EQ(read.header.contentText, function.header.contentText);
    EXPECT_EQ(read.header.objectData, function.header.objectData);
    EXPECT_EQ(read.header.objectOriginalSize, 7u);
}

TEST_F(DocumentElements, AnObjectOfFourGigabytesOrMoreKeepsItsOriginalSize) {
    for (const quint64 size : {quint64(1) << 32, (quint64(1) << 32) + 5, quint64(1) << 40}) {
        CUnitFunction function;
        function.header.objectData = QByteArray("\x01\x02", 2);
        function.header.objectOriginalSize = size;
        const pugi::xml_node element = Root();
        WriteHeaderElement(function, m_context, element, QString());
        CUnitFunction read;
        ReadHeaderElement(read, IndexFunctionElement(element));
        EXPECT_EQ(read.header.objectOriginalSize, size);
        EXPECT_EQ(read.header.objectData, function.header.objectData) << size;
    }
}

TEST_F(DocumentElements, HeaderReadKeepsWhatTheFileDoesNotHoldAndTheNameOnlyInTheOlderFormat) {
    CUnitFunction function;
    function.name = QStringLiteral("名前");
    function.header.workItems[5].ShowCurrent = 2.0f;
    pugi::xml_node element = Root();
    WriteHeaderElement(function, m_context, element, QStringLiteral("1.2"));
    CUnitFunction read;
    read.header.workItems[9].Under = 4.0f;
    ReadHeaderElement(read, IndexFunctionElement(element));
    EXPECT_EQ(read.header.workItems[5].ShowCurrent, 2.0f);
    EXPECT_EQ(read.header.workItems[9].Under, 4.0f); // beyond the stored items
    EXPECT_TRUE(read.name.isEmpty());

    m_context.olderFormat = 1;
    element = Root();
    WriteHeaderElement(function, m_context, element, QStringLiteral("1.2"));
    EXPECT_STREQ(element.child("Header").attribute("ID").value(), "#1.2");
    ReadHeaderElement(read, IndexFunctionElement(element));
    EXPECT_EQ(read.name, function.name);
}

TEST_F(DocumentElements, HeaderReadDefaultsAndCuts) {
    pugi::xml_document document;
    CUnitFunction read;
    ReadHeaderElement(
        read, IndexFunctionElement(Parse(
                  document, R"(<Function><Header><FunctionContents>only<FontTable Name="Font" Size="90">F</FontTable>
        <Object>AQI=</Object></FunctionContents><WorkNum Type="1234567890123456789012345" Unit="0"/>
        <UnNecessaryReasoning>true</UnNecessaryReasoning><Request></Request></Header></Function>)")));
    EXPECT_EQ(read.header.contentText, "only");
    EXPECT_EQ(read.header.contentFont.pointSize, 90);
    EXPECT_TRUE(read.header.objectData.isEmpty()); // no OriginalSize
    EXPECT_EQ(read.header.Type, "12345678901234567890");
    EXPECT_EQ(read.header.Unit, 0);
    EXPECT_EQ(read.header.UnNecessaryReasoning, 0);
    EXPECT_TRUE(read.header.ownRequirements.empty());
    EXPECT_EQ(read.header.FunctionHeight, 72);
    EXPECT_EQ(read.header.FunctionWidth, 350);
}

TEST_F(DocumentElements, SparseSlotsAndUrlsAreWrittenInPlaceAndReadBackPacked) {
    CLogicLine sparse;
    sparse.lineKind = SyntaxComment;
    sparse.textSlots[2].text = QStringLiteral("third");
    sparse.SetUrl(1, QStringLiteral("u2"));
    sparse.SetUrl(2, QStringLiteral("u3"));
    pugi::xml_node element = Root();
    WriteLineElement(m_context, element, sparse, nullptr);
    EXPECT_EQ(Xml(element.child("Line")), R"(<Line ConstNo="10"><InputStr></InputStr><InputStr></InputStr>)"
                                          R"(<InputStr>third</InputStr><URL>u2</URL><URL>u3</URL></Line>)");

    CUnitFunction function;
    function.logicLines.push_back(std::make_unique<CLogicLine>(sparse));
    element = Root();
    SaveFunctionXml(function, m_context, element, nullptr, QString());
    CUnitFunctionRegistry registry;
    CUnitFunction read;
    LoadFunctionXml(read, registry, element);
    ASSERT_EQ(read.logicLines.size(), 1u); // the explanation's line is not a logic line
    EXPECT_EQ(read.logicLines[0]->textSlots[2].text, "third");
    EXPECT_EQ(read.logicLines[0]->Urls()[0], "u2");
    EXPECT_EQ(read.logicLines[0]->Urls()[1], "u3");
    EXPECT_EQ(read.logicLines[0]->Urls()[2], "");
}

TEST_F(DocumentElements, LineReaderCutsTextsAndIgnoresExplanationLines) {
    const std::string long300(300, 'm');
    pugi::xml_document document;
    const pugi::xml_node element =
        Parse(document, R"(<Function Line="5"><Line ReuseInternalID="9" InternalID="3">)"
                        R"(<Memo>)" +
                            long300 + R"(</Memo><URL>)" + long300 + R"(</URL><InputStr>)" + long300 +
                            R"(</InputStr></Line>)"
                            R"(<Line ConstNo="99"/><Explanation><Line>text</Line>)"
                            R"(</Explanation></Function>)");
    CUnitFunctionRegistry registry;
    CUnitFunction read;
    LoadFunctionXml(read, registry, element);
    ASSERT_EQ(read.logicLines.size(), 2u);
    EXPECT_EQ(read.logicLines[0]->calledInternalID, 9u);
    EXPECT_EQ(read.logicLines[0]->Memo().size(), 255);
    EXPECT_EQ(read.logicLines[0]->Urls()[0].size(), 255);
    EXPECT_EQ(read.logicLines[0]->textSlots[0].text.size(), 256);
    EXPECT_EQ(read.logicLines[1]->lineKind, SyntaxNone);

    CUnitFunction none;
    LoadFunctionXml(none, registry, Parse(document, "<Function><Line ConstNo=\"1\"/></Function>"));
    EXPECT_TRUE(none.logicLines.empty());
}

TEST_F(DocumentElements, RegistryReaderCopesWithBrokenReferences) {
    pugi::xml_document document;
    CUnitFunctionRegistry registry;
    LoadRegistryXml(registry, Parse(document, R"(<FunctionHolder Root="77">
        <Function InternalID="5" Line="1"><Name>first</Name><Child Descriptor="6"/><Child Descriptor="99"/><Line ConstNo="9"/></Function>
        <Function InternalID="6"><Name>second</Name></Function>
        <Function InternalID="5" Line="1"><Name>again</Name><Child Descriptor="6"/><Line ConstNo="9"/></Function>
        </FunctionHolder>)"));
    // The second "5" is kept under an InternalID of its own.
    ASSERT_EQ(registry.Count(), 3);
    ASSERT_NE(registry.origin, nullptr);
    EXPECT_EQ(registry.origin->InternalID, 5u);
    EXPECT_EQ(registry.origin->name, "first");
    EXPECT_EQ(registry.origin->children.size(), 1u);
    EXPECT_EQ(registry.origin->logicLines.size(), 1u);
    EXPECT_EQ(registry.FindByInternalID(6)->primaryParent, registry.origin);
    const CUnitFunction* again = registry.FindByName("again");
    ASSERT_NE(again, nullptr);
    EXPECT_NE(again->InternalID, 5u);
    EXPECT_EQ(again->children, std::vector<CUnitFunction*>{registry.FindByInternalID(6)});
}

TEST_F(DocumentElements, RegistryReaderTakesThePrimaryParentWhileItHoldsTheUnitFunction) {
    pugi::xml_document document;
    CUnitFunctionRegistry registry;
    LoadRegistryXml(registry, Parse(document, R"(<FunctionHolder Root="1">
        <Function InternalID="1"><Child Descriptor="2"/><Child Descriptor="3"/></Function>
        <Function InternalID="2" PrimaryParent="4"><Child Descriptor="4"/></Function>
        <Function InternalID="3" PrimaryParent="1"><Child Descriptor="4"/></Function>
        <Function InternalID="4" PrimaryParent="3"/>
        </FunctionHolder>)"));
    ASSERT_EQ(registry.Count(), 4);
    EXPECT_EQ(registry.FindByInternalID(4)->primaryParent, registry.FindByInternalID(3));
    EXPECT_EQ(registry.FindByInternalID(3)->primaryParent, registry.origin);
    EXPECT_EQ(registry.FindByInternalID(2)->primaryParent, registry.origin) << "4 is none of its parents";
}

TEST_F(DocumentElements, FontTablesOmitTheDefaultAndKeepUnsignedColours) {
    pugi::xml_node parent = Root();
    WriteFontTable(m_context, parent, "Font", FontSetting());
    EXPECT_FALSE(parent.first_child());
    FontSetting font;
    font.colourIndex = 1;
    font.colour = 0xFFFFFFFF;
    WriteFontTable(m_context, parent, "Font", font);
    EXPECT_EQ(Xml(parent.first_child()), R"(<FontTable Name="Font" Size="105" Color="4294967295" Bold="0" )"
                                         R"(Italic="0" UnderLine="0" ColorNo="1">Times New Roman</FontTable>)");
    FontSetting read;
    EXPECT_TRUE(ReadFontTable(parent, "Font", read));
    EXPECT_EQ(read, font);

    pugi::xml_document document;
    const pugi::xml_node owner =
        Parse(document, R"(<Owner><Inner><FontTable Name="Key" Bold="1">First</FontTable></Inner>
        <FontTable Name="Key" Size="120">Second</FontTable></Owner>)");
    EXPECT_TRUE(ReadFontTable(owner, "Key", read));
    EXPECT_EQ(read.faceName, "First");
    EXPECT_EQ(read.pointSize, 0); // a missing size is 0, not 105
    EXPECT_EQ(read.bold, 1);
    EXPECT_FALSE(ReadFontTable(owner, "Other", read));
    EXPECT_EQ(read, FontSetting());
}

TEST_F(DocumentElements, SyntaxTableIsPaddedAndOldDefaultFontsTurnBlueAndBold) {
    FontSetting column;
    column.pointSize = 90;
    pugi::xml_document document;
    const pugi::xml_node environment = Parse(document, R"(<Environment><Construction Num="20">
        <Data ID="1" Column="9" Indent="2" Simple="ABC">)" +
                                                           std::string(70, 'k') + R"(</Data>
        <Data ID="2"><FontTable Name="Font" Size="100">Face</FontTable>if</Data></Construction>
        <TypeTable Num="3"><Data ID="1">SYMBOL<Details>)" + std::string(200, 'd') +
                                                           R"(</Details></Data>
        <Data ID="2">S2</Data></TypeTable><AuVerbTable Num="0"><Data ID="1">x</Data></AuVerbTable>
        <FAreaTable/></Environment>)");
    std::vector<SyntaxSymbol> symbols;
    ReadSyntaxSymbolTable(environment, symbols, column);
    ASSERT_EQ(symbols.size(), 15u);
    EXPECT_EQ(symbols[0].keyword.size(), 64);
    EXPECT_EQ(symbols[0].Simple, "AB");
    EXPECT_EQ(symbols[0].Column, 9);
    EXPECT_EQ(symbols[0].font.colour, kStandardColours[9]);
    EXPECT_EQ(symbols[0].font.colourIndex, 9);
    EXPECT_EQ(symbols[0].font.bold, 1);
    EXPECT_EQ(symbols[1].font.faceName, "Face");
    EXPECT_EQ(symbols[1].font.bold, 0);
    EXPECT_EQ(symbols[14], SyntaxSymbol::GetDefault(14, column));
    EXPECT_EQ(symbols[14].keyword, "Transit State");
    EXPECT_EQ(symbols[14].font.colour, kStandardColours[2]);

    std::vector<FunctionAttribute> attributes;
    ReadFunctionAttributeTable(environment, attributes);
    ASSERT_EQ(attributes.size(), 2u);
    EXPECT_EQ(attributes[0].symbol, "SYMB");
    EXPECT_EQ(attributes[0].details.size(), 128);
    std::vector<AuxiliaryVerb> verbs = AuxiliaryVerb::GetDefaults();
    ReadAuxiliaryVerbTable(environment, verbs);
    EXPECT_TRUE(verbs.empty());
    LogicAreaSettings area;
    ReadLogicAreaSettings(environment, area);
    EXPECT_EQ(area.IfLineDisp, 0);
    EXPECT_EQ(area.IfLineColor1, 0);
    EXPECT_EQ(area.ModifyColor, 10);
    EXPECT_EQ(area.IsDispLineNum, 0);

    // A symbol whose font is the plain default comes back as it was.
    symbols[3].font = FontSetting();
    symbols[3].Simple.clear();
    pugi::xml_node written = Root();
    WriteSyntaxSymbolTable(m_context, written, symbols);
    EXPECT_FALSE(XmlFindElements(written, "Data")[3].attribute("Simple"));
    std::vector<SyntaxSymbol> reread;
    ReadSyntaxSymbolTable(written, reread, column);
    EXPECT_EQ(reread, symbols);
}

TEST_F(DocumentElements, FontInfoReplacesTheFontsAndTheFaceList) {
    DocumentFonts fonts;
    fonts.LogicFont.pointSize = 200;
    QStringList faces{"keep"};
    pugi::xml_document document;
    ReadFontInfoElement(Parse(document, "<Environment/>"), fonts, faces);
    EXPECT_EQ(fonts.LogicFont.pointSize, 200);
    EXPECT_EQ(faces, QStringList{"keep"});
    ReadFontInfoElement(Parse(document, "<E><FontInfo/></E>"), fonts, faces);
    EXPECT_EQ(fonts.LogicFont, FontSetting());
    EXPECT_TRUE(faces.isEmpty());
    ReadFontInfoElement(
        Parse(document, "<E><FontInfo><FontMRU>1</FontMRU><FontMRU>2</FontMRU><FontMRU>3</FontMRU><FontMRU>4</FontMRU>"
                        "<FontMRU>5</FontMRU><FontMRU>6</FontMRU></FontInfo></E>"),
        fonts, faces);
    EXPECT_EQ(faces, (QStringList{"1", "2", "3", "4"}));
}

TEST_F(DocumentElements, EnvironmentElementReadDefaults) {
    CDocumentData data;
    data.SetDefaults();
    EXPECT_EQ(data.MaximumNumberOfTabs, 3);
    data.memoFont.pointSize = 1;
    XmlDocumentContext context(&data);
    pugi::xml_document document;
    ReadEnvironmentElement(context, Parse(document, "<Document/>"));
    EXPECT_EQ(data.memoFont.pointSize, 1);
    EXPECT_EQ(data.MaximumNumberOfTabs, 3);

    ReadEnvironmentElement(context, Parse(document, "<Document><Environment Title=\"" + std::string(300, 't') +
                                                        "\"/><MemoText/></Document>"));
    EXPECT_EQ(data.documentHeader.Title.size(), 256);
    EXPECT_EQ(data.MaximumNumberOfTabs, 10);
    EXPECT_EQ(data.AutoSaveInterval, 10);
    EXPECT_EQ(data.memoFont, FontSetting());
    EXPECT_EQ(data.SyntaxSymbols.size(), 15u); // tables without elements keep the new-document ones

    data.documentHeader.Title.clear();
    WriteEnvironmentElement(context, XmlAppendChildElement(context, context.document, "Document"));
    EXPECT_FALSE(context.document.child("Document").child("Environment").attribute("Title"));
}

// The document title is the "Title" attribute alone: a document without one has an empty title whatever its title
// page says, and writes none back.
TEST_F(DocumentElements, ADocumentWithoutATitleAttributeHasAnEmptyTitle) {
    CDocumentData data;
    data.SetDefaults();
    XmlDocumentContext context(&data);
    pugi::xml_document document;
    const std::string titleOnly = "<Document><Environment><PrintSettings><PSTitle><PSPoint Name=\"Title\">表紙の題"
                                  "</PSPoint></PSTitle></PrintSettings></Environment></Document>";
    ReadEnvironmentElement(context, Parse(document, titleOnly));
    EXPECT_EQ(data.documentHeader.Title, QString());
    EXPECT_EQ(data.printSettings.titleLines[PrintSettings::DocumentTitle].text, QStringLiteral("表紙の題"));
    WriteEnvironmentElement(context, XmlAppendChildElement(context, context.document, "Document"));
    EXPECT_FALSE(context.document.child("Document").child("Environment").attribute("Title"));

    // A title of its own is read, and the environment of another document changes neither.
    data.SetDocumentTitle(QString(30, u'x'));
    EXPECT_EQ(data.printSettings.titleLines[PrintSettings::DocumentTitle].text, QString(24, u'x'));
    context.wholeDocument = 0;
    ReadEnvironmentElement(context, Parse(document, titleOnly));
    EXPECT_EQ(data.documentHeader.Title, QString(30, u'x'));
    EXPECT_EQ(data.printSettings.titleLines[PrintSettings::DocumentTitle].text, QString(24, u'x'));
    context.wholeDocument = 1;
    ReadEnvironmentElement(context, Parse(document, "<Document><Environment Title=\"仕様書\"><PrintSettings><PSTitle>"
                                                    "<PSPoint Name=\"Title\">表紙</PSPoint></PSTitle></PrintSettings>"
                                                    "</Environment></Document>"));
    EXPECT_EQ(data.documentHeader.Title, QStringLiteral("仕様書"));
}

TEST_F(DocumentElements, NewDocumentDefaults) {
    CDocumentData data;
    EXPECT_EQ(data.DataReady, 0);
    EXPECT_TRUE(data.SyntaxSymbols.empty());
    data.SetDefaults();
    data.SetDefaults();
    EXPECT_EQ(data.DataReady, 1);
    EXPECT_EQ(data.registry.Count(), 2); // the registry is not emptied; the reader does that
    EXPECT_EQ(data.indexRoot.unitFunction, data.registry.origin);
    // The second call replaces the tables rather than adding to them.
    EXPECT_EQ(data.SyntaxSymbols.size(), 15u);
    EXPECT_EQ(data.FunctionAttributes.size(), 2u);
    EXPECT_EQ(data.AuxiliaryVerbs.size(), 5u);
    EXPECT_EQ(data.nextVersionNumber, 1);
    EXPECT_EQ(data.registry.origin->header.UnNecessaryReasoning, 1);
    const ModelOptions options = data.GetModelOptions();
    EXPECT_EQ(options.fnKeyword, "Fn");
    EXPECT_EQ(options.fnSymbolColumn, 5);
    data.Clear();
    data.Clear();
    EXPECT_EQ(data.DataReady, 0);
    EXPECT_TRUE(data.AuxiliaryVerbs.empty());
}
