#pragma once

#include <QString>

#include <pugixml.hpp>

class CUnitFunction;
class CUnitFunctionHeader;
class XmlDocumentContext;
class XmlElementIndex;

// The "Header" element that opens every "Function" element: content, work amounts, requirements, label,
// reason and pane sizes (in the older format also the name and outline number).

// outlineNumberText is written only in the older format.
void WriteHeaderElement(const CUnitFunction& function, XmlDocumentContext& context, pugi::xml_node functionElement,
                        const QString& outlineNumberText);
void WriteFunctionContentsElements(const CUnitFunctionHeader& header, XmlDocumentContext& context,
                                   pugi::xml_node headerElement);
void WriteWorkNumElement(const CUnitFunctionHeader& header, XmlDocumentContext& context, pugi::xml_node headerElement);
// Reads the first "Header" below a Function element, given the index of that element.
void ReadHeaderElement(CUnitFunction& function, const XmlElementIndex& functionIndex);
