#include "model/UnitFunctionElements.h"

#include "model/FontTableElement.h"
#include "model/HeaderElement.h"
#include "model/UnitFunctionRegistry.h"
#include "model/XmlDocumentContext.h"

#include <QStringList>

#include <cstring>
#include <unordered_set>

namespace {

// The file has one kind number for a plain line and for Transit State; the reader tells them apart by the
// text usedSlots a Transit State line carries.
constexpr int kStoredPlainLine = 14;

quint32 WrittenID(const WrittenIDs* ids, quint32 id) {
    if (!ids)
        return id;
    const auto found = ids->find(id);
    return found == ids->end() ? 0 : found->second;
}

// The logic lines of a Function element: its "Line" elements, leaving out the lines of its "Explanation".
std::vector<pugi::xml_node> LogicLineElements(pugi::xml_node functionElement, qint64 limit) {
    std::vector<pugi::xml_node> lines;
    if (limit <= 0)
        return lines;
    XmlForEachElement(functionElement, "Line", [&](pugi::xml_node line) {
        if (std::strcmp(line.parent().name(), "Explanation") != 0)
            lines.push_back(line);
        return static_cast<qint64>(lines.size()) < limit;
    });
    return lines;
}

void ReadLineElement(pugi::xml_node element, CLogicLine& line) {
    line.Top = static_cast<quint16>(XmlGetIntAttribute(element, "Top", 0));
    line.Next = static_cast<quint16>(XmlGetIntAttribute(element, "Next", 0));
    const qint64 kind = XmlGetIntAttribute(element, "ConstNo", 0);
    line.Home = static_cast<quint16>(XmlGetIntAttribute(element, "Home", 0));
    line.Home2 = static_cast<quint16>(XmlGetIntAttribute(element, "Home2", 0));
    line.End = static_cast<quint16>(XmlGetIntAttribute(element, "End", 0));
    line.slotCount = static_cast<quint8>(XmlGetIntAttribute(element, "DataNum", 0));
    line.auxiliaryVerbFlag = static_cast<quint8>(XmlGetIntAttribute(element, "AuVerbFlg", 0));
    line.auxiliaryVerbId = static_cast<quint16>(XmlGetIntAttribute(element, "AuVerbID", 0));
    line.mark = static_cast<quint32>(XmlGetIntAttribute(element, "Mark", 0));
    line.memo = XmlGetChildText(element, "Memo").left(CLogicLine::MaxMemoLength);
    std::size_t url = 0;
    XmlForEachElement(element, "URL", [&](pugi::xml_node found) {
        line.urls[url] = XmlGetElementText(found).left(CLogicLine::MaxUrlLength);
        return ++url < line.urls.size();
    });
    const qint64 reused = XmlGetIntAttribute(element, "ReuseInternalID", 0);
    line.calledInternalID = static_cast<quint32>(reused != 0 ? reused : XmlGetIntAttribute(element, "InternalID", 0));
    const bool hasInputStr = XmlFindElement(element, "InputStr");
    ReadInputStrElements(element, line);
    line.transitionAttribute = static_cast<quint8>(XmlGetIntAttribute(element, "KosAttribute", 0));
    if (kind == kStoredPlainLine)
        line.lineKind = line.slotCount > 0 || hasInputStr ? SyntaxTransitState : SyntaxPlainLine;
    else
        line.lineKind = static_cast<quint8>(kind);
}

} // namespace

void SaveRegistryXml(CUnitFunctionRegistry& registry, XmlDocumentContext& context, pugi::xml_node container,
                     bool distinguishPrimaryOutlineNumber) {
    registry.RemoveEmptyFnStatementsAll();
    if (!context.olderFormat) {
        XmlSetIntAttribute(context, container, "Root", registry.origin ? registry.origin->InternalID : 0, true);
        for (const auto& [id, function] : registry.Functions())
            SaveFunctionXml(function, context, XmlAppendChildElement(context, container, "Function"), nullptr,
                            QString());
        return;
    }
    XmlSetIntAttribute(context, container, "Num", registry.Count(), true);
    XmlSetIntAttribute(context, container, "MaxInternalID", registry.Count(), true);
    UnitFunctionSet all;
    registry.CollectAll(all);
    UnitFunctionList ordered;
    SortedVectorFromSet(all, ordered, distinguishPrimaryOutlineNumber);
    // One numbering for every reference of this section, so that it reads back into the same tree.
    WrittenIDs ids;
    for (const CUnitFunction* function : ordered)
        ids[function->InternalID] = ++context.olderFormatCounter;
    for (const CUnitFunction* function : ordered)
        SaveFunctionXml(*function, context, XmlAppendChildElement(context, container, "Function"), &ids,
                        function->GetOutlineNumberText(distinguishPrimaryOutlineNumber));
}

