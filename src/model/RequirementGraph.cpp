#include "model/RequirementGraph.h"

#include <unordered_set>

int RequirementGraph::AddSet(const std::set<QString>& requirements) {
    if (requirements.empty())
        return None;
    m_sets.push_back(requirements);
    m_nodes.push_back({static_cast<int>(m_sets.size()) - 1, None, None});
    return static_cast<int>(m_nodes.size()) - 1;
}

int RequirementGraph::Union(int first, int second) {
    if (first == None || first == second)
        return second;
    if (second == None)
        return first;
    m_nodes.push_back({None, first, second});
    return static_cast<int>(m_nodes.size()) - 1;
}

// Nodes are shared along many paths, so each is visited once.
std::set<QString> RequirementGraph::Collect(int node) const {
    std::set<QString> result;
    std::unordered_set<int> seen;
    std::vector<int> pending{node};
    while (!pending.empty()) {
        const int current = pending.back();
        pending.pop_back();
        if (current == None || !seen.insert(current).second)
            continue;
        const Node& entry = m_nodes[static_cast<std::size_t>(current)];
        if (entry.set != None) {
            const std::set<QString>& requirements = m_sets[static_cast<std::size_t>(entry.set)];
            result.insert(requirements.begin(), requirements.end());
        }
        pending.push_back(entry.first);
        pending.push_back(entry.second);
    }
    return result;
}
