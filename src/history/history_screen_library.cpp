// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// The door into the 戦績 screen's own library (see history_screen.h).
#include "history/history_screen.h"
#include "history/history_window.h"

extern "C" Q_DECL_EXPORT rz6::HistoryScreen*
rz6_make_history_screen(int interface, std::vector<rz6::HistoryMatch>* matches, const QString* note,
                        QWidget* parent) {
    if (interface != rz6::historyScreenInterface || !matches || !note)
        return nullptr;
    return new rz6::HistoryWindow(std::move(*matches), *note, parent);
}
