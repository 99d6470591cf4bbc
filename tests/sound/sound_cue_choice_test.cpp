// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// What each outcome of a strike or an Enter sounds like.
#include "sound/sound_cue_choice.h"

#include <gtest/gtest.h>

#include <vector>

namespace rz6 {
namespace {

using sound::Cue;

StrikeResult strike(StrikeOutcome outcome, int comboCount = 0, bool turnSpent = false,
                    int turnsLeft = 5) {
    StrikeResult result;
    result.outcome = outcome;
    result.comboCount = comboCount;
    result.turnSpent = turnSpent;
    result.turnsLeft = turnsLeft;
    return result;
}

struct Case {
    const char* what;
    StrikeResult result;
    std::vector<CueCall> expected;
};

TEST(SoundCueChoice, EachOutcomeHasItsSoundAndTheLastTurnItsGong) {
    const Case cases[] = {
        {"a fresh landing", strike(StrikeOutcome::Technique, 0), {{Cue::Landing, 1}}},
        {"the fourth strike of a combo", strike(StrikeOutcome::Technique, 3), {{Cue::Landing, 4}}},
        {"a combo past its tenth step", strike(StrikeOutcome::Technique, 14), {{Cue::Landing, 10}}},
        {"a counter, even inside a combo", strike(StrikeOutcome::Counter, 2), {{Cue::Counter, 1}}},
        {"a block", strike(StrikeOutcome::Block, 0, true, 4), {{Cue::Block, 1}}},
        {"a miss", strike(StrikeOutcome::Miss), {{Cue::Miss, 1}}},
        {"an Enter", strike(StrikeOutcome::Abandon), {{Cue::Abandon, 1}}},
        {"a landing that spends the last turn",
         strike(StrikeOutcome::Technique, 0, true, 0),
         {{Cue::Landing, 1}, {Cue::LastTurn, 1}}},
        {"a miss that spends the last turn",
         strike(StrikeOutcome::Miss, 0, true, 0),
         {{Cue::Miss, 1}, {Cue::LastTurn, 1}}},
        {"a free strike after the last turn: no gong again",
         strike(StrikeOutcome::Technique, 1, false, 0),
         {{Cue::Landing, 2}}},
        {"nothing happened", strike(StrikeOutcome::None), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const StrikeCues cues = cuesForStrike(c.result);
        EXPECT_EQ(std::vector<CueCall>(cues.begin(), cues.end()), c.expected);
    }
    EXPECT_EQ(cueForMoment(SoundMoment::MatchEnded), Cue::MatchEnd);
    EXPECT_EQ(cueForMoment(SoundMoment::ResultShown), Cue::Result);
    EXPECT_EQ(cueForMoment(SoundMoment::NewBest), Cue::NewBest);
}

} // namespace
} // namespace rz6
