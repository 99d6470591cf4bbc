// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <QObject>

class QSocketNotifier;

namespace rz6 {

// Turns SIGTERM, SIGHUP and SIGINT into a Qt signal delivered on the event loop, so that a
// logout, a closed terminal or a kill ends the game the proper way: the record is saved
// first. (A signal handler may do almost nothing itself: it only writes a byte to a pipe.)
class QuitSignals : public QObject {
    Q_OBJECT
public:
    explicit QuitSignals(QObject* parent = nullptr);
    ~QuitSignals() override;

signals:
    void quitRequested(int signalNumber);

private:
    void readSignal();

    QSocketNotifier* notifier_ = nullptr;
};

} // namespace rz6
