// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <QWidget>

#include "battle/technique_catalogue.h"
#include "save/record_table.h"

#include <array>
#include <string_view>
#include <tuple>

class QGroupBox;
class QLabel;
class QPushButton;
class QTabBar;

namespace rz6 {

// The technique record screen "技履歴": the five best totals on one tab, and on the other
// every technique that has landed at least once, with its count, key sequence and
// description. It only reads the record, once, when it is built; it is a separate,
// non-blocking tool window that deletes itself when closed.
class TechniqueRecordWindow : public QWidget {
    Q_OBJECT
public:
    explicit TechniqueRecordWindow(const RecordTable& recordTable, QWidget* parent = nullptr);

signals:
    // Sent exactly once, after the screen has closed by whichever route ("閉じる" or the
    // window frame), so the battle window can take over again.
    void closed();

protected:
    // Opens a box over this screen that shows one description of the rules (a technique's,
    // or that of "四天六門") in the player's language, and returns at once. The box follows a
    // language switch while it is open. Tests override it.
    virtual void showDescription(std::string_view description);

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Escape closes the screen as "閉じる" does.
    void keyPressEvent(QKeyEvent* event) override;
    // A language switch writes every text again.
    void changeEvent(QEvent* event) override;

private:
    void buildScoreTab(const RecordTable& recordTable);
    void buildTechniqueTab(const RecordTable& recordTable);
    void retranslate();
    void showTab(int tabIndex);

    QTabBar* tabStrip_ = nullptr;
    // The totals tab's frame and the techniques tab's frame, each with its "閉じる".
    std::array<QWidget*, 2> tabFrames_{};
    std::array<QPushButton*, 2> closeButtons_{};
    // The totals tab's rows: the rank's caption and its total.
    std::array<QLabel*, bestTotalCount> rankCells_{};
    std::array<QLabel*, bestTotalCount> totalCells_{};
    // The techniques tab: the "四天六門" frame and each technique's name, count and keys.
    QGroupBox* hiddenGates_ = nullptr;
    std::array<QLabel*, techniqueCount> nameCells_{};
    std::array<QLabel*, techniqueCount> countCells_{};
    std::array<QLabel*, techniqueCount> sequenceCells_{};
    bool centred_ = false;
    bool closedSent_ = false;
};

} // namespace rz6
