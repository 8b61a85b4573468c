#include "model/xml/ViewLayoutElements.h"

#include "model/SettingsFields.h"
#include "model/xml/FieldTableElements.h"

void WriteTitleTable(XmlDocumentContext& context, pugi::xml_node parent, const CTitleTable& titles) {
    WriteTextFields(context, XmlAppendChildElement(context, parent, "TitleTable"), kTitleFields, titles);
}

void ReadTitleTable(pugi::xml_node parent, CTitleTable& titles) {
    if (pugi::xml_node element = XmlFindElement(parent, "TitleTable"))
        ReadTextFields(element, kTitleFields, titles);
}

void WriteIndexViewTable(XmlDocumentContext& context, pugi::xml_node parent,
                         const HierarchicalIndexSettings& settings) {
    pugi::xml_node element = XmlAppendChildElement(context, parent, "IndexViewTable");
    WriteFontFields(context, element, kIndexViewFonts, settings);
    WriteIntAttributes(context, element, kIndexViewFields, settings);
}

void ReadIndexViewTable(pugi::xml_node parent, HierarchicalIndexSettings& settings) {
    pugi::xml_node element = XmlFindElement(parent, "IndexViewTable");
    if (!element)
        return;
    ReadFontFields(element, kIndexViewFonts, settings);
    ReadIntAttributes(element, kIndexViewFields, settings);
}

void WriteIndexViewInfo(XmlDocumentContext& context, pugi::xml_node parent, const IndexViewInfo& info) {
    WriteIntAttributes(context, XmlAppendChildElement(context, parent, "IndexViewInfo"), kIndexViewInfoFields, info);
}

void ReadIndexViewInfo(pugi::xml_node element, IndexViewInfo& info) {
    if (element)
        ReadIntAttributes(element, kIndexViewInfoFields, info);
}

void WriteOutputView(XmlDocumentContext& context, pugi::xml_node parent, const FontSetting& outputViewFont) {
    WriteFontTable(context, XmlAppendChildElement(context, parent, "OutputView"), "Font", outputViewFont);
}

void ReadOutputView(pugi::xml_node parent, FontSetting& outputViewFont) {
    if (pugi::xml_node element = XmlFindElement(parent, "OutputView"))
        ReadFontTable(element, "Font", outputViewFont);
}

void WriteHeaderIOSettings(XmlDocumentContext& context, pugi::xml_node parent, const HeaderIOSettings& settings) {
    WriteIntAttributes(context, XmlAppendChildElement(context, parent, "HeaderIOSettings"), kHeaderIOFields, settings);
}

void ReadHeaderIOSettings(pugi::xml_node parent, HeaderIOSettings& settings) {
    if (pugi::xml_node element = XmlFindElement(parent, "HeaderIOSettings"))
        ReadIntAttributes(element, kHeaderIOFields, settings);
}
