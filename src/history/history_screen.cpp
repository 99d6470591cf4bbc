// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "history/history_screen.h"

#include "common/app_info.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace rz6 {

namespace {

// Loads the library the first time; later calls give what that first one found.
HistoryScreenEntry entry(QString& problem) {
    static HistoryScreenEntry found = nullptr;
    static QString why;
    static bool tried = false;
    if (!tried) {
        tried = true;
        const QStringList candidates =
            historyScreenCandidates(QCoreApplication::applicationDirPath());
        QString named = candidates.last();
        QString reason = QCoreApplication::translate("rz6::HistoryScreen", "ファイルがありません");
        for (const QString& path : candidates) {
            if (!QFileInfo(path).isFile())
                continue;
            named = QDir::cleanPath(path);
            // Kept loaded for the rest of the run: its screens and their classes live there.
            // Every symbol is bound as it loads, so a library that needs what this program
            // does not hold is refused here, not at some later call.
            QLibrary library(named);
            library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
            const auto make =
                reinterpret_cast<HistoryScreenEntry>(library.resolve(historyScreenEntryName));
            if (make) {
                found = make;
                break;
            }
            reason = QCoreApplication::translate("rz6::HistoryScreen", "読み込めませんでした（%1）")
                         .arg(library.errorString());
        }
        if (!found)
            why = QCoreApplication::translate("rz6::HistoryScreen",
                                              "戦績の画面「%1」を開けませんでした。\n理由：%2")
                      .arg(QDir::cleanPath(named), reason);
    }
    problem = why;
    return found;
}

} // namespace

QStringList historyScreenCandidates(const QString& programFolder) {
    const QString file = QString::fromUtf8(appInfo::historyScreenFile);
    const QDir program(programFolder);
    return {
        QDir::cleanPath(program.filePath(file)),
        QDir::cleanPath(program.filePath(QString::fromUtf8(appInfo::historyScreenRelativeFolder) +
                                         u'/' + file)),
        QDir::cleanPath(QString::fromUtf8(appInfo::historyScreenFolder) + u'/' + file),
    };
}

HistoryScreen* loadHistoryScreen(std::vector<HistoryMatch> matches, const QString& note,
                                 QWidget* parent, QString& problem) {
    const HistoryScreenEntry make = entry(problem);
    if (!make)
        return nullptr;
    HistoryScreen* screen = make(historyScreenInterface, &matches, &note, parent);
    if (!screen)
        problem = QCoreApplication::translate("rz6::HistoryScreen",
                                              "戦績の画面を開けませんでした。\n理由：このゲームとは"
                                              "別の版のライブラリです");
    return screen;
}

} // namespace rz6
