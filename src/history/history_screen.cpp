// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "history/history_screen.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QWidget>

namespace rz6 {

namespace {

// The file's name, and where it is installed: relative to the program's folder (an install
// under any prefix) and as configured.
constexpr char libraryFile[] = RZ6_HISTORY_SCREEN_FILE;
constexpr char installedRelative[] = RZ6_HISTORY_SCREEN_RELATIVE_DIR;
constexpr char installedAbsolute[] = RZ6_HISTORY_SCREEN_DIR;

// Loads the library the first time; later calls give what that first one found.
HistoryScreenEntry entry(QString& problem) {
    static HistoryScreenEntry found = nullptr;
    static QString why;
    static bool tried = false;
    if (!tried) {
        tried = true;
        const QString program = QCoreApplication::applicationDirPath();
        const QString candidates[] = {
            QDir(program).filePath(QString::fromUtf8(libraryFile)),
            QDir(QDir(program).filePath(QString::fromUtf8(installedRelative)))
                .filePath(QString::fromUtf8(libraryFile)),
            QDir(QString::fromUtf8(installedAbsolute)).filePath(QString::fromUtf8(libraryFile)),
        };
        QString named = candidates[2];
        QString reason = QCoreApplication::translate("rz6::HistoryScreen", "ファイルがありません");
        for (const QString& path : candidates) {
            if (!QFileInfo(path).isFile())
                continue;
            named = QDir::cleanPath(path);
            // Kept loaded for the rest of the run: its screens and their classes live there.
            QLibrary library(named);
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

QWidget* loadHistoryScreen(std::vector<HistoryMatch> matches, const QString& note, QWidget* parent,
                           QString& problem) {
    const HistoryScreenEntry make = entry(problem);
    if (!make)
        return nullptr;
    QWidget* screen = make(historyScreenInterface, &matches, &note, parent);
    if (!screen)
        problem = QCoreApplication::translate("rz6::HistoryScreen",
                                              "戦績の画面を開けませんでした。\n理由：このゲームとは"
                                              "別の版のライブラリです");
    return screen;
}

} // namespace rz6
