#pragma once

#include <vector>

namespace platform {

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
