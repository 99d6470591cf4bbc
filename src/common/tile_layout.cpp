// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "common/tile_layout.h"

#include <cstdint>

namespace rz6 {

std::vector<TilePosition> tilePositions(int width, int height, int tileWidth, int tileHeight) {
    std::vector<TilePosition> positions;
    if (tileWidth <= 0 || tileHeight <= 0 || width < 0 || height < 0)
        return positions;

    // Steps are taken in 64 bits: a position never passes the extent, which fits in an int,
    // but the step that overshoots it could pass INT32_MAX in 32 bits.
    const std::int64_t columns = std::int64_t{width} / tileWidth + 1;
    const std::int64_t rows = std::int64_t{height} / tileHeight + 1;
    positions.reserve(static_cast<std::size_t>(columns * rows));
    for (std::int64_t x = 0; x <= width; x += tileWidth)
        for (std::int64_t y = 0; y <= height; y += tileHeight)
            positions.push_back({static_cast<int>(x), static_cast<int>(y)});
    return positions;
}

} // namespace rz6
