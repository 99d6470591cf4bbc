// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// The sound library's player: one playback stream to the sound server, fed by the mixer from
// libpulse's own thread. The game's thread only posts to it (a lock-free queue and a wake-up
// through an eventfd), so a key press never waits for sound, and no call waits for the server:
// connecting, losing the server and finding it again all happen on the sound thread.
#include "sound/sound_bank.h"
#include "sound/sound_cues.h"
#include "sound/sound_mixer.h"
#include "sound/sound_reconnect.h"

#include <pulse/pulseaudio.h>

#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace rz6::sound {
namespace {

using Clock = std::chrono::steady_clock;

std::int64_t milliseconds(Clock::time_point t) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(t.time_since_epoch()).count();
}

// The stream asks for little buffering, so a cue is heard a few milliseconds after it is
// asked for: the whole of what is written ahead of the speaker (the server's buffer and the
// device's) is kept to `targetMs`, and the server asks for more every `requestMs`.
constexpr int targetMs = 20;
constexpr int requestMs = 5;
constexpr std::uint32_t bytesFor(int ms) {
    return static_cast<std::uint32_t>(sampleRate / 1000 * ms) * sizeof(std::int16_t);
}
// Once this much silence has followed the last sound, the stream is paused (corked): a game
// that makes no sound does not wake up for it.
constexpr std::size_t pauseAfterSilentFrames = sampleRate / 10; // 100 ms
// A cue asked for while the stream was being set up still plays if it is this fresh.
constexpr auto freshCue = std::chrono::milliseconds(150);
// How long a server has to answer before it counts as missing.
constexpr std::int64_t answerWithinUsec = 5'000'000;
// How long the game's quit waits at most for the sound thread to let go of everything.
constexpr auto shutdownWait = std::chrono::milliseconds(100);

// One line on standard error for the whole run, whatever goes wrong how often.
std::atomic<bool> told{false};
void tellOnce(const std::string& line) {
    if (!told.exchange(true))
        std::fprintf(stderr, "rz6: %s\n", line.c_str());
}

struct Request {
    enum class Kind : std::uint8_t { Play, Enable, Disable, Rename };
    Kind kind = Kind::Play;
    Cue cue = Cue::Landing;
    int comboStep = 1;
    Clock::time_point at;
};

// A queue of one writer (the game's thread) and one reader (the sound thread) without locks.
// Full, it drops what is pushed: a burst of more than 64 cues between two wake-ups is noise.
class RequestQueue {
public:
    bool push(const Request& request) {
        const std::size_t tail = tail_.load(std::memory_order_relaxed);
        const std::size_t next = (tail + 1) % items_.size();
        if (next == head_.load(std::memory_order_acquire))
            return false;
        items_[tail] = request;
        tail_.store(next, std::memory_order_release);
        return true;
    }
    bool pop(Request& request) {
        const std::size_t head = head_.load(std::memory_order_relaxed);
        if (head == tail_.load(std::memory_order_acquire))
            return false;
        request = items_[head];
        head_.store((head + 1) % items_.size(), std::memory_order_release);
        return true;
    }

private:
    std::array<Request, 65> items_{};
    std::atomic<std::size_t> head_{0};
    std::atomic<std::size_t> tail_{0};
};

// Everything the sound thread works with. It lives apart from the player the game holds, so
// that a sound thread which could not be stopped in time keeps what it uses (see ~Player).
struct Core {
    // Set up by the game's thread before the sound thread starts, then read only.
    pa_threaded_mainloop* loop = nullptr;
    pa_mainloop_api* api = nullptr;
    int wakeFd = -1;
    std::string applicationId;
    std::string iconName;

    // Shared between the two threads.
    RequestQueue requests;
    std::mutex nameMutex;
    std::string name; // the game's name as shown, under nameMutex
    std::atomic<Connection> connection{Connection::Connecting};
    std::atomic<bool> enabled{true};
    std::atomic<bool> quitting{false};
    std::atomic<std::uint64_t> started{0};
    std::mutex doneMutex;
    std::condition_variable doneSignal;
    bool done = false; // under doneMutex: the sound thread has let go of the server

