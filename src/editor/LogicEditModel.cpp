#include "editor/LogicEditModel.h"

#include "logic/InspectionEnvironment.h"
#include "logic/LogicLineMatcher.h"
#include "model/DocumentData.h"
#include "model/DocumentDataHelpers.h"
#include "model/IndexLogicSync.h"
#include "model/ModelShell.h"
#include "model/QuantifierCheck.h"
#include "model/TextUtilities.h"
#include "platform/EditControlText.h"
#include "platform/MessageBox.h"
#include "texts/StringTable.h"

#include <algorithm>

namespace {

constexpr quint32 kStateMarkBackground = 0xAAFFFF;
constexpr quint32 kEventMarkBackground = 0xAAFFAA;

bool IsLineBreak(QChar c) {
    return c == QChar('\r') || c == QChar('\n');
}

} // namespace

CLogicEditModel::CLogicEditModel(CDocumentData& document, CUnitFunction& function, CLogicClipboard& clipboard)
    : m_document(document), m_function(function), m_clipboard(clipboard) {
    RefreshFnLines();
    RecomposeAll();
}

CLogicEditModel::~CLogicEditModel() = default;

// ---- records and text ----

int CLogicEditModel::RecordCount() const {
    return static_cast<int>(m_function.logicLines.size());
}

CLogicLine* CLogicEditModel::Record(int line) const {
    if (line < 0 || line >= RecordCount())
        return nullptr;
    return m_function.logicLines[static_cast<size_t>(line)].get();
}

const ComposedLine& CLogicEditModel::Composed(int line) const {
    static const ComposedLine empty;
    if (line < 0 || line >= static_cast<int>(m_composed.size()))
        return empty;
    return m_composed[static_cast<size_t>(line)];
}

QString CLogicEditModel::LineText(int line) const {
    return Composed(line).text;
}

QString CLogicEditModel::PlainText() const {
    qsizetype size = 0;
    for (const ComposedLine& line : m_composed)
        size += line.text.size() + 1;
    QString text;
    text.reserve(size);
    for (const ComposedLine& line : m_composed) {
        if (&line != &m_composed.front())
            text += QChar('\n');
        text += line.text;
    }
    return text;
}

const SyntaxSymbol& CLogicEditModel::Symbol(int kind) const {
    static const SyntaxSymbol none;
    if (kind < 0 || kind >= static_cast<int>(m_document.SyntaxSymbols.size()))
        return none;
    return m_document.SyntaxSymbols[static_cast<size_t>(kind)];
}

int CLogicEditModel::Column(int kind) const {
    return Symbol(kind).Column;
}
int CLogicEditModel::Indent(int kind) const {
    return Symbol(kind).Indent;
}

void CLogicEditModel::InitLineRecord(CLogicLine& record, int kind, int base) const {
    record.lineKind = static_cast<quint8>(kind);
    record.Top = record.Next = record.Home = record.Home2 = record.End = static_cast<quint16>(base);
    record.auxiliaryVerbFlag = 0;
    record.auxiliaryVerbId = 0;
    record.slotCount = 0;
    if (kind > SyntaxTransitState)
        return;
    record.Next = static_cast<quint16>(base + Indent(kind));
    record.Home = static_cast<quint16>(base + Column(kind));
    const int home = record.Home;
    record.Home2 = record.End = static_cast<quint16>(home);
    switch (kind) {
    case SyntaxFn:
        record.slotCount = 3;
        break;
    case SyntaxIf:
    case SyntaxDo:
    case SyntaxTransitState:
        record.Home2 = static_cast<quint16>(home + 2);
        record.End = static_cast<quint16>(home + 3);
        record.slotCount = 4;
        break;
    case SyntaxSwitch:
    case SyntaxCase:
        record.End = static_cast<quint16>(home + 1);
        record.slotCount = 2;
        break;
    case SyntaxComment:
        record.slotCount = 1;
        break;
    default:
        break;
    }
    for (int slot = 0; slot < record.slotCount; ++slot)
        record.textSlots[static_cast<size_t>(slot)].text.clear();
}

