#include "model/xml/UnitFunctionElements.h"

#include "model/ParallelWork.h"
#include "model/UnitFunctionRegistry.h"
#include "model/xml/FontTableElement.h"
#include "model/xml/FunctionChunkLayout.h"
#include "model/xml/HeaderElement.h"
#include "model/xml/XmlDocumentContext.h"
#include "model/xml/XmlStreamWriter.h"
#include "platform/Trace.h"

#include <QStringList>

#include <algorithm>
#include <atomic>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <utility>

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

// Fills a slot of a new line, whose font is the default already: only a slot with child elements can
// hold a font of its own.
void ReadSlot(pugi::xml_node element, TextSlot& slot) {
    slot.text = XmlGetElementText(element).left(CLogicLine::MaxSlotTextLength);
    for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element) {
            FontSetting font{QString()}; // ReadFontTable sets every field
            ReadFontTable(element, "Font", font);
            slot.SetFont(font);
            return;
        }
    }
}

// A line's numbers as they are read, before the kind and the called unit function are settled.
struct LineNumbers {
    CLogicLine& line;
    qint64 kind = 0;
    qint64 called = 0;
    qint64 reused = 0;
};

struct LineAttribute {
    const char* key;
    void (*store)(LineNumbers&, qint64);
};

// "FunctionDescriptor" is written for readers of older files but not read: "InternalID" says the same.
const LineAttribute kLineAttributes[] = {
    {"Top", [](LineNumbers& n, qint64 v) { n.line.Top = static_cast<quint16>(v); }},
    {"Next", [](LineNumbers& n, qint64 v) { n.line.Next = static_cast<quint16>(v); }},
    {"ConstNo", [](LineNumbers& n, qint64 v) { n.kind = v; }},
    {"Home", [](LineNumbers& n, qint64 v) { n.line.Home = static_cast<quint16>(v); }},
    {"Home2", [](LineNumbers& n, qint64 v) { n.line.Home2 = static_cast<quint16>(v); }},
    {"End", [](LineNumbers& n, qint64 v) { n.line.End = static_cast<quint16>(v); }},
    {"DataNum", [](LineNumbers& n, qint64 v) { n.line.slotCount = static_cast<quint8>(v); }},
    {"AuVerbFlg", [](LineNumbers& n, qint64 v) { n.line.auxiliaryVerbFlag = static_cast<quint8>(v); }},
    {"AuVerbID", [](LineNumbers& n, qint64 v) { n.line.auxiliaryVerbId = static_cast<quint16>(v); }},
    {"Mark", [](LineNumbers& n, qint64 v) { n.line.mark = static_cast<quint32>(v); }},
    {"InternalID", [](LineNumbers& n, qint64 v) { n.called = v; }},
    {"ReuseInternalID", [](LineNumbers& n, qint64 v) { n.reused = v; }},
    {"KosAttribute", [](LineNumbers& n, qint64 v) { n.line.transitionAttribute = static_cast<quint8>(v); }},
};

// Lines are the most numerous elements of a file: their attributes are read in one pass over them. Returns
// the stored kind, settled by SettleLineKind once the slots are read.
qint64 ReadLineAttributes(pugi::xml_node element, CLogicLine& line) {
    LineNumbers numbers{line};
    for (const pugi::xml_attribute attribute : element.attributes()) {
        const char* name = attribute.name();
        const char* text = attribute.value();
        if (*text == '\0')
            continue;
        for (const LineAttribute& known : kLineAttributes) {
            if (known.key[0] == name[0] && XmlSameName(known.key, name)) {
                known.store(numbers, XmlParseInt(text));
                break;
            }
        }
    }
    line.calledInternalID = static_cast<quint32>(numbers.reused != 0 ? numbers.reused : numbers.called);
    return numbers.kind;
}

void SettleLineKind(CLogicLine& line, qint64 storedKind, std::size_t slotsRead) {
    if (storedKind == kStoredPlainLine)
        line.lineKind = line.slotCount > 0 || slotsRead > 0 ? SyntaxTransitState : SyntaxPlainLine;
    else
        line.lineKind = static_cast<quint8>(storedKind);
}

