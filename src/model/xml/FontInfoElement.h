#pragma once

#include "model/DocumentFonts.h"

#include <QStringList>

#include <pugixml.hpp>

class XmlDocumentContext;

// The "FontInfo" element: five of the document fonts and the recently used font faces.
void WriteFontInfoElement(XmlDocumentContext& context, pugi::xml_node parent, const DocumentFonts& fonts,
                          const QStringList& recentFaces);
// Without a "FontInfo" below parent nothing changes; otherwise a font without its entry becomes the
// default font and the face list is replaced by the first four stored faces.
void ReadFontInfoElement(pugi::xml_node parent, DocumentFonts& fonts, QStringList& recentFaces);
