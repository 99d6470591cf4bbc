// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "history/history_match.h"

#include <QWidget>

#include <vector>

class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace rz6 {

class HistoryTableModel;

// The 戦績 screen "senseki": every finished match of the history as a chart of 総合評価 over
// time (one colour per character, the five best marked, the average of the last ten), a
// table of matches (newest first, sortable, filtered by character) and a summary line. It
// only shows the matches it is given, once, when it is built; writing the CSV is asked of
// the program object. A separate, non-blocking tool window that deletes itself when closed.
class HistoryWindow : public QWidget {
    Q_OBJECT
public:
    // matches: oldest first. note: why the history is empty or read-only, shown to the
    // player (empty when all is well).
    HistoryWindow(std::vector<HistoryMatch> matches, const QString& note,
                  QWidget* parent = nullptr);
    ~HistoryWindow() override;

    // Shows what became of an export (or any later word about the history). The program
    // calls it by name: this class lives in the screen's own library.
    Q_INVOKABLE void showNote(const QString& text);

    // The description the chart gives to screen readers.
    QString chartDescription() const;

    // The filter: -1 for every character, otherwise the character's index.
    void filterByCharacter(int character);

signals:
    // The player chose a file in the desktop's file dialog to write the CSV to.
    void exportRequested(const QString& path);
    // Sent exactly once, after the screen has closed by whichever route.
    void closed();

protected:
    // Opens the desktop's file dialog over this screen and returns at once. Tests override it.
    virtual void chooseExportFile();

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildChart();
    QString summaryText() const;

    std::vector<HistoryMatch> matches_;
    HistoryTableModel* model_ = nullptr;
    QSortFilterProxyModel* sorted_ = nullptr;
    QLabel* summaryLabel_ = nullptr;
    QChart* chart_ = nullptr;
    QChartView* chartView_ = nullptr;
    QComboBox* filter_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* noteLabel_ = nullptr;
    QPushButton* exportButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    bool centred_ = false;
    bool closedSent_ = false;
};

} // namespace rz6
