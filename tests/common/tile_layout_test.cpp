// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "common/tile_layout.h"

#include <gtest/gtest.h>

#include <climits>

namespace rz6 {
namespace {

// The battle window: 9240 × 6345 twips covered with 240 × 435 twip tiles.
TEST(TilePositions, CoversTheBattleWindowColumnByColumn) {
    const auto positions = tilePositions(9240, 6345, 240, 435);
    ASSERT_EQ(positions.size(), 585u); // 39 columns of 15 tiles
    EXPECT_EQ(positions[0], (TilePosition{0, 0}));
    EXPECT_EQ(positions[1], (TilePosition{0, 435}));
    EXPECT_EQ(positions[14], (TilePosition{0, 14 * 435}));
    EXPECT_EQ(positions[15], (TilePosition{240, 0}));
    EXPECT_EQ(positions.back(), (TilePosition{38 * 240, 14 * 435}));
    for (std::size_t i = 0; i < positions.size(); ++i) {
        EXPECT_EQ(positions[i].x, static_cast<int>(i / 15) * 240);
        EXPECT_EQ(positions[i].y, static_cast<int>(i % 15) * 435);
    }
}

// An extent that is an exact multiple of the step gets one more column (row) right on the
// edge; one short of it does not.
TEST(TilePositions, ExactMultipleGetsAnExtraColumnOnTheEdge) {
    const auto exact = tilePositions(64, 10, 16, 29);
    ASSERT_EQ(exact.size(), 5u);
    EXPECT_EQ(exact.back(), (TilePosition{64, 0}));

    EXPECT_EQ(tilePositions(63, 10, 16, 29).size(), 4u);
    EXPECT_EQ(tilePositions(10, 58, 16, 29).size(), 3u);
    EXPECT_EQ(tilePositions(0, 0, 16, 29), (std::vector<TilePosition>{{0, 0}}));
}

TEST(TilePositions, TileWithoutAreaGivesNoPositions) {
    EXPECT_TRUE(tilePositions(100, 100, 0, 29).empty());
    EXPECT_TRUE(tilePositions(100, 100, 16, 0).empty());
    EXPECT_TRUE(tilePositions(100, 100, -16, 29).empty());
    EXPECT_TRUE(tilePositions(100, 100, 16, -29).empty());
    EXPECT_TRUE(tilePositions(-1, 100, 16, 29).empty());
}

// A step that overshoots the largest int must end the loop, not wrap round to a negative
// position and start over.
TEST(TilePositions, StepsNearTheIntLimitDoNotWrap) {
    const auto positions = tilePositions(INT_MAX, 0, INT_MAX / 2 + 1, 1);
    ASSERT_EQ(positions.size(), 2u);
    EXPECT_EQ(positions[1], (TilePosition{INT_MAX / 2 + 1, 0}));

    const auto edge = tilePositions(INT_MAX, INT_MAX, INT_MAX, INT_MAX);
    EXPECT_EQ(edge,
              (std::vector<TilePosition>{{0, 0}, {0, INT_MAX}, {INT_MAX, 0}, {INT_MAX, INT_MAX}}));
}

} // namespace
} // namespace rz6
