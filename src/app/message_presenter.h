// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace rz6 {

// Shows the player what went wrong (a save, a read, the history, the settings): each message
// in a box of its own over the screen it is about, opened without a loop of its own so that
// the clock, the signals and a quit carry on. With no screen up yet (the read at start) the
// messages wait for the first one, so that it does not open over them; while a screen is on
// its way they wait for it; once the game is ending they show on their own.
class MessagePresenter : public QObject {
    Q_OBJECT
public:
    // Shows one message in place of a box (tests collect them). Without one, boxes.
    using Reporter = std::function<void(const QString& message)>;
    // The screen a message is about, or nullptr when none is up.
    using FrontScreen = std::function<QWidget*()>;

    MessagePresenter(Reporter reporter, FrontScreen frontScreen);
    ~MessagePresenter() override;

    void report(const QString& message);
    // Opens the waiting messages over the front screen and brings every open one above it.
    void showInFront();
    // Whether a box is still waiting to be read.
    bool unread() const;

    // Held back while a screen is about to show: its messages open over it.
    class ScreenComing {
    public:
        explicit ScreenComing(MessagePresenter& messages) : messages_(messages) {
            messages_.screenComing_ = true;
        }
        ~ScreenComing() { messages_.screenComing_ = false; }
        ScreenComing(const ScreenComing&) = delete;
        ScreenComing& operator=(const ScreenComing&) = delete;

    private:
        MessagePresenter& messages_;
    };

    // The game is ending: messages show without a screen.
    void showWithoutScreens() { withoutScreens_ = true; }
    // Nobody may be there to click a box (a quit signal): every open box is hidden, its text
    // told on standard error, and from now on every message goes there. Returns how many
    // open boxes were told.
    int tellOnStandardErrorFromNowOn();

signals:
    // The player has closed a box.
    void boxClosed();

private:
    Reporter reporter_;
    FrontScreen frontScreen_;
    bool screenComing_ = false;
    bool withoutScreens_ = false;
    bool onStandardError_ = false;
    QStringList pending_;
    QList<QPointer<QMessageBox>> boxes_;
};

// Told where no window can show it: a quit signal or a lost display.
void tellOnStandardError(const QString& message);

// A message before any window exists (the record's place refused, a second copy, a replay file
// that cannot be played): nothing can be destroyed under the box, so it waits until the player
// closes it. Without an icon, as every message of the game.
void showMessageBeforeAnyWindow(const QString& message);

} // namespace rz6
