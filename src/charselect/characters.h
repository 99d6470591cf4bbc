#pragma once

#include <array>
#include <string_view>

namespace rz6 {

// One of the three characters the player can fight as. A character is nothing more than the
// settings it puts into the battle window: the status text, the combo-window length, the
// points multiplier and the ready portrait. Texts are UTF-8.
struct Character {
    std::string_view name;         // option button caption, family and given name split by U+3000
    std::string_view statusText;   // status bar panel 1 while this character is in force
    int windowLength = 0;          // combo window in milliseconds
    double scoreMultiplier = 1;    // each strike's points are multiplied by this
    std::string_view restPicture;  // portrait at rest, shown while another one is chosen
    std::string_view readyPicture; // portrait standing ready; also handed to the battle window
};

inline constexpr int characterCount = 3;

// The characters in the order of their option buttons. The first has the longest combo window
// and the smallest multiplier, the last the shortest window and the largest multiplier.
const std::array<Character, characterCount>& characters();

// The character at `index` (0..2). Throws std::out_of_range for any other index.
const Character& character(int index);

} // namespace rz6
