#include "editor/LogicEditModel.h"

#include "model/DocumentData.h"
#include "model/DocumentDataHelpers.h"
#include "model/IndexLogicSync.h"
#include "platform/MessageBox.h"
#include "texts/StringTable.h"
#include "texts/TextHelpers.h"

#include <QScopedValueRollback>

namespace {

bool IsBlockLine(int kind) {
    switch (kind) {
    case SyntaxIf:
    case SyntaxElse:
    case SyntaxEndif:
    case SyntaxSwitch:
    case SyntaxCase:
    case SyntaxElsw:
    case SyntaxEndsw:
    case SyntaxLoop:
    case SyntaxEndlp:
        return true;
    default:
        return false;
    }
}

} // namespace

// ---- fills ----

int CLogicEditModel::PrepareCaretRecord() {
    const int line = std::clamp(m_caret.line, 0, RecordCount());
    if (line < RecordCount())
        return Record(line)->Next;
    InsertLineRecord(line);
    m_caret.line = line;
    return 0;
}

void CLogicEditModel::FillAtCaret(int kind) {
    const int indent = PrepareCaretRecord();
    const int line = m_caret.line;
    if (kind == SyntaxFn)
        m_undoAvailable = false;
    CLogicLine& record = EditRecord(line);
    InitLineRecord(record, kind, indent);
    const SentenceParticles& particles = m_document.particles;
    auto fillSlot = [&](int slot, const QString& text) {
        record.textSlots[static_cast<size_t>(slot)].text = text;
        record.textSlots[static_cast<size_t>(slot)].SetFont(m_document.fonts.LogicFont);
    };
    switch (kind) {
    case SyntaxIf:
        fillSlot(1, particles.ifParticle);
        break;
    case SyntaxSwitch:
        fillSlot(1, particles.switchParticle);
        break;
    case SyntaxDo:
    case SyntaxTransitState:
        fillSlot(1, particles.doInfix);
        fillSlot(3, particles.doSuffix);
        break;
    default:
        break;
    }
    record.RecountPositions();
    Recompose(line);
    auto addLine = [&](int lineKind) {
        AddLineAfterCaret(true);
        InitLineRecord(EditRecord(m_caret.line), lineKind, indent);
        Recompose(m_caret.line);
    };
    if (kind == SyntaxIf) {
        addLine(SyntaxElse);
        addLine(SyntaxEndif);
    } else if (kind == SyntaxSwitch) {
        for (int i = 0; i < 3; ++i)
            addLine(SyntaxCase);
        addLine(SyntaxElsw);
        addLine(SyntaxEndsw);
    } else if (kind == SyntaxLoop) {
        addLine(SyntaxEndlp);
    }
    const int column = kind == SyntaxFn ? Record(line)->Home : indent + Column(kind);
    SetCaret(line, column);
    if (kind == SyntaxFn) {
        m_typed = true;
        m_fnNameChanged = true;
        m_fnEditLine = line;
    }
    m_undoGroupOpen = false;
    SetDocumentModified();
}

void CLogicEditModel::RunFill(int kind, FillMode mode) {
    Transaction transaction(*this, true);
    OpenUndoGroup();
    if (mode == FillMode::After)
        AddLineAfterCaret(true);
    else if (mode == FillMode::Before)
        InsertLineAtTop();
    FillAtCaret(kind);
}

void CLogicEditModel::OnAddLineBreakAtCurrent() {
    Transaction transaction(*this, true);
    OpenUndoGroup();
    AddLineAfterCaret(false);
    m_undoGroupOpen = false;
}

void CLogicEditModel::OnAddLineBreakAfter() {
    Transaction transaction(*this, true);
    OpenUndoGroup();
    AddLineAfterCaret(true);
    m_undoGroupOpen = false;
}

void CLogicEditModel::OnAddLineBreakBefore() {
    Transaction transaction(*this, true);
    OpenUndoGroup();
    InsertLineAtTop();
    m_undoGroupOpen = false;
}

void CLogicEditModel::AddKeywordLineAfter(int kind) {
    Transaction transaction(*this, true);
    OpenUndoGroup();
    const CLogicLine* record = Record(m_caret.line);
    const int indent = record ? record->Next : 0;
    AddLineAfterCaret(true);
    InitLineRecord(EditRecord(m_caret.line), kind, indent);
    Recompose(m_caret.line);
    SetCaret(m_caret.line, LineLength(m_caret.line));
    m_undoGroupOpen = false;
}

