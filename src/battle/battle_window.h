// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "battle/match.h"
#include "battle/number_row_key.h"
#include "charselect/character_target.h"
#include "common/language.h"
#include "history/history_match.h"

#include <QMainWindow>
#include <QTimer>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QProgressBar;

namespace rz6 {

class Announcer;
class LabelButton;

// The battle screen `rz6`: the program's main window. It owns one match and shows it; it
// holds no game rule of its own. Every handler turns input into a call on the match and
// then copies the whole visible state into the widgets (showMatch).
//
// The record file and the other screens are not its business: the program object reads the
// record before it builds this window and writes it after it destroys it, and opens the
// screens this window asks for.
class BattleWindow : public QMainWindow, public CharacterTarget {
    Q_OBJECT
public:
    // The label-buttons along the top; the status bar's panels.
    static constexpr int buttonCount = 4;
    static constexpr int statusPanelCount = 3;

    explicit BattleWindow(RandomSource& random, QWidget* parent = nullptr);
    ~BattleWindow() override;

    const Match& match() const { return match_; }

    // A fresh match in this same window: a new Match from the rules' starting values, and
    // every widget the match or a character changes back to its value in the layout table.
    // The window stays where it is, which is the only way to keep its place where the
    // program cannot place windows (Wayland).
    void startFresh();

    // --- what the player and the clock do, public so that tests drive them by calling ---
    // The menu commands (and the label-buttons that repeat them).
    void startMatch();
    void restartMatch();
    void showRecord();
    void showHistory();
    void chooseCharacter();
    void quitGame();
    void showAbout();
    void showHelp();
    // Label-button `index` along the top: its menu command, while that is available.
    void pressButton(int index);
    // One typed character.
    void pressKey(char16_t key);
    // The clock tick.
    void tick();
    // The pause after a strike is over (its single-shot timer calls this).
    void endPause();

    // --- what the character select screen may change ---
    void setStatusText(const QString& text) override;
    void setWindowLength(int length) override;
    void setScoreMultiplier(double multiplier) override;
    void setPortrait(const QString& pictureName) override;

    // Ticks the player's language choice in the 設定 menu (the program object keeps it).
    void setLanguageChoice(LanguageChoice choice);

    // The timers, for tests and benchmarks that watch them.
    const QTimer& clockTimer() const { return clock_; }
    const QTimer& pauseTimer() const { return pauseTimer_; }

    // A steady clock in milliseconds; the keys of a match are timed from its start with it.
    // The game's own runs on the system's steady clock; tests set one they drive.
    using MatchClock = std::function<std::int64_t()>;
    void setMatchClock(MatchClock clock) { matchClock_ = std::move(clock); }
    // Every digit and Enter typed during the match on show, with its time from the start
    // command, for the match history.
    const std::vector<TimedKey>& timedKeys() const { return timedKeys_; }

signals:
    // A strike was launched or a sequence given up with Enter: what it did. Emitted before
    // the window shows it; the program object counts landings into the record from this.
    void struck(const rz6::StrikeResult& result);
    // The match has ended: the clock has stopped, keys are ignored and this window is
    // disabled. The program object takes match().summary() and opens the result screen.
    void matchEnded();
    // The player asked for a fresh battle screen (再試) or to end the program (終了).
    void restartRequested();
    void quitRequested();
    // The player asked for the help screen (遊び方, F1).
    void helpRequested();
    // The player asked for the technique record (履歴) or, before a match, for the
    // character select screen (使用キャラ). The program object opens it over this window,
    // which takes no input until the screen gives it back.
    void recordRequested();
    // The player asked for the match history (戦績, F6), opened over this window like the
    // technique record.
    void historyRequested();
    void characterSelectRequested();
    // The player picked a language in 設定 → 言語 / Language.
    void languageChosen(rz6::LanguageChoice choice);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildMenus();
    void buildWidgets(QWidget* client);
    void retranslate();
    void showMatch();
    void afterInput();
    void clearHighlights();
    void highlightButton(int index);
    void request(bool offered, void (BattleWindow::*signal)());
    void announce(std::optional<StrikeResult> result);
    // Tells a screen reader what a strike or Enter put on screen, once it shows.
    void speak(const StrikeResult& result);
    void showCharacterAsDesigned();

    RandomSource& random_;
    Match match_;
    // Whether this platform's scan codes tell the keys' places (keyPressEvent).
    ScanCodes scanCodes_ = ScanCodes::Unread;
    // The clock tick; its interval is the match's.
    QTimer clock_;
    QTimer pauseTimer_;

    QMenu* fileMenu_ = nullptr;
    QMenu* optionsMenu_ = nullptr;
    QMenu* effectsMenu_ = nullptr;
    QMenu* languageMenu_ = nullptr;
    // Indexed by LanguageChoice.
    std::array<QAction*, 3> languageActions_{};
    QAction* startAction_ = nullptr;
    QAction* restartAction_ = nullptr;
    QAction* recordAction_ = nullptr;
    QAction* historyAction_ = nullptr;
    QAction* quitAction_ = nullptr;
    QAction* characterAction_ = nullptr;
    QAction* aboutAction_ = nullptr;
    QAction* helpAction_ = nullptr;

    MatchClock matchClock_ = [] {
        using namespace std::chrono;
        return std::int64_t(
            duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    };
    std::int64_t matchStartMs_ = 0;
    std::vector<TimedKey> timedKeys_;

    // "試合開始", "履　　　歴", "キャラ選択", "終　　　了".
    std::array<LabelButton*, buttonCount> buttons_{};
    std::array<QLabel*, Match::cellCount> cells_{};
    std::array<QLabel*, 10> keypadMarks_{}; // index 1..9
    QLabel* turnsLabel_ = nullptr;
    QLabel* portrait_ = nullptr;
    QLabel* sequenceLabel_ = nullptr; // the keys typed so far
    QLabel* comboLabel_ = nullptr;
    QLabel* messageLabel_ = nullptr;
    QLabel* pointsLabel_ = nullptr; // the points of the last strike
    QProgressBar* comboGauge_ = nullptr;
    // Character, "評価", score.
    std::array<QLabel*, statusPanelCount> statusPanels_{};
    QFrame* statusBar_ = nullptr;
    // The character's status text as the rules write it, in Japanese; panel 1 shows it in
    // the player's language.
    QString statusSource_;
    // The picture the portrait shows.
    QString portraitName_;
    QWidget* client_ = nullptr;
    std::unique_ptr<Announcer> announcer_;
};

} // namespace rz6
