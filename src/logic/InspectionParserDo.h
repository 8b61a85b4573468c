#pragma once

#include "logic/InspectionParserSingleLine.h"

#include <optional>

class CInspectionParserDo : public CInspectionParserSingleLine, public MemberStateSlots {
public:
    CInspectionParserDo() : CInspectionParserSingleLine(Kind::Do) {}
    void CheckSyntax(CInspectionView& pane, quint32& counter) const override;
    bool HoldsDoOrFn() const override { return true; }
    // The Do with its keyword.
    QString ComposeText() const;
    QString LineText(qint32) const override { return ComposeText(); }

    std::optional<PathCondition> record; // the action, when member and state resolve
};
