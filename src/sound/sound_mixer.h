// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "sound/sound_bank.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace rz6::sound {

// The voices that sound at once, mixed into the one stream the sound library plays: a new
// cue is added over the others and never cuts them off, and a cue that has played to its end
// leaves. Plain arithmetic, no clock and no server: the library's sound thread runs it for
// every block the server asks for.
class Mixer {
public:
    static constexpr int maxVoices = 16;
    // How long a voice takes to fade away when sounds are switched off.
    static constexpr int fadeFrames = sampleRate / 200; // 5 ms

    // Adds a voice from the start of the sound. With every voice taken, the oldest makes
    // room (the game never comes near it).
    void start(Pcm pcm);
    // Every voice fades out over fadeFrames and then leaves.
    void fadeOutAll();
    // The next `frames` samples of the sum; silence once nothing sounds.
    void mix(std::int16_t* out, std::size_t frames);

    int voices() const { return count_; }

private:
    struct Voice {
        Pcm pcm;
        std::size_t position = 0;
        int fadeLeft = -1; // frames left of its fade, or -1 for none
    };
    std::array<Voice, maxVoices> voices_{};
    int count_ = 0;
};

// Brings a sum of voices into 16 bits. Up to `limitKnee` it passes unchanged, so one sound
// alone (each peaks at -3 dBFS or below) or a few quiet ones together are exact; above it the
// sum bends smoothly towards full scale and never reaches past it, so loud overlaps are never
// clipped hard.
inline constexpr std::int32_t limitKnee = 24000;
std::int16_t limitSum(std::int32_t sum);

} // namespace rz6::sound
