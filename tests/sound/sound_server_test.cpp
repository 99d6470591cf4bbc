// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// The sound library against a real sound server of the test's own (PulseAudio with a null
// sink): a cue is heard on the sink's monitor from a stream the server lists under the
// game's names; a server that goes away and comes back brings the sounds back; and without a
// server, or with one that never answers, the library stays quiet, says so in one line at
// most, and holds nothing up (a hang would run into the test's time limit).
#include "private_sound_server.h"
#include "sound/sound_cues.h"

#include <pulse/error.h>
#include <pulse/simple.h>

#include <dlfcn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace rz6::test {
namespace {

using sound::Connection;
using sound::Cue;

constexpr char japaneseTitle[] = "ソードリズム！　第弐章";

// Waits for a condition, looking every 10 ms, for at most `seconds`.
bool eventually(const std::function<bool()>& condition, double seconds = 10.0) {
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(static_cast<int>(seconds * 1000));
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

// Records the null sink's monitor, as the speaker would hear it.
class Monitor {
public:
    explicit Monitor(const std::string& address) {
        const pa_sample_spec spec{PA_SAMPLE_S16NE, 48000, 1};
        pa_buffer_attr buffer{};
        buffer.maxlength = static_cast<std::uint32_t>(-1);
        buffer.fragsize = 960;
        int error = 0;
        recording_ = pa_simple_new(address.c_str(), "rz6 sound test", PA_STREAM_RECORD,
                                   "null.monitor", "monitor", &spec, nullptr, &buffer, &error);
    }
    ~Monitor() {
        if (recording_)
            pa_simple_free(recording_);
    }
    bool open() const { return recording_ != nullptr; }
    // A null sink that was idle renders its next block only when its old, long one is over
    // (up to 2 s): the first block read waits for that.
    void warmUp() {
        std::array<std::int16_t, 480> block;
        int error = 0;
        pa_simple_read(recording_, block.data(), sizeof block, &error);
        pa_simple_flush(recording_, &error);
    }
    // Whether anything louder than the faintest hiss is heard within `seconds` of sound.
    bool hearsSound(double seconds) {
        std::array<std::int16_t, 480> block;
        for (int read = 0; read < seconds * 100; ++read) {
            int error = 0;
            if (pa_simple_read(recording_, block.data(), sizeof block, &error) < 0)
                return false;
            for (const std::int16_t sample : block)
                if (std::abs(sample) > 300)
                    return true;
        }
        return false;
    }

private:
    pa_simple* recording_ = nullptr;
};

std::string commandOutput(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        std::array<char, 4096> buffer;
        std::size_t got;
        while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
            out.append(buffer.data(), got);
        pclose(pipe);
    }
    return out;
}

class SoundServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        void* library = dlopen(RZ6_SOUND_MODULE, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library, nullptr) << dlerror();
        // Never closed: the library's thread may outlive a failed test.
        open_ = reinterpret_cast<sound::SoundEntry>(dlsym(library, sound::soundEntryName));
        ASSERT_NE(open_, nullptr);
        // Nothing of the machine's own sound setup: the server is ours or none.
        setenv("HOME", (server.folder() + "/home").c_str(), 1);
        setenv("XDG_RUNTIME_DIR", (server.folder() + "/run").c_str(), 1);
        unsetenv("DISPLAY");
    }

    void needServer() {
        if (!PrivateSoundServer::installed())
            GTEST_SKIP() << "pulseaudio is not installed (scripts/deps.sh --test installs it)";
        ASSERT_TRUE(server.start()) << "the test's own sound server did not start";
        setenv("PULSE_SERVER", server.address().c_str(), 1);
    }

    std::unique_ptr<sound::SoundCues> openSound(const char* name = "Sword Rhythm II") {
        sound::Identity identity;
        identity.applicationName = name;
        identity.applicationId = "local.swordrhythm.rz6";
        identity.iconName = "local.swordrhythm.rz6";
        return std::unique_ptr<sound::SoundCues>(open_(sound::soundInterface, &identity));
    }

    PrivateSoundServer server;
    sound::SoundEntry open_ = nullptr;
};

