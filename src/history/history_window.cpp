// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "history/history_window.h"

#include "charselect/characters.h"
#include "common/accessibility.h"
#include "common/back_color.h"
#include "common/owned_window.h"
#include "common/qt_text.h"
#include "common/screen_units.h"
#include "common/window_centring.h"
#include "history/history_stats.h"
#include "replay/replay_file.h"
#include "result/match_rating.h"

#include <QCoreApplication>
#include <QAbstractTableModel>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <utility>

namespace rz6 {

namespace {

// The screen's layout: sizes in twips, colours as 0x00BBGGRR, fonts as the other screens'.
constexpr int clientWidth = 11250;
constexpr int clientHeight = 9300;
constexpr unsigned int formBackColor = 0x00FFC0C0; // the result screen's
constexpr unsigned int pageBackColor = 0x00FFF8F8; // behind the chart and the table
constexpr unsigned int averageColor = 0x00404040;
constexpr unsigned int bestColor = 0x0000A0FF;
// One colour per character, in the order of the character select screen.
constexpr std::array<unsigned int, characterCount> characterColors{0x00C05000, 0x004020C0,
                                                                   0x00208020};
// A line is drawn through at most one point per column, this many across the chart (about
// four screen pixels each), and its matches are dots up to this many.
constexpr int chartColumns = 200;
constexpr std::size_t dottedMatchCount = chartColumns;
constexpr FontFace textFont{"ＭＳ Ｐゴシック", 10.5, false};
constexpr FontFace summaryFont{"ＭＳ Ｐ明朝", 12};
constexpr FontFace buttonFont{"ＭＳ Ｐゴシック", 11};

QString characterName(int index) {
    if (index < 0 || index >= characterCount)
        return QCoreApplication::translate("rz6::HistoryWindow", "？");
    return translatedText("Game", characters()[static_cast<std::size_t>(index)].name);
}

QString rankText(int rankClass) {
    if (rankClass < 1 || rankClass > rankClassCount)
        return QString::number(rankClass);
    return translatedText("Game", rankName(rankClass));
}

// The table's and the chart's clock. Every match is shown at one offset, the one the
// player's clock has as the screen opens, rather than each at the offset it was played at:
// a player reads the times against the clock in front of them ("last night", "an hour
// ago"), the rows then read in the order the matches were played, and the dates under the
// chart's matches are the ones of that same clock. Each at its own offset, two matches
// half an hour apart either side of a journey would read hours apart, the later one perhaps
// first. The price: after a change to summer time, older matches read an hour off the
// clock they were played by; the heading names the clock, so the times stay plain. The CSV
// keeps each match's own offset (history_csv.cpp): an ISO 8601 time carries its offset, so
// it names the same moment and keeps the clock of the time as well.
QString tableTime(std::int64_t utcMs, int shownOffset) {
    return atUtcOffset(utcMs, shownOffset).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

// The heading of the times, naming their clock: "日時（UTC+09:00）".
QString timeHeading(int shownOffset) {
    return QCoreApplication::translate("rz6::HistoryWindow", "日時（%1）")
        .arg(utcOffsetName(shownOffset));
}

QString whole(double value) {
    return QString::number(static_cast<qint64>(std::llround(value)));
}

enum Column {
    DateColumn,
    CharacterColumn,
    OverallColumn,
    RankColumn,
    ComboColumn,
    LandingColumn,
    columnCount
};

// The character of a row, for the filter.
constexpr int characterRole = Qt::UserRole + 1;

} // namespace

// The matches as table rows, newest first; each cell sorts by its number, not its text.
class HistoryTableModel : public QAbstractTableModel {
public:
    HistoryTableModel(const std::vector<HistoryMatch>& matches, int shownOffset, QObject* parent)
        : QAbstractTableModel(parent), matches_(matches), shownOffset_(shownOffset) {}

