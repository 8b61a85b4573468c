#include "AppDirectories.h"
#include "FakeApplicationShell.h"
#include "app/NUVApp.h"
#include "app/NUVDoc.h"
#include "interchange/ImportProgress.h"
#include "platform/FileReplacement.h"
#include "platform/InstanceTable.h"
#include "platform/LivenessLock.h"
#include "platform/MessageBox.h"
#include "platform/NamedLock.h"
#include "platform/SharedMapping.h"
#include "platform/TerminationRequests.h"
#include "platform/UserSettings.h"
#include "support/AddressSpaceLimit.h"
#include "support/ChildProcess.h"
#include "support/QStringPrinter.h"
#include "support/TestFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class ConverterStartUp : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dirs.IsValid());
        QFile map(MapPath());
        ASSERT_TRUE(map.open(QIODevice::WriteOnly));
        map.write(R"(<map><node TEXT="Root"><node TEXT="A"/><node TEXT="B"><node TEXT="C"/></node></node></map>)");
    }
    QString MapPath() const { return m_dirs.Path("door.mm"); }
    QString DocumentPath() const { return m_dirs.Path("door.nuv"); }

    AppDirectories m_dirs;
    platform::ScriptedMessageSink m_messages;
};

// Asks to end the process when the first stretch of a temporary file is written, which fails with `error` (0: none).
class RequestToEndWhileWriting : public platform::TemporaryWriteHook {
public:
    explicit RequestToEndWhileWriting(int error) : m_error(error) {}
    int Writing(qint64, qint64) override {
        if (!std::exchange(m_requested, true))
            raise(SIGTERM);
        return m_error;
    }

private:
    int m_error;
    bool m_requested = false;
    platform::TemporaryWriteHookInstaller m_installer{*this};
};

// A line of /proc/self/status in kilobytes.
long StatusKilobytes(const char* key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(static_cast<qsizetype>(std::strlen(key))).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

} // namespace

TEST_F(ConverterStartUp, ACloseRequestDuringTheWalkWaitsUntilTheDocumentIsSaved) {
    FakeShell shell;
    shell.closeRequestDuringWalk = true;
    CNUVApp app(shell);
    ASSERT_TRUE(app.InitInstance({"tobrel", MapPath()}));
    EXPECT_EQ(app.ExitCode(), 0);
    EXPECT_TRUE(QFile::exists(DocumentPath()));
    EXPECT_GE(shell.closesPosted, 1);
    EXPECT_FALSE(shell.closePostedWhileConverting);
    EXPECT_EQ(shell.total, 4);
    EXPECT_EQ(shell.finishedShown, 1);
    EXPECT_TRUE(m_messages.Texts().isEmpty()) << m_messages.Texts().join('|').toStdString();
    // A new document is titled with the template's name until it is saved under a path of its own.
    EXPECT_EQ(shell.title, "NUV");
}

// A stop and a lack of memory each say so, and the converter saves nothing and ends with status 1.
TEST_F(ConverterStartUp, AStoppedOrFailedConversionSavesNothingAndSaysWhy) {
    const struct {
        int cancelAt;
        int outOfMemoryAt;
        QString said;
        QStringList kept; // what was converted before, in the rebuilt document
    } cases[] = {
        {2, -1, "The conversion of the Map file was stopped. No file was saved.", {"Root", "A"}},
        {-1, 2, "Not enough memory", {"Root"}},
    };
    for (const auto& c : cases) {
        FakeShell shell;
        shell.cancelAt = c.cancelAt;
        shell.outOfMemoryAt = c.outOfMemoryAt;
        CNUVApp app(shell);
        platform::ScriptedMessageSink messages;
        ASSERT_TRUE(app.InitInstance({"tobrel", MapPath()}));
        EXPECT_EQ(app.ExitCode(), 1);
        EXPECT_FALSE(QFile::exists(DocumentPath()));
        EXPECT_EQ(shell.finishedShown, 0);
        EXPECT_EQ(messages.Texts(), QStringList{c.said});
        const CUnitFunctionRegistry& registry = app.Document().DocumentData().registry;
        EXPECT_EQ(registry.Count(), c.kept.size()) << c.said.toStdString();
        EXPECT_EQ(registry.origin->name, c.kept.front());
    }
}

