#pragma once

class CNUVDoc;

// What the function tabs ask of the main window's tab area. Each tab is one tab document; the window makes
// its tab window when asked and reports back through CFunctionTabs::OnTabActivated when a tab becomes the
// active one, whoever activated it. A tab the user closes goes through CFunctionTabs::CloseTab, which asks
// for its window to be destroyed. Without a tab area (the converter, tests) the tabs are kept all the same.
class CTabArea {
public:
    virtual ~CTabArea() = default;

    // A new tab for the document, which shows document.m_pUnitFunction.
    virtual void CreateTabWindow(CNUVDoc& document) = 0;
    // Shows the document's tab as the active one.
    virtual void ActivateTabWindow(CNUVDoc& document) = 0;
    // Removes the document's tab window; the document is destroyed right after.
    virtual void DestroyTabWindow(CNUVDoc& document) = 0;
    // A tab was activated or closed and the history has taken it in: what depends on the active tab or on
    // the history (Back, Forward) is to be brought up to date, whoever activated or closed the tab.
    virtual void TabsChanged() = 0;
};
