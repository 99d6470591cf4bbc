// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "history/history_stats.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace rz6 {

namespace {

double averageOf(const std::vector<HistoryMatch>& matches, std::size_t from, std::size_t to) {
    if (to <= from)
        return 0;
    double sum = 0;
    for (std::size_t i = from; i < to; ++i)
        sum += static_cast<double>(matches[i].overallScore);
    return sum / static_cast<double>(to - from);
}

// Folds one group's matches (given by index, oldest first) into its figures.
HistoryFigures figuresOf(const std::vector<HistoryMatch>& matches,
                         const std::vector<std::size_t>& picked) {
    HistoryFigures figures;
    figures.matches = static_cast<int>(picked.size());
    if (picked.empty())
        return figures;
    double sum = 0;
    double recentSum = 0;
    figures.best = matches[picked.front()].overallScore;
    const std::size_t recentFrom =
        picked.size() > std::size_t(recentMatchCount) ? picked.size() - recentMatchCount : 0;
    for (std::size_t n = 0; n < picked.size(); ++n) {
        const std::int64_t overall = matches[picked[n]].overallScore;
        figures.best = std::max(figures.best, overall);
        sum += static_cast<double>(overall);
        if (n >= recentFrom)
            recentSum += static_cast<double>(overall);
    }
    figures.average = sum / static_cast<double>(picked.size());
    figures.recentAverage = recentSum / static_cast<double>(picked.size() - recentFrom);
    return figures;
}

} // namespace

HistorySummary summariseHistory(const std::vector<HistoryMatch>& matches) {
    std::vector<std::size_t> all(matches.size());
    std::iota(all.begin(), all.end(), std::size_t(0));
    std::array<std::vector<std::size_t>, characterCount> byCharacter;
    for (std::size_t i = 0; i < matches.size(); ++i)
        if (matches[i].character >= 0 && matches[i].character < characterCount)
            byCharacter[static_cast<std::size_t>(matches[i].character)].push_back(i);
    HistorySummary summary;
    summary.all = figuresOf(matches, all);
    for (std::size_t c = 0; c < byCharacter.size(); ++c)
        summary.byCharacter[c] = figuresOf(matches, byCharacter[c]);
    return summary;
}

std::vector<double> movingAverage(const std::vector<HistoryMatch>& matches, int window) {
    std::vector<double> averages(matches.size());
    double sum = 0;
    const std::size_t span = static_cast<std::size_t>(std::max(window, 1));
    for (std::size_t i = 0; i < matches.size(); ++i) {
        sum += static_cast<double>(matches[i].overallScore);
        if (i >= span)
            sum -= static_cast<double>(matches[i - span].overallScore);
        averages[i] = sum / static_cast<double>(std::min(i + 1, span));
    }
    return averages;
}

std::vector<std::size_t> bestMatches(const std::vector<HistoryMatch>& matches, int count) {
    std::vector<std::size_t> order(matches.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    const std::size_t kept = std::min(order.size(), static_cast<std::size_t>(std::max(count, 0)));
    std::partial_sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(kept), order.end(),
                      [&](std::size_t a, std::size_t b) {
                          if (matches[a].overallScore != matches[b].overallScore)
                              return matches[a].overallScore > matches[b].overallScore;
                          return a < b;
                      });
    order.resize(kept);
    return order;
}

HistoryTrend historyTrend(const std::vector<HistoryMatch>& matches) {
    const std::size_t n = matches.size();
    const std::size_t ten = recentMatchCount;
    if (n < 2 * ten)
        return HistoryTrend::TooFew;
    const double recent = averageOf(matches, n - ten, n);
    const double before = averageOf(matches, n - 2 * ten, n - ten);
    const double margin = std::max(1.0, std::abs(before) / 20.0);
    if (recent > before + margin)
        return HistoryTrend::Rising;
    if (recent < before - margin)
        return HistoryTrend::Falling;
    return HistoryTrend::Level;
}

std::vector<ChartPoint> thinnedForDrawing(const std::vector<ChartPoint>& points, int columns) {
    if (columns < 1 || points.size() <= std::size_t(columns))
        return points;
    const double first = points.front().x;
    const double span = points.back().x - first;
    const auto column = [&](const ChartPoint& p) {
        return span > 0 ? std::min(columns - 1, int((p.x - first) / span * columns)) : 0;
    };
    std::vector<ChartPoint> kept;
    kept.reserve(std::size_t(columns));
    for (std::size_t i = 0; i < points.size();) {
        const int current = column(points[i]);
        double x = 0;
        double y = 0;
        std::size_t n = 0;
        for (; i < points.size() && column(points[i]) == current; ++i, ++n) {
            x += points[i].x;
            y += points[i].y;
        }
        kept.push_back({x / double(n), y / double(n)});
    }
    return kept;
}

namespace {

// The day a clock this far from UTC reads at the moment, as days since 1970-01-01.
std::int64_t dayOf(std::int64_t utcMs, int offsetSeconds) {
    constexpr std::int64_t dayMs = 24LL * 3600 * 1000;
    const std::int64_t local = utcMs + std::int64_t(offsetSeconds) * 1000;
    return local / dayMs - (local % dayMs < 0 ? 1 : 0);
}

// The smallest of 1, 2, 5, 10, 20, 50, … that is at least `gap`.
std::size_t roundStep(double gap) {
    for (std::size_t unit = 1;; unit *= 10)
        for (std::size_t times : {1, 2, 5})
            if (double(times * unit) >= gap)
                return times * unit;
}

} // namespace

std::vector<MatchMark> matchAxisMarks(const std::vector<HistoryMatch>& matches, int offsetSeconds,
                                      int most) {
    const std::size_t n = matches.size();
    if (n == 0)
        return {};
    const auto day = [&](std::size_t i) { return dayOf(matches[i].endedUtcMs, offsetSeconds); };
    const double gap = std::max(1.0, double(n) / std::max(1, most));
    // The room a label takes either side of its match: a date is about twice as wide as a
    // number alone.
    const auto room = [&](bool dated) { return (dated ? 0.5 : 0.25) * gap; };
    const auto clear = [&](std::size_t from, bool fromDated, std::size_t to, bool toDated) {
        return double(to - from) >= room(fromDated) + room(toDated);
    };

    std::vector<MatchMark> marks{{0, true}};
    for (std::size_t i = 1; i < n; ++i) {
        const MatchMark mark{i, day(i) != day(marks.back().match)};
        if (day(i) != day(i - 1) && clear(marks.back().match, marks.back().dated, i, mark.dated))
            marks.push_back(mark);
    }
    const std::size_t step = roundStep(gap);
    for (std::size_t number = step; number <= n; number += step) {
        const std::size_t i = number - 1;
        const auto after = std::lower_bound(
            marks.begin(), marks.end(), i,
            [](const MatchMark& mark, std::size_t match) { return mark.match < match; });
        if (after == marks.begin() || (after != marks.end() && after->match == i))
            continue;
        const MatchMark& before = *(after - 1);
        const MatchMark mark{i, day(i) != day(before.match)};
        if (!clear(before.match, before.dated, i, mark.dated))
            continue;
        // The mark after it then names its day only if it is not this one's.
        if (after != marks.end()) {
            const bool afterDated = day(after->match) != day(i);
            if (!clear(i, mark.dated, after->match, afterDated))
                continue;
            after->dated = afterDated;
        }
        marks.insert(after, mark);
    }
    return marks;
}

} // namespace rz6
