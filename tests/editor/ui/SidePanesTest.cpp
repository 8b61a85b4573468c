#include "editor/LogicClipboard.h"
#include "editor/LogicEditCommandMap.h"
#include "editor/LogicEditModel.h"
#include "editor/ui/FunctionView.h"
#include "editor/ui/InputView.h"
#include "editor/ui/OutputView.h"
#include "editor/ui/RichEditCtrlEx.h"
#include "editor/ui/SplREdit.h"
#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "support/logic/LogicScript.h"
#include "support/ui/SidePaneChecks.h"
#include "texts/MessageContext.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <memory>

namespace {

class SidePanesTest : public ::testing::Test {
protected:
    SidePanesTest() {
        document.SetDefaults();
        std::vector<std::pair<CLogicLine*, QString>> pending;
        AppendScript(Function(),
                     QStringLiteral("if <A>が{open}\n"
                                    "  if <B>が{full}\n"
                                    "    Do <C>を{S}せよ\n"
                                    "  else\n"
                                    "  endif\n"
                                    "else\n"
                                    "endif"),
                     pending);
    }
    CUnitFunction& Function() { return *document.registry.origin; }
    // The script gives texts only: the records take the positions of their kinds, as the editor makes them.
    static void Normalise(CLogicEditModel& model) {
        for (int line = 0; line < model.RecordCount(); ++line) {
            CLogicLine& record = *model.Record(line);
            const auto texts = record.textSlots;
            model.InitLineRecord(record, record.lineKind, 0);
            record.textSlots = texts;
            record.RecountPositions();
        }
        model.ReloadRecords();
    }
    // A description of `blocks` if blocks of five lines each.
    void WriteBlocks(int blocks) {
        Function().logicLines.clear();
        QStringList script;
        for (int i = 1; i <= blocks; ++i)
            script << QStringLiteral("if <条件%1>が{真%1}").arg(i) << QStringLiteral("Do <出力%1>を{S}せよ").arg(i)
                   << QStringLiteral("else") << QStringLiteral("Do <他%1>を{T}せよ").arg(i) << QStringLiteral("endif");
        std::vector<std::pair<CLogicLine*, QString>> pending;
        AppendScript(Function(), script.join(u'\n'), pending);
    }

