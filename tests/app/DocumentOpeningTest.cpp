#include "AppDirectories.h"
#include "FakeApplicationShell.h"
#include "app/NUVApp.h"
#include "app/NUVDoc.h"
#include "app/SavingRules.h"
#include "platform/DocumentFileLock.h"
#include "platform/MessageBox.h"
#include "platform/OwnerFile.h"
#include "platform/UserName.h"
#include "platform/UserSettings.h"
#include "support/DocumentDump.h"
#include "support/LiveInstance.h"
#include "support/ProgramRun.h"
#include "support/TestFiles.h"
#include "support/ToolSupport.h"
#include "support/model/DocumentFileDump.h"
#include "texts/StringTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using platform::MessageAnswer;

namespace {

const QString kCannotOpen = QStringLiteral("ファイルを開くことができませんでした。");
const QString kCannotRead = QStringLiteral("ファイルを読み込むことができませんでした。");

// Answers as a user would, and can do something while a question waits, as the event loop of a dialog does.
class AnsweringSink : public platform::MessageSink {
public:
    MessageAnswer Show(const platform::MessageRequest& request) override {
        requests.append(request);
        if (whileAsked)
            whileAsked();
        if (answers.isEmpty())
            return request.DefaultAnswer();
        return answers.takeFirst();
    }
    QStringList Texts(qsizetype from = 0) const {
        QStringList texts;
        for (qsizetype i = from; i < requests.size(); ++i)
            texts.append(requests[i].text);
        return texts;
    }

    QList<MessageAnswer> answers;
    QList<platform::MessageRequest> requests;
    std::function<void()> whileAsked;

private:
    platform::MessageSinkInstaller m_installer{*this};
};

// An application with a new document; the sample document is copied into its folder.
class DocumentOpening : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dirs.IsValid());
        ASSERT_TRUE(m_app.InitInstance({"tobrel"}));
        ASSERT_TRUE(QFile::copy(NUV_TEST_DATA_DIR "/docfile/layout.nuv", Path("layout.nuv")));
        m_messages.requests.clear();
    }
    void TearDown() override { qunsetenv("XDG_CACHE_HOME"); }
    QString Path(const QString& name) const { return m_dirs.Path(name); }
    // A save of the sample document over `path`, given a second name so that it is written in place, killed once
    // `bytes` of its backup and the file are written; the names of the backups in the test's cache folder after it.
    QStringList KilledSaveInPlace(const QString& path, qint64 bytes) {
        EXPECT_EQ(link(QFile::encodeName(path).constData(), QFile::encodeName(Path("other.nuv")).constData()), 0);
        qputenv("XDG_CACHE_HOME", QFile::encodeName(Path("cache")));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("NUV_STOP_AFTER_BYTES", QString::number(bytes));
        EXPECT_EQ(RunProgram(QStringLiteral("nuvdump"), {"--resave", NUV_TEST_DATA_DIR "/docfile/layout.nuv", path},
                             environment)
                      .exitCode,
                  86);
        return QDir(Path("cache/nuv")).entryList(QDir::Files);
    }
    // What the user was shown since the last look.
    QStringList Shown() {
        const QStringList texts = m_messages.Texts();
        m_messages.requests.clear();
        return texts;
    }
    void ExpectNoDocument() {
        EXPECT_FALSE(m_app.Document().DocumentData().DataReady);
        EXPECT_EQ(m_app.Document().OpenMode(), COpenDocument::NoDocument);
        EXPECT_EQ(m_app.Document().DocumentPath(), "");
        EXPECT_EQ(m_shell.title, "");
        EXPECT_EQ(m_app.GetActiveDocument(), nullptr);
        EXPECT_EQ(m_app.Document().DocumentData().registry.origin, nullptr);
    }
    // The instance record of this process as other processes see it, by its document's path.
    int PublishedState(const QString& path) {
        const std::optional<InstanceRecord> record = m_app.FindInstanceByPath(path);
        return record && record->processId == static_cast<quint32>(getpid()) ? record->state : 0;
    }

    AppDirectories m_dirs;
    AnsweringSink m_messages;
    FakeShell m_shell;
    CNUVApp m_app{m_shell};
};

// Another process editing a document: it holds the file and its owner file names its user.
class OtherEditor {
public:
    OtherEditor(const QString& path, const QString& user) : m_path(path) {
        QByteArray bytes;
        for (QChar unit : user)
            bytes.append(static_cast<char>(unit.unicode() & 0xFF)).append(static_cast<char>(unit.unicode() >> 8));
        if (!user.isEmpty())
            WriteFileBytes(MakeOwnerFileName(path), bytes);
        EXPECT_TRUE(m_lock.Hold(path));
    }
    void Close() {
        m_lock.Release();
        DeleteOwnerFile(m_path);
    }

private:
    QString m_path;
    platform::DocumentFileLock m_lock;
};

} // namespace

