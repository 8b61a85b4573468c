#pragma once

class CLogicEditModel;

// The commands of the logic editor by id, as its context menus, its toolbox and the main window send them.
namespace LogicEditCommand {
enum : int {
    AddFnAfter = 32817,
    AddIfAfter = 32818,
    AddDoAfter = 32819,
    AddSwitchAfter = 32820,
    AddCaseAfter = 32821,
    AddLoopAfter = 32822,
    AddExitlpAfter = 32823,
    AddDoNothingAfter = 32824,
    AddCommentAfter = 32825,
    AddLineBreakAfter = 32826,
    ReplaceWithFn = 32827,
    ReplaceWithIf = 32828,
    ReplaceWithDo = 32829,
    ReplaceWithSwitch = 32830,
    ReplaceWithCase = 32831,
    ReplaceWithLoop = 32832,
    ReplaceWithExitlp = 32833,
    ReplaceWithDoNothing = 32834,
    ReplaceWithComment = 32835,
    ReplaceWithLineBreak = 32836,
    DeleteLine = 32837,
    AddFnAtCurrent = 32838,
    AddIfAtCurrent = 32839,
    AddDoAtCurrent = 32840,
    AddSwitchAtCurrent = 32841,
    AddLoopAtCurrent = 32842,
    AddCommentAtCurrent = 32843,
    AddLineBreakAtCurrent = 32844,
    AddFnBefore = 32845,
    AddIfBefore = 32846,
    AddDoBefore = 32847,
    AddSwitchBefore = 32848,
    AddLoopBefore = 32849,
    AddCommentBefore = 32850,
    AddLineBreakBefore = 32851,
    WrapInIfElse = 32852,
    WrapInElseEndif = 32853,
    WrapInLoop = 32854,
    DeleteBlock = 32859,
    DeleteFrame = 32860,
    DeleteSelection = 32861,
    PasteLines = 32926,
    HankakuNegation = 33024,
    ZenkakuNegation = 33025,
    EditFont = 33066,
    RegisterThisMemberName = 33069,
    AddTransitStateAfter = 33194,
    ReplaceWithTransitState = 33195,
    SelectFunction = 752,
    EditClear = 57632,
    EditCopy = 57634,
    EditCut = 57635,
    EditPaste = 57637,
    EditSelectAll = 57642,
    EditUndo = 57643,
    EditRedo = 57644,
    JumpToLine = 32784,
    // The candidates of the context menu: the first one's id; a separator before the recent names takes one id.
    FirstCandidate = 1000,
    LastCandidate = 1064,
};
} // namespace LogicEditCommand

// Runs one of the model's own statement, deletion, clipboard and undo commands; false for an id it does not
// run (select all, candidates, the font, registration and same-name commands are the window's).
bool RunLogicEditCommand(CLogicEditModel& model, int id);

// The index into the candidate list of a candidate command, or -1 when the id names none: the separator
// before the second group takes one id, so ids after it are one higher than their index.
int CandidateIndexFromCommand(int id, int separator, int count);
