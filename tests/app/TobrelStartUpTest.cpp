#include "TobrelProcess.h"

#include "platform/InstanceTable.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

#include <cstring>
#include <signal.h>
#include <vector>

namespace {

const QString kTooManyInstances = QStringLiteral("NUVは16個より多くは同時に起動できません。");
const QString kDropHint =
    QStringLiteral("変換するFreeMind MapファイルをTobrel.exeのアイコン上にドラッグ＆ドロップしてください。\n");
const QString kMapRefused = QStringLiteral("Mapファイルの変換に失敗しました。\nファイルを確認してください。\n");

QStringList DocumentsIn(const QString& directory) {
    return QDir(directory).entryList({"*.nuv", "*.nuv.*", ".*.nuv*"}, QDir::Files | QDir::Hidden);
}

bool WaitFor(const std::function<bool()>& condition) {
    QDeadlineTimer deadline(20000);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return true;
}

// large.mm: long to read, quick to convert and save.
void WriteLongMap(const TobrelSandbox& sandbox) {
    sandbox.WriteFile("large.mm", "<map><node TEXT=\"root\" PAD=\"" + QByteArray(100'000'000, 'p') +
                                      "\"><node TEXT=\"a\"/></node></map>");
}

} // namespace

TEST(TobrelStartUp, NoArgumentGivesOneHintAndWritesNothing) {
    TobrelSandbox sandbox;
    const TobrelSandbox::Result result = sandbox.Run({});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.standardError, kDropHint);
    EXPECT_TRUE(QDir(sandbox.WorkPath("")).isEmpty());
    // The process left the table as it found it: no record of its own.
    EXPECT_EQ(sandbox.InstanceCount(), 0);
}

TEST(TobrelStartUp, MapsThatAreNotMapsAreRefusedWithTheMessage) {
    TobrelSandbox sandbox;
    const std::vector<std::pair<QString, QByteArray>> maps = {
        {"capital.mm", R"(<Map version="1.0.1"><node TEXT="Root"/></Map>)"},
        {"empty-map.mm", R"(<map version="1.0.1"/>)"},
        {"blank-map.mm", "<map version=\"1.0.1\">\n   \n</map>\n"},
        {"broken.mm", R"(<map version="1.0.1"><node TEXT="Root"></map>)"},
        {"text.mm", "just some text\n"},
        {"zero.mm", ""},
    };
    for (const auto& [name, bytes] : maps) {
        sandbox.WriteFile(name, bytes);
        const TobrelSandbox::Result result = sandbox.Run({name});
        EXPECT_EQ(result.exitCode, 1) << name.toStdString();
        EXPECT_EQ(result.standardError, kMapRefused) << name.toStdString();
    }
    const TobrelSandbox::Result missing = sandbox.Run({"missing.mm"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.standardError, kMapRefused);
    EXPECT_TRUE(DocumentsIn(sandbox.WorkPath("")).isEmpty());
}

// Sixteen real instances are held busy by reading their maps from named pipes that nobody writes to, the
// way a map on a slow network share would hold them. They are registered by then, so a seventeenth start
// is refused; once they are killed their records are stale and a new start goes through.
TEST(TobrelStartUp, SeventeenthInstanceIsRefusedUntilTheOthersAreGone) {
    TobrelSandbox sandbox;
    std::vector<std::unique_ptr<QProcess>> busy;
    // Editors beside it, each with a new document, take the places until they are ended.
    sandbox.launcher = {QStringLiteral("/bin/sh"), QStringLiteral("-c"), QStringLiteral("exec \"${0%/*}/nuv\"")};
    for (int i = 0; i < kMaxInstances; ++i)
        busy.push_back(sandbox.Start({}));
    sandbox.launcher.clear();
    ASSERT_TRUE(WaitFor([&] { return sandbox.InstanceCount() == kMaxInstances; }));

    const TobrelSandbox::Result refused = sandbox.Run({});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.standardError, kTooManyInstances + "\n");
    EXPECT_EQ(sandbox.InstanceCount(), kMaxInstances);

    for (auto& process : busy) {
        process->kill();
        EXPECT_TRUE(process->waitForFinished());
    }
    const TobrelSandbox::Result accepted = sandbox.Run({});
    EXPECT_EQ(accepted.standardError, kDropHint);
    EXPECT_EQ(sandbox.InstanceCount(), 0);
}

