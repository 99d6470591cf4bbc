// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "replay/replay_verifier.h"

#include "battle/virtual_match_clock.h"
#include "charselect/characters.h"
#include "common/translatable_text.h"
#include "replay/seed_random_source.h"

#include <memory>

namespace rz6 {
namespace {

// Longer than any match can run: ten turns, each waiting at most a full combo window and a
// pause, are well inside a minute of ticks; a clock that still runs after this never ends.
constexpr std::int64_t runOnLimitMs = 10 * 60 * 1000;

bool isMatchKey(char16_t key) {
    return key == Match::enterKey || (key >= u'0' && key <= u'9');
}

// A log that can be a match's: known kinds, match keys, times from the start that never go
// back.
bool wellFormed(const std::vector<MatchEvent>& events, bool keysOnly) {
    std::int64_t last = 0;
    for (const MatchEvent& event : events) {
        if (event.atMs < last)
            return false;
        last = event.atMs;
        switch (event.kind) {
        case MatchEventKind::Key:
            if (!isMatchKey(event.key))
                return false;
            break;
        case MatchEventKind::Tick:
        case MatchEventKind::PauseEnd:
            if (keysOnly || event.key != 0)
                return false;
            break;
        default:
            return false;
        }
    }
    return true;
}

MatchSettings settingsOf(const Character& c) {
    return {c.windowLength, c.scoreMultiplier};
}

bool sameMatch(const MatchSummary& replayed, const ReplayMatch& match) {
    return replayed.character == match.character && figuresOf(replayed) == match.figures;
}

// A session as a replay runs it: dealt from the seed, on a clock that moves only when told.
struct ReplaySession {
    ReplaySession(std::uint64_t seed, MatchSettings settings)
        : random(seed), clock(new VirtualMatchClock),
          session(random, std::unique_ptr<MatchClock>(clock), settings) {}
    SeedRandomSource random;
    VirtualMatchClock* clock; // owned by the session
    MatchSession session;
};

} // namespace

ReplayFigures figuresOf(const MatchSummary& summary) {
    ReplayFigures figures;
    figures.score = summary.score;
    for (int id = 0; id < techniqueCount; ++id)
        if (const int count = summary.landings[static_cast<std::size_t>(id)]; count > 0) {
            figures.techniques.push_back({id, count});
            figures.landings += count;
        }
    figures.longestCombo = summary.longestCombo;
    figures.misses = summary.misses;
    figures.blocks = summary.blocks;
    figures.counters = summary.counters;
    figures.abandons = summary.abandons;
    return figures;
}

std::vector<MatchEvent> rebuildFromKeys(const std::vector<MatchEvent>& keys,
                                        std::uint64_t boardSeed, MatchSettings settings) {
    ReplaySession replay(boardSeed, settings);
    MatchSession& session = replay.session;
    session.start();
    for (const MatchEvent& key : keys) {
        if (session.phase() != MatchPhase::Running)
            break;
        replay.clock->advanceTo(key.atMs);
        session.press(key.key);
    }
    // The clock runs on by itself until the match ends; one that stands still waits for a key
    // that never comes.
    while (session.phase() == MatchPhase::Running && replay.clock->nowMs() < runOnLimitMs &&
           (replay.clock->ticking() || replay.clock->pauseRunning()))
        replay.clock->advance(Match::startTickInterval);
    return session.log();
}

ReplayCheck verifyReplay(const ReplayMatch& match) {
    ReplayCheck check;
    const bool keysOnly = match.logFormat == 0;
    if (match.logFormat < 0 || match.logFormat > currentLogFormat) {
        check.verdict = match.logFormat < 0 ? ReplayVerdict::Damaged : ReplayVerdict::NewerFormat;
        return check;
    }
    if (!keysOnly && match.rules.rulesHash != rulesHash()) {
        check.verdict = ReplayVerdict::RulesChanged;
        return check;
    }
    if (match.character < 0 || match.character >= characterCount) {
        check.verdict = ReplayVerdict::UnknownCharacter;
        return check;
    }
    if (!wellFormed(match.events, keysOnly)) {
        check.verdict = ReplayVerdict::Damaged;
        return check;
    }
    const MatchSettings settings = settingsOf(character(match.character));
    const std::vector<MatchEvent> events =
        keysOnly ? rebuildFromKeys(match.events, match.boardSeed, settings) : match.events;

    ReplaySession replay(match.boardSeed, settings);
    MatchSession& session = replay.session;
    session.start();
    for (const MatchEvent& event : events)
        session.feed(event);
    check.replayed = session.summary();
    // Every event must have counted (none after the end) and the match must have ended.
    const bool whole =
        session.phase() == MatchPhase::Ended && session.log().size() == events.size();
    if (!whole || !sameMatch(check.replayed, match)) {
        check.verdict = keysOnly ? ReplayVerdict::EarlierVersion : ReplayVerdict::Mismatch;
        return check;
    }
    check.verdict = keysOnly ? ReplayVerdict::Rebuilt : ReplayVerdict::Faithful;
    check.events = events;
    return check;
}

std::string_view verdictText(ReplayVerdict verdict) {
    switch (verdict) {
    case ReplayVerdict::Faithful:
        return {};
    case ReplayVerdict::Rebuilt:
        return RZ6_TRANSLATABLE("Replay", "以前の版で記録された試合です。キーを押した時刻から"
                                          "組み立て直して再生します。");
    case ReplayVerdict::EarlierVersion:
        return RZ6_TRANSLATABLE("Replay", "以前の版で記録された試合です。再生しても実際の試合とは"
                                          "一致しません。");
    case ReplayVerdict::RulesChanged:
        return RZ6_TRANSLATABLE("Replay", "技や得点の決まりが今とは違う版で記録された試合です。"
                                          "再生しても実際の試合とは一致しません。");
    case ReplayVerdict::NewerFormat:
        return RZ6_TRANSLATABLE("Replay", "新しい版のゲームで記録された試合です。この版では"
                                          "再生できません。");
    case ReplayVerdict::UnknownCharacter:
        return RZ6_TRANSLATABLE("Replay",
                                "どのキャラで戦ったのか分からない試合です。再生できません。");
    case ReplayVerdict::Damaged:
        return RZ6_TRANSLATABLE("Replay", "試合の記録が壊れています。再生できません。");
    case ReplayVerdict::Mismatch:
        return RZ6_TRANSLATABLE("Replay", "試合の記録が結果と合いません。記録が壊れているか、"
                                          "書き換えられています。");
    }
    return {};
}

} // namespace rz6
