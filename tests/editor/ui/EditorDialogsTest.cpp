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
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
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
