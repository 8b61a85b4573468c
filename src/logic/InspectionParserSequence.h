#pragma once

#include "logic/InspectionParserEntity.h"

#include <algorithm>
#include <memory_resource>
#include <vector>

// A run of statements: the whole description or one body of a block.
class CInspectionParserSequence {
public:
    // The statement list lives in the parse's arena with the nodes.
    explicit CInspectionParserSequence(std::pmr::memory_resource* arena) : nodes(arena) {}

    // No statement at all (comments and plain lines leave none).
    bool IsEmpty() const { return nodes.empty(); }
    // Some statement other than Do nothing at the first level.
    bool HasEffective() const;
    bool HoldsDoOrFn() const;
    void CheckSyntax(CInspectionView& pane, quint32& counter) const;

    // Counts the conclusions of the paths through this sequence (CountConclusions), once the statements and the
    // bodies of its blocks are complete. The parser does it as it closes the sequence, while the statements are at
    // hand, so that the path walk reads the tree only once.
    void CountConclusions();
    // Whether some path ends at a statement of this sequence rather than at the sequence itself: a Do with a
    // record, an Fn calling a known unit function (when Fn statements count), an exitlp or a block.
    bool YieldsConclusions(bool includeFn) const { return m_conclusions[includeFn ? 1 : 0] != 0; }
    // The paths through the sequence: a sequence that yields no conclusion makes one path of its own.
    quint32 ConclusionCount(bool includeFn) const { return std::max<quint32>(m_conclusions[includeFn ? 1 : 0], 1); }

    std::pmr::vector<InspectionParserNode> nodes;
    qint32 start = 0;

private:
    // By whether Fn statements count: the conclusions of the statements, 0 when none yields one.
    quint32 m_conclusions[2] = {0, 0};
};

// The top sequence of a syntax tree; it keeps the whole tree alive.
using InspectionParserSequencePtr = std::shared_ptr<CInspectionParserSequence>;
