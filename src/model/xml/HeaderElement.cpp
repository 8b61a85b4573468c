#include "model/xml/HeaderElement.h"

#include "model/UnitFunction.h"
#include "model/xml/FontTableElement.h"
#include "model/xml/UnitFunctionElements.h"
#include "model/xml/XmlDocumentContext.h"
#include "model/xml/XmlStreamWriter.h"

#include <cstring>

namespace {

// Longer content texts are stored twice: cut in "FunctionContents", whole in "FunctionContents2".
constexpr int kContentsSplitLength = 1024;

bool IsZero(const WorkItem& item) {
    return item.Current == 0.0f && item.Under == 0.0f && item.Total == 0.0f && item.ShowCurrent == 0.0f;
}

qint32 PaneSizeToWrite(qint32 size) {
    return size > 0 ? size : -1;
}

void WriteContentsElement(const CUnitFunctionHeader& header, XmlDocumentContext& context, XmlStreamWriter& writer,
                          const char* name, const QString& text, bool withObject) {
    writer.Start(name);
    writer.IntAttribute("ModifiedWhenZoom", header.modifiedWhenZoom, false);
    writer.IntAttribute("LineNum", header.contentLineNum, true);
    writer.Text(text);
    WriteFontTable(writer, "Font", header.contentFont);
    if (withObject && !header.objectData.isEmpty()) {
        writer.Start("Object");
        writer.IntAttribute("Size", header.objectData.size(), true);
        writer.IntAttribute("OriginalSize", static_cast<qint64>(header.objectOriginalSize), true);
        writer.Text(XmlEncodeBinary(context, header.objectData.constData(),
                                    static_cast<std::size_t>(header.objectData.size())));
        writer.End("Object");
    }
    writer.End(name);
}

void WriteFunctionContentsElements(const CUnitFunctionHeader& header, XmlDocumentContext& context,
                                   XmlStreamWriter& writer) {
    const QString& text = header.contentText;
    if (text.size() <= kContentsSplitLength) {
        WriteContentsElement(header, context, writer, "FunctionContents", text, true);
        return;
    }
    WriteContentsElement(header, context, writer, "FunctionContents", text.left(kContentsSplitLength), false);
    WriteContentsElement(header, context, writer, "FunctionContents2", text, true);
}

void WriteWorkNumElement(const CUnitFunctionHeader& header, XmlStreamWriter& writer) {
    writer.Start("WorkNum");
    writer.IntAttribute("Unit", header.Unit, true);
    writer.IntAttribute("TypeNo", header.TypeNo, true);
    writer.Attribute("Type", header.Type, true);
    writer.Attribute("Sign", header.Sign, true);
    writer.FloatAttribute("Child", header.Child, true);
    writer.FloatAttribute("Work", header.Work, true);
    writer.FloatAttribute("Total", header.Total, true);
    writer.FloatAttribute("ShowWork", header.ShowWork, true);
    int count = CUnitFunctionHeader::WorkItemCount;
    while (count > 0 && IsZero(header.workItems[static_cast<std::size_t>(count - 1)]))
        --count;
    for (int i = 0; i < count; ++i) {
        const WorkItem& item = header.workItems[static_cast<std::size_t>(i)];
        writer.Start("WorkItem");
        writer.FloatAttribute("Current", item.Current, true);
        writer.FloatAttribute("Under", item.Under, true);
        writer.FloatAttribute("Total", item.Total, true);
        writer.FloatAttribute("ShowCurrent", item.ShowCurrent, true);
        writer.End("WorkItem");
    }
    writer.End("WorkNum");
}

void ReadContents(CUnitFunctionHeader& header, pugi::xml_node contents) {
    header.modifiedWhenZoom = static_cast<quint8>(XmlGetIntAttribute(contents, "ModifiedWhenZoom", 0));
    header.contentLineNum = static_cast<quint16>(XmlGetIntAttribute(contents, "LineNum", 0));
    header.contentText = XmlGetElementText(contents);
    ReadFontTable(contents, "Font", header.contentFont);
    header.objectData.clear();
    header.objectOriginalSize = 0;
    const pugi::xml_node object = XmlFindElement(contents, "Object");
    if (!object)
        return;
    const qint64 originalSize = XmlGetIntAttribute(object, "OriginalSize", 0);
    if (originalSize <= 0)
        return;
    header.objectData = XmlDecodeBinary(XmlGetElementText(object));
    header.objectOriginalSize = static_cast<quint64>(originalSize);
}

} // namespace

