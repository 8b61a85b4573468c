#pragma once

#include "app/DocumentObserver.h"
#include "app/NavigationHistory.h"

#include <vector>

class CDocumentData;
class CNUVDoc;
class CNUVDocManager;
class CTabArea;
class CUnitFunction;
struct DocumentHeader;

// The unit functions open in tabs, one tab document each: which tab is active, the most recently used order
// that the tab limit closes tabs by, and the back/forward history of activated tabs. The main window shows
// the tabs through a CTabArea and reports the user's activations and closes here. A tab goes with its unit
// function: the tabs observe the document and close the tab of a unit function that is removed.
class CFunctionTabs : public CDocumentObserver {
public:
    CFunctionTabs(CNUVDocManager& documents, CDocumentData& data);
    CFunctionTabs(const CFunctionTabs&) = delete;
    CFunctionTabs& operator=(const CFunctionTabs&) = delete;

    void DocumentChanged(DocumentChange change, CUnitFunction* function) override;

    // The tab area (not owned) that shows the tabs from now on; null for none.
    void SetTabArea(CTabArea* area) { m_pTabArea = area; }

    // The open tabs, most recently used first: the first is the active tab.
    const std::vector<CNUVDoc*>& RecentTabs() const { return m_recentTabs; }
    CNUVDoc* GetActiveTab() const { return m_recentTabs.empty() ? nullptr : m_recentTabs.front(); }
    CUnitFunction* ActiveTabFunction() const;
    CNUVDoc* FindTab(const CUnitFunction* function) const;
    // The document's maximum number of tabs, kept within the 2 to 10 the settings offer.
    int TabLimit() const;

    // Activates the unit function's tab, or opens one, closing the least recently used tab first when the
    // limit is reached. Returns the tab; null for a null function or when no tab document can be made.
    CNUVDoc* OpenFunctionTab(CUnitFunction* function);
    // Closes the tab; when it was the active one the most recently used tab left becomes active, and when it
    // was the only one the origin unit function's tab opens again, so that a document always shows a tab.
    void CloseTab(CNUVDoc* tab);
    // Closes the unit function's tab, if it has one; for a unit function that is being deleted.
    void CloseFunctionTab(const CUnitFunction* function);
    // Closes least recently used tabs until the limit holds; after the limit was lowered.
    void CloseExcessTabs();
    // Every tab goes and the history is emptied; no tab opens again. When the document is opened or closed.
    void CloseAllTabs();

    // The tab area reports that the tab became the active one: it moves to the front of the recent tabs and,
    // unless it was the active tab already or back, forward or a history entry activated it, enters the
    // history, dropping the entries ahead of the current one. The tab area hears of it. False for no tab of
    // ours.
    bool OnTabActivated(CNUVDoc* tab);

    // The history; Back, Forward and the history menu's entries. Each returns false, changing nothing, when
    // there is no such entry.
    const CNavigationHistory& History() const { return m_history; }
    bool NavigateBack() { return NavigateTo(m_history.CurrentIndex() - 1); }
    bool NavigateForward() { return NavigateTo(m_history.CurrentIndex() + 1); }
    bool NavigateTo(int position);
    bool CanNavigateBack() const { return m_history.CanNavigateBack(); }
    bool CanNavigateForward() const { return m_history.CanNavigateForward(); }

    // After a document was read: reopens the tabs the document stored, the selected one active; the origin's
    // tab when none of them is there any more.
    void ReopenSavedTabs();
    // Stores the open tabs from the least to the most recently used; the last one is the selected one.
    void StoreOpenTabs(DocumentHeader& header) const;

private:
    void ActivateTab(CNUVDoc* tab);
    void NotifyTabArea();

    CNUVDocManager& m_documents;
    CDocumentData& m_data;
    CTabArea* m_pTabArea = nullptr;
    std::vector<CNUVDoc*> m_recentTabs;
    CNavigationHistory m_history;
    // The tab activated last; null once it has closed, so that the tab activated after it is recorded.
    CNUVDoc* m_pActivatedTab = nullptr;
    // Set while back, forward or a history entry activates a tab: the history has moved already.
    bool m_bNavigating = false;
};
