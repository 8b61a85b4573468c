#include "settings/ui/MemberDlg.h"

#include "SettingsTestHost.h"
#include "platform/MessageBox.h"
#include "settings/ui/VocabularyTable.h"
#include "support/QStringPrinter.h"

#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

CMemberDefinition Member(const QString& name, const QString& explanation, std::vector<CStateDefinition> states) {
    CMemberDefinition member;
    member.name = name;
    member.explanation = explanation;
    member.states = std::move(states);
    return member;
}

} // namespace

TEST(MemberDlg, TheStateTableFollowsTheCurrentMemberAndKeepsItsEdits) {
    SettingsTestHost host;
    host.data.memberDefinitions = {Member("Door", "front door", {{"open", ""}, {"closed", "locked too"}}),
                                   Member("Lamp", "", {{"on", ""}})};
    const MemberDefinitionList before = host.data.memberDefinitions;
    {
        CMemberDlg dialog(host);
        CVocabularyTable& members = *dialog.MemberTable();
        CVocabularyTable& states = *dialog.StateTable();
        ASSERT_EQ(members.RowCount(), 2);
        EXPECT_EQ(members.Text(0, CMemberDlg::ExplanationColumn), "front door");
        ASSERT_EQ(states.RowCount(), 2);
        EXPECT_EQ(states.Text(1, CMemberDlg::ExplanationColumn), "locked too");
        states.SetText(0, CMemberDlg::NameColumn, "opened");
        members.Table()->setCurrentCell(1, 0);
        ASSERT_EQ(states.RowCount(), 1);
        EXPECT_EQ(states.Text(0, CMemberDlg::NameColumn), "on");
        members.Table()->setCurrentCell(0, 0);
        EXPECT_EQ(states.Text(0, CMemberDlg::NameColumn), "opened");
        dialog.reject();
        EXPECT_EQ(host.data.memberDefinitions, before) << "Cancel stores nothing";
    }
    CMemberDlg dialog(host);
    dialog.accept();
    EXPECT_FALSE(dialog.Stored());
    EXPECT_EQ(host.modified, 0);
}

TEST(MemberDlg, OkStoresMembersWithTheirStatesAndADeletedMemberGoesWithItsStates) {
    SettingsTestHost host;
    host.data.memberDefinitions = {Member("Door", "", {{"open", ""}}), Member("Lamp", "", {{"on", ""}})};
    CMemberDlg dialog(host);
    dialog.show();
    CVocabularyTable& members = *dialog.MemberTable();
    CVocabularyTable& states = *dialog.StateTable();
    members.Table()->setCurrentCell(0, 0);
    QTest::mouseClick(members.DeleteButton(), Qt::LeftButton);
    ASSERT_EQ(members.RowCount(), 1);
    EXPECT_EQ(states.Text(0, CMemberDlg::NameColumn), "on");
    QTest::mouseClick(states.NewButton(), Qt::LeftButton);
    states.SetText(1, CMemberDlg::NameColumn, "on");
    {
        platform::ScriptedMessageSink sink;
        sink.Answer(platform::MessageAnswer::Ok);
        dialog.accept();
        EXPECT_EQ(sink.Texts(),
                  QStringList{"状態名 \"on\" が重複しています。\n重複する状態名を削除してよろしいですか？"});
        EXPECT_TRUE(dialog.isVisible());
    }
    EXPECT_EQ(states.RowCount(), 1);
    states.SetText(0, CMemberDlg::ExplanationColumn, "lit");
    dialog.accept();
    EXPECT_TRUE(dialog.Stored());
    EXPECT_EQ(host.modified, 1);
    EXPECT_EQ(host.data.memberDefinitions, (MemberDefinitionList{Member("Lamp", "", {{"on", "lit"}})}));
}
