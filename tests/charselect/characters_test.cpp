// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "charselect/characters.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace rz6 {
namespace {

const std::string ideographicSpace = "\u3000";

// The status text pads an ASCII colon with ideographic spaces, never plain ones.
TEST(Characters, StatusTextIsPrefixColonAndName) {
    for (const Character& c : characters()) {
        const std::string expected =
            "使用キャラ" + ideographicSpace + ":" + ideographicSpace + std::string(c.name);
        EXPECT_EQ(statusText(c), expected);
        EXPECT_EQ(statusText(c).find(' '), std::string::npos);
    }
}

// A shorter combo window is paid for with a higher multiplier.
TEST(Characters, ShorterWindowComesWithLargerMultiplier) {
    for (int i = 1; i < characterCount; ++i) {
        EXPECT_LT(character(i).windowLength, character(i - 1).windowLength);
        EXPECT_GT(character(i).scoreMultiplier, character(i - 1).scoreMultiplier);
    }
}

TEST(Characters, IndexOutsideTheTableIsRefused) {
    EXPECT_THROW(character(-1), std::out_of_range);
    EXPECT_THROW(character(characterCount), std::out_of_range);
    EXPECT_EQ(&character(characterCount - 1), &characters().back());
}

} // namespace
} // namespace rz6
