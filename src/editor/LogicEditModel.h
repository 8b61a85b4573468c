#pragma once

#include "editor/LogicClipboard.h"
#include "editor/LogicEditListener.h"
#include "model/FontSetting.h"
#include "model/LogicLine.h"
#include "model/UnitFunctionRegistry.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <memory>
#include <unordered_set>
#include <vector>

class CDocumentData;
struct SyntaxSymbol;
class CIndexLogicSync;
class CUnitFunction;

// One run of a composed line in one character format; the widget applies it as it is.
struct LineFormatRun {
    int start = 0;
    int length = 0;
    FontSetting font;
    quint32 background = 0xFFFFFF; // COLORREF order: red in the low byte
    bool operator==(const LineFormatRun&) const = default;
};

// The text of one logic line as the editor shows it, with its formats.
struct ComposedLine {
    QString text;
    std::vector<LineFormatRun> runs;
    bool operator==(const ComposedLine&) const = default;
};

// A caret position: 0-based line (the line count is the append line after the last record) and column in
// UTF-16 units of the line text.
struct EditPosition {
    int line = 0;
    int column = 0;
    bool operator==(const EditPosition&) const = default;
    auto operator<=>(const EditPosition&) const = default;
};

// Toolbox insertion flags, bit by bit.
enum ToolboxInsertionFlag : unsigned {
    InsertLineBefore = 1u << 0,
    AddIf = 1u << 1,
    AddDo = 1u << 2,
    AddTransitState = 1u << 3,
    AddFn = 1u << 4,
    AddSwitch = 1u << 5,
    AddCase = 1u << 6,
    AddDoNothing = 1u << 7,
    AddComment = 1u << 8,
    AddLineBreak = 1u << 9,
    AddLoop = 1u << 10,
    CaretOnAppendLine = 1u << 11,
    AddWhile = 1u << 12,
    AddFor = 1u << 13,
    AddExitlp = 1u << 14,
};

// Keys the editor handles itself.
enum class EditKey { Backspace, Delete, Tab, Left, Right, Up, Down, PageUp, PageDown, Home, End, Enter };

// The logic description of one unit function being edited: the unit function's line records are the master
// copy; every line's text is composed from its record. Every command changes records inside an edit
// transaction that keeps the composed text, the undo snapshot and the parse guard in step. Messages and
// questions go through the platform's message boxes; the document-modified flag and view refreshes through
// the model shell.
class CLogicEditModel {
public:
    CLogicEditModel(CDocumentData& document, CUnitFunction& function, CLogicClipboard& clipboard);
    ~CLogicEditModel();
    CLogicEditModel(const CLogicEditModel&) = delete;
    CLogicEditModel& operator=(const CLogicEditModel&) = delete;

    // Records and text.
    int RecordCount() const;
    CLogicLine* Record(int line) const; // null outside the records
    const ComposedLine& Composed(int line) const;
    QString LineText(int line) const; // empty for the append line
    int LineLength(int line) const { return static_cast<int>(LineText(line).size()); }
    // Plain text of a record's line: blanks, keywords and slots, no formats.
    QString ComposePlainLineText(int line) const;
    // The whole plain text, lines joined by "\n".
    QString PlainText() const;
    CUnitFunction& Function() const { return m_function; }
    CDocumentData& Document() const { return m_document; }

    // Caret and selection.
    EditPosition Caret() const { return m_caret; }
    EditPosition SelectionStart() const { return std::min(m_anchor, m_caret); }
    EditPosition SelectionEnd() const { return std::max(m_anchor, m_caret); }
    bool HasSelection() const { return m_anchor != m_caret; }
    int CaretLine() const { return m_caret.line; }
    void SetCaret(int line, int column);
    void Select(int anchorLine, int anchorColumn, int caretLine, int caretColumn);
    // Whole lines covered by the selection; 0 when it is empty or inside one line.
    int GetSelectedLineRange(int& first, int& last) const;
    QString SelectedText() const;
    // The selected text a search or a new member name starts with: empty when whole lines are selected or nothing
    // is, else the selection inside its line, at most 256 characters.
    QString GetSelectedText() const;

