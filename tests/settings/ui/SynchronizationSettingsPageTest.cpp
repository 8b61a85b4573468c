#include "PagesTestSheet.h"

#include "settings/ui/SynchronizationSettingsPage.h"

#include "model/LogicLine.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>

#include <gtest/gtest.h>

using platform::MessageAnswer;

namespace {

// Opens the page on a document whose origin has a child without an Fn statement, chooses "always synchronise",
// answers the question and presses OK.
void SwitchToAlwaysSynchronize(PagesTestSheet& test, MessageAnswer answer) {
    CDocumentData& data = test.host.data;
    CUnitFunction::AddChild(data.registry.origin, data.registry.CreateFunction("A", data.GetModelOptions()));
    auto* page = test.Open<CSynchronizationSettingsPage>();
    EXPECT_TRUE(page->ModeButtons()->button(1)->isChecked());
    EXPECT_FALSE(page->DuplicateSiblingsBox()->isChecked());
    PagesTestSheet::Click(page->ModeButtons()->button(2));
    test.sink.Answer(answer);
    test.ClickOk();
    EXPECT_FALSE(test.sheet.isVisible());
    EXPECT_EQ(test.sink.Requests().size(), 1);
    EXPECT_EQ(data.environment.synchronizeFn, 2);
    EXPECT_EQ(test.host.modified, 1);
}

} // namespace

TEST(SynchronizationSettingsPageTest, ConfirmationAnsweredOkAddsTheFnStatements) {
    PagesTestSheet test;
    SwitchToAlwaysSynchronize(test, MessageAnswer::Ok);
    const CUnitFunction& origin = *test.host.data.registry.origin;
    ASSERT_EQ(origin.logicLines.size(), 1u);
    EXPECT_EQ(origin.logicLines[0]->calledInternalID, origin.children[0]->InternalID);
}

TEST(SynchronizationSettingsPageTest, ConfirmationAnsweredCancelLeavesTheLogicAlone) {
    PagesTestSheet test;
    SwitchToAlwaysSynchronize(test, MessageAnswer::Cancel);
    EXPECT_TRUE(test.host.data.registry.origin->logicLines.empty());
}

// Tab into the mode group, from either side, lands on the checked mode; the next Tab leaves the group.
TEST(SynchronizationSettingsPageTest, TabIntoTheModesLandsOnTheCheckedOne) {
    PagesTestSheet test;
    auto* page = test.Open<CSynchronizationSettingsPage>();
    test.sheet.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&test.sheet));
    QAbstractButton* checked = page->ModeButtons()->button(1);
    ASSERT_TRUE(checked->isChecked());
    QWidget* before = page->ModeButtons()->button(0)->previousInFocusChain();
    while (before && !(before->focusPolicy() & Qt::TabFocus))
        before = before->previousInFocusChain();
    ASSERT_NE(before, nullptr);
    before->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(before, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), checked);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), page->DuplicateSiblingsBox());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), checked);
    // The arrow keys choose within the group, and Tab finds the new choice.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_TRUE(page->ModeButtons()->button(2)->isChecked());
    page->DuplicateSiblingsBox()->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(page->DuplicateSiblingsBox(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), page->ModeButtons()->button(2));
}
