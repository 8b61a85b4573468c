#include "platform/ui/DropEdit.h"

#include "support/QStringPrinter.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

// A window with a file field and a text box side by side, as the dialogs have them.
struct DropWindow {
    DropWindow() {
        auto* layout = new QHBoxLayout(&window);
        layout->addWidget(field);
        layout->addWidget(box);
        field->setText("old path");
        box->setText("old text");
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    // What the window answers to a drag of a file that the source offers with `offered`, proposing a move (as Shift
    // does), let go over `target`.
    Qt::DropAction Drop(QWidget* target, Qt::DropActions offered) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile("/tmp/plans/door.pdf")});
        data.setText("file:///tmp/plans/door.pdf");
        const QPoint at = target->mapTo(&window, target->rect().center());
        QWindow* handle = window.windowHandle();
        QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, Qt::ShiftModifier);
        QApplication::sendEvent(handle, &enter);
        QDragMoveEvent move(at, offered, &data, Qt::LeftButton, Qt::ShiftModifier);
        QApplication::sendEvent(handle, &move);
        QDropEvent drop(at, offered, &data, Qt::LeftButton, Qt::ShiftModifier);
        QApplication::sendEvent(handle, &drop);
        const Qt::DropAction answered = drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
        EXPECT_EQ(enter.isAccepted() ? enter.dropAction() : Qt::IgnoreAction, answered);
        EXPECT_EQ(move.isAccepted() ? move.dropAction() : Qt::IgnoreAction, answered);
        QDragLeaveEvent leave;
        QApplication::sendEvent(handle, &leave);
        return answered;
    }

    QWidget window;
    CDropEdit* field = new CDropEdit;
    QLineEdit* box = new QLineEdit;
};

} // namespace

// A file dropped on a file field, or on any other box, is taken as a copy (or a link), never as the move the source
// proposes, after which a file manager may remove it; a drag that offers only a move is refused.
TEST(FileDropGuard, ADroppedFileIsTakenAsACopyOrALinkAndNeverMoved) {
    DropWindow copy;
    EXPECT_EQ(copy.Drop(copy.field, Qt::CopyAction | Qt::MoveAction), Qt::CopyAction);
    EXPECT_EQ(copy.field->text(), "/tmp/plans/door.pdf");
    EXPECT_EQ(copy.Drop(copy.box, Qt::CopyAction | Qt::MoveAction | Qt::LinkAction), Qt::CopyAction);
    EXPECT_TRUE(copy.box->text().contains("door.pdf"));

    DropWindow link;
    EXPECT_EQ(link.Drop(link.field, Qt::MoveAction | Qt::LinkAction), Qt::LinkAction);
    EXPECT_EQ(link.field->text(), "/tmp/plans/door.pdf");

    DropWindow move;
    for (QWidget* target : {static_cast<QWidget*>(move.field), static_cast<QWidget*>(move.box)})
        EXPECT_EQ(move.Drop(target, Qt::MoveAction), Qt::IgnoreAction);
    EXPECT_EQ(move.field->text(), "old path");
    EXPECT_EQ(move.box->text(), "old text");
}

// A click beside the completions that a typed file name opened closes them and presses the button it was made on: the
// first click on Print prints.
TEST(CompleterClicks, TheClickThatClosesTheCompletionsReachesTheButton) {
    QWidget window;
    auto* layout = new QHBoxLayout(&window);
    auto* name = new QLineEdit;
    auto* print = new QPushButton("Print");
    layout->addWidget(name);
    layout->addWidget(print);
    name->setCompleter(new QCompleter(QStringList{"out.pdf", "other.pdf"}, name));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QSignalSpy clicked(print, &QPushButton::clicked);
    name->setFocus();
    QTest::keyClicks(name, "out");
    QAbstractItemView* completions = name->completer()->popup();
    ASSERT_TRUE(completions->isVisible());

    const QPoint onPrint = print->mapTo(&window, print->rect().center());
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, onPrint);
    EXPECT_FALSE(completions->isVisible());
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(name->text(), "out");
}
