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
#include "result/match_rating.h"

#include <QCoreApplication>
#include <QAbstractTableModel>
#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>
#include <QValueAxis>

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

QDateTime endedAt(const HistoryMatch& match) {
    return QDateTime::fromMSecsSinceEpoch(match.endedUtcMs, Qt::OffsetFromUTC,
                                          match.utcOffsetSeconds);
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
    HistoryTableModel(const std::vector<HistoryMatch>& matches, QObject* parent)
        : QAbstractTableModel(parent), matches_(matches) {}

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(matches_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : Column::columnCount;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        static const QString titles[] = {
            QCoreApplication::translate("rz6::HistoryWindow", "日時"),
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
                return endedAt(m).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
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
                             QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      matches_(std::move(matches)) {
    setObjectName(QStringLiteral("senseki"));
    setWindowTitle(QCoreApplication::translate("rz6::HistoryWindow", "戦績"));
    setUpSubScreen(this, twips(clientWidth), twips(clientHeight), formBackColor);
    setFont(designFont(textFont));
    keepEnabledWhileOwnerDisabled(this);

    summaryLabel_ = new QLabel(summaryText(), this);
    summaryLabel_->setObjectName(QStringLiteral("HistorySummary"));
    summaryLabel_->setFont(designFont(summaryFont));
    summaryLabel_->setTextFormat(Qt::PlainText);
    summaryLabel_->setWordWrap(true);

    buildChart();

    auto* filterCaption =
        new QLabel(QCoreApplication::translate("rz6::HistoryWindow", "キャラ(&K)："), this);
    filter_ = new QComboBox(this);
    filter_->setObjectName(QStringLiteral("CharacterFilter"));
    filter_->setAccessibleName(
        QCoreApplication::translate("rz6::HistoryWindow", "キャラで絞り込む"));
    filterCaption->setBuddy(filter_);
    filter_->addItem(QCoreApplication::translate("rz6::HistoryWindow", "すべて"), -1);
    for (int c = 0; c < characterCount; ++c)
        filter_->addItem(characterName(c), c);

    model_ = new HistoryTableModel(matches_, this);
    auto* sorted = new CharacterFilterModel(this);
    sorted->setSourceModel(model_);
    sorted->setSortRole(Qt::UserRole);
    sorted_ = sorted;
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("HistoryTable"));
    table_->setAccessibleName(QCoreApplication::translate("rz6::HistoryWindow", "試合の一覧"));
    table_->setModel(sorted_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false); // Tab leaves the table; the arrows move in it
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setColumnWidth(DateColumn, 150);
    table_->setColumnWidth(CharacterColumn, 110);
    table_->setColumnWidth(OverallColumn, 100);
    table_->setColumnWidth(RankColumn, 100);
    table_->setColumnWidth(ComboColumn, 90);
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
    if (note.isEmpty() && matches_.empty())
        noteLabel_->setText(QCoreApplication::translate(
            "rz6::HistoryWindow", "まだ戦績がありません。試合を終えると、ここに残ります。"));

    exportButton_ =
        new QPushButton(QCoreApplication::translate("rz6::HistoryWindow", "CSVに書き出す"), this);
    exportButton_->setObjectName(QStringLiteral("ExportButton"));
    closeButton_ =
        new QPushButton(QCoreApplication::translate("rz6::HistoryWindow", "閉じる"), this);
    closeButton_->setObjectName(QStringLiteral("CloseButton"));
    for (QPushButton* button : {exportButton_, closeButton_})
        button->setFont(designFont(buttonFont));
    exportButton_->setEnabled(!matches_.empty());
    connect(exportButton_, &QPushButton::clicked, this, &HistoryWindow::chooseExportFile);
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);

    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(filterCaption);
    filterRow->addWidget(filter_);
    filterRow->addStretch();
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(noteLabel_, 1);
    buttonRow->addWidget(exportButton_);
    buttonRow->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summaryLabel_);
    layout->addWidget(chartView_, 5);
    layout->addLayout(filterRow);
    layout->addWidget(table_, 4);
    layout->addLayout(buttonRow);

    // Tab runs filter, table, buttons; the table holds the focus first.
    setTabOrder(filter_, table_);
    setTabOrder(table_, exportButton_);
    setTabOrder(exportButton_, closeButton_);
    table_->setFocus();
    if (sorted_->rowCount() > 0)
        table_->selectRow(0);
    // Spoken as the screen opens: what the chart shows, in words.
    setAccessibleDescription(chartDescription());
}

HistoryWindow::~HistoryWindow() = default;

