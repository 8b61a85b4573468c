#include "app/DocumentExports.h"
#include "AppDirectories.h"
#include "FakeApplicationShell.h"
#include "app/MainFrameCommands.h"
#include "app/NUVApp.h"
#include "generators/TraceabilityMatrix.h"
#include "model/DocumentData.h"
#include "model/UnitFunction.h"
#include "platform/CodePageTextFile.h"
#include "platform/DocumentFileLock.h"
#include "platform/MessageBox.h"
#include "platform/OwnerFile.h"
#include "platform/UserSettings.h"
#include "settings/MessageSettingsEditor.h"
#include "texts/Msg.h"
#include "texts/SettingsWordingStore.h"

#include "support/QStringPrinter.h"
#include "support/TestFiles.h"
#include "support/model/FailingTemporaryWrites.h"

#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace {

// A table of contents three levels deep below the origin, with a unit function shown at two places.
struct Tree {
    Tree() {
        data.SetDefaults();
        const ModelOptions options = data.GetModelOptions();
        a = data.registry.CreateFunction(QStringLiteral("表示"), options);
        b = data.registry.CreateFunction(QStringLiteral("B"), options);
        c = data.registry.CreateFunction(QStringLiteral("C"), options);
        d = data.registry.CreateFunction(QStringLiteral("D"), options);
        CUnitFunction::AppendChild(data.registry.origin, a);
        CUnitFunction::AppendChild(a, b);
        CUnitFunction::AppendChild(b, c);
        CUnitFunction::AppendChild(data.registry.origin, d);
        CUnitFunction::AppendChild(a, d);
        data.registry.RebuildAndNotify(data.indexRoot, options);
    }
    QString Text() const { return BuildOutlineIndexText(data.indexRoot, 0, data.environment, data.GetModelOptions()); }

    CDocumentData data;
    CUnitFunction* a;
    CUnitFunction* b;
    CUnitFunction* c;
    CUnitFunction* d;
};

// An editor application on a new document, with its runtime and settings in a directory of its own.
class ApplicationExports : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.IsValid()); }
    QString Path(const char* name) const { return m_dir.Path(QString::fromUtf8(name)); }

    AppDirectories m_dir;
};

// The editor has saved its document as own.nuv, and another editor holds held.nuv: its lock on the file, its name
// in the owner file. Were anything asked, Yes would be the answer.
class HeldDocumentExports : public ApplicationExports {
protected:
    HeldDocumentExports() : m_app(m_shell) {}
    void SetUp() override {
        ApplicationExports::SetUp();
        ASSERT_TRUE(m_app.InitEditorInstance({"nuv"}));
        m_messages.emplace();
        m_shell.savePath = m_own;
        m_app.OnFileSaveAs();
        ASSERT_EQ(m_app.Document().DocumentPath(), m_own);
        m_saved = ReadFileBytes(m_own);
        WriteFileBytes(m_held, "the other editor's document");
        WriteFileBytes(MakeOwnerFileName(m_held), QByteArray("h\0a\0n\0a\0", 8));
        ASSERT_TRUE(m_otherEditor.Hold(m_held));
        m_messages->Answer(platform::MessageAnswer::Yes);
    }
    // Each write onto either document says only that it is in use, naming its holder.
    void ExpectEachRefused(const QString& inUse, const std::function<void(const QString&)>& write) {
        for (const auto& [path, holder] :
             {std::pair{m_held, QStringLiteral("hana")}, std::pair{m_own, ReadOwnerFile(m_own)}}) {
            const qsizetype shown = m_messages->Requests().size();
            write(path);
            ASSERT_EQ(m_messages->Requests().size(), shown + 1) << path.toStdString();
            EXPECT_EQ(m_messages->Texts().back(), inUse.arg(path, holder));
        }
        EXPECT_EQ(ReadFileBytes(m_held), "the other editor's document");
        EXPECT_EQ(ReadFileBytes(m_own), m_saved);
    }

    FakeShell m_shell;
    CNUVApp m_app;
    std::optional<platform::ScriptedMessageSink> m_messages;
    const QString m_own = Path("own.nuv");
    const QString m_held = Path("held.nuv");
    QByteArray m_saved;
    platform::DocumentFileLock m_otherEditor;
};

} // namespace