TEST_F(DocumentOpening, ASavedDocumentOpensForEditingAsItWasSavedAndReopensWithItsChanges) {
    const QString path = Path("layout.nuv");
    ASSERT_TRUE(m_app.OpenDocumentFile(path));
    EXPECT_TRUE(Shown().isEmpty());
    EXPECT_EQ(tools::DumpDocument(m_app.Document().DocumentData()), DumpOfDocumentFile(path));
    EXPECT_EQ(m_app.Document().OpenMode(), COpenDocument::Editing);
    EXPECT_EQ(m_app.Document().DocumentPath(), path);
    EXPECT_EQ(m_shell.title, "layout.nuv");
    EXPECT_TRUE(platform::DocumentFileLock::IsHeldElsewhere(path));
    EXPECT_EQ(ReadOwnerFile(path), platform::GetUserName().isEmpty() ? "Unknown" : platform::GetUserName());
    EXPECT_EQ(PublishedState(path), COpenDocument::Editing);
    EXPECT_EQ(m_app.FindInstanceByPath(path)->Caption(), "layout.nuv");
    EXPECT_EQ(m_app.RecentFiles(), QStringList{path});
    ASSERT_NE(m_app.GetActiveDocument(), nullptr);
    EXPECT_EQ(m_shell.watchInterval, 0);

    // Changed, with a second tab made active, saved, and opened again here: the document is read again, with
    // its changes and the tab that was active.
    CUnitFunction* origin = m_app.Document().DocumentData().registry.origin;
    CUnitFunction* other = nullptr;
    for (auto& [id, function] : m_app.Document().DocumentData().registry.Functions()) {
        if (&function != origin)
            other = &function;
    }
    ASSERT_NE(other, nullptr);
    const QString otherName = other->name;
    m_app.Tabs().OpenFunctionTab(other);
    const size_t tabCount = m_app.Tabs().RecentTabs().size();
    m_app.Document().DocumentData().documentHeader.Title = QStringLiteral("改訂");
    m_app.Document().SetModified();
    m_app.Document().DocumentData().AutoSaveOnOff = 1;
    m_app.OnFileSave();
    ASSERT_FALSE(m_app.Document().IsModified());
    m_shell.autoSaveInterval = 0;

    m_app.OnFileOpenPath(path);
    EXPECT_TRUE(m_shell.started.empty());
    EXPECT_EQ(m_app.Document().DocumentData().documentHeader.Title, QStringLiteral("改訂"));
    EXPECT_EQ(tools::DumpDocument(m_app.Document().DocumentData()), DumpOfDocumentFile(path));
    ASSERT_NE(m_app.Tabs().ActiveTabFunction(), nullptr);
    EXPECT_EQ(m_app.Tabs().ActiveTabFunction()->name, otherName);
    EXPECT_EQ(m_app.Tabs().RecentTabs().size(), tabCount);
    EXPECT_EQ(m_shell.autoSaveInterval, AutoSaveTimerInterval(m_app.Document().DocumentData()));
    EXPECT_GT(m_shell.autoSaveInterval, 0);
    EXPECT_TRUE(platform::DocumentFileLock::IsHeldElsewhere(path));
    EXPECT_TRUE(Shown().isEmpty());
}

TEST_F(DocumentOpening, TheCurrentDocumentIsClosedFirstAndItsChangesAreAskedFor) {
    m_app.Document().DocumentData().documentHeader.Title = QStringLiteral("未保存");
    m_app.Document().SetModified();

    m_messages.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(m_app.OpenDocumentFile(Path("layout.nuv")));
    EXPECT_EQ(Shown(), QStringList{QStringLiteral("\"NUV\" は変更されています。保存しますか?")});
    EXPECT_EQ(m_app.Document().DocumentData().documentHeader.Title, QStringLiteral("未保存"));
    EXPECT_TRUE(m_app.Document().IsModified());
    EXPECT_FALSE(platform::DocumentFileLock::IsHeldElsewhere(Path("layout.nuv")));

    m_messages.answers = {MessageAnswer::No};
    EXPECT_TRUE(m_app.OpenDocumentFile(Path("layout.nuv")));
    EXPECT_EQ(Shown().size(), 1);
    EXPECT_FALSE(m_app.Document().IsModified());
    EXPECT_EQ(m_app.Document().DocumentPath(), Path("layout.nuv"));
}

TEST_F(DocumentOpening, FileOpenGoesToTheProcessThatHasTheDocumentOrToANewOne) {
    m_shell.openPath = Path("layout.nuv");

    // Another process has it open: that one comes to the front, also when the file is named through a link
    // or a detour.
    const LiveInstance alive(m_dirs.Root(), 999999);
    InstanceRecord other{};
    other.processId = 999999;
    other.state = COpenDocument::ReadOnly;
    other.SetPath(Path("layout.nuv"));
    ASSERT_TRUE(m_app.RegisterInstance(other));
    ASSERT_TRUE(QFile::link(Path("layout.nuv"), Path("link.nuv")));
    for (const QString& name : {Path("link.nuv"), Path("config/../layout.nuv")}) {
        m_shell.openPath = name;
        m_app.OnFileOpen();
    }
    EXPECT_EQ(m_shell.openPromptTitle, QStringLiteral("ファイルを開く"));
    EXPECT_EQ(m_shell.activated, std::vector<quint32>(2, 999999));
    EXPECT_EQ(m_app.Document().DocumentPath(), "");
    ASSERT_TRUE(m_app.RemoveInstanceRecord(999999));

    // A document whose name differs only in letter case is another file: it is not handed over. Changes here
    // are never closed away: the document opens in a new process.
    other.SetPath(Path("LAYOUT.nuv"));
    ASSERT_TRUE(m_app.RegisterInstance(other));
    m_shell.openPath = Path("layout.nuv");
    m_app.Document().SetModified();
    m_app.OnFileOpen();
    EXPECT_EQ(m_shell.activated.size(), 2u);
    ASSERT_EQ(m_shell.started.size(), 1u);
    EXPECT_EQ(m_shell.started[0], QStringList({"/0", "/0", Path("layout.nuv")}));
    EXPECT_TRUE(m_app.Document().IsModified());
    ASSERT_TRUE(m_app.RemoveInstanceRecord(999999));

    // An unchanged new document gives way to it.
    m_app.Document().SetModified(false);
    m_app.OnFileOpen();
    EXPECT_EQ(m_app.Document().DocumentPath(), Path("layout.nuv"));
    EXPECT_EQ(m_shell.started.size(), 1u);

    // A second document goes to a new process too; a cancelled prompt opens nothing.
    ASSERT_TRUE(QFile::copy(Path("layout.nuv"), Path("copy.nuv")));
    m_app.OnFileOpenPath(Path("copy.nuv"));
    ASSERT_EQ(m_shell.started.size(), 2u);
    EXPECT_EQ(m_shell.started[1].last(), Path("copy.nuv"));
    m_shell.openPath.clear();
    m_app.OnFileOpen();
    EXPECT_EQ(m_shell.started.size(), 2u);
    EXPECT_EQ(m_app.Document().DocumentPath(), Path("layout.nuv"));
    EXPECT_TRUE(Shown().isEmpty());
}

