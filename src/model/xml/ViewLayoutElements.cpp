#include "model/xml/ViewLayoutElements.h"

#include "model/xml/FontTableElement.h"
#include "model/xml/IntAttributeTable.h"
#include "model/xml/XmlDocumentContext.h"

#include <array>

namespace {

struct TitleField {
    const char* name;
    QString CTitleTable::*title;
    int maxLength;
};

const std::array<TitleField, 7> titleFields{{
    {"IDTitle", &CTitleTable::IDTitle, CTitleTable::MaxIDTitle},
    {"FuncNameTitle", &CTitleTable::FuncNameTitle, CTitleTable::MaxFuncNameTitle},
    {"FuncTitle", &CTitleTable::FuncTitle, CTitleTable::MaxFuncTitle},
    {"SignTitle", &CTitleTable::SignTitle, CTitleTable::MaxSignTitle},
    {"ChildTitle", &CTitleTable::ChildTitle, CTitleTable::MaxChildTitle},
    {"WorkTitle", &CTitleTable::WorkTitle, CTitleTable::MaxWorkTitle},
    {"TotalTitle", &CTitleTable::TotalTitle, CTitleTable::MaxTotalTitle},
}};

const std::array<IntAttribute<HierarchicalIndexSettings>, 13> boxFields{{
    NUV_INT_ATTRIBUTE(HierarchicalIndexSettings, HieBoxSizeX, "HieBoxSizeX", true, 0),
    NUV_INT_ATTRIBUTE(HierarchicalIndexSettings, HieBoxSizeY, "HieBoxSizeY", true, 0),
    NUV_INT_ATTRIBUTE(HierarchicalIndexSettings, HieBoxIntvX, "HieBoxIntvX", true, 0),
    NUV_INT_ATTRIBUTE(HierarchicalIndexSettings, HieBoxIntvY, "HieBoxIntvY", true, 0),
    NUV_INT_ATTRIBUTE(HierarchicalIndexSettings, HieIDAlign, "HieIDAlign", true, 0),
    NUV_INT_ATTRIBUTE(HierarchicalIndexSettings, HieFuncAlign, "HieFuncAlign", true, 0),
    NUV_INT_ATTRIBUTE(HierarchicalIndexSettings, HieColorDescOn, "HieColorDescOn", true, 0),
    NUV_INT_ATTRIBUTE(HierarchicalIndexSettings, HieColorDescOff, "HieColorDescOff", true, 0),
    NUV_INT_ATTRIBUTE(HierarchicalIndexSettings, HieColorReuse, "HieColorReuse", true, 0),
    NUV_INT_ATTRIBUTE(HierarchicalIndexSettings, HieColorReuseRef, "HieColorReuseRef", true, 0),
    NUV_INT_ATTRIBUTE(HierarchicalIndexSettings, LexIsDispShortenID, "LexIsDispShortenID", true, 0),
    NUV_INT_ATTRIBUTE(HierarchicalIndexSettings, HierZoomVal, "HierZoomVal", true, 0),
    NUV_INT_ATTRIBUTE(HierarchicalIndexSettings, HierZoomWindowAdj, "HierZoomWindowAdj", true, 0),
}};

const std::array<IntAttribute<IndexViewInfo>, 7> indexViewInfoFields{{
    NUV_INT_ATTRIBUTE(IndexViewInfo, HierHScrollPosition, "HierHScrollPosition", true, 0),
    NUV_INT_ATTRIBUTE(IndexViewInfo, HierVScrollPosition, "HierVScrollPosition", true, 0),
    NUV_INT_ATTRIBUTE(IndexViewInfo, HierClickedInternalID, "HierClickedInternalID", true, 0),
    NUV_INT_ATTRIBUTE(IndexViewInfo, HierViewPageNum, "HierViewPageNum", true, 0),
    NUV_INT_ATTRIBUTE(IndexViewInfo, LexiSelectInternalID, "LexiSelectInternalID", true, 0),
    NUV_INT_ATTRIBUTE(IndexViewInfo, LexiHScrollPosition, "LexiHScrollPosition", true, 0),
    NUV_INT_ATTRIBUTE(IndexViewInfo, LexiVScrollPosition, "LexiVScrollPosition", true, 0),
}};

const std::array<IntAttribute<HeaderIOSettings>, 12> headerIOFields{{
    NUV_INT_ATTRIBUTE(HeaderIOSettings, Input, "Input", true, 0),
    NUV_INT_ATTRIBUTE(HeaderIOSettings, Output, "Output", true, 0),
    NUV_INT_ATTRIBUTE(HeaderIOSettings, ColorNo1, "ColorNo1", true, 0),
    NUV_INT_ATTRIBUTE(HeaderIOSettings, ColorNo2, "ColorNo2", true, 0),
    NUV_INT_ATTRIBUTE(HeaderIOSettings, Color1, "Color1", true, 0),
    NUV_INT_ATTRIBUTE(HeaderIOSettings, Color2, "Color2", true, 0),
    NUV_INT_ATTRIBUTE(HeaderIOSettings, HorizontalSizeShared, "HorizontalSizeShared", true, 0),
    NUV_INT_ATTRIBUTE(HeaderIOSettings, VerticalSizeShared, "VerticalSizeShared", true, 0),
    NUV_INT_ATTRIBUTE(HeaderIOSettings, FunctionHeight, "FunctionHeight", false, 100),
    NUV_INT_ATTRIBUTE(HeaderIOSettings, InputWidth, "InputWidth", true, 100),
    NUV_INT_ATTRIBUTE(HeaderIOSettings, FunctionWidth, "FunctionWidth", true, 200),
    NUV_INT_ATTRIBUTE(HeaderIOSettings, OutputWidth, "OutputWidth", true, 100),
}};

} // namespace

