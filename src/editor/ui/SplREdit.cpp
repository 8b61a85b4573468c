#include "editor/ui/SplREdit.h"

#include "editor/ui/LineMarkDialog.h"
#include "editor/ui/SelectFunctionDialog.h"

#include "editor/LineMarkTip.h"
#include "editor/LogicEditCommandMap.h"
#include "editor/LogicToolbox.h"
#include "editor/ui/FontFaces.h"
#include "editor/ui/LineMarkDialog.h"
#include "editor/ui/SystemLogicClipboard.h"
#include "model/DocumentData.h"
#include "model/ModelShell.h"
#include "model/StandardColours.h"
#include "model/UnitFunction.h"
#include "platform/MessageBox.h"
#include "platform/Trace.h"
#include "texts/MessageContext.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"
#include "texts/TextHelpers.h"
#include "texts/ui/RichEditContextMenu.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolTip>

#include <algorithm>

using namespace LogicEditCommand;

namespace {

QColor ColourOf(quint32 colourRef) {
    return QColor(colourRef & 0xFF, (colourRef >> 8) & 0xFF, (colourRef >> 16) & 0xFF);
}

QColor StandardColour(int index) {
    return ColourOf(kStandardColours[std::clamp(index, 0, 15)]);
}

// Statement commands and the toolbox flag that allows each.
struct StatementCommand {
    int id;
    unsigned flag;
};
constexpr StatementCommand kStatementCommands[] = {
    {AddIfAfter, AddIf},
    {AddDoAfter, AddDo},
    {AddTransitStateAfter, AddTransitState},
    {AddFnAfter, AddFn},
    {AddDoNothingAfter, AddDoNothing},
    {AddCommentAfter, AddComment},
    {AddLineBreakAfter, AddLineBreak},
    {AddSwitchAfter, AddSwitch},
    {AddCaseAfter, AddCase},
    {AddLoopAfter, AddLoop},
    {AddExitlpAfter, AddExitlp},
    {AddIfAtCurrent, AddIf},
    {AddDoAtCurrent, AddDo},
    {AddFnAtCurrent, AddFn},
    {AddCommentAtCurrent, AddComment},
    {AddLineBreakAtCurrent, AddLineBreak},
    {AddSwitchAtCurrent, AddSwitch},
    {AddLoopAtCurrent, AddLoop},
};

// The menu items whose caption is their statement's keyword.
constexpr std::pair<int, int> kKeywordItems[] = {
    {AddIfAfter, SyntaxIf},
    {AddDoAfter, SyntaxDo},
    {AddTransitStateAfter, SyntaxTransitState},
    {AddFnAfter, SyntaxFn},
    {AddDoNothingAfter, SyntaxDoNothing},
    {AddSwitchAfter, SyntaxSwitch},
    {AddCaseAfter, SyntaxCase},
    {AddLoopAfter, SyntaxLoop},
    {AddExitlpAfter, SyntaxExitlp},
    {AddIfAtCurrent, SyntaxIf},
    {AddDoAtCurrent, SyntaxDo},
    {AddFnAtCurrent, SyntaxFn},
    {AddSwitchAtCurrent, SyntaxSwitch},
    {AddLoopAtCurrent, SyntaxLoop},
    {AddIfBefore, SyntaxIf},
    {AddDoBefore, SyntaxDo},
    {AddFnBefore, SyntaxFn},
    {AddLoopBefore, SyntaxLoop},
};

const CMessageContext& DefaultMessageContext() {
    static const CMessageContext context;
    return context;
}

// Shows a tip at the help event's place, or hides the one shown when the text is empty.
void ShowTip(QHelpEvent* e, const QString& text) {
    if (text.isEmpty()) {
        QToolTip::hideText();
        e->ignore();
    } else {
        QToolTip::showText(e->globalPos(), text);
    }
}

} // namespace

// The left margin: line numbers, line-mark symbols and the bar of lines added since loading.
class CSplREdit::CLineMargin : public QWidget {
public:
    explicit CLineMargin(CSplREdit& editor) : QWidget(&editor), m_editor(editor) {}

protected:
    void paintEvent(QPaintEvent* e) override {
        QPainter painter(this);
        m_editor.PaintMargin(painter, e->rect());
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() != Qt::RightButton)
            return;
        const int line = m_editor.LineAt(e->position().toPoint().y());
        if (line >= 0 && line < m_editor.m_model.RecordCount())
            m_editor.ShowLineMarkMenu(line, e->globalPosition().toPoint());
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton)
            m_editor.EditLineMark(m_editor.LineAt(e->position().toPoint().y()));
    }
    bool event(QEvent* e) override {
        if (e->type() != QEvent::ToolTip)
            return QWidget::event(e);
        auto* help = static_cast<QHelpEvent*>(e);
        const CLogicLine* record = m_editor.m_model.Record(m_editor.LineAt(help->pos().y()));
        ShowTip(help, record && record->mark != 0
                          ? GetLineMarkTipText(*record, m_editor.m_model.Document().lineMarkTable)
                          : QString());
        return true;
    }

private:
    CSplREdit& m_editor;
};

CSplREdit::CSplREdit(CLogicEditModel& model, CSystemLogicClipboard* clipboard, QWidget* parent)
    : QPlainTextEdit(parent), m_model(model), m_clipboard(clipboard) {
    setObjectName(QStringLiteral("CSplREdit"));
    setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setAttribute(Qt::WA_InputMethodEnabled);
    // Nothing is dropped into the lines: a dropped document goes on to the window, which opens it.
    setAcceptDrops(false);
    viewport()->setAcceptDrops(false);
    // Moves without a button reach the editor too, so that the pointer becomes a hand over a link.
    viewport()->setMouseTracking(true);
    m_margin = new CLineMargin(*this);
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
        if (dy)
            m_margin->scroll(0, dy);
        else
            m_margin->update(0, rect.y(), m_margin->width(), rect.height());
    });
    Render(true);
}

CSplREdit::~CSplREdit() = default;

QFont CSplREdit::MarginFont() {
    QFont font(FontFamiliesFor(GetDefaultUIFontName()).value(0));
    font.setFamilies(FontFamiliesFor(GetDefaultUIFontName()));
    font.setPointSizeF(10.5);
    return font;
}

