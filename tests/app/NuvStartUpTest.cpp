#include "TobrelProcess.h"
#include "model/DocumentFile.h"
#include "platform/DocumentFileLock.h"
#include "platform/LivenessLock.h"
#include "support/ProgramRun.h"
#include "support/TestFiles.h"
#include "support/model/LockHolderName.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// Without a display, with the runtime and config directory in `dir`; nuv runs `commands` once its window shows.
QProcessEnvironment NuvEnvironment(const QTemporaryDir& dir, const QString& commands) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    environment.insert("XDG_RUNTIME_DIR", dir.filePath("runtime"));
    environment.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    environment.insert("NUV_RUN_COMMANDS", commands);
    return environment;
}

// Starts nuv in that environment, through `launcher` when one is given.
std::unique_ptr<QProcess> StartNuv(const QTemporaryDir& dir, const QStringList& arguments, const QString& commands,
                                   const QStringList& launcher = {}) {
    return StartProgram(QStringLiteral("nuv"), arguments, NuvEnvironment(dir, commands), dir.path(), launcher);
}

// Runs nuv to its end; the last of `commands` should end it.
ProgramRun RunNuv(const QTemporaryDir& dir, const QStringList& arguments, const QString& commands) {
    return FinishProgram(*StartNuv(dir, arguments, commands));
}

