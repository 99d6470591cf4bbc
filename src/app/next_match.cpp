// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "app/next_match.h"

#include "charselect/characters.h"
#include "common/qt_text.h"

namespace rz6 {

NextMatch::NextMatch(SettingsChanged settingsChanged, ShownChanged shownChanged)
    : settingsChanged_(std::move(settingsChanged)), shownChanged_(std::move(shownChanged)) {
    reset();
}

void NextMatch::reset() {
    const Character& first = characters().front();
    settings_ = {first.windowLength, first.scoreMultiplier};
    statusText_ = fromUtf8(rz6::statusText(first));
    portrait_ = fromUtf8(first.readyPicture);
}

void NextMatch::setStatusText(const QString& text) {
    statusText_ = text;
    shownChanged_();
}

void NextMatch::setWindowLength(int length) {
    settings_.windowLength = length;
    settingsChanged_(settings_);
}

void NextMatch::setScoreMultiplier(double multiplier) {
    settings_.scoreMultiplier = multiplier;
    settingsChanged_(settings_);
}

void NextMatch::setPortrait(const QString& pictureName) {
    portrait_ = pictureName;
    shownChanged_();
}

} // namespace rz6
