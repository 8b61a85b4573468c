#pragma once

#include "model/DocumentData.h"
#include "model/EnvironmentOptions.h"
#include "model/FieldTable.h"
#include "model/GeneratorTables.h"
#include "model/LogicAreaSettings.h"
#include "model/PrintSettings.h"
#include "model/ViewLayoutTables.h"

#include <array>

// The fields of the settings records below the document's "Environment" element, in the order the file holds
// them. Each element's reader and writer and the document dump walk these.

// ---- "Environment" itself ----

// The title is another document's own: an environment import keeps this one's.
inline const std::array<TextField<DocumentHeader>, 1> kEnvironmentTitleField{{
    {"Title", &DocumentHeader::Title, TextPlace::Attribute, TextRead::WholeDocument, DocumentHeader::MaxTitleLength},
}};

inline const std::array<IntAttribute<CDocumentData>, 3> kEnvironmentFields{{
    NUV_INT_ATTRIBUTE(CDocumentData, MaximumNumberOfTabs, "MaximumNumberOfTabs", false, 10),
    NUV_INT_ATTRIBUTE(CDocumentData, AutoSaveOnOff, "AutoSaveOnOff", false, 0),
    NUV_INT_ATTRIBUTE(CDocumentData, AutoSaveInterval, "AutoSaveInterval", false, 10),
}};

// ---- the options on "Environment" ----

using DiagramField = IntAttribute<StructureDiagramSettings>;
inline const std::array<DiagramField, 9> kStructureDiagramFields{{
    NUV_INT_ATTRIBUTE(StructureDiagramSettings, boxWidth, "StructureDiagramBoxWidth", false, 160),
    NUV_INT_ATTRIBUTE(StructureDiagramSettings, boxHeight, "StructureDiagramBoxHeight", false, 43),
    NUV_INT_ATTRIBUTE(StructureDiagramSettings, horizontalSpace, "StructureDiagramHorizontalSpace", false, 20),
    NUV_INT_ATTRIBUTE(StructureDiagramSettings, verticalSpace, "StructureDiagramVerticalSpace", false, 20),
    NUV_INT_ATTRIBUTE(StructureDiagramSettings, defaultZoom, "StructureDiagramDefaultZoom", false, 100),
    NUV_SWITCH_ATTRIBUTE(StructureDiagramSettings, showPrefix, "StructureDiagramShowPrefix", IntRule::PositiveSwitch,
                         1),
    NUV_SWITCH_ATTRIBUTE(StructureDiagramSettings, showPostfix, "StructureDiagramShowPostfix", IntRule::PositiveSwitch,
                         1),
    NUV_SWITCH_ATTRIBUTE(StructureDiagramSettings, showDepthIndicator, "StructureDiagramShowDepthIndicator",
                         IntRule::PositiveSwitch, 0),
    NUV_INT_ATTRIBUTE(StructureDiagramSettings, depthIndicatorOrigin, "StructureDiagramDepthIndicatorOrigin", false, 1),
}};

// The read defaults differ from the new-document ones for OpenTabWhenCreateFunction and
// UnNecessaryReasoningDefault: a file without them reads them as off.
#define NUV_OPTION_SWITCH(field, name, defaultWhenMissing)                                                             \
    NUV_SWITCH_ATTRIBUTE(CEnvironmentOptions, field, name, IntRule::PositiveSwitch, defaultWhenMissing)