    // Slots.
    struct SlotRange {
        int start = 0;
        int end = 0;
        int slot = 0; // 1-based, 0 for none
    };
    static SlotRange GetSlotRangeAtColumn(const CLogicLine& record, int column);
    // The column of the character `offset` of the record's 0-based text slot.
    static int SlotColumn(const CLogicLine& record, int slot, int offset);
    EditPosition NextSlotPosition(int line, int column) const;
    EditPosition PreviousSlotPosition(int line, int column) const;
    bool IsSelectionInOneSlot() const;
    static int SlotLimit(const CLogicLine& record) { return record.lineKind == SyntaxComment ? 256 : 64; }

    // Typing.
    void TypeCharacter(QChar character);
    void PressKey(EditKey key);

    // Record set-up and split.
    void InitLineRecord(CLogicLine& record, int kind, int base) const;
    // Splits a line's text into its record; false when a slot would exceed its limit (refused, with the
    // message when checkLength is set).
    bool SplitLineText(int line, const QString& text, bool checkLength, int* excess = nullptr);

    // Committing line edits.
    int CommitLineEdits(bool deleteBlankFn);
    int CommitFnLine(int line, bool deleteBlankFn);
    // With names, the names are looked up there and kept up to date with what the binding creates or renames.
    void ResolveFnLine(CLogicLine& record, FunctionNameIndex* names = nullptr);
    int FindUnresolvedFnLine(int start) const;
    bool RecordUnregisteredNames(int line);

    // Statement commands: at the caret line (the append line), after it, replacing it, before the first line.
    void OnAddIfAtCurrent() { RunFill(SyntaxIf, FillMode::AtCurrent); }
    void OnAddDoAtCurrent() { RunFill(SyntaxDo, FillMode::AtCurrent); }
    void OnAddFnAtCurrent() { RunFill(SyntaxFn, FillMode::AtCurrent); }
    void OnAddSwitchAtCurrent() { RunFill(SyntaxSwitch, FillMode::AtCurrent); }
    void OnAddLoopAtCurrent() { RunFill(SyntaxLoop, FillMode::AtCurrent); }
    void OnAddCommentAtCurrent() { FillCommentLine(QString()); }
    void AddTransitStateAtCurrent() { RunFill(SyntaxTransitState, FillMode::AtCurrent); }
    void OnAddLineBreakAtCurrent();
    void OnAddIfAfter() { RunFill(SyntaxIf, FillMode::After); }
    void OnAddDoAfter() { RunFill(SyntaxDo, FillMode::After); }
    void OnAddTransitStateAfter() { RunFill(SyntaxTransitState, FillMode::After); }
    void OnAddFnAfter() { RunFill(SyntaxFn, FillMode::After); }
    void OnAddSwitchAfter() { RunFill(SyntaxSwitch, FillMode::After); }
    void OnAddLoopAfter() { RunFill(SyntaxLoop, FillMode::After); }
    void OnAddDoNothingAfter() { AddKeywordLineAfter(SyntaxDoNothing); }
    void OnAddExitlpAfter() { AddKeywordLineAfter(SyntaxExitlp); }
    void OnAddCaseAfter();
    void OnAddCommentAfter() { InsertTextLine(QString()); }
    void OnAddLineBreakAfter();
    void OnAddIfBefore() { RunFill(SyntaxIf, FillMode::Before); }
    void OnAddDoBefore() { RunFill(SyntaxDo, FillMode::Before); }
    void OnAddFnBefore() { RunFill(SyntaxFn, FillMode::Before); }
    void OnAddSwitchBefore() { RunFill(SyntaxSwitch, FillMode::Before); }
    void OnAddLoopBefore() { RunFill(SyntaxLoop, FillMode::Before); }
    void OnAddCommentBefore() { InsertTextLineAtTop(QString()); }
    void OnAddLineBreakBefore();
    void OnReplaceWithDo() { ReplaceCaretLine(SyntaxDo); }
    void OnReplaceWithTransitState() { ReplaceCaretLine(SyntaxTransitState); }
    void OnReplaceWithFn() { ReplaceCaretLine(SyntaxFn); }
    void OnReplaceWithIf() { ReplaceCaretLine(SyntaxIf); }
    void OnReplaceWithSwitch() { ReplaceCaretLine(SyntaxSwitch); }
    void OnReplaceWithCase() { ReplaceCaretLine(SyntaxCase); }
    void OnReplaceWithLoop() { ReplaceCaretLine(SyntaxLoop); }
    void OnReplaceWithExitlp() { ReplaceCaretLine(SyntaxExitlp); }
    void OnReplaceWithDoNothing() { ReplaceCaretLine(SyntaxDoNothing); }
    void OnReplaceWithComment() { ReplaceCaretLine(SyntaxComment); }
    void OnReplaceWithLineBreak() { ReplaceCaretLine(SyntaxPlainLine); }
    void OnWrapInIfElse() { WrapSelection(WrapKind::IfElse); }
    void OnWrapInElseEndif() { WrapSelection(WrapKind::ElseEndif); }
    void OnWrapInLoop() { WrapSelection(WrapKind::Loop); }