void LoadRegistryXml(CUnitFunctionRegistry& registry, pugi::xml_node container) {
    registry.Clear();
    const std::vector<pugi::xml_node> elements = XmlFindElements(container, "Function");
    for (const pugi::xml_node element : elements)
        registry.CreateFunctionWithID(static_cast<quint32>(XmlGetIntAttribute(element, "InternalID", 0)));
    registry.origin = registry.FindByInternalID(static_cast<quint32>(XmlGetIntAttribute(container, "Root", 0)));
    // Two elements with one InternalID: the first one holds the unit function, the others are ignored
    // rather than piling their lines and children onto it.
    std::unordered_set<quint32> read;
    for (const pugi::xml_node element : elements) {
        const auto id = static_cast<quint32>(XmlGetIntAttribute(element, "InternalID", 0));
        if (read.insert(id).second)
            LoadFunctionXml(*registry.FindByInternalID(id), registry, element);
    }
    if (!registry.origin && !elements.empty())
        registry.origin =
            registry.FindByInternalID(static_cast<quint32>(XmlGetIntAttribute(elements.front(), "InternalID", 0)));
    registry.RemoveEmptyFnStatementsAll();
}

void LoadOlderRegistryXml(CUnitFunctionRegistry& registry, pugi::xml_node container) {
    registry.Clear();
    const std::vector<pugi::xml_node> elements = XmlFindElements(container, "Function");
    for (const pugi::xml_node element : elements) {
        if (XmlGetIntAttribute(element, "ReUseOriginalInternalID", 0) == 0)
            registry.CreateFunctionWithID(static_cast<quint32>(XmlGetIntAttribute(element, "InternalID", 0)));
    }
    std::unordered_set<quint32> read;
    for (std::size_t index = 0; index < elements.size(); ++index) {
        const pugi::xml_node element = elements[index];
        const auto id = static_cast<quint32>(XmlGetIntAttribute(element, "InternalID", 0));
        CUnitFunction* function = registry.FindByInternalID(id);
        if (index == 0)
            registry.origin = function;
        if (!function || !read.insert(id).second)
            continue;
        LoadFunctionXml(*function, registry, element);
        // The child list read above may hold it already (files of this program write both).
        const auto parentID = static_cast<quint32>(XmlGetIntAttribute(element, "ParentInternalID", 0));
        if (CUnitFunction* parent = registry.FindByInternalID(parentID))
            CUnitFunction::AddChild(parent, function);
    }
}

void SaveFunctionXml(const CUnitFunction& function, XmlDocumentContext& context, pugi::xml_node functionElement,
                     const WrittenIDs* ids, const QString& outlineNumberText) {
    WriteHeaderElement(function, context, functionElement, outlineNumberText);
    XmlSetIntAttribute(context, functionElement, "Line", static_cast<qint64>(function.logicLines.size()), true);
    for (const auto& line : function.logicLines)
        WriteLineElement(context, functionElement, *line, ids);
    XmlAppendChildElement(context, functionElement, "Name", function.name);
    XmlSetIntAttribute(context, functionElement, "InternalID", WrittenID(ids, function.InternalID), !ids);
    for (const CUnitFunction* child : function.children) {
        pugi::xml_node element = XmlAppendChildElement(context, functionElement, "Child");
        XmlSetIntAttribute(context, element, "Descriptor", WrittenID(ids, child->InternalID), true);
    }
    if (function.primaryParent) {
        const quint32 parent = WrittenID(ids, function.primaryParent->InternalID);
        XmlSetIntAttribute(context, functionElement, "PrimaryParent", parent, true);
        // The older reader places a unit function below this parent.
        if (ids)
            XmlSetIntAttribute(context, functionElement, "ParentInternalID", parent, true);
    }
    SaveExplanationXml(function, context, functionElement);
    XmlAppendChildElement(context, functionElement, "CodeSymbol", function.codeSymbol);
}

