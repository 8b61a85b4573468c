#include "logic/ui/InspectionViewEdit.h"

#include "logic/InspectionView.h"
#include "logic/ResultTextFormat.h"
#include "model/FontSetting.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTextBlock>

#include <memory>

CInspectionViewEdit::CInspectionViewEdit(CInspectionView& view, CJumpHandler& handler, QWidget* parent)
    : QPlainTextEdit(parent), m_view(view), m_handler(handler) {
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setLineWrapMode(NoWrap);
    SetTextFormat(FontSetting());
    m_pending = view.Lines();
    if (!m_pending.isEmpty())
        Flush();
    connect(&view, &CInspectionView::Cleared, this, &CInspectionViewEdit::OnCleared);
    connect(&view, &CInspectionView::LineAppended, this, &CInspectionViewEdit::OnLineAppended);
    connect(&view, &CInspectionView::LineInserted, this, &CInspectionViewEdit::OnLineInserted);
}

void CInspectionViewEdit::SetTextFormat(const FontSetting& font) {
    const ResultTextFormat format = ResultTextFormat::FromFontSetting(font);
    QFont face(format.faceName);
    if (format.pointSize > 0)
        face.setPointSizeF(format.pointSize);
    face.setBold(format.bold);
    face.setItalic(format.italic);
    face.setUnderline(format.underline);
    setFont(face);
    QPalette colours = palette();
    colours.setColor(QPalette::Text, QColor(format.red, format.green, format.blue));
    setPalette(colours);
    viewport()->update();
}

int CInspectionViewEdit::GetCaretLine() {
    Flush();
    return m_lineCount < 1 ? -1 : textCursor().blockNumber();
}

QStringList CInspectionViewEdit::Lines() {
    Flush();
    return m_lineCount == 0 ? QStringList() : toPlainText().split(QChar('\n'));
}

void CInspectionViewEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseDoubleClickEvent(event);
    const int line = GetCaretLine();
    if (line >= 0) {
        // The whole line with its break, the caret staying on the line.
        const QTextBlock block = document()->findBlockByNumber(line);
        QTextCursor cursor(block);
        cursor.setPosition(block.next().isValid() ? block.next().position() : block.position() + block.length() - 1);
        cursor.setPosition(block.position(), QTextCursor::KeepAnchor);
        setTextCursor(cursor);
    }
    m_view.OnLineDoubleClick(line, m_handler);
}

void CInspectionViewEdit::contextMenuEvent(QContextMenuEvent* event) {
    Flush();
    std::unique_ptr<QMenu> menu(createStandardContextMenu(event->pos()));
    if (m_localizeContextMenu)
        m_localizeContextMenu(*menu);
    menu->exec(event->globalPos());
}

void CInspectionViewEdit::OnCleared() {
    m_pending.clear();
    m_lineCount = 0;
    clear();
}

void CInspectionViewEdit::OnLineAppended(const QString& text) {
    // The first line of a burst asks for one flush after the lines already queued behind it.
    if (m_pending.isEmpty())
        QMetaObject::invokeMethod(this, &CInspectionViewEdit::Flush, Qt::QueuedConnection);
    m_pending.append(text);
}

void CInspectionViewEdit::OnLineInserted(int position, const QString& text) {
    Flush();
    if (position < 0 || position >= m_lineCount)
        return;
    QTextCursor cursor(document()->findBlockByNumber(position));
    cursor.insertText(text + QChar('\n'));
    ++m_lineCount;
    horizontalScrollBar()->setValue(0);
}

void CInspectionViewEdit::Flush() {
    if (m_pending.isEmpty())
        return;
    QString text = m_pending.join(QChar('\n'));
    if (m_lineCount > 0)
        text.prepend(QChar('\n'));
    m_lineCount += static_cast<int>(m_pending.size());
    m_pending.clear();
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
    setTextCursor(cursor);
    horizontalScrollBar()->setValue(0);
}
