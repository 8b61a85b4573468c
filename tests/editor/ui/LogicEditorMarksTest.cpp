#include "editor/LogicEditCommandMap.h"
#include "editor/LogicEditModel.h"
#include "editor/LogicToolbox.h"
#include "editor/ui/FunctionView.h"
#include "editor/ui/FunctionViewFixture.h"
#include "editor/ui/SplREdit.h"
#include "model/DocumentData.h"
#include "model/UnitFunction.h"
#include "platform/MessageBox.h"
#include "support/logic/LogicScript.h"
#include "texts/MessageContext.h"

#include <QFontMetrics>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

namespace {

using namespace LogicEditCommand;

class LogicEditorMarksTest : public FunctionViewFixture {
protected:
    QString Shown(int line) { return Editor().document()->findBlockByNumber(line).text(); }
    static const QAction* Action(const QMenu& menu, int id) {
        for (const QAction* action : menu.actions()) {
            if (action->data().toInt() == id)
                return action;
        }
        return nullptr;
    }
};

TEST_F(LogicEditorMarksTest, TheMarginFitsTheLargestLineNumber) {
    const QFontMetrics metrics(CSplREdit::MarginFont());
    QWidget* margin = Editor().childAt(QPoint(Editor().contentsRect().left() + 2, Editor().height() / 2));
    ASSERT_NE(margin, nullptr);
    for (const int count : {3, 19947, 120}) {
        SCOPED_TRACE(count);
        document.registry.origin->logicLines.clear();
        std::vector<std::pair<CLogicLine*, QString>> pending;
        AppendScript(*document.registry.origin, QStringList(count, QStringLiteral("Do <a>を{b}せよ")).join(u'\n'),
                     pending);
        Model().ReloadRecords();
        Editor().Render(true);
        // Right of the numbers: 18 pixels of the mark symbol and the bar.
        EXPECT_GE(Editor().MarginWidth() - 18, metrics.horizontalAdvance(QString::number(count)));
        EXPECT_EQ(margin->width(), Editor().MarginWidth());
        EXPECT_EQ(Editor().viewport()->x(), Editor().contentsRect().left() + Editor().MarginWidth());
    }
}

TEST_F(LogicEditorMarksTest, EventAndStateButtonsMarkTheCaretLine) {
    Editor().RunCommand(AddIfAtCurrent);
    QTest::keyClicks(&Editor(), "m");
    EXPECT_TRUE(form->ToolboxButton(1333)->isEnabled());
    EXPECT_TRUE(form->ToolboxButton(1335)->isEnabled());
    form->ClickToolboxButton(1333);
    EXPECT_EQ(Shown(0), QStringLiteral("Evif <m>{}"));
    form->ClickToolboxButton(1335);
    EXPECT_EQ(Shown(0), QStringLiteral("Stif <m>{}"));
    QTest::keyClicks(&Editor(), "x");
    EXPECT_EQ(Model().Record(0)->textSlots[0].text, QStringLiteral("mx"));
    EXPECT_EQ(Shown(0), QStringLiteral("Stif <mx>{}"));
    // The buttons stay on where they do nothing.
    Model().SetCaret(1, 0);
    form->UpdateToolboxButtons();
    EXPECT_TRUE(form->ToolboxButton(1333)->isEnabled());
    const QString elseLine = Shown(1);
    form->ClickToolboxButton(1333);
    EXPECT_EQ(Shown(1), elseLine);
}

TEST_F(LogicEditorMarksTest, RegisteringTheMemberNameAsksAndHandsTheNameOn) {
    QStringList registered;
    Editor().RunCommand(AddDoAtCurrent);
    QTest::keyClicks(&Editor(), "me");
    form->UpdateToolboxButtons();
    EXPECT_FALSE(Editor().IsCommandEnabled(RegisterThisMemberName)) << "nobody to register with";
    Editor().SetMemberNameRegistration([&registered](const QString& name) { registered << name; });
    EXPECT_TRUE(form->ToolboxButton(1338)->isEnabled());
    const std::unique_ptr<QMenu> menu = Editor().CreateContextMenu();
    const QAction* entry = Action(*menu, RegisterThisMemberName);
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->isEnabled());

