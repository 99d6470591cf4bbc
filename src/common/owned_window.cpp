// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "common/owned_window.h"

#include "common/wayland_maximise.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

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

// Watches every object of the application for a window being shown, and from then on that
// window's state. Qt's own title bar asks for the maximise on the window itself, and the
// request leaves at once. Qt would send the undoing only once the compositor has offered the
// maximised size, and a fixed-size window that has accepted such an offer and then draws
// itself at its own size is ended by Weston. So on Wayland the undoing is sent in the same
// turn, beside the request, and the compositor never makes the offer.
class MaximiseRefuser : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType())
            watch(static_cast<QWidget*>(watched)->windowHandle());
        return QObject::eventFilter(watched, event);
    }

private:
    static void watch(QWindow* window) {
        if (!window || window->property(watchedProperty).toBool())
            return;
        window->setProperty(watchedProperty, true);
        connect(window, &QWindow::windowStateChanged, window, [window](Qt::WindowState) {
            const Qt::WindowStates states = window->windowStates();
            if (states.testFlag(Qt::WindowMaximized) &&
                window->minimumSize() == window->maximumSize()) {
                withdrawMaximiseOnWayland(window);
                window->setWindowStates(states & ~Qt::WindowMaximized);
            }
        });
    }

    static constexpr char watchedProperty[] = "rz6RefusesMaximise";
};

} // namespace

void refuseMaximiseOfFixedSizeWindows(QCoreApplication& application) {
    application.installEventFilter(new MaximiseRefuser(&application));
}

void keepEnabledWhileOwnerDisabled(QWidget* window) {
    window->installEventFilter(new EnabledKeeper(window));
}

} // namespace rz6
