#include "texts/ui/RichEditContextMenu.h"

#include "texts/MessageContext.h"

#include "support/QStringPrinter.h"

#include <QMenu>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

#include <memory>

namespace {

QAction* AddCommand(QMenu& menu, int command) {
    QAction* action = menu.addAction("resource caption");
    action->setData(command);
    return action;
}

CMessageContext Context(int language) {
    CMessageContext context;
    context.m_language = language;
    return context;
}

} // namespace

TEST(RichEditContextMenu, RenamesSubmenusByPlaceAndCommandsWithoutAccessKeys) {
    QMenu menu;
    menu.addMenu("a");
    menu.addMenu("b");
    menu.addMenu("c");
    menu.addSeparator();
    QAction* other = menu.addAction("kept");
    QMenu* nested = menu.addMenu("nested");
    QAction* doReplace = AddCommand(*nested, 32829);
    QAction* fnReplace = AddCommand(menu, 32827);
    QAction* deleteCharacter = AddCommand(menu, 57632);
    QAction* copy = AddCommand(menu, 57634);

    LocalizeRichEditContextMenu(Context(0), menu, "Do", "Fn");
    const QList<QAction*> actions = menu.actions();
    EXPECT_EQ(actions[0]->text(), "Choose");
    EXPECT_EQ(actions[1]->text(), "Add behind");
    EXPECT_EQ(actions[2]->text(), "Edit");
    EXPECT_TRUE(actions[3]->isSeparator()) << "a separator at a title's place stays one";
    EXPECT_EQ(other->text(), "kept");
    EXPECT_EQ(doReplace->text(), "Replace with Do");
    EXPECT_EQ(fnReplace->text(), "Replace with Fn");
    EXPECT_EQ(deleteCharacter->text(), QStringLiteral("文字削除"));
    EXPECT_EQ(copy->text(), "Copy");

    // A renamed keyword shows the next time; no caption has an access key in Japanese either.
    LocalizeRichEditContextMenu(Context(1), menu, QStringLiteral("実行"), "Fn");
    EXPECT_EQ(doReplace->text(), QStringLiteral("実行に置換"));
    EXPECT_EQ(deleteCharacter->text(), QStringLiteral("文字削除"));
    for (QAction* action : menu.actions())
        EXPECT_FALSE(action->text().contains('&')) << action->text().toStdString();
}

TEST(RichEditContextMenu, TheTextControlsOwnMenuIsLocalisedToo) {
    QPlainTextEdit edit("some text");
    edit.setReadOnly(true);
    edit.selectAll();
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    LocalizeRichEditContextMenu(Context(1), *menu, "Do", "Fn");
    QStringList captions;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator())
            captions << action->text();
        if (RichEditMenuCommand(*action) == 57634) {
            EXPECT_EQ(action->text(), QStringLiteral("コピー"));
        }
    }
    EXPECT_TRUE(captions.contains(QStringLiteral("すべて選択"))) << captions.join('|').toStdString();
}
