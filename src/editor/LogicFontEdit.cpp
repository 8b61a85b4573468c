#include "editor/LogicFontEdit.h"

#include "editor/CaretContext.h"
#include "editor/LogicEditModel.h"
#include "model/DocumentDataHelpers.h"
#include "model/ModelShell.h"
#include "model/UnitFunction.h"

namespace {

bool IsFontContext(int context) {
    return context == MemberName || context == StateName || context == FunctionName || context == ConnectingText ||
           context == CommentText;
}

} // namespace

bool CanEditFontAtCaret(const CLogicEditModel& model) {
    const CLogicLine* record = model.Record(model.CaretLine());
    if (!record)
        return false;
    int first = 0;
    int last = 0;
    if (model.GetSelectedLineRange(first, last) > 0)
        return true;
    const int startColumn = model.SelectionStart().column;
    const int zone = GetStatementZoneAtCaret(*record, startColumn);
    return zone != NoStatementZone && zone == GetStatementZoneAtCaret(*record, model.SelectionEnd().column) &&
           !record->textSlots[static_cast<size_t>(zone)].text.isEmpty() &&
           IsFontContext(ClassifyCaretContext(*record, startColumn));
}

std::optional<LogicFontEdit> BeginFontEditAtCaret(const CLogicEditModel& model) {
    const CLogicLine* record = model.Record(model.CaretLine());
    if (model.Function().logicLines.empty() || !record)
        return std::nullopt;
    LogicFontEdit edit;
    edit.lineCount = model.GetSelectedLineRange(edit.firstLine, edit.lastLine);
    if (edit.lineCount > 0) {
        std::vector<const CLogicLine*> lines;
        for (int line = edit.firstLine; line <= edit.lastLine; ++line) {
            if (const CLogicLine* selected = model.Record(line))
                lines.push_back(selected);
        }
        if (!lines.empty())
            edit.font = lines.front()->textSlots[0].Font();
        edit.mask = GetCommonLineFormat(edit.font, lines);
        return edit;
    }
    const int startColumn = model.SelectionStart().column;
    edit.startZone = GetStatementZoneAtCaret(*record, startColumn);
    edit.endZone = GetStatementZoneAtCaret(*record, model.SelectionEnd().column);
    const int context = ClassifyCaretContext(*record, startColumn);
    if (edit.startZone != NoStatementZone && IsFontContext(context)) {
        const TextSlot& slot = record->textSlots[static_cast<size_t>(edit.startZone)];
        edit.font = slot.Font();
        if (context == MemberName || context == StateName)
            edit.nameAtCaret = slot.text;
    }
    return edit;
}

bool ApplyFontEditAtCaret(CLogicEditModel& model, const LogicFontEdit& edit, const FontSetting& chosen, quint32 mask,
                          const QString& name) {
    if (edit.lineCount > 0) {
        for (int line = edit.firstLine; line <= edit.lastLine; ++line) {
            if (CLogicLine* record = model.Record(line))
                ApplyFontToLineSlots(*record, mask, chosen);
        }
    } else {
        if (edit.startZone != edit.endZone)
            return false;
        if (!name.isEmpty()) {
            ApplyNameFontToAllLines(model.Document(), name, chosen);
        } else {
            CLogicLine* record = model.Record(model.CaretLine());
            const int zone = record ? GetStatementZoneAtCaret(*record, model.Caret().column) : NoStatementZone;
            if (zone == NoStatementZone)
                return false;
            record->textSlots[static_cast<size_t>(zone)].SetFont(chosen);
        }
    }
    // The lines are drawn from their composition, which holds the fonts: it follows the records at once.
    model.ReloadRecords();
    ModelShell().SetDocumentModified();
    return true;
}
