#pragma once

#include "platform/TextBoxStart.h"

#include <QLineEdit>

class QMenu;

// A box that shows a name (or a value's text) whole up to the box's capacity, the start of a longer one, and lets
// typing make it no longer than `typingLimit` characters, nor longer than it is when it is longer already: leaving
// the box unchanged leaves the name as it was, and an edit keeps what the box does not show unless it replaced all the
// box held. Such a replacement is followed through every undo and redo of the box: its keys, its menu, Undo() and
// Redo().
class CNameEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CNameEdit(int typingLimit, QWidget* parent = nullptr);

    // Shows `name`, with nothing to undo: the box's text is given here, not by setText().
    void SetName(const QString& name);
    // The name with the edits the box holds.
    QString Name() const;
    // Whether an edit that replaced all the box held is in force: not undone since, nor the box given a name.
    bool ReplacedAll() const { return m_replacements.InForce(); }
    // The box's own undo and redo.
    void Undo();
    void Redo();
    // The box's right-click menu, whose Undo and Redo are the two above.
    QMenu* CreateContextMenu();

signals:
    // An edit, an undo or a redo changed the text; Name() holds it.
    void NameEdited();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    class LengthValidator;
    bool WholeSelected() const;
    // Runs the box's undo or redo and follows it.
    void Step(bool undo);

    LengthValidator* m_validator;
    // The name the box was last given.
    QString m_name;
    platform::CWholeReplacements m_replacements;
    // Whether all the box holds is selected. The box tells a selection after the edit that ends it, so this is the
    // selection the edit replaced.
    bool m_wholeSelected = false;
    // While an undo or redo runs, the text it changes is no edit.
    bool m_stepping = false;
};
