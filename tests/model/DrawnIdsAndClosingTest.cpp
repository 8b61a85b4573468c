#include "ModelTestSupport.h"
#include "model/UnitFunctionRegistry.h"
#include "platform/MessageBox.h"
#include "platform/RandomGenerator.h"

#include <gtest/gtest.h>

namespace {

// Takes every drawable ID but the given one (0 for none), plus some beyond the drawable range.
void TakeDrawableIdsExcept(CUnitFunctionRegistry& registry, quint32 freeId) {
    for (quint32 id = 1; id <= CUnitFunctionRegistry::MaxDrawnInternalID; ++id) {
        if (id != freeId)
            registry.CreateFunctionWithID(id);
    }
    registry.CreateFunctionWithID(40000);
    registry.CreateFunctionWithID(0);
}

std::vector<quint32> DrawIds(CDocumentData& document, int count) {
    std::vector<quint32> ids;
    for (int i = 0; i < count; ++i)
        ids.push_back(document.registry.CreateFunction(QString::number(i), ModelOptions())->InternalID);
    return ids;
}

} // namespace

TEST(DrawnIds, DocumentsMadeInTheSameSecondDrawDifferentIds) {
    // Making a document leaves the process's sequence alone.
    platform::SeedRandom(4711);
    const int expected = platform::Random();
    platform::SeedRandom(4711);
    CDocumentData first;
    EXPECT_EQ(platform::Random(), expected);

    const std::vector<quint32> firstIds = DrawIds(first, 8);
    CDocumentData second;
    EXPECT_NE(DrawIds(second, 8), firstIds);
}

TEST(DrawnIds, TheLastFreeIdIsDrawnAndIdsBeyondTheRangeDoNotCount) {
    CUnitFunctionRegistry registry;
    TakeDrawableIdsExcept(registry, 20001);
    platform::ScriptedMessageSink sink;
    CUnitFunction* created = registry.CreateFunction("last", ModelOptions());
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->InternalID, 20001u);
    EXPECT_EQ(registry.FindByInternalID(20001), created);
    EXPECT_EQ(registry.CreateFunctionForMerge("one too many"), nullptr);
    EXPECT_EQ(sink.Requests().size(), 1);
}

TEST(DrawnIds, DeletingOrClearingGivesIdsBack) {
    TestDocument doc;
    CUnitFunctionRegistry& registry = doc.registry();
    TakeDrawableIdsExcept(registry, 0);
    platform::ScriptedMessageSink sink;
    ASSERT_TRUE(registry.DeleteFunction(registry.FindByInternalID(777), doc.data, doc.options));
    CUnitFunction* reused = registry.CreateFunction("again", doc.options);
    ASSERT_NE(reused, nullptr);
    EXPECT_EQ(reused->InternalID, 777u);
    EXPECT_EQ(reused->name, "again");

    registry.Clear();
    EXPECT_NE(registry.CreateFunction("fresh", doc.options), nullptr);
    EXPECT_TRUE(sink.Requests().empty());
}

TEST(ClosingAtExit, LeavesAnEmptyDocumentThatTakesNewUnitFunctions) {
    TestDocument doc;
    CUnitFunction* child = doc.Add(12, "Child", doc.origin());
    doc.Add(13, "Grandchild", child);
    doc.Rebuild();
    ASSERT_EQ(CAbstractIndexItem::CountItems(&doc.root()), 3);

    doc.data.ClearFunctionsAtExit();
    EXPECT_EQ(doc.registry().Count(), 0);
    EXPECT_EQ(doc.registry().origin, nullptr);
    EXPECT_EQ(doc.registry().FindByInternalID(12), nullptr);
    EXPECT_EQ(doc.root().unitFunction, nullptr);
    EXPECT_TRUE(doc.root().children.empty());

    // The IDs of the old document are free again and the tree is built from the new origin only.
    doc.registry().origin = doc.registry().CreateFunctionWithID(12);
    doc.Rebuild();
    EXPECT_EQ(doc.root().unitFunction, doc.registry().origin);
    EXPECT_EQ(CAbstractIndexItem::CountItems(&doc.root()), 1);
}
