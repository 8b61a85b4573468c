#include "logic/MemberNameRegistration.h"

#include "logic/InspectionView.h"
#include "model/DocumentData.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(MemberNameRegistration, RegisteringAKnownMemberStillRegistersItsStates) {
    CDocumentData data;
    data.SetDefaults();
    CUnitFunction& function = *data.registry.origin;
    const std::tuple<quint8, QString, QString> lines[] = {{SyntaxIf, "Door", "Open"},
                                                          {SyntaxDo, "Door", "Closed"},
                                                          {SyntaxSwitch, "Door", ""},
                                                          {SyntaxTransitState, "Door", "Open"}};
    for (const auto& [kind, member, state] : lines) {
        CLogicLine& line = *function.logicLines.emplace_back(std::make_unique<CLogicLine>());
        line.lineKind = kind;
        line.textSlots[0].text = member;
        line.textSlots[2].text = state;
    }
    data.memberDefinitions.push_back({"Door", "", {{"Closed", ""}}});
    CInspectionView pane;
    EXPECT_FALSE(RegisterMemberName(data, "Door", nullptr));
    EXPECT_FALSE(RegisterMemberName(data, "", &pane));
    EXPECT_TRUE(RegisterMemberName(data, "Door", &pane));
    const QString number = function.GetOutlineNumberText(false);
    EXPECT_EQ(pane.Lines(), (QStringList{"メンバー名 \"Door\" はすでに登録されています。",
                                         "[" + number + " Line 1] 状態名 \"Open\" を登録しました。",
                                         "1 個の状態名を登録しました。"}));
    EXPECT_EQ(data.memberDefinitions[0].states.size(), 2u);
    ASSERT_TRUE(pane.GetLineRecord(0).has_value());
    EXPECT_EQ(pane.GetLineRecord(0)->lineIndex, 0);

    EXPECT_TRUE(RegisterMemberName(data, "Motor", &pane));
    EXPECT_EQ(pane.Lines().first(), "メンバー名 \"Motor\" を登録しました。");
    EXPECT_EQ(data.memberDefinitions.size(), 2u);
    EXPECT_FALSE(RegisterMemberName(data, "Door", &pane));
}

// A member name typed before its state registers the name alone: the register keeps no state without a name.
TEST(MemberNameRegistration, ALineWithoutAStateRegistersTheNameAlone) {
    CDocumentData data;
    data.SetDefaults();
    CLogicLine& line = *data.registry.origin->logicLines.emplace_back(std::make_unique<CLogicLine>());
    line.lineKind = SyntaxIf;
    line.textSlots[0].text = "Valve";
    CInspectionView pane;
    EXPECT_TRUE(RegisterMemberName(data, "Valve", &pane));
    ASSERT_EQ(data.memberDefinitions.size(), 1u);
    EXPECT_TRUE(data.memberDefinitions[0].states.empty());
    EXPECT_EQ(pane.Lines().last(), "0 個の状態名を登録しました。");
}