void ReadLineElement(pugi::xml_node element, const XmlElementIndex& index, XmlElementIndex::Range below,
                     CLogicLine& line) {
    const qint64 kind = ReadLineAttributes(element, line);
    line.SetMemo(XmlGetElementText(index.FirstOwn(FnMemo, FnLine, below)).left(CLogicLine::MaxMemoLength));
    int url = 0;
    index.ForEachOwn(FnUrl, FnLine, below, [&](pugi::xml_node found) {
        line.SetUrl(url, XmlGetElementText(found).left(CLogicLine::MaxUrlLength));
        return ++url < CLogicLine::UrlCount;
    });
    std::size_t slot = 0;
    index.ForEachOwn(FnInputStr, FnLine, below, [&](pugi::xml_node found) {
        ReadSlot(found, line.textSlots[slot]);
        return ++slot < line.textSlots.size();
    });
    SettleLineKind(line, kind, slot);
}

// A line of a plain unit function (see CollectPlainFunction): its slots, memo and URLs are its children.
void ReadPlainLineElement(pugi::xml_node element, CLogicLine& line) {
    const qint64 kind = ReadLineAttributes(element, line);
    pugi::xml_node memo;
    int url = 0;
    std::size_t slot = 0;
    for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element)
            continue;
        const char* name = child.name();
        if (XmlSameName(name, "InputStr")) {
            if (slot < line.textSlots.size())
                ReadSlot(child, line.textSlots[slot++]);
        } else if (XmlSameName(name, "URL")) {
            if (url < CLogicLine::UrlCount)
                line.SetUrl(url++, XmlGetElementText(child).left(CLogicLine::MaxUrlLength));
        } else if (XmlSameName(name, "Memo")) {
            memo = child;
        }
    }
    line.SetMemo(XmlGetElementText(memo).left(CLogicLine::MaxMemoLength));
    SettleLineKind(line, kind, slot);
}

// The parts of a unit function as the writer puts them: "Header", "Line", "Name", "Child", "Explanation" and
// "CodeSymbol" as children of the "Function" element (the header, name, explanation and code symbol once
// each), lines of slots, memo and URLs, and nothing below these that a lookup at any depth would find
// elsewhere. Read from their places, they give what the reader through an index of the element gives.
struct PlainFunction {
    HeaderElementParts header;
    pugi::xml_node name;
    pugi::xml_node codeSymbol;
    std::size_t lines = 0;
};

bool IsPlainLine(pugi::xml_node line) {
    bool memo = false;
    for (pugi::xml_node child = line.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element)
            continue;
        const char* name = child.name();
        if (XmlSameName(name, "InputStr") ? !XmlHasOnlyLeafChildren(child, {"FontTable"})
            : XmlSameName(name, "URL")    ? !XmlHasOnlyLeafChildren(child, {})
            : XmlSameName(name, "Memo")   ? std::exchange(memo, true) || !XmlHasOnlyLeafChildren(child, {})
                                          : true)
            return false;
    }
    return true;
}

bool CollectPlainFunction(pugi::xml_node function, PlainFunction& parts) {
    bool explanation = false;
    for (pugi::xml_node child = function.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element)
            continue;
        const char* name = child.name();
        bool plain = false;
        if (XmlSameName(name, "Line"))
            plain = (++parts.lines, IsPlainLine(child));
        else if (XmlSameName(name, "Child"))
            plain = XmlHasOnlyLeafChildren(child, {});
        else if (XmlSameName(name, "Header"))
            plain = !parts.header.header && CollectPlainHeaderParts(child, parts.header);
        else if (XmlSameName(name, "Explanation"))
            plain = !std::exchange(explanation, true) && XmlHasOnlyLeafChildren(child, {"Line"});
        else if (XmlSameName(name, "Name"))
            plain = !parts.name && (parts.name = child, XmlHasOnlyLeafChildren(child, {}));
        else if (XmlSameName(name, "CodeSymbol"))
            plain = !parts.codeSymbol && (parts.codeSymbol = child, XmlHasOnlyLeafChildren(child, {}));
        if (!plain)
            return false;
    }
    return true;
}