// A killed editor left its record and owner file: its document opens here whatever state the record gave.
TEST_F(DocumentOpening, ADocumentOfAnEditorThatIsGoneOpensHereAndItsRecordGoes) {
    const QString path = Path("layout.nuv");
    m_app.UpdateRecentFileList(path, true);
    for (const int state : {COpenDocument::Editing, COpenDocument::ReadOnly, COpenDocument::ReadOnlyWatched}) {
        SCOPED_TRACE(state);
        InstanceRecord gone{999998, 999998, {}, {}, 0, state};
        gone.SetPath(path);
        InstanceRecord own{};
        m_app.FillInstanceRecord(own);
        {
            // It ran while it registered; a registration takes out any record of this process, so ours goes in after.
            const LiveInstance running(m_dirs.Root(), 999998);
            ASSERT_TRUE(m_app.RegisterInstance(gone) && m_app.RegisterInstance(own));
        }
        WriteFileBytes(MakeOwnerFileName(path), QByteArrayLiteral("s\0o\0m\0e\0o\0n\0e\0"));

        m_app.OnOpenRecentFile(0);
        EXPECT_TRUE(m_shell.activated.empty() && m_shell.started.empty() && Shown().isEmpty());
        EXPECT_EQ(PublishedState(path), COpenDocument::Editing);
        EXPECT_EQ(m_app.InstanceRecords().size(), 1u);
        m_app.Document().CloseDocument();
    }
}

TEST_F(DocumentOpening, AFileAnotherProcessEditsOpensReadOnlyOrWatchedAsTheUserChooses) {
    const QString path = Path("layout.nuv");
    OtherEditor editor(path, QStringLiteral("花子"));

    m_messages.answers = {MessageAnswer::Yes};
    ASSERT_TRUE(m_app.OpenDocumentFile(path));
    ASSERT_EQ(m_messages.requests.size(), 1);
    const platform::MessageRequest& question = m_messages.requests[0];
    EXPECT_EQ(question.text, path + QStringLiteral(" は使用中です。\n\n使用者は'花子'です。\n\n"
                                                   "読み込み専用で開くには[読み取り専用]を、通知で開くには[通知]を"
                                                   "選択してください。"));
    EXPECT_EQ(question.caption, QStringLiteral("使用中のファイル"));
    EXPECT_EQ(question.buttonTexts, QStringList({QStringLiteral("読み取り専用(&R)"), QStringLiteral("通知(&N)"),
                                                 QStringLiteral("キャンセル")}));
    Shown();
    EXPECT_EQ(m_app.Document().OpenMode(), COpenDocument::ReadOnly);
    EXPECT_EQ(m_shell.title, QStringLiteral("layout.nuv [読み込み専用]"));
    EXPECT_EQ(PublishedState(path), COpenDocument::ReadOnly);
    EXPECT_EQ(ReadOwnerFile(path), QStringLiteral("花子"));
    EXPECT_EQ(tools::DumpDocument(m_app.Document().DocumentData()), DumpOfDocumentFile(path));
    EXPECT_EQ(m_shell.autoSaveInterval, 0);
    EXPECT_EQ(m_shell.watchInterval, 0);

    // Saving a read-only document says so and asks for another name.
    m_app.OnFileSave();
    EXPECT_EQ(Shown(), QStringList{QStringLiteral("'layout.nuv'\nこのファイルは読み取り専用に設定されています。\n"
                                                  "別のファイル名を選んで再実行してください。")});

    // Cancel leaves the process without a document.
    m_messages.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(m_app.OpenDocumentFile(path));
    EXPECT_EQ(Shown().size(), 1);
    ExpectNoDocument();
    EXPECT_EQ(ReadOwnerFile(path), QStringLiteral("花子"));

    // The notification: read-only until the other process lets the file go.
    m_messages.answers = {MessageAnswer::No};
    ASSERT_TRUE(m_app.OpenDocumentFile(path));
    Shown();
    EXPECT_EQ(m_app.Document().OpenMode(), COpenDocument::ReadOnlyWatched);
    EXPECT_EQ(m_shell.title, QStringLiteral("layout.nuv [通知]"));
    EXPECT_EQ(PublishedState(path), COpenDocument::ReadOnlyWatched);
    EXPECT_EQ(m_shell.watchInterval, 1000);
}

TEST_F(DocumentOpening, AFileThatMayNotBeWrittenOpensReadOnlyWithoutAQuestion) {
    const QString path = Path("layout.nuv");
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    ASSERT_TRUE(m_app.OpenDocumentFile(path));
    EXPECT_TRUE(Shown().isEmpty());
    EXPECT_EQ(m_app.Document().OpenMode(), COpenDocument::ReadOnly);
    EXPECT_EQ(m_shell.title, QStringLiteral("layout.nuv [読み込み専用]"));
    EXPECT_FALSE(QFile::exists(MakeOwnerFileName(path)));
    EXPECT_FALSE(platform::DocumentFileLock::IsHeldElsewhere(path));
}

TEST_F(DocumentOpening, TheBackupOfASaveInPlaceThatWasKilledIsNamedOnceAndKept) {
    const QString path = Path("layout.nuv");
    const QByteArray old = ReadFileBytes(path);
    // The first bytes of the file are written when the save is killed.
    const QStringList backups = KilledSaveInPlace(path, old.size() + 10);
    ASSERT_EQ(backups.size(), 1);

    EXPECT_TRUE(m_app.OpenDocumentFile(path));
    // It stays under a name that says it was told of, and is not told of again.
    const QString backup = Path("cache/nuv/") + backups[0];
    const QString kept = QString(backup).replace(".bak", ".kept.bak");
    EXPECT_EQ(Shown(),
              QStringList(QStringLiteral("The save of \"%1\" stopped partway. What it held before the save is kept "
                                         "in this file:\n%2")
                              .arg(path, kept)));
    EXPECT_EQ(ReadFileBytes(kept), old);
    m_app.Document().CloseDocument();
    EXPECT_TRUE(m_app.OpenDocumentFile(path));
    EXPECT_EQ(Shown(), QStringList());

    // The backup of a save that another program wrote into says so: the save did not stop.
    const QString mixed = QString(backup).replace(".bak", ".mixed.bak");
    ASSERT_TRUE(QFile::rename(kept, mixed));
    m_app.Document().CloseDocument();
    EXPECT_TRUE(m_app.OpenDocumentFile(path));
    const QString mixedKept = QString(mixed).replace(".bak", ".kept.bak");
    EXPECT_EQ(Shown(), QStringList(LoadString(StringId::FileMayBeDamaged).arg(path, mixedKept)));
    EXPECT_EQ(ReadFileBytes(mixedKept), old);
    // Nor by a tool.
    const ProgramRun dump = RunProgram(QStringLiteral("nuvdump"), {path});
    EXPECT_FALSE(dump.standardError.contains(".bak")) << dump.standardError.toStdString();
}

