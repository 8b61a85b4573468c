#include "editor/CaretContext.h"
#include "editor/LogicEditModel.h"
#include "editor/LogicLineBlock.h"

#include "logic/InspectionEnvironment.h"
#include "logic/LogicLineMatcher.h"
#include "logic/NegatableText.h"
#include "model/DocumentData.h"
#include "model/IndexLogicSync.h"
#include "model/ModelShell.h"
#include "platform/MessageBox.h"
#include "texts/StringTable.h"

#include <QUuid>

#include <utility>

namespace {

bool AcceptsPastedText(int kind) {
    return kind == SyntaxFn || kind == SyntaxIf || kind == SyntaxDo || kind == SyntaxSwitch || kind == SyntaxCase ||
           kind == SyntaxComment || kind == SyntaxTransitState;
}

void ShowMessage(const QString& text, platform::MessageIcon icon) {
    platform::ShowMessageBox(text, platform::MessageButtons::Ok, icon);
}

// The open document, told apart from every other one of every process: the process's own random number and the
// document record's instance.
QByteArray LineBlockSource(const CDocumentData& document) {
    static const QByteArray process = QUuid::createUuid().toByteArray(QUuid::WithoutBraces);
    return process + '/' + QByteArray::number(document.instance);
}

} // namespace

void CLogicEditModel::OnEditCopy() {
    if (!HasSelection())
        return;
    if (!m_clipboard.IsAvailable()) {
        ShowWarning(LoadString(StringId::ClipboardOpenFailed));
        return;
    }
    QByteArray block;
    int first = 0;
    int last = 0;
    if (GetSelectedLineRange(first, last) > 0 && WidenSelectionToBlocks() > 0) {
        std::vector<const CLogicLine*> lines;
        for (int i = m_firstSelLine; i <= m_lastSelLine; ++i)
            lines.push_back(Record(i));
        block = LogicLineBlock::Encode(lines);
    }
    m_clipboard.SetContent(SelectedText(), block, LineBlockSource(m_document));
}

bool CLogicEditModel::CanCutOrDelete() const {
    int first = 0;
    int last = 0;
    return HasSelection() && GetSelectedLineRange(first, last) == 0;
}

void CLogicEditModel::OnEditCut() {
    if (!CanCutOrDelete() || !IsSelectionInOneSlot())
        return;
    if (!m_clipboard.IsAvailable()) {
        ShowWarning(LoadString(StringId::ClipboardOpenFailed));
        return;
    }
    m_clipboard.SetContent(SelectedText(), QByteArray());
    OnEditClear();
}

void CLogicEditModel::OnEditClear() {
    if (!CanCutOrDelete() || !IsSelectionInOneSlot())
        return;
    Transaction transaction(*this, false);
    OpenUndoGroup();
    const EditPosition start = SelectionStart();
    const EditPosition end = SelectionEnd();
    QString text = LineText(start.line);
    text.remove(start.column, end.column - start.column);
    SplitLineText(start.line, text, false);
    SetCaret(start.line, start.column);
    m_undoGroupOpen = false;
    m_typed = true;
    SetDocumentModified();
}

bool CLogicEditModel::CanPaste() const {
    int first = 0;
    int last = 0;
    const CLogicLine* record = Record(m_caret.line);
    return record && GetSelectedLineRange(first, last) == 0 && AcceptsPastedText(record->lineKind) &&
           m_clipboard.IsAvailable() && m_clipboard.HasText();
}

