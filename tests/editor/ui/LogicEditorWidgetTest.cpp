#include "editor/LogicEditCommandMap.h"
#include "editor/LogicEditModel.h"
#include "editor/LogicToolbox.h"
#include "editor/ui/FontFaces.h"
#include "editor/ui/FunctionView.h"
#include "editor/ui/FunctionViewFixture.h"
#include "editor/ui/LineMarkDialog.h"
#include "editor/ui/LogicEditorCommands.h"
#include "editor/ui/SelectFunctionDialog.h"
#include "editor/ui/SplREdit.h"
#include "model/DocumentData.h"
#include "model/UnitFunction.h"
#include "platform/MessageBox.h"
#include "texts/MessageContext.h"
#include "texts/StringTable.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace LogicEditCommand;

class LogicEditorWidgetTest : public FunctionViewFixture {
protected:
    QString Slot(int line, int slot) { return Model().Record(line)->textSlots[static_cast<size_t>(slot)].text; }
    // The editor shows exactly the model's lines and then the append line.
    void ExpectShowsModel() {
        ASSERT_EQ(Editor().blockCount(), Model().RecordCount() + 1);
        for (int line = 0; line < Model().RecordCount(); ++line)
            EXPECT_EQ(Editor().document()->findBlockByNumber(line).text(), Model().LineText(line)) << line;
    }
    // The middle of the character `column` of a line as the editor shows it.
    QPoint PointAt(int line, int column) {
        QTextCursor cursor(Editor().document()->findBlockByNumber(line));
        cursor.setPosition(cursor.position() + column);
        return Editor().cursorRect(cursor).center();
    }
    // The form in an active window below another box, which is returned (null when the window is not active).
    QLineEdit* ShowBesideAnotherBox() {
        window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window.get());
        auto* other = new QLineEdit;
        layout->addWidget(other);
        layout->addWidget(form.get());
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get()) ? other : nullptr;
    }
    // The form goes back to the fixture before the window goes.
    void TearDown() override {
        if (window)
            form->setParent(nullptr);
    }
    void Compose(const QString& commit, const QString& preedit = QString()) {
        QInputMethodEvent event(preedit, {});
        event.setCommitString(commit);
        QApplication::sendEvent(&Editor(), &event);
    }

    std::unique_ptr<QWidget> window;
};

TEST_F(LogicEditorWidgetTest, BackspaceAndDeleteStopAtTheSlotEnds) {
    Editor().RunCommand(AddDoAtCurrent);
    QTest::keyClicks(&Editor(), "ab");
    EXPECT_EQ(Slot(0, 0), "ab");
    const QString line = Model().LineText(0);
    QTest::keyClick(&Editor(), Qt::Key_Delete); // at the slot's end
    EXPECT_EQ(Model().LineText(0), line);
    QTest::keyClick(&Editor(), Qt::Key_Left);
    QTest::keyClick(&Editor(), Qt::Key_Left);
    QTest::keyClick(&Editor(), Qt::Key_Left); // stays at the slot's start
    QTest::keyClick(&Editor(), Qt::Key_Backspace);
    EXPECT_EQ(Model().LineText(0), line);
    QTest::keyClick(&Editor(), Qt::Key_Delete);
    EXPECT_EQ(Slot(0, 0), "b");
    ExpectShowsModel();
}

TEST_F(LogicEditorWidgetTest, EnterNeverAddsALine) {
    Editor().RunCommand(AddIfAtCurrent);
    const int count = Model().RecordCount();
    QTest::keyClicks(&Editor(), "x");
    QTest::keyClick(&Editor(), Qt::Key_Return);
    QTest::keyClick(&Editor(), Qt::Key_Enter);
    EXPECT_EQ(Model().RecordCount(), count);
    EXPECT_EQ(Slot(0, 0), "x");
    // On the append line Enter adds nothing either, and a printable key only says how lines are added.
    Model().SetCaret(count, 0);
    QTest::keyClick(&Editor(), Qt::Key_Return);
    EXPECT_EQ(Model().RecordCount(), count);
    EXPECT_TRUE(sink.Texts().isEmpty());
    QTest::keyClicks(&Editor(), "q");
    EXPECT_EQ(Model().RecordCount(), count);
    EXPECT_EQ(sink.Texts(), QStringList{LoadString(StringId::TypingOutsideLines)});
    ExpectShowsModel();
}

TEST_F(LogicEditorWidgetTest, TabWalksTheSlotsAndOnToTheNextLine) {
    Editor().RunCommand(AddIfAtCurrent);
    QTest::keyClicks(&Editor(), "m");
    QTest::keyClick(&Editor(), Qt::Key_Tab);
    QTest::keyClicks(&Editor(), "p");
    QTest::keyClick(&Editor(), Qt::Key_Tab);
    QTest::keyClicks(&Editor(), "s");
    QTest::keyClick(&Editor(), Qt::Key_Tab);
    QTest::keyClicks(&Editor(), "v");
    EXPECT_EQ(Slot(0, 0), "m");
    EXPECT_EQ(Slot(0, 1), "p");
    EXPECT_EQ(Slot(0, 2), "s");
    EXPECT_EQ(Slot(0, 3), "v");
    QTest::keyClick(&Editor(), Qt::Key_Tab);
    EXPECT_GT(Model().CaretLine(), 0);
    QTest::keyClick(&Editor(), Qt::Key_Backtab);
    EXPECT_EQ(Model().CaretLine(), 0);
    ExpectShowsModel();
}

// Every move to the left or right ends the typing step, with Ctrl or Shift too, and so does Shift with Up.
TEST_F(LogicEditorWidgetTest, ArrowKeysEndTheTypingStep) {
    Editor().RunCommand(AddDoAtCurrent);
    for (Qt::KeyboardModifier modifier : {Qt::ControlModifier, Qt::ShiftModifier, Qt::NoModifier}) {
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right}) {
            Model().SetCaret(0, Model().Record(0)->Home);
            QTest::keyClicks(&Editor(), "abc");
            const QString typed = Slot(0, 0);
            QTest::keyClick(&Editor(), key, modifier);
            Model().SetCaret(0, Model().Record(0)->Home);
            QTest::keyClicks(&Editor(), "x");
            Editor().RunCommand(EditUndo);
            EXPECT_EQ(Slot(0, 0), typed) << modifier << " " << key;
        }
    }
    Model().SetCaret(0, Model().Record(0)->Home);
    QTest::keyClicks(&Editor(), "y");
    const QString typed = Slot(0, 0);
    QTest::keyClick(&Editor(), Qt::Key_Up, Qt::ShiftModifier);
    Model().SetCaret(0, Model().Record(0)->Home);
    QTest::keyClicks(&Editor(), "z");
    Editor().RunCommand(EditUndo);
    EXPECT_EQ(Slot(0, 0), typed);
    ExpectShowsModel();
}

