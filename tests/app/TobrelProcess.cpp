#include "TobrelProcess.h"

#include <QFile>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <cstring>

TobrelSandbox::TobrelSandbox() {
    // QTemporaryDir makes its directories private to the user, as a runtime directory must be.
    EXPECT_TRUE(m_work.isValid() && m_runtime.isValid() && m_config.isValid());
}

void TobrelSandbox::WriteFile(const QString& name, const QByteArray& bytes) const {
    QFile file(WorkPath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

std::unique_ptr<QProcess> TobrelSandbox::Start(const QStringList& arguments, const QString& runtimeDirectory) const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    environment.insert("XDG_RUNTIME_DIR", runtimeDirectory.isEmpty() ? m_runtime.path() : runtimeDirectory);
    environment.insert("XDG_CONFIG_HOME", m_config.path());
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment);
    process->setWorkingDirectory(m_work.path());
    const QString tobrel = QStringLiteral(NUV_BINARY_DIR "/tobrel");
    if (launcher.isEmpty())
        process->start(tobrel, arguments);
    else
        process->start(launcher.front(), launcher.mid(1) + QStringList{tobrel} + arguments);
    EXPECT_TRUE(process->waitForStarted());
    return process;
}

TobrelSandbox::Result TobrelSandbox::Run(const QStringList& arguments, const QString& runtimeDirectory) const {
    std::unique_ptr<QProcess> process = Start(arguments, runtimeDirectory);
    EXPECT_TRUE(process->waitForFinished(60000));
    Result result;
    result.exitCode = process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
    result.standardError = QString::fromUtf8(process->readAllStandardError());
    return result;
}

int TobrelSandbox::InstanceCount() const {
    QFile table(RuntimePath("NUV Cnv Shared 2.0"));
    if (!table.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray count = table.read(4);
    if (count.size() != 4)
        return -1;
    qint32 value = 0;
    std::memcpy(&value, count.constData(), sizeof(value));
    return value;
}
