#include "model/XmlElementIndex.h"

#include "model/XmlDocumentContext.h"

#include <algorithm>
#include <cassert>
#include <limits>

class XmlIndexWalker : public pugi::xml_tree_walker {
public:
    explicit XmlIndexWalker(XmlElementIndex& index) : m_index(index) {}

    bool for_each(pugi::xml_node& node) override {
        // Texts have empty names; only elements can match, or end a match.
        const char* name = node.name();
        const auto first = static_cast<unsigned char>(name[0]);
        if (first == 0 || node.type() != pugi::node_element)
            return true;
        // Every open match at this depth or deeper ends here: the walk has left its subtree.
        const int level = depth();
        CloseDeeperThan(level - 1);
        std::uint32_t candidates = first < 128 ? m_index.m_namesByFirstCharacter[first] : 0;
        for (std::uint32_t i = 0; candidates != 0; ++i, candidates >>= 1) {
            if ((candidates & 1) != 0 && XmlSameName(name + 1, m_index.m_names[i] + 1)) {
                const auto position = static_cast<std::uint32_t>(m_index.m_matches.size());
                m_index.m_matches.push_back({node, i, 0});
                if (m_index.m_firstOfName[i] > position)
                    m_index.m_firstOfName[i] = position;
                m_index.m_lastOfName[i] = position;
                m_open.push_back({position, level});
                break;
            }
        }
        return true;
    }

    void CloseDeeperThan(int level) {
        const auto end = static_cast<std::uint32_t>(m_index.m_matches.size());
        while (!m_open.empty() && m_open.back().level > level) {
            m_index.m_matches[m_open.back().position].end = end;
            m_open.pop_back();
        }
    }

private:
    struct Open {
        std::uint32_t position;
        int level;
    };
    XmlElementIndex& m_index;
    std::vector<Open> m_open;
};

XmlElementIndex::XmlElementIndex(pugi::xml_node element, std::initializer_list<const char*> names,
                                 std::initializer_list<const char*> moreNames) {
    assert(names.size() + moreNames.size() <= MaxNames);
    for (const char* name : names)
        AddName(name);
    for (const char* name : moreNames)
        AddName(name);
    m_matches.reserve(16);
    XmlIndexWalker walker(*this);
    element.traverse(walker);
    walker.CloseDeeperThan(-1);
    // Positions are kept in 32 bits; no file this program can hold comes near.
    assert(m_matches.size() < std::numeric_limits<std::uint32_t>::max());
}

void XmlElementIndex::AddName(const char* name) {
    const auto first = static_cast<unsigned char>(name[0]);
    assert(first < 128); // element names of the file are ASCII
    m_namesByFirstCharacter[first] |= std::uint32_t{1} << m_nameCount;
    m_firstOfName[m_nameCount] = std::numeric_limits<std::uint32_t>::max();
    m_names[m_nameCount++] = name;
}

XmlElementIndex::Range XmlElementIndex::Below(pugi::xml_node match) const {
    // Readers ask in document order, so the search starts where the last one ended.
    std::size_t position = m_lastBelow;
    while (position < m_matches.size() && m_matches[position].node != match)
        ++position;
    if (position == m_matches.size()) {
        position = 0;
        while (position < m_lastBelow && m_matches[position].node != match)
            ++position;
        if (position == m_lastBelow)
            return {};
    }
    m_lastBelow = position;
    return {position + 1, m_matches[position].end};
}

pugi::xml_node XmlElementIndex::First(std::size_t name, Range range) const {
    pugi::xml_node found;
    ForEach(name, range, [&](pugi::xml_node node) {
        found = node;
        return false;
    });
    return found;
}
