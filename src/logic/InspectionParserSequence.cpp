#include "logic/InspectionParserSequence.h"

#include "logic/InspectionParserDo.h"
#include "logic/InspectionParserFn.h"
#include "logic/InspectionParserIf.h"
#include "logic/InspectionParserLoop.h"
#include "logic/InspectionParserSwitch.h"

bool CInspectionParserSequence::HasEffective() const {
    for (const InspectionParserNode& node : nodes)
        if (node->IsEffective())
            return true;
    return false;
}

bool CInspectionParserSequence::HoldsDoOrFn() const {
    for (const InspectionParserNode& node : nodes)
        if (node->HoldsDoOrFn())
            return true;
    return false;
}

void CInspectionParserSequence::CheckSyntax(CInspectionView& pane, quint32& counter) const {
    for (const InspectionParserNode& node : nodes)
        node->CheckSyntax(pane, counter);
}

void CInspectionParserSequence::CountConclusions() {
    for (const bool includeFn : {false, true}) {
        quint32 count = 0;
        for (const InspectionParserNode& node : nodes) {
            switch (node->kind) {
            case CInspectionParserEntity::Kind::If: {
                const auto& block = static_cast<const CInspectionParserIf&>(*node);
                count += block.thenBody->ConclusionCount(includeFn) + block.elseBody->ConclusionCount(includeFn);
                break;
            }
            case CInspectionParserEntity::Kind::Switch: {
                const auto& block = static_cast<const CInspectionParserSwitch&>(*node);
                for (const InspectionSwitchCase& item : block.cases)
                    count += item.body->ConclusionCount(includeFn);
                count += block.elswBody->ConclusionCount(includeFn);
                break;
            }
            case CInspectionParserEntity::Kind::Loop:
                count += static_cast<const CInspectionParserLoop&>(*node).body->ConclusionCount(includeFn);
                break;
            case CInspectionParserEntity::Kind::Do:
                count += static_cast<const CInspectionParserDo&>(*node).record.has_value() ? 1 : 0;
                break;
            case CInspectionParserEntity::Kind::Fn:
                count += includeFn && static_cast<const CInspectionParserFn&>(*node).calledFunction ? 1 : 0;
                break;
            case CInspectionParserEntity::Kind::DoNothing:
                break;
            case CInspectionParserEntity::Kind::Exitlp:
                ++count;
                break;
            }
        }
        m_conclusions[includeFn ? 1 : 0] = count;
    }
}
