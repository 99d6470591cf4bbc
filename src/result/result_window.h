// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "result/match_rating.h"

#include <QWidget>

#include <array>

class QLabel;
class QTextEdit;
class QSlider;

namespace rz6 {

class LabelButton;

// The result screen, "競技終了": shows the rating of the match that has just ended and offers
// a rematch or the end of the game.
//
// It only shows the rating it is handed; whoever opens it rates the match, enters the total
// into the best totals, connects the two signals and acts on them. The screen touches
// neither the battle window nor the record.
//
// Each screen asks for one action only. The first of "再試合", "終　了" or a close through
// the window frame (which counts as "終　了") decides it; later clicks are ignored, and
// closing the screen with close() after a signal has been sent emits nothing more. To close
// it before any action without ending the game, call closeWithoutAction().
//
// The screen deletes itself when closed. A receiver must close it with close() (deferred
// deletion), never delete it from inside a signal, and must not make it a child of a window
// that it destroys on rematch.
class ResultWindow : public QWidget {
    Q_OBJECT
public:
    // The figures shown (score, technique points, overall) and the label-buttons.
    static constexpr int figureCount = 3;
    static constexpr int buttonCount = 2;

    explicit ResultWindow(const MatchRating& rating, QWidget* parent = nullptr);

    // Closes the screen without sending either signal.
    void closeWithoutAction();

signals:
    // "再試合": the battle window should be rebuilt for a new match, then this screen closed.
    void rematchRequested();
    // "終　了" or a close through the window frame: the game should save and end.
    void quitRequested();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A language switch in the battle window writes every text again.
    void changeEvent(QEvent* event) override;

private:
    void buildWidgets();
    void showRating();
    void retranslate();
    void pressButton(int index);

    const MatchRating rating_;
    bool actionTaken_ = false;

    QSlider* rankSlider_ = nullptr;
    QTextEdit* rankList_ = nullptr;
    // The score, the technique points and the overall score, top to bottom.
    std::array<QLabel*, figureCount> figureLabels_{};
    // The heading pictures above them, lettered in the player's language.
    std::array<QLabel*, figureCount> headings_{};
    // "再試合" and "終　了".
    std::array<LabelButton*, buttonCount> buttons_{};
};

} // namespace rz6