    // The headings and the names in the cells are in the player's language: after a switch,
    // every view asks for them again.
    void retranslate() {
        emit headerDataChanged(Qt::Horizontal, 0, Column::columnCount - 1);
        if (rowCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, Column::columnCount - 1));
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(matches_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : Column::columnCount;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        const QString titles[] = {
            timeHeading(shownOffset_),
            QCoreApplication::translate("rz6::HistoryWindow", "キャラ"),
            QCoreApplication::translate("rz6::HistoryWindow", "総合評価"),
            QCoreApplication::translate("rz6::HistoryWindow", "段位"),
            QCoreApplication::translate("rz6::HistoryWindow", "最大コンボ"),
            QCoreApplication::translate("rz6::HistoryWindow", "命中"),
        };
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
            section < Column::columnCount)
            return titles[section];
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid())
            return {};
        const HistoryMatch& m = matches_[matches_.size() - 1 - std::size_t(index.row())];
        switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole:
            switch (index.column()) {
            case DateColumn:
                return tableTime(m.endedUtcMs, shownOffset_);
            case CharacterColumn:
                return characterName(m.character);
            case OverallColumn:
                return QString::number(m.overallScore);
            case RankColumn:
                return rankText(m.rankClass);
            case ComboColumn:
                return QString::number(m.longestCombo);
            case LandingColumn:
                return QString::number(m.landings);
            }
            return {};
        case Qt::UserRole:
            switch (index.column()) {
            case DateColumn:
                return QVariant::fromValue<qint64>(m.endedUtcMs);
            case CharacterColumn:
                return m.character;
            case OverallColumn:
                return QVariant::fromValue<qint64>(m.overallScore);
            case RankColumn:
                return m.rankClass;
            case ComboColumn:
                return m.longestCombo;
            case LandingColumn:
                return m.landings;
            }
            return {};
        case characterRole:
            return m.character;
        case Qt::TextAlignmentRole:
            return index.column() >= OverallColumn && index.column() != RankColumn
                       ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                       : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        }
        return {};
    }

private:
    const std::vector<HistoryMatch>& matches_;
    const int shownOffset_;
};

namespace {

// Sorts by the cells' numbers and keeps the rows of one character, or of all.
class CharacterFilterModel : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void setCharacter(int character) {
        character_ = character;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        if (character_ < 0)
            return true;
        return sourceModel()->index(row, 0, parent).data(characterRole).toInt() == character_;
    }

private:
    int character_ = -1;
};

} // namespace

