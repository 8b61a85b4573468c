#pragma once

#include "model/xml/XmlDocumentContext.h"

#include <QString>

#include <sstream>

// An "Environment" element to write tables into, and a way back: serialise, parse again, read.
class EnvironmentXml {
public:
    EnvironmentXml() { environment = XmlAppendChildElement(context, context.document, "Environment"); }

    // The element as the file holds it, without the declaration.
    std::string Text() const {
        std::ostringstream out;
        context.document.save(out, "",
                              pugi::format_raw | pugi::format_no_declaration | pugi::format_no_empty_element_tags);
        return out.str();
    }

    // The written element parsed back, as a reader meets it in a file.
    pugi::xml_node Reparsed() { return Parse(Text()); }

    // Any hand-written "Environment" element.
    pugi::xml_node Parse(const std::string& xml) {
        parsed.load_string(xml.c_str(), kXmlParseOptions);
        return parsed.child("Environment");
    }

    XmlDocumentContext context;
    pugi::xml_node environment;
    pugi::xml_document parsed;
};
