#pragma once

#include "support/ProgramRun.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// Number of records in the instance table file of the runtime folder, -1 while there is none.
int InstanceCountIn(const QString& runtimeDirectory);

// Runs the real tobrel program as a user would in a terminal without a display: a fresh runtime and config
// directory, no DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM.
class TobrelSandbox {
public:
    TobrelSandbox();

    QString WorkPath(const QString& name) const { return m_work.filePath(name); }
    QString RuntimePath(const QString& name) const { return m_runtime.filePath(name); }
    void WriteFile(const QString& name, const QByteArray& bytes) const;

    // Starts tobrel in the work directory; the caller waits for it. `runtimeDirectory` replaces the sandbox's.
    std::unique_ptr<QProcess> Start(const QStringList& arguments, const QString& runtimeDirectory = {}) const;

    using Result = ProgramRun;
    // Runs tobrel to its end.
    Result Run(const QStringList& arguments, const QString& runtimeDirectory = {}) const;

    // Number of records in the instance table file, -1 while there is none.
    int InstanceCount() const;

    // A command that runs tobrel, given as its last arguments, instead of running it directly.
    QStringList launcher;

private:
    QTemporaryDir m_work;
    QTemporaryDir m_runtime;
    QTemporaryDir m_config;
};
