// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "history/history_entry.h"
#include "history/history_stats.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace rz6 {
namespace {

std::vector<HistoryMatch> withTotals(const std::vector<std::int64_t>& totals, int character = 0) {
    std::vector<HistoryMatch> matches;
    for (std::int64_t total : totals) {
        HistoryMatch m;
        m.overallScore = total;
        m.character = character;
        matches.push_back(m);
    }
    return matches;
}

// The average runs over the last ten at most, and over fewer at the start.
TEST(HistoryStats, MovingAverageSpansTheLastTen) {
    std::vector<std::int64_t> totals;
    for (int i = 1; i <= 12; ++i)
        totals.push_back(i * 10);
    const auto averages = movingAverage(withTotals(totals));
    ASSERT_EQ(averages.size(), 12u);
    EXPECT_DOUBLE_EQ(averages[0], 10);
    EXPECT_DOUBLE_EQ(averages[1], 15);
    EXPECT_DOUBLE_EQ(averages[9], 55);  // 10..100
    EXPECT_DOUBLE_EQ(averages[11], 75); // 30..120
}

// Of equal totals the earlier match is the better; negative totals rank below zero.
TEST(HistoryStats, BestFiveByTotalEarlierFirstOnTies) {
    const auto matches = withTotals({-5, 300, 100, 300, 0, 200, 50});
    EXPECT_EQ(bestMatches(matches), (std::vector<std::size_t>{1, 3, 5, 2, 6}));
    EXPECT_EQ(bestMatches(withTotals({7, -1})), (std::vector<std::size_t>{0, 1}));
}

TEST(HistoryStats, SummaryPerCharacter) {
    auto matches = withTotals({100, 200, 300});
    auto more = withTotals({-50, 50}, 2);
    matches.insert(matches.end(), more.begin(), more.end());
    const HistorySummary summary = summariseHistory(matches);
    EXPECT_EQ(summary.all.matches, 5);
    EXPECT_EQ(summary.all.best, 300);
    EXPECT_DOUBLE_EQ(summary.all.average, 120);
    EXPECT_EQ(summary.byCharacter[0].matches, 3);
    EXPECT_DOUBLE_EQ(summary.byCharacter[0].recentAverage, 200);
    EXPECT_EQ(summary.byCharacter[1].matches, 0);
    EXPECT_EQ(summary.byCharacter[2].best, 50);
    EXPECT_DOUBLE_EQ(summary.byCharacter[2].average, 0);
}

TEST(HistoryStats, TrendComparesTheLastTenWithTheTenBefore) {
    std::vector<std::int64_t> totals(19, 1000);
    EXPECT_EQ(historyTrend(withTotals(totals)), HistoryTrend::TooFew);
    totals.push_back(1000);
    EXPECT_EQ(historyTrend(withTotals(totals)), HistoryTrend::Level);
    totals.push_back(3000); // the last ten now average 1200
    EXPECT_EQ(historyTrend(withTotals(totals)), HistoryTrend::Rising);
    totals.push_back(-5000);
    EXPECT_EQ(historyTrend(withTotals(totals)), HistoryTrend::Falling);
    // Level within a twentieth of the ten before, either way; beyond it, rising or falling.
    const std::pair<std::int64_t, HistoryTrend> edges[] = {{1500, HistoryTrend::Level},
                                                           {1510, HistoryTrend::Rising},
                                                           {500, HistoryTrend::Level},
                                                           {490, HistoryTrend::Falling}};
    for (const auto& [last, trend] : edges) {
        std::vector<std::int64_t> edge(19, 1000);
        edge.push_back(last); // the last ten average 1000 + (last - 1000) / 10
        EXPECT_EQ(historyTrend(withTotals(edge)), trend) << last;
    }
}

// The recent average of a character is over its last ten matches exactly.
TEST(HistoryStats, RecentAverageIsOverTheLastTen) {
    std::vector<std::int64_t> totals;
    for (int i = 1; i <= 12; ++i)
        totals.push_back(i * 10);
    EXPECT_DOUBLE_EQ(summariseHistory(withTotals(totals)).byCharacter[0].recentAverage, 75);
}

// A finished match goes into the history with every figure in its own field and its
// landings summed over the techniques that landed.
TEST(HistoryEntry, KeepsEveryFigureOfTheMatch) {
    MatchSummary summary;
    summary.landings[3] = 4;
    summary.landings[17] = 2;
    summary.longestCombo = 5;
    summary.misses = 6;
    summary.blocks = 7;
    summary.counters = 8;
    summary.abandons = 9;
    summary.character = 2;
    const MatchRating rating{1234, 2, 1834, 600, 4};
    const std::vector<TimedKey> keys{{u'1', 10}, {u'\r', 20}};
    const HistoryMatch m = historyMatch(summary, rating, 77, keys, {1'700'000'000'000, 3600});
    EXPECT_EQ(m.techniques, (std::vector<LandedTechnique>{{3, 4}, {17, 2}}));
    EXPECT_EQ(m.landings, 6);
    const std::vector<std::int64_t> figures{
        m.score,  m.techniquePoints, m.overallScore, m.rankClass, m.longestCombo,
        m.misses, m.blocks,          m.counters,     m.abandons,  m.character};
    EXPECT_EQ(figures, (std::vector<std::int64_t>{1234, 600, 1834, 4, 5, 6, 7, 8, 9, 2}));
    EXPECT_EQ(m.boardSeed, 77u);
    EXPECT_EQ(m.keys, keys);
    EXPECT_EQ(m.endedUtcMs, 1'700'000'000'000);
    EXPECT_EQ(m.utcOffsetSeconds, 3600);
}

// A long line is drawn through one point per column, the average of the column's points;
// a short one is drawn as it is.
TEST(HistoryStats, ThinnedLineAveragesEachColumn) {
    std::vector<ChartPoint> line;
    for (int i = 0; i < 1000; ++i)
        line.push_back({double(i), i % 2 ? 100.0 : 0.0});
    line.back().x = 999; // the span 0..999 cut into 50 columns of 19.98
    const auto thinned = thinnedForDrawing(line, 50);
    ASSERT_EQ(thinned.size(), 50u);
    EXPECT_EQ(thinned.front(), (ChartPoint{9.5, 50})); // points 0..19
    EXPECT_EQ(thinned[1], (ChartPoint{29.5, 50}));     // points 20..39
    EXPECT_TRUE(std::is_sorted(thinned.begin(), thinned.end(),
                               [](const ChartPoint& a, const ChartPoint& b) { return a.x < b.x; }));
    const std::vector<ChartPoint> shortLine(line.begin(), line.begin() + 50);
    EXPECT_EQ(thinnedForDrawing(shortLine, 50), shortLine);
}

constexpr std::int64_t minute = 60'000;
constexpr std::int64_t day = 24 * 60 * minute;
constexpr std::int64_t mayTwentyNinth = 1'780'012'800'000; // 2026-05-29 00:00 UTC

// Matches ended at these moments, oldest first.
std::vector<HistoryMatch> endedAt(const std::vector<std::int64_t>& times) {
    std::vector<HistoryMatch> matches(times.size());
    for (std::size_t i = 0; i < times.size(); ++i)
        matches[i].endedUtcMs = times[i];
    return matches;
}

// `count` matches three minutes apart from each of these days on (days after May 29th).
std::vector<std::int64_t> sessions(std::initializer_list<int> days, int count) {
    std::vector<std::int64_t> times;
    for (int d : days)
        for (int i = 0; i < count; ++i)
            times.push_back(mayTwentyNinth + d * day + 20 * 60 * minute + i * 3 * minute);
    return times;
}

// The axis names the first match of each day with its date and fills the stretches between
// with round numbers; a day start too close to the mark before gives way, and the next mark
// names the day instead. Days are the shown clock's.
TEST(HistoryStats, MatchAxisMarksDaysAndRoundNumbers) {
    const std::int64_t lateEvening = mayTwentyNinth + (14 * 60 + 50) * minute; // 14:50 UTC
    std::vector<std::int64_t> dayChangeTooSoon = sessions({0}, 2);
    for (std::int64_t t : sessions({1}, 18))
        dayChangeTooSoon.push_back(t);
    const struct {
        const char* what;
        std::vector<std::int64_t> times;
        int offset;
        std::vector<MatchMark> marks;
    } cases[] = {
        {"none", {}, 0, {}},
        {"a session and a week later",
         {mayTwentyNinth, mayTwentyNinth + minute, mayTwentyNinth + 2 * minute,
          7 * day + mayTwentyNinth},
         0,
         {{0, true}, {1, false}, {2, false}, {3, true}}},
        {"five evenings of ten",
         sessions({0, 1, 3, 10, 11}, 10),
         0,
         {{0, true}, {10, true}, {20, true}, {30, true}, {40, true}, {49, false}}},
        {"a day change too soon after the first",
         dayChangeTooSoon,
         0,
         {{0, true}, {4, true}, {9, false}, {14, false}, {19, false}}},
        {"20 minutes over midnight in Tokyo",
         {lateEvening, lateEvening + 20 * minute},
         9 * 3600,
         {{0, true}, {1, true}}},
        {"the same 20 minutes in London",
         {lateEvening, lateEvening + 20 * minute},
         0,
         {{0, true}, {1, false}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(matchAxisMarks(endedAt(c.times), c.offset, 5), c.marks) << c.what;
}

// However long the history, the labels fit: a dated one takes a fifth of the matches, one
// with a number alone half that, and every change of day among the marks is named.
TEST(HistoryStats, MatchAxisMarksOfALongHistoryNeverCrowd) {
    std::vector<std::int64_t> times;
    for (int d = 0; times.size() < 10'000; d += 1 + d % 4)
        for (int i = 0; i < 5 + d % 37; ++i)
            times.push_back(mayTwentyNinth + d * day + 18 * 60 * minute + i * 4 * minute);
    times.resize(10'000);
    const std::vector<MatchMark> marks = matchAxisMarks(endedAt(times), 0, 5);
    ASSERT_GE(marks.size(), 5u);
    EXPECT_LE(marks.size(), 11u);
    EXPECT_EQ(marks.front(), (MatchMark{0, true}));
    const auto room = [](bool dated) { return dated ? 1000.0 : 500.0; };
    for (std::size_t k = 1; k < marks.size(); ++k) {
        EXPECT_GE(double(marks[k].match - marks[k - 1].match),
                  room(marks[k].dated) + room(marks[k - 1].dated))
            << marks[k].match;
        EXPECT_EQ(marks[k].dated, times[marks[k].match] / day != times[marks[k - 1].match] / day)
            << marks[k].match;
    }
}

} // namespace
} // namespace rz6