int CSplREdit::LineNumberWidth() const {
    // Room for four digits at least, and for the largest line number however many digits it has.
    const QString largest = QString::number(std::max(m_model.RecordCount(), 9999));
    return std::max(34, QFontMetrics(MarginFont()).horizontalAdvance(largest) + 2);
}

int CSplREdit::MarginWidth() const {
    // The numbers, then the line-mark symbol and the bar of added lines.
    return m_model.Document().FAreaTable.IsDispLineNum ? LineNumberWidth() + 18 : 17;
}

void CSplREdit::UpdateMarginWidth() {
    const int width = MarginWidth();
    if (viewportMargins().left() == width)
        return;
    setViewportMargins(width, 0, 0, 0);
    PlaceMargin(width);
}

void CSplREdit::PlaceMargin(int width) {
    const QRect contents = contentsRect();
    m_margin->setGeometry(QRect(contents.left(), contents.top(), width, contents.height()));
}

// ---- rendering ----

void CSplREdit::SetZoomFactor(double factor) {
    if (factor == m_zoom)
        return;
    m_zoom = factor;
    Render(true);
}

void CSplREdit::Render(bool everyLine) {
    m_rendering = true;
    ClearPreedit();
    const int count = m_model.RecordCount();
    const bool rebuild =
        everyLine || static_cast<int>(m_renderedLines.size()) != count || document()->blockCount() != count + 1;
    QTextCharFormat linkFormat;
    linkFormat.setForeground(palette().link());
    linkFormat.setFontUnderline(true);
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    if (rebuild) {
        cursor.select(QTextCursor::Document);
        cursor.removeSelectedText();
        m_renderedLines.assign(static_cast<size_t>(count), QString());
    }
    for (int line = 0; line < count; ++line) {
        const ComposedLine& composed = m_model.Composed(line);
        if (!rebuild && m_renderedLines[static_cast<size_t>(line)] == composed.text)
            continue;
        if (rebuild) {
            cursor.movePosition(QTextCursor::End);
            if (line > 0)
                cursor.insertBlock();
        } else {
            const QTextBlock block = document()->findBlockByNumber(line);
            cursor.setPosition(block.position());
            cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        }
        const int lineStart = cursor.position();
        int written = 0;
        for (const LineFormatRun& run : composed.runs) {
            if (run.start > written)
                cursor.insertText(composed.text.mid(written, run.start - written), QTextCharFormat());
            QTextCharFormat format = CharFormatOf(run.font, m_zoom);
            if (run.background != 0xFFFFFF)
                format.setBackground(ColourOf(run.background));
            cursor.insertText(composed.text.mid(run.start, run.length), format);
            written = run.start + run.length;
        }
        if (written < composed.text.size())
            cursor.insertText(composed.text.mid(written), QTextCharFormat());
        // Addresses written into any line, a comment too, show as links.
        for (const ContentLink& link : FindContentLinks(LinkTextOfLogicLine(composed.text))) {
            QTextCursor linked(document());
            linked.setPosition(lineStart + static_cast<int>(link.start));
            linked.setPosition(lineStart + static_cast<int>(link.start + link.length), QTextCursor::KeepAnchor);
            linked.mergeCharFormat(linkFormat);
        }
        m_renderedLines[static_cast<size_t>(line)] = composed.text;
    }
    if (rebuild && count > 0) {
        // The append line after the last record.
        cursor.movePosition(QTextCursor::End);
        cursor.insertBlock();
    }
    cursor.endEditBlock();

    const EditPosition caret = m_model.Caret();
    const EditPosition anchor = caret == m_model.SelectionStart() ? m_model.SelectionEnd() : m_model.SelectionStart();
    QTextCursor selection(document());
    selection.setPosition(PositionOf(anchor));
    selection.setPosition(PositionOf(caret), QTextCursor::KeepAnchor);
    setTextCursor(selection);
    m_rendering = false;
    UpdateMarginWidth();
    viewport()->update();
    m_margin->update();
}

int CSplREdit::PositionOf(EditPosition position) const {
    const QTextBlock block = document()->findBlockByNumber(std::min(position.line, document()->blockCount() - 1));
    return block.position() + std::clamp(position.column, 0, block.length() - 1);
}

EditPosition CSplREdit::EditPositionOf(int position) const {
    const QTextBlock block = document()->findBlock(position);
    return {block.blockNumber(), position - block.position()};
}

void CSplREdit::Changed(bool everyLine) {
    Render(everyLine);
    emit ModelChanged();
}

// ---- selection ----

void CSplREdit::TakeSelectionFromWidget() {
    const QTextCursor cursor = textCursor();
    TakeSelection(EditPositionOf(cursor.anchor()), EditPositionOf(cursor.position()));
}

void CSplREdit::TakeSelection(EditPosition anchor, EditPosition caret) {
    m_model.Select(anchor.line, anchor.column, caret.line, caret.column);
    ClampSelectionToSlot();
}

void CSplREdit::ClampSelectionToSlot() {
    int first = 0;
    int last = 0;
    const CLogicLine* record = m_model.Record(m_model.CaretLine());
    if (!record || m_model.GetSelectedLineRange(first, last) > 0)
        return;
    const EditPosition start = m_model.SelectionStart();
    const EditPosition end = m_model.SelectionEnd();
    if (start.line != end.line)
        return;
    const CLogicEditModel::SlotRange range = CLogicEditModel::GetSlotRangeAtColumn(*record, start.column);
    const auto clamp = [&](int column) { return std::clamp(column, range.start, std::max(range.start, range.end)); };
    const EditPosition caret = m_model.Caret();
    const int anchorColumn = caret == start ? end.column : start.column;
    m_model.Select(caret.line, clamp(anchorColumn), caret.line, clamp(caret.column));
}

void CSplREdit::SelectTextSlotAtCaret() {
    const CLogicLine* record = m_model.Record(m_model.CaretLine());
    if (!record)
        return;
    const CLogicEditModel::SlotRange range =
        CLogicEditModel::GetSlotRangeAtColumn(*record, m_model.SelectionStart().column);
    if (range.slot != 0)
        m_model.Select(m_model.CaretLine(), range.start, m_model.CaretLine(), range.end);
}

