// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// The sounds as the build made them: their lengths, that they are as loud as each other and
// never clip, that they start and end softly without offset, and that a landing rings higher
// at every step of the combo. Measured here on the PCM itself, independently of how the
// generator got there.
#include "sound/sound_bank.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace rz6::sound {
namespace {

constexpr double fullScale = 32768.0;

std::vector<double> samplesOf(Pcm pcm, double fromSeconds = 0.0, double toSeconds = 1e9) {
    const auto first = std::min(pcm.frames, static_cast<std::size_t>(fromSeconds * sampleRate));
    const auto last = std::min(pcm.frames, static_cast<std::size_t>(toSeconds * sampleRate));
    std::vector<double> x;
    for (std::size_t n = first; n < last; ++n)
        x.push_back(pcm.samples[n] / fullScale);
    return x;
}

double db(double linear) {
    return 20.0 * std::log10(linear);
}

// Loudness as heard over a short while: the RMS of the loudest 125 ms, stepping by 1 ms.
double loudnessDb(const std::vector<double>& x) {
    const std::size_t window = std::min<std::size_t>(x.size(), sampleRate / 8);
    double loudest = 0.0;
    for (std::size_t first = 0; first + window <= x.size(); first += sampleRate / 1000) {
        double energy = 0.0;
        for (std::size_t n = first; n < first + window; ++n)
            energy += x[n] * x[n];
        loudest = std::max(loudest, energy / static_cast<double>(window));
    }
    return 10.0 * std::log10(loudest);
}

// The fundamental (Hz) by normalised autocorrelation: the shortest lag (between 1/3000 s and
// 1/150 s) whose correlation comes within 5 % of the best, refined between samples.
double fundamental(const std::vector<double>& x) {
    const int shortest = sampleRate / 3000, longest = sampleRate / 150;
    std::vector<double> r(static_cast<std::size_t>(longest) + 2, 0.0);
    const std::size_t n = x.size() - static_cast<std::size_t>(longest) - 2;
    for (int lag = shortest - 1; lag <= longest + 1; ++lag) {
        double xy = 0.0, xx = 0.0, yy = 0.0;
        for (std::size_t i = 0; i < n; ++i) {
            xy += x[i] * x[i + static_cast<std::size_t>(lag)];
            xx += x[i] * x[i];
            yy += x[i + static_cast<std::size_t>(lag)] * x[i + static_cast<std::size_t>(lag)];
        }
        r[static_cast<std::size_t>(lag)] = xy / std::sqrt(xx * yy);
    }
    const double best = *std::max_element(r.begin() + shortest, r.begin() + longest + 1);
    for (int lag = shortest; lag <= longest; ++lag) {
        const auto i = static_cast<std::size_t>(lag);
        if (r[i] >= 0.95 * best && r[i] >= r[i - 1] && r[i] >= r[i + 1]) {
            const double bend = r[i - 1] - 2.0 * r[i] + r[i + 1];
            const double offset = bend != 0.0 ? 0.5 * (r[i - 1] - r[i + 1]) / bend : 0.0;
            return sampleRate / (lag + offset);
        }
    }
    return 0.0;
}

struct Named {
    std::string name;
    Pcm pcm;
    bool isResult = false;
};

std::vector<Named> everySound() {
    std::vector<Named> sounds;
    for (int step = 1; step <= comboSteps; ++step)
        sounds.push_back({"landing " + std::to_string(step), cuePcm(Cue::Landing, step)});
    const char* names[] = {"block",     "counter",   "miss",   "abandon",
                           "last turn", "match end", "result", "new best"};
    for (int cue = 1; cue < cueCount; ++cue)
        sounds.push_back({names[cue - 1], cuePcm(static_cast<Cue>(cue), 1),
                          static_cast<Cue>(cue) == Cue::Result});
    return sounds;
}

TEST(SoundPcm, EverySoundIsShortSoftAtBothEndsWithoutOffsetAndNeverClips) {
    for (const Named& sound : everySound()) {
        SCOPED_TRACE(sound.name);
        ASSERT_NE(sound.pcm.samples, nullptr);
        const double seconds = static_cast<double>(sound.pcm.frames) / sampleRate;
        EXPECT_GE(seconds, 0.1);
        EXPECT_LE(seconds, sound.isResult ? 1.5 : 0.4);

        const std::vector<double> x = samplesOf(sound.pcm);
        double peak = 0.0, sum = 0.0;
        for (const double v : x) {
            peak = std::max(peak, std::abs(v));
            sum += v;
        }
        // Headroom at every peak: nothing at or near full scale.
        EXPECT_LE(db(peak), -1.0);
        EXPECT_LT(std::abs(sum / static_cast<double>(x.size())), 0.001);
        // The attack is a ramp, not a step, and the end fades to nothing.
        const std::vector<double> start = samplesOf(sound.pcm, 0.0, 0.00025);
        const double startPeak =
            std::abs(*std::max_element(start.begin(), start.end(), [](double a, double b) {
                return std::abs(a) < std::abs(b);
            }));
        EXPECT_LT(startPeak, 0.25 * peak);
        EXPECT_LT(std::abs(x.front()), 0.002);
        EXPECT_LT(std::abs(x.back()), 0.002);
    }
}

TEST(SoundPcm, EverySoundIsAboutAsLoudAsTheOthers) {
    std::vector<double> levels;
    for (const Named& sound : everySound())
        levels.push_back(loudnessDb(samplesOf(sound.pcm)));
    const auto [quietest, loudest] = std::minmax_element(levels.begin(), levels.end());
    EXPECT_LE(*loudest - *quietest, 3.0) << "from " << *quietest << " to " << *loudest << " dBFS";
    // Loud enough to be heard over the game's own music-free quiet, well short of full scale.
    EXPECT_GT(*quietest, -26.0);
    EXPECT_LT(*loudest, -12.0);
}

TEST(SoundPcm, ALandingRingsHigherAtEveryStepOfTheCombo) {
    double previous = 0.0;
    for (int step = 1; step <= comboSteps; ++step) {
        SCOPED_TRACE("step " + std::to_string(step));
        // The ring, after the swish and the crack of the contact.
        const double pitch = fundamental(samplesOf(cuePcm(Cue::Landing, step), 0.13, 0.33));
        EXPECT_GT(pitch, 200.0);
        EXPECT_LT(pitch, 2500.0);
        // At least a semitone above the step before.
        if (step > 1) {
            EXPECT_GT(pitch, previous * std::pow(2.0, 1.0 / 12.0));
        }
        previous = pitch;
    }
    // Steps beyond the combo's last ring as the last.
    EXPECT_EQ(cuePcm(Cue::Landing, comboSteps + 3).samples,
              cuePcm(Cue::Landing, comboSteps).samples);
    EXPECT_EQ(cuePcm(Cue::Landing, 0).samples, cuePcm(Cue::Landing, 1).samples);
}

} // namespace
} // namespace rz6::sound