// The jump goes to the first editable column; an empty line inside a block keeps column 0.
TEST_F(LogicEditorWidgetTest, JumpsLandOnTheFirstEditableColumn) {
    Editor().RunCommand(AddIfAtCurrent);
    Model().SetCaret(0, Model().Record(0)->Home);
    Editor().RunCommand(AddLineBreakAfter);
    ASSERT_EQ(Model().Record(1)->lineKind, SyntaxPlainLine);
    ASSERT_GT(Model().Record(1)->Home, 0);
    Editor().GoToLine(2);
    EXPECT_EQ(Model().Caret(), (EditPosition{1, 0}));
    Editor().GoToLine(1);
    EXPECT_EQ(Model().Caret(), (EditPosition{0, Model().Record(0)->Home}));
    Editor().GoToLine(0);
    EXPECT_EQ(Model().CaretLine(), 0);
    Editor().GoToLine(99);
    EXPECT_EQ(Model().CaretLine(), Model().RecordCount());

    // The jump command asks for a line among the description's lines, the append line not counted.
    CCommandRegistry registry;
    int offered = -1;
    AddLogicEditorCommands(
        registry, [this] { return &Editor(); },
        [&offered](QWidget*, int lineCount) {
            offered = lineCount;
            return 3;
        });
    ASSERT_TRUE(registry.Dispatch(JumpToLine));
    EXPECT_EQ(offered, Model().RecordCount());
    EXPECT_EQ(Model().CaretLine(), 2);
}

// One notch of the wheel scrolls one line.
TEST_F(LogicEditorWidgetTest, TheWheelScrollsOneLinePerNotch) {
    for (int i = 0; i < 60; ++i) {
        Model().SetCaret(Model().RecordCount(), 0);
        Editor().RunCommand(AddLineBreakAtCurrent);
    }
    QScrollBar* bar = Editor().verticalScrollBar();
    ASSERT_GT(bar->maximum(), 5);
    bar->setValue(0);
    const QPoint centre = Editor().viewport()->rect().center();
    const auto turn = [&](int delta) {
        QWheelEvent wheel(centre, Editor().viewport()->mapToGlobal(centre), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Editor().viewport(), &wheel);
    };
    turn(-120);
    EXPECT_EQ(bar->value(), 1);
    turn(-60);
    EXPECT_EQ(bar->value(), 1) << "half a notch waits for the other half";
    turn(-60);
    EXPECT_EQ(bar->value(), 2);
    turn(120);
    EXPECT_EQ(bar->value(), 1);
}

TEST_F(LogicEditorWidgetTest, BracketsAreRefusedInMembersAndTakenInComments) {
    Editor().RunCommand(AddDoAtCurrent);
    QTest::keyClicks(&Editor(), "a<b");
    EXPECT_EQ(Slot(0, 0), "ab");
    Editor().RunCommand(AddCommentAfter);
    QTest::keyClicks(&Editor(), "a<b");
    EXPECT_EQ(Slot(1, 0), "a<b");
    ExpectShowsModel();
}

TEST_F(LogicEditorWidgetTest, ACompositionLandsInTheCaretSlotOnly) {
    Editor().RunCommand(AddDoAtCurrent);
    const QString before = Model().LineText(0);
    Compose(QString(), QStringLiteral("めも"));
    EXPECT_EQ(Model().LineText(0), before) << "the composition stays out of the model until committed";
    Compose(QStringLiteral("メモ"));
    EXPECT_EQ(Slot(0, 0), QStringLiteral("メモ"));
    for (int slot = 1; slot < 4; ++slot)
        EXPECT_TRUE(Slot(0, slot).isEmpty()) << slot;
    // Beside the statements (the append line, a keyword-only line) a composition changes nothing.
    const int count = Model().RecordCount();
    Model().SetCaret(count, 0);
    Compose(QStringLiteral("外"));
    EXPECT_EQ(Model().RecordCount(), count);
    Model().SetCaret(0, 0);
    Editor().RunCommand(AddDoNothingAfter);
    const int doNothing = Model().CaretLine();
    const QString keywordOnly = Model().LineText(doNothing);
    Compose(QStringLiteral("外"));
    EXPECT_EQ(Model().LineText(doNothing), keywordOnly);
    EXPECT_FALSE(static_cast<QWidget&>(Editor()).inputMethodQuery(Qt::ImEnabled).toBool());
    ExpectShowsModel();
}

TEST_F(LogicEditorWidgetTest, PastesPassTheFilterAndNothingIsDroppedIntoTheLines) {
    Editor().RunCommand(AddDoAtCurrent);
    const int count = Model().RecordCount();
    QGuiApplication::clipboard()->setText(QStringLiteral("a<b\nc\nd"));
    Editor().RunCommand(EditPaste);
    EXPECT_EQ(Model().RecordCount(), count);
    EXPECT_EQ(Slot(0, 0), "a bcd");
    EXPECT_EQ(sink.Texts(), QStringList{LoadString(StringId::SyntaxBracketsReplaced)});

    // A drop goes to the first widget out from the point that takes drops: never the editor.
    QWidget* target = Editor().viewport()->childAt(Editor().cursorRect().center());
    if (!target)
        target = Editor().viewport();
    while (target && !target->acceptDrops())
        target = target->parentWidget();
    EXPECT_TRUE(target != Editor().viewport() && target != &Editor());
}

