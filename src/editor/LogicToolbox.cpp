#include "editor/LogicToolbox.h"

#include "editor/CaretContext.h"
#include "editor/LogicEditCommandMap.h"
#include "editor/LogicEditModel.h"
#include "editor/LogicFontEdit.h"
#include "model/DocumentData.h"
#include "model/LogicLine.h"
#include "model/ModelShell.h"
#include "model/RuleVocabularyTables.h"
#include "platform/MessageBox.h"
#include "texts/StringTable.h"

#include <utility>

namespace {

using namespace LogicEditCommand;

// Statement buttons: the flag that enables them, the command at the append line and the one after the caret.
struct StatementButton {
    int id;
    unsigned flag;
    int atCurrent;
    int after;
};

constexpr StatementButton kStatementButtons[] = {
    {1209, InsertLineBefore, AddLineBreakBefore, AddLineBreakBefore},
    {1210, AddIf, AddIfAtCurrent, AddIfAfter},
    {1211, AddDo, AddDoAtCurrent, AddDoAfter},
    {1212, AddFn, AddFnAtCurrent, AddFnAfter},
    {1213, AddDoNothing, 0, AddDoNothingAfter},
    {1214, AddComment, AddCommentAtCurrent, AddCommentAfter},
    {1215, AddLineBreak, AddLineBreakAtCurrent, AddLineBreakAfter},
    {1217, AddSwitch, AddSwitchAtCurrent, AddSwitchAfter},
    {1218, AddCase, 0, AddCaseAfter},
    {1219, AddLoop, AddLoopAtCurrent, AddLoopAfter},
    {1324, AddExitlp, 0, AddExitlpAfter},
};

// The replace buttons and the statement kind each one gives the caret line.
constexpr std::pair<int, int> kReplaceButtons[] = {
    {1336, SyntaxDo},
    {1337, SyntaxFn},
    {1343, SyntaxTransitState},
};

// The kinds whose line may be replaced by a Do, Fn or Transit State line (never by its own kind); a comment
// line may not.
bool IsReplaceableKind(int kind) {
    switch (kind) {
    case SyntaxFn:
    case SyntaxDo:
    case SyntaxDoNothing:
    case SyntaxExitlp:
    case SyntaxTransitState:
        return true;
    default:
        return false;
    }
}

// The delete-lines button takes the selected whole lines, or the caret line without such a selection.
bool DeletesSelectedLines(const CLogicEditModel& model) {
    int first = 0;
    int last = 0;
    return model.GetSelectedLineRange(first, last) > 0;
}

bool CaretRecordAllows(const CLogicEditModel& model) {
    int first = 0;
    int last = 0;
    return model.Record(model.CaretLine()) && model.GetSelectedLineRange(first, last) == 0;
}

} // namespace

bool IsToolboxButtonEnabled(const CLogicEditModel& model, int button) {
    const unsigned flags = model.GetToolboxInsertionFlags();
    for (const StatementButton& statement : kStatementButtons) {
        if (statement.id == button)
            return (flags & statement.flag) != 0;
    }
    // Transit State has a flag and a command of its own.
    if (button == 1342)
        return (flags & AddTransitState) != 0;
    for (const auto& [id, kind] : kReplaceButtons) {
        if (id == button) {
            const CLogicLine* record = model.Record(model.CaretLine());
            // A typed Fn name not yet committed keeps its line from becoming another Fn line.
            return CaretRecordAllows(model) && IsReplaceableKind(record->lineKind) && record->lineKind != kind &&
                   !(kind == SyntaxFn && model.IsFnNameChanged());
        }
    }
    switch (button) {
    case 1325:
        return model.IsUndoAvailable();
    case 1327:
        return model.Record(model.CaretLine()) && model.CanCopy();
    case 1328:
        return model.CanPasteLines();
    case 1329:
        return DeletesSelectedLines(model) ? model.CanDeleteSelectedLines() : model.CanDeleteCaretLine();
    case 1330:
        return model.CanDeleteSyntaxBlock();
    case 1331:
        return model.CanDeleteSyntaxFrame();
    case 1332:
        return CanSelectSameNamedFunction(model);
    case 1338:
        return IsCaretInMemberName(model);
    case 1333:
    case 1335:
        return true;
    case 1334:
        return CanEditFontAtCaret(model);
    case 1339:
    case 1340: {
        if (!CaretRecordAllows(model))
            return false;
        const CLogicEditModel::ContextCandidates context = model.PrepareContextCandidates();
        return context.caretAtState && context.stateNotNegated;
    }
    case ToolboxToggle:
        return true;
    default:
        for (int page : kToolboxPageButtons) {
            if (page == button)
                return true;
        }
        // while, for and redo never are.
        return false;
    }
}

