#pragma once

#include "logic/InspectionPathConclusion.h"
#include "logic/PathCondition.h"

#include <memory>
#include <vector>

// The records of a path are kept as a chain that later paths share: a path differs from the one before it
// mostly at its end, and copying every list would make large documents quadratic. The nodes live in the
// run's path pool.
struct PathConditionNode {
    const PathCondition* record = nullptr; // held by the syntax tree, which outlives the paths
    quint8 pairable = 0;
    // The record's isCondition: the checks walk the chains by it, and the records lie all over the tree.
    quint8 isCondition = 0;
    mutable bool evaluated = false; // its in-path pair has been handed over
    int height = 1;                 // records from the start up to this one
    const PathConditionNode* parent = nullptr;
    const PathConditionNode* previousCondition = nullptr; // nearest ancestor with isCondition set
    const PathConditionNode* sameMemberBefore = nullptr;  // nearest ancestor with the same member

    // The record with this node's pairable flag.
    PathCondition Value() const;
};

// One way through the logic description to one conclusion.
struct InspectionPath {
    const PathConditionNode* conditionsTail = nullptr; // null when the path met nothing
    // Shares the ownership of the run's path pool, which holds the conclusion, the chain and the tree.
    std::shared_ptr<CInspectionPathConclusion> conclusion;
    // Nearest record with the member of a Do conclusion, or null.
    const PathConditionNode* conclusionSameMemberBefore = nullptr;

    // Everything met on the way, in path order.
    std::vector<PathCondition> Conditions() const;
    // Appends the nodes of the conditions of the branches taken, in path order; earlier actions left out.
    void AppendRealConditionNodes(std::vector<const PathConditionNode*>& nodes) const;
};
