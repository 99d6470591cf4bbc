// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// The doors into the 戦績 screen's own library (see history_screen.h): the screen, and the
// replay window.
#include "history/history_screen.h"
#include "history/history_window.h"
#include "battle/battle_window.h"
#include "replay/replay_window.h"

extern "C" Q_DECL_EXPORT rz6::HistoryScreen*
rz6_make_history_screen(int interface, std::vector<rz6::HistoryMatch>* matches, const QString* note,
                        QWidget* parent) {
    if (interface != rz6::historyScreenInterface || !matches || !note)
        return nullptr;
    return new rz6::HistoryWindow(std::move(*matches), *note, parent);
}

extern "C" Q_DECL_EXPORT QWidget* rz6_open_replay_window(int interface,
                                                         const rz6::ReplayMatch* match,
                                                         std::vector<rz6::MatchEvent>* events,
                                                         const QString* when, QWidget* parent) {
    if (interface != rz6::historyScreenInterface || !match || !events || !when)
        return nullptr;
    return rz6::openReplayWindow(*match, std::move(*events), *when, parent);
}
