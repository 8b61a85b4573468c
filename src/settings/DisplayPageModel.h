#pragma once

#include "settings/SettingsSheetPageModel.h"

#include <limits>

// The tabs: how many stay open and whether a new unit function opens in one; automatic saving and its interval.
class CDisplayPageModel : public CSettingsSheetPageModel {
public:
    // Whole minutes from 1 up to the longest interval a timer of milliseconds holds.
    static constexpr int LongestAutoSaveInterval = std::numeric_limits<int>::max() / 60000;

    explicit CDisplayPageModel(const CDocumentData& data);
};
