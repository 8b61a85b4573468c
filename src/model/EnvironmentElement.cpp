#include "model/EnvironmentElement.h"

#include "app/DocumentData.h"
#include "model/FontInfoElement.h"
#include "model/FontTableElement.h"
#include "model/RecentFontFaces.h"
#include "model/SettingsTableElements.h"
#include "model/XmlDocumentContext.h"

void WriteEnvironmentElement(XmlDocumentContext& context, pugi::xml_node documentElement) {
    const CDocumentData& data = *context.documentData;
    pugi::xml_node environment = XmlAppendChildElement(context, documentElement, "Environment");
    XmlSetAttribute(context, environment, "Title", data.documentHeader.Title, true);
    WriteFontInfoElement(context, environment, data.fonts, CRecentFontFaces::Faces());
    // "TitleTable" follows "FontInfo".
    WriteSyntaxSymbolTable(context, environment, data.SyntaxSymbols);
    WriteFunctionAttributeTable(context, environment, data.FunctionAttributes);
    WriteAuxiliaryVerbTable(context, environment, data.AuxiliaryVerbs);
    WriteLogicAreaSettings(context, environment, data.FAreaTable);
    // Then, in this order: "IndexViewTable", "VeskTable", "FuzzwordTable", "OutputView", "HeaderIOSettings",
    // "TestTable", "VersionControlTable", "WorkTable", "TraceTable", "InconsistencyTable", "FlowchartTable",
    // "NaturalSentenceConfiguration".
    XmlSetIntAttribute(context, environment, "MaximumNumberOfTabs", data.MaximumNumberOfTabs, false);
    XmlSetIntAttribute(context, environment, "AutoSaveOnOff", data.AutoSaveOnOff, false);
    XmlSetIntAttribute(context, environment, "AutoSaveInterval", data.AutoSaveInterval, false);
    // Then: "QuantifierSettings", "ParticleSettings", "PrintSettings", "Similar", "DecisionTable", "IDTable",
    // "ExportExplanations", "TestSpecification", "AttributeFileNames".
    data.environment.WriteXml(context, environment);
}

void ReadEnvironmentElement(XmlDocumentContext& context, pugi::xml_node parent) {
    const pugi::xml_node environment = XmlFindElement(parent, "Environment");
    if (!environment)
        return;
    CDocumentData& data = *context.documentData;
    if (context.wholeDocument)
        data.documentHeader.Title = XmlGetAttribute(environment, "Title").left(DocumentHeader::MaxTitleLength);
    ReadFontInfoElement(environment, data.fonts, CRecentFontFaces::Faces());
    // "TitleTable".
    ReadSyntaxSymbolTable(environment, data.SyntaxSymbols, data.fonts.columnFont);
    ReadFunctionAttributeTable(environment, data.FunctionAttributes);
    ReadAuxiliaryVerbTable(environment, data.AuxiliaryVerbs);
    ReadLogicAreaSettings(environment, data.FAreaTable);
    // "IndexViewTable" to "NaturalSentenceConfiguration", as written.
    data.MaximumNumberOfTabs = static_cast<int>(XmlGetIntAttribute(environment, "MaximumNumberOfTabs", 10));
    data.AutoSaveOnOff = static_cast<int>(XmlGetIntAttribute(environment, "AutoSaveOnOff", 0));
    data.AutoSaveInterval = static_cast<int>(XmlGetIntAttribute(environment, "AutoSaveInterval", 10));
    // "QuantifierSettings" to "IDTable".
    // The notes font sits in the document's "MemoText", beside this element.
    if (const pugi::xml_node memo = XmlFindElement(parent, "MemoText"))
        ReadFontTable(memo, "Font", data.memoFont);
    // "ExportExplanations", "TestSpecification", "AttributeFileNames".
    data.environment.ReadXml(context, parent);
}
