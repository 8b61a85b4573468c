#include "editor/EditorDialogRules.h"
#include "editor/ui/JumpDlg.h"
#include "editor/ui/LineMarkDialog.h"
#include "editor/ui/SelectFunctionDialog.h"
#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "texts/MessageContext.h"
#include "texts/Msg.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

TEST(EditorDialogsTest, JumpLabelAndLineNumber) {
    CMessageContext messages;
    CJumpDlg dialog(25, messages);
    EXPECT_EQ(dialog.LabelText(), Msg::LineNumber(messages) + QStringLiteral(" (1-25)"));
    EXPECT_EQ(dialog.Box().maxLength(), 9);
    dialog.Box().setText(QStringLiteral("12ab"));
    dialog.accept();
    EXPECT_EQ(dialog.LineNumber(), 12);
    EXPECT_EQ(ParseJumpLineNumber(QString()), -1);
    EXPECT_EQ(ParseJumpLineNumber(QStringLiteral("x1")), 0);
}

// The memo stops at 255 characters: typing and pasting past them are refused where they happen, in order, with
// the caret left where it stands and nothing of the memo lost.
TEST(EditorDialogsTest, AFullLineMarkMemoRefusesWhatWouldGoPastItsEnd) {
    const auto noLink = [](const QString&) {};
    {
        CLineMarkDialog dialog(QString(), {}, noLink);
        QString typed;
        for (int i = 0; i < 300; ++i)
            typed += QChar(u'a' + i % 26);
        QTest::keyClicks(&dialog.MemoBox(), typed);
        EXPECT_EQ(dialog.Memo(), typed.left(255));
    }
    const QString full = QString(252, u'm') + QStringLiteral("abc");
    CLineMarkDialog dialog(full, {}, noLink);
    QPlainTextEdit& memo = dialog.MemoBox();
    QTextCursor caret = memo.textCursor();
    caret.setPosition(10);
    memo.setTextCursor(caret);
    QTest::keyClicks(&memo, QStringLiteral("ZYX"));
    QTest::keyClick(&memo, Qt::Key_Return);
    EXPECT_EQ(dialog.Memo(), full);
    EXPECT_EQ(memo.textCursor().position(), 10);
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    memo.paste();
    EXPECT_EQ(dialog.Memo(), full);
    EXPECT_EQ(memo.textCursor().position(), 10);

    // Room made by deleting takes as much of a paste as fits; a selection typed over makes room for what replaces it.
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(&memo, Qt::Key_Backspace);
    memo.paste();
    EXPECT_EQ(dialog.Memo(), QString(7, u'm') + QStringLiteral("pas") + full.mid(10));
    EXPECT_EQ(memo.textCursor().position(), 10);
    caret = memo.textCursor();
    caret.setPosition(7);
    caret.setPosition(10, QTextCursor::KeepAnchor);
    memo.setTextCursor(caret);
    QTest::keyClicks(&memo, QStringLiteral("QRST"));
    EXPECT_EQ(dialog.Memo(), QString(7, u'm') + QStringLiteral("QRS") + full.mid(10));
    dialog.accept();
    EXPECT_EQ(dialog.Memo().size(), 255);
    EXPECT_TRUE(dialog.Memo().endsWith(QStringLiteral("abc")));
}

TEST(EditorDialogsTest, LineMarkOpenSkipsEmptyTextsAndDeleteHasItsOwnResult) {
    QStringList opened;
    CLineMarkDialog dialog(QStringLiteral("memo"), {QString(), QStringLiteral("https://example.org"), QString()},
                           [&opened](const QString& link) { opened << link; });
    const QList<QPushButton*> buttons = dialog.findChildren<QPushButton*>();
    for (QPushButton* button : buttons) {
        if (button->text() == QStringLiteral("開く"))
            button->click();
    }
    EXPECT_EQ(opened, QStringList{QStringLiteral("https://example.org")});
    for (QPushButton* button : buttons) {
        if (button->text() == QStringLiteral("削除"))
            button->click();
    }
    EXPECT_EQ(dialog.result(), CLineMarkDialog::DeleteMarks);
    EXPECT_EQ(dialog.Memo(), QStringLiteral("memo"));

    // A file dropped on a path box puts its path there.
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/tmp/marks/plan.pdf")});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&dialog.FileBox(1), &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&dialog.FileBox(1), &drop);
    EXPECT_EQ(dialog.Files()[1], QStringLiteral("/tmp/marks/plan.pdf"));
}

TEST(EditorDialogsTest, SelectFunctionRefusesNoChoiceAndCreatesWhenAsked) {
    platform::ScriptedMessageSink sink;
    CDocumentData document;
    document.SetDefaults();
    const ModelOptions options = document.GetModelOptions();
    CUnitFunction* first = document.registry.CreateFunction(QStringLiteral("Heat"), options);
    CUnitFunction::AppendChild(document.registry.origin, first);
    document.registry.CreateFunction(QStringLiteral("Heat"), options);
    document.registry.RebuildAndNotify(document.indexRoot, options);
    CMessageContext messages;
    quint32 target = first->InternalID;
    CSelectFunctionDialog dialog(document, *document.registry.origin, QStringLiteral("Heat"), target, messages);
    EXPECT_EQ(dialog.List().topLevelItemCount(), 2);

    dialog.accept();
    EXPECT_EQ(sink.Texts(), QStringList{QStringLiteral("単位機能が選択されていません。")});
    EXPECT_EQ(dialog.ChosenID(), 0u);
    EXPECT_EQ(target, first->InternalID);

    dialog.List().setCurrentItem(dialog.List().topLevelItem(0));
    dialog.CreateNewBox().setChecked(true);
    EXPECT_FALSE(dialog.List().isEnabled());
    const int before = document.registry.Count();
    dialog.accept();
    EXPECT_EQ(document.registry.Count(), before + 1);
    const CUnitFunction* made = document.registry.FindByInternalID(dialog.ChosenID());
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->name, QStringLiteral("Heat"));
    EXPECT_NE(made, first);
    EXPECT_EQ(target, made->InternalID) << "the choice reaches the Fn line";
}

} // namespace
