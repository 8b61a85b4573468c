#include "settings/ui/IntelligencePage.h"

#include "SettingsTestHost.h"
#include "platform/MessageBox.h"
#include "settings/ui/RuleCommands.h"
#include "support/QStringPrinter.h"
#include "support/ui/DialogChecks.h"
#include "support/ui/ModalDialogs.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

void FillRule(QDialog& dialog, const QString& member, const QString& state1, const QString& state2) {
    auto* if1Member = dialog.findChild<QLineEdit*>("if1Member");
    if1Member->clear();
    QTest::keyClicks(if1Member, member);
    dialog.findChild<QLineEdit*>("if1Status")->setText(state1);
    dialog.findChild<QLineEdit*>("if2Status")->setText(state2);
}

// Adds to the document the rule that member M's state "a" rules out its state "b", doing `doMember`.
void AddExclusionRule(SettingsTestHost& host, const QString& doMember = QString()) {
    CIntraMemberConsistencyRule rule;
    rule.Init();
    rule.if1Member = rule.if2Member = "M";
    rule.if1Status = "a";
    rule.if2Status = "b";
    rule.doMember = doMember;
    host.data.intraMemberConsistencyRules.push_back(std::make_unique<CIntraMemberConsistencyRule>(rule));
}

QStringList RowTexts(QTreeWidget& view) {
    QStringList rows;
    for (int row = 0; row < view.topLevelItemCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < 6; ++column)
            cells << view.topLevelItem(row)->text(column);
        rows << cells.join('|');
    }
    return rows;
}

TEST(IntelligencePage, AddsSortedRefusesDuplicatesAndStoresOnOk) {
    SettingsTestHost host;
    platform::ScriptedMessageSink sink;
    CIntelligencePage page(host);
    page.show();
    auto* view = page.findChild<QTreeWidget*>("rules");
    auto* add = page.findChild<QPushButton*>("add");

    OnNextModalDialog([](QDialog& dialog) {
        FillRule(dialog, "X", "T", "U");
        EXPECT_EQ(dialog.findChild<QLineEdit*>("if2Member")->text(), "X");
        dialog.accept();
    });
    add->click();
    OnNextModalDialog([](QDialog& dialog) {
        FillRule(dialog, "X", "A", "B");
        dialog.accept();
    });
    add->click();
    EXPECT_EQ(RowTexts(*view), QStringList({"X|A|X|B||", "X|T|X|U||"}));

    // The same combination again is refused and the dialog stays open until Cancel.
    OnNextModalDialog([](QDialog& dialog) {
        FillRule(dialog, "X", "T", "U");
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible());
        dialog.reject();
    });
    add->click();
    EXPECT_EQ(sink.Texts().last(), "すでに登録されています。");
    EXPECT_EQ(view->topLevelItemCount(), 2);

    // An unchanged rule opened with "変更" closes on OK.
    view->setCurrentItem(view->topLevelItem(1));
    OnNextModalDialog([](QDialog& dialog) { dialog.accept(); });
    page.findChild<QPushButton*>("change")->click();
    EXPECT_EQ(sink.Requests().size(), 1);

    EXPECT_EQ(host.data.intraMemberConsistencyRules.size(), 0u);
    page.accept();
    ASSERT_EQ(host.data.intraMemberConsistencyRules.size(), 2u);
    EXPECT_EQ(host.data.intraMemberConsistencyRules[0]->if1Status, "A");
    EXPECT_EQ(host.modified, 1);
}

TEST(IntelligencePage, CancelAndUnchangedOkLeaveTheDocumentAlone) {
    SettingsTestHost host;
    AddExclusionRule(host, "kept");
    {
        CIntelligencePage page(host);
        page.show();
        auto* view = page.findChild<QTreeWidget*>("rules");
        // Without the initialisation flag its names are not shown.
        EXPECT_EQ(RowTexts(*view), QStringList({"M|a|M|b||"}));
        view->setCurrentItem(view->topLevelItem(0));
        page.findChild<QPushButton*>("delete")->click();
        page.reject();
    }
    ASSERT_EQ(host.data.intraMemberConsistencyRules.size(), 1u);
    CIntelligencePage page(host);
    page.accept();
    ASSERT_EQ(host.data.intraMemberConsistencyRules.size(), 1u);
    EXPECT_EQ(host.data.intraMemberConsistencyRules[0]->doMember, "kept");
    EXPECT_EQ(host.modified, 0);
}

// The view makes its first row current when it takes the focus, without selecting it: "削除" and "変更" wait for a
// row the user selects.
TEST(IntelligencePage, DeleteAndChangeWaitForASelectedRow) {
    SettingsTestHost host;
    AddExclusionRule(host);
    CIntelligencePage page(host);
    page.show();
    auto* view = page.findChild<QTreeWidget*>("rules");
    auto* remove = page.findChild<QPushButton*>("delete");
    auto* change = page.findChild<QPushButton*>("change");
    EXPECT_FALSE(remove->isEnabled());
    dialog_checks::TabInto(*view);
    EXPECT_EQ(view->currentItem(), view->topLevelItem(0));
    EXPECT_FALSE(remove->isEnabled());
    EXPECT_FALSE(change->isEnabled());
    remove->click();
    EXPECT_EQ(view->topLevelItemCount(), 1);
    view->setCurrentItem(view->topLevelItem(0));
    EXPECT_TRUE(remove->isEnabled());
    EXPECT_TRUE(change->isEnabled());
    remove->click();
    EXPECT_EQ(view->topLevelItemCount(), 0);
    EXPECT_FALSE(remove->isEnabled());
}

TEST(IntelligencePage, AnOfferedRuleJoinsTheDocumentOrIsRefused) {
    SettingsTestHost host;
    platform::ScriptedMessageSink sink;
    OfferIntraMemberConsistencyRule(host, "M", QString(73, 's'), "t");
    EXPECT_EQ(sink.Requests().size(), 1);
    EXPECT_TRUE(host.data.intraMemberConsistencyRules.empty());

    OnNextModalDialog([](QDialog& dialog) {
        EXPECT_EQ(dialog.findChild<QLineEdit*>("if2Status")->text(), "t");
        dialog.accept();
    });
    OfferIntraMemberConsistencyRule(host, "M", "s", "t");
    OnNextModalDialog([](QDialog& dialog) { dialog.accept(); });
    OfferIntraMemberConsistencyRule(host, "M", "a", "b");
    ASSERT_EQ(host.data.intraMemberConsistencyRules.size(), 2u);
    EXPECT_EQ(host.data.intraMemberConsistencyRules[0]->if1Status, "a");
    EXPECT_EQ(host.modified, 2);
}

} // namespace