void WriteTitleTable(XmlDocumentContext& context, pugi::xml_node parent, const CTitleTable& titles) {
    pugi::xml_node element = XmlAppendChildElement(context, parent, "TitleTable");
    for (const TitleField& field : titleFields)
        XmlAppendChildElement(context, element, field.name, titles.*(field.title));
}

void ReadTitleTable(pugi::xml_node parent, CTitleTable& titles) {
    pugi::xml_node element = XmlFindElement(parent, "TitleTable");
    if (!element)
        return;
    for (const TitleField& field : titleFields)
        titles.*(field.title) = XmlGetChildText(element, field.name).left(field.maxLength);
}

void WriteIndexViewTable(XmlDocumentContext& context, pugi::xml_node parent,
                         const HierarchicalIndexSettings& settings) {
    pugi::xml_node element = XmlAppendChildElement(context, parent, "IndexViewTable");
    XmlSetIntAttribute(context, element, "LexIsDispReuseID", settings.LexIsDispReuseID, false);
    XmlSetIntAttribute(context, element, "LexIsDispShortenIdFirstPunctuation",
                       settings.LexIsDispShortenIdFirstPunctuation, false);
    WriteFontTable(context, element, "LexFont", settings.LexFont);
    WriteFontTable(context, element, "HieFont", settings.HieFont);
    WriteFontTable(context, element, "HieIDFont", settings.HieIDFont);
    WriteIntAttributes(context, element, boxFields, settings);
}

void ReadIndexViewTable(pugi::xml_node parent, HierarchicalIndexSettings& settings) {
    pugi::xml_node element = XmlFindElement(parent, "IndexViewTable");
    if (!element)
        return;
    settings.LexIsDispReuseID = static_cast<int32_t>(XmlGetIntAttribute(element, "LexIsDispReuseID", 1));
    settings.LexIsDispShortenIdFirstPunctuation =
        XmlGetIntAttribute(element, "LexIsDispShortenIdFirstPunctuation", 0) > 0 ? 1 : 0;
    ReadFontTable(element, "LexFont", settings.LexFont);
    ReadFontTable(element, "HieFont", settings.HieFont);
    ReadFontTable(element, "HieIDFont", settings.HieIDFont);
    ReadIntAttributes(element, boxFields, settings);
}

void WriteIndexViewInfo(XmlDocumentContext& context, pugi::xml_node parent, const IndexViewInfo& info) {
    WriteIntAttributes(context, XmlAppendChildElement(context, parent, "IndexViewInfo"), indexViewInfoFields, info);
}

void ReadIndexViewInfo(pugi::xml_node element, IndexViewInfo& info) {
    if (element)
        ReadIntAttributes(element, indexViewInfoFields, info);
}

void WriteOutputView(XmlDocumentContext& context, pugi::xml_node parent, const FontSetting& outputViewFont) {
    WriteFontTable(context, XmlAppendChildElement(context, parent, "OutputView"), "Font", outputViewFont);
}

void ReadOutputView(pugi::xml_node parent, FontSetting& outputViewFont) {
    if (pugi::xml_node element = XmlFindElement(parent, "OutputView"))
        ReadFontTable(element, "Font", outputViewFont);
}

void WriteHeaderIOSettings(XmlDocumentContext& context, pugi::xml_node parent, const HeaderIOSettings& settings) {
    WriteIntAttributes(context, XmlAppendChildElement(context, parent, "HeaderIOSettings"), headerIOFields, settings);
}

void ReadHeaderIOSettings(pugi::xml_node parent, HeaderIOSettings& settings) {
    if (pugi::xml_node element = XmlFindElement(parent, "HeaderIOSettings"))
        ReadIntAttributes(element, headerIOFields, settings);
}
