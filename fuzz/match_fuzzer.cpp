// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// Feeds the match rules an arbitrary stream of keys, clock ticks, pause ends, start commands,
// character changes and restarts, and checks after every step what must always hold:
// - the typed text holds only the digits 1..9, never more than nine;
// - outside the idle screen every board digit is 1..9, and every cell shows 1..9;
// - a turn is only ever lost by a strike launched on an empty gauge, one per strike;
// - the score only moves by the Enter penalty, the miss penalty or a strike's points, which
//   follow from the technique struck, the multiplier and the combo count;
// - every Enter and strike handled is reported once, with the points the score moved by and
//   the technique that landed, and the match's summary counts that landing.
// A restart is a new match, as the program does it.

#include "battle/match.h"
#include "battle/technique_catalogue.h"
#include "charselect/characters.h"
#include "common/saturating_add.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace {

using rz6::Match;
using rz6::MatchPhase;
using rz6::StrikeOutcome;

[[noreturn]] void fail(const char* what, const std::string& detail = {}) {
    std::fprintf(stderr, "match invariant broken: %s %s\n", what, detail.c_str());
    std::abort();
}

void check(bool ok, const char* what, const std::string& detail = {}) {
    if (!ok)
        fail(what, detail);
}

// Deals numbers taken from the fuzz input itself, including the edge values 0 and 1.
class FuzzRandomSource : public rz6::RandomSource {
public:
    explicit FuzzRandomSource(FuzzedDataProvider& data) : data_(data) {}
    void seedFromClock() override {}
    double next() override { return data_.ConsumeProbability<double>(); }

private:
    FuzzedDataProvider& data_;
};

enum class Op { Key, Enter, OtherKey, Tick, EndPause, Start, Restart, Character, Count };

class MatchDriver {
public:
    explicit MatchDriver(FuzzedDataProvider& data) : data_(data), random_(data) { restart(); }

    void step() {
        const auto op = static_cast<Op>(data_.ConsumeIntegralInRange<int>(0, int(Op::Count) - 1));
        before_ = Snapshot(*match_);
        results_.clear();
        int entersHandled = 0;
        bool strikeLaunched = false;
        switch (op) {
        case Op::Key:
        case Op::Enter:
        case Op::OtherKey: {
            const char16_t key = op == Op::Enter ? Match::enterKey
                                 : op == Op::Key
                                     ? char16_t(u'0' + data_.ConsumeIntegralInRange(0, 9))
                                     : data_.ConsumeIntegral<char16_t>();
            const bool queued = match_->matchRunning() && match_->pausing();
            // With the ten turns spent and the gauge empty, a key is dropped unheard.
            const bool dropped = match_->turnsSpent();
            if (auto result = match_->press(key))
                results_.push_back(*result);
            if (queued) {
                queue_.push_back(key);
            } else if (before_.running && !dropped) {
                entersHandled = key == Match::enterKey;
                strikeLaunched = match_->pausing();
            }
            break;
        }
        case Op::Tick:
            match_->tick();
            break;
        case Op::EndPause: {
            // Keys queued behind the pause of the last turn are dropped once the gauge is
            // empty; an Enter among them costs nothing.
            const bool dropped = match_->turnsSpent();
            results_ = match_->endPause();
            const std::size_t handled = queue_.size() - match_->queuedKeys();
            for (std::size_t i = 0; i < handled; ++i) {
                entersHandled += queue_.front() == Match::enterKey && !dropped;
                queue_.pop_front();
            }
            strikeLaunched = before_.pausing && match_->pausing();
            break;
        }
        case Op::Start:
            match_->start();
            break;
        case Op::Restart:
            restart();
            before_ = Snapshot(*match_);
            break;
        case Op::Character:
            // The character select screen is only open on an idle battle screen.
            if (match_->phase() == MatchPhase::Idle) {
                const auto& c =
                    rz6::character(data_.ConsumeIntegralInRange(0, rz6::characterCount - 1));
                match_->setWindowLength(c.windowLength);
                match_->setScoreMultiplier(c.scoreMultiplier);
            }
            break;
        case Op::Count:
            break;
        }
        checkState();
        checkChange(op, entersHandled, strikeLaunched);
    }

private:
    struct Snapshot {
        Snapshot() = default;
        explicit Snapshot(const Match& m)
            : running(m.matchRunning()), pausing(m.pausing()), score(m.score()),
              turnsLeft(m.turnsLeft()), comboWindow(m.comboWindow()), comboCount(m.comboCount()),
              windowOpen(m.windowOpen()), summary(m.summary()) {}
        bool running = false;
        bool pausing = false;
        std::int32_t score = 0;
        int turnsLeft = 0;
        int comboWindow = 0;
        int comboCount = 0;
        bool windowOpen = false;
        rz6::MatchSummary summary;
    };

    void restart() {
        match_ = std::make_unique<Match>(random_);
        queue_.clear();
    }

