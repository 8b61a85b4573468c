#include "model/xml/GeneratorTableElements.h"

#include "model/SettingsFields.h"
#include "model/xml/FieldTableElements.h"
#include "model/xml/XmlDocumentContext.h"

#include <algorithm>
#include <vector>

namespace {

// Hand-written: the only fractional attributes of the file, printed with six decimals.
struct FactorAttribute {
    const char* name;
    float WorkTableSettings::*factor;
    double defaultWhenMissing;
};

const std::array<FactorAttribute, 3> factorAttributes{{
    {"UnitDayToHour", &WorkTableSettings::UnitDayToHour, 8.0},
    {"UnitMonthToDay", &WorkTableSettings::UnitMonthToDay, 20.0},
    {"UnitYearToMonth", &WorkTableSettings::UnitYearToMonth, 12.0},
}};

// Fills the first names from the elements in document order; names beyond the
// elements keep their values.
template <size_t N>
void ReadNameList(pugi::xml_node element, const char* name, std::array<QString, N>& names, int maxLength) {
    const std::vector<pugi::xml_node> found = XmlFindElements(element, name);
    for (size_t i = 0; i < std::min(N, found.size()); ++i)
        names[i] = XmlGetElementText(found[i]).left(maxLength);
}

void WriteExportImportNames(XmlDocumentContext& context, pugi::xml_node element, const QString& exportName,
                            const QString& importName) {
    XmlAppendChildElement(context, element, "ExportFileName", exportName);
    XmlAppendChildElement(context, element, "ImportFileName", importName);
}

void ReadExportImportNames(pugi::xml_node parent, const char* elementName, QString& exportName, QString& importName,
                           bool wholeDocument) {
    pugi::xml_node element = XmlFindElement(parent, elementName);
    if (!element || !wholeDocument)
        return;
    exportName = XmlGetChildText(element, "ExportFileName");
    importName = XmlGetChildText(element, "ImportFileName");
}

} // namespace

void WriteDecisionTableLayout(XmlDocumentContext& context, pugi::xml_node parent, const DecisionTableLayout& layout) {
    pugi::xml_node element = XmlAppendChildElement(context, parent, "TestTable");
    WriteIntAttributes(context, element, kDecisionTableLayoutFields, layout);
    WriteTextFields(context, element, kDecisionTableLayoutTexts, layout);
}

void ReadDecisionTableLayout(pugi::xml_node parent, DecisionTableLayout& layout) {
    pugi::xml_node element = XmlFindElement(parent, "TestTable");
    if (!element)
        return;
    ReadIntAttributes(element, kDecisionTableLayoutFields, layout);
    ReadTextFields(element, kDecisionTableLayoutTexts, layout);
}

void WriteVersionControlTable(XmlDocumentContext& context, pugi::xml_node parent,
                              const VersionControlSettings& settings) {
    WriteIntAttributes(context, XmlAppendChildElement(context, parent, "VersionControlTable"), kVersionControlFields,
                       settings);
}

void ReadVersionControlTable(pugi::xml_node parent, VersionControlSettings& settings) {
    if (pugi::xml_node element = XmlFindElement(parent, "VersionControlTable"))
        ReadIntAttributes(element, kVersionControlFields, settings);
}

void WriteWorkTable(XmlDocumentContext& context, pugi::xml_node parent, const WorkTableSettings& workTable) {
    pugi::xml_node element = XmlAppendChildElement(context, parent, "WorkTable");
    for (const QString& name : workTable.WorkName)
        XmlAppendChildElement(context, element, "WorkName", name);
    WriteIntAttributes(context, element, kWorkTableFields, workTable);
    for (const FactorAttribute& factor : factorAttributes)
        XmlSetFloatAttribute(context, element, factor.name, workTable.*(factor.factor), true);
}

void ReadWorkTable(pugi::xml_node parent, WorkTableSettings& workTable) {
    pugi::xml_node element = XmlFindElement(parent, "WorkTable");
    if (!element)
        return;
    ReadNameList(element, "WorkName", workTable.WorkName, WorkTableSettings::MaxWorkNameLength);
    ReadIntAttributes(element, kWorkTableFields, workTable);
    for (const FactorAttribute& factor : factorAttributes) {
        workTable.*(factor.factor) =
            static_cast<float>(XmlGetFloatAttribute(element, factor.name, factor.defaultWhenMissing));
    }
}

void WriteFileNameTable(XmlDocumentContext& context, pugi::xml_node parent, const char* elementName,
                        const FileNameSettings& fileNames) {
    WriteExportImportNames(context, XmlAppendChildElement(context, parent, elementName), fileNames.traceExportFileName,
                           fileNames.traceImportFileName);
}

