#include "logic/InspectionView.h"
#include "model/DocumentData.h"
#include "platform/DocumentFileLock.h"
#include "platform/MessageBox.h"
#include "printing/PrintJob.h"
#include "printing/ui/PSOther.h"
#include "printing/ui/PSSingle.h"
#include "printing/ui/PSTitle.h"
#include "printing/ui/PrintCommands.h"
#include "printing/ui/PrintedObjectPage.h"
#include "support/QStringPrinter.h"
#include "support/TestFiles.h"
#include "support/model/FailingTemporaryWrites.h"
#include "support/model/LockHolderName.h"
#include "support/ui/DialogChecks.h"
#include "support/ui/ModalDialogs.h"
#include "texts/MessageContext.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

class PrintTestHost : public CPrintCommandHost {
public:
    PrintTestHost() {
        document.SetDefaults();
        context.m_language = 1;
    }

    CDocumentData& PrintedDocument() override { return document; }
    QString PrintedDocumentPath() const override { return QString(); }
    void SetPrintSettingsModified() override { ++modified; }
    const CUnitFunction* ActiveFunction() const override { return nullptr; }
    CInspectionView& InspectionPane() override { return results; }
    const CMessageContext& MessageContext() const override { return context; }
    QWidget* DialogParent() override { return nullptr; }
    QPrinter& Printer() override { return printer; }

    CDocumentData document;
    QPrinter printer;
    CInspectionView results;
    CMessageContext context;
    int modified = 0;
};

// Runs `edit` on the sheet once it shows, then closes it with OK or Cancel.
void WhenSheetShows(const std::function<void(CPropertySheet&)>& edit, bool accept) {
    QTimer::singleShot(0, [edit, accept] {
        auto* sheet = qobject_cast<CPropertySheet*>(QApplication::activeModalWidget());
        ASSERT_NE(sheet, nullptr);
        edit(*sheet);
        accept ? sheet->accept() : sheet->reject();
    });
}

template <typename Page> Page* PageOf(CPropertySheet& sheet) {
    for (CPropertyPage* page : sheet.Pages())
        if (auto* found = qobject_cast<Page*>(page))
            return found;
    return nullptr;
}

TEST(PrintSettingsSheetTest, EveryPageIsWalkedInReadingOrder) {
    PrintTestHost host;
    int remembered = 0;
    WhenSheetShows(
        [](CPropertySheet& sheet) {
            for (int page = 0; page < static_cast<int>(sheet.Pages().size()); ++page) {
                SCOPED_TRACE(page);
                sheet.SetActivePage(page);
                dialog_checks::ExpectReadingOrder(sheet);
            }
        },
        false);
    RunPrintSettingsSheet(host, remembered);
}

// In English the pages' labels and the items of their lists are English, built from the wording table.
TEST(PrintSettingsSheetTest, PagesFollowTheInterfaceLanguage) {
    PrintTestHost host;
    host.context.m_language = 0;
    int remembered = 0;
    WhenSheetShows(
        [](CPropertySheet& sheet) {
            QStringList texts;
            for (const QWidget* page : sheet.Pages()) {
                texts << dialog_checks::ShownTexts(*page);
                for (const QComboBox* list : page->findChildren<QComboBox*>()) {
                    for (int item = 0; item < list->count(); ++item)
                        texts << list->itemText(item);
                }
            }
            for (const char* text :
                 {"Zoom", "Print first line only", "Print embedded functions only", "Print functions with logic only",
                  "Printed items", "Explanation", "Logic", "Line numbers", "Position", "Border", "File name",
                  "Pattern 1", "Margin", "Do not print", "Date", "Time"})
                EXPECT_TRUE(texts.contains(QString::fromLatin1(text))) << text;
            EXPECT_EQ(dialog_checks::JapaneseTexts(texts), QStringList());
        },
        false);
    RunPrintSettingsSheet(host, remembered);
}

