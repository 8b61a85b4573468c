#include "logic/InspectionPathPool.h"

PathConditionNode* CInspectionPathPool::AppendPathCondition(const PathConditionNode* chain, const PathCondition& record,
                                                            quint8 pairable) {
    PathConditionNode* node = m_nodes.Emplace();
    node->record = &record;
    node->pairable = pairable;
    node->isCondition = record.isCondition;
    node->parent = chain;
    if (chain) {
        node->height = chain->height + 1;
        node->previousCondition = chain->isCondition ? chain : chain->previousCondition;
    }
    return node;
}