void CLogicEditModel::OnEditPaste() {
    int first = 0;
    int last = 0;
    if (GetSelectedLineRange(first, last) > 0 || m_caret.line > RecordCount())
        return;
    if (!m_clipboard.IsAvailable()) {
        ShowWarning(LoadString(StringId::ClipboardOpenFailed));
        return;
    }
    if (m_caret.line == RecordCount()) {
        ShowWarning(LoadString(StringId::CannotPasteHere));
        return;
    }
    const CLogicLine& record = *Record(m_caret.line);
    if (!AcceptsPastedText(record.lineKind) || !m_clipboard.HasText() || !IsSelectionInOneSlot())
        return;
    const EditPosition start = SelectionStart();
    const EditPosition end = SelectionEnd();
    const int slot = record.FindTextSlotAt(start.column);
    if (slot < 0)
        return;
    const int room = SlotLimit(record) - static_cast<int>(record.textSlots[static_cast<size_t>(slot)].text.size()) +
                     (end.column - start.column);
    if (room <= 0) {
        ShowMessage(LoadString(StringId::SlotAlreadyFull), platform::MessageIcon::Error);
        return;
    }
    const QString clip = m_clipboard.Text();
    QString filtered;
    bool truncated = false;
    for (QChar c : clip) {
        if (filtered.size() >= room) {
            truncated = true;
            break;
        }
        if (c == QChar('\r') || c == QChar('\n'))
            continue;
        filtered += c;
    }
    bool bracketsReplaced = false;
    if (record.lineKind != SyntaxComment) {
        static const QString brackets = QStringLiteral("[]{}<>");
        for (QChar& c : filtered) {
            if (brackets.contains(c)) {
                c = QChar(' ');
                bracketsReplaced = true;
            }
        }
    }
    {
        Transaction transaction(*this, false);
        OpenUndoGroup();
        if (record.textSlots[static_cast<size_t>(slot)].text.isEmpty())
            EditRecord(m_caret.line).textSlots[static_cast<size_t>(slot)].SetFont(m_document.fonts.LogicFont);
        QString text = LineText(start.line);
        text.replace(start.column, end.column - start.column, filtered);
        if (SplitLineText(start.line, text, true))
            SetCaret(start.line, start.column + static_cast<int>(filtered.size()));
        m_undoGroupOpen = false;
        m_typed = true;
        SetDocumentModified();
    }
    if (bracketsReplaced)
        ShowWarning(LoadString(StringId::SyntaxBracketsReplaced));
    if (truncated)
        ShowWarning(LoadString(StringId::PastedTextTruncated));
}

void CLogicEditModel::OnEditPasteLines() {
    int first = 0;
    int last = 0;
    if (GetSelectedLineRange(first, last) > 0 || m_caret.line > RecordCount())
        return;
    if (!m_clipboard.IsAvailable()) {
        ShowWarning(LoadString(StringId::ClipboardOpenFailed));
        return;
    }
    const QByteArray block = m_clipboard.LineBlock();
    if (block.isEmpty())
        return;
    std::optional<std::vector<CLogicLine>> lines = LogicLineBlock::Decode(block);
    if (!lines) {
        ShowWarning(LoadString(StringId::LineBlockDamaged));
        return;
    }
    // An Fn line copied in this document calls its unit function by its ID, as it did there; one from another
    // document is bound by its name alone, since the ID there may be another unit function's here.
    const bool sameDocument = m_clipboard.LineBlockSource() == LineBlockSource(m_document);
    const EditPosition caret = m_caret;
    const EditPosition anchor = m_anchor;
    Transaction transaction(*this, true);
    CIndexLogicSync sync(&m_function, m_document.registry, m_document.GetModelOptions());
    const CLogicLine* caretRecord = Record(m_caret.line);
    const int shift = (caretRecord ? caretRecord->Next : 0) - lines->front().Top;
    OpenUndoGroup();
    // The block goes in after the caret line, or at the top of an empty description, in its own order.
    const int firstPasted = RecordCount() > 0 ? std::min(m_caret.line + 1, RecordCount()) : 0;
    const int lastPasted = firstPasted + static_cast<int>(lines->size()) - 1;
    std::vector<std::unique_ptr<CLogicLine>> records;
    records.reserve(lines->size());
    bool fnPasted = false;
    for (CLogicLine& pasted : *lines) {
        auto move = [shift](quint16 column) { return static_cast<quint16>(std::max(0, column + shift)); };
        pasted.Top = move(pasted.Top);
        pasted.Next = move(pasted.Next);
        pasted.Home = move(pasted.Home);
        pasted.Home2 = move(pasted.Home2);
        pasted.End = move(pasted.End);
        pasted.changeMarks = 1;
        // The verbs are this document's: a block from another one brings its own IDs and tenses.
        UpdateAuxiliaryVerb(pasted);
        if (pasted.lineKind == SyntaxFn) {
            if (!sameDocument)
                pasted.calledInternalID = 0;
            fnPasted = true;
        }
        records.push_back(std::make_unique<CLogicLine>(pasted));
    }
    InsertRecords(firstPasted, std::move(records));
    for (int i = firstPasted; i <= lastPasted; ++i)
        Recompose(i);
    m_caret = m_anchor = {lastPasted, 0};
    // Lines the description cannot take are refused before a unit function is made or renamed, the table of contents
    // changed or a name recorded: the transaction's parse guard takes them out again and the document is as it was.
    if (!CLogicLineMatcher(PlainText(), GetLogicKeywords(m_document)).MatchesWholeLine()) {
        m_caret = caret;
        m_anchor = anchor;
        return;
    }
    // Each Fn line is bound in turn; the table of contents then follows them all at once, as it would have followed
    // each of them.
    FunctionNameIndex names;
    if (fnPasted)
        names = m_document.registry.IndexByName();
    {
        const CLabellingRun labelling;
        for (int i = firstPasted; i <= lastPasted; ++i) {
            if (Record(i)->lineKind == SyntaxFn)
                BindFnLine(i, false, &names);
            RecordUnregisteredNames(i);
        }
    }
    if (fnPasted) {
        if (!sync.StepsCollapse()) {
            CIndexLogicSync steps = sync;
            steps.SynchronizeEachStep(static_cast<size_t>(firstPasted));
        }
        RunModelChange(&sync);
    }
    Select(firstPasted, 0, lastPasted + 1, 0);
    m_undoGroupOpen = false;
    m_typed = true;
    SetDocumentModified();
}