TEST_F(DocumentOpening, ADocumentThatCannotBeReadSaysWhereItsBackupsAreAtEveryOpen) {
    const QString path = Path("layout.nuv");
    // An older content longer at its start than the new one: the save killed in the file leaves it unreadable.
    QByteArray old = ReadFileBytes(path);
    old.insert(old.indexOf('\n') + 1, "<!--" + QByteArray(300, ' ') + "-->\n");
    WriteFileBytes(path, old);
    const QStringList names = KilledSaveInPlace(path, old.size() + 100);
    ASSERT_EQ(names.size(), 1);
    // A backup whose writer is not proven gone is named too; one not complete, or another file's, is not.
    const QStringList parts = names[0].split('-');
    ASSERT_EQ(parts.size(), 4);
    const QString start = Path("cache/nuv/") + parts[0] + '-';
    const QString live = start + parts[1] + '-' + QString::number(getpid()) + "-live.bak";
    const QString otherHash = QChar(parts[1][0] == '0' ? '1' : '0') + parts[1].mid(1);
    for (const QString& other :
         {live, start + parts[1] + '-' + parts[2] + "-part.bak.part", start + otherHash + '-' + parts[2] + "-x.bak"})
        WriteFileBytes(other, old);
    const QString kept = Path("cache/nuv/") + QString(names[0]).replace(".bak", ".kept.bak");
    QStringList backups = {kept, live};
    backups.sort();
    const QString unread =
        kCannotRead + '\n' + LoadString(StringId::UnreadDocumentBackups).arg(path, backups.join('\n'));

    EXPECT_FALSE(m_app.OpenDocumentFile(path));
    EXPECT_EQ(Shown(), QStringList({LoadString(StringId::SaveBackupLeft).arg(path, kept), unread}));
    // Once told of, by the editor or a tool, at every open.
    for (int open = 0; open < 2; ++open) {
        const ProgramRun dump = RunProgram(QStringLiteral("nuvdump"), {path});
        EXPECT_TRUE(dump.standardError.contains(backups.join('\n'))) << dump.standardError.toStdString();
        EXPECT_FALSE(m_app.OpenDocumentFile(path));
        EXPECT_EQ(Shown(), QStringList(unread));
    }
}

TEST_F(DocumentOpening, APlantedOwnerFileNameIsLeftAloneAndTheDocumentOpensReadOnly) {
    const QString path = Path("layout.nuv");
    const QByteArray precious = "the user's own file";
    WriteFileBytes(Path("precious.txt"), precious);
    ASSERT_TRUE(QFile::link(Path("precious.txt"), MakeOwnerFileName(path)));
    ASSERT_TRUE(m_app.OpenDocumentFile(path));
    EXPECT_EQ(Shown(), QStringList(QStringLiteral("\"%1\" is not an owner file that NUV made: it is left as it is.\n"
                                                  "The document opens read-only.")
                                       .arg(MakeOwnerFileName(path))));
    EXPECT_EQ(m_app.Document().OpenMode(), COpenDocument::ReadOnly);
    EXPECT_FALSE(platform::DocumentFileLock::IsHeldElsewhere(path));
    ASSERT_TRUE(m_app.CloseDocument());
    EXPECT_EQ(ReadFileBytes(Path("precious.txt")), precious);
    EXPECT_TRUE(QFileInfo(MakeOwnerFileName(path)).isSymLink());
}

TEST_F(DocumentOpening, ToolsRefuseToWriteADocumentThatARunningEditorEdits) {
    const QString path = Path("layout.nuv");
    ASSERT_TRUE(m_app.OpenDocumentFile(path));
    const QByteArray before = ReadFileBytes(path);
    ASSERT_TRUE(QFile::link(path, Path("link.nuv")));
    const QString input = NUV_TEST_DATA_DIR "/docfile/layout.nuv";
    const ProgramRun resave = RunProgram(QStringLiteral("nuvdump"), {"--resave", input, Path("link.nuv")});
    EXPECT_EQ(resave.exitCode, 1);
    EXPECT_TRUE(resave.standardError.contains(
        QStringLiteral("%1 は使用中です。\n\n使用者は'%2'です。").arg(Path("link.nuv"), ReadOwnerFile(path))))
        << resave.standardError.toStdString();
    EXPECT_EQ(ReadFileBytes(path), before);

    // Once the editor has let it go, the tool writes it.
    ASSERT_TRUE(m_app.CloseDocument());
    EXPECT_EQ(RunProgram(QStringLiteral("nuvdump"), {"--resave", input, path}).exitCode, 0);
}

TEST_F(DocumentOpening, TheHoldersNameIsShownOrUnknown) {
    const QString path = Path("layout.nuv");
    OtherEditor editor(path, QString());
    m_messages.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(m_app.OpenDocumentFile(path));
    ASSERT_EQ(m_messages.requests.size(), 1);
    EXPECT_TRUE(m_messages.requests[0].text.contains(QStringLiteral("使用者は'Unknown'です。")));
}