    // The sound thread's own.
    pa_io_event* wake = nullptr;
    pa_context* context = nullptr;
    pa_stream* stream = nullptr;
    pa_time_event* retry = nullptr;
    pa_time_event* watchdog = nullptr;
    bool corked = true;
    bool everReady = false;
    std::size_t silentFrames = 0;
    std::vector<Request> waiting; // cues asked for before the stream was ready
    std::vector<std::int16_t> spare;
    Mixer mixer;
    Reconnect reconnect;

    std::string currentName() {
        const std::lock_guard lock(nameMutex);
        return name;
    }

    // --- the sound thread ---

    static void setUp(pa_mainloop_api*, void* self) { static_cast<Core*>(self)->setUp(); }
    void setUp() {
        wake = api->io_new(api, wakeFd, PA_IO_EVENT_INPUT, &Core::woken, this);
        connect();
    }

    pa_proplist* namesAsProperties() {
        pa_proplist* properties = pa_proplist_new();
        pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME, currentName().c_str());
        pa_proplist_sets(properties, PA_PROP_APPLICATION_ID, applicationId.c_str());
        pa_proplist_sets(properties, PA_PROP_APPLICATION_ICON_NAME, iconName.c_str());
        return properties;
    }

    void connect() {
        reconnect.attempted(milliseconds(Clock::now()));
        connection = Connection::Connecting;
        pa_proplist* properties = namesAsProperties();
        context = pa_context_new_with_proplist(api, currentName().c_str(), properties);
        pa_proplist_free(properties);
        if (!context) {
            lose("no sound: the sound system could not be set up");
            return;
        }
        pa_context_set_state_callback(context, &Core::contextChanged, this);
        // Never starts a server of its own: a desktop without one stays quiet.
        if (pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
            lose(whyLost());
            return;
        }
        watchdog = pa_context_rttime_new(context, pa_rtclock_now() + answerWithinUsec,
                                         &Core::answerOverdue, this);
    }

    static void answerOverdue(pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self) {
        auto* core = static_cast<Core*>(self);
        core->api->time_free(core->watchdog);
        core->watchdog = nullptr;
        core->lose("no sound: the sound server does not answer; the game plays on without sound");
    }

    static void contextChanged(pa_context* context, void* self) {
        auto* core = static_cast<Core*>(self);
        switch (pa_context_get_state(context)) {
        case PA_CONTEXT_READY:
            core->dropWatchdog();
            core->openStream();
            break;
        case PA_CONTEXT_FAILED:
        case PA_CONTEXT_TERMINATED:
            core->lose(core->whyLost());
            break;
        default:
            break;
        }
    }

    // What to tell when the connection breaks: the server was never there, or went away.
    std::string whyLost() const {
        if (everReady)
            return "the sound server went away; the game plays on without sound until it is back";
        return std::string("no sound: the sound server cannot be reached (") +
               pa_strerror(context ? pa_context_errno(context) : PA_ERR_UNKNOWN) +
               "); the game plays on without sound";
    }

    void dropWatchdog() {
        if (watchdog)
            api->time_free(watchdog);
        watchdog = nullptr;
    }

    void openStream() {
        const pa_sample_spec spec{PA_SAMPLE_S16NE, static_cast<std::uint32_t>(sampleRate), 1};
        pa_channel_map map;
        pa_channel_map_init_mono(&map);
        pa_proplist* properties = pa_proplist_new();
        const std::string name = currentName();
        pa_proplist_sets(properties, PA_PROP_MEDIA_NAME, name.c_str());
        pa_proplist_sets(properties, PA_PROP_MEDIA_ROLE, "game");
        pa_proplist_sets(properties, PA_PROP_MEDIA_ICON_NAME, iconName.c_str());
        stream = pa_stream_new_with_proplist(context, name.c_str(), &spec, &map, properties);
        pa_proplist_free(properties);
        if (!stream) {
            lose(std::string("no sound: ") + pa_strerror(pa_context_errno(context)));
            return;
        }
        pa_stream_set_state_callback(stream, &Core::streamChanged, this);
        pa_stream_set_write_callback(stream, &Core::writable, this);
        pa_buffer_attr buffer;
        buffer.maxlength = static_cast<std::uint32_t>(-1);
        buffer.tlength = bytesFor(targetMs);
        buffer.prebuf = bytesFor(requestMs);
        buffer.minreq = bytesFor(requestMs);
        buffer.fragsize = static_cast<std::uint32_t>(-1);
        corked = true;
        silentFrames = 0;
        const auto flags =
            static_cast<pa_stream_flags_t>(PA_STREAM_ADJUST_LATENCY | PA_STREAM_START_CORKED);
        if (pa_stream_connect_playback(stream, nullptr, &buffer, flags, nullptr, nullptr) < 0)
            lose(std::string("no sound: ") + pa_strerror(pa_context_errno(context)));
    }

    static void streamChanged(pa_stream* stream, void* self) {
        auto* core = static_cast<Core*>(self);
        switch (pa_stream_get_state(stream)) {
        case PA_STREAM_READY:
            core->connection = Connection::Ready;
            core->everReady = true;
            core->playWaiting();
            break;
        case PA_STREAM_FAILED:
        case PA_STREAM_TERMINATED:
            if (pa_context_get_state(core->context) != PA_CONTEXT_READY)
                core->lose(core->whyLost());
            else
                core->lose("the sound server closed the game's sound stream; sounds come back "
                           "with a new one");
            break;
        default:
            break;
        }
    }

    // The server's connection (or stream) is gone: let go of both, stay quiet, and look for
    // the server again later.
    void lose(const std::string& why) {
        tellOnce(why);
        dropConnection();
        connection = Connection::Silent;
        mixer.fadeOutAll();
        scheduleRetry();
    }

    void dropConnection() {
        dropWatchdog();
        if (stream) {
            pa_stream_set_state_callback(stream, nullptr, nullptr);
            pa_stream_set_write_callback(stream, nullptr, nullptr);
            pa_stream_disconnect(stream);
            pa_stream_unref(stream);
            stream = nullptr;
        }
        if (context) {
            pa_context_set_state_callback(context, nullptr, nullptr);
            pa_context_disconnect(context);
            pa_context_unref(context);
            context = nullptr;
        }
    }

    void scheduleRetry() {
        if (retry || quitting)
            return;
        const auto delay = reconnect.nextTry(milliseconds(Clock::now()));
        if (!delay)
            return;
        struct timeval when;
        pa_gettimeofday(&when);
        pa_timeval_add(&when, static_cast<pa_usec_t>(*delay) * PA_USEC_PER_MSEC);
        retry = api->time_new(api, &when, &Core::retryDue, this);
    }

    static void retryDue(pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self) {
        auto* core = static_cast<Core*>(self);
        core->api->time_free(core->retry);
        core->retry = nullptr;
        if (core->connection != Connection::Silent || core->quitting)
            return;
        // Asked-for sounds may have stopped meanwhile: then the next cue brings a try.
        const auto delay = core->reconnect.nextTry(milliseconds(Clock::now()));
        if (!delay)
            return;
        if (*delay > 0) {
            core->scheduleRetry();
            return;
        }
        core->connect();
    }

    static void woken(pa_mainloop_api*, pa_io_event*, int fd, pa_io_event_flags_t, void* self) {
        std::uint64_t count;
        [[maybe_unused]] const ssize_t got = read(fd, &count, sizeof count);
        auto* core = static_cast<Core*>(self);
        if (core->quitting) {
            core->shutDown();
            return;
        }
        if (core->takeRequests())
            core->startSounding();
    }

    // What the game's thread has posted. True when a cue has started to sound.
    bool takeRequests() {
        bool startedOne = false;
        Request request;
        while (requests.pop(request)) {
            switch (request.kind) {
            case Request::Kind::Play:
                reconnect.asked(milliseconds(request.at));
                if (connection == Connection::Ready) {
                    mixer.start(cuePcm(request.cue, request.comboStep));
                    ++started;
                    startedOne = true;
                } else {
                    if (waiting.size() == 8)
                        waiting.erase(waiting.begin());
                    waiting.push_back(request);
                    if (connection == Connection::Silent)
                        scheduleRetry();
                }
                break;
            case Request::Kind::Disable:
                mixer.fadeOutAll();
                waiting.clear();
                break;
            case Request::Kind::Enable:
                break;
            case Request::Kind::Rename:
                rename();
                break;
            }
        }
        return startedOne;
    }

    void playWaiting() {
        const Clock::time_point now = Clock::now();
        bool startedOne = false;
        for (const Request& request : waiting)
            if (now - request.at <= freshCue && enabled) {
                mixer.start(cuePcm(request.cue, request.comboStep));
                ++started;
                startedOne = true;
            }
        waiting.clear();
        if (startedOne)
            startSounding();
    }

    // A cue has just started: what the server has room for goes out now rather than at its
    // next request, and a paused stream plays again.
    void startSounding() {
        if (!stream || pa_stream_get_state(stream) != PA_STREAM_READY)
            return;
        const std::size_t room = pa_stream_writable_size(stream);
        if (room != static_cast<std::size_t>(-1) && room > 0)
            write(room);
        silentFrames = 0;
        if (corked) {
            corked = false;
            pa_operation* op = pa_stream_cork(stream, 0, nullptr, nullptr);
            if (op)
                pa_operation_unref(op);
        }
    }

    static void writable(pa_stream*, std::size_t bytes, void* self) {
        auto* core = static_cast<Core*>(self);
        // A cue posted just now starts with this block (and a paused stream plays again).
        if (core->takeRequests())
            core->startSounding();
        else if (!core->corked)
            core->write(bytes);
    }

    void write(std::size_t bytes) {
        while (bytes >= sizeof(std::int16_t)) {
            void* data = nullptr;
            std::size_t length = bytes;
            if (pa_stream_begin_write(stream, &data, &length) < 0 || !data) {
                spare.resize(bytes / sizeof(std::int16_t));
                data = spare.data();
                length = spare.size() * sizeof(std::int16_t);
            }
            length = std::min(length, bytes) / sizeof(std::int16_t) * sizeof(std::int16_t);
            if (length == 0)
                break;
            const std::size_t frames = length / sizeof(std::int16_t);
            const bool sounding = mixer.voices() > 0;
            mixer.mix(static_cast<std::int16_t*>(data), frames);
            silentFrames = sounding ? 0 : silentFrames + frames;
            if (pa_stream_write(stream, data, length, nullptr, 0, PA_SEEK_RELATIVE) < 0) {
                pa_stream_cancel_write(stream);
                break;
            }
            bytes -= length;
        }
        // The last sound has been heard out: pause and drop the queued silence, so that the
        // next cue starts at once rather than behind it.
        if (!corked && mixer.voices() == 0 && silentFrames >= pauseAfterSilentFrames) {
            corked = true;
            if (pa_operation* op = pa_stream_cork(stream, 1, nullptr, nullptr))
                pa_operation_unref(op);
            if (pa_operation* op = pa_stream_flush(stream, nullptr, nullptr))
                pa_operation_unref(op);
        }
    }

    void rename() {
        const std::string name = currentName();
        if (context && pa_context_get_state(context) == PA_CONTEXT_READY) {
            pa_proplist* properties = namesAsProperties();
            if (pa_operation* op = pa_context_proplist_update(context, PA_UPDATE_REPLACE,
                                                              properties, nullptr, nullptr))
                pa_operation_unref(op);
            pa_proplist_free(properties);
        }
        if (stream && pa_stream_get_state(stream) == PA_STREAM_READY)
            if (pa_operation* op = pa_stream_set_name(stream, name.c_str(), nullptr, nullptr))
                pa_operation_unref(op);
    }

    void shutDown() {
        if (retry)
            api->time_free(retry);
        retry = nullptr;
        dropConnection();
        if (wake)
            api->io_free(wake);
        wake = nullptr;
        const std::lock_guard lock(doneMutex);
        done = true;
        doneSignal.notify_all();
    }
};

