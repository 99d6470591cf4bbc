// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <QWidget>

#include "save/record_table.h"

#include <array>
#include <tuple>

class QLabel;
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
    // Opens a description box over this screen and returns at once. Tests override it.
    virtual void showDescription(const QString& title, const QString& text);

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Escape closes the screen as "閉じる" does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildScoreTab(const RecordTable& recordTable);
    void buildTechniqueTab(const RecordTable& recordTable);
    void showTab(int tabIndex);

    QTabBar* tabStrip_ = nullptr;
    // The totals tab's frame and the techniques tab's frame.
    std::array<QWidget*, 2> tabFrames_{};
    bool centred_ = false;
    bool closedSent_ = false;
};

} // namespace rz6