TEST(PrintSettingsSheetTest, PagesWriteTheCopyBackOnOkAndCancelDropsIt) {
    PrintTestHost host;
    int remembered = 0;
    WhenSheetShows(
        [](CPropertySheet& sheet) {
            ASSERT_EQ(sheet.Pages().size(), 8);
            PageOf<CPrintedObjectPage>(sheet)->Choices()->button(5)->setChecked(true);
            CPSSingle* single = PageOf<CPSSingle>(sheet);
            single->RangeButtons()->button(2)->setChecked(true);
            single->ScaleBox()->setCurrentText(QStringLiteral("75"));
            single->OnlyWrittenBox()->setChecked(false);
            single->ItemBoxes().at(3)->setChecked(true);  // requirements
            single->ItemBoxes().at(5)->setChecked(false); // line numbers
            CPSTitle* title = PageOf<CPSTitle>(sheet);
            // The first line is the document's own title, of its full length.
            EXPECT_EQ(title->TextEdits().at(0)->text(), QStringLiteral("旧題"));
            EXPECT_EQ(title->TextEdits().at(0)->maxLength(), 256);
            title->TextEdits().at(0)->setText(QStringLiteral("表紙の題"));
            title->PositionBoxes().at(3)->setCurrentIndex(7);
            title->FrameBoxes().at(3)->setChecked(true);
            CPSOther* other = PageOf<CPSOther>(sheet);
            other->ItemBoxes().at(0)->setCurrentIndex(1);
            other->ItemBoxes().at(4)->setCurrentIndex(9);
            other->Text1()->setText(QStringLiteral("一二三四五六七八九十一二三四五六七八"));
            other->MarginBoxes().at(2)->setValue(20);
            sheet.SetActivePage(3);
        },
        true);
    host.document.SetDocumentTitle(QStringLiteral("旧題"));
    ASSERT_TRUE(RunPrintSettingsSheet(host, remembered));
    const PrintSettings& settings = host.document.printSettings;
    EXPECT_EQ(host.document.documentHeader.Title, QStringLiteral("表紙の題"));
    EXPECT_EQ(host.document.selectedPrintout, 5);
    const PrintSection& single = settings.sections[PrintSettings::UnitFunctions];
    EXPECT_EQ(single.scope, 2);
    EXPECT_EQ(single.zoom, 75);
    EXPECT_EQ(single.nonWrited, 0);
    EXPECT_EQ(single.nonEmbodiment, 1);
    EXPECT_EQ(single.object, (0x4BFF | 0x1000) & ~0x4000);
    EXPECT_EQ(settings.titleLines[PrintSettings::DocumentTitle].text, QStringLiteral("表紙の題"));
    EXPECT_EQ(settings.titleLines[PrintSettings::InputText1].point, 7);
    EXPECT_EQ(settings.titleLines[PrintSettings::InputText1].border, 1);
    EXPECT_EQ(settings.headerKinds.left, 1);
    EXPECT_EQ(settings.footerKinds.center, 9);
    EXPECT_EQ(settings.headerFooterText1.size(), PrintSettings::MaxHeaderFooterTextLength);
    EXPECT_EQ(settings.marginTop, 20);
    EXPECT_EQ(settings.marginLeft, 5);
    EXPECT_EQ(host.modified, 1);
    EXPECT_EQ(remembered, 3);

    // Cancel keeps everything as it was, the remembered page aside.
    const PrintSettings before = settings;
    WhenSheetShows(
        [](CPropertySheet& sheet) {
            EXPECT_EQ(sheet.ActivePageIndex(), 3);
            PageOf<CPSOther>(sheet)->MarginBoxes().at(0)->setValue(40);
            PageOf<CPrintedObjectPage>(sheet)->Choices()->button(0)->setChecked(true);
            sheet.SetActivePage(7);
        },
        false);
    EXPECT_FALSE(RunPrintSettingsSheet(host, remembered));
    EXPECT_EQ(host.document.printSettings, before);
    EXPECT_EQ(host.document.selectedPrintout, 5);
    EXPECT_EQ(host.modified, 1);
    EXPECT_EQ(remembered, 7);
}

TEST(PrintSettingsSheetTest, MarginsThatLeaveTooLittleToPrintOnAreRefusedWithAMessage) {
    PrintTestHost host;
    platform::ScriptedMessageSink messages;
    int remembered = 0;
    QTimer::singleShot(0, [] {
        auto* sheet = qobject_cast<CPropertySheet*>(QApplication::activeModalWidget());
        ASSERT_NE(sheet, nullptr);
        CPSOther* other = PageOf<CPSOther>(*sheet);
        sheet->SetActivePage(static_cast<int>(sheet->Pages().indexOf(other)));
        other->MarginBoxes().at(0)->setValue(90);
        other->MarginBoxes().at(1)->setValue(90);
        sheet->accept();
        // Refused: the sheet stays; with room left to print on it closes.
        EXPECT_TRUE(sheet->isVisible());
        other->MarginBoxes().at(1)->setValue(70);
        sheet->accept();
    });
    ASSERT_TRUE(RunPrintSettingsSheet(host, remembered));
    EXPECT_EQ(messages.Texts(), QStringList{QStringLiteral("「余白、他」ページの「Margin (mm)」の数値が範囲外です。")});
    EXPECT_EQ(host.document.printSettings.marginLeft, 90);
    EXPECT_EQ(host.document.printSettings.marginRight, 70);
}

