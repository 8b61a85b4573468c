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

void ApplyFontToLineSlots(CLogicLine& line, quint32 mask, const FontSetting& font) {
    const int count = GetStyledSlotCount(line);
    for (int slot = 0; slot < count; ++slot) {
        TextSlot& text = line.textSlots[static_cast<size_t>(slot)];
        FontSetting applied = text.Font();
        ApplyFontByMask(font, mask, applied);
        text.SetFont(applied);
    }
}

quint32 GetCommonLineFormat(FontSetting& font, const std::vector<const CLogicLine*>& lines) {
    const auto sharedBy = [&lines](auto&& same) {
        for (const CLogicLine* line : lines) {
            for (int slot = 0; slot < GetStyledSlotCount(*line); ++slot) {
                const TextSlot& text = line->textSlots[static_cast<size_t>(slot)];
                if (!text.text.isEmpty() && !same(text.Font()))
                    return false;
            }
        }
        return true;
    };
    quint32 mask = 0;
    if (sharedBy([&font](const FontSetting& other) { return other.faceName == font.faceName; }))
        mask |= FontAttributeFace;
    if (sharedBy([&font](const FontSetting& other) { return other.pointSize == font.pointSize; }))
        mask |= FontAttributeSize;
    else
        font.pointSize = 0;
    if (sharedBy([&font](const FontSetting& other) { return other.colourIndex == font.colourIndex; }))
        mask |= FontAttributeColour;
    else
        font.colourIndex = NoColourIndex;
    if (sharedBy([&font](const FontSetting& other) { return other.bold == font.bold; }))
        mask |= FontAttributeBold;
    if (sharedBy([&font](const FontSetting& other) { return other.italic == font.italic; }))
        mask |= FontAttributeItalic;
    if (sharedBy([&font](const FontSetting& other) { return other.underline == font.underline; }))
        mask |= FontAttributeUnderline;
    return mask;
}
