// The program `orvanto`: shows the calculator window and runs until it is closed. --help and
// --version are answered first, so that they work without a display.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <optional>

#include "window/calculator_window.h"
#include "window/command_line.h"
#include "window/platform/startup_messages.h"
#include "window/window_look.h"

namespace {

int run(int argc, char* argv[]) {
    if (const std::optional<int> status = orvanto::answerCommandLine(argc, argv)) {
        return *status;
    }
    // Read before QApplication takes Qt's own options out of argv.
    const std::optional<std::string> display = orvanto::displayToTry(argc, argv);
    if (!display) {
        std::fprintf(stderr, "%s\n", orvanto::missingDisplayMessage().c_str());
        return EXIT_FAILURE;
    }
    std::optional<orvanto::StartupMessageGuard> startup{std::in_place, *display};
    QApplication application(argc, argv);
    startup.reset();
    // Ties the window to its desktop entry, so that a Wayland desktop shows the entry's name and
    // icon for it (X11 desktops use the entry's StartupWMClass).
    QGuiApplication::setDesktopFileName(QStringLiteral("example.orvanto.Calculator"));
    orvanto::useClassicStyle();
    orvanto::CalculatorWindow window{orvanto::desktopPlatform()};
    window.show();
    return QApplication::exec();
}

}  // namespace

int main(int argc, char* argv[]) {
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc&) {
        // Said in one line rather than an abort, as the command line does.
        std::fprintf(stderr, "orvanto：内存不足\n");
        return EXIT_FAILURE;
    }
}
