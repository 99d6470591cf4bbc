// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "battle/match_summary.h"
#include "battle/random_source.h"
#include "battle/technique_catalogue.h"
#include "charselect/characters.h"

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace rz6 {

// Where a battle screen stands: waiting for the start command, in a match, or finished
// with the result screen in front.
enum class MatchPhase { Idle, Running, Ended };

// What one clock tick did.
enum class TickEffect { Nothing, Drained, Closed, MatchEnded };

// Everything one battle screen holds: the board, the typed sequence, score, turns, the combo
// gauge and its clock. A new Match starts from the battle screen's design values; the battle
// window only turns input into calls on it and shows its state.
//
// The pause after a strike is state, not a sleep: while pausing() the outcome (red cells
// still showing the digits they had, message, points, combo text) is what the screen shows,
// keys are queued, and ticks do nothing. endPause() shows the refilled board, clears the
// input and handles the queued keys in order; a queued key that launches another strike
// pauses again and the rest stay queued. Keys typed once the turns are spent are dropped.
//
// The match touches nothing outside itself: every strike and every Enter hands back what it
// did (a StrikeResult), and summary() tells what the whole match did. Whoever keeps the
// player's record counts the landings from those.
class Match {
public:
    static constexpr int cellCount = 16;
    static constexpr int maxDigits = 9;
    static constexpr int startTurns = 10;
    static constexpr int startTickInterval = 200; // milliseconds
    static constexpr int pauseTicks = 5;          // the pause lasts five tick intervals
    static constexpr int gaugeStep = 100;         // drained from the gauge every tick
    static constexpr int maxComboCount = 10;
    static constexpr int enterPenalty = 50;
    static constexpr int missPenalty = 100;
    static constexpr int counterPoints = -100;
    static constexpr char16_t enterKey = 13;

    explicit Match(RandomSource& random);

    // The start command: deals the board and makes the keyboard live. Only from Idle.
    void start();
    // One typed character, a UTF-16 unit as the keyboard delivers it (Enter is 13). Ignored
    // outside a match; queued while pausing. Gives back what a launched strike or an Enter
    // did; nothing for a key that only adds a digit or is ignored or queued.
    std::optional<StrikeResult> press(char16_t key);
    // One tick of the match clock. Does nothing while pausing or once the match has ended.
    TickEffect tick();
    // The pause after a strike is over. Gives back what the queued keys did, in order.
    std::vector<StrikeResult> endPause();

    // Whether a tick now could change anything: the combo window is draining, is still to be
    // closed, or the turns are spent and the match is to end. False while waiting for the
    // start, during the pause, once the match has ended, and mid-match with the window closed
    // and turns left: then only a strike can change the clock's work, and every strike ends
    // in a pause, whose end ticks at once. The battle window runs its clock only while this
    // holds, so a waiting game never wakes up.
    bool clockNeeded() const;

    // Character settings (the character select screen writes them).
    void setWindowLength(int length) { windowLength_ = length; }
    void setScoreMultiplier(double multiplier) { scoreMultiplier_ = multiplier; }

    // What the match has done so far; once phase() is Ended, what the whole match did.
    MatchSummary summary() const;

    // --- the state, as the screen shows it ---
    MatchPhase phase() const { return phase_; }
    bool matchRunning() const { return phase_ == MatchPhase::Running; }
    // The digits typed so far, in typing order; during the pause, the launched sequence.
    const std::string& inputText() const { return inputText_; } // InputLabel
    int digitCount() const { return static_cast<int>(inputText_.size()); }
    std::int32_t score() const { return score_; }
    double scoreMultiplier() const { return scoreMultiplier_; }
    std::int32_t strikePoints() const { return strikePoints_; }
    const std::array<bool, techniqueCount>& usedThisMatch() const { return usedThisMatch_; }
    int turnsLeft() const { return turnsLeft_; }
    int comboCount() const { return comboCount_; }
    int comboWindow() const { return comboWindow_; }
    int comboWindowMax() const { return comboWindowMax_; }
    bool windowOpen() const { return windowOpen_; }
    int windowLength() const { return windowLength_; }
    int tickInterval() const { return tickInterval_; }
    const std::string& message() const { return message_; }       // MesLabel
    const std::string& pointsText() const { return pointsText_; } // GetPtLabel
    const std::string& comboText() const { return comboText_; }   // RenLabel
    StrikeOutcome lastOutcome() const { return lastOutcome_; }

    // The board as shown: the digit a cell shows and whether it is red (spent by the strike
    // on show). Design value: every cell shows 1, none red.
    int cellDigit(int cell) const { return cellShown_.at(cell); }
    bool cellSpent(int cell) const { return cellSpent_.at(cell); }
    // The digits that can be taken (0 marks a cell spent by the strike being resolved).
    const std::array<std::uint8_t, cellCount>& boardDigits() const { return boardDigits_; }
    // Whether the keypad mark of digit 1..9 is shown.
    bool keypadShown(int digit) const { return keypadShown_.at(digit); }

    // The last turn is spent and no gauge is left that would make a strike free: no key
    // counts any more, and the next tick ends the match.
    bool turnsSpent() const { return turnsLeft_ < 1 && comboWindow_ == 0; }

    bool pausing() const { return pausing_; }
    // How long the pause on show lasts, in milliseconds: five intervals of the clock as it
    // stood when the strike was launched.
    int pauseLength() const { return pauseLength_; }
    std::size_t queuedKeys() const { return queuedKeys_.size(); }

private:
    std::optional<StrikeResult> handleKey(char16_t key);
    StrikeResult abandonSequence();
    StrikeResult resolveStrike();
    bool takeDigitsFromBoard(StrikeResult& result);
    void scoreStrike();
    void refillSpentCells();
    void clearSequence();
    void markDigitsOnKeypad();
    int drawDigit();
    void addToScore(std::int64_t points);

    RandomSource& random_;
    MatchSummary tally_;

    MatchPhase phase_ = MatchPhase::Idle;
    std::string inputText_;
    std::int32_t score_ = 0;
    // A fresh battle screen fights as the first character until another is chosen.
    double scoreMultiplier_ = characters().front().scoreMultiplier;
    std::int32_t strikePoints_ = 0;
    std::array<bool, techniqueCount> usedThisMatch_{};
    int turnsLeft_ = startTurns;
    int comboCount_ = 0;
    int comboWindow_ = 0;
    int comboWindowMax_ = 0;
    bool windowOpen_ = false;
    int windowLength_ = characters().front().windowLength;
    int tickInterval_ = startTickInterval;
    std::string message_;
    std::string pointsText_;
    std::string comboText_;
    StrikeOutcome lastOutcome_ = StrikeOutcome::None;

    std::array<std::uint8_t, cellCount> boardDigits_{};
    std::array<int, cellCount> cellShown_{};
    std::array<bool, cellCount> cellSpent_{};
    std::array<bool, 10> keypadShown_{}; // index 1..9

    bool pausing_ = false;
    int pauseLength_ = 0;
    std::deque<char16_t> queuedKeys_;
};

} // namespace rz6