ComposedLine CLogicEditModel::ComposeLine(const CLogicLine& record) const {
    ComposedLine line;
    const int kind = record.lineKind;
    const FontSetting& logicFont = m_document.fonts.LogicFont;
    auto keywordFont = [&](int symbolKind) {
        FontSetting font = logicFont;
        font.colour = Symbol(symbolKind).font.colour;
        font.colourIndex = Symbol(symbolKind).font.colourIndex;
        font.bold = 1;
        font.italic = 0;
        font.underline = 0;
        return font;
    };
    auto append = [&](const QString& text, const FontSetting& font, quint32 background = 0xFFFFFF) {
        if (text.isEmpty())
            return;
        line.runs.push_back({static_cast<int>(line.text.size()), static_cast<int>(text.size()), font, background});
        line.text += text;
    };
    auto keyword = [&](const QString& text) { append(text, keywordFont(kind)); };
    auto slot = [&](int index) {
        const TextSlot& s = record.textSlots[static_cast<size_t>(index)];
        append(s.text, s.Font());
    };
    auto verbSlot = [&](int index) {
        const TextSlot& s = record.textSlots[static_cast<size_t>(index)];
        append(s.text, record.auxiliaryVerbFlag ? m_document.fonts.AuVerbFont2 : m_document.fonts.AuVerbFont1);
    };
    if (kind == SyntaxPlainLine || kind > SyntaxTransitState)
        return line;
    append(QString(record.Top, QChar(' ')), keywordFont(SyntaxFn));
    const QString& word = Symbol(kind).keyword;
    // The state or event prefix of an if or switch line: bold black on its light background, before the keyword.
    auto attributePrefix = [&] {
        if (record.transitionAttribute == 0)
            return;
        FontSetting font = keywordFont(kind);
        font.SetStandardColour(0);
        append(TransitionAttributePrefix(record.transitionAttribute), font,
               record.transitionAttribute == CLogicLine::StateAttribute ? kStateMarkBackground : kEventMarkBackground);
    };
    switch (kind) {
    case SyntaxFn: {
        const ModelOptions options = m_document.GetModelOptions();
        CUnitFunction* called = m_document.registry.FindByInternalID(record.calledInternalID);
        if (called) {
            keyword(CUnitFunction::FormatFnReferenceLabel(called, &m_function, m_document.registry, options));
            slot(0);
            keyword(CUnitFunction::FormatFnStatementNumber(*called, options));
        } else {
            keyword(CUnitFunction::GetFnStatementOpening(options));
            slot(0);
            keyword(CUnitFunction::GetFnStatementClosing(options));
        }
        break;
    }
    case SyntaxIf:
    case SyntaxDo:
    case SyntaxTransitState:
        if (kind == SyntaxIf)
            attributePrefix();
        keyword(word + (kind == SyntaxIf ? QStringLiteral(" <") : QStringLiteral("<")));
        slot(0);
        keyword(QStringLiteral(">"));
        slot(1);
        keyword(QStringLiteral("{"));
        slot(2);
        keyword(QStringLiteral("}"));
        if (kind == SyntaxIf)
            verbSlot(3);
        else
            slot(3);
        break;
    case SyntaxSwitch:
        attributePrefix();
        keyword(word + QStringLiteral(" <"));
        slot(0);
        keyword(QStringLiteral(">"));
        slot(1);
        break;
    case SyntaxCase:
        keyword(word + QStringLiteral("{"));
        slot(0);
        keyword(QStringLiteral("}"));
        verbSlot(1);
        break;
    case SyntaxComment:
        keyword(word);
        slot(0);
        break;
    default:
        keyword(word);
        break;
    }
    return line;
}

QString CLogicEditModel::ComposePlainLineText(int line) const {
    const CLogicLine* record = Record(line);
    if (!record)
        return {};
    if (record->lineKind == SyntaxPlainLine)
        return QString(record->Top, QChar(' '));
    return ComposeLine(*record).text;
}

void CLogicEditModel::Recompose(int line) {
    CLogicLine* record = Record(line);
    if (!record)
        return;
    if (record->lineKind == SyntaxFn) {
        // The label grows by "-LOOP" when the called unit function reaches this one again.
        const CUnitFunction* called = m_document.registry.FindByInternalID(record->calledInternalID);
        std::set<const CUnitFunction*> visited;
        const bool loop = called && m_document.registry.IsReachable(called, &m_function, visited);
        record->Home = static_cast<quint16>(record->Top + Column(SyntaxFn) + (loop ? 5 : 0));
        record->End = static_cast<quint16>(record->Home + record->textSlots[0].text.size());
    }
    if ((record->lineKind == SyntaxIf || record->lineKind == SyntaxSwitch) && record->transitionAttribute != 0) {
        // The "St" or "Ev" in front of the keyword moves the slots on by its length.
        record->Home =
            static_cast<quint16>(record->Top + TransitionAttributePrefix(record->transitionAttribute).size() +
                                 Symbol(record->lineKind).keyword.size() + 2);
        record->RecountPositions();
    }
    m_composed[static_cast<size_t>(line)] = ComposeLine(*record);
}

void CLogicEditModel::RecomposeAll() {
    m_composed.assign(static_cast<size_t>(RecordCount()), ComposedLine());
    for (int line = 0; line < RecordCount(); ++line)
        Recompose(line);
    m_caret.line = std::clamp(m_caret.line, 0, RecordCount());
    m_caret.column = std::clamp(m_caret.column, 0, LineLength(m_caret.line));
    m_anchor.line = std::clamp(m_anchor.line, 0, RecordCount());
    m_anchor.column = std::clamp(m_anchor.column, 0, LineLength(m_anchor.line));
}

