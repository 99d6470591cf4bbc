// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "common/game_library.h"

#include "common/app_info.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <map>
#include <string>

namespace rz6 {

QStringList gameLibraryCandidates(const QString& programFolder, const char* file) {
    const QString name = QString::fromUtf8(file);
    const QDir program(programFolder);
    return {
        QDir::cleanPath(program.filePath(name)),
        QDir::cleanPath(program.filePath(QString::fromUtf8(appInfo::historyScreenRelativeFolder) +
                                         u'/' + name)),
        QDir::cleanPath(QString::fromUtf8(appInfo::historyScreenFolder) + u'/' + name),
    };
}

const GameLibraryEntry& loadGameLibrary(const char* file, const char* entryName) {
    static std::map<std::string, GameLibraryEntry> loaded;
    const auto [place, first] = loaded.try_emplace(file);
    GameLibraryEntry& found = place->second;
    if (!first)
        return found;
    const QStringList candidates =
        gameLibraryCandidates(QCoreApplication::applicationDirPath(), file);
    found.file = candidates.last();
    found.reason = QCoreApplication::translate("rz6::HistoryScreen", "ファイルがありません");
    for (const QString& path : candidates) {
        if (!QFileInfo(path).isFile())
            continue;
        found.file = QDir::cleanPath(path);
        QLibrary library(found.file);
        library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
        if ((found.entry = library.resolve(entryName)))
            break;
        found.reason =
            QCoreApplication::translate("rz6::HistoryScreen", "読み込めませんでした（%1）")
                .arg(library.errorString());
    }
    return found;
}

} // namespace rz6
