#pragma once

#include "logic/LogicKeywords.h"
#include "model/LogicLine.h"

#include <QString>

// Decides whether the plain text of a logic description is a well-formed sequence of statements.
// A recogniser only: every production returns the length it consumed at an offset, or NoMatch.
class CLogicLineMatcher {
public:
    static constexpr int NoMatch = 2147483647;

    CLogicLineMatcher(const QString& text, const LogicKeywords& keywords);

    bool MatchesWholeLine() const;

    int MatchStatement(int offset) const;
    int MatchLoopBlock(int offset) const;
    int MatchSwitchBlock(int offset) const;
    int MatchSwitchHead(int offset) const;
    int MatchCommentsAndEmptyLines(int offset) const;
    int MatchCaseClause(int offset) const;
    int MatchCaseHead(int offset) const;
    int MatchIfBlock(int offset) const;
    int MatchIfHead(int offset) const;
    int MatchFnStatement(int offset) const;
    int MatchFnTarget(int offset) const;
    int MatchFnNameTail(int offset) const;
    int MatchCommonFnTarget(int offset) const;
    int MatchOutlineAssignment(int offset) const;
    int MatchOutlineSuffix(int offset) const;
    int MatchDoStatement(int offset) const;
    int MatchTransitStateStatement(int offset) const;
    int MatchKeywordLine(int offset, const QString& keyword) const;
    int MatchCommentLine(int offset) const;
    int MatchEmptyLine(int offset) const;
    int MatchMember(int offset) const;
    int MatchState(int offset) const;
    int MatchBracketed(int offset, QChar open, QChar close) const;
    int MatchLiteral(int offset, const QString& literal) const;
    int MatchLineBreak(int offset) const;

    int CountBlanks(int offset) const;
    int CountNameChars(int offset) const;
    int CountToLineEnd(int offset) const;
    int CountOutlineChars(int offset) const;

    static bool IsOutlineChar(QChar c);
    static bool IsFullWidthOutlineChar(QChar c);

private:
    // Statement* of the grammar: greedy, and a statement that consumes nothing ends it.
    int MatchStatements(int offset) const;
    int MatchMemberStateLine(int offset, const QString& keyword) const;

    QString m_text;
    LogicKeywords m_keywords;
    // Blocks nest through recursion; text from a file could nest deeper than any stack allows.
    mutable int m_depth = 0;
};
