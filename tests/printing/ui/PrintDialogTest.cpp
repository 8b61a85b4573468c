#include "printing/ui/PrintDialog.h"
#include "platform/DocumentFileLock.h"
#include "platform/MessageBox.h"
#include "support/QStringPrinter.h"
#include "support/TestFiles.h"
#include "support/model/LockHolderName.h"
#include "support/ui/ModalDialogs.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// OK pressed as a user does: the button, which the toolkit's dialog checks its fields on before it accepts.
void PressOk(QDialog& dialog) {
    QDialogButtonBox* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

} // namespace

// Printing to a file that an editor holds as its document is refused before the toolkit's dialog asks whether to
// overwrite it, and the file is left as it was; a file nobody holds is taken.
TEST(PrintDialog, PrintingToADocumentInUseIsRefusedBeforeTheOverwriteQuestion) {
    QTemporaryDir folder;
    const QString held = folder.filePath(QStringLiteral("held.nuv"));
    WriteFileBytes(held, "the editor's document");
    platform::DocumentFileLock editor;
    ASSERT_TRUE(editor.Hold(held));
    platform::ScriptedMessageSink messages;
    ToolkitQuestions questions;

    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(held);
    CPrintDialog dialog(&printer, nullptr);
    dialog.show();
    ASSERT_EQ(dialog.OutputFileName(), held);
    PressOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(messages.Texts(),
              QStringList{QStringLiteral(
                              "ファイル \"%1\" に書き込みできませんでした。\n%1 は使用中です。\n\n使用者は'%2'です。")
                              .arg(held, LockHolderName())});
    EXPECT_EQ(questions.Texts(), QStringList());
    EXPECT_TRUE(RefusePrinterOutput(printer));
    EXPECT_EQ(ReadFileBytes(held), "the editor's document");

    const QString free = folder.filePath(QStringLiteral("out.pdf"));
    dialog.findChild<QLineEdit*>(QStringLiteral("filename"))->setText(free);
    PressOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(printer.outputFileName(), free);
    EXPECT_FALSE(RefusePrinterOutput(printer));
    EXPECT_EQ(messages.Texts().size(), 2);
    EXPECT_EQ(questions.Texts(), QStringList());
}

// Refused with the message nuvprint gives, before the toolkit's dialog opens the file (which waits for a reader on a
// pipe) or asks about it.
TEST(PrintDialog, PrintingToAnythingButARegularFileIsRefusedAtOnce) {
    QTemporaryDir folder;
    const QString pipe = folder.filePath(QStringLiteral("pipe.pdf"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString dangling = folder.filePath(QStringLiteral("dangling.pdf"));
    ASSERT_TRUE(QFile::link(folder.filePath(QStringLiteral("nowhere.pdf")), dangling));
    // A reader, so that a dialog that opened the pipe for writing after all would fail rather than wait.
    const int reader = open(QFile::encodeName(pipe).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    platform::ScriptedMessageSink messages;
    ToolkitQuestions questions;
    QStringList refusals;
    for (const QString& file : {pipe, QStringLiteral("/dev/null"), folder.path(), dangling}) {
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        CPrintDialog dialog(&printer, nullptr);
        dialog.show();
        PressOk(dialog);
        EXPECT_TRUE(dialog.isVisible()) << file.toStdString();
        // Refused again right before printing.
        EXPECT_TRUE(RefusePrinterOutput(printer)) << file.toStdString();
        const QString refusal =
            QStringLiteral(
                "ファイル \"%1\" に書き込みできませんでした。\n\"%1\" is not a regular file: it cannot be overwritten.")
                .arg(file);
        refusals << refusal << refusal;
    }
    EXPECT_EQ(messages.Texts(), refusals);
    EXPECT_EQ(questions.Texts(), QStringList());
    close(reader);
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("nowhere.pdf"))));
}
