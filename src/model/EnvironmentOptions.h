#pragma once

#include "model/DefaultSourceCodeTemplate.h"

#include <QString>

#include <pugixml.hpp>

#include <cstdint>

class XmlDocumentContext;

// Layout of the structure-diagram pane, kept with the document.
struct StructureDiagramSettings {
    int boxWidth = 160;
    int boxHeight = 43;
    int horizontalSpace = 20;
    int verticalSpace = 20;
    int defaultZoom = 100;
    std::uint8_t showPrefix = 1;
    std::uint8_t showPostfix = 1;
    std::uint8_t showDepthIndicator = 0;
    int depthIndicatorOrigin = 1;
};

// Per-document options that are not tables: switches (0 or 1), numbers and remembered file names.
// Stored on and below the document's "Environment" element.
class CEnvironmentOptions {
public:
    void SetDefaults() { *this = CEnvironmentOptions(); }
    // Reads from the document's "Environment" element; keeps everything when there is none. File names are
    // read only when the context reads a whole document.
    void ReadXml(const XmlDocumentContext& context, pugi::xml_node environment);
    // Writes the options into the given "Environment" element.
    void WriteXml(XmlDocumentContext& context, pugi::xml_node environment) const;

    QString importEnvironmentalSettingsFileName;
    QString importMemberNamesAndStateNamesFileName;
    QString exportMemberNamesAndStateNamesFileName;
    QString exportOutlineOrderdIndexFileName;
    std::uint8_t enableDuplicateFunctionName = 1;
    std::uint8_t openTabWhenCreateFunction = 1;
    std::uint8_t distinguishPrimaryOutlineNumber = 0;
    std::uint8_t showOutlineNumberInOutlineNumberOrderdIndex = 1;
    std::uint8_t showOutlineNumberInFnStatement = 1;
    std::uint8_t showOutlineNumberInTabTitle = 1;
    std::uint8_t showPrefixInOutlineNumberOrderdIndex = 1;
    std::uint8_t showPostfixInOutlineNumberOrderdIndex = 1;
    std::uint8_t unNecessaryReasoningDefault = 1;
    std::uint8_t enableDuplicateSiblings = 0;
    int synchronizeFn = 1;
    int indexMenuLevel = 0;
    int zoom = 128;
    int toolboxColumnNum = 0;
    StructureDiagramSettings structureDiagram;
    QString outputSourceCodeFileName;
    QString outputSourceCodeFormat = GetDefaultSourceCodeTemplate();
    std::uint8_t inheritRequirementsDown = 1;
    std::uint8_t inheritRequirementsUp = 1;
    int decisionTableAntecedentOrder = 0;
    int decisionTableConsequentOrder = 0;
    std::uint8_t decisionTableOutputTraceabilityRows = 1;
    QString memberNamesAndStateNamesDefinitionExportFileName;
};
