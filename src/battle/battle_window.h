#pragma once

#include "battle/match.h"
#include "charselect/character_target.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <array>

class QAction;
class QFrame;
class QLabel;
class QProgressBar;

namespace rz6 {

class LabelButton;

// The battle screen `rz6`: the program's main window. It owns one match and shows it; it
// holds no game rule of its own. Every handler turns input into a call on the match and
// then copies the whole visible state into the widgets (showMatch).
//
// The record file is not its business: the program object reads the record before it
// builds this window and writes it after it destroys it.
class BattleWindow : public QMainWindow, public CharacterTarget {
    Q_OBJECT
public:
    BattleWindow(RecordTable& recordTable, RandomSource& random, QWidget* parent = nullptr);
    ~BattleWindow() override;

    const Match& match() const { return match_; }

    // --- handlers, public so that tests drive the clock and the pause by calling them ---
    void mst_Click();
    void mrst_Click();
    void mwhis_Click();
    void mchrch_Click();
    void mend_Click();
    void mab_Click();
    void mhelp_Click();
    void BtnLabel_Click(int index);
    void Form_KeyPress(char16_t key);
    void Timer2_Timer();
    // The pause after a strike is over (its single-shot timer calls this).
    void endPause();

    // --- what the character select screen may change ---
    void setStatusText(const QString& text) override;
    void setWindowLength(int length) override;
    void setScoreMultiplier(double multiplier) override;
    void setPortrait(const QString& pictureName) override;

    // The timers, for tests and benchmarks that watch them.
    const QTimer& clockTimer() const { return clock_; }
    const QTimer& pauseTimer() const { return pauseTimer_; }

signals:
    // The match has ended: the clock has stopped, keys are ignored and this window is
    // disabled. The program object opens the result screen.
    void matchEnded();
    // The player asked for a fresh battle screen (再試) or to end the program (終了).
    void restartRequested();
    void quitRequested();
    // The player asked for the help screen (遊び方, F1).
    void helpRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildWidgets(QWidget* client);
    void showMatch();
    void afterInput();
    void Form_MouseMove();
    void BtnLabel_MouseMove(int index);
    void openSubScreen(QWidget* screen);

    Match match_;
    // The clock tick; its interval is the match's.
    QTimer clock_;
    QTimer pauseTimer_;
    QString portraitName_;

    QAction* mst_ = nullptr;
    QAction* mrst_ = nullptr;
    QAction* mwhis_ = nullptr;
    QAction* mend_ = nullptr;
    QAction* mchrch_ = nullptr;
    QAction* mab_ = nullptr;
    QAction* mhelp_ = nullptr;

    // "試合開始", "履　　　歴", "キャラ選択", "終　　　了".
    std::array<LabelButton*, 4> buttons_{};
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
    std::array<QLabel*, 3> statusPanels_{};
    QWidget* client_ = nullptr;

    QPointer<QWidget> subScreen_;
};

} // namespace rz6
