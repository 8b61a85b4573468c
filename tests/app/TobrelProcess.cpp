#include "TobrelProcess.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <cstring>

TobrelSandbox::TobrelSandbox() {
    // QTemporaryDir makes its directories private to the user, as a runtime directory must be.
    EXPECT_TRUE(m_work.isValid() && m_runtime.isValid() && m_config.isValid());
}

void TobrelSandbox::WriteFile(const QString& name, const QByteArray& bytes) const {
    WriteFileBytes(WorkPath(name), bytes);
}

std::unique_ptr<QProcess> TobrelSandbox::Start(const QStringList& arguments, const QString& runtimeDirectory) const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    environment.insert("XDG_RUNTIME_DIR", runtimeDirectory.isEmpty() ? m_runtime.path() : runtimeDirectory);
    environment.insert("XDG_CONFIG_HOME", m_config.path());
    return StartProgram(QStringLiteral("tobrel"), arguments, environment, m_work.path(), launcher);
}

TobrelSandbox::Result TobrelSandbox::Run(const QStringList& arguments, const QString& runtimeDirectory) const {
    return FinishProgram(*Start(arguments, runtimeDirectory));
}

int TobrelSandbox::InstanceCount() const {
    return InstanceCountIn(RuntimePath(""));
}

int InstanceCountIn(const QString& runtimeDirectory) {
    QFile table(QDir(runtimeDirectory).filePath("NUV Cnv Shared 2.0"));
    if (!table.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray count = table.read(4);
    if (count.size() != 4)
        return -1;
    qint32 value = 0;
    std::memcpy(&value, count.constData(), sizeof(value));
    return value;
}
