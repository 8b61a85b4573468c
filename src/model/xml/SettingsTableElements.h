#pragma once

#include "model/AuxiliaryVerb.h"
#include "model/FunctionAttribute.h"
#include "model/LogicAreaSettings.h"
#include "model/SyntaxSymbol.h"

#include <pugixml.hpp>

#include <vector>

class XmlDocumentContext;

// The syntax-symbol ("Construction"), function-attribute ("TypeTable"), auxiliary-verb ("AuVerbTable") and
// logic-column ("FAreaTable") elements below "Environment". A reader leaves its table alone when the
// document has no such element.

void WriteSyntaxSymbolTable(XmlDocumentContext& context, pugi::xml_node environment,
                            const std::vector<SyntaxSymbol>& symbols);
// The table always ends up with one record per statement kind: kinds the file does not supply get their
// new-document record, built on the column font.
void ReadSyntaxSymbolTable(pugi::xml_node environment, std::vector<SyntaxSymbol>& symbols,
                           const FontSetting& columnFont);

void WriteFunctionAttributeTable(XmlDocumentContext& context, pugi::xml_node environment,
                                 const std::vector<FunctionAttribute>& attributes);
void ReadFunctionAttributeTable(pugi::xml_node environment, std::vector<FunctionAttribute>& attributes);

void WriteAuxiliaryVerbTable(XmlDocumentContext& context, pugi::xml_node environment,
                             const std::vector<AuxiliaryVerb>& verbs);
void ReadAuxiliaryVerbTable(pugi::xml_node environment, std::vector<AuxiliaryVerb>& verbs);

void WriteLogicAreaSettings(XmlDocumentContext& context, pugi::xml_node environment, const LogicAreaSettings& settings);
void ReadLogicAreaSettings(pugi::xml_node environment, LogicAreaSettings& settings);