// A press inside the selection and a move of a few pixels select anew within the slot: no text is dragged.
TEST_F(LogicEditorWidgetTest, APressAndMoveInsideTheSelectionSelectsAndMovesNothing) {
    Editor().RunCommand(AddDoAtCurrent);
    QTest::keyClicks(&Editor(), "abcdef");
    const int home = Model().Record(0)->Home;
    Model().Select(0, home + 1, 0, home + 4);
    Editor().Render(false);
    const QString line = Model().LineText(0);
    const QPoint from = PointAt(0, home + 2);
    const QPoint to = PointAt(0, home + 5);
    ASSERT_GT(to.x() - from.x(), 0);
    QTest::mousePress(Editor().viewport(), Qt::LeftButton, Qt::NoModifier, from);
    ASSERT_FALSE(Editor().textCursor().hasSelection()) << "a press inside the selection would start a drag";
    QMouseEvent move(QEvent::MouseMove, to, Editor().viewport()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(Editor().viewport(), &move);
    QTest::mouseRelease(Editor().viewport(), Qt::LeftButton, Qt::NoModifier, to);
    EXPECT_EQ(Model().LineText(0), line);
    EXPECT_EQ(Model().SelectedText(), "cde");
    // Typing lands where the caret is shown, and one undo takes it back.
    QTest::keyClicks(&Editor(), "X");
    EXPECT_EQ(Slot(0, 0), "abXf");
    EXPECT_EQ(Editor().textCursor().positionInBlock(), Model().Caret().column);
    Editor().RunCommand(EditUndo);
    EXPECT_EQ(Slot(0, 0), "abcdef");
    ExpectShowsModel();
}

TEST_F(LogicEditorWidgetTest, MemberCandidatesListRegisteredThenRecentNames) {
    document.memberDefinitions.push_back({QStringLiteral("温度"), QString(), {}});
    document.memberDefinitions.push_back({QStringLiteral("A&B"), QString(), {}});
    document.RecentNames.push_back({0, -1, QStringLiteral("圧力")});
    document.RecentNames.push_back({0, -1, QStringLiteral("温度")});
    Editor().RunCommand(AddDoAtCurrent);
    const std::unique_ptr<QMenu> menu = Editor().CreateContextMenu();
    QMenu* candidates = menu->actions().at(0)->menu();
    ASSERT_NE(candidates, nullptr);
    EXPECT_TRUE(menu->actions().at(0)->isEnabled());
    const QList<QAction*> items = candidates->actions();
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0]->text(), QStringLiteral("温度"));
    EXPECT_EQ(items[1]->text(), QStringLiteral("A&&B"));
    EXPECT_TRUE(items[2]->isSeparator());
    EXPECT_EQ(items[3]->text(), QStringLiteral("圧力"));
    EXPECT_EQ(items[3]->data().toInt(), FirstCandidate + 3);

    ASSERT_TRUE(Editor().RunCommand(items[3]->data().toInt()));
    EXPECT_EQ(Slot(0, 0), QStringLiteral("圧力"));
    EXPECT_TRUE(Model().IsUndoAvailable());
    Editor().RunCommand(EditUndo);
    EXPECT_TRUE(Slot(0, 0).isEmpty());

    // Past the last line there is no candidate, and Redo is always grey.
    Model().SetCaret(Model().RecordCount(), 0);
    const std::unique_ptr<QMenu> append = Editor().CreateContextMenu();
    EXPECT_FALSE(append->actions().at(0)->isEnabled());
    for (QAction* action : append->actions()) {
        if (action->data().toInt() == EditRedo) {
            EXPECT_FALSE(action->isEnabled());
        }
    }
}

TEST_F(LogicEditorWidgetTest, ClicksStayInsideSlotsAndDoubleClicksSelectOne) {
    Editor().RunCommand(AddDoAtCurrent);
    QTest::keyClicks(&Editor(), "name");
    const QTextBlock first = Editor().document()->firstBlock();
    QTextCursor atKeyword(first);
    const QPoint keyword = Editor().cursorRect(atKeyword).center() + QPoint(1, 0);
    QTest::mouseClick(Editor().viewport(), Qt::LeftButton, Qt::NoModifier, keyword);
    EXPECT_EQ(Model().Caret(), (EditPosition{0, Model().Record(0)->Home}));
    QTextCursor inName(first);
    inName.setPosition(Model().Record(0)->Home + 2);
    QTest::mouseDClick(Editor().viewport(), Qt::LeftButton, Qt::NoModifier, Editor().cursorRect(inName).center());
    EXPECT_EQ(Model().SelectedText(), "name");
    Editor().RunCommand(EditSelectAll);
    int firstLine = 0;
    int lastLine = 0;
    EXPECT_GT(Model().GetSelectedLineRange(firstLine, lastLine), 0);
}

TEST_F(LogicEditorWidgetTest, ToolboxButtonsFollowTheCaret) {
    EXPECT_EQ(form->findChildren<QPushButton*>().size(), 37);
    // On the append line the statement buttons fill it; insert-before, case and Do nothing wait for a line.
    EXPECT_FALSE(form->ToolboxButton(1209)->isEnabled());
    EXPECT_FALSE(form->ToolboxButton(1218)->isEnabled());
    EXPECT_TRUE(form->ToolboxButton(1210)->isEnabled());
    QTest::mouseClick(form->ToolboxButton(1210), Qt::LeftButton);
    EXPECT_EQ(Model().Record(0)->lineKind, SyntaxIf);
    EXPECT_TRUE(form->ToolboxButton(1209)->isEnabled());
    EXPECT_TRUE(form->ToolboxButton(1325)->isEnabled());
    for (int never : {1220, 1221, 1326})
        EXPECT_FALSE(form->ToolboxButton(never)->isEnabled()) << never;
    // With whole lines selected every statement button is off.
    Editor().RunCommand(EditSelectAll);
    form->UpdateToolboxButtons();
    for (int statement : {1209, 1210, 1211, 1212, 1213, 1214, 1215, 1217, 1218, 1219, 1324, 1342})
        EXPECT_FALSE(form->ToolboxButton(statement)->isEnabled()) << statement;

    // The candidate box offers the registered members at an empty member slot.
    document.memberDefinitions.push_back({QStringLiteral("弁"), QString(), {}});
    Model().SetCaret(0, Model().Record(0)->Home);
    form->UpdateToolboxButtons();
    ASSERT_TRUE(form->CandidateBox()->isEnabled());
    form->CandidateBox()->activated(0);
    EXPECT_EQ(Slot(0, 0), QStringLiteral("弁"));
}

