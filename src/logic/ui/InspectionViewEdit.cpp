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
    // Queued also when the writer is on this thread: lines written in one go arrive in one insertion.
    connect(&view, &CInspectionView::LinesWaiting, this, &CInspectionViewEdit::OnLinesWaiting, Qt::QueuedConnection);
    Flush();
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

bool CInspectionViewEdit::TakeBatch() {
    const InspectionViewLines taken = m_view.TakeLines(m_generation, m_lineCount, BatchLines);
    m_generation = taken.generation;
    if (taken.restart) {
        clear();
        m_lineCount = 0;
    }
    if (!taken.texts.isEmpty()) {
        QString text = taken.texts.join(QChar('\n'));
        if (m_lineCount > 0)
            text.prepend(QChar('\n'));
        m_lineCount += static_cast<int>(taken.texts.size());
        QTextCursor cursor(document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(text);
        setTextCursor(cursor);
        horizontalScrollBar()->setValue(0);
    }
    return taken.more;
}

void CInspectionViewEdit::OnLinesWaiting() {
    if (TakeBatch())
        QMetaObject::invokeMethod(this, &CInspectionViewEdit::OnLinesWaiting, Qt::QueuedConnection);
}

void CInspectionViewEdit::Flush() {
    while (TakeBatch()) {
    }
}
