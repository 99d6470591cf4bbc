// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "app/message_presenter.h"

#include "common/language.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>
#include <QWindow>

#include <cstdio>

namespace rz6 {

void tellOnStandardError(const QString& message) {
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    std::fflush(stderr);
}

void showMessageBeforeAnyWindow(const QString& message) {
    QMessageBox box(QMessageBox::NoIcon, gameTitle(), message, QMessageBox::Ok);
    // The program's own loop runs while the box is up; closing it, in any way, ends that loop.
    QObject::connect(&box, &QMessageBox::finished, QCoreApplication::instance(),
                     &QCoreApplication::quit, Qt::QueuedConnection);
    box.open();
    QApplication::exec();
}

MessagePresenter::MessagePresenter(Reporter reporter, FrontScreen frontScreen)
    : reporter_(std::move(reporter)), frontScreen_(std::move(frontScreen)) {}

// The boxes are nobody's children (a screen may go before its message is read): they go at
// the latest with the presenter.
MessagePresenter::~MessagePresenter() {
    for (const QPointer<QMessageBox>& box : std::as_const(boxes_))
        delete box.data();
}

void MessagePresenter::report(const QString& message) {
    if (reporter_) {
        reporter_(message);
        return;
    }
    if (onStandardError_) {
        tellOnStandardError(message);
        return;
    }
    pending_.append(message);
    showInFront();
}

bool MessagePresenter::unread() const {
    for (const QPointer<QMessageBox>& box : boxes_)
        if (box && box->isVisible())
            return true;
    return false;
}

int MessagePresenter::tellOnStandardErrorFromNowOn() {
    onStandardError_ = true;
    int told = 0;
    for (const QPointer<QMessageBox>& box : std::as_const(boxes_))
        if (box && box->isVisible()) {
            tellOnStandardError(box->text());
            box->hide();
            ++told;
        }
    return told;
}

void MessagePresenter::showInFront() {
    QWidget* front = frontScreen_();
    if (!withoutScreens_ && (screenComing_ || !front))
        return;
    for (const QString& message : std::as_const(pending_)) {
        auto* box = new QMessageBox(QMessageBox::Warning, gameTitle(), message, QMessageBox::Ok);
        box->setObjectName(QStringLiteral("ReportBox"));
        box->setAttribute(Qt::WA_DeleteOnClose);
        connect(box, &QMessageBox::finished, this, &MessagePresenter::boxClosed,
                Qt::QueuedConnection);
        boxes_.removeAll(nullptr);
        boxes_.append(box);
        // A window manager keeps it above the screen it is about.
        if (front) {
            box->winId();
            box->windowHandle()->setTransientParent(front->windowHandle());
        }
        box->open();
    }
    pending_.clear();
    // Without a window manager the last window raised is on top.
    for (const QPointer<QMessageBox>& box : std::as_const(boxes_))
        if (box && box->isVisible()) {
            box->raise();
            box->activateWindow();
        }
}

} // namespace rz6
