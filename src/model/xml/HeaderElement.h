#pragma once

#include "model/xml/XmlElementIndex.h"

#include <QString>

#include <pugixml.hpp>

class CUnitFunction;
class CUnitFunctionHeader;
class XmlDocumentContext;
class XmlStreamWriter;

// The "Header" element that opens every "Function" element: content, work amounts, requirements, label,
// reason and pane sizes (in the older format also the name and outline number).

// outlineNumberText is written only in the older format.
void WriteHeaderElement(const CUnitFunction& function, XmlDocumentContext& context, pugi::xml_node functionElement,
                        const QString& outlineNumberText);
void WriteHeaderElement(const CUnitFunction& function, XmlDocumentContext& context, XmlStreamWriter& writer,
                        const QString& outlineNumberText);
// Reads the first "Header" below a Function element, given the index of that element.
void ReadHeaderElement(CUnitFunction& function, const XmlElementIndex& functionIndex);
// The same, with the Function element's matches in a larger index.
void ReadHeaderElement(CUnitFunction& function, const XmlElementIndex& index, XmlElementIndex::Range functionRange);
