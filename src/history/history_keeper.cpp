// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "history/history_keeper.h"

#include "common/app_info.h"
#include "common/game_library.h"

#include <QCoreApplication>

namespace rz6 {

std::unique_ptr<HistoryKeeper> loadHistoryKeeper(const QByteArray& nativePath, QString& problem) {
    const GameLibraryEntry& library =
        loadGameLibrary(appInfo::historyStoreFile, historyKeeperEntryName);
    const auto open = reinterpret_cast<HistoryKeeperEntry>(library.entry);
    std::unique_ptr<HistoryKeeper> keeper(open ? open(historyKeeperInterface, &nativePath)
                                               : nullptr);
    if (!keeper)
        problem = QCoreApplication::translate("rz6::HistoryScreen",
                                              "戦績を記録するライブラリ「%1」を使えません。"
                                              "試合は戦績に残りません。\n理由：%2")
                      .arg(library.file,
                           open ? QCoreApplication::translate(
                                      "rz6::HistoryScreen", "このゲームとは別の版のライブラリです")
                                : library.reason);
    return keeper;
}

} // namespace rz6
