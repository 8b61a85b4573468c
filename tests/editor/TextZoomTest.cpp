#include "editor/TextZoom.h"

#include <cmath>

#include <gtest/gtest.h>

TEST(TextZoom, HeightsAreWholeTwipsOfTheZoomedSize) {
    EXPECT_DOUBLE_EQ(ZoomedPointSize(100, 1.0), 10.0);
    EXPECT_DOUBLE_EQ(ZoomedPointSize(105, 4.0), 42.0);
    // 10.5 pt at 25 % is 52.5 twips, cut to 52.
    EXPECT_DOUBLE_EQ(ZoomedPointSize(105, 0.25), 2.6);
    // 35 % of the slider's position 176: 10 pt becomes 70 twips.
    EXPECT_DOUBLE_EQ(ZoomedPointSize(100, std::pow(2.0, -1.5)), 3.5);
    EXPECT_DOUBLE_EQ(ZoomedPointSize(120, 16.0), 192.0);
}
