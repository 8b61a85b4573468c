#include "settings/SettingsSheet.h"

SettingsSheetRefresh RefreshesAfterSettingsSheet(int changeBits, bool indexViewsExist) {
    SettingsSheetRefresh refresh;
    refresh.reapplyIndexSettings = (changeBits & SettingsChangeIndexLayout) != 0;
    const bool index = (changeBits & SettingsChangeIndexViews) != 0;
    const bool tabs = (changeBits & SettingsChangeTabViews) != 0;
    if (index && tabs) {
        refresh.tabViews = true;
        refresh.paneViews = true;
    } else if (index) {
        refresh.indexViews = indexViewsExist;
        refresh.allViews = !indexViewsExist;
    } else if (tabs) {
        refresh.tabViews = true;
    }
    return refresh;
}
