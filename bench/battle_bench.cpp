// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// In-process figures of the battle window, on whatever Qt platform is set (bench/run.sh uses
// a virtual X server):
//   battle_bench clock [TICKS]  the real periods of the match clock at 200 ms (no combo) and
//                               at 100 ms (a combo of ten), deviation from nominal
//   battle_bench keys [KEYS]    from a key's arrival at the window to the end of the repaint
//                               that shows it
// Figures are printed as "name=value" lines.

#include "battle/battle_window.h"
#include "battle/match_session.h"
#include "battle/timer_match_clock.h"
#include "common/japanese_fonts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Deals 1, 2, 3, 1, 2, 3, ...: every refill of a strike on "123" deals one of each again, so
// the board always holds the technique 金剛撃.
class CyclingRandomSource : public rz6::RandomSource {
public:
    void seedFromClock() override {}
    double next() override { return (next_++ % 3 + 0.5) / 9; }

private:
    int next_ = 0;
};

// Times the key presses delivered to the battle window and the repaints of that window.
class TimingApplication : public QApplication {
public:
    using QApplication::QApplication;
    QWidget* watched = nullptr;
    std::function<void(double)> onRepaintAfterKey;

    bool notify(QObject* receiver, QEvent* event) override {
        const bool isWatched =
            watched &&
            (receiver == watched || receiver == static_cast<QObject*>(watched->windowHandle()));
        if (isWatched && event->type() == QEvent::KeyPress && !keyArrived_)
            keyArrived_ = Clock::now();
        // The repaint that shows the key: the first widget of the window painted after it.
        const auto* widget = qobject_cast<QWidget*>(receiver);
        const bool isRepaint =
            watched && event->type() == QEvent::Paint && widget && widget->window() == watched;
        const bool result = QApplication::notify(receiver, event);
        if (isRepaint && keyArrived_) {
            const double ms =
                std::chrono::duration<double, std::milli>(Clock::now() - *keyArrived_).count();
            keyArrived_.reset();
            if (onRepaintAfterKey)
                onRepaintAfterKey(ms);
        }
        return result;
    }

private:
    std::optional<Clock::time_point> keyArrived_;
};

