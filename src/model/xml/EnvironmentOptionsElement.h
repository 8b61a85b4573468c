#pragma once

#include "model/EnvironmentOptions.h"

#include <pugixml.hpp>

class XmlDocumentContext;

// Reads from the document's "Environment" element; keeps everything when there is none. File names are
// read only when the context reads a whole document.
void ReadEnvironmentOptions(const XmlDocumentContext& context, pugi::xml_node environment,
                            CEnvironmentOptions& options);
// Writes the options into the given "Environment" element.
void WriteEnvironmentOptions(XmlDocumentContext& context, pugi::xml_node environment,
                             const CEnvironmentOptions& options);
