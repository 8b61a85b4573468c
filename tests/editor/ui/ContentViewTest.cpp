#include "TabFormHost.h"
#include "editor/ui/DocumentFontResolver.h"
#include "editor/ui/FunctionContentView.h"
#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "support/QStringPrinter.h"
#include "texts/MessageContext.h"
#include "texts/StringTable.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QMenu>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

#include <memory>

namespace {

class ContentViewTest : public ::testing::Test {
protected:
    ContentViewTest() { document.SetDefaults(); }
    CUnitFunction& Function() { return *document.registry.origin; }

    platform::ScriptedMessageSink sink;
    CDocumentData document;
    CRecordingFormHost host;
};

TEST_F(ContentViewTest, MissingFacesFallBackToAnInstalledFaceOfTheirScript) {
    const QString missing = QStringLiteral("ＭＳ 明朝");
    document.fonts.ExplanationFont.faceName = missing;
    Function().header.contentText = QStringLiteral("ご飯を炊く");
    CFunctionContentView view(document, Function(), host);
    const QString family = view.document()->defaultFont().family();
    EXPECT_TRUE(QFontDatabase::families().contains(family)) << family.toStdString();
    if (!QFontDatabase::families(QFontDatabase::Japanese).isEmpty()) {
        EXPECT_TRUE(QFontDatabase::families(QFontDatabase::Japanese).contains(family)) << family.toStdString();
    }
    EXPECT_EQ(document.fonts.ExplanationFont.faceName, missing);
    const QString installed = QFontDatabase::families().value(0);
    EXPECT_EQ(ResolveInstalledFamily(installed, true), installed);
}

TEST_F(ContentViewTest, AnEmbeddedObjectIsKeptAndShownAsABoxWithItsSize) {
    QByteArray object(1234, '\0');
    object[5] = '\x7f';
    Function().header.contentText = QStringLiteral("before");
    Function().header.objectData = object;
    CFunctionContentView view(document, Function(), host);
    EXPECT_TRUE(view.toPlainText().contains(QChar::ObjectReplacementCharacter));
    EXPECT_EQ(view.ContentText(), QStringLiteral("before"));

    view.setFocus();
    view.moveCursor(QTextCursor::Start);
    QTest::keyClicks(&view, QStringLiteral("x"));
    EXPECT_TRUE(view.StoreContent());
    EXPECT_EQ(Function().header.contentText, QStringLiteral("xbefore"));
    EXPECT_EQ(Function().header.objectData, object);
    EXPECT_EQ(host.reports, QStringList{QStringLiteral("header")});
    EXPECT_FALSE(view.StoreContent()); // nothing changed since
}

TEST_F(ContentViewTest, CtrlLettersDoNothingAndLeavingWithoutAChangeReportsNothing) {
    Function().header.contentText = QStringLiteral("text");
    CFunctionContentView view(document, Function(), host);
    view.setFocus();
    view.selectAll();
    QTest::keyClick(&view, Qt::Key_B, Qt::ControlModifier);
    QTest::keyClick(&view, Qt::Key_1, Qt::ControlModifier);
    EXPECT_FALSE(view.textCursor().charFormat().font().bold());
    EXPECT_EQ(view.toPlainText(), QStringLiteral("text"));
    EXPECT_FALSE(view.StoreContent());
    EXPECT_TRUE(host.reports.isEmpty());
}

TEST_F(ContentViewTest, LinksShowAsLinksAndALeftPressOpensOneWithItsQuotedBlanks) {
    const QString text = QStringLiteral("see \"file:///tmp/my plan.nuv\" or https://example.org/a b\nplain words");
    Function().header.contentText = text;
    CFunctionContentView view(document, Function(), host);
    view.resize(600, 200);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    // Both links are drawn as links; the plain words are not.
    QStringList shown;
    for (const QTextEdit::ExtraSelection& selection : view.extraSelections()) {
        if (selection.format.fontUnderline())
            shown << selection.cursor.selectedText();
    }
    EXPECT_EQ(shown, (QStringList{"file:///tmp/my plan.nuv", "https://example.org/a"}));

    const auto pressAt = [&view](int position) {
        QTextCursor cursor(view.document());
        cursor.setPosition(position);
        const QPoint point = view.cursorRect(cursor).center() + QPoint(2, 0);
        QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, point);
    };
    pressAt(static_cast<int>(text.indexOf(u"plan")));
    EXPECT_EQ(view.textCursor().selectedText(), "file:///tmp/my plan.nuv\"");
    pressAt(static_cast<int>(text.indexOf(u"example")));
    pressAt(static_cast<int>(text.indexOf(u"words")));
    pressAt(static_cast<int>(text.indexOf(u" b")));
    EXPECT_EQ(host.links, (QStringList{"file:///tmp/my plan.nuv", "https://example.org/a"}));
    EXPECT_FALSE(view.textCursor().hasSelection()) << "a press beside a link places the caret";
}

