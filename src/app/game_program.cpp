// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "app/game_program.h"

#include "battle/timer_match_clock.h"
#include "charselect/character_select_window.h"
#include "charselect/characters.h"
#include "common/app_info.h"
#include "common/owned_window.h"
#include "common/qt_text.h"
#include "common/saturating_add.h"
#include "common/window_centring.h"
#include "history/history_csv.h"
#include "history/history_entry.h"
#include "record/technique_record_window.h"
#include "result/match_rating.h"
#include "save/record_file.h"
#include "save/record_lock.h"

#include <QCoreApplication>
#include <QFile>
#include <QMessageBox>
#include <QWindow>

#include <cstdio>

namespace rz6 {
namespace {

// Told where no window can show it: a quit signal or a lost display.
void tellOnStandardError(const QString& message) {
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    std::fflush(stderr);
}

// A file in the record's folder (the record's path as the system's bytes).
QByteArray besideRecord(const QByteArray& recordPath, const char* name) {
    return recordPath.left(recordPath.lastIndexOf('/') + 1) + name;
}

// A screen that only reads (the record, 戦績) has closed over the battle window, which takes
// the keys back. The match may have ended while it was open: then the result screen is in
// front and the battle window stays disabled behind it.
void takeKeysBack(BattleWindow* battle) {
    if (battle->session().phase() == MatchPhase::Ended)
        return;
    battle->setEnabled(true);
    battle->activateWindow();
    battle->setFocus();
}

} // namespace

GameProgram::GameProgram(const QByteArray& nativeRecordPath, RandomSource& random,
                         Reporter reporter)
    : recordFile_(std::make_unique<RecordFile>(nativeRecordPath)),
      history_(
          std::make_unique<HistoryStore>(besideRecord(nativeRecordPath, appInfo::historyFileName))),
      protectedFiles_{QList<QByteArray>{nativeRecordPath,
                                        besideRecord(nativeRecordPath, appInfo::lockFileName)} +
                      HistoryStore::files(history_->nativePath())},
      matchClockMaker_([] { return std::make_unique<TimerMatchClock>(); }), random_(random),
      reporter_(std::move(reporter)) {}

GameProgram::~GameProgram() {
    for (const QPointer<QMessageBox>& box : std::as_const(reportBoxes_))
        delete box.data();
    if (helpWindow_)
        delete helpWindow_.data();
    if (resultWindow_)
        delete resultWindow_.data();
    if (battleWindow_)
        destroyBattleWindow();
}

void GameProgram::start() {
    // A save killed half-way left its unfinished new file beside the record: this copy holds
    // the record's lock, so no save of another copy can be under way.
    removeUnfinishedSaves(recordFile_->nativePath());
    loadRecord();
    buildBattleWindow();
}

void GameProgram::buildBattleWindow() {
    freshSession();
    battleWindow_ = new BattleWindow(*session_);
    showNextCharacter();
    // Queued: the window asks from inside its own handlers, and must not be destroyed there.
    connect(battleWindow_, &BattleWindow::restartRequested, this, &GameProgram::startFreshMatch,
            Qt::QueuedConnection);
    connect(battleWindow_, &BattleWindow::quitRequested, this, &GameProgram::quit,
            Qt::QueuedConnection);
    connect(battleWindow_, &BattleWindow::helpRequested, this, &GameProgram::openHelpWindow);
    connect(battleWindow_, &BattleWindow::recordRequested, this, &GameProgram::openRecordWindow);
    connect(battleWindow_, &BattleWindow::historyRequested, this, &GameProgram::openHistoryWindow);
    connect(battleWindow_, &BattleWindow::characterSelectRequested, this,
            &GameProgram::openCharacterSelect);
    battleWindow_->setLanguageChoice(language_.choice());
    connect(battleWindow_, &BattleWindow::languageChosen, this, &GameProgram::chooseLanguage);
    // Centred on the screen, as every battle screen opens.
    battleWindow_->adjustSize();
    centreWindow(battleWindow_);
    battleWindow_->show();
    battleWindow_->activateWindow();
    battleWindow_->setFocus();
    // A message from the read before it (or the save of the window before) opens over it.
    showReportsInFront();
}

// A fresh match from the design values: the first character, a board waiting for the start
// command. The battle window, if it stands, shows it from now on; the session it showed
// before goes.
void GameProgram::freshSession() {
    nextMatch_ = firstCharacter();
    auto session = std::make_unique<MatchSession>(random_, matchClockMaker_(), nextMatch_.settings);
    session->listen(*this);
    if (battleWindow_) {
        battleWindow_->startFresh(*session);
        showNextCharacter();
    }
    session_ = std::move(session);
}

GameProgram::NextMatch GameProgram::firstCharacter() {
    const Character& first = characters().front();
    return {MatchSettings{first.windowLength, first.scoreMultiplier}, fromUtf8(statusText(first)),
            fromUtf8(first.readyPicture)};
}

void GameProgram::setStatusText(const QString& text) {
    nextMatch_.statusText = text;
    showNextCharacter();
}

void GameProgram::setWindowLength(int length) {
    nextMatch_.settings.windowLength = length;
    session_->configure(nextMatch_.settings);
}

void GameProgram::setScoreMultiplier(double multiplier) {
    nextMatch_.settings.scoreMultiplier = multiplier;
    session_->configure(nextMatch_.settings);
}

void GameProgram::setPortrait(const QString& pictureName) {
    nextMatch_.portrait = pictureName;
    showNextCharacter();
}

void GameProgram::showNextCharacter() {
    if (battleWindow_)
        battleWindow_->showCharacter(nextMatch_.statusText, nextMatch_.portrait);
}

// Landings count the moment the session reports them; a finished match is summed up at
// once, and its result screen opens once the step that ended it is over.
void GameProgram::matchUpdated(const MatchSession&, const MatchUpdate& update) {
    for (const StrikeResult& result : update.outcomes)
        applyStrike(result);
    if (update.ended) {
        keepSummary();
        QMetaObject::invokeMethod(this, &GameProgram::openResultWindow, Qt::QueuedConnection);
    }
}

// The match on show goes with its window: its clock stops, and nothing of it is counted once
// the record is saved for the last time.
bool GameProgram::destroyBattleWindow() {
    delete subScreen_.data();
    delete battleWindow_.data();
    session_.reset();
    return saveRecord();
}

// The player's choice takes effect at once on every open screen, and is remembered for the
// next start; a language given for this run only gives way to it.
void GameProgram::chooseLanguage(LanguageChoice choice) {
    language_.choose(choice);
    applyLanguage(language_.language());
    if (battleWindow_)
        battleWindow_->setLanguageChoice(choice);
    // Said in the language just chosen, under its title.
    if (!settingsPath_.isEmpty())
        if (const QString problem = rememberLanguageChoice(settingsPath_, choice);
            !problem.isEmpty())
            report(problem);
}

void GameProgram::startFreshMatch() {
    if (finished_ || !battleWindow_)
        return;
    // The record or character screen belongs to the match that is being abandoned.
    delete subScreen_.data();
    // The fresh match reads back what was just written. When the save failed, the record
    // in memory is the only whole copy of this run's landings: keep it rather than read
    // the older file over it.
    if (saveRecord())
        loadRecord();
    freshSession();
    battleWindow_->activateWindow();
    battleWindow_->setFocus();
}

// A landing counts in the record the moment it is reported, so a restart or a quit in the
// middle of a match saves it.
void GameProgram::applyStrike(const StrikeResult& result) {
    if (!result.techniqueId)
        return;
    auto& count =
        recordTable_.at(static_cast<std::size_t>(*result.techniqueId + firstCountElement));
    count = saturatingAdd(count, 1);
}

void GameProgram::keepSummary() {
    lastSummary_ = session_->summary();
    emit matchSummarised(*lastSummary_);
}

void GameProgram::openResultWindow() {
    if (!battleWindow_ || resultWindow_ || !lastSummary_ || session_->phase() != MatchPhase::Ended)
        return;
    const MatchRating rating = rateMatch(lastSummary_->score, lastSummary_->techniquesLanded());
    // The match's overall score enters the five best once, whatever the player does next.
    updateBestTotals(recordTable_, rating.overallScore);
    resultWindow_ = new ResultWindow(rating, battleWindow_);
    connect(resultWindow_, &ResultWindow::rematchRequested, this, &GameProgram::rematch,
            Qt::QueuedConnection);
    connect(resultWindow_, &ResultWindow::quitRequested, this, &GameProgram::quit,
            Qt::QueuedConnection);
    // The match is over and its landings and best totals are in the table: written before
    // the result screen shows, so a crash or a kill while it waits loses nothing that has
    // finished. A message about the save waits for the result screen and opens over it.
    screenComing_ = true;
    saveRecord();
    screenComing_ = false;
    // In front of the battle window, centred over it.
    resultWindow_->adjustSize();
    centreWindow(resultWindow_, battleWindow_);
    resultWindow_->show();
    resultWindow_->raise();
    resultWindow_->activateWindow();
    showReportsInFront();
    recordHistory(rating);
}

// The finished match goes into the history as its result screen appears, beside the record.
// The history never holds the game up: a file it cannot write is reported once, and the
// record is saved as always.
void GameProgram::recordHistory(const MatchRating& rating) {
    const QDateTime ended = wallClock_();
    const FileResult written = history_->append(
        historyMatch(*session_, rating, {ended.toMSecsSinceEpoch(), ended.offsetFromUtc()}));
    if (!written.message.isEmpty())
        report(written.message);
}

// One help screen at a time; asked again, the open one comes to the front. It outlives
// restarts and rematches, and blocks nothing, so it can be read beside a match.
void GameProgram::openHelpWindow() {
    if (!helpWindow_) {
        helpWindow_ = new HelpWindow(battleWindow_);
        if (battleWindow_)
            centreWindow(helpWindow_, battleWindow_);
    }
    helpWindow_->show();
    helpWindow_->raise();
    helpWindow_->activateWindow();
}

// The record screen only reads the table; the clock runs on behind it.
void GameProgram::openRecordWindow() {
    if (!battleWindow_)
        return;
    auto* screen = new TechniqueRecordWindow(recordTable_, battleWindow_);
    BattleWindow* battle = battleWindow_;
    connect(screen, &TechniqueRecordWindow::closed, battle, [battle] { takeKeysBack(battle); });
    openOverBattle(screen);
}

// The 戦績 screen reads the history when it opens (the first use opens the file); like the
// record screen it only reads, and the clock runs on behind it.
void GameProgram::openHistoryWindow() {
    if (!battleWindow_)
        return;
    FileResult read;
    std::vector<HistoryMatch> matches = history_->matches(HistoryStore::Detail::Figures, &read);
    QString problem;
    HistoryScreen* screen = historyScreenMaker_(
        std::move(matches), read.ok ? history_->problem() : read.message, battleWindow_, problem);
    if (!screen) {
        // Without its screen the history still takes every match; the game plays on.
        report(problem);
        return;
    }
    connect(screen, &HistoryScreen::exportRequested, this, &GameProgram::exportHistory);
    connect(screen, &HistoryScreen::closed, this, &GameProgram::historyScreenClosed);
    openOverBattle(screen);
}

void GameProgram::historyScreenClosed() {
    if (battleWindow_)
        takeKeysBack(battleWindow_);
}

// The whole history, keys included, as CSV in the file the player chose.
void GameProgram::exportHistory(const QString& path) {
    auto* screen = qobject_cast<HistoryScreen*>(subScreen_.data());
    FileResult result;
    const std::vector<HistoryMatch> matches =
        history_->matches(HistoryStore::Detail::Whole, &result);
    if (result.ok)
        result = writeHistoryCsv(historyCsv(matches), QFile::encodeName(path), protectedFiles_);
    if (!result.ok) {
        report(result.message);
        return;
    }
    if (screen)
        screen->showNote(
            QCoreApplication::translate("rz6::GameProgram", "「%1」に%2試合を書き出しました。")
                .arg(path)
                .arg(matches.size()));
}

// The character select screen chooses the next match's character through CharacterTarget
// only, which this object is; it is asked for between matches, so nothing can end behind it.
void GameProgram::openCharacterSelect() {
    if (!battleWindow_)
        return;
    BattleWindow* battle = battleWindow_;
    auto* screen = new CharacterSelectWindow(*this, battle);
    connect(screen, &CharacterSelectWindow::confirmed, battle,
            [battle] { battle->setEnabled(true); });
    openOverBattle(screen);
}

// Shows a screen that keeps the battle window disabled until the screen gives it back.
void GameProgram::openOverBattle(QWidget* screen) {
    subScreen_ = screen;
    screen->show();
    screen->activateWindow();
    battleWindow_->setEnabled(false);
}

void GameProgram::rematch() {
    startFreshMatch();
    if (resultWindow_)
        resultWindow_->closeWithoutAction();
}

void GameProgram::quit() {
    if (finished_)
        return;
    // No box runs a loop of its own, so every screen can go at once: the boxes of a screen
    // go with it.
    finished_ = true;
    if (helpWindow_)
        helpWindow_->close();
    if (resultWindow_)
        resultWindow_->closeWithoutAction();
    if (battleWindow_)
        destroyBattleWindow();
    // With every screen gone, a message about the last save shows on its own.
    showReportsInFront();
    finishWhenReportsRead();
}

void GameProgram::quitOnSignal() {
    // A box already waiting (a failed read at start, or the last save when the player had
    // quit already) must not hold the end up either: its text goes to standard error.
    const bool lastSaveUnread = finished_;
    for (const QPointer<QMessageBox>& box : std::as_const(reportBoxes_))
        if (box && box->isVisible()) {
            tellOnStandardError(box->text());
            if (lastSaveUnread)
                exitStatus_ = 1;
            box->hide();
        }
    quitBySignal_ = true;
    quit();
    finishWhenReportsRead();
}

bool GameProgram::saveWithoutDisplay() {
    const RecordLock::Result held = lock_ ? lock_->confirm() : RecordLock::Result{};
    const auto result =
        held.locked() ? recordFile_->save(recordTable_) : FileResult{false, held.message};
    if (!result.ok)
        tellOnStandardError(result.message);
    return result.ok;
}

// A message about the last save stays until the player has read it; the program ends then.
void GameProgram::finishWhenReportsRead() {
    if (!finished_ || finishAnnounced_)
        return;
    if (!quitBySignal_)
        for (const QPointer<QMessageBox>& box : std::as_const(reportBoxes_))
            if (box && box->isVisible())
                return;
    finishAnnounced_ = true;
    emit finished(exitStatus_);
}

void GameProgram::loadRecord() {
    const auto result = recordFile_->load(recordTable_);
    if (!result.ok)
        report(result.message);
}

bool GameProgram::saveRecord() {
    if (lock_) {
        if (const RecordLock::Result held = lock_->confirm(); !held.locked()) {
            report(held.message);
            return false;
        }
    }
    const auto result = recordFile_->save(recordTable_);
    if (!result.ok)
        report(result.message);
    return result.ok;
}

void GameProgram::report(const QString& message) {
    if (quitBySignal_) {
        // Nobody may be there to click a box: the reason goes where a log keeps it.
        exitStatus_ = 1;
        if (!reporter_)
            tellOnStandardError(message);
    }
    if (reporter_) {
        reporter_(message);
        return;
    }
    if (quitBySignal_)
        return;
    pendingReports_.append(message);
    showReportsInFront();
}

// The screen a message is about: the result screen while it shows, else the battle window.
QWidget* GameProgram::frontScreen() const {
    if (resultWindow_ && resultWindow_->isVisible())
        return resultWindow_;
    if (battleWindow_ && battleWindow_->isVisible())
        return battleWindow_;
    return nullptr;
}

// Opens the waiting messages over the front screen and brings every open one above it. With
// no screen up yet (the read at start) they wait for the first one, so that it does not open
// over them; once the game is ending they show on their own.
void GameProgram::showReportsInFront() {
    QWidget* front = frontScreen();
    if (!finished_ && (screenComing_ || !front))
        return;
    for (const QString& message : std::as_const(pendingReports_)) {
        // Opened without a loop of its own, so the clock, the signals and a quit carry on;
        // the program owns it and deletes it at the latest with itself.
        auto* box = new QMessageBox(QMessageBox::Warning, gameTitle(), message, QMessageBox::Ok);
        box->setObjectName(QStringLiteral("ReportBox"));
        box->setAttribute(Qt::WA_DeleteOnClose);
        connect(box, &QMessageBox::finished, this, &GameProgram::finishWhenReportsRead,
                Qt::QueuedConnection);
        reportBoxes_.removeAll(nullptr);
        reportBoxes_.append(box);
        // Not a child of the screen, which may go before the message is read; a window
        // manager still keeps it above that screen.
        if (front) {
            box->winId();
            box->windowHandle()->setTransientParent(front->windowHandle());
        }
        box->open();
    }
    pendingReports_.clear();
    // Without a window manager the last window raised is on top.
    for (const QPointer<QMessageBox>& box : std::as_const(reportBoxes_))
        if (box && box->isVisible()) {
            box->raise();
            box->activateWindow();
        }
}

} // namespace rz6