void SaveExplanationXml(const CUnitFunction& function, XmlDocumentContext& context, pugi::xml_node functionElement) {
    pugi::xml_node explanation = XmlAppendChildElement(context, functionElement, "Explanation");
    QString text = function.header.contentText;
    text.remove(QLatin1Char('\r'));
    for (const QString& line : text.split(QLatin1Char('\n')))
        XmlAppendChildElement(context, explanation, "Line", line);
}

void LoadFunctionXml(CUnitFunction& function, const CUnitFunctionRegistry& registry, pugi::xml_node functionElement) {
    ReadHeaderElement(function, functionElement);
    const QString name = XmlGetChildText(functionElement, "Name");
    if (!name.isEmpty())
        function.name = name;
    XmlForEachElement(functionElement, "Child", [&](pugi::xml_node child) {
        if (CUnitFunction* found =
                registry.FindByInternalID(static_cast<quint32>(XmlGetIntAttribute(child, "Descriptor", 0))))
            CUnitFunction::AppendChild(&function, found);
        return true;
    });
    function.codeSymbol = XmlGetChildText(functionElement, "CodeSymbol");
    // The line count is the number of lines read, whatever the attribute claims.
    for (const pugi::xml_node element :
         LogicLineElements(functionElement, XmlGetIntAttribute(functionElement, "Line", 0))) {
        auto line = std::make_unique<CLogicLine>();
        ReadLineElement(element, *line);
        function.logicLines.push_back(std::move(line));
    }
}

void WriteLineElement(XmlDocumentContext& context, pugi::xml_node functionElement, const CLogicLine& line,
                      const WrittenIDs* ids) {
    pugi::xml_node element = XmlAppendChildElement(context, functionElement, "Line");
    const quint32 called = WrittenID(ids, line.calledInternalID);
    const int storedKind =
        line.lineKind == SyntaxPlainLine || line.lineKind == SyntaxTransitState ? kStoredPlainLine : line.lineKind;
    XmlSetIntAttribute(context, element, "FunctionDescriptor", called, true);
    XmlSetIntAttribute(context, element, "Top", line.Top, true);
    XmlSetIntAttribute(context, element, "Next", line.Next, true);
    XmlSetIntAttribute(context, element, "ConstNo", storedKind, true);
    XmlSetIntAttribute(context, element, "Home", line.Home, true);
    XmlSetIntAttribute(context, element, "Home2", line.Home2, true);
    XmlSetIntAttribute(context, element, "End", line.End, true);
    XmlSetIntAttribute(context, element, "DataNum", line.slotCount, true);
    int usedSlots = CLogicLine::SlotCapacity;
    while (usedSlots > 0 && line.textSlots[static_cast<std::size_t>(usedSlots - 1)].text.isEmpty())
        --usedSlots;
    for (int i = 0; i < usedSlots; ++i)
        WriteInputStrElement(context, element, line.textSlots[static_cast<std::size_t>(i)]);
    XmlSetIntAttribute(context, element, "AuVerbFlg", line.auxiliaryVerbFlag, true);
    XmlSetIntAttribute(context, element, "AuVerbID", line.auxiliaryVerbId, true);
    XmlSetIntAttribute(context, element, "Mark", line.mark, true);
    if (!line.memo.isEmpty())
        XmlAppendChildElement(context, element, "Memo", line.memo);
    for (const QString& url : line.urls) {
        if (!url.isEmpty())
            XmlAppendChildElement(context, element, "URL", url);
    }
    XmlSetIntAttribute(context, element, "InternalID", called, true);
    XmlSetIntAttribute(context, element, "KosAttribute", line.transitionAttribute, true);
}

void WriteInputStrElement(XmlDocumentContext& context, pugi::xml_node lineElement, const TextSlot& slot) {
    pugi::xml_node element = XmlAppendChildElement(context, lineElement, "InputStr", slot.text);
    if (!slot.text.isEmpty())
        WriteFontTable(context, element, "Font", slot.font);
}

void ReadInputStrElements(pugi::xml_node lineElement, CLogicLine& line) {
    std::size_t slot = 0;
    XmlForEachElement(lineElement, "InputStr", [&](pugi::xml_node element) {
        line.textSlots[slot].text = XmlGetElementText(element).left(CLogicLine::MaxSlotTextLength);
        ReadFontTable(element, "Font", line.textSlots[slot].font);
        return ++slot < line.textSlots.size();
    });
}
