// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "battle/number_row_key.h"

#include <array>

namespace rz6 {
namespace {

// XKB keycodes of the number row, <AE01> .. <AE10> (the evdev and the older xfree86 keycode
// sets agree on these): 1 .. 9, then 0.
constexpr std::uint32_t firstNumberRowKey = 10;
constexpr std::uint32_t lastNumberRowKey = 19;

// XKB keycodes of the keypad's digit keys, <KP7> = 79 .. <KP0> = 90 in rows of three; 82 and
// 86 are the keypad's minus and plus.
struct KeypadKey {
    std::uint32_t scanCode;
    char16_t digit;
};
constexpr std::array<KeypadKey, 10> keypadKeys{{{79, u'7'},
                                                {80, u'8'},
                                                {81, u'9'},
                                                {83, u'4'},
                                                {84, u'5'},
                                                {85, u'6'},
                                                {87, u'1'},
                                                {88, u'2'},
                                                {89, u'3'},
                                                {90, u'0'}}};

std::optional<char16_t> asciiDigit(const std::u16string& text) {
    if (text.size() == 1 && text[0] >= u'0' && text[0] <= u'9')
        return text[0];
    return std::nullopt;
}

} // namespace

ScanCodes scanCodesOf(std::string_view platformName) {
    if (platformName == "xcb" || platformName.starts_with("wayland"))
        return ScanCodes::Xkb;
    return ScanCodes::Unread;
}

std::optional<char16_t> strikeDigit(const KeyStroke& key, ScanCodes codes) {
    if (key.shortcut)
        return std::nullopt;
    const bool placed = codes == ScanCodes::Xkb;
    if (placed && key.scanCode >= firstNumberRowKey && key.scanCode <= lastNumberRowKey) {
        const std::uint32_t place = key.scanCode - firstNumberRowKey; // 0 for the key of 1
        return place == 9 ? u'0' : static_cast<char16_t>(u'1' + place);
    }
    if (const auto digit = asciiDigit(key.text))
        return digit;
    if (placed && !key.text.empty()) {
        for (const KeypadKey& keypad : keypadKeys)
            if (keypad.scanCode == key.scanCode)
                return keypad.digit;
    }
    return std::nullopt;
}

} // namespace rz6
