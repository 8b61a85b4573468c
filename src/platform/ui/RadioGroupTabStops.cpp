#include "platform/ui/RadioGroupTabStops.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFocusEvent>
#include <QRadioButton>

namespace platform {

namespace {

// The checked button of the exclusive group the button belongs to, its button group or else the auto-exclusive
// buttons beside it; null when none is checked or the buttons exclude nothing.
QAbstractButton* CheckedInGroup(const QAbstractButton& button) {
    if (const QButtonGroup* group = button.group())
        return group->exclusive() ? group->checkedButton() : nullptr;
    if (!button.autoExclusive() || !button.parentWidget())
        return nullptr;
    for (QAbstractButton* other : button.parentWidget()->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly)) {
        if (!other->group() && other->autoExclusive() && other->isChecked())
            return other;
    }
    return nullptr;
}

class RadioGroupTabStops : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::FocusIn)
            return false;
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const auto* button = qobject_cast<QRadioButton*>(watched);
        if ((reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason) || !button || button->isChecked())
            return false;
        QAbstractButton* checked = CheckedInGroup(*button);
        if (!checked || !checked->isEnabled() || !checked->isVisibleTo(button->window()))
            return false;
        // The checked button takes the focus, and with it the group's one place in the Tab chain.
        checked->setFocus(reason);
        return true;
    }
};

} // namespace

void InstallRadioGroupTabStops(QApplication& application) {
    application.installEventFilter(new RadioGroupTabStops(&application));
}

} // namespace platform
