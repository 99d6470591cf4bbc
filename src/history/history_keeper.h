// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "history/history_match.h"
#include "replay/replay_file.h"
#include "save/file_layer.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace rz6 {

// The history on disk as the program reaches it. The store (SQLite) and the CSV live in a
// library of their own, "librz6_history_store.so", loaded the first time a match is kept or
// 戦績 opens: most of the program's work never needs SQLite, and the game's first window does
// not wait for it to load. The 戦績 screen's library links the same library.
class HistoryKeeper {
public:
    virtual ~HistoryKeeper() = default;

    // Keeps one finished match (history_store.h says how a failure is told once).
    virtual FileResult append(const HistoryMatch& match) = 0;
    // Every match, oldest first: the figures the 戦績 screen shows, or everything (techniques,
    // keys and log) for the CSV and a replay.
    enum class Detail { Figures, Whole };
    virtual std::vector<HistoryMatch> matches(Detail detail, FileResult& result) = 0;
    // Why the history cannot be read or written, as the 戦績 screen says it; empty while all
    // is well.
    virtual QString problem() const = 0;
    // Writes the whole history as CSV at `path`, never over one of the history's own files
    // nor one of `protectedFiles`; `written` is how many matches it holds.
    virtual FileResult exportCsv(const QByteArray& path, const QList<QByteArray>& protectedFiles,
                                 std::size_t& written) = 0;
    // One match whole (techniques, keys and log), by its place among matches() (oldest
    // first); nothing, with the reason in `result`, when it cannot be read.
    virtual std::optional<HistoryMatch> wholeMatch(std::size_t index, FileResult& result) = 0;
    // Writes that match as a replay file at `path`, never over one of the history's own files
    // nor one of `protectedFiles`.
    virtual FileResult exportReplay(std::size_t index, const QByteArray& path,
                                    const QList<QByteArray>& protectedFiles) = 0;
    // Reads a replay file (the system's bytes); the history itself is not opened for it.
    virtual ReplayFileRead readReplay(const QByteArray& path) = 0;

protected:
    HistoryKeeper() = default;
    HistoryKeeper(const HistoryKeeper&) = default;
    HistoryKeeper& operator=(const HistoryKeeper&) = default;
};

// Opens the history at this path (the system's bytes), or returns nullptr and says why.
using HistoryKeeperMaker =
    std::function<std::unique_ptr<HistoryKeeper>(const QByteArray& nativePath, QString& problem)>;

// The maker the game uses: loads the store's library once, from beside the program first,
// then from the folder the game is installed with (as the 戦績 screen's).
std::unique_ptr<HistoryKeeper> loadHistoryKeeper(const QByteArray& nativePath, QString& problem);

// The keeper itself, in the store's library (and for tests, which link the store directly).
std::unique_ptr<HistoryKeeper> makeStoreKeeper(const QByteArray& nativePath);

// The function the library exports, and the version of what passes between them.
inline constexpr char historyKeeperEntryName[] = "rz6_open_history";
inline constexpr int historyKeeperInterface = 2;
using HistoryKeeperEntry = HistoryKeeper* (*)(int interface, const QByteArray* nativePath);

} // namespace rz6
