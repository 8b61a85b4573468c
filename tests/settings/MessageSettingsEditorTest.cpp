#include "settings/MessageSettingsEditor.h"

#include "platform/MessageBox.h"
#include "support/QStringPrinter.h"
#include "support/TemporaryConfigHome.h"
#include "support/TestFiles.h"
#include "texts/MessageContext.h"
#include "texts/WordingStore.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

using platform::MessageAnswer;

namespace {

class RecordingStore : public CWordingStore {
public:
    std::optional<QString> ReadText(const QString&) const override { return std::nullopt; }
    bool WriteTexts(const std::vector<std::pair<QString, QString>>& texts) override {
        written += static_cast<int>(texts.size());
        return true;
    }
    int written = 0;
};

class MessageSettingsEditorTest : public ::testing::Test {
protected:
    MessageSettingsEditorTest() { context.m_language = 1; }

    TemporaryConfigHome home;
    CMessageContext context;
    platform::ScriptedMessageSink sink;
};

TEST_F(MessageSettingsEditorTest, ListsEveryKeyInOrderWithItsNote) {
    const CMessageSettingsEditor editor(context);
    ASSERT_EQ(editor.RowCount(), 185);
    EXPECT_EQ(editor.Text(0, CMessageSettingsEditor::NumberColumn), "1");
    EXPECT_EQ(editor.KeyAt(156), "~Color_00_Black");
    EXPECT_EQ(editor.Text(156, CMessageSettingsEditor::NotesColumn), QStringLiteral("色の名称"));
    EXPECT_EQ(editor.KeyAt(184), "~Toolbox_12_ZenkakuNegation");
    EXPECT_EQ(editor.Text(184, CMessageSettingsEditor::NotesColumn), QStringLiteral("ツールボックス"));
    EXPECT_EQ(editor.KeyAt(155), "YoungerSibling_Function");
    EXPECT_EQ(editor.Text(155, CMessageSettingsEditor::NotesColumn), "");
    context.m_language = 0;
    EXPECT_EQ(CMessageSettingsEditor(context).ColumnTitle(CMessageSettingsEditor::SingularColumn),
              "English (singular)");
}

TEST_F(MessageSettingsEditorTest, ExportAndImportCarryTheCopyAndAnUnreadableFileChangesNothing) {
    CMessageSettingsEditor editor(context);
    EXPECT_EQ(CMessageSettingsEditor::LastExportPath(), "nuv-messages.txt");
    editor.SetTexts(0, "ja", "one", "many");
    const QString path = home.dir.filePath("messages.txt");
    ASSERT_TRUE(editor.Export(path));
    EXPECT_EQ(CMessageSettingsEditor::LastExportPath(), path);
    EXPECT_FALSE(editor.Export(home.dir.filePath("missing/messages.txt")));

    CMessageSettingsEditor reader(context);
    EXPECT_FALSE(reader.Import(home.dir.path()));
    EXPECT_FALSE(reader.Import(home.dir.filePath("none.txt")));
    // Far over any messages file: refused unread.
    WriteSparseFile(home.dir.filePath("huge.txt"), qint64(1) << 30);
    EXPECT_FALSE(reader.Import(home.dir.filePath("huge.txt")));
    EXPECT_TRUE(reader.Copy() == context.m_settings);
    EXPECT_TRUE(CMessageSettingsEditor::LastImportPath().isEmpty());
    ASSERT_TRUE(reader.Import(path));
    EXPECT_EQ(reader.Text(0, CMessageSettingsEditor::PluralColumn), "many");
    EXPECT_EQ(CMessageSettingsEditor::LastImportPath(), path);
    EXPECT_EQ(
        sink.Texts(),
        QStringList(
            {QStringLiteral("ファイル \"%1\" に文言設定をエクスポートしました。").arg(path),
             QStringLiteral("ファイル \"%1\" に書き込めませんでした。\n%2")
                 .arg(home.dir.filePath("missing/messages.txt"), QString::fromLocal8Bit(std::strerror(ENOENT))),
             QStringLiteral("ファイル \"%1\" は通常のファイルではないため、読み込めません。").arg(home.dir.path()),
             QStringLiteral("ファイル \"%1\" から読み込めませんでした。").arg(home.dir.filePath("none.txt")),
             QStringLiteral("ファイル \"%1\" は16777216バイトを超えるため、読み込めません。")
                 .arg(home.dir.filePath("huge.txt")),
             QStringLiteral("ファイル \"%1\" から文言設定をインポートしました。").arg(path)}));
}

TEST_F(MessageSettingsEditorTest, AnImportThatIsRefusedSaysWhyAndChangesNothing) {
    const QString pipe = home.dir.filePath("pipe.txt");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString large = home.dir.filePath("large.txt");
    WriteSparseFile(large, qint64(17) << 20);
    // One text far longer than any wording, and one just within the bound.
    const QString longText = home.dir.filePath("long.txt");
    const QByteArray within = QByteArray(CMessageSettings::MaxTextUnits, 'w');
    WriteFileBytes(longText,
                   "Message-Function-en-Plural=" + within + "\r\nMessage-Function-en-Singular=" + within + "w\r\n");
    // A file that names no entry, and one this user may not read (which the superuser reads all the same).
    const QString unnamed = home.dir.filePath("unnamed.txt");
    WriteFileBytes(unnamed, "Message-Nothing-en-Plural=x\r\nno entry\r\n");
    const QString locked = home.dir.filePath("locked.txt");
    WriteFileBytes(locked, "Message-Function-en-Plural=x\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(locked).constData(), 0), 0);
    const bool lockedOut = ::geteuid() != 0;
    CMessageSettingsEditor editor(context);
    for (const QString& path : {pipe, large, longText, unnamed})
        EXPECT_FALSE(editor.Import(path)) << path.toStdString();
    if (lockedOut) {
        EXPECT_FALSE(editor.Import(locked));
    }
    EXPECT_TRUE(editor.Copy() == context.m_settings);
    context.m_language = 0;
    CMessageSettingsEditor english(context);
    EXPECT_FALSE(english.Import(longText));
    EXPECT_FALSE(english.Import(unnamed));
    QStringList said{
        QStringLiteral("ファイル \"%1\" は通常のファイルではないため、読み込めません。").arg(pipe),
        QStringLiteral("ファイル \"%1\" は16777216バイトを超えるため、読み込めません。").arg(large),
        QStringLiteral("ファイル \"%1\" の Message-Function-en-Singular の文言が1024文字を超えるため、読み込めません。")
            .arg(longText),
        QStringLiteral("ファイル \"%1\" には文言設定の項目がないため、読み込めません。").arg(unnamed)};
    if (lockedOut)
        said << QStringLiteral("ファイル \"%1\" を読む権限がないため、読み込めません。").arg(locked);
    said << QStringLiteral("File \"%1\" cannot be read: the text of Message-Function-en-Singular is longer than 1024 "
                           "characters.")
                .arg(longText)
         << QStringLiteral("File \"%1\" cannot be read: it names no message.").arg(unnamed);
    EXPECT_EQ(sink.Texts(), said);
    ASSERT_EQ(sink.Requests().size(), said.size());
    EXPECT_EQ(sink.Requests()[0].icon, platform::MessageIcon::Warning);

    WriteFileBytes(longText, "Message-Function-en-Plural=" + within + "\r\n");
    ASSERT_TRUE(editor.Import(longText));
    EXPECT_EQ(editor.Copy().GetEntries().at({"Function", 0, "Plural"}), QString(within));
}

TEST_F(MessageSettingsEditorTest, ApplyAsksAboutPercentAndStoresOnlyAChange) {
    RecordingStore store;
    CMessageSettingsEditor unchanged(context);
    EXPECT_TRUE(unchanged.Validate());
    unchanged.Apply(store);
    EXPECT_EQ(store.written, 0);
    EXPECT_TRUE(sink.Requests().isEmpty());

    CMessageSettingsEditor editor(context);
    editor.SetTexts(3, "a%", "b", "c");
    sink.Answer(MessageAnswer::Cancel);
    EXPECT_FALSE(editor.Validate());
    EXPECT_EQ(editor.Text(3, CMessageSettingsEditor::JapaneseColumn), "a%");
    sink.Answer(MessageAnswer::Ok);
    EXPECT_FALSE(editor.Validate());
    EXPECT_EQ(editor.Text(3, CMessageSettingsEditor::JapaneseColumn), "a");
    ASSERT_TRUE(editor.Validate());
    editor.Apply(store);
    EXPECT_EQ(store.written, 185 * 3);
    EXPECT_EQ(sink.Texts().last(), QStringLiteral("NUVを再起動すると新しい文言で表示されます。"));
    // The live table keeps its texts until the next start.
    EXPECT_NE(CMessageSettingsEditor(context).Text(3, CMessageSettingsEditor::JapaneseColumn), "a");
}

} // namespace
