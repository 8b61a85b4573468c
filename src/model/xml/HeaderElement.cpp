#include "model/xml/HeaderElement.h"

#include "model/UnitFunction.h"
#include "model/xml/FontTableElement.h"
#include "model/xml/UnitFunctionElements.h"
#include "model/xml/XmlDocumentContext.h"

#include <cstring>

namespace {

// Longer content texts are stored twice: cut in "FunctionContents", whole in "FunctionContents2".
constexpr int kContentsSplitLength = 1024;

pugi::xml_node AppendContentsElement(const CUnitFunctionHeader& header, XmlDocumentContext& context,
                                     pugi::xml_node headerElement, const char* name, const QString& text,
                                     bool withObject) {
    pugi::xml_node element = XmlAppendChildElement(context, headerElement, name, text);
    XmlSetIntAttribute(context, element, "ModifiedWhenZoom", header.modifiedWhenZoom, false);
    XmlSetIntAttribute(context, element, "LineNum", header.contentLineNum, true);
    WriteFontTable(context, element, "Font", header.contentFont);
    if (withObject && !header.objectData.isEmpty()) {
        const QString encoded =
            XmlEncodeBinary(context, header.objectData.constData(), static_cast<std::size_t>(header.objectData.size()));
        pugi::xml_node object = XmlAppendChildElement(context, element, "Object", encoded);
        XmlSetIntAttribute(context, object, "Size", header.objectData.size(), true);
        XmlSetIntAttribute(context, object, "OriginalSize", header.objectOriginalSize, true);
    }
    return element;
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

bool IsZero(const WorkItem& item) {
    return item.Current == 0.0f && item.Under == 0.0f && item.Total == 0.0f && item.ShowCurrent == 0.0f;
}

qint32 PaneSizeToWrite(qint32 size) {
    return size > 0 ? size : -1;
}

} // namespace

void WriteHeaderElement(const CUnitFunction& function, XmlDocumentContext& context, pugi::xml_node functionElement,
                        const QString& outlineNumberText) {
    const CUnitFunctionHeader& header = function.header;
    pugi::xml_node element = XmlAppendChildElement(context, functionElement, "Header");
    if (context.olderFormat) {
        XmlAppendChildElement(context, element, "IdName", function.name);
        XmlSetAttribute(context, element, "ID", QLatin1Char('#') + outlineNumberText, false);
        XmlSetIntAttribute(context, element, "IDLevel", 1, false);
        XmlSetAttribute(context, element, "BinID", QStringLiteral("0x00ffffffffffffffffffffffffffffff"), false);
    }
    WriteFunctionContentsElements(header, context, element);
    WriteWorkNumElement(header, context, element);
    for (const QString& requirement : header.ownRequirements) {
        XmlAppendChildElement(context, element, "Request", requirement);
        XmlAppendChildElement(context, element, "Requirement", requirement);
    }
    XmlAppendChildElement(context, element, "UniqueLabel", header.uniqueLabel);
    XmlAppendChildElement(context, element, "UnNecessaryReasoning",
                          header.UnNecessaryReasoning ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
    XmlAppendChildElement(context, element, "Reasoning", header.Reasoning);
    XmlSetIntAttribute(context, element, "FunctionHeight", PaneSizeToWrite(header.FunctionHeight), false);
    XmlSetIntAttribute(context, element, "InputWidth", PaneSizeToWrite(header.InputWidth), false);
    XmlSetIntAttribute(context, element, "FunctionWidth", PaneSizeToWrite(header.FunctionWidth), false);
    XmlSetIntAttribute(context, element, "OutputWidth", PaneSizeToWrite(header.OutputWidth), false);
}

void WriteFunctionContentsElements(const CUnitFunctionHeader& header, XmlDocumentContext& context,
                                   pugi::xml_node headerElement) {
    const QString& text = header.contentText;
    if (text.size() <= kContentsSplitLength) {
        AppendContentsElement(header, context, headerElement, "FunctionContents", text, true);
        return;
    }
    AppendContentsElement(header, context, headerElement, "FunctionContents", text.left(kContentsSplitLength), false);
    AppendContentsElement(header, context, headerElement, "FunctionContents2", text, true);
}

void WriteWorkNumElement(const CUnitFunctionHeader& header, XmlDocumentContext& context, pugi::xml_node headerElement) {
    pugi::xml_node element = XmlAppendChildElement(context, headerElement, "WorkNum");
    XmlSetIntAttribute(context, element, "Unit", header.Unit, true);
    XmlSetIntAttribute(context, element, "TypeNo", header.TypeNo, true);
    XmlSetAttribute(context, element, "Type", header.Type, true);
    XmlSetAttribute(context, element, "Sign", header.Sign, true);
    XmlSetFloatAttribute(context, element, "Child", header.Child, true);
    XmlSetFloatAttribute(context, element, "Work", header.Work, true);
    XmlSetFloatAttribute(context, element, "Total", header.Total, true);
    XmlSetFloatAttribute(context, element, "ShowWork", header.ShowWork, true);
    int count = CUnitFunctionHeader::WorkItemCount;
    while (count > 0 && IsZero(header.workItems[static_cast<std::size_t>(count - 1)]))
        --count;
    for (int i = 0; i < count; ++i) {
        const WorkItem& item = header.workItems[static_cast<std::size_t>(i)];
        pugi::xml_node itemElement = XmlAppendChildElement(context, element, "WorkItem");
        XmlSetFloatAttribute(context, itemElement, "Current", item.Current, true);
        XmlSetFloatAttribute(context, itemElement, "Under", item.Under, true);
        XmlSetFloatAttribute(context, itemElement, "Total", item.Total, true);
        XmlSetFloatAttribute(context, itemElement, "ShowCurrent", item.ShowCurrent, true);
    }
}

void ReadHeaderElement(CUnitFunction& function, const XmlElementIndex& functionIndex) {
    ReadHeaderElement(function, functionIndex, functionIndex.All());
}

void ReadHeaderElement(CUnitFunction& function, const XmlElementIndex& index, XmlElementIndex::Range functionRange) {
    pugi::xml_node element;
    XmlElementIndex::Range below;
    index.ForEachOwn(FnHeader, FnFunction, functionRange, [&](pugi::xml_node found, XmlElementIndex::Range foundBelow) {
        element = found;
        below = foundBelow;
        return false;
    });
    if (!element)
        return;
    CUnitFunctionHeader& header = function.header;
    if (const pugi::xml_node idName = index.FirstOwn(FnIdName, FnFunction, below))
        function.name = XmlGetElementText(idName);

    if (const pugi::xml_node contents = index.FirstOwn(FnContents2, FnFunction, below)
                                            ? index.FirstOwn(FnContents2, FnFunction, below)
                                            : index.FirstOwn(FnContents, FnFunction, below))
        ReadContents(header, contents);

    if (const pugi::xml_node work = index.FirstOwn(FnWorkNum, FnFunction, below)) {
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

    std::set<QString> requirements;
    for (const std::size_t name : {FnRequirement, FnRequest}) {
        index.ForEachOwn(name, FnFunction, below, [&](pugi::xml_node element) {
            requirements.insert(XmlGetElementText(element));
            return true;
        });
    }
    for (const QString& requirement : requirements) {
        if (!requirement.isEmpty())
            header.ownRequirements.insert(requirement);
    }

    header.uniqueLabel = XmlGetElementText(index.FirstOwn(FnUniqueLabel, FnFunction, below));
    const pugi::xml_node unnecessary = index.FirstOwn(FnUnNecessaryReasoning, FnFunction, below).first_child();
    header.UnNecessaryReasoning =
        unnecessary.type() == pugi::node_pcdata && std::strcmp(unnecessary.value(), "TRUE") == 0;
    header.Reasoning = XmlGetElementText(index.FirstOwn(FnReasoning, FnFunction, below));
    header.FunctionHeight = static_cast<qint32>(XmlGetIntAttribute(element, "FunctionHeight", 72));
    header.InputWidth = static_cast<qint32>(XmlGetIntAttribute(element, "InputWidth", 250));
    header.FunctionWidth = static_cast<qint32>(XmlGetIntAttribute(element, "FunctionWidth", 350));
    header.OutputWidth = static_cast<qint32>(XmlGetIntAttribute(element, "OutputWidth", 250));
}
