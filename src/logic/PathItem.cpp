#include "logic/PathItem.h"

PathItem MakeConditionItem(const PathCondition& condition) {
    PathItem item;
    item.fromConditions = 1;
    item.isCondition = condition.isCondition;
    item.pairable = condition.pairable;
    item.quantifier = condition.quantifier;
    item.member = condition.member;
    item.memberId = condition.memberId;
    item.state = condition.state;
    item.position = condition.position;
    item.unitFunction = condition.unitFunction;
    item.lineIndex = condition.lineIndex;
    item.line = condition.line;
    return item;
}

PathItem MakeConclusionItem(const CInspectionPathConclusion& conclusion) {
    PathItem item;
    if (conclusion.IsDo()) {
        // A Do is its own record, taken as the end of the path.
        item = MakeConditionItem(*conclusion.action);
    } else {
        item.position = conclusion.position;
        item.unitFunction = conclusion.unitFunction;
        item.lineIndex = conclusion.lineIndex;
        item.line = conclusion.line;
    }
    item.fromConditions = 0;
    item.isCondition = 0;
    item.pairable = 1;
    return item;
}

FindingTarget MakeTarget(const PathItem& item) {
    FindingTarget target;
    target.line = item.line;
    target.unitFunction = item.unitFunction;
    target.lineIndex = item.lineIndex;
    target.position = item.position;
    target.quantifier = item.quantifier;
    target.member = item.member;
    target.state = item.state;
    return target;
}
