#include "settings/ui/InconsistencyPage.h"

#include "SettingsTestHost.h"
#include "platform/MessageBox.h"
#include "support/QStringPrinter.h"
#include "support/ui/DialogChecks.h"
#include "support/ui/ModalDialogs.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

TEST(InconsistencyPage, ARelationTakesTenSentencesAndTheWholeMessage) {
    SettingsTestHost host;
    platform::ScriptedMessageSink sink;
    CInconsistencyPage page(host);
    page.show();
    OnNextModalDialog([&sink](QDialog& dialog) {
        auto* add = dialog.findChild<QPushButton*>("newSentence");
        for (int count = 0; count < 11; ++count)
            add->click();
        EXPECT_EQ(dialog.findChild<QTreeWidget*>("sentences")->topLevelItemCount(), 10);
        EXPECT_EQ(sink.Texts(), QStringList({"これ以上追加できません。"}));
        // The last sentence is selected; the others stay empty and are offered for deletion on OK.
        QTest::keyClicks(dialog.findChild<QLineEdit*>("member"), "M");
        QTest::keyClicks(dialog.findChild<QLineEdit*>("state"), "S");
        QTest::keyClicks(dialog.findChild<QLineEdit*>("message"), QString(70, 'm'));
        dialog.accept();
        EXPECT_EQ(dialog.findChild<QTreeWidget*>("sentences")->topLevelItemCount(), 1);
        dialog.accept();
    });
    page.findChild<QPushButton*>("add")->click();
    auto* relations = page.findChild<QListWidget*>("relations");
    ASSERT_EQ(relations->count(), 1);
    EXPECT_EQ(relations->item(0)->text(), QString(63, 'm'));

    page.accept();
    ASSERT_EQ(host.data.inconsistencyRules.size(), 1u);
    const CInconsistencyRule& rule = *host.data.inconsistencyRules[0];
    EXPECT_EQ(rule.conditionCount, 1);
    EXPECT_EQ(rule.conditions[0].member, "M");
    EXPECT_EQ(rule.conditions[0].state, "S");
    EXPECT_EQ(rule.message.size(), 63);
    EXPECT_EQ(host.modified, 1);
}

TEST(InconsistencyPage, DeletionIsStoredOnlyByOk) {
    SettingsTestHost host;
    CInconsistencyRule rule;
    rule.Init();
    rule.conditionCount = 1;
    rule.conditions[0] = {"A", "on"};
    rule.message = "never";
    host.data.inconsistencyRules.push_back(std::make_unique<CInconsistencyRule>(rule));
    {
        CInconsistencyPage page(host);
        page.show();
        auto* relations = page.findChild<QListWidget*>("relations");
        relations->setCurrentRow(0);
        EXPECT_EQ(page.findChild<QTreeWidget*>("sentences")->topLevelItem(0)->text(1), "on");
        page.findChild<QPushButton*>("delete")->click();
        EXPECT_EQ(relations->count(), 0);
        page.reject();
    }
    EXPECT_EQ(host.data.inconsistencyRules.size(), 1u);
    {
        CInconsistencyPage page(host);
        page.accept();
    }
    EXPECT_EQ(host.data.inconsistencyRules.size(), 1u);
    EXPECT_EQ(host.modified, 0);
    CInconsistencyPage page(host);
    page.findChild<QListWidget*>("relations")->setCurrentRow(0);
    page.findChild<QPushButton*>("delete")->click();
    page.accept();
    EXPECT_TRUE(host.data.inconsistencyRules.empty());
    EXPECT_EQ(host.modified, 1);
}

// A list that takes the focus makes its first row current without selecting it; "削除" and "変更" wait for a row
// the user selects, on the page and in the relation's item dialog alike, whose edits show only a selected row.
TEST(InconsistencyPage, DeleteAndChangeWaitForASelectedRow) {
    SettingsTestHost host;
    CInconsistencyRule rule;
    rule.Init();
    rule.conditionCount = 2;
    rule.conditions[0] = {"A", "on"};
    rule.conditions[1] = {"B", "off"};
    rule.message = "never";
    host.data.inconsistencyRules.push_back(std::make_unique<CInconsistencyRule>(rule));
    CInconsistencyPage page(host);
    page.show();
    auto* relations = page.findChild<QListWidget*>("relations");
    auto* remove = page.findChild<QPushButton*>("delete");
    auto* change = page.findChild<QPushButton*>("change");
    dialog_checks::TabInto(*relations);
    EXPECT_EQ(relations->currentRow(), 0);
    EXPECT_FALSE(remove->isEnabled());
    EXPECT_FALSE(change->isEnabled());
    remove->click();
    EXPECT_EQ(relations->count(), 1);

    relations->setCurrentRow(0);
    EXPECT_TRUE(remove->isEnabled());
    EXPECT_TRUE(change->isEnabled());
    bool checked = false;
    OnNextModalDialog([&checked](QDialog& dialog) {
        auto* sentences = dialog.findChild<QTreeWidget*>("sentences");
        auto* removeSentence = dialog.findChild<QPushButton*>("deleteSentence");
        dialog_checks::TabInto(*sentences);
        EXPECT_FALSE(removeSentence->isEnabled());
        EXPECT_TRUE(dialog.findChild<QLineEdit*>("member")->isReadOnly());
        removeSentence->click();
        EXPECT_EQ(sentences->topLevelItemCount(), 2);
        sentences->setCurrentItem(sentences->topLevelItem(1));
        EXPECT_TRUE(removeSentence->isEnabled());
        EXPECT_EQ(dialog.findChild<QLineEdit*>("member")->text(), "B");
        // Deleted, the last sentence leaves none selected: the edits no longer show it.
        removeSentence->click();
        EXPECT_EQ(sentences->topLevelItemCount(), 1);
        EXPECT_EQ(dialog.findChild<QLineEdit*>("member")->text(), "");
        EXPECT_EQ(dialog.findChild<QLineEdit*>("state")->text(), "");
        checked = true;
        dialog.reject();
    });
    change->click();
    EXPECT_TRUE(checked);
}

} // namespace