    // Statements with given texts (also the import's entry points).
    void InsertTextLine(const QString& text);
    void InsertTextLineAtTop(const QString& text);
    void FillCommentLine(const QString& text);
    void AddDoLineAfter(const QString& member, const QString& state);
    void FillDoLine(const QString& member, const QString& state);
    void AddTransitStateLineAfter(const QString& member, const QString& state);
    void FillTransitStateLine(const QString& member, const QString& state);
    void AddSwitchBlockAfter(const QString& member, const QString& caseText, int attribute);
    void FillSwitchBlock(const QString& member, const QString& caseText, int attribute);
    void AddCaseLineAfter(const QString& caseText, int attribute);
    // False, changing nothing, when no switch encloses the caret line.
    bool FillCaseLine(const QString& caseText, int attribute);

    // Deletions.
    void OnDeleteLine() { DeleteLineOrBlock(false); }
    void OnDeleteBlock() { DeleteLineOrBlock(true); }
    void OnDeleteFrame();
    void OnDeleteSelection();

    // Line ranges of block operations; with apply the selected lines become the widened range.
    int GetIfInsertRange(bool apply);
    int GetLoopInsertRange(bool apply);
    int WidenSelectionToBlocks();
    // Whether the selected lines may be put inside a new if or loop frame.
    bool CanWrapSelectionInIf() const;
    bool CanWrapSelectionInLoop() const;

    // Grammar gate.
    bool IsInsideLoop(int line) const;
    int GetBlockContext(int line, bool insideLoop, int& flags) const;
    unsigned GetToolboxInsertionFlags() const;
    // The context menu's statement entries: none while a typed Fn name waits to be committed.
    unsigned GetStatementMenuFlags() const { return m_fnNameChanged ? 0u : GetToolboxInsertionFlags(); }
    bool CanDeleteCaretLine() const;
    bool CanDeleteSelectedLines() const;
    bool CanDeleteSyntaxFrame() const;
    bool CanDeleteSyntaxBlock() const;
    // The context menu's block and frame deletions: on an if, switch or loop line, or on a case line of a switch
    // with at least three cases when another of them lies above it.
    bool CanDeleteBlockFromMenu() const;
    // The context menu's deletion of text inside the caret line: offered on a line record of every kind.
    bool CanDeleteTextFromMenu() const;
    bool CanPasteLines() const;

    // Clipboard and undo.
    void OnEditCopy();
    void OnEditCut();
    void OnEditClear();
    void OnEditPaste();
    void OnEditPasteLines();
    int DescribeClipboardLines() const;
    bool CanCopy() const { return HasSelection(); }
    bool CanCutOrDelete() const;
    bool CanPaste() const;
    void UndoLastEdit();
    bool IsUndoAvailable() const { return m_undoAvailable; }
    // Ends the running typing step: the next edit opens a new undo group (a click, the focus going, select all).
    void CloseUndoGroup();

