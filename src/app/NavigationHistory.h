#pragma once

#include <vector>

class CNUVDoc;

// The back/forward history of activated tabs: each tab stands in it at most once, in the order of its last
// activation. The index always names an entry while there is one, so that removing entries never leaves
// back, forward or a history entry pointing outside the history.
class CNavigationHistory {
public:
    const std::vector<CNUVDoc*>& Entries() const { return m_history; }
    // Position of the current tab; 0 while the history is empty.
    int CurrentIndex() const { return m_nHistoryIndex; }
    CNUVDoc* Current() const { return m_history.empty() ? nullptr : m_history[m_nHistoryIndex]; }

    // An activated tab: the entries after the current one are dropped, the tab's earlier entry goes and the
    // tab becomes the last, current entry. False for no tab.
    bool RecordTabActivation(CNUVDoc* tab);
    // Removes the tab's entry; the index keeps naming the same entry, or the one before when the current
    // entry itself went. False when the tab is not in the history.
    bool RemoveFrameFromHistory(CNUVDoc* tab);
    void Clear();

    // The update rules of Back and Forward.
    bool CanNavigateBack() const;
    bool CanNavigateForward() const;
    // Makes the entry at `position` the current one and returns it; null, and nothing changed, outside.
    CNUVDoc* MoveTo(int position);

private:
    std::vector<CNUVDoc*> m_history;
    int m_nHistoryIndex = 0;
};
