// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "common/translatable_text.h"

#include <array>
#include <string>
#include <string_view>

namespace rz6 {

// One of the three characters the player can fight as. A character is nothing more than the
// settings it puts into the battle window: the status text (made from its name), the
// combo-window length, the points multiplier and the ready portrait. Texts are UTF-8.
struct Character {
    std::string_view name;         // option button caption, family and given name split by U+3000
    int windowLength = 0;          // combo window in milliseconds
    double scoreMultiplier = 1;    // each strike's points are multiplied by this
    std::string_view restPicture;  // portrait at rest, shown while another one is chosen
    std::string_view readyPicture; // portrait standing ready; also handed to the battle window
};

inline constexpr int characterCount = 3;

// The characters in the order of their option buttons. The first has the longest combo window
// and the smallest multiplier, the last the shortest window and the largest multiplier.
// The portraits' accessible names live with the pictures (assets/CMakeLists.txt).
inline constexpr std::array<Character, characterCount> allCharacters{{
    {RZ6_TRANSLATABLE("Game", "灰原　蓮"), 1200, 1.0, "portrait_ren_rest", "portrait_ren_ready"},
    {RZ6_TRANSLATABLE("Game", "灰原　雪菜"), 1100, 1.1, "portrait_yukina_rest",
     "portrait_yukina_ready"},
    {RZ6_TRANSLATABLE("Game", "真壁　左近"), 1000, 1.2, "portrait_sakon_rest",
     "portrait_sakon_ready"},
}};

constexpr const std::array<Character, characterCount>& characters() {
    return allCharacters;
}

// The character at `index` (0..2). Throws std::out_of_range for any other index.
const Character& character(int index);

// Status bar panel 1 while this character is in force: "使用キャラ", U+3000, an ASCII colon,
// U+3000, then the name.
std::string statusText(const Character& character);

} // namespace rz6
