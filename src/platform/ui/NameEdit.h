#pragma once

#include "platform/WholeReplacements.h"

#include <QLineEdit>

class QMenu;

// A box that shows a name (or a value's text) whole, however long, and lets typing make it no longer than
// `typingLimit` characters, nor longer than it is when it is longer already: leaving the box unchanged leaves the
// name as it was. For a box that shows only the start of a longer name it tells whether an edit replaced all it held,
// through every undo and redo of its own: its keys, its menu and Undo() and Redo().
class CNameEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CNameEdit(int typingLimit, QWidget* parent = nullptr);

    // Shows `name` whole, with nothing to undo.
    void SetName(const QString& name);
    // Whether an edit that replaced all the box held is in force: not undone since, nor the box given a name.
    bool ReplacedAll() const { return m_replacements.InForce(); }
    // The box's own undo and redo.
    void Undo();
    void Redo();
    // The box's right-click menu, whose Undo and Redo are the two above.
    QMenu* CreateContextMenu();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    class LengthValidator;
    bool WholeSelected() const;
    // Follows an undo or redo of the box that `step` runs.
    void Step(bool undo);

    LengthValidator* m_validator;
    platform::CWholeReplacements m_replacements;
    // Whether all the box holds is selected. The box tells a selection after the edit that ends it, so this is the
    // selection the edit replaced.
    bool m_wholeSelected = false;
    // While an undo or redo runs, the text it changes is no edit.
    bool m_stepping = false;
};
