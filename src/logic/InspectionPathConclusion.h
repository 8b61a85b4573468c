#pragma once

#include "logic/NegatableText.h"
#include "logic/QuantifiedMemberName.h"

#include <QString>

#include <vector>

class CUnitFunction;

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
    QString lineText;
    // Do only.
    qint32 quantifier = QuantifierNone;
    QString member;
    NegatableText state;
    // Fn only.
    const CUnitFunction* calledFunction = nullptr;
    // The sequences and the if, switch and loop statements around the statement, outermost first. Both are
    // chains from the top of the tree, so two of them share exactly a common beginning.
    std::vector<const void*> enclosingBlocks;
    std::vector<const void*> enclosingBranches;

private:
    Kind m_kind;
};

// Equal conclusions for the comparison of two paths: the same Do action, the same called unit function, or
// two exitlp statements.
bool SameConclusion(const CInspectionPathConclusion& a, const CInspectionPathConclusion& b);
