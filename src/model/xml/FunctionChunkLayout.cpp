#include "model/xml/FunctionChunkLayout.h"

#include "model/ParallelWork.h"
#include "model/xml/XmlDocumentContext.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// A start tag read far enough to tell its name and whether it has certain attributes.
struct StartTag {
    std::string_view name;
    std::size_t end = 0; // just after its '>'
    bool empty = false;  // "<name/>"
};

class ChunkScanner {
public:
    ChunkScanner(const char* bytes, std::size_t size) : m_text(bytes, size) {}

    std::optional<FunctionChunkLayout> Scan() {
        std::size_t position = m_text.size() >= 3 && m_text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
        int depth = 0;
        bool inCurrent = false;
        bool seenCurrent = false;
        while (true) {
            position = m_text.find('<', position);
            if (position == std::string_view::npos)
                return std::nullopt;
            const std::string_view rest = m_text.substr(position);
            if (rest.starts_with("<?")) {
                position = SkipPast(position, "?>");
            } else if (rest.starts_with("<!--")) {
                position = SkipPast(position + 4, "-->");
            } else if (rest.starts_with("<![CDATA[")) {
                position = SkipPast(position, "]]>");
            } else if (rest.starts_with("<!")) {
                return std::nullopt; // a document type: left to the parser
            } else if (rest.starts_with("</")) {
                position = SkipPast(position, ">");
                if (--depth < 0 || (inCurrent && depth == 1))
                    return std::nullopt; // the document ended without a holder
            } else {
                StartTag tag;
                if (!ReadStartTag(position, tag))
                    return std::nullopt;
                if (depth == 0 && tag.name != "NUV")
                    return std::nullopt;
                if (tag.name == "Document") {
                    if (depth != 1 || inCurrent)
                        return std::nullopt;
                    if (!seenCurrent && !HasAttribute(position, tag, "Version"))
                        inCurrent = seenCurrent = true;
                }
                if (inCurrent && tag.name == "FunctionHolder") {
                    if (depth != 2 || tag.empty || !HasAttribute(position, tag, "Root"))
                        return std::nullopt;
                    return ScanFunctions(tag.end);
                }
                position = tag.end;
                if (!tag.empty)
                    ++depth;
            }
            if (position == std::string_view::npos)
                return std::nullopt;
        }
    }

private:
    std::size_t SkipPast(std::size_t from, std::string_view end) const {
        const std::size_t found = m_text.find(end, from);
        return found == std::string_view::npos ? found : found + end.size();
    }

    // The tag's end is the first '>' outside quoted values.
    bool ReadStartTag(std::size_t position, StartTag& tag) const {
        std::size_t i = position + 1;
        while (i < m_text.size() && !IsSpace(m_text[i]) && m_text[i] != '/' && m_text[i] != '>')
            ++i;
        tag.name = m_text.substr(position + 1, i - position - 1);
        for (; i < m_text.size(); ++i) {
            const char c = m_text[i];
            if (c == '"' || c == '\'') {
                i = m_text.find(c, i + 1);
                if (i == std::string_view::npos)
                    return false;
            } else if (c == '>') {
                tag.end = i + 1;
                tag.empty = m_text[i - 1] == '/';
                return !tag.name.empty();
            }
        }
        return false;
    }

    // Visits the attributes of a start tag read by ReadStartTag; false when the tag is not plain
    // name="value" pairs.
    template <class Visitor> bool ForEachAttribute(std::size_t position, const StartTag& tag, Visitor visit) const {
        std::size_t i = position + 1 + tag.name.size();
        const std::size_t last = tag.end - (tag.empty ? 2 : 1);
        while (true) {
            while (i < last && IsSpace(m_text[i]))
                ++i;
            if (i == last)
                return true;
            const std::size_t nameBegin = i;
            while (i < last && !IsSpace(m_text[i]) && m_text[i] != '=')
                ++i;
            const std::string_view name = m_text.substr(nameBegin, i - nameBegin);
            while (i < last && IsSpace(m_text[i]))
                ++i;
            if (i == last || m_text[i] != '=')
                return false;
            ++i;
            while (i < last && IsSpace(m_text[i]))
                ++i;
            if (i == last || (m_text[i] != '"' && m_text[i] != '\''))
                return false;
            const std::size_t valueEnd = m_text.find(m_text[i], i + 1);
            if (valueEnd >= last)
                return false;
            visit(name, m_text.substr(i + 1, valueEnd - i - 1));
            i = valueEnd + 1;
        }
    }

