#include "window/accessibility/accessibility.h"

#include <QAccessibleWidget>

#include "window/accessibility/result_announcer.h"
#include "window/widgets/link_label.h"

namespace orvanto {
namespace {

class NotificationAccessible final : public QAccessibleWidget {
  public:
    explicit NotificationAccessible(ResultAnnouncer* announcer)
        : QAccessibleWidget(announcer, QAccessible::Notification) {}

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? static_cast<ResultAnnouncer*>(widget())->text()
                                         : QAccessibleWidget::text(kind);
    }
};

// A link: its description is the address (set on the label), its press action opens it as a click
// does.
class LinkAccessible final : public QAccessibleWidget {
  public:
    explicit LinkAccessible(LinkLabel* label) : QAccessibleWidget(label, QAccessible::Link) {}

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction()) {
            emit static_cast<LinkLabel*>(widget())->clicked();
        }
    }
};

QAccessibleInterface* windowInterface(const QString& /*className*/, QObject* object) {
    if (auto* announcer = qobject_cast<ResultAnnouncer*>(object)) {
        return new NotificationAccessible(announcer);
    }
    if (auto* label = qobject_cast<LinkLabel*>(object)) {
        return new LinkAccessible(label);
    }
    return nullptr;
}

}  // namespace

void installAccessibleInterfaces() {
    static const bool installed = [] {
        QAccessible::installFactory(windowInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

}  // namespace orvanto
