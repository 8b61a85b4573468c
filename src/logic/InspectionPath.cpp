#include "logic/InspectionPath.h"

#include <algorithm>

PathCondition PathConditionNode::Value() const {
    PathCondition value = *record;
    value.pairable = pairable;
    return value;
}

std::vector<PathCondition> InspectionPath::Conditions() const {
    std::vector<PathCondition> result;
    for (const PathConditionNode* node = conditionsTail; node; node = node->parent)
        result.push_back(node->Value());
    std::reverse(result.begin(), result.end());
    return result;
}

void InspectionPath::AppendRealConditionNodes(std::vector<const PathConditionNode*>& nodes) const {
    const size_t first = nodes.size();
    const PathConditionNode* node = conditionsTail;
    if (node && !node->isCondition)
        node = node->previousCondition;
    for (; node; node = node->previousCondition)
        nodes.push_back(node);
    std::reverse(nodes.begin() + static_cast<std::ptrdiff_t>(first), nodes.end());
}

bool SameConclusion(const CInspectionPathConclusion& a, const CInspectionPathConclusion& b) {
    if (a.IsDo() && b.IsDo())
        return a.action->memberId == b.action->memberId && SameNegatableText(a.action->state, b.action->state);
    if (a.IsFn() && b.IsFn())
        return a.calledFunction == b.calledFunction;
    return a.IsExitlp() && b.IsExitlp();
}
