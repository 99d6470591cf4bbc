// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "sound/sound_cue_choice.h"

#include <algorithm>

namespace rz6 {

StrikeCues cuesForStrike(const StrikeResult& result) {
    StrikeCues cues;
    const auto add = [&cues](sound::Cue cue, int step = 1) {
        cues.calls[cues.count++] = {cue, step};
    };
    switch (result.outcome) {
    case StrikeOutcome::Technique:
        // The combo count is 0 for a fresh strike: its first step.
        add(sound::Cue::Landing, std::clamp(result.comboCount + 1, 1, sound::comboSteps));
        break;
    case StrikeOutcome::Counter:
        add(sound::Cue::Counter);
        break;
    case StrikeOutcome::Block:
        add(sound::Cue::Block);
        break;
    case StrikeOutcome::Miss:
        add(sound::Cue::Miss);
        break;
    case StrikeOutcome::Abandon:
        add(sound::Cue::Abandon);
        break;
    case StrikeOutcome::None:
        break;
    }
    if (result.turnSpent && result.turnsLeft == 0)
        add(sound::Cue::LastTurn);
    return cues;
}

sound::Cue cueForMoment(SoundMoment moment) {
    switch (moment) {
    case SoundMoment::MatchEnded:
        return sound::Cue::MatchEnd;
    case SoundMoment::ResultShown:
        return sound::Cue::Result;
    case SoundMoment::NewBest:
        break;
    }
    return sound::Cue::NewBest;
}

} // namespace rz6