void CLogicEditModel::RefreshFnLines() {
    for (int line = 0; line < RecordCount(); ++line) {
        CLogicLine& record = *Record(line);
        // A name typed and not yet committed stays as it was typed.
        if (record.lineKind != SyntaxFn || (m_fnNameChanged && line == m_fnEditLine))
            continue;
        RefreshFnLineText(record, m_document.registry);
        if (line < static_cast<int>(m_composed.size()))
            Recompose(line);
    }
}

CLogicLine& CLogicEditModel::InsertLineRecord(int index) {
    const CLogicLine* before = Record(index - 1);
    const quint16 base = before ? before->Next : 0;
    auto record = std::make_unique<CLogicLine>();
    record->Top = record->Next = record->Home = record->Home2 = record->End = base;
    record->changeMarks = 1;
    CLogicLine& inserted = *record;
    InsertRecord(index, std::move(record));
    return inserted;
}

void CLogicEditModel::InsertRecord(int index, std::unique_ptr<CLogicLine> record) {
    std::vector<std::unique_ptr<CLogicLine>> records;
    records.push_back(std::move(record));
    InsertRecords(index, std::move(records));
}

void CLogicEditModel::InsertRecords(int index, std::vector<std::unique_ptr<CLogicLine>> records) {
    const int count = static_cast<int>(records.size());
    if (m_nesting > 0) {
        m_structureChanged = true;
        for (const auto& record : records)
            m_transactionTouched.insert(record.get());
    }
    m_function.logicLines.insert(m_function.logicLines.begin() + index, std::make_move_iterator(records.begin()),
                                 std::make_move_iterator(records.end()));
    m_composed.insert(m_composed.begin() + index, static_cast<size_t>(count), ComposedLine());
    LinesInserted(index, count);
    if (IsJournalling() && count > 0)
        m_journal.push_back({JournalEntry::Op::Inserted, index, count, {}});
}

std::vector<std::unique_ptr<CLogicLine>> CLogicEditModel::TakeRecords(int index, int count) {
    if (m_nesting > 0)
        m_structureChanged = true;
    LogicLineArray& lines = m_function.logicLines;
    const auto begin = lines.begin() + index;
    const auto end = begin + count;
    std::vector<std::unique_ptr<CLogicLine>> records(std::make_move_iterator(begin), std::make_move_iterator(end));
    lines.erase(begin, end);
    m_composed.erase(m_composed.begin() + index, m_composed.begin() + index + count);
    if (m_fnEditLine >= index && m_fnEditLine < index + count)
        m_fnEditLine = -1;
    else if (m_fnEditLine >= index + count)
        m_fnEditLine -= count;
    return records;
}

void CLogicEditModel::LinesInserted(int index, int count) {
    if (m_fnEditLine >= index)
        m_fnEditLine += count;
}

void CLogicEditModel::RemoveLines(int first, int last) {
    first = std::max(first, 0);
    last = std::min(last, RecordCount() - 1);
    if (first > last)
        return;
    LogicLineArray& lines = m_function.logicLines;
    if (std::any_of(lines.begin() + first, lines.begin() + last + 1,
                    [](const auto& record) { return record->lineKind == SyntaxFn; }))
        m_undoAvailable = false;
    std::vector<std::unique_ptr<CLogicLine>> records = TakeRecords(first, last - first + 1);
    // The records stay alive in the journal, so their addresses are not reused while the transaction runs.
    if (IsJournalling())
        m_journal.push_back({JournalEntry::Op::Removed, first, 0, std::move(records)});
}

CLogicLine& CLogicEditModel::EditRecord(int line) {
    CLogicLine& record = *Record(line);
    if (!IsJournalling())
        return record;
    if (m_nesting > 0 && !m_transactionTouched.insert(&record).second)
        return record;
    JournalEntry entry{JournalEntry::Op::Modified, line, 0, {}, m_nesting > 0 ? &record : nullptr,
                       record.GetMarkNotes()};
    entry.records.push_back(std::make_unique<CLogicLine>(record));
    m_journal.push_back(std::move(entry));
    return record;
}

void CLogicEditModel::AddLineAfterCaret(bool plain) {
    int line = std::clamp(m_caret.line, 0, RecordCount());
    if (line >= RecordCount()) {
        line = RecordCount();
        InsertLineRecord(line).lineKind = SyntaxPlainLine;
        Recompose(line);
    }
    ++line;
    // A line without a record can only be the append line after the last record.
    if (plain || line < RecordCount()) {
        InsertLineRecord(line).lineKind = SyntaxPlainLine;
        Recompose(line);
    }
    m_caret = m_anchor = {line, 0};
    SetDocumentModified();
}

void CLogicEditModel::InsertLineAtTop() {
    CLogicLine& record = InsertLineRecord(0);
    InitLineRecord(record, SyntaxPlainLine, 0);
    Recompose(0);
    m_caret = m_anchor = {0, 0};
    SetDocumentModified();
}

void CLogicEditModel::SetDocumentModified() {
    ModelShell().SetDocumentModified();
}

