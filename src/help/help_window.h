// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace rz6 {

// The help screen "遊び方": the rules of the game in plain Japanese, for a player who has
// nothing but the installed program. It explains how techniques are found without giving
// any of them away. A separate window that blocks nothing, so the player can read it beside
// a running match; Escape or "閉じる" closes it and it deletes itself.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // The text shown, as HTML (tests read it).
    static QString helpText();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void retranslate();

    QTextBrowser* text_ = nullptr;
    QPushButton* close_ = nullptr;
};

} // namespace rz6
