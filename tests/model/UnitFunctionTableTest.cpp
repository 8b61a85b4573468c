#include "model/UnitFunctionTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

std::vector<quint32> IdsInOrder(const CUnitFunctionTable& table) {
    std::vector<quint32> ids;
    for (const auto& [id, function] : table) {
        EXPECT_EQ(function.InternalID, id);
        ids.push_back(id);
    }
    return ids;
}

} // namespace

TEST(UnitFunctionTable, RunsInAscendingIdOrderWhateverTheInsertionOrder) {
    CUnitFunctionTable table;
    EXPECT_TRUE(IdsInOrder(table).empty());
    // Both ends of the slots, both sides of word boundaries, and larger IDs appended and inserted.
    const std::vector<quint32> inserted{65, 70000, 0, 32767, 63, 40000, 64, 32768, 1, 4000000000u, 50000};
    for (quint32 id : inserted) {
        const auto [function, created] = table.Insert(id);
        ASSERT_TRUE(created);
        EXPECT_EQ(function->InternalID, id);
    }
    std::vector<quint32> sorted = inserted;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(IdsInOrder(table), sorted);
    EXPECT_EQ(table.size(), inserted.size());
    EXPECT_EQ(table.SlotsInUse(), 6u);

    for (quint32 id : inserted) {
        CUnitFunction* found = table.Find(id);
        ASSERT_NE(found, nullptr);
        // Inserting a taken ID hands back the stored unit function untouched.
        found->name = QStringLiteral("kept");
        const auto [again, created] = table.Insert(id);
        EXPECT_FALSE(created);
        EXPECT_EQ(again, found);
        EXPECT_EQ(again->name, QStringLiteral("kept"));
    }
    EXPECT_EQ(table.size(), inserted.size());
    for (quint32 absent : {2u, 62u, 32766u, 32769u, 45000u, 4000000001u})
        EXPECT_FALSE(table.Contains(absent)) << absent;
}

TEST(UnitFunctionTable, AdoptedEntriesJoinInOrderUnlessTheirKeyIsTaken) {
    CUnitFunctionTable table;
    table.Insert(70000);
    table.Insert(9);
    const auto made = [](quint32 id) {
        auto entry = std::make_unique<CUnitFunctionTable::value_type>(std::piecewise_construct,
                                                                      std::forward_as_tuple(id), std::tuple<>());
        entry->second.InternalID = id;
        entry->second.name = QStringLiteral("made");
        return entry;
    };
    for (quint32 id : {3u, 80000u, 60000u}) {
        CUnitFunction* adopted = table.Adopt(made(id));
        ASSERT_NE(adopted, nullptr);
        EXPECT_EQ(adopted, table.Find(id));
        EXPECT_EQ(adopted->name, QStringLiteral("made"));
    }
    for (quint32 taken : {9u, 70000u})
        EXPECT_EQ(table.Adopt(made(taken)), nullptr);
    EXPECT_TRUE(table.Find(9)->name.isEmpty());
    EXPECT_TRUE(table.Find(70000)->name.isEmpty());
    EXPECT_EQ(IdsInOrder(table), (std::vector<quint32>{3, 9, 60000, 70000, 80000}));
    EXPECT_EQ(table.size(), 5u);
}

TEST(UnitFunctionTable, ErasingLeavesTheOthersWhereTheyAre) {
    CUnitFunctionTable table;
    for (quint32 id : {5u, 64u, 127u, 128u, 40000u, 50000u, 60000u})
        table.Insert(id);
    CUnitFunction* kept = table.Find(128);
    CUnitFunction* keptLarger = table.Find(60000);
    for (quint32 id : {64u, 50000u, 7u, 45000u})
        table.Erase(id);
    EXPECT_EQ(IdsInOrder(table), (std::vector<quint32>{5, 127, 128, 40000, 60000}));
    EXPECT_EQ(table.size(), 5u);
    EXPECT_EQ(table.Find(128), kept);
    EXPECT_EQ(table.Find(60000), keptLarger);

    // With every slot emptied, only the larger IDs remain to be visited.
    for (quint32 id : {5u, 127u, 128u})
        table.Erase(id);
    EXPECT_EQ(table.SlotsInUse(), 0u);
    EXPECT_EQ(IdsInOrder(table), (std::vector<quint32>{40000, 60000}));
    EXPECT_FALSE(table.Contains(5));
    table.Clear();
    EXPECT_TRUE(table.empty());
    EXPECT_TRUE(IdsInOrder(table).empty());
    EXPECT_TRUE(table.Insert(5).second);
}

TEST(UnitFunctionTable, MovingHandsOverTheEntriesAtTheirAddresses) {
    CUnitFunctionTable source;
    CUnitFunction* small = source.Insert(9).first;
    CUnitFunction* large = source.Insert(90000).first;
    CUnitFunctionTable taken = std::move(source);
    EXPECT_EQ(taken.Find(9), small);
    EXPECT_EQ(taken.Find(90000), large);
    EXPECT_EQ(IdsInOrder(taken), (std::vector<quint32>{9, 90000}));
    // The emptied table is usable again.
    EXPECT_TRUE(source.empty());
    EXPECT_TRUE(IdsInOrder(source).empty());
    EXPECT_FALSE(source.Contains(9));
    EXPECT_TRUE(source.Insert(9).second);

    CUnitFunctionTable assigned;
    assigned.Insert(3);
    assigned = std::move(taken);
    EXPECT_EQ(IdsInOrder(assigned), (std::vector<quint32>{9, 90000}));
    EXPECT_TRUE(taken.empty());
}