void CLogicEditModel::RunModelChange(CIndexLogicSync* sync) {
    const ModelOptions options = m_document.GetModelOptions();
    if (sync)
        sync->Synchronize();
    m_document.RebuildAndRefresh(options);
    RefreshFnLines();
}

void CLogicEditModel::ShowWarning(const QString& text) {
    const EditPosition caret = m_caret;
    platform::ShowMessageBox(text, platform::MessageButtons::Ok, platform::MessageIcon::Warning);
    m_caret = caret;
}

// ---- caret and selection ----

void CLogicEditModel::SetCaret(int line, int column) {
    Select(line, column, line, column);
}

void CLogicEditModel::Select(int anchorLine, int anchorColumn, int caretLine, int caretColumn) {
    anchorLine = std::clamp(anchorLine, 0, RecordCount());
    caretLine = std::clamp(caretLine, 0, RecordCount());
    m_anchor = {anchorLine, std::clamp(anchorColumn, 0, LineLength(anchorLine))};
    m_caret = {caretLine, std::clamp(caretColumn, 0, LineLength(caretLine))};
}

int CLogicEditModel::GetSelectedLineRange(int& first, int& last) const {
    first = last = 0;
    if (!HasSelection())
        return 0;
    const EditPosition start = SelectionStart();
    const EditPosition end = SelectionEnd();
    int firstLine = start.line;
    // The last line is the one before the first line that starts at or after the end.
    int lastLine = end.column == 0 ? end.line - 1 : end.line;
    if (firstLine == end.line)
        return 0;
    if (lastLine < firstLine)
        return 0;
    lastLine = std::min(lastLine, RecordCount() - 1);
    if (lastLine < firstLine)
        return 0;
    first = firstLine;
    last = lastLine;
    return last - first + 1;
}

QString CLogicEditModel::SelectedText() const {
    const EditPosition start = SelectionStart();
    const EditPosition end = SelectionEnd();
    if (start.line == end.line)
        return LineText(start.line).mid(start.column, end.column - start.column);
    QString text = LineText(start.line).mid(start.column);
    for (int line = start.line + 1; line < end.line; ++line)
        text += QChar('\n') + LineText(line);
    return text + QChar('\n') + LineText(end.line).left(end.column);
}

QString CLogicEditModel::GetSelectedText() const {
    int first = 0;
    int last = 0;
    if (!HasSelection() || GetSelectedLineRange(first, last) > 0)
        return {};
    return LimitSelectedText(SelectedText());
}

// ---- slots ----

namespace {

struct SlotEnds {
    int e1, e2, e3, e4;
};

SlotEnds ComputeSlotEnds(const CLogicLine& record) {
    auto length = [&](int slot) { return static_cast<int>(record.textSlots[static_cast<size_t>(slot)].text.size()); };
    SlotEnds ends{};
    ends.e1 = record.Home + length(0);
    ends.e2 = ends.e1 + 1 + length(1);
    ends.e3 = ends.e2 + 1 + length(2);
    ends.e4 = ends.e3 + 1 + length(3);
    return ends;
}

bool HasFourSlots(int kind) {
    return kind == SyntaxIf || kind == SyntaxDo || kind == SyntaxTransitState;
}
bool HasTwoSlots(int kind) {
    return kind == SyntaxSwitch || kind == SyntaxCase;
}

} // namespace

CLogicEditModel::SlotRange CLogicEditModel::GetSlotRangeAtColumn(const CLogicLine& record, int column) {
    const SlotEnds e = ComputeSlotEnds(record);
    const int kind = record.lineKind;
    if (kind == SyntaxFn)
        return {record.Home, e.e1, 1};
    if (HasFourSlots(kind)) {
        if (column <= e.e1)
            return {record.Home, e.e1, 1};
        if (column <= e.e2)
            return {e.e1 + 1, e.e2, 2};
        if (column <= e.e3)
            return {e.e2 + 1, e.e3, 3};
        return {e.e3 + 1, e.e4, 4};
    }
    if (HasTwoSlots(kind)) {
        if (column <= e.e1)
            return {record.Home, e.e1, 1};
        return {e.e1 + 1, e.e1 + 1 + static_cast<int>(record.textSlots[1].text.size()), 2};
    }
    if (kind == SyntaxComment)
        return {record.Home, record.End, 1};
    if (kind == SyntaxPlainLine)
        return {0, 0, 0};
    return {record.Home, record.Home, 0};
}

int CLogicEditModel::SlotColumn(const CLogicLine& record, int slot, int offset) {
    // The slots follow each other in their order, one character between two.
    int column = record.Home;
    for (int i = 0; i < std::min(slot, static_cast<int>(record.textSlots.size()) - 1); ++i)
        column += static_cast<int>(record.textSlots[static_cast<size_t>(i)].text.size()) + 1;
    return column + std::max(offset, 0);
}