    void checkState() const {
        const Match& m = *match_;
        const auto& text = m.inputText();
        const int count = m.digitCount();
        check(count >= 0 && count <= Match::maxDigits, "digitCount out of 0..9",
              std::to_string(count));
        for (int i = 0; i < count; ++i)
            check(text[i] >= '1' && text[i] <= '9', "typed text holds a non-digit", text);
        for (int cell = 0; cell < Match::cellCount; ++cell) {
            check(m.cellDigit(cell) >= 1 && m.cellDigit(cell) <= 9, "a cell shows no digit 1..9");
            if (m.phase() != MatchPhase::Idle)
                check(m.boardDigits()[cell] >= 1 && m.boardDigits()[cell] <= 9,
                      "a board digit outside 1..9 between strikes");
            if (!m.pausing())
                check(!m.cellSpent(cell), "a red cell outside a strike's pause");
        }
        // The idle screen shows all nine keypad marks over a board of 1s, by design.
        if (!m.pausing() && m.phase() != MatchPhase::Idle) {
            for (int digit = 1; digit <= 9; ++digit) {
                bool onBoard = false;
                for (int cell = 0; cell < Match::cellCount; ++cell)
                    onBoard = onBoard || m.cellDigit(cell) == digit;
                check(m.keypadShown(digit) == onBoard, "keypad marks differ from the board");
            }
        }
        check(m.comboWindow() >= 0 && m.comboWindow() <= m.windowLength(), "gauge out of range",
              std::to_string(m.comboWindow()));
        check(m.tickInterval() >= 100 && m.tickInterval() <= 200, "tick interval out of range");
        check(m.queuedKeys() == queue_.size(), "queued keys lost or invented");
        check(m.pausing() || m.queuedKeys() == 0, "keys left queued after the pause");
        check(m.matchRunning() || !m.pausing(), "pausing outside a match");
    }

    void checkChange(Op op, int entersHandled, bool strikeLaunched) const {
        const Match& m = *match_;
        if (op == Op::Restart) {
            check(m.score() == 0 && m.turnsLeft() == Match::startTurns && !m.matchRunning(),
                  "a restarted match does not start from the design values");
            return;
        }
        // Turns.
        const int turnsLost = before_.turnsLeft - m.turnsLeft();
        const bool turnExpected = strikeLaunched && before_.comboWindow == 0;
        check(turnsLost == (turnExpected ? 1 : 0), "turns changed other than by a strike",
              std::to_string(turnsLost));

        // Score: the Enters handled come first, then at most one strike.
        std::int32_t expected = before_.score;
        for (int i = 0; i < entersHandled; ++i)
            expected = rz6::saturatingAdd(expected, -Match::enterPenalty);
        int landed = -1;
        if (strikeLaunched) {
            const auto technique = rz6::lookupTechnique(m.inputText());
            switch (m.lastOutcome()) {
            case StrikeOutcome::Miss:
                expected = rz6::saturatingAdd(expected, -Match::missPenalty);
                break;
            case StrikeOutcome::Block:
                check(!technique && !m.windowOpen(), "a technique or an open window blocked");
                break;
            case StrikeOutcome::Technique:
            case StrikeOutcome::Counter: {
                const bool isTechnique = m.lastOutcome() == StrikeOutcome::Technique;
                check(isTechnique == technique.has_value(), "outcome disagrees with the catalogue",
                      m.inputText());
                const int points = isTechnique ? technique->basePoints : Match::counterPoints;
                check(m.strikePoints() == points, "strike points not the catalogue's");
                const bool continues = m.windowOpen();
                check(m.comboCount() == (continues ? before_.comboCount + 1 : 0),
                      "combo count not continued or reset");
                const double gained =
                    m.scoreMultiplier() * points * (continues ? m.comboCount() : 1);
                const auto rounded = static_cast<std::int64_t>(std::nearbyint(gained));
                check(m.pointsText() == std::to_string(rounded), "points shown differ",
                      m.pointsText());
                expected = rz6::saturatingAdd(expected, rounded);
                check(m.comboWindow() == m.windowLength(), "gauge not refilled by a strike");
                if (isTechnique)
                    landed = technique->techniqueId;
                break;
            }
            case StrikeOutcome::None:
            case StrikeOutcome::Abandon:
                fail("a strike without an outcome");
            }
        }
        check(m.score() == expected, "score moved by an amount the rules do not allow",
              std::to_string(before_.score) + " -> " + std::to_string(m.score()) + " expected " +
                  std::to_string(expected));

        // What was reported: each Enter, then the strike, with the points the score moved by.
        check(results_.size() == std::size_t(entersHandled + (strikeLaunched ? 1 : 0)),
              "an Enter or a strike reported other than once");
        std::int32_t reported = before_.score;
        for (const rz6::StrikeResult& result : results_)
            reported = rz6::saturatingAdd(reported, result.points);
        check(reported == m.score(), "reported points differ from the score's move");
        const int reportedLanding =
            strikeLaunched && results_.back().techniqueId ? *results_.back().techniqueId : -1;
        check(reportedLanding == landed, "the landed technique reported wrongly");

        // The summary: only the landed technique gains, by one.
        const auto summary = m.summary();
        for (int id = 0; id < rz6::techniqueCount; ++id)
            check(summary.landings[id] == before_.summary.landings[id] + (id == landed ? 1 : 0),
                  "a landing count changed other than by one landing", std::to_string(id));
    }

    FuzzedDataProvider& data_;
    FuzzRandomSource random_;
    std::unique_ptr<Match> match_;
    std::vector<rz6::StrikeResult> results_; // what this step's keys reported
    std::deque<char16_t> queue_;             // what we typed during the pause, in order
    Snapshot before_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    MatchDriver driver(data);
    while (data.remaining_bytes() > 0)
        driver.step();
    return 0;
}
