#include "model/UnitFunctionRegistry.h"
#include "ModelTestSupport.h"
#include "model/AuxiliaryVerb.h"
#include "model/FunctionAttribute.h"
#include "platform/MessageBox.h"
#include "platform/RandomGenerator.h"

#include <gtest/gtest.h>

TEST(UnitFunctionRegistry, TenThousandCreationsGetDistinctIdsInRange) {
    CDocumentData document;
    platform::SeedRandom(12345);
    std::set<quint32> ids;
    for (int i = 0; i < 10000; ++i) {
        CUnitFunction* function = document.registry.CreateFunction(QString::number(i), ModelOptions());
        ASSERT_NE(function, nullptr);
        EXPECT_GE(function->InternalID, 1u);
        EXPECT_LE(function->InternalID, 32767u);
        ids.insert(function->InternalID);
    }
    EXPECT_EQ(ids.size(), 10000u);
    EXPECT_EQ(document.registry.Count(), 10000);
}

TEST(UnitFunctionRegistry, CreationIsRefusedWhenEveryIdIsTaken) {
    CUnitFunctionRegistry registry;
    for (quint32 id = 1; id <= CUnitFunctionRegistry::MaxDrawnInternalID; ++id)
        registry.CreateFunctionWithID(id);
    platform::ScriptedMessageSink sink;
    EXPECT_EQ(registry.CreateFunction("late", ModelOptions()), nullptr);
    EXPECT_EQ(registry.CreateFunctionForMerge("late"), nullptr);
    EXPECT_EQ(registry.Count(), 32767);
    ASSERT_EQ(sink.Requests().size(), 2);
    EXPECT_EQ(sink.Requests()[0].icon, platform::MessageIcon::Error);
    EXPECT_EQ(registry.FindByName("late"), nullptr);
}

TEST(UnitFunctionRegistry, CreateFunctionAppliesTheDocumentDefaults) {
    CUnitFunctionRegistry registry;
    ModelOptions options;
    options.UnNecessaryReasoningDefault = false;
    CUnitFunction* plain = registry.CreateFunction("a", options);
    EXPECT_EQ(plain->header.UnNecessaryReasoning, 0);
    options.UnNecessaryReasoningDefault = true;
    EXPECT_EQ(registry.CreateFunction("b", options)->header.UnNecessaryReasoning, 1);
    EXPECT_EQ(registry.CreateFunctionForMerge("c")->header.UnNecessaryReasoning, 0);

    CUnitFunction* stored = registry.CreateFunctionWithID(7);
    stored->name = "kept";
    EXPECT_EQ(registry.CreateFunctionWithID(7), stored);
    EXPECT_EQ(stored->name, "kept");
}

TEST(UnitFunctionRegistry, LookupsTakeTheSmallestInternalIdFirst) {
    CUnitFunctionRegistry registry;
    CUnitFunction* origin = registry.CreateFunctionWithID(50);
    registry.origin = origin;
    CUnitFunction* high = registry.CreateFunctionWithID(30);
    CUnitFunction* low = registry.CreateFunctionWithID(20);
    high->name = low->name = "twin";
    low->header.uniqueLabel = "L-1";
    EXPECT_EQ(registry.FindByName("twin"), low);
    EXPECT_EQ(registry.FindByName(""), origin);
    EXPECT_EQ(registry.FindByUniqueLabel("L-1"), low);
    EXPECT_EQ(registry.FindByInternalID(99), nullptr);

    QString duplicate;
    EXPECT_TRUE(registry.FindDuplicateName(duplicate));
    EXPECT_EQ(duplicate, "twin");
    high->name = "single";
    EXPECT_FALSE(registry.FindDuplicateName(duplicate));

    UnitFunctionSet named;
    registry.CollectForSelection(named, "single");
    EXPECT_EQ(named, UnitFunctionSet{high});
}

TEST(UnitFunctionRegistry, ReachabilityAndCyclesFollowFnStatements) {
    CUnitFunctionRegistry registry;
    CUnitFunction* a = registry.CreateFunctionWithID(1);
    CUnitFunction* b = registry.CreateFunctionWithID(2);
    CUnitFunction* c = registry.CreateFunctionWithID(3);
    AppendFnLine(a, b);
    AppendFnLine(b, c);
    std::set<const CUnitFunction*> visited;
    EXPECT_TRUE(registry.IsReachable(a, c, visited));
    visited.clear();
    EXPECT_FALSE(registry.IsReachable(c, a, visited));
    visited.clear();
    EXPECT_TRUE(registry.IsReachable(c, c, visited));
    EXPECT_FALSE(registry.HasFnCycle(a));

    AppendFnLine(c, a);
    EXPECT_TRUE(registry.HasFnCycle(a));
    EXPECT_EQ(registry.CountFnStatements(), 3);
}

