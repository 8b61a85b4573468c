#include "logic/InspectionPath.h"

#include <algorithm>

PathConditionNode::~PathConditionNode() {
    PathConditionChain next = std::move(parent);
    while (next && next.use_count() == 1)
        next = std::move(const_cast<PathConditionNode&>(*next).parent);
}

std::shared_ptr<PathConditionNode> AppendPathCondition(const PathConditionChain& chain, const PathCondition& value) {
    auto node = std::make_shared<PathConditionNode>();
    node->value = value;
    node->parent = chain;
    if (chain) {
        node->height = chain->height + 1;
        node->previousCondition = chain->value.isCondition ? chain.get() : chain->previousCondition;
    }
    return node;
}

std::vector<PathCondition> InspectionPath::Conditions() const {
    std::vector<PathCondition> result;
    for (const PathConditionNode* node = conditionsTail.get(); node; node = node->parent.get())
        result.push_back(node->value);
    std::reverse(result.begin(), result.end());
    return result;
}

std::vector<PathCondition> InspectionPath::GetRealConditions() const {
    std::vector<PathCondition> result;
    const PathConditionNode* node = conditionsTail.get();
    if (node && !node->value.isCondition)
        node = node->previousCondition;
    for (; node; node = node->previousCondition)
        result.push_back(node->value);
    std::reverse(result.begin(), result.end());
    return result;
}

bool SameConclusion(const CInspectionPathConclusion& a, const CInspectionPathConclusion& b) {
    if (a.IsDo() && b.IsDo())
        return a.member == b.member && SameNegatableText(a.state, b.state);
    if (a.IsFn() && b.IsFn())
        return a.calledFunction == b.calledFunction;
    return a.IsExitlp() && b.IsExitlp();
}