bool MakeRuntimeDirectory(const QTemporaryDir& dir) {
    return dir.isValid() && QDir(dir.path()).mkdir("runtime") &&
           QFile::setPermissions(dir.filePath("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// The sample document copied into the test's folder: its path, empty when it cannot be copied.
QString CopyLayoutInto(const QTemporaryDir& dir) {
    const QString path = dir.filePath("layout.nuv");
    return QFile::copy(NUV_TEST_DATA_DIR "/docfile/layout.nuv", path) ? path : QString();
}

} // namespace

TEST(NuvStartUp, OpensTheDocumentNamedAndLetsItGoOnExit) {
    QTemporaryDir dir;
    ASSERT_TRUE(MakeRuntimeDirectory(dir));
    const QString path = CopyLayoutInto(dir);
    ASSERT_FALSE(path.isEmpty());
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
    const QString path = CopyLayoutInto(dir);
    ASSERT_FALSE(path.isEmpty());

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

namespace {

// The processes whose parent this one is, by /proc: with this process their subreaper, those its children started and
// left too.
std::vector<pid_t> ChildProcesses() {
    std::vector<pid_t> children;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool isProcess = false;
        const pid_t pid = entry.toInt(&isProcess);
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!isProcess || !stat.open(QIODevice::ReadOnly))
            continue;
        // After the name in parentheses: the state, then the parent.
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields[1].toInt() == getpid())
            children.push_back(pid);
    }
    return children;
}

// Makes the test the subreaper of what its children start, so that it sees them and ends them: when it ends, every
// one of them left is killed and waited for.
class AdoptedProcesses {
public:
    AdoptedProcesses() { adopting = prctl(PR_SET_CHILD_SUBREAPER, 1) == 0; }
    ~AdoptedProcesses() {
        // One that is being started may come a moment later: quiet for half a second ends the watch.
        for (int quiet = 0; quiet < 5;) {
            const std::vector<pid_t> left = ChildProcesses();
            quiet = left.empty() ? quiet + 1 : 0;
            for (const pid_t pid : left) {
                kill(pid, SIGKILL);
                waitpid(pid, nullptr, 0);
            }
            QThread::msleep(100);
        }
        prctl(PR_SET_CHILD_SUBREAPER, 0);
    }
    AdoptedProcesses(const AdoptedProcesses&) = delete;
    AdoptedProcesses& operator=(const AdoptedProcesses&) = delete;

    bool adopting = false;
};

// Waits up to `milliseconds` for the adopted child `pid` to end; true with its exit status 0.
bool EndsWell(pid_t pid, int milliseconds) {
    QDeadlineTimer deadline(milliseconds);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

// The commands to run are the editor's own: the editor that New starts is not given them, so that it does not run
// New in turn, one editor after another.
TEST(NuvStartUp, TheEditorThatNewStartsIsNotGivenTheCommandsToRun) {
    QTemporaryDir dir;
    ASSERT_TRUE(MakeRuntimeDirectory(dir));
    const AdoptedProcesses adopted;
    ASSERT_TRUE(adopted.adopting);
    const std::unique_ptr<QProcess> editor = StartNuv(dir, {}, "57600");
    const QString runtime = dir.filePath("runtime");
    QDeadlineTimer registered(30000);
    while (InstanceCountIn(runtime) < 2 && !registered.hasExpired())
        QThread::msleep(20);
    ASSERT_EQ(InstanceCountIn(runtime), 2);
    std::vector<pid_t> started = ChildProcesses();
    std::erase(started, static_cast<pid_t>(editor->processId()));
    ASSERT_EQ(started.size(), 1u);
    QFile environment(QStringLiteral("/proc/%1/environ").arg(started[0]));
    ASSERT_TRUE(environment.open(QIODevice::ReadOnly));
    const QList<QByteArray> variables = environment.readAll().split('\0');
    EXPECT_TRUE(variables.contains("XDG_RUNTIME_DIR=" + QFile::encodeName(runtime)));
    EXPECT_FALSE(std::any_of(variables.begin(), variables.end(),
                             [](const QByteArray& variable) { return variable.startsWith("NUV_RUN_COMMANDS="); }));

    // Exit in a third closes both.
    EXPECT_EQ(RunNuv(dir, {}, "57665").exitCode, 0);
    ASSERT_TRUE(editor->waitForFinished(20000));
    EXPECT_EQ(editor->exitCode(), 0);
    EXPECT_TRUE(EndsWell(started[0], 20000));
    EXPECT_EQ(InstanceCountIn(runtime), 0);
}

namespace {

// A running editor of `path`, with its runtime folder in `dir`: started (through `launcher` when one is given), and
// waited for until it holds the document.
std::unique_ptr<QProcess> StartHolder(const QTemporaryDir& dir, const QString& path, const QStringList& launcher = {}) {
    std::unique_ptr<QProcess> editor = StartNuv(dir, {path}, "", launcher);
    const QString ownerFile = QFileInfo(path).dir().filePath("~$" + QFileInfo(path).fileName());
    for (int i = 0; i < 200 && !QFile::exists(ownerFile); ++i)
        editor->waitForFinished(100);
    EXPECT_TRUE(QFile::exists(ownerFile));
    return editor;
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The tools that write documents, run with the runtime folder `runtime`, each writing over `path`.
std::vector<ProgramRun> WriteWithTools(const QString& runtime, const QString& path) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", runtime);
    const QString input = NUV_TEST_DATA_DIR "/docfile/layout.nuv";
    return {RunProgram(QStringLiteral("nuvdump"), {"--resave", input, path}, environment),
            RunProgram(QStringLiteral("nuvdump"), {"--export-older", input, path}, environment),
            RunProgram(QStringLiteral("nuvsearch"),
                       {"replace", input, "--text", "システム", "--with", "X", "--in", "names", "-o", path},
                       environment)};
}

} // namespace

// Its owner file, its record and its lock on the document go: the document is another's to open at once.
TEST(NuvStartUp, AnEditorEndedBySigtermSighupOrSigintClosesAsExitDoes) {
    for (const int signalNumber : {SIGTERM, SIGHUP, SIGINT}) {
        SCOPED_TRACE(signalNumber);
        QTemporaryDir dir;
        ASSERT_TRUE(MakeRuntimeDirectory(dir));
        const QString path = CopyLayoutInto(dir);
        ASSERT_FALSE(path.isEmpty());
        // As from a terminal, whatever this test inherited.
        const std::unique_ptr<QProcess> editor = StartHolder(dir, path, {"env", "--default-signal=HUP,INT,TERM"});
        ASSERT_EQ(InstanceCountIn(dir.filePath("runtime")), 1);
        ASSERT_EQ(kill(static_cast<pid_t>(editor->processId()), signalNumber), 0);
        ASSERT_TRUE(editor->waitForFinished(20000));
        EXPECT_TRUE(editor->exitStatus() == QProcess::NormalExit && editor->exitCode() == 0);
        EXPECT_FALSE(QFile::exists(dir.filePath("~$layout.nuv")));
        EXPECT_EQ(InstanceCountIn(dir.filePath("runtime")), 0);
        EXPECT_FALSE(platform::DocumentFileLock::IsHeldElsewhere(path));
    }
}

namespace {

// The signals the process ignores, as /proc says: bit N-1 for signal N.
quint64 IgnoredSignals(qint64 processId) {
    QFile status(QStringLiteral("/proc/%1/status").arg(processId));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("SigIgn:"))
            return line.mid(7).trimmed().toULongLong(nullptr, 16);
    }
    return 0;
}

} // namespace

