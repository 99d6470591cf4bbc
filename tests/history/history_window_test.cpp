// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "history/history_window.h"

#include "history/history_csv.h"
#include "qt_test_support.h"

#include <QAbstractAxis>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTextDocumentFragment>
#include <QXYSeries>

#include <gtest/gtest.h>

namespace rz6 {
namespace {

// The clock the screens of these tests show times on: Tokyo's.
constexpr int tokyo = 9 * 3600;

// Seven matches an hour apart: characters 0,1,2,0,1,0,0 with these totals.
std::vector<HistoryMatch> fixture() {
    test::testApplication();
    const std::int64_t totals[] = {500, 1200, -100, 800, 3000, 2500, 700};
    const int characters[] = {0, 1, 2, 0, 1, 0, 0};
    std::vector<HistoryMatch> matches;
    for (int i = 0; i < 7; ++i) {
        HistoryMatch m;
        m.endedUtcMs = 1'780'000'000'000 + i * 3'600'000LL;
        m.utcOffsetSeconds = 9 * 3600;
        m.character = characters[i];
        m.overallScore = totals[i];
        m.rankClass = 5;
        m.longestCombo = i;
        m.landings = 10 - i;
        matches.push_back(m);
    }
    return matches;
}

QXYSeries* series(QWidget& window, const QString& name) {
    auto* view = window.findChild<QChartView*>(QStringLiteral("HistoryChart"));
    for (QAbstractSeries* s : view->chart()->series())
        if (s->objectName() == name)
            return static_cast<QXYSeries*>(s);
    return nullptr;
}

std::vector<double> yValues(QXYSeries* s) {
    std::vector<double> ys;
    for (const QPointF& p : s->points())
        ys.push_back(p.y());
    return ys;
}

std::vector<double> xValues(QXYSeries* s) {
    std::vector<double> xs;
    for (const QPointF& p : s->points())
        xs.push_back(p.x());
    return xs;
}

QStringList column(QTableView* table, int col) {
    QStringList texts;
    for (int row = 0; row < table->model()->rowCount(); ++row)
        texts << table->model()->index(row, col).data().toString();
    return texts;
}

// The chart draws each character's matches in order, at their numbers in the whole history
// (the first played is match 1), marks the five best and averages the last ten; the
// description sums it up in words.
TEST(HistoryWindow, ChartFollowsTheMatches) {
    HistoryWindow window(fixture(), QString(), nullptr, tokyo);
    EXPECT_EQ(yValues(series(window, "CharacterSeries(0)")),
              (std::vector<double>{500, 800, 2500, 700}));
    EXPECT_EQ(xValues(series(window, "CharacterSeries(0)")), (std::vector<double>{1, 4, 6, 7}));
    EXPECT_EQ(yValues(series(window, "CharacterSeries(2)")), (std::vector<double>{-100}));
    EXPECT_EQ(xValues(series(window, "BestSeries")), (std::vector<double>{5, 6, 2, 4, 7}));
    EXPECT_EQ(yValues(series(window, "BestSeries")),
              (std::vector<double>{3000, 2500, 1200, 800, 700}));
    const auto averages = yValues(series(window, "AverageSeries"));
    ASSERT_EQ(averages.size(), 7u);
    EXPECT_DOUBLE_EQ(averages.back(), 8600.0 / 7);
    EXPECT_EQ(xValues(series(window, "AverageSeries")).back(), 7);
    EXPECT_EQ(window.chartDescription(),
              QStringLiteral("総合評価のグラフ。7試合、最高 3000、平均 1229、直近10試合の平均 "
                             "1229。傾向を見るには20試合が必要です。"));
    const QString summary = window.findChild<QLabel*>(QStringLiteral("HistorySummary"))->text();
    EXPECT_TRUE(summary.contains(QStringLiteral("灰原　雪菜：2試合　最高 3000　平均 2100")))
        << summary.toStdString();
}

// The table lists newest first, sorts by a column's number and keeps one character's rows
// when asked.
TEST(HistoryWindow, TableSortsAndFilters) {
    HistoryWindow window(fixture(), QString(), nullptr, tokyo);
    auto* table = window.findChild<QTableView*>(QStringLiteral("HistoryTable"));
    EXPECT_EQ(column(table, 2), (QStringList{"700", "2500", "3000", "800", "-100", "1200", "500"}));
    EXPECT_EQ(column(table, 0).front(), QStringLiteral("2026-05-29 11:26"));

    table->sortByColumn(2, Qt::DescendingOrder); // numbers, not texts: -100 last
    EXPECT_EQ(column(table, 2), (QStringList{"3000", "2500", "1200", "800", "700", "500", "-100"}));

    auto* filter = window.findChild<QComboBox*>(QStringLiteral("CharacterFilter"));
    filter->setCurrentIndex(2); // the second character
    EXPECT_EQ(column(table, 2), (QStringList{"3000", "1200"}));
    EXPECT_EQ(column(table, 1), (QStringList{"灰原　雪菜", "灰原　雪菜"}));
    filter->setCurrentIndex(0);
    EXPECT_EQ(table->model()->rowCount(), 7);
}

// Two matches half an hour apart, ended on clocks fourteen hours apart: on their own clocks
// the later one reads first, the day before (22:50 at -05:00 after 12:20 at +09:00). The
// table and the chart show both on the one clock they name, in the order they were played,
// where midnight falls between them; the CSV keeps each match's own clock, at the same moment.
TEST(HistoryWindow, TableChartAndCsvTellTheSameTime) {
    test::testApplication();
    std::vector<HistoryMatch> matches(2);
    matches[0].endedUtcMs = 1'780'024'800'000; // 2026-05-29 03:20 UTC
    matches[0].utcOffsetSeconds = 9 * 3600;
    matches[1].endedUtcMs = matches[0].endedUtcMs + 30 * 60 * 1000;
    matches[1].utcOffsetSeconds = -5 * 3600;
    const int newfoundland = -(3 * 3600 + 30 * 60);
    HistoryWindow window(matches, QString(), nullptr, newfoundland);

    auto* table = window.findChild<QTableView*>(QStringLiteral("HistoryTable"));
    const QStringList times = column(table, 0);
    EXPECT_EQ(times, (QStringList{"2026-05-29 00:20", "2026-05-28 23:50"}));
    const QString heading = table->model()->headerData(0, Qt::Horizontal).toString();
    EXPECT_TRUE(heading.contains(QStringLiteral("UTC-03:30"))) << heading.toStdString();

    // The axis names each match by its number, over the table's date where the day changes.
    auto* axis = qobject_cast<QCategoryAxis*>(
        window.findChild<QChartView*>()->chart()->axes(Qt::Horizontal).front());
    ASSERT_NE(axis, nullptr);
    EXPECT_TRUE(axis->titleText().contains(QStringLiteral("UTC-03:30")))
        << axis->titleText().toStdString();
    EXPECT_LT(axis->min(), 1);
    EXPECT_GT(axis->max(), 2);
    QStringList labels;
    for (const QString& label : axis->categoriesLabels()) {
        labels << QTextDocumentFragment::fromHtml(label).toPlainText();
        EXPECT_EQ(axis->endValue(label), labels.back().section(QLatin1Char('\n'), 0, 0).toDouble());
    }
    EXPECT_EQ(labels, (QStringList{"1\n" + times[1].left(10), "2\n" + times[0].left(10)}));

    const QStringList rows =
        QString::fromUtf8(historyCsv(matches)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 3);
    for (int i = 0; i < 2; ++i) {
        const QString iso = rows[i + 1].section(QLatin1Char(','), 0, 0);
        EXPECT_EQ(QDateTime::fromString(iso, Qt::ISODateWithMs).toMSecsSinceEpoch(),
                  matches[std::size_t(i)].endedUtcMs)
            << iso.toStdString();
        EXPECT_TRUE(iso.endsWith(i == 0 ? QStringLiteral("+09:00") : QStringLiteral("-05:00")));
    }
}

// An empty history says why; Enter on 閉じる closes the screen, once whatever follows.
TEST(HistoryWindow, EmptyScreenSaysWhyAndEscapeCloses) {
    const QString reason =
        QStringLiteral("戦績ファイル「x」を開けませんでした。\n理由：フォルダです");
    test::testApplication();
    auto* window = new HistoryWindow({}, reason, nullptr, tokyo);
    QSignalSpy closed(window, &HistoryWindow::closed);
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("HistoryNote"))->text(), reason);
    EXPECT_FALSE(window->findChild<QPushButton*>(QStringLiteral("ExportButton"))->isEnabled());
    // The chart's axis names no match and no day when there is no match.
    const QList<QAbstractAxis*> dates =
        window->findChild<QChartView*>()->chart()->axes(Qt::Horizontal);
    ASSERT_EQ(dates.size(), 1);
    EXPECT_FALSE(dates.front()->labelsVisible());
    window->show();
    auto* closeButton = window->findChild<QPushButton*>(QStringLiteral("CloseButton"));
    closeButton->setFocus();
    QTest::keyClick(closeButton, Qt::Key_Return); // Enter presses the focused button
    EXPECT_EQ(closed.count(), 1);
    QTest::keyClick(window, Qt::Key_Escape);
    window->close();
    EXPECT_EQ(closed.count(), 1);
}

