#include "model/xml/XmlElementIndex.h"

#include "model/ParallelWork.h"
#include "model/xml/XmlDocumentContext.h"

#include <algorithm>
#include <cassert>
#include <limits>

// Collects the matches below an element in document order. The subtrees of matches of the split name are
// left out, to be collected on their own; each such match is listed in splits.
class XmlIndexWalker {
public:
    XmlIndexWalker(const XmlElementIndex& index, std::vector<XmlElementIndex::Match>& matches, std::size_t splitName,
                   std::vector<std::size_t>* splits)
        : m_index(index), m_matches(matches), m_splitName(splitName), m_splits(splits) {}

    void Walk(pugi::xml_node element) {
        pugi::xml_node node = element.first_child();
        int level = 0;
        while (node) {
            pugi::xml_node next = Visit(node, level) ? node.first_child() : pugi::xml_node();
            if (next) {
                ++level;
                node = next;
                continue;
            }
            while (!(next = node.next_sibling())) {
                node = node.parent();
                --level;
                if (node == element) {
                    CloseDeeperThan(-1);
                    return;
                }
            }
            node = next;
        }
        CloseDeeperThan(-1);
    }

private:
    struct Open {
        std::uint32_t position;
        int level;
    };

    // False when the walk is not to go below the node.
    bool Visit(pugi::xml_node node, int level) {
        // Texts have empty names; only elements can match, or end a match.
        const char* name = node.name();
        const auto first = static_cast<unsigned char>(name[0]);
        if (first == 0 || node.type() != pugi::node_element)
            return false;
        // Every open match at this depth or deeper ends here: the walk has left its subtree.
        CloseDeeperThan(level - 1);
        std::uint32_t candidates = first < 128 ? m_index.m_namesByFirstCharacter[first] : 0;
        for (std::uint32_t i = 0; candidates != 0; ++i, candidates >>= 1) {
            if ((candidates & 1) != 0 && XmlSameName(name + 1, m_index.m_names[i] + 1)) {
                const auto position = static_cast<std::uint32_t>(m_matches.size());
                m_matches.push_back({node, i, position + 1});
                if (i == m_splitName) {
                    m_splits->push_back(position);
                    return false;
                }
                m_open.push_back({position, level});
                break;
            }
        }
        return true;
    }

    void CloseDeeperThan(int level) {
        const auto end = static_cast<std::uint32_t>(m_matches.size());
        while (!m_open.empty() && m_open.back().level > level) {
            m_matches[m_open.back().position].end = end;
            m_open.pop_back();
        }
    }

    const XmlElementIndex& m_index;
    std::vector<XmlElementIndex::Match>& m_matches;
    const std::size_t m_splitName;
    std::vector<std::size_t>* m_splits;
    std::vector<Open> m_open;
};

XmlElementIndex::XmlElementIndex(pugi::xml_node element, std::initializer_list<const char*> names,
                                 std::initializer_list<const char*> moreNames, std::size_t splitName) {
    assert(names.size() + moreNames.size() <= MaxNames);
    for (const char* name : names)
        AddName(name);
    for (const char* name : moreNames)
        AddName(name);
    std::vector<std::size_t> splits;
    XmlIndexWalker(*this, m_matches, splitName, &splits).Walk(element);
    if (!splits.empty())
        CollectSplitSubtrees(splits);
    // Positions are kept in 32 bits; no file this program can hold comes near.
    assert(m_matches.size() < std::numeric_limits<std::uint32_t>::max());
    for (const Match& match : m_matches)
        ++m_nameStart[match.name + 1];
    for (std::size_t name = 0; name < MaxNames; ++name)
        m_nameStart[name + 1] += m_nameStart[name];
    m_byName.resize(m_matches.size());
    std::array<std::uint32_t, MaxNames> next{};
    std::copy(m_nameStart.begin(), m_nameStart.end() - 1, next.begin());
    for (std::size_t i = 0; i < m_matches.size(); ++i)
        m_byName[next[m_matches[i].name]++] = static_cast<std::uint32_t>(i);
}

const std::uint32_t* XmlElementIndex::FirstOfNameFrom(std::size_t name, std::size_t position) const {
    return std::lower_bound(m_byName.data() + m_nameStart[name], m_byName.data() + m_nameStart[name + 1],
                            static_cast<std::uint32_t>(position));
}

void XmlElementIndex::CollectSplitSubtrees(const std::vector<std::size_t>& splits) {
    // The subtrees are collected side by side, a run of them into each list, then put in their places behind
    // their matches.
    constexpr std::size_t kSubtreesPerList = 64;
    struct Run {
        std::vector<Match> matches;
        std::vector<std::uint32_t> ends; // where each subtree's matches end in the list
    };
    std::vector<Run> runs((splits.size() + kSubtreesPerList - 1) / kSubtreesPerList);
    RunInParallel(runs.size(), 16, [&](std::size_t run) {
        const std::size_t end = std::min(splits.size(), (run + 1) * kSubtreesPerList);
        for (std::size_t split = run * kSubtreesPerList; split < end; ++split) {
            XmlIndexWalker(*this, runs[run].matches, MaxNames, nullptr).Walk(m_matches[splits[split]].node);
            runs[run].ends.push_back(static_cast<std::uint32_t>(runs[run].matches.size()));
        }
    });
    std::vector<Match> outer = std::move(m_matches);
    std::size_t total = outer.size();
    for (const Run& run : runs)
        total += run.matches.size();
    m_matches.clear();
    m_matches.reserve(total);
    std::vector<std::uint32_t> moved(outer.size() + 1);
    std::size_t split = 0;
    for (std::size_t i = 0; i < outer.size(); ++i) {
        moved[i] = static_cast<std::uint32_t>(m_matches.size());
        m_matches.push_back(outer[i]);
        if (split < splits.size() && splits[split] == i) {
            Run& run = runs[split / kSubtreesPerList];
            const std::size_t inRun = split % kSubtreesPerList;
            const std::uint32_t begin = inRun == 0 ? 0 : run.ends[inRun - 1];
            const auto offset = static_cast<std::uint32_t>(m_matches.size()) - begin;
            for (std::uint32_t k = begin; k < run.ends[inRun]; ++k) {
                Match match = run.matches[k];
                match.end += offset;
                m_matches.push_back(match);
            }
            // Ends are mapped below from the outer positions; this one ends with its subtree.
            outer[i].end = static_cast<std::uint32_t>(outer.size()) + 1;
            m_matches[moved[i]].end = static_cast<std::uint32_t>(m_matches.size());
            if (inRun + 1 == run.ends.size())
                Run().matches.swap(run.matches);
            ++split;
        }
    }
    moved[outer.size()] = static_cast<std::uint32_t>(m_matches.size());
    for (std::size_t i = 0; i < outer.size(); ++i) {
        if (outer[i].end <= outer.size())
            m_matches[moved[i]].end = moved[outer[i].end];
    }
}

void XmlElementIndex::AddName(const char* name) {
    const auto first = static_cast<unsigned char>(name[0]);
    assert(first < 128); // element names of the file are ASCII
    m_namesByFirstCharacter[first] |= std::uint32_t{1} << m_nameCount;
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

pugi::xml_node XmlElementIndex::FirstOwn(std::size_t name, std::size_t record, Range range) const {
    pugi::xml_node found;
    ForEachOwn(name, record, range, [&](pugi::xml_node node) {
        found = node;
        return false;
    });
    return found;
}