TEST_F(SoundServerTest, ACueIsHeardFromAStreamTheServerListsUnderTheGamesNames) {
    needServer();
    Monitor monitor(server.address());
    ASSERT_TRUE(monitor.open());
    testing::internal::CaptureStderr();
    auto sounds = openSound(japaneseTitle);
    ASSERT_NE(sounds, nullptr);
    ASSERT_TRUE(eventually([&] { return sounds->connection() == Connection::Ready; }));
    monitor.warmUp();

    sounds->play(Cue::Landing, 3);
    EXPECT_TRUE(monitor.hearsSound(2.0));
    EXPECT_EQ(sounds->cuesStarted(), 1u);

    const std::string inputs = commandOutput("pactl list sink-inputs 2>&1");
    EXPECT_NE(inputs.find(std::string("application.name = \"") + japaneseTitle + "\""),
              std::string::npos)
        << inputs;
    EXPECT_NE(inputs.find("application.id = \"local.swordrhythm.rz6\""), std::string::npos);
    EXPECT_NE(inputs.find("application.icon_name = \"local.swordrhythm.rz6\""), std::string::npos);
    EXPECT_NE(inputs.find("media.role = \"game\""), std::string::npos);
    // Once the cue is over the stream pauses, so a quiet game does not wake up for sound.
    EXPECT_TRUE(eventually([] {
        return commandOutput("pactl list sink-inputs").find("Corked: yes") != std::string::npos;
    }));
    sounds.reset();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(SoundServerTest, SoundsComeBackWhenTheServerReturnsAfterGoingAway) {
    needServer();
    testing::internal::CaptureStderr();
    auto sounds = openSound();
    ASSERT_TRUE(eventually([&] { return sounds->connection() == Connection::Ready; }));

    server.kill();
    // The game plays on: cues are dropped meanwhile.
    ASSERT_TRUE(eventually([&] {
        sounds->play(Cue::Block, 1);
        return sounds->connection() == Connection::Silent;
    }));
    ASSERT_TRUE(server.start());
    // Found again in the background while the game asks for sounds.
    ASSERT_TRUE(eventually(
        [&] {
            sounds->play(Cue::Miss, 1);
            return sounds->connection() == Connection::Ready;
        },
        15.0));
    Monitor monitor(server.address());
    ASSERT_TRUE(monitor.open());
    monitor.warmUp();
    sounds->play(Cue::Counter, 1);
    EXPECT_TRUE(monitor.hearsSound(2.0));
    sounds.reset();
    const std::string text = testing::internal::GetCapturedStderr();
    EXPECT_LE(std::count(text.begin(), text.end(), '\n'), 1) << text;
}

TEST_F(SoundServerTest, WithoutAServerItStaysQuietAndSaysSoInOneLine) {
    setenv("PULSE_SERVER", ("unix:" + server.folder() + "/no-server-here").c_str(), 1);
    testing::internal::CaptureStderr();
    auto sounds = openSound();
    ASSERT_NE(sounds, nullptr);
    for (int cue = 0; cue < sound::cueCount; ++cue)
        sounds->play(static_cast<Cue>(cue), 1);
    ASSERT_TRUE(eventually([&] { return sounds->connection() == Connection::Silent; }));
    for (int cue = 0; cue < 50; ++cue)
        sounds->play(Cue::Landing, cue % 10);
    EXPECT_EQ(sounds->cuesStarted(), 0u);
    sounds.reset();
    const std::string text = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
    EXPECT_NE(text.find("no sound"), std::string::npos) << text;
}

TEST_F(SoundServerTest, AServerThatNeverAnswersHoldsNothingUp) {
    // A socket that takes connections and never says a word.
    const std::string path = server.folder() + "/silent-server";
    const int listening = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(bind(listening, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(listening, 4), 0);
    setenv("PULSE_SERVER", ("unix:" + path).c_str(), 1);

    testing::internal::CaptureStderr();
    auto sounds = openSound();
    ASSERT_NE(sounds, nullptr);
    for (int i = 0; i < 20; ++i)
        sounds->play(Cue::Landing, i);
    sounds->setEnabled(false);
    sounds->setApplicationName("ソードリズム！　第弐章");
    EXPECT_EQ(sounds->connection(), Connection::Connecting);
    // Quitting lets go without waiting for an answer that never comes.
    sounds.reset();
    close(listening);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

} // namespace
} // namespace rz6::test