// Asked to end while its document is written, before the document replaces the file (beside it, or in place when the
// temporary file finds no room), the converter drops what it wrote and ends as a stopped conversion does: an old
// document stays as it was, and nothing is left beside it.
TEST_F(ConverterStartUp, ARequestToEndBeforeTheDocumentIsCommittedKeepsTheOldFile) {
    const struct {
        QByteArray old; // empty: no document yet
        int error;
    } cases[] = {{"", 0}, {"old document", 0}, {"old document", ENOSPC}};
    // A document of a few megabytes: the temporary file is written to before the whole content is made.
    QByteArray map = R"(<map><node TEXT="Root">)";
    for (int i = 0; i < 4000; ++i)
        map += R"(<node TEXT=")" + QByteArray::number(i) + QByteArray(300, 'n') + R"("/>)";
    WriteFileBytes(MapPath(), map + "</node></map>");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.old.toStdString() + " " + std::to_string(c.error));
        QFile::remove(DocumentPath());
        if (!c.old.isEmpty())
            WriteFileBytes(DocumentPath(), c.old);
        const int status = InChild([&] {
            int code = 1;
            {
                int argc = 1;
                char name[] = "tobrel";
                char* argv[] = {name, nullptr};
                const QCoreApplication application(argc, argv);
                const platform::TerminationRequests termination([] {});
                const RequestToEndWhileWriting request(c.error);
                FakeShell shell;
                CNUVApp app(shell);
                app.InitInstance({"tobrel", MapPath()});
                if (app.ExitCode() == 1 && shell.finishedShown == 0 &&
                    m_messages.Texts() == QStringList{"The conversion of the Map file was stopped. No file was saved."})
                    code = 0;
            }
            _exit(code);
        });
        EXPECT_EQ(status, 0);
        const QStringList left =
            QDir(m_dirs.Root()).entryList({"*.nuv*", ".*.nuv*"}, QDir::Files | QDir::Hidden | QDir::System);
        EXPECT_EQ(left, c.old.isEmpty() ? QStringList() : QStringList{"door.nuv"});
        if (!c.old.isEmpty()) {
            EXPECT_EQ(ReadFileBytes(DocumentPath()), c.old);
        }
    }
}

TEST_F(ConverterStartUp, AMapIsAddedUnderAnOriginThatHasChildren) {
    FakeShell shell;
    CNUVApp app(shell);
    ASSERT_TRUE(app.InitInstance({"tobrel"}));
    EXPECT_EQ(m_messages.Texts(),
              QStringList{"変換するFreeMind MapファイルをTobrel.exeのアイコン上にドラッグ＆ドロップしてください。"});
    CNUVDoc* document = app.GetActiveDocument();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->m_pUnitFunction, app.Document().DocumentData().registry.origin);

    ASSERT_TRUE(document->ConvertMindMapFile(MapPath(), [](auto&) { return true; }));
    ASSERT_TRUE(document->ConvertMindMapFile(MapPath(), [](auto&) { return true; }));
    const CUnitFunction* origin = app.Document().DocumentData().registry.origin;
    EXPECT_EQ(origin->name, "Root");
    ASSERT_EQ(origin->children.size(), 3u);
    EXPECT_EQ(origin->children[2]->name, "Root");
    EXPECT_EQ(origin->children[2]->primaryParent, origin);
    EXPECT_EQ(app.Document().DocumentData().registry.Count(), 8);
}

TEST_F(ConverterStartUp, EveryConvertedUnitFunctionGetsAUniqueLabelOfItsOwn) {
    FakeShell shell;
    CNUVApp app(shell);
    ASSERT_TRUE(app.InitInstance({"tobrel"}));
    CNUVDoc* document = app.GetActiveDocument();
    ASSERT_NE(document, nullptr);
    ASSERT_TRUE(document->ConvertMindMapFile(MapPath(), [](auto&) { return true; }));
    ASSERT_TRUE(document->ConvertMindMapFile(MapPath(), [](auto&) { return true; }));
    const CDocumentData& data = app.Document().DocumentData();
    QStringList labels;
    for (const auto& [id, function] : data.registry.Functions())
        labels << function.header.uniqueLabel;
    labels.sort();
    EXPECT_EQ(labels, QStringList({"001", "002", "003", "004", "005", "006", "007", "008"}));
    EXPECT_EQ(data.registry.origin->header.uniqueLabel, "001");
}

