#include "editor/ContentContextMenu.h"

#include <gtest/gtest.h>

namespace {

std::vector<int> Enabled(const ContentMenuState& state) {
    std::vector<int> enabled;
    for (int command : ContentContextMenuCommands()) {
        if (command != 0 && IsContentMenuCommandEnabled(command, state))
            enabled.push_back(command);
    }
    return enabled;
}

TEST(ContentContextMenu, EachItemFollowsTheControlsStateAndReadOnlyControlsOfferNothingThatChangesText) {
    ContentMenuState idle;
    EXPECT_EQ(Enabled(idle), (std::vector<int>{ContentMenuFont}));

    ContentMenuState busy;
    busy.canUndo = busy.hasSelection = busy.hasText = busy.clipboardHasText = true;
    EXPECT_EQ(Enabled(busy),
              (std::vector<int>{ContentMenuUndo, ContentMenuCut, ContentMenuCopy, ContentMenuPaste,
                                ContentMenuPastePlainText, ContentMenuDelete, ContentMenuSelectAll, ContentMenuFont}));

    busy.editable = false;
    EXPECT_EQ(Enabled(busy),
              (std::vector<int>{ContentMenuUndo, ContentMenuCopy, ContentMenuSelectAll, ContentMenuFont}));
    ContentMenuState selectionOnly;
    selectionOnly.editable = false;
    selectionOnly.hasSelection = true;
    EXPECT_EQ(Enabled(selectionOnly), (std::vector<int>{ContentMenuCopy, ContentMenuFont}));
}

} // namespace
