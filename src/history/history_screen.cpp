// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "history/history_screen.h"

#include "common/app_info.h"
#include "common/game_library.h"

#include <QCoreApplication>

namespace rz6 {

QStringList historyScreenCandidates(const QString& programFolder) {
    return gameLibraryCandidates(programFolder, appInfo::historyScreenFile);
}

HistoryScreen* loadHistoryScreen(std::vector<HistoryMatch> matches, const QString& note,
                                 QWidget* parent, QString& problem) {
    const GameLibraryEntry& library =
        loadGameLibrary(appInfo::historyScreenFile, historyScreenEntryName);
    const auto make = reinterpret_cast<HistoryScreenEntry>(library.entry);
    if (!make) {
        problem = QCoreApplication::translate("rz6::HistoryScreen",
                                              "戦績の画面「%1」を開けませんでした。\n理由：%2")
                      .arg(library.file, library.reason);
        return nullptr;
    }
    HistoryScreen* screen = make(historyScreenInterface, &matches, &note, parent);
    if (!screen)
        problem = QCoreApplication::translate("rz6::HistoryScreen",
                                              "戦績の画面を開けませんでした。\n理由：このゲームとは"
                                              "別の版のライブラリです");
    return screen;
}

} // namespace rz6
