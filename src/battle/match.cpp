// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "battle/match.h"

#include "common/saturating_add.h"
#include "common/translatable_text.h"

#include <algorithm>
#include <cmath>

namespace rz6 {
namespace {

constexpr std::string_view missMessage = RZ6_TRANSLATABLE("Game", "空振 ");
constexpr std::string_view blockMessage = RZ6_TRANSLATABLE("Game", "防がれた！");
constexpr std::string_view counterMessage = RZ6_TRANSLATABLE("Game", "反撃を受けた！");
constexpr std::string_view abandonMessage = RZ6_TRANSLATABLE("Game", "姿勢を崩した！");
constexpr std::string_view comboSuffix = "連撃";

} // namespace

Match::Match(RandomSource& random) : random_(random) {
    cellShown_.fill(1);
    keypadShown_.fill(true);
    keypadShown_[0] = false;
}

void Match::start() {
    if (phase_ != MatchPhase::Idle)
        return;
    phase_ = MatchPhase::Running;
    random_.seedFromClock();
    for (int cell = 0; cell < cellCount; ++cell) {
        const int digit = drawDigit();
        boardDigits_[cell] = static_cast<std::uint8_t>(digit);
        cellShown_[cell] = digit;
    }
    usedThisMatch_.fill(false);
    markDigitsOnKeypad();
}

std::optional<StrikeResult> Match::press(char16_t key) {
    if (!matchRunning())
        return std::nullopt;
    if (pausing_) {
        queuedKeys_.push_back(key);
        return std::nullopt;
    }
    return handleKey(key);
}

std::optional<StrikeResult> Match::handleKey(char16_t key) {
    // Ten turns are all a match has: once the last is spent and the gauge is empty, every
    // strike would cost an eleventh, so keys typed from then on (also those queued behind
    // the last turn's pause) are dropped, and the next tick ends the match.
    if (turnsSpent())
        return std::nullopt;
    if (key == enterKey)
        return abandonSequence();
    if (key == u'0') {
        if (!inputText_.empty() && digitCount() % 3 == 0)
            return resolveStrike();
    } else if (key >= u'1' && key <= u'9') {
        inputText_.push_back(static_cast<char>(key));
        if (digitCount() == maxDigits)
            return resolveStrike();
    }
    return std::nullopt;
}

StrikeResult Match::abandonSequence() {
    const std::int32_t scoreBefore = score_;
    inputText_.clear();
    message_ = abandonMessage;
    addToScore(-enterPenalty);
    pointsText_ = std::to_string(-enterPenalty);
    ++tally_.abandons;
    StrikeResult result;
    result.outcome = StrikeOutcome::Abandon;
    result.points = saturatingAdd(score_, -static_cast<std::int64_t>(scoreBefore));
    result.comboCount = comboCount_;
    result.turnsLeft = turnsLeft_;
    return result;
}

StrikeResult Match::resolveStrike() {
    StrikeResult result;
    result.keys = inputText_;
    const std::int32_t scoreBefore = score_;
    // A strike launched on an empty gauge costs a turn, whatever its outcome.
    if (comboWindow_ == 0) {
        --turnsLeft_;
        ++tally_.turnsSpent;
        result.turnSpent = true;
    }

    if (takeDigitsFromBoard(result)) {
        strikePoints_ = 0;
        if (const auto technique = lookupTechnique(inputText_)) {
            lastOutcome_ = StrikeOutcome::Technique;
            message_ = technique->name;
            result.techniqueId = technique->techniqueId;
            ++tally_.landings[technique->techniqueId];
            usedThisMatch_[technique->techniqueId] = true;
            strikePoints_ = technique->basePoints;
            scoreStrike();
        } else if (windowOpen_) {
            lastOutcome_ = StrikeOutcome::Counter;
            message_ = counterMessage;
            ++tally_.counters;
            strikePoints_ = counterPoints;
            scoreStrike();
        } else {
            lastOutcome_ = StrikeOutcome::Block;
            message_ = blockMessage;
            ++tally_.blocks;
        }
    } else {
        ++tally_.misses;
    }

    refillSpentCells();
    pausing_ = true;
    pauseLength_ = pauseTicks * tickInterval_;

    result.outcome = lastOutcome_;
    result.points = saturatingAdd(score_, -static_cast<std::int64_t>(scoreBefore));
    result.comboCount = comboCount_;
    result.turnsLeft = turnsLeft_;
    result.matchEnded = phase_ == MatchPhase::Ended;
    return result;
}

// Takes every typed digit from the first unspent cell showing it, in cell order. A digit
// that no unspent cell shows makes the strike miss; the cells taken so far stay spent.
bool Match::takeDigitsFromBoard(StrikeResult& result) {
    for (const char typed : inputText_) {
        const auto digit = static_cast<std::uint8_t>(typed - '0');
        const auto cell = std::find(boardDigits_.begin(), boardDigits_.end(), digit);
        if (cell == boardDigits_.end()) {
            lastOutcome_ = StrikeOutcome::Miss;
            result.missingDigit = digit;
            message_ = std::string(missMessage) + std::to_string(digit);
            addToScore(-missPenalty);
            pointsText_ = std::to_string(-missPenalty);
            return false;
        }
        cellSpent_[cell - boardDigits_.begin()] = true;
        *cell = 0;
    }
    return true;
}

// Scoring of a technique or a counter: the gauge is refilled, and the combo continues while
// the window is open or starts afresh otherwise.
void Match::scoreStrike() {
    comboWindowMax_ = windowLength_;
    comboWindow_ = windowLength_;
    double gained = scoreMultiplier_ * strikePoints_;
    if (windowOpen_) {
        ++comboCount_;
        comboText_ = std::to_string(comboCount_ + 1) + std::string(comboSuffix);
        gained *= comboCount_;
        tally_.longestCombo = std::max(tally_.longestCombo, comboCount_ + 1);
    } else {
        comboCount_ = 0;
        comboText_.clear();
        tally_.longestCombo = std::max(tally_.longestCombo, 1);
    }
    // Halves go to the even neighbour (the default rounding mode); the catalogue's points
    // with every multiplier are whole numbers, so this only drops floating-point noise.
    const auto rounded = static_cast<std::int64_t>(std::nearbyint(gained));
    addToScore(rounded);
    pointsText_ = std::to_string(rounded);
}

void Match::refillSpentCells() {
    for (int cell = 0; cell < cellCount; ++cell)
        if (cellSpent_[cell])
            boardDigits_[cell] = static_cast<std::uint8_t>(drawDigit());
}

std::vector<StrikeResult> Match::endPause() {
    std::vector<StrikeResult> results;
    if (!pausing_)
        return results;
    pausing_ = false;
    for (int cell = 0; cell < cellCount; ++cell) {
        cellShown_[cell] = boardDigits_[cell];
        cellSpent_[cell] = false;
    }
    clearSequence();
    markDigitsOnKeypad();
    while (!pausing_ && !queuedKeys_.empty()) {
        const char16_t key = queuedKeys_.front();
        queuedKeys_.pop_front();
        if (auto result = handleKey(key))
            results.push_back(std::move(*result));
    }
    return results;
}

void Match::clearSequence() {
    inputText_.clear();
    message_.clear();
    pointsText_.clear();
}

TickEffect Match::tick() {
    if (phase_ == MatchPhase::Ended || pausing_)
        return TickEffect::Nothing;
    if (comboWindow_ > 1) {
        comboCount_ = std::min(comboCount_, maxComboCount);
        tickInterval_ = startTickInterval - 10 * comboCount_;
        comboWindow_ -= gaugeStep;
        windowOpen_ = true;
        return TickEffect::Drained;
    }
    windowOpen_ = false;
    comboText_.clear();
    if (turnsLeft_ < 1) {
        phase_ = MatchPhase::Ended;
        return TickEffect::MatchEnded;
    }
    return TickEffect::Closed;
}

bool Match::clockNeeded() const {
    if (phase_ != MatchPhase::Running || pausing_)
        return false;
    // Mirrors tick(): a draining tick always changes the gauge; a closing one changes
    // something only if the window still shows open, the combo text is up or the turns
    // are spent.
    return comboWindow_ > 1 || windowOpen_ || !comboText_.empty() || turnsLeft_ < 1;
}

MatchSummary Match::summary() const {
    MatchSummary summary = tally_;
    summary.score = score_;
    for (int index = 0; index < characterCount; ++index) {
        const Character& c = character(index);
        if (c.windowLength == windowLength_ && c.scoreMultiplier == scoreMultiplier_)
            summary.character = index;
    }
    return summary;
}

// Shows exactly the keypad marks of the digits the cells show.
void Match::markDigitsOnKeypad() {
    keypadShown_.fill(false);
    for (const int digit : cellShown_)
        if (digit >= 1 && digit <= 9)
            keypadShown_[digit] = true;
}

int Match::drawDigit() {
    const int digit = static_cast<int>(std::floor(random_.next() * 9 + 1));
    return std::clamp(digit, 1, 9); // a source outside [0, 1) still deals a valid digit
}

void Match::addToScore(std::int64_t points) {
    score_ = saturatingAdd(score_, points);
}

} // namespace rz6