HistoryWindow::HistoryWindow(std::vector<HistoryMatch> matches, const QString& note,
                             QWidget* parent, int shownUtcOffset)
    : HistoryScreen(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowCloseButtonHint),
      matches_(std::move(matches)), shownUtcOffset_(shownUtcOffset) {
    setObjectName(QStringLiteral("senseki"));
    setUpSubScreen(this, twips(clientWidth), twips(clientHeight), formBackColor);
    setFont(designFont(textFont));
    keepEnabledWhileOwnerDisabled(this);

    summaryLabel_ = new QLabel(this);
    summaryLabel_->setObjectName(QStringLiteral("HistorySummary"));
    summaryLabel_->setFont(designFont(summaryFont));
    summaryLabel_->setTextFormat(Qt::PlainText);
    summaryLabel_->setWordWrap(true);

    buildChart();

    filterCaption_ = new QLabel(this);
    filter_ = new QComboBox(this);
    filter_->setObjectName(QStringLiteral("CharacterFilter"));
    filterCaption_->setBuddy(filter_);
    filter_->addItem(QString(), -1);
    for (int c = 0; c < characterCount; ++c)
        filter_->addItem(QString(), c);

    model_ = new HistoryTableModel(matches_, shownUtcOffset_, this);
    auto* sorted = new CharacterFilterModel(this);
    sorted->setSourceModel(model_);
    sorted->setSortRole(Qt::UserRole);
    sorted_ = sorted;
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("HistoryTable"));
    table_->setModel(sorted_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false); // Tab leaves the table; the arrows move in it
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setSortingEnabled(true);
    table_->sortByColumn(DateColumn, Qt::DescendingOrder);
    QPalette page = table_->palette();
    page.setColor(QPalette::Base, bgrColor(pageBackColor));
    table_->setPalette(page);
    connect(filter_, &QComboBox::currentIndexChanged, this,
            [this](int index) { filterByCharacter(filter_->itemData(index).toInt()); });

    noteLabel_ = new QLabel(note, this);
    noteLabel_->setObjectName(QStringLiteral("HistoryNote"));
    noteLabel_->setTextFormat(Qt::PlainText);
    noteLabel_->setWordWrap(true);
    emptyNote_ = note.isEmpty() && matches_.empty();

    replayButton_ = new QPushButton(this);
    replayButton_->setObjectName(QStringLiteral("ReplayButton"));
    replayExportButton_ = new QPushButton(this);
    replayExportButton_->setObjectName(QStringLiteral("ReplayExportButton"));
    replayOpenButton_ = new QPushButton(this);
    replayOpenButton_->setObjectName(QStringLiteral("ReplayOpenButton"));
    exportButton_ = new QPushButton(this);
    exportButton_->setObjectName(QStringLiteral("ExportButton"));
    closeButton_ = new QPushButton(this);
    closeButton_->setObjectName(QStringLiteral("CloseButton"));
    for (QPushButton* button :
         {replayButton_, replayExportButton_, replayOpenButton_, exportButton_, closeButton_})
        button->setFont(designFont(buttonFont));
    exportButton_->setEnabled(!matches_.empty());
    connect(replayButton_, &QPushButton::clicked, this, &HistoryWindow::replaySelected);
    connect(replayExportButton_, &QPushButton::clicked, this,
            &HistoryWindow::chooseReplayExportFile);
    connect(replayOpenButton_, &QPushButton::clicked, this, &HistoryWindow::chooseReplayFile);
    connect(exportButton_, &QPushButton::clicked, this, &HistoryWindow::chooseExportFile);
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
    connect(table_, &QAbstractItemView::doubleClicked, this, &HistoryWindow::replaySelected);
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &HistoryWindow::showSelection);

    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(filterCaption_);
    filterRow->addWidget(filter_);
    filterRow->addStretch();
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(noteLabel_, 1);
    buttonRow->addWidget(replayButton_);
    buttonRow->addWidget(replayExportButton_);
    buttonRow->addWidget(replayOpenButton_);
    buttonRow->addWidget(exportButton_);
    buttonRow->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summaryLabel_);
    layout->addWidget(chartView_, 5);
    layout->addLayout(filterRow);
    layout->addWidget(table_, 4);
    layout->addLayout(buttonRow);

    retranslate();
    // Tab runs filter, table, buttons; the table holds the focus first.
    setTabOrder(filter_, table_);
    setTabOrder(table_, replayButton_);
    setTabOrder(replayButton_, replayExportButton_);
    setTabOrder(replayExportButton_, replayOpenButton_);
    setTabOrder(replayOpenButton_, exportButton_);
    setTabOrder(exportButton_, closeButton_);
    table_->setFocus();
    if (sorted_->rowCount() > 0)
        table_->selectRow(0);
    showSelection();
}

int HistoryWindow::selectedMatch() const {
    const QModelIndexList rows = table_->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return -1;
    const int row = sorted_->mapToSource(rows.front()).row();
    return row < 0 ? -1 : static_cast<int>(matches_.size()) - 1 - row;
}

// A replay, or its file, is offered for the selected row only.
void HistoryWindow::showSelection() {
    const bool selected = selectedMatch() >= 0;
    replayButton_->setEnabled(selected);
    replayExportButton_->setEnabled(selected);
}

void HistoryWindow::replaySelected() {
    if (const int match = selectedMatch(); match >= 0)
        emit replayRequested(match);
}

HistoryWindow::~HistoryWindow() = default;