int CLogicEditModel::EnclosingSwitchTop(int line) const {
    int depth = 0;
    for (int i = std::min(line, RecordCount() - 1); i >= 0; --i) {
        const int kind = Record(i)->lineKind;
        if (kind == SyntaxEndsw) {
            ++depth;
        } else if (kind == SyntaxSwitch) {
            if (depth == 0)
                return Record(i)->Top;
            --depth;
        }
    }
    return -1;
}

void CLogicEditModel::OnAddCaseAfter() {
    Transaction transaction(*this, true);
    OpenUndoGroup();
    const int indent = Record(m_caret.line) ? std::max(0, EnclosingSwitchTop(m_caret.line)) : 0;
    AddLineAfterCaret(true);
    InitLineRecord(EditRecord(m_caret.line), SyntaxCase, indent);
    Recompose(m_caret.line);
    SetCaret(m_caret.line, indent + Column(SyntaxCase));
    m_undoGroupOpen = false;
}

void CLogicEditModel::InsertTextLine(const QString& text) {
    Transaction transaction(*this, true);
    OpenUndoGroup();
    AddLineAfterCaret(true);
    FillCommentLine(text);
}

void CLogicEditModel::InsertTextLineAtTop(const QString& text) {
    Transaction transaction(*this, true);
    OpenUndoGroup();
    InsertLineAtTop();
    FillCommentLine(text);
}

void CLogicEditModel::FillCommentLine(const QString& text) {
    Transaction transaction(*this, true);
    OpenUndoGroup();
    const int indent = PrepareCaretRecord();
    CLogicLine& record = EditRecord(m_caret.line);
    InitLineRecord(record, SyntaxComment, indent);
    record.textSlots[0].text = text.left(CLogicLine::MaxSlotTextLength);
    record.textSlots[0].SetFont(m_document.fonts.LogicFont);
    record.RecountPositions();
    Recompose(m_caret.line);
    SetCaret(m_caret.line, record.End);
    m_undoGroupOpen = false;
    SetDocumentModified();
}

void CLogicEditModel::FillDoLine(const QString& member, const QString& state) {
    FillMemberStateLine(SyntaxDo, member, state);
}

void CLogicEditModel::FillTransitStateLine(const QString& member, const QString& state) {
    FillMemberStateLine(SyntaxTransitState, member, state);
}

void CLogicEditModel::FillMemberStateLine(int kind, const QString& member, const QString& state) {
    Transaction transaction(*this, true);
    OpenUndoGroup();
    FillAtCaret(kind);
    CLogicLine& record = EditRecord(m_caret.line);
    record.textSlots[0] = {member.left(CLogicLine::MaxSlotTextLength), m_document.fonts.LogicFont};
    record.textSlots[2] = {state.left(CLogicLine::MaxSlotTextLength), m_document.fonts.LogicFont};
    record.RecountPositions();
    Recompose(m_caret.line);
}

void CLogicEditModel::AddDoLineAfter(const QString& member, const QString& state) {
    Transaction transaction(*this, true);
    OpenUndoGroup();
    AddLineAfterCaret(true);
    FillDoLine(member, state);
}

void CLogicEditModel::AddTransitStateLineAfter(const QString& member, const QString& state) {
    Transaction transaction(*this, true);
    OpenUndoGroup();
    AddLineAfterCaret(true);
    FillTransitStateLine(member, state);
}

void CLogicEditModel::FillSwitchBlock(const QString& member, const QString& caseText, int attribute) {
    Transaction transaction(*this, true);
    OpenUndoGroup();
    const int indent = PrepareCaretRecord();
    const int line = m_caret.line;
    const quint8 mark = static_cast<quint8>(attribute > 0 ? attribute : 0);
    CLogicLine& record = EditRecord(line);
    InitLineRecord(record, SyntaxSwitch, indent);
    record.transitionAttribute = mark;
    record.textSlots[0] = {member.left(CLogicLine::MaxSlotTextLength), m_document.fonts.LogicFont};
    record.textSlots[1] = {m_document.particles.switchParticle, m_document.fonts.LogicFont};
    record.RecountPositions();
    Recompose(line);
    AddLineAfterCaret(true);
    CLogicLine& caseRecord = EditRecord(m_caret.line);
    InitLineRecord(caseRecord, SyntaxCase, indent);
    caseRecord.textSlots[0] = {caseText.left(CLogicLine::MaxSlotTextLength), m_document.fonts.LogicFont};
    caseRecord.transitionAttribute = mark;
    caseRecord.RecountPositions();
    Recompose(m_caret.line);
    for (int kind : {SyntaxElsw, SyntaxEndsw}) {
        AddLineAfterCaret(true);
        InitLineRecord(EditRecord(m_caret.line), kind, indent);
        Recompose(m_caret.line);
    }
    SetCaret(line, 0);
    m_undoGroupOpen = false;
    SetDocumentModified();
}

