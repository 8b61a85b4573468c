#pragma once

#include "model/LogicLine.h"

// Which part of a statement a caret column stands in.
enum CaretContext : int {
    MemberName = 0,
    StateName = 1,
    FunctionName = 2,
    ConnectingText = 3,
    ConditionEnding = 4,
    CommentText = 5,
    NoContext = 6,
};

constexpr int NoStatementZone = 0x7FFFFFFF;

// 0-based text slot holding the column (the closing bracket still belongs to its slot), or NoStatementZone.
int GetStatementZoneAtCaret(const CLogicLine& line, int column);
int ClassifyCaretContext(const CLogicLine& line, int column);
// Slots with a user-editable font, from the first.
int GetStyledSlotCount(const CLogicLine& line);