namespace {

// The axis of matches has room for this many labels with a date across the chart (some
// eighty of its hundred-odd pixels each), and twice as many numbers alone.
constexpr int matchLabelsAcross = 5;

// A mark's label: the match's number and, where the mark names its day, the date under it on
// the table's clock ("12" over "2026-05-29").
QString markLabel(const MatchMark& mark, std::int64_t utcMs, int shownOffset) {
    const QString number = QString::number(mark.match + 1);
    if (!mark.dated)
        return number;
    return QStringLiteral("<div align=center>%1<br>%2</div>")
        .arg(number, atUtcOffset(utcMs, shownOffset).toString(QStringLiteral("yyyy-MM-dd")));
}

} // namespace

void HistoryWindow::buildChart() {
    chart_ = new QChart;
    chart_->setAnimationOptions(QChart::NoAnimation);
    chart_->setBackgroundBrush(bgrColor(pageBackColor));
    chart_->setBackgroundRoundness(0);
    chart_->setMargins(QMargins(4, 4, 4, 4));
    chart_->legend()->setAlignment(Qt::AlignBottom);
    chart_->legend()->setFont(designFont(textFont));

    // The matches along the axis, one step each in the order they were played, whatever time
    // lay between them: an evening's matches read as a line, and a week away takes no room.
    // Labels name some of them by number, with the date where a day begins, on the table's
    // clock.
    matchAxis_ = new QCategoryAxis;
    matchAxis_->setObjectName(QStringLiteral("MatchAxis"));
    matchAxis_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    matchAxis_->setLabelsFont(designFont(textFont));
    matchAxis_->setTitleFont(designFont(textFont));
    totalAxis_ = new QValueAxis;
    totalAxis_->setTitleFont(designFont(textFont));
    totalAxis_->setLabelsFont(designFont(textFont));
    totalAxis_->setLabelFormat(QStringLiteral("%d"));
    chart_->addAxis(matchAxis_, Qt::AlignBottom);
    chart_->addAxis(totalAxis_, Qt::AlignLeft);

    // A line of thousands of matches is drawn through one point per column of the chart, the
    // column's average: the figures in words and in the summary line are every match's.
    auto attach = [&](QXYSeries* series, const std::vector<ChartPoint>& points) {
        const std::vector<ChartPoint> drawn = thinnedForDrawing(points, chartColumns);
        QList<QPointF> list;
        list.reserve(qsizetype(drawn.size()));
        for (const ChartPoint& p : drawn)
            list.append(QPointF(p.x, p.y));
        series->replace(list);
        chart_->addSeries(series);
        series->attachAxis(matchAxis_);
        series->attachAxis(totalAxis_);
    };

    // Match i (oldest first) stands at i + 1 along the axis: the first played is match 1.
    const auto matchNumber = [](std::size_t i) { return double(i + 1); };

    // One line per character through that character's matches, each match a dot while they
    // are few enough to tell apart.
    std::array<std::vector<ChartPoint>, characterCount> byCharacter;
    for (std::size_t i = 0; i < matches_.size(); ++i) {
        const HistoryMatch& m = matches_[i];
        if (m.character >= 0 && m.character < characterCount)
            byCharacter[std::size_t(m.character)].push_back(
                {matchNumber(i), double(m.overallScore)});
    }
    for (int c = 0; c < characterCount; ++c) {
        auto* series = new QLineSeries(chart_);
        series->setObjectName(indexedName("CharacterSeries", c));
        QPen pen(bgrColor(characterColors[std::size_t(c)]));
        pen.setWidthF(1.5);
        series->setPen(pen);
        series->setPointsVisible(byCharacter[std::size_t(c)].size() <= dottedMatchCount);
        attach(series, byCharacter[std::size_t(c)]);
        characterSeries_[std::size_t(c)] = series;
    }

    const std::vector<double> averages = movingAverage(matches_);
    std::vector<ChartPoint> averagePoints;
    averagePoints.reserve(matches_.size());
    for (std::size_t i = 0; i < matches_.size(); ++i)
        averagePoints.push_back({matchNumber(i), averages[i]});
    auto* average = new QLineSeries(chart_);
    average->setObjectName(QStringLiteral("AverageSeries"));
    QPen dashed(bgrColor(averageColor));
    dashed.setWidthF(2);
    dashed.setStyle(Qt::DashLine);
    average->setPen(dashed);
    attach(average, averagePoints);
    averageSeries_ = average;

    std::vector<ChartPoint> bestPoints;
    for (std::size_t i : bestMatches(matches_))
        bestPoints.push_back({matchNumber(i), double(matches_[i].overallScore)});
    auto* best = new QScatterSeries(chart_);
    best->setObjectName(QStringLiteral("BestSeries"));
    best->setMarkerShape(QScatterSeries::MarkerShapeStar);
    best->setMarkerSize(16);
    best->setColor(bgrColor(bestColor));
    best->setBorderColor(bgrColor(averageColor));
    attach(best, bestPoints);
    bestSeries_ = best;

    if (matches_.empty()) {
        // No match: the axis keeps its shape but names nothing.
        matchAxis_->setRange(0.5, 1.5);
        matchAxis_->setLabelsVisible(false);
        // Nor its title: an axis with no label would draw its title at the chart's top.
        matchAxis_->setTitleVisible(false);
        totalAxis_->setRange(0, 1000);
    } else {
        const std::vector<MatchMark> marks =
            matchAxisMarks(matches_, shownUtcOffset_, matchLabelsAcross);
        // Half a dated label's room either side, so the first and last labels are drawn
        // whole, clear of the totals' axis.
        const double margin = std::max(1.0, double(matches_.size()) / matchLabelsAcross) / 2;
        const double low = matchNumber(0) - margin;
        matchAxis_->setRange(low, matchNumber(matches_.size() - 1) + margin);
        matchAxis_->setStartValue(low);
        for (const MatchMark& mark : marks)
            matchAxis_->append(markLabel(mark, matches_[mark.match].endedUtcMs, shownUtcOffset_),
                               matchNumber(mark.match));
        std::int64_t lowest = matches_.front().overallScore;
        std::int64_t highest = lowest;
        for (const HistoryMatch& m : matches_) {
            lowest = std::min(lowest, m.overallScore);
            highest = std::max(highest, m.overallScore);
        }
        totalAxis_->setRange(double(std::min<std::int64_t>(lowest, 0)),
                             double(highest == lowest ? highest + 100 : highest));
        totalAxis_->applyNiceNumbers();
    }

    chartView_ = new QChartView(chart_, this);
    chartView_->setObjectName(QStringLiteral("HistoryChart"));
    chartView_->setRenderHint(QPainter::Antialiasing);
    chartView_->setFocusPolicy(Qt::NoFocus);
}