bool CSplREdit::IsCaretInTextSlot() const {
    int first = 0;
    int last = 0;
    const CLogicLine* record = m_model.Record(m_model.CaretLine());
    if (!record || m_model.GetSelectedLineRange(first, last) > 0 || !m_model.IsSelectionInOneSlot())
        return false;
    return CLogicEditModel::GetSlotRangeAtColumn(*record, m_model.SelectionStart().column).slot != 0;
}

void CSplREdit::ExtendSelection(EditKey key) {
    const EditPosition caret = m_model.Caret();
    const EditPosition anchor = caret == m_model.SelectionStart() ? m_model.SelectionEnd() : m_model.SelectionStart();
    EditPosition target = caret;
    const int lastLine = m_model.RecordCount();
    switch (key) {
    case EditKey::Left:
        target = caret.column > 0 ? EditPosition{caret.line, caret.column - 1}
                 : caret.line > 0 ? EditPosition{caret.line - 1, m_model.LineLength(caret.line - 1)}
                                  : caret;
        break;
    case EditKey::Right:
        target = caret.column < m_model.LineLength(caret.line) ? EditPosition{caret.line, caret.column + 1}
                 : caret.line < lastLine                       ? EditPosition{caret.line + 1, 0}
                                                               : caret;
        break;
    case EditKey::Up:
        if (caret.line > 0)
            target = {caret.line - 1, std::min(caret.column, m_model.LineLength(caret.line - 1))};
        break;
    case EditKey::Down:
        if (caret.line < lastLine)
            target = {caret.line + 1, std::min(caret.column, m_model.LineLength(caret.line + 1))};
        break;
    default:
        return;
    }
    m_model.Select(anchor.line, anchor.column, target.line, target.column);
}

// Plain Left and Right stop at the slot's ends; with Ctrl they go to its start or end.
void CSplREdit::MoveInsideSlot(bool left, bool word) {
    const CLogicLine* record = m_model.Record(m_model.CaretLine());
    const int column = m_model.Caret().column;
    const CLogicEditModel::SlotRange range = CLogicEditModel::GetSlotRangeAtColumn(*record, column);
    if (range.slot == 0) {
        m_model.PressKey(left ? EditKey::Left : EditKey::Right);
        return;
    }
    if (word) {
        m_model.SetCaret(m_model.CaretLine(), left ? range.start : range.end);
        return;
    }
    if (left ? column > range.start : column < range.end)
        m_model.PressKey(left ? EditKey::Left : EditKey::Right);
}

void CSplREdit::GoToLine(int line) {
    const int count = document()->blockCount();
    line = std::clamp(line, 1, count) - 1;
    // The caret goes to the line start, clamped into the slot there: an empty line keeps column 0.
    const CLogicLine* record = m_model.Record(line);
    m_model.SetCaret(line, record ? CLogicEditModel::GetSlotRangeAtColumn(*record, 0).start : 0);
    setFocus();
    Changed(false);
    ensureCursorVisible();
}

void CSplREdit::SelectRange(EditPosition anchor, EditPosition caret) {
    m_model.Select(anchor.line, anchor.column, caret.line, caret.column);
    setFocus();
    Changed(false);
    ensureCursorVisible();
}

void CSplREdit::SelectCharacters(int first, int last) {
    const int end = document()->characterCount() - 1;
    SelectRange(EditPositionOf(std::clamp(first, 0, end)), EditPositionOf(std::clamp(last, 0, end)));
}

int CSplREdit::LineAt(int y) const {
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF rect = blockBoundingGeometry(block).translated(contentOffset());
        if (y >= rect.top() && y < rect.bottom())
            return block.blockNumber();
        if (rect.top() > y)
            break;
    }
    return -1;
}

QRectF CSplREdit::LineRect(int line) const {
    const QTextBlock block = document()->findBlockByNumber(line);
    return block.isValid() ? blockBoundingGeometry(block).translated(contentOffset()) : QRectF();
}

bool CSplREdit::viewportEvent(QEvent* e) {
    if (e->type() != QEvent::ToolTip)
        return QPlainTextEdit::viewportEvent(e);
    auto* help = static_cast<QHelpEvent*>(e);
    ShowTip(help, NameTipAt(help->pos()));
    return true;
}

EditPosition CSplREdit::CharacterAt(const QPoint& point) const {
    const QTextCursor cursor = cursorForPosition(point);
    EditPosition position = EditPositionOf(cursor.position());
    if (cursorRect(cursor).left() > point.x())
        --position.column;
    return position;
}

QString CSplREdit::NameTipAt(const QPoint& point) const {
    const CLogicLine* record = m_model.Record(LineAt(point.y()));
    if (!record)
        return {};
    return GetNameTipText(*record, CharacterAt(point).column, m_model.Document().memberDefinitions);
}

std::optional<std::pair<int, ContentLink>> CSplREdit::LinkAt(const QPoint& point) const {
    const int line = LineAt(point.y());
    if (!m_model.Record(line))
        return std::nullopt;
    const std::optional<ContentLink> link =
        ContentLinkAt(LinkTextOfLogicLine(m_model.LineText(line)), CharacterAt(point).column);
    return link ? std::optional(std::pair(line, *link)) : std::nullopt;
}

// ---- keyboard ----

bool CSplREdit::event(QEvent* e) {
    if (e->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(e);
        // Ctrl with a letter, a digit or a sign belongs to the window's commands (copy, paste, undo, jump ...), and
        // every Alt chord to the window too (the menus' access keys).
        const bool command = ((key->modifiers() & Qt::ControlModifier) && key->key() != Qt::Key_Left &&
                              key->key() != Qt::Key_Right && key->key() != Qt::Key_E) ||
                             (key->modifiers() & Qt::AltModifier);
        if (command) {
            key->ignore();
            return false;
        }
        key->accept();
        return true;
    }
    return QPlainTextEdit::event(e);
}

void CSplREdit::focusOutEvent(QFocusEvent* e) {
    QPlainTextEdit::focusOutEvent(e);
    m_model.CloseUndoGroup();
    // A pending Fn name is committed when another box takes the focus. The logic form's own controls (the
    // name candidates) go on editing it, and a window losing the focus as a whole (to another program, or to a
    // message such as the automatic save's) leaves it pending.
    const QWidget* next = QApplication::focusWidget();
    if (m_committingOnFocusOut || !next || next == this || !m_model.IsFnNameChanged() ||
        e->reason() == Qt::ActiveWindowFocusReason || (parentWidget() && parentWidget()->isAncestorOf(next)))
        return;
    CommitPendingEdits(true);
}

