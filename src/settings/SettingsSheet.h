#pragma once

// What the pages of the environment-settings sheet report to the window that opened it, as bits of one int.
enum SettingsChangeBit : int {
    // The outline-number index and the hierarchical index show the document anew.
    SettingsChangeIndexViews = 1,
    // Every tab's views show the document anew.
    SettingsChangeTabViews = 2,
    // The index views' layout or fonts changed: they take their settings again.
    SettingsChangeIndexLayout = 4,
};

// What the window refreshes after the sheet closed with OK, in the order of the fields.
struct SettingsSheetRefresh {
    bool reapplyIndexSettings = false; // the hierarchical index its settings, the outline-number index its font
    bool tabViews = false;
    bool paneViews = false;
    bool indexViews = false; // both index views, without a rebuild
    bool allViews = false;   // table of contents rebuilt, then every view

    bool operator==(const SettingsSheetRefresh&) const = default;
};

// The refreshes for the pages' combined change bits; `indexViewsExist` when both index views are windows.
// Refreshing the index views and the tabs together refreshes the panes as well.
SettingsSheetRefresh RefreshesAfterSettingsSheet(int changeBits, bool indexViewsExist);

// What storing a page did to the document.
struct SettingsApplyResult {
    bool changed = false; // something was stored: the document is modified
    int changeBits = 0;
};
