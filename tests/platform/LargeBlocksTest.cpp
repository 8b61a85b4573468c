#include "platform/LargeBlocks.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

using platform::LargeBlocks;

TEST(LargeBlocks, BlocksAreAlignedWritableAndReusedBySize) {
    LargeBlocks blocks;
    void* first = blocks.allocate(100);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(first) % LargeBlocks::kGranule, 0u);
    std::memset(first, 0xAB, LargeBlocks::kGranule); // the whole granule is the caller's
    blocks.deallocate(first, 100);
    EXPECT_EQ(blocks.KeptBytes(), LargeBlocks::kGranule);

    // A request of another size does not take the kept block; one of the same rounded size does.
    void* larger = blocks.allocate(LargeBlocks::kGranule + 1);
    EXPECT_NE(larger, first);
    EXPECT_EQ(blocks.KeptBytes(), LargeBlocks::kGranule);
    void* again = blocks.allocate(LargeBlocks::kGranule);
    EXPECT_EQ(again, first);
    EXPECT_EQ(blocks.KeptBytes(), 0u);
    blocks.deallocate(again, LargeBlocks::kGranule);
    blocks.deallocate(larger, LargeBlocks::kGranule + 1);
    EXPECT_EQ(blocks.KeptBytes(), 3 * LargeBlocks::kGranule);
}

TEST(LargeBlocks, KeepsNoMoreThanItsLimitAndRefusesImpossibleRequests) {
    LargeBlocks blocks;
    void* big = blocks.allocate(LargeBlocks::kMaxKeptBytes);
    void* small = blocks.allocate(1);
    blocks.deallocate(big, LargeBlocks::kMaxKeptBytes);
    blocks.deallocate(small, 1); // over the limit: handed back to the kernel
    EXPECT_EQ(blocks.KeptBytes(), LargeBlocks::kMaxKeptBytes);

    EXPECT_THROW((void)blocks.allocate(SIZE_MAX - 1), std::bad_alloc);
    EXPECT_THROW((void)blocks.allocate(64, 2 * LargeBlocks::kGranule), std::bad_alloc);
}
