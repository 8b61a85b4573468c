#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <functional>

// Runs `step` on the modal dialog the next action opens, once that dialog's event loop runs.
inline void OnNextModalDialog(std::function<void(QDialog&)> step) {
    QTimer::singleShot(0, [step = std::move(step)] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            step(*dialog);
    });
}
