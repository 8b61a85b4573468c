#pragma once

#include <QString>

#include <vector>

namespace platform {

// A one-line text box holds at most this many characters (the toolkit's own bound): of a longer text it shows the
// start, and an edit there keeps the rest.
inline constexpr int TextBoxCapacity = 32767;
// What a text box shows of `text`: the whole of one it holds, else the longest start it holds that ends between two
// characters.
QString TextBoxStart(const QString& text);
// `text` once its box holds `boxText`: `text` itself while the box shows what it was given, so that a visit to the box
// changes nothing; else the box's text, followed by what of `text` the box could not hold unless an edit replaced all
// it showed (`replacedAll`).
QString TextFromBox(const QString& text, const QString& boxText, bool replacedAll);

// Whether an edit replaced all that a text box held, followed through the box's own undo and redo: a box that shows
// only the start of a longer text keeps the rest after what it holds unless such an edit is in force. Each undo or
// redo of the box takes back or makes again one step of its own; an edit that replaces all the box holds always
// begins a step, and the undo of that step leaves the text it brings back selected whole, as no other undo does.
class CWholeReplacements {
public:
    // The box was given its text: no edit, nothing to undo or redo.
    void Reset();
    // The user edited the box; `wholeSelected` when all it held was selected, so that the edit replaced it.
    void Edited(bool wholeSelected);
    // The box's undo took back a step; `wholeSelected` when that left all the box holds selected.
    void Undone(bool wholeSelected);
    // The box's redo made a step again.
    void Redone();
    // Whether an edit that replaced all the box held is in force.
    bool InForce() const { return m_inForce > 0; }

private:
    int m_inForce = 0;
    // The steps undone since the last edit and not redone.
    int m_undone = 0;
    // For each replacement undone and not redone, the steps undone just after its undo; the latest last.
    std::vector<int> m_undoneAt;
};

} // namespace platform
