#include "platform/ui/DropEdit.h"
#include "platform/ui/EditEx.h"
#include "platform/ui/FloatEdit.h"
#include "platform/ui/NameEdit.h"

#include "support/QStringPrinter.h"

#include <QApplication>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

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

// The menu's Undo and Redo follow a replacement of all the box held as its keys do (the name box's test), and the
// selection an undo brings back without telling it is the one the next key replaces.
TEST(NameEdit, FollowsAReplacementOfAllItHeldThroughItsMenu) {
    CNameEdit edit(64);
    edit.SetName(QStringLiteral("abcdef"));
    edit.show();
    edit.setFocus();
    edit.selectAll();
    QTest::keyClicks(&edit, QStringLiteral("XY"));
    const auto trigger = [&edit](int item) {
        std::unique_ptr<QMenu> menu(edit.CreateContextMenu());
        menu->actions().at(item)->trigger();
    };
    trigger(0);
    EXPECT_EQ(edit.text(), QStringLiteral("abcdef"));
    EXPECT_FALSE(edit.ReplacedAll());
    trigger(1);
    EXPECT_TRUE(edit.ReplacedAll());
    edit.Undo();
    QTest::keyClicks(&edit, QStringLiteral("Z"));
    EXPECT_EQ(edit.text(), QStringLiteral("Z"));
    EXPECT_TRUE(edit.ReplacedAll());
}