// The context menu offers an empty line before the first line whatever its kind; the toolbox and the other
// statements before it follow the statement rules.
TEST_F(LogicEditorWidgetTest, AnEmptyLineGoesBeforeAFirstSwitchLine) {
    Editor().RunCommand(AddSwitchAtCurrent);
    Model().SetCaret(0, Model().Record(0)->Home);
    EXPECT_TRUE(Editor().IsCommandEnabled(AddLineBreakBefore));
    EXPECT_FALSE(Editor().IsCommandEnabled(AddIfBefore));
    Model().SetCaret(1, Model().Record(1)->Home);
    EXPECT_FALSE(Editor().IsCommandEnabled(AddLineBreakBefore)) << "not the first line";
    Model().SetCaret(0, Model().Record(0)->Home);
    ASSERT_TRUE(Editor().RunCommand(AddLineBreakBefore));
    EXPECT_EQ(Model().Record(0)->lineKind, SyntaxPlainLine);
    EXPECT_EQ(Model().Record(1)->lineKind, SyntaxSwitch);
    ExpectShowsModel();
}

TEST_F(LogicEditorWidgetTest, ToolboxPagesAreSharedByEveryForm) {
    CFunctionView second(document, *document.registry.origin);
    second.show();
    form->ShowToolboxPage(3);
    EXPECT_TRUE(second.ToolboxButton(1325)->isVisible());
    EXPECT_FALSE(second.ToolboxButton(1210)->isVisible());
    form->ClickToolboxButton(1208); // the toggle shows the page chooser
    EXPECT_TRUE(second.ToolboxButton(1320)->isVisible());
    EXPECT_FALSE(second.ToolboxButton(1325)->isVisible());
    form->ClickToolboxButton(1208); // and back to the page shown before
    EXPECT_TRUE(second.ToolboxButton(1325)->isVisible());
    form->ShowToolboxPage(1);
}

TEST_F(LogicEditorWidgetTest, AFnNameTypedIsCommittedWhenAnotherBoxTakesTheFocus) {
    CUnitFunction* callee = document.registry.CreateFunction("Callee", document.GetModelOptions());
    CUnitFunction::AppendChild(document.registry.origin, callee);
    QLineEdit* other = ShowBesideAnotherBox();
    ASSERT_NE(other, nullptr);
    Editor().setFocus();
    Editor().RunCommand(AddFnAtCurrent);
    QTest::keyClicks(&Editor(), "Callee");
    ASSERT_TRUE(Model().IsFnNameChanged());
    // The form's own candidate box goes on editing the name.
    form->CandidateBox()->setFocus();
    EXPECT_TRUE(Model().IsFnNameChanged());
    Editor().setFocus();
    other->setFocus();
    EXPECT_FALSE(Model().IsFnNameChanged());
    EXPECT_EQ(Model().Record(0)->calledInternalID, callee->InternalID);
    ExpectShowsModel();
}

TEST_F(LogicEditorWidgetTest, ABlankFnLineGoesWhenAnotherBoxTakesTheFocus) {
    QLineEdit* other = ShowBesideAnotherBox();
    ASSERT_NE(other, nullptr);
    Editor().setFocus();
    Editor().RunCommand(AddDoAtCurrent);
    Editor().RunCommand(AddFnAfter);
    ASSERT_EQ(Model().RecordCount(), 2);
    other->setFocus();
    EXPECT_EQ(sink.Texts(), QStringList{LoadString(StringId::BlankFnDeleted)});
    ASSERT_EQ(Model().RecordCount(), 1);
    EXPECT_EQ(Model().Record(0)->lineKind, SyntaxDo);
    ExpectShowsModel();
}

// Wherever the blank Fn line stood, the editor goes on after it went: the menu offers statements, the toolbox adds
// them and typing reaches the new line.
TEST_F(LogicEditorWidgetTest, LinesAreAddedAgainAfterABlankFnLineWentWithTheFocus) {
    QLineEdit* other = ShowBesideAnotherBox();
    ASSERT_NE(other, nullptr);
    enum class Place { Only, First, Middle, Last };
    for (const Place place : {Place::Only, Place::First, Place::Middle, Place::Last}) {
        SCOPED_TRACE(static_cast<int>(place));
        document.registry.origin->logicLines.clear();
        Model().ReloadRecords();
        Model().SetCaret(0, 0);
        Editor().setFocus();
        if (place != Place::Only) {
            Editor().RunCommand(AddDoAtCurrent);
            if (place == Place::Middle) {
                Editor().RunCommand(AddDoAfter);
                Model().SetCaret(0, Model().Record(0)->Home);
            }
        }
        Editor().RunCommand(place == Place::First ? AddFnBefore : (place == Place::Only ? AddFnAtCurrent : AddFnAfter));
        ASSERT_TRUE(Model().IsCaretOnBlankFnLine());
        const int count = Model().RecordCount();
        const qsizetype messages = sink.Texts().size();
        other->setFocus();
        ASSERT_EQ(sink.Texts().size(), messages + 1);
        EXPECT_EQ(sink.Texts().last(), LoadString(StringId::BlankFnDeleted));
        ASSERT_EQ(Model().RecordCount(), count - 1);

        Editor().setFocus();
        const std::unique_ptr<QMenu> menu = Editor().CreateContextMenu();
        bool offered = false;
        for (const QAction* action : menu->findChildren<QAction*>()) {
            const int id = action->data().toInt();
            offered = offered || ((id == AddIfAtCurrent || id == AddIfAfter) && action->isEnabled());
        }
        EXPECT_TRUE(offered) << "the menu offers an if";
        QTest::mouseClick(form->ToolboxButton(1210), Qt::LeftButton);
        ASSERT_EQ(Model().RecordCount(), count + 2) << "the toolbox adds an if";
        const int ifLine = Model().CaretLine();
        ASSERT_EQ(Model().Record(ifLine)->lineKind, SyntaxIf);
        QTest::keyClicks(&Editor(), "m");
        EXPECT_EQ(Slot(ifLine, 0), "m");
        EXPECT_EQ(sink.Texts().size(), messages + 1);
        ExpectShowsModel();
    }
}