void HistoryWindow::buildChart() {
    chart_ = new QChart;
    chart_->setAnimationOptions(QChart::NoAnimation);
    chart_->setBackgroundBrush(bgrColor(pageBackColor));
    chart_->setBackgroundRoundness(0);
    chart_->setMargins(QMargins(4, 4, 4, 4));
    chart_->legend()->setAlignment(Qt::AlignBottom);
    chart_->legend()->setFont(designFont(textFont));

    auto* dates = new QDateTimeAxis;
    dates->setFormat(QStringLiteral("yyyy/MM/dd"));
    dates->setTickCount(6);
    dates->setLabelsFont(designFont(textFont));
    auto* totals = new QValueAxis;
    totals->setTitleText(QCoreApplication::translate("rz6::HistoryWindow", "総合評価"));
    totals->setTitleFont(designFont(textFont));
    totals->setLabelsFont(designFont(textFont));
    totals->setLabelFormat(QStringLiteral("%d"));
    chart_->addAxis(dates, Qt::AlignBottom);
    chart_->addAxis(totals, Qt::AlignLeft);

    // A line of thousands of matches is drawn through one point per column of the chart, the
    // column's average: the figures in words and in the summary line are every match's.
    auto attach = [&](QXYSeries* series, const QString& name,
                      const std::vector<ChartPoint>& points) {
        const std::vector<ChartPoint> drawn = thinnedForDrawing(points, chartColumns);
        QList<QPointF> list;
        list.reserve(qsizetype(drawn.size()));
        for (const ChartPoint& p : drawn)
            list.append(QPointF(p.x, p.y));
        series->setName(name);
        series->replace(list);
        chart_->addSeries(series);
        series->attachAxis(dates);
        series->attachAxis(totals);
    };

    // One line per character through that character's matches, each match a dot.
    // Each match a dot while they are few enough to tell apart.
    std::array<std::vector<ChartPoint>, characterCount> byCharacter;
    for (const HistoryMatch& m : matches_)
        if (m.character >= 0 && m.character < characterCount)
            byCharacter[std::size_t(m.character)].push_back(
                {double(m.endedUtcMs), double(m.overallScore)});
    for (int c = 0; c < characterCount; ++c) {
        auto* series = new QLineSeries(chart_);
        series->setObjectName(indexedName("CharacterSeries", c));
        QPen pen(bgrColor(characterColors[std::size_t(c)]));
        pen.setWidthF(1.5);
        series->setPen(pen);
        series->setPointsVisible(byCharacter[std::size_t(c)].size() <= dottedMatchCount);
        attach(series, characterName(c), byCharacter[std::size_t(c)]);
    }

    const std::vector<double> averages = movingAverage(matches_);
    std::vector<ChartPoint> averagePoints;
    averagePoints.reserve(matches_.size());
    for (std::size_t i = 0; i < matches_.size(); ++i)
        averagePoints.push_back({double(matches_[i].endedUtcMs), averages[i]});
    auto* average = new QLineSeries(chart_);
    average->setObjectName(QStringLiteral("AverageSeries"));
    QPen dashed(bgrColor(averageColor));
    dashed.setWidthF(2);
    dashed.setStyle(Qt::DashLine);
    average->setPen(dashed);
    attach(average, QCoreApplication::translate("rz6::HistoryWindow", "直近10試合の平均"),
           averagePoints);

    std::vector<ChartPoint> bestPoints;
    for (std::size_t i : bestMatches(matches_))
        bestPoints.push_back({double(matches_[i].endedUtcMs), double(matches_[i].overallScore)});
    auto* best = new QScatterSeries(chart_);
    best->setObjectName(QStringLiteral("BestSeries"));
    best->setMarkerShape(QScatterSeries::MarkerShapeStar);
    best->setMarkerSize(16);
    best->setColor(bgrColor(bestColor));
    best->setBorderColor(bgrColor(averageColor));
    attach(best, QCoreApplication::translate("rz6::HistoryWindow", "上位5試合"), bestPoints);

    if (matches_.empty()) {
        // No match, no date: the axis keeps its shape but names no day (the clock's zero,
        // 1970/01/01, meant nothing to a player).
        const QDateTime zero = QDateTime::fromMSecsSinceEpoch(0);
        dates->setRange(zero, zero.addDays(1));
        dates->setLabelsVisible(false);
        totals->setRange(0, 1000);
    } else {
        std::int64_t first = matches_.front().endedUtcMs;
        std::int64_t last = matches_.back().endedUtcMs;
        std::int64_t low = matches_.front().overallScore;
        std::int64_t high = low;
        for (const HistoryMatch& m : matches_) {
            first = std::min(first, m.endedUtcMs);
            last = std::max(last, m.endedUtcMs);
            low = std::min(low, m.overallScore);
            high = std::max(high, m.overallScore);
        }
        // A little room either side (at least half an hour), so the first and last marks are
        // drawn whole and a lone match or a single evening stays readable.
        const std::int64_t margin = std::max<std::int64_t>(30 * 60 * 1000, (last - first) / 40);
        dates->setRange(QDateTime::fromMSecsSinceEpoch(first - margin),
                        QDateTime::fromMSecsSinceEpoch(last + margin));
        if ((last - first) < 2LL * 24 * 3600 * 1000)
            dates->setFormat(QStringLiteral("MM/dd HH:mm"));
        totals->setRange(double(std::min<std::int64_t>(low, 0)),
                         double(high == low ? high + 100 : high));
        totals->applyNiceNumbers();
    }

    chartView_ = new QChartView(chart_, this);
    chartView_->setObjectName(QStringLiteral("HistoryChart"));
    chartView_->setRenderHint(QPainter::Antialiasing);
    chartView_->setFocusPolicy(Qt::NoFocus);
    chartView_->setAccessibleName(
        QCoreApplication::translate("rz6::HistoryWindow", "総合評価のグラフ"));
    chartView_->setAccessibleDescription(chartDescription());
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
    noteLabel_->setText(text);
}

void HistoryWindow::chooseExportFile() {
    // Window-modal without a loop of its own, and owned by this screen: it goes with it.
    auto* dialog =
        new QFileDialog(this, QCoreApplication::translate("rz6::HistoryWindow", "CSVに書き出す"),
                        QDir::homePath(), QStringLiteral("CSV (*.csv)"));
    dialog->setObjectName(QStringLiteral("ExportDialog"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QStringLiteral("csv"));
    dialog->selectFile(QStringLiteral("rz6-senseki.csv"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QFileDialog::fileSelected, this, &HistoryWindow::exportRequested);
    dialog->open();
}

void HistoryWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
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
    // Enter presses the focused button, as Space does and as in the game's other screens.
    auto* button = qobject_cast<QPushButton*>(focusWidget());
    if (button && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        button->click();
        return;
    }
    QWidget::keyPressEvent(event);
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
