// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// The mixer and the rule for looking for the sound server again, without a server.
#include "sound/sound_mixer.h"
#include "sound/sound_reconnect.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <vector>

namespace rz6::sound {
namespace {

std::vector<std::int16_t> ramp(std::size_t frames, int from, int by) {
    std::vector<std::int16_t> x(frames);
    for (std::size_t n = 0; n < frames; ++n)
        x[n] = static_cast<std::int16_t>(from + by * static_cast<int>(n % 100));
    return x;
}

std::vector<std::int16_t> mixed(Mixer& mixer, std::size_t frames) {
    std::vector<std::int16_t> out(frames, 12345);
    mixer.mix(out.data(), frames);
    return out;
}

TEST(SoundMixer, OverlappingCuesSumWithoutCuttingEachOtherAndLeaveAtTheirEnd) {
    const auto first = ramp(1000, 100, 3);
    const auto second = ramp(600, -400, 7);
    Mixer mixer;
    mixer.start({first.data(), first.size()});
    std::vector<std::int16_t> out = mixed(mixer, 300);
    // The second cue comes in while the first sounds, in a block of an odd size.
    mixer.start({second.data(), second.size()});
    EXPECT_EQ(mixer.voices(), 2);
    const std::vector<std::int16_t> rest = mixed(mixer, 1337);
    out.insert(out.end(), rest.begin(), rest.end());

    for (std::size_t n = 0; n < out.size(); ++n) {
        int expected = 0;
        if (n < first.size())
            expected += first[n];
        if (n >= 300 && n - 300 < second.size())
            expected += second[n - 300];
        ASSERT_EQ(out[n], expected) << "at frame " << n;
    }
    // Both have played to their ends (the second at 900, the first at 1000) and left.
    EXPECT_EQ(mixer.voices(), 0);
    EXPECT_EQ(mixed(mixer, 64), std::vector<std::int16_t>(64, 0));
}

TEST(SoundMixer, SwitchingOffFadesEveryVoiceOutAtOnce) {
    const auto loud = ramp(48000, 8000, 0);
    Mixer mixer;
    mixer.start({loud.data(), loud.size()});
    mixer.start({loud.data(), loud.size()});
    mixed(mixer, 100);
    mixer.fadeOutAll();
    const std::vector<std::int16_t> out = mixed(mixer, Mixer::fadeFrames + 50);
    for (std::size_t n = 1; n < out.size(); ++n)
        ASSERT_LE(out[n], out[n - 1]) << "at frame " << n;
    EXPECT_EQ(out.back(), 0);
    EXPECT_EQ(mixer.voices(), 0);
}

TEST(SoundMixer, LoudSumsBendSmoothlyIntoSixteenBits) {
    int previous = limitSum(-200000);
    EXPECT_GE(previous, -32767);
    for (std::int32_t sum = -200000; sum <= 200000; sum += 37) {
        const int out = limitSum(sum);
        if (std::abs(sum) <= limitKnee) {
            ASSERT_EQ(out, sum);
        }
        ASSERT_GE(out, previous) << "at " << sum;
        // No corner at the knee: the step between neighbours never grows past the input's.
        ASSERT_LE(out - previous, 37) << "at " << sum;
        ASSERT_LE(std::abs(out), 32767);
        previous = out;
    }
}

struct RetryCase {
    const char* what;
    std::optional<std::int64_t> attempted;
    std::optional<std::int64_t> asked;
    std::int64_t now;
    std::optional<std::int64_t> expected;
};

TEST(SoundReconnect, TriesAgainAtMostEveryFewSecondsAndOnlyWhileSoundsAreAskedFor) {
    const RetryCase cases[] = {
        {"nothing asked for: no try, however long", 0, std::nullopt, 600000, std::nullopt},
        {"a cue long after the last try: at once", 0, 100000, 100000, 0},
        {"a cue just after a try: when the spacing is over", 100000, 101000, 101000, 2000},
        {"the first try of all, on a cue", std::nullopt, 5, 5, 0},
        {"no cue for a long while: no more tries", 0, 1000, 1000 + Reconnect::demand + 1,
         std::nullopt},
    };
    for (const RetryCase& c : cases) {
        SCOPED_TRACE(c.what);
        Reconnect reconnect;
        if (c.attempted)
            reconnect.attempted(*c.attempted);
        if (c.asked)
            reconnect.asked(*c.asked);
        EXPECT_EQ(reconnect.nextTry(c.now), c.expected);
    }
}

} // namespace
} // namespace rz6::sound