bool CSplREdit::CommitPendingEdits(bool deleteBlankFn) {
    if (!m_model.IsTyped() && !m_model.IsFnNameChanged())
        return true;
    // The questions and messages of the commit take the focus without committing again.
    QScopedValueRollback committing(m_committingOnFocusOut, true);
    m_model.CloseUndoGroup();
    const bool committed = m_model.CommitLineEdits(deleteBlankFn) != 0;
    Changed(true);
    return committed;
}

void CSplREdit::keyPressEvent(QKeyEvent* e) {
    e->accept();
    const Qt::KeyboardModifiers modifiers = e->modifiers();
    const int key = e->key();
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool control = modifiers & Qt::ControlModifier;
    if (key == Qt::Key_Menu || (key == Qt::Key_F10 && shift)) {
        ShowContextMenuAt(viewport()->mapToGlobal(viewport()->rect().center()));
        return;
    }
    if (control && key == Qt::Key_E) {
        SelectTextSlotAtCaret();
        Changed(false);
        return;
    }
    // An Alt chord that no menu took types nothing.
    if ((control && key != Qt::Key_Left && key != Qt::Key_Right) || (modifiers & Qt::AltModifier))
        return;
    int first = 0;
    int last = 0;
    if (m_model.GetSelectedLineRange(first, last) > 0) {
        // Whole lines are selected: only the arrows move, every other key is swallowed.
        const EditKey arrows[] = {EditKey::Left, EditKey::Right, EditKey::Up, EditKey::Down};
        const int arrowKeys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down};
        for (int i = 0; i < 4; ++i) {
            if (key == arrowKeys[i]) {
                if (shift)
                    ExtendSelection(arrows[i]);
                else
                    m_model.PressKey(arrows[i]);
                Changed(false);
            }
        }
        return;
    }
    if (!m_model.Record(m_model.CaretLine())) {
        // The append line takes no typing: the way to add a line is a command.
        if (key == Qt::Key_Up || key == Qt::Key_PageUp) {
            m_model.PressKey(key == Qt::Key_Up ? EditKey::Up : EditKey::PageUp);
            Changed(false);
        } else if (key != Qt::Key_Shift && key != Qt::Key_Control && key != Qt::Key_Alt && key != Qt::Key_Meta &&
                   key != Qt::Key_Return && key != Qt::Key_Enter) {
            platform::ShowMessageBox(LoadString(StringId::TypingOutsideLines), platform::MessageButtons::Ok,
                                     platform::MessageIcon::Error);
        }
        return;
    }
    switch (key) {
    case Qt::Key_Backspace:
        m_model.PressKey(EditKey::Backspace);
        break;
    case Qt::Key_Delete:
        m_model.PressKey(EditKey::Delete);
        break;
    case Qt::Key_Tab:
        m_model.PressKey(EditKey::Tab);
        break;
    case Qt::Key_Backtab: {
        // The line being left is committed first; a refused commit keeps the caret.
        const EditPosition previous = m_model.PreviousSlotPosition(m_model.CaretLine(), m_model.Caret().column);
        m_model.CloseUndoGroup();
        if (previous.line == m_model.CaretLine() || m_model.CommitLineEdits(false) != 0)
            m_model.SetCaret(previous.line, previous.column);
        break;
    }
    case Qt::Key_Left:
    case Qt::Key_Right:
        // Every horizontal move ends the typing run's undo step, with Ctrl or Shift too.
        m_model.CloseUndoGroup();
        if (shift)
            ExtendSelection(key == Qt::Key_Left ? EditKey::Left : EditKey::Right);
        else
            MoveInsideSlot(key == Qt::Key_Left, control);
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        m_model.CloseUndoGroup();
        if (shift)
            ExtendSelection(key == Qt::Key_Up ? EditKey::Up : EditKey::Down);
        else
            m_model.PressKey(key == Qt::Key_Up ? EditKey::Up : EditKey::Down);
        break;
    case Qt::Key_PageUp:
        m_model.PressKey(EditKey::PageUp);
        break;
    case Qt::Key_PageDown:
        m_model.PressKey(EditKey::PageDown);
        break;
    case Qt::Key_Home:
        m_model.PressKey(EditKey::Home);
        break;
    case Qt::Key_End:
        m_model.PressKey(EditKey::End);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // No line is ever split.
        m_model.PressKey(EditKey::Enter);
        break;
    case Qt::Key_Insert:
        return;
    default:
        for (const QChar c : e->text()) {
            if (c.unicode() >= 0x20 && c.unicode() != 0x7F)
                m_model.TypeCharacter(c);
        }
        break;
    }
    Changed(false);
    ensureCursorVisible();
}

// ---- input methods ----

void CSplREdit::ClearPreedit() {
    if (m_preeditBlock < 0)
        return;
    const QTextBlock block = document()->findBlockByNumber(m_preeditBlock);
    m_preeditBlock = -1;
    if (block.isValid() && block.layout()) {
        block.layout()->setPreeditArea(-1, QString());
        document()->markContentsDirty(block.position(), block.length());
    }
}

void CSplREdit::inputMethodEvent(QInputMethodEvent* e) {
    e->accept();
    ClearPreedit();
    // Only a slot of the caret line takes composed text; anywhere else the composition is dropped.
    if (!IsCaretInTextSlot())
        return;
    if (!e->commitString().isEmpty()) {
        for (const QChar c : e->commitString()) {
            if (c.unicode() >= 0x20)
                m_model.TypeCharacter(c);
        }
        Changed(false);
    }
    if (!e->preeditString().isEmpty()) {
        const QTextCursor cursor = textCursor();
        const QTextBlock block = cursor.block();
        block.layout()->setPreeditArea(cursor.positionInBlock(), e->preeditString());
        m_preeditBlock = block.blockNumber();
        document()->markContentsDirty(block.position(), block.length());
    }
}

QVariant CSplREdit::inputMethodQuery(Qt::InputMethodQuery query) const {
    if (query == Qt::ImEnabled)
        return IsCaretInTextSlot();
    return QPlainTextEdit::inputMethodQuery(query);
}

// ---- mouse ----