    bool HasAttribute(std::size_t position, const StartTag& tag, std::string_view wanted) const {
        bool found = false;
        ForEachAttribute(position, tag, [&](std::string_view name, std::string_view) { found |= name == wanted; });
        return found;
    }

    static constexpr std::string_view kEndTag = "</Function>";

    // What comes first at or after a position in the holder's content.
    struct Next {
        enum Kind { Function, HolderEnd, Other } kind = Other;
        std::size_t at = 0;     // its '<'
        std::size_t tagEnd = 0; // a Function start tag's end
        qint64 internalID = 0;  // and its "InternalID"
    };

    Next ReadNext(std::size_t position) const {
        Next next;
        next.at = m_text.find('<', position);
        if (next.at == std::string_view::npos)
            return next;
        if (m_text.substr(next.at).starts_with("</FunctionHolder")) {
            next.kind = Next::HolderEnd;
            return next;
        }
        StartTag tag;
        if (!m_text.substr(next.at).starts_with("<Function") || !ReadStartTag(next.at, tag) || tag.name != "Function" ||
            tag.empty)
            return next;
        // A value with a reference is left to the parser, which decodes it. The first of two attributes of one
        // name counts, as for the reader. The closing quote ends the number.
        bool seenID = false;
        bool reference = false;
        const bool plain = ForEachAttribute(next.at, tag, [&](std::string_view name, std::string_view value) {
            if (value.find('&') != std::string_view::npos)
                reference = true;
            else if (name == "InternalID" && !seenID) {
                seenID = true;
                next.internalID = value.empty() ? 0 : XmlParseInt(value.data());
            }
        });
        if (plain && !reference) {
            next.kind = Next::Function;
            next.tagEnd = tag.end;
        }
        return next;
    }

    // Every "</Function>" from `from` on, in order, with what follows it; the text is searched in pieces side
    // by side.
    std::vector<std::pair<std::size_t, Next>> FindEndTags(std::size_t from) const {
        constexpr std::size_t kPieceSize = std::size_t{64} << 10;
        const std::size_t pieces = (m_text.size() - from + kPieceSize - 1) / kPieceSize;
        std::vector<std::vector<std::pair<std::size_t, Next>>> found(pieces);
        RunInParallel(pieces, 1, [&](std::size_t piece) {
            const std::size_t begin = from + piece * kPieceSize;
            // A tag that begins in this piece may end in the next.
            const std::string_view text =
                m_text.substr(begin, std::min(kPieceSize + kEndTag.size() - 1, m_text.size() - begin));
            for (std::size_t at = text.find(kEndTag); at != std::string_view::npos; at = text.find(kEndTag, at + 1))
                found[piece].emplace_back(begin + at, ReadNext(begin + at + kEndTag.size()));
        });
        std::vector<std::pair<std::size_t, Next>> all;
        for (const auto& positions : found)
            all.insert(all.end(), positions.begin(), positions.end());
        return all;
    }

    // Each unit function ends at the first end tag after its start tag; what follows that end tag was read
    // beside it.
    std::optional<FunctionChunkLayout> ScanFunctions(std::size_t contentBegin) const {
        const std::vector<std::pair<std::size_t, Next>> endTags = FindEndTags(contentBegin);
        auto endTag = endTags.begin();
        FunctionChunkLayout layout;
        layout.contentBegin = contentBegin;
        std::size_t position = contentBegin;
        Next next = ReadNext(contentBegin);
        while (true) {
            if (next.kind == Next::HolderEnd) {
                layout.contentEnd = next.at;
                return layout;
            }
            if (next.kind != Next::Function)
                return std::nullopt;
            endTag = std::lower_bound(endTag, endTags.end(), next.tagEnd,
                                      [](const auto& tag, std::size_t at) { return tag.first < at; });
            if (endTag == endTags.end())
                return std::nullopt;
            FunctionChunkLayout::Chunk chunk;
            chunk.begin = position;
            chunk.end = endTag->first + kEndTag.size();
            chunk.internalID = next.internalID;
            layout.chunks.push_back(chunk);
            position = chunk.end;
            next = endTag->second;
        }
    }

    std::string_view m_text;
};

} // namespace

std::optional<FunctionChunkLayout> FindFunctionChunks(const char* bytes, std::size_t size) {
    return ChunkScanner(bytes, size).Scan();
}
