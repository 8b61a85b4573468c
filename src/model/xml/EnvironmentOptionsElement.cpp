#include "model/xml/EnvironmentOptionsElement.h"

#include "model/xml/XmlDocumentContext.h"

namespace {

// How a stored number becomes the field: switches of the options are on when the number is greater than
// 0, the traceability switch whenever it is not 0.
enum class Kind { Number, PositiveSwitch, NonZeroSwitch };

template <class Record> struct IntField {
    const char* key;
    Kind kind;
    qint64 readDefault;
    std::uint8_t Record::*flag;
    int Record::*number;

    qint64 Get(const Record& record) const { return flag ? record.*flag : record.*number; }
    void Read(Record& record, pugi::xml_node element) const {
        const qint64 value = XmlGetIntAttribute(element, key, readDefault);
        if (kind == Kind::Number)
            record.*number = static_cast<int>(value);
        else
            record.*flag = kind == Kind::PositiveSwitch ? value > 0 : value != 0;
    }
};

using DiagramField = IntField<StructureDiagramSettings>;
using S = StructureDiagramSettings;
const DiagramField kDiagramFields[] = {
    {"StructureDiagramBoxWidth", Kind::Number, 160, nullptr, &S::boxWidth},
    {"StructureDiagramBoxHeight", Kind::Number, 43, nullptr, &S::boxHeight},
    {"StructureDiagramHorizontalSpace", Kind::Number, 20, nullptr, &S::horizontalSpace},
    {"StructureDiagramVerticalSpace", Kind::Number, 20, nullptr, &S::verticalSpace},
    {"StructureDiagramDefaultZoom", Kind::Number, 100, nullptr, &S::defaultZoom},
    {"StructureDiagramShowPrefix", Kind::PositiveSwitch, 1, &S::showPrefix, nullptr},
    {"StructureDiagramShowPostfix", Kind::PositiveSwitch, 1, &S::showPostfix, nullptr},
    {"StructureDiagramShowDepthIndicator", Kind::PositiveSwitch, 0, &S::showDepthIndicator, nullptr},
    {"StructureDiagramDepthIndicatorOrigin", Kind::Number, 1, nullptr, &S::depthIndicatorOrigin},
};

// The read defaults differ from the new-document ones for OpenTabWhenCreateFunction and
// UnNecessaryReasoningDefault: a file without them reads them as off.
using OptionField = IntField<CEnvironmentOptions>;
using E = CEnvironmentOptions;
const OptionField kOptionFields[] = {
    {"EnableDuplicateFunctionName", Kind::PositiveSwitch, 1, &E::enableDuplicateFunctionName, nullptr},
    {"OpenTabWhenCreateFunction", Kind::PositiveSwitch, 0, &E::openTabWhenCreateFunction, nullptr},
    {"DistinguishPrimaryOutlineNumber", Kind::PositiveSwitch, 0, &E::distinguishPrimaryOutlineNumber, nullptr},
    {"ShowOutlineNumberInOutlineNumberOrderdIndex", Kind::PositiveSwitch, 1,
     &E::showOutlineNumberInOutlineNumberOrderdIndex, nullptr},
    {"ShowOutlineNumberInFnStatement", Kind::PositiveSwitch, 1, &E::showOutlineNumberInFnStatement, nullptr},
    {"ShowOutlineNumberInTabTitle", Kind::PositiveSwitch, 1, &E::showOutlineNumberInTabTitle, nullptr},
    {"ShowPrefixInOutlineNumberOrderdIndex", Kind::PositiveSwitch, 1, &E::showPrefixInOutlineNumberOrderdIndex,
     nullptr},
    {"ShowPostfixInOutlineNumberOrderdIndex", Kind::PositiveSwitch, 1, &E::showPostfixInOutlineNumberOrderdIndex,
     nullptr},
    {"UnNecessaryReasoningDefault", Kind::PositiveSwitch, 0, &E::unNecessaryReasoningDefault, nullptr},
    {"EnableDuplicateSiblings", Kind::PositiveSwitch, 0, &E::enableDuplicateSiblings, nullptr},
    {"InheritRequirementsDown", Kind::PositiveSwitch, 1, &E::inheritRequirementsDown, nullptr},
    {"InheritRequirementsUp", Kind::PositiveSwitch, 1, &E::inheritRequirementsUp, nullptr},
    {"SynchronizeFn", Kind::Number, 1, nullptr, &E::synchronizeFn},
    {"IndexMenuLevel", Kind::Number, 0, nullptr, &E::indexMenuLevel},
    {"Zoom", Kind::Number, 128, nullptr, &E::zoom},
    {"ToolboxColumnNum", Kind::Number, 0, nullptr, &E::toolboxColumnNum},
    {"DecisionTableAntecedentOrder", Kind::Number, 0, nullptr, &E::decisionTableAntecedentOrder},
    {"DecisionTableConsequentOrder", Kind::Number, 0, nullptr, &E::decisionTableConsequentOrder},
    {"DecisionTableOutputTraceabilityRows", Kind::NonZeroSwitch, 1, &E::decisionTableOutputTraceabilityRows, nullptr},
};

// The remembered file names that sit in a "FileName" child of their own element.
struct FileNameElement {
    const char* name;
    QString CEnvironmentOptions::*field;
};
const FileNameElement kFileNameElements[] = {
    {"ImportEnvironmentalSettings", &E::importEnvironmentalSettingsFileName},
    {"ImportMemberNamesAndStateNames", &E::importMemberNamesAndStateNamesFileName},
    {"ExportMemberNamesAndStateNames", &E::exportMemberNamesAndStateNamesFileName},
    {"ExportOutlineOrderdIndex", &E::exportOutlineOrderdIndexFileName},
};

} // namespace

