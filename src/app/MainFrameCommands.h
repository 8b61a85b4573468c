#pragma once

#include "app/MainFrameCommandIds.h"
#include "platform/CommandRegistry.h"
#include "platform/InstanceTable.h"
#include "texts/Msg.h"

#include <QObject>
#include <QString>

#include <functional>
#include <vector>

class CDocumentData;
class CNavigationHistory;
class COpenDocument;
struct CMessageContext;

// What the main window builds from its command registry: the update rules' state, the menu tree, the toolbars'
// buttons and the panes.
namespace MainFrameCommand {

// The rules of the registry's rows, decided from the state below.
using UpdateRule = CommandRule;

// What the update rules look at.
struct State {
    bool documentOpen = false;
    // While a worker runs the window takes no input: every command is disabled.
    bool workerRunning = false;
    bool focusInIndexView = false;
    bool tabActive = false;
    bool canCopy = false;
    bool canCut = false;
    bool canPaste = false;
    bool canSelectAll = false;
    bool canUndo = false;
    bool nameAtCaret = false;
    bool focusInContentControl = false;
    bool canPasteInContentControl = false;
    bool canNavigateBack = false;
    bool canNavigateForward = false;
    int applicationLook = DefaultApplicationLook;
};

// The state of the application object as the rules see it, with the window's look and worker.
State StateOf(const COpenDocument& document, int applicationLook, bool workerRunning);

struct Update {
    bool enabled = true;
    bool checked = false;
};

// How the row's item shows in the state.
Update UpdateCommand(const CommandRow& command, const State& state);

// An entry of a menu or toolbar: a command, a separator, a submenu, or a list the window fills when the menu
// shows: its toolbars and panes, the recent files (after a separator), or the navigation history (after a
// separator).
struct MenuEntry {
    enum class Kind { Command, Separator, Submenu, PaneList, RecentFiles, History };
    Kind kind = Kind::Separator;
    int command = 0;
    // Caption of a submenu as the menus hold it, before the localisation.
    QString caption;
    std::vector<MenuEntry> entries;
};

// The menu bar while a document is open, and the one without a document.
const std::vector<MenuEntry>& DocumentMenuBar();
const std::vector<MenuEntry>& NoDocumentMenuBar();
// The commands no menu holds: reached by a shortcut, a toolbar, the tab area's document menu or their ids.
const std::vector<int>& CommandsOutsideMenus();
// The toolbars' buttons; 0 is a separator.
const std::vector<int>& StandardToolBarButtons();
const std::vector<int>& NavigationToolBarButtons();

// The commands whose work this system does not do (help, embedded objects, the transfer with ZIPC) say so
// in a message; true when `id` is one of them.
bool ShowUnavailableCommandMessage(int id);

// The captions of a popup's items in the context's language, one per entry; a submenu keeps its own caption
// unless the popup is one whose submenu titles are localised. A top-level entry gets the menu bar's caption.
std::vector<QString> PopupCaptions(const CMessageContext& context, const std::vector<MenuEntry>& popup);
std::vector<QString> MenuBarCaptions(const CMessageContext& context, const std::vector<MenuEntry>& menuBar);

// The longest path a recent-file caption shows whole.
constexpr qsizetype RecentFilePathLength = 64;
// The caption of the recent-file entry `index` (0 the newest) for the file at `path`, shortened in its middle and
// shown as written.
QString RecentFileCaption(int index, const QString& path);

// An entry of a menu made from a list: its command, its caption, whether it is checked. A caption made from a name,
// a path or a window's caption shows it as written: no ampersand in it reads as an access key.
struct ListMenuEntry {
    int id;
    QString caption;
    bool checked;
};
// The running-instances list: one entry per record, checked for this process's own.
std::vector<ListMenuEntry> InstanceWindowEntries(const std::vector<InstanceRecord>& records);
// The history menu: one entry per tab of the history, as its tab is titled, checked for the current one.
std::vector<ListMenuEntry> HistoryEntries(const CNavigationHistory& history, const CDocumentData& data);

// The panes whose views follow a change of the document, in the order they are told.
const std::vector<int>& PaneViewUpdateOrder();

// The docked panes, in the order they are created and tabbed.
struct Pane {
    int id;
    Msg::Id caption;
};
const std::vector<Pane>& Panes();

// From the event loop of `context`'s thread on, while `context` lives, runs the commands `ids` by `run` in turn, each
// once the one before has ended: its handler has returned, with the dialogs it waited for, and the work it started on
// the window's worker has ended too.
void RunCommandsInTurn(QObject& context, const COpenDocument& document, std::vector<int> ids,
                       std::function<void(int)> run);

} // namespace MainFrameCommand