TEST_F(DocumentOpening, AWatchedDocumentOffersEditingOnceWhenTheFileIsFreeAndReloadsIt) {
    const QString path = Path("layout.nuv");
    OtherEditor editor(path, QStringLiteral("花子"));
    m_messages.answers = {MessageAnswer::No};
    ASSERT_TRUE(m_app.OpenDocumentFile(path));
    Shown();

    // Nothing while the other process holds it.
    m_app.OnReadOnlyWatchTimer();
    EXPECT_TRUE(Shown().isEmpty());
    EXPECT_EQ(m_shell.watchInterval, 1000);

    // Once it is free the question comes once, however many ticks come while it waits.
    editor.Close();
    int ticksWhileAsked = 0;
    m_messages.whileAsked = [&] {
        ++ticksWhileAsked;
        m_app.OnReadOnlyWatchTimer();
    };
    m_messages.answers = {MessageAnswer::Ok};
    m_app.OnReadOnlyWatchTimer();
    m_messages.whileAsked = nullptr;
    EXPECT_EQ(ticksWhileAsked, 1);
    ASSERT_EQ(m_messages.requests.size(), 1);
    EXPECT_EQ(m_messages.requests[0].caption, QStringLiteral("ファイル使用可能"));
    EXPECT_EQ(m_messages.requests[0].buttonTexts,
              QStringList({QStringLiteral("編集(&W)"), QStringLiteral("キャンセル")}));
    EXPECT_EQ(Shown(), QStringList{path + QStringLiteral(" は編集できるようになりました。\n\n"
                                                         "[編集]を選択すると、開いたファイルを編集できます。")});
    EXPECT_EQ(m_shell.watchInterval, 0);

    // Reloaded for editing: held, owner file ours, title plain.
    EXPECT_EQ(m_app.Document().OpenMode(), COpenDocument::Editing);
    EXPECT_EQ(m_shell.title, "layout.nuv");
    EXPECT_EQ(PublishedState(path), COpenDocument::Editing);
    EXPECT_TRUE(platform::DocumentFileLock::IsHeldElsewhere(path));
    EXPECT_NE(ReadOwnerFile(path), QStringLiteral("花子"));
    EXPECT_EQ(tools::DumpDocument(m_app.Document().DocumentData()), DumpOfDocumentFile(path));
    EXPECT_NE(m_app.GetActiveDocument(), nullptr);
    m_app.OnReadOnlyWatchTimer();
    EXPECT_TRUE(Shown().isEmpty());
}

TEST_F(DocumentOpening, ChangesToAWatchedDocumentAreKeptDiscardedOrSavedElsewhere) {
    const QString path = Path("layout.nuv");
    const auto openWatchedAndChange = [&] {
        OtherEditor editor(path, QStringLiteral("花子"));
        m_app.Document().SetModified(false);
        m_messages.answers = {MessageAnswer::No};
        ASSERT_TRUE(m_app.OpenDocumentFile(path));
        m_app.Document().DocumentData().documentHeader.Title = QStringLiteral("読み取り中の変更");
        m_app.Document().SetModified();
        Shown();
    };
    const QString editedQuestion =
        path + QStringLiteral(" を変更しました。\n\n変更内容を破棄して編集する場合は、[破棄]を選択してください。\n\n"
                              "変更内容を別のファイルに保存して最新のファイルを開く場合は、[保存]を選択してください。");

    // Cancel keeps the changes, read-only and no longer watched.
    openWatchedAndChange();
    m_messages.answers = {MessageAnswer::Ok, MessageAnswer::Cancel};
    m_app.OnReadOnlyWatchTimer();
    ASSERT_EQ(m_messages.requests.size(), 2);
    EXPECT_EQ(m_messages.requests[1].text, editedQuestion);
    EXPECT_EQ(m_messages.requests[1].buttonTexts,
              QStringList({QStringLiteral("破棄(&D)"), QStringLiteral("保存(&S)"), QStringLiteral("キャンセル")}));
    EXPECT_EQ(m_messages.requests[1].DefaultAnswer(), MessageAnswer::Cancel);
    Shown();
    EXPECT_EQ(m_app.Document().OpenMode(), COpenDocument::ReadOnlyWatched);
    EXPECT_TRUE(m_app.Document().IsModified());
    EXPECT_EQ(m_shell.watchInterval, 0);
    EXPECT_FALSE(platform::DocumentFileLock::IsHeldElsewhere(path));
    m_app.OnReadOnlyWatchTimer();
    EXPECT_TRUE(Shown().isEmpty());

    // Save: the changes go to a file of their own and the document to a new process.
    openWatchedAndChange();
    m_shell.savePath = Path("changes.nuv");
    m_messages.answers = {MessageAnswer::Ok, MessageAnswer::No};
    m_app.OnReadOnlyWatchTimer();
    EXPECT_EQ(Shown().size(), 2);
    EXPECT_EQ(m_app.Document().DocumentPath(), Path("changes.nuv"));
    EXPECT_EQ(m_app.Document().OpenMode(), COpenDocument::Editing);
    EXPECT_EQ(DumpOfDocumentFile(Path("changes.nuv")), tools::DumpDocument(m_app.Document().DocumentData()));
    ASSERT_EQ(m_shell.started.size(), 1u);
    EXPECT_EQ(m_shell.started[0], QStringList({"/0", "/0", path}));
    EXPECT_FALSE(platform::DocumentFileLock::IsHeldElsewhere(path));

    // Discard reloads the file as it is.
    openWatchedAndChange();
    ASSERT_EQ(m_app.Document().DocumentPath(), path);
    m_messages.answers = {MessageAnswer::Ok, MessageAnswer::Yes};
    m_app.OnReadOnlyWatchTimer();
    EXPECT_EQ(Shown().size(), 2);
    EXPECT_EQ(m_app.Document().OpenMode(), COpenDocument::Editing);
    EXPECT_FALSE(m_app.Document().IsModified());
    EXPECT_EQ(tools::DumpDocument(m_app.Document().DocumentData()), DumpOfDocumentFile(path));
}

