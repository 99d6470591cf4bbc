// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "sound/sound_mixer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace rz6::sound {

void Mixer::start(Pcm pcm) {
    if (!pcm.samples || pcm.frames == 0)
        return;
    if (count_ == maxVoices) {
        std::move(voices_.begin() + 1, voices_.end(), voices_.begin());
        --count_;
    }
    voices_[static_cast<std::size_t>(count_++)] = Voice{pcm, 0, -1};
}

void Mixer::fadeOutAll() {
    for (int i = 0; i < count_; ++i) {
        Voice& voice = voices_[static_cast<std::size_t>(i)];
        if (voice.fadeLeft < 0)
            voice.fadeLeft = fadeFrames;
    }
}

void Mixer::mix(std::int16_t* out, std::size_t frames) {
    std::array<std::int32_t, 256> sum;
    for (std::size_t done = 0; done < frames;) {
        const std::size_t block = std::min(sum.size(), frames - done);
        std::fill_n(sum.begin(), block, 0);
        for (int i = 0; i < count_; ++i) {
            Voice& voice = voices_[static_cast<std::size_t>(i)];
            const std::size_t playing = std::min(block, voice.pcm.frames - voice.position);
            const std::int16_t* from = voice.pcm.samples + voice.position;
            for (std::size_t n = 0; n < playing; ++n) {
                if (voice.fadeLeft < 0) {
                    sum[n] += from[n];
                } else if (voice.fadeLeft > 0) {
                    sum[n] += from[n] * voice.fadeLeft / fadeFrames;
                    --voice.fadeLeft;
                }
            }
            voice.position += playing;
        }
        // A voice at its end (or faded away) leaves; the others keep their order.
        const auto last =
            std::remove_if(voices_.begin(), voices_.begin() + count_, [](const Voice& voice) {
                return voice.position >= voice.pcm.frames || voice.fadeLeft == 0;
            });
        count_ = static_cast<int>(last - voices_.begin());
        for (std::size_t n = 0; n < block; ++n)
            out[done + n] = limitSum(sum[n]);
        done += block;
    }
}

std::int16_t limitSum(std::int32_t sum) {
    const std::int32_t magnitude = std::abs(sum);
    if (magnitude <= limitKnee)
        return static_cast<std::int16_t>(sum);
    // tanh has slope one at the knee, so the bend has no corner.
    constexpr double room = 32767.0 - limitKnee;
    const double bent = limitKnee + room * std::tanh((magnitude - limitKnee) / room);
    const auto limited = static_cast<std::int32_t>(std::min(32767.0, std::floor(bent)));
    return static_cast<std::int16_t>(sum < 0 ? -limited : limited);
}

} // namespace rz6::sound