TEST(PrintSettingsSheetTest, PrintFollowsTheChosenPrintoutAndItsRefusal) {
    PrintTestHost host;
    CCommandRegistry registry;
    AddPrintCommands(registry, host);
    platform::ScriptedMessageSink messages;
    host.document.selectedPrintout = 4; // results, of which there are none
    EXPECT_TRUE(registry.Dispatch(CommandPrint));
    host.document.selectedPrintout = 5; // notes, of which there are none
    EXPECT_TRUE(registry.Dispatch(CommandPrintPreview));
    host.document.selectedPrintout = 3; // the title page of a document without a title
    EXPECT_TRUE(registry.Dispatch(CommandPrint));
    ASSERT_EQ(messages.Texts().size(), 3);
    EXPECT_EQ(messages.Texts().at(0), QStringLiteral("検査・検索等結果のメッセージがないため、印刷できません。"));
    EXPECT_EQ(messages.Texts().at(1), QStringLiteral("Nothing can be printed: there is no memo."));
    EXPECT_EQ(host.document.printSettings.printKind, 4);
    // A choice beyond the six prints nothing.
    host.document.selectedPrintout = 9;
    EXPECT_TRUE(registry.Dispatch(CommandPrint));
    EXPECT_EQ(messages.Texts().size(), 3);
}

TEST(PrintSettingsSheetTest, ThePrintDialogOffersEveryPageOfTheSharedPrinter) {
    PrintTestHost host;
    host.document.DataReady = true;
    CCommandRegistry registry;
    AddPrintCommands(registry, host);
    host.printer.setPageOrientation(QPageLayout::Landscape);
    host.printer.setPrintRange(QPrinter::PageRange);
    host.printer.setFromTo(2, 3);
    QPrinter* dialogPrinter = nullptr;
    int maxPage = 0;
    QAbstractPrintDialog::PrintRange offered = QAbstractPrintDialog::PageRange;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
            dialogPrinter = dialog->printer();
            maxPage = dialog->maxPage();
            offered = dialog->printRange();
            dialog->reject();
        }
    });
    registry.Dispatch(CommandPrintOutlineIndex);
    EXPECT_EQ(dialogPrinter, &host.printer);
    EXPECT_EQ(maxPage, 999);
    EXPECT_EQ(offered, QAbstractPrintDialog::AllPages);
    EXPECT_EQ(host.printer.pageLayout().orientation(), QPageLayout::Landscape);
}

// The preview's own Print passes the gate of every print dialog: a document that an editor holds is refused before
// the toolkit asks whether to overwrite it, and stays as it was; a free file takes the printout.
TEST(PrintSettingsSheetTest, ThePreviewPrintsToAFileOnlyPastTheGate) {
    PrintTestHost host;
    host.document.DataReady = true;
    CCommandRegistry registry;
    AddPrintCommands(registry, host);
    QTemporaryDir folder;
    const QString held = folder.filePath(QStringLiteral("held.nuv"));
    const QString free = folder.filePath(QStringLiteral("out.pdf"));
    WriteFileBytes(held, "the editor's document");
    platform::DocumentFileLock editor;
    ASSERT_TRUE(editor.Hold(held));
    host.printer.setOutputFormat(QPrinter::PdfFormat);
    host.printer.setOutputFileName(held);
    platform::ScriptedMessageSink messages;
    ToolkitQuestions questions;

    bool printDialogShown = false;
    OnNextModalDialog<QPrintPreviewDialog>([&](QPrintPreviewDialog& preview) {
        QAction* print = nullptr;
        for (QAction* action : preview.findChildren<QAction*>())
            if (action->text() == QStringLiteral("Print"))
                print = action;
        ASSERT_NE(print, nullptr);
        OnNextModalDialog<QPrintDialog>([&](QPrintDialog& dialog) {
            printDialogShown = true;
            auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
            ASSERT_NE(file, nullptr);
            EXPECT_EQ(file->text(), held);
            QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
            QTest::mouseClick(ok, Qt::LeftButton);
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(messages.Texts().size(), 1);
            file->setText(free);
            QTest::mouseClick(ok, Qt::LeftButton);
            if (dialog.isVisible())
                dialog.reject();
        });
        print->trigger();
        if (preview.isVisible())
            preview.reject();
    });
    registry.Dispatch(CommandPreviewOutlineIndex);
    EXPECT_TRUE(printDialogShown);
    EXPECT_EQ(questions.Texts(), QStringList());
    EXPECT_EQ(messages.Texts(),
              QStringList{QStringLiteral(
                              "ファイル \"%1\" に書き込みできませんでした。\n%1 は使用中です。\n\n使用者は'%2'です。")
                              .arg(held, LockHolderName())});
    EXPECT_EQ(ReadFileBytes(held), "the editor's document");
    EXPECT_TRUE(ReadFileBytes(free).startsWith("%PDF"));
}

