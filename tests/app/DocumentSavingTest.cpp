#include "AppDirectories.h"
#include "FakeApplicationShell.h"
#include "app/NUVApp.h"
#include "app/SavingRules.h"
#include "model/DocumentFile.h"
#include "platform/DocumentFileLock.h"
#include "platform/MessageBox.h"
#include "platform/OwnerFile.h"
#include "support/InPlaceWriteMoment.h"
#include "support/TemporaryWriteMoment.h"
#include "support/TestFiles.h"
#include "support/WholeSecondFileSystem.h"
#include "support/model/DocumentFileDump.h"
#include "support/model/LockHolderName.h"
#include "texts/StringTable.h"
#include "texts/TextHelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <fcntl.h>
#include <limits>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <memory>

using platform::MessageAnswer;

namespace {

// A new document in an application whose windows are the fake's.
class DocumentSaving : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dirs.IsValid());
        ASSERT_TRUE(m_app.InitInstance({"tobrel"}));
        ASSERT_TRUE(m_app.Document().DocumentData().DataReady);
        m_startMessages = m_messages.Requests().size();
    }
    QString Path(const QString& name) const { return m_dirs.Path(name); }
    // Texts shown since the document was created.
    QStringList Shown() const { return m_messages.Texts().mid(m_startMessages); }
    void SaveAs(const QString& name) {
        m_shell.savePath = Path(name);
        m_app.OnFileSaveAs();
        ASSERT_EQ(m_app.Document().DocumentPath(), Path(name));
    }
    void Modify(const QString& title) {
        m_app.Document().DocumentData().documentHeader.Title = title;
        m_app.Document().SetModified();
    }

    AppDirectories m_dirs;
    platform::ScriptedMessageSink m_messages;
    FakeShell m_shell;
    CNUVApp m_app{m_shell};
    qsizetype m_startMessages = 0;
};

QString TitleOfDocumentFile(const QString& path) {
    CDocumentData data;
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(LoadDocumentXml(file, data, 0), LoadResult::Loaded);
    return data.documentHeader.Title;
}

// Writes nothing beyond `bytes` into any file while it lives; a longer write fails instead of killing us.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace

