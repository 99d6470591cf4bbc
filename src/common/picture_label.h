// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <QLabel>

namespace rz6 {

// A label that shows a picture, drawn the same whether or not its window takes input. A
// window that is disabled while another screen is in front of it must look unchanged behind
// that screen; a plain QLabel would grey its picture out.
class PictureLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Makes a widget and its children look the same when disabled as when enabled.
void keepLookWhenDisabled(QWidget* widget);

} // namespace rz6
