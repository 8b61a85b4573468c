#pragma once

#include "app/InstanceTable.h"
#include "app/MainFrameCommandIds.h"
#include "texts/Msg.h"

#include <QString>

#include <vector>

class COpenDocument;
struct CMessageContext;

// The main window's commands as data: from these tables the menus, toolbars, shortcuts, captions and the
// enabling of every item are built.
namespace MainFrameCommand {

enum class UpdateRule {
    None,                 // always enabled
    DocumentOpen,         // enabled while a document is open
    AlwaysDisabled,       //
    Copy,                 // the edit commands follow the keyboard focus into the active tab
    Cut,                  //
    Paste,                //
    SelectAll,            //
    Undo,                 //
    NameAtCaret,          // a document is open and a member or state name lies at the caret
    ContentControlFocus,  // a document is open and the focus is on the active tab's content text
    TeamFoundationServer, // the connector exists
    HistoryBack,          // the history has an entry before the current one
    HistoryForward,       // the history has an entry after the current one
    ApplicationLook,      // radio mark on the current look
};

struct Command {
    int id;
    UpdateRule rule;
    // Portable key text ("Ctrl+Shift+I"), empty without a shortcut.
    const char* shortcut;
    // The caption of a command that the localisation leaves as it is; null for the others.
    const char* fixedCaption;
};

const std::vector<Command>& Commands();
// Null for an id that is no command of the main window.
const Command* FindCommand(int id);

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
    bool teamFoundationServer = false;
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

Update UpdateCommand(const Command& command, const State& state);

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
// The toolbars' buttons; 0 is a separator.
const std::vector<int>& StandardToolBarButtons();
const std::vector<int>& NavigationToolBarButtons();

// The commands whose work this system does not do (help, embedded objects, the transfer with ZIPC) say so
// in a message; true when `id` is one of them.
bool ShowUnavailableCommandMessage(int id);

// The caption of a command item in the context's language.
QString CommandCaption(const CMessageContext& context, int id);
// The same without its access key, for tooltips and lists: "&Save", "保存(&S)" give "Save", "保存".
QString CommandCaptionWithoutAccessKey(const CMessageContext& context, int id);
// The captions of a popup's items in the context's language, one per entry; a submenu keeps its own caption
// unless the popup is one whose submenu titles are localised. A top-level entry gets the menu bar's caption.
std::vector<QString> PopupCaptions(const CMessageContext& context, const std::vector<MenuEntry>& popup);
std::vector<QString> MenuBarCaptions(const CMessageContext& context, const std::vector<MenuEntry>& menuBar);

// The caption of the recent-file entry `index` (0 the newest) for the file at `path`.
QString RecentFileCaption(int index, const QString& path);

// The entries of the running-instances list: one per record, its caption, checked for this process's own.
struct InstanceWindowEntry {
    int id;
    QString caption;
    bool checked;
};
std::vector<InstanceWindowEntry> InstanceWindowEntries(const std::vector<InstanceRecord>& records);

// The panes whose views follow a change of the document, in the order they are told.
const std::vector<int>& PaneViewUpdateOrder();

// The docked panes, in the order they are created and tabbed.
struct Pane {
    int id;
    Msg::Id caption;
};
const std::vector<Pane>& Panes();

} // namespace MainFrameCommand
