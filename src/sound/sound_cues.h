// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <cstdint>

// What passes between the game and its sound library, "librz6_sound.so". The library is
// loaded as the first match starts, so nothing of the sound system is loaded while the game
// starts, nor for a player who only looks at its screens; it holds the sounds (made at build time
// by assets/sound_generator.cpp), mixes them into one stream of its own and talks to the sound
// server with libpulse (PulseAudio, or PipeWire's server of the same protocol).
//
// Plain C++ without Qt: the library links libpulse only.
namespace rz6::sound {

// Every sound the game makes.
enum class Cue : std::uint8_t {
    Landing,  // a technique lands: a swish and a ringing strike
    Block,    // the sequence was blocked: a dull wooden clack
    Counter,  // a counter: a sharp hit that swells backwards into a snap
    Miss,     // a digit no cell showed: an airy whoosh
    Abandon,  // the sequence given up with Enter: a stumble
    LastTurn, // the last turn is spent: a low gong
    MatchEnd, // the match is over: the clappers
    Result,   // the result screen: a plucked flourish
    NewBest,  // a new entry among the five best overall scores: a bright chime
};
inline constexpr int cueCount = 9;

// A landing rings higher with every step of the combo: step 1 is a fresh strike, step 10
// the tenth strike in a row (and every one after it).
inline constexpr int comboSteps = 10;

// How the sound server lists the game, for its per-application volume. UTF-8 text, copied by
// the library.
struct Identity {
    const char* applicationName = nullptr; // the title in the player's language
    const char* applicationId = nullptr;   // the desktop id
    const char* iconName = nullptr;        // the icon's name in the icon theme
};

// Where the library stands with the sound server.
enum class Connection : std::uint8_t {
    Connecting, // looking for the server, or talking it into a stream
    Ready,      // the stream is there: a cue plays at once
    Silent,     // no server (or it went away): cues are dropped, a new try comes later
};

// The sounds, as the library offers them. Every call returns at once: nothing waits for the
// sound server, on the way in or out. Call from one thread (the game's GUI thread).
class SoundCues {
public:
    // Stops the library's thread and lets go of the server without waiting on it.
    virtual ~SoundCues() = default;

    // Starts a cue; it plays over whatever is already sounding. comboStep counts for a
    // Landing only (1..comboSteps; outside that range it is brought into it).
    virtual void play(Cue cue, int comboStep) = 0;
    // Off: sounding cues fade out at once and later ones are dropped. On by default.
    virtual void setEnabled(bool enabled) = 0;
    // The name shown for the game, when the player switches its language.
    virtual void setApplicationName(const char* name) = 0;

    virtual Connection connection() const = 0;
    // How many cues have started to sound so far (mixed into the stream).
    virtual std::uint64_t cuesStarted() const = 0;
};

// The library's one exported function: a new player for the given names, or nullptr when the
// library speaks another version of this interface. The caller owns the result.
inline constexpr char soundEntryName[] = "rz6_open_sound";
inline constexpr int soundInterface = 1;
using SoundEntry = SoundCues* (*)(int interface, const Identity* identity);

} // namespace rz6::sound