EditPosition CLogicEditModel::NextSlotPosition(int line, int column) const {
    const CLogicLine* record = Record(line);
    if (!record)
        return {line, column};
    const SlotEnds e = ComputeSlotEnds(*record);
    if (HasFourSlots(record->lineKind)) {
        if (column <= e.e1)
            return {line, e.e1 + 1};
        if (column <= e.e2)
            return {line, e.e2 + 1};
        if (column <= e.e3)
            return {line, e.e3 + 1};
    } else if (HasTwoSlots(record->lineKind) && column <= e.e1) {
        return {line, e.e1 + 1};
    }
    if (line + 1 >= RecordCount())
        return {line, column};
    return {line + 1, Record(line + 1)->Home};
}

EditPosition CLogicEditModel::PreviousSlotPosition(int line, int column) const {
    const CLogicLine* record = Record(line);
    if (!record)
        return {line, column};
    const SlotEnds e = ComputeSlotEnds(*record);
    if (HasFourSlots(record->lineKind) && column > e.e1) {
        if (column <= e.e2)
            return {line, record->Home};
        if (column <= e.e3)
            return {line, e.e1 + 1};
        return {line, e.e2 + 1};
    }
    if (HasTwoSlots(record->lineKind) && column > e.e1)
        return {line, record->Home};
    if (line == 0)
        return {line, column};
    const CLogicLine* previous = Record(line - 1);
    return {line - 1, previous->lineKind == SyntaxFn ? previous->Home : previous->End};
}

bool CLogicEditModel::IsSelectionInOneSlot() const {
    const CLogicLine* record = Record(m_caret.line);
    const EditPosition start = SelectionStart();
    const EditPosition end = SelectionEnd();
    if (!record || start.line != m_caret.line)
        return false;
    const int slot = record->FindTextSlotAt(start.column);
    if (slot < 0)
        return false;
    if (!HasSelection())
        return true;
    return end.line == start.line && record->FindTextSlotAt(end.column) == slot;
}

// ---- split ----

bool CLogicEditModel::SplitLineText(int line, const QString& text, bool checkLength, int* excess) {
    CLogicLine* record = Record(line);
    if (!record || text.isEmpty())
        return true;
    const int home = record->Home;
    const int limit = SlotLimit(*record);
    const int kind = record->lineKind;
    QString rest = text.mid(home);
    for (int i = 0; i < rest.size(); ++i) {
        if (IsLineBreak(rest[i])) {
            rest.truncate(i);
            break;
        }
    }
    std::vector<QString> pieces;
    auto cut = [&](const QString& separators) {
        for (QChar separator : separators) {
            const qsizetype at = rest.indexOf(separator);
            if (at < 0)
                return false;
            pieces.push_back(rest.left(at));
            rest = rest.mid(at + 1);
        }
        pieces.push_back(rest);
        return true;
    };
    bool complete = true;
    if (kind == SyntaxFn) {
        qsizetype at = rest.indexOf(QStringLiteral("]]"));
        const qsizetype blank = rest.indexOf(QStringLiteral(" ]"));
        if (at < 0 || (blank >= 0 && blank < at))
            at = blank;
        complete = at >= 0;
        pieces.push_back(rest.left(at));
    } else if (HasFourSlots(kind)) {
        complete = cut(QStringLiteral(">{}"));
    } else if (kind == SyntaxSwitch) {
        complete = cut(QStringLiteral(">"));
    } else if (kind == SyntaxCase) {
        complete = cut(QStringLiteral("}"));
    } else if (kind == SyntaxComment) {
        pieces.push_back(rest);
    } else {
        return true;
    }
    // A line whose separators are gone cannot be split into its slots: it keeps its record.
    if (!complete) {
        Recompose(line);
        return false;
    }
    for (size_t slot = 0; slot < pieces.size(); ++slot) {
        if (pieces[slot].size() > limit) {
            const int over = static_cast<int>(pieces[slot].size() - record->textSlots[slot].text.size());
            if (excess)
                *excess = over;
            if (checkLength)
                ShowWarning(LoadString(StringId::SlotTextTooLong));
            Recompose(line);
            return false;
        }
    }
    EditRecord(line);
    if (kind == SyntaxFn) {
        if (pieces[0] != record->textSlots[0].text) {
            record->textSlots[0].text = pieces[0];
            m_fnNameChanged = true;
            m_fnEditLine = line;
        }
        m_undoAvailable = false;
    } else {
        for (size_t slot = 0; slot < pieces.size(); ++slot)
            record->textSlots[slot].text = pieces[slot];
    }
    record->RecountPositions();
    record->changeMarks |= 2;
    UpdateAuxiliaryVerb(*record);
    CheckMemberNameQuantifiers(*record, m_document.SyntaxSymbols, m_document.quantifiers);
    Recompose(line);
    return true;
}

void CLogicEditModel::UpdateAuxiliaryVerb(CLogicLine& record) const {
    if (record.lineKind != SyntaxIf && record.lineKind != SyntaxCase)
        return;
    const AuxiliaryVerb* verb =
        FindAuxiliaryVerb(m_document, record.textSlots[record.lineKind == SyntaxIf ? 3 : 1].text);
    record.auxiliaryVerbId = verb ? verb->id : 0;
    record.auxiliaryVerbFlag = verb ? verb->flag : 0;
}