void CLogicEditModel::AddSwitchBlockAfter(const QString& member, const QString& caseText, int attribute) {
    Transaction transaction(*this, true);
    OpenUndoGroup();
    AddLineAfterCaret(true);
    FillSwitchBlock(member, caseText, attribute);
}

bool CLogicEditModel::FillCaseLine(const QString& caseText, int attribute) {
    Transaction transaction(*this, true);
    OpenUndoGroup();
    const int line = m_caret.line;
    if (!Record(line))
        return false;
    const int indent = EnclosingSwitchTop(line - 1);
    if (indent < 0)
        return false;
    CLogicLine& record = EditRecord(line);
    InitLineRecord(record, SyntaxCase, indent);
    record.textSlots[0] = {caseText.left(CLogicLine::MaxSlotTextLength), m_document.fonts.LogicFont};
    record.transitionAttribute = static_cast<quint8>(attribute > 0 ? attribute : 0);
    record.RecountPositions();
    Recompose(line);
    SetCaret(line, indent + Column(SyntaxCase));
    m_undoGroupOpen = false;
    SetDocumentModified();
    return true;
}

void CLogicEditModel::AddCaseLineAfter(const QString& caseText, int attribute) {
    Transaction transaction(*this, true);
    OpenUndoGroup();
    AddLineAfterCaret(true);
    if (!FillCaseLine(caseText, attribute)) {
        // Without an enclosing switch the line added for the case goes again.
        RemoveLine(m_caret.line);
        SetCaret(m_caret.line - 1, 0);
    }
}

// ---- replace ----

void CLogicEditModel::ReplaceCaretLine(int kind) {
    const int line = m_caret.line;
    const CLogicLine* old = Record(line);
    // A line that opens, divides or closes a block is not replaced: its deletion would take the block.
    if (!old || IsBlockLine(old->lineKind))
        return;
    Transaction transaction(*this, true);
    OpenUndoGroup();
    if (old->lineKind == SyntaxFn || kind == SyntaxFn)
        m_undoAvailable = false;
    const bool wasFn = old->lineKind == SyntaxFn;
    std::optional<CIndexLogicSync> sync;
    if (wasFn)
        sync.emplace(&m_function, m_document.registry, m_document.GetModelOptions());
    RemoveLine(line);
    InsertLineRecord(line).lineKind = SyntaxPlainLine;
    Recompose(line);
    SetCaret(line, 0);
    const int base = Record(line)->Top;
    switch (kind) {
    case SyntaxComment:
        FillCommentLine(QString());
        break;
    case SyntaxPlainLine:
        break;
    case SyntaxDoNothing:
    case SyntaxExitlp:
    case SyntaxCase: {
        int indent = base;
        if (kind == SyntaxCase) {
            indent = std::max(0, EnclosingSwitchTop(line - 1));
        } else if (kind == SyntaxExitlp) {
            indent = 0;
            for (int i = line - 1; i >= 0; --i) {
                const int k = Record(i)->lineKind;
                if (k == SyntaxIf || k == SyntaxElse || k == SyntaxCase || k == SyntaxElsw) {
                    indent = Record(i)->Next;
                    break;
                }
            }
        }
        InitLineRecord(EditRecord(line), kind, indent);
        Recompose(line);
        SetCaret(line, kind == SyntaxCase ? indent + Column(kind) : LineLength(line));
        break;
    }
    default:
        FillAtCaret(kind);
        break;
    }
    if (sync)
        RunModelChange(&*sync);
    m_undoGroupOpen = false;
    SetDocumentModified();
}

// ---- wraps ----