TEST(DocumentExports, TheOutlineIndexHasALinePerItemIndentedByDepthWithItsOptions) {
    Tree tree;
    const QString origin = tree.data.registry.origin->name;
    EXPECT_EQ(tree.Text(),
              QStringLiteral("0 %1\n\t1 表示\n\t\t1.1 B\n\t\t\t1.1.1 C\n\t\t1.2 [[D]] (1.2/2)\n\t2 [[D]] (1.2/2)\n")
                  .arg(origin));
    // Without numbers and places each line is the indentation and the display text.
    tree.data.environment.showPrefixInOutlineNumberOrderdIndex = 0;
    tree.data.environment.showPostfixInOutlineNumberOrderdIndex = 0;
    EXPECT_EQ(tree.Text(), QStringLiteral("%1\n\t表示\n\t\tB\n\t\t\tC\n\t\t[[D]]\n\t[[D]]\n").arg(origin));
    // A subtree starts at the depth given.
    EXPECT_EQ(BuildOutlineIndexText(tree.data.indexRoot.children.front().children.front(), 2, tree.data.environment,
                                    tree.data.GetModelOptions()),
              QStringLiteral("\t\tB\n\t\t\tC\n"));
}

TEST(DocumentExports, TheProposedNameIsTheLastChosenElseMadeFromTheDocument) {
    EXPECT_EQ(ProposeExportFileName({}, "/a/design.nuv", "アウトライン順目次.txt"), "/a/design_アウトライン順目次.txt");
    EXPECT_EQ(ProposeExportFileName({}, {}, "アウトライン順目次.txt"), "アウトライン順目次.txt");
    EXPECT_EQ(ProposeExportFileName("/b/x.txt", "/a/design.nuv", "アウトライン順目次.txt"), "/b/x.txt");
}

TEST(DocumentExports, AFilePromptStartsInTheNearestFolderOfTheNameThatExists) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto start = [](const QString& name) {
        const FilePromptStart place = StartOfFilePrompt(name);
        return place.folder + '|' + place.fileName;
    };
    EXPECT_EQ(start(dir.filePath("env.nuv")), dir.path() + "|env.nuv");
    // A folder that is gone gives way to the nearest one left, never to one made up in the current folder.
    EXPECT_EQ(start(dir.filePath("gone/deeper/env.nuv")), dir.path() + "|env.nuv");
    EXPECT_EQ(start("/no-such-folder-of-nuv/env.nuv"), "/|env.nuv");
    EXPECT_EQ(start(dir.path()), dir.path() + "|");
    // A name without a folder is only a name.
    EXPECT_EQ(start("design.nuv"), "|design.nuv");
    EXPECT_EQ(start(""), "|");
}

TEST_F(ApplicationExports, TheOutlineIndexIsWrittenInTheProcessCodePageAfterTheOverwriteQuestion) {
    FakeShell shell;
    CNUVApp app(shell);
    ASSERT_TRUE(app.InitEditorInstance({"nuv"}));
    CDocumentData& data = app.Document().DocumentData();
    CUnitFunction* a = data.registry.CreateFunction(QStringLiteral("表示"), data.GetModelOptions());
    CUnitFunction::AppendChild(data.registry.origin, a);
    app.Document().RebuildDocument();
    data.environment.showPrefixInOutlineNumberOrderdIndex = 0;
    const QString origin = data.registry.origin->name;

    platform::ScriptedMessageSink messages;
    const QString path = Path("目次.txt");
    shell.savePath = path;
    app.OnExportOutlineIndex();
    ASSERT_EQ(shell.exportPrompts.size(), 1);
    EXPECT_EQ(shell.exportPrompts[0], QStringList({"アウトライン順目次.txt", "TXTファイル(*.txt)", "txt"}));
    // CP932 with CR LF: 表 ends in the byte of a backslash, which must stay as it is.
    EXPECT_EQ(ReadFileBytes(path), origin.toLatin1() + QByteArray("\r\n\t\x95\x5c\x8e\xa6\r\n"));
    ASSERT_EQ(messages.Requests().size(), 1);
    EXPECT_EQ(messages.Requests()[0].text,
              QStringLiteral("ファイル \"%1\" にアウトライン順目次をエクスポートしました。").arg(path));
    EXPECT_EQ(messages.Requests()[0].icon, platform::MessageIcon::Information);

    // The second export proposes the file chosen first; No to the overwrite question leaves it as it is.
    WriteFileBytes(path, "kept");
    messages.Answer(platform::MessageAnswer::No);
    app.OnExportOutlineIndex();
    EXPECT_EQ(shell.exportPrompts[1].front(), path);
    ASSERT_EQ(messages.Requests().size(), 2);
    EXPECT_EQ(messages.Requests()[1].text,
              QStringLiteral("ファイル \"%1\" はすでに存在します。\n上書きしてよろしいですか？").arg(path));
    EXPECT_EQ(messages.Requests()[1].buttons, platform::MessageButtons::YesNo);
    EXPECT_EQ(messages.Requests()[1].DefaultAnswer(), platform::MessageAnswer::No);
    EXPECT_EQ(ReadFileBytes(path), "kept");
    messages.Answer(platform::MessageAnswer::Yes);
    app.OnExportOutlineIndex();
    EXPECT_TRUE(ReadFileBytes(path).endsWith("\r\n"));

    // A file that cannot be written is said, and why.
    const QString unwritable = Path("no/such/dir.txt");
    shell.savePath = unwritable;
    app.OnExportOutlineIndex();
    EXPECT_EQ(messages.Requests().back().text, QStringLiteral("ファイル \"%1\" に書き込みできませんでした。\n%2")
                                                   .arg(unwritable, QString::fromLocal8Bit(std::strerror(ENOENT))));
    EXPECT_EQ(messages.Requests().back().icon, platform::MessageIcon::Warning);

    // Cancelled: nothing asked, nothing written.
    const qsizetype asked = messages.Requests().size();
    shell.savePath.clear();
    app.OnExportOutlineIndex();
    EXPECT_EQ(messages.Requests().size(), asked);
    app.Document().SetModified(false);
}

