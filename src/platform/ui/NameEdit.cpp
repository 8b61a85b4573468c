#include "platform/ui/NameEdit.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QScopedValueRollback>
#include <QValidator>

#include <algorithm>

// Refuses an edit that makes the text longer than the length allowed; the box undoes it.
class CNameEdit::LengthValidator : public QValidator {
public:
    LengthValidator(int typingLimit, QObject* parent) : QValidator(parent), m_typingLimit(typingLimit) {}

    // The text may be as long as the limit, or as `length` when that is longer.
    void Allow(qsizetype length) { m_allowed = std::max<qsizetype>(m_typingLimit, length); }
    // A text that came otherwise than by typing (shown, brought back by Undo) is allowed as long as it is.
    void Admit(qsizetype length) { m_allowed = std::max(m_allowed, length); }

    State validate(QString& input, int&) const override { return input.size() > m_allowed ? Invalid : Acceptable; }

private:
    int m_typingLimit;
    qsizetype m_allowed = m_typingLimit;
};

CNameEdit::CNameEdit(int typingLimit, QWidget* parent)
    : QLineEdit(parent), m_validator(new LengthValidator(typingLimit, this)) {
    setValidator(m_validator);
    // What the user took away from a long name cannot be typed back.
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) { m_validator->Allow(text.size()); });
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { m_validator->Admit(text.size()); });
    connect(this, &QLineEdit::selectionChanged, this, [this] { m_wholeSelected = WholeSelected(); });
    connect(this, &QLineEdit::textEdited, this, [this] {
        if (m_stepping)
            return;
        m_replacements.Edited(m_wholeSelected);
        emit NameEdited();
    });
}

void CNameEdit::SetName(const QString& name) {
    m_name = name;
    const QString shown = platform::TextBoxStart(name);
    m_validator->Allow(shown.size());
    setText(shown);
    m_replacements.Reset();
    m_wholeSelected = WholeSelected();
}

QString CNameEdit::Name() const {
    return platform::TextFromBox(m_name, text(), ReplacedAll());
}

bool CNameEdit::WholeSelected() const {
    return !text().isEmpty() && selectedText().size() == text().size();
}

void CNameEdit::Undo() {
    Step(true);
}

void CNameEdit::Redo() {
    Step(false);
}

void CNameEdit::Step(bool undo) {
    if (!(undo ? isUndoAvailable() : isRedoAvailable()))
        return;
    const QString before = text();
    {
        QScopedValueRollback stepping(m_stepping, true);
        if (undo)
            QLineEdit::undo();
        else
            QLineEdit::redo();
    }
    // An undo brings back the selection an edit replaced without telling it.
    m_wholeSelected = WholeSelected();
    if (undo)
        m_replacements.Undone(m_wholeSelected);
    else
        m_replacements.Redone();
    if (text() != before)
        emit NameEdited();
}

QMenu* CNameEdit::CreateContextMenu() {
    QMenu* menu = createStandardContextMenu();
    // The menu's Undo and Redo are the box's slots; they become the ones that follow the step.
    for (QAction* action : menu->actions()) {
        if (disconnect(action, SIGNAL(triggered()), this, SLOT(undo())) ||
            disconnect(action, &QAction::triggered, this, &QLineEdit::undo))
            connect(action, &QAction::triggered, this, &CNameEdit::Undo);
        else if (disconnect(action, SIGNAL(triggered()), this, SLOT(redo())) ||
                 disconnect(action, &QAction::triggered, this, &QLineEdit::redo))
            connect(action, &QAction::triggered, this, &CNameEdit::Redo);
    }
    return menu;
}

void CNameEdit::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) {
        Step(event->matches(QKeySequence::Undo));
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CNameEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = CreateContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}
