#pragma once

#include "logic/InspectionParserEntity.h"

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

    std::pmr::vector<InspectionParserNode> nodes;
    qint32 start = 0;
};

// The top sequence of a syntax tree; it keeps the whole tree alive.
using InspectionParserSequencePtr = std::shared_ptr<CInspectionParserSequence>;