TEST_F(DocumentOpening, AReloadThatCannotReadTheFileLeavesNoDocument) {
    const QString path = Path("layout.nuv");
    {
        OtherEditor editor(path, QStringLiteral("花子"));
        m_messages.answers = {MessageAnswer::No};
        ASSERT_TRUE(m_app.OpenDocumentFile(path));
        WriteFileBytes(path, "<NUV>");
        editor.Close();
    }
    Shown();
    m_messages.answers = {MessageAnswer::Ok};
    m_app.OnReadOnlyWatchTimer();
    EXPECT_EQ(Shown().last(), kCannotRead);
    ExpectNoDocument();
    EXPECT_FALSE(platform::DocumentFileLock::IsHeldElsewhere(path));
    EXPECT_FALSE(QFile::exists(MakeOwnerFileName(path)));
}

TEST_F(DocumentOpening, AFileThatCannotBeOpenedOrReadSaysSoAndLeavesTheRecentFiles) {
    struct Case {
        const char* file;
        QString message;
    };
    const Case cases[] = {
        {"empty.nuv", kCannotRead},        {"bom-only.nuv", kCannotRead},   {"malformed.nuv", kCannotRead},
        {"invalid-utf8.nuv", kCannotRead}, {"wrong-root.nuv", kCannotRead}, {"no-document.nuv", kCannotRead},
        {"missing.nuv", kCannotOpen},
    };
    for (const Case& c : cases) {
        const QString path = Path(c.file);
        QFile::copy(QStringLiteral(NUV_TEST_DATA_DIR "/docfile/") + c.file, path);
        m_app.UpdateRecentFileList(Path("layout.nuv"), true);
        m_app.UpdateRecentFileList(path, true);
        const int closesPosted = m_shell.closesPosted;
        EXPECT_FALSE(m_app.OpenDocumentFile(path)) << c.file;
        // A file that cannot be opened at all leaves nothing to show: the window closes, the process ends.
        EXPECT_EQ(m_shell.closesPosted - closesPosted, c.message == kCannotOpen ? 1 : 0) << c.file;
        ASSERT_EQ(m_messages.requests.size(), 1) << c.file;
        EXPECT_EQ(m_messages.requests[0].text, c.message) << c.file;
        EXPECT_EQ(m_messages.requests[0].icon, platform::MessageIcon::Error) << c.file;
        m_messages.requests.clear();
        ExpectNoDocument();
        EXPECT_EQ(m_app.RecentFiles(), QStringList{Path("layout.nuv")}) << c.file;
        EXPECT_FALSE(QFile::exists(MakeOwnerFileName(path))) << c.file;
        EXPECT_FALSE(platform::DocumentFileLock::IsHeldElsewhere(path)) << c.file;
        EXPECT_EQ(PublishedState(path), 0) << c.file;
    }

    // A pipe or a device is not waited on: the message says what it is, by the name it was given (a link's own),
    // and nothing is left to show.
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path("pipe.nuv")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), Path("z.nuv")));
    for (const QString& special : {Path("pipe.nuv"), QStringLiteral("/dev/zero"), Path("z.nuv")}) {
        const int closesPosted = m_shell.closesPosted;
        EXPECT_FALSE(m_app.OpenDocumentFile(special));
        EXPECT_EQ(m_shell.closesPosted - closesPosted, 1);
        EXPECT_EQ(Shown(),
                  QStringList{QStringLiteral("\"%1\" is not a regular file: it cannot be read.").arg(special)});
        ExpectNoDocument();
    }

    // Files of other format versions are read after a notice.
    for (const char* file : {"older-version.nuv", "unknown-version.nuv"}) {
        const QString path = Path(file);
        ASSERT_TRUE(QFile::copy(QStringLiteral(NUV_TEST_DATA_DIR "/docfile/") + file, path));
        EXPECT_TRUE(m_app.OpenDocumentFile(path)) << file;
        ASSERT_EQ(m_messages.requests.size(), 1) << file;
        EXPECT_EQ(m_messages.requests[0].icon, platform::MessageIcon::Warning) << file;
        m_messages.requests.clear();
        EXPECT_EQ(m_app.Document().OpenMode(), COpenDocument::Editing) << file;
    }
}

TEST_F(DocumentOpening, AStoredVersionOpensReadOnlyWithItsNumberInTheTitle) {
    const QString path = Path("layout.nuv");
    ASSERT_TRUE(m_app.OpenDocumentFile(path));
    m_app.Document().DocumentData().VersionControlTable.IsAutoVersion = 1;
    m_app.Document().DocumentData().documentHeader.Title = QStringLiteral("第一版");
    m_shell.versionEntry = VersionHistoryEntry{1, 2, "2026/12/07 04:00:00", "tester", "first"};
    m_messages.answers = {MessageAnswer::Yes};
    m_app.OnFileSave();
    m_app.Document().DocumentData().documentHeader.Title = QStringLiteral("第二版");
    m_messages.answers = {MessageAnswer::No};
    m_app.OnFileSave();
    ASSERT_TRUE(m_app.OpenDocumentFile(path));
    ASSERT_FALSE(m_app.Document().DocumentData().versionHistory.empty());
    const int number = m_app.Document().DocumentData().versionHistory.back().number;
    EXPECT_EQ(m_app.Document().DocumentData().documentHeader.Title, QStringLiteral("第二版"));
    Shown();

    ASSERT_TRUE(m_app.OpenDocumentFile(path, number));
    EXPECT_TRUE(Shown().isEmpty());
    EXPECT_EQ(m_app.Document().OpenMode(), COpenDocument::StoredVersion);
    EXPECT_EQ(m_app.Document().RequestedVersion(), number);
    EXPECT_EQ(m_app.Document().DocumentData().documentHeader.Title, QStringLiteral("第一版"));
    EXPECT_EQ(m_shell.title, QStringLiteral("layout.nuv, 1.02 版"));
    EXPECT_FALSE(platform::DocumentFileLock::IsHeldElsewhere(path));
    EXPECT_FALSE(QFile::exists(MakeOwnerFileName(path)));
    // A stored version is nobody's document: another process may open the file itself.
    EXPECT_FALSE(m_app.FindInstanceByPath(path));

    // A version the file does not hold, as a command line "/N /N PATH" may ask for, is named.
    EXPECT_FALSE(m_app.OpenDocumentFile(path, number + 5));
    EXPECT_EQ(Shown(), QStringList{QStringLiteral(
                                       "The version numbered %1 cannot be opened: this document holds no such version.")
                                       .arg(number + 5)});
    ExpectNoDocument();
}