void WriteHeaderElement(const CUnitFunction& function, XmlDocumentContext& context, pugi::xml_node functionElement,
                        const QString& outlineNumberText) {
    std::string xml;
    XmlStreamWriter writer(xml);
    WriteHeaderElement(function, context, writer, outlineNumberText);
    XmlAppendWritten(functionElement, xml);
}

void WriteHeaderElement(const CUnitFunction& function, XmlDocumentContext& context, XmlStreamWriter& writer,
                        const QString& outlineNumberText) {
    const CUnitFunctionHeader& header = function.header;
    writer.Start("Header");
    if (context.olderFormat) {
        writer.Attribute("ID", QLatin1Char('#') + outlineNumberText, false);
        writer.IntAttribute("IDLevel", 1, false);
        writer.Attribute("BinID", "0x00ffffffffffffffffffffffffffffff");
    }
    writer.IntAttribute("FunctionHeight", PaneSizeToWrite(header.FunctionHeight), false);
    writer.IntAttribute("InputWidth", PaneSizeToWrite(header.InputWidth), false);
    writer.IntAttribute("FunctionWidth", PaneSizeToWrite(header.FunctionWidth), false);
    writer.IntAttribute("OutputWidth", PaneSizeToWrite(header.OutputWidth), false);
    if (context.olderFormat)
        writer.Element("IdName", function.name);
    WriteFunctionContentsElements(header, context, writer);
    WriteWorkNumElement(header, writer);
    for (const QString& requirement : header.ownRequirements) {
        writer.Element("Request", requirement);
        writer.Element("Requirement", requirement);
    }
    writer.Element("UniqueLabel", header.uniqueLabel);
    writer.Element("UnNecessaryReasoning",
                   header.UnNecessaryReasoning ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
    writer.Element("Reasoning", header.Reasoning);
    writer.End("Header");
}

void ReadHeaderElement(CUnitFunction& function, const XmlElementIndex& functionIndex) {
    ReadHeaderElement(function, functionIndex, functionIndex.All());
}

void ReadHeaderElement(CUnitFunction& function, const XmlElementIndex& index, XmlElementIndex::Range functionRange) {
    HeaderElementParts parts;
    XmlElementIndex::Range below;
    index.ForEachOwn(FnHeader, FnFunction, functionRange, [&](pugi::xml_node found, XmlElementIndex::Range foundBelow) {
        parts.header = found;
        below = foundBelow;
        return false;
    });
    if (!parts.header)
        return;
    parts.idName = index.FirstOwn(FnIdName, FnFunction, below);
    parts.contents = index.FirstOwn(FnContents, FnFunction, below);
    parts.contents2 = index.FirstOwn(FnContents2, FnFunction, below);
    parts.workNum = index.FirstOwn(FnWorkNum, FnFunction, below);
    for (const std::size_t name : {FnRequirement, FnRequest}) {
        index.ForEachOwn(name, FnFunction, below, [&](pugi::xml_node element) {
            parts.requirements.insert(XmlGetElementText(element));
            return true;
        });
    }
    parts.uniqueLabel = index.FirstOwn(FnUniqueLabel, FnFunction, below);
    parts.unnecessaryReasoning = index.FirstOwn(FnUnNecessaryReasoning, FnFunction, below);
    parts.reasoning = index.FirstOwn(FnReasoning, FnFunction, below);
    ReadHeaderParts(function, parts);
}

bool CollectPlainHeaderParts(pugi::xml_node header, HeaderElementParts& parts) {
    parts.header = header;
    const auto takeOnce = [](pugi::xml_node element, pugi::xml_node& part) {
        if (part)
            return false;
        part = element;
        return true;
    };
    for (pugi::xml_node child = header.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element)
            continue;
        const char* name = child.name();
        bool plain = false;
        if (XmlSameName(name, "FunctionContents") || XmlSameName(name, "FunctionContents2")) {
            plain = takeOnce(child, name[16] == '\0' ? parts.contents : parts.contents2) &&
                    XmlHasOnlyLeafChildren(child, {"FontTable", "Object"});
        } else if (XmlSameName(name, "WorkNum")) {
            plain = takeOnce(child, parts.workNum) && XmlHasOnlyLeafChildren(child, {"WorkItem"});
        } else if (XmlSameName(name, "Requirement") || XmlSameName(name, "Request")) {
            plain = XmlHasOnlyLeafChildren(child, {});
            parts.requirements.insert(XmlGetElementText(child));
        } else {
            pugi::xml_node* part = XmlSameName(name, "UniqueLabel")            ? &parts.uniqueLabel
                                   : XmlSameName(name, "UnNecessaryReasoning") ? &parts.unnecessaryReasoning
                                   : XmlSameName(name, "Reasoning")            ? &parts.reasoning
                                   : XmlSameName(name, "IdName")               ? &parts.idName
                                                                               : nullptr;
            plain = part && takeOnce(child, *part) && XmlHasOnlyLeafChildren(child, {});
        }
        if (!plain)
            return false;
    }
    return true;
}