// A replay is asked for by the match of the row, whatever the sorting and the filter; without
// a selected row, neither 再生 nor its file is offered.
TEST(HistoryWindow, ReplayAsksForTheMatchOfTheSelectedRow) {
    HistoryWindow window(fixture(), QString(), nullptr, tokyo);
    QSignalSpy replays(&window, &HistoryWindow::replayRequested);
    auto* table = window.findChild<QTableView*>(QStringLiteral("HistoryTable"));
    auto* replay = window.findChild<QPushButton*>(QStringLiteral("ReplayButton"));
    window.show();
    // Newest first: 灰原　雪菜's matches are 4 and 1.
    window.filterByCharacter(1);
    table->selectRow(1);
    table->setFocus();
    QTest::keyClick(table, Qt::Key_Return);
    table->sortByColumn(2, Qt::DescendingOrder); // by 総合評価: 3000 (4), 1200 (1)
    table->selectRow(0);
    QTest::mouseClick(replay, Qt::LeftButton);
    ASSERT_EQ(replays.count(), 2);
    EXPECT_EQ(replays[0][0].toInt(), 1);
    EXPECT_EQ(replays[1][0].toInt(), 4);
    table->clearSelection();
    EXPECT_FALSE(replay->isEnabled());
    EXPECT_FALSE(window.findChild<QPushButton*>(QStringLiteral("ReplayExportButton"))->isEnabled());
    EXPECT_TRUE(window.findChild<QPushButton*>(QStringLiteral("ReplayOpenButton"))->isEnabled());
}

} // namespace
} // namespace rz6
