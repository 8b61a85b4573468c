#pragma once

#include "model/OutlineNumber.h"
#include "platform/TextBoxStart.h"

#include <QString>

#include <cstdint>

class CDocumentData;
class CInspectionView;
struct CMessageContext;
class CUnitFunction;
struct WorkTableSettings;

// The rules of a unit function's header form; the form only turns its boxes into these calls.

// Whether a unit function may take a name.
enum class RenameCheck {
    Accepted,
    // The name holds a bracket the logic language reserves: no Fn line could name it.
    ReservedBrackets,
    // Another unit function that no table-of-contents item shows has the name.
    DuplicateNotInIndex,
    // Another unit function in the table of contents has the name.
    DuplicateInUse,
};
// An empty name is accepted; duplicates only matter while the document does not allow them.
RenameCheck CheckFunctionRename(const CDocumentData& document, const CUnitFunction& function, const QString& name);
// The message that refuses the name; empty for Accepted.
QString RenameRefusalMessage(RenameCheck check, const QString& name);
// Gives the unit function the name and every Fn line of the document that calls it the same; the number of
// Fn lines rewritten.
int RenameFunction(CDocumentData& document, CUnitFunction& function, const QString& name);

// The name box holds at most this many characters: the first ones of a longer name (platform::TextBoxStart), whose
// rest an edit keeps.
constexpr int NameBoxCapacity = platform::TextBoxCapacity;
// What the name box says of a name it does not hold whole (its length and how much shows); empty for one it holds.
QString NameBoxNote(const QString& name);
// Whether the name box holding `length` characters takes `typed` more typed over `selected` of them.
bool NameBoxTakes(qsizetype length, qsizetype selected, qsizetype typed);
// Why the full name box takes no more characters.
QString NameBoxFullMessage(const CMessageContext& context);
// Where a search hit of `length` characters at `start` of the name lies when the name box does not show it whole;
// empty when it does.
QString NameHitNote(const CMessageContext& context, const QString& name, qsizetype start, qsizetype length);

// The tab's title: the outline number and the name, each cut to 16 characters, or the name cut to 24.
QString MakeTabTitle(const QString& outlineNumber, const QString& name, bool showOutlineNumber);
// The title of the unit function's tab as the document's setting wants it; `chosen` (may be null) the place the
// tab was opened from.
QString FunctionTabTitle(const CDocumentData& document, const CUnitFunction& function, const OutlineNumber* chosen);

// The header row of a tab shows the whole form at its full height and the first line of boxes at its small
// height; it is never taller or lower.
constexpr int HeaderRowFullHeight = 173;
constexpr int HeaderRowSmallHeight = 34;
int ClampHeaderRowHeight(int height);
// The height the header toggle gives a row `height` high: the small one from the full height, else the full one.
int ToggledHeaderRowHeight(int height);
// The toggle's caption: "▲" (collapse) at the full height, "▼" (expand) at any other.
QString HeaderToggleCaption(int height);

// Man-hours as "%.2f" in a unit code (0 hours, 1 days, 2 months, 3 years), with the document's ratios.
QString FormatManHours(const WorkTableSettings& ratios, std::uint8_t unit, float hours);

// This function's man-hours box: what it stores and what Undo brings back. Undo restores the exact value
// that was replaced (not its rounded text), and a second Undo brings back the value the first one replaced.
class CManHoursEdit {
public:
    CManHoursEdit(const WorkTableSettings& ratios, CUnitFunction& function) : m_ratios(ratios), m_function(function) {}

    // The box was left holding `text` in `unit`: true when the stored value changed; the replaced value
    // becomes the one Undo brings back.
    bool Commit(const QString& text, std::uint8_t unit);
    // Whether leaving the box holding `text` in `unit` would change the stored value.
    bool Changes(const QString& text, std::uint8_t unit) const;
    bool CanUndo() const { return m_previous >= 0.0f; }
    // Swaps the stored value with the previous one; false when there is none.
    bool Undo();
    // The box's own undo took over: there is no previous value any more.
    void ForgetPrevious() { m_previous = -1.0f; }
    // The unit of this function's man-hours changed: true when it differs from the stored one (then stored).
    bool SetUnit(std::uint8_t unit);

private:
    const WorkTableSettings& m_ratios;
    CUnitFunction& m_function;
    float m_previous = -1.0f;
};

// What the reason box shows: a reason of several lines shows its first line and "..." and cannot be edited
// in the box; `shortened` says so, so that a reason that itself contains "..." is still edited as it is.
struct ReasonDisplay {
    QString text;
    bool shortened = false;
};
ReasonDisplay MakeReasonDisplay(const QString& reason);
// The reason box was edited: a shortened display is never taken as the reason. Then the omit flag follows:
// cleared for a reason, set for none. True when the reason or the flag changed.
bool ApplyReasonBoxText(CUnitFunction& function, const QString& boxText, bool shortened);
// The reason dialog's text: line breaks trimmed from both ends, those inside kept.
QString TrimReasonLineBreaks(const QString& text);

// Puts `prefix` before every member name of the unit function's if, Do, switch and Transit State lines
// that is not registered. A line whose new name would not fit its slot (64 characters) keeps its name and is
// listed as left unchanged. Each step goes to the result pane when there is one; the count of names
// changed.
int PrefixUnregisteredMemberNames(CDocumentData& document, CUnitFunction& function, const QString& prefix,
                                  CInspectionView* resultPane);