bool ToolboxButtonKeepsPendingEdit(int button) {
    const auto within = [button](int first, int last) { return button >= first && button <= last; };
    return within(1208, 1215) || within(1217, 1221) || within(1320, 1323) || within(1325, 1332) || button == 1334 ||
           within(1336, 1341);
}

int ToolboxButtonCommand(const CLogicEditModel& model, int button) {
    if (!IsToolboxButtonEnabled(model, button))
        return 0;
    const bool appendLine = (model.GetToolboxInsertionFlags() & CaretOnAppendLine) != 0;
    for (const StatementButton& statement : kStatementButtons) {
        if (statement.id == button)
            return appendLine && statement.atCurrent ? statement.atCurrent : statement.after;
    }
    switch (button) {
    case 1342:
        return AddTransitStateAfter;
    case 1336:
        return ReplaceWithDo;
    case 1337:
        return ReplaceWithFn;
    case 1343:
        return ReplaceWithTransitState;
    case 1325:
        return EditUndo;
    case 1327:
        return EditCopy;
    case 1328:
        return PasteLines;
    case 1329:
        return DeletesSelectedLines(model) ? DeleteSelection : DeleteLine;
    case 1330:
        return DeleteBlock;
    case 1331:
        return DeleteFrame;
    case 1332:
        return SelectFunction;
    case 1334:
        return EditFont;
    case 1338:
        return RegisterThisMemberName;
    case 1339:
        return HankakuNegation;
    case 1340:
        return ZenkakuNegation;
    default:
        return 0;
    }
}

bool CanSelectSameNamedFunction(const CLogicEditModel& model) {
    const CLogicLine* record = model.Record(model.CaretLine());
    return record && record->lineKind == SyntaxFn && !record->textSlots[0].text.isEmpty() &&
           model.Document().environment.enableDuplicateFunctionName != 0;
}

bool IsCaretInMemberName(const CLogicEditModel& model) {
    const CLogicLine* record = model.Record(model.CaretLine());
    if (!record)
        return false;
    switch (record->lineKind) {
    case SyntaxIf:
    case SyntaxDo:
    case SyntaxSwitch:
    case SyntaxTransitState:
        break;
    default:
        return false;
    }
    const QString& name = record->textSlots[0].text;
    const int column = model.Caret().column;
    return !name.isEmpty() && column >= record->Home && column <= record->Home + name.size();
}

QString MemberNameAtCaret(const CLogicEditModel& model) {
    if (!IsCaretInMemberName(model))
        return {};
    const CLogicLine& record = *model.Record(model.CaretLine());
    const int zone = GetStatementZoneAtCaret(record, model.Caret().column);
    return zone < CLogicLine::SlotCapacity ? record.textSlots[static_cast<size_t>(zone)].text : QString();
}

bool ConfirmMemberNameRegistration(const QString& name) {
    return platform::AskOkCancel(LoadString(StringId::RegisterThisMemberNameQuestion).arg(name),
                                 platform::MessageIcon::Warning);
}

int GuideLevelColour(int top, int indent) {
    if (indent <= 0 || top < 0)
        return 0;
    return (top / indent) % 3;
}

void ToggleLineMark(CLogicEditModel& model, int line, int mark) {
    CLogicLine* record = model.Record(line);
    if (!record || mark < 0 || mark >= LineMarkTable::AttributeCount)
        return;
    record->mark ^= 1u << mark;
    ModelShell().SetDocumentModified();
}

void SetLineMarkTexts(CLogicEditModel& model, int line, const QString& memo, const std::array<QString, 3>& files) {
    CLogicLine* record = model.Record(line);
    if (!record)
        return;
    record->SetMemo(memo.left(CLogicLine::MaxMemoLength));
    for (int i = 0; i < CLogicLine::UrlCount; ++i)
        record->SetUrl(i, files[static_cast<size_t>(i)].left(CLogicLine::MaxUrlLength));
    ModelShell().SetDocumentModified();
}

void DeleteLineMarks(CLogicEditModel& model, int line) {
    CLogicLine* record = model.Record(line);
    if (!record)
        return;
    record->SetMarkNotes({});
    ModelShell().SetDocumentModified();
}
