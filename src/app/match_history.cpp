// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "app/match_history.h"

#include "app/message_presenter.h"
#include "common/language.h"
#include "common/qt_text.h"
#include "history/history_entry.h"
#include "replay/replay_verifier.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
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
    const QPointer<HistoryScreen> guarded(screen);
    connect(screen, &HistoryScreen::exportRequested, this,
            [this, guarded](const QString& path) { exportCsv(guarded, path); });
    connect(screen, &HistoryScreen::replayRequested, this,
            [this, guarded](int index) { replayStored(guarded, index); });
    connect(
        screen, &HistoryScreen::replayExportRequested, this,
        [this, guarded](int index, const QString& path) { exportReplay(guarded, index, path); });
    connect(screen, &HistoryScreen::replayFileChosen, this,
            [this, guarded](const QString& path) { replayFile(guarded, path); });
    return screen;
}

namespace {

// What the player is told about a replay that cannot be played as it was (or is played
// rebuilt); empty for a faithful one.
QString verdictMessage(ReplayVerdict verdict) {
    return translatedText("Replay", verdictText(verdict));
}

// A match's end as the replay's title names it, on the clock it was played by.
QString playedAt(const HistoryMatch& match) {
    return QDateTime::fromMSecsSinceEpoch(match.endedUtcMs, Qt::OffsetFromUTC,
                                          match.utcOffsetSeconds)
        .toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

} // namespace

void MatchHistory::replayStored(HistoryScreen* screen, int index) {
    HistoryKeeper* store = keeper();
    if (!store || !screen || index < 0)
        return;
    FileResult read;
    const std::optional<HistoryMatch> match = store->wholeMatch(std::size_t(index), read);
    if (!match) {
        screen->showNote(read.message);
        return;
    }
    play(screen, replayMatch(*match), playedAt(*match));
}

void MatchHistory::replayFile(HistoryScreen* screen, const QString& path) {
    HistoryKeeper* store = keeper();
    if (!store || !screen)
        return;
    const ReplayFileRead read = store->readReplay(QFile::encodeName(path));
    if (!read.result.ok) {
        screen->showNote(read.result.message);
        return;
    }
    play(screen, read.match, QFileInfo(path).fileName());
}

// The check decides: a match that plays again to what happened opens in the replay window
// over the 戦績 screen; any other is only told about.
void MatchHistory::play(HistoryScreen* screen, const ReplayMatch& match, const QString& when) {
    ReplayCheck check = verifyReplay(match);
    if (const QString message = verdictMessage(check.verdict); !message.isEmpty())
        screen->showNote(message);
    if (!check.playable())
        return;
    QString problem;
    if (!replayMaker_(match, std::move(check.events), when, screen, problem))
        report_(problem);
}

void MatchHistory::exportReplay(HistoryScreen* screen, int index, const QString& path) {
    HistoryKeeper* store = keeper();
    if (!store || index < 0)
        return;
    if (const FileResult result =
            store->exportReplay(std::size_t(index), QFile::encodeName(path), protectedFiles_);
        !result.ok) {
        report_(result.message);
        return;
    }
    if (screen)
        screen->showNote(QCoreApplication::translate("rz6::GameProgram",
                                                     "「%1」に再生ファイルを書き出しました。")
                             .arg(path));
}

int MatchHistory::playReplayFileAlone(const QByteArray& nativePath) {
    const auto fail = [](const QString& message) {
        showMessageBeforeAnyWindow(message);
        return 1;
    };
    // The store's library reads the file; no history is opened.
    QString problem;
    const std::unique_ptr<HistoryKeeper> reader = loadHistoryKeeper({}, problem);
    if (!reader)
        return fail(problem);
    const ReplayFileRead read = reader->readReplay(nativePath);
    if (!read.result.ok)
        return fail(read.result.message);
    ReplayCheck check = verifyReplay(read.match);
    if (!check.playable())
        return fail(verdictMessage(check.verdict));
    QWidget* window =
        loadReplayWindow(read.match, std::move(check.events),
                         QFileInfo(QFile::decodeName(nativePath)).fileName(), nullptr, problem);
    if (!window)
        return fail(problem);
    QApplication::setQuitOnLastWindowClosed(true);
    return QApplication::exec();
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
