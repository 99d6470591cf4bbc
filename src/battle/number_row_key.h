// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rz6 {

// What a platform's native scan codes say about a key.
enum class ScanCodes {
    // Nothing the game knows how to read (the off-screen platform sends 0): the character
    // decides.
    Unread,
    // XKB keycodes (X11 and Wayland): the Linux input code plus 8, the same on every layout.
    Xkb,
};

// How to read the scan codes of the platform Qt runs on (QGuiApplication::platformName()):
// "xcb" and the Wayland plugins ("wayland", "wayland-egl", ...) hand over XKB keycodes.
ScanCodes scanCodesOf(std::string_view platformName);

// What the battle screen reads of one key press.
struct KeyStroke {
    std::uint32_t scanCode = 0; // QKeyEvent::nativeScanCode()
    std::u16string text;        // the character(s) the layout makes of it
    bool shortcut = false;      // Ctrl, Alt or Meta held: a command, never a strike
};

// The digit '0'..'9' a key press strikes, if any.
//
// The board is struck with the keys that carry 1..9 and 0 on the number row of a US keyboard
// and with the keypad's digits, so the number row is read by the key's place, not by the
// character the layout gives it: on AZERTY the row types & é " ' ( - è _ ç à without Shift,
// on German and most other layouts Shift gives punctuation, Persian types its own digits,
// and a player must not have to change layout or hold a modifier to play. A key the game
// cannot place counts by its character when that is a digit (an input method, the
// off-screen platform of the tests). The keypad counts only while it types (NumLock on):
// with NumLock off its keys are End, Down and so on. A keypad key that types an ASCII digit
// counts as that digit, and one that types another character (the Arabic and Persian
// keypads' own digits) by its place.
std::optional<char16_t> strikeDigit(const KeyStroke& key, ScanCodes codes);

} // namespace rz6