TEST_F(ConverterStartUp, ProfileValuesOfTheWrongTypeReadAsTheirDefault) {
    FakeShell shell;
    CNUVApp app(shell);
    const platform::DwordSetting language = UserSettings::Language();
    const platform::TextSetting templateFile = UserSettings::TemplateFilename();
    EXPECT_EQ(app.GetProfileDword(language), 1u);
    ASSERT_TRUE(platform::SettingsStore(language.section).WriteText(language.name, "0"));
    EXPECT_EQ(app.GetProfileDword(language), 1u);
    ASSERT_TRUE(platform::SettingsStore(templateFile.section).WriteDword(templateFile.name, 7));
    EXPECT_EQ(app.GetProfileText(templateFile), "");
    // A declared default other than empty: an empty text stored is still a text.
    const platform::TextSetting withDefault{templateFile.section, templateFile.name, "default"};
    ASSERT_TRUE(app.SetProfileText(templateFile, ""));
    EXPECT_EQ(app.GetProfileText(withDefault), "");
    // More than the registry's text buffer holds never came from the program.
    ASSERT_TRUE(app.SetProfileText(templateFile, QString(32768, QChar(u'x'))));
    EXPECT_EQ(app.GetProfileText(withDefault), "default");

    app.SwitchToEnglish();
    EXPECT_EQ(platform::StoredSetting(language), 0u);
    EXPECT_EQ(platform::StoredSetting(UserSettings::ClearRegistryStateInNextExecution()), 1u);
    app.SwitchToJapanese();
    EXPECT_EQ(platform::StoredSetting(language), 1u);
    EXPECT_EQ(m_messages.Texts(),
              (QStringList{"Restart NUV to show English messages.\nNUVを再起動すると英語で表示されます。",
                           "Restart NUV to show Japanese messages.\nNUVを再起動すると日本語で表示されます。"}));
}

TEST_F(ConverterStartUp, ANewDocumentStartsFromTheTemplateFileWhenOneIsChosen) {
    // A template made by converting a map once.
    {
        FakeShell shell;
        CNUVApp app(shell);
        ASSERT_TRUE(app.InitInstance({"tobrel", MapPath()}));
    }
    FakeShell shell;
    CNUVApp app(shell);
    ASSERT_TRUE(app.SetProfileDword(UserSettings::UseTemplate(), 1));
    ASSERT_TRUE(app.SetProfileText(UserSettings::TemplateFilename(), DocumentPath()));
    app.OnFileNew();
    EXPECT_EQ(app.Document().DocumentData().registry.Count(), 4);
    EXPECT_EQ(app.Document().DocumentData().registry.origin->name, "Root");
    EXPECT_TRUE(app.Document().DocumentPath().isEmpty());

    // A template that cannot be read leaves the new document's defaults.
    QFile broken(DocumentPath());
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("<NUV><Document>");
    broken.close();
    FakeShell otherShell;
    CNUVApp other(otherShell);
    other.OnFileNew();
    EXPECT_EQ(other.Document().DocumentData().registry.Count(), 1);
    EXPECT_EQ(other.Document().DocumentData().DataReady, 1);
}

TEST_F(ConverterStartUp, ReadingASmallMapTakesMemoryForItsSizeNotForTheLargestMapAccepted) {
    FakeShell shell;
    CNUVApp app(shell);
    ASSERT_TRUE(app.InitInstance({"tobrel"}));
    CNUVDoc* document = app.GetActiveDocument();
    ASSERT_NE(document, nullptr);

    // Far less room than the 1 GiB a map may have.
    const AddressSpaceLimit limit(rlim_t(256) << 20);
    ASSERT_TRUE(limit.IsSet());
    EXPECT_TRUE(document->ConvertMindMapFile(MapPath(), [](auto&) { return true; }));
    EXPECT_EQ(app.Document().DocumentData().registry.Count(), 4);
}

TEST_F(ConverterStartUp, TheConverterClosesOnlyItsOwnWindowWhileExitClosesEveryInstance) {
    // An editor in another process: it holds its liveness lock, taken as every instance takes it, while it runs.
    ChildBeside editor([directory = m_dirs.Root()](ChildBeside& test) {
        platform::LivenessLock lock;
        if (!lock.Acquire(directory))
            return 1;
        test.Tell();
        test.Hear();
        return 0;
    });
    ASSERT_TRUE(editor.Hear());
    const auto editorId = static_cast<quint32>(editor.Id());

    {
        FakeShell shell;
        CNUVApp registering(shell);
        ASSERT_TRUE(registering.InitInstance({"tobrel"}));
        InstanceRecord record{};
        record.processId = editorId;
        record.mainWindow = 1;
        ASSERT_TRUE(registering.RegisterInstance(record));
    }
    FakeShell shell;
    CNUVApp app(shell);
    ASSERT_TRUE(app.InitInstance({"tobrel", MapPath()}));
    EXPECT_EQ(app.ExitCode(), 0);
    EXPECT_GE(shell.closesPosted, 1);
    EXPECT_TRUE(shell.instancesClosed.empty());

    app.OnAppExit();
    EXPECT_EQ(shell.instancesClosed, std::vector<quint32>{editorId});
}

