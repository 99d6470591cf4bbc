// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

class QString;

namespace rz6 {

// What the character select window may set for the next match, and nothing more: the program
// object takes it, and hands the settings to the match and the rest to the battle window. The
// window calls these in this order for every choice (status text, window length, multiplier)
// and calls setPortrait once when the player confirms.
class CharacterTarget {
public:
    virtual ~CharacterTarget() = default;

    // Text of status bar panel 1.
    virtual void setStatusText(const QString& text) = 0;
    // Length of the combo window in milliseconds.
    virtual void setWindowLength(int length) = 0;
    // Multiplier applied to the points of every strike.
    virtual void setScoreMultiplier(double multiplier) = 0;
    // The portrait shown beside the board, by picture name.
    virtual void setPortrait(const QString& pictureName) = 0;

protected:
    CharacterTarget() = default;
    CharacterTarget(const CharacterTarget&) = default;
    CharacterTarget& operator=(const CharacterTarget&) = default;
};

} // namespace rz6