void CSplREdit::mousePressEvent(QMouseEvent* e) {
    const auto link = e->button() == Qt::LeftButton && m_openLink ? LinkAt(e->position().toPoint()) : std::nullopt;
    if (link) {
        // A press on a link selects what it walked and opens it.
        e->accept();
        const auto& [line, found] = *link;
        const ContentLinkTarget target =
            ReadContentLinkTarget(LinkTextOfLogicLine(m_model.LineText(line)), found.start);
        m_model.Select(line, static_cast<int>(found.start), line, static_cast<int>(found.start + target.walked));
        Changed(false);
        m_openLink(target.target);
        return;
    }
    if (e->button() == Qt::LeftButton && !(e->modifiers() & Qt::ShiftModifier)) {
        // A press starts a new selection, inside the one shown too: text is never dragged out of the lines.
        setTextCursor(cursorForPosition(e->position().toPoint()));
    }
    QPlainTextEdit::mousePressEvent(e);
}

void CSplREdit::mouseMoveEvent(QMouseEvent* e) {
    QPlainTextEdit::mouseMoveEvent(e);
    if (e->buttons() == Qt::NoButton)
        viewport()->setCursor(m_openLink && LinkAt(e->position().toPoint()) ? Qt::PointingHandCursor : Qt::IBeamCursor);
}

void CSplREdit::mouseReleaseEvent(QMouseEvent* e) {
    QPlainTextEdit::mouseReleaseEvent(e);
    if (e->button() != Qt::LeftButton)
        return;
    // Every click commits the line being left, before the caret takes the clicked place: wherever the click lands
    // (the same line, the empty room below the lines), a typed Fn name is bound. A refused commit keeps the caret
    // on the blank name it selected.
    const QTextCursor clicked = textCursor();
    const EditPosition anchor = EditPositionOf(clicked.anchor());
    const EditPosition caret = EditPositionOf(clicked.position());
    if (m_model.CommitLineEdits(false) != 0)
        TakeSelection(anchor, caret);
    m_model.CloseUndoGroup();
    Changed(false);
}

void CSplREdit::mouseDoubleClickEvent(QMouseEvent* e) {
    // The control's own word selection never runs.
    e->accept();
    setTextCursor(cursorForPosition(e->position().toPoint()));
    TakeSelectionFromWidget();
    const CLogicLine* record = m_model.Record(m_model.CaretLine());
    if (record && record->lineKind == SyntaxFn) {
        if (CUnitFunction* called = m_model.Document().registry.FindByInternalID(record->calledInternalID))
            ModelShell().OpenFunctionTab(called);
    } else if (record) {
        SelectTextSlotAtCaret();
    }
    Changed(false);
}

void CSplREdit::wheelEvent(QWheelEvent* e) {
    // Ctrl with the wheel does not zoom.
    if (e->modifiers() & Qt::ControlModifier) {
        e->accept();
        return;
    }
    if (e->angleDelta().y() == 0) {
        QPlainTextEdit::wheelEvent(e);
        return;
    }
    // One line per notch of the wheel, whatever the desktop's setting; finer wheels add up to whole notches.
    e->accept();
    m_wheelDelta += e->angleDelta().y();
    const int notches = m_wheelDelta / QWheelEvent::DefaultDeltasPerStep;
    m_wheelDelta -= notches * QWheelEvent::DefaultDeltasPerStep;
    verticalScrollBar()->setValue(verticalScrollBar()->value() - notches);
}

void CSplREdit::contextMenuEvent(QContextMenuEvent* e) {
    e->accept();
    ShowContextMenuAt(e->globalPos());
}

// ---- clipboard ----

void CSplREdit::insertFromMimeData(const QMimeData* source) {
    // A middle-button paste passes the model's paste filter like a paste does.
    if (!m_clipboard)
        return;
    TakeSelectionFromWidget();
    m_clipboard->SetDroppedData(source);
    m_model.OnEditPaste();
    m_clipboard->SetDroppedData(nullptr);
    Changed(false);
}

// ---- commands ----

bool CSplREdit::IsCommandEnabled(int id) const {
    const unsigned flags = m_model.GetStatementMenuFlags();
    for (const StatementCommand& command : kStatementCommands) {
        if (command.id == id)
            return (flags & command.flag) != 0;
    }
    switch (id) {
    case AddLineBreakBefore:
        // The first line may get an empty line before it whatever its kind, a switch line too.
        return flags != 0 && m_model.CaretLine() == 0 && m_model.Record(0);
    case AddIfBefore:
    case AddDoBefore:
    case AddFnBefore:
    case AddCommentBefore:
    case AddLoopBefore:
    case AddSwitchBefore:
        return (flags & InsertLineBefore) != 0;
    case ReplaceWithDo:
        return IsToolboxButtonEnabled(m_model, 1336);
    case ReplaceWithFn:
        return IsToolboxButtonEnabled(m_model, 1337);
    case ReplaceWithTransitState:
        return IsToolboxButtonEnabled(m_model, 1343);
    case HankakuNegation:
    case ZenkakuNegation:
        return IsToolboxButtonEnabled(m_model, 1339);
    case EditClear:
        return m_model.CanDeleteTextFromMenu();
    case EditCut:
        return m_model.CanCutOrDelete();
    case EditCopy:
        return m_model.CanCopy();
    case EditPaste:
        return m_model.CanPaste();
    case PasteLines:
        return m_model.CanPasteLines();
    case DeleteLine:
        return m_model.CanDeleteCaretLine();
    case DeleteBlock:
    case DeleteFrame:
        return m_model.CanDeleteBlockFromMenu();
    case DeleteSelection:
        return m_model.CanDeleteSelectedLines();
    case WrapInIfElse:
    case WrapInElseEndif:
        return !m_model.IsFnNameChanged() && m_model.CanWrapSelectionInIf();
    case WrapInLoop:
        return !m_model.IsFnNameChanged() && m_model.CanWrapSelectionInLoop();
    case EditUndo:
        return m_model.IsUndoAvailable();
    case EditSelectAll:
        return true;
    case SelectFunction:
        return CanSelectSameNamedFunction(m_model);
    case EditFont:
        return m_fontDialog && CanEditFontAtCaret(m_model);
    case RegisterThisMemberName:
        return m_registerMemberName && IsCaretInMemberName(m_model);
    default:
        return false;
    }
}