    platform::ScriptedMessageSink sink;
    CDocumentData document;
    CProcessClipboard clipboard;
};

TEST_F(SidePanesTest, ElseUnderNestingShowsItsOwnIfNegatedAndFollowsTheModel) {
    CLogicEditModel model(document, Function(), clipboard);
    Normalise(model);
    CInputView input(document, Function());
    COutputView output(document, Function());
    input.AttachModel(&model);
    output.AttachModel(&model);
    EXPECT_EQ(input.ColumnLines(true), (QStringList{"A", "B", "", "B", "", "A", ""}));
    EXPECT_EQ(input.ColumnLines(false), (QStringList{"open", "full", "", "¬full", "", "¬open", ""}));
    EXPECT_EQ(output.ColumnLines(true), (QStringList{"", "", "C", "", "", "", ""}));

    // A state typed into the inner if reaches its else only.
    model.SetCaret(1, static_cast<int>(model.LineText(1).indexOf(u'}')));
    model.TypeCharacter(QChar(u'!'));
    ASSERT_EQ(model.Record(1)->textSlots[2].text, QStringLiteral("full!"));
    EXPECT_EQ(input.ColumnLines(false), (QStringList{"open", "full!", "", "¬full!", "", "¬open", ""}));

    // Lines added by a command appear in both panes, line for line with the editor.
    model.SetCaret(2, 0);
    model.OnAddDoAfter();
    EXPECT_EQ(input.ColumnLines(true).size(), model.RecordCount());
    EXPECT_EQ(output.ColumnLines(true).size(), model.RecordCount());
    EXPECT_EQ(input.ColumnLines(false).at(4), QStringLiteral("¬full!"));
    EXPECT_EQ(input.ColumnLines(false).at(6), QStringLiteral("¬open"));

    // A pane that no longer listens keeps what it showed.
    output.AttachModel(nullptr);
    model.OnDeleteLine();
    EXPECT_EQ(input.ColumnLines(true).size(), model.RecordCount());
    EXPECT_EQ(output.ColumnLines(true).size(), model.RecordCount() + 1);
}

TEST_F(SidePanesTest, EachPaneLineStandsBesideItsLogicLineAtTheEditorsPitch) {
    document.fonts.LogicFont.pointSize = 160;
    CFunctionView form(document, Function());
    form.resize(500, 400);
    form.show();
    CInputView input(document, Function());
    input.resize(300, 400);
    input.AttachModel(&form.Model());
    input.FollowEditor(form.Editor());
    // Where each line starts, from the top of the first: the editor lays its lines out one under the other, each
    // as high as its bounding rectangle; a column places them itself.
    const auto editorTops = [](const QTextDocument& text, int count) {
        QList<int> tops;
        qreal top = 0;
        QTextBlock block = text.begin();
        for (int line = 0; line < count && block.isValid(); ++line, block = block.next()) {
            tops << qRound(top);
            top += text.documentLayout()->blockBoundingRect(block).height();
        }
        return tops;
    };
    const auto columnTops = [](const QTextDocument& text, int count) {
        QList<int> tops;
        const qreal first = text.documentLayout()->blockBoundingRect(text.begin()).top();
        QTextBlock block = text.begin();
        for (int line = 0; line < count && block.isValid(); ++line, block = block.next())
            tops << qRound(text.documentLayout()->blockBoundingRect(block).top() - first);
        return tops;
    };
    const auto check = [&] {
        const int count = form.Model().RecordCount();
        ASSERT_EQ(input.ColumnLines(true).size(), count);
        const QList<int> editor = editorTops(*form.Editor().document(), count);
        ASSERT_GT(editor.value(1), 20) << "the editor's lines are of the logic font's size";
        EXPECT_EQ(columnTops(*input.LeftColumn().document(), count), editor);
        EXPECT_EQ(columnTops(*input.RightColumn().document(), count), editor);
    };
    check();
    EXPECT_EQ(input.ColumnLines(false).at(5), QStringLiteral("¬open"));
    // Lines the editor adds keep the panes in step.
    form.Model().SetCaret(2, 0);
    form.Editor().RunCommand(LogicEditCommand::AddDoAfter);
    check();
}

// Whatever moves the editor, or a column on its own, each pane line stands level with its logic line, down to the
// editor's bottom, where its append line follows the last line.
TEST_F(SidePanesTest, EachPaneLineStandsBesideItsLogicLineWhateverMovesTheEditor) {
    WriteBlocks(20);
    QWidget window;
    auto* layout = new QHBoxLayout(&window);
    auto* input = new CInputView(document, Function());
    auto* form = new CFunctionView(document, Function());
    auto* output = new COutputView(document, Function());
    layout->addWidget(input);
    layout->addWidget(form, 2);
    layout->addWidget(output);
    Normalise(form->Model());
    for (CSidePaneView* pane : {static_cast<CSidePaneView*>(input), static_cast<CSidePaneView*>(output)}) {
        pane->AttachModel(&form->Model());
        pane->FollowEditor(form->Editor());
    }
    window.resize(900, 400);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    CSplREdit& editor = form->Editor();
    ASSERT_EQ(input->ColumnLines(false).value(80), QStringLiteral("真17"));
    ASSERT_EQ(input->ColumnLines(false).value(97), QStringLiteral("¬真20"));
    QScrollBar* bar = editor.verticalScrollBar();
    ASSERT_GT(bar->maximum(), 40);
    const auto expectInStep = [&](const char* moved) {
        QCoreApplication::processEvents();
        EXPECT_EQ(LinesOutOfStep(editor, *input), QList<int>()) << moved;
        EXPECT_EQ(LinesOutOfStep(editor, *output), QList<int>()) << moved;
    };
    expectInStep("nothing");

    const QPoint centre = editor.viewport()->rect().center();
    QWheelEvent wheel(centre, editor.viewport()->mapToGlobal(centre), QPoint(), QPoint(0, -360), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(editor.viewport(), &wheel);
    ASSERT_EQ(bar->value(), 3);
    expectInStep("the wheel");
    editor.setFocus();
    QTest::keyClick(&editor, Qt::Key_PageDown);
    QTest::keyClick(&editor, Qt::Key_PageDown);
    expectInStep("Page Down");
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    expectInStep("a click in the track");
    bar->setSliderDown(true);
    bar->setSliderPosition(37);
    expectInStep("the thumb dragged");
    bar->setSliderDown(false);
    expectInStep("the thumb let go");
    editor.GoToLine(90);
    expectInStep("a jump");
    bar->setValue(bar->maximum());
    expectInStep("the bottom");
    EXPECT_EQ(editor.cursorForPosition(editor.viewport()->rect().bottomLeft() - QPoint(0, 2)).blockNumber(), 100)
        << "the append line at the bottom";
    input->RightColumn().verticalScrollBar()->setValue(0);
    output->LeftColumn().verticalScrollBar()->setValue(input->LeftColumn().verticalScrollBar()->maximum());
    expectInStep("a column moved on its own");
    window.resize(900, 250);
    expectInStep("a resize");
    bar->setValue(5);
    expectInStep("back near the top");
    // Let go of the model before the form that owns it goes, as the tab's frame does.
    for (CSidePaneView* pane : {static_cast<CSidePaneView*>(input), static_cast<CSidePaneView*>(output)})
        pane->AttachModel(nullptr);
}

// An undo brings the panes back to the lines it restores: a pasted block goes from them, a member comes back.
TEST_F(SidePanesTest, AnUndoRefreshesBothPanes) {
    CLogicEditModel model(document, Function(), clipboard);
    Normalise(model);
    CInputView input(document, Function());
    COutputView output(document, Function());
    input.AttachModel(&model);
    output.AttachModel(&model);
    const QStringList conditions = input.ColumnLines(false);
    const QStringList outputs = output.ColumnLines(true);
    model.Select(0, 0, model.RecordCount(), 0);
    model.OnEditCopy();
    model.SetCaret(model.RecordCount() - 1, 0);
    model.OnEditPasteLines();
    ASSERT_EQ(model.RecordCount(), 14);
    ASSERT_EQ(input.ColumnLines(false).size(), 14);
    model.UndoLastEdit();
    ASSERT_EQ(model.RecordCount(), 7);
    EXPECT_EQ(input.ColumnLines(false), conditions);
    EXPECT_EQ(output.ColumnLines(true), outputs);

    // One member edit and its undo.
    model.SetCaret(2, model.Record(2)->Home);
    model.TypeCharacter(QChar(u'Z'));
    ASSERT_EQ(output.ColumnLines(true).value(2), QStringLiteral("ZC"));
    model.UndoLastEdit();
    ASSERT_EQ(model.Record(2)->textSlots[0].text, QStringLiteral("C"));
    EXPECT_EQ(output.ColumnLines(true), outputs);
    // The second undo swaps back, and the panes follow.
    model.UndoLastEdit();
    EXPECT_EQ(output.ColumnLines(true).value(2), QStringLiteral("ZC"));
}

TEST_F(SidePanesTest, APressInsideAColumnsSelectionStartsNoDrag) {
    CInputView input(document, Function());
    input.resize(300, 200);
    input.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&input));
    CRichEditCtrlEx& column = input.RightColumn();
    column.selectAll();
    const QString before = column.toPlainText();
    QTextCursor second(column.document()->findBlockByNumber(1));
    const QPoint inside = column.cursorRect(second).center() + QPoint(2, 0);
    // A drag would begin with the selection still there; a new selection begins without it.
    QTest::mousePress(column.viewport(), Qt::LeftButton, Qt::NoModifier, inside);
    EXPECT_FALSE(column.textCursor().hasSelection());
    QTest::mouseRelease(column.viewport(), Qt::LeftButton, Qt::NoModifier, inside);
    EXPECT_EQ(column.toPlainText(), before);
}

