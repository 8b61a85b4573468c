#include "platform/ui/HeadlessDialogs.h"

#include "platform/MessageBox.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>

namespace platform {

namespace {

constexpr char kProgressDialog[] = "nuvProgressDialog";

class HeadlessDialogs : public QObject {
public:
    explicit HeadlessDialogs(std::function<QString(const QString&)> notice) : m_notice(std::move(notice)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show)
            return false;
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (!dialog || !dialog->isModal() || dialog->property(kProgressDialog).toBool())
            return false;
        // Said as every message is without a display: on standard error, through the message sink.
        ShowMessageBox(m_notice(dialog->windowTitle()), MessageButtons::Ok, MessageIcon::Information);
        // Once the dialog's own loop runs, which follows its showing.
        QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
        return false;
    }

private:
    std::function<QString(const QString&)> m_notice;
};

} // namespace

std::unique_ptr<QObject> CancelDialogsWithoutDisplay(QApplication& application,
                                                     std::function<QString(const QString&)> notice) {
    auto filter = std::make_unique<HeadlessDialogs>(std::move(notice));
    application.installEventFilter(filter.get());
    return filter;
}

void MarkAsProgressDialog(QDialog& dialog) {
    dialog.setProperty(kProgressDialog, true);
}

} // namespace platform
