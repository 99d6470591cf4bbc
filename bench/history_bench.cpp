// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// Figures of the match history, on whatever Qt platform is set (bench/run.sh uses a virtual
// X server), in a temporary folder on the disk the folder given (default: the system's
// temporary folder) lies on:
//   history_bench [MATCHES] [FOLDER] [PICTURE.png]
//   history_bench --fill MATCHES FILE
// fills a history with MATCHES generated matches (10 000 by default), then times
//   - writing one more match with its keys through the game's store, sync included;
//   - showing the 戦績 screen: reading every match, building the screen, its first paint;
//   - 再生 of a match of two hundred events over that screen: reading the match, checking it
//     through the rules, opening the replay window up to its first paint.
// Figures are printed as "name=value" lines, beside their goals. Given a picture's name, the
// screen as first drawn is also saved there, to look at. With --fill it only makes a history
// of MATCHES generated matches in FILE (for bench/run.sh's start beside a long history).

#include "common/japanese_fonts.h"
#include "generated_match.h"
#include "history/history_entry.h"
#include "history/history_store.h"
#include "history/history_window.h"
#include "replay/replay_verifier.h"
#include "battle/battle_window.h"
#include "replay/replay_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A plausible match: about eighty keys over two minutes, a few techniques.
rz6::HistoryMatch generatedMatch(std::mt19937_64& random, int n) {
    rz6::HistoryMatch m;
    m.endedUtcMs = 1'750'000'000'000 + std::int64_t(n) * 1'800'000;
    m.utcOffsetSeconds = 9 * 3600;
    m.character = int(random() % 3);
    m.score = std::int32_t(random() % 9000) - 500;
    m.techniquePoints = m.score / 5;
    m.overallScore = m.score + m.techniquePoints + n / 4;
    m.rankClass = int(random() % 10) + 1;
    for (int t = 0; t < 5; ++t)
        m.techniques.push_back({int(t * 5 + random() % 5), int(random() % 4) + 1});
    m.longestCombo = int(random() % 10);
    m.landings = 12;
    m.blocks = 3;
    m.misses = 2;
    m.counters = 1;
    m.abandons = 1;
    m.boardSeed = random();
    std::int64_t at = 0;
    for (int k = 0; k < 80; ++k) {
        at += std::int64_t(random() % 1500);
        m.keys.push_back({char16_t(u'0' + random() % 10), at});
    }
    return m;
}

