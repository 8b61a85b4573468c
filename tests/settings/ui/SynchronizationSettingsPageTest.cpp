#include "PagesTestSheet.h"

#include "settings/ui/SynchronizationSettingsPage.h"

#include "model/LogicLine.h"

#include <QAbstractButton>
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