// As ReadFunctionContents, for a plain unit function; collects the IDs its "Child" elements name.
void ReadPlainFunction(CUnitFunction& function, pugi::xml_node functionElement, const PlainFunction& parts,
                       std::vector<quint32>& children) {
    if (parts.header.header)
        ReadHeaderParts(function, parts.header);
    const QString name = XmlGetElementText(parts.name);
    if (!name.isEmpty())
        function.name = name;
    function.codeSymbol = XmlGetElementText(parts.codeSymbol);
    const qint64 stated = XmlGetIntAttribute(functionElement, "Line", 0);
    function.logicLines.reserve(
        static_cast<std::size_t>(std::clamp<qint64>(stated, 0, static_cast<qint64>(parts.lines))));
    for (pugi::xml_node child = functionElement.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element)
            continue;
        const char* childName = child.name();
        if (XmlSameName(childName, "Line") && static_cast<qint64>(function.logicLines.size()) < stated) {
            auto line = std::make_unique<CLogicLine>();
            ReadPlainLineElement(child, *line);
            function.logicLines.push_back(std::move(line));
        } else if (XmlSameName(childName, "Child")) {
            children.push_back(static_cast<quint32>(XmlGetIntAttribute(child, "Descriptor", 0)));
        }
    }
}

// Everything of a unit function but its place in the tree. It touches nothing outside the unit function,
// so that several can be read side by side.
void ReadFunctionContents(CUnitFunction& function, pugi::xml_node functionElement, const XmlElementIndex& index,
                          XmlElementIndex::Range range) {
    ReadHeaderElement(function, index, range);
    const QString name = XmlGetElementText(index.FirstOwn(FnName, FnFunction, range));
    if (!name.isEmpty())
        function.name = name;
    function.codeSymbol = XmlGetElementText(index.FirstOwn(FnCodeSymbol, FnFunction, range));
    // As many lines as the element states and holds, leaving out the lines of its "Explanation"; the line
    // count is the number of lines read, whatever the attribute claims.
    const qint64 stated = XmlGetIntAttribute(functionElement, "Line", 0);
    if (stated <= 0)
        return;
    index.ForEachOwn(FnLine, FnFunction, range, [&](pugi::xml_node element, XmlElementIndex::Range below) {
        if (static_cast<qint64>(function.logicLines.size()) >= stated)
            return false;
        if (!XmlSameName(element.parent().name(), "Explanation")) {
            auto line = std::make_unique<CLogicLine>();
            ReadLineElement(element, index, below, *line);
            function.logicLines.push_back(std::move(line));
        }
        return true;
    });
}

void ReadFunctionChildren(CUnitFunction& function, const CUnitFunctionRegistry& registry, const XmlElementIndex& index,
                          XmlElementIndex::Range range) {
    index.ForEachOwn(FnChild, FnFunction, range, [&](pugi::xml_node child) {
        if (CUnitFunction* found =
                registry.FindByInternalID(static_cast<quint32>(XmlGetIntAttribute(child, "Descriptor", 0))))
            CUnitFunction::AppendChild(&function, found);
        return true;
    });
}

struct FunctionToRead {
    CUnitFunction* function;
    pugi::xml_node element;
    XmlElementIndex::Range range;
};

// The primary parent a unit function's element names, once every child list is read: it is taken while the unit
// function is still one of its children; otherwise the first parent read stays.
struct NamedPrimaryParent {
    CUnitFunction* function;
    quint32 parentID;
};

