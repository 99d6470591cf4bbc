// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// The technique catalogue: every key sequence of the table finds its technique, and no other
// string of digits finds anything.
#include "battle/technique_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace rz6 {
namespace {

struct Expected {
    int techniqueId;
    std::string name;
    int basePoints;
    std::vector<std::string> sequences;
};

// One digit typed 3, 6 or 9 times.
std::vector<std::string> repeatedDigits(int length) {
    std::vector<std::string> sequences;
    for (char digit = '1'; digit <= '9'; ++digit)
        sequences.emplace_back(length, digit);
    return sequences;
}

// The catalogue as the game's design document lists it, written out independently of the code.
const std::vector<Expected>& expectedCatalogue() {
    static const std::vector<Expected> catalogue{
        {0, "三連突", 50, repeatedDigits(3)},
        {1, "三連突・飛燕", 150, repeatedDigits(6)},
        {2, "三連瞬突・紫電", 500, repeatedDigits(9)},
        {3, "金剛撃", 100, {"123"}},
        {4, "旋風斬", 100, {"456"}},
        {5, "天鳴斬", 100, {"789"}},
        {6, "白鳳剣", 150, {"159", "357"}},
        {7, "落凰剣", 150, {"753", "951"}},
        {8, "落腕撃", 150, {"741", "963"}},
        {9, "斗波", 150, {"852"}},
        {10, "天昇斬", 200, {"258"}},
        {11, "双龍斬", 350, {"753951", "951753"}},
        {12, "退魔神剣", 300, {"456852"}},
        {14, "奥義・明鏡止水", 400, {"123456789"}},
        {15, "秘技・鳳凰天舞", 1000, {"186734925"}},
        {16, "斗波二連", 300, {"741963"}},
        {17, "双龍斬・眩偽", 200, {"957", "759"}},
        {18, "月影", 200, {"858"}},
        {19, "片手二段付・首薙", 200, {"798"}},
        {20, "天技・抜山蓋世", 300, {"789321"}},
        {21, "大斗波・瀑斧", 400, {"963741852", "741963852"}},
        {22, "双龍破斬・嵐葉", 600, {"951753654"}},
        {23, "双龍破斬・乱葉", 600, {"753951456"}},
        {24, "桜花", 300, {"953"}},
        {25, "菊花", 300, {"751"}},
        {26, "梅花", 200, {"525"}},
        {37, "片手平突・蛟", 700, {"917382645"}},
        {38, "天魔封滅・屠", 600, {"785231469"}},
        {39, "二刀連突・迦桜羅", 700, {"731946825"}},
    };
    return catalogue;
}

// Key sequence -> technique id, for every sequence of the catalogue.
const std::map<std::string, int>& sequenceOwners() {
    static const std::map<std::string, int> owners = [] {
        std::map<std::string, int> map;
        for (const Expected& technique : expectedCatalogue())
            for (const std::string& sequence : technique.sequences)
                map.emplace(sequence, technique.techniqueId);
        return map;
    }();
    return owners;
}

// Checks one string against the expected table: it finds its owner, or nothing at all.
void expectLookupAgreesWithTable(const std::string& sequence) {
    const auto found = lookupTechnique(sequence);
    const auto owner = sequenceOwners().find(sequence);
    if (owner == sequenceOwners().end()) {
        EXPECT_FALSE(found.has_value()) << sequence << " found id " << found->techniqueId;
    } else {
        ASSERT_TRUE(found.has_value()) << sequence << " found nothing";
        EXPECT_EQ(found->techniqueId, owner->second) << sequence;
    }
}

// Every string of `length` digits 1..9, in increasing order.
template <typename Visit> void forEveryDigitString(int length, Visit visit) {
    std::string sequence(length, '1');
    for (;;) {
        visit(sequence);
        int position = length - 1;
        while (position >= 0 && sequence[position] == '9')
            sequence[position--] = '1';
        if (position < 0)
            return;
        ++sequence[position];
    }
}

TEST(TechniqueCatalogue, EverySequenceFindsItsTechniqueWithNameAndPoints) {
    int sequencesChecked = 0;
    for (const Expected& technique : expectedCatalogue()) {
        for (const std::string& sequence : technique.sequences) {
            const auto found = lookupTechnique(sequence);
            ASSERT_TRUE(found.has_value()) << sequence;
            EXPECT_EQ(found->techniqueId, technique.techniqueId) << sequence;
            EXPECT_EQ(found->name, technique.name) << sequence;
            EXPECT_EQ(found->basePoints, technique.basePoints) << sequence;
            ++sequencesChecked;
        }
        const auto byId = techniqueById(technique.techniqueId);
        ASSERT_TRUE(byId.has_value()) << technique.techniqueId;
        EXPECT_EQ(byId->name, technique.name);
        EXPECT_EQ(byId->basePoints, technique.basePoints);
        EXPECT_FALSE(isReservedTechnique(technique.techniqueId));
        auto listed = keySequences(technique.techniqueId);
        std::sort(listed.begin(), listed.end());
        auto expected = technique.sequences;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(listed, expected) << technique.techniqueId;
    }
    EXPECT_EQ(sequencesChecked, 27 + 14 + 18); // 3-, 6- and 9-digit sequences
    EXPECT_EQ(expectedCatalogue().size(), 29u);
}

TEST(TechniqueCatalogue, ReservedIdsAreNeverReachable) {
    for (int id = -1; id <= techniqueCount; ++id) {
        const bool reserved = id == 13 || (id >= 27 && id <= 36);
        const bool inRange = id >= 0 && id < techniqueCount;
        EXPECT_EQ(isReservedTechnique(id), reserved) << id;
        EXPECT_EQ(techniqueById(id).has_value(), inRange && !reserved) << id;
        EXPECT_EQ(keySequences(id).empty(), !inRange || reserved) << id;
    }
}

TEST(TechniqueCatalogue, AllThreeAndSixDigitStringsAgreeWithTheTable) {
    int found = 0;
    for (int length : {3, 6})
        forEveryDigitString(length, [&](const std::string& sequence) {
            expectLookupAgreesWithTable(sequence);
            found += lookupTechnique(sequence).has_value();
        });
    EXPECT_EQ(found, 27 + 14);
}

TEST(TechniqueCatalogue, NineDigitStringsAgreeWithTheTable) {
    // All orderings of the nine digits: most nine-digit techniques are among them.
    std::string permutation = "123456789";
    int permutationsFound = 0;
    do {
        expectLookupAgreesWithTable(permutation);
        permutationsFound += lookupTechnique(permutation).has_value();
    } while (std::next_permutation(permutation.begin(), permutation.end()));
    EXPECT_EQ(permutationsFound, 7); // ids 14, 15, 21 (twice), 37, 38, 39

    // Every nine-digit sequence changed in one place, or in two neighbouring places.
    for (const auto& [sequence, id] : sequenceOwners()) {
        if (sequence.size() != 9)
            continue;
        for (int position = 0; position < 9; ++position)
            for (char digit = '1'; digit <= '9'; ++digit) {
                std::string changed = sequence;
                changed[position] = digit;
                expectLookupAgreesWithTable(changed);
                if (position < 8) {
                    changed[position + 1] = digit;
                    expectLookupAgreesWithTable(changed);
                }
            }
    }

    // Two digits alternating or in blocks, and every digit repeated but one.
    forEveryDigitString(2, [](const std::string& pair) {
        expectLookupAgreesWithTable(std::string(4, pair[0]) + std::string(5, pair[1]));
        expectLookupAgreesWithTable(std::string(8, pair[0]) + pair[1]);
        expectLookupAgreesWithTable(pair[1] + std::string(8, pair[0]));
        std::string alternating;
        for (int i = 0; i < 9; ++i)
            alternating += pair[i % 2];
        expectLookupAgreesWithTable(alternating);
    });
}

TEST(TechniqueCatalogue, NearMissesFindNothing) {
    // Reversed, reordered or shortened sequences, and any text that is not 3, 6 or 9 digits
    // from 1 to 9.
    for (const char* text :
         {"963741", "321",    "123456",    "12345678", "1234567890", "",           "0",
          "000",    "000000", "000000000", "120",      "1230",       "0123",       "5550",
          "55",     "5555",   "55555",     "5555555",  "55555555",   "5555555555", "74",
          "741 ",   " 741",   "７４１",    "a55",      "159357",     "852258",     "186734952"})
        EXPECT_FALSE(lookupTechnique(text).has_value()) << '"' << text << '"';
}

} // namespace
} // namespace rz6