void ReadFileNameTable(pugi::xml_node parent, const char* elementName, FileNameSettings& fileNames,
                       bool wholeDocument) {
    ReadExportImportNames(parent, elementName, fileNames.traceExportFileName, fileNames.traceImportFileName,
                          wholeDocument);
}

// Hand-written: the element holds fields of two records and a list of names.
void WriteFlowchartTable(XmlDocumentContext& context, pugi::xml_node parent, const FileNameSettings& fileNames,
                         const FlowchartNames& names) {
    pugi::xml_node element = XmlAppendChildElement(context, parent, "FlowchartTable");
    XmlAppendChildElement(context, element, "FileName", fileNames.flowchartFileName);
    XmlSetIntAttribute(context, element, "ColumnOption", fileNames.flowchartColumnOption, true);
    for (const QString& name : names)
        XmlAppendChildElement(context, element, "FlowchartName", name);
}

void ReadFlowchartTable(pugi::xml_node parent, FileNameSettings& fileNames, FlowchartNames& names, bool wholeDocument) {
    pugi::xml_node element = XmlFindElement(parent, "FlowchartTable");
    if (!element)
        return;
    if (wholeDocument)
        fileNames.flowchartFileName = XmlGetChildText(element, "FileName");
    fileNames.flowchartColumnOption = static_cast<int32_t>(XmlGetIntAttribute(element, "ColumnOption", 0));
    ReadNameList(element, "FlowchartName", names, MaxFlowchartNameLength);
}

void WriteIDTable(XmlDocumentContext& context, pugi::xml_node parent, const IDTableSettings& settings) {
    WriteIntAttributes(context, XmlAppendChildElement(context, parent, "IDTable"), kIDTableFields, settings);
}

void ReadIDTable(pugi::xml_node parent, IDTableSettings& settings) {
    if (pugi::xml_node element = XmlFindElement(parent, "IDTable"))
        ReadIntAttributes(element, kIDTableFields, settings);
}

void WriteDecisionTable(XmlDocumentContext& context, pugi::xml_node parent, const GeneratorOutputOptions& options) {
    pugi::xml_node element = XmlAppendChildElement(context, parent, "DecisionTable");
    WriteTextFields(context, element, kDecisionTableTexts, options);
    WriteIntAttributes(context, element, kGeneratorOutputFields, options);
}

void ReadDecisionTable(pugi::xml_node parent, GeneratorOutputOptions& options, bool wholeDocument) {
    pugi::xml_node element = XmlFindElement(parent, "DecisionTable");
    if (!element)
        return;
    ReadTextFields(element, kDecisionTableTexts, options, wholeDocument);
    ReadIntAttributes(element, kGeneratorOutputFields, options);
}

void WriteExportExplanations(XmlDocumentContext& context, pugi::xml_node parent,
                             const ExportExplanationsOptions& options) {
    pugi::xml_node element = XmlAppendChildElement(context, parent, "ExportExplanations");
    WriteIntAttributes(context, element, kExportExplanationsFields, options);
    WriteTextFields(context, element, kExportExplanationsTexts, options);
}

void ReadExportExplanations(pugi::xml_node parent, ExportExplanationsOptions& options, bool wholeDocument) {
    pugi::xml_node element = XmlFindElement(parent, "ExportExplanations");
    if (!element)
        return;
    ReadIntAttributes(element, kExportExplanationsFields, options);
    ReadTextFields(element, kExportExplanationsTexts, options, wholeDocument);
}

void WriteTestSpecification(XmlDocumentContext& context, pugi::xml_node parent, const GeneratorOutputOptions& options) {
    XmlAppendChildElement(context, XmlAppendChildElement(context, parent, "TestSpecification"), "FileName",
                          options.FileName);
}

void ReadTestSpecification(pugi::xml_node parent, GeneratorOutputOptions& options, bool wholeDocument) {
    pugi::xml_node element = XmlFindElement(parent, "TestSpecification");
    if (element && wholeDocument)
        options.FileName = XmlGetChildText(element, "FileName");
}

void WriteAttributeFileNames(XmlDocumentContext& context, pugi::xml_node parent, const FileNameSettings& fileNames) {
    WriteExportImportNames(context, XmlAppendChildElement(context, parent, "AttributeFileNames"),
                           fileNames.attributeExportFileName, fileNames.attributeImportFileName);
}

void ReadAttributeFileNames(pugi::xml_node parent, FileNameSettings& fileNames, bool wholeDocument) {
    ReadExportImportNames(parent, "AttributeFileNames", fileNames.attributeExportFileName,
                          fileNames.attributeImportFileName, wholeDocument);
}
