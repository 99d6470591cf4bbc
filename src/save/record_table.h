// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <array>
#include <cstdint>

namespace rz6 {

// The player's whole record, laid out as rz6.DAT holds it: the five best match totals (best
// first), then one landing count per technique id (element techniqueId + 5). 45 signed
// 32-bit values, 180 bytes in the record file. The layout is the file's and never changes;
// the technique catalogue checks that its ids fit it.
inline constexpr int bestTotalCount = 5;
inline constexpr int firstCountElement = bestTotalCount;
inline constexpr int recordTableSize = 45;
// How many technique ids the record counts landings for.
inline constexpr int countedTechniqueCount = recordTableSize - firstCountElement;

using RecordTable = std::array<std::int32_t, recordTableSize>;

} // namespace rz6