void CLogicEditModel::WrapSelection(WrapKind wrap) {
    Transaction transaction(*this, true);
    if (GetSelectedLineRange(m_firstSelLine, m_lastSelLine) == 0)
        return;
    const int count = wrap == WrapKind::Loop ? GetLoopInsertRange(true) : GetIfInsertRange(true);
    if (count == 0)
        return;
    OpenUndoGroup();
    const int first = m_firstSelLine;
    const int last = m_lastSelLine;
    const int frameKind = wrap == WrapKind::Loop ? SyntaxLoop : SyntaxIf;
    const int shift = Indent(frameKind);
    for (int i = first; i <= last; ++i) {
        CLogicLine& record = EditRecord(i);
        if (record.lineKind == SyntaxPlainLine)
            continue;
        record.Top += shift;
        record.Next += shift;
        record.Home += shift;
        record.Home2 += shift;
        record.End += shift;
        Recompose(i);
    }
    const int indent =
        wrap == WrapKind::Loop ? 0 : Record(first)->Top - (Record(first)->lineKind == SyntaxPlainLine ? 0 : shift);
    auto insertAt = [&](int index, int kind) {
        CLogicLine& record = InsertLineRecord(index);
        InitLineRecord(record, kind, indent);
        if (kind == SyntaxIf) {
            record.textSlots[1] = {m_document.particles.ifParticle, m_document.fonts.LogicFont};
            record.RecountPositions();
        }
        Recompose(index);
    };
    insertAt(first, frameKind);
    switch (wrap) {
    case WrapKind::IfElse:
        insertAt(last + 2, SyntaxElse);
        insertAt(last + 3, SyntaxEndif);
        Select(first + 1, 0, last + 2, 0);
        break;
    case WrapKind::ElseEndif:
        insertAt(first + 1, SyntaxElse);
        insertAt(last + 3, SyntaxEndif);
        Select(first + 2, 0, last + 3, 0);
        break;
    case WrapKind::Loop:
        insertAt(last + 2, SyntaxEndlp);
        Select(first + 1, 0, last + 2, 0);
        break;
    }
    m_undoGroupOpen = false;
    m_typed = true;
    SetDocumentModified();
}

// ---- deletions ----

int CLogicEditModel::FindPartner(int from, int step, int kind, int top) const {
    for (int i = from; i >= 0 && i < RecordCount(); i += step) {
        if (Record(i)->lineKind == kind && Record(i)->Top == top)
            return i;
    }
    return -1;
}

void CLogicEditModel::PlaceCaretAfterDeletion(int line) {
    if (line < RecordCount())
        SetCaret(line, std::min<int>(Record(line)->Home, LineLength(line)));
    else if (RecordCount() > 0)
        SetCaret(RecordCount() - 1, Record(RecordCount() - 1)->Home);
    else
        SetCaret(0, 0);
}

void CLogicEditModel::DeleteLineOrBlock(bool blockOnly) {
    const int c = m_caret.line;
    const CLogicLine* record = Record(c);
    if (!record)
        return;
    Transaction transaction(*this, true);
    OpenUndoGroup();
    const int top = record->Top;
    int first = c;
    int last = c;
    switch (record->lineKind) {
    case SyntaxIf:
        last = FindPartner(c + 1, 1, SyntaxEndif, top);
        break;
    case SyntaxElse:
        first = FindPartner(c - 1, -1, SyntaxIf, top);
        last = FindPartner(c + 1, 1, SyntaxEndif, top);
        break;
    case SyntaxEndif:
        first = FindPartner(c - 1, -1, SyntaxIf, top);
        break;
    case SyntaxSwitch:
        last = FindPartner(c + 1, 1, SyntaxEndsw, top);
        break;
    case SyntaxCase: {
        const int nextCase = FindPartner(c + 1, 1, SyntaxCase, top);
        const int elsw = FindPartner(c + 1, 1, SyntaxElsw, top);
        const int end = nextCase < 0 ? elsw : (elsw < 0 ? nextCase : std::min(nextCase, elsw));
        last = end < 0 ? -1 : end - 1;
        break;
    }
    case SyntaxElsw:
        first = FindPartner(c - 1, -1, SyntaxSwitch, top);
        last = FindPartner(c + 1, 1, SyntaxEndsw, top);
        break;
    case SyntaxEndsw:
        first = FindPartner(c - 1, -1, SyntaxSwitch, top);
        break;
    case SyntaxLoop:
        last = FindPartner(c + 1, 1, SyntaxEndlp, top);
        break;
    case SyntaxEndlp:
        first = FindPartner(c - 1, -1, SyntaxLoop, top);
        break;
    default:
        if (blockOnly)
            return;
        break;
    }
    if (first < 0 || last < 0) {
        platform::ShowMessageBox(LoadString(StringId::PartnerLineMissing), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Warning);
        return;
    }
    bool fnRemoved = false;
    for (int i = first; i <= last; ++i)
        fnRemoved = fnRemoved || Record(i)->lineKind == SyntaxFn;
    CIndexLogicSync sync(&m_function, m_document.registry, m_document.GetModelOptions());
    RemoveLines(first, last);
    if (fnRemoved) {
        RunModelChange(&sync);
        m_undoAvailable = false;
        // A name typed on an Fn line that stays is still to be committed.
        m_fnNameChanged = m_fnEditLine >= 0;
    }
    PlaceCaretAfterDeletion(c);
    m_undoGroupOpen = false;
    SetDocumentModified();
}

