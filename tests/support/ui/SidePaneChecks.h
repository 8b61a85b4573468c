#pragma once

#include "editor/ui/RichEditCtrlEx.h"
#include "editor/ui/SidePaneView.h"
#include "editor/ui/SplREdit.h"

#include <QAbstractTextDocumentLayout>
#include <QList>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <cstdlib>

// The logic lines the editor shows whose line in either column of the pane does not stand level with them on the
// screen (a pixel apart at most); empty when the pane reads across with the editor.
inline QList<int> LinesOutOfStep(const CSplREdit& editor, const CSidePaneView& pane) {
    QList<int> outOfStep;
    const int count = editor.Model().RecordCount();
    const int editorTop = editor.viewport()->mapToGlobal(QPoint(0, 0)).y();
    for (int line = editor.verticalScrollBar()->value(); line < count; ++line) {
        const QRectF beside = editor.LineRect(line);
        if (beside.top() >= editor.viewport()->height())
            break;
        for (const CRichEditCtrlEx* column : {&pane.LeftColumn(), &pane.RightColumn()}) {
            const QTextBlock paneLine = column->document()->findBlockByNumber(line);
            const qreal top = paneLine.isValid()
                                  ? column->document()->documentLayout()->blockBoundingRect(paneLine).top() -
                                        column->verticalScrollBar()->value()
                                  : -1000;
            if (std::abs(column->viewport()->mapToGlobal(QPoint(0, qRound(top))).y() -
                         (editorTop + qRound(beside.top()))) > 1) {
                outOfStep << line;
                break;
            }
        }
    }
    return outOfStep;
}
