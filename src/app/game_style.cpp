// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "app/game_style.h"

#include <QApplication>
#include <QProxyStyle>
#include <QStyleFactory>

namespace rz6 {
namespace {

// The desktop's own style with one change: no icons on dialog buttons.
class GameStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

void installGameStyle() {
    // The proxy takes over the style the desktop chose; the application owns it from here.
    QApplication::setStyle(new GameStyle(QStyleFactory::create(QApplication::style()->name())));
}

} // namespace rz6
