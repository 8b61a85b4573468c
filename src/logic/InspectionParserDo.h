#pragma once

#include "logic/InspectionParserSingleLine.h"

#include <optional>

class CInspectionParserDo : public CInspectionParserSingleLine, public MemberStateSlots {
public:
    CInspectionParserDo() : CInspectionParserSingleLine(Kind::Do) {}
    void CheckSyntax(CInspectionView& pane, quint32& counter) const override;
    bool HoldsDoOrFn() const override { return true; }
    // The Do with its keyword; the parser stores it in text for trees that make path records.
    QString ComposeText() const;

    std::optional<PathCondition> record; // the action, when member and state resolve
    const InspectionEnvironment* environment = nullptr;
};
