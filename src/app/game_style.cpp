// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "app/game_style.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QProxyStyle>
#include <QStyleOption>
#include <QStyleFactory>

namespace rz6 {
namespace {

// The desktop's own style with two changes: no icons on dialog buttons, and the menu bar's
// extension arrow read without asking every image plugin.
class GameStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override {
        const bool rightToLeft =
            option ? option->direction == Qt::RightToLeft : QGuiApplication::isRightToLeft();
        if (icon == SP_ToolBarHorizontalExtensionButton && !rightToLeft &&
            baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0)
            return extensionButtonIcon();
        return QProxyStyle::standardIcon(icon, option, widget);
    }

private:
    // The arrow of the menu bar's extension button, which only shows when the menus do not
    // fit and is made with every menu bar. Fusion reads its three pictures by file name, and
    // Qt then loads every image format plugin (the SVG one with its library) to ask which of
    // them reads PNG, before the first window is drawn; read as PNG outright, they are the
    // same pictures.
    static QIcon extensionButtonIcon() {
        QIcon icon;
        for (const int side : {8, 16, 32}) {
            QImageReader reader(
                QStringLiteral(":/qt-project.org/styles/commonstyle/images/toolbar-ext-h-%1.png")
                    .arg(side),
                "png");
            reader.setAutoDetectImageFormat(false);
            icon.addPixmap(QPixmap::fromImage(reader.read()));
        }
        return icon;
    }
};

} // namespace

void installGameStyle() {
    // The proxy takes over the style the desktop chose; the application owns it from here.
    QApplication::setStyle(new GameStyle(QStyleFactory::create(QApplication::style()->name())));
}

} // namespace rz6