TEST(DocumentOpeningStoredVersion, AProcessStartedForAStoredVersionShowsItWhileAnotherEditsTheDocument) {
    AppDirectories dirs;
    AnsweringSink messages;
    const QString path = dirs.Path("layout.nuv");
    ASSERT_TRUE(QFile::copy(NUV_TEST_DATA_DIR "/docfile/layout.nuv", path));
    CDocumentData data;
    ASSERT_EQ(tools::LoadDocument(path, data), LoadResult::Loaded);
    data.documentHeader.Title = QStringLiteral("第一版");
    ASSERT_TRUE(SaveDocumentXmlWithHistory(data, path, VersionHistoryEntry{1, 2, "2026/12/07 04:00:00", "tester", ""}));
    const int number = data.versionHistory.back().number;
    OtherEditor editor(path, QStringLiteral("someone"));

    // Version management starts the program as "/N /N PATH".
    FakeShell shell;
    CNUVApp viewer(shell);
    const QString argument = QStringLiteral("/%1").arg(number);
    ASSERT_TRUE(viewer.InitEditorInstance({"nuv", argument, argument, path}));
    EXPECT_EQ(viewer.Document().OpenMode(), COpenDocument::StoredVersion);
    EXPECT_EQ(viewer.Document().RequestedVersion(), number);
    EXPECT_EQ(viewer.Document().DocumentData().documentHeader.Title, QStringLiteral("第一版"));
    EXPECT_TRUE(messages.Texts().isEmpty()) << messages.Texts().join("|").toStdString();
    editor.Close();
}

TEST_F(DocumentOpening, RecentFilesKeepTheFourLastNewestFirstInTheUsersSettings) {
    QStringList paths;
    for (const char* name : {"a.nuv", "b.nuv", "c.nuv", "d.nuv", "e.nuv"}) {
        paths << Path(name);
        m_app.UpdateRecentFileList(paths.last(), true);
    }
    EXPECT_EQ(m_app.RecentFiles(), QStringList({paths[4], paths[3], paths[2], paths[1]}));
    m_app.UpdateRecentFileList(paths[2], true);
    EXPECT_EQ(m_app.RecentFiles(), QStringList({paths[2], paths[4], paths[3], paths[1]}));
    // Removal takes the path exactly as written.
    m_app.UpdateRecentFileList(Path("D.nuv"), false);
    m_app.UpdateRecentFileList(QString(), true);
    EXPECT_EQ(m_app.RecentFiles().size(), 4);
    m_app.UpdateRecentFileList(paths[3], false);
    EXPECT_EQ(m_app.RecentFiles(), QStringList({paths[2], paths[4], paths[1]}));
    // Another process of the same user sees them, and adds to them without losing them.
    EXPECT_EQ(platform::ReadSetting(UserSettings::RecentFile(0)), paths[2]);
    platform::WriteSetting(UserSettings::RecentFile(3), Path("other.nuv"));
    m_app.UpdateRecentFileList(paths[1], false);
    EXPECT_EQ(m_app.RecentFiles(), QStringList({paths[2], paths[4], Path("other.nuv")}));

    // An entry opens like File Open; an entry whose file is gone says so and leaves the list.
    m_app.UpdateRecentFileList(Path("layout.nuv"), true);
    m_app.OnOpenRecentFile(0);
    EXPECT_EQ(m_app.Document().DocumentPath(), Path("layout.nuv"));
    ASSERT_EQ(m_app.RecentFiles()[0], Path("layout.nuv"));
    EXPECT_TRUE(Shown().isEmpty());
    ASSERT_TRUE(m_app.CloseDocument());
    m_app.OnOpenRecentFile(1);
    EXPECT_EQ(Shown(), QStringList{kCannotOpen});
    EXPECT_EQ(m_app.RecentFiles(), QStringList({Path("layout.nuv"), paths[4], Path("other.nuv")}));
    m_app.OnOpenRecentFile(7);
    EXPECT_TRUE(Shown().isEmpty());
}

TEST_F(DocumentOpening, WhereTheIndexViewsStoodIsSavedAndComesBackWhenTheDocumentIsRead) {
    ASSERT_TRUE(m_app.OpenDocumentFile(Path("layout.nuv")));
    ASSERT_EQ(m_shell.restoredIndexViewStates.size(), 1u);
    EXPECT_EQ(m_shell.restoredIndexViewStates[0], IndexViewInfo());
    IndexViewInfo place;
    place.HierClickedInternalID = 300;
    place.HierHScrollPosition = 480;
    place.LexiVScrollPosition = 7;
    m_shell.indexViewState = place;
    m_app.Document().SetModified();
    m_app.OnFileSave();
    ASSERT_FALSE(m_app.Document().IsModified());
    ASSERT_TRUE(m_app.CloseDocument());
    m_shell.indexViewState.reset();
    ASSERT_TRUE(m_app.OpenDocumentFile(Path("layout.nuv")));
    ASSERT_EQ(m_shell.restoredIndexViewStates.size(), 2u);
    EXPECT_EQ(m_shell.restoredIndexViewStates[1], place);
}