inline const std::array<IntAttribute<CEnvironmentOptions>, 19> kEnvironmentOptionFields{{
    NUV_OPTION_SWITCH(enableDuplicateFunctionName, "EnableDuplicateFunctionName", 1),
    NUV_OPTION_SWITCH(openTabWhenCreateFunction, "OpenTabWhenCreateFunction", 0),
    NUV_OPTION_SWITCH(distinguishPrimaryOutlineNumber, "DistinguishPrimaryOutlineNumber", 0),
    NUV_OPTION_SWITCH(showOutlineNumberInOutlineNumberOrderdIndex, "ShowOutlineNumberInOutlineNumberOrderdIndex", 1),
    NUV_OPTION_SWITCH(showOutlineNumberInFnStatement, "ShowOutlineNumberInFnStatement", 1),
    NUV_OPTION_SWITCH(showOutlineNumberInTabTitle, "ShowOutlineNumberInTabTitle", 1),
    NUV_OPTION_SWITCH(showPrefixInOutlineNumberOrderdIndex, "ShowPrefixInOutlineNumberOrderdIndex", 1),
    NUV_OPTION_SWITCH(showPostfixInOutlineNumberOrderdIndex, "ShowPostfixInOutlineNumberOrderdIndex", 1),
    NUV_OPTION_SWITCH(unNecessaryReasoningDefault, "UnNecessaryReasoningDefault", 0),
    NUV_OPTION_SWITCH(enableDuplicateSiblings, "EnableDuplicateSiblings", 0),
    NUV_OPTION_SWITCH(inheritRequirementsDown, "InheritRequirementsDown", 1),
    NUV_OPTION_SWITCH(inheritRequirementsUp, "InheritRequirementsUp", 1),
    NUV_INT_ATTRIBUTE(CEnvironmentOptions, synchronizeFn, "SynchronizeFn", false, 1),
    NUV_INT_ATTRIBUTE(CEnvironmentOptions, indexMenuLevel, "IndexMenuLevel", false, 0),
    NUV_INT_ATTRIBUTE(CEnvironmentOptions, zoom, "Zoom", false, 128),
    NUV_INT_ATTRIBUTE(CEnvironmentOptions, toolboxColumnNum, "ToolboxColumnNum", false, 0),
    NUV_INT_ATTRIBUTE(CEnvironmentOptions, decisionTableAntecedentOrder, "DecisionTableAntecedentOrder", false, 0),
    NUV_INT_ATTRIBUTE(CEnvironmentOptions, decisionTableConsequentOrder, "DecisionTableConsequentOrder", false, 0),
    NUV_SWITCH_ATTRIBUTE(CEnvironmentOptions, decisionTableOutputTraceabilityRows,
                         "DecisionTableOutputTraceabilityRows", IntRule::NonZeroSwitch, 1),
}};
#undef NUV_OPTION_SWITCH

// A document without a source-code template keeps the current one: an environment import must not wipe it.
using EnvironmentText = TextField<CEnvironmentOptions>;
inline const std::array<EnvironmentText, 7> kEnvironmentTextFields{{
    {"ImportEnvironmentalSettings", &CEnvironmentOptions::importEnvironmentalSettingsFileName,
     TextPlace::FileNameElement, TextRead::WholeDocumentWhenPresent, -1},
    {"ImportMemberNamesAndStateNames", &CEnvironmentOptions::importMemberNamesAndStateNamesFileName,
     TextPlace::FileNameElement, TextRead::WholeDocumentWhenPresent, -1},
    {"ExportMemberNamesAndStateNames", &CEnvironmentOptions::exportMemberNamesAndStateNamesFileName,
     TextPlace::FileNameElement, TextRead::WholeDocumentWhenPresent, -1},
    {"ExportOutlineOrderdIndex", &CEnvironmentOptions::exportOutlineOrderdIndexFileName, TextPlace::FileNameElement,
     TextRead::WholeDocumentWhenPresent, -1},
    {"OutputSourceCodeFileName", &CEnvironmentOptions::outputSourceCodeFileName, TextPlace::Element,
     TextRead::WholeDocument, -1},
    {"OutputSourceCodeFormat", &CEnvironmentOptions::outputSourceCodeFormat, TextPlace::Element, TextRead::WhenPresent,
     -1},
    {"MemberNamesAndStateNamesDefinitionExportFileName",
     &CEnvironmentOptions::memberNamesAndStateNamesDefinitionExportFileName, TextPlace::Element,
     TextRead::WholeDocument, -1},
}};

// ---- the logic columns ("FAreaTable"); ModifyColor alone reads as 10 when missing ----

