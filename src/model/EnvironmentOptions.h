#pragma once

#include "model/DefaultSourceCodeTemplate.h"

#include <QString>

#include <cstdint>

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
