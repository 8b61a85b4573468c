#pragma once

#include "model/LogicLine.h"
#include "model/MemberDefinition.h"

#include <QString>

#include <vector>

struct LineMarkTable;

// The tip shown over a line's mark in the margin: "name: " for each mark, the memo, then each file name.
QString GetLineMarkTipText(const CLogicLine& line, const LineMarkTable& marks);
// One entry of the margin's line-mark menu.
struct LineMarkMenuItem {
    enum class Kind { EditMarks, Separator, Mark, Group };
    Kind kind = Kind::Separator;
    QString name;  // Mark: the mark's name; Group: the group's name
    int mark = -1; // Mark: the index of the mark, 0 to 14
    bool checked = false;
    std::vector<LineMarkMenuItem> marks; // Group: its marks in index order
    bool operator==(const LineMarkMenuItem&) const = default;
};
// The margin's menu for a line: on a line with marks the editing entry and a separator, then the marks of no
// group, a separator when there are any, then a submenu for each of the groups 1 to 4 that has marks, in group
// order. Each mark is checked when the line has it.
std::vector<LineMarkMenuItem> BuildLineMarkMenu(const CLogicLine& line, const LineMarkTable& marks);

// The tip over the character at `column` of a line: the explanation of the registered member under a member
// name (if, Do, switch and Transit State lines), of its registered state under a state name (if, Do and
// Transit State lines); empty anywhere else and for names not registered.
QString GetNameTipText(const CLogicLine& line, int column, const MemberDefinitionList& members);
