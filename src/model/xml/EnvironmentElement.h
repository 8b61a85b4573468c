#pragma once

#include <pugixml.hpp>

class XmlDocumentContext;

// The "Environment" element: every per-document setting of the document-data record of the context.
void WriteEnvironmentElement(XmlDocumentContext& context, pugi::xml_node documentElement);
// Reads from the first "Environment" below parent (nothing when there is none). With the context's
// wholeDocument flag clear (an environment import) the title and the remembered file names stay.
void ReadEnvironmentElement(XmlDocumentContext& context, pugi::xml_node parent);
// The same, given the "Environment" element and the "MemoText" element of the parent (may be null).
void ReadEnvironmentElement(XmlDocumentContext& context, pugi::xml_node environment, pugi::xml_node memoText);
