// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace rz6 {

// The rules a match was played under, as a replay checks them: the game's version and a hash
// of everything that decides what a key does (the technique catalogue, the match's constants,
// the characters' settings, the rating and the way boards are dealt). Two builds with the same
// hash replay each other's matches the same; the version is kept to be shown.
struct RulesFingerprint {
    std::string gameVersion; // empty for a match recorded before replays were kept
    std::uint64_t rulesHash = 0;

    friend bool operator==(const RulesFingerprint&, const RulesFingerprint&) = default;
};

// FNV-1a over 64 bits, as used for the rules' hash (doc/replay-format.md).
std::uint64_t fnv1a64(std::string_view bytes, std::uint64_t hash = 0xcbf29ce484222325ull);

// The bytes the rules' hash is taken over, in the documented order.
std::string rulesBytes();

// The hash of this program's rules, worked out once.
std::uint64_t rulesHash();

// This program's version and rules.
RulesFingerprint currentRules();

} // namespace rz6