// Page Up and Page Down go ten lines at once, bounded by the lines, and keep the column where the target line has it.
TEST_F(LogicEditorWidgetTest, PageKeysGoTenLinesAndKeepTheColumn) {
    Editor().RunCommand(AddDoAtCurrent);
    QTest::keyClicks(&Editor(), "abcdefghij");
    for (int i = 0; i < 9; ++i)
        Editor().RunCommand(AddLineBreakAfter);
    Editor().RunCommand(AddDoAfter);
    QTest::keyClicks(&Editor(), "abcdefghij");
    for (int i = 0; i < 3; ++i)
        Editor().RunCommand(AddLineBreakAfter);
    Editor().RunCommand(AddDoAfter);
    ASSERT_EQ(Model().RecordCount(), 15);
    ASSERT_EQ(Model().Record(10)->lineKind, SyntaxDo);
    const int home = Model().Record(0)->Home;
    const int end = Model().Record(14)->End;
    ASSERT_LT(end, home + 8);

    Model().SetCaret(10, home + 8);
    QTest::keyClick(&Editor(), Qt::Key_PageUp);
    EXPECT_EQ(Model().Caret(), (EditPosition{0, home + 8})) << "the plain lines between do not move the column";
    QTest::keyClick(&Editor(), Qt::Key_PageDown);
    EXPECT_EQ(Model().Caret(), (EditPosition{10, home + 8}));
    QTest::keyClick(&Editor(), Qt::Key_PageDown);
    EXPECT_EQ(Model().Caret(), (EditPosition{14, end})) << "bounded by the last line, at its end";
    QTest::keyClick(&Editor(), Qt::Key_PageDown);
    EXPECT_EQ(Model().Caret(), (EditPosition{14, end})) << "the last line is not a plain line";
    Model().SetCaret(3, 0);
    QTest::keyClick(&Editor(), Qt::Key_PageUp);
    EXPECT_EQ(Model().Caret(), (EditPosition{0, home}));
    // From the append line Page Up goes ten lines up.
    Model().SetCaret(15, 0);
    QTest::keyClick(&Editor(), Qt::Key_PageUp);
    EXPECT_EQ(Model().Caret(), (EditPosition{5, 0}));
    EXPECT_TRUE(sink.Texts().isEmpty()) << sink.Texts().join('|').toStdString();
    ExpectShowsModel();
}

// The menu's text deletion is offered on a line of every kind; without a selection it deletes nothing.
TEST_F(LogicEditorWidgetTest, TheMenusTextDeletionIsOfferedOnEveryLine) {
    const auto atAppendLine = [&](int command) {
        Model().SetCaret(Model().RecordCount(), 0);
        Editor().RunCommand(command);
    };
    atAppendLine(AddIfAtCurrent);
    Editor().RunCommand(AddDoNothingAfter);
    atAppendLine(AddSwitchAtCurrent);
    atAppendLine(AddLoopAtCurrent);
    Editor().RunCommand(AddExitlpAfter);
    atAppendLine(AddDoAtCurrent);
    QTest::keyClicks(&Editor(), "valve");
    const int doLine = Model().CaretLine();
    Editor().RunCommand(AddTransitStateAfter);
    atAppendLine(AddCommentAtCurrent);
    atAppendLine(AddLineBreakAtCurrent);
    atAppendLine(AddFnAtCurrent);
    QTest::keyClicks(&Editor(), "Called");
    ASSERT_TRUE(Editor().CommitPendingEdits());
    std::set<int> kinds;
    for (int line = 0; line < Model().RecordCount(); ++line)
        kinds.insert(Model().Record(line)->lineKind);
    EXPECT_EQ(kinds.size(), 16u) << "every kind of line";

    const QString text = Model().PlainText();
    for (int line = 0; line < Model().RecordCount(); ++line) {
        Model().SetCaret(line, Model().Record(line)->Home);
        const std::unique_ptr<QMenu> menu = Editor().CreateContextMenu();
        const QList<QAction*> actions = menu->findChildren<QAction*>();
        const auto clear = std::find_if(actions.begin(), actions.end(),
                                        [](const QAction* action) { return action->data().toInt() == EditClear; });
        ASSERT_NE(clear, actions.end());
        EXPECT_TRUE((*clear)->isEnabled()) << line;
        EXPECT_EQ((*clear)->text(), QStringLiteral("文字削除"));
        Editor().RunCommand(EditClear);
        EXPECT_EQ(Model().PlainText(), text) << line;
    }
    const int home = Model().Record(doLine)->Home;
    Model().Select(doLine, home + 1, doLine, home + 3);
    Editor().RunCommand(EditClear);
    EXPECT_EQ(Slot(doLine, 0), "vve");
    ExpectShowsModel();
}

// A statement or edit button goes on editing a pending Fn name: nothing is committed, a blank Fn line stays and the
// button's command runs. Event commits first, as another box taking the focus does.
TEST_F(LogicEditorWidgetTest, AStatementButtonLeavesAPendingFnNameAloneAndRunsItsCommand) {
    Editor().setFocus();
    Editor().RunCommand(AddFnAtCurrent);
    ASSERT_TRUE(Model().IsCaretOnBlankFnLine());
    form->ShowToolboxPage(1);
    QTest::mouseClick(form->ToolboxButton(1211), Qt::LeftButton);
    EXPECT_TRUE(sink.Texts().isEmpty()) << sink.Texts().join('|').toStdString();
    ASSERT_EQ(Model().RecordCount(), 2);
    EXPECT_EQ(Model().Record(0)->lineKind, SyntaxFn);
    EXPECT_EQ(Model().Record(1)->lineKind, SyntaxDo);
    EXPECT_TRUE(Model().IsFnNameChanged());

    Model().SetCaret(0, Model().Record(0)->Home);
    QTest::keyClicks(&Editor(), "Pump");
    Model().SetCaret(1, Model().Record(1)->Home);
    QTest::mouseClick(form->ToolboxButton(1210), Qt::LeftButton);
    ASSERT_EQ(Model().RecordCount(), 5);
    EXPECT_EQ(Model().Record(2)->lineKind, SyntaxIf);
    EXPECT_TRUE(Model().IsFnNameChanged());
    EXPECT_EQ(document.registry.FindByName("Pump"), nullptr);

    form->ClickToolboxButton(1333);
    EXPECT_FALSE(Model().IsFnNameChanged());
    const CUnitFunction* pump = document.registry.FindByName("Pump");
    ASSERT_NE(pump, nullptr);
    EXPECT_EQ(Model().Record(0)->calledInternalID, pump->InternalID);
    EXPECT_TRUE(sink.Texts().isEmpty()) << sink.Texts().join('|').toStdString();
    ExpectShowsModel();
}

