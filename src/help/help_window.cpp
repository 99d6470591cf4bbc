// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "help/help_window.h"

#include "common/accessibility.h"
#include "common/owned_window.h"
#include "help/help_text.h"

#include "common/screen_units.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace rz6 {
namespace {

constexpr unsigned windowBack = 0x00FFC0C0; // the battle screen's lavender
constexpr unsigned pageBack = 0x00F8F0F0;

} // namespace

QString HelpWindow::helpText() {
    return rz6::helpText();
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("help"));
    setAttribute(Qt::WA_DeleteOnClose);
    // It blocks nothing and can be read beside a match, or after it, over a battle window
    // that is disabled.
    keepEnabledWhileOwnerDisabled(this);
    QPalette back = palette();
    back.setColor(QPalette::Window, bgrColor(windowBack));
    setPalette(back);
    setAutoFillBackground(true);

    text_ = new QTextBrowser(this);
    text_->setObjectName(QStringLiteral("HelpText"));
    text_->setOpenLinks(false);
    // Read-only, with a keyboard caret: the arrow keys move through the text line by line,
    // and a screen reader reads each line the caret reaches.
    text_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse |
                                   Qt::LinksAccessibleByKeyboard);
    QPalette page = text_->palette();
    page.setColor(QPalette::Base, bgrColor(pageBack));
    text_->setPalette(page);
    text_->setFont(designFont({"ＭＳ Ｐゴシック", 11, false}));

    close_ = new QPushButton(this);
    close_->setObjectName(QStringLiteral("HelpClose"));
    connect(close_, &QPushButton::clicked, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(close_, 0, Qt::AlignRight);
    retranslate();
    resize(twips(9270), twips(8400));
    // The text reads at once, to the keyboard and to a screen reader.
    setFocusProxy(text_);
    exposeAsScreen(this);
}

// Writes the window's texts in the player's language; the help can stay open beside the
// battle screen while the player changes the language there.
void HelpWindow::retranslate() {
    setWindowTitle(tr("遊び方"));
    text_->setHtml(helpText());
    text_->setAccessibleName(tr("遊び方"));
    close_->setText(tr("閉じる"));
}

void HelpWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange && close_)
        retranslate();
    QWidget::changeEvent(event);
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace rz6
