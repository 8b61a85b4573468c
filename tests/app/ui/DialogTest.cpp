#include "app/FakeApplicationShell.h"
#include "app/ui/MainFrame.h"
#include "interchange/ui/ImportProgressDlg.h"
#include "platform/ui/MessageBoxSink.h"

#include <QApplication>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

TEST(ImportProgressDialog, ItsButtonAsksToStopAndThenAcknowledgesTheEnd) {
    CImportProgressDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), "進行状況");
    dialog.SetRange(10);
    dialog.SetPos(4);
    EXPECT_EQ(dialog.findChild<QProgressBar*>()->value(), 4);
    QPushButton* button = dialog.findChild<QPushButton*>();
    EXPECT_EQ(button->text(), "キャンセル");
    EXPECT_FALSE(dialog.IsCancelled());
    button->click();
    EXPECT_TRUE(dialog.IsCancelled());
    EXPECT_TRUE(dialog.isVisible()); // stopping is the import's decision, not the dialog's

    // The end waits for the user's OK.
    QTimer::singleShot(50, button, &QPushButton::click);
    dialog.ShowFinished();
    EXPECT_EQ(dialog.windowTitle(), "Mapファイルの変換が終了しました。");
    EXPECT_EQ(button->text(), "OK");
}

TEST(MessageBoxSink, TheDefaultButtonAnswersWhenTheUserPressesEnter) {
    platform::QMessageBoxSink sink;
    platform::MessageRequest request;
    request.text = "\"a.nuv\" は変更されています。保存しますか?";
    request.buttons = platform::MessageButtons::YesNoCancel;
    request.icon = platform::MessageIcon::Warning;
    request.defaultButton = 1;
    QTimer::singleShot(50, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        box->defaultButton()->click();
    });
    EXPECT_EQ(sink.Show(request), platform::MessageAnswer::No);
}

TEST(MessageBoxSink, ABoxWithoutACaptionOfItsOwnCarriesTheSinks) {
    platform::QMessageBoxSink sink("NUV FreeMind Map file converter");
    platform::MessageRequest request;
    request.text = "ファイルを開くことができませんでした。";
    QString caption;
    QTimer::singleShot(50, [&caption] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        caption = box->windowTitle();
        box->defaultButton()->click();
    });
    EXPECT_EQ(sink.Show(request), platform::MessageAnswer::Ok);
    EXPECT_EQ(caption, "NUV FreeMind Map file converter");
}

TEST(MessageBoxSink, ButtonsCarryTheCaptionsOfTheRequestAndAnswerAsTheirPlace) {
    platform::QMessageBoxSink sink;
    platform::MessageRequest request;
    request.text = "a.nuv は使用中です。";
    request.caption = "使用中のファイル";
    request.buttons = platform::MessageButtons::YesNoCancel;
    request.buttonTexts = {"読み取り専用(&R)", "通知(&N)", "キャンセル"};
    QTimer::singleShot(50, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), "使用中のファイル");
        EXPECT_EQ(box->button(QMessageBox::Yes)->text(), "読み取り専用(&R)");
        EXPECT_EQ(box->button(QMessageBox::Cancel)->text(), "キャンセル");
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(sink.Show(request), platform::MessageAnswer::No);
}

TEST(MainFrame, TitleFollowsTheDocumentAndTheWindowHasAMinimumSize) {
    FakeShell shell;
    CNUVApp app(shell);
    CMainFrame frame(app);
    EXPECT_EQ(frame.windowTitle(), "NUV FreeMind Map file converter");
    frame.OnUpdateFrameTitle("plan.nuv");
    EXPECT_EQ(frame.windowTitle(), "NUV FreeMind Map file converter - plan.nuv");
    EXPECT_EQ(frame.minimumSize(), QSize(300, 300));
}
