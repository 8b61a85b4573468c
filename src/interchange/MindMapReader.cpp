#include "interchange/MindMapReader.h"

#include "interchange/ImportProgress.h"
#include "model/DocumentData.h"
#include "model/OutlineNumber.h"
#include "model/UnitFunction.h"
#include "model/UnitFunctionRegistry.h"
#include "model/XmlTextEncoding.h"
#include "platform/UserFile.h"

#include <QFileDevice>
#include <QIODevice>

#include <algorithm>
#include <cstring>
#include <exception>
#include <new>
#include <utility>
#include <vector>

#include <pugixml.hpp>

namespace {

bool IsNamed(pugi::xml_node node, const char* name) {
    return std::strcmp(node.name(), name) == 0;
}

bool IsNote(pugi::xml_node node) {
    return IsNamed(node, "richcontent") && std::strcmp(node.attribute("TYPE").value(), "NOTE") == 0;
}

QString LocalName(pugi::xml_node node) {
    const char* name = node.name();
    const char* colon = std::strrchr(name, ':');
    return QString::fromUtf8(colon ? colon + 1 : name);
}

void AppendTrimmed(QString& target, pugi::xml_node text) {
    target += QString::fromUtf8(text.value()).trimmed();
}

// A NUL byte, or a reference to a character that XML does not allow, would cut the text it stands in.
bool HoldsOnlyXmlCharacters(const QByteArray& bytes) {
    const auto size = static_cast<std::size_t>(bytes.size());
    return !std::memchr(bytes.constData(), '\0', size) &&
           !HasRefusedCharacterReference(bytes.constData(), size, [](char32_t c) { return !IsXmlCharacter(c); });
}

// Number of "node" elements anywhere in the document: the bar's total.
int CountNodeElements(pugi::xml_node root) {
    int count = 0;
    for (pugi::xml_node node = root; node;) {
        if (node.type() == pugi::node_element && IsNamed(node, "node"))
            ++count;
        if (node.first_child()) {
            node = node.first_child();
            continue;
        }
        while (node && node != root && !node.next_sibling())
            node = node.parent();
        node = node == root ? pugi::xml_node() : node.next_sibling();
    }
    return count;
}

// Number of "node" elements the walk converts: those inside "map" or inside a converted one; `levels` the most
// converted nodes nested in each other, a top node alone being one.
int CountConvertedNodes(pugi::xml_node first, int& topLevel, int& levels) {
    int count = 0;
    topLevel = 0;
    levels = 0;
    std::vector<std::pair<pugi::xml_node, int>> pending;
    for (pugi::xml_node node = first; node; node = node.next_sibling()) {
        if (node.type() == pugi::node_element && IsNamed(node, "node")) {
            ++topLevel;
            pending.emplace_back(node, 1);
        }
    }
    while (!pending.empty()) {
        const auto [node, level] = pending.back();
        pending.pop_back();
        ++count;
        levels = std::max(levels, level);
        for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
            if (child.type() == pugi::node_element && IsNamed(child, "node"))
                pending.emplace_back(child, level + 1);
        }
    }
    return count;
}

// Walks the children of `element` in document order without recursion. At each level the scan stops at a
// "node" child or where `stopAfter` says so; text is handed to `onText`, other elements are entered.
template <typename StopAfter, typename OnText>
void ScanMindMapChildren(pugi::xml_node element, StopAfter stopAfter, OnText onText) {
    // Most nodes of a map hold nothing but their child nodes: nothing to scan, nothing to allocate.
    const pugi::xml_node first = element.first_child();
    if (!first || IsNamed(first, "node"))
        return;
    std::vector<pugi::xml_node> cursors{first};
    while (!cursors.empty()) {
        const pugi::xml_node child = cursors.back();
        if (!child) {
            cursors.pop_back();
            continue;
        }
        cursors.back() = child.next_sibling();
        if (IsNamed(child, "node")) {
            cursors.back() = pugi::xml_node();
        } else if (stopAfter(child)) {
            cursors.back() = pugi::xml_node();
        } else if (child.type() == pugi::node_pcdata) {
            onText(child);
        } else if (child.type() == pugi::node_element) {
            cursors.push_back(child.first_child());
        }
    }
}

bool GetMindMapNodeText(pugi::xml_node element, QString& name) {
    name = QString::fromUtf8(element.attribute("TEXT").value());
    return !name.isEmpty();
}

bool CollectMindMapNoteText(pugi::xml_node element, QString& note) {
    ScanMindMapChildren(
        element, [](pugi::xml_node) { return false; }, [&note](pugi::xml_node text) { AppendTrimmed(note, text); });
    return !note.isEmpty();
}

bool CollectMindMapNodeTexts(pugi::xml_node element, QString& name, QString& note) {
    ScanMindMapChildren(
        element,
        [&note](pugi::xml_node child) {
            // Only the first note of a node is read, and nothing after it.
            if (!IsNote(child))
                return false;
            if (child.type() == pugi::node_element)
                CollectMindMapNoteText(child, note);
            return true;
        },
        [&name](pugi::xml_node text) { AppendTrimmed(name, text); });
    return !name.isEmpty();
}