// Started under nohup, or as a job a script started in the background, the editor keeps the signals it inherited
// ignored: a closed terminal or Ctrl+C asks nothing of it, and what it starts inherits them ignored in turn. A
// termination still closes it as Exit does.
TEST(NuvStartUp, ASignalInheritedIgnoredStaysIgnored) {
    QTemporaryDir dir;
    ASSERT_TRUE(MakeRuntimeDirectory(dir));
    const QString path = CopyLayoutInto(dir);
    ASSERT_FALSE(path.isEmpty());
    const std::unique_ptr<QProcess> editor =
        StartHolder(dir, path, {"env", "--ignore-signal=HUP,INT", "--default-signal=TERM"});
    const quint64 hangUpAndInterrupt = (quint64{1} << (SIGHUP - 1)) | (quint64{1} << (SIGINT - 1));
    EXPECT_EQ(IgnoredSignals(editor->processId()) & hangUpAndInterrupt, hangUpAndInterrupt);
    for (const int signalNumber : {SIGHUP, SIGINT})
        ASSERT_EQ(kill(static_cast<pid_t>(editor->processId()), signalNumber), 0);
    EXPECT_FALSE(editor->waitForFinished(2000));
    EXPECT_TRUE(QFile::exists(dir.filePath("~$layout.nuv")));
    ASSERT_EQ(kill(static_cast<pid_t>(editor->processId()), SIGTERM), 0);
    ASSERT_TRUE(editor->waitForFinished(20000));
    EXPECT_TRUE(editor->exitStatus() == QProcess::NormalExit && editor->exitCode() == 0);
    EXPECT_FALSE(QFile::exists(dir.filePath("~$layout.nuv")));
}

// An editor that waits at its start in a message about what it cannot use (a document too large to read, settings it
// cannot read) is closed by another editor's Exit, as every editor of the user is.
TEST(NuvStartUp, ExitInAnotherEditorEndsTheMessageOfAStart) {
    QTemporaryDir dir;
    ASSERT_TRUE(MakeRuntimeDirectory(dir));
    const QString huge = dir.filePath("huge.nuv");
    WriteSparseFile(huge, MaxDocumentFileBytes() + 1);
    const QString settings = dir.filePath("config/Brelk/NUV.ini");
    // A platform without a screen, and a display named all the same: the editor shows its message and waits.
    const QStringList windows = {"env", "DISPLAY=:0", "QT_QPA_PLATFORM=minimal"};
    for (const bool unusableSettings : {false, true}) {
        SCOPED_TRACE(unusableSettings);
        // A folder where the settings file should be.
        if (unusableSettings) {
            QFile::remove(settings);
            ASSERT_TRUE(QDir().mkpath(settings));
        }
        const std::unique_ptr<QProcess> editor =
            StartNuv(dir, unusableSettings ? QStringList() : QStringList{huge}, "", windows);
        QDeadlineTimer registered(20000);
        while (InstanceCountIn(dir.filePath("runtime")) != 1 && !registered.hasExpired())
            QThread::msleep(10);
        EXPECT_FALSE(editor->waitForFinished(1000));
        EXPECT_EQ(RunNuv(dir, {}, "57665").exitCode, 0);
        // A start under load (the whole suite at once) can take long before the message shows.
        ASSERT_TRUE(editor->waitForFinished(60000));
        EXPECT_TRUE(editor->exitStatus() == QProcess::NormalExit && editor->exitCode() == 0) << editor->exitCode();
        EXPECT_EQ(InstanceCountIn(dir.filePath("runtime")), 0);
    }
}