// Writes every text of the screen in the player's language: the title, the summary, the
// chart's axes, lines and description, the filter, the table's headings and names, the
// buttons, and the screen's own note. A note the program gave it stays as it was given.
void HistoryWindow::retranslate() {
    setWindowTitle(QCoreApplication::translate("rz6::HistoryWindow", "戦績"));
    summaryLabel_->setText(summaryText());

    matchAxis_->setTitleText(
        QCoreApplication::translate("rz6::HistoryWindow", "試合の番号（遊んだ順）と日付（%1）")
            .arg(utcOffsetName(shownUtcOffset_)));
    totalAxis_->setTitleText(QCoreApplication::translate("rz6::HistoryWindow", "総合評価"));
    for (int c = 0; c < characterCount; ++c)
        characterSeries_[std::size_t(c)]->setName(characterName(c));
    averageSeries_->setName(QCoreApplication::translate("rz6::HistoryWindow", "直近10試合の平均"));
    bestSeries_->setName(QCoreApplication::translate("rz6::HistoryWindow", "上位5試合"));
    chartView_->setAccessibleName(
        QCoreApplication::translate("rz6::HistoryWindow", "総合評価のグラフ"));
    chartView_->setAccessibleDescription(chartDescription());

    filterCaption_->setText(QCoreApplication::translate("rz6::HistoryWindow", "キャラ(&K)："));
    filter_->setAccessibleName(
        QCoreApplication::translate("rz6::HistoryWindow", "キャラで絞り込む"));
    filter_->setItemText(0, QCoreApplication::translate("rz6::HistoryWindow", "すべて"));
    for (int c = 0; c < characterCount; ++c)
        filter_->setItemText(c + 1, characterName(c));

    table_->setAccessibleName(QCoreApplication::translate("rz6::HistoryWindow", "試合の一覧"));
    model_->retranslate();
    // Each column as wide as its figures need, and never narrower than its heading in the
    // language shown.
    static constexpr std::pair<int, int> columnWidths[]{{DateColumn, 150},
                                                        {CharacterColumn, 110},
                                                        {OverallColumn, 100},
                                                        {RankColumn, 100},
                                                        {ComboColumn, 90}};
    for (const auto& [column, width] : columnWidths)
        table_->setColumnWidth(
            column, std::max(width, table_->horizontalHeader()->sectionSizeHint(column)));
    if (emptyNote_)
        noteLabel_->setText(QCoreApplication::translate(
            "rz6::HistoryWindow", "まだ戦績がありません。試合を終えると、ここに残ります。"));
    replayButton_->setText(QCoreApplication::translate("rz6::HistoryWindow", "再生"));
    replayExportButton_->setText(
        QCoreApplication::translate("rz6::HistoryWindow", "再生ファイルに書き出す"));
    replayOpenButton_->setText(
        QCoreApplication::translate("rz6::HistoryWindow", "再生ファイルを開く"));
    exportButton_->setText(QCoreApplication::translate("rz6::HistoryWindow", "CSVに書き出す"));
    closeButton_->setText(QCoreApplication::translate("rz6::HistoryWindow", "閉じる"));
    if (auto* dialog = findChild<QFileDialog*>(QStringLiteral("ExportDialog")))
        dialog->setWindowTitle(exportButton_->text());
    if (auto* dialog = findChild<QFileDialog*>(QStringLiteral("ReplayExportDialog")))
        dialog->setWindowTitle(replayExportButton_->text());
    if (auto* dialog = findChild<QFileDialog*>(QStringLiteral("ReplayOpenDialog")))
        dialog->setWindowTitle(replayOpenButton_->text());
    // Spoken as the screen opens: what the chart shows, in words.
    setAccessibleDescription(chartDescription());
}

void HistoryWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange && closeButton_)
        retranslate();
    HistoryScreen::changeEvent(event);
}

QString HistoryWindow::summaryText() const {
    const HistorySummary summary = summariseHistory(matches_);
    if (summary.all.matches == 0)
        return QCoreApplication::translate("rz6::HistoryWindow", "試合数 0");
    auto figures = [](const HistoryFigures& f) {
        return QCoreApplication::translate("rz6::HistoryWindow",
                                           "%1試合　最高 %2　平均 %3　直近10試合 %4")
            .arg(f.matches)
            .arg(f.best)
            .arg(whole(f.average), whole(f.recentAverage));
    };
    QString text =
        QCoreApplication::translate("rz6::HistoryWindow", "全体：") + figures(summary.all);
    for (int c = 0; c < characterCount; ++c) {
        const HistoryFigures& f = summary.byCharacter[std::size_t(c)];
        if (f.matches > 0)
            text +=
                QCoreApplication::translate("rz6::HistoryWindow", "\n%1：").arg(characterName(c)) +
                figures(f);
    }
    return text;
}

QString HistoryWindow::chartDescription() const {
    const HistorySummary summary = summariseHistory(matches_);
    if (summary.all.matches == 0)
        return QCoreApplication::translate("rz6::HistoryWindow",
                                           "総合評価のグラフ。まだ試合がありません。");
    QString trend;
    switch (historyTrend(matches_)) {
    case HistoryTrend::Rising:
        trend = QCoreApplication::translate("rz6::HistoryWindow",
                                            "直近10試合はその前の10試合より上向きです。");
        break;
    case HistoryTrend::Falling:
        trend = QCoreApplication::translate("rz6::HistoryWindow",
                                            "直近10試合はその前の10試合より下向きです。");
        break;
    case HistoryTrend::Level:
        trend = QCoreApplication::translate("rz6::HistoryWindow",
                                            "直近10試合はその前の10試合とほぼ同じです。");
        break;
    case HistoryTrend::TooFew:
        trend =
            QCoreApplication::translate("rz6::HistoryWindow", "傾向を見るには20試合が必要です。");
        break;
    }
    return QCoreApplication::translate(
               "rz6::HistoryWindow",
               "総合評価のグラフ。%1試合、最高 %2、平均 %3、直近10試合の平均 %4。%5")
        .arg(summary.all.matches)
        .arg(summary.all.best)
        .arg(whole(summary.all.average), whole(summary.all.recentAverage), trend);
}

