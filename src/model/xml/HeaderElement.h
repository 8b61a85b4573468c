#pragma once

#include "model/xml/XmlElementIndex.h"

#include <QString>

#include <pugixml.hpp>

#include <set>

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
// The elements a header is read from, wherever they were found.
struct HeaderElementParts {
    pugi::xml_node header;
    pugi::xml_node idName;
    pugi::xml_node contents;
    pugi::xml_node contents2;
    pugi::xml_node workNum;
    pugi::xml_node uniqueLabel;
    pugi::xml_node unnecessaryReasoning;
    pugi::xml_node reasoning;
    std::set<QString> requirements; // of "Requirement" and "Request" alike
};

// The parts of a "Header" element that holds them as its children, each once ("Requirement" and "Request"
// any number of times), with nothing below them that a reader at any depth would find; false for any other.
bool CollectPlainHeaderParts(pugi::xml_node header, HeaderElementParts& parts);
void ReadHeaderParts(CUnitFunction& function, const HeaderElementParts& parts);
// Reads the first "Header" below a Function element, given the index of that element.
void ReadHeaderElement(CUnitFunction& function, const XmlElementIndex& functionIndex);
// The same, with the Function element's matches in a larger index.
void ReadHeaderElement(CUnitFunction& function, const XmlElementIndex& index, XmlElementIndex::Range functionRange);
