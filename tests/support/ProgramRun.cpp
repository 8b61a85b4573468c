#include "support/ProgramRun.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/prctl.h>

QStringList ProgramRun::Lines() const {
    QStringList lines = QString::fromUtf8(standardOutput).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

std::unique_ptr<QProcess> StartProgram(const QString& name, const QStringList& arguments,
                                       const QProcessEnvironment& environment, const QString& workingDirectory,
                                       const QStringList& launcher) {
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment);
    process->setWorkingDirectory(workingDirectory);
    // Should the test end before the program, killed on its time-out, the program ends with it.
    process->setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
    const QString program = QStringLiteral(NUV_BINARY_DIR "/") + name;
    if (launcher.isEmpty())
        process->start(program, arguments);
    else
        process->start(launcher.front(), launcher.mid(1) + QStringList{program} + arguments);
    EXPECT_TRUE(process->waitForStarted()) << name.toStdString();
    return process;
}

ProgramRun FinishProgram(QProcess& process) {
    if (process.state() != QProcess::NotRunning) {
        EXPECT_TRUE(process.waitForFinished(60000)) << process.program().toStdString();
    }
    ProgramRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.standardOutput = process.readAllStandardOutput();
    run.standardError = QString::fromUtf8(process.readAllStandardError());
    return run;
}

ProgramRun RunProgram(const QString& name, const QStringList& arguments, const QProcessEnvironment& environment,
                      const QString& workingDirectory) {
    return FinishProgram(*StartProgram(name, arguments, environment, workingDirectory));
}

bool CanLimitMemory() {
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
    return false;
#endif
#endif
    return true;
}

ProgramRun RunProgramWithinMemory(const QString& name, const QStringList& arguments, qint64 bytes,
                                  QProcessEnvironment environment) {
    QStringList launcher;
    if (CanLimitMemory())
        launcher = {QStringLiteral("prlimit"), QStringLiteral("--as=%1").arg(bytes), QStringLiteral("--")};
    // Each thread's own heap would reserve 64 MB of address space however little it holds: two heaps keep the
    // limit a bound on what the program allocates, on a machine of any number of cores.
    environment.insert(QStringLiteral("MALLOC_ARENA_MAX"), QStringLiteral("2"));
    return FinishProgram(*StartProgram(name, arguments, environment, QString(), launcher));
}