#define NUV_AREA_FIELD(field, defaultWhenMissing)                                                                      \
    NUV_INT_ATTRIBUTE(LogicAreaSettings, field, #field, false, defaultWhenMissing)
inline const std::array<IntAttribute<LogicAreaSettings>, 10> kLogicAreaFields{{
    NUV_AREA_FIELD(IfLineDisp, 0),
    NUV_AREA_FIELD(IfLineSameColor, 0),
    NUV_AREA_FIELD(IfLineColor1, 0),
    NUV_AREA_FIELD(IfLineColor2, 0),
    NUV_AREA_FIELD(IfLineColor3, 0),
    NUV_AREA_FIELD(RecycleColor, 0),
    NUV_AREA_FIELD(ModifyColor, 10),
    NUV_AREA_FIELD(IsDispRegisterMember, 0),
    NUV_AREA_FIELD(IsDispRegisterStatus, 0),
    NUV_AREA_FIELD(IsDispLineNum, 0),
}};
#undef NUV_AREA_FIELD

// ---- view layout ----

inline const std::array<TextField<CTitleTable>, 7> kTitleFields{{
    {"IDTitle", &CTitleTable::IDTitle, TextPlace::Element, TextRead::Always, CTitleTable::MaxIDTitle},
    {"FuncNameTitle", &CTitleTable::FuncNameTitle, TextPlace::Element, TextRead::Always, CTitleTable::MaxFuncNameTitle},
    {"FuncTitle", &CTitleTable::FuncTitle, TextPlace::Element, TextRead::Always, CTitleTable::MaxFuncTitle},
    {"SignTitle", &CTitleTable::SignTitle, TextPlace::Element, TextRead::Always, CTitleTable::MaxSignTitle},
    {"ChildTitle", &CTitleTable::ChildTitle, TextPlace::Element, TextRead::Always, CTitleTable::MaxChildTitle},
    {"WorkTitle", &CTitleTable::WorkTitle, TextPlace::Element, TextRead::Always, CTitleTable::MaxWorkTitle},
    {"TotalTitle", &CTitleTable::TotalTitle, TextPlace::Element, TextRead::Always, CTitleTable::MaxTotalTitle},
}};

// The two display switches first, always written; the box layout after the fonts, left out when 0.
inline const std::array<IntAttribute<HierarchicalIndexSettings>, 15> kIndexViewFields{{
    NUV_INT_ATTRIBUTE(HierarchicalIndexSettings, LexIsDispReuseID, "LexIsDispReuseID", false, 1),
    NUV_SWITCH_ATTRIBUTE(HierarchicalIndexSettings, LexIsDispShortenIdFirstPunctuation,
                         "LexIsDispShortenIdFirstPunctuation", IntRule::PositiveSwitch, 0),
    NUV_INT_ATTRIBUTE(HierarchicalIndexSettings, HieBoxSizeX, "HieBoxSizeX", true, 0),
    NUV_INT_ATTRIBUTE(HierarchicalIndexSettings, HieBoxSizeY, "HieBoxSizeY", true, 0),
    NUV_INT_ATTRIBUTE(HierarchicalIndexSettings, HieBoxIntvX, "HieBoxIntvX", true, 0),
    NUV_INT_ATTRIBUTE(HierarchicalIndexSettings, HieBoxIntvY, "HieBoxIntvY", true, 0),
    NUV_INT_ATTRIBUTE(HierarchicalIndexSettings, HieIDAlign, "HieIDAlign", true, 0),
    NUV_INT_ATTRIBUTE(HierarchicalIndexSettings, HieFuncAlign, "HieFuncAlign", true, 0),
    NUV_INT_ATTRIBUTE(HierarchicalIndexSettings, HieColorDescOn, "HieColorDescOn", true, 0),
    NUV_INT_ATTRIBUTE(HierarchicalIndexSettings, HieColorDescOff, "HieColorDescOff", true, 0),
    NUV_INT_ATTRIBUTE(HierarchicalIndexSettings, HieColorReuse, "HieColorReuse", true, 0),
    NUV_INT_ATTRIBUTE(HierarchicalIndexSettings, HieColorReuseRef, "HieColorReuseRef", true, 0),
    NUV_INT_ATTRIBUTE(HierarchicalIndexSettings, LexIsDispShortenID, "LexIsDispShortenID", true, 0),
    NUV_INT_ATTRIBUTE(HierarchicalIndexSettings, HierZoomVal, "HierZoomVal", true, 0),
    NUV_INT_ATTRIBUTE(HierarchicalIndexSettings, HierZoomWindowAdj, "HierZoomWindowAdj", true, 0),
}};

inline const std::array<FontField<HierarchicalIndexSettings>, 3> kIndexViewFonts{{
    {"LexFont", &HierarchicalIndexSettings::LexFont},
    {"HieFont", &HierarchicalIndexSettings::HieFont},
    {"HieIDFont", &HierarchicalIndexSettings::HieIDFont},
}};

inline const std::array<IntAttribute<IndexViewInfo>, 7> kIndexViewInfoFields{{
    NUV_INT_ATTRIBUTE(IndexViewInfo, HierHScrollPosition, "HierHScrollPosition", true, 0),
    NUV_INT_ATTRIBUTE(IndexViewInfo, HierVScrollPosition, "HierVScrollPosition", true, 0),
    NUV_INT_ATTRIBUTE(IndexViewInfo, HierClickedInternalID, "HierClickedInternalID", true, 0),
    NUV_INT_ATTRIBUTE(IndexViewInfo, HierViewPageNum, "HierViewPageNum", true, 0),
    NUV_INT_ATTRIBUTE(IndexViewInfo, LexiSelectInternalID, "LexiSelectInternalID", true, 0),
    NUV_INT_ATTRIBUTE(IndexViewInfo, LexiHScrollPosition, "LexiHScrollPosition", true, 0),
    NUV_INT_ATTRIBUTE(IndexViewInfo, LexiVScrollPosition, "LexiVScrollPosition", true, 0),
}};

inline const std::array<IntAttribute<HeaderIOSettings>, 12> kHeaderIOFields{{
    NUV_INT_ATTRIBUTE(HeaderIOSettings, Input, "Input", true, 0),
    NUV_INT_ATTRIBUTE(HeaderIOSettings, Output, "Output", true, 0),
    NUV_INT_ATTRIBUTE(HeaderIOSettings, ColorNo1, "ColorNo1", true, 0),
    NUV_INT_ATTRIBUTE(HeaderIOSettings, ColorNo2, "ColorNo2", true, 0),
    NUV_INT_ATTRIBUTE(HeaderIOSettings, Color1, "Color1", true, 0),
    NUV_INT_ATTRIBUTE(HeaderIOSettings, Color2, "Color2", true, 0),
    NUV_INT_ATTRIBUTE(HeaderIOSettings, HorizontalSizeShared, "HorizontalSizeShared", true, 0),
    NUV_INT_ATTRIBUTE(HeaderIOSettings, VerticalSizeShared, "VerticalSizeShared", true, 0),
    NUV_INT_ATTRIBUTE(HeaderIOSettings, FunctionHeight, "FunctionHeight", false, 100),
    NUV_INT_ATTRIBUTE(HeaderIOSettings, InputWidth, "InputWidth", true, 100),
    NUV_INT_ATTRIBUTE(HeaderIOSettings, FunctionWidth, "FunctionWidth", true, 200),
    NUV_INT_ATTRIBUTE(HeaderIOSettings, OutputWidth, "OutputWidth", true, 100),
}};

// ---- print settings ----

inline const std::array<IntAttribute<PrintSection>, 7> kPrintSectionFields{{
    NUV_INT_ATTRIBUTE(PrintSection, scope, "Scope", false, 0),
    NUV_INT_ATTRIBUTE(PrintSection, zoom, "Zoom", false, 0),
    NUV_INT_ATTRIBUTE(PrintSection, order, "Order", false, 0),
    NUV_INT_ATTRIBUTE(PrintSection, omission, "Omission", false, 0),
    NUV_INT_ATTRIBUTE(PrintSection, nonEmbodiment, "NonEmbodiment", false, 0),
    NUV_INT_ATTRIBUTE(PrintSection, nonWrited, "NonWrited", false, 0),
    NUV_INT_ATTRIBUTE(PrintSection, object, "Object", false, 0),
}};

inline const std::array<IntAttribute<PrintTitleLine>, 2> kPrintTitleLineFields{{
    NUV_INT_ATTRIBUTE(PrintTitleLine, point, "Point", false, 0),
    NUV_INT_ATTRIBUTE(PrintTitleLine, border, "Border", false, 0),
}};

inline const std::array<IntAttribute<PrintHeaderFooterKinds>, 3> kPrintHeaderFooterFields{{
    NUV_INT_ATTRIBUTE(PrintHeaderFooterKinds, left, "Left", false, 0),
    NUV_INT_ATTRIBUTE(PrintHeaderFooterKinds, center, "Center", false, 0),
    NUV_INT_ATTRIBUTE(PrintHeaderFooterKinds, right, "Right", false, 0),
}};

inline const std::array<IntAttribute<PrintSettings>, 4> kPrintMarginFields{{
    NUV_INT_ATTRIBUTE(PrintSettings, marginLeft, "Left", false, 0),
    NUV_INT_ATTRIBUTE(PrintSettings, marginRight, "Right", false, 0),
    NUV_INT_ATTRIBUTE(PrintSettings, marginTop, "Top", false, 0),
    NUV_INT_ATTRIBUTE(PrintSettings, marginBottom, "Bottom", false, 0),
}};

inline const std::array<FontField<PrintSettings>, 2> kPrintTitleFonts{{
    {"TitleFont", &PrintSettings::titleFont},
    {"OtherFont", &PrintSettings::otherTitleFont},
}};

inline const std::array<TextField<PrintSettings>, 2> kPrintHeaderFooterTexts{{
    {"Str1", &PrintSettings::headerFooterText1, TextPlace::Element, TextRead::WhenPresent,
     PrintSettings::MaxHeaderFooterTextLength},
    {"Str2", &PrintSettings::headerFooterText2, TextPlace::Element, TextRead::WhenPresent,
     PrintSettings::MaxHeaderFooterTextLength},
}};

// ---- generator tables ----

inline const std::array<IntAttribute<DecisionTableLayout>, 2> kDecisionTableLayoutFields{{
    NUV_INT_ATTRIBUTE(DecisionTableLayout, IsIdRow, "IsIdRow", true, 0),
    NUV_INT_ATTRIBUTE(DecisionTableLayout, IsDoFirst, "IsDoFirst", true, 0),
}};

inline const std::array<IntAttribute<VersionControlSettings>, 3> kVersionControlFields{{
    NUV_INT_ATTRIBUTE(VersionControlSettings, IsAutoVersion, "IsAutoVersion", true, 0),
    NUV_INT_ATTRIBUTE(VersionControlSettings, IsUpdateMajor, "IsUpdateMajor", true, 0),
    NUV_INT_ATTRIBUTE(VersionControlSettings, IsUpdateMinor, "IsUpdateMinor", true, 0),
}};

inline const std::array<IntAttribute<WorkTableSettings>, 2> kWorkTableFields{{
    NUV_INT_ATTRIBUTE(WorkTableSettings, UseWorkNo, "UseWorkNo", true, 0),
    NUV_INT_ATTRIBUTE(WorkTableSettings, ImportUnit, "ImportUnit", true, 1),
}};

inline const std::array<IntAttribute<IDTableSettings>, 5> kIDTableFields{{
    NUV_INT_ATTRIBUTE(IDTableSettings, No, "No", true, 0),
    NUV_INT_ATTRIBUTE(IDTableSettings, HalfFlag, "HalfFlag", true, 0),
    NUV_INT_ATTRIBUTE(IDTableSettings, Unit, "Unit", true, 0),
    NUV_INT_ATTRIBUTE(IDTableSettings, Separator, "Separator", true, u'.'),
    NUV_INT_ATTRIBUTE(IDTableSettings, AddSeparatorEndOfId, "AddSeparatorEndOfId", true, 0),
}};

inline const std::array<IntAttribute<GeneratorOutputOptions>, 3> kGeneratorOutputFields{{
    NUV_INT_ATTRIBUTE(GeneratorOutputOptions, Option, "Option", true, 0),
    NUV_INT_ATTRIBUTE(GeneratorOutputOptions, Scope, "Scope", true, 0),
    NUV_INT_ATTRIBUTE(GeneratorOutputOptions, Type, "Type", true, 0),
}};

inline const std::array<TextField<DecisionTableLayout>, 1> kDecisionTableLayoutTexts{{
    {"KnowledgeFolder", &DecisionTableLayout::KnowledgeFolder, TextPlace::Element, TextRead::Always, -1},
}};

// The file names a generator last wrote are this document's own: an environment import keeps them.
inline const std::array<TextField<GeneratorOutputOptions>, 1> kDecisionTableTexts{{
    {"FileName", &GeneratorOutputOptions::FileName, TextPlace::Attribute, TextRead::WholeDocument, -1},
}};

inline const std::array<IntAttribute<ExportExplanationsOptions>, 1> kExportExplanationsFields{{
    NUV_INT_ATTRIBUTE(ExportExplanationsOptions, Domain, "Domain", true, 0),
}};

inline const std::array<TextField<ExportExplanationsOptions>, 1> kExportExplanationsTexts{{
    {"FileName", &ExportExplanationsOptions::FileName, TextPlace::Element, TextRead::WholeDocument, -1},
}};
