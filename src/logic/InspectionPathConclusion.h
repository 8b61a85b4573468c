#pragma once

#include "logic/PathCondition.h"

#include <QString>

class CUnitFunction;

// One statement or sequence around a conclusion, linked to the one around it. The conclusions of a run share
// their links, so two chains meet exactly in a common beginning. The links are numbered in the order the walk
// enters them; the items inside a link hold the numbers from its own up to `last`, so whether one link lies
// within another is answered without walking the chains.
struct EnclosingLink {
    const void* item = nullptr;
    const EnclosingLink* parent = nullptr;
    const void* outermost = nullptr; // the item at the root of the chain
    qint32 depth = 1;
    quint32 number = 0;
    mutable quint32 last = 0; // set when the walk leaves the item
};

// The statement a path ends in: a Do, an Fn, an exitlp, or the start of a sequence that yields no other
// conclusion.
class CInspectionPathConclusion {
public:
    enum class Kind { Do, Fn, Exitlp, EmptySequence };

    explicit CInspectionPathConclusion(Kind kind) : m_kind(kind) {}

    bool IsDo() const { return m_kind == Kind::Do; }
    bool IsFn() const { return m_kind == Kind::Fn; }
    bool IsExitlp() const { return m_kind == Kind::Exitlp; }
    bool IsEmptySequence() const { return m_kind == Kind::EmptySequence; }
    bool HasLine() const { return m_kind != Kind::EmptySequence; }

    qint32 position = -1;
    const CUnitFunction* unitFunction = nullptr;
    qint32 lineIndex = -1;
    StatementLine line;
    // Do only: the action's record, held by the syntax tree.
    const PathCondition* action = nullptr;
    // Fn only.
    const CUnitFunction* calledFunction = nullptr;
    // The innermost sequence and the innermost if, switch or loop statement around the statement; null for none.
    const EnclosingLink* enclosingBlocks = nullptr;
    const EnclosingLink* enclosingBranches = nullptr;

private:
    Kind m_kind;
};

// Equal conclusions for the comparison of two paths: the same Do action, the same called unit function, or
// two exitlp statements.
bool SameConclusion(const CInspectionPathConclusion& a, const CInspectionPathConclusion& b);
