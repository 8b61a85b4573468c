#include "editor/LogicEditCommandMap.h"

#include "editor/LogicEditModel.h"

#include <utility>

namespace {

using Handler = void (CLogicEditModel::*)();

constexpr std::pair<int, Handler> kCommands[] = {
    {LogicEditCommand::AddFnAfter, &CLogicEditModel::OnAddFnAfter},
    {LogicEditCommand::AddIfAfter, &CLogicEditModel::OnAddIfAfter},
    {LogicEditCommand::AddDoAfter, &CLogicEditModel::OnAddDoAfter},
    {LogicEditCommand::AddSwitchAfter, &CLogicEditModel::OnAddSwitchAfter},
    {LogicEditCommand::AddCaseAfter, &CLogicEditModel::OnAddCaseAfter},
    {LogicEditCommand::AddLoopAfter, &CLogicEditModel::OnAddLoopAfter},
    {LogicEditCommand::AddExitlpAfter, &CLogicEditModel::OnAddExitlpAfter},
    {LogicEditCommand::AddDoNothingAfter, &CLogicEditModel::OnAddDoNothingAfter},
    {LogicEditCommand::AddCommentAfter, &CLogicEditModel::OnAddCommentAfter},
    {LogicEditCommand::AddLineBreakAfter, &CLogicEditModel::OnAddLineBreakAfter},
    {LogicEditCommand::AddTransitStateAfter, &CLogicEditModel::OnAddTransitStateAfter},
    {LogicEditCommand::ReplaceWithFn, &CLogicEditModel::OnReplaceWithFn},
    {LogicEditCommand::ReplaceWithIf, &CLogicEditModel::OnReplaceWithIf},
    {LogicEditCommand::ReplaceWithDo, &CLogicEditModel::OnReplaceWithDo},
    {LogicEditCommand::ReplaceWithSwitch, &CLogicEditModel::OnReplaceWithSwitch},
    {LogicEditCommand::ReplaceWithCase, &CLogicEditModel::OnReplaceWithCase},
    {LogicEditCommand::ReplaceWithLoop, &CLogicEditModel::OnReplaceWithLoop},
    {LogicEditCommand::ReplaceWithExitlp, &CLogicEditModel::OnReplaceWithExitlp},
    {LogicEditCommand::ReplaceWithDoNothing, &CLogicEditModel::OnReplaceWithDoNothing},
    {LogicEditCommand::ReplaceWithComment, &CLogicEditModel::OnReplaceWithComment},
    {LogicEditCommand::ReplaceWithLineBreak, &CLogicEditModel::OnReplaceWithLineBreak},
    {LogicEditCommand::ReplaceWithTransitState, &CLogicEditModel::OnReplaceWithTransitState},
    {LogicEditCommand::AddFnAtCurrent, &CLogicEditModel::OnAddFnAtCurrent},
    {LogicEditCommand::AddIfAtCurrent, &CLogicEditModel::OnAddIfAtCurrent},
    {LogicEditCommand::AddDoAtCurrent, &CLogicEditModel::OnAddDoAtCurrent},
    {LogicEditCommand::AddSwitchAtCurrent, &CLogicEditModel::OnAddSwitchAtCurrent},
    {LogicEditCommand::AddLoopAtCurrent, &CLogicEditModel::OnAddLoopAtCurrent},
    {LogicEditCommand::AddCommentAtCurrent, &CLogicEditModel::OnAddCommentAtCurrent},
    {LogicEditCommand::AddLineBreakAtCurrent, &CLogicEditModel::OnAddLineBreakAtCurrent},
    {LogicEditCommand::AddFnBefore, &CLogicEditModel::OnAddFnBefore},
    {LogicEditCommand::AddIfBefore, &CLogicEditModel::OnAddIfBefore},
    {LogicEditCommand::AddDoBefore, &CLogicEditModel::OnAddDoBefore},
    {LogicEditCommand::AddSwitchBefore, &CLogicEditModel::OnAddSwitchBefore},
    {LogicEditCommand::AddLoopBefore, &CLogicEditModel::OnAddLoopBefore},
    {LogicEditCommand::AddCommentBefore, &CLogicEditModel::OnAddCommentBefore},
    {LogicEditCommand::AddLineBreakBefore, &CLogicEditModel::OnAddLineBreakBefore},
    {LogicEditCommand::WrapInIfElse, &CLogicEditModel::OnWrapInIfElse},
    {LogicEditCommand::WrapInElseEndif, &CLogicEditModel::OnWrapInElseEndif},
    {LogicEditCommand::WrapInLoop, &CLogicEditModel::OnWrapInLoop},
    {LogicEditCommand::DeleteLine, &CLogicEditModel::OnDeleteLine},
    {LogicEditCommand::DeleteBlock, &CLogicEditModel::OnDeleteBlock},
    {LogicEditCommand::DeleteFrame, &CLogicEditModel::OnDeleteFrame},
    {LogicEditCommand::DeleteSelection, &CLogicEditModel::OnDeleteSelection},
    {LogicEditCommand::PasteLines, &CLogicEditModel::OnEditPasteLines},
    {LogicEditCommand::HankakuNegation, &CLogicEditModel::OnHankakuNegation},
    {LogicEditCommand::ZenkakuNegation, &CLogicEditModel::OnZenkakuNegation},
    {LogicEditCommand::EditClear, &CLogicEditModel::OnEditClear},
    {LogicEditCommand::EditCopy, &CLogicEditModel::OnEditCopy},
    {LogicEditCommand::EditCut, &CLogicEditModel::OnEditCut},
    {LogicEditCommand::EditPaste, &CLogicEditModel::OnEditPaste},
    {LogicEditCommand::EditUndo, &CLogicEditModel::UndoLastEdit},
};

} // namespace

bool RunLogicEditCommand(CLogicEditModel& model, int id) {
    // Transit State fills the append line when the caret stands there, as the other statements' own ids do.
    if (id == LogicEditCommand::AddTransitStateAfter && model.CaretLine() >= model.RecordCount()) {
        model.AddTransitStateAtCurrent();
        return true;
    }
    for (const auto& [command, handler] : kCommands) {
        if (command == id) {
            (model.*handler)();
            return true;
        }
    }
    // Redo is never available; it is taken so that it does nothing.
    return id == LogicEditCommand::EditRedo;
}

int CandidateIndexFromCommand(int id, int separator, int count) {
    int index = id - LogicEditCommand::FirstCandidate;
    if (index < 0 || id > LogicEditCommand::LastCandidate)
        return -1;
    if (separator != 0 && index > separator)
        --index;
    else if (separator != 0 && index == separator)
        return -1;
    return index < count ? index : -1;
}
