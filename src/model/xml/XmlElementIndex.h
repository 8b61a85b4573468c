#pragma once

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <type_traits>
#include <vector>

// The elements of several names below one element, found in a single walk: the same answers as one
// lookup per name (any depth, document order), for readers that ask for many names below a large element.
// Lookups can be narrowed to the elements below one of the matches, since those follow it directly.
class XmlElementIndex {
public:
    static constexpr std::size_t MaxNames = 32;

    // A stretch of the matches, in document order.
    struct Range {
        std::size_t begin = 0;
        std::size_t end = 0;
    };

    // The position of a name in the lists (the second one continuing the first) selects its matches.
    // The subtrees of the matches of splitName, when given, are walked side by side on several threads.
    XmlElementIndex(pugi::xml_node element, std::initializer_list<const char*> names,
                    std::initializer_list<const char*> moreNames = {}, std::size_t splitName = MaxNames);

    Range All() const { return {0, m_matches.size()}; }
    // The matches below the given one (empty when it is not a match).
    Range Below(pugi::xml_node match) const;

    pugi::xml_node First(std::size_t name) const { return First(name, All()); }
    pugi::xml_node First(std::size_t name, Range range) const;
    // The first match in the range that is not below a match of record (see ForEachOwn).
    pugi::xml_node FirstOwn(std::size_t name, std::size_t record, Range range) const;
    // Visits the matches of a name in document order until the visitor returns false. A visitor that takes
    // a Range as well gets the matches below each one with it.
    template <class Visitor> void ForEach(std::size_t name, Range range, Visitor visit) const {
        if (range.end - range.begin <= kShortRange) {
            for (std::size_t i = range.begin; i < range.end; ++i) {
                if (m_matches[i].name == name && !Visit(visit, i))
                    return;
            }
            return;
        }
        const std::uint32_t* const last = m_byName.data() + m_nameStart[name + 1];
        for (const std::uint32_t* position = FirstOfNameFrom(name, range.begin);
             position != last && *position < range.end; ++position) {
            if (!Visit(visit, *position))
                return;
        }
    }
    template <class Visitor> void ForEach(std::size_t name, Visitor visit) const { ForEach(name, All(), visit); }
    // As ForEach, leaving out the matches below a match of record: a record nested in another holds its own
    // content, so that reading each of many nested records reads each part of the file once.
    template <class Visitor> void ForEachOwn(std::size_t name, std::size_t record, Range range, Visitor visit) const {
        if (range.end - range.begin <= kShortRange) {
            for (std::size_t i = range.begin; i < range.end; ++i) {
                if (m_matches[i].name == record)
                    i = m_matches[i].end - 1;
                else if (m_matches[i].name == name && !Visit(visit, i))
                    return;
            }
            return;
        }
        const std::uint32_t* const last = m_byName.data() + m_nameStart[name + 1];
        const std::uint32_t* const lastNested = m_byName.data() + m_nameStart[record + 1];
        const std::uint32_t* nested = FirstOfNameFrom(record, range.begin);
        const std::uint32_t* position = FirstOfNameFrom(name, range.begin);
        while (position != last && *position < range.end) {
            while (nested != lastNested && *nested < *position && m_matches[*nested].end <= *position)
                nested = FirstOfNameFrom(record, m_matches[*nested].end);
            if (nested != lastNested && *nested < *position) {
                position = FirstOfNameFrom(name, m_matches[*nested].end);
                continue;
            }
            if (!Visit(visit, *position))
                return;
            ++position;
        }
    }

private:
    // Most ranges hold a few matches, looked at in place; in a longer one only the name's own are.
    static constexpr std::size_t kShortRange = 64;

    struct Match {
        pugi::xml_node node;
        std::uint32_t name;
        std::uint32_t end; // one past the last match below this one
    };
    friend class XmlIndexWalker;

    void AddName(const char* name);
    void CollectSplitSubtrees(const std::vector<std::size_t>& splits);
    // The first of a name's positions at or after the given one.
    const std::uint32_t* FirstOfNameFrom(std::size_t name, std::size_t position) const;
    template <class Visitor> bool Visit(Visitor& visit, std::size_t position) const {
        const Match& match = m_matches[position];
        if constexpr (std::is_invocable_v<Visitor&, pugi::xml_node, Range>)
            return visit(match.node, Range{position + 1, match.end});
        else
            return visit(match.node);
    }

    std::array<const char*, MaxNames> m_names{};
    std::size_t m_nameCount = 0;
    std::array<std::uint32_t, 128> m_namesByFirstCharacter{}; // bit set of the names starting with it
    std::vector<Match> m_matches;
    // The positions of the matches grouped by name, each group in document order, so that a lookup in a
    // range costs the number of its answers, whatever else the range holds (nested elements of one name).
    std::vector<std::uint32_t> m_byName;
    std::array<std::uint32_t, MaxNames + 1> m_nameStart{};
    mutable std::size_t m_lastBelow = 0;
};
