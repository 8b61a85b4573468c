#include "interchange/ui/TreeExchangeCommands.h"
#include "interchange/CsvTreeReader.h"
#include "model/DocumentData.h"
#include "model/UnitFunction.h"
#include "platform/DocumentFileLock.h"
#include "platform/MessageBox.h"
#include "platform/OwnerFile.h"
#include "support/QStringPrinter.h"
#include "support/TestFiles.h"
#include "texts/MessageContext.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>

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
    const CMessageContext& MessageContext() const override { return context; }

    void Run(int id) { registry.Find(id)->handler(id); }

    CDocumentData data;
    CMessageContext context;
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

TEST(TreeExchangeCommands, TheCsvExportIsNeverWrittenOverADocumentThatIsHeld) {
    TestHost host;
    const QString table = host.folder.filePath(QStringLiteral("table.csv"));
    WriteFileBytes(table, ",C1,C2\r\nR1,a,b\r\n");
    AnswerFileDialog(table);
    host.Run(CommandImportCsv);
    // An editor holds a document (its lock on the file, its name beside it): refused before the overwrite
    // question, even when the question would be answered Yes.
    const QString held = host.folder.filePath(QStringLiteral("held.nuv"));
    WriteFileBytes(held, "the editor's document");
    WriteFileBytes(MakeOwnerFileName(held), QByteArray("h\0a\0n\0a\0", 8));
    platform::DocumentFileLock editor;
    ASSERT_TRUE(editor.Hold(held));
    host.messages.Answer(platform::MessageAnswer::Yes);
    AnswerFileDialog(held);
    host.Run(CommandExportCsv);
    EXPECT_EQ(host.messages.Texts(),
              QStringList{QStringLiteral(
                              "ファイル \"%1\" に書き込みできませんでした。\n%1 は使用中です。\n\n使用者は'hana'です。")
                              .arg(held)});
    EXPECT_EQ(ReadFileBytes(held), "the editor's document");
}

TEST(TreeExchangeCommands, AUtf8CsvIsReadAsUtf8AndExportedInUtf8WhenTheCodePageCannotHoldIt) {
    TestHost host;
    const QString table = host.folder.filePath(QStringLiteral("table.csv"));
    WriteFileBytes(table, "\xEF\xBB\xBF,Gr\xC3\xB6\xC3\x9F\x65,C2\r\nR1,a,b\r\n");
    AnswerFileDialog(table);
    host.Run(CommandImportCsv);
    EXPECT_NE(host.data.registry.FindByName(QString::fromUtf8("Größe")), nullptr);

    const QString exported = host.folder.filePath(QStringLiteral("out.csv"));
    AnswerFileDialog(exported);
    host.Run(CommandExportCsv);
    EXPECT_EQ(ReadFileBytes(exported), QByteArray("\xEF\xBB\xBF,Gr\xC3\xB6\xC3\x9F\x65,C2,\r\n\"R1\",\"a\",\"b\","));
    EXPECT_EQ(host.messages.Texts(), QStringList{QStringLiteral("ファイルのエクスポートが終了しました。\nThe file was "
                                                                "written in UTF-8 with a byte-order mark: CP932 cannot "
                                                                "hold some of its characters.")});
}