// As deep as a document can be: every walk keeps its own stack, and places share their prefixes.
TEST(UnitFunctionRegistry, DeepHierarchiesAreWalkedWithoutRecursion) {
    const int depth = 32766;
    auto doc = std::make_unique<TestDocument>();
    doc->options.SynchronizeFn = 2;
    CUnitFunction* parent = doc->origin();
    for (quint32 id = 1; id <= depth; ++id)
        parent = doc->Add(100000 + id, "L", parent);
    CUnitFunction* deepest = parent;
    doc->registry().SynchronizeAllFnLines(doc->options);
    doc->Rebuild();
    EXPECT_EQ(deepest->GetPrimaryOutlineNumber(), OutlineNumber(depth, 1));
    EXPECT_EQ(deepest->GetOutlineNumberText(true).size(), 2 * depth - 1);
    EXPECT_EQ(deepest->occurrenceCount, 1);
    EXPECT_EQ(CAbstractIndexItem::CountItems(&doc->root()), depth + 1);

    std::set<const CUnitFunction*> visited;
    EXPECT_TRUE(doc->registry().IsReachable(doc->origin(), deepest, visited));
    EXPECT_FALSE(doc->registry().HasFnCycle(doc->origin()));
    AppendFnLine(deepest, doc->origin());
    EXPECT_TRUE(doc->registry().HasFnCycle(doc->origin()));

    // Closing the cycle adds one place, cut there; the rebuilt tree keeps its items.
    CUnitFunction::AppendChild(deepest, doc->origin());
    doc->Rebuild();
    CAbstractIndexItem* last = doc->Item(OutlineNumber(depth + 1, 1));
    ASSERT_NE(last, nullptr);
    EXPECT_TRUE(last->cycleStop);
    EXPECT_EQ(doc->origin()->occurrenceCount, -1);
    EXPECT_EQ(CAbstractIndexItem::FindParent(&doc->root(), last, &doc->root())->unitFunction, deepest);

    CAbstractIndexItem copy = doc->root();
    std::vector<CAbstractIndexItem*> items;
    CAbstractIndexItem::CollectSubtree(&copy, items);
    ASSERT_EQ(items.size(), static_cast<size_t>(depth + 2));
    EXPECT_EQ(items.back()->GetOutlineNumber(), OutlineNumber(depth + 1, 1));
    doc.reset();
}

TEST(UnitFunctionRegistry, RematchingFollowsTheEditedTables) {
    CUnitFunctionRegistry registry;
    CUnitFunction* function = registry.CreateFunctionWithID(1);
    function->header.Type = "SE";
    CLogicLine* condition = AppendLine(function, SyntaxIf);
    condition->textSlots[3].text = "である";
    CLogicLine* branch = AppendLine(function, SyntaxCase);
    branch->textSlots[1].text = "となった";
    CLogicLine* action = AppendLine(function, SyntaxDo);
    action->textSlots[3].text = "である";
    action->auxiliaryVerbId = 9;

    registry.RematchFunctionAttributesAll(FunctionAttribute::GetDefaults());
    registry.RematchAuxiliaryVerbsAll(AuxiliaryVerb::GetDefaults());
    EXPECT_EQ(function->header.TypeNo, 2);
    EXPECT_EQ(condition->auxiliaryVerbId, 4);
    EXPECT_EQ(branch->auxiliaryVerbId, 1);
    EXPECT_EQ(action->auxiliaryVerbId, 9);

    // An empty type text matches an attribute with an empty symbol; nothing matching gives 0.
    std::vector<FunctionAttribute> edited(1);
    edited[0].id = 7;
    condition->textSlots[3].text = "ではない";
    registry.RematchAuxiliaryVerbsAll(AuxiliaryVerb::GetDefaults());
    registry.RematchFunctionAttributesAll(edited);
    EXPECT_EQ(condition->auxiliaryVerbId, 0);
    EXPECT_EQ(function->header.TypeNo, 0);
    function->header.Type.clear();
    registry.RematchFunctionAttributesAll(edited);
    EXPECT_EQ(function->header.TypeNo, 7);
}
