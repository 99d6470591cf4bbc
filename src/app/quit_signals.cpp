// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "app/quit_signals.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace rz6 {
namespace {

int signalPipe[2] = {-1, -1};

extern "C" void onQuitSignal(int signalNumber) {
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

constexpr int quitSignals[] = {SIGTERM, SIGHUP, SIGINT};

} // namespace

QuitSignals::QuitSignals(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return; // no pipe: the signals keep their default action
    notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &QuitSignals::readSignal);
    struct sigaction action = {};
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int s : quitSignals)
        ::sigaction(s, &action, nullptr);
}

QuitSignals::~QuitSignals() {
    if (!notifier_)
        return;
    // The program is ending already (the record saved or being saved): a second quit signal
    // must not cut that short with the signal's default action.
    for (const int s : quitSignals)
        std::signal(s, SIG_IGN);
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
}

void QuitSignals::readSignal() {
    unsigned char byte = 0;
    if (::read(signalPipe[0], &byte, 1) == 1)
        emit quitRequested(byte);
}

} // namespace rz6