TEST_F(DocumentOpening, ANewDocumentTakesTheTemplatesContentButNeitherItsPathNorItsFile) {
    const QString path = Path("layout.nuv");
    ASSERT_TRUE(m_app.SetProfileDword(UserSettings::UseTemplate(), 1));
    ASSERT_TRUE(m_app.SetProfileText(UserSettings::TemplateFilename(), path));
    ASSERT_TRUE(m_app.CloseDocument());
    m_app.OnFileNew();
    EXPECT_TRUE(Shown().isEmpty());
    // The template's origin has no unique label: the new document gives it one.
    QString& originLabel = m_app.Document().DocumentData().registry.origin->header.uniqueLabel;
    EXPECT_FALSE(originLabel.isEmpty());
    originLabel.clear();
    EXPECT_EQ(tools::DumpDocument(m_app.Document().DocumentData()), DumpOfDocumentFile(path));
    EXPECT_EQ(m_app.Document().DocumentPath(), "");
    EXPECT_EQ(m_app.Document().OpenMode(), COpenDocument::NoDocument);
    EXPECT_EQ(m_shell.title, "NUV");
    EXPECT_NE(m_app.GetActiveDocument(), nullptr);
    EXPECT_FALSE(platform::DocumentFileLock::IsHeldElsewhere(path));
    EXPECT_FALSE(QFile::exists(MakeOwnerFileName(path)));

    // With a document here, New starts an empty process.
    m_app.OnFileNew();
    ASSERT_EQ(m_shell.started.size(), 1u);
    EXPECT_TRUE(m_shell.started[0].isEmpty());

    // A template that cannot be read leaves the defaults, without a word.
    ASSERT_TRUE(QFile::copy(NUV_TEST_DATA_DIR "/docfile/malformed.nuv", Path("malformed.nuv")));
    ASSERT_TRUE(m_app.SetProfileText(UserSettings::TemplateFilename(), Path("malformed.nuv")));
    ASSERT_TRUE(m_app.CloseDocument());
    m_app.OnFileNew();
    EXPECT_TRUE(Shown().isEmpty());
    CDocumentData defaults;
    defaults.SetDefaults();
    EXPECT_EQ(m_app.Document().DocumentData().documentHeader.Title, defaults.documentHeader.Title);
    EXPECT_EQ(m_app.Document().DocumentData().registry.Count(), 1);

    // A pipe or a device named as the template is refused with a message, without waiting on it or reading it.
    ASSERT_EQ(mkfifo(QFile::encodeName(Path("pipe.nuv")).constData(), 0600), 0);
    for (const QString& refused : {Path("pipe.nuv"), QStringLiteral("/dev/zero")}) {
        ASSERT_TRUE(m_app.SetProfileText(UserSettings::TemplateFilename(), refused));
        ASSERT_TRUE(m_app.CloseDocument());
        m_app.OnFileNew();
        EXPECT_EQ(Shown(),
                  QStringList(QStringLiteral("The template file %1 cannot be read: it is not a regular file, or it is "
                                             "too large.\nThe new document starts empty.")
                                  .arg(refused)));
        EXPECT_EQ(m_app.Document().DocumentData().registry.Count(), 1);
        EXPECT_NE(m_app.GetActiveDocument(), nullptr);
    }
}

TEST_F(DocumentOpening, TheAutoSaveTimerStartsWhenADocumentIsOpenedForEditingButNotOnAReload) {
    const QString path = Path("layout.nuv");
    ASSERT_TRUE(m_app.OpenDocumentFile(path));
    m_app.Document().DocumentData().AutoSaveOnOff = 1;
    m_app.Document().DocumentData().AutoSaveInterval = 10;
    m_app.OnFileSave();
    ASSERT_TRUE(m_app.CloseDocument());
    EXPECT_EQ(m_shell.autoSaveInterval, 0);

    ASSERT_TRUE(m_app.OpenDocumentFile(path));
    EXPECT_EQ(m_shell.autoSaveInterval, 600000);
    ASSERT_TRUE(m_app.CloseDocument());

    // Watched until the other user lets it go, then reloaded for editing: no timer.
    {
        OtherEditor editor(path, QStringLiteral("花子"));
        m_messages.answers = {MessageAnswer::No};
        ASSERT_TRUE(m_app.OpenDocumentFile(path));
        editor.Close();
    }
    EXPECT_EQ(m_shell.autoSaveInterval, 0);
    m_messages.answers = {MessageAnswer::Ok};
    m_app.OnReadOnlyWatchTimer();
    EXPECT_EQ(m_app.Document().OpenMode(), COpenDocument::Editing);
    EXPECT_EQ(m_shell.autoSaveInterval, 0);
}

TEST_F(DocumentOpening, AWatchTickACloseRequestAndAnOpenWaitForTheWorkerThatReadsTheDocument) {
    const QString path = Path("layout.nuv");
    OtherEditor editor(path, QStringLiteral("花子"));
    m_messages.answers = {MessageAnswer::No};
    ASSERT_TRUE(m_app.OpenDocumentFile(path));
    Shown();
    editor.Close();
    ASSERT_TRUE(QFile::copy(path, Path("other.nuv")));

    // While the worker reads the document, nothing replaces or clears it.
    COpenDocument& document = m_app.Document();
    const CUnitFunction* read = document.DocumentData().registry.origin;
    const int closesBefore = m_shell.closesPosted;
    document.BeginWork(COpenDocument::Work::Worker);
    m_app.OnReadOnlyWatchTimer();
    m_app.OnCloseRequested();
    EXPECT_FALSE(m_app.CloseDocument(true));
    EXPECT_FALSE(m_app.OpenDocumentFile(Path("other.nuv")));
    m_app.OnReadOnlyWatchTimer();
    EXPECT_TRUE(Shown().isEmpty());
    EXPECT_EQ(document.OpenMode(), COpenDocument::ReadOnlyWatched);
    EXPECT_EQ(document.DocumentPath(), path);
    EXPECT_EQ(document.DocumentData().registry.origin, read);
    EXPECT_EQ(m_shell.closesPosted, closesBefore);

    // Once it has ended they happen in the order they came, each once: the offer to edit (taken, so the
    // document is read again), the close posted to the window, and the open of the other document.
    m_messages.answers = {MessageAnswer::Ok};
    document.EndWork(COpenDocument::Work::Worker);
    const QStringList shown = Shown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith(path + QStringLiteral(" は編集できるようになりました。")));
    EXPECT_EQ(document.OpenMode(), COpenDocument::Editing);
    EXPECT_EQ(m_shell.closesPosted, closesBefore + 1);
    EXPECT_EQ(document.DocumentPath(), Path("other.nuv"));
    EXPECT_FALSE(document.IsBusy());
}
