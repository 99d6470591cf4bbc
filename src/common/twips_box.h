// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

namespace rz6 {

// A place on a screen in twips, as the layout tables give it: left, top, width and height
// within the containing widget.
struct TwipsBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend constexpr bool operator==(const TwipsBox&, const TwipsBox&) = default;
};

} // namespace rz6
