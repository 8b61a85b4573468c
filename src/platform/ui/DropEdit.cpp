#include "platform/ui/DropEdit.h"

#include "platform/EditControlText.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

CDropEdit::CDropEdit(QWidget* parent) : CDropEdit(QString(), parent) {}

CDropEdit::CDropEdit(const QString& text, QWidget* parent) : QLineEdit(text, parent) {
    setAcceptDrops(true);
}

void CDropEdit::dragEnterEvent(QDragEnterEvent* event) {
    if (!FirstDroppedFilePath(event->mimeData()->urls()).isEmpty())
        event->acceptProposedAction();
    else
        QLineEdit::dragEnterEvent(event);
}

void CDropEdit::dragMoveEvent(QDragMoveEvent* event) {
    if (!FirstDroppedFilePath(event->mimeData()->urls()).isEmpty())
        event->acceptProposedAction();
    else
        QLineEdit::dragMoveEvent(event);
}

void CDropEdit::dropEvent(QDropEvent* event) {
    const QString path = FirstDroppedFilePath(event->mimeData()->urls());
    if (path.isEmpty()) {
        QLineEdit::dropEvent(event);
        return;
    }
    setText(path);
    event->acceptProposedAction();
}