void SettlePrimaryParents(const CUnitFunctionRegistry& registry, const std::vector<NamedPrimaryParent>& named) {
    std::unordered_map<const CUnitFunction*, CUnitFunction*> wanted;
    for (const NamedPrimaryParent& entry : named) {
        if (CUnitFunction* parent = entry.parentID != 0 ? registry.FindByInternalID(entry.parentID) : nullptr)
            wanted.emplace(entry.function, parent);
    }
    // Each parent's child list is looked through once, however many unit functions name it.
    std::unordered_set<const CUnitFunction*> looked;
    for (const auto& [function, parent] : wanted) {
        if (!looked.insert(parent).second)
            continue;
        for (CUnitFunction* child : parent->children) {
            const auto found = wanted.find(child);
            if (found != wanted.end() && found->second == parent)
                child->primaryParent = parent;
        }
    }
}

std::vector<NamedPrimaryParent> NamedPrimaryParents(const std::vector<FunctionToRead>& functions) {
    std::vector<NamedPrimaryParent> named;
    for (const FunctionToRead& entry : functions) {
        if (const auto parent = static_cast<quint32>(XmlGetIntAttribute(entry.element, "PrimaryParent", 0)))
            named.push_back({entry.function, parent});
    }
    return named;
}

// Large documents are read on several threads: the contents of the unit functions are independent, and
// their places in the tree are settled afterwards in document order.
void ReadAllFunctionContents(const std::vector<FunctionToRead>& functions, const XmlElementIndex& index) {
    RunInParallel(functions.size(), 256, [&](std::size_t i) {
        ReadFunctionContents(*functions[i].function, functions[i].element, index, functions[i].range);
    });
}

} // namespace

void SaveRegistryXml(const CUnitFunctionRegistry& registry, XmlDocumentContext& context, pugi::xml_node container,
                     bool distinguishPrimaryOutlineNumber) {
    if (!context.olderFormat) {
        XmlSetIntAttribute(context, container, "Root", registry.origin ? registry.origin->InternalID : 0, true);
        if (context.deferFunctionElements) {
            context.deferredFunctionContainer = container;
            return;
        }
        std::string xml;
        XmlStreamWriter writer(xml);
        for (const auto& [id, function] : registry.Functions())
            WriteFunctionElement(function, context, writer, nullptr, QString());
        XmlAppendWritten(container, xml);
        return;
    }
    XmlSetIntAttribute(context, container, "Num", registry.Count(), true);
    XmlSetIntAttribute(context, container, "MaxInternalID", registry.Count(), true);
    const UnitFunctionList ordered = registry.InOutlineOrder(distinguishPrimaryOutlineNumber);
    // One numbering for every reference of this section, so that it reads back into the same tree.
    WrittenIDs ids;
    for (const CUnitFunction* function : ordered)
        ids[function->InternalID] = ++context.olderFormatCounter;
    std::string xml;
    XmlStreamWriter writer(xml);
    for (const CUnitFunction* function : ordered)
        WriteFunctionElement(*function, context, writer, &ids,
                             function->GetOutlineNumberText(distinguishPrimaryOutlineNumber));
    XmlAppendWritten(container, xml);
}

void LoadRegistryXml(CUnitFunctionRegistry& registry, pugi::xml_node container) {
    const XmlElementIndex index = IndexFunctionElement(container);
    LoadRegistryXml(registry, container, index, index.All());
}

