#pragma once

#include <QString>

#include <functional>
#include <memory>

class QApplication;
class QObject;

namespace platform {

// Without a display nobody can answer a dialog. While the returned object lives, every modal dialog the application
// shows (a file prompt, a question, a settings page) is cancelled as it shows, which is the answer it takes by
// default, and `notice` of the dialog's title is said as a message (on standard error, where messages go without a
// display); the dialog's caller goes on at once.
std::unique_ptr<QObject> CancelDialogsWithoutDisplay(QApplication& application,
                                                     std::function<QString(const QString&)> notice);

} // namespace platform
