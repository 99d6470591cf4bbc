// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <vector>

namespace rz6 {

// The top-left corner of one tile of a tiled background.
struct TilePosition {
    int x = 0;
    int y = 0;

    friend bool operator==(const TilePosition&, const TilePosition&) = default;
};

// Where the tiles go to cover a width × height area with tileWidth × tileHeight tiles:
// column by column from the left, each column from the top down. A tile starts at every
// multiple of the step up to and including the area's extent, so there are
// width / tileWidth + 1 columns and height / tileHeight + 1 rows; the last ones may hang
// over the edge, and an extent that is an exact multiple of the step gets one more column
// or row starting right on the edge. A tile without area (zero or negative width or
// height), or an area of negative size, yields no positions at all.
std::vector<TilePosition> tilePositions(int width, int height, int tileWidth, int tileHeight);

} // namespace rz6
