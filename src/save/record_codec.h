// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "save/record_table.h"

#include <array>
#include <cstddef>
#include <span>

namespace rz6 {

// The record file holds the table as its memory image on the original machine: 45
// little-endian two's-complement 32-bit integers, no header, 180 bytes. These functions keep
// that layout whatever the byte order of the machine we run on.
inline constexpr std::size_t recordByteSize = recordTableSize * 4;

using RecordBytes = std::array<std::byte, recordByteSize>;

RecordBytes encodeRecord(const RecordTable& table);

// Fills the table from the start of bytes, as far as they go: a short buffer (a short file)
// leaves the elements it does not reach as they were, a partly covered element keeps its
// other bytes, and anything beyond 180 bytes is ignored.
void decodeRecord(std::span<const std::byte> bytes, RecordTable& table);

} // namespace rz6
