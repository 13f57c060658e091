#include "window/startup_messages.h"

#include <QMessageLogger>
#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace orvanto {
namespace {

struct HeldMessage {
    QtMsgType type;
    std::string category;
    QString text;
};

// A message handler is a plain function, so its state lives here; only one guard exists at a time.
std::string failureLine;
std::vector<HeldMessage> heldMessages;
QtMessageHandler previousHandler = nullptr;

void holdOrFail(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", failureLine.c_str());
        // Qt is half set up and about to abort; nothing of ours needs cleaning up.
        std::_Exit(EXIT_FAILURE);
    }
    heldMessages.push_back({type, context.category != nullptr ? context.category : "", text});
}

}  // namespace

StartupMessageGuard::StartupMessageGuard(std::string line) {
    failureLine = std::move(line);
    previousHandler = qInstallMessageHandler(holdOrFail);
}

StartupMessageGuard::~StartupMessageGuard() {
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage& message : heldMessages) {
        const QMessageLogger logger(nullptr, 0, nullptr, message.category.c_str());
        switch (message.type) {
            case QtDebugMsg:
                logger.debug("%s", qUtf8Printable(message.text));
                break;
            case QtInfoMsg:
                logger.info("%s", qUtf8Printable(message.text));
                break;
            case QtWarningMsg:
                logger.warning("%s", qUtf8Printable(message.text));
                break;
            default:
                logger.critical("%s", qUtf8Printable(message.text));
                break;
        }
    }
    heldMessages.clear();
}

std::string unreachableDisplayMessage(const char* display, const char* platform) {
    const auto isSet = [](const char* value) { return value != nullptr && *value != '\0'; };
    const std::string setting = isSet(platform)  ? std::string{"QT_QPA_PLATFORM="} + platform
                                : isSet(display) ? std::string{"DISPLAY="} + display
                                                 : std::string{"WAYLAND_DISPLAY"};
    return "orvanto：无法打开图形显示（" + setting +
           "）。请确认显示可用，或在无显示的环境中用 xvfb-run orvanto 运行。";
}

}  // namespace orvanto