TEST_F(DocumentSaving, ANewDocumentSavedUnderANameIsHeldAndReopensAsSaved) {
    // The proposed name comes from the title page's title, else the origin's name, else the window title.
    m_app.OnFileSave();
    m_app.Document().DocumentData().registry.origin->name = QStringLiteral("起点");
    m_app.OnFileSave();
    EXPECT_EQ(m_app.Document().OpenMode(), COpenDocument::NoDocument);
    Modify(QStringLiteral("扉/窓の仕様"));
    m_shell.savePath = Path("door.nuv");
    m_app.OnFileSave();
    EXPECT_EQ(m_shell.proposedNames, QStringList({"NUV.nuv", QStringLiteral("起点.nuv"), QStringLiteral("扉.nuv")}));
    m_shell.proposedNames.clear();
    EXPECT_EQ(m_app.Document().OpenMode(), COpenDocument::Editing);
    EXPECT_FALSE(m_app.Document().IsModified());
    EXPECT_EQ(m_shell.title, "door.nuv");
    EXPECT_TRUE(QFile::exists(MakeOwnerFileName(Path("door.nuv"))));
    EXPECT_TRUE(platform::DocumentFileLock::IsHeldElsewhere(Path("door.nuv")));
    EXPECT_EQ(m_app.RecentFiles(), QStringList{Path("door.nuv")});

    // The next save goes into the held file without a prompt, and the file stays held after the rename.
    Modify(QStringLiteral("窓の仕様"));
    m_app.OnFileSave();
    EXPECT_TRUE(m_shell.proposedNames.isEmpty());
    EXPECT_FALSE(m_app.Document().IsModified());
    EXPECT_TRUE(platform::DocumentFileLock::IsHeldElsewhere(Path("door.nuv")));
    EXPECT_EQ(TitleOfDocumentFile(Path("door.nuv")), QStringLiteral("窓の仕様"));

    // Read back and written again, the document is the same.
    CDocumentData reread;
    {
        QFile file(Path("door.nuv"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        ASSERT_EQ(LoadDocumentXml(file, reread, 0), LoadResult::Loaded);
        ASSERT_TRUE(SaveDocumentXml(reread, Path("again.nuv")));
    }
    EXPECT_EQ(DumpOfDocumentFile(Path("again.nuv")), DumpOfDocumentFile(Path("door.nuv")));
    EXPECT_TRUE(Shown().isEmpty()) << Shown().join('|').toStdString();
}

TEST_F(DocumentSaving, AFailedSaveKeepsTheModifiedFlagTheFileAndTheDocument) {
    SaveAs("door.nuv");
    const QByteArray saved = ReadFileBytes(Path("door.nuv"));
    Modify(QStringLiteral("変更"));
    {
        FileSizeLimit limit(256);
        m_app.OnFileSave();
    }
    ASSERT_EQ(Shown().size(), 1);
    EXPECT_TRUE(
        Shown()[0].startsWith(QStringLiteral("ファイル \"%1\" に書き込みできませんでした。").arg(Path("door.nuv"))))
        << Shown()[0].toStdString();
    EXPECT_TRUE(m_app.Document().IsModified());
    EXPECT_EQ(ReadFileBytes(Path("door.nuv")), saved);
    EXPECT_TRUE(platform::DocumentFileLock::IsHeldElsewhere(Path("door.nuv")));

    // Save As to a new file fails the same way: the document keeps its old file, held.
    {
        FileSizeLimit limit(256);
        m_shell.savePath = Path("window.nuv");
        m_app.OnFileSaveAs();
    }
    EXPECT_EQ(m_app.Document().DocumentPath(), Path("door.nuv"));
    EXPECT_EQ(m_app.Document().OpenMode(), COpenDocument::Editing);
    EXPECT_TRUE(m_app.Document().IsModified());
    EXPECT_FALSE(QFile::exists(Path("window.nuv")));
    EXPECT_TRUE(platform::DocumentFileLock::IsHeldElsewhere(Path("door.nuv")));
    EXPECT_TRUE(QFile::exists(MakeOwnerFileName(Path("door.nuv"))));

    // Closing with Yes, when the save fails, closes nothing.
    m_messages.Answer(MessageAnswer::Yes);
    {
        FileSizeLimit limit(256);
        EXPECT_FALSE(m_app.CloseDocument());
    }
    EXPECT_TRUE(m_app.Document().DocumentData().DataReady);
    EXPECT_TRUE(m_app.Document().IsModified());
    EXPECT_EQ(m_app.Document().DocumentData().documentHeader.Title, QStringLiteral("変更"));
    EXPECT_EQ(ReadFileBytes(Path("door.nuv")), saved);
}

TEST_F(DocumentSaving, TheUnsavedChangesQuestionOnClose) {
    SaveAs("door.nuv");
    const QByteArray saved = ReadFileBytes(Path("door.nuv"));
    Modify(QStringLiteral("変更"));

    m_messages.Answer(MessageAnswer::Cancel);
    EXPECT_FALSE(m_app.CloseDocument());
    ASSERT_EQ(Shown(), QStringList{QStringLiteral("\"door.nuv\" は変更されています。保存しますか?")});
    EXPECT_EQ(m_messages.Requests().back().buttons, platform::MessageButtons::YesNoCancel);
    EXPECT_EQ(m_messages.Requests().back().icon, platform::MessageIcon::Warning);
    EXPECT_TRUE(m_app.Document().IsModified());
    EXPECT_EQ(m_app.Document().DocumentPath(), Path("door.nuv"));
    EXPECT_TRUE(platform::DocumentFileLock::IsHeldElsewhere(Path("door.nuv")));

    // No discards the changes.
    m_messages.Answer(MessageAnswer::No);
    EXPECT_TRUE(m_app.CloseDocument());
    EXPECT_FALSE(m_app.Document().DocumentData().DataReady);
    EXPECT_EQ(m_app.Document().OpenMode(), COpenDocument::NoDocument);
    EXPECT_EQ(ReadFileBytes(Path("door.nuv")), saved);
    EXPECT_FALSE(QFile::exists(MakeOwnerFileName(Path("door.nuv"))));
    EXPECT_FALSE(platform::DocumentFileLock::IsHeldElsewhere(Path("door.nuv")));
    EXPECT_EQ(m_shell.title, "");

    // Without changes nothing is asked.
    const qsizetype shown = Shown().size();
    EXPECT_TRUE(m_app.CloseDocument());
    EXPECT_EQ(Shown().size(), shown);
}

TEST_F(DocumentSaving, YesOnCloseSavesFirstAndACancelledPromptKeepsTheDocument) {
    Modify(QStringLiteral("新しい扉"));
    m_messages.Answer(MessageAnswer::Yes);
    EXPECT_FALSE(m_app.CloseDocument()); // the save prompt is cancelled
    EXPECT_TRUE(m_app.Document().DocumentData().DataReady);
    EXPECT_TRUE(m_app.Document().IsModified());

    m_messages.Answer(MessageAnswer::Yes);
    m_shell.savePath = Path("door.nuv");
    EXPECT_TRUE(m_app.CloseDocument());
    EXPECT_FALSE(m_app.Document().DocumentData().DataReady);
    EXPECT_EQ(TitleOfDocumentFile(Path("door.nuv")), QStringLiteral("新しい扉"));
    EXPECT_FALSE(QFile::exists(MakeOwnerFileName(Path("door.nuv"))));
}

TEST_F(DocumentSaving, ACloseCommitsWhatIsBeingTypedBeforeItAsks) {
    SaveAs("door.nuv");
    // Only the commit changes the document, as a name typed while the window has not the focus does.
    m_shell.pendingEdits = true;
    m_shell.whileCommitting = [this] { Modify(QStringLiteral("入力中")); };
    m_messages.Answer(MessageAnswer::Yes);
    EXPECT_TRUE(m_app.Document().CloseDocument(true));
    EXPECT_EQ(Shown(), QStringList{QStringLiteral("\"door.nuv\" は変更されています。保存しますか?")});
    EXPECT_EQ(TitleOfDocumentFile(Path("door.nuv")), QStringLiteral("入力中"));
}

TEST_F(DocumentSaving, SaveAsTakesTheNewFileBeforeLettingTheOldOneGo) {
    SaveAs("door.nuv");
    WriteFileBytes(Path("taken.nuv"), "other");
    {
        platform::DocumentFileLock other;
        ASSERT_TRUE(other.Hold(Path("taken.nuv")));
        m_shell.savePath = Path("taken.nuv");
        m_app.OnFileSaveAs();
    }
    // With no owner file the holder is the user and process of the lock.
    EXPECT_EQ(Shown(), QStringList{QStringLiteral("ファイルが開けないため、保存できませんでした。\n"
                                                  "%1 は使用中です。\n\n使用者は'%2'です。")
                                       .arg(Path("taken.nuv"), LockHolderName())});
    EXPECT_EQ(ReadFileBytes(Path("taken.nuv")), "other");
    EXPECT_EQ(m_app.Document().DocumentPath(), Path("door.nuv"));
    EXPECT_TRUE(platform::DocumentFileLock::IsHeldElsewhere(Path("door.nuv")));

    // A file that may not be written is not replaced either.
    WriteFileBytes(Path("locked.nuv"), "read only");
    QFile::setPermissions(Path("locked.nuv"), QFile::ReadOwner);
    if (!QFileInfo(Path("locked.nuv")).isWritable()) {
        m_shell.savePath = Path("locked.nuv");
        m_app.OnFileSaveAs();
        EXPECT_EQ(Shown().size(), 2);
        EXPECT_EQ(ReadFileBytes(Path("locked.nuv")), "read only");
        EXPECT_EQ(m_app.Document().DocumentPath(), Path("door.nuv"));
    }

    // Save As under its own name writes the held file, once.
    SaveAs("door.nuv");
    EXPECT_TRUE(platform::DocumentFileLock::IsHeldElsewhere(Path("door.nuv")));
    EXPECT_EQ(Shown().size(), QFileInfo(Path("locked.nuv")).isWritable() ? 1 : 2);

    SaveAs("window.nuv");
    EXPECT_EQ(m_app.Document().OpenMode(), COpenDocument::Editing);
    EXPECT_EQ(m_shell.title, "window.nuv");
    EXPECT_TRUE(platform::DocumentFileLock::IsHeldElsewhere(Path("window.nuv")));
    EXPECT_TRUE(QFile::exists(MakeOwnerFileName(Path("window.nuv"))));
    EXPECT_FALSE(platform::DocumentFileLock::IsHeldElsewhere(Path("door.nuv")));
    EXPECT_FALSE(QFile::exists(MakeOwnerFileName(Path("door.nuv"))));
}

TEST_F(DocumentSaving, ASaveUnderANameRefusesAHeldDocumentBeforeAskingAboutAnExistingFile) {
    const auto overwriteQuestion = [&](const QString& name) {
        return QStringLiteral("ファイル \"%1\" はすでに存在します。\n上書きしてよろしいですか？").arg(Path(name));
    };
    // The first save of a new document onto a document another editor holds: refused, nothing asked before.
    Modify(QStringLiteral("新しい扉"));
    WriteFileBytes(Path("taken.nuv"), "other");
    {
        platform::DocumentFileLock other;
        ASSERT_TRUE(other.Hold(Path("taken.nuv")));
        m_shell.savePath = Path("taken.nuv");
        m_messages.Answer(MessageAnswer::Yes);
        m_app.OnFileSave();
    }
    ASSERT_EQ(Shown().size(), 1);
    EXPECT_TRUE(Shown()[0].contains(QStringLiteral("%1 は使用中です。").arg(Path("taken.nuv"))))
        << Shown()[0].toStdString();
    EXPECT_EQ(m_messages.Requests().back().buttons, platform::MessageButtons::Ok);
    EXPECT_EQ(ReadFileBytes(Path("taken.nuv")), "other");
    EXPECT_EQ(m_app.Document().OpenMode(), COpenDocument::NoDocument);
    EXPECT_TRUE(m_app.Document().IsModified());

    // Let go, it is an existing file like any other: No leaves it and the document as they were, Yes writes it.
    m_messages.Answer(MessageAnswer::No);
    m_app.OnFileSave();
    EXPECT_EQ(Shown().mid(1), QStringList{overwriteQuestion("taken.nuv")});
    EXPECT_EQ(m_messages.Requests().back().buttons, platform::MessageButtons::YesNo);
    EXPECT_EQ(m_messages.Requests().back().icon, platform::MessageIcon::Warning);
    EXPECT_EQ(ReadFileBytes(Path("taken.nuv")), "other");
    EXPECT_EQ(m_app.Document().OpenMode(), COpenDocument::NoDocument);
    m_messages.Answer(MessageAnswer::Yes);
    m_app.OnFileSave();
    EXPECT_EQ(Shown().size(), 3);
    EXPECT_EQ(m_app.Document().DocumentPath(), Path("taken.nuv"));
    EXPECT_EQ(TitleOfDocumentFile(Path("taken.nuv")), QStringLiteral("新しい扉"));

    // Save As under the document's own name asks nothing; onto another existing file it asks, and No keeps the
    // document where it was.
    SaveAs("taken.nuv");
    EXPECT_EQ(Shown().size(), 3);
    WriteFileBytes(Path("plain.nuv"), "mine");
    m_shell.savePath = Path("plain.nuv");
    m_messages.Answer(MessageAnswer::No);
    m_app.OnFileSaveAs();
    EXPECT_EQ(Shown().mid(3), QStringList{overwriteQuestion("plain.nuv")});
    EXPECT_EQ(ReadFileBytes(Path("plain.nuv")), "mine");
    EXPECT_EQ(m_app.Document().DocumentPath(), Path("taken.nuv"));
    EXPECT_TRUE(platform::DocumentFileLock::IsHeldElsewhere(Path("taken.nuv")));
}

TEST_F(DocumentSaving, AVersionIsRecordedOnSaveWhenAskedAndRefusedBeyondTen) {
    SaveAs("door.nuv");
    m_app.Document().DocumentData().VersionControlTable = {1, 0, 1};

    // Cancel saves nothing; No saves without a version.
    Modify(QStringLiteral("一"));
    m_messages.Answer(MessageAnswer::Cancel);
    m_app.OnFileSave();
    EXPECT_TRUE(m_app.Document().IsModified());
    m_messages.Answer(MessageAnswer::No);
    m_app.OnFileSave();
    EXPECT_FALSE(m_app.Document().IsModified());
    EXPECT_EQ(Shown(), QStringList(2, QStringLiteral("版の履歴を保存しますか？")));
    EXPECT_TRUE(m_shell.askedVersions.isEmpty());

    // Yes proposes the next number and saves with the version the dialog gives.
    Modify(QStringLiteral("二"));
    m_shell.versionEntry = VersionHistoryEntry{0, 1, "2026/12/07 04:00:00", "tester", "first"};
    m_messages.Answer(MessageAnswer::Yes);
    m_app.OnFileSave();
    EXPECT_EQ(m_shell.askedVersions, QStringList{"0.1"});
    EXPECT_FALSE(m_app.Document().IsModified());
    {
        CDocumentData reread;
        QFile file(Path("door.nuv"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        ASSERT_EQ(LoadDocumentXml(file, reread, 0), LoadResult::Loaded);
        ASSERT_EQ(reread.versionHistory.size(), 1u);
        EXPECT_EQ(reread.versionHistory[0].comment, "first");
    }

    // With ten versions stored the version is refused and nothing is written.
    const QByteArray saved = ReadFileBytes(Path("door.nuv"));
    m_app.Document().DocumentData().versionHistory.resize(CDocumentData::MaxStoredVersions);
    Modify(QStringLiteral("三"));
    m_messages.Answer(MessageAnswer::Yes);
    m_app.OnFileSave();
    EXPECT_EQ(Shown().back(),
              QStringLiteral("版の管理で保存できる数は最大10個までです。\n保存するには、版を削除してください。"));
    EXPECT_EQ(m_messages.Requests().back().icon, platform::MessageIcon::Error);
    EXPECT_EQ(m_shell.askedVersions.size(), 1);
    EXPECT_TRUE(m_app.Document().IsModified());
    EXPECT_EQ(ReadFileBytes(Path("door.nuv")), saved);
}

TEST(VersionProposal, FollowsTheLastLabelAndTheDocumentsOptions) {
    struct Case {
        const char* lastLabel; // null: no version stored
        int updateMajor;
        int updateMinor;
        const char* proposed;
    };
    const Case cases[] = {
        {nullptr, 0, 1, "0.1"},
        {nullptr, 1, 0, "1.0"},
        {" 1.99", 0, 1, "2.0"},
        {" 3.05", 0, 0, "3.5"},
        {" 3.05", 1, 0, "4.0"},
        {" 3.05", 1, 1, "3.6"},
        {"9999.99", 1, 1, "0.0"},
        {"12", 0, 1, "12.1"},
        // Labels read from a file may hold numbers at the top of their range.
        {" 1.2147483647", 0, 1, "2.0"},
        {"2147483647.05", 1, 0, "0.0"},
    };
    for (const Case& c : cases) {
        CDocumentData data;
        if (c.lastLabel) {
            StoredVersion stored;
            stored.label = c.lastLabel;
            data.versionHistory.push_back(stored);
        }
        data.VersionControlTable = {1, c.updateMajor, c.updateMinor};
        const ProposedVersion version = ProposeVersionNumber(data);
        EXPECT_EQ(QStringLiteral("%1.%2").arg(version.major).arg(version.minor), c.proposed)
            << (c.lastLabel ? c.lastLabel : "none") << " major " << c.updateMajor << " minor " << c.updateMinor;
    }
}

TEST_F(DocumentSaving, TheAutoSaveTimerRunsWhileEditingAndItsTickSavesOnce) {
    CDocumentData& data = m_app.Document().DocumentData();
    EXPECT_EQ(AutoSaveTimerInterval(data), 0); // off by default
    data.AutoSaveOnOff = 1;
    data.AutoSaveInterval = 0;
    EXPECT_EQ(AutoSaveTimerInterval(data), 0);
    data.AutoSaveInterval = 1000000;
    EXPECT_EQ(AutoSaveTimerInterval(data), std::numeric_limits<int>::max());
    data.AutoSaveInterval = 10;
    EXPECT_EQ(AutoSaveTimerInterval(data), 600000);

    // A new document saved by name gets no timer; one opened for editing, or loaded from a template, does.
    SaveAs("door.nuv");
    EXPECT_EQ(m_shell.autoSaveInterval, 0);
    m_app.Document().StartAutoSaveTimer();
    EXPECT_EQ(m_shell.autoSaveInterval, 600000);

    // The tick saves what is committed: the focus stays, and an edit being made (a blank Fn line, which the
    // commit would ask about) is left to the user, so the document stays modified. Save commits it first.
    m_shell.whileCommitting = [] { platform::ShowMessageBox(QStringLiteral("Fnが空欄です。Fnを記載して下さい。")); };
    const int commits = m_shell.commits;
    const int focusReleases = m_shell.focusReleases;
    Modify(QStringLiteral("自動"));
    m_shell.pendingEdits = true;
    m_app.OnAutoSaveTimer();
    EXPECT_TRUE(m_app.Document().IsModified());
    EXPECT_EQ(TitleOfDocumentFile(Path("door.nuv")), QStringLiteral("自動"));
    EXPECT_EQ(m_shell.commits, commits);
    EXPECT_EQ(m_shell.focusReleases, focusReleases);
    EXPECT_TRUE(Shown().isEmpty()) << Shown().join('|').toStdString();
    m_app.OnFileSave();
    EXPECT_EQ(m_shell.commits, commits + 1);
    EXPECT_EQ(m_shell.focusReleases, focusReleases + 1);
    EXPECT_FALSE(m_app.Document().IsModified());
    m_shell.whileCommitting = nullptr;
    ASSERT_EQ(Shown().size(), 1);

    // No tick saves while a whole inspection runs.
    Modify(QStringLiteral("検査中"));
    m_app.Document().BeginWork(COpenDocument::Work::Worker);
    m_app.OnAutoSaveTimer();
    EXPECT_TRUE(m_app.Document().IsModified());
    EXPECT_EQ(TitleOfDocumentFile(Path("door.nuv")), QStringLiteral("自動"));
    m_app.Document().EndWork(COpenDocument::Work::Worker);
    m_app.OnAutoSaveTimer();
    EXPECT_FALSE(m_app.Document().IsModified());
    EXPECT_EQ(TitleOfDocumentFile(Path("door.nuv")), QStringLiteral("検査中"));

    // A tick while the version dialog waits for the user starts no second save.
    data.VersionControlTable.IsAutoVersion = 1;
    m_shell.whileVersionAsked = [this] { m_app.OnAutoSaveTimer(); };
    m_messages.Answer(MessageAnswer::Yes);
    m_app.OnAutoSaveTimer();
    EXPECT_EQ(m_shell.askedVersions.size(), 1);
    EXPECT_EQ(Shown().size(), 2);

    m_messages.Answer(MessageAnswer::No);
    EXPECT_TRUE(m_app.CloseDocument());
    EXPECT_EQ(m_shell.autoSaveInterval, 0);
    m_app.OnAutoSaveTimer(); // no document: nothing asked, nothing saved
    EXPECT_EQ(Shown().size(), 2);
}

TEST(WindowTitle, NamesTheFileAndItsOpenMode) {
    CDocumentData data;
    EXPECT_EQ(ComposeWindowTitle("", COpenDocument::NoDocument, data, "NUV"), "");
    data.SetDefaults();
    EXPECT_EQ(ComposeWindowTitle("", COpenDocument::NoDocument, data, "NUV"), "NUV");
    const QString path = QStringLiteral("/plans/扉.nuv");
    EXPECT_EQ(ComposeWindowTitle(path, COpenDocument::Editing, data, "NUV"), QStringLiteral("扉.nuv"));
    EXPECT_EQ(ComposeWindowTitle(path, COpenDocument::ReadOnly, data, "NUV"), QStringLiteral("扉.nuv [読み込み専用]"));
    EXPECT_EQ(ComposeWindowTitle(path, COpenDocument::ReadOnlyWatched, data, "NUV"), QStringLiteral("扉.nuv [通知]"));
    data.documentHeader.Major = 1;
    data.documentHeader.Minor = 5;
    EXPECT_EQ(ComposeWindowTitle(path, COpenDocument::StoredVersion, data, "NUV"), QStringLiteral("扉.nuv, 1.05 版"));
    data.documentHeader.Major = 0;
    data.documentHeader.Minor = 0;
    EXPECT_EQ(ComposeWindowTitle(path, COpenDocument::StoredVersion, data, "NUV"), QStringLiteral("扉.nuv, 0.00 版"));
}

TEST(ProposedSaveName, IsCutAtASeparatorAndGetsTheExtensionOnce) {
    EXPECT_EQ(MakeProposedSaveName(QStringLiteral("入力/出力"), ".nuv"), QStringLiteral("入力.nuv"));
    EXPECT_EQ(MakeProposedSaveName("C:\\doc", ".nuv"), "C.nuv");
    EXPECT_EQ(MakeProposedSaveName("Spec.NUV", ".nuv"), "Spec.NUV");
    EXPECT_EQ(MakeProposedSaveName("a*b", ".nuv"), "a_b.nuv");
}

namespace {

unsigned ModeOf(const QString& path) {
    struct stat info {};
    return stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode : 0;
}

// Writes the content of the file at `path` with one byte changed into `to`, with its modification time `seconds`
// later.
void WriteAsManyBytes(const QString& path, const QString& to, int seconds) {
    struct stat info {};
    ASSERT_EQ(stat(QFile::encodeName(path).constData(), &info), 0);
    QByteArray bytes = ReadFileBytes(path);
    bytes[bytes.size() / 2] = bytes[bytes.size() / 2] == 'x' ? 'y' : 'x';
    WriteFileBytes(to, bytes);
    struct timespec times[2] = {info.st_atim, info.st_mtim};
    times[1].tv_sec += seconds;
    ASSERT_EQ(utimensat(AT_FDCWD, QFile::encodeName(to).constData(), times, 0), 0);
}

} // namespace

TEST_F(DocumentSaving, ADocumentOverTheBoundIsRefusedUnreadAndOneWithinItHasItsDigestFromItsRead) {
    const QString huge = Path("huge.nuv");
    WriteSparseFile(huge, MaxDocumentFileBytes() + 1);
    const qint64 before = BytesReadByProcess();
    ASSERT_GE(before, 0);
    EXPECT_NE(m_app.Document().OpenDocumentFile(huge), COpenDocument::OpenResult::Opened);
    EXPECT_LT(BytesReadByProcess() - before, 1 << 20);
    ASSERT_FALSE(Shown().isEmpty());
    EXPECT_TRUE(Shown().last().contains(QString::number(MaxDocumentFileBytes()))) << Shown().last().toStdString();

    // The digest of a document opened comes with its read: a second name and new bits given since ask nothing.
    m_startMessages = m_messages.Requests().size();
    SaveAs("door.nuv");
    ASSERT_TRUE(m_app.CloseDocument());
    ASSERT_EQ(m_app.Document().OpenDocumentFile(Path("door.nuv")), COpenDocument::OpenResult::Opened);
    const QByteArray door = QFile::encodeName(Path("door.nuv"));
    ASSERT_EQ(link(door.constData(), QFile::encodeName(Path("alias.nuv")).constData()), 0);
    ASSERT_EQ(chmod(door.constData(), 0640), 0);
    Modify("opened");
    m_app.OnFileSave();
    EXPECT_TRUE(Shown().isEmpty()) << Shown().join('|').toStdString();
    EXPECT_EQ(TitleOfDocumentFile(Path("alias.nuv")), "opened");
}

TEST_F(DocumentSaving, TheHeldFileKeepsItsLinksAndBitsAndIsNotWrittenOnceMadeReadOnly) {
    SaveAs("door.nuv");
    const QByteArray door = QFile::encodeName(Path("door.nuv"));
    ASSERT_EQ(link(door.constData(), QFile::encodeName(Path("alias.nuv")).constData()), 0);
    ASSERT_EQ(chmod(door.constData(), 0640), 0);
    Modify(QStringLiteral("二つの名前"));
    m_app.OnFileSave();
    EXPECT_FALSE(m_app.Document().IsModified());
    EXPECT_EQ(TitleOfDocumentFile(Path("alias.nuv")), QStringLiteral("二つの名前"));
    EXPECT_EQ(ModeOf(Path("door.nuv")) & 07777, 0640u);
    EXPECT_TRUE(platform::DocumentFileLock::IsHeldElsewhere(Path("door.nuv")));

    // Made read-only while open: the automatic save writes nothing and says why, once; Save says why and asks for
    // another file.
    ASSERT_EQ(chmod(door.constData(), 0444), 0);
    const QByteArray saved = ReadFileBytes(Path("door.nuv"));
    Modify(QStringLiteral("読み取り専用"));
    m_app.OnAutoSaveTimer();
    m_app.OnAutoSaveTimer();
    EXPECT_EQ(
        Shown(),
        QStringList{QStringLiteral("The file cannot be saved automatically.\n\"%1\" is set to read-only: it cannot be "
                                   "overwritten.")
                        .arg(Path("door.nuv"))});
    EXPECT_TRUE(m_app.Document().IsModified());
    EXPECT_EQ(ReadFileBytes(Path("door.nuv")), saved);
    m_shell.proposedNames.clear();
    m_shell.savePath.clear(); // the prompt is cancelled
    m_app.OnFileSave();
    EXPECT_EQ(Shown().last(), QStringLiteral("'door.nuv'\nこのファイルは読み取り専用に設定されています。\n"
                                             "別のファイル名を選んで再実行してください。"));
    EXPECT_EQ(m_shell.proposedNames, QStringList{Path("door.nuv")});
    EXPECT_TRUE(m_app.Document().IsModified());
    EXPECT_EQ(ReadFileBytes(Path("door.nuv")), saved);
    EXPECT_EQ(ModeOf(Path("door.nuv")) & 07777, 0444u);
}

TEST_F(DocumentSaving, APipeNamedAsTheFileIsNotWrittenAndIsNamedInTheMessage) {
    SaveAs("door.nuv");
    ASSERT_EQ(mkfifo(QFile::encodeName(Path("pipe.nuv")).constData(), 0644), 0);
    m_shell.savePath = Path("pipe.nuv");
    m_app.OnFileSaveAs();
    ASSERT_EQ(Shown().size(), 1);
    EXPECT_TRUE(
        Shown()[0].startsWith(QStringLiteral("ファイル \"%1\" に書き込みできませんでした。").arg(Path("pipe.nuv"))))
        << Shown()[0].toStdString();
    EXPECT_TRUE(S_ISFIFO(ModeOf(Path("pipe.nuv"))));
    EXPECT_EQ(m_app.Document().DocumentPath(), Path("door.nuv"));
    EXPECT_TRUE(platform::DocumentFileLock::IsHeldElsewhere(Path("door.nuv")));
}

TEST_F(DocumentSaving, AVersionWithoutAFreeNumberIsRefusedBeforeTheDialog) {
    SaveAs("door.nuv");
    const QByteArray saved = ReadFileBytes(Path("door.nuv"));
    CDocumentData& data = m_app.Document().DocumentData();
    data.VersionControlTable = {1, 0, 1};
    StoredVersion last;
    last.label = " 1.02";
    last.number = INT_MAX;
    data.versionHistory.push_back(last);
    data.nextVersionNumber = INT_MAX;
    m_shell.versionEntry = VersionHistoryEntry{1, 3, "", "", ""};
    Modify(QStringLiteral("満杯"));
    m_messages.Answer(MessageAnswer::Yes);
    m_app.OnFileSave();
    EXPECT_EQ(Shown().last(),
              QStringLiteral("A new version cannot be saved: the version number has reached its limit."));
    EXPECT_EQ(m_messages.Requests().back().icon, platform::MessageIcon::Error);
    EXPECT_TRUE(m_shell.askedVersions.isEmpty());
    EXPECT_TRUE(m_app.Document().IsModified());
    EXPECT_EQ(ReadFileBytes(Path("door.nuv")), saved);
}

TEST_F(DocumentSaving, TheTickSaysAFailureOnceUntilASaveSucceedsOrTheFailureChanges) {
    SaveAs("door.nuv");
    const auto tick = [this](const char* title, bool full) {
        Modify(title);
        FileSizeLimit limit(full ? 256 : RLIM_INFINITY);
        m_app.OnAutoSaveTimer();
    };
    tick("満杯", true);
    tick("まだ満杯", true);
    ASSERT_EQ(Shown().size(), 1);
    EXPECT_TRUE(Shown()[0].startsWith(
        QStringLiteral("The file cannot be saved automatically.\nファイル \"%1\" に書き込みできませんでした。")
            .arg(Path("door.nuv"))));
    tick("空いた", false);
    tick("また満杯", true);
    EXPECT_EQ(Shown().size(), 2);
    ASSERT_EQ(chmod(QFile::encodeName(Path("door.nuv")).constData(), 0444), 0);
    tick("読み取り専用", false);
    EXPECT_EQ(Shown().size(), 3);
}

// The question about a file another program changed, its buttons too, is in the interface's language.
TEST_F(DocumentSaving, TheQuestionAboutAChangedFileSpeaksTheInterfacesLanguage) {
    SaveAs("door.nuv");
    const struct {
        int language;
        const char* question;
        QStringList buttons;
    } languages[] = {{0, "has been changed by another program", {"&Save", "Save &As", "Cancel"}},
                     {1, "ほかのプログラムによって変更されています", {"保存(&S)", "別名で保存(&A)", "キャンセル"}}};
    for (const auto& [language, question, buttons] : languages) {
        WriteFileBytes(Path("door.nuv"), "theirs");
        Modify("ours");
        SetTextLanguage(language);
        m_app.OnFileSave();
        SetTextLanguage(0);
        ASSERT_FALSE(m_messages.Requests().isEmpty());
        const platform::MessageRequest& asked = m_messages.Requests().back();
        EXPECT_TRUE(asked.text.contains(QString::fromUtf8(question))) << asked.text.toStdString();
        EXPECT_EQ(asked.buttonTexts, buttons);
        EXPECT_EQ(ReadFileBytes(Path("door.nuv")), "theirs");
    }
}

TEST_F(DocumentSaving, AFileChangedBehindTheEditorsBackIsNotWrittenWithoutAsking) {
    WriteFileBytes(Path("victim.txt"), "private\n");
    const auto encoded = [](const QString& path) { return QFile::encodeName(path); };
    const auto bytesAt = [](const QString& path) { return QFileInfo::exists(path) ? ReadFileBytes(path) : "none"; };
    const std::pair<FileIdentityChange, std::function<void(const QString&)>> cases[] = {
        {FileIdentityChange::Changed, // replaced by a rename
         [&](const QString& path) {
             WriteFileBytes(path + ".tmp", "theirs");
             ASSERT_EQ(rename(encoded(path + ".tmp").constData(), encoded(path).constData()), 0);
         }},
        {FileIdentityChange::Changed, [](const QString& path) { WriteFileBytes(path, "theirs"); }}, // in place
        // Rewritten with as many bytes, and replaced by a file of as many bytes and the same time.
        {FileIdentityChange::Changed, [](const QString& path) { WriteAsManyBytes(path, path, 1); }},
        {FileIdentityChange::Changed,
         [&](const QString& path) {
             WriteAsManyBytes(path, path + ".tmp", 0);
             ASSERT_EQ(rename(encoded(path + ".tmp").constData(), encoded(path).constData()), 0);
         }},
        {FileIdentityChange::Deleted, [](const QString& path) { ASSERT_TRUE(QFile::remove(path)); }},
        {FileIdentityChange::Moved, [](const QString& path) { ASSERT_TRUE(QFile::rename(path, path + ".moved")); }},
        {FileIdentityChange::ReplacedByLink,
         [&](const QString& path) {
             ASSERT_TRUE(QFile::remove(path));
             ASSERT_EQ(symlink(encoded(Path("victim.txt")).constData(), encoded(path).constData()), 0);
         }},
    };
    // A document opened through a link, saved in place (the file has a second name) and beside, asks nothing.
    SaveAs("real.nuv");
    ASSERT_TRUE(m_app.CloseDocument());
    ASSERT_EQ(symlink("real.nuv", encoded(Path("link.nuv")).constData()), 0);
    ASSERT_EQ(m_app.Document().OpenDocumentFile(Path("link.nuv")), COpenDocument::OpenResult::Opened);
    ASSERT_EQ(link(encoded(Path("real.nuv")).constData(), encoded(Path("alias.nuv")).constData()), 0);
    Modify("in place");
    m_app.OnFileSave();
    ASSERT_TRUE(QFile::remove(Path("alias.nuv")));
    Modify("beside");
    m_app.OnAutoSaveTimer();
    Modify("through the link");
    m_app.OnFileSave();
    EXPECT_TRUE(QFileInfo(Path("link.nuv")).isSymLink());
    EXPECT_EQ(TitleOfDocumentFile(Path("real.nuv")), "through the link");
    ASSERT_TRUE(Shown().isEmpty()) << Shown().join('|').toStdString();
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& [change, act] = cases[i];
        const QString name = QStringLiteral("doc%1.nuv").arg(i);
        SCOPED_TRACE(name.toStdString());
        const QString path = Path(name);
        SaveAs(name);
        act(path);
        const QByteArray there = bytesAt(path);
        Modify("ours");
        m_app.OnAutoSaveTimer();
        m_app.OnAutoSaveTimer();
        const QString what = FileIdentityChangeText(change, path);
        EXPECT_EQ(Shown(), QStringList{QStringLiteral("The file cannot be saved automatically.\n") + what});
        m_app.OnFileSave(); // unanswered: nothing is written
        ASSERT_EQ(Shown().size(), 2);
        EXPECT_TRUE(Shown()[1].startsWith(what)) << Shown()[1].toStdString();
        EXPECT_EQ(bytesAt(path), there);

        // Yes: a link only leads to another name; anything else is written under the name.
        m_messages.Answer(MessageAnswer::Yes);
        m_shell.savePath = path + ".elsewhere.nuv";
        m_app.OnFileSave();
        const QString written = change == FileIdentityChange::ReplacedByLink ? m_shell.savePath : path;
        EXPECT_EQ(m_app.Document().DocumentPath(), written);
        EXPECT_EQ(TitleOfDocumentFile(written), "ours");
        EXPECT_EQ(ReadFileBytes(Path("victim.txt")), "private\n");
        m_startMessages = m_messages.Requests().size();
    }
}

TEST(FileIdentity, EachOfItsPartsTellsAnotherFile) {
    const DocumentFileIdentity known{true, 1, 2, 3, 4, 5, 6, false};
    for (const auto change :
         {+[](DocumentFileIdentity& now) { ++now.device; }, +[](DocumentFileIdentity& now) { ++now.inode; },
          +[](DocumentFileIdentity& now) { ++now.size; }, +[](DocumentFileIdentity& now) { ++now.modified; }}) {
        DocumentFileIdentity now = known;
        change(now);
        EXPECT_EQ(CompareFileIdentity(known, now, true), FileIdentityChange::Changed);
    }
    // The status alone changed: the same file while it holds what it held, another when its content is other or
    // unknown.
    DocumentFileIdentity now = known;
    ++now.changed;
    EXPECT_EQ(CompareFileIdentity(known, now, true), FileIdentityChange::None);
    for (const std::optional<quint64> digest : {std::optional<quint64>(7), std::optional<quint64>()}) {
        now.digest = digest;
        EXPECT_EQ(CompareFileIdentity(known, now, true), FileIdentityChange::Changed);
    }
}

TEST_F(DocumentSaving, ALinkOrAFilePutInTheDocumentsPlaceAsItIsWrittenInPlaceIsNotWrittenInto) {
    const auto encoded = [](const QString& path) { return QFile::encodeName(path); };
    const QString door = Path("door.nuv");
    WriteFileBytes(Path("victim.txt"), "private\n");
    SaveAs("door.nuv");
    // With a second name the document is written in place; as that begins, a link or another file takes its name.
    ASSERT_EQ(link(encoded(door).constData(), encoded(Path("alias.nuv")).constData()), 0);
    const QByteArray saved = ReadFileBytes(door);
    const auto swapTo = [&](bool toLink, InPlaceWriteMoment::Moment moment = InPlaceWriteMoment::BeforeOpening) {
        return std::make_unique<InPlaceWriteMoment>(moment, [&, toLink] {
            if (toLink)
                ASSERT_TRUE(QFile::link(Path("victim.txt"), Path("theirs")));
            else
                WriteFileBytes(Path("theirs"), "theirs");
            ASSERT_EQ(rename(encoded(Path("theirs")).constData(), encoded(door).constData()), 0);
        });
    };
    // The automatic save writes nothing and says so once; Save asks.
    auto swap = swapTo(true);
    Modify("ours");
    m_app.OnAutoSaveTimer();
    m_app.OnAutoSaveTimer();
    m_app.OnFileSave();
    const QString linked = FileIdentityChangeText(FileIdentityChange::ReplacedByLink, door);
    ASSERT_EQ(Shown().size(), 2);
    EXPECT_EQ(Shown()[0], QStringLiteral("The file cannot be saved automatically.\n") + linked);
    EXPECT_TRUE(Shown()[1].startsWith(linked)) << Shown()[1].toStdString();
    EXPECT_EQ(ReadFileBytes(Path("victim.txt")), "private\n");
    EXPECT_EQ(ReadFileBytes(Path("alias.nuv")), saved);

    // Another file: Yes writes the document under the name.
    ASSERT_EQ(unlink(encoded(door).constData()), 0);
    ASSERT_EQ(link(encoded(Path("alias.nuv")).constData(), encoded(door).constData()), 0);
    swap.reset();
    swap = swapTo(false);
    m_messages.Answer(MessageAnswer::Yes);
    m_app.OnFileSave();
    EXPECT_TRUE(Shown().last().startsWith(FileIdentityChangeText(FileIdentityChange::Changed, door)));
    EXPECT_EQ(TitleOfDocumentFile(door), "ours");
    EXPECT_EQ(ReadFileBytes(Path("alias.nuv")), saved);

    // A link put there as the save has written the file is found by that save, and again by the next one: the
    // file written is the document's, not what the name leads to after the write.
    ASSERT_EQ(link(encoded(door).constData(), encoded(Path("alias2.nuv")).constData()), 0);
    swap.reset();
    swap = swapTo(true, InPlaceWriteMoment::AfterWriting);
    Modify("written");
    qsizetype shown = Shown().size();
    m_app.OnFileSave();
    EXPECT_EQ(TitleOfDocumentFile(Path("alias2.nuv")), "written");
    ASSERT_GT(Shown().size(), shown);
    EXPECT_TRUE(Shown()[shown].startsWith(linked)) << Shown()[shown].toStdString();
    shown = Shown().size();
    m_app.OnAutoSaveTimer();
    ASSERT_EQ(Shown().size(), shown + 1);
    EXPECT_EQ(Shown().last(), QStringLiteral("The file cannot be saved automatically.\n") + linked);
    EXPECT_EQ(ReadFileBytes(Path("victim.txt")), "private\n");
}

TEST_F(DocumentSaving, AWriteIntoTheFileDuringASaveInPlaceIsSaidAndAChangeWithItsTimeSetBackIsAskedAbout) {
    const auto encoded = [](const QString& path) { return QFile::encodeName(path); };
    const QString door = Path("door.nuv");
    const auto writeAt = [&](qint64 offset, const QByteArray& bytes) {
        const int fd = open(encoded(door).constData(), O_WRONLY);
        ASSERT_GE(fd, 0);
        EXPECT_EQ(pwrite(fd, bytes.constData(), size_t(bytes.size()), offset), bytes.size());
        close(fd);
    };
    SaveAs("door.nuv");
    // With a second name the document is written in place; another program writes into it as the save writes.
    ASSERT_EQ(link(encoded(door).constData(), encoded(Path("alias.nuv")).constData()), 0);
    Modify("ours");
    {
        const InPlaceWriteMoment intrude(InPlaceWriteMoment::AfterWriting, [&] { writeAt(0, "theirs"); });
        m_app.OnFileSave();
    }
    ASSERT_EQ(Shown().size(), 1);
    const QStringList backups = QDir(platform::FileReplacement::BackupDirectory()).entryList(QDir::Files);
    ASSERT_EQ(backups.size(), 1);
    const QString backup = platform::FileReplacement::BackupDirectory() + '/' + backups[0];
    EXPECT_TRUE(Shown()[0].contains(LoadString(StringId::FileMayBeDamaged).arg(ShownPath(door), ShownPath(backup))))
        << Shown()[0].toStdString();
    EXPECT_TRUE(ReadFileBytes(door).startsWith("theirs"));
    EXPECT_TRUE(m_app.Document().IsModified());
    // The file is not taken for the one the save wrote: the next save asks, and Yes writes the document.
    m_messages.Answer(MessageAnswer::Yes);
    m_app.OnFileSave();
    ASSERT_EQ(Shown().size(), 2);
    EXPECT_TRUE(Shown()[1].startsWith(FileIdentityChangeText(FileIdentityChange::Changed, door)));
    EXPECT_EQ(TitleOfDocumentFile(door), "ours");
    EXPECT_FALSE(m_app.Document().IsModified());

    // Changed since with its modification time set back: Save asks, and unanswered writes nothing.
    const auto writeWithTimeSetBack = [&](const QByteArray& bytes) { WriteWithTimeSetBack(door, bytes); };
    writeWithTimeSetBack("THEIRS");
    const QByteArray theirs = ReadFileBytes(door);
    Modify("later");
    m_app.OnFileSave();
    ASSERT_EQ(Shown().size(), 3);
    EXPECT_TRUE(Shown()[2].startsWith(FileIdentityChangeText(FileIdentityChange::Changed, door)));
    EXPECT_EQ(ReadFileBytes(door), theirs);

    // A write while the save reads the file back, its time set back, is said as one during the write, and the next
    // save asks rather than overwrite it.
    m_messages.Answer(MessageAnswer::Yes);
    m_app.OnFileSave();
    ASSERT_EQ(TitleOfDocumentFile(door), "later");
    Modify("read back");
    {
        const InPlaceWriteMoment intrude(InPlaceWriteMoment::Moment::ReadBack, [&] { writeWithTimeSetBack("THEIRS"); });
        m_app.OnFileSave();
    }
    ASSERT_EQ(Shown().size(), 5);
    EXPECT_TRUE(Shown()[4].contains(LoadString(StringId::FileMayBeDamaged).arg(ShownPath(door), QString()).left(40)))
        << Shown()[4].toStdString();
    const QByteArray intruded = ReadFileBytes(door);
    EXPECT_TRUE(intruded.startsWith("THEIRS"));
    m_app.OnFileSave();
    ASSERT_EQ(Shown().size(), 6);
    EXPECT_TRUE(Shown()[5].startsWith(FileIdentityChangeText(FileIdentityChange::Changed, door)));
    EXPECT_EQ(ReadFileBytes(door), intruded);
}

TEST_F(DocumentSaving, AFilePutInTheDocumentsPlaceWhileASaveWritesIsKeptAndAskedAbout) {
    const auto encoded = [](const QString& path) { return QFile::encodeName(path); };
    const QString door = Path("door.nuv");
    SaveAs("door.nuv");
    const auto putTheirs = [&](const QString& path) {
        return [&, path] {
            WriteFileBytes(Path("theirs"), "theirs");
            ASSERT_EQ(rename(encoded(Path("theirs")).constData(), encoded(path).constData()), 0);
        };
    };
    const QString changed = QStringLiteral("The file cannot be saved automatically.\n") +
                            FileIdentityChangeText(FileIdentityChange::Changed, door);
    // The automatic save writes nothing and says so once; Save asks, and unanswered writes nothing.
    Modify("ours");
    {
        const TemporaryWriteMoment put(putTheirs(door));
        m_app.OnAutoSaveTimer();
    }
    m_app.OnAutoSaveTimer();
    EXPECT_EQ(Shown(), QStringList{changed});
    m_app.OnFileSave();
    ASSERT_EQ(Shown().size(), 2);
    EXPECT_TRUE(Shown()[1].startsWith(FileIdentityChangeText(FileIdentityChange::Changed, door)));
    EXPECT_EQ(ReadFileBytes(door), "theirs");
    EXPECT_TRUE(m_app.Document().IsModified());

    // Asked again when another program writes the file during the save that Yes began; the second Yes writes the
    // document.
    m_messages.Answer(MessageAnswer::Yes);
    m_messages.Answer(MessageAnswer::Yes);
    {
        const TemporaryWriteMoment put([&] { WriteFileBytes(door, "theirs, longer"); });
        m_app.OnFileSave();
    }
    ASSERT_EQ(Shown().size(), 4);
    EXPECT_TRUE(Shown()[3].startsWith(FileIdentityChangeText(FileIdentityChange::Changed, door)));
    EXPECT_EQ(TitleOfDocumentFile(door), "ours");
    EXPECT_FALSE(m_app.Document().IsModified());

    // Save As to a new name where a file turns up meanwhile says so and keeps that file.
    Modify("under a new name");
    m_shell.savePath = Path("new.nuv");
    {
        const TemporaryWriteMoment put(putTheirs(Path("new.nuv")));
        m_app.OnFileSaveAs();
    }
    ASSERT_EQ(Shown().size(), 5);
    EXPECT_TRUE(Shown()[4].contains(LoadString(StringId::FileChangedWhileWritten).arg(ShownPath(Path("new.nuv")))))
        << Shown()[4].toStdString();
    EXPECT_EQ(ReadFileBytes(Path("new.nuv")), "theirs");
    EXPECT_EQ(m_app.Document().DocumentPath(), door);
    EXPECT_EQ(QFileInfo(door).dir().entryList({".*nuvsave*"}, QDir::Files | QDir::Hidden), QStringList());
}

TEST_F(DocumentSaving, AStatusChangedAloneDuringASaveIsNotAskedAboutAndAnotherProgramsOlderSaveIsNamed) {
    const QString door = Path("door.nuv");
    const QByteArray encoded = QFile::encodeName(door);
    SaveAs("door.nuv");
    // Another program turns the group's read bit over while the document is written.
    const auto turnReadBit = [&] {
        struct stat info {};
        ASSERT_EQ(stat(encoded.constData(), &info), 0);
        ASSERT_EQ(chmod(encoded.constData(), info.st_mode ^ S_IRGRP), 0);
    };
    for (const bool secondName : {false, true}) {
        SCOPED_TRACE(secondName ? "in place" : "beside");
        if (secondName) {
            ASSERT_EQ(link(encoded.constData(), QFile::encodeName(Path("alias.nuv")).constData()), 0);
        }
        struct stat before {};
        ASSERT_EQ(stat(encoded.constData(), &before), 0);
        const qsizetype shown = Shown().size();
        Modify(secondName ? "in place" : "beside");
        {
            const TemporaryWriteMoment beside(turnReadBit);
            const InPlaceWriteMoment inPlace(InPlaceWriteMoment::Moment::Locked, turnReadBit);
            m_app.OnFileSave();
        }
        EXPECT_EQ(Shown().size(), shown) << Shown().join('\n').toStdString();
        EXPECT_EQ(TitleOfDocumentFile(door), secondName ? "in place" : "beside");
        EXPECT_FALSE(m_app.Document().IsModified());
        struct stat after {};
        ASSERT_EQ(stat(encoded.constData(), &after), 0);
        EXPECT_EQ(after.st_mode, before.st_mode ^ S_IRGRP);
        // Nor is the next save asked about.
        Modify("again");
        m_app.OnFileSave();
        EXPECT_EQ(Shown().size(), shown);
    }

    // Another program saves the document by rename twice as it is saved: the older of its files is kept beside, and
    // the editor says where before it asks about the change.
    ASSERT_TRUE(QFile::remove(Path("alias.nuv")));
    Modify("ours");
    const qsizetype shown = Shown().size();
    {
        const SavesByRename theirs(door, {"theirs 1", "theirs 2"});
        m_app.OnFileSave();
    }
    ASSERT_EQ(Shown().size(), shown + 2);
    const QStringList kept = QDir(Path(".")).entryList({".door.nuv.nuvsave-*.kept"}, QDir::Files | QDir::Hidden);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(ReadFileBytes(Path(kept[0])), "theirs 1");
    EXPECT_EQ(Shown()[shown], LoadString(StringId::FileChangedWhileWrittenKept)
                                  .arg(ShownPath(door), ShownPath(QFileInfo(Path(kept[0])).absoluteFilePath())));
    EXPECT_TRUE(Shown()[shown + 1].startsWith(FileIdentityChangeText(FileIdentityChange::Changed, door)));
    EXPECT_EQ(ReadFileBytes(door), "theirs 2");
}

TEST_F(DocumentSaving, AChangeRightAfterASaveOnAFileSystemOfWholeSecondsIsAskedAbout) {
    const WholeSecondFileSystem coarse(Path("coarse"));
    if (!coarse.Mounted())
        GTEST_SKIP() << "no file system of whole seconds can be mounted here";
    const auto encoded = [](const QString& path) { return QFile::encodeName(path); };
    const QString door = Path("coarse/door.nuv");
    SaveAs("coarse/door.nuv");
    // Another program writes into the file as soon as a save has closed it and sets its modification time back: its
    // time of change stays in the second of the save's.
    const auto writeRightAfterSave = [&] { return WriteWithTimeSetBack(door, "THEIRS"); };
    // Written anew through a temporary file, and in place with a second name.
    for (const bool secondName : {false, true}) {
        SCOPED_TRACE(secondName ? "in place" : "beside");
        if (secondName) {
            ASSERT_EQ(link(encoded(door).constData(), encoded(Path("coarse/alias.nuv")).constData()), 0);
        }
        bool hidden = false;
        for (int attempt = 0; attempt < 10 && !hidden; ++attempt) {
            const qsizetype shown = Shown().size();
            Modify("ours");
            m_app.OnFileSave();
            ASSERT_EQ(Shown().size(), shown);
            hidden = writeRightAfterSave();
            // The second turned meanwhile: the time of change tells. Yes writes the document to begin again.
            if (!hidden) {
                m_messages.Answer(MessageAnswer::Yes);
                m_app.OnFileSave();
            }
        }
        ASSERT_TRUE(hidden);
        const QByteArray theirs = ReadFileBytes(door);
        ASSERT_TRUE(theirs.startsWith("THEIRS"));
        const qsizetype shown = Shown().size();
        Modify("later");
        m_app.OnFileSave();
        ASSERT_EQ(Shown().size(), shown + 1);
        EXPECT_TRUE(Shown().back().startsWith(FileIdentityChangeText(FileIdentityChange::Changed, door)));
        EXPECT_EQ(ReadFileBytes(door), theirs);
        m_messages.Answer(MessageAnswer::Yes);
        m_app.OnFileSave();
        EXPECT_EQ(TitleOfDocumentFile(door), "later");
    }

    // Written in place in the second of the last save, right after the old content was read for its backup: the file
    // must still hold what was read at the last look before it is overwritten, and the change is asked about.
    Modify("during the backup");
    QByteArray theirs;
    {
        const InPlaceWriteMoment intrude(InPlaceWriteMoment::Moment::OldContentRead, [&] {
            writeRightAfterSave();
            theirs = ReadFileBytes(door);
        });
        m_app.OnFileSave();
    }
    ASSERT_TRUE(theirs.startsWith("THEIRS"));
    EXPECT_TRUE(Shown().back().startsWith(FileIdentityChangeText(FileIdentityChange::Changed, door)));
    EXPECT_EQ(ReadFileBytes(door), theirs);
}
