#include "window/link_label.h"

#include <QAccessibleWidget>
#include <QMouseEvent>

namespace orvanto {
namespace {

// What assistive technology sees of the label: a link, with the address as its description and a
// press action that opens it as a click does.
class LinkLabelAccessible final : public QAccessibleWidget {
  public:
    explicit LinkLabelAccessible(LinkLabel* label) : QAccessibleWidget(label, QAccessible::Link) {}

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction()) {
            emit static_cast<LinkLabel*>(widget())->clicked();
        }
    }
};

QAccessibleInterface* linkLabelAccessible(const QString& className, QObject* object) {
    auto* label = qobject_cast<LinkLabel*>(object);
    return className == QLatin1String(LinkLabel::staticMetaObject.className()) && label != nullptr
               ? new LinkLabelAccessible(label)
               : nullptr;
}

}  // namespace

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(linkLabelAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
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
