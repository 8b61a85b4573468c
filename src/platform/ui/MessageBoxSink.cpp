#include "platform/ui/MessageBoxSink.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace platform {

namespace {

QMessageBox::StandardButton ToButton(MessageAnswer answer) {
    switch (answer) {
    case MessageAnswer::Ok:
        return QMessageBox::Ok;
    case MessageAnswer::Cancel:
        return QMessageBox::Cancel;
    case MessageAnswer::Retry:
        return QMessageBox::Retry;
    case MessageAnswer::Yes:
        return QMessageBox::Yes;
    case MessageAnswer::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon ToIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::None:
        return QMessageBox::NoIcon;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MessageAnswer QMessageBoxSink::Show(const MessageRequest& request) {
    const QString caption = request.caption.isEmpty() ? m_caption : request.caption;
    QMessageBox box(ToIcon(request.icon), caption, BreakLongRuns(request.text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    const QList<MessageAnswer> answers = request.Answers();
    for (qsizetype i = 0; i < answers.size(); ++i) {
        QPushButton* button = box.addButton(ToButton(answers[i]));
        if (i < request.buttonTexts.size())
            button->setText(request.buttonTexts[i]);
    }
    box.setDefaultButton(ToButton(request.DefaultAnswer()));
    // Closing the box with the title bar counts as Cancel where there is one, else as the only button.
    box.setEscapeButton(
        box.button(answers.contains(MessageAnswer::Cancel) ? QMessageBox::Cancel : ToButton(answers.back())));
    const int result = box.exec();
    for (MessageAnswer answer : answers) {
        if (result == ToButton(answer))
            return answer;
    }
    return request.DefaultAnswer();
}

} // namespace platform
