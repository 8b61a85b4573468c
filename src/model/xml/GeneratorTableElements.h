#pragma once

#include "model/GeneratorTables.h"

#include <pugixml.hpp>

class XmlDocumentContext;

// Elements below "Environment". The readers keep this document's file names
// when wholeDocument is false (an environment import); a missing element leaves
// the record as it is.
void WriteDecisionTableLayout(XmlDocumentContext& context, pugi::xml_node parent, const DecisionTableLayout& layout);
void ReadDecisionTableLayout(pugi::xml_node parent, DecisionTableLayout& layout);
void WriteVersionControlTable(XmlDocumentContext& context, pugi::xml_node parent,
                              const VersionControlSettings& settings);
void ReadVersionControlTable(pugi::xml_node parent, VersionControlSettings& settings);
void WriteWorkTable(XmlDocumentContext& context, pugi::xml_node parent, const WorkTableSettings& workTable);
void ReadWorkTable(pugi::xml_node parent, WorkTableSettings& workTable);
void WriteFileNameTable(XmlDocumentContext& context, pugi::xml_node parent, const char* elementName,
                        const FileNameSettings& fileNames);
void ReadFileNameTable(pugi::xml_node parent, const char* elementName, FileNameSettings& fileNames, bool wholeDocument);
void WriteFlowchartTable(XmlDocumentContext& context, pugi::xml_node parent, const FileNameSettings& fileNames,
                         const FlowchartNames& names);
void ReadFlowchartTable(pugi::xml_node parent, FileNameSettings& fileNames, FlowchartNames& names, bool wholeDocument);
void WriteIDTable(XmlDocumentContext& context, pugi::xml_node parent, const IDTableSettings& settings);
void ReadIDTable(pugi::xml_node parent, IDTableSettings& settings);
void WriteDecisionTable(XmlDocumentContext& context, pugi::xml_node parent, const GeneratorOutputOptions& options);
void ReadDecisionTable(pugi::xml_node parent, GeneratorOutputOptions& options, bool wholeDocument);
void WriteExportExplanations(XmlDocumentContext& context, pugi::xml_node parent,
                             const ExportExplanationsOptions& options);
void ReadExportExplanations(pugi::xml_node parent, ExportExplanationsOptions& options, bool wholeDocument);
// Only the file name of the test-specification options is stored.
void WriteTestSpecification(XmlDocumentContext& context, pugi::xml_node parent, const GeneratorOutputOptions& options);
void ReadTestSpecification(pugi::xml_node parent, GeneratorOutputOptions& options, bool wholeDocument);
void WriteAttributeFileNames(XmlDocumentContext& context, pugi::xml_node parent, const FileNameSettings& fileNames);
void ReadAttributeFileNames(pugi::xml_node parent, FileNameSettings& fileNames, bool wholeDocument);
