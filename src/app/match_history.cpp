// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "app/match_history.h"

#include "history/history_entry.h"

#include <QCoreApplication>
#include <QFile>
#include <QPointer>

namespace rz6 {

MatchHistory::MatchHistory(const QByteArray& nativePath, QList<QByteArray> protectedFiles,
                           Reporter report)
    : nativePath_(nativePath), protectedFiles_(std::move(protectedFiles)),
      report_(std::move(report)) {}

MatchHistory::~MatchHistory() = default;

HistoryKeeper* MatchHistory::keeper() {
    if (!keeper_ && keeperProblem_.isEmpty()) {
        keeper_ = keeperMaker_(nativePath_, keeperProblem_);
        if (!keeper_)
            report_(keeperProblem_);
    }
    return keeper_.get();
}

void MatchHistory::record(const MatchSession& session, const MatchRating& rating) {
    HistoryKeeper* store = keeper();
    if (!store)
        return;
    const QDateTime ended = wallClock_();
    const FileResult written = store->append(
        historyMatch(session, rating, {ended.toMSecsSinceEpoch(), ended.offsetFromUtc()}));
    if (!written.message.isEmpty())
        report_(written.message);
}

HistoryScreen* MatchHistory::openScreen(QWidget* parent) {
    FileResult read;
    std::vector<HistoryMatch> matches;
    HistoryKeeper* store = keeper();
    QString note = keeperProblem_;
    if (store) {
        matches = store->matches(HistoryKeeper::Detail::Figures, read);
        note = read.ok ? store->problem() : read.message;
    }
    QString problem;
    HistoryScreen* screen = screenMaker_(std::move(matches), note, parent, problem);
    if (!screen) {
        // Without its screen the history still takes every match; the game plays on.
        report_(problem);
        return nullptr;
    }
    connect(screen, &HistoryScreen::exportRequested, this,
            [this, screen = QPointer<HistoryScreen>(screen)](const QString& path) {
                exportCsv(screen, path);
            });
    return screen;
}

// The whole history, keys included, as CSV in the file the player chose.
void MatchHistory::exportCsv(HistoryScreen* screen, const QString& path) {
    HistoryKeeper* store = keeper();
    if (!store)
        return;
    std::size_t written = 0;
    if (const FileResult result =
            store->exportCsv(QFile::encodeName(path), protectedFiles_, written);
        !result.ok) {
        report_(result.message);
        return;
    }
    if (screen)
        screen->showNote(
            QCoreApplication::translate("rz6::GameProgram", "「%1」に%2試合を書き出しました。")
                .arg(path)
                .arg(written));
}

} // namespace rz6