    // Caret context and negation.
    int CaretContextCode() const;
    void OnHankakuNegation();
    void OnZenkakuNegation();
    // The event or state attribute of the caret line, when it is an if or switch line without it, as one undo
    // step.
    void MarkLineAsEvent() { MarkCaretLine(CLogicLine::EventAttribute); }
    void MarkLineAsState() { MarkCaretLine(CLogicLine::StateAttribute); }

    // Context candidates: the category (0 none, 1 recent members, 2 member/state candidates, 3 child unit
    // functions, 5 auxiliary verbs), the words offered and the flags the context menu reads.
    struct ContextCandidates {
        int category = 0;
        QStringList words;
        bool caretAtState = false;
        bool stateNotNegated = false;
        bool caretInMember = false;
        bool memberFilled = false;
        bool fnCandidates = false;
        // Index of the first recently used word after registered ones; 0 without a second group.
        int separator = 0;
    };
    ContextCandidates PrepareContextCandidates() const;

    // Listeners (not owned) hear of every ended edit until they are removed.
    void AddListener(CLogicEditListener& listener) { m_listeners.push_back(&listener); }
    void RemoveListener(CLogicEditListener& listener) { std::erase(m_listeners, &listener); }
    // The records may have been changed outside the model (a table-of-contents command, the synchronisation, a
    // rename, a replacement, an import, another tab's Fn line): every line is composed again and the listeners
    // hear of it. Lines that differ from those shown withdraw the undo and its redo, whose entries were recorded
    // on the lines as they were; a reload during the model's own edit, or one that shows the lines as they were,
    // keeps them.
    void ReloadRecords();
    // An Fn line was bound to another unit function and the table of contents follows it: the lines are composed
    // again, and the binding is not undone.
    void FnLineRebound();

    bool IsFnNameChanged() const { return m_fnNameChanged; }
    // The caret line is an Fn line whose name is still empty.
    bool IsCaretOnBlankFnLine() const {
        const CLogicLine* record = Record(m_caret.line);
        return record && record->IsFnStatement() && record->textSlots[0].text.isEmpty();
    }
    bool IsTyped() const { return m_typed; }

private:
    enum class FillMode { AtCurrent, After, Before };
    enum class WrapKind { IfElse, ElseEndif, Loop };

    // The edit transaction: the outermost one ends with the parse guard.
    class Transaction {
    public:
        Transaction(CLogicEditModel& model, bool structural) : m_model(model) { m_model.BeginEdit(structural); }
        ~Transaction() { m_model.EndEdit(); }
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;

    private:
        CLogicEditModel& m_model;
    };
    void BeginEdit(bool structural);
    void EndEdit();
    void OpenUndoGroup();
    bool LineParses(int line) const;

    // The change journal: every insertion, removal and change of records since the undo group opened, in
    // order. Undo and the parse guard walk it backwards, so neither copies the whole description; a run of lines
    // put in or taken out at once is one entry and goes back at once.
    struct JournalEntry {
        enum class Op { Inserted, Removed, Modified } op;
        int index = 0;
        // Inserted: the number of records put in at index.
        int count = 0;
        // Removed: the records taken out, in line order from index; Modified: the record as it was before.
        std::vector<std::unique_ptr<CLogicLine>> records;
        // Modified: the record changed, known until its transaction ends, and the marks, memo and files it had when
        // the change was done. Marks the user set or took off since stay as they are when the change is undone.
        const CLogicLine* changed = nullptr;
        CLogicLine::MarkNotes notesAfter = {};
    };
    bool IsJournalling() const { return m_nesting > 0 || m_undoAvailable; }
    // The caret-line record to change, its former state journalled first.
    CLogicLine& EditRecord(int line);
    void InsertRecord(int index, std::unique_ptr<CLogicLine> record);
    // The records go in at index in their order, journalled as one insertion.
    void InsertRecords(int index, std::vector<std::unique_ptr<CLogicLine>> records);
    // Takes the records index..index + count - 1 out at once, without journalling them.
    std::vector<std::unique_ptr<CLogicLine>> TakeRecords(int index, int count);
    // Keeps the line of a typed Fn name on its record when lines are put in before it.
    void LinesInserted(int index, int count);
    // Reverts one entry on records and composed lines; returns the entry that reverts the reversion. An undo leaves
    // a line's marks, memo and files as they are where they changed since the entry was recorded.
    JournalEntry RevertEntry(JournalEntry& entry, bool undo);
    // Whether reverting the entry puts in or takes out an Fn line, or changes one.
    bool TouchesFnLine(const JournalEntry& entry) const;
    bool CanRevertJournal(size_t from) const;
    // Nothing done so far can be undone: the records were rewritten in a way an undo must not take half back.
    void DiscardUndo();
    void NotifyListeners();

