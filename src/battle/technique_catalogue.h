// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rz6 {

// The fixed catalogue of techniques a launched key sequence can strike. Ids run 0..39;
// ids 13 and 27..36 are reserved and no sequence ever finds them.
inline constexpr int techniqueCount = 40;

struct Technique {
    int techniqueId = 0;
    std::string_view name; // the battle message when it lands
    int basePoints = 0;
};

// The one technique whose key sequences include exactly this text (typed digits in typing
// order, compared character by character), or nothing.
std::optional<Technique> lookupTechnique(std::string_view keySequence);

// Every key sequence that strikes the technique with this id (none for a reserved id), in
// the catalogue's order. The record screen's captions are checked against these.
std::vector<std::string> keySequences(int techniqueId);

// The technique with this id, if the id is one that battle can land.
std::optional<Technique> techniqueById(int techniqueId);

// Whether battle can ever land this id (false for the reserved ids).
constexpr bool isReservedTechnique(int techniqueId) {
    return techniqueId == 13 || (techniqueId >= 27 && techniqueId <= 36);
}

} // namespace rz6
