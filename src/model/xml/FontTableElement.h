#pragma once

#include "model/FontSetting.h"

#include <pugixml.hpp>

class XmlDocumentContext;
class XmlStreamWriter;

// A font of the document file: a "FontTable" element under its owner, told apart by its "Name" key.
// A font equal to the default is not written unless the owner asks for it; a key that is not found reads
// as the default font, and then the result is false.
void WriteFontTable(XmlDocumentContext& context, pugi::xml_node parent, const char* key, const FontSetting& font,
                    bool skipIfDefault = true);
void WriteFontTable(XmlStreamWriter& writer, const char* key, const FontSetting& font, bool skipIfDefault = true);
bool ReadFontTable(pugi::xml_node parent, const char* key, FontSetting& font);
