// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "sound/sound_cues.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

// The game's sounds as the sound library holds them: 16-bit mono PCM made at build time by
// assets/sound_generator.cpp, one sound for each cue and one landing for each combo step.
namespace rz6::sound {

inline constexpr int sampleRate = 48000;
inline constexpr int bankSize = comboSteps + cueCount - 1;

struct Pcm {
    const std::int16_t* samples = nullptr;
    std::size_t frames = 0;
};

// Where a cue's sound sits in the bank: the landings of steps 1..10 first, then every other
// cue in its order.
constexpr int bankIndex(Cue cue, int comboStep) {
    if (cue == Cue::Landing)
        return std::clamp(comboStep, 1, comboSteps) - 1;
    return comboSteps + static_cast<int>(cue) - 1;
}

// The generated bank, in bankIndex order.
extern const Pcm bank[bankSize];

inline Pcm cuePcm(Cue cue, int comboStep) {
    return bank[bankIndex(cue, comboStep)];
}

} // namespace rz6::sound
