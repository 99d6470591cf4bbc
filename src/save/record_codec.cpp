// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "save/record_codec.h"

#include <algorithm>
#include <cstdint>

namespace rz6 {

RecordBytes encodeRecord(const RecordTable& table) {
    RecordBytes bytes{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        const auto value = static_cast<std::uint32_t>(table[i]); // two's complement, C++20
        for (std::size_t b = 0; b < 4; ++b)
            bytes[i * 4 + b] = static_cast<std::byte>((value >> (8 * b)) & 0xFFu);
    }
    return bytes;
}

void decodeRecord(std::span<const std::byte> bytes, RecordTable& table) {
    const std::size_t count = std::min(bytes.size(), recordByteSize);
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t element = k / 4;
        const unsigned shift = 8 * static_cast<unsigned>(k % 4);
        auto value = static_cast<std::uint32_t>(table[element]);
        value &= ~(std::uint32_t{0xFF} << shift);
        value |= std::to_integer<std::uint32_t>(bytes[k]) << shift;
        table[element] = static_cast<std::int32_t>(value);
    }
}

} // namespace rz6
