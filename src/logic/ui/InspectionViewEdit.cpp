#include "logic/ui/InspectionViewEdit.h"

#include "logic/InspectionView.h"
#include "logic/ResultTextFormat.h"
#include "model/FontSetting.h"
#include "texts/MessageContext.h"
#include "texts/ui/RichEditContextMenu.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// The blank space left of the text and above the first line.
constexpr int kMargin = 4;

} // namespace

CInspectionViewEdit::CInspectionViewEdit(CInspectionView& view, CJumpHandler& handler, QWidget* parent)
    : QAbstractScrollArea(parent), m_view(view), m_handler(handler) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    // Queued also when the writer is on this thread: lines written in one go are taken in one go.
    connect(&view, &CInspectionView::LinesWaiting, this, &CInspectionViewEdit::OnLinesWaiting, Qt::QueuedConnection);
    m_takeTimer.setSingleShot(true);
    connect(&m_takeTimer, &QTimer::timeout, this, &CInspectionViewEdit::Flush);
    // Takes the lines the model holds already.
    SetTextFormat(FontSetting());
}

void CInspectionViewEdit::SetTextFormat(const FontSetting& font) {
    const ResultTextFormat format = ResultTextFormat::FromFontSetting(font);
    QFont face(format.faceName);
    // A face the system lacks, or none, falls back to a fixed-pitch one: the counts line up in columns.
    face.setStyleHint(QFont::Monospace);
    if (format.pointSize > 0)
        face.setPointSizeF(format.pointSize);
    face.setBold(format.bold);
    face.setItalic(format.italic);
    face.setUnderline(format.underline);
    setFont(face);
    QPalette colours = palette();
    colours.setColor(QPalette::Text, QColor(format.red, format.green, format.blue));
    setPalette(colours);
    // The widest line is measured again in the new font, and the others as they are drawn.
    m_widest = 0;
    m_measuredLine = -1;
    m_advances.clear();
    Flush();
    UpdateScrollBars();
    viewport()->update();
}

int CInspectionViewEdit::GetCaretLine() {
    Flush();
    return m_caret;
}

QStringList CInspectionViewEdit::Lines() {
    Flush();
    return m_view.LinesFrom(0, m_lineCount);
}

void CInspectionViewEdit::SetCaretLine(int line, bool extend) {
    if (m_lineCount == 0)
        return;
    line = std::clamp(line, 0, m_lineCount - 1);
    if (!extend || m_anchor < 0)
        m_anchor = line;
    m_caret = line;
    QScrollBar* rows = verticalScrollBar();
    if (line < rows->value())
        rows->setValue(line);
    else if (line >= rows->value() + rows->pageStep())
        rows->setValue(line - rows->pageStep() + 1);
    viewport()->update();
}

QString CInspectionViewEdit::SelectedText() const {
    if (!HasSelection())
        return {};
    const int first = std::min(m_anchor, m_caret);
    QString text;
    for (const QString& line : m_view.LinesFrom(first, std::max(m_anchor, m_caret) - first + 1))
        text += line + QChar('\n');
    return text;
}

QRect CInspectionViewEdit::LineRect(int line) const {
    return {0, kMargin + (line - verticalScrollBar()->value()) * LineHeight(), viewport()->width(), LineHeight()};
}

void CInspectionViewEdit::copy() const {
    if (HasSelection())
        QGuiApplication::clipboard()->setText(SelectedText());
}

void CInspectionViewEdit::selectAll() {
    Flush();
    if (m_lineCount == 0)
        return;
    m_anchor = 0;
    m_caret = m_lineCount - 1;
    viewport()->update();
}

bool CInspectionViewEdit::event(QEvent* event) {
    // Copy and Select All of the keyboard are the pane's own while it has the focus.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll)) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void CInspectionViewEdit::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const QFontMetrics metrics = fontMetrics();
    const int height = LineHeight();
    const int first = verticalScrollBar()->value();
    const int rows = std::min(viewport()->height() / height + 1, m_lineCount - first);
    const QStringList lines = m_view.ShownLinesFrom(first, std::max(rows, 0));
    const int left = kMargin - horizontalScrollBar()->value();
    const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
    const int selectedFrom = HasSelection() ? std::min(m_anchor, m_caret) : -1;
    const int selectedTo = HasSelection() ? std::max(m_anchor, m_caret) : -2;
    const int widest = m_widest;
    for (int row = 0; row < lines.size(); ++row) {
        const int line = first + row;
        const QRect rect = LineRect(line);
        const bool selected = line >= selectedFrom && line <= selectedTo;
        if (selected)
            painter.fillRect(rect, palette().color(group, QPalette::Highlight));
        painter.setPen(palette().color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        painter.drawText(left, rect.top() + metrics.ascent(), lines[row]);
        m_widest = std::max(m_widest, TextWidth(lines[row]));
        if (line == m_caret && hasFocus()) {
            painter.setPen(QPen(palette().color(group, QPalette::Text), 1, Qt::DotLine));
            painter.drawRect(rect.adjusted(0, 0, -1, -1));
        }
    }
    if (m_widest != widest)
        UpdateScrollBars();
}

void CInspectionViewEdit::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    // A pane scrolled to its end stays there, the last line whole, when it grows or shrinks.
    QScrollBar* rows = verticalScrollBar();
    const bool atEnd = rows->value() == rows->maximum();
    UpdateScrollBars();
    if (atEnd)
        rows->setValue(rows->maximum());
}

void CInspectionViewEdit::scrollContentsBy(int, int) {
    viewport()->update();
}

