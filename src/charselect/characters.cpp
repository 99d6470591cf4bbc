#include "charselect/characters.h"

#include <stdexcept>

namespace rz6 {

namespace {

// The status text is "使用キャラ", U+3000, an ASCII colon, U+3000, then the name.
constexpr std::array<Character, characterCount> allCharacters{{
    {"灰原　蓮", "使用キャラ　:　灰原　蓮", 1200, 1.0, "portrait_ren_rest", "portrait_ren_ready"},
    {"灰原　雪菜", "使用キャラ　:　灰原　雪菜", 1100, 1.1, "portrait_yukina_rest",
     "portrait_yukina_ready"},
    {"真壁　左近", "使用キャラ　:　真壁　左近", 1000, 1.2, "portrait_sakon_rest",
     "portrait_sakon_ready"},
}};

} // namespace

const std::array<Character, characterCount>& characters() {
    return allCharacters;
}

const Character& character(int index) {
    if (index < 0 || index >= characterCount)
        throw std::out_of_range("no character with this index");
    return allCharacters[static_cast<std::size_t>(index)];
}

} // namespace rz6
