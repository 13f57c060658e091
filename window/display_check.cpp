#include "window/display_check.h"

#include <cstdlib>

namespace orvanto {

std::optional<std::string> missingDisplayMessage() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return std::nullopt;
        }
    }
    return std::string{
        "orvanto：没有可用的图形显示（DISPLAY 和 WAYLAND_DISPLAY 均未设置）。"
        "请在桌面会话中启动，或在无显示的环境中用 xvfb-run orvanto 运行。"};
}

}  // namespace orvanto
