// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "replay/rules_fingerprint.h"

#include "battle/match.h"
#include "battle/technique_catalogue.h"
#include "charselect/characters.h"
#include "common/app_info.h"
#include "replay/seed_random_source.h"
#include "result/match_rating.h"

#include <bit>
#include <limits>

namespace rz6 {
namespace {

// Every number goes in as eight bytes, least significant first; every text with its length
// in front, so that no two different rules run together into the same bytes.
class RulesWriter {
public:
    void number(std::int64_t value) {
        auto bits = static_cast<std::uint64_t>(value);
        for (int i = 0; i < 8; ++i, bits >>= 8)
            bytes_.push_back(static_cast<char>(bits & 0xff));
    }
    void real(double value) {
        number(static_cast<std::int64_t>(std::bit_cast<std::uint64_t>(value)));
    }
    void text(std::string_view value) {
        number(static_cast<std::int64_t>(value.size()));
        bytes_.append(value);
    }
    std::string take() { return std::move(bytes_); }

private:
    std::string bytes_;
};

// The smallest overall score that reaches `rank` or better, found from the rating itself
// (its table of floors is its own): the rating gives a better rank for a higher score.
std::int64_t rankFloor(int rank) {
    std::int64_t low = -(std::int64_t{1} << 40), high = std::int64_t{1} << 40;
    if (rankClass(high) > rank)
        return high;
    while (low < high) {
        const std::int64_t middle = low + (high - low) / 2;
        if (rankClass(middle) <= rank)
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

} // namespace

std::uint64_t fnv1a64(std::string_view bytes, std::uint64_t hash) {
    for (const char byte : bytes) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 0x100000001b3ull;
    }
    return hash;
}

std::string rulesBytes() {
    RulesWriter out;
    out.text("rz6 rules");
    // The catalogue: every id, what it is called, what it scores and what strikes it.
    out.number(techniqueCount);
    for (int id = 0; id < techniqueCount; ++id) {
        out.number(id);
        const std::optional<Technique> technique = techniqueById(id);
        out.number(technique ? 1 : 0);
        if (!technique)
            continue;
        out.text(technique->name);
        out.number(technique->basePoints);
        const std::vector<std::string> sequences = keySequences(id);
        out.number(static_cast<std::int64_t>(sequences.size()));
        for (const std::string& sequence : sequences)
            out.text(sequence);
    }
    // The match: its board, turns, clock, gauge, combo and penalties.
    for (const std::int64_t constant :
         {std::int64_t{Match::cellCount}, std::int64_t{Match::maxDigits},
          std::int64_t{Match::startTurns}, std::int64_t{Match::startTickInterval},
          std::int64_t{Match::pauseTicks}, std::int64_t{Match::gaugeStep},
          std::int64_t{Match::maxComboCount}, std::int64_t{Match::enterPenalty},
          std::int64_t{Match::missPenalty}, std::int64_t{Match::counterPoints},
          std::int64_t{Match::enterKey}})
        out.number(constant);
    // The characters: their combo windows and multipliers.
    out.number(characterCount);
    for (const Character& c : characters()) {
        out.text(c.name);
        out.number(c.windowLength);
        out.real(c.scoreMultiplier);
    }
    // The rating: the floors of its ranks and the overall score of a few matches.
    out.number(rankClassCount);
    for (int rank = 1; rank < rankClassCount; ++rank)
        out.number(rankFloor(rank));
    for (int distinct = 0; distinct <= techniqueCount; distinct += 5)
        for (const std::int32_t score :
             {-50, 1, 999, 12345, std::numeric_limits<std::int32_t>::max()})
            out.number(overallScore(distinct, score));
    // How a seed deals: the first draws of one seed.
    SeedRandomSource dealer(20261207);
    dealer.seedFromClock();
    for (int draw = 0; draw < 4; ++draw)
        out.real(dealer.next());
    return out.take();
}

std::uint64_t rulesHash() {
    static const std::uint64_t hash = fnv1a64(rulesBytes());
    return hash;
}

RulesFingerprint currentRules() {
    return {appInfo::version, rulesHash()};
}

} // namespace rz6
