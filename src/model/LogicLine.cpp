#include "model/LogicLine.h"

#include "model/AuxiliaryVerb.h"
#include "model/UnitFunction.h"

void TextSlot::SetFont(const FontSetting& font) {
    if (font.IsDefault())
        m_font.Reset();
    else
        m_font.Make() = font;
}

bool TextSlot::operator==(const TextSlot& other) const {
    return text == other.text && ((!m_font.Get() && !other.m_font.Get()) || Font() == other.Font());
}

const CLogicLine::Notes CLogicLine::Notes::kNone;

void CLogicLine::SetMemo(const QString& memo) {
    if (memo.isEmpty() && !m_notes.Get())
        return;
    m_notes.Make().memo = memo;
    DropEmptyNotes();
}

void CLogicLine::SetUrl(int index, const QString& url) {
    if (url.isEmpty() && !m_notes.Get())
        return;
    m_notes.Make().urls[static_cast<std::size_t>(index)] = url;
    DropEmptyNotes();
}

void CLogicLine::SetMarkNotes(const MarkNotes& notes) {
    mark = notes.mark;
    SetMemo(notes.memo);
    for (int i = 0; i < UrlCount; ++i)
        SetUrl(i, notes.urls[static_cast<std::size_t>(i)]);
}

void CLogicLine::DropEmptyNotes() {
    if (*m_notes.Get() == Notes::kNone)
        m_notes.Reset();
}

int CLogicLine::SlotsOfKind(int kind) {
    switch (kind) {
    case SyntaxFn:
    case SyntaxComment:
        return 1;
    case SyntaxIf:
    case SyntaxDo:
    case SyntaxTransitState:
        return 4;
    case SyntaxSwitch:
    case SyntaxCase:
        return 2;
    default:
        return 0;
    }
}

void CLogicLine::InitFnStatement(const CUnitFunction& called, int column, int fnSymbolColumn) {
    const QString name = called.name.left(MaxSlotTextLength);
    calledInternalID = called.InternalID;
    Top = Next = static_cast<quint16>(column);
    Home = static_cast<quint16>(column + fnSymbolColumn);
    Home2 = 0;
    End = static_cast<quint16>(Home + name.size());
    lineKind = SyntaxFn;
    slotCount = 1;
    textSlots[0].SetFont(DefaultFontSetting());
    textSlots[0].text = name;
}

int CLogicLine::FindTextSlotAt(int position) const {
    int start = Home;
    for (int slot = 0; slot < SlotsOfKind(lineKind); ++slot) {
        const int end = start + static_cast<int>(textSlots[slot].text.size());
        if (position < start)
            return -1;
        if (position <= end)
            return slot;
        start = end + 1;
    }
    return -1;
}

void CLogicLine::MatchAuxiliaryVerb(const QString& text, const std::vector<AuxiliaryVerb>& verbs) {
    auxiliaryVerbId = 0;
    for (const AuxiliaryVerb& verb : verbs) {
        if (verb.verb == text) {
            auxiliaryVerbId = verb.id;
            return;
        }
    }
}

void CLogicLine::RecountPositions() {
    const auto length = [this](int slot) { return static_cast<int>(textSlots[slot].text.size()); };
    switch (lineKind) {
    case SyntaxIf:
    case SyntaxDo:
    case SyntaxTransitState:
        Home2 = static_cast<quint16>(Home + length(0) + length(1) + 2);
        End = static_cast<quint16>(Home2 + length(2) + length(3) + 1);
        break;
    case SyntaxSwitch:
    case SyntaxCase:
        End = static_cast<quint16>(Home + length(0) + length(1) + 1);
        break;
    case SyntaxFn:
    case SyntaxComment:
        End = static_cast<quint16>(Home + length(0));
        break;
    default:
        break;
    }
}

bool LogicLinesDiffer(const CLogicLine& a, const CLogicLine& b) {
    if (a.lineKind != b.lineKind)
        return true;
    for (int slot = 0; slot < CLogicLine::SlotsOfKind(a.lineKind); ++slot) {
        if (a.textSlots[slot].text != b.textSlots[slot].text)
            return true;
    }
    return false;
}

QString TransitionAttributePrefix(int attribute) {
    switch (attribute) {
    case CLogicLine::StateAttribute:
        return QStringLiteral("St");
    case CLogicLine::EventAttribute:
        return QStringLiteral("Ev");
    default:
        return {};
    }
}
