#pragma once

class QColor;
class QWidget;

namespace rz6 {

// Fills a widget's own background with one colour, given as a 0x00BBGGRR value like the
// layout tables write it. The colour goes on the widget's background role (a button fills
// from Button, a label or a window from Window) and the widget fills its background itself.
// A colour it already shows is not written again, so calling this after every event
// repaints nothing.
void setBackColor(QWidget* widget, unsigned int bgr);
void setBackColor(QWidget* widget, const QColor& color);

} // namespace rz6
