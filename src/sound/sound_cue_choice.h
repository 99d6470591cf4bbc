// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "battle/match_summary.h"
#include "sound/sound_cues.h"

#include <array>
#include <cstddef>

namespace rz6 {

// What the game tells its sounds besides a strike.
enum class SoundMoment {
    MatchEnded,  // the match is over (the last tick)
    ResultShown, // the result screen has appeared
    NewBest,     // the match's overall score entered the five best
};

struct CueCall {
    sound::Cue cue = sound::Cue::Landing;
    int comboStep = 1;
    bool operator==(const CueCall&) const = default;
};

// The sounds one strike or one Enter makes, played together: its outcome's sound, and the
// gong when it spent the last turn. (The match's end is told by its own event, from the tick
// that ends it.)
struct StrikeCues {
    std::array<CueCall, 2> calls{};
    std::size_t count = 0;
    const CueCall* begin() const { return calls.data(); }
    const CueCall* end() const { return calls.data() + count; }
};

StrikeCues cuesForStrike(const StrikeResult& result);
sound::Cue cueForMoment(SoundMoment moment);

} // namespace rz6
