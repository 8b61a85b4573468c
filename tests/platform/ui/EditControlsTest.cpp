#include "platform/ui/DropEdit.h"
#include "platform/ui/EditEx.h"
#include "platform/ui/FloatEdit.h"

#include "support/QStringPrinter.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>

#include <gtest/gtest.h>

TEST(DropEdit, TakesThePathOfTheFirstDroppedFileOnly) {
    CDropEdit edit;
    edit.setText("old text");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/tmp/marks/one.txt"), QUrl::fromLocalFile("/tmp/marks/two.txt"),
                  QUrl::fromLocalFile("/tmp/marks/three.txt")});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&edit, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&edit, &drop);
    EXPECT_EQ(edit.text(), "/tmp/marks/one.txt");
}

TEST(EditEx, SelectsTheNthOccurrenceAndHandsOutTheSelection) {
    CEditEx edit;
    edit.setText("aaaa");
    EXPECT_EQ(edit.GetSelectedText(), std::nullopt);
    edit.SelectOccurrence("aa", 2, -1);
    EXPECT_EQ(edit.selectionStart(), 2);
    EXPECT_EQ(edit.selectedText(), "aa");
    EXPECT_EQ(edit.GetSelectedText(), QString("aa"));

    edit.SelectOccurrence("aa", 3, -1);
    EXPECT_FALSE(edit.hasSelectedText());
    EXPECT_EQ(edit.cursorPosition(), 0);
    edit.SelectOccurrence("aa", 2, 1);
    EXPECT_FALSE(edit.hasSelectedText()) << "the occurrence starts elsewhere than expected";
    edit.SelectOccurrence("aa", 0, -1);
    EXPECT_FALSE(edit.hasSelectedText());

    edit.setText(QString(300, 'x'));
    edit.selectAll();
    EXPECT_EQ(edit.GetSelectedText()->size(), 256);
}

TEST(FloatEdit, TakesTheKeysOfANumberAndRefusesEveryOtherCharacter) {
    CFloatEdit edit;
    QTest::keyClicks(&edit, "12.5");
    EXPECT_EQ(edit.text(), "12.5");
    QTest::keyClicks(&edit, "-eE+x ");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "12.5");
    // Keys that type nothing still move and delete.
    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClick(&edit, Qt::Key_Delete);
    EXPECT_EQ(edit.text(), "2.5");
}
