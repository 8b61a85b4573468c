#pragma once

#include "logic/InspectionParserSingleLine.h"

#include <optional>

class CLogicLine;

class CInspectionParserDo : public CInspectionParserSingleLine {
public:
    CInspectionParserDo() : CInspectionParserSingleLine(Kind::Do) {}
    void CheckSyntax(CInspectionView& pane, quint32& counter) const override;
    bool HoldsDoOrFn() const override { return true; }
    // The Do with its keyword; the parser stores it in text for trees that make path records.
    QString ComposeText() const;

    // The slots are read from the logic line itself: copying them into every node costs more than the tree's
    // other work on large documents.
    const QString& MemberName() const;
    const QString& JoiningText() const;
    const QString& StateName() const;
    const QString& ClosingText() const;

    const CLogicLine* line = nullptr;
    // The Do without its keyword, as the condition list shows it; only that list needs it.
    QString ShortText() const;
    std::optional<PathCondition> record; // the action, when member and state resolve
    const InspectionEnvironment* environment = nullptr;
};