// Fills the history quickly, without a sync per match: what is timed is the game's own
// writing afterwards, not the filling.
bool fill(const QByteArray& path, int count, std::mt19937_64& random) {
    sqlite3* db = nullptr;
    if (sqlite3_open(path.constData(), &db) != SQLITE_OK)
        return false;
    sqlite3_exec(db, "PRAGMA synchronous = OFF; BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* match = nullptr;
    sqlite3_stmt* technique = nullptr;
    sqlite3_stmt* key = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO matches(ended_utc_ms, utc_offset_s, character, score, "
                       "technique_points, overall_score, rank_class, longest_combo, landings, "
                       "blocks, misses, counters, abandons, board_seed) "
                       "VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
                       -1, &match, nullptr);
    sqlite3_prepare_v2(db, "INSERT OR IGNORE INTO match_techniques VALUES(?,?,?)", -1, &technique,
                       nullptr);
    sqlite3_prepare_v2(db, "INSERT INTO match_keys VALUES(?,?,?,?)", -1, &key, nullptr);
    for (int n = 0; n < count; ++n) {
        const rz6::HistoryMatch m = generatedMatch(random, n);
        const std::int64_t values[] = {m.endedUtcMs,      m.utcOffsetSeconds,
                                       m.character,       m.score,
                                       m.techniquePoints, m.overallScore,
                                       m.rankClass,       m.longestCombo,
                                       m.landings,        m.blocks,
                                       m.misses,          m.counters,
                                       m.abandons,        std::int64_t(m.boardSeed)};
        for (int i = 0; i < 14; ++i)
            sqlite3_bind_int64(match, i + 1, values[i]);
        sqlite3_step(match);
        sqlite3_reset(match);
        const sqlite3_int64 id = sqlite3_last_insert_rowid(db);
        for (const auto& t : m.techniques) {
            sqlite3_bind_int64(technique, 1, id);
            sqlite3_bind_int64(technique, 2, t.techniqueId);
            sqlite3_bind_int64(technique, 3, t.count);
            sqlite3_step(technique);
            sqlite3_reset(technique);
        }
        for (std::size_t s = 0; s < m.keys.size(); ++s) {
            sqlite3_bind_int64(key, 1, id);
            sqlite3_bind_int64(key, 2, sqlite3_int64(s));
            sqlite3_bind_int64(key, 3, m.keys[s].key);
            sqlite3_bind_int64(key, 4, m.keys[s].atMs);
            sqlite3_step(key);
            sqlite3_reset(key);
        }
    }
    sqlite3_finalize(match);
    sqlite3_finalize(technique);
    sqlite3_finalize(key);
    const bool ok = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

struct Spread {
    double median = 0;
    double worst = 0;
};

Spread spread(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values.back()};
}

// A new history at this path, made by the game's store, then filled.
bool makeHistory(const QByteArray& path, int count, std::mt19937_64& random) {
    rz6::HistoryStore store(path); // makes the schema
    return store.open().ok && fill(path, count, random);
}

// 再生 on the last row of the 戦績 screen, a match of about two hundred events played at 1×:
// from the press to the replay window's first paint, the history already open as the screen
// left it.
bool replayFigures(rz6::HistoryStore& store, int matches) {
    std::mt19937_64 random(20261208);
    for (;;) {
        rz6::bench::GeneratedMatch played(random);
        const std::size_t events = played.session.log().size();
        if (events < 190 || events > 210)
            continue;
        const rz6::MatchSummary summary = played.session.summary();
        if (!store
                 .append(rz6::historyMatch(
                     played.session, rz6::rateMatch(summary.score, summary.techniquesLanded()),
                     {1'800'000'000'000, 9 * 3600}))
                 .ok)
            return false;
        std::printf("replay_match_events=%zu\n", events);
        break;
    }
    auto* screen = new rz6::HistoryWindow(store.matches(rz6::HistoryStore::Detail::Figures), {});
    screen->show();
    QApplication::processEvents();
    std::vector<double> opens;
    for (int n = 0; n < 9; ++n) {
        const auto start = Clock::now();
        const std::optional<rz6::HistoryMatch> match = store.match(std::size_t(matches));
        if (!match)
            return false;
        const rz6::ReplayMatch replay = rz6::replayMatch(*match);
        rz6::ReplayCheck check = rz6::verifyReplay(replay);
        if (!check.playable())
            return false;
        QWidget* window =
            rz6::openReplayWindow(replay, std::move(check.events), QStringLiteral("bench"), screen);
        window->grab();
        QApplication::processEvents();
        opens.push_back(msSince(start));
        delete window;
        QApplication::processEvents();
    }
    delete screen;
    const Spread open = spread(opens);
    std::printf("replay_window_ms median=%.1f max=%.1f (goal: median < 100 ms)\n", open.median,
                open.worst);
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc == 4 && std::strcmp(argv[1], "--fill") == 0) {
        std::mt19937_64 random(20261207);
        if (!makeHistory(argv[3], std::atoi(argv[2]), random)) {
            std::fprintf(stderr, "could not fill the history %s\n", argv[3]);
            return 1;
        }
        return 0;
    }
    QApplication app(argc, argv);
    rz6::installJapaneseFonts();
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    QTemporaryDir dir(argc > 2 ? QString::fromLocal8Bit(argv[2]) + QStringLiteral("/history-XXXXXX")
                               : QDir::tempPath() + QStringLiteral("/history-XXXXXX"));
    const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("rz6-history.sqlite")));
    std::mt19937_64 random(20261207);
    if (!makeHistory(path, count, random)) {
        std::fprintf(stderr, "could not fill the history\n");
        return 1;
    }

    rz6::HistoryStore store(path);
    store.open();
    std::vector<double> writes;
    for (int n = 0; n < 21; ++n) {
        const rz6::HistoryMatch m = generatedMatch(random, count + n);
        const auto start = Clock::now();
        if (!store.append(m).ok) {
            std::fprintf(stderr, "a write failed\n");
            return 1;
        }
        writes.push_back(msSince(start));
    }
    const Spread write = spread(writes);
    std::printf("history_matches=%d\n", count + 21);
    std::printf("write_match_ms median=%.2f max=%.2f (goal: < 20 ms, sync included)\n",
                write.median, write.worst);

    // The whole, and its three parts: reading the file, building the screen, its first paint.
    std::vector<double> shows, reads, builds, paints;
    for (int n = 0; n < 7; ++n) {
        const auto start = Clock::now();
        rz6::HistoryStore reader(path);
        std::vector<rz6::HistoryMatch> matches = reader.matches(rz6::HistoryStore::Detail::Figures);
        reads.push_back(msSince(start));
        const auto built = Clock::now();
        auto* window = new rz6::HistoryWindow(std::move(matches), reader.problem());
        builds.push_back(msSince(built));
        const auto painted = Clock::now();
        window->show();
        // The first paint, drawn now rather than whenever the window system asks.
        const QPixmap picture = window->grab();
        if (n == 0 && argc > 3)
            picture.save(QString::fromLocal8Bit(argv[3]));
        QApplication::processEvents();
        paints.push_back(msSince(painted));
        shows.push_back(msSince(start));
        delete window;
        QApplication::processEvents();
    }
    const Spread show = spread(shows);
    std::printf("show_screen_ms median=%.1f max=%.1f (goal: < 150 ms)\n", show.median, show.worst);
    std::printf("  of which read_ms=%.1f build_ms=%.1f first_paint_ms=%.1f (medians)\n",
                spread(reads).median, spread(builds).median, spread(paints).median);
    return replayFigures(store, count + 21) ? 0 : 1;
}