void HistoryWindow::filterByCharacter(int character) {
    static_cast<CharacterFilterModel*>(sorted_)->setCharacter(character);
    const int index = filter_->findData(character);
    if (index >= 0 && index != filter_->currentIndex())
        filter_->setCurrentIndex(index);
}

void HistoryWindow::showNote(const QString& text) {
    emptyNote_ = false;
    noteLabel_->setText(text);
}

void HistoryWindow::chooseExportFile() {
    // Window-modal without a loop of its own, and owned by this screen: it goes with it.
    auto* dialog = new QFileDialog(this, exportButton_->text(), QDir::homePath(),
                                   QStringLiteral("CSV (*.csv)"));
    dialog->setObjectName(QStringLiteral("ExportDialog"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QStringLiteral("csv"));
    dialog->selectFile(QStringLiteral("rz6-history.csv"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QFileDialog::fileSelected, this, &HistoryWindow::exportRequested);
    dialog->open();
}

namespace {

// What the replay files' dialogs show: "再生ファイル (*.rz6replay)".
QString replayFilter() {
    return QCoreApplication::translate("rz6::HistoryWindow", "再生ファイル (*%1)")
        .arg(QLatin1String(replayFileSuffix));
}

} // namespace

void HistoryWindow::chooseReplayExportFile() {
    const int match = selectedMatch();
    if (match < 0)
        return;
    auto* dialog =
        new QFileDialog(this, replayExportButton_->text(), QDir::homePath(), replayFilter());
    dialog->setObjectName(QStringLiteral("ReplayExportDialog"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QString::fromLatin1(replayFileSuffix + 1));
    // Named by the match's time on the table's clock: "rz6-2026-12-07-2015.rz6replay".
    dialog->selectFile(QStringLiteral("rz6-") +
                       atUtcOffset(matches_[std::size_t(match)].endedUtcMs, shownUtcOffset_)
                           .toString(QStringLiteral("yyyy-MM-dd-HHmm")) +
                       QLatin1String(replayFileSuffix));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QFileDialog::fileSelected, this,
            [this, match](const QString& path) { emit replayExportRequested(match, path); });
    dialog->open();
}

void HistoryWindow::chooseReplayFile() {
    auto* dialog =
        new QFileDialog(this, replayOpenButton_->text(), QDir::homePath(), replayFilter());
    dialog->setObjectName(QStringLiteral("ReplayOpenDialog"));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QFileDialog::fileSelected, this, &HistoryWindow::replayFileChosen);
    dialog->open();
}

void HistoryWindow::showEvent(QShowEvent* event) {
    HistoryScreen::showEvent(event);
    if (!centred_) {
        centred_ = true;
        centreWindow(this, parentWidget());
    }
}

void HistoryWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    // Enter on a row of the table asks for its replay.
    if (focusWidget() == table_ &&
        (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        replaySelected();
        return;
    }
    // Enter presses the focused button, as Space does and as in the game's other screens.
    auto* button = qobject_cast<QPushButton*>(focusWidget());
    if (button && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        button->click();
        return;
    }
    HistoryScreen::keyPressEvent(event);
}

void HistoryWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (closedSent_)
        return;
    closedSent_ = true;
    hide();
    emit closed();
}

} // namespace rz6