// Without a display nobody answers a prompt: Save of a document another editor holds, which asks for another name,
// saves nothing, says so on standard error and goes on.
TEST(NuvStartUp, WithoutADisplayAPromptIsNeverWaitedOn) {
    QTemporaryDir dir;
    QTemporaryDir other;
    ASSERT_TRUE(MakeRuntimeDirectory(dir) && MakeRuntimeDirectory(other));
    const QString path = CopyLayoutInto(dir);
    ASSERT_FALSE(path.isEmpty());
    const std::unique_ptr<QProcess> holder = StartHolder(dir, path);

    const ProgramRun run = RunNuv(other, {path}, "57603 57665");
    EXPECT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    EXPECT_TRUE(run.standardError.contains("cannot be answered without a display")) << run.standardError.toStdString();
    EXPECT_EQ(ReadBytes(path), ReadBytes(NUV_TEST_DATA_DIR "/docfile/layout.nuv"));
    // The owner file is the holder's.
    EXPECT_EQ(QDir(dir.path()).entryList({"*.nuv*"}, QDir::Files | QDir::Hidden),
              QStringList({"layout.nuv", "~$layout.nuv"}));
    holder->terminate();
    EXPECT_TRUE(holder->waitForFinished(20000));
}

// A save beyond the limit on file sizes fails as any write does: reported, the old file whole, nothing left beside
// it; the editor and the tools end by themselves, never by the signal of the limit.
TEST(NuvStartUp, AFileTooLargeForTheLimitIsAFailedSave) {
    QTemporaryDir dir;
    ASSERT_TRUE(MakeRuntimeDirectory(dir));
    const QString path = CopyLayoutInto(dir);
    ASSERT_FALSE(path.isEmpty());
    ASSERT_TRUE(QFile::copy(path, dir.filePath("copy.nuv")));
    const QByteArray before = ReadBytes(path);
    // Room for the instance table, not for the document.
    ASSERT_GT(before.size(), 20480);
    QProcessEnvironment environment = NuvEnvironment(dir, "57603 57665");
    environment.insert("XDG_CACHE_HOME", dir.filePath("cache"));
    const QStringList limit = {"prlimit", "--fsize=20480", "--"};
    const std::vector<std::pair<ProgramRun, int>> runs = {
        {FinishProgram(*StartProgram("nuv", {path}, environment, dir.path(), limit)), 0},
        {FinishProgram(
             *StartProgram("nuvdump", {"--resave", path, dir.filePath("copy.nuv")}, environment, dir.path(), limit)),
         1}};
    for (const auto& [run, exitCode] : runs) {
        EXPECT_EQ(run.exitCode, exitCode) << run.standardError.toStdString();
        EXPECT_TRUE(run.standardError.contains("File too large")) << run.standardError.toStdString();
        EXPECT_EQ(ReadBytes(path), before);
        EXPECT_EQ(ReadBytes(dir.filePath("copy.nuv")), before);
        EXPECT_EQ(QDir(dir.path()).entryList({"*.nuv*"}, QDir::Files | QDir::Hidden),
                  QStringList({"copy.nuv", "layout.nuv"}));
    }
}

