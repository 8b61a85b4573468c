#pragma once

#include "editor/ContentContextMenu.h"

#include <QTextEdit>

class QMenu;
struct CMessageContext;
struct FontSetting;

// The read-only rich-text column of the editor's panes: text is appended in a given font, and Ctrl with a
// digit, a letter or a punctuation key does nothing here except the standard copy and select-all. A right click
// shows the application's edit popup, in the interface language, with what cannot act now greyed: what changes
// the text, Copy without a selection, Select all without text, Undo with nothing to undo.
class CRichEditCtrlEx : public QTextEdit {
    Q_OBJECT
public:
    explicit CRichEditCtrlEx(QWidget* parent = nullptr);

    // Appends `text` at the end in the font (face resolved to an installed one) and colour.
    void AppendWithFont(const FontSetting& font, const QString& text, bool japaneseDocument);

    // The language of the right-click menu; English until set.
    void SetMessageContext(const CMessageContext* context) { m_messages = context; }
    const CMessageContext* MessageContext() const { return m_messages; }
    // The right-click menu as it would show now; each item runs its command on this control.
    QMenu* CreateContextMenu(QWidget* parent);
    // What the items of the right-click menu and the Edit commands depend on now.
    ContentMenuState MenuState() const;
    // Runs a command of the right-click menu, or the Edit command of the same id.
    virtual void RunContextMenuCommand(int command);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    const CMessageContext* m_messages = nullptr;
};

// Whether Ctrl and the key are kept from a rich-edit control: digits, letters and punctuation keys, except
// the standard copy and select-all sequences (and, in an editable control, cut, paste and undo).
bool IsSwallowedControlKey(const QKeyEvent& event, bool editable);