TEST(TobrelStartUp, StaleOrDamagedTablesDoNotLockUsersOut) {
    TobrelSandbox sandbox;
    InstanceTable table;
    std::memset(&table, 0, sizeof(table));
    for (int i = 0; i < kMaxInstances; ++i) {
        InstanceRecord record{};
        record.processId = 4000000 + i; // no such processes: nobody holds their liveness locks
        record.mainWindow = record.processId;
        table.Register(record);
    }
    const auto writeTable = [&](const InstanceTable& content) {
        QFile file(sandbox.RuntimePath("NUV Cnv Shared 2.0"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(reinterpret_cast<const char*>(&content), sizeof(content));
    };
    writeTable(table);
    EXPECT_EQ(sandbox.Run({}).standardError, kDropHint);
    EXPECT_EQ(sandbox.InstanceCount(), 0);

    std::memset(&table, 0xA5, sizeof(table));
    writeTable(table);
    EXPECT_EQ(sandbox.Run({}).standardError, kDropHint);
    EXPECT_EQ(sandbox.InstanceCount(), 0);
}

TEST(TobrelStartUp, AnUnusableRuntimeDirectoryHasItsOwnMessage) {
    TobrelSandbox sandbox;
    const TobrelSandbox::Result result = sandbox.Run({}, sandbox.WorkPath("no/such/directory"));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(
        result.standardError.contains("The file that keeps track of the running NUV editors could not be made.\n"))
        << result.standardError.toStdString();
    EXPECT_FALSE(result.standardError.contains(kTooManyInstances));
}

// The converter ends as soon as its document is saved; what it shared with other processes goes with it
// all the same, on success and on failure: no record in the table, no liveness lock, no message socket.
TEST(TobrelStartUp, AnEndedConversionLeavesNoRecordLockOrSocketBehind) {
    TobrelSandbox sandbox;
    sandbox.WriteFile("plan.mm", R"(<map><node TEXT="Root"><node TEXT="A"/></node></map>)");
    sandbox.WriteFile("broken.mm", R"(<map><node TEXT="Root"></map>)");
    // Files of the user's beside the document to be made, named as temporary files once were, are left alone.
    const QStringList mine = {"plan.nuv.2023-final", "plan.nuv.3999998-draft"};
    for (const QString& name : mine)
        sandbox.WriteFile(name, "mine");
    for (const auto& [map, exitCode] : std::vector<std::pair<QString, int>>{{"plan.mm", 0}, {"broken.mm", 1}}) {
        const TobrelSandbox::Result result = sandbox.Run({map});
        EXPECT_EQ(result.exitCode, exitCode) << map.toStdString();
        EXPECT_EQ(sandbox.InstanceCount(), 0) << map.toStdString();
        const QStringList left =
            QDir(sandbox.RuntimePath("")).entryList({"nuv-alive-*", "nuv-*.sock"}, QDir::AllEntries | QDir::System);
        EXPECT_TRUE(left.isEmpty()) << left.join(' ').toStdString();
    }
    EXPECT_EQ(DocumentsIn(sandbox.WorkPath("")), QStringList({"plan.nuv", mine[0], mine[1]}));
}

// Asked to end (a termination, a hang-up, Ctrl+C) while it still reads the map, the converter stops there, writes
// nothing and ends with status 1; its place in the table goes.
TEST(TobrelStartUp, ARequestToEndStopsTheConversionAndSavesNothing) {
    TobrelSandbox sandbox;
    WriteLongMap(sandbox);
    // As from a terminal, whatever this test inherited.
    sandbox.launcher = {"env", "--default-signal=HUP,INT,TERM"};
    for (const int signalNumber : {SIGTERM, SIGHUP, SIGINT}) {
        SCOPED_TRACE(signalNumber);
        const std::unique_ptr<QProcess> converter = sandbox.Start({"large.mm"});
        // Registered: the map is read next.
        QDeadlineTimer deadline(20000);
        while (sandbox.InstanceCount() != 1 && !deadline.hasExpired())
            QThread::msleep(1);
        ASSERT_EQ(kill(static_cast<pid_t>(converter->processId()), signalNumber), 0);
        const TobrelSandbox::Result result = FinishProgram(*converter);
        EXPECT_EQ(result.exitCode, 1) << result.standardError.toStdString();
        EXPECT_TRUE(result.standardError.contains(QStringLiteral("The conversion of the Map file was stopped.")))
            << result.standardError.toStdString();
        EXPECT_EQ(DocumentsIn(sandbox.WorkPath("")), QStringList());
        EXPECT_EQ(sandbox.InstanceCount(), 0);
    }
}

// Started under nohup, or as a job a script started in the background, the converter keeps the signals it inherited
// ignored: a closed terminal or Ctrl+C does not stop the conversion.
TEST(TobrelStartUp, ASignalInheritedIgnoredDoesNotStopTheConversion) {
    TobrelSandbox sandbox;
    WriteLongMap(sandbox);
    sandbox.launcher = {"env", "--ignore-signal=HUP,INT"};
    const std::unique_ptr<QProcess> converter = sandbox.Start({"large.mm"});
    QDeadlineTimer deadline(20000);
    while (sandbox.InstanceCount() != 1 && !deadline.hasExpired())
        QThread::msleep(1);
    for (const int signalNumber : {SIGHUP, SIGINT})
        ASSERT_EQ(kill(static_cast<pid_t>(converter->processId()), signalNumber), 0);
    const TobrelSandbox::Result result = FinishProgram(*converter);
    EXPECT_EQ(result.exitCode, 0) << result.standardError.toStdString();
    EXPECT_EQ(DocumentsIn(sandbox.WorkPath("")), QStringList({"large.nuv"}));
    EXPECT_EQ(sandbox.InstanceCount(), 0);
}

// With a display the converter waits for OK on its finished window; a request to end answers it as OK does, the
// document being saved by then.
TEST(TobrelStartUp, ARequestToEndClosesTheFinishedWindowAsOkDoes) {
    TobrelSandbox sandbox;
    sandbox.WriteFile("plan.mm", R"(<map><node TEXT="Root"><node TEXT="A"/></node></map>)");
    // A platform without a screen, and a display named all the same: the program shows its windows.
    sandbox.launcher = {QStringLiteral("env"), QStringLiteral("DISPLAY=:0"), QStringLiteral("QT_QPA_PLATFORM=minimal")};
    const std::unique_ptr<QProcess> converter = sandbox.Start({"plan.mm"});
    // The document is in place: the finished window comes next.
    ASSERT_TRUE(WaitFor([&] { return QFile::exists(sandbox.WorkPath("plan.nuv")); }));
    ASSERT_EQ(kill(static_cast<pid_t>(converter->processId()), SIGTERM), 0);
    ASSERT_TRUE(converter->waitForFinished(10000));
    const TobrelSandbox::Result result = FinishProgram(*converter);
    EXPECT_EQ(result.exitCode, 0) << result.standardError.toStdString();
    EXPECT_EQ(DocumentsIn(sandbox.WorkPath("")), QStringList({"plan.nuv"}));
    EXPECT_EQ(sandbox.InstanceCount(), 0);
}
