#pragma once

#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>

// Double-clicks the 0-based line of the text, scrolled into view first.
inline void DoubleClickLine(QPlainTextEdit& edit, int line) {
    QTextCursor cursor(edit.document()->findBlockByNumber(line));
    edit.setTextCursor(cursor);
    edit.ensureCursorVisible();
    const QPoint point = edit.cursorRect(cursor).center() + QPoint(2, 0);
    QTest::mouseDClick(edit.viewport(), Qt::LeftButton, Qt::NoModifier, point);
}
