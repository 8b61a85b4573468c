#pragma once

#include "model/LogicLine.h"
#include "model/MemberDefinition.h"

#include <QString>

struct LineMarkTable;

// The tip shown over a line's mark in the margin: "name: " for each mark, the memo, then each file name.
QString GetLineMarkTipText(const CLogicLine& line, const LineMarkTable& marks);
// The tip over the character at `column` of a line: the explanation of the registered member under a member
// name (if, Do, switch and Transit State lines), of its registered state under a state name (if, Do and
// Transit State lines); empty anywhere else and for names not registered.
QString GetNameTipText(const CLogicLine& line, int column, const MemberDefinitionList& members);

// The text of a link found at start in a text: it runs to a line end, or to a blank or an ideographic space
// outside double quotes, which are not kept; a double quote just before the start opens quoted mode.
struct LinkText {
    int start = 0;
    int end = 0;
    QString text;
};
LinkText ExtractLinkText(const QString& text, int start);
