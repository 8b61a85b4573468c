#pragma once

#include "logic/InspectionPathConclusion.h"
#include "logic/PathCondition.h"

#include <memory>
#include <vector>

// The records of a path are kept as a chain that later paths share: a path differs from the one before it
// mostly at its end, and copying every list would make large documents quadratic.
struct PathConditionNode {
    PathCondition value;
    std::shared_ptr<const PathConditionNode> parent;
    const PathConditionNode* previousCondition = nullptr; // nearest ancestor with isCondition set
    const PathConditionNode* sameMemberBefore = nullptr;  // nearest ancestor with the same member
    int height = 1;                                       // records from the start up to this one
    mutable bool evaluated = false;                       // its in-path pair has been handed over

    PathConditionNode() = default;
    PathConditionNode(const PathConditionNode&) = delete;
    PathConditionNode& operator=(const PathConditionNode&) = delete;
    // Releases a long chain without one nested destructor call per record.
    ~PathConditionNode();
};

using PathConditionChain = std::shared_ptr<const PathConditionNode>;

// Appends a record to a chain; sameMemberBefore is the caller's to fill.
std::shared_ptr<PathConditionNode> AppendPathCondition(const PathConditionChain& chain, const PathCondition& value);

// One way through the logic description to one conclusion.
struct InspectionPath {
    PathConditionChain conditionsTail; // null when the path met nothing
    std::shared_ptr<CInspectionPathConclusion> conclusion;
    // Nearest record with the member of a Do conclusion, or null.
    const PathConditionNode* conclusionSameMemberBefore = nullptr;

    // Everything met on the way, in path order.
    std::vector<PathCondition> Conditions() const;
    // The conditions of the branches taken, in path order; earlier actions left out.
    std::vector<PathCondition> GetRealConditions() const;
};
