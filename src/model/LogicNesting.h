#pragma once

#include <QString>

// How deep blocks (if, switch, loop, and unit functions entered through Fn statements) may nest in a logic
// description that a program walks. The walks recurse once a level, and a description read from a file may nest
// deeper than a stack allows; what nests deeper is refused as a whole.
constexpr int kMaxLogicNesting = 2000;

class CUnitFunction;

// Thrown by a walk of a logic description that nests deeper than kMaxLogicNesting; caught where the run starts.
// `throughCalls`: the levels belong to more than one unit function, so that the bound is passed only by counting the
// descriptions of the unit functions called.
struct CLogicNestingTooDeep {
    bool throughCalls = false;
};

// How deep a walk stands, and the unit function of its outermost level.
struct CLogicNestingDepth {
    int levels = 0;
    const CUnitFunction* outermost = nullptr;
};

// One level of a walk's recursion while it lasts, in the description of `function`: CLogicNestingTooDeep when the
// walk already stands kMaxLogicNesting levels deep.
class CLogicNestingLevel {
public:
    CLogicNestingLevel(CLogicNestingDepth& depth, const CUnitFunction* function)
        : m_depth(depth), m_outermost(!depth.outermost) {
        if (m_depth.levels >= kMaxLogicNesting)
            throw CLogicNestingTooDeep{!m_outermost && function != m_depth.outermost};
        ++m_depth.levels;
        if (m_outermost)
            m_depth.outermost = function;
    }
    ~CLogicNestingLevel() {
        --m_depth.levels;
        if (m_outermost)
            m_depth.outermost = nullptr;
    }
    CLogicNestingLevel(const CLogicNestingLevel&) = delete;
    CLogicNestingLevel& operator=(const CLogicNestingLevel&) = delete;

private:
    CLogicNestingDepth& m_depth;
    bool m_outermost;
};

// Called in a catch block where a run over the logic descriptions starts: why the run stopped, for the message
// that says so (a description nested too deep, memory exhausted, the text of another standard exception); empty
// for any other exception.
QString RunFailureReason();
