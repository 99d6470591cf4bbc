// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "battle/match_event.h"
#include "history/history_match.h"
#include "replay/replay_match.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <vector>

namespace rz6 {

// The 戦績 screen lives in a library of its own, "librz6_history_screen.so", loaded the first
// time the player opens it: its chart is drawn with Qt Charts, which would otherwise be loaded
// (with OpenGL) before the game's first window appears, and most starts never open 戦績.
//
// The library holds only the screen's own code: everything else it uses of the game (this
// class, the history's figures, the screens' helpers) it takes from the program, which
// exports the game's functions for it. The program reaches the screen through this class.
class HistoryScreen : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Shows what became of an export (or any later word about the history).
    virtual void showNote(const QString& text) = 0;

signals:
    // The player chose a file in the desktop's file dialog to write the CSV to.
    void exportRequested(const QString& path);
    // The player asked for a replay of a match (再生, or Enter on its row), by its place among
    // the matches the screen was made over (oldest first).
    void replayRequested(int match);
    // The player chose a file to write that match to as a replay file.
    void replayExportRequested(int match, const QString& path);
    // The player chose a replay file to watch.
    void replayFileChosen(const QString& path);
    // Sent exactly once, after the screen has closed by whichever route.
    void closed();
};

// Makes the 戦績 screen over the given matches (oldest first) with the given note, as a
// window the parent owns, or returns nullptr and says why in `problem`, naming the file.
using HistoryScreenMaker = std::function<HistoryScreen*(
    std::vector<HistoryMatch> matches, const QString& note, QWidget* parent, QString& problem)>;

// The maker the game uses: it loads the library once, from beside the program first (the
// build folder, a portable copy), then from the folder the game is installed with.
HistoryScreen* loadHistoryScreen(std::vector<HistoryMatch> matches, const QString& note,
                                 QWidget* parent, QString& problem);

// Where loadHistoryScreen looks for the library, in that order, for a program in this folder:
// beside it, where an install puts it relative to the program's folder, and where it was
// configured to be installed.
QStringList historyScreenCandidates(const QString& programFolder);

// The function the library exports, and the version of what passes between them: a library of
// another version is not used.
inline constexpr char historyScreenEntryName[] = "rz6_make_history_screen";
inline constexpr int historyScreenInterface = 5;
using HistoryScreenEntry = HistoryScreen* (*)(int interface, std::vector<HistoryMatch>* matches,
                                              const QString* note, QWidget* parent);

// The replay window comes with the 戦績 screen's library: a battle screen of its own that plays
// a verified match (`events`, as verifyReplay gave them) at its pace, over `parent` (the 戦績
// screen, or nothing when the command line asks for a replay). `when` names the match in its
// title. The window is shown, deletes itself when closed and touches nothing but its own
// session. nullptr, and why in `problem`, when the library cannot be had.
using ReplayWindowMaker =
    std::function<QWidget*(const ReplayMatch& match, std::vector<MatchEvent> events,
                           const QString& when, QWidget* parent, QString& problem)>;
QWidget* loadReplayWindow(const ReplayMatch& match, std::vector<MatchEvent> events,
                          const QString& when, QWidget* parent, QString& problem);

inline constexpr char replayWindowEntryName[] = "rz6_open_replay_window";
using ReplayWindowEntry = QWidget* (*)(int interface, const ReplayMatch* match,
                                       std::vector<MatchEvent>* events, const QString* when,
                                       QWidget* parent);

} // namespace rz6
