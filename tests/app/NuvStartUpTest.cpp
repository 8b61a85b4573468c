#include "support/ProgramRun.h"

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Starts nuv without a display with the runtime and config directory in `dir`; it runs `commands` once its
// window shows.
std::unique_ptr<QProcess> StartNuv(const QTemporaryDir& dir, const QStringList& arguments, const QString& commands) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    environment.insert("XDG_RUNTIME_DIR", dir.filePath("runtime"));
    environment.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    environment.insert("NUV_RUN_COMMANDS", commands);
    return StartProgram(QStringLiteral("nuv"), arguments, environment, dir.path());
}

// Runs nuv to its end; the last of `commands` should end it.
ProgramRun RunNuv(const QTemporaryDir& dir, const QStringList& arguments, const QString& commands) {
    return FinishProgram(*StartNuv(dir, arguments, commands));
}

bool MakeRuntimeDirectory(const QTemporaryDir& dir) {
    return dir.isValid() && QDir(dir.path()).mkdir("runtime") &&
           QFile::setPermissions(dir.filePath("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace

TEST(NuvStartUp, OpensTheDocumentNamedAndLetsItGoOnExit) {
    QTemporaryDir dir;
    ASSERT_TRUE(MakeRuntimeDirectory(dir));
    const QString path = dir.filePath("layout.nuv");
    ASSERT_TRUE(QFile::copy(NUV_TEST_DATA_DIR "/docfile/layout.nuv", path));
    const QByteArray before = [&] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();

    // Shows a pane, chooses a look, exits.
    const ProgramRun run = RunNuv(dir, {path}, "32790 216 57665");
    EXPECT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    EXPECT_TRUE(run.standardError.isEmpty()) << run.standardError.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("~$layout.nuv")));
    QFile after(path);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);

    // A file that is not there is reported, and the window closes by itself.
    const ProgramRun missing = RunNuv(dir, {dir.filePath("missing.nuv")}, "");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.standardError.contains("ファイルを開くことができませんでした。"));

    // Without an argument a new document opens.
    EXPECT_EQ(RunNuv(dir, {}, "57665").exitCode, 0);
}

TEST(NuvStartUp, ASecondStartForAnOpenDocumentHandsItToItsProcessAndEnds) {
    QTemporaryDir dir;
    ASSERT_TRUE(MakeRuntimeDirectory(dir));
    const QString path = dir.filePath("layout.nuv");
    ASSERT_TRUE(QFile::copy(NUV_TEST_DATA_DIR "/docfile/layout.nuv", path));

    const std::unique_ptr<QProcess> first = StartNuv(dir, {path}, "");
    const QString ownerFile = dir.filePath("~$layout.nuv");
    for (int i = 0; i < 100 && !QFile::exists(ownerFile); ++i)
        first->waitForFinished(100);
    ASSERT_TRUE(QFile::exists(ownerFile));

    // No command ends the second one: it ends by itself, having handed the document over.
    const std::unique_ptr<QProcess> second = StartNuv(dir, {path}, "");
    ASSERT_TRUE(second->waitForFinished(20000));
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(first->state(), QProcess::Running);

    // Exit in any process closes the others.
    EXPECT_EQ(RunNuv(dir, {}, "57665").exitCode, 0);
    ASSERT_TRUE(first->waitForFinished(20000));
    EXPECT_EQ(first->exitCode(), 0);
    EXPECT_FALSE(QFile::exists(ownerFile));
}
