#include "window/widgets/flat_line_edit.h"

#include <QPainter>

namespace orvanto {

FlatLineEdit::FlatLineEdit(QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
    // Keeps the text clear of the border that paintEvent draws over the frameless edit.
    setTextMargins(2, 1, 2, 1);
}

void FlatLineEdit::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace orvanto