void CLogicEditModel::OnDeleteFrame() {
    const int c = m_caret.line;
    const CLogicLine* record = Record(c);
    if (!record)
        return;
    Transaction transaction(*this, true);
    OpenUndoGroup();
    const int top = record->Top;
    const int body = top + Indent(SyntaxIf);
    const int kind = record->lineKind;
    std::vector<int> frame{c};
    auto isDoNothingInBody = [&](int i) { return Record(i)->lineKind == SyntaxDoNothing && Record(i)->Top == body; };
    // Walks from c towards the closing (step 1) or opening (step -1) line of the frame, collecting the lines
    // that pass; false when the partner is missing.
    auto walk = [&](int step, int partner, std::initializer_list<int> dividers) {
        for (int i = c + step; i >= 0 && i < RecordCount(); i += step) {
            const CLogicLine& line = *Record(i);
            if (line.Top == top && line.lineKind == partner) {
                frame.push_back(i);
                return true;
            }
            if (line.Top == top && std::find(dividers.begin(), dividers.end(), line.lineKind) != dividers.end())
                frame.push_back(i);
            else if (isDoNothingInBody(i))
                frame.push_back(i);
        }
        return false;
    };
    bool found = true;
    bool moveBody = true;
    switch (kind) {
    case SyntaxIf:
        found = walk(1, SyntaxEndif, {SyntaxElse});
        break;
    case SyntaxElse:
        found = walk(-1, SyntaxIf, {}) && walk(1, SyntaxEndif, {});
        break;
    case SyntaxEndif:
        found = walk(-1, SyntaxIf, {SyntaxElse});
        break;
    case SyntaxSwitch:
        found = walk(1, SyntaxEndsw, {SyntaxCase, SyntaxElsw});
        break;
    case SyntaxElsw:
        found = walk(-1, SyntaxSwitch, {SyntaxCase}) && walk(1, SyntaxEndsw, {});
        break;
    case SyntaxEndsw:
        found = walk(-1, SyntaxSwitch, {SyntaxCase, SyntaxElsw});
        break;
    case SyntaxCase:
        moveBody = false;
        for (int i = c + 1; i < RecordCount(); ++i) {
            const CLogicLine& line = *Record(i);
            if (line.Top == top && (line.lineKind == SyntaxCase || line.lineKind == SyntaxElsw))
                break;
            if (isDoNothingInBody(i))
                frame.push_back(i);
        }
        break;
    case SyntaxLoop:
    case SyntaxEndlp: {
        const int step = kind == SyntaxLoop ? 1 : -1;
        const int partner = kind == SyntaxLoop ? SyntaxEndlp : SyntaxLoop;
        int depth = step;
        found = false;
        for (int i = c + step; i >= 0 && i < RecordCount(); i += step) {
            const CLogicLine& line = *Record(i);
            if (line.Top == top && line.lineKind == partner) {
                frame.push_back(i);
                found = true;
                break;
            }
            if (line.Top > top) {
                if (line.lineKind == SyntaxLoop)
                    ++depth;
                else if (line.lineKind == SyntaxEndlp)
                    --depth;
                else if (line.lineKind == SyntaxExitlp && (depth == 1 || depth == -1))
                    frame.push_back(i);
            }
        }
        break;
    }
    default:
        moveBody = false;
        break;
    }
    if (!found) {
        platform::ShowMessageBox(LoadString(StringId::PartnerLineMissing), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Warning);
        return;
    }
    std::sort(frame.begin(), frame.end());
    frame.erase(std::unique(frame.begin(), frame.end()), frame.end());
    const bool fnLine = kind == SyntaxFn;
    std::optional<CIndexLogicSync> sync;
    if (fnLine)
        sync.emplace(&m_function, m_document.registry, m_document.GetModelOptions());
    for (auto it = frame.rbegin(); it != frame.rend(); ++it)
        RemoveLine(*it);
    if (moveBody) {
        // The body moves out by one level, keeping every column's relation to its indentation.
        const int shift = Indent(SyntaxIf);
        const int bodyLast = frame.back() - static_cast<int>(frame.size());
        for (int i = frame.front(); i <= bodyLast; ++i) {
            CLogicLine& line = EditRecord(i);
            if (line.Top < shift)
                continue;
            line.Top -= shift;
            line.Next = static_cast<quint16>(std::max(0, line.Next - shift));
            line.Home -= shift;
            line.Home2 = static_cast<quint16>(std::max(0, line.Home2 - shift));
            line.End -= shift;
            Recompose(i);
        }
    }
    if (sync) {
        RunModelChange(&*sync);
        m_undoAvailable = false;
        // A name typed on an Fn line that stays is still to be committed.
        m_fnNameChanged = m_fnEditLine >= 0;
    }
    PlaceCaretAfterDeletion(std::min(c, frame.front()));
    m_undoGroupOpen = false;
    SetDocumentModified();
}

