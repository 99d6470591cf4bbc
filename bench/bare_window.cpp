// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// The baseline of the start-up and memory figures: a bare Qt main window of the battle
// window's size with a menu bar, a status bar and the same fonts, and nothing else.

#include "common/app_info.h"
#include "common/japanese_fonts.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    rz6::installJapaneseFonts();

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("bare window"));
    window.menuBar()->addMenu(QStringLiteral("試合"))->addAction(QStringLiteral("開始"));
    window.menuBar()->addMenu(QStringLiteral("設定"))->addAction(QStringLiteral("使用キャラ"));
    window.statusBar()->addWidget(new QLabel(QStringLiteral("使用キャラ　:　灰原　蓮")));
    auto* client = new QLabel(QString::fromUtf8(rz6::appInfo::displayTitle));
    QFont font(QStringLiteral("ＭＳ 明朝"));
    font.setPointSizeF(21.75);
    client->setFont(font);
    client->setFixedSize(618, 402);
    window.setCentralWidget(client);
    window.show();
    return app.exec();
}
