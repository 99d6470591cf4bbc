// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "charselect/characters.h"
#include "history/history_match.h"
#include "history/history_screen.h"
#include "history/history_time.h"

#include <QWidget>

#include <array>
#include <vector>

class QCategoryAxis;
class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;
class QValueAxis;
class QXYSeries;

namespace rz6 {

class HistoryTableModel;

// The 戦績 screen "senseki": every finished match of the history as a chart of 総合評価 match
// by match (one colour per character, the five best marked, the average of the last ten), a
// table of matches (newest first, sortable, filtered by character) and a summary line. It
// only shows the matches it is given, once, when it is built; writing the CSV is asked of
// the program object. A separate, non-blocking tool window that deletes itself when closed.
//
// Times: the table and the chart show every match on one clock, the player's clock as it is
// when the screen opens (shownUtcOffset), and the table names it ("UTC+09:00").
class HistoryWindow : public HistoryScreen {
    Q_OBJECT
public:
    // matches: oldest first. note: why the history is empty or read-only, shown to the
    // player (empty when all is well). shownUtcOffset: the offset from UTC, in seconds, of
    // the clock every time is shown on.
    HistoryWindow(std::vector<HistoryMatch> matches, const QString& note, QWidget* parent = nullptr,
                  int shownUtcOffset = currentUtcOffset());
    ~HistoryWindow() override;

    // Shows what became of an export (or any later word about the history).
    void showNote(const QString& text) override;

    // The description the chart gives to screen readers.
    QString chartDescription() const;

    // The filter: -1 for every character, otherwise the character's index.
    void filterByCharacter(int character);

    // The match of the selected row, by its place among the matches (oldest first); -1 when
    // no row is selected.
    int selectedMatch() const;
    // Asks for a replay of the selected match (再生, Enter or a double click on its row).
    void replaySelected();

protected:
    // Each opens the desktop's file dialog over this screen and returns at once: where to
    // write the CSV, where to write the selected match as a replay file, which replay file to
    // watch. Tests override them.
    virtual void chooseExportFile();
    virtual void chooseReplayExportFile();
    virtual void chooseReplayFile();

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // A language switch writes every text again.
    void changeEvent(QEvent* event) override;

private:
    void buildChart();
    void retranslate();
    void showSelection();
    QString summaryText() const;

    std::vector<HistoryMatch> matches_;
    const int shownUtcOffset_;
    HistoryTableModel* model_ = nullptr;
    QSortFilterProxyModel* sorted_ = nullptr;
    QLabel* summaryLabel_ = nullptr;
    QChart* chart_ = nullptr;
    QChartView* chartView_ = nullptr;
    // Along it the matches, one step each in the order played; up it their 総合評価.
    QCategoryAxis* matchAxis_ = nullptr;
    QValueAxis* totalAxis_ = nullptr;
    // One line per character, the average of the last ten and the five best.
    std::array<QXYSeries*, characterCount> characterSeries_{};
    QXYSeries* averageSeries_ = nullptr;
    QXYSeries* bestSeries_ = nullptr;
    QLabel* filterCaption_ = nullptr;
    QComboBox* filter_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* noteLabel_ = nullptr;
    // The note is the screen's own word that the history is empty, not one it was given.
    bool emptyNote_ = false;
    QPushButton* replayButton_ = nullptr;
    QPushButton* replayExportButton_ = nullptr;
    QPushButton* replayOpenButton_ = nullptr;
    QPushButton* exportButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    bool centred_ = false;
    bool closedSent_ = false;
};

} // namespace rz6
