// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "common/owned_window.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace rz6 {
namespace {

// Lives as the window's child and watches only that window.
class EnabledKeeper : public QObject {
public:
    explicit EnabledKeeper(QWidget* window) : QObject(window), window_(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        // A window may be enabled under a disabled parent; a widget inside one may not.
        if (watched == window_ && event->type() == QEvent::EnabledChange && !window_->isEnabled() &&
            !window_->testAttribute(Qt::WA_ForceDisabled))
            window_->setEnabled(true);
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* window_;
};

// Watches every object of the application, and acts only on a window's state change.
class MaximiseRefuser : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowStateChange && watched->isWidgetType()) {
            auto* window = static_cast<QWidget*>(watched);
            if (window->isWindow() && window->minimumSize() == window->maximumSize() &&
                window->windowState().testFlag(Qt::WindowMaximized))
                // After the change has been delivered everywhere, not in the middle of it.
                QMetaObject::invokeMethod(
                    window,
                    [window] {
                        window->setWindowState(window->windowState() & ~Qt::WindowMaximized);
                    },
                    Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void refuseMaximiseOfFixedSizeWindows(QCoreApplication& application) {
    application.installEventFilter(new MaximiseRefuser(&application));
}

void keepEnabledWhileOwnerDisabled(QWidget* window) {
    window->installEventFilter(new EnabledKeeper(window));
}

} // namespace rz6
