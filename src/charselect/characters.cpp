// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "charselect/characters.h"

#include <stdexcept>

namespace rz6 {

const Character& character(int index) {
    if (index < 0 || index >= characterCount)
        throw std::out_of_range("no character with this index");
    return allCharacters[static_cast<std::size_t>(index)];
}

std::string statusText(const Character& character) {
    return "使用キャラ　:　" + std::string(character.name);
}

} // namespace rz6
