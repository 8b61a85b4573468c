#include "model/xml/FontTableElement.h"

#include "model/xml/XmlDocumentContext.h"
#include "model/xml/XmlStreamWriter.h"

#include <array>
#include <cstring>
#include <string>

void WriteFontTable(XmlDocumentContext&, pugi::xml_node parent, const char* key, const FontSetting& font,
                    bool skipIfDefault) {
    std::string xml;
    XmlStreamWriter writer(xml);
    WriteFontTable(writer, key, font, skipIfDefault);
    if (!xml.empty())
        XmlAppendWritten(parent, xml);
}

void WriteFontTable(XmlStreamWriter& writer, const char* key, const FontSetting& font, bool skipIfDefault) {
    if (skipIfDefault && font.IsDefault())
        return;
    writer.Start("FontTable");
    if (*key != '\0')
        writer.Attribute("Name", key);
    writer.IntAttribute("Size", font.pointSize, false);
    writer.IntAttribute("Color", font.colour, false);
    writer.IntAttribute("Bold", font.bold, false);
    writer.IntAttribute("Italic", font.italic, false);
    writer.IntAttribute("UnderLine", font.underline, false);
    writer.IntAttribute("ColorNo", font.colourIndex, false);
    writer.Text(font.faceName);
    writer.End("FontTable");
}

namespace {

// A document names the same few faces in every font table: equal names share one string instead of one
// allocation per slot. Each thread keeps its own last names, so that readers on several threads need no lock. They are
// made at a thread's first read and kept for its life (documents are read on the process's first thread and its
// workers, which all live as long as it): a thread-local object with a destructor would have that destructor
// registered at its first use, which ends the process when memory has run out just then.
QString InternedFaceName(pugi::xml_node element) {
    struct Face {
        std::string bytes;
        QString name;
    };
    constexpr std::size_t kRemembered = 4;
    thread_local std::array<Face, kRemembered>* rememberedFaces = nullptr;
    if (!rememberedFaces)
        rememberedFaces = new std::array<Face, kRemembered>;
    std::array<Face, kRemembered>& faces = *rememberedFaces;
    thread_local std::size_t nextSlot = 0;
    const pugi::xml_node text = element.first_child();
    const char* bytes = text.type() == pugi::node_pcdata || text.type() == pugi::node_cdata ? text.value() : nullptr;
    if (!bytes || *bytes == '\0')
        return XmlGetElementText(element).left(FontSetting::MaxFaceNameLength);
    for (const Face& face : faces) {
        if (!face.bytes.empty() && face.bytes == bytes)
            return face.name;
    }
    Face& face = faces[nextSlot];
    nextSlot = (nextSlot + 1) % kRemembered;
    face.bytes = bytes;
    face.name = XmlGetElementText(element).left(FontSetting::MaxFaceNameLength);
    return face.name;
}

} // namespace

bool ReadFontTable(pugi::xml_node parent, const char* key, FontSetting& font) {
    pugi::xml_node element;
    XmlForEachElement(parent, "FontTable", [&](pugi::xml_node found) {
        if (std::strcmp(found.attribute("Name").value(), key) != 0)
            return true;
        element = found;
        return false;
    });
    if (element) {
        font.faceName = InternedFaceName(element);
        font.pointSize = static_cast<quint16>(XmlGetIntAttribute(element, "Size", 0));
        font.colour = static_cast<quint32>(XmlGetIntAttribute(element, "Color", 0));
        font.bold = static_cast<qint32>(XmlGetIntAttribute(element, "Bold", 0));
        font.italic = static_cast<qint32>(XmlGetIntAttribute(element, "Italic", 0));
        font.underline = static_cast<qint32>(XmlGetIntAttribute(element, "UnderLine", 0));
        font.colourIndex = static_cast<quint8>(XmlGetIntAttribute(element, "ColorNo", 0));
        return true;
    }
    font = FontSetting();
    return false;
}