TEST(TreeExchangeCommands, RefusalsAreSaidAndLeaveTheDocumentAlone) {
    TestHost host;
    host.Run(CommandExportCsv);
    const QString narrow = host.folder.filePath(QStringLiteral("narrow.csv"));
    WriteFileBytes(narrow, ",C1\r\nR1,a,b\r\n");
    AnswerFileDialog(narrow);
    host.Run(CommandImportCsv);
    WriteFileBytes(narrow, ",C1\r\nR1,\"a\r\n");
    AnswerFileDialog(narrow);
    host.Run(CommandImportCsv);
    // A file over the bound is said to be too large, in the interface's language.
    const QString large = host.folder.filePath(QStringLiteral("large.csv"));
    WriteSparseFile(large, CCsvTreeReader::MaxFileBytes + 1);
    AnswerFileDialog(large);
    host.Run(CommandImportCsv);
    EXPECT_EQ(
        host.messages.Texts(),
        (QStringList{
            QStringLiteral("単位機能の個数が少ないため、出力できません。"),
            QStringLiteral("The CSV file cannot be imported: its heading line has fewer columns than its last line."),
            QStringLiteral(
                "The CSV file cannot be imported: the row from line 2 holds a quote that the file never closes."),
            QStringLiteral("File \"%1\" cannot be read: it is larger than 67108864 bytes.").arg(large)}));
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

namespace {

// Drives the folder chooser the next command opens as a user would: `steps` gets the dialog, its name box, its
// folder list and its accept button.
void DriveFolderChooser(const std::function<void(QFileDialog&, QLineEdit&, QListView&, QPushButton&)>& steps) {
    QTimer::singleShot(0, [steps] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        auto* list = dialog->findChild<QListView*>(QStringLiteral("listView"));
        auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        ASSERT_TRUE(name && list && buttons);
        QPushButton* accept = buttons->button(QDialogButtonBox::Open);
        ASSERT_TRUE(accept);
        steps(*dialog, *name, *list, *accept);
        if (dialog->isVisible())
            dialog->reject();
    });
}

// The entry `entry` of the shown folder, where it is on the list's screen, once it is listed.
QPoint EntryPoint(QListView& list, const QString& entry) {
    QModelIndex found;
    const bool listed = QTest::qWaitFor(
        [&] {
            const QModelIndex root = list.rootIndex();
            for (int row = 0; row < list.model()->rowCount(root) && !found.isValid(); ++row) {
                if (list.model()->index(row, 0, root).data().toString() == entry)
                    found = list.model()->index(row, 0, root);
            }
            return found.isValid();
        },
        5000);
    EXPECT_TRUE(listed) << entry.toStdString();
    return list.visualRect(found).center();
}

struct ChooserCase {
    TestHost host;
    QString shown;
    ChooserCase() {
        QDir base(host.folder.path());
        base.mkpath(QStringLiteral("Shown/Plan/A"));
        base.mkpath(QStringLiteral("Shown/Planning/B/C"));
        shown = base.filePath(QStringLiteral("Shown"));
    }
    // Runs the import with the chooser showing the shown folder and driven by `steps`; the imported folder's name.
    QString Import(const std::function<void(QFileDialog&, QLineEdit&, QListView&, QPushButton&)>& steps) {
        DriveFolderChooser([&](QFileDialog& dialog, QLineEdit& name, QListView& list, QPushButton& accept) {
            dialog.setDirectory(shown);
            steps(dialog, name, list, accept);
        });
        host.Run(CommandImportFileTree);
        return host.modified == 0 ? QString() : host.data.registry.origin->name;
    }
};

} // namespace

TEST(TreeExchangeCommands, FolderImportTakesTheFolderTypedInTheChooser) {
    // A full path typed while the window system still has the focus elsewhere passes through the names of its
    // parents and of a sibling that starts alike; Enter imports the typed folder, not one of those.
    for (const QString& typed : {QStringLiteral("Planning"), QStringLiteral("Planning/")}) {
        ChooserCase chooser;
        EXPECT_EQ(chooser.Import([&](QFileDialog& dialog, QLineEdit& name, QListView& list, QPushButton&) {
            for (const QChar c : chooser.shown + QLatin1Char('/') + typed) {
                list.setFocus();
                QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
                QApplication::sendEvent(&name, &key);
            }
            EXPECT_EQ(dialog.selectedFiles(),
                      QStringList{QDir::cleanPath(chooser.shown + QStringLiteral("/Planning"))});
            QTest::keyClick(&name, Qt::Key_Return);
        }),
                  QStringLiteral("Planning"))
            << typed.toStdString();
    }
    // A relative path typed in the name box, then the accept button.
    ChooserCase relative;
    EXPECT_EQ(relative.Import([](QFileDialog&, QLineEdit& name, QListView&, QPushButton& accept) {
        QTest::keyClicks(&name, QStringLiteral("Planning/B"));
        QTest::mouseClick(&accept, Qt::LeftButton);
    }),
              QStringLiteral("B"));
    // A folder that is not there is named in a message and the chooser stays open.
    ChooserCase missing;
    EXPECT_EQ(missing.Import([](QFileDialog& dialog, QLineEdit& name, QListView&, QPushButton&) {
        QTest::keyClicks(&name, QStringLiteral("Nowhere"));
        QTest::keyClick(&name, Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible());
    }),
              QString());
    EXPECT_EQ(missing.host.messages.Texts(), QStringList{QStringLiteral("The folder Nowhere cannot be found.")});
}

TEST(TreeExchangeCommands, FolderImportTakesTheFolderPickedInTheChooser) {
    // A folder selected in the list.
    ChooserCase selected;
    EXPECT_EQ(selected.Import([](QFileDialog&, QLineEdit&, QListView& list, QPushButton& accept) {
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, EntryPoint(list, QStringLiteral("Plan")));
        QTest::mouseClick(&accept, Qt::LeftButton);
    }),
              QStringLiteral("Plan"));
    // A folder double-clicked, then the accept button.
    ChooserCase entered;
    EXPECT_EQ(entered.Import([](QFileDialog&, QLineEdit&, QListView& list, QPushButton& accept) {
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, EntryPoint(list, QStringLiteral("Planning")));
        QTest::mouseClick(&accept, Qt::LeftButton);
    }),
              QStringLiteral("Planning"));
}