TEST_F(ContentViewTest, ARightClickShowsTheEditPopupInTheInterfaceLanguage) {
    Function().header.contentText = QStringLiteral("rice and water");
    CFunctionContentView view(document, Function(), host);
    CMessageContext japanese;
    japanese.m_language = 1;
    view.SetMessageContext(&japanese);
    view.resize(400, 200);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QApplication::clipboard()->setText(QStringLiteral(" cold"));

    // A right click opens the application's popup, not the text control's own.
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(10, 10), view.mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(view.viewport(), &click);
    auto* shown = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(shown, nullptr);
    QStringList captions;
    for (const QAction* action : shown->actions()) {
        if (!action->isSeparator())
            captions << action->text();
    }
    shown->close();
    EXPECT_EQ(captions,
              (QStringList{"元に戻す(&U)", "切り取り(&T)", "コピー(&C)", "貼り付け(&P)", "テキスト形式で貼り付け(&Q)",
                           "形式を選択して貼り付け(&S)", "削除(&D)", "すべて選択(&A)", "フォント(&F)"}));

    const auto item = [](QMenu& menu, int command) -> QAction* {
        for (QAction* action : menu.actions()) {
            if (action->data().toInt() == command)
                return action;
        }
        return nullptr;
    };
    // Nothing selected: cut, copy and delete are greyed; the clipboard's text can be pasted; the font answers.
    view.moveCursor(QTextCursor::End);
    std::unique_ptr<QMenu> menu(view.CreateContextMenu(nullptr));
    EXPECT_FALSE(item(*menu, 57643)->isEnabled()) << "showing the content is nothing to undo";
    EXPECT_FALSE(item(*menu, 57635)->isEnabled());
    EXPECT_FALSE(item(*menu, 57632)->isEnabled());
    EXPECT_FALSE(item(*menu, 57639)->isEnabled());
    EXPECT_TRUE(item(*menu, 33064)->isEnabled());
    ASSERT_TRUE(item(*menu, 33070)->isEnabled());
    item(*menu, 33070)->trigger();
    EXPECT_EQ(view.ContentText(), QStringLiteral("rice and water cold"));

    // The font of part of a content stored as plain text cannot be kept: the item says so.
    SetTextLanguage(1);
    item(*menu, 33064)->trigger();
    SetTextLanguage(0);
    ASSERT_EQ(sink.Texts().size(), 1);
    EXPECT_TRUE(sink.Texts()[0].contains(QStringLiteral("機能内容欄は書式なしのテキストとして保存される")));

    // In English the same items carry the English captions.
    CMessageContext english;
    view.SetMessageContext(&english);
    view.selectAll();
    menu.reset(view.CreateContextMenu(nullptr));
    EXPECT_EQ(item(*menu, 33064)->text(), "&Font");
    EXPECT_EQ(item(*menu, 33070)->text(), "&Paste plain text");
    ASSERT_TRUE(item(*menu, 57632)->isEnabled());
    item(*menu, 57632)->trigger();
    EXPECT_EQ(view.ContentText(), QString());
}

} // namespace