    sink.Answer(platform::MessageAnswer::Cancel);
    EXPECT_TRUE(Editor().RunCommand(RegisterThisMemberName));
    EXPECT_TRUE(registered.isEmpty()) << "Cancel registers nothing";
    sink.Answer(platform::MessageAnswer::Ok);
    form->ClickToolboxButton(1338);
    EXPECT_EQ(registered, QStringList{QStringLiteral("me")});
    ASSERT_EQ(sink.Requests().size(), 2);
    EXPECT_EQ(sink.Requests()[1].icon, platform::MessageIcon::Warning);

    // In the state slot the command is off and asks nothing.
    Model().SetCaret(0, Model().Record(0)->Home2);
    form->UpdateToolboxButtons();
    EXPECT_FALSE(form->ToolboxButton(1338)->isEnabled());
    EXPECT_FALSE(Editor().RunCommand(RegisterThisMemberName));
    EXPECT_EQ(sink.Requests().size(), 2);
}

TEST_F(LogicEditorMarksTest, LineMarkMenuOpensWithEditingOnAMarkedLine) {
    Editor().RunCommand(AddIfAtCurrent);
    ToggleLineMark(Model(), 0, 1);
    ToggleLineMark(Model(), 0, 13);
    const std::unique_ptr<QMenu> menu = Editor().CreateLineMarkMenu(*Model().Record(0));
    const QList<QAction*> actions = menu->actions();
    ASSERT_GE(actions.size(), 3);
    EXPECT_EQ(actions[0]->text(), QStringLiteral("Edit")) << "the editing entry in the interface language";
    EXPECT_EQ(actions[0]->data().toInt(), -1);
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_EQ(actions[2]->data().toInt(), 0);
    EXPECT_TRUE(Action(*menu, 1)->isChecked());
    // The groups' submenus come last, in group order: the automatic marks are in the last one.
    QMenu* last = actions.back()->menu();
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(actions.back()->text(), document.lineMarkTable.groupNames[3]);
    EXPECT_TRUE(Action(*last, 13)->isChecked());

    Editor().RunCommand(AddDoAfter);
    const std::unique_ptr<QMenu> unmarked = Editor().CreateLineMarkMenu(*Model().Record(1));
    EXPECT_FALSE(unmarked->actions().at(0)->isSeparator());
    EXPECT_EQ(unmarked->actions().at(0)->data().toInt(), 0) << "no editing entry on a line without marks";
}

TEST_F(LogicEditorMarksTest, LineMenuOffersWrapsOnlyWhereTheyActInTheInterfaceLanguage) {
    const CMessageContext english;
    Editor().SetMessageContext(&english);
    Editor().RunCommand(AddLoopAtCurrent);
    Editor().RunCommand(AddSwitchAfter);
    const int switchLine = Model().CaretLine();
    Model().Select(0, 0, switchLine + 2, 0);
    const std::unique_ptr<QMenu> menu = Editor().CreateContextMenu();
    for (int id : {WrapInIfElse, WrapInElseEndif, WrapInLoop}) {
        ASSERT_NE(Action(*menu, id), nullptr) << id;
        EXPECT_FALSE(Action(*menu, id)->isEnabled()) << id;
    }
    ASSERT_NE(Action(*menu, EditCopy), nullptr);
    EXPECT_EQ(Action(*menu, EditCopy)->text(), QStringLiteral("Copy"));
    ASSERT_NE(Action(*menu, EditFont), nullptr);
    EXPECT_EQ(Action(*menu, EditFont)->text(), QStringLiteral("Font"));

    // Plain statements at the top level may go into either frame.
    CUnitFunction other;
    CFunctionView second(document, other);
    second.Editor().RunCommand(AddDoAtCurrent);
    second.Editor().RunCommand(AddDoAfter);
    second.Model().Select(2, 0, 0, 0);
    const std::unique_ptr<QMenu> plain = second.Editor().CreateContextMenu();
    for (int id : {WrapInIfElse, WrapInElseEndif, WrapInLoop}) {
        ASSERT_NE(Action(*plain, id), nullptr) << id;
        EXPECT_TRUE(Action(*plain, id)->isEnabled()) << id;
    }
}

} // namespace
