#include "editor/LogicEditModel.h"

#include "model/DocumentData.h"

namespace {

bool IsOneOf(int kind, std::initializer_list<int> kinds) {
    return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

} // namespace

// ---- line ranges ----

int CLogicEditModel::GetIfInsertRange(bool apply) {
    int start = 0;
    int end = 0;
    const int count = IfInsertRange(m_firstSelLine, m_lastSelLine, start, end);
    if (apply && count > 0) {
        m_firstSelLine = start;
        m_lastSelLine = end;
    }
    return count;
}

int CLogicEditModel::GetLoopInsertRange(bool apply) {
    int start = 0;
    int end = 0;
    const int count = LoopInsertRange(m_firstSelLine, m_lastSelLine, start, end);
    if (apply && count > 0) {
        m_firstSelLine = start;
        m_lastSelLine = end;
    }
    return count;
}

bool CLogicEditModel::CanWrapSelectionInIf() const {
    int first = 0;
    int last = 0;
    int start = 0;
    int end = 0;
    return GetSelectedLineRange(first, last) > 0 && IfInsertRange(first, last, start, end) > 0;
}

bool CLogicEditModel::CanWrapSelectionInLoop() const {
    int first = 0;
    int last = 0;
    int start = 0;
    int end = 0;
    return GetSelectedLineRange(first, last) > 0 && LoopInsertRange(first, last, start, end) > 0;
}

int CLogicEditModel::IfInsertRange(int firstSelected, int lastSelected, int& start, int& end) const {
    if (RecordCount() == 0)
        return 0;
    const int unit = Indent(SyntaxIf);
    const int firstSel = std::min(firstSelected, RecordCount() - 1);
    const int lastSel = std::min(lastSelected, RecordCount() - 1);
    int limit = 12 * unit;
    for (int i = firstSel; i >= 0; --i) {
        if (Record(i)->Top == 0) {
            if (Record(i)->lineKind == SyntaxLoop)
                limit = 13 * unit;
            break;
        }
    }
    if (firstSel > lastSel)
        return 0;
    int lowest = 13 * unit;
    bool foundLow = false;
    int largestNext = 0;
    for (int i = firstSel; i <= lastSel; ++i) {
        const CLogicLine& line = *Record(i);
        if (IsOneOf(line.lineKind, {SyntaxLoop, SyntaxEndlp, SyntaxSwitch, SyntaxCase, SyntaxElsw, SyntaxEndsw}))
            return 0;
        if (line.Top < lowest) {
            lowest = line.Top;
            foundLow = true;
        }
        largestNext = std::max<int>(largestNext, line.Next);
    }
    if (!foundLow)
        return 0;
    start = firstSel;
    for (int i = firstSel; i >= 0; --i) {
        largestNext = std::max<int>(largestNext, Record(i)->Next);
        if (Record(i)->Top == lowest &&
            IsOneOf(Record(i)->lineKind, {SyntaxIf, SyntaxFn, SyntaxDo, SyntaxTransitState, SyntaxComment,
                                          SyntaxPlainLine, SyntaxDoNothing, SyntaxExitlp})) {
            start = i;
            break;
        }
    }
    end = lastSel;
    for (int i = lastSel; i < RecordCount(); ++i) {
        largestNext = std::max<int>(largestNext, Record(i)->Next);
        if (Record(i)->Top == lowest &&
            IsOneOf(Record(i)->lineKind, {SyntaxEndif, SyntaxFn, SyntaxDo, SyntaxTransitState, SyntaxComment,
                                          SyntaxPlainLine, SyntaxDoNothing, SyntaxExitlp})) {
            end = i;
            break;
        }
    }
    if (largestNext >= limit)
        return 0;
    return end - start + 1;
}

int CLogicEditModel::LoopInsertRange(int firstSelected, int lastSelected, int& start, int& end) const {
    if (RecordCount() == 0)
        return 0;
    const int firstSel = std::min(firstSelected, RecordCount() - 1);
    const int lastSel = std::min(lastSelected, RecordCount() - 1);
    for (int i = firstSel; i <= lastSel; ++i) {
        if (IsOneOf(Record(i)->lineKind, {SyntaxLoop, SyntaxEndlp, SyntaxExitlp}))
            return 0;
    }
    start = -1;
    for (int i = firstSel; i >= 0; --i) {
        const CLogicLine& line = *Record(i);
        if (line.Top != 0)
            continue;
        if (line.lineKind == SyntaxLoop)
            return 0;
        if (IsOneOf(line.lineKind,
                    {SyntaxFn, SyntaxIf, SyntaxDo, SyntaxSwitch, SyntaxComment, SyntaxTransitState, SyntaxPlainLine})) {
            start = i;
            break;
        }
    }
    if (start < 0)
        return 0;
    end = lastSel;
    for (int i = lastSel; i < RecordCount(); ++i) {
        const CLogicLine& line = *Record(i);
        if (line.Top == 0 && IsOneOf(line.lineKind, {SyntaxEndif, SyntaxEndsw, SyntaxFn, SyntaxDo, SyntaxTransitState,
                                                     SyntaxComment, SyntaxPlainLine})) {
            end = i;
            break;
        }
    }
    return end - start + 1;
}

int CLogicEditModel::WidenSelectionToBlocks() {
    if (GetSelectedLineRange(m_firstSelLine, m_lastSelLine) == 0)
        return 0;
    int pivot = m_firstSelLine;
    for (int i = m_firstSelLine; i <= m_lastSelLine; ++i) {
        if (Record(i)->Top < Record(pivot)->Top)
            pivot = i;
    }
    const int m = Record(pivot)->Top;
    auto up = [&](int from, std::initializer_list<int> kinds) {
        for (int i = from; i >= 0; --i) {
            if (Record(i)->Top == m && IsOneOf(Record(i)->lineKind, kinds))
                return i;
        }
        return from;
    };
    auto down = [&](int from, std::initializer_list<int> kinds) {
        for (int i = from; i < RecordCount(); ++i) {
            if (Record(i)->Top == m && IsOneOf(Record(i)->lineKind, kinds))
                return i;
        }
        return from;
    };
    int start = m_firstSelLine;
    if (pivot == m_firstSelLine) {
        const int kind = Record(start)->lineKind;
        if (kind == SyntaxElse || kind == SyntaxEndif)
            start = up(start, {SyntaxIf});
        else if (IsOneOf(kind, {SyntaxCase, SyntaxElsw, SyntaxEndsw}))
            start = up(start, {SyntaxSwitch});
        else if (kind == SyntaxEndlp)
            start = up(start, {SyntaxLoop});
    } else {
        start = up(start, {SyntaxIf, SyntaxSwitch, SyntaxLoop});
    }
    int end = m_lastSelLine;
    const CLogicLine& lastLine = *Record(end);
    if (lastLine.Top != m) {
        end = down(end, {SyntaxEndif, SyntaxEndsw, SyntaxEndlp});
    } else if (lastLine.lineKind == SyntaxIf || lastLine.lineKind == SyntaxElse) {
        end = down(end, {SyntaxEndif});
    } else if (IsOneOf(lastLine.lineKind, {SyntaxSwitch, SyntaxCase, SyntaxElsw})) {
        end = down(end, {SyntaxEndsw});
    } else if (lastLine.lineKind == SyntaxLoop) {
        end = down(end, {SyntaxEndlp});
    }
    m_firstSelLine = start;
    m_lastSelLine = end;
    return end - start + 1;
}

// ---- grammar gate ----

bool CLogicEditModel::IsInsideLoop(int line) const {
    for (int i = std::min(line, RecordCount() - 1); i >= 0; --i) {
        if (Record(i)->lineKind == SyntaxLoop)
            return true;
        if (Record(i)->Top == 0)
            return false;
    }
    return false;
}

int CLogicEditModel::GetBlockContext(int line, bool insideLoop, int& flags) const {
    flags = 0;
    const CLogicLine* record = Record(line);
    if (!record)
        return -1;
    const int unit = Indent(SyntaxIf);
    const int top = record->Top;
    const int kind = record->lineKind;
    if (kind == SyntaxSwitch)
        return 5;
    if (kind == SyntaxLoop)
        return 6;
    int scan = top;
    if (IsOneOf(kind, {SyntaxIf, SyntaxElse, SyntaxCase, SyntaxElsw})) {
        scan = top + unit;
    } else {
        if (top == 0 || (top == unit && insideLoop))
            return 6;
        bool doNothing = false;
        bool exitlp = false;
        for (int i = line; i >= 0; --i) {
            const CLogicLine& r = *Record(i);
            const bool same = r.Top == top;
            const bool ending = r.Top < top;
            if (same && IsOneOf(r.lineKind, {SyntaxFn, SyntaxDo, SyntaxTransitState}))
                flags |= 1;
            if (same && r.lineKind == SyntaxIf)
                flags |= 4;
            if (r.lineKind == SyntaxSwitch)
                return 5;
            if (ending && r.lineKind == SyntaxCase)
                flags |= 16;
            if (ending && r.lineKind == SyntaxElsw)
                flags |= 32;
            if (same && r.lineKind == SyntaxDoNothing)
                doNothing = true;
            if (same && r.lineKind == SyntaxExitlp)
                exitlp = true;
            if (ending)
                break;
        }
        if (doNothing)
            return 1;
        if (exitlp)
            return 3;
    }
    bool doNothing = false;
    bool exitlp = false;
    for (int i = line + 1; i < RecordCount(); ++i) {
        const CLogicLine& r = *Record(i);
        const bool same = r.Top == scan;
        const bool ending = r.Top < scan;
        if (same && IsOneOf(r.lineKind, {SyntaxFn, SyntaxDo, SyntaxTransitState}))
            flags |= 2;
        if (same && r.lineKind == SyntaxIf)
            flags |= 8;
        if (r.lineKind == SyntaxSwitch)
            return 5;
        if (ending && (r.lineKind == SyntaxCase || r.lineKind == SyntaxElsw))
            flags |= 16;
        if (ending && r.lineKind == SyntaxEndsw)
            flags |= 32;
        if (same && r.lineKind == SyntaxDoNothing)
            doNothing = true;
        if (same && r.lineKind == SyntaxExitlp)
            exitlp = true;
        if (ending)
            break;
    }
    if (doNothing)
        return 2;
    if (exitlp)
        return 4;
    return 0;
}

unsigned CLogicEditModel::GetToolboxInsertionFlags() const {
    int first = 0;
    int last = 0;
    if (GetSelectedLineRange(first, last) > 0 && RecordCount() > 0)
        return 0;
    const int line = m_caret.line;
    if (line >= RecordCount())
        return CaretOnAppendLine | AddIf | AddDo | AddTransitState | AddFn | AddSwitch | AddComment | AddLineBreak |
               AddLoop;
    const CLogicLine& record = *Record(line);
    if (record.lineKind == SyntaxSwitch)
        return AddCase | AddComment | AddLineBreak;
    unsigned flags = AddIf | AddDo | AddTransitState | AddFn | AddSwitch | AddComment | AddLineBreak | AddLoop;
    if (record.lineKind != SyntaxLoop)
        flags |= AddDoNothing;
    const int unit = Indent(SyntaxIf);
    int limit = 12 * unit;
    const bool insideLoop = IsInsideLoop(line);
    if (insideLoop) {
        for (int i = line; i >= 0; --i) {
            const int kind = Record(i)->lineKind;
            if (IsOneOf(kind, {SyntaxIf, SyntaxElse, SyntaxCase, SyntaxElsw})) {
                flags |= AddExitlp;
                break;
            }
            if (IsOneOf(kind, {SyntaxEndif, SyntaxEndsw, SyntaxExitlp, SyntaxDoNothing}))
                break;
        }
        limit = 13 * unit;
    }
    if (record.Next >= limit)
        flags &= ~AddIf;
    int mask = 0;
    const int code = GetBlockContext(line, insideLoop, mask);
    if (code >= 1 && code <= 3) {
        flags &= AddComment | AddLineBreak;
    } else if (code >= 4) {
        flags &= ~(AddDoNothing | AddExitlp);
    } else if (mask != 0) {
        if (mask & 15)
            flags &= ~AddDoNothing;
        if (insideLoop)
            flags |= AddExitlp;
        if (mask & 10)
            flags &= ~AddExitlp;
    }
    if (const CLogicLine* next = Record(line + 1);
        next && (next->lineKind == SyntaxCase || next->lineKind == SyntaxElsw))
        flags |= AddCase;
    if (line == 0)
        flags |= InsertLineBefore;
    return flags;
}

bool CLogicEditModel::CanDeleteCaretLine() const {
    int first = 0;
    int last = 0;
    const CLogicLine* record = Record(m_caret.line);
    return GetSelectedLineRange(first, last) == 0 && record &&
           !IsOneOf(record->lineKind, {SyntaxIf, SyntaxElse, SyntaxEndif, SyntaxSwitch, SyntaxCase, SyntaxElsw,
                                       SyntaxEndsw, SyntaxLoop, SyntaxEndlp});
}

bool CLogicEditModel::CanDeleteSelectedLines() const {
    int first = 0;
    int last = 0;
    if (GetSelectedLineRange(first, last) == 0 || RecordCount() <= 1)
        return Record(m_caret.line) != nullptr;
    int ifs = 0, elses = 0, endifs = 0, switches = 0, elsws = 0, endsws = 0, loops = 0, endlps = 0;
    const int top = Record(first)->Top;
    for (int i = first; i <= last; ++i) {
        const CLogicLine& r = *Record(i);
        if (r.Top < top && r.lineKind != SyntaxPlainLine)
            return false;
        switch (r.lineKind) {
        case SyntaxIf:
            ++ifs;
            break;
        case SyntaxElse:
            ++elses;
            break;
        case SyntaxEndif:
            ++endifs;
            break;
        case SyntaxSwitch:
            ++switches;
            break;
        case SyntaxElsw:
            ++elsws;
            break;
        case SyntaxEndsw:
            ++endsws;
            break;
        case SyntaxLoop:
            ++loops;
            break;
        case SyntaxEndlp:
            ++endlps;
            break;
        default:
            break;
        }
        if (elses > ifs || endifs > ifs || elsws > switches || endsws > switches || endlps > loops)
            return false;
    }
    return ifs == elses && elses == endifs && switches == elsws && elsws == endsws && loops == endlps;
}

namespace {

// Case lines of the switch that holds the case line, the line itself included, and of them those above it;
// nested switch blocks are skipped in both directions (endsw opens a nested level going up, switch going down).
int CountCaseLines(const CLogicEditModel& model, int line, int* above = nullptr) {
    const int top = model.Record(line)->Top;
    int count = 1;
    int depth = 0;
    for (int i = line - 1; i >= 0; --i) {
        const CLogicLine& r = *model.Record(i);
        if (r.lineKind == SyntaxEndsw) {
            ++depth;
        } else if (r.lineKind == SyntaxSwitch) {
            if (depth == 0)
                break;
            --depth;
        } else if (depth == 0 && r.lineKind == SyntaxCase && r.Top == top) {
            ++count;
        }
    }
    if (above)
        *above = count - 1;
    depth = 0;
    for (int i = line + 1; i < model.RecordCount(); ++i) {
        const CLogicLine& r = *model.Record(i);
        if (r.lineKind == SyntaxSwitch) {
            ++depth;
        } else if (r.lineKind == SyntaxEndsw) {
            if (depth == 0)
                break;
            --depth;
        } else if (depth == 0 && r.lineKind == SyntaxElsw && r.Top == top) {
            break;
        } else if (depth == 0 && r.lineKind == SyntaxCase && r.Top == top) {
            ++count;
        }
    }
    return count;
}

} // namespace

bool CLogicEditModel::CanDeleteSyntaxFrame() const {
    int first = 0;
    int last = 0;
    const CLogicLine* record = Record(m_caret.line);
    if (GetSelectedLineRange(first, last) != 0 || !record)
        return false;
    if (IsOneOf(record->lineKind, {SyntaxIf, SyntaxSwitch, SyntaxLoop}))
        return true;
    if (record->lineKind != SyntaxCase)
        return false;
    // The frame test counts every case line between the switch and its elsw at the case's column.
    int count = 1;
    for (int i = m_caret.line - 1; i >= 0 && Record(i)->lineKind != SyntaxSwitch; --i)
        count += Record(i)->lineKind == SyntaxCase && Record(i)->Top == record->Top;
    for (int i = m_caret.line + 1; i < RecordCount() && Record(i)->lineKind != SyntaxElsw; ++i)
        count += Record(i)->lineKind == SyntaxCase && Record(i)->Top == record->Top;
    return count >= 3;
}

bool CLogicEditModel::CanDeleteSyntaxBlock() const {
    int first = 0;
    int last = 0;
    const CLogicLine* record = Record(m_caret.line);
    if (GetSelectedLineRange(first, last) != 0 || !record)
        return false;
    if (IsOneOf(record->lineKind, {SyntaxIf, SyntaxSwitch, SyntaxLoop}))
        return true;
    return record->lineKind == SyntaxCase && CountCaseLines(*this, m_caret.line) >= 3;
}

bool CLogicEditModel::CanDeleteBlockFromMenu() const {
    if (!CanDeleteSyntaxBlock())
        return false;
    if (Record(m_caret.line)->lineKind != SyntaxCase)
        return true;
    int above = 0;
    CountCaseLines(*this, m_caret.line, &above);
    return above > 0;
}

bool CLogicEditModel::CanDeleteTextFromMenu() const {
    int first = 0;
    int last = 0;
    return Record(m_caret.line) && GetSelectedLineRange(first, last) == 0;
}

bool CLogicEditModel::CanPasteLines() const {
    const int summary = DescribeClipboardLines();
    if (m_fnNameChanged || summary == 0)
        return false;
    int first = 0;
    int last = 0;
    if (GetSelectedLineRange(first, last) != 0)
        return false;
    const int line = m_caret.line;
    const CLogicLine* record = Record(line);
    if (!record)
        return RecordCount() == 0 && line == 0;
    const int kinds = summary & 0xFF;
    const int depth = summary >> 8;
    const int unit = Indent(SyntaxIf);
    const bool insideLoop = IsInsideLoop(line);
    if (!(record->Next + depth <= 12 * unit || (insideLoop && record->Next + depth <= 13 * unit)))
        return false;
    if ((kinds & 0x40) && !insideLoop)
        return false;
    int flags = 0;
    const int code = GetBlockContext(line, insideLoop, flags);
    if ((code == 1 || code == 2 || code == 3 || code == 5) && kinds != 0x80)
        return false;
    if ((kinds & 0x20) && (code != 0 || (flags & 15)))
        return false;
    if ((kinds & 0x40) && (code != 0 || (flags & 10)))
        return false;
    return true;
}
