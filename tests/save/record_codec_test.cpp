// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "save/record_codec.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace rz6 {
namespace {

std::vector<std::byte> bytesOf(std::initializer_list<int> values) {
    std::vector<std::byte> bytes;
    for (int v : values)
        bytes.push_back(static_cast<std::byte>(v));
    return bytes;
}

std::vector<std::byte> slice(const RecordBytes& bytes, std::size_t offset) {
    return {bytes.begin() + offset, bytes.begin() + offset + 4};
}

// Every element sits at offset 4 × element, least significant byte first, negatives in
// two's complement, whatever the byte order of this machine.
TEST(RecordCodec, WritesLittleEndianTwosComplementAtFixedOffsets) {
    RecordTable table{};
    table[0] = 1;
    table[1] = -1;
    table[2] = INT32_MIN;
    table[3] = INT32_MAX;
    table[4] = 0x01020304;
    table[5 + 8] = 150; // a landing count
    table[44] = -2;

    const RecordBytes bytes = encodeRecord(table);
    ASSERT_EQ(bytes.size(), 180u);
    EXPECT_EQ(slice(bytes, 0), bytesOf({0x01, 0x00, 0x00, 0x00}));
    EXPECT_EQ(slice(bytes, 4), bytesOf({0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(slice(bytes, 8), bytesOf({0x00, 0x00, 0x00, 0x80}));
    EXPECT_EQ(slice(bytes, 12), bytesOf({0xFF, 0xFF, 0xFF, 0x7F}));
    EXPECT_EQ(slice(bytes, 16), bytesOf({0x04, 0x03, 0x02, 0x01}));
    EXPECT_EQ(slice(bytes, 20 + 4 * 8), bytesOf({0x96, 0x00, 0x00, 0x00}));
    EXPECT_EQ(slice(bytes, 176), bytesOf({0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(slice(bytes, 20), bytesOf({0, 0, 0, 0}));
}

TEST(RecordCodec, DecodesWhatItEncodes) {
    RecordTable table{};
    for (int i = 0; i < recordTableSize; ++i)
        table[i] = (i % 2 ? -1 : 1) * (i * 47'721'858 + i);
    table[7] = INT32_MIN;
    table[8] = INT32_MAX;
    const RecordBytes bytes = encodeRecord(table);

    RecordTable decoded{};
    decoded.fill(12345);
    decodeRecord(bytes, decoded);
    EXPECT_EQ(decoded, table);
}

// A short file fills only what it reaches; the rest of the table keeps what it had.
TEST(RecordCodec, ShortBufferLeavesTheRestOfTheTableAsItWas) {
    RecordTable source{};
    for (int i = 0; i < recordTableSize; ++i)
        source[i] = 1000 + i;
    const RecordBytes bytes = encodeRecord(source);

    RecordTable table{};
    table.fill(-7);
    decodeRecord({}, table); // an empty file
    for (int v : table)
        EXPECT_EQ(v, -7);

    table.fill(0);
    decodeRecord(std::span(bytes).first(20), table);
    for (int i = 0; i < bestTotalCount; ++i)
        EXPECT_EQ(table[i], 1000 + i);
    for (int i = firstCountElement; i < recordTableSize; ++i)
        EXPECT_EQ(table[i], 0) << i;

    // Two bytes into element 5: its low half comes from the file, its high half stays.
    table.fill(0x7A7B7C7D);
    decodeRecord(bytesOf({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x11, 0x22}),
                 table);
    EXPECT_EQ(table[5], 0x7A7B2211);
    EXPECT_EQ(table[6], 0x7A7B7C7D);
}

TEST(RecordCodec, IgnoresBytesBeyondTheRecord) {
    RecordTable source{};
    source[44] = 99;
    const RecordBytes record = encodeRecord(source);
    std::vector<std::byte> longer(record.begin(), record.end());
    longer.resize(300, std::byte{0xAB});

    RecordTable table{};
    decodeRecord(longer, table);
    EXPECT_EQ(table, source);
}

} // namespace
} // namespace rz6
