#include "platform/CommandRegistry.h"

#include <gtest/gtest.h>

#include <vector>

TEST(CommandRegistry, RowsAndRangesDispatchTheirIdsAndFaultyRowsAreRefused) {
    CCommandRegistry registry;
    std::vector<int> ran;
    const CommandHandler record = [&ran](int id) { ran.push_back(id); };
    registry.Add({10, record, CommandRule::DocumentOpen, 10, "Ctrl+N", CommandIcon::NewFile});
    registry.Add({11, record});
    registry.AddRange(20, 25, record);

    ASSERT_NE(registry.Find(10), nullptr);
    EXPECT_EQ(registry.Find(10)->rule, CommandRule::DocumentOpen);
    EXPECT_EQ(registry.Find(11)->rule, CommandRule::None);
    EXPECT_EQ(registry.Find(20), nullptr); // a list entry has no row
    EXPECT_TRUE(registry.Dispatch(11));
    EXPECT_TRUE(registry.Dispatch(20));
    EXPECT_TRUE(registry.Dispatch(25));
    EXPECT_FALSE(registry.Dispatch(26));
    EXPECT_FALSE(registry.Dispatch(12));
    EXPECT_EQ(ran, (std::vector<int>{11, 20, 25}));

    // A row without a handler, an id taken by a row or a range, and a range over a row are all refused and
    // leave the registry as it was.
    EXPECT_THROW(registry.Add({12, {}}), std::logic_error);
    EXPECT_THROW(registry.Add({10, record}), std::logic_error);
    EXPECT_THROW(registry.Add({22, record}), std::logic_error);
    EXPECT_THROW(registry.AddRange(5, 10, record), std::logic_error);
    EXPECT_THROW(registry.AddRange(30, 31, {}), std::logic_error);
    EXPECT_EQ(registry.Rows().size(), 2u);
    EXPECT_EQ(registry.Find(12), nullptr);
    EXPECT_FALSE(registry.Dispatch(5));
    // The rows keep the order they were added in, which is the order of the window's items.
    EXPECT_EQ(registry.Rows().front().id, 10);
    EXPECT_EQ(registry.Rows().back().id, 11);
}
