#include "model/XmlElementIndex.h"

#include <cassert>
#include <cstring>

class XmlIndexWalker : public pugi::xml_tree_walker {
public:
    explicit XmlIndexWalker(XmlElementIndex& index) : m_index(index) {}

    bool for_each(pugi::xml_node& node) override {
        if (node.type() != pugi::node_element)
            return true;
        const char* name = node.name();
        const auto first = static_cast<unsigned char>(name[0]);
        std::uint32_t candidates = first < 128 ? m_index.m_namesByFirstCharacter[first] : 0;
        for (std::size_t i = 0; candidates != 0; ++i, candidates >>= 1) {
            if ((candidates & 1) != 0 && std::strcmp(name, m_index.m_names[i]) == 0) {
                m_index.m_matches.push_back({i, node});
                break;
            }
        }
        return true;
    }

private:
    XmlElementIndex& m_index;
};

XmlElementIndex::XmlElementIndex(pugi::xml_node element, std::initializer_list<const char*> names) : m_root(element) {
    assert(names.size() <= MaxNames);
    for (const char* name : names) {
        const auto first = static_cast<unsigned char>(name[0]);
        assert(first < 128); // element names of the file are ASCII
        m_namesByFirstCharacter[first] |= std::uint32_t{1} << m_nameCount;
        m_names[m_nameCount++] = name;
    }
    m_matches.reserve(16);
    XmlIndexWalker walker(*this);
    element.traverse(walker);
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
    // The elements below a match come right after it in document order.
    const auto inside = [&](pugi::xml_node node) {
        for (node = node.parent(); node && node != m_root; node = node.parent()) {
            if (node == match)
                return true;
        }
        return false;
    };
    std::size_t end = position + 1;
    while (end < m_matches.size() && inside(m_matches[end].node))
        ++end;
    return {position + 1, end};
}

pugi::xml_node XmlElementIndex::First(std::size_t name, Range range) const {
    for (std::size_t i = range.begin; i < range.end; ++i) {
        if (m_matches[i].name == name)
            return m_matches[i].node;
    }
    return {};
}
