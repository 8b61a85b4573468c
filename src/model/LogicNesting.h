#pragma once

#include <QString>

// How deep blocks (if, switch, loop, and unit functions entered through Fn statements) may nest in a logic
// description that a program walks. The walks recurse once a level, and a description read from a file may nest
// deeper than a stack allows; what nests deeper is refused as a whole.
constexpr int kMaxLogicNesting = 2000;

// Thrown by a walk of a logic description that nests deeper than kMaxLogicNesting; caught where the run starts.
struct CLogicNestingTooDeep {};

// One level of a walk's recursion while it lasts, counted in `depth`: CLogicNestingTooDeep when the walk already
// stands kMaxLogicNesting levels deep.
class CLogicNestingLevel {
public:
    explicit CLogicNestingLevel(int& depth) : m_depth(depth) {
        if (m_depth >= kMaxLogicNesting)
            throw CLogicNestingTooDeep{};
        ++m_depth;
    }
    ~CLogicNestingLevel() { --m_depth; }
    CLogicNestingLevel(const CLogicNestingLevel&) = delete;
    CLogicNestingLevel& operator=(const CLogicNestingLevel&) = delete;

private:
    int& m_depth;
};

// Called in a catch block where a run over the logic descriptions starts: why the run stopped, for the message
// that says so (a description nested too deep, memory exhausted, the text of another standard exception); empty
// for any other exception.
QString RunFailureReason();