TEST_F(ApplicationExports, MemberNamesGoToCsvAndTheOlderFormatReportsAFileItCannotWrite) {
    FakeShell shell;
    CNUVApp app(shell);
    ASSERT_TRUE(app.InitEditorInstance({"nuv"}));
    platform::ScriptedMessageSink messages;

    const QString csv = Path("members.csv");
    shell.savePath = csv;
    app.OnExportMemberNames();
    EXPECT_EQ(shell.exportPrompts.back(), QStringList({"メンバー名と状態名の一覧.csv", "CSVファイル(*.csv)", "csv"}));
    // A new document uses no names: the header line alone, in CP932 with CR LF.
    EXPECT_EQ(ReadFileBytes(csv), platform::EncodeProcessCodePage("メンバー名,状態名,使用頻度,登録済み,曖昧語\n"));
    EXPECT_TRUE(ReadFileBytes(csv).endsWith("\x9e\x42\x96\x86\x8c\xea\r\n"));
    EXPECT_EQ(messages.Texts().back(),
              QStringLiteral("ファイル \"%1\" にメンバー名と状態名の一覧をエクスポートしました。").arg(csv));
    {
        // A write that fails says why, and the file stays as it was.
        const FailingTemporaryWrites failing;
        messages.Answer(platform::MessageAnswer::Yes);
        app.OnExportMemberNames();
        EXPECT_EQ(messages.Texts().back(), QStringLiteral("ファイル \"%1\" に書き込みできませんでした。\n%2")
                                               .arg(csv, QString::fromLocal8Bit(std::strerror(EIO))));
        EXPECT_TRUE(ReadFileBytes(csv).endsWith("\x9e\x42\x96\x86\x8c\xea\r\n"));
    }

    // The older format: the file is the 0.3.1 document. An existing file is asked about as by every export, after
    // the prompt, which asks nothing itself; No leaves the file as it is.
    const QString older = Path("2013.nuv");
    shell.savePath = older;
    app.OnExportNuv2013june();
    EXPECT_EQ(shell.exportPrompts.back(), QStringList({"2013juneformat.nuv", "*.nuv", "nuv"}));
    EXPECT_TRUE(ReadFileBytes(older).contains("Version=\"0.3.1\""));
    WriteFileBytes(older, "kept");
    messages.Answer(platform::MessageAnswer::No);
    app.OnExportNuv2013june();
    EXPECT_EQ(messages.Texts().back(),
              QStringLiteral("ファイル \"%1\" はすでに存在します。\n上書きしてよろしいですか？").arg(older));
    EXPECT_EQ(ReadFileBytes(older), "kept");
    messages.Answer(platform::MessageAnswer::Yes);
    app.OnExportNuv2013june();
    EXPECT_TRUE(ReadFileBytes(older).contains("Version=\"0.3.1\""));
    const qsizetype shown = messages.Requests().size();
    const QString unwritable = Path("no/such/2013.nuv");
    shell.savePath = unwritable;
    app.OnExportNuv2013june();
    ASSERT_EQ(messages.Requests().size(), shown + 1);
    EXPECT_EQ(messages.Texts().back(), QStringLiteral("ファイルが開けないため、保存できませんでした。\n"
                                                      "No file can be made in the folder \"%1\".")
                                           .arg(Path("no/such")));
    EXPECT_FALSE(QFile::exists(unwritable));
}