// Walks the "node" elements among `first` and its siblings, and their converted descendants, in document order;
// false when a unit function could not be created.
bool ConvertMindMapNodes(CDocumentData& data, CImportProgress& progress, pugi::xml_node first, int& counter,
                         CUnitFunction* parent) {
    const ModelOptions options = data.GetModelOptions();
    struct Level {
        pugi::xml_node next;
        CUnitFunction* parent;
    };
    // An explicit stack: a map nested thousands of levels deep must not exhaust the call stack.
    std::vector<Level> levels{{first, parent}};
    while (!levels.empty() && !progress.IsCancelled()) {
        Level& level = levels.back();
        const pugi::xml_node element = level.next;
        if (!element) {
            levels.pop_back();
            continue;
        }
        level.next = element.next_sibling();
        if (element.type() != pugi::node_element || !IsNamed(element, "node"))
            continue;

        progress.SetPos(counter + 1);
        QString name;
        QString note;
        GetMindMapNodeText(element, name);
        CollectMindMapNodeTexts(element, name, note);

        CUnitFunction* target = nullptr;
        if (!level.parent) {
            target = data.registry.origin;
            target->name = name;
        } else {
            target = data.registry.CreateFunction(name, options);
            if (!target)
                return false;
            // Appended at the end; the parent becomes the primary parent of a unit function without one.
            CUnitFunction::AppendChild(level.parent, target);
        }
        if (!note.isEmpty())
            target->header.contentText = note;
        // Counted once made: a walk broken off in between counts what it made.
        ++counter;
        if (element.first_child())
            levels.push_back({element.first_child(), target});
    }
    return true;
}

} // namespace

struct CMindMapReader::Map {
    QByteArray bytes; // the parsed document points into it
    pugi::xml_document document;
    pugi::xml_node map;
    // Where the top nodes go: the origin of a document that has unit functions, else none (the first top
    // node names the origin).
    bool appendBelowOrigin = false;
};

CMindMapReader::CMindMapReader() = default;

CMindMapReader::~CMindMapReader() = default;

InterchangeResult CMindMapReader::Open(QIODevice& device, const CDocumentData& data) {
    m_map.reset();
    InterchangeResult result;
    try {
        auto map = std::make_unique<Map>();
        QByteArray& bytes = map->bytes;
        const bool read =
            (device.isOpen() || device.open(QIODevice::ReadOnly)) && platform::ReadBounded(device, MaxFileBytes, bytes);
        // The parser reads UTF-8 only and checks no encoding: the map's own encoding is checked and decoded first.
        const bool decoded = read && DecodeXmlToUtf8(bytes);
        // The parser knows no DTD and loads no external entity, so a hostile map cannot reach other files. It
        // parses the bytes in place: a map at the size limit is not held twice.
        const auto* file = qobject_cast<const QFileDevice*>(&device);
        bool parsed = decoded && (!file || file->error() == QFileDevice::NoError) && HoldsOnlyXmlCharacters(bytes);
        if (parsed) {
            const pugi::xml_parse_result parse = map->document.load_buffer_inplace(
                bytes.data(), static_cast<std::size_t>(bytes.size()),
                pugi::parse_default | pugi::parse_comments | pugi::parse_pi, pugi::encoding_utf8);
            // A parse that ran out of memory tells nothing of the map.
            if (parse.status == pugi::status_out_of_memory) {
                result.failure = InterchangeFailure::OutOfMemory;
                return result;
            }
            parsed = static_cast<bool>(parse);
        }
        map->map = map->document.document_element();
        if (!parsed || !map->map || LocalName(map->map) != QLatin1String("map") || !map->map.first_child()) {
            result.failure = InterchangeFailure::Unreadable;
            return result;
        }

        // Every unit function needs an internal ID of its own; refuse a map that would run out of them
        // before anything is changed.
        map->appendBelowOrigin = data.registry.origin && !data.registry.origin->children.empty();
        int topLevel = 0;
        int levels = 0;
        const int converted = CountConvertedNodes(map->map.first_child(), topLevel, levels);
        if (!result.CheckRoom(map->appendBelowOrigin ? converted : converted - topLevel, data.registry))
            return result;
        // The top nodes go below the origin, or the first one becomes it.
        if ((map->appendBelowOrigin ? levels : levels - 1) > kMaxOutlineDepth) {
            result.failure = InterchangeFailure::TooDeep;
            return result;
        }
        m_map = std::move(map);
    } catch (const std::bad_alloc&) {
        result.failure = InterchangeFailure::OutOfMemory;
    }
    return result;
}

InterchangeResult CMindMapReader::Convert(CDocumentData& data, CImportProgress& progress) {
    InterchangeResult result;
    if (!m_map) {
        result.failure = InterchangeFailure::Unreadable;
        return result;
    }
    try {
        progress.SetRange(CountNodeElements(m_map->document));
        CUnitFunction* topParent = m_map->appendBelowOrigin ? data.registry.origin : nullptr;
        if (!ConvertMindMapNodes(data, progress, m_map->map.first_child(), result.items, topParent))
            result.failure = InterchangeFailure::Incomplete;
        else if (progress.IsCancelled())
            result.failure = InterchangeFailure::Cancelled;
    } catch (const std::bad_alloc&) {
        result.failure = InterchangeFailure::OutOfMemory;
    } catch (const std::exception& error) {
        result.failure = InterchangeFailure::Error;
        result.detail = QString::fromLocal8Bit(error.what());
    }
    m_map.reset();
    return result;
}
