#include "model/TextUtilities.h"
#include "model/UnitFunctionRegistry.h"

#include <gtest/gtest.h>

TEST(TextUtilities, FnLinesTakeTheCalleesCurrentNameAndMoveTheirEnd) {
    CUnitFunctionRegistry registry;
    CUnitFunction& callee = *registry.CreateFunctionWithID(7);
    callee.name = "炊飯する";
    CUnitFunction& caller = *registry.CreateFunctionWithID(3);
    auto addFn = [&](quint32 called, const QString& text) {
        auto line = std::make_unique<CLogicLine>();
        line->lineKind = SyntaxFn;
        line->calledInternalID = called;
        line->textSlots[0].text = text;
        line->End = 20;
        caller.logicLines.push_back(std::move(line));
    };
    addFn(7, "old name");
    addFn(99, "gone");
    auto comment = std::make_unique<CLogicLine>();
    comment->lineKind = SyntaxComment;
    comment->calledInternalID = 7;
    comment->textSlots[0].text = "note";
    caller.logicLines.push_back(std::move(comment));

    bool found = true;
    EXPECT_EQ(GetFnTargetName(*caller.logicLines[1], registry, found), "");
    EXPECT_FALSE(found);
    RefreshFnLines(caller, registry);
    EXPECT_EQ(caller.logicLines[0]->textSlots[0].text, "炊飯する");
    EXPECT_EQ(caller.logicLines[0]->End, 16);
    EXPECT_EQ(caller.logicLines[1]->textSlots[0].text, "gone");
    EXPECT_EQ(caller.logicLines[1]->End, 20);
    EXPECT_EQ(caller.logicLines[2]->textSlots[0].text, "note");
}
