#include "model/DocumentData.h"
#include "search/ui/SearchDialogs.h"
#include "search/ui/VeskDialogs.h"
#include "support/ui/DialogChecks.h"
#include "texts/MessageContext.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

// Tab from the find box reaches the replace box: the replacement typed after it and Return send both texts.
TEST(DialogFocus, TheReplacementTypedAfterTabIsTheOneSent) {
    CMessageContext context;
    std::vector<ReplaceRequest> sent;
    CAllReplaceDlg dialog(context, [&sent](const ReplaceRequest& request) { sent.push_back(request); });
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    auto* find = dialog.findChildren<QLineEdit*>().value(0);
    ASSERT_NE(find, nullptr);
    find->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(find, "alpha");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dialog.ReplaceBox());
    QTest::keyClicks(QApplication::focusWidget(), "beta");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].findText, "alpha");
    EXPECT_EQ(sent[0].replaceText, "beta");
}

TEST(DialogFocus, EverySearchDialogIsWalkedInReadingOrder) {
    CMessageContext context;
    {
        CAdvancedSearchDlg dialog(context, [](const SearchRequest&) {});
        dialog_checks::ExpectReadingOrder(dialog);
    }
    {
        CAllReplaceDlg dialog(context, [](const ReplaceRequest&) {});
        dialog_checks::ExpectReadingOrder(dialog);
    }
    {
        SimilarWordSettings settings;
        CSimilarDlg dialog(context, settings);
        dialog_checks::ExpectReadingOrder(dialog);
    }
    LineMarkTable table;
    {
        CVeskSearchDlg dialog(context, table);
        dialog_checks::ExpectReadingOrder(dialog);
    }
    {
        CVeskSettingDlg dialog(context, table);
        dialog_checks::ExpectReadingOrder(dialog);
    }
}

// Line-mark names of any length, as a document may hold them: the dialogs that list them open within the screen.
TEST(DialogFocus, LongLineMarkNamesKeepTheDialogsWithinTheScreen) {
    CMessageContext context;
    LineMarkTable table;
    for (QString& name : table.groupNames)
        name = QString(160, QChar(u'群'));
    for (LineMarkTable::Attribute& attribute : table.attributes)
        attribute.name = QString(160, QChar(u'印'));
    {
        CVeskSearchDlg dialog(context, table);
        dialog_checks::ExpectWithinScreen(dialog);
    }
    {
        CVeskSettingDlg dialog(context, table);
        dialog_checks::ExpectWithinScreen(dialog);
    }
}