TEST_F(SidePanesTest, ColumnsAreReadOnlyAndKeepCtrlKeysAndZoomAway) {
    CInputView input(document, Function());
    input.resize(300, 120);
    CRichEditCtrlEx& column = input.LeftColumn();
    const QString before = column.toPlainText();
    column.setFocus();
    QTest::keyClick(&column, Qt::Key_E, Qt::ControlModifier);
    QTest::keyClick(&column, Qt::Key_1, Qt::ControlModifier);
    QTest::keyClicks(&column, QStringLiteral("x"));
    EXPECT_EQ(column.toPlainText(), before);
    const QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
    EXPECT_FALSE(IsSwallowedControlKey(copy, false));
    const QKeyEvent bold(QEvent::KeyPress, Qt::Key_B, Qt::ControlModifier);
    EXPECT_TRUE(IsSwallowedControlKey(bold, true));
    const QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(IsSwallowedControlKey(paste, false));
    EXPECT_FALSE(IsSwallowedControlKey(paste, true));
}

TEST_F(SidePanesTest, ARightClickShowsTheEditPopupWithWhatWouldChangeTheTextGreyed) {
    COutputView output(document, Function());
    CMessageContext japanese;
    japanese.m_language = 1;
    output.SetMessageContext(&japanese);
    output.resize(300, 120);
    output.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&output));
    CRichEditCtrlEx& column = output.LeftColumn();
    const QString before = column.toPlainText();
    QApplication::clipboard()->setText(QStringLiteral("pasted"));

    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(10, 10), column.mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(column.viewport(), &click);
    auto* shown = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(shown, nullptr);
    QStringList greyed;
    for (QAction* action : shown->actions()) {
        if (action->isSeparator())
            continue;
        if (!action->isEnabled())
            greyed << action->text();
        // Nothing the items do changes the pane's text.
        if (action->data().toInt() != 33064)
            action->trigger();
    }
    shown->close();
    EXPECT_EQ(shown->actions().size(), 12);
    // Without a selection nothing can be copied; a read-only pane has nothing to undo nor any paste.
    EXPECT_EQ(greyed, (QStringList{"元に戻す(&U)", "切り取り(&T)", "コピー(&C)", "貼り付け(&P)",
                                   "テキスト形式で貼り付け(&Q)", "形式を選択して貼り付け(&S)", "削除(&D)"}));
    EXPECT_EQ(column.toPlainText(), before);
    EXPECT_EQ(column.textCursor().selectedText().size(), before.size()) << "select all ran last";

    // With the selection Copy acts; an empty pane offers no Select all.
    const auto enabledItems = [](CRichEditCtrlEx& pane) {
        std::unique_ptr<QMenu> menu(pane.CreateContextMenu(nullptr));
        QList<int> enabled;
        for (const QAction* action : menu->actions()) {
            if (!action->isSeparator() && action->isEnabled())
                enabled << action->data().toInt();
        }
        return enabled;
    };
    EXPECT_EQ(enabledItems(column), (QList<int>{57634, 57642, 33064}));
    column.clear();
    EXPECT_EQ(enabledItems(column), (QList<int>{33064}));
}

} // namespace
