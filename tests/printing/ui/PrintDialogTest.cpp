#include "printing/ui/PrintDialog.h"
#include "platform/DocumentFileLock.h"
#include "platform/MessageBox.h"
#include "support/QStringPrinter.h"
#include "support/TestFiles.h"
#include "support/model/LockHolderName.h"
#include "support/ui/ModalDialogs.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

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