bool CSplREdit::RunCommand(int id) {
    if (id >= FirstCandidate && id <= LastCandidate) {
        const int index = CandidateIndexFromCommand(id, m_candidateSeparator, static_cast<int>(m_candidates.size()));
        if (index < 0)
            return false;
        InsertCandidate(m_candidates[index]);
        return true;
    }
    if (id == EditSelectAll) {
        m_model.CloseUndoGroup();
        m_model.Select(0, 0, m_model.RecordCount(), 0);
        Changed(false);
        return true;
    }
    if (id == SelectFunction) {
        if (!CanSelectSameNamedFunction(m_model))
            return false;
        CLogicLine& record = *m_model.Record(m_model.CaretLine());
        CSelectFunctionDialog dialog(m_model.Document(), m_model.Function(), record.textSlots[0].text,
                                     record.calledInternalID, m_context ? *m_context : DefaultMessageContext(), this);
        if (dialog.exec() == QDialog::Accepted) {
            m_model.FnLineRebound();
            Changed(true);
        }
        setFocus();
        return true;
    }
    if (id == EditFont) {
        if (!IsCommandEnabled(EditFont))
            return false;
        EditFontAtCaret();
        setFocus();
        return true;
    }
    if (id == RegisterThisMemberName) {
        platform::Trace("CSplREdit", "OnRegisterThisMemberName");
        if (!IsCommandEnabled(RegisterThisMemberName))
            return false;
        const QString name = MemberNameAtCaret(m_model);
        if (ConfirmMemberNameRegistration(name))
            m_registerMemberName(name);
        return true;
    }
    if (!RunLogicEditCommand(m_model, id))
        return false;
    setFocus();
    Changed(true);
    return true;
}

void CSplREdit::EditFontAtCaret() {
    const std::optional<LogicFontEdit> edit = BeginFontEditAtCaret(m_model);
    if (!edit)
        return;
    FontSetting font = edit->font;
    quint32 mask = edit->mask;
    QString name;
    if (!m_fontDialog(*edit, font, mask, name) || !ApplyFontEditAtCaret(m_model, *edit, font, mask, name))
        return;
    Changed(true);
    if (!name.isEmpty())
        emit DocumentFontsChanged();
}

void CSplREdit::InsertCandidate(const QString& text) {
    for (const QChar c : text)
        m_model.TypeCharacter(c);
    // The choice ends the undo group of the insertion.
    m_model.PressKey(EditKey::Enter);
    Changed(false);
}

void CSplREdit::MarkLineAsEvent() {
    m_model.MarkLineAsEvent();
    Changed(false);
}

void CSplREdit::MarkLineAsState() {
    m_model.MarkLineAsState();
    Changed(false);
}

