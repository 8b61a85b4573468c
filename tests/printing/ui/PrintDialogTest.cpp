#include "printing/ui/PrintDialog.h"
#include "platform/DocumentFileLock.h"
#include "platform/MessageBox.h"
#include "support/QStringPrinter.h"
#include "support/TestFiles.h"
#include "support/model/FailingTemporaryWrites.h"
#include "support/model/LockHolderName.h"
#include "support/ui/ModalDialogs.h"
#include "texts/MessageContext.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

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

// A printout of one page.
int PrintOnePage(QPagedPaintDevice& device) {
    QPainter painter(&device);
    painter.drawText(100, 100, QStringLiteral("page"));
    return 1;
}

// A PDF file's page count, and whether its first page is wider than high, as pdfinfo reads them.
std::pair<int, bool> PdfPagesAndLandscape(const QString& path) {
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path});
    info.waitForFinished(30000);
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    const QRegularExpressionMatch pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(text);
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)")).match(text);
    return {pages.hasMatch() ? pages.captured(1).toInt() : -1,
            size.hasMatch() && size.captured(1).toDouble() > size.captured(2).toDouble()};
}

CMessageContext JapaneseContext() {
    CMessageContext context;
    context.m_language = 1;
    return context;
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
    // Refused again when the printout is written, as the file may have been taken since it was chosen.
    const CMessageContext context = JapaneseContext();
    EXPECT_EQ(PrintOnPrinter(printer, PrintOnePage, context), 0);
    EXPECT_EQ(ReadFileBytes(held), "the editor's document");

    const QString free = folder.filePath(QStringLiteral("out.pdf"));
    dialog.findChild<QLineEdit*>(QStringLiteral("filename"))->setText(free);
    PressOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(printer.outputFileName(), free);
    EXPECT_EQ(PrintOnPrinter(printer, PrintOnePage, context), 1);
    EXPECT_TRUE(ReadFileBytes(free).startsWith("%PDF"));
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
    const CMessageContext context = JapaneseContext();
    for (const QString& file : {pipe, QStringLiteral("/dev/null"), folder.path(), dangling}) {
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        CPrintDialog dialog(&printer, nullptr);
        dialog.show();
        PressOk(dialog);
        EXPECT_TRUE(dialog.isVisible()) << file.toStdString();
        // Refused again when the printout is written.
        EXPECT_EQ(PrintOnPrinter(printer, PrintOnePage, context), 0) << file.toStdString();
        const QString reason = QStringLiteral("\"%1\" is not a regular file: it cannot be overwritten.").arg(file);
        refusals << QStringLiteral("ファイル \"%1\" に書き込みできませんでした。\n").arg(file) + reason
                 << QStringLiteral("印刷内容をファイル \"%1\" に書き込めませんでした。\n").arg(file) + reason;
    }
    EXPECT_EQ(messages.Texts(), refusals);
    EXPECT_EQ(questions.Texts(), QStringList());
    close(reader);
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("nowhere.pdf"))));
}

// A printout to a file goes through the replacement of every file written: when it cannot be written, the old file
// keeps its content and bits, no part of the printout is left, and the failure is said with the file's name and the
// reason in the interface's language. A printout that is written is a whole PDF laid out on the printer's pages.
TEST(PrintDialog, APrintoutToAFileThatCannotBeWrittenLeavesTheFileAsItWasAndIsSaid) {
    QTemporaryDir folder;
    const QString old = folder.filePath(QStringLiteral("old.pdf"));
    platform::ScriptedMessageSink messages;
    const CMessageContext japanese = JapaneseContext();
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(old);
    ASSERT_EQ(PrintOnPrinter(printer, PrintOnePage, japanese), 1);
    ASSERT_EQ(chmod(QFile::encodeName(old).constData(), 0640), 0);
    const QByteArray before = ReadFileBytes(old);

    printer.setPageOrientation(QPageLayout::Landscape);
    const auto twoPages = [](QPagedPaintDevice& device) {
        QPainter painter(&device);
        painter.drawText(100, 100, QStringLiteral("first"));
        device.newPage();
        painter.drawText(100, 100, QStringLiteral("second"));
        return 2;
    };
    {
        const FailingTemporaryWrites failing;
        EXPECT_EQ(PrintOnPrinter(printer, twoPages, japanese), 0);
        EXPECT_EQ(ReadFileBytes(old), before);
        const QString fresh = folder.filePath(QStringLiteral("new.pdf"));
        printer.setOutputFileName(fresh);
        EXPECT_EQ(PrintOnPrinter(printer, twoPages, CMessageContext{}), 0);
        EXPECT_FALSE(QFile::exists(fresh));
        const QString reason = QString::fromLocal8Bit(std::strerror(EIO));
        EXPECT_EQ(messages.Texts(),
                  (QStringList{
                      QStringLiteral("印刷内容をファイル \"%1\" に書き込めませんでした。\n%2").arg(old, reason),
                      QStringLiteral("The printout could not be written to the file \"%1\".\n%2").arg(fresh, reason)}));
    }
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("old.pdf")});

    printer.setOutputFileName(old);
    EXPECT_EQ(PrintOnPrinter(printer, twoPages, japanese), 2);
    EXPECT_EQ(PdfPagesAndLandscape(old), std::make_pair(2, true));
    struct stat status {};
    ASSERT_EQ(stat(QFile::encodeName(old).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(messages.Texts().size(), 2);
}