void CLogicEditModel::OnDeleteSelection() {
    int first = 0;
    int last = 0;
    if (GetSelectedLineRange(first, last) == 0)
        return;
    Transaction transaction(*this, true);
    OpenUndoGroup();
    CIndexLogicSync sync(&m_function, m_document.registry, m_document.GetModelOptions());
    bool fnRemoved = false;
    for (int i = first; i <= last && !fnRemoved; ++i)
        fnRemoved = Record(i)->lineKind == SyntaxFn;
    const bool stepwise = fnRemoved && !sync.StepsCollapse();
    RemoveLines(first, last);
    // The table of contents follows each removed Fn line in turn, from the last.
    if (stepwise)
        sync.SynchronizeEachStep(static_cast<size_t>(first));
    if (fnRemoved) {
        RunModelChange(&sync);
        m_undoAvailable = false;
        // A name typed on an Fn line that stays is still to be committed.
        m_fnNameChanged = m_fnEditLine >= 0;
    }
    PlaceCaretAfterDeletion(first);
    m_undoGroupOpen = false;
    SetDocumentModified();
}

// ---- committing line edits ----

int CLogicEditModel::CommitLineEdits(bool deleteBlankFn) {
    // The question of a running commit lets a timer's save ask for one: the running commit goes on alone.
    if (m_committing)
        return 1;
    const QScopedValueRollback committing(m_committing, true);
    Transaction transaction(*this, false);
    if (m_typed) {
        RecordUnregisteredNames(m_caret.line);
        m_typed = false;
    }
    if (m_fnNameChanged) {
        const auto settled = [this] {
            m_fnNameChanged = false;
            m_fnEditLine = -1;
        };
        // A blank name keeps its line waiting for a name; when the focus goes the line is deleted, and with it
        // the name that was pending.
        const auto unresolved = [&] {
            if (deleteBlankFn)
                settled();
            return 0;
        };
        // The line whose name was typed, wherever the caret has gone since.
        const bool tracked = Record(m_fnEditLine) && Record(m_fnEditLine)->IsFnStatement();
        int result = CommitFnLine(tracked ? m_fnEditLine : m_caret.line, deleteBlankFn);
        if (result == 0)
            return unresolved();
        for (int line = FindUnresolvedFnLine(0); line >= 0; line = FindUnresolvedFnLine(line + 1)) {
            const int r = CommitFnLine(line, deleteBlankFn);
            if (r == 0)
                return unresolved();
            if (r == 2)
                result = 2;
        }
        settled();
        if (result == 2)
            RefreshFnLines();
    }
    return 1;
}

