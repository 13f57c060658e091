#include "window/platform/startup_messages.h"

#include <QMessageLogger>
#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace orvanto {
namespace {

struct HeldMessage {
    QtMsgType type;
    std::string category;
    QString text;
};

// A message handler is a plain function, so its state lives here; only one guard exists at a time.
std::string displayTried;
std::vector<HeldMessage> heldMessages;
QtMessageHandler previousHandler = nullptr;

// Qt's own reason for giving up is the platform plugin's complaint ("could not connect to display
// :99", "Could not find the Qt platform plugin "wayland" in """): its fatal message only says that
// no plugin could be initialized and lists the installed ones.
QString platformComplaint(const QString& fatalText) {
    for (const QtMsgType wanted : {QtWarningMsg, QtCriticalMsg, QtInfoMsg}) {
        for (const HeldMessage& message : heldMessages) {
            if (message.type == wanted && message.category.starts_with("qt.qpa")) {
                return message.text.trimmed();
            }
        }
    }
    return fatalText.section(QLatin1Char('\n'), 0, 0).trimmed();
}

void holdOrFail(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr,
                     "orvanto：无法打开图形显示（%s；Qt：%s）。"
                     "请确认显示可用，或在无显示的环境中用 xvfb-run orvanto 运行。\n",
                     displayTried.c_str(), qUtf8Printable(platformComplaint(text)));
        // Qt is half set up and about to abort; nothing of ours needs cleaning up.
        std::_Exit(EXIT_FAILURE);
    }
    heldMessages.push_back({type, context.category != nullptr ? context.category : "", text});
}

std::optional<std::string> environmentSetting(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return std::string{name} + "=" + value;
}

// The last "-name value" or "--name value" on the command line, as "-name value".
std::optional<std::string> optionSetting(int argc, char** argv, std::string_view name) {
    std::optional<std::string> setting;
    for (int i = 1; i + 1 < argc; ++i) {
        std::string_view argument{argv[i]};
        if (argument.starts_with("--")) {
            argument.remove_prefix(1);
        }
        if (argument.starts_with('-') && argument.substr(1) == name) {
            setting = std::string{argument} + " " + argv[++i];
        }
    }
    return setting;
}

}  // namespace

std::optional<std::string> displayToTry(int argc, char** argv) {
    for (auto setting :
         {optionSetting(argc, argv, "platform"), environmentSetting("QT_QPA_PLATFORM"),
          optionSetting(argc, argv, "display"), environmentSetting("DISPLAY"),
          environmentSetting("WAYLAND_DISPLAY")}) {
        if (setting) {
            return setting;
        }
    }
    return std::nullopt;
}

std::string missingDisplayMessage() {
    return "orvanto：没有可用的图形显示（DISPLAY 和 WAYLAND_DISPLAY 均未设置）。"
           "请在桌面会话中启动，或在无显示的环境中用 xvfb-run orvanto 运行。";
}

StartupMessageGuard::StartupMessageGuard(std::string display) {
    displayTried = std::move(display);
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

}  // namespace orvanto
