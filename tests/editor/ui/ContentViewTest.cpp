#include "TabFormHost.h"
#include "editor/ui/DocumentFontResolver.h"
#include "editor/ui/FunctionContentView.h"
#include "model/DocumentData.h"
#include "platform/MessageBox.h"

#include <QFontDatabase>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

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

TEST_F(ContentViewTest, ClickedLinksGoToTheHostWithTheirModifiers) {
    Function().header.contentText = QStringLiteral("see \"/tmp/my plan.nuv\" or https://example.org/a b");
    CFunctionContentView view(document, Function(), host);
    view.resize(600, 200);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    const auto clickAt = [&view](int position, Qt::KeyboardModifiers modifiers) {
        QTextCursor cursor(view.document());
        cursor.setPosition(position);
        const QPoint point = view.cursorRect(cursor).center() + QPoint(1, 0);
        QTest::mouseClick(view.viewport(), Qt::LeftButton, modifiers, point);
    };
    clickAt(8, Qt::ControlModifier);
    clickAt(30, Qt::NoModifier);
    EXPECT_EQ(host.links, (QStringList{"/tmp/my plan.nuv ctrl", "https://example.org/a"}));
}

} // namespace
