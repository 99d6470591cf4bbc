// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "common/language.h"

#include <QString>

#include <utility>

namespace rz6 {

// What the player chose in the 設定 menu for the whole run and remembers for the next: the
// language (with the run's decision of it) and whether the sound effects play. A choice
// takes effect at once; remembering it can fail, and then the message for the player comes
// back. Without a settings file a choice still applies, but is not remembered.
class PlayerSettings {
public:
    PlayerSettings() = default;
    PlayerSettings(QString path, LanguageDecision language, bool soundEffects)
        : path_(std::move(path)), language_(std::move(language)), soundEffects_(soundEffects) {}

    const LanguageDecision& language() const { return language_; }
    bool soundEffects() const { return soundEffects_; }

    // A choice in the menu replaces the remembered one and the one given for this run.
    void chooseLanguage(LanguageChoice choice) { language_.choose(choice); }
    // Remembering returns an empty text, or why the choice could not be remembered (in the
    // language the game speaks by then).
    QString rememberLanguage() const {
        return path_.isEmpty() ? QString() : rememberLanguageChoice(path_, language_.choice());
    }
    QString chooseSoundEffects(bool on) {
        soundEffects_ = on;
        return path_.isEmpty() ? QString() : rememberSoundEffects(path_, on);
    }

private:
    QString path_;
    LanguageDecision language_{desktopMessagesLocale(), std::nullopt};
    bool soundEffects_ = true;
};

} // namespace rz6