int CLogicEditModel::CommitFnLine(int line, bool deleteBlankFn) {
    if (line < 0)
        line = m_caret.line;
    CLogicLine* record = Record(line);
    if (!record)
        return 0;
    if (record->lineKind != SyntaxFn)
        return 1;
    CIndexLogicSync sync(&m_function, m_document.registry, m_document.GetModelOptions());
    const int result = BindFnLine(line, deleteBlankFn);
    RunModelChange(&sync);
    return result;
}

int CLogicEditModel::BindFnLine(int line, bool deleteBlankFn, FunctionNameIndex* names) {
    CLogicLine* record = Record(line);
    // Undo would take the binding back while the table of contents keeps what the commit gave it.
    m_undoAvailable = false;
    ResolveFnLine(EditRecord(line), names);
    int result = 2;
    if (record->calledInternalID == 0) {
        result = 0;
        if (deleteBlankFn) {
            ShowWarning(LoadString(StringId::BlankFnDeleted));
            Transaction transaction(*this, true);
            RemoveLine(line);
            SetCaret(std::max(0, line - 1), 0);
        } else {
            ShowWarning(LoadString(StringId::BlankFnName));
            Select(line, record->Home, line, record->Home + static_cast<int>(record->textSlots[0].text.size()));
        }
    }
    return result;
}

void CLogicEditModel::ResolveFnLine(CLogicLine& record, FunctionNameIndex* names) {
    const QString name = record.textSlots[0].text;
    if (name.trimmed().isEmpty()) {
        record.calledInternalID = 0;
        return;
    }
    CUnitFunctionRegistry& registry = m_document.registry;
    const ModelOptions options = m_document.GetModelOptions();
    CUnitFunction* old = registry.FindByInternalID(record.calledInternalID);
    auto create = [&] {
        if (CUnitFunction* created = registry.CreateFunction(name, options)) {
            record.calledInternalID = created->InternalID;
            if (names)
                names->try_emplace(name, created);
        }
    };
    // The unit function the line calls already has the name: among same-named ones it is the one meant.
    if (old && old->name == name)
        return;
    CUnitFunction* named = nullptr;
    if (names) {
        const auto found = names->find(name);
        named = found != names->end() ? found->second : nullptr;
    } else {
        named = registry.FindByName(name);
    }
    if (named) {
        record.calledInternalID = named->InternalID;
        return;
    }
    if (!old) {
        create();
        return;
    }
    std::set<const CUnitFunction*> visited;
    if (registry.IsReachable(old, &m_function, visited)) {
        create();
        return;
    }
    if (old->places.size() <= 1) {
        old->name = name;
        if (names)
            *names = registry.IndexByName();
        return;
    }
    if (platform::AskOkCancel(LoadString(StringId::CreateCommonFunctionQuestion).arg(ShownText(name))))
        create();
}

int CLogicEditModel::FindUnresolvedFnLine(int start) const {
    for (int line = std::max(0, start); line < RecordCount(); ++line) {
        if (Record(line)->IsEmptyFnStatement())
            return line;
    }
    return -1;
}

bool CLogicEditModel::RecordUnregisteredNames(int line) {
    if (line < 0)
        line = m_caret.line;
    const CLogicLine* record = Record(line);
    if (!record)
        return false;
    const auto id = static_cast<qint32>(m_function.InternalID);
    bool recorded = false;
    auto member = [&](const QString& name) {
        if (!name.trimmed().isEmpty() && !FindRegisteredMember(m_document.memberDefinitions, name))
            recorded = AddRecentName(m_document, {id, line, name}) >= 0 || recorded;
    };
    auto pair = [&](const QString& memberName, const QString& state) {
        if (!state.trimmed().isEmpty() && !FindRegisteredMemberState(m_document.memberDefinitions, memberName, state))
            recorded = AddRecentNamePair(m_document, {id, line, memberName, state}) >= 0 || recorded;
    };
    switch (record->lineKind) {
    case SyntaxIf:
    case SyntaxDo:
    case SyntaxTransitState:
        member(record->textSlots[0].text);
        pair(record->textSlots[0].text, record->textSlots[2].text);
        break;
    case SyntaxSwitch:
        member(record->textSlots[0].text);
        break;
    case SyntaxCase:
        for (int i = line - 1; i >= 0; --i) {
            if (Record(i)->lineKind == SyntaxSwitch && Record(i)->Top == record->Top) {
                pair(Record(i)->textSlots[0].text, record->textSlots[0].text);
                break;
            }
        }
        break;
    default:
        break;
    }
    return recorded;
}
