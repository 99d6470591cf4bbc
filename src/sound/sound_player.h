// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "sound/sound_cue_choice.h"
#include "sound/sound_cues.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace rz6 {

// The game's side of its sounds. The sounds and everything that plays them live in the sound
// library (sound/sound_cues.h), which this player loads only when it is first needed: on
// prepareSoon(), which the game calls as a match starts, or on the first cue asked for before
// that (loaded on a queued call either way, so the key or the start command is handled first).
// A player who only opens the menus and screens never loads it. Without the library, or
// without a sound server, the game is silent and plays on.
//
// Switched off (効果音 unchecked), the player loads nothing, and sounding cues stop.
class SoundPlayer : public QObject {
public:
    // Opens the library for the given names, or returns nullptr (and says why in `problem`).
    using Loader =
        std::function<std::unique_ptr<sound::SoundCues>(const sound::Identity&, QString& problem)>;

    // `applicationName`: the game's title in the player's language, as the sound server lists
    // it for its per-application volume.
    explicit SoundPlayer(const QString& applicationName, QObject* parent = nullptr);
    SoundPlayer(const QString& applicationName, Loader loader, QObject* parent = nullptr);
    ~SoundPlayer() override;

    // Loads the library now (a no-op once loaded or found missing).
    void prepare();
    // The same once the event in hand has been handled.
    void prepareSoon();
    void setEnabled(bool enabled);
    bool enabled() const { return enabled_; }
    // The title again, after a switch of language.
    void setApplicationName(const QString& applicationName);

    void play(sound::Cue cue, int comboStep = 1);
    // Every sound of one strike or Enter (sound/sound_cue_choice.h), the one call the battle
    // wiring makes for it.
    void playStrike(const StrikeResult& result);
    void playMoment(SoundMoment moment);

    // Whether the library is loaded and playing (for tests and the benchmark).
    bool loaded() const { return cues_ != nullptr; }

private:
    enum class Stage { NotLoaded, LoadQueued, Loaded, Unavailable };
    void load();

    QString applicationName_;
    Loader loader_;
    bool enabled_ = true;
    Stage stage_ = Stage::NotLoaded;
    std::unique_ptr<sound::SoundCues> cues_;
    std::vector<CueCall> early_; // asked for while the load was queued
};

// Where the library is looked for, in that order, for a program in this folder: beside it,
// where an install puts it relative to the program's folder, and where it was configured to
// be installed.
QStringList soundModuleCandidates(const QString& programFolder);

// The loader the game uses: the first of soundModuleCandidates that loads and speaks this
// version of the interface.
std::unique_ptr<sound::SoundCues> loadSoundModule(const sound::Identity& identity,
                                                  QString& problem);

} // namespace rz6