void LoadRegistryXml(CUnitFunctionRegistry& registry, pugi::xml_node container, const XmlElementIndex& index,
                     XmlElementIndex::Range range) {
    registry.Clear();
    // Two elements with one InternalID: the first one keeps it, with every reference by it; each later one
    // is kept with its own lines under a fresh InternalID, drawn once every ID the file uses is taken. So is
    // one with InternalID 0, which no reference can name (0 names none) and the writer leaves out.
    std::vector<FunctionToRead> functions;
    pugi::xml_node first;
    index.ForEach(FnFunction, range, [&](pugi::xml_node element, XmlElementIndex::Range below) {
        if (!first)
            first = element;
        const auto id = static_cast<quint32>(XmlGetIntAttribute(element, "InternalID", 0));
        functions.push_back(
            {id == 0 || registry.FindByInternalID(id) ? nullptr : registry.CreateFunctionWithID(id), element, below});
        return true;
    });
    for (FunctionToRead& entry : functions) {
        if (entry.function)
            continue;
        entry.function = registry.CreateFunctionForMerge(QString());
        qCDebug(nuvTrace).noquote() << QStringLiteral("LoadRegistryXml: InternalID %1 is taken or names none; "
                                                      "the unit function is read as InternalID %2.")
                                           .arg(XmlGetAttribute(entry.element, "InternalID"))
                                           .arg(entry.function ? entry.function->InternalID : 0);
    }
    std::erase_if(functions, [](const FunctionToRead& entry) { return !entry.function; });
    registry.origin = registry.FindByInternalID(static_cast<quint32>(XmlGetIntAttribute(container, "Root", 0)));
    ReadAllFunctionContents(functions, index);
    for (const FunctionToRead& entry : functions)
        ReadFunctionChildren(*entry.function, registry, index, entry.range);
    SettlePrimaryParents(registry, NamedPrimaryParents(functions));
    if (!registry.origin && !functions.empty() && functions.front().element == first)
        registry.origin = functions.front().function;
    registry.RemoveEmptyFnStatementsAll();
}

struct FunctionChunkRead::State {
    struct ChunkToRead {
        const FunctionChunkLayout::Chunk* chunk;
        quint32 id;  // its own InternalID, or 0 when one is drawn for it at the end
        bool toRead; // false when no InternalID will be left to draw for it
        std::unique_ptr<CUnitFunctionTable::value_type> made; // made and read on a worker
        std::vector<quint32> children;
        quint32 primaryParent = 0;         // as the element names it
        CUnitFunction* function = nullptr; // in the registry
    };
    // The bytes of each stretch of this many unit functions are given back once all of them are read.
    static constexpr std::size_t kStretch = 2048;

    const char* bytes;
    std::function<void(std::size_t begin, std::size_t end)> read;
    std::vector<ChunkToRead> entries;
    bool firstKept = false;
    std::atomic<bool> refused{false};
    std::unique_ptr<std::atomic<std::size_t>[]> readInStretch; // unit functions done, per stretch
    std::optional<ParallelRun> run;

    void Start() {
        readInStretch = std::make_unique<std::atomic<std::size_t>[]>(entries.size() / kStretch + 1);
        run.emplace(entries.size(), 48, [this](std::size_t i) {
            ReadOne(i);
            Done(i);
        });
    }

    // The bytes of the last stretch go with the whole buffer soon after.
    void Done(std::size_t i) {
        const std::size_t stretch = i / kStretch;
        const std::size_t first = stretch * kStretch;
        const std::size_t end = first + kStretch;
        if (read && end < entries.size() && ++readInStretch[stretch] == kStretch)
            read(entries[first].chunk->begin, entries[end - 1].chunk->end);
    }

    void ReadOne(std::size_t i) {
        if (refused.load(std::memory_order_relaxed))
            return;
        ChunkToRead& entry = entries[i];
        if (!entry.toRead)
            return;
        // Each item parses its copy of the element in place in a buffer of its own. Not one kept per thread: a thread's
        // first use of such an object registers its destructor, which ends the process when memory has run out.
        pugi::xml_document document;
        std::string text(bytes + entry.chunk->begin, entry.chunk->end - entry.chunk->begin);
        pugi::xml_node element;
        if (XmlParsed(document.load_buffer_inplace(text.data(), text.size(), kXmlParseOptions | pugi::parse_fragment,
                                                   pugi::encoding_utf8))) {
            for (pugi::xml_node node = document.first_child(); node; node = node.next_sibling()) {
                if (node.type() != pugi::node_element)
                    continue;
                if (element || !XmlSameName(node.name(), "Function")) {
                    element = pugi::xml_node();
                    break;
                }
                element = node;
            }
        }
        if (!element) {
            refused = true;
            return;
        }
        entry.made = std::make_unique<CUnitFunctionTable::value_type>(std::piecewise_construct,
                                                                      std::forward_as_tuple(entry.id), std::tuple<>());
        CUnitFunction& function = entry.made->second;
        function.InternalID = entry.id;
        entry.primaryParent = static_cast<quint32>(XmlGetIntAttribute(element, "PrimaryParent", 0));
        // Nearly every unit function is plain and read in one walk; any other through an index of its element.
        if (PlainFunction parts; CollectPlainFunction(element, parts)) {
            ReadPlainFunction(function, element, parts, entry.children);
        } else {
            const XmlElementIndex index = IndexFunctionElement(element);
            if (index.First(FnFunction)) {
                refused = true;
                return;
            }
            ReadFunctionContents(function, element, index, index.All());
            index.ForEachOwn(FnChild, FnFunction, index.All(), [&](pugi::xml_node child) {
                entry.children.push_back(static_cast<quint32>(XmlGetIntAttribute(child, "Descriptor", 0)));
                return true;
            });
        }
        function.RemoveEmptyFnStatements();
    }
};