TEST(NuvStartUp, ADocumentUnderALongPathIsHeldAgainstToolsAndHandedToItsEditor) {
    QTemporaryDir dir;
    ASSERT_TRUE(MakeRuntimeDirectory(dir));
    // Longer than the instance table keeps of a path.
    const QString folder = dir.filePath(QString(120, u'f') + QLatin1Char('/') + QString(120, u'g'));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/layout.nuv");
    ASSERT_GT(path.size(), 259);
    ASSERT_TRUE(QFile::copy(NUV_TEST_DATA_DIR "/docfile/layout.nuv", path));
    const QByteArray before = ReadBytes(path);
    const std::unique_ptr<QProcess> editor = StartHolder(dir, path);

    for (const ProgramRun& run : WriteWithTools(dir.filePath("runtime"), path)) {
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.standardError.contains(QStringLiteral("%1 は使用中です。").arg(path)))
            << run.standardError.toStdString();
    }
    EXPECT_EQ(ReadBytes(path), before);

    // A second editor of the document hands it to the first and ends by itself, as for a short path.
    const std::unique_ptr<QProcess> second = StartNuv(dir, {path}, "");
    EXPECT_TRUE(second->waitForFinished(15000));
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(editor->state(), QProcess::Running);

    EXPECT_EQ(RunNuv(dir, {}, "57665").exitCode, 0);
    ASSERT_TRUE(editor->waitForFinished(20000));
}

// A runtime folder whose path leaves no room for a socket's name in a local socket's address: Exit in another editor
// reaches the editor all the same, through a socket that only the user may use.
TEST(NuvStartUp, ExitReachesAnEditorWhoseRuntimeFolderHasALongPath) {
    const QString temporary = QDir::tempPath() + QLatin1Char('/');
    // "<temporary>/ppp...-XXXXXX/runtime", of 102 characters.
    QTemporaryDir dir(temporary + QString(102 - 15 - temporary.size(), u'p') + "-XXXXXX");
    ASSERT_TRUE(MakeRuntimeDirectory(dir));
    const QString runtime = dir.filePath("runtime");
    ASSERT_EQ(runtime.size(), 102);
    const QString path = CopyLayoutInto(dir);
    ASSERT_FALSE(path.isEmpty());
    const std::unique_ptr<QProcess> editor = StartHolder(dir, path);

    const QByteArray socket =
        QFile::encodeName(platform::InstanceSocketPath(runtime, static_cast<quint32>(editor->processId())));
    struct stat status {};
    EXPECT_EQ(lstat(socket.constData(), &status), 0);
    EXPECT_TRUE(S_ISSOCK(status.st_mode));
    EXPECT_EQ(status.st_mode & 07777, 0700u);
    EXPECT_EQ(RunNuv(dir, {}, "57665").exitCode, 0);
    ASSERT_TRUE(editor->waitForFinished(20000));
    EXPECT_EQ(editor->exitCode(), 0);
    EXPECT_FALSE(QFile::exists(dir.filePath("~$layout.nuv")));
    EXPECT_NE(lstat(socket.constData(), &status), 0);
}

// Where /proc is not mounted (some sandboxes), Exit in one editor reaches another all the same.
TEST(NuvStartUp, ExitReachesAnEditorWhereProcIsNotMounted) {
    // A namespace of its own, with an empty file system over /proc.
    const QStringList withoutProc = {
        "unshare", "--map-root-user", "--mount", "sh", "-c", "mount -t tmpfs nuvtest /proc && exec \"$@\"", "sh"};
    if (QProcess::execute(withoutProc[0], withoutProc.mid(1) + QStringList{"test", "!", "-e", "/proc/self"}) != 0)
        GTEST_SKIP() << "/proc cannot be hidden here";
    QTemporaryDir dir;
    ASSERT_TRUE(MakeRuntimeDirectory(dir));
    const QString path = CopyLayoutInto(dir);
    ASSERT_FALSE(path.isEmpty());
    const std::unique_ptr<QProcess> editor = StartHolder(dir, path, withoutProc);

    EXPECT_EQ(FinishProgram(*StartNuv(dir, {}, "57665", withoutProc)).exitCode, 0);
    ASSERT_TRUE(editor->waitForFinished(20000));
    EXPECT_EQ(editor->exitCode(), 0);
    EXPECT_FALSE(QFile::exists(dir.filePath("~$layout.nuv")));
}

