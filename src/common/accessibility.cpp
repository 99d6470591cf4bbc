// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "common/accessibility.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QVariant>
#include <QWidget>

namespace rz6 {
namespace {

// The dynamic property that tells the factory which role a widget plays.
constexpr char roleProperty[] = "rz6AccessibleRole";

class PressableAccessible : public QAccessibleWidget {
public:
    explicit PressableAccessible(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::Button) {}

    // Named by its accessible name, or else by the caption it shows.
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            if (const auto* label = qobject_cast<const QLabel*>(widget()))
                return label->text();
        }
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& actionName) override {
        if (actionName != pressAction()) {
            QAccessibleWidget::doAction(actionName);
            return;
        }
        if (!widget()->isEnabled())
            return;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QCoreApplication::sendEvent(widget(), &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QCoreApplication::sendEvent(widget(), &release);
    }
};

// Asked first for every object, with the class names of its type from the most derived up;
// it answers only for the most derived one, so a widget marked here never falls back to
// Qt's own interface for one of its base classes.
QAccessibleInterface* gameAccessible(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || className != QLatin1String(widget->metaObject()->className()))
        return nullptr;
    const QVariant role = widget->property(roleProperty);
    if (!role.isValid())
        return nullptr;
    const auto wanted = static_cast<QAccessible::Role>(role.toInt());
    if (wanted == QAccessible::Button)
        return new PressableAccessible(widget);
    return new QAccessibleWidget(widget, wanted);
}

void markRole(QWidget* widget, QAccessible::Role role) {
    static const bool installed = [] {
        QAccessible::installFactory(gameAccessible);
        return true;
    }();
    Q_UNUSED(installed);
    widget->setProperty(roleProperty, static_cast<int>(role));
    // Qt may have made and kept an interface already, while the widget was still being
    // built as its base class; drop it, so the next query comes to the factory above.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget);
        made && made->role() != role)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

} // namespace

void exposeAsButton(QWidget* widget) {
    markRole(widget, QAccessible::Button);
}

void exposeAsScreen(QWidget* screen) {
    markRole(screen, QAccessible::Dialog);
}

void exposeAsStatusBar(QWidget* statusBar) {
    markRole(statusBar, QAccessible::StatusBar);
}

Announcer::Announcer(QWidget* statusBar, bool makeStatusBar) {
    QWidget* holder = statusBar;
    if (makeStatusBar) {
        holder = new QWidget(statusBar);
        holder->setObjectName(QStringLiteral("AnnounceBar"));
        holder->setGeometry(0, 0, 0, 0);
        holder->setAttribute(Qt::WA_TransparentForMouseEvents);
        exposeAsStatusBar(holder);
    }
    notification_ = new QWidget(holder);
    notification_->setObjectName(QStringLiteral("Announcement"));
    notification_->setGeometry(0, 0, 0, 0);
    notification_->setAttribute(Qt::WA_TransparentForMouseEvents);
    notification_->setFocusPolicy(Qt::NoFocus);
    markRole(notification_, QAccessible::Notification);
}

void Announcer::announce(const QString& phrase) {
    notification_->setAccessibleName(phrase);
    // Shown again even when the phrase repeats (a second block in a row is news too).
    notification_->hide();
    notification_->show();
}

QString Announcer::lastPhrase() const {
    return notification_->accessibleName();
}

} // namespace rz6