FunctionChunkRead::FunctionChunkRead(const char* bytes, const FunctionChunkLayout& layout,
                                     std::function<void(std::size_t begin, std::size_t end)> read)
    : m_state(std::make_unique<State>()) {
    State& state = *m_state;
    state.bytes = bytes;
    state.read = std::move(read);
    // IDs are settled as LoadRegistryXml settles them, in document order: a unit function keeps its own
    // InternalID when it is free; the others get one drawn at the end, in the same order, while there are
    // IDs left to draw (those left without are not read).
    std::vector<bool> usedSlots(CUnitFunctionTable::SlotCount);
    std::unordered_set<quint32> usedLarger;
    std::size_t ownSlots = 0;
    state.entries.reserve(layout.chunks.size());
    for (const FunctionChunkLayout::Chunk& chunk : layout.chunks) {
        const auto id = static_cast<quint32>(chunk.internalID);
        bool own = false;
        if (id >= CUnitFunctionTable::SlotCount) {
            own = usedLarger.insert(id).second;
        } else if (id != 0 && !usedSlots[id]) {
            own = usedSlots[id] = true;
            ++ownSlots;
        }
        state.entries.push_back({&chunk, own ? id : 0, true, {}, {}});
    }
    std::size_t drawable =
        ownSlots < CUnitFunctionRegistry::MaxDrawnInternalID ? CUnitFunctionRegistry::MaxDrawnInternalID - ownSlots : 0;
    for (State::ChunkToRead& entry : state.entries) {
        if (entry.id != 0)
            continue;
        entry.toRead = drawable > 0;
        if (drawable > 0)
            --drawable;
    }
    state.firstKept = !state.entries.empty() && state.entries.front().toRead;
    if (!state.entries.empty())
        state.Start();
}

FunctionChunkRead::~FunctionChunkRead() = default;

bool FunctionChunkRead::GivesOrigin() const {
    return m_state->firstKept;
}

bool FunctionChunkRead::Finish(CUnitFunctionRegistry& registry, pugi::xml_node container) {
    State& state = *m_state;
    if (state.run)
        state.run->Wait();
    state.run.reset();
    registry.Clear();
    if (state.refused)
        return false;
    for (State::ChunkToRead& entry : state.entries) {
        if (entry.id != 0)
            entry.function = registry.AdoptFunction(std::move(entry.made));
    }
    for (State::ChunkToRead& entry : state.entries) {
        if (entry.id != 0)
            continue;
        entry.function = registry.CreateFunctionForMerge(QString());
        if (entry.function && entry.made) {
            const quint32 drawn = entry.function->InternalID;
            *entry.function = std::move(entry.made->second);
            entry.function->InternalID = drawn;
        }
    }
    std::vector<NamedPrimaryParent> named;
    for (const State::ChunkToRead& entry : state.entries) {
        if (!entry.function)
            continue;
        for (const quint32 id : entry.children) {
            if (CUnitFunction* found = registry.FindByInternalID(id))
                CUnitFunction::AppendChild(entry.function, found);
        }
        if (entry.primaryParent != 0)
            named.push_back({entry.function, entry.primaryParent});
    }
    SettlePrimaryParents(registry, named);
    registry.origin = registry.FindByInternalID(static_cast<quint32>(XmlGetIntAttribute(container, "Root", 0)));
    if (!registry.origin)
        registry.origin = state.entries.empty() ? nullptr : state.entries.front().function;
    return true;
}

