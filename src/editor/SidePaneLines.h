#pragma once

#include <QString>

#include <vector>

class CDocumentData;
class CUnitFunction;

// One line of the condition or the output pane: the texts of its two columns and the point size (tenths)
// both are shown in. The panes hold exactly one such line per logic line, so that they read across with the
// logic editor.
struct SidePaneLine {
    QString left;
    QString right;
    int pointSize = 0;

    bool operator==(const SidePaneLine&) const = default;
};

// The condition pane: the member and condition of every if, else, switch, case and elsw line. An else shows
// the member of its own if with the paired quantifier and the negated condition, however many if blocks
// are nested between them.
std::vector<SidePaneLine> BuildConditionPaneLines(const CDocumentData& document, const CUnitFunction& function);
// The output pane: the member and state of every Do and Transit State line.
std::vector<SidePaneLine> BuildOutputPaneLines(const CDocumentData& document, const CUnitFunction& function);