void CInspectionViewEdit::mousePressEvent(QMouseEvent* event) {
    // The right button keeps the selection for the menu's Copy.
    if (event->button() == Qt::LeftButton)
        SetCaretLine(LineAt(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
}

void CInspectionViewEdit::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        SetCaretLine(LineAt(event->position().toPoint()), true);
}

void CInspectionViewEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    Jump(LineAt(event->position().toPoint()));
}

void CInspectionViewEdit::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        copy();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
        return;
    }
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    const int page = std::max(verticalScrollBar()->pageStep(), 1);
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Jump(m_caret);
        return;
    case Qt::Key_Up:
        SetCaretLine(m_caret - 1, extend);
        return;
    case Qt::Key_Down:
        SetCaretLine(m_caret + 1, extend);
        return;
    case Qt::Key_PageUp:
        SetCaretLine(m_caret - page, extend);
        return;
    case Qt::Key_PageDown:
        SetCaretLine(m_caret + page, extend);
        return;
    case Qt::Key_Home:
        if (event->modifiers() & Qt::ControlModifier) {
            SetCaretLine(0, extend);
            return;
        }
        horizontalScrollBar()->setValue(0);
        return;
    case Qt::Key_End:
        if (event->modifiers() & Qt::ControlModifier) {
            SetCaretLine(m_lineCount - 1, extend);
            return;
        }
        horizontalScrollBar()->setValue(horizontalScrollBar()->maximum());
        return;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void CInspectionViewEdit::contextMenuEvent(QContextMenuEvent* event) {
    Flush();
    QMenu menu;
    // The object names of a text control's own edit actions: the menu's localisation knows them by these.
    QAction* copyAction = menu.addAction(QString(), this, &CInspectionViewEdit::copy);
    copyAction->setObjectName(QStringLiteral("edit-copy"));
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setEnabled(HasSelection());
    menu.addSeparator();
    QAction* selectAllAction = menu.addAction(QString(), this, &CInspectionViewEdit::selectAll);
    selectAllAction->setObjectName(QStringLiteral("select-all"));
    selectAllAction->setShortcut(QKeySequence::SelectAll);
    selectAllAction->setEnabled(m_lineCount > 0);
    if (m_localizeContextMenu)
        m_localizeContextMenu(menu);
    else
        LocalizeRichEditContextMenu(CMessageContext(), menu, QString(), QString());
    menu.exec(event->globalPos());
}

void CInspectionViewEdit::OnLinesWaiting() {
    const qint64 wait = m_sinceTake.isValid() ? TakeInterval - m_sinceTake.elapsed() : 0;
    if (wait <= 0)
        Flush();
    else if (!m_takeTimer.isActive())
        m_takeTimer.start(static_cast<int>(wait));
}

void CInspectionViewEdit::Flush() {
    m_takeTimer.stop();
    const InspectionViewLines taken = m_view.TakeLines(m_generation, m_lineCount);
    m_generation = taken.generation;
    if (taken.restart) {
        m_lineCount = 0;
        m_widest = 0;
        m_measuredLine = -1;
        m_caret = -1;
        m_anchor = -1;
    }
    if (taken.widestLine != m_measuredLine) {
        m_measuredLine = taken.widestLine;
        m_widest = std::max(m_widest, TextWidth(taken.widest));
    }
    if (taken.count > 0) {
        m_lineCount += taken.count;
        m_caret = m_lineCount - 1;
        m_anchor = -1;
    }
    if (taken.restart || taken.count > 0) {
        m_sinceTake.start();
        UpdateScrollBars();
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
        horizontalScrollBar()->setValue(0);
        viewport()->update();
    }
}

void CInspectionViewEdit::UpdateScrollBars() {
    const int rows = std::max((viewport()->height() - kMargin) / LineHeight(), 1);
    verticalScrollBar()->setRange(0, std::max(m_lineCount - rows, 0));
    verticalScrollBar()->setPageStep(rows);
    verticalScrollBar()->setSingleStep(1);
    const int width = viewport()->width();
    horizontalScrollBar()->setRange(0, std::max(m_widest + 2 * kMargin - width, 0));
    horizontalScrollBar()->setPageStep(width);
    horizontalScrollBar()->setSingleStep(fontMetrics().averageCharWidth());
}

int CInspectionViewEdit::TextWidth(const QString& text) {
    // Shaping every line of a large run would cost more than the run: the advances of its characters are
    // added instead, each measured once. Only a pair of surrogates is measured with its line.
    if (m_advances.empty())
        m_advances.assign(0x10000, -1);
    qreal width = 0;
    for (const QChar character : text) {
        if (character.isSurrogate())
            return static_cast<int>(std::ceil(QFontMetricsF(font()).horizontalAdvance(text)));
        float& advance = m_advances[character.unicode()];
        if (advance < 0)
            advance = static_cast<float>(QFontMetricsF(font()).horizontalAdvance(character));
        width += advance;
    }
    return static_cast<int>(std::ceil(width));
}

int CInspectionViewEdit::LineHeight() const {
    return std::max(fontMetrics().lineSpacing(), 1);
}

int CInspectionViewEdit::LineAt(const QPoint& point) const {
    if (m_lineCount == 0)
        return -1;
    const int line = verticalScrollBar()->value() + (point.y() - kMargin) / LineHeight();
    return std::clamp(point.y() < kMargin ? verticalScrollBar()->value() - 1 : line, 0, m_lineCount - 1);
}

void CInspectionViewEdit::Jump(int line) {
    // The whole line is selected, the caret staying on it.
    if (line >= 0)
        SetCaretLine(line);
    m_view.OnLineDoubleClick(line, m_handler);
}