int CLogicEditModel::DescribeClipboardLines() const {
    if (!m_clipboard.IsAvailable())
        return 0;
    const std::optional<std::vector<CLogicLine>> lines = LogicLineBlock::Decode(m_clipboard.LineBlock());
    if (!lines)
        return 0;
    int mask = 0;
    int smallestTop = 26;
    int largestIfNext = 0;
    for (const CLogicLine& line : *lines) {
        switch (line.lineKind) {
        case SyntaxLoop:
            mask |= 0x01;
            break;
        case SyntaxSwitch:
            mask |= 0x02;
            break;
        case SyntaxFn:
            mask |= 0x04;
            break;
        case SyntaxDo:
        case SyntaxTransitState:
            mask |= 0x08;
            break;
        case SyntaxIf:
            mask |= 0x10;
            break;
        case SyntaxDoNothing:
            mask |= 0x20;
            break;
        case SyntaxExitlp:
            mask |= 0x40;
            break;
        case SyntaxComment:
        case SyntaxPlainLine:
            mask |= 0x80;
            break;
        case SyntaxElse:
        case SyntaxEndif:
        case SyntaxCase:
        case SyntaxElsw:
        case SyntaxEndsw:
            mask &= ~0x60;
            break;
        default:
            break;
        }
        smallestTop = std::min<int>(smallestTop, line.Top);
        if (line.lineKind == SyntaxIf)
            largestIfNext = std::max<int>(largestIfNext, line.Next);
    }
    if (largestIfNext > 0)
        mask += std::max(0, largestIfNext - smallestTop) << 8;
    return mask;
}

// ---- caret context, negation, hit test, candidates ----

int CLogicEditModel::CaretContextCode() const {
    const CLogicLine* record = Record(m_caret.line);
    return record ? ClassifyCaretContext(*record, m_caret.column) : NoContext;
}

void CLogicEditModel::InsertNegationSign(const QString& sign) {
    if (!IsSelectionInOneSlot())
        return;
    Transaction transaction(*this, false);
    OpenUndoGroup();
    const EditPosition start = SelectionStart();
    const EditPosition end = SelectionEnd();
    QString text = LineText(start.line);
    text.replace(start.column, end.column - start.column, sign);
    if (SplitLineText(start.line, text, false))
        SetCaret(start.line, start.column + static_cast<int>(sign.size()));
    m_undoGroupOpen = false;
    m_typed = true;
    SetDocumentModified();
}

void CLogicEditModel::MarkCaretLine(quint8 attribute) {
    const int line = m_caret.line;
    const CLogicLine* record = Record(line);
    if (!record || (record->lineKind != SyntaxIf && record->lineKind != SyntaxSwitch) ||
        record->transitionAttribute == attribute)
        return;
    Transaction transaction(*this, false);
    OpenUndoGroup();
    const int home = record->Home;
    EditRecord(line).transitionAttribute = attribute;
    Recompose(line);
    // The caret and the anchor stay on their characters, which the prefix may have moved.
    const int shift = Record(line)->Home - home;
    for (EditPosition* position : {&m_caret, &m_anchor}) {
        if (position->line == line && position->column >= home)
            position->column = std::min(position->column + shift, LineLength(line));
    }
    SetDocumentModified();
}

