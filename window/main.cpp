// The program `orvanto`: shows the calculator window and runs until it is closed.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "window/display_check.h"
#include "window/pdf.h"
#include "window/startup_messages.h"
#include "window/window_look.h"

int main(int argc, char* argv[]) {
    if (const auto message = orvanto::missingDisplayMessage()) {
        std::fprintf(stderr, "%s\n", message->c_str());
        return EXIT_FAILURE;
    }
    std::optional<orvanto::StartupMessageGuard> startup{
        std::in_place,
        orvanto::unreachableDisplayMessage(std::getenv("DISPLAY"), std::getenv("QT_QPA_PLATFORM"))};
    QApplication application(argc, argv);
    startup.reset();
    orvanto::useClassicStyle();
    orvanto::pdf window{orvanto::desktopPlatform()};
    window.show();
    return QApplication::exec();
}
