// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "battle/match_session.h"
#include "charselect/character_target.h"

#include <QString>

#include <functional>

namespace rz6 {

// What the next match is fought with, as character select sets it: the session's settings
// (the combo window and the multiplier) and what the battle window shows of the character
// (the status text and the portrait). Every fresh match starts from the first character.
class NextMatch : public CharacterTarget {
public:
    // Told every change of the settings, and of what is shown.
    using SettingsChanged = std::function<void(const MatchSettings& settings)>;
    using ShownChanged = std::function<void()>;
    NextMatch(SettingsChanged settingsChanged, ShownChanged shownChanged);

    // Back to the first character, without telling anyone.
    void reset();

    const MatchSettings& settings() const { return settings_; }
    const QString& statusText() const { return statusText_; }
    const QString& portrait() const { return portrait_; }

    void setStatusText(const QString& text) override;
    void setWindowLength(int length) override;
    void setScoreMultiplier(double multiplier) override;
    void setPortrait(const QString& pictureName) override;

private:
    SettingsChanged settingsChanged_;
    ShownChanged shownChanged_;
    MatchSettings settings_;
    QString statusText_;
    QString portrait_;
};

} // namespace rz6