TEST_F(HeldDocumentExports, TheOlderFormatIsNeverWrittenOverADocumentThatIsHeld) {
    ExpectEachRefused(
        QStringLiteral("ファイルが開けないため、保存できませんでした。\n%1 は使用中です。\n\n使用者は'%2'です。"),
        [this](const QString& path) {
            m_shell.savePath = path;
            m_app.OnExportNuv2013june();
        });

    // The editor's own save still goes into its file.
    m_app.Document().SetModified();
    m_app.OnFileSave();
    EXPECT_FALSE(m_app.Document().IsModified());
}

TEST_F(HeldDocumentExports, NoExportIsWrittenOverADocumentThatIsHeldNorAskedAbout) {
    CDocumentData& data = m_app.Document().DocumentData();
    CMessageSettingsEditor messagesPage(m_app.MessageContext());
    const std::vector<std::function<void(const QString&)>> exports = {
        [&](const QString& path) {
            m_shell.savePath = path;
            m_app.OnExportOutlineIndex();
        },
        [&](const QString& path) {
            m_shell.savePath = path;
            m_app.OnExportMemberNames();
        },
        [&](const QString& path) { TraceabilityMatrix(data, m_own, m_app.MessageContext()).Export(path); },
        [&](const QString& path) { messagesPage.Export(path); },
    };
    for (const auto& write : exports)
        ExpectEachRefused(
            QStringLiteral("ファイル \"%1\" に書き込みできませんでした。\n%1 は使用中です。\n\n使用者は'%2'です。"),
            write);
    // Closing asks nothing: the document the editor shows is the one in its file.
    EXPECT_FALSE(m_app.Document().IsModified());
}

TEST_F(ApplicationExports, AnImportMarksTheDocumentModifiedAndAFailedOneLeavesItAlone) {
    FakeShell shell;
    CNUVApp app(shell);
    ASSERT_TRUE(app.InitEditorInstance({"nuv"}));
    platform::ScriptedMessageSink messages;

    shell.openPath = NUV_TEST_DATA_DIR "/docfile/malformed.nuv";
    app.OnImportEnvironmentSettings();
    EXPECT_FALSE(app.Document().IsModified());
    EXPECT_EQ(messages.Requests().back().icon, platform::MessageIcon::Error);

    // A path in double quotes is taken without them.
    const QString layout = NUV_TEST_DATA_DIR "/docfile/layout.nuv";
    shell.openPath = '"' + layout + '"';
    app.OnImportMemberNames();
    EXPECT_TRUE(app.Document().IsModified());
    EXPECT_EQ(messages.Texts().back(), "インポートが成功しました。");
    EXPECT_EQ(shell.openPromptTitle, "ファイルを開く");
    EXPECT_EQ(shell.openPromptStart, "");
    EXPECT_EQ(app.Document().DocumentData().environment.importMemberNamesAndStateNamesFileName, shell.openPath);
    EXPECT_EQ(shell.resultsFormats, 1); // the new document's
    // The environment import starts where the last one took its settings, and leaves the title page's title alone.
    CDocumentData& data = app.Document().DocumentData();
    data.SetDocumentTitle("Mine");
    shell.openPath = layout;
    app.Document().SetModified(false);
    app.OnImportEnvironmentSettings();
    EXPECT_EQ(shell.openPromptStart, NUV_TEST_DATA_DIR "/docfile/malformed.nuv");
    EXPECT_EQ(data.documentHeader.Title, "Mine");
    EXPECT_EQ(data.printSettings.titleLines[PrintSettings::DocumentTitle].text, "Mine");
    EXPECT_TRUE(app.Document().IsModified());
    EXPECT_EQ(shell.tabRelayouts, 0);
    // The result pane takes the imported results font.
    EXPECT_EQ(shell.resultsFormats, 2);
    // Settings that hide the input column lay the tabs out again.
    app.Document().DocumentData().headerIOSettings.Input = 1;
    app.OnImportEnvironmentSettings();
    EXPECT_EQ(shell.openPromptStart, layout);
    EXPECT_EQ(app.Document().DocumentData().headerIOSettings.Input, 0);
    EXPECT_EQ(shell.tabRelayouts, 1);
    app.Document().SetModified(false);
}

TEST_F(ApplicationExports, TheEditorStartsInTheStoredLanguageAndTheConverterInEnglish) {
    FakeShell shell;
    {
        CNUVApp app(shell);
        ASSERT_TRUE(app.InitEditorInstance({"nuv"}));
        EXPECT_EQ(app.MessageContext().m_language, 0);
        platform::ScriptedMessageSink messages;
        app.SwitchToJapanese();
    }
    {
        CNUVApp app(shell);
        ASSERT_TRUE(app.InitEditorInstance({"nuv"}));
        EXPECT_EQ(app.MessageContext().m_language, 1);
    }
    {
        CNUVApp app(shell);
        platform::ScriptedMessageSink messages;
        ASSERT_TRUE(app.InitInstance({"tobrel"}));
        EXPECT_EQ(app.MessageContext().m_language, 0);
    }
}