// A left press on an address in any line, a comment too, opens it and selects what was walked to find it; every
// address shows as a link, with a hand for the pointer.
TEST_F(LogicEditorWidgetTest, APressOnALinkOpensItAndLinksShowInEveryLine) {
    QStringList opened;
    form->SetLinkOpener([&opened](const QString& link) { opened << link; });
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    Editor().setFocus();
    Editor().RunCommand(AddCommentAtCurrent);
    QTest::keyClicks(&Editor(), "see \"file:///tmp/a b.txt\" or https://example.org/x");
    Model().SetCaret(Model().RecordCount(), 0);
    Editor().RunCommand(AddDoAtCurrent);
    QTest::keyClicks(&Editor(), "mailto:cook@example.org");
    const QString comment = Model().LineText(0);
    const auto underlined = [this](int line, int column) {
        QTextCursor cursor(Editor().document()->findBlockByNumber(line));
        cursor.setPosition(cursor.position() + column + 1);
        return cursor.charFormat().fontUnderline();
    };
    EXPECT_TRUE(underlined(0, static_cast<int>(comment.indexOf("https")) + 2));
    EXPECT_TRUE(underlined(0, static_cast<int>(comment.indexOf("b.txt"))));
    EXPECT_FALSE(underlined(0, static_cast<int>(comment.indexOf("see"))));
    EXPECT_TRUE(underlined(1, static_cast<int>(Model().LineText(1).indexOf("cook"))))
        << Model().LineText(1).toStdString();

    const int web = static_cast<int>(comment.indexOf("https"));
    // The pointer is a hand over a link, in a comment and in a statement, and a text cursor elsewhere.
    const struct {
        QPoint point;
        Qt::CursorShape shape;
    } pointers[] = {{PointAt(0, web + 3), Qt::PointingHandCursor},
                    {PointAt(0, 1), Qt::IBeamCursor},
                    {PointAt(1, static_cast<int>(Model().LineText(1).indexOf("cook"))), Qt::PointingHandCursor},
                    {PointAt(1, 0), Qt::IBeamCursor}};
    for (const auto& [point, shape] : pointers) {
        QTest::mouseMove(Editor().viewport(), point);
        EXPECT_EQ(Editor().viewport()->cursor().shape(), shape) << point.x() << "," << point.y();
    }
    QTest::mousePress(Editor().viewport(), Qt::LeftButton, Qt::NoModifier, PointAt(0, web + 3));
    EXPECT_EQ(opened, QStringList{"https://example.org/x"});
    EXPECT_EQ(Model().SelectionStart(), (EditPosition{0, web}));
    EXPECT_EQ(Model().SelectedText(), "https://example.org/x");
    QTest::mouseRelease(Editor().viewport(), Qt::LeftButton, Qt::NoModifier, PointAt(0, web + 3));
    QTest::mouseClick(Editor().viewport(), Qt::LeftButton, Qt::NoModifier, PointAt(0, 1));
    QTest::mouseClick(Editor().viewport(), Qt::LeftButton, Qt::NoModifier,
                      PointAt(0, static_cast<int>(comment.indexOf("tmp"))));
    EXPECT_EQ(opened, (QStringList{"https://example.org/x", "file:///tmp/a b.txt"}));
    EXPECT_EQ(Model().LineText(0), comment) << "nothing typed or moved";
    EXPECT_TRUE(sink.Texts().isEmpty()) << sink.Texts().join('|').toStdString();
}

TEST_F(LogicEditorWidgetTest, TheMenuOnABlankFnLineOffersCandidatesAndNoStatements) {
    CUnitFunction* child = document.registry.CreateFunction("Child", document.GetModelOptions());
    CUnitFunction::AppendChild(document.registry.origin, child);
    document.registry.RebuildAndNotify(document.indexRoot, document.GetModelOptions());
    Editor().RunCommand(AddFnAtCurrent);
    const std::unique_ptr<QMenu> menu = Editor().CreateContextMenu();
    EXPECT_TRUE(sink.Texts().isEmpty()) << "no commit before the menu";
    EXPECT_TRUE(Model().IsFnNameChanged());
    int statements = 0;
    for (const QAction* action : menu->findChildren<QAction*>()) {
        const int id = action->data().toInt();
        if (id == AddIfAfter || id == AddFnAfter || id == AddCommentAfter || id == AddLineBreakAfter ||
            id == AddDoNothingAfter || id == AddIfBefore) {
            ++statements;
            EXPECT_FALSE(action->isEnabled()) << id;
        }
    }
    EXPECT_GE(statements, 6);
    EXPECT_TRUE(menu->actions().first()->isEnabled()) << "the candidates";
}

TEST_F(LogicEditorWidgetTest, EveryClickCommitsTheTypedFnNameOfTheLineBeingLeft) {
    // A click on the same line commits.
    Editor().RunCommand(AddFnAtCurrent);
    QTest::keyClicks(&Editor(), "Same");
    QTest::mouseClick(Editor().viewport(), Qt::LeftButton, Qt::NoModifier, PointAt(0, Model().Record(0)->Home + 1));
    const CUnitFunction* same = document.registry.FindByName("Same");
    ASSERT_NE(same, nullptr);
    EXPECT_EQ(Model().Record(0)->calledInternalID, same->InternalID);
    EXPECT_FALSE(Model().IsFnNameChanged());

    // So does a click in the empty room below the lines.
    Editor().RunCommand(AddFnAfter);
    QTest::keyClicks(&Editor(), "Below");
    QTest::mouseClick(Editor().viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(20, Editor().viewport()->height() - 4));
    const CUnitFunction* below = document.registry.FindByName("Below");
    ASSERT_NE(below, nullptr);
    EXPECT_EQ(Model().Record(1)->calledInternalID, below->InternalID);
    EXPECT_FALSE(Model().IsFnNameChanged());

    // A name changed on a line and left by a click on another line renames its unit function; it is not lost.
    Model().SetCaret(1, Model().Record(1)->End);
    QTest::keyClicks(&Editor(), "2");
    QTest::mouseClick(Editor().viewport(), Qt::LeftButton, Qt::NoModifier, PointAt(0, Model().Record(0)->Home + 1));
    EXPECT_EQ(below->name, "Below2");
    EXPECT_EQ(Model().Record(1)->calledInternalID, below->InternalID);
    EXPECT_EQ(Model().CaretLine(), 0);
    // Nor when a line was put in before it and the caret went there meanwhile.
    Model().SetCaret(1, Model().Record(1)->End);
    QTest::keyClicks(&Editor(), "3");
    Editor().RunCommand(AddCommentBefore);
    ASSERT_EQ(Model().Record(2)->calledInternalID, below->InternalID);
    QTest::mouseClick(Editor().viewport(), Qt::LeftButton, Qt::NoModifier, PointAt(0, Model().Record(0)->Home));
    EXPECT_EQ(below->name, "Below23");
    EXPECT_TRUE(sink.Texts().isEmpty()) << sink.Texts().join('|').toStdString();
    ExpectShowsModel();
}

