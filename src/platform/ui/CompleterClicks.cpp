#include "platform/ui/CompleterClicks.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QMouseEvent>
#include <QWindow>

namespace platform {

namespace {

class CompleterClicks : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonPress)
            return false;
        // A list of completions is a list in a popup window of its own, whose focus stays with the field.
        auto* list = qobject_cast<QAbstractItemView*>(watched);
        if (!list || !list->isWindow() || list->windowType() != Qt::Popup || !list->focusProxy())
            return false;
        const auto* press = static_cast<QMouseEvent*>(event);
        const QPoint global = press->globalPosition().toPoint();
        if (list->rect().contains(list->mapFromGlobal(global)))
            return false;
        // The toolkit hands the click on by itself on some desktops: it is handed on here alone.
        list->setAttribute(Qt::WA_NoMouseReplay);
        list->hide();
        QWidget* target = QApplication::widgetAt(global);
        QWindow* window = target ? target->window()->windowHandle() : nullptr;
        if (window && target->window() == list->focusProxy()->window()) {
            const QPointF local = window->mapFromGlobal(press->globalPosition());
            QMouseEvent handedOn(QEvent::MouseButtonPress, local, local, press->globalPosition(), press->button(),
                                 press->buttons(), press->modifiers(), press->pointingDevice());
            QCoreApplication::sendEvent(window, &handedOn);
        }
        return true;
    }
};

} // namespace

void InstallCompleterClicks(QApplication& application) {
    application.installEventFilter(new CompleterClicks(&application));
}

} // namespace platform
