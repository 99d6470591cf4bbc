// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <QPointer>
#include <QWidget>

#include "charselect/characters.h"

#include <array>
#include <memory>

class QLabel;
class QRadioButton;

namespace rz6 {

class Announcer;
class CharacterTarget;
class LabelButton;

// The window where the player picks one of the three characters. Choosing a character
// applies its status text, combo-window length and multiplier to the next match at once
// (through its target); "決　　定" hands over the ready portrait, reports confirmed() and
// closes the window. The
// window is built afresh for every opening and starts with the first character chosen.
//
// Closing through the window frame counts as "決　　定", so the battle window, which waits
// for confirmed() to enable itself again, is never left disabled. confirmed() is sent exactly
// once whichever way the window closes.
//
// Keys: 1..3 choose that character, the arrow keys step through them, Enter or Escape
// confirms, and Tab reaches "決　　定".
class CharacterSelectWindow : public QWidget {
    Q_OBJECT
public:
    // `owner` is the battle window and this window's Qt parent, so the window system keeps
    // this window above it. The owner disables itself while this window is open; this window
    // stays usable all the same, and goes away without another word to the target if the
    // owner is destroyed first.
    CharacterSelectWindow(CharacterTarget& target, QWidget* owner);
    ~CharacterSelectWindow() override;

    // Index of the marked option, 0..2.
    int chosenIndex() const;

signals:
    void confirmed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A language switch writes every text again.
    void changeEvent(QEvent* event) override;

private:
    void buildWidgets();
    void retranslate();
    void applyCharacter(int index);
    void highlightOption(int index);
    void confirm();
    void clearHighlights();
    // Marks option `index` and applies its character, as a click on it would.
    void choose(int index);
    // The same from the keyboard; a screen reader says the new choice, which the keys
    // themselves do not move the focus to.
    void chooseByKey(int index);
    // Hands the marked character's ready portrait to the target and reports
    // confirmed(); does nothing the second time.
    void finish();
    int optionIndexOf(const QObject* object) const;
    void ownerDestroyed();

    CharacterTarget& target_;
    QPointer<QWidget> owner_;
    QLabel* title_ = nullptr;
    std::array<QRadioButton*, characterCount> options_{};
    std::array<QLabel*, characterCount> restPortraits_{};
    std::array<QLabel*, characterCount> readyPortraits_{};
    QLabel* tileHolder_ = nullptr;
    LabelButton* confirmButton_ = nullptr;
    bool finished_ = false;
    bool centred_ = false;
    std::unique_ptr<Announcer> announcer_;
};

} // namespace rz6
