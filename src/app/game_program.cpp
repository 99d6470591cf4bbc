// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "app/game_program.h"

#include "battle/timer_match_clock.h"
#include "charselect/character_select_window.h"
#include "common/app_info.h"
#include "common/window_centring.h"
#include "record/technique_record_window.h"
#include "result/match_rating.h"

namespace rz6 {
namespace {

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
    : messages_(std::move(reporter), [this] { return frontScreen(); }),
      record_(nativeRecordPath, [this](const QString& message) { report(message); }),
      history_(besideRecord(nativeRecordPath, appInfo::historyFileName),
               {nativeRecordPath, besideRecord(nativeRecordPath, appInfo::lockFileName)},
               [this](const QString& message) { report(message); }),
      matchClockMaker_([] { return std::make_unique<TimerMatchClock>(); }), random_(random) {
    connect(&shutdown_, &ShutdownSequence::finished, this, &GameProgram::finished);
}

GameProgram::~GameProgram() {
    delete helpWindow_.data();
    delete resultWindow_.data();
    if (battleWindow_)
        destroyBattleWindow();
}

void GameProgram::start() {
    record_.loadAtStart();
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
    battleWindow_->setLanguageChoice(settings_.language().choice());
    connect(battleWindow_, &BattleWindow::languageChosen, this, &GameProgram::chooseLanguage);
    battleWindow_->setSoundEffects(settings_.soundEffects());
    sounds_.setEnabled(settings_.soundEffects());
    connect(battleWindow_, &BattleWindow::soundEffectsChosen, this,
            &GameProgram::chooseSoundEffects);
    // Centred on the screen, as every battle screen opens.
    battleWindow_->adjustSize();
    centreWindow(battleWindow_);
    battleWindow_->show();
    battleWindow_->activateWindow();
    battleWindow_->setFocus();
    // A message from the read before it (or the save of the window before) opens over it.
    messages_.showInFront();
}

// A fresh match from the design values: the first character, a board waiting for the start
// command. The battle window, if it stands, shows it from now on; the session it showed
// before goes.
void GameProgram::freshSession() {
    nextMatch_.reset();
    auto session =
        std::make_unique<MatchSession>(random_, matchClockMaker_(), nextMatch_.settings());
    session->listen(*this);
    if (battleWindow_) {
        battleWindow_->startFresh(*session);
        showNextCharacter();
    }
    session_ = std::move(session);
}

void GameProgram::showNextCharacter() {
    if (battleWindow_)
        battleWindow_->showCharacter(nextMatch_.statusText(), nextMatch_.portrait());
}

// Landings count the moment the session reports them; a finished match is summed up at
// once, and its result screen opens once the step that ended it is over.
void GameProgram::matchUpdated(const MatchSession&, const MatchUpdate& update) {
    // The first update is the start command's: the sounds get ready before the first strike.
    sounds_.prepareSoon();
    for (const StrikeResult& result : update.outcomes) {
        sounds_.playStrike(result);
        record_.count(result);
    }
    if (update.ended) {
        sounds_.playMoment(SoundMoment::MatchEnded);
        lastSummary_ = session_->summary();
        emit matchSummarised(*lastSummary_);
        QMetaObject::invokeMethod(this, &GameProgram::openResultWindow, Qt::QueuedConnection);
    }
}

// The match on show goes with its window: its clock stops, and nothing of it is counted once
// the record is saved for the last time.
bool GameProgram::destroyBattleWindow() {
    delete subScreen_.data();
    delete battleWindow_.data();
    session_.reset();
    return record_.save();
}

// The player's choice takes effect at once on every open screen (and in the sound server's
// list), and is remembered for the next start; a language given for this run gives way to it.
void GameProgram::chooseLanguage(LanguageChoice choice) {
    settings_.chooseLanguage(choice);
    applyLanguage(settings_.language().language());
    sounds_.setApplicationName(gameTitle());
    if (battleWindow_)
        battleWindow_->setLanguageChoice(choice);
    // Said in the language just chosen, under its title.
    if (const QString problem = settings_.rememberLanguage(); !problem.isEmpty())
        report(problem);
}

void GameProgram::chooseSoundEffects(bool on) {
    sounds_.setEnabled(on);
    if (const QString problem = settings_.chooseSoundEffects(on); !problem.isEmpty())
        report(problem);
}

void GameProgram::startFreshMatch() {
    if (shutdown_.underway() || !battleWindow_)
        return;
    // The record or character screen belongs to the match that is being abandoned.
    delete subScreen_.data();
    // The fresh match reads back what was just written. When the save failed, the record
    // in memory is the only whole copy of this run's landings: keep it rather than read
    // the older file over it.
    if (record_.save())
        record_.load();
    freshSession();
    battleWindow_->activateWindow();
    battleWindow_->setFocus();
}

void GameProgram::openResultWindow() {
    if (!battleWindow_ || resultWindow_ || !lastSummary_ || session_->phase() != MatchPhase::Ended)
        return;
    const MatchRating rating = rateMatch(lastSummary_->score, lastSummary_->techniquesLanded());
    // The match's overall score enters the five best once, whatever the player does next.
    const RecordTable before = record_.table();
    updateBestTotals(record_.table(), rating.overallScore);
    const bool newBest = record_.table() != before;
    resultWindow_ = new ResultWindow(rating, battleWindow_);
    connect(resultWindow_, &ResultWindow::rematchRequested, this, &GameProgram::rematch,
            Qt::QueuedConnection);
    connect(resultWindow_, &ResultWindow::quitRequested, this, &GameProgram::quit,
            Qt::QueuedConnection);
    // The match is over and its landings and best totals are in the table: written before
    // the result screen shows, so a crash or a kill while it waits loses nothing that has
    // finished. A message about the save waits for the result screen and opens over it.
    {
        const MessagePresenter::ScreenComing resultScreen(messages_);
        record_.save();
    }
    // In front of the battle window, centred over it.
    resultWindow_->adjustSize();
    centreWindow(resultWindow_, battleWindow_);
    resultWindow_->show();
    resultWindow_->raise();
    resultWindow_->activateWindow();
    sounds_.playMoment(SoundMoment::ResultShown);
    if (newBest)
        sounds_.playMoment(SoundMoment::NewBest);
    messages_.showInFront();
    // The finished match goes into the history as its result screen appears.
    history_.record(*session_, rating);
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
    auto* screen = new TechniqueRecordWindow(record_.table(), battleWindow_);
    BattleWindow* battle = battleWindow_;
    connect(screen, &TechniqueRecordWindow::closed, battle, [battle] { takeKeysBack(battle); });
    openOverBattle(screen);
}

// The 戦績 screen reads the history when it opens (the first use opens the file); like the
// record screen it only reads, and the clock runs on behind it.
void GameProgram::openHistoryWindow() {
    if (!battleWindow_)
        return;
    HistoryScreen* screen = history_.openScreen(battleWindow_);
    if (!screen)
        return;
    BattleWindow* battle = battleWindow_;
    connect(screen, &HistoryScreen::closed, battle, [battle] { takeKeysBack(battle); });
    openOverBattle(screen);
}

// The character select screen chooses the next match's character through NextMatch only; it
// is asked for between matches, so nothing can end behind it.
void GameProgram::openCharacterSelect() {
    if (!battleWindow_)
        return;
    BattleWindow* battle = battleWindow_;
    auto* screen = new CharacterSelectWindow(nextMatch_, battle);
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
    if (!shutdown_.begin())
        return;
    // No box runs a loop of its own, so every screen can go at once: the boxes of a screen
    // go with it.
    if (helpWindow_)
        helpWindow_->close();
    if (resultWindow_)
        resultWindow_->closeWithoutAction();
    if (battleWindow_)
        destroyBattleWindow();
    // With every screen gone, a message about the last save shows on its own.
    messages_.showInFront();
    shutdown_.finishWhenMessagesRead();
}

void GameProgram::quitOnSignal() {
    shutdown_.signalled();
    quit();
    shutdown_.finishWhenMessagesRead();
}

void GameProgram::report(const QString& message) {
    shutdown_.messageGiven();
    messages_.report(message);
}

// The screen a message is about: the result screen while it shows, else the battle window.
QWidget* GameProgram::frontScreen() const {
    if (resultWindow_ && resultWindow_->isVisible())
        return resultWindow_;
    if (battleWindow_ && battleWindow_->isVisible())
        return battleWindow_;
    return nullptr;
}

} // namespace rz6
