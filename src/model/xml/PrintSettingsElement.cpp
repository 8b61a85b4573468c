#include "model/xml/PrintSettingsElement.h"

#include "model/xml/FontTableElement.h"
#include "model/xml/IntAttributeTable.h"
#include "model/xml/XmlDocumentContext.h"

#include <cstring>

namespace {

// "Lexicograhical" is spelt so in every file ever written.
constexpr const char* sectionNames[PrintSettings::SectionCount] = {"Lexicograhical", "Hierarchical", "Single", "Output",
                                                                   "Memo"};
constexpr const char* titleLineNames[PrintSettings::TitleLineCount] = {"Title", "FileName", "Version", "Str1", "Str2"};

const std::array<IntAttribute<PrintSection>, 7> sectionAttributes{{
    NUV_INT_ATTRIBUTE(PrintSection, scope, "Scope", false, 0),
    NUV_INT_ATTRIBUTE(PrintSection, zoom, "Zoom", false, 0),
    NUV_INT_ATTRIBUTE(PrintSection, order, "Order", false, 0),
    NUV_INT_ATTRIBUTE(PrintSection, omission, "Omission", false, 0),
    NUV_INT_ATTRIBUTE(PrintSection, nonEmbodiment, "NonEmbodiment", false, 0),
    NUV_INT_ATTRIBUTE(PrintSection, nonWrited, "NonWrited", false, 0),
    NUV_INT_ATTRIBUTE(PrintSection, object, "Object", false, 0),
}};

const std::array<IntAttribute<PrintTitleLine>, 2> titleLineAttributes{{
    NUV_INT_ATTRIBUTE(PrintTitleLine, point, "Point", false, 0),
    NUV_INT_ATTRIBUTE(PrintTitleLine, border, "Border", false, 0),
}};

const std::array<IntAttribute<PrintHeaderFooterKinds>, 3> headerFooterAttributes{{
    NUV_INT_ATTRIBUTE(PrintHeaderFooterKinds, left, "Left", false, 0),
    NUV_INT_ATTRIBUTE(PrintHeaderFooterKinds, center, "Center", false, 0),
    NUV_INT_ATTRIBUTE(PrintHeaderFooterKinds, right, "Right", false, 0),
}};

const std::array<IntAttribute<PrintSettings>, 4> marginAttributes{{
    NUV_INT_ATTRIBUTE(PrintSettings, marginLeft, "Left", false, 0),
    NUV_INT_ATTRIBUTE(PrintSettings, marginRight, "Right", false, 0),
    NUV_INT_ATTRIBUTE(PrintSettings, marginTop, "Top", false, 0),
    NUV_INT_ATTRIBUTE(PrintSettings, marginBottom, "Bottom", false, 0),
}};

// The first element of that tag whose "Name" is exactly the name.
pugi::xml_node FindNamed(pugi::xml_node element, const char* tag, const char* name) {
    for (pugi::xml_node found : XmlFindElements(element, tag)) {
        if (std::strcmp(found.attribute("Name").value(), name) == 0)
            return found;
    }
    return {};
}

pugi::xml_node AppendNamed(XmlDocumentContext& context, pugi::xml_node parent, const char* tag, const char* name,
                           const QString& text = QString()) {
    pugi::xml_node element = XmlAppendChildElement(context, parent, tag, text);
    XmlSetAttribute(context, element, "Name", QString::fromLatin1(name), true);
    return element;
}

} // namespace

void WritePrintSectionElement(XmlDocumentContext& context, pugi::xml_node parent, const char* name,
                              const PrintSection& section) {
    WriteIntAttributes(context, AppendNamed(context, parent, "PSSingle", name), sectionAttributes, section);
}

void ReadPrintSectionElement(pugi::xml_node element, const char* name, PrintSection& section) {
    if (pugi::xml_node found = FindNamed(element, "PSSingle", name))
        ReadIntAttributes(found, sectionAttributes, section);
}

void WritePrintTitleLineElement(XmlDocumentContext& context, pugi::xml_node parent, const char* name,
                                const PrintTitleLine& line) {
    WriteIntAttributes(context, AppendNamed(context, parent, "PSPoint", name, line.text), titleLineAttributes, line);
}

