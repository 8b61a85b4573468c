#pragma once

#include <pugixml.hpp>

class XmlDocumentContext;

// The document's notes: "MemoText" below "Document", the text as Base64 of its UTF-16 units (low byte
// first) and the notes font.
void WriteMemoText(XmlDocumentContext& context, pugi::xml_node documentElement);
// Reads the document's "MemoText" element; without one (null) the notes become empty. The font is read
// with the environment.
void ReadMemoText(XmlDocumentContext& context, pugi::xml_node memoText);