// Exit waits for no editor that is still starting: such an editor finds itself asked once its window exists, however
// long its start takes, and closes. One that starts after the Exit stays.
TEST_F(ConverterStartUp, ExitClosesAnEditorStillStartingOnceItsWindowExists) {
    FakeShell shell;
    CNUVApp app(shell);
    ASSERT_TRUE(app.InitEditorInstance({"nuv"}));
    // An editor in another process that tells the test when it is registered and making its window, and makes it
    // once the test says so; it ends with the number of requests to close its window.
    const auto startEditor = [] {
        return ChildBeside([](ChildBeside& test) {
            FakeShell editorShell;
            editorShell.whileCreatingMainWindow = [&test] {
                test.Tell();
                test.Hear();
            };
            CNUVApp editor(editorShell);
            return editor.InitEditorInstance({"nuv"}) ? editorShell.closesPosted : 100;
        });
    };

    ChildBeside starting = startEditor();
    ASSERT_TRUE(starting.Hear());
    app.OnAppExit();
    EXPECT_TRUE(shell.instancesClosed.empty());
    EXPECT_EQ(shell.closesPosted, 1);
    starting.Tell();
    EXPECT_EQ(starting.Wait(), 1);

    ChildBeside later = startEditor();
    ASSERT_TRUE(later.Hear());
    later.Tell();
    EXPECT_EQ(later.Wait(), 0);
}

// An editor started before the Exit and not registered yet (the editor that New started a moment before) finds the Exit
// as it registers and closes, also once the editor that chose it has ended. One started after the Exit stays.
TEST_F(ConverterStartUp, ExitClosesAnEditorStartedBeforeItThatRegistersAfterIt) {
    // An editor in another process that registers once the test says so; it ends with the number of requests to close
    // its window.
    const auto startEditor = [] {
        return ChildBeside([](ChildBeside& test) {
            test.Hear();
            FakeShell editorShell;
            CNUVApp editor(editorShell);
            return editor.InitEditorInstance({"nuv"}) ? editorShell.closesPosted : 100;
        });
    };
    ChildBeside before = startEditor();
    {
        FakeShell shell;
        CNUVApp app(shell);
        ASSERT_TRUE(app.InitEditorInstance({"nuv"}));
        app.OnAppExit();
    }
    ChildBeside after = startEditor();
    before.Tell();
    after.Tell();
    EXPECT_EQ(before.Wait(), 1);
    EXPECT_EQ(after.Wait(), 0);
}

TEST_F(ConverterStartUp, AConversionIsReportedFinishedOnlyOnceTheDocumentIsWritten) {
    // Where the document should go there is a folder.
    ASSERT_TRUE(QDir(m_dirs.Path("")).mkdir("door.nuv"));
    FakeShell shell;
    CNUVApp app(shell);
    ASSERT_TRUE(app.InitInstance({"tobrel", MapPath()}));
    EXPECT_EQ(app.ExitCode(), 1);
    EXPECT_EQ(shell.finishedShown, 0);
    EXPECT_EQ(m_messages.Texts().size(), 1);
}

TEST_F(ConverterStartUp, StartUpRemovesTheSocketsAndLocksOfProcessesThatAreGone) {
    QProcess ended;
    ended.start("true");
    ASSERT_TRUE(ended.waitForStarted());
    const auto gone = static_cast<quint32>(ended.processId());
    ASSERT_TRUE(ended.waitForFinished());
    const auto running = static_cast<quint32>(getppid());
    const QString directory = m_dirs.Path("");
    const QStringList files = {
        platform::InstanceSocketPath(directory, gone), directory + QStringLiteral("/nuv-alive-%1").arg(gone),
        platform::InstanceSocketPath(directory, running), directory + QStringLiteral("/nuv-alive-%1").arg(running)};
    for (const QString& path : files) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    FakeShell shell;
    CNUVApp app(shell);
    ASSERT_TRUE(app.InitInstance({"tobrel"}));
    EXPECT_FALSE(QFile::exists(files[0]));
    EXPECT_FALSE(QFile::exists(files[1]));
    EXPECT_TRUE(QFile::exists(files[2]));
    EXPECT_TRUE(QFile::exists(files[3]));
}

