#pragma once

#include "model/LogicLine.h"

#include <vector>

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

// ApplyFontByMask from the font into every styled slot of the line.
void ApplyFontToLineSlots(CLogicLine& line, quint32 mask, const FontSetting& font);
// The mask of the attributes of `font` that every styled slot with text of the lines shares. A size that differs
// also sets the font's size to 0, a colour index that differs sets its index to NoColourIndex, so that
// ApplyFontByMask copies neither.
quint32 GetCommonLineFormat(FontSetting& font, const std::vector<const CLogicLine*>& lines);
