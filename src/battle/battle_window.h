// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "battle/match_session.h"
#include "battle/number_row_key.h"
#include "common/language.h"

#include <QMainWindow>

#include <array>
#include <memory>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QProgressBar;

namespace rz6 {

class Announcer;
class LabelButton;

// The battle screen `rz6`: the program's main window. It shows one match session and owns
// none of it: it forwards keys and clicks to the session and asks the program object for
// everything else, and after every step of the session copies the whole visible state of its
// match into the widgets (showMatch). The program object gives it a fresh session for every
// new match; the window stays, keeping its place on the screen.
//
// The record file and the other screens are not its business: the program object reads the
// record before it builds this window and writes it after it destroys it, and opens the
// screens this window asks for.
class BattleWindow : public QMainWindow, private MatchListener {
    Q_OBJECT
public:
    // The label-buttons along the top; the status bar's panels.
    static constexpr int buttonCount = 4;
    static constexpr int statusPanelCount = 3;

    // Shows `session`, which must outlive this window or be replaced before it goes.
    explicit BattleWindow(MatchSession& session, QWidget* parent = nullptr);
    ~BattleWindow() override;

    const MatchSession& session() const { return *session_; }

    // A fresh match in this same window: shows `session` from now on, with every widget the
    // match changes back as the session's waiting match shows it. The window stays where it
    // is, which is the only way to keep its place where the program cannot place windows
    // (Wayland).
    void startFresh(MatchSession& session);

    // The character the next match is fought as: status bar panel 1 and the portrait.
    void showCharacter(const QString& statusText, const QString& portraitName);

    // --- what the player does, public so that tests drive it by calling ---
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
    // One typed character, for the session while this window takes input.
    void pressKey(char16_t key);

    // Ticks the player's language choice in the 設定 menu (the program object keeps it).
    void setLanguageChoice(LanguageChoice choice);
    // Ticks 設定 → 効果 → 効果音 when the sound effects play.
    void setSoundEffects(bool on);

    // Replay mode, for a window that shows a replay rather than the player's match: no menus,
    // no label-buttons, nothing that starts a match, opens a screen or changes a setting; the
    // keys go to the replay's controls (replayKeyPressed) instead of the match, the window
    // stays usable once the match has ended, and closing it only closes it (it deletes
    // itself). A line under the status bar tells the replay's state and keys.
    void enterReplayMode();
    bool replayMode() const { return replay_; }
    // The title and the replay's panel, in the player's language.
    void setReplayTexts(const QString& title, const QString& status);

signals:
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
    // The player turned 設定 → 効果 → 効果音 on or off.
    void soundEffectsChosen(bool on);
    // In replay mode: a key for the replay's controls, the digits of the number row and the
    // keypad as Qt::Key_0..Qt::Key_9 whatever the layout.
    void replayKeyPressed(int key);
    // In replay mode: the language changed, and the replay's texts are wanted again.
    void replayTextsNeeded();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildMenus();
    void buildWidgets(QWidget* client);
    void retranslate();
    void matchUpdated(const MatchSession& session, const MatchUpdate& update) override;
    void showSession(MatchSession& session);
    void showMatch();
    void clearHighlights();
    void highlightButton(int index);
    void request(bool offered, void (BattleWindow::*signal)());
    // Tells a screen reader what a strike or Enter put on screen, once it shows.
    void speak(const StrikeResult& result);
    void showPortrait(const QString& pictureName);

    MatchSession* session_ = nullptr;
    // Whether this platform's scan codes tell the keys' places (keyPressEvent).
    ScanCodes scanCodes_ = ScanCodes::Unread;

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
    QAction* soundEffectsAction_ = nullptr;

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
    bool replay_ = false;
    QString replayTitle_;
    QLabel* replayPanel_ = nullptr;
};

} // namespace rz6
