// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "app/game_style.h"
#include "qt_test_support.h"

#include <QFile>
#include <QIcon>
#include <QStyle>
#include <QStyleFactory>

#include <gtest/gtest.h>

#include <memory>

namespace rz6::test {
namespace {

bool imagePluginLoaded() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/imageformats/");
}

// The menu bar's extension arrow, which every menu bar asks for as it is made, comes without
// loading an image plugin (the SVG one brings its library in before the first window), and is
// still the one Fusion draws.
TEST(GameStyle, MenuBarArrowIsFusionsWithoutLoadingImagePlugins) {
    testApplication();
    installGameStyle();
    const QIcon ours =
        QApplication::style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    EXPECT_FALSE(imagePluginLoaded());
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    const QIcon fusions = fusion->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    EXPECT_EQ(ours.availableSizes(), fusions.availableSizes());
    for (const int side : {8, 12, 16, 32})
        for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active})
            EXPECT_EQ(ours.pixmap(side, mode).toImage(), fusions.pixmap(side, mode).toImage())
                << side << " " << mode;
}

} // namespace
} // namespace rz6::test
