#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <memory>

// A program of this build (tobrel, nuvdump, nuvinspect ...) run to its end: its exit status and what it wrote.
struct ProgramRun {
    int exitCode = -1; // -1 when it did not exit by itself
    QByteArray standardOutput;
    QString standardError;

    // Standard output as UTF-8 lines, without their line breaks.
    QStringList Lines() const;
};

// Starts a program of this build, through `launcher` (a command given the program as its last arguments)
// when there is one; the caller waits for it. It is killed when the test process ends.
std::unique_ptr<QProcess>
StartProgram(const QString& name, const QStringList& arguments,
             const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
             const QString& workingDirectory = QString(), const QStringList& launcher = {});

// Waits for a started program (at most a minute) and collects what it wrote.
ProgramRun FinishProgram(QProcess& process);

// Runs a program of this build to its end.
ProgramRun RunProgram(const QString& name, const QStringList& arguments,
                      const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
                      const QString& workingDirectory = QString());

// Whether a program of this build can be run within a bounded address space: not in the sanitizer build, whose shadow
// memory needs more address space than any such limit leaves.
bool CanLimitMemory();

// Runs a program of this build to its end within an address space of `bytes`, as a machine short of memory would
// (without the bound where CanLimitMemory says it cannot be set).
ProgramRun RunProgramWithinMemory(const QString& name, const QStringList& arguments, qint64 bytes,
                                  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment());