// The player the game holds.
class Player final : public SoundCues {
public:
    explicit Player(const Identity& identity) : core_(new Core) {
        core_->name = identity.applicationName ? identity.applicationName : "";
        core_->applicationId = identity.applicationId ? identity.applicationId : "";
        core_->iconName = identity.iconName ? identity.iconName : "";
        core_->wakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
        core_->loop = pa_threaded_mainloop_new();
        if (core_->wakeFd < 0 || !core_->loop) {
            fail("no sound: the sound thread could not be set up");
            return;
        }
        core_->api = pa_threaded_mainloop_get_api(core_->loop);
        pa_threaded_mainloop_set_name(core_->loop, "rz6-sound");
        // Everything that touches the server, its settings or its files is done on the sound
        // thread: here only the thread starts.
        pa_mainloop_api_once(core_->api, &Core::setUp, core_);
        if (pa_threaded_mainloop_start(core_->loop) < 0) {
            fail("no sound: the sound thread could not be started");
            return;
        }
        running_ = true;
    }

    ~Player() override {
        if (!running_) {
            release();
            return;
        }
        core_->quitting = true;
        wake();
        std::unique_lock lock(core_->doneMutex);
        const bool done =
            core_->doneSignal.wait_for(lock, shutdownWait, [this] { return core_->done; });
        lock.unlock();
        if (!done) {
            // The sound thread is stuck somewhere outside the game (a system library waiting
            // on something): the game quits without it, and leaves it what it uses.
            core_ = nullptr;
            return;
        }
        release();
    }

