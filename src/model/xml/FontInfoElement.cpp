#include "model/xml/FontInfoElement.h"

#include "model/DocumentData.h"
#include "model/xml/FontTableElement.h"
#include "model/xml/XmlDocumentContext.h"

namespace {

struct StoredFont {
    const char* key;
    FontSetting DocumentFonts::*font;
};
const StoredFont kStoredFonts[] = {
    {"AuVerbFont1", &DocumentFonts::AuVerbFont1},
    {"AuVerbFont2", &DocumentFonts::AuVerbFont2},
    {"StructureDiagramFont", &DocumentFonts::StructureDiagramFont},
    {"ExplanationFont", &DocumentFonts::ExplanationFont},
    {"LogicFont", &DocumentFonts::LogicFont},
};

} // namespace

void WriteFontInfoElement(XmlDocumentContext& context, pugi::xml_node parent, const DocumentFonts& fonts,
                          const QStringList& recentFaces) {
    pugi::xml_node element = XmlAppendChildElement(context, parent, "FontInfo");
    for (const StoredFont& stored : kStoredFonts)
        WriteFontTable(context, element, stored.key, fonts.*stored.font);
    for (const QString& face : recentFaces)
        XmlAppendChildElement(context, element, "FontMRU", face);
}

void ReadFontInfoElement(pugi::xml_node parent, DocumentFonts& fonts, QStringList& recentFaces) {
    const pugi::xml_node element = XmlFindElement(parent, "FontInfo");
    if (!element)
        return;
    for (const StoredFont& stored : kStoredFonts)
        ReadFontTable(element, stored.key, fonts.*stored.font);
    recentFaces.clear();
    XmlForEachElement(element, "FontMRU", [&](pugi::xml_node face) {
        recentFaces.append(XmlGetElementText(face));
        return recentFaces.size() < CDocumentData::MaxRecentFontFaces;
    });
}