// A printout to a file that cannot be written is said by the print command and by the preview's Print, which stays
// open; no file is left.
TEST(PrintSettingsSheetTest, APrintoutThatCannotBeWrittenIsSaidAndThePreviewStaysOpen) {
    PrintTestHost host;
    host.document.DataReady = true;
    CCommandRegistry registry;
    AddPrintCommands(registry, host);
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("out.pdf"));
    host.printer.setOutputFormat(QPrinter::PdfFormat);
    host.printer.setOutputFileName(file);
    platform::ScriptedMessageSink messages;
    ToolkitQuestions questions;
    const FailingTemporaryWrites failing;
    const auto pressOk = [](QPrintDialog& dialog) {
        QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    };

    OnNextModalDialog<QPrintDialog>(pressOk);
    registry.Dispatch(CommandPrintOutlineIndex);
    bool previewOpen = false;
    OnNextModalDialog<QPrintPreviewDialog>([&](QPrintPreviewDialog& preview) {
        for (QAction* action : preview.findChildren<QAction*>())
            if (action->text() == QStringLiteral("Print")) {
                OnNextModalDialog<QPrintDialog>(pressOk);
                action->trigger();
            }
        previewOpen = preview.isVisible();
        preview.reject();
    });
    registry.Dispatch(CommandPreviewOutlineIndex);
    EXPECT_TRUE(previewOpen);
    const QString failure = QStringLiteral("印刷内容をファイル \"%1\" に書き込めませんでした。\n%2")
                                .arg(file, QString::fromLocal8Bit(std::strerror(EIO)));
    EXPECT_EQ(messages.Texts(), (QStringList{failure, failure}));
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
    EXPECT_EQ(questions.Texts(), QStringList());
}

TEST(PrintSettingsSheetTest, TheHeaderFormsPrintFollowsThePrintKind) {
    PrintTestHost host;
    host.document.DataReady = true;
    CCommandRegistry registry;
    AddPrintCommands(registry, host);
    ASSERT_NE(registry.Find(CommandPrintByKind), nullptr);
    platform::ScriptedMessageSink messages;
    // Answers the next print dialog, if one shows, with Cancel; true when one showed.
    const auto printDialogShown = [&registry](int id) {
        bool shown = false;
        QTimer::singleShot(0, [&shown] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                shown = true;
                dialog->reject();
            }
        });
        registry.Dispatch(id);
        QApplication::processEvents();
        return shown;
    };
    host.document.printSettings.printKind = PrintKindResultMessages;
    EXPECT_FALSE(printDialogShown(CommandPrintByKind));
    EXPECT_EQ(messages.Texts(),
              QStringList{QStringLiteral("検査・検索等結果のメッセージがないため、印刷できません。")});
    // The outline-ordered index prints only once its job is prepared.
    host.document.printSettings.printKind = PrintKindOutlineIndex;
    EXPECT_FALSE(printDialogShown(CommandPrintByKind));
    EXPECT_TRUE(printDialogShown(CommandPrintOutlineIndex));
    EXPECT_EQ(host.document.printSettings.printKind, PrintKindOutlineIndex);
    EXPECT_TRUE(printDialogShown(CommandPrintByKind));
    EXPECT_EQ(messages.Texts().size(), 1);
}

} // namespace
