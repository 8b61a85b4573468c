#include "logic/InspectionParserSequence.h"

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