void LoadOlderRegistryXml(CUnitFunctionRegistry& registry, pugi::xml_node container) {
    const XmlElementIndex index = IndexFunctionElement(container);
    LoadOlderRegistryXml(registry, index, index.All());
}

void LoadOlderRegistryXml(CUnitFunctionRegistry& registry, const XmlElementIndex& index, XmlElementIndex::Range range) {
    registry.Clear();
    index.ForEach(FnFunction, range, [&](pugi::xml_node element) {
        if (XmlGetIntAttribute(element, "ReUseOriginalInternalID", 0) == 0)
            registry.CreateFunctionWithID(static_cast<quint32>(XmlGetIntAttribute(element, "InternalID", 0)));
        return true;
    });
    std::vector<FunctionToRead> functions;
    std::unordered_set<quint32> read;
    bool first = true;
    index.ForEach(FnFunction, range, [&](pugi::xml_node element, XmlElementIndex::Range below) {
        CUnitFunction* function =
            registry.FindByInternalID(static_cast<quint32>(XmlGetIntAttribute(element, "InternalID", 0)));
        if (first)
            registry.origin = function;
        first = false;
        if (function && read.insert(function->InternalID).second)
            functions.push_back({function, element, below});
        return true;
    });
    ReadAllFunctionContents(functions, index);
    for (const FunctionToRead& entry : functions)
        ReadFunctionChildren(*entry.function, registry, index, entry.range);
    // Only after every child list: a unit function may come before its parent in the file, and files of this
    // program write both the child lists and the parent links.
    for (const FunctionToRead& entry : functions) {
        const auto parentID = static_cast<quint32>(XmlGetIntAttribute(entry.element, "ParentInternalID", 0));
        if (CUnitFunction* parent = registry.FindByInternalID(parentID))
            CUnitFunction::AddChild(parent, entry.function);
    }
    SettlePrimaryParents(registry, NamedPrimaryParents(functions));
}

void SaveFunctionXml(const CUnitFunction& function, XmlDocumentContext& context, pugi::xml_node functionElement,
                     const WrittenIDs* ids, const QString& outlineNumberText) {
    std::string xml;
    XmlStreamWriter writer(xml);
    WriteFunctionElement(function, context, writer, ids, outlineNumberText);
    pugi::xml_document written;
    const pugi::xml_node element = XmlAppendWritten(written, xml);
    for (const pugi::xml_attribute attribute : element.attributes())
        functionElement.append_copy(attribute);
    for (const pugi::xml_node child : element.children())
        functionElement.append_copy(child);
}

void WriteFunctionElement(const CUnitFunction& function, XmlDocumentContext& context, XmlStreamWriter& writer,
                          const WrittenIDs* ids, const QString& outlineNumberText) {
    // Fn statements that name no unit function are left out of the file; the document keeps them, so that an editor
    // showing one is not changed under its feet by a save.
    const auto written = [](const std::unique_ptr<CLogicLine>& line) { return line && !line->IsEmptyFnStatement(); };
    writer.Start("Function");
    writer.IntAttribute("Line", std::count_if(function.logicLines.begin(), function.logicLines.end(), written), true);
    writer.IntAttribute("InternalID", WrittenID(ids, function.InternalID), !ids);
    if (function.primaryParent) {
        const quint32 parent = WrittenID(ids, function.primaryParent->InternalID);
        writer.IntAttribute("PrimaryParent", parent, true);
        // The older reader places a unit function below this parent.
        if (ids)
            writer.IntAttribute("ParentInternalID", parent, true);
    }
    WriteHeaderElement(function, context, writer, outlineNumberText);
    for (const auto& line : function.logicLines) {
        if (written(line))
            WriteLineElement(writer, *line, ids);
    }
    writer.Element("Name", function.name);
    for (const CUnitFunction* child : function.children) {
        writer.Start("Child");
        writer.IntAttribute("Descriptor", WrittenID(ids, child->InternalID), true);
        writer.End("Child");
    }
    writer.Start("Explanation");
    QString text = function.header.contentText;
    text.remove(QLatin1Char('\r'));
    for (const QString& line : text.split(QLatin1Char('\n')))
        writer.Element("Line", line);
    writer.End("Explanation");
    writer.Element("CodeSymbol", function.codeSymbol);
    writer.End("Function");
}

