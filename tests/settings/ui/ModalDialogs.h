#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <type_traits>

// Runs `step` on the modal dialog the next action opens, once that dialog's event loop runs. When another window
// or none is modal then, the test fails and the window is closed, so that the action returns.
template <typename Dialog = QDialog> void OnNextModalDialog(std::type_identity_t<std::function<void(Dialog&)>> step) {
    QTimer::singleShot(0, [step = std::move(step)] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            step(*dialog);
            return;
        }
        ADD_FAILURE() << "no " << Dialog::staticMetaObject.className() << " shows";
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
}
