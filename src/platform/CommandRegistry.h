#pragma once

#include <functional>
#include <map>
#include <vector>

// When a command's item is enabled and marked. The window that shows the commands decides each rule from its
// own state; the rows only name it.
enum class CommandRule {
    None,                // always enabled
    DocumentOpen,        // enabled while a document is open
    TabActive,           // enabled while a document is open and one of its unit functions' tabs is active
    AlwaysDisabled,      //
    Copy,                // the edit commands follow the keyboard focus into the active tab
    Cut,                 //
    Paste,               //
    SelectAll,           //
    Undo,                //
    NameAtCaret,         // a document is open and a member or state name lies at the caret
    ContentControlFocus, // a document is open and the focus is on the active tab's content text
    ContentPaste,        // as ContentControlFocus, and the clipboard holds text
    HistoryBack,         // the history has an entry before the current one
    HistoryForward,      // the history has an entry after the current one
    ApplicationLook,     // radio mark on the current look
};

// The picture of a command's toolbar button; a command without one shows its caption.
enum class CommandIcon { None, NewFile, OpenFile, SaveFile, Back, Forward, About, ContextHelp };

// Runs the command; it is given the id it was invoked with.
using CommandHandler = std::function<void(int id)>;

struct CommandRow {
    int id = 0;
    CommandHandler handler;
    CommandRule rule = CommandRule::None;
    // The key of the command's caption in the text tables.
    int text = 0;
    // Portable key text ("Ctrl+Shift+I"), empty without a shortcut.
    const char* shortcut = "";
    CommandIcon icon = CommandIcon::None;
};

// The commands of one window as data: each subsystem adds its rows, the window builds its menus, toolbars and
// shortcuts from them and runs every command through Dispatch.
class CCommandRegistry {
public:
    // Throws std::logic_error for a row without a handler or with an id already taken: both are faults of the
    // program that the first start shows.
    void Add(CommandRow row);
    // The entries of a list a window fills as it shows (recent files, running instances, history): the ids
    // first to last run `handler`; they are no rows and have no item of their own.
    void AddRange(int first, int last, CommandHandler handler);

    // Null for an id without a row.
    const CommandRow* Find(int id) const;
    // The rows in the order they were added.
    const std::vector<CommandRow>& Rows() const { return m_rows; }
    // Runs the handler of the row or range that holds `id`; false when none does.
    bool Dispatch(int id) const;

private:
    struct Range {
        int first;
        int last;
        CommandHandler handler;
    };
    const Range* FindRange(int id) const;

    std::vector<CommandRow> m_rows;
    std::map<int, size_t> m_rowIndex;
    std::vector<Range> m_ranges;
};