// A process started before another editor's Exit that becomes an editor after it, as a terminal's or a wrapper script's
// `exec nuv` does, is an editor started after the Exit: it stays.
TEST(NuvStartUp, AnEditorExecutedAfterAnExitByAProcessStartedBeforeItStays) {
    QTemporaryDir dir;
    ASSERT_TRUE(MakeRuntimeDirectory(dir));
    const QString path = CopyLayoutInto(dir);
    ASSERT_FALSE(path.isEmpty());
    // A shell that becomes the editor once it reads a line.
    const std::unique_ptr<QProcess> editor = StartNuv(dir, {path}, "", {"sh", "-c", "read line && exec \"$@\"", "sh"});
    EXPECT_EQ(RunNuv(dir, {}, "57665").exitCode, 0);
    editor->write("\n");
    const QString ownerFile = dir.filePath("~$layout.nuv");
    for (int i = 0; i < 200 && !QFile::exists(ownerFile); ++i)
        editor->waitForFinished(100);
    ASSERT_TRUE(QFile::exists(ownerFile));
    EXPECT_FALSE(editor->waitForFinished(2000));

    EXPECT_EQ(RunNuv(dir, {}, "57665").exitCode, 0);
    ASSERT_TRUE(editor->waitForFinished(20000));
    EXPECT_EQ(editor->exitCode(), 0);
}

TEST(NuvStartUp, AnEditorOfAnotherRuntimeFolderOrAnotherProgramsLockHoldsTheDocumentAgainstTools) {
    QTemporaryDir dir;
    QTemporaryDir other;
    ASSERT_TRUE(MakeRuntimeDirectory(dir) && MakeRuntimeDirectory(other));
    const QString path = CopyLayoutInto(dir);
    ASSERT_FALSE(path.isEmpty());
    const QByteArray before = ReadBytes(path);
    const std::unique_ptr<QProcess> editor = StartHolder(dir, path);

    // Under another runtime folder the tools see another table, but the file's lock still tells.
    for (const ProgramRun& run : WriteWithTools(other.filePath("runtime"), path)) {
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.standardError.contains(QStringLiteral("%1 は使用中です。\n\n使用者は'").arg(path)))
            << run.standardError.toStdString();
    }
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(RunNuv(dir, {}, "57665").exitCode, 0);
    ASSERT_TRUE(editor->waitForFinished(20000));

    // Another program's lock on the file, met through another hard link of it, which a write goes into in place.
    const QString linked = dir.filePath("linked.nuv");
    ASSERT_EQ(link(QFile::encodeName(path).constData(), QFile::encodeName(linked).constData()), 0);
    QProcess locker;
    // The lock is taken by the process that holds it, which is the one killed at the end.
    locker.start("flock", {"--no-fork", path, "sleep", "30"});
    ASSERT_TRUE(locker.waitForStarted());
    for (int i = 0; i < 100 && !platform::DocumentFileLock::IsHeldElsewhere(path); ++i)
        QThread::msleep(50);
    for (const ProgramRun& run : WriteWithTools(dir.filePath("runtime"), linked)) {
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.standardError.contains(
            QStringLiteral("%1 は使用中です。\n\n使用者は'%2'です。").arg(linked, LockHolderName(locker.processId()))))
            << run.standardError.toStdString();
    }
    locker.kill();
    locker.waitForFinished();
    EXPECT_EQ(ReadBytes(path), before);
}