double percentile(std::vector<double> values, double p) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(p / 100 * double(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

void report(const char* name, const std::vector<double>& values) {
    std::printf("%s_median=%.3f\n%s_p99=%.3f\n%s_max=%.3f\n%s_count=%zu\n", name,
                percentile(values, 50), name, percentile(values, 99), name, percentile(values, 100),
                name, values.size());
}

// A match session on the real timers, shown in a battle window.
struct Battle {
    explicit Battle(rz6::RandomSource& random) {
        auto timers = std::make_unique<rz6::TimerMatchClock>();
        clock = timers.get();
        session = std::make_unique<rz6::MatchSession>(random, std::move(timers));
        window = std::make_unique<rz6::BattleWindow>(*session);
    }
    rz6::TimerMatchClock* clock = nullptr;
    std::unique_ptr<rz6::MatchSession> session;
    std::unique_ptr<rz6::BattleWindow> window; // goes before the session it shows
};

// Launches 金剛撃 and ends its pause by hand. The end of the pause ticks at once and sets the
// clock going while the combo window drains.
void strike(Battle& battle) {
    for (char16_t key : {u'1', u'2', u'3', u'0'})
        battle.window->pressKey(key);
    battle.session->endPause();
}

// Lands 金剛撃 eleven times in a row inside the combo window, so that the next draining tick
// brings the combo count to ten and the clock to 100 ms. The clock and the pause are driven
// by hand here; only the ticks after this are measured.
void reachFullCombo(Battle& battle) {
    battle.window->startMatch();
    for (int strikes = 0; strikes < 11; ++strikes) {
        strike(battle);
        battle.session->tick();
    }
}

// Deviation of each real clock period from nominal, over the given number of ticks. The
// clock runs only while the combo window drains, so strikes keep it going: with keepCombo
// while the window still drains (the combo, and so the interval, holds), otherwise once the
// clock has stopped on a closed window (no combo: 200 ms). A match whose turns are spent is
// replaced by a fresh one, so that the match never ends.
std::vector<double> measureTicks(std::unique_ptr<Battle>& battle,
                                 const std::function<std::unique_ptr<Battle>()>& fresh, int ticks,
                                 int nominalMs, bool keepCombo) {
    std::vector<double> deviations;
    std::optional<Clock::time_point> last;
    QEventLoop loop;
    QMetaObject::Connection connection;
    const std::function<void()> watch = [&] {
        connection = QObject::connect(&battle->clock->tickTimer(), &QTimer::timeout, [&] {
            const auto now = Clock::now();
            if (last) {
                const double period =
                    std::chrono::duration<double, std::milli>(now - *last).count();
                deviations.push_back(std::abs(period - nominalMs));
            }
            last = now;
            if (int(deviations.size()) >= ticks) {
                loop.quit();
                return;
            }
            const rz6::Match& match = battle->session->match();
            const bool strikeNow =
                keepCombo ? match.comboWindow() <= 300 : !battle->clock->ticking();
            if (!strikeNow)
                return;
            last.reset(); // the strike's pause is no clock period
            if (match.turnsLeft() > 1) {
                strike(*battle);
                return;
            }
            // Not from inside the timer's own signal: the old session owns that timer.
            QObject::disconnect(connection);
            QTimer::singleShot(0, &loop, [&] {
                battle = fresh();
                watch();
                strike(*battle);
            });
        });
    };
    watch();
    if (!battle->clock->ticking())
        strike(*battle);
    loop.exec();
    QObject::disconnect(connection);
    return deviations;
}

int clockBench(int ticks) {
    CyclingRandomSource random;
    const auto fresh = [&] {
        auto battle = std::make_unique<Battle>(random);
        battle->window->show();
        battle->window->startMatch();
        return battle;
    };
    auto battle = fresh();
    report("clock_200ms_deviation_ms", measureTicks(battle, fresh, ticks, 200, false));

    battle = fresh();
    reachFullCombo(*battle);
    if (battle->clock->tickInterval() != 100) {
        std::fprintf(stderr, "the clock did not reach 100 ms (%d)\n",
                     battle->clock->tickInterval());
        return 1;
    }
    report("clock_100ms_deviation_ms", measureTicks(battle, fresh, ticks * 2, 100, true));
    return 0;
}

int keysBench(TimingApplication& app, int keys) {
    CyclingRandomSource random;
    Battle battle(random);
    rz6::BattleWindow& window = *battle.window;
    window.show();
    window.activateWindow();
    window.startMatch();
    app.watched = &window;

    std::vector<double> latencies;
    int sent = 0;
    QTimer typist;
    typist.setInterval(20); // a fast player's pace
    QObject::connect(&typist, &QTimer::timeout, [&] {
        // 1, 2, Enter, ...: every key changes what the window shows, and no strike pauses.
        const int step = sent++ % 3;
        const auto key = step == 2 ? Qt::Key_Return : Qt::Key_1 + step;
        const QString text = step == 2 ? QStringLiteral("\r") : QString(QChar(u'1' + step));
        QCoreApplication::postEvent(&window,
                                    new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
    });
    app.onRepaintAfterKey = [&](double ms) {
        latencies.push_back(ms);
        // exit(), not quit(): a quit first asks every window to close, and the battle window
        // refuses (closing it means "end the program, saving the record"), so a quit would
        // never end this loop.
        if (int(latencies.size()) >= keys)
            QCoreApplication::exit(0);
    };
    QTimer::singleShot(500, &typist, qOverload<>(&QTimer::start)); // after the first paint
    app.exec();
    report("key_to_screen_ms", latencies);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    TimingApplication app(argc, argv);
    rz6::installJapaneseFonts();
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const int count = argc > 2 ? std::atoi(argv[2]) : 0;
    if (mode == QLatin1String("clock"))
        return clockBench(count > 0 ? count : 150);
    if (mode == QLatin1String("keys"))
        return keysBench(app, count > 0 ? count : 300);
    std::fprintf(stderr, "usage: battle_bench clock|keys [COUNT]\n");
    return 2;
}
