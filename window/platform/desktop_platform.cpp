#include <QDesktopServices>

#include "window/platform/window_platform.h"
#include "window/widgets/message_box.h"

namespace orvanto {

WindowPlatform desktopPlatform() {
    return {
        [](QWidget* owner, const QString& title, const QString& text) {
            makeMessageBox(owner, title, text)->exec();
        },
        // Starts the browser through the desktop (xdg-open on Linux) and returns at once.
        [](const QUrl& address) { return QDesktopServices::openUrl(address); },
    };
}

}  // namespace orvanto
