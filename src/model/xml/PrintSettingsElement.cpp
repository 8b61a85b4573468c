#include "model/xml/PrintSettingsElement.h"

#include "model/SettingsFields.h"
#include "model/xml/FieldTableElements.h"

#include <cstring>

namespace {

// "Lexicograhical" is spelt so in every file ever written.
constexpr const char* sectionNames[PrintSettings::SectionCount] = {"Lexicograhical", "Hierarchical", "Single", "Output",
                                                                   "Memo"};
constexpr const char* titleLineNames[PrintSettings::TitleLineCount] = {"Title", "FileName", "Version", "Str1", "Str2"};

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
    WriteIntAttributes(context, AppendNamed(context, parent, "PSSingle", name), kPrintSectionFields, section);
}

void ReadPrintSectionElement(pugi::xml_node element, const char* name, PrintSection& section) {
    if (pugi::xml_node found = FindNamed(element, "PSSingle", name))
        ReadIntAttributes(found, kPrintSectionFields, section);
}

void WritePrintTitleLineElement(XmlDocumentContext& context, pugi::xml_node parent, const char* name,
                                const PrintTitleLine& line) {
    WriteIntAttributes(context, AppendNamed(context, parent, "PSPoint", name, line.text), kPrintTitleLineFields, line);
}

// Hand-written: the line's text is the text of the keyed element itself.
void ReadPrintTitleLineElement(pugi::xml_node element, const char* name, PrintTitleLine& line) {
    pugi::xml_node found = FindNamed(element, "PSPoint", name);
    if (!found)
        return;
    line.text = XmlGetElementText(found).left(PrintTitleLine::MaxTextLength);
    ReadIntAttributes(found, kPrintTitleLineFields, line);
}

void WriteHeaderFooterElement(XmlDocumentContext& context, pugi::xml_node parent, const char* name,
                              const PrintHeaderFooterKinds& kinds) {
    WriteIntAttributes(context, AppendNamed(context, parent, "PSHF", name), kPrintHeaderFooterFields, kinds);
}

void ReadHeaderFooterElement(pugi::xml_node element, const char* name, PrintHeaderFooterKinds& kinds) {
    if (pugi::xml_node found = FindNamed(element, "PSHF", name))
        ReadIntAttributes(found, kPrintHeaderFooterFields, kinds);
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
    WriteFontFields(context, title, kPrintTitleFonts, settings);
    pugi::xml_node other = XmlAppendChildElement(context, element, "PSOther");
    WriteHeaderFooterElement(context, other, "Header", settings.headerKinds);
    WriteHeaderFooterElement(context, other, "Footer", settings.footerKinds);
    WriteTextFields(context, other, kPrintHeaderFooterTexts, settings);
    WriteIntAttributes(context, XmlAppendChildElement(context, other, "PSBlank"), kPrintMarginFields, settings);
    XmlSetIntAttribute(context, element, "PrintType", settings.printKind, false);
}

void ReadPrintSettingsElement(pugi::xml_node environment, PrintSettings& settings, int& selectedPrintout) {
    pugi::xml_node element = XmlFindElement(environment, "PrintSettings");
    if (!element)
        return;
    // Hand-written: the print commands index their printouts with it, so it is range-checked.
    const qint64 printout = XmlGetIntAttribute(element, "PSPrintedObject", DefaultSelectedPrintout);
    selectedPrintout =
        printout >= 0 && printout <= MaxSelectedPrintout ? static_cast<int>(printout) : DefaultSelectedPrintout;
    for (int i = 0; i < PrintSettings::SectionCount; ++i)
        ReadPrintSectionElement(environment, sectionNames[i], settings.sections[i]);
    if (XmlFindElement(environment, "PSTitle")) {
        for (int i = 0; i < PrintSettings::TitleLineCount; ++i)
            ReadPrintTitleLineElement(environment, titleLineNames[i], settings.titleLines[i]);
        ReadFontFields(environment, kPrintTitleFonts, settings);
    }
    if (XmlFindElement(environment, "PSOther")) {
        ReadHeaderFooterElement(environment, "Header", settings.headerKinds);
        ReadHeaderFooterElement(environment, "Footer", settings.footerKinds);
    }
    ReadTextFields(environment, kPrintHeaderFooterTexts, settings);
    if (pugi::xml_node blank = XmlFindElement(environment, "PSBlank")) {
        ReadIntAttributes(blank, kPrintMarginFields, settings);
        settings.CorrectMargins();
    }
}
