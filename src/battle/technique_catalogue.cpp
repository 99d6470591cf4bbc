// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "battle/technique_catalogue.h"

#include "common/translatable_text.h"
#include "save/record_table.h"

#include <array>

namespace rz6 {

// Every technique id has its count in the record, whose layout the file fixes.
static_assert(techniqueCount == countedTechniqueCount, "rz6.DAT counts every technique id");

namespace {

struct Entry {
    int techniqueId;
    std::string_view name;
    int basePoints;
    std::array<std::string_view, 2> sequences; // unused slots stay empty
};

// Techniques struck by a fixed key sequence. The three "one digit repeated" techniques
// (ids 0, 1 and 2) are matched by rule in lookupTechnique instead of by listing 27 texts.
constexpr std::array<Entry, 26> fixedSequenceTechniques{{
    {3, RZ6_TRANSLATABLE("Game", "金剛撃"), 100, {"123", ""}},
    {4, RZ6_TRANSLATABLE("Game", "旋風斬"), 100, {"456", ""}},
    {5, RZ6_TRANSLATABLE("Game", "天鳴斬"), 100, {"789", ""}},
    {6, RZ6_TRANSLATABLE("Game", "白鳳剣"), 150, {"159", "357"}},
    {7, RZ6_TRANSLATABLE("Game", "落凰剣"), 150, {"753", "951"}},
    {8, RZ6_TRANSLATABLE("Game", "落腕撃"), 150, {"741", "963"}},
    {9, RZ6_TRANSLATABLE("Game", "斗波"), 150, {"852", ""}},
    {10, RZ6_TRANSLATABLE("Game", "天昇斬"), 200, {"258", ""}},
    {11, RZ6_TRANSLATABLE("Game", "双龍斬"), 350, {"753951", "951753"}},
    {12, RZ6_TRANSLATABLE("Game", "退魔神剣"), 300, {"456852", ""}},
    {14, RZ6_TRANSLATABLE("Game", "奥義・明鏡止水"), 400, {"123456789", ""}},
    {15, RZ6_TRANSLATABLE("Game", "秘技・鳳凰天舞"), 1000, {"186734925", ""}},
    {16, RZ6_TRANSLATABLE("Game", "斗波二連"), 300, {"741963", ""}},
    {17, RZ6_TRANSLATABLE("Game", "双龍斬・眩偽"), 200, {"957", "759"}},
    {18, RZ6_TRANSLATABLE("Game", "月影"), 200, {"858", ""}},
    {19, RZ6_TRANSLATABLE("Game", "片手二段付・首薙"), 200, {"798", ""}},
    {20, RZ6_TRANSLATABLE("Game", "天技・抜山蓋世"), 300, {"789321", ""}},
    {21, RZ6_TRANSLATABLE("Game", "大斗波・瀑斧"), 400, {"963741852", "741963852"}},
    {22, RZ6_TRANSLATABLE("Game", "双龍破斬・嵐葉"), 600, {"951753654", ""}},
    {23, RZ6_TRANSLATABLE("Game", "双龍破斬・乱葉"), 600, {"753951456", ""}},
    {24, RZ6_TRANSLATABLE("Game", "桜花"), 300, {"953", ""}},
    {25, RZ6_TRANSLATABLE("Game", "菊花"), 300, {"751", ""}},
    {26, RZ6_TRANSLATABLE("Game", "梅花"), 200, {"525", ""}},
    {37, RZ6_TRANSLATABLE("Game", "片手平突・蛟"), 700, {"917382645", ""}},
    {38, RZ6_TRANSLATABLE("Game", "天魔封滅・屠"), 600, {"785231469", ""}},
    {39, RZ6_TRANSLATABLE("Game", "二刀連突・迦桜羅"), 700, {"731946825", ""}},
}};

constexpr std::array<Technique, 3> repeatedDigitTechniques{{
    {0, RZ6_TRANSLATABLE("Game", "三連突"), 50},
    {1, RZ6_TRANSLATABLE("Game", "三連突・飛燕"), 150},
    {2, RZ6_TRANSLATABLE("Game", "三連瞬突・紫電"), 500},
}};

// "111", "555555", "999999999": one digit 1..9 typed 3, 6 or 9 times.
std::optional<Technique> repeatedDigitTechnique(std::string_view sequence) {
    const auto length = sequence.size();
    if (length != 3 && length != 6 && length != 9)
        return std::nullopt;
    const char digit = sequence.front();
    if (digit < '1' || digit > '9')
        return std::nullopt;
    for (char c : sequence)
        if (c != digit)
            return std::nullopt;
    return repeatedDigitTechniques[length / 3 - 1];
}

} // namespace

std::optional<Technique> lookupTechnique(std::string_view keySequence) {
    if (keySequence.empty())
        return std::nullopt;
    if (auto repeated = repeatedDigitTechnique(keySequence))
        return repeated;
    for (const Entry& entry : fixedSequenceTechniques)
        for (std::string_view sequence : entry.sequences)
            if (!sequence.empty() && sequence == keySequence)
                return Technique{entry.techniqueId, entry.name, entry.basePoints};
    return std::nullopt;
}

std::vector<std::string> keySequences(int techniqueId) {
    std::vector<std::string> sequences;
    for (std::size_t i = 0; i < repeatedDigitTechniques.size(); ++i)
        if (repeatedDigitTechniques[i].techniqueId == techniqueId)
            for (char digit = '1'; digit <= '9'; ++digit)
                sequences.emplace_back(3 * (i + 1), digit);
    for (const Entry& entry : fixedSequenceTechniques)
        if (entry.techniqueId == techniqueId)
            for (std::string_view sequence : entry.sequences)
                if (!sequence.empty())
                    sequences.emplace_back(sequence);
    return sequences;
}

std::optional<Technique> techniqueById(int techniqueId) {
    for (const Technique& t : repeatedDigitTechniques)
        if (t.techniqueId == techniqueId)
            return t;
    for (const Entry& entry : fixedSequenceTechniques)
        if (entry.techniqueId == techniqueId)
            return Technique{entry.techniqueId, entry.name, entry.basePoints};
    return std::nullopt;
}

} // namespace rz6
