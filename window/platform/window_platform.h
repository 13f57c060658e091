// The two services the window reaches outside itself: a modal message box and the user's default
// browser. They are passed in so that tests can stand in for both; a real box would block a test
// and a real browser would open on the developer's desktop.
#pragma once

#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

namespace orvanto {

struct WindowPlatform {
    // Shows a modal message box owned by `owner`; returns once the user has closed it.
    std::function<void(QWidget* owner, const QString& title, const QString& text)> showMessage;
    // Hands the address to the default browser without waiting for it; false when that failed.
    std::function<bool(const QUrl& address)> openUrl;
};

// The desktop's own: a QMessageBox and QDesktopServices.
WindowPlatform desktopPlatform();

}  // namespace orvanto