void ReadHeaderParts(CUnitFunction& function, const HeaderElementParts& parts) {
    const pugi::xml_node element = parts.header;
    CUnitFunctionHeader& header = function.header;
    if (parts.idName)
        function.name = XmlGetElementText(parts.idName);

    if (const pugi::xml_node contents = parts.contents2 ? parts.contents2 : parts.contents)
        ReadContents(header, contents);

    if (const pugi::xml_node work = parts.workNum) {
        header.Unit = static_cast<quint8>(XmlGetIntAttribute(work, "Unit", 0));
        header.TypeNo = static_cast<quint8>(XmlGetIntAttribute(work, "TypeNo", 0));
        header.Type = XmlGetAttribute(work, "Type").left(CUnitFunctionHeader::MaxTypeLength);
        header.Sign = XmlGetAttribute(work, "Sign").left(CUnitFunctionHeader::MaxSignLength);
        header.Child = static_cast<float>(XmlGetFloatAttribute(work, "Child", 0.0));
        header.Work = static_cast<float>(XmlGetFloatAttribute(work, "Work", 0.0));
        header.Total = static_cast<float>(XmlGetFloatAttribute(work, "Total", 0.0));
        header.ShowWork = static_cast<float>(XmlGetFloatAttribute(work, "ShowWork", 0.0));
        std::size_t itemIndex = 0;
        XmlForEachElement(work, "WorkItem", [&](pugi::xml_node itemElement) {
            WorkItem& item = header.workItems[itemIndex];
            item.Current = static_cast<float>(XmlGetFloatAttribute(itemElement, "Current", 0.0));
            item.Under = static_cast<float>(XmlGetFloatAttribute(itemElement, "Under", 0.0));
            item.Total = static_cast<float>(XmlGetFloatAttribute(itemElement, "Total", 0.0));
            item.ShowCurrent = static_cast<float>(XmlGetFloatAttribute(itemElement, "ShowCurrent", 0.0));
            return ++itemIndex < header.workItems.size();
        });
    }

    for (const QString& requirement : parts.requirements) {
        if (!requirement.isEmpty())
            header.ownRequirements.insert(requirement);
    }

    header.uniqueLabel = XmlGetElementText(parts.uniqueLabel);
    const pugi::xml_node unnecessary = parts.unnecessaryReasoning.first_child();
    header.UnNecessaryReasoning =
        unnecessary.type() == pugi::node_pcdata && std::strcmp(unnecessary.value(), "TRUE") == 0;
    header.Reasoning = XmlGetElementText(parts.reasoning);
    header.FunctionHeight = static_cast<qint32>(XmlGetIntAttribute(element, "FunctionHeight", 72));
    header.InputWidth = static_cast<qint32>(XmlGetIntAttribute(element, "InputWidth", 250));
    header.FunctionWidth = static_cast<qint32>(XmlGetIntAttribute(element, "FunctionWidth", 350));
    header.OutputWidth = static_cast<qint32>(XmlGetIntAttribute(element, "OutputWidth", 250));
}
