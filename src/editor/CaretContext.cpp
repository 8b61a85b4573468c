#include "editor/CaretContext.h"

int GetStatementZoneAtCaret(const CLogicLine& line, int column) {
    int zones = 0;
    switch (line.lineKind) {
    case SyntaxFn:
    case SyntaxSwitch:
    case SyntaxCase:
    case SyntaxComment:
        zones = 2;
        break;
    case SyntaxIf:
    case SyntaxDo:
    case SyntaxTransitState:
        zones = 4;
        break;
    default:
        return NoStatementZone;
    }
    int start = line.Home;
    for (int zone = 0; zone < zones; ++zone) {
        const int end = start + static_cast<int>(line.textSlots[static_cast<size_t>(zone)].text.size());
        if (column >= start && column <= end)
            return zone;
        start = end + 1;
    }
    return NoStatementZone;
}

int ClassifyCaretContext(const CLogicLine& line, int column) {
    const int zone = GetStatementZoneAtCaret(line, column);
    switch (line.lineKind) {
    case SyntaxFn:
        return zone == 0 ? FunctionName : NoContext;
    case SyntaxIf: {
        constexpr int codes[] = {MemberName, ConnectingText, StateName, ConditionEnding};
        return zone < 4 ? codes[zone] : NoContext;
    }
    case SyntaxDo:
    case SyntaxTransitState: {
        constexpr int codes[] = {MemberName, ConnectingText, StateName, ConnectingText};
        return zone < 4 ? codes[zone] : NoContext;
    }
    case SyntaxSwitch:
        return zone == 0 ? MemberName : zone == 1 ? ConnectingText : NoContext;
    case SyntaxCase:
        return zone == 0 ? StateName : zone == 1 ? ConditionEnding : NoContext;
    case SyntaxComment:
        return zone == 0 ? CommentText : NoContext;
    default:
        return NoContext;
    }
}

int GetStyledSlotCount(const CLogicLine& line) {
    switch (line.lineKind) {
    case SyntaxFn:
    case SyntaxCase:
    case SyntaxComment:
        return 1;
    case SyntaxIf:
        return 3;
    case SyntaxDo:
    case SyntaxTransitState:
        return 4;
    case SyntaxSwitch:
        return 2;
    default:
        return 0;
    }
}
