#pragma once

#include <QString>

#include <functional>
#include <memory>

class QApplication;
class QDialog;
class QObject;

namespace platform {

// Without a display nobody can answer a dialog. While the returned object lives, every modal dialog the application
// shows (a file prompt, a question, a settings page) is cancelled as it shows, which is the answer it takes by
// default, and `notice` of the dialog's title is said as a message (on standard error, where messages go without a
// display); the dialog's caller goes on at once. A progress dialog asks nothing: it stays, and its work runs to its
// end.
std::unique_ptr<QObject> CancelDialogsWithoutDisplay(QApplication& application,
                                                     std::function<QString(const QString&)> notice);

// Marks `dialog` as one that only shows the progress of work and closes when the work ends.
void MarkAsProgressDialog(QDialog& dialog);

} // namespace platform
