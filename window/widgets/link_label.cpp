#include "window/widgets/link_label.h"

#include <QMouseEvent>

namespace orvanto {

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    // Moves without a pressed button reach a widget only when it tracks the mouse.
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved();
    // Accepted, or Qt hands the move on to the window, whose own move handler recolours the label
    // for the bare window surface and would undo the hover colour at once.
    event->accept();
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click) {
        emit clicked();
    }
}

}  // namespace orvanto
