#pragma once

#include "model/FontSetting.h"

#include <QString>

#include <array>
#include <memory>
#include <vector>

class CUnitFunction;
struct AuxiliaryVerb;

// Statement kinds of a logic line.
enum SyntaxNumber : quint8 {
    SyntaxFn = 0,
    SyntaxIf = 1,
    SyntaxElse = 2,
    SyntaxEndif = 3,
    SyntaxDo = 4,
    SyntaxSwitch = 5,
    SyntaxCase = 6,
    SyntaxElsw = 7,
    SyntaxEndsw = 8,
    SyntaxDoNothing = 9,
    SyntaxComment = 10,
    SyntaxLoop = 11,
    SyntaxEndlp = 12,
    SyntaxExitlp = 13,
    SyntaxTransitState = 14,
    SyntaxPlainLine = 15,
    SyntaxNone = 99,
};

// A value most records leave at its default, kept out of line only when set. Copies are deep, so a record
// holding one keeps value semantics; an unset value equals a default-made T.
template <class T> class OutOfLine {
public:
    OutOfLine() = default;
    OutOfLine(const OutOfLine& other) : m_value(other.m_value ? std::make_unique<T>(*other.m_value) : nullptr) {}
    OutOfLine(OutOfLine&&) noexcept = default;
    OutOfLine& operator=(const OutOfLine& other) {
        if (!other.m_value)
            m_value.reset();
        else if (m_value)
            *m_value = *other.m_value;
        else
            m_value = std::make_unique<T>(*other.m_value);
        return *this;
    }
    OutOfLine& operator=(OutOfLine&&) noexcept = default;
    ~OutOfLine() = default;

    const T* Get() const { return m_value.get(); }
    T& Make() {
        if (!m_value)
            m_value = std::make_unique<T>();
        return *m_value;
    }
    void Reset() { m_value.reset(); }

    friend bool operator==(const OutOfLine& a, const OutOfLine& b) {
        if (a.m_value && b.m_value)
            return *a.m_value == *b.m_value;
        if (!a.m_value && !b.m_value)
            return true;
        return *(a.m_value ? a.m_value : b.m_value) == T();
    }

private:
    std::unique_ptr<T> m_value;
};

// A text slot of a logic line. Its font is held only when it differs from the default font.
class TextSlot {
public:
    QString text; // at most CLogicLine::MaxSlotTextLength

    TextSlot() = default;
    TextSlot(QString slotText, const FontSetting& font) : text(std::move(slotText)) { SetFont(font); }

    const FontSetting& Font() const { return m_font.Get() ? *m_font.Get() : DefaultFontSetting(); }
    void SetFont(const FontSetting& font);

    bool operator==(const TextSlot& other) const;

private:
    OutOfLine<FontSetting> m_font; // unset: the default font
};

// One line of a unit function's logic description. Plain record: copies are complete and independent.
class CLogicLine {
public:
    // The state/event attribute of if and switch lines.
    static constexpr quint8 StateAttribute = 1;
    static constexpr quint8 EventAttribute = 2;
    static constexpr int SlotCapacity = 5;
    static constexpr int MaxSlotTextLength = 256;
    static constexpr int MaxMemoLength = 255;
    static constexpr int MaxUrlLength = 255;
    static constexpr int UrlCount = 3;

    quint32 calledInternalID = 0; // Fn statement: the unit function called, 0 = none
    quint16 Top = 0;              // indentation column of the line
    quint16 Next = 0;             // indentation the following line takes
    quint16 Home = 0;             // position of text slot 1
    quint16 Home2 = 0;            // position of text slot 3 (if, Do, Transit State)
    quint16 End = 0;              // position just after the last slot in use
    quint8 lineKind = SyntaxNone;
    quint8 slotCount = 0; // as stored; the slots a kind really uses come from SlotsOfKind
    std::array<TextSlot, SlotCapacity> textSlots;
    quint8 auxiliaryVerbFlag = 0;
    quint16 auxiliaryVerbId = 0;
    quint32 mark = 0;               // set of line-mark bits
    quint8 changeMarks = 0;         // 1 inserted or pasted, +2 typed over; never stored
    quint8 transitionAttribute = 0; // if and switch lines: StateAttribute, EventAttribute or 0 for none

    bool operator==(const CLogicLine&) const = default;

    // The memo and the linked files; empty texts when the line has none.
    const QString& Memo() const { return m_notes.Get() ? m_notes.Get()->memo : Notes::kNone.memo; }
    const std::array<QString, UrlCount>& Urls() const {
        return m_notes.Get() ? m_notes.Get()->urls : Notes::kNone.urls;
    }
    void SetMemo(const QString& memo);
    void SetUrl(int index, const QString& url);

    // What is noted on the line beside its statement: the line marks, the memo and the linked files.
    struct MarkNotes {
        quint32 mark = 0;
        QString memo = {};
        std::array<QString, UrlCount> urls = {};
        bool operator==(const MarkNotes&) const = default;
    };
    MarkNotes GetMarkNotes() const { return {mark, Memo(), Urls()}; }
    void SetMarkNotes(const MarkNotes& notes);

    // Number of text slots a statement kind uses: 1, 2, 4 or none.
    static int SlotsOfKind(int kind);

    bool IsFnStatement() const { return lineKind == SyntaxFn; }
    // An Fn statement that names no unit function yet (its name is blank or not yet committed); the file never
    // holds one.
    bool IsEmptyFnStatement() const { return IsFnStatement() && calledInternalID == 0; }

    // Makes the line an Fn statement calling the unit function, indented to the column; fnSymbolColumn is
    // the Column of the Fn syntax symbol.
    void InitFnStatement(const CUnitFunction& called, int column, int fnSymbolColumn);

    // 0-based slot whose text span (end inclusive) holds the position, or -1.
    int FindTextSlotAt(int position) const;

    // auxiliaryVerbId from the first verb equal to the text, 0 without one.
    void MatchAuxiliaryVerb(const QString& text, const std::vector<AuxiliaryVerb>& verbs);

    // Recomputes Home2 and End after a slot text changed.
    void RecountPositions();

private:
    // Few lines have a memo or linked files: they are kept out of line.
    struct Notes {
        static const Notes kNone;
        QString memo;
        std::array<QString, UrlCount> urls;
        bool operator==(const Notes&) const = default;
    };
    OutOfLine<Notes> m_notes;
    // Drops the notes once they are all empty, so that a line without them holds nothing.
    void DropEmptyNotes();
};

// True when the two lines state something different: kind or the texts of the slots the kind uses.
bool LogicLinesDiffer(const CLogicLine& a, const CLogicLine& b);

// What an if or switch line with the attribute shows in front of its keyword: "St" for a state, "Ev" for an
// event, nothing otherwise.
QString TransitionAttributePrefix(int attribute);