TEST_F(ConverterStartUp, AMapOverTheSizeLimitIsRefusedBeforeItIsRead) {
    // A sparse file one byte over the 1 GiB limit takes no room on disk.
    QFile map(m_dirs.Path("huge.mm"));
    ASSERT_TRUE(map.open(QIODevice::WriteOnly));
    ASSERT_TRUE(map.resize((qint64(1) << 30) + 1));
    map.close();
    FakeShell shell;
    CNUVApp app(shell);
    ASSERT_TRUE(app.InitInstance({"tobrel"}));
    CNUVDoc* document = app.GetActiveDocument();
    ASSERT_NE(document, nullptr);

    // The peak of resident memory starts again from what is resident now.
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (!clear.open(QIODevice::WriteOnly) || clear.write("5") != 1)
        GTEST_SKIP() << "the memory peak cannot be reset here";
    clear.close();
    bool saveCalled = false;
    EXPECT_FALSE(document->ConvertMindMapFile(map.fileName(), [&saveCalled](auto&) { return saveCalled = true; }));
    EXPECT_FALSE(saveCalled);
    // Said as every reader says a file over its bound.
    EXPECT_EQ(m_messages.Texts().last(),
              QStringLiteral("File \"%1\" cannot be read: it is larger than 1073741824 bytes.").arg(map.fileName()));
    EXPECT_LT(StatusKilobytes("VmHWM:") - StatusKilobytes("VmRSS:"), 64 * 1024);
}

TEST_F(ConverterStartUp, ASettingsFileThatIsNoRegularFileIsSaidAndLeftAlone) {
    ASSERT_TRUE(QDir().mkpath(m_dirs.Path("config/Brelk")));
    const QString settings = platform::SettingsStore::FilePath();
    // A pipe without a writer: reading it would wait for ever.
    ASSERT_EQ(mkfifo(QFile::encodeName(settings).constData(), 0600), 0);
    FakeShell shell;
    CNUVApp app(shell);
    ASSERT_TRUE(app.InitInstance({"tobrel", MapPath()}));
    EXPECT_EQ(app.ExitCode(), 0);
    ASSERT_FALSE(m_messages.Texts().isEmpty());
    EXPECT_EQ(m_messages.Texts()[0],
              QStringLiteral("The settings file %1 is not a regular file.\n"
                             "NUV starts with the default settings and does not save its settings.")
                  .arg(settings));
    EXPECT_TRUE(QFileInfo(settings).exists() && !QFileInfo(settings).isFile());
}

// Another editor of the same process id (in another pid namespace that shares the runtime folder) runs: a start that
// cannot take its liveness lock ends without touching the table, so it neither waits on a look stopped while it
// holds the table nor removes that editor's record.
TEST_F(ConverterStartUp, AStartThatCannotTakeItsLivenessLockLeavesTheTableAlone) {
    const QString directory = m_dirs.Root();
    ChildBeside start([](ChildBeside& test) {
        test.Tell();
        test.Hear();
        FakeShell shell;
        CNUVApp app(shell);
        return app.InitEditorInstance({"nuv"}) ? 1 : 0;
    });
    ASSERT_TRUE(start.Hear());
    const auto id = static_cast<quint32>(start.Id());
    const int other = open(QFile::encodeName(directory + QStringLiteral("/nuv-alive-%1").arg(id)).constData(),
                           O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(flock(other, LOCK_EX), 0);
    platform::SharedMapping mapping;
    ASSERT_TRUE(mapping.Open(directory, kInstanceMappingName, sizeof(InstanceTable)));
    auto* table = static_cast<InstanceTable*>(mapping.Data());
    InstanceRecord record{};
    record.processId = id;
    record.state = 1;
    ASSERT_TRUE(table->Register(record));
    platform::NamedLock look;
    ASSERT_TRUE(look.Open(directory, kInstanceMutexName));
    look.Lock();
    start.Tell();

    // Looked at without reaping it, for 20 s at most.
    const auto ended = [&] {
        siginfo_t info{};
        return waitid(P_PID, id_t(start.Id()), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid != 0;
    };
    for (int waited = 0; waited < 200 && !ended(); ++waited)
        usleep(100000);
    EXPECT_TRUE(ended()) << "the start waits on the table";
    look.Unlock();
    EXPECT_EQ(start.Wait(), 0);
    ASSERT_NE(table->Find(id), nullptr);
    EXPECT_EQ(table->Find(id)->state, 1u);
    close(other);
}
