#include "app/ApplicationShell.h"

#include <QCoreApplication>
#include <QProcess>

void CApplicationShell::StartInstance(const QStringList& arguments) {
    QProcess::startDetached(QCoreApplication::applicationFilePath(), arguments);
}
