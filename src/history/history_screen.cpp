// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "history/history_screen.h"

#include "common/app_info.h"
#include "common/game_library.h"

#include <QCoreApplication>
#include <QLibrary>

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

// The replay window's entry is found in the library the 戦績 screen's was found in, which
// stays loaded for the rest of the run.
QWidget* loadReplayWindow(const ReplayMatch& match, std::vector<MatchEvent> events,
                          const QString& when, QWidget* parent, QString& problem) {
    const GameLibraryEntry& library =
        loadGameLibrary(appInfo::historyScreenFile, historyScreenEntryName);
    const auto open = library.entry ? reinterpret_cast<ReplayWindowEntry>(
                                          QLibrary(library.file).resolve(replayWindowEntryName))
                                    : nullptr;
    QWidget* window = open ? open(historyScreenInterface, &match, &events, &when, parent) : nullptr;
    if (!window)
        problem = QCoreApplication::translate("rz6::HistoryScreen",
                                              "再生の画面「%1」を開けませんでした。\n理由：%2")
                      .arg(library.file, library.entry ? QCoreApplication::translate(
                                                             "rz6::HistoryScreen",
                                                             "このゲームとは別の版のライブラリです")
                                                       : library.reason);
    return window;
}

} // namespace rz6