TEST_F(LogicEditorWidgetTest, UndoIsOfferedAgainAfterAnFnLineOnceAnotherLineIsEdited) {
    Editor().RunCommand(AddDoAtCurrent);
    QTest::keyClicks(&Editor(), "a");
    Editor().RunCommand(AddFnAfter);
    QTest::keyClicks(&Editor(), "Called");
    EXPECT_FALSE(Editor().IsCommandEnabled(EditUndo));
    const int inMember = Model().Record(0)->Home + 1;
    QTest::mouseClick(Editor().viewport(), Qt::LeftButton, Qt::NoModifier, PointAt(0, inMember));
    ASSERT_EQ(Model().Caret(), (EditPosition{0, inMember}));
    QTest::keyClicks(&Editor(), "b");
    EXPECT_EQ(Slot(0, 0), "ab");
    // The typing opened a new undo group: Undo takes the typed letter back and leaves the Fn line.
    ASSERT_TRUE(Editor().IsCommandEnabled(EditUndo));
    Editor().RunCommand(EditUndo);
    EXPECT_EQ(Slot(0, 0), "a");
    ASSERT_EQ(Model().RecordCount(), 2);
    EXPECT_EQ(Model().Record(1)->calledInternalID, document.registry.FindByName("Called")->InternalID);

    // A click ends a typing run: two runs on one line are two undo steps.
    QTest::keyClicks(&Editor(), "c");
    QTest::mouseClick(Editor().viewport(), Qt::LeftButton, Qt::NoModifier, PointAt(0, inMember));
    QTest::keyClicks(&Editor(), "d");
    Editor().RunCommand(EditUndo);
    EXPECT_EQ(Slot(0, 0), "ac");
    ExpectShowsModel();
}

TEST_F(LogicEditorWidgetTest, EveryToolboxCaptionFitsItsButtonWholeInBothLanguages) {
    constexpr int kButtonSize = 48; // square, as the form lays them out
    CMessageContext japanese;
    japanese.m_language = 1;
    for (const CMessageContext* context : std::initializer_list<const CMessageContext*>{nullptr, &japanese}) {
        form->SetMessageContext(context);
        for (const ::ToolboxButton& entry : kToolboxButtons) {
            const QPushButton* button = form->ToolboxButton(entry.id);
            const QFontMetrics metrics(button->font());
            const QString shown = QString(button->text()).replace("&&", "&");
            const QStringList lines = shown.split('\n');
            EXPECT_LE(metrics.lineSpacing() * lines.size(), kButtonSize) << shown.toStdString();
            for (const QString& line : lines)
                EXPECT_LT(metrics.horizontalAdvance(line), kButtonSize) << line.toStdString();
            // Broken into lines, never cut: the lines read the whole caption.
            EXPECT_EQ(QString(shown).remove('\n').remove(' '), button->toolTip().remove(' ')) << shown.toStdString();
        }
    }
    form->SetMessageContext(nullptr);
}

TEST_F(LogicEditorWidgetTest, DoubleClickingAMarkedLineInTheMarginEditsItsMarks) {
    Editor().RunCommand(AddIfAtCurrent);
    Editor().RunCommand(AddDoAfter);
    QWidget* margin = Editor().childAt(QPoint(Editor().contentsRect().left() + 2, Editor().height() / 2));
    ASSERT_NE(margin, nullptr);
    const auto marginPointOf = [&](int line) {
        const QTextBlock block = Editor().document()->findBlockByNumber(line);
        return QPoint(4, Editor().cursorRect(QTextCursor(block)).center().y());
    };
    // Answers the line-mark editor with `answer` and records that it opened.
    int opened = 0;
    const auto answerWith = [&](std::function<void(CLineMarkDialog&)> answer) {
        QTimer::singleShot(0, [&opened, answer] {
            auto* dialog = qobject_cast<CLineMarkDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            ++opened;
            answer(*dialog);
        });
    };

    // A line without marks opens nothing.
    answerWith([](CLineMarkDialog& dialog) { dialog.reject(); });
    QTest::mouseDClick(margin, Qt::LeftButton, Qt::NoModifier, marginPointOf(0));
    QApplication::processEvents();
    EXPECT_EQ(opened, 0);

    ToggleLineMark(Model(), 0, 2);
    const QString longFile(300, QLatin1Char('f'));
    answerWith([&](CLineMarkDialog& dialog) {
        dialog.findChild<QPlainTextEdit*>()->setPlainText(QStringLiteral("確認"));
        dialog.FileBox(1).setText(QStringLiteral("https://example.org/manual"));
        dialog.accept();
    });
    QTest::mouseDClick(margin, Qt::LeftButton, Qt::NoModifier, marginPointOf(0));
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(Model().Record(0)->Memo(), QStringLiteral("確認"));
    EXPECT_EQ(Model().Record(0)->Urls()[1], QStringLiteral("https://example.org/manual"));
    EXPECT_EQ(Model().Record(0)->mark, 1u << 2);

    // Cancel keeps everything; the delete button takes the marks and their texts off.
    answerWith([](CLineMarkDialog& dialog) {
        dialog.FileBox(0).setText(QStringLiteral("lost"));
        dialog.reject();
    });
    QTest::mouseDClick(margin, Qt::LeftButton, Qt::NoModifier, marginPointOf(0));
    EXPECT_TRUE(Model().Record(0)->Urls()[0].isEmpty());
    answerWith([](CLineMarkDialog& dialog) { dialog.done(CLineMarkDialog::DeleteMarks); });
    QTest::mouseDClick(margin, Qt::LeftButton, Qt::NoModifier, marginPointOf(0));
    EXPECT_EQ(opened, 3);
    EXPECT_EQ(Model().Record(0)->mark, 0u);
    EXPECT_TRUE(Model().Record(0)->Memo().isEmpty());
    EXPECT_TRUE(Model().Record(0)->Urls()[1].isEmpty());

    // Texts from elsewhere are cut to what a line holds.
    SetLineMarkTexts(Model(), 1, QString(), {longFile, QString(), QString()});
    EXPECT_EQ(Model().Record(1)->Urls()[0].size(), CLogicLine::MaxUrlLength);
}

