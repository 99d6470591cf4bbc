// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "charselect/characters.h"
#include "history/history_match.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace rz6 {

// How many matches the 戦績 screen's moving average and "last ten" figures span, and how
// many best matches it marks.
inline constexpr int recentMatchCount = 10;
inline constexpr int markedBestCount = 5;

// The figures of one group of matches (all of them, or one character's).
struct HistoryFigures {
    int matches = 0;
    std::int64_t best = 0;    // meaningful only when matches > 0
    double average = 0;       // of every match's 総合評価
    double recentAverage = 0; // of the last recentMatchCount matches (or fewer)
};

// The summary line of the 戦績 screen: all matches, and each character's.
struct HistorySummary {
    HistoryFigures all;
    std::array<HistoryFigures, characterCount> byCharacter{};
};

// Whether the last matches are getting better than the ones before them.
enum class HistoryTrend { TooFew, Rising, Falling, Level };

// Matches are given oldest first, as the history holds them.
HistorySummary summariseHistory(const std::vector<HistoryMatch>& matches);

// For every match, the average 総合評価 of it and the up to window-1 matches before it.
std::vector<double> movingAverage(const std::vector<HistoryMatch>& matches,
                                  int window = recentMatchCount);

// The indices of the `count` best matches by 総合評価, best first; of equal totals the
// earlier match counts as better, as the first to reach it.
std::vector<std::size_t> bestMatches(const std::vector<HistoryMatch>& matches,
                                     int count = markedBestCount);

// The last ten against the ten before them: a change of more than a twentieth of the
// earlier average (at least one point) counts as a trend. Needs two full tens.
HistoryTrend historyTrend(const std::vector<HistoryMatch>& matches);

// A point of a line drawn on the chart: which match (its number, 1 for the first played) and
// how much.
struct ChartPoint {
    double x = 0;
    double y = 0;
    bool operator==(const ChartPoint&) const = default;
};

// The points of a line as drawn, at most `columns` of them: a line through thousands of
// matches only paints a solid band, and drawing it costs the screen its speed. The span of
// x is cut into `columns` equal columns and the points of each column are drawn as one,
// their average at their average x, so the line shows how the totals go match by match (the
// best ones are marked apart, the figures in words are every match's). A line of no more
// points than columns comes back as it is. Points in order of x.
std::vector<ChartPoint> thinnedForDrawing(const std::vector<ChartPoint>& points, int columns);

// A label under the chart's line of matches: the match it stands under (its index, oldest
// first) and whether it names that match's day as well as its number.
struct MatchMark {
    std::size_t match = 0;
    bool dated = false;
    bool operator==(const MatchMark&) const = default;
};

// The matches the chart's axis names, each match one step along it, so that about `most`
// labels with a date fit across it and no two labels run into each other: a label with a
// date takes a `most`-th of the matches (at least one match), one with a number alone half
// that. First the first match of each day, as a clock `offsetSeconds` from UTC reads the
// day, each where it clears the one before; then, in the stretches left between them, round
// numbers of matches (every 1, 2, 5, 10, 20, 50, … matches) where they clear both
// neighbours. A mark names its day when it is the first or the mark before it stands in
// another day. In the order of the matches.
std::vector<MatchMark> matchAxisMarks(const std::vector<HistoryMatch>& matches, int offsetSeconds,
                                      int most);

} // namespace rz6