// ---- typing ----

void CLogicEditModel::TypeCharacter(QChar character) {
    if (m_caret.line >= RecordCount()) {
        platform::ShowMessageBox(LoadString(StringId::TypingOutsideLines), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Error);
        return;
    }
    const CLogicLine* record = Record(m_caret.line);
    if (!IsSelectionInOneSlot() || IsLineBreak(character))
        return;
    static const QString brackets = QStringLiteral("<>{}[]");
    if (record->lineKind != SyntaxComment && brackets.contains(character))
        return;
    Transaction transaction(*this, false);
    OpenUndoGroup();
    const EditPosition start = SelectionStart();
    const EditPosition end = SelectionEnd();
    QString text = LineText(start.line);
    text.replace(start.column, end.column - start.column, character);
    int excess = 0;
    if (SplitLineText(start.line, text, true, &excess)) {
        SetCaret(start.line, start.column + 1);
        m_typed = true;
        SetDocumentModified();
    } else {
        SetCaret(start.line, start.column + 1 - excess);
    }
}

void CLogicEditModel::PressKey(EditKey key) {
    const int line = m_caret.line;
    const CLogicLine* record = Record(line);
    const int last = RecordCount() - 1;
    // The line being left is committed first; a refused commit (a blank Fn name) keeps the caret. Where the caret
    // cannot go further the key only commits.
    auto moveTo = [&](EditPosition position, bool commit) {
        m_undoGroupOpen = false;
        if (commit && CommitLineEdits(false) == 0)
            return;
        SetCaret(position.line, position.column);
    };
    auto commitOnly = [&] {
        m_undoGroupOpen = false;
        CommitLineEdits(false);
    };
    // Up, Down, Page Up and Page Down keep the column inside the target line's editable part: at its Home when the
    // column is at or before it, at its End when the column is at or past it.
    auto verticalTarget = [&](int target) -> EditPosition {
        const CLogicLine* to = Record(target);
        if (!to)
            return {target, 0};
        if (m_caret.column <= to->Home)
            return {target, to->Home};
        return {target, m_caret.column < to->End ? m_caret.column : static_cast<int>(to->End)};
    };
    // From the last record the caret reaches the append line only from a plain line.
    const bool lastIsPlain = last >= 0 && Record(last)->lineKind == SyntaxPlainLine;
    switch (key) {
    case EditKey::Backspace:
    case EditKey::Delete: {
        if (!record || !IsSelectionInOneSlot())
            return;
        EditPosition start = SelectionStart();
        EditPosition end = SelectionEnd();
        if (!HasSelection()) {
            const int slot = record->FindTextSlotAt(start.column);
            const SlotRange range = GetSlotRangeAtColumn(*record, start.column);
            const int slotStart = slot == 0 ? record->Home : range.start;
            const int slotEnd = slot == 0 && record->lineKind != SyntaxComment
                                    ? record->Home + static_cast<int>(record->textSlots[0].text.size())
                                    : range.end;
            if (key == EditKey::Backspace && start.column > slotStart)
                --start.column;
            else if (key == EditKey::Delete && end.column < slotEnd)
                ++end.column;
            else
                return;
        }
        Transaction transaction(*this, false);
        OpenUndoGroup();
        QString text = LineText(line);
        text.remove(start.column, end.column - start.column);
        SplitLineText(line, text, false);
        SetCaret(line, start.column);
        m_typed = true;
        SetDocumentModified();
        return;
    }
    case EditKey::Tab:
        moveTo(NextSlotPosition(line, m_caret.column), true);
        return;
    // Left and Right move within the caret's slot and stop at its ends.
    case EditKey::Left:
        if (record && m_caret.column > GetSlotRangeAtColumn(*record, m_caret.column).start)
            moveTo({line, m_caret.column - 1}, false);
        return;
    case EditKey::Right:
        if (record && m_caret.column < GetSlotRangeAtColumn(*record, m_caret.column).end)
            moveTo({line, m_caret.column + 1}, false);
        return;
    case EditKey::Up:
        if (line > 0)
            moveTo(verticalTarget(line - 1), true);
        else
            commitOnly();
        return;
    case EditKey::Down:
        if (line < last || (line == last && lastIsPlain))
            moveTo(verticalTarget(line + 1), true);
        else
            commitOnly();
        return;
    case EditKey::PageUp:
        if (line > 0)
            moveTo(verticalTarget(std::max(0, line - 10)), true);
        else
            commitOnly();
        return;
    case EditKey::PageDown:
        if (line >= last && !(line == last && lastIsPlain))
            commitOnly();
        else if (line == last || (line + 10 == last && lastIsPlain))
            moveTo({last + 1, 0}, true);
        else
            moveTo(verticalTarget(std::min(line + 10, last)), true);
        return;
    case EditKey::Home:
        moveTo({line, record ? record->Home : 0}, true);
        return;
    case EditKey::End:
        // The end of the line's editable part, not of its text (an Fn line's number follows it).
        moveTo({line, record ? record->End : 0}, true);
        return;
    case EditKey::Enter:
        // No line is ever split or committed by Enter: it only ends the typing run's undo step.
        m_undoGroupOpen = false;
        return;
    }
}

