#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QStringList>
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

// The toolkit's own questions, which its dialogs ask in message boxes of their own rather than through the message
// sink: while it lives, each one that shows is noted and answered No.
class ToolkitQuestions {
public:
    ToolkitQuestions() {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            m_texts << box->text();
            if (QAbstractButton* no = box->button(QMessageBox::No))
                no->click();
            else
                box->reject();
        });
        m_timer.start();
    }

    QStringList Texts() const { return m_texts; }

private:
    QTimer m_timer;
    QStringList m_texts;
};
