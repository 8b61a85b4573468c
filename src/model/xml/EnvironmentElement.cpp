#include "model/xml/EnvironmentElement.h"

#include "model/DocumentData.h"
#include "model/GeneratorTables.h"
#include "model/RuleVocabularyTables.h"
#include "model/SentenceSettings.h"
#include "model/SettingsFields.h"
#include "model/ViewLayoutTables.h"
#include "model/xml/EnvironmentOptionsElement.h"
#include "model/xml/FieldTableElements.h"
#include "model/xml/FontInfoElement.h"
#include "model/xml/FontTableElement.h"
#include "model/xml/GeneratorTableElements.h"
#include "model/xml/PrintSettingsElement.h"
#include "model/xml/RuleVocabularyElements.h"
#include "model/xml/SentenceSettingsElement.h"
#include "model/xml/SettingsTableElements.h"
#include "model/xml/ViewLayoutElements.h"
#include "model/xml/XmlDocumentContext.h"

void WriteEnvironmentElement(XmlDocumentContext& context, pugi::xml_node documentElement) {
    const CDocumentData& data = *context.documentData;
    pugi::xml_node environment = XmlAppendChildElement(context, documentElement, "Environment");
    WriteTextFields(context, environment, kEnvironmentTitleField, data.documentHeader);
    WriteFontInfoElement(context, environment, data.fonts, data.recentFontFaces);
    WriteTitleTable(context, environment, data.TitleTable);
    WriteSyntaxSymbolTable(context, environment, data.SyntaxSymbols);
    WriteFunctionAttributeTable(context, environment, data.FunctionAttributes);
    WriteAuxiliaryVerbTable(context, environment, data.AuxiliaryVerbs);
    WriteLogicAreaSettings(context, environment, data.FAreaTable);
    WriteIndexViewTable(context, environment, data.indexViewSettings);
    WriteVeskTable(context, environment, data.lineMarkTable);
    WriteFuzzwordTable(context, environment, data.fuzzwords);
    WriteOutputView(context, environment, data.fonts.columnFont);
    WriteHeaderIOSettings(context, environment, data.headerIOSettings);
    WriteDecisionTableLayout(context, environment, data.TestTable);
    WriteVersionControlTable(context, environment, data.VersionControlTable);
    WriteWorkTable(context, environment, data.WorkTable);
    WriteFileNameTable(context, environment, "TraceTable", data.fileNames);
    WriteInconsistencyTable(context, environment, data.intraMemberConsistencyRules, data.inconsistencyRules);
    WriteFlowchartTable(context, environment, data.fileNames, data.FlowchartName);
    WriteNaturalSentenceConfiguration(context, environment, data.naturalSentenceWords);
    WriteIntAttributes(context, environment, kEnvironmentFields, data);
    WriteQuantifierSettings(context, environment, data.quantifiers);
    WriteParticleSettings(context, environment, data.particles);
    WritePrintSettingsElement(context, environment, data.printSettings, data.selectedPrintout);
    WriteSimilar(context, environment, data.similarWords);
    WriteDecisionTable(context, environment, data.decisionTableOptions);
    WriteIDTable(context, environment, data.IDTable);
    WriteExportExplanations(context, environment, data.exportExplanationsOptions);
    WriteTestSpecification(context, environment, data.testSpecificationOptions);
    WriteAttributeFileNames(context, environment, data.fileNames);
    WriteEnvironmentOptions(context, environment, data.environment);
}

void ReadEnvironmentElement(XmlDocumentContext& context, pugi::xml_node parent) {
    if (const pugi::xml_node environment = XmlFindElement(parent, "Environment"))
        ReadEnvironmentElement(context, environment, XmlFindElement(parent, "MemoText"));
}

void ReadEnvironmentElement(XmlDocumentContext& context, pugi::xml_node environment, pugi::xml_node memoText) {
    CDocumentData& data = *context.documentData;
    const bool wholeDocument = context.wholeDocument != 0;
    ReadTextFields(environment, kEnvironmentTitleField, data.documentHeader, wholeDocument);
    ReadFontInfoElement(environment, data.fonts, data.recentFontFaces);
    ReadTitleTable(environment, data.TitleTable);
    ReadSyntaxSymbolTable(environment, data.SyntaxSymbols, data.fonts.columnFont);
    ReadFunctionAttributeTable(environment, data.FunctionAttributes);
    ReadAuxiliaryVerbTable(environment, data.AuxiliaryVerbs);
    ReadLogicAreaSettings(environment, data.FAreaTable);
    ReadIndexViewTable(environment, data.indexViewSettings);
    ReadVeskTable(environment, data.lineMarkTable);
    ReadFuzzwordTable(environment, data.fuzzwords);
    ReadOutputView(environment, data.fonts.columnFont);
    ReadHeaderIOSettings(environment, data.headerIOSettings);
    ReadDecisionTableLayout(environment, data.TestTable);
    ReadVersionControlTable(environment, data.VersionControlTable);
    ReadWorkTable(environment, data.WorkTable);
    ReadFileNameTable(environment, "TraceTable", data.fileNames, wholeDocument);
    ReadInconsistencyTable(environment, data.intraMemberConsistencyRules, data.inconsistencyRules);
    ReadFlowchartTable(environment, data.fileNames, data.FlowchartName, wholeDocument);
    ReadNaturalSentenceConfiguration(environment, data.naturalSentenceWords, data.documentLanguage);
    ReadIntAttributes(environment, kEnvironmentFields, data);
    ReadQuantifierSettings(environment, data.quantifiers);
    ReadParticleSettings(environment, data.particles, data.documentLanguage);
    // The title page's line holds the document title's beginning: another document's does not come with its
    // print settings. The title itself is the "Title" attribute alone.
    PrintTitleLine& titleLine = data.printSettings.titleLines[PrintSettings::DocumentTitle];
    const QString ownTitleLine = titleLine.text;
    ReadPrintSettingsElement(environment, data.printSettings, data.selectedPrintout);
    if (!wholeDocument)
        titleLine.text = ownTitleLine;
    ReadSimilar(environment, data.similarWords);
    ReadDecisionTable(environment, data.decisionTableOptions, wholeDocument);
    ReadIDTable(environment, data.IDTable);
    // The notes font sits in the document's "MemoText", beside this element.
    if (memoText)
        ReadFontTable(memoText, "Font", data.memoFont);
    ReadExportExplanations(environment, data.exportExplanationsOptions, wholeDocument);
    ReadTestSpecification(environment, data.testSpecificationOptions, wholeDocument);
    ReadAttributeFileNames(environment, data.fileNames, wholeDocument);
    ReadEnvironmentOptions(context, environment, data.environment);
}
