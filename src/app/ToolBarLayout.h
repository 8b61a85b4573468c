#pragma once

#include "app/MainFrameCommands.h"

#include <QString>

#include <vector>

// Which toolbars of the main window show, and the toolbars the user made with the customisation dialog.
// Kept in the per-user settings and restored when the window is made.
namespace MainFrameCommand {

// The ids the user's toolbars take, one each.
constexpr int UserToolBarFirst = 59432;
constexpr int UserToolBarLast = 59441;

struct UserToolBar {
    int id = 0;
    QString name;
    // Command ids of the buttons in order.
    std::vector<int> commands;

    bool operator==(const UserToolBar&) const = default;
};

// A command the customisation offers.
struct OfferedCommand {
    int id;
    // The position of the top-level menu that holds it on the document's menu bar; the dialog groups by it.
    int category;
};

class CToolBarLayout {
public:
    bool standardVisible = true;
    bool navigationVisible = true;
    std::vector<UserToolBar> userToolBars;

    // A new toolbar with the first free id and the name, empty; null when all ten ids are taken.
    UserToolBar* AddToolBar(const QString& name);
    bool RemoveToolBar(int id);
    UserToolBar* FindToolBar(int id);
    // Appends the command to the toolbar unless it is not one of the window's commands; false then.
    bool AddButton(int toolBarId, int command);
    bool RemoveButton(int toolBarId, int position);

    // One line of text for the settings; Parse reads it back, dropping what it does not know (commands that
    // are no longer the window's, ids out of range, toolbars beyond ten), so a damaged value costs at most
    // the broken toolbar.
    QString Serialize() const;
    static CToolBarLayout Parse(const QString& text);

    // The layout stored for this user; the default one (both toolbars, none of the user's) when none is.
    static CToolBarLayout Load();
    bool Store() const;

    bool operator==(const CToolBarLayout&) const = default;
};

// The commands of the menus, found by walking the menu tree of the document's menu bar in order, each once;
// the category is the index of the top-level menu that holds it. Lists filled as a menu shows are no commands.
std::vector<OfferedCommand> CommandsInMenus();

} // namespace MainFrameCommand
