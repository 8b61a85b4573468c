#include "platform/ui/DropEdit.h"
#include "platform/ui/NameEdit.h"

#include "support/QStringPrinter.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
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

    // Takes what its widgets leave when it accepts drops, as the main window takes a dropped document.
    class Window : public QWidget {
    protected:
        void dragEnterEvent(QDragEnterEvent* event) override { event->acceptProposedAction(); }
        void dragMoveEvent(QDragMoveEvent* event) override { event->acceptProposedAction(); }
        void dropEvent(QDropEvent* event) override {
            event->acceptProposedAction();
            ++dropped;
        }

    public:
        int dropped = 0;
    } window;
    CDropEdit* field = new CDropEdit;
    QLineEdit* box = new CNameEdit(100);
};

} // namespace

// A file dropped on a file field, or through any other box on the window under it, is taken as a copy (or a link),
// never as the move the source proposes, after which a file manager may remove it; a drag that offers only a move is
// refused.
TEST(FileDropGuard, ADroppedFileIsTakenAsACopyOrALinkAndNeverMoved) {
    DropWindow copy;
    EXPECT_EQ(copy.Drop(copy.field, Qt::CopyAction | Qt::MoveAction), Qt::CopyAction);
    EXPECT_EQ(copy.field->text(), "/tmp/plans/door.pdf");
    copy.window.setAcceptDrops(true);
    EXPECT_EQ(copy.Drop(copy.box, Qt::CopyAction | Qt::MoveAction | Qt::LinkAction), Qt::CopyAction);
    EXPECT_EQ(copy.box->text(), "old text") << "the window under the box took it";

    DropWindow link;
    EXPECT_EQ(link.Drop(link.field, Qt::MoveAction | Qt::LinkAction), Qt::LinkAction);
    EXPECT_EQ(link.field->text(), "/tmp/plans/door.pdf");

    DropWindow move;
    for (QWidget* target : {static_cast<QWidget*>(move.field), static_cast<QWidget*>(move.box)})
        EXPECT_EQ(move.Drop(target, Qt::MoveAction), Qt::IgnoreAction);
    EXPECT_EQ(move.field->text(), "old path");
    EXPECT_EQ(move.box->text(), "old text");
}

// A text box other than a file field takes no dropped file, whose address it would insert: the drag goes on to the
// window under it. Dropped text it takes; a file field takes a dropped file as its path.
TEST(FileDropGuard, OnlyAFileFieldTakesADroppedFile) {
    DropWindow refused;
    auto* text = new QPlainTextEdit("old notes");
    refused.window.layout()->addWidget(text);
    for (QWidget* target : {static_cast<QWidget*>(refused.box), text->viewport()})
        EXPECT_EQ(refused.Drop(target, Qt::CopyAction), Qt::IgnoreAction);
    EXPECT_EQ(refused.box->text(), "old text");
    EXPECT_EQ(text->toPlainText(), "old notes");

    DropWindow taken;
    taken.window.setAcceptDrops(true);
    EXPECT_EQ(taken.Drop(taken.box, Qt::CopyAction), Qt::CopyAction);
    EXPECT_EQ(taken.window.dropped, 1);
    EXPECT_EQ(taken.box->text(), "old text");
    EXPECT_EQ(taken.Drop(taken.field, Qt::CopyAction), Qt::CopyAction);
    EXPECT_EQ(taken.window.dropped, 1);
    EXPECT_EQ(taken.field->text(), "/tmp/plans/door.pdf");

    // Text dragged from another program is no file.
    QMimeData words;
    words.setText("words");
    const QPoint at = taken.box->mapTo(&taken.window, QPoint(2, taken.box->height() / 2));
    QDragEnterEvent enter(at, Qt::CopyAction, &words, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(taken.window.windowHandle(), &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &words, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(taken.window.windowHandle(), &move);
    QDropEvent drop(at, Qt::CopyAction, &words, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(taken.window.windowHandle(), &drop);
    EXPECT_TRUE(taken.box->text().contains("words"));
}

namespace {

// A file name field with completions and a Print button, beside it or under it.
struct CompletionWindow {
    explicit CompletionWindow(QBoxLayout::Direction direction) {
        auto* layout = new QBoxLayout(direction, &window);
        layout->addWidget(name);
        layout->addWidget(print);
        name->setCompleter(
            new QCompleter(QStringList{"out.pdf", "out1.pdf", "out2.pdf", "out3.pdf", "other.pdf"}, name));
        window.move(100, 300);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        name->setFocus();
    }

    // Clicks `at`, a point of the Print button, in the window.
    void Click(const QPoint& at) {
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, print->mapTo(&window, at));
    }

    QWidget window;
    QLineEdit* name = new QLineEdit;
    QPushButton* print = new QPushButton("Print");
    QSignalSpy clicked{print, &QPushButton::clicked};
};

} // namespace

// A click beside the completions that a typed file name opened closes them and presses the button it was made on: the
// first click on Print prints.
TEST(CompleterClicks, TheClickThatClosesTheCompletionsReachesTheButton) {
    CompletionWindow beside(QBoxLayout::LeftToRight);
    QTest::keyClicks(beside.name, "out");
    QAbstractItemView* completions = beside.name->completer()->popup();
    ASSERT_TRUE(completions->isVisible());

    beside.Click(beside.print->rect().center());
    EXPECT_FALSE(completions->isVisible());
    EXPECT_EQ(beside.clicked.count(), 1);
    EXPECT_EQ(beside.name->text(), "out");
}

// The completions a typed file name opens cover no button of the field's window: a click on Print, where the list
// would have lain under the field, presses it rather than taking a completion.
TEST(CompleterClicks, TheCompletionsCoverNoButton) {
    CompletionWindow under(QBoxLayout::TopToBottom);
    QAbstractItemView* completions = under.name->completer()->popup();
    const QRect print(under.print->mapToGlobal(QPoint(0, 0)), under.print->size());
    for (const char* typed : {"o", "u", "t"}) {
        QTest::keyClicks(under.name, typed);
        ASSERT_TRUE(completions->isVisible());
        EXPECT_FALSE(completions->geometry().intersects(print)) << typed;
        EXPECT_GE(completions->height(), 3 * completions->sizeHintForRow(0)) << typed;
    }

    under.Click(QPoint(4, 4));
    EXPECT_FALSE(completions->isVisible());
    EXPECT_EQ(under.clicked.count(), 1);
    EXPECT_EQ(under.name->text(), "out");
}
