// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// The keys that strike: the number row by its place on every layout, the keypad while it
// types, a digit character where no place is known, and never a key held with Ctrl.
#include "battle/number_row_key.h"

#include <gtest/gtest.h>

namespace rz6 {
namespace {

struct Press {
    const char* what;
    KeyStroke key;
    ScanCodes codes;
    std::optional<char16_t> digit;
};

constexpr auto xkb = ScanCodes::Xkb;
constexpr auto unread = ScanCodes::Unread;

const Press presses[] = {
    {"French row", {10, u"&"}, xkb, u'1'},
    {"French row", {11, u"é"}, xkb, u'2'},
    {"French row", {19, u"à"}, xkb, u'0'},
    {"French row with Shift", {14, u"5"}, xkb, u'5'},
    {"German row with Shift", {10, u"!"}, xkb, u'1'},
    {"German row with Shift", {19, u"="}, xkb, u'0'},
    {"a dead key on the row", {15, u""}, xkb, u'6'},
    {"the key beside 0", {20, u"-"}, xkb, std::nullopt},
    {"the key before 1 typing 0 (Hungarian)", {49, u"0"}, xkb, u'0'},
    {"keypad 3", {89, u"3"}, xkb, u'3'},
    {"Persian keypad 1", {87, u"۱"}, xkb, u'1'},
    {"Persian keypad 0", {90, u"۰"}, xkb, u'0'},
    {"keypad 1 with NumLock off (End)", {87, u""}, xkb, std::nullopt},
    {"keypad minus", {82, u"-"}, xkb, std::nullopt},
    {"Ctrl on the row", {10, u"1", true}, xkb, std::nullopt},
    {"Ctrl off screen", {0, u"1", true}, unread, std::nullopt},
    {"a digit from an input method", {0, u"7"}, xkb, u'7'},
    {"a digit off screen", {0, u"4"}, unread, u'4'},
    {"a letter", {38, u"a"}, xkb, std::nullopt},
    {"a place where no place is known", {10, u"&"}, unread, std::nullopt},
};

TEST(NumberRowKeyTest, EachPressStrikesTheDigitOfItsPlaceOrNone) {
    for (const Press& press : presses)
        EXPECT_EQ(strikeDigit(press.key, press.codes), press.digit)
            << press.what << ", scan code " << press.key.scanCode;
}

TEST(NumberRowKeyTest, OnlyX11AndWaylandTellPlaces) {
    for (const char* name : {"xcb", "wayland", "wayland-egl"})
        EXPECT_EQ(scanCodesOf(name), ScanCodes::Xkb) << name;
    for (const char* name : {"offscreen", "eglfs", "linuxfb", "minimal", ""})
        EXPECT_EQ(scanCodesOf(name), ScanCodes::Unread) << name;
}

} // namespace
} // namespace rz6
