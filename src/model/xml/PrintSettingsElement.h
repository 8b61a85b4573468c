#pragma once

#include "model/PrintSettings.h"

#include <pugixml.hpp>

class XmlDocumentContext;

// "PrintSettings" below "Environment": the print settings and the chosen
// printout. The print kind is written but never read back.
void WritePrintSettingsElement(XmlDocumentContext& context, pugi::xml_node environment, const PrintSettings& settings,
                               int selectedPrintout);
// Without the element nothing changes; parts the element lacks keep their
// values.
void ReadPrintSettingsElement(pugi::xml_node environment, PrintSettings& settings, int& selectedPrintout);

void WritePrintSectionElement(XmlDocumentContext& context, pugi::xml_node parent, const char* name,
                              const PrintSection& section);
void ReadPrintSectionElement(pugi::xml_node element, const char* name, PrintSection& section);
void WritePrintTitleLineElement(XmlDocumentContext& context, pugi::xml_node parent, const char* name,
                                const PrintTitleLine& line);
void ReadPrintTitleLineElement(pugi::xml_node element, const char* name, PrintTitleLine& line);
void WriteHeaderFooterElement(XmlDocumentContext& context, pugi::xml_node parent, const char* name,
                              const PrintHeaderFooterKinds& kinds);
void ReadHeaderFooterElement(pugi::xml_node element, const char* name, PrintHeaderFooterKinds& kinds);
