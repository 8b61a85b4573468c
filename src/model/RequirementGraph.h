#pragma once

#include <QString>

#include <set>
#include <vector>

// The requirements the rebuild hands along the hierarchy. Each unit function's own requirements are stored
// once; every other node is the union of two nodes, so what a unit function inherits along a path shares
// everything above (or below) it instead of being copied at every level. A set is put together only when it
// is asked for.
class RequirementGraph {
public:
    static constexpr int None = -1; // the empty set

    // A node holding a copy of requirements.
    int AddSet(const std::set<QString>& requirements);
    int Union(int first, int second);
    std::set<QString> Collect(int node) const;

private:
    struct Node {
        int set; // index of a stored set, or None for a union
        int first;
        int second;
    };

    std::vector<std::set<QString>> m_sets;
    std::vector<Node> m_nodes;
};
