#include "platform/ui/FileDropGuard.h"

#include "platform/DroppedFiles.h"
#include "platform/EditControlText.h"
#include "platform/ui/DropEdit.h"

#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <utility>

namespace platform {

namespace {

// A box that takes dropped text, but no file field (CDropEdit), which takes a dropped file as its path. The drag
// reaches a text edit's viewport.
bool IsTextBox(const QObject* widget) {
    if (qobject_cast<const QLineEdit*>(widget))
        return !qobject_cast<const CDropEdit*>(widget);
    const auto* area = qobject_cast<const QAbstractScrollArea*>(widget->parent());
    return area && area->viewport() == widget &&
           (qobject_cast<const QTextEdit*>(area) || qobject_cast<const QPlainTextEdit*>(area));
}

// Works on the events the desktop sends to a window, around the window's own handing of them to the widget under the
// pointer. The widgets answer the action the source proposes, which the desktop may give as a move even when the
// source offers a copy too: the answer the source hears is the action taken here.
class FileDropGuard : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if ((type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) || event == m_handed)
            return false;
        auto* drop = static_cast<QDropEvent*>(event);
        if (!drop->mimeData() || !drop->mimeData()->hasUrls())
            return false;
        if (!watched->isWindowType()) {
            // A text box other than a file field would insert a dropped file's address as text: it takes none, and
            // the drag goes on to what lies under it (the main window opens a dropped document).
            if (!IsTextBox(watched) || FirstDroppedFilePath(drop->mimeData()->urls()).isEmpty())
                return false;
            drop->ignore();
            return true;
        }
        const Qt::DropAction action = DroppedFileAction(drop->possibleActions());
        if (action == Qt::IgnoreAction) {
            drop->setDropAction(Qt::IgnoreAction);
            drop->ignore();
            // The widget that took the drag so far lets it go.
            if (type != QEvent::DragEnter) {
                QDragLeaveEvent leave;
                QCoreApplication::sendEvent(watched, &leave);
            }
            return true;
        }
        QEvent* const outer = std::exchange(m_handed, event);
        QCoreApplication::sendEvent(watched, drop);
        m_handed = outer;
        if (drop->isAccepted())
            drop->setDropAction(action);
        return true;
    }

private:
    // The event the window handles now, which passes.
    QEvent* m_handed = nullptr;
};

} // namespace

void InstallFileDropGuard(QApplication& application) {
    application.installEventFilter(new FileDropGuard(&application));
}

} // namespace platform
