#include "editor/SidePaneLines.h"

#include "logic/NegatableText.h"
#include "logic/QuantifiedMemberName.h"
#include "model/DocumentData.h"
#include "model/UnitFunction.h"
#include "texts/StringTable.h"

#include <algorithm>

namespace {

// The larger of the logic font size and the sizes of the used slots (only those holding text, when asked).
int SlotsPointSize(const CDocumentData& document, const CLogicLine& line, bool filledOnly) {
    int size = document.fonts.LogicFont.pointSize;
    const int used = CLogicLine::SlotsOfKind(line.lineKind);
    for (int i = 0; i < used; ++i) {
        const TextSlot& slot = line.textSlots[static_cast<size_t>(i)];
        if (!filledOnly || !slot.text.isEmpty())
            size = std::max<int>(size, slot.Font().pointSize);
    }
    return size;
}

// The size of a condition pane line: its filled slots, and the condition ending of an if or a case.
int GetPaneLineSize(const CDocumentData& document, const CLogicLine& line) {
    int size = SlotsPointSize(document, line, true);
    const bool ending = (line.lineKind == SyntaxIf && !line.textSlots[3].text.isEmpty()) ||
                        (line.lineKind == SyntaxCase && !line.textSlots[2].text.isEmpty());
    if (ending) {
        const FontSetting& font = line.auxiliaryVerbFlag ? document.fonts.AuVerbFont2 : document.fonts.AuVerbFont1;
        size = std::max<int>(size, font.pointSize);
    }
    return size;
}

// An open if block: its member and condition, shown again (paired and negated) by its else.
struct OpenIf {
    QString member;
    QString condition;
};

} // namespace

std::vector<SidePaneLine> BuildConditionPaneLines(const CDocumentData& document, const CUnitFunction& function) {
    std::vector<SidePaneLine> lines;
    lines.reserve(function.logicLines.size());
    std::vector<OpenIf> open;
    for (const auto& record : function.logicLines) {
        SidePaneLine line;
        if (!record) {
            line.pointSize = document.fonts.LogicFont.pointSize;
            lines.push_back(line);
            continue;
        }
        line.pointSize = GetPaneLineSize(document, *record);
        switch (record->lineKind) {
        case SyntaxIf:
            line.left = record->textSlots[0].text;
            line.right = record->textSlots[2].text;
            open.push_back({line.left, line.right});
            break;
        case SyntaxElse:
            // An else without its if (a damaged description) shows nothing rather than someone else's
            // condition.
            if (!open.empty()) {
                line.left = SplitAtQuantifier(open.back().member, &document.quantifiers);
                line.right = ParseNegationPrefix(open.back().condition).Negated().GetText();
            }
            break;
        case SyntaxEndif:
            // The block closes here, whether or not it had an else.
            if (!open.empty())
                open.pop_back();
            break;
        case SyntaxSwitch:
            line.left = record->textSlots[0].text;
            break;
        case SyntaxCase:
            line.right = record->textSlots[0].text;
            break;
        case SyntaxElsw:
            line.right = LoadString(StringId::ConditionPaneOthers);
            break;
        default:
            break;
        }
        lines.push_back(line);
    }
    return lines;
}

std::vector<SidePaneLine> BuildOutputPaneLines(const CDocumentData& document, const CUnitFunction& function) {
    std::vector<SidePaneLine> lines;
    lines.reserve(function.logicLines.size());
    for (const auto& record : function.logicLines) {
        SidePaneLine line;
        line.pointSize = record ? SlotsPointSize(document, *record, false) : document.fonts.LogicFont.pointSize;
        if (record && (record->lineKind == SyntaxDo || record->lineKind == SyntaxTransitState)) {
            line.left = record->textSlots[0].text;
            line.right = record->textSlots[2].text;
        }
        lines.push_back(line);
    }
    return lines;
}
