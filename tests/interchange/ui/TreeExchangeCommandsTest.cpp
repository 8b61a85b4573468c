#include "interchange/ui/TreeExchangeCommands.h"
#include "model/DocumentData.h"
#include "model/UnitFunction.h"
#include "platform/MessageBox.h"
#include "support/QStringPrinter.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace {

class TestHost : public CTreeExchangeCommandHost {
public:
    TestHost() {
        data.SetDefaults();
        AddTreeExchangeCommands(registry, *this);
    }
    CDocumentData& ExchangedDocument() override { return data; }
    void ImportIntoDocument(const std::function<bool()>& import) override {
        modified += import() ? 1 : 0;
        data.registry.RebuildAndNotify(data.indexRoot, data.GetModelOptions());
    }
    QWidget* DialogParent() override { return nullptr; }

    void Run(int id) { registry.Find(id)->handler(id); }

    CDocumentData data;
    CCommandRegistry registry;
    int modified = 0;
    QTemporaryDir folder;
    platform::ScriptedMessageSink messages;
};

// Chooses `path` in the file dialog the next command opens; an empty path cancels it.
void AnswerFileDialog(const QString& path, QString* title = nullptr) {
    QTimer::singleShot(0, [path, title] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        if (title)
            *title = dialog->windowTitle();
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();
    });
}

} // namespace

TEST(TreeExchangeCommands, CsvImportAndExportGoThroughTheFileDialogsAndTheMessages) {
    TestHost host;
    const QString table = host.folder.filePath(QStringLiteral("table.csv"));
    WriteFileBytes(table, ",C1,C2\r\nR1,a,b\r\n");
    AnswerFileDialog(table);
    host.Run(CommandImportCsv);
    EXPECT_EQ(host.modified, 1);
    EXPECT_EQ(host.data.registry.Count(), 10);

    // The export adds the extension and asks before it overwrites; No leaves the file alone.
    const QString exported = host.folder.filePath(QStringLiteral("out"));
    AnswerFileDialog(exported);
    host.Run(CommandExportCsv);
    EXPECT_EQ(ReadFileBytes(exported + QStringLiteral(".csv")), QByteArray(",C1,C2,\r\n\"R1\",\"a\",\"b\","));
    host.messages.Answer(platform::MessageAnswer::No);
    AnswerFileDialog(table);
    host.Run(CommandExportCsv);
    EXPECT_EQ(ReadFileBytes(table), QByteArray(",C1,C2\r\nR1,a,b\r\n"));
    ASSERT_EQ(host.messages.Requests().size(), 2);
    EXPECT_EQ(host.messages.Requests()[0].text, QStringLiteral("ファイルのエクスポートが終了しました。"));
    EXPECT_EQ(host.messages.Requests()[1].buttons, platform::MessageButtons::YesNo);

    // A file that cannot be written is said with the system's reason.
    const QString nowhere = host.folder.filePath(QStringLiteral("missing/out.csv"));
    AnswerFileDialog(nowhere);
    host.Run(CommandExportCsv);
    ASSERT_EQ(host.messages.Requests().size(), 3);
    EXPECT_EQ(host.messages.Requests()[2].text, QStringLiteral("ファイル \"%1\" に書き込みできませんでした。\n%2")
                                                    .arg(nowhere, QString::fromLocal8Bit(std::strerror(ENOENT))));
}

TEST(TreeExchangeCommands, AUtf8CsvIsReadAsUtf8AndTheExportSaysHowManyCharactersItReplaced) {
    TestHost host;
    const QString table = host.folder.filePath(QStringLiteral("table.csv"));
    WriteFileBytes(table, "\xEF\xBB\xBF,Gr\xC3\xB6\xC3\x9F\x65,C2\r\nR1,a,b\r\n");
    AnswerFileDialog(table);
    host.Run(CommandImportCsv);
    EXPECT_NE(host.data.registry.FindByName(QString::fromUtf8("Größe")), nullptr);

    const QString exported = host.folder.filePath(QStringLiteral("out.csv"));
    AnswerFileDialog(exported);
    host.Run(CommandExportCsv);
    EXPECT_EQ(ReadFileBytes(exported), QByteArray(",Gr??e,C2,\r\n\"R1\",\"a\",\"b\","));
    EXPECT_EQ(host.messages.Texts(),
              QStringList{QStringLiteral("ファイルのエクスポートが終了しました。\n"
                                         "CP932 で表せない 2 個の文字は \"?\" に置き換えました。")});
}

TEST(TreeExchangeCommands, RefusalsAreSaidAndLeaveTheDocumentAlone) {
    TestHost host;
    host.Run(CommandExportCsv);
    const QString narrow = host.folder.filePath(QStringLiteral("narrow.csv"));
    WriteFileBytes(narrow, ",C1\r\nR1,a,b\r\n");
    AnswerFileDialog(narrow);
    host.Run(CommandImportCsv);
    EXPECT_EQ(
        host.messages.Texts(),
        (QStringList{QStringLiteral("単位機能の個数が少ないため、出力できません。"),
                     QStringLiteral("CSVファイルの見出し行の列が最後の行より少ないため、インポートできません。")}));
    EXPECT_EQ(host.modified, 0);
    EXPECT_EQ(host.data.registry.Count(), 1);
}

TEST(TreeExchangeCommands, FolderImportAsksForAFolder) {
    TestHost host;
    QDir(host.folder.path()).mkpath(QStringLiteral("Plan/B"));
    QString title;
    AnswerFileDialog(host.folder.filePath(QStringLiteral("Plan")), &title);
    host.Run(CommandImportFileTree);
    EXPECT_EQ(title, QStringLiteral("フォルダの選択"));
    EXPECT_EQ(host.modified, 1);
    EXPECT_EQ(host.data.registry.origin->name, QStringLiteral("Plan"));
    EXPECT_EQ(host.data.registry.Count(), 2);
    // Cancelling the chooser does nothing.
    AnswerFileDialog(QString());
    host.Run(CommandImportFileTree);
    EXPECT_EQ(host.modified, 1);
}