TEST_F(LogicEditorWidgetTest, TipsExplainRegisteredNamesAndLineMarks) {
    document.memberDefinitions.push_back(
        {QStringLiteral("弁"), QStringLiteral("給水弁"), {{QStringLiteral("開"), QStringLiteral("水が流れる")}}});
    Editor().RunCommand(AddIfAtCurrent);
    Compose(QStringLiteral("弁"));
    Model().SetCaret(0, Model().Record(0)->Home2);
    Editor().Render(false);
    Compose(QStringLiteral("開"));
    ASSERT_EQ(Slot(0, 2), QStringLiteral("開"));
    // A widget with nothing to explain ignores the event.
    const auto tipAt = [](QWidget* widget, const QPoint& point) {
        QHelpEvent help(QEvent::ToolTip, point, widget->mapToGlobal(point));
        QApplication::sendEvent(widget, &help);
        return help.isAccepted() ? QToolTip::text() : QString();
    };
    const auto pointAt = [&](int column) {
        QTextCursor cursor(Editor().document()->firstBlock());
        cursor.setPosition(column);
        return Editor().cursorRect(cursor).center() + QPoint(2, 0);
    };
    EXPECT_EQ(tipAt(Editor().viewport(), pointAt(Model().Record(0)->Home)), QStringLiteral("給水弁"));
    EXPECT_EQ(tipAt(Editor().viewport(), pointAt(Model().Record(0)->Home2)), QStringLiteral("水が流れる"));
    EXPECT_TRUE(tipAt(Editor().viewport(), pointAt(0)).isEmpty()) << "the indent explains nothing";

    QWidget* margin = Editor().childAt(QPoint(Editor().contentsRect().left() + 2, Editor().height() / 2));
    ASSERT_NE(margin, nullptr);
    const QPoint markPoint(4, pointAt(0).y());
    EXPECT_TRUE(tipAt(margin, markPoint).isEmpty()) << "no marks yet";
    document.lineMarkTable.attributes[1].name = QStringLiteral("保留");
    ToggleLineMark(Model(), 0, 1);
    EXPECT_EQ(tipAt(margin, markPoint), QStringLiteral("保留: "));
}

TEST_F(LogicEditorWidgetTest, SelectingTheSameNamedFunctionCanMakeANewOne) {
    document.environment.enableDuplicateFunctionName = 1;
    Editor().RunCommand(AddFnAtCurrent);
    Model().Record(0)->textSlots[0].text = QStringLiteral("加熱");
    Model().SetCaret(0, Model().Record(0)->Home);
    const std::unique_ptr<QMenu> menu = Editor().CreateContextMenu();
    const QList<QAction*> actions = menu->actions();
    const auto item = std::find_if(actions.begin(), actions.end(),
                                   [](const QAction* action) { return action->data().toInt() == SelectFunction; });
    ASSERT_NE(item, actions.end());
    EXPECT_TRUE((*item)->isEnabled());
    form->UpdateToolboxButtons();
    EXPECT_TRUE(form->ToolboxButton(1332)->isEnabled());

    const int before = document.registry.Count();
    const quint32 old = Model().Record(0)->calledInternalID;
    ASSERT_NE(old, 0u);
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<CSelectFunctionDialog*>(QApplication::activeModalWidget())) {
            dialog->CreateNewBox().click();
            dialog->accept();
        }
    });
    ASSERT_TRUE(Editor().RunCommand(SelectFunction));
    ASSERT_EQ(document.registry.Count(), before + 1);
    // The line is bound to the new unit function, which takes the old one's place under the origin.
    const CUnitFunction* made = document.registry.FindByInternalID(Model().Record(0)->calledInternalID);
    ASSERT_NE(made, nullptr);
    EXPECT_NE(made->InternalID, old);
    EXPECT_EQ(made->name, QStringLiteral("加熱"));
    EXPECT_EQ(made->places.size(), 1u);
    ASSERT_EQ(document.registry.origin->children.size(), 1u);
    EXPECT_EQ(document.registry.origin->children[0], made);
    EXPECT_FALSE(Editor().IsCommandEnabled(EditUndo));
    ExpectShowsModel();
}

TEST(LogicEditorFonts, MissingFacesFallBackToAFaceOfTheirScript) {
    const QStringList families = FontFamiliesFor(QStringLiteral("ＭＳ ゴシック"));
    ASSERT_FALSE(families.isEmpty());
    EXPECT_EQ(families.front(), QStringLiteral("ＭＳ ゴシック"));
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    if (!japanese.isEmpty() && !QFontDatabase::hasFamily(QStringLiteral("ＭＳ ゴシック"))) {
        ASSERT_GE(families.size(), 2);
        EXPECT_TRUE(japanese.contains(families[1])) << families[1].toStdString();
    }
    FontSetting font;
    font.faceName = QStringLiteral("ＭＳ ゴシック");
    font.pointSize = 120;
    font.colour = 0x0000FF;
    font.bold = 1;
    const QTextCharFormat format = CharFormatOf(font);
    EXPECT_EQ(format.fontFamilies().toStringList().front(), font.faceName);
    EXPECT_DOUBLE_EQ(format.fontPointSize(), 12.0);
    EXPECT_EQ(format.foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(format.fontWeight(), QFont::Bold);
}

} // namespace