// ---- transaction, parse guard and undo ----

void CLogicEditModel::BeginEdit(bool structural) {
    if (m_nesting++ == 0) {
        m_structureChanged = false;
        m_transactionStart = m_journal.size();
        m_transactionTouched.clear();
    }
    if (structural)
        m_structureChanged = true;
}

bool CLogicEditModel::LineParses(int line) const {
    const CLogicLine* record = Record(line);
    if (!record)
        return true;
    const CLogicLineMatcher matcher(LineText(line) + QChar('\n'), GetLogicKeywords(m_document));
    int length = CLogicLineMatcher::NoMatch;
    switch (record->lineKind) {
    case SyntaxFn:
        length = matcher.MatchFnStatement(0);
        break;
    case SyntaxIf:
        length = matcher.MatchIfHead(0);
        break;
    case SyntaxDo:
        length = matcher.MatchDoStatement(0);
        break;
    case SyntaxTransitState:
        length = matcher.MatchTransitStateStatement(0);
        break;
    case SyntaxSwitch:
        length = matcher.MatchSwitchHead(0);
        break;
    case SyntaxCase:
        length = matcher.MatchCaseHead(0);
        break;
    case SyntaxComment:
        length = matcher.MatchCommentLine(0);
        break;
    default:
        return true;
    }
    return length == LineText(line).size() + 1;
}

CLogicEditModel::JournalEntry CLogicEditModel::RevertEntry(JournalEntry& entry, bool undo) {
    switch (entry.op) {
    case JournalEntry::Op::Inserted:
        return {JournalEntry::Op::Removed, entry.index, 0, TakeRecords(entry.index, entry.count)};
    case JournalEntry::Op::Removed: {
        const int count = static_cast<int>(entry.records.size());
        LogicLineArray& lines = m_function.logicLines;
        lines.insert(lines.begin() + entry.index, std::make_move_iterator(entry.records.begin()),
                     std::make_move_iterator(entry.records.end()));
        m_composed.insert(m_composed.begin() + entry.index, static_cast<size_t>(count), ComposedLine());
        LinesInserted(entry.index, count);
        for (int line = entry.index; line < entry.index + count; ++line)
            Recompose(line);
        return {JournalEntry::Op::Inserted, entry.index, count, {}};
    }
    case JournalEntry::Op::Modified: {
        CLogicLine& line = *Record(entry.index);
        CLogicLine& other = *entry.records.front();
        const bool notesChanged = undo && line.GetMarkNotes() != entry.notesAfter;
        std::swap(line, other);
        if (notesChanged) {
            // Only the statement goes back; the automatic quantifier marks follow its member name.
            line.SetMarkNotes(other.GetMarkNotes());
            if (line.textSlots[0].text != other.textSlots[0].text)
                CheckMemberNameQuantifiers(line, m_document.SyntaxSymbols, m_document.quantifiers);
        }
        Recompose(entry.index);
        return {JournalEntry::Op::Modified, entry.index, 0, std::move(entry.records), nullptr, line.GetMarkNotes()};
    }
    }
    return {};
}

bool CLogicEditModel::TouchesFnLine(const JournalEntry& entry) const {
    const auto isFn = [](const std::unique_ptr<CLogicLine>& record) { return record->lineKind == SyntaxFn; };
    const LogicLineArray& lines = m_function.logicLines;
    switch (entry.op) {
    case JournalEntry::Op::Inserted:
        return std::any_of(lines.begin() + entry.index, lines.begin() + entry.index + entry.count, isFn);
    case JournalEntry::Op::Removed:
        return std::any_of(entry.records.begin(), entry.records.end(), isFn);
    case JournalEntry::Op::Modified:
        return isFn(entry.records.front()) || isFn(lines[static_cast<size_t>(entry.index)]);
    }
    return false;
}

bool CLogicEditModel::CanRevertJournal(size_t from) const {
    // Walks the entries backwards on the line count alone: an index that does not fit means the records
    // were changed behind the model's back, and nothing is reverted.
    int count = RecordCount();
    for (size_t i = m_journal.size(); i-- > from;) {
        const JournalEntry& entry = m_journal[i];
        switch (entry.op) {
        case JournalEntry::Op::Inserted:
            if (entry.index < 0 || entry.count < 0 || entry.index + entry.count > count)
                return false;
            count -= entry.count;
            break;
        case JournalEntry::Op::Removed:
            if (entry.index < 0 || entry.index > count ||
                std::any_of(entry.records.begin(), entry.records.end(), [](const auto& record) { return !record; }))
                return false;
            count += static_cast<int>(entry.records.size());
            break;
        case JournalEntry::Op::Modified:
            if (entry.index < 0 || entry.index >= count || entry.records.size() != 1 || !entry.records.front())
                return false;
            break;
        }
    }
    return true;
}