void CLogicEditModel::OnHankakuNegation() {
    InsertNegationSign(NegationSign());
}
void CLogicEditModel::OnZenkakuNegation() {
    InsertNegationSign(NegationSignFullWidth());
}

CLogicEditModel::ContextCandidates CLogicEditModel::PrepareContextCandidates() const {
    ContextCandidates result;
    int first = 0;
    int last = 0;
    const CLogicLine* record = Record(m_caret.line);
    if (!record || GetSelectedLineRange(first, last) > 0)
        return result;
    const int c = m_caret.column;
    auto offer = [&](const QString& word, int category) {
        if (!word.isEmpty() && !result.words.contains(word)) {
            result.words.append(word);
            result.category = category;
        }
    };
    // The recent names follow the registered ones after a separator, when both groups offer a word.
    auto offerSecondGroup = [&](int category, const QStringList& recent) {
        const int registered = result.category == category ? static_cast<int>(result.words.size()) : 0;
        for (const QString& word : recent)
            offer(word, category);
        if (registered > 0 && result.words.size() > registered)
            result.separator = registered;
    };
    // The registered names are offered only as the document's options allow.
    const bool registeredMembers = m_document.FAreaTable.IsDispRegisterMember != 0;
    const bool registeredStates = registeredMembers && m_document.FAreaTable.IsDispRegisterStatus != 0;
    auto offerStates = [&](const QString& memberName) {
        if (const CMemberDefinition* member = FindRegisteredMember(m_document.memberDefinitions, memberName)) {
            if (registeredStates) {
                for (const CStateDefinition& state : member->states)
                    offer(state.name, 2);
            }
            // The recent names are kept newest last and offered newest first.
            QStringList recent;
            for (auto pair = m_document.RecentNamePairs.rbegin(); pair != m_document.RecentNamePairs.rend(); ++pair)
                if (pair->memberName == memberName)
                    recent.append(pair->stateName);
            offerSecondGroup(2, recent);
        } else {
            for (auto pair = m_document.RecentNamePairs.rbegin(); pair != m_document.RecentNamePairs.rend(); ++pair)
                offer(pair->stateName, 2);
        }
    };
    auto offerVerbs = [&] {
        for (const AuxiliaryVerb& verb : m_document.AuxiliaryVerbs)
            offer(verb.verb, 5);
    };
    const int kind = record->lineKind;
    const QString& slot1 = record->textSlots[0].text;
    switch (kind) {
    case SyntaxFn:
        result.fnCandidates = true;
        if (c == record->Home && slot1.isEmpty()) {
            for (const CUnitFunction* child : m_function.children)
                offer(child->name, 3);
        }
        break;
    case SyntaxIf:
    case SyntaxDo:
    case SyntaxTransitState:
    case SyntaxSwitch:
        if (c >= record->Home && c <= record->Home + slot1.size()) {
            result.caretInMember = true;
            result.memberFilled = !slot1.isEmpty();
        }
        if (c == record->Home && slot1.isEmpty()) {
            if (registeredMembers) {
                for (const CMemberDefinition& member : m_document.memberDefinitions)
                    offer(member.name, 1);
            }
            QStringList recent;
            for (auto name = m_document.RecentNames.rbegin(); name != m_document.RecentNames.rend(); ++name)
                recent.append(name->memberName);
            offerSecondGroup(1, recent);
        }
        if (kind == SyntaxSwitch)
            break;
        if (c == record->Home2) {
            result.caretAtState = true;
            result.stateNotNegated = ParseNegationPrefix(record->textSlots[2].text).signCount == 0;
            if (record->textSlots[2].text.isEmpty())
                offerStates(slot1);
        }
        if (c == record->End && kind == SyntaxIf && record->textSlots[3].text.isEmpty())
            offerVerbs();
        break;
    case SyntaxCase: {
        if (c == record->Home) {
            result.caretAtState = true;
            result.stateNotNegated = ParseNegationPrefix(slot1).signCount == 0;
            if (slot1.isEmpty()) {
                for (int i = m_caret.line - 1; i >= 0; --i) {
                    if (Record(i)->lineKind == SyntaxSwitch && Record(i)->Top == record->Top) {
                        offerStates(Record(i)->textSlots[0].text);
                        break;
                    }
                }
            }
        }
        if (c == record->End && record->textSlots[1].text.isEmpty())
            offerVerbs();
        break;
    }
    default:
        break;
    }
    return result;
}