    // Records and text.
    // The auxiliary-verb ID and flag of an if or case line, from its condition ending and the document's verbs.
    void UpdateAuxiliaryVerb(CLogicLine& record) const;
    const SyntaxSymbol& Symbol(int kind) const;
    int Column(int kind) const;
    int Indent(int kind) const;
    void Recompose(int line);
    void RecomposeAll();
    ComposedLine ComposeLine(const CLogicLine& record) const;
    CLogicLine& InsertLineRecord(int index);
    void RemoveLine(int index) { RemoveLines(index, index); }
    // Removes the lines first..last at once, journalled as one removal.
    void RemoveLines(int first, int last);
    // Binds an Fn line as CommitFnLine does, leaving the synchronisation and the rebuild to the caller.
    int BindFnLine(int line, bool deleteBlankFn, FunctionNameIndex* names = nullptr);
    void AddLineAfterCaret(bool plain);
    void InsertLineAtTop();
    void SetDocumentModified();
    void RunModelChange(CIndexLogicSync* sync);
    void RefreshFnLines();

    // Commands.
    void RunFill(int kind, FillMode mode);
    void FillAtCaret(int kind);
    // A Do or Transit State line at the caret with its member and state.
    void FillMemberStateLine(int kind, const QString& member, const QString& state);
    int PrepareCaretRecord();
    void AddKeywordLineAfter(int kind);
    void ReplaceCaretLine(int kind);
    void WrapSelection(WrapKind kind);
    // The range a frame would enclose for the selected lines first..last: its line count, 0 when refused.
    int IfInsertRange(int firstSelected, int lastSelected, int& start, int& end) const;
    int LoopInsertRange(int firstSelected, int lastSelected, int& start, int& end) const;
    void DeleteLineOrBlock(bool blockOnly);
    int EnclosingSwitchTop(int line) const;
    int FindPartner(int from, int step, int kind, int top) const;
    void PlaceCaretAfterDeletion(int line);
    void InsertSlotText(const QString& text);
    void InsertNegationSign(const QString& sign);
    void MarkCaretLine(quint8 attribute);
    void ShowWarning(const QString& text);

    CDocumentData& m_document;
    CUnitFunction& m_function;
    CLogicClipboard& m_clipboard;
    std::vector<ComposedLine> m_composed;
    EditPosition m_caret;
    EditPosition m_anchor;
    int m_firstSelLine = 0;
    int m_lastSelLine = 0;
    bool m_typed = false;
    bool m_fnNameChanged = false;
    bool m_committing = false;
    // The Fn line whose name was typed and not yet committed; -1 when it is not known (the caret line is taken).
    int m_fnEditLine = -1;
    bool m_undoGroupOpen = false;
    bool m_undoAvailable = false;
    EditPosition m_undoCaret;
    std::vector<JournalEntry> m_journal;
    size_t m_undoStart = 0; // first entry of the undo group
    // Edit transaction: nesting, its first journal entry, the records it already journalled and whether it
    // changed the block structure.
    int m_nesting = 0;
    size_t m_transactionStart = 0;
    std::unordered_set<const CLogicLine*> m_transactionTouched;
    bool m_structureChanged = false;
    std::vector<CLogicEditListener*> m_listeners;
};
