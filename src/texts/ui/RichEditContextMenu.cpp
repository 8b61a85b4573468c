#include "texts/ui/RichEditContextMenu.h"

#include "texts/MenuBarCaptions.h"

#include <QAction>
#include <QMenu>

#include <utility>

namespace {

// The object names Qt gives the edit actions of its text controls' standard menu.
constexpr std::pair<const char*, int> kStandardActions[] = {
    {"edit-undo", 57643},  {"edit-redo", 57644},   {"edit-cut", 57635},   {"edit-copy", 57634},
    {"edit-paste", 57637}, {"edit-delete", 57632}, {"select-all", 57642},
};

} // namespace

int RichEditMenuCommand(const QAction& action) {
    bool isNumber = false;
    const int data = action.data().toInt(&isNumber);
    if (isNumber && data != 0)
        return data;
    for (const auto& [name, command] : kStandardActions) {
        if (action.objectName() == QLatin1String(name))
            return command;
    }
    return 0;
}

void LocalizeRichEditContextMenu(const CMessageContext& context, QMenu& menu, const QString& doKeyword,
                                 const QString& fnKeyword) {
    const RichEditContextMenuCaptions captions = MakeRichEditContextMenuCaptions(context, doKeyword, fnKeyword);
    const QList<QAction*> actions = menu.actions();
    // The titles by position belong to submenus: a separator or another command standing there keeps its own.
    for (qsizetype position = 0; position < actions.size() && position < qsizetype(captions.positions.size());
         ++position) {
        if (actions[position]->menu())
            actions[position]->setText(captions.positions[size_t(position)]);
    }
    const auto localize = [&captions](QMenu& popup, const auto& self) -> void {
        for (QAction* action : popup.actions()) {
            if (QMenu* submenu = action->menu()) {
                self(*submenu, self);
                continue;
            }
            const auto caption = captions.commands.find(RichEditMenuCommand(*action));
            if (caption != captions.commands.end())
                action->setText(caption->second);
        }
    };
    localize(menu, localize);
}