void ReadEnvironmentOptions(const XmlDocumentContext& context, pugi::xml_node environment,
                            CEnvironmentOptions& options) {
    if (!environment)
        return;
    for (const DiagramField& field : kDiagramFields)
        field.Read(options.structureDiagram, environment);
    for (const FileNameElement& element : kFileNameElements) {
        const pugi::xml_node found = XmlFindElement(environment, element.name);
        if (found && context.wholeDocument)
            options.*element.field = XmlGetChildText(found, "FileName");
    }
    if (context.wholeDocument)
        options.outputSourceCodeFileName = XmlGetChildText(environment, "OutputSourceCodeFileName");
    // A document without a template keeps the current one: an environment import must not wipe it.
    if (const pugi::xml_node format = XmlFindElement(environment, "OutputSourceCodeFormat"))
        options.outputSourceCodeFormat = XmlGetElementText(format);
    for (const OptionField& field : kOptionFields)
        field.Read(options, environment);
    if (context.wholeDocument)
        options.memberNamesAndStateNamesDefinitionExportFileName =
            XmlGetChildText(environment, "MemberNamesAndStateNamesDefinitionExportFileName");
}

void WriteEnvironmentOptions(XmlDocumentContext& context, pugi::xml_node environment,
                             const CEnvironmentOptions& options) {
    for (const DiagramField& field : kDiagramFields)
        XmlSetIntAttribute(context, environment, field.key, field.Get(options.structureDiagram), false);
    for (const FileNameElement& element : kFileNameElements) {
        const pugi::xml_node holder = XmlAppendChildElement(context, environment, element.name);
        XmlAppendChildElement(context, holder, "FileName", options.*element.field);
    }
    XmlAppendChildElement(context, environment, "OutputSourceCodeFileName", options.outputSourceCodeFileName);
    XmlAppendChildElement(context, environment, "OutputSourceCodeFormat", options.outputSourceCodeFormat);
    for (const OptionField& field : kOptionFields)
        XmlSetIntAttribute(context, environment, field.key, field.Get(options), false);
    XmlAppendChildElement(context, environment, "MemberNamesAndStateNamesDefinitionExportFileName",
                          options.memberNamesAndStateNamesDefinitionExportFileName);
}