    void play(Cue cue, int comboStep) override {
        if (!running_ || !core_->enabled.load(std::memory_order_relaxed))
            return;
        post({Request::Kind::Play, cue, comboStep, Clock::now()});
    }

    void setEnabled(bool enabled) override {
        if (!running_ || core_->enabled.exchange(enabled) == enabled)
            return;
        post({enabled ? Request::Kind::Enable : Request::Kind::Disable, Cue::Landing, 1,
              Clock::now()});
    }

    void setApplicationName(const char* name) override {
        if (!running_ || !name)
            return;
        {
            const std::lock_guard lock(core_->nameMutex);
            core_->name = name;
        }
        post({Request::Kind::Rename, Cue::Landing, 1, Clock::now()});
    }

    Connection connection() const override { return core_->connection; }
    std::uint64_t cuesStarted() const override { return core_->started; }

private:
    void post(const Request& request) {
        if (core_->requests.push(request))
            wake();
    }
    void wake() {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t put = ::write(core_->wakeFd, &one, sizeof one);
    }
    void fail(const std::string& why) {
        tellOnce(why);
        core_->connection = Connection::Silent;
    }
    // Only once the sound thread has let go of everything, or never ran.
    void release() {
        if (core_->loop) {
            pa_threaded_mainloop_stop(core_->loop);
            pa_threaded_mainloop_free(core_->loop);
        }
        if (core_->wakeFd >= 0)
            close(core_->wakeFd);
        delete core_;
    }

    Core* core_;
    bool running_ = false;
};

} // namespace
} // namespace rz6::sound

extern "C" __attribute__((visibility("default"))) rz6::sound::SoundCues*
rz6_open_sound(int interface, const rz6::sound::Identity* identity) {
    if (interface != rz6::sound::soundInterface || !identity)
        return nullptr;
    return new rz6::sound::Player(*identity);
}