std::unique_ptr<QMenu> CSplREdit::CreateContextMenu() {
    const CMessageContext& context = m_context ? *m_context : DefaultMessageContext();
    const CDocumentData& document = m_model.Document();
    const auto keyword = [&document](int kind) {
        return kind < static_cast<int>(document.SyntaxSymbols.size()) ? document.SyntaxSymbols[kind].keyword
                                                                      : QString();
    };
    auto menu = std::make_unique<QMenu>(this);
    const auto add = [this](QMenu* target, const QString& text, int id, bool enabled) {
        QAction* action = target->addAction(text);
        action->setData(id);
        action->setEnabled(enabled && IsCommandEnabled(id));
        return action;
    };
    const auto text = [](StringId id) { return LoadString(id); };
    m_candidates.clear();
    m_candidateSeparator = 0;

    int first = 0;
    int last = 0;
    const CLogicLine* record = m_model.Record(m_model.CaretLine());
    if (m_model.GetSelectedLineRange(first, last) > 0 && record) {
        add(menu.get(), Msg::Text(context, Msg::Id::PutIntoEx, {keyword(SyntaxIf), keyword(SyntaxElse)}), WrapInIfElse,
            true);
        add(menu.get(), Msg::Text(context, Msg::Id::PutIntoEx, {keyword(SyntaxElse), keyword(SyntaxEndif)}),
            WrapInElseEndif, true);
        add(menu.get(), Msg::Text(context, Msg::Id::PutInto, {keyword(SyntaxLoop)}), WrapInLoop, true);
        add(menu.get(), Msg::Text(context, Msg::Id::PutInto, {QStringLiteral("while")}), 33175, false);
        add(menu.get(), Msg::Text(context, Msg::Id::PutInto, {QStringLiteral("for")}), 33176, false);
        menu->addSeparator();
        add(menu.get(), text(StringId::LogicMenuCopyLines), EditCopy, true);
        add(menu.get(), text(StringId::LogicMenuDelete), DeleteSelection, true);
        add(menu.get(), text(StringId::LogicMenuFontLines), EditFont, true);
        LocalizeRichEditContextMenu(context, *menu, keyword(SyntaxDo), keyword(SyntaxFn));
        return menu;
    }

    const bool onRecord = record != nullptr;
    CLogicEditModel::ContextCandidates candidates;
    if (onRecord) {
        // A blank Fn name is left to be chosen among the candidates.
        if (!m_model.IsCaretOnBlankFnLine())
            m_model.CommitLineEdits(false);
        candidates = m_model.PrepareContextCandidates();
    }
    QMenu* candidateMenu = menu->addMenu(text(StringId::LogicMenuCandidates));
    QMenu* insert = menu->addMenu(text(StringId::LogicMenuInsertStatement));
    QMenu* edit = menu->addMenu(text(StringId::LogicMenuEditStatement));
    QMenu* remove = menu->addMenu(text(StringId::LogicMenuDeleteStatement));
    QMenu* before = menu->addMenu(text(StringId::LogicMenuAddBefore));

    // Name candidates: the registered names, a separator, then the recently used ones; at most 64.
    const int shown = std::min<int>(static_cast<int>(candidates.words.size()), LastCandidate - FirstCandidate);
    for (int i = 0; i < shown; ++i)
        m_candidates.append(candidates.words[i]);
    m_candidateSeparator = candidates.separator < shown ? candidates.separator : 0;
    for (int i = 0; i < shown; ++i) {
        if (m_candidateSeparator != 0 && m_candidateSeparator == i)
            candidateMenu->addSeparator();
        QAction* action = candidateMenu->addAction(LiteralCaption(m_candidates[i]));
        action->setData(FirstCandidate + i + (m_candidateSeparator != 0 && i >= m_candidateSeparator ? 1 : 0));
    }
    if (shown == 0)
        candidateMenu->addAction(text(StringId::LogicMenuNoCandidate))->setData(33189);
    candidateMenu->menuAction()->setEnabled(shown > 0);

    const auto statementItem = [&](QMenu* target, int id) {
        QString caption;
        for (const auto& [command, kind] : kKeywordItems) {
            if (command == id)
                caption = LiteralCaption(keyword(kind));
        }
        return add(target, caption, id, true);
    };
    if (onRecord) {
        for (int id : {AddIfAfter, AddDoAfter, AddTransitStateAfter, AddFnAfter, AddDoNothingAfter})
            statementItem(insert, id);
        add(insert, text(StringId::LogicMenuComment), AddCommentAfter, true);
        add(insert, text(StringId::LogicMenuLineBreak), AddLineBreakAfter, true);
        for (int id : {AddSwitchAfter, AddCaseAfter, AddLoopAfter})
            statementItem(insert, id);
        add(insert, QStringLiteral("while"), 33177, false);
        add(insert, QStringLiteral("for"), 33178, false);
        statementItem(insert, AddExitlpAfter);
    } else {
        for (int id : {AddIfAtCurrent, AddDoAtCurrent})
            statementItem(insert, id);
        add(insert, LiteralCaption(keyword(SyntaxTransitState)), AddTransitStateAfter, true);
        statementItem(insert, AddFnAtCurrent);
        add(insert, LiteralCaption(keyword(SyntaxDoNothing)), 33179, false);
        add(insert, text(StringId::LogicMenuComment), AddCommentAtCurrent, true);
        add(insert, text(StringId::LogicMenuLineBreak), AddLineBreakAtCurrent, true);
        statementItem(insert, AddSwitchAtCurrent);
        add(insert, LiteralCaption(keyword(SyntaxCase)), 33180, false);
        statementItem(insert, AddLoopAtCurrent);
        add(insert, QStringLiteral("while"), 33181, false);
        add(insert, QStringLiteral("for"), 33182, false);
        add(insert, LiteralCaption(keyword(SyntaxExitlp)), 33183, false);
    }
    add(edit, text(StringId::LogicMenuReplaceWithDo), ReplaceWithDo, onRecord);
    add(edit, text(StringId::LogicMenuReplaceWithTransitState), ReplaceWithTransitState, onRecord);
    add(edit, text(StringId::LogicMenuReplaceWithFn), ReplaceWithFn, onRecord);
    add(edit, text(StringId::LogicMenuHankakuNegation), HankakuNegation, onRecord);
    add(edit, text(StringId::LogicMenuZenkakuNegation), ZenkakuNegation, onRecord);
    add(remove, text(StringId::LogicMenuDelete), EditClear, onRecord);
    add(remove, text(StringId::LogicMenuDeleteLine), DeleteLine, onRecord);
    add(remove, text(StringId::LogicMenuDeleteBlock), DeleteBlock, onRecord);
    add(remove, text(StringId::LogicMenuDeleteFrame), DeleteFrame, onRecord);
    if (onRecord) {
        for (int id : {AddIfBefore, AddDoBefore, AddFnBefore})
            statementItem(before, id);
        add(before, text(StringId::LogicMenuComment), AddCommentBefore, true);
        add(before, text(StringId::LogicMenuLineBreak), AddLineBreakBefore, true);
        statementItem(before, AddLoopBefore);
        add(before, QStringLiteral("while"), 33200, false);
        add(before, QStringLiteral("for"), 33201, false);
    } else {
        statementItem(before, AddIfBefore);
    }
    // "Add before" serves the first line only.
    before->menuAction()->setEnabled(onRecord && m_model.CaretLine() == 0);
    edit->menuAction()->setEnabled(onRecord);
    remove->menuAction()->setEnabled(onRecord);
    menu->addSeparator();
    add(menu.get(), text(StringId::LogicMenuUndo), EditUndo, true);
    add(menu.get(), text(StringId::LogicMenuRedo), EditRedo, false);
    menu->addSeparator();
    add(menu.get(), text(StringId::LogicMenuCut), EditCut, true);
    add(menu.get(), text(StringId::LogicMenuCopy), EditCopy, true);
    add(menu.get(), text(StringId::LogicMenuPaste), EditPaste, true);
    add(menu.get(), text(StringId::LogicMenuPasteLines), PasteLines, true);
    add(menu.get(), text(StringId::LogicMenuSelectAll), EditSelectAll, true);
    menu->addSeparator();
    add(menu.get(), text(StringId::LogicMenuSelectFunction), SelectFunction, true);
    add(menu.get(), text(StringId::LogicMenuFont), EditFont, true);
    // Registration is offered where no candidates are.
    add(menu.get(), text(StringId::LogicMenuRegisterMemberName), RegisterThisMemberName, shown == 0);
    LocalizeRichEditContextMenu(context, *menu, keyword(SyntaxDo), keyword(SyntaxFn));
    return menu;
}

void CSplREdit::ShowContextMenuAt(const QPoint& globalPoint) {
    ClampSelectionToSlot();
    m_model.CloseUndoGroup();
    setFocus();
    Render(false);
    const std::unique_ptr<QMenu> menu = CreateContextMenu();
    const QAction* chosen = menu->exec(globalPoint);
    const int id = chosen ? RichEditMenuCommand(*chosen) : 0;
    if (id != 0)
        RunCommand(id);
}

void CSplREdit::ShowLineMarkMenu(int line, const QPoint& globalPoint) {
    const CLogicLine* record = m_model.Record(line);
    if (!record)
        return;
    const std::unique_ptr<QMenu> menu = CreateLineMarkMenu(*record);
    const QAction* chosen = menu->exec(globalPoint);
    if (!chosen)
        return;
    const int mark = chosen->data().toInt();
    if (mark < 0)
        EditLineMark(line);
    else
        ToggleLineMark(m_model, line, mark);
    m_margin->update();
}

