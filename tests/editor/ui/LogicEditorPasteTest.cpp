#include "editor/LogicEditCommandMap.h"
#include "editor/LogicEditModel.h"
#include "editor/ui/FunctionView.h"
#include "editor/ui/FunctionViewFixture.h"
#include "editor/ui/SplREdit.h"
#include "model/DocumentData.h"

#include <QAction>
#include <QMenu>
#include <QTextBlock>

#include <gtest/gtest.h>

namespace {

using namespace LogicEditCommand;

class LogicEditorPasteTest : public FunctionViewFixture {};

TEST_F(LogicEditorPasteTest, PasteStatementsFromTheMenuFillsAnEmptyFunctionInTheCopiedOrder) {
    // An if block with a statement in it, then a Do line, copied whole.
    Model().OnAddIfAtCurrent();
    Model().TypeCharacter(QChar('m'));
    Model().SetCaret(0, 0);
    Model().OnAddDoAfter();
    Model().TypeCharacter(QChar('a'));
    Model().SetCaret(Model().RecordCount(), 0);
    Model().OnAddDoAtCurrent();
    Model().TypeCharacter(QChar('b'));
    Model().Select(0, 0, Model().RecordCount(), 0);
    ASSERT_TRUE(Editor().RunCommand(EditCopy));
    QStringList copied;
    for (int line = 0; line < Model().RecordCount(); ++line)
        copied << Model().LineText(line);

    CUnitFunction* empty = document.registry.CreateFunction(QStringLiteral("empty"), document.GetModelOptions());
    CFunctionView target(document, *empty);
    target.show();
    const std::unique_ptr<QMenu> menu = target.Editor().CreateContextMenu();
    QAction* paste = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->data().toInt() == PasteLines)
            paste = action;
    }
    ASSERT_NE(paste, nullptr);
    ASSERT_TRUE(paste->isEnabled());
    ASSERT_TRUE(target.Editor().RunCommand(paste->data().toInt()));

    QStringList shown;
    for (QTextBlock block = target.Editor().document()->begin(); block.isValid(); block = block.next())
        shown << block.text();
    ASSERT_EQ(shown.size(), copied.size() + 1) << shown.join('\n').toStdString();
    EXPECT_EQ(shown.mid(0, copied.size()), copied);
    EXPECT_TRUE(shown.last().isEmpty()) << "the append line follows";
    EXPECT_TRUE(sink.Texts().isEmpty()) << sink.Texts().join('\n').toStdString();
}

} // namespace
