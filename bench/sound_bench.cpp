// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// How soon a strike's cue is heard: from the call that launches it to its first sample
// leaving the sound server's sink, measured on a sound server of the benchmark's own
// (PulseAudio with a null sink) by recording the sink's monitor and finding each cue's onset.
//
//   rz6_sound_bench LIBRARY [CUES]
//
// Two series of landings: each launched after a quiet while (the stream has paused itself),
// and each launched just after the sound before it stopped (the stream still running). Each
// cue is cut short once heard, so the next starts in silence.
#include "private_sound_server.h"
#include "sound/sound_bank.h"
#include "sound/sound_cues.h"

#include <pulse/simple.h>

#include <dlfcn.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using rz6::sound::Cue;

constexpr int blockFrames = 96; // 2 ms
constexpr int quiet = 2;        // a sample at or below this is silence

double msBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Reads the null sink's monitor on a thread of its own and notes when each sound begins and
// when the monitor last heard anything. A sound begins with the block that brings its first
// sample above silence, timed as that block reaches the benchmark: never earlier than the sink
// took it (the sink may hand over many blocks at once), at most a block later.
class Listener {
public:
    explicit Listener(const std::string& address) {
        const pa_sample_spec spec{PA_SAMPLE_S16NE, rz6::sound::sampleRate, 1};
        pa_buffer_attr buffer{};
        buffer.maxlength = static_cast<std::uint32_t>(-1);
        buffer.fragsize = blockFrames * sizeof(std::int16_t);
        int error = 0;
        recording_ = pa_simple_new(address.c_str(), "rz6 sound bench", PA_STREAM_RECORD,
                                   "null.monitor", "monitor", &spec, nullptr, &buffer, &error);
        if (recording_)
            thread_ = std::thread([this] { listen(); });
    }
    ~Listener() {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
        if (recording_)
            pa_simple_free(recording_);
    }
    bool open() const { return recording_ != nullptr; }

    // Waits until `blocks` blocks have come in (the null sink's first one can take 2 s).
    bool heardBlocks(int blocks) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(5),
                                 [&] { return blocksSeen_ >= blocks; });
    }
    // Waits until the monitor has been silent for `ms`.
    bool silentFor(double ms) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(5), [&] {
            return !sounding_ && msBetween(lastLoud_, lastBlock_) >= ms;
        });
    }
    // The onset of the first sound that began after `after`.
    std::optional<Clock::time_point> onsetAfter(Clock::time_point after) {
        std::unique_lock lock(mutex_);
        std::optional<Clock::time_point> found;
        changed_.wait_for(lock, std::chrono::seconds(2), [&] {
            for (const Clock::time_point onset : onsets_)
                if (onset > after) {
                    found = onset;
                    return true;
                }
            return false;
        });
        return found;
    }

private:
    void listen() {
        std::array<std::int16_t, blockFrames> block;
        while (!stop_) {
            int error = 0;
            if (pa_simple_read(recording_, block.data(), sizeof block, &error) < 0)
                return;
            const Clock::time_point arrived = Clock::now();
            const std::lock_guard lock(mutex_);
            ++blocksSeen_;
            lastBlock_ = arrived;
            const bool anything = std::any_of(block.begin(), block.end(), [](std::int16_t sample) {
                return std::abs(static_cast<int>(sample)) > quiet;
            });
            if (anything && !sounding_)
                onsets_.push_back(arrived);
            sounding_ = anything;
            if (anything)
                lastLoud_ = arrived;
            changed_.notify_all();
        }
    }

    pa_simple* recording_ = nullptr;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::condition_variable changed_;
    int blocksSeen_ = 0;
    bool sounding_ = false;
    Clock::time_point lastLoud_{};
    Clock::time_point lastBlock_{};
    std::vector<Clock::time_point> onsets_;
};

void report(const char* name, std::vector<double> ms, int asked) {
    if (ms.empty()) {
        std::printf("%s: no figure (no cue was heard)\n", name);
        return;
    }
    std::sort(ms.begin(), ms.end());
    const auto at = [&](double q) {
        return ms[std::min(ms.size() - 1, static_cast<std::size_t>(q * (ms.size() - 1) + 0.5))];
    };
    std::printf("%s: cues=%zu/%d median_ms=%.1f p99_ms=%.1f min_ms=%.1f max_ms=%.1f\n", name,
                ms.size(), asked, at(0.5), at(0.99), ms.front(), ms.back());
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s LIBRARY [CUES]\n", argv[0]);
        return 2;
    }
    const int cues = argc > 2 ? std::atoi(argv[2]) : 100;
    if (!rz6::test::PrivateSoundServer::installed()) {
        std::printf("sound latency: no figure (pulseaudio is not installed)\n");
        return 0;
    }
    rz6::test::PrivateSoundServer server;
    if (!server.start()) {
        std::printf("sound latency: no figure (the sound server did not start)\n");
        return 0;
    }
    setenv("PULSE_SERVER", server.address().c_str(), 1);
    setenv("HOME", (server.folder() + "/home").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (server.folder() + "/run").c_str(), 1);
    unsetenv("DISPLAY");

    void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    const auto open =
        library
            ? reinterpret_cast<rz6::sound::SoundEntry>(dlsym(library, rz6::sound::soundEntryName))
            : nullptr;
    if (!open) {
        std::fprintf(stderr, "%s: cannot load %s: %s\n", argv[0], argv[1], dlerror());
        return 1;
    }
    rz6::sound::Identity identity;
    identity.applicationName = "Sword Rhythm II";
    identity.applicationId = "local.swordrhythm.rz6";
    identity.iconName = "local.swordrhythm.rz6";
    std::unique_ptr<rz6::sound::SoundCues> sounds(open(rz6::sound::soundInterface, &identity));
    Listener listener(server.address());
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (sounds->connection() != rz6::sound::Connection::Ready && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    if (!listener.open() || sounds->connection() != rz6::sound::Connection::Ready ||
        !listener.heardBlocks(50)) {
        std::printf("sound latency: no figure (no stream to the sound server)\n");
        return 0;
    }

    // One cue, heard and cut short once heard; its latency, or nothing when it was not heard.
    const auto launch = [&](int i) -> std::optional<double> {
        const int step = 1 + i % rz6::sound::comboSteps;
        const Clock::time_point called = Clock::now();
        sounds->play(Cue::Landing, step);
        const auto onset = listener.onsetAfter(called);
        sounds->setEnabled(false);
        sounds->setEnabled(true);
        if (!onset)
            return std::nullopt;
        return msBetween(called, *onset);
    };
    // The sink settles its block size on the first sound it takes from the stream: not
    // counted.
    launch(0);
    std::vector<double> fromPause, whileRunning;
    for (int i = 0; i < cues; ++i) {
        // The stream pauses itself 100 ms after the last sound.
        listener.silentFor(300.0);
        if (const auto ms = launch(i))
            fromPause.push_back(*ms);
    }
    for (int i = 0; i < cues; ++i) {
        listener.silentFor(15.0);
        if (const auto ms = launch(i))
            whileRunning.push_back(*ms);
    }
    report("sound_latency_from_pause", fromPause, cues);
    report("sound_latency_while_running", whileRunning, cues);
    sounds.reset();
    return 0;
}