void ReadPrintTitleLineElement(pugi::xml_node element, const char* name, PrintTitleLine& line) {
    pugi::xml_node found = FindNamed(element, "PSPoint", name);
    if (!found)
        return;
    line.text = XmlGetElementText(found).left(PrintTitleLine::MaxTextLength);
    ReadIntAttributes(found, titleLineAttributes, line);
}

void WriteHeaderFooterElement(XmlDocumentContext& context, pugi::xml_node parent, const char* name,
                              const PrintHeaderFooterKinds& kinds) {
    WriteIntAttributes(context, AppendNamed(context, parent, "PSHF", name), headerFooterAttributes, kinds);
}

void ReadHeaderFooterElement(pugi::xml_node element, const char* name, PrintHeaderFooterKinds& kinds) {
    if (pugi::xml_node found = FindNamed(element, "PSHF", name))
        ReadIntAttributes(found, headerFooterAttributes, kinds);
}

void WritePrintSettingsElement(XmlDocumentContext& context, pugi::xml_node environment, const PrintSettings& settings,
                               int selectedPrintout) {
    pugi::xml_node element = XmlAppendChildElement(context, environment, "PrintSettings");
    XmlSetIntAttribute(context, element, "PSPrintedObject", selectedPrintout, false);
    for (int i = 0; i < PrintSettings::SectionCount; ++i)
        WritePrintSectionElement(context, element, sectionNames[i], settings.sections[i]);
    pugi::xml_node title = XmlAppendChildElement(context, element, "PSTitle");
    for (int i = 0; i < PrintSettings::TitleLineCount; ++i)
        WritePrintTitleLineElement(context, title, titleLineNames[i], settings.titleLines[i]);
    WriteFontTable(context, title, "TitleFont", settings.titleFont);
    WriteFontTable(context, title, "OtherFont", settings.otherTitleFont);
    pugi::xml_node other = XmlAppendChildElement(context, element, "PSOther");
    WriteHeaderFooterElement(context, other, "Header", settings.headerKinds);
    WriteHeaderFooterElement(context, other, "Footer", settings.footerKinds);
    XmlAppendChildElement(context, other, "Str1", settings.headerFooterText1);
    XmlAppendChildElement(context, other, "Str2", settings.headerFooterText2);
    WriteIntAttributes(context, XmlAppendChildElement(context, other, "PSBlank"), marginAttributes, settings);
    XmlSetIntAttribute(context, element, "PrintType", settings.printKind, false);
}

void ReadPrintSettingsElement(pugi::xml_node environment, PrintSettings& settings, int& selectedPrintout) {
    pugi::xml_node element = XmlFindElement(environment, "PrintSettings");
    if (!element)
        return;
    // The print commands index their printouts with it.
    const qint64 printout = XmlGetIntAttribute(element, "PSPrintedObject", DefaultSelectedPrintout);
    selectedPrintout =
        printout >= 0 && printout <= MaxSelectedPrintout ? static_cast<int>(printout) : DefaultSelectedPrintout;
    for (int i = 0; i < PrintSettings::SectionCount; ++i)
        ReadPrintSectionElement(environment, sectionNames[i], settings.sections[i]);
    if (XmlFindElement(environment, "PSTitle")) {
        for (int i = 0; i < PrintSettings::TitleLineCount; ++i)
            ReadPrintTitleLineElement(environment, titleLineNames[i], settings.titleLines[i]);
        ReadFontTable(environment, "TitleFont", settings.titleFont);
        ReadFontTable(environment, "OtherFont", settings.otherTitleFont);
    }
    if (XmlFindElement(environment, "PSOther")) {
        ReadHeaderFooterElement(environment, "Header", settings.headerKinds);
        ReadHeaderFooterElement(environment, "Footer", settings.footerKinds);
    }
    if (pugi::xml_node text = XmlFindElement(environment, "Str1"))
        settings.headerFooterText1 = XmlGetElementText(text).left(PrintSettings::MaxHeaderFooterTextLength);
    if (pugi::xml_node text = XmlFindElement(environment, "Str2"))
        settings.headerFooterText2 = XmlGetElementText(text).left(PrintSettings::MaxHeaderFooterTextLength);
    if (pugi::xml_node blank = XmlFindElement(environment, "PSBlank"))
        ReadIntAttributes(blank, marginAttributes, settings);
}
