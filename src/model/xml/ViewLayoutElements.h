#pragma once

#include "model/ViewLayoutTables.h"

#include <pugixml.hpp>

class XmlDocumentContext;

// "TitleTable", "IndexViewTable", "OutputView" and "HeaderIOSettings" below
// "Environment"; "IndexViewInfo" below "Document". A missing element leaves the
// record as it is; a missing attribute reads its own default.
void WriteTitleTable(XmlDocumentContext& context, pugi::xml_node parent, const CTitleTable& titles);
void ReadTitleTable(pugi::xml_node parent, CTitleTable& titles);
void WriteIndexViewTable(XmlDocumentContext& context, pugi::xml_node parent, const HierarchicalIndexSettings& settings);
void ReadIndexViewTable(pugi::xml_node parent, HierarchicalIndexSettings& settings);
void WriteIndexViewInfo(XmlDocumentContext& context, pugi::xml_node parent, const IndexViewInfo& info);
// Given the "IndexViewInfo" element itself (the document reader finds it); nothing without one.
void ReadIndexViewInfo(pugi::xml_node element, IndexViewInfo& info);
void WriteOutputView(XmlDocumentContext& context, pugi::xml_node parent, const FontSetting& outputViewFont);
void ReadOutputView(pugi::xml_node parent, FontSetting& outputViewFont);
void WriteHeaderIOSettings(XmlDocumentContext& context, pugi::xml_node parent, const HeaderIOSettings& settings);
void ReadHeaderIOSettings(pugi::xml_node parent, HeaderIOSettings& settings);
