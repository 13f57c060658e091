#include "window/accessibility/result_announcer.h"

#include <QAccessible>

namespace orvanto {

ResultAnnouncer::ResultAnnouncer(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("announcer"));
    setGeometry(0, 0, 0, 0);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void ResultAnnouncer::announce(const QString& text) {
    text_ = text;
    // The name first, so that the bridge's cached name is the new one when the showing arrives.
    QAccessibleEvent nameChanged(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&nameChanged);
    show();
    hide();
}

}  // namespace orvanto