void CLogicEditModel::EndEdit() {
    if (--m_nesting > 0)
        return;
    m_nesting = 0;
    bool parses = true;
    if (m_structureChanged) {
        parses = CLogicLineMatcher(PlainText(), GetLogicKeywords(m_document)).MatchesWholeLine();
    } else {
        // Typing changes the slots of single lines; each must still be a statement of its kind.
        for (size_t i = m_transactionStart; i < m_journal.size() && parses; ++i)
            parses = LineParses(m_journal[i].index);
    }
    if (!parses && CanRevertJournal(m_transactionStart)) {
        // The records go back with the text, so that they never disagree.
        while (m_journal.size() > m_transactionStart) {
            RevertEntry(m_journal.back(), false);
            m_journal.pop_back();
        }
        m_undoStart = std::min(m_undoStart, m_journal.size());
        SetCaret(m_caret.line, m_caret.column);
    }
    if (!m_undoAvailable) {
        m_journal.clear();
        m_undoStart = 0;
    }
    for (size_t i = m_transactionStart; i < m_journal.size(); ++i) {
        JournalEntry& entry = m_journal[i];
        if (entry.op == JournalEntry::Op::Modified && entry.changed)
            entry.notesAfter = entry.changed->GetMarkNotes();
        entry.changed = nullptr;
    }
    m_transactionTouched.clear();
    m_structureChanged = false;
    NotifyListeners();
}

void CLogicEditModel::ReloadRecords() {
    // Lines may have come or gone: the typed Fn name is looked for on the caret line again.
    m_fnEditLine = -1;
    const std::vector<ComposedLine> shown = std::move(m_composed);
    RecomposeAll();
    // The journal replays its entries by line index: after lines came, went or changed behind the model's back an
    // undo would put a recorded line over another one, or take back half of what was done outside.
    if (m_nesting == 0 && shown != m_composed)
        DiscardUndo();
    NotifyListeners();
}

void CLogicEditModel::FnLineRebound() {
    // The binding is the table of contents' business now: an undo could leave the unit function without a place.
    DiscardUndo();
    ReloadRecords();
}

void CLogicEditModel::DiscardUndo() {
    m_undoAvailable = false;
    m_undoGroupOpen = false;
    m_journal.clear();
    m_undoStart = 0;
}

void CLogicEditModel::NotifyListeners() {
    // A listener may go while it hears: each is looked up again before it is told.
    const std::vector<CLogicEditListener*> listeners = m_listeners;
    for (CLogicEditListener* listener : listeners) {
        if (std::find(m_listeners.begin(), m_listeners.end(), listener) != m_listeners.end())
            listener->LogicLinesChanged();
    }
}

void CLogicEditModel::OpenUndoGroup() {
    if (m_undoGroupOpen)
        return;
    m_undoCaret = SelectionStart();
    // Entries of the running transaction stay for its parse guard; older ones are no longer needed.
    const size_t keep = m_nesting > 0 ? m_transactionStart : m_journal.size();
    m_journal.erase(m_journal.begin(), m_journal.begin() + static_cast<std::ptrdiff_t>(keep));
    m_transactionStart -= std::min(m_transactionStart, keep);
    m_undoStart = m_journal.size();
    m_undoAvailable = true;
    m_undoGroupOpen = true;
}

void CLogicEditModel::CloseUndoGroup() {
    // An operation that is running keeps its group to its end.
    if (m_nesting == 0)
        m_undoGroupOpen = false;
}

void CLogicEditModel::UndoLastEdit() {
    if (!m_undoAvailable || m_nesting > 0)
        return;
    if (!CanRevertJournal(m_undoStart)) {
        DiscardUndo();
        return;
    }
    const EditPosition caret = SelectionStart();
    CIndexLogicSync sync(&m_function, m_document.registry, m_document.GetModelOptions());
    // The undo swaps the two states: the entries that revert the reversion are the next undo.
    std::vector<JournalEntry> inverse;
    inverse.reserve(m_journal.size() - m_undoStart);
    bool fnLinesDiffer = false;
    while (m_journal.size() > m_undoStart) {
        JournalEntry& entry = m_journal.back();
        fnLinesDiffer = fnLinesDiffer || TouchesFnLine(entry);
        inverse.push_back(RevertEntry(entry, true));
        m_journal.pop_back();
    }
    m_journal = std::move(inverse);
    m_undoStart = 0;
    m_undoGroupOpen = false;
    if (fnLinesDiffer)
        RunModelChange(&sync);
    SetCaret(m_undoCaret.line, m_undoCaret.column);
    m_undoCaret = caret;
    SetDocumentModified();
    // The panes beside the editor show the lines as they are again.
    NotifyListeners();
}
