// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "replay/replay_window.h"

#include "battle/battle_window.h"
#include "charselect/characters.h"
#include "common/owned_window.h"
#include "common/qt_text.h"
#include "common/window_centring.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>

namespace rz6 {
namespace {

// The game's pace: one precise single shot at a time.
class QtReplayTimer final : public ReplayTimer {
public:
    QtReplayTimer() {
        timer_.setSingleShot(true);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] { due(); });
    }
    void start(std::int64_t delayMs) override {
        timer_.start(static_cast<int>(std::clamp<std::int64_t>(delayMs, 0, 3'600'000)));
    }
    void stop() override { timer_.stop(); }
    bool waiting() const override { return timer_.isActive(); }
    std::int64_t remainingMs() const override { return std::max(0, timer_.remainingTime()); }

private:
    QTimer timer_;
};

} // namespace

ReplayControls::ReplayControls(BattleWindow& window, std::unique_ptr<ReplayPlayer> player,
                               int character, const QString& when)
    : QObject(&window), window_(window), player_(std::move(player)), character_(character),
      when_(when) {
    setObjectName(QStringLiteral("ReplayControls"));
    player_->whenSessionReplaced([this](MatchSession& session) { window_.startFresh(session); });
    player_->whenChanged([this] { showTexts(); });
    connect(&window_, &BattleWindow::replayKeyPressed, this, &ReplayControls::press);
    connect(&window_, &BattleWindow::replayTextsNeeded, this, &ReplayControls::showTexts);
}

void ReplayControls::press(int key) {
    switch (key) {
    case Qt::Key_Space:
        // At the end, Space plays the match again.
        if (player_->finished()) {
            player_->backToStart();
            player_->resume();
        } else {
            player_->togglePause();
        }
        break;
    case Qt::Key_1:
    case Qt::Key_2:
    case Qt::Key_3:
    case Qt::Key_4:
        player_->setSpeed(static_cast<ReplaySpeed>(key - Qt::Key_1));
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        player_->faster();
        break;
    case Qt::Key_Minus:
        player_->slower();
        break;
    case Qt::Key_Right:
        player_->nextStrike();
        break;
    case Qt::Key_Home:
        player_->backToStart();
        break;
    case Qt::Key_Escape:
        window_.close();
        break;
    default:
        break;
    }
}

QString ReplayControls::speedText() const {
    switch (player_->speed()) {
    case ReplaySpeed::Half:
        return tr("0.5倍速");
    case ReplaySpeed::Normal:
        return tr("1倍速");
    case ReplaySpeed::Double:
        return tr("2倍速");
    case ReplaySpeed::Quadruple:
        return tr("4倍速");
    }
    return {};
}

void ReplayControls::showTexts() {
    const QString name = character_ >= 0 && character_ < characterCount
                             ? translatedText("Game", character(character_).name)
                             : tr("？");
    const QString state = player_->finished() ? tr("再生終了")
                          : player_->paused() ? tr("一時停止")
                                              : tr("再生中");
    window_.setReplayTexts(
        tr("再生　%1　%2").arg(name, when_),
        tr("%1　%2　｜　Space 停止・再開　1〜4 速さ　→ 次の技　Home 最初から　Esc 閉じる")
            .arg(state, speedText()));
}

BattleWindow* openReplayWindow(const ReplayMatch& match, std::vector<MatchEvent> events,
                               const QString& when, QWidget* parent,
                               std::unique_ptr<ReplayTimer> timer) {
    if (!timer)
        timer = std::make_unique<QtReplayTimer>();
    auto player = std::make_unique<ReplayPlayer>(match, std::move(events), std::move(timer));
    auto* window = new BattleWindow(player->session(), parent);
    window->setObjectName(QStringLiteral("replay"));
    if (match.character >= 0 && match.character < characterCount) {
        const Character& c = character(match.character);
        window->showCharacter(fromUtf8(statusText(c)), fromUtf8(c.readyPicture));
    }
    new ReplayControls(*window, std::move(player), match.character, when);
    window->enterReplayMode();
    if (parent)
        keepEnabledWhileOwnerDisabled(window);
    window->adjustSize();
    centreWindow(window, parent);
    window->show();
    window->activateWindow();
    window->setFocus();
    return window;
}

} // namespace rz6