XmlElementIndex IndexFunctionElement(pugi::xml_node functionElement, std::initializer_list<const char*> moreNames) {
    return XmlElementIndex(functionElement,
                           {"Header", "Name", "Child", "CodeSymbol", "Line", "IdName", "FunctionContents2",
                            "FunctionContents", "WorkNum", "Requirement", "Request", "UniqueLabel",
                            "UnNecessaryReasoning", "Reasoning", "Memo", "URL", "InputStr", "Function"},
                           moreNames, FnFunction);
}

void LoadFunctionXml(CUnitFunction& function, const CUnitFunctionRegistry& registry, pugi::xml_node functionElement) {
    const XmlElementIndex index = IndexFunctionElement(functionElement);
    ReadFunctionContents(function, functionElement, index, index.All());
    ReadFunctionChildren(function, registry, index, index.All());
}

void WriteLineElement(XmlDocumentContext&, pugi::xml_node functionElement, const CLogicLine& line,
                      const WrittenIDs* ids) {
    std::string xml;
    XmlStreamWriter writer(xml);
    WriteLineElement(writer, line, ids);
    XmlAppendWritten(functionElement, xml);
}

void WriteLineElement(XmlStreamWriter& writer, const CLogicLine& line, const WrittenIDs* ids) {
    const quint32 called = WrittenID(ids, line.calledInternalID);
    const int storedKind =
        line.lineKind == SyntaxPlainLine || line.lineKind == SyntaxTransitState ? kStoredPlainLine : line.lineKind;
    writer.Start("Line");
    writer.IntAttribute("FunctionDescriptor", called, true);
    writer.IntAttribute("Top", line.Top, true);
    writer.IntAttribute("Next", line.Next, true);
    writer.IntAttribute("ConstNo", storedKind, true);
    writer.IntAttribute("Home", line.Home, true);
    writer.IntAttribute("Home2", line.Home2, true);
    writer.IntAttribute("End", line.End, true);
    writer.IntAttribute("DataNum", line.slotCount, true);
    writer.IntAttribute("AuVerbFlg", line.auxiliaryVerbFlag, true);
    writer.IntAttribute("AuVerbID", line.auxiliaryVerbId, true);
    writer.IntAttribute("Mark", line.mark, true);
    writer.IntAttribute("InternalID", called, true);
    writer.IntAttribute("KosAttribute", line.transitionAttribute, true);
    int usedSlots = CLogicLine::SlotCapacity;
    while (usedSlots > 0 && line.textSlots[static_cast<std::size_t>(usedSlots - 1)].text.isEmpty())
        --usedSlots;
    for (int i = 0; i < usedSlots; ++i) {
        const TextSlot& slot = line.textSlots[static_cast<std::size_t>(i)];
        writer.Start("InputStr");
        writer.Text(slot.text);
        if (!slot.text.isEmpty())
            WriteFontTable(writer, "Font", slot.Font());
        writer.End("InputStr");
    }
    if (!line.Memo().isEmpty())
        writer.Element("Memo", line.Memo());
    for (const QString& url : line.Urls()) {
        if (!url.isEmpty())
            writer.Element("URL", url);
    }
    writer.End("Line");
}
