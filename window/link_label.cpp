#include "link_label.h"

#include <QMouseEvent>

namespace orvanto {

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    // Moves without a pressed button reach a widget only when it tracks the mouse.
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved();
    // Accepted, or Qt hands the move on to the window, which would take it for a move over the
    // bare window surface and undo the hover colour at once.
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
