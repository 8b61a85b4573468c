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

std::vector<PathCondition> InspectionPath::GetRealConditions() const {
    std::vector<PathCondition> result;
    for (const PathConditionNode* node : GetRealConditionNodes())
        result.push_back(node->Value());
    return result;
}

std::vector<const PathConditionNode*> InspectionPath::GetRealConditionNodes() const {
    std::vector<const PathConditionNode*> result;
    const PathConditionNode* node = conditionsTail;
    if (node && !node->record->isCondition)
        node = node->previousCondition;
    for (; node; node = node->previousCondition)
        result.push_back(node);
    std::reverse(result.begin(), result.end());
    return result;
}

bool SameConclusion(const CInspectionPathConclusion& a, const CInspectionPathConclusion& b) {
    if (a.IsDo() && b.IsDo())
        return a.memberId == b.memberId && SameNegatableText(a.state, b.state);
    if (a.IsFn() && b.IsFn())
        return a.calledFunction == b.calledFunction;
    return a.IsExitlp() && b.IsExitlp();
}