std::unique_ptr<QMenu> CSplREdit::CreateLineMarkMenu(const CLogicLine& line) {
    const CMessageContext& context = m_context ? *m_context : DefaultMessageContext();
    auto menu = std::make_unique<QMenu>(this);
    const auto fill = [&context](QMenu& target, const std::vector<LineMarkMenuItem>& items, const auto& self) -> void {
        for (const LineMarkMenuItem& item : items) {
            switch (item.kind) {
            case LineMarkMenuItem::Kind::EditMarks:
                // The editing entry carries -1, the marks their index.
                target.addAction(Msg::Text(context, Msg::Id::Edit))->setData(-1);
                break;
            case LineMarkMenuItem::Kind::Separator:
                target.addSeparator();
                break;
            case LineMarkMenuItem::Kind::Mark: {
                QAction* action = target.addAction(LiteralCaption(item.name));
                action->setCheckable(true);
                action->setChecked(item.checked);
                action->setData(item.mark);
                break;
            }
            case LineMarkMenuItem::Kind::Group:
                self(*target.addMenu(LiteralCaption(item.name)), item.marks, self);
                break;
            }
        }
    };
    fill(*menu, BuildLineMarkMenu(line, m_model.Document().lineMarkTable), fill);
    return menu;
}

void CSplREdit::EditLineMark(int line) {
    const CLogicLine* record = m_model.Record(line);
    if (!record || record->mark == 0)
        return;
    CLineMarkDialog dialog(
        record->Memo(), record->Urls(),
        [this](const QString& file) {
            if (m_openLink)
                m_openLink(file);
        },
        this);
    const int result = dialog.exec();
    if (result == QDialog::Accepted)
        SetLineMarkTexts(m_model, line, dialog.Memo(), dialog.Files());
    else if (result == CLineMarkDialog::DeleteMarks)
        DeleteLineMarks(m_model, line);
    else
        return;
    m_margin->update();
}

// ---- painting ----

void CSplREdit::resizeEvent(QResizeEvent* e) {
    QPlainTextEdit::resizeEvent(e);
    PlaceMargin(MarginWidth());
}

void CSplREdit::paintEvent(QPaintEvent* e) {
    QPlainTextEdit::paintEvent(e);
    if (m_model.Document().FAreaTable.IfLineDisp)
        PaintGuides();
}

// One dotted line down the left edge of each if ... endif block, coloured by its nesting.
void CSplREdit::PaintGuides() {
    const LogicAreaSettings& area = m_model.Document().FAreaTable;
    const QColor first = StandardColour(area.IfLineColor1);
    const QColor colours[3] = {first, area.IfLineSameColor ? first : StandardColour(area.IfLineColor2),
                               area.IfLineSameColor ? first : StandardColour(area.IfLineColor3)};
    const int indent =
        m_model.Document().SyntaxSymbols.size() > SyntaxIf ? m_model.Document().SyntaxSymbols[SyntaxIf].Indent : 0;
    QPainter painter(viewport());
    const QRect clip = viewport()->rect().adjusted(1, 1, -1, -1);
    std::vector<std::pair<int, int>> open; // (Top, line) of the if lines not yet closed
    const auto topLeft = [this](int line, int column) {
        QTextCursor cursor(document()->findBlockByNumber(line));
        cursor.setPosition(cursor.block().position() + std::min(column, cursor.block().length() - 1));
        return cursorRect(cursor).topLeft();
    };
    for (int line = 0; line < m_model.RecordCount(); ++line) {
        const CLogicLine* record = m_model.Record(line);
        if (record->lineKind == SyntaxIf) {
            open.emplace_back(record->Top, line);
        } else if (record->lineKind == SyntaxEndif && !open.empty()) {
            const auto [top, ifLine] = open.back();
            open.pop_back();
            const QPoint start = topLeft(ifLine, top);
            const QTextBlock endBlock = document()->findBlockByNumber(line);
            const QPoint end = topLeft(line, top) + QPoint(0, static_cast<int>(blockBoundingRect(endBlock).height()));
            if (start.x() < clip.left() || start.x() >= clip.right())
                continue;
            const int y1 = std::clamp(start.y(), clip.top(), clip.bottom() - 1);
            const int y2 = std::clamp(end.y(), clip.top(), clip.bottom() - 1);
            if (y1 == y2)
                continue;
            painter.setPen(QPen(colours[GuideLevelColour(top, indent)], 0, Qt::DotLine));
            painter.drawLine(start.x(), y1, start.x(), y2);
        }
    }
}

void CSplREdit::PaintMargin(QPainter& painter, const QRect& rect) {
    const int width = MarginWidth();
    painter.fillRect(rect, QColor(225, 225, 240));
    painter.fillRect(QRect(width - 2, rect.top(), 2, rect.height()), Qt::white);
    const QFont font = MarginFont();
    QFont underlined = font;
    underlined.setUnderline(true);
    const bool numbers = m_model.Document().FAreaTable.IsDispLineNum;
    const LineMarkTable& marks = m_model.Document().lineMarkTable;
    const QString symbols = LoadString(StringId::LineMarkSymbols);
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF geometry = blockBoundingGeometry(block).translated(contentOffset());
        if (geometry.top() > rect.bottom())
            break;
        const int line = block.blockNumber();
        const CLogicLine* record = m_model.Record(line);
        if (!record)
            break;
        const QRect row(0, static_cast<int>(geometry.top()), width, static_cast<int>(geometry.height()));
        painter.setPen(Qt::black);
        painter.setFont(font);
        if (numbers)
            painter.drawText(row.adjusted(0, 0, -18, 0), Qt::AlignRight | Qt::AlignVCenter, QString::number(line + 1));
        if (record->mark != 0) {
            int markCount = 0;
            int single = 0;
            for (int i = 0; i < LineMarkTable::AttributeCount; ++i) {
                if (record->mark & (1u << i)) {
                    ++markCount;
                    single = i;
                }
            }
            const bool several = markCount > 1;
            const auto& attribute = marks.attributes[single];
            const QString symbol = symbols.mid(several ? 5 : std::min<int>(attribute.shape, 5), 1);
            const bool linked = std::any_of(record->Urls().begin(), record->Urls().end(),
                                            [](const QString& url) { return !url.isEmpty(); });
            painter.setFont(linked ? underlined : font);
            painter.setPen(several ? StandardColour(12) : StandardColour(attribute.colorNo));
            painter.drawText(row.adjusted(numbers ? width - 17 : 0, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, symbol);
        }
        if (record->changeMarks & 1)
            painter.fillRect(QRect(width - 4, row.top(), 2, row.height()),
                             StandardColour(m_model.Document().FAreaTable.ModifyColor));
    }
}
