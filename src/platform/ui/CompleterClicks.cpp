#include "platform/ui/CompleterClicks.h"

#include "platform/CompletionList.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace platform {

namespace {

// The rows a list shortened for the buttons keeps at least, or else it goes to the other side of its field.
constexpr int kMinimumRows = 3;

// A list of completions is a list in a popup window of its own, whose focus stays with the field.
QAbstractItemView* CompletionList(QObject* watched) {
    auto* list = qobject_cast<QAbstractItemView*>(watched);
    return list && list->isWindow() && list->windowType() == Qt::Popup && list->focusProxy() ? list : nullptr;
}

// Places the list, each time the toolkit shows, moves or sizes it, so that it covers no button of the field's window.
void KeepOffButtons(QAbstractItemView& list) {
    const QWidget& field = *list.focusProxy();
    QList<QRect> buttons;
    for (const QAbstractButton* button : field.window()->findChildren<QAbstractButton*>()) {
        if (button->isVisible())
            buttons << QRect(button->mapToGlobal(QPoint(0, 0)), button->size());
    }
    const int rows = std::min(kMinimumRows, list.model() ? list.model()->rowCount() : 0);
    const QRect place =
        PlaceCompletionList(list.geometry(), QRect(field.mapToGlobal(QPoint(0, 0)), field.size()), buttons,
                            list.screen()->availableGeometry(), list.sizeHintForRow(0) * rows + 2 * list.frameWidth());
    if (place != list.geometry())
        list.setGeometry(place);
}

class CompleterClicks : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::Show && type != QEvent::Move && type != QEvent::Resize)
            return false;
        QAbstractItemView* list = CompletionList(watched);
        if (!list)
            return false;
        if (type != QEvent::MouseButtonPress) {
            KeepOffButtons(*list);
            return false;
        }
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