TEST_F(ApplicationExports, TheEditorStartsWithTheWordingTheMessagesPageStored) {
    FakeShell shell;
    int row = 0;
    {
        CNUVApp app(shell);
        ASSERT_TRUE(app.InitEditorInstance({"nuv"}));
        CMessageSettingsEditor page(app.MessageContext());
        while (page.KeyAt(row) != "Function")
            ++row;
        page.SetTexts(row, "機能", "feature", "features");
        platform::ScriptedMessageSink messages;
        CSettingsWordingStore store;
        page.Apply(store);
        ASSERT_EQ(messages.Requests().size(), 1);
        EXPECT_EQ(messages.Requests()[0].icon, platform::MessageIcon::Information);
        // The running program keeps its wording until the next start.
        EXPECT_EQ(app.MessageContext().m_settings.GetEntry("Function", 1, ""), "単位機能");
    }
    // A word the table does not know is not taken in; an emptied value keeps the built-in text.
    ASSERT_TRUE(platform::WriteSetting(UserSettings::WordingEntry("Message-Unknown-ja-"), "不明"));
    ASSERT_TRUE(platform::WriteSetting(UserSettings::WordingEntry("Message-Child-ja-"), ""));
    CNUVApp app(shell);
    ASSERT_TRUE(app.InitEditorInstance({"nuv"}));
    const CMessageSettings& live = app.MessageContext().m_settings;
    EXPECT_EQ(live.GetEntry("Function", 1, ""), "機能");
    EXPECT_EQ(live.GetEntry("Function", 0, "Plural"), "features");
    EXPECT_EQ(live.GetEntry("Child", 1, ""), "子");
    EXPECT_EQ(live.GetEntries().size(), 555u);
    EXPECT_EQ(Msg::Text(app.MessageContext(), Msg::Id::AllFunctions), "All features");
}

TEST_F(ApplicationExports, TheAboutBoxButtonSwitchesToEnglishOnlyWhenConfirmed) {
    FakeShell shell;
    CNUVApp app(shell);
    platform::ScriptedMessageSink messages;
    // Declined with nothing stored: nothing changes.
    app.SwitchLanguageFromAboutBox();
    EXPECT_EQ(messages.Requests().size(), 1);
    EXPECT_EQ(messages.Requests()[0].icon, platform::MessageIcon::Question);
    EXPECT_EQ(platform::StoredSetting(UserSettings::Language()), std::nullopt);
    // Confirmed: English stored.
    messages.Answer(platform::MessageAnswer::Yes);
    app.SwitchLanguageFromAboutBox();
    EXPECT_EQ(platform::StoredSetting(UserSettings::Language()), 0u);
    // Declined while English is stored: back to Japanese.
    app.SwitchLanguageFromAboutBox();
    EXPECT_EQ(platform::StoredSetting(UserSettings::Language()), 1u);
    EXPECT_EQ(messages.Texts().back(),
              "Restart NUV to show Japanese messages.\nNUVを再起動すると日本語で表示されます。");
}

TEST(UnavailableCommands, SayWhatThisSystemDoesNotDo) {
    using namespace MainFrameCommand;
    platform::ScriptedMessageSink messages;
    for (int id : {57667, 57671, 57670, 57669})
        EXPECT_TRUE(ShowUnavailableCommandMessage(id)) << id;
    EXPECT_TRUE(ShowUnavailableCommandMessage(57856));
    EXPECT_TRUE(ShowUnavailableCommandMessage(33126));
    EXPECT_TRUE(ShowUnavailableCommandMessage(33004));
    ASSERT_EQ(messages.Requests().size(), 7);
    EXPECT_EQ(messages.Texts()[0], "No help is installed for NUV.");
    EXPECT_EQ(messages.Texts()[4], "Objects cannot be inserted or edited on this system.");
    EXPECT_EQ(messages.Texts()[5], "The transfer with ZIPC is not available.");
    EXPECT_EQ(messages.Texts()[6], "The function-attribute list is not exchanged with files.");
    // The work-item hand-over says so itself, through the interchange's command.
    EXPECT_FALSE(ShowUnavailableCommandMessage(32924));
    EXPECT_EQ(messages.Requests().size(), 7);
}
