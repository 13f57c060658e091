// The program `orvanto`: shows the calculator window and runs until it is closed.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "display_check.h"
#include "pdf.h"
#include "window_look.h"

int main(int argc, char* argv[]) {
    if (const auto message =
            orvanto::missingDisplayMessage([](const char* name) { return std::getenv(name); })) {
        std::fprintf(stderr, "%s\n", message->c_str());
        return EXIT_FAILURE;
    }
    QApplication application(argc, argv);
    orvanto::useClassicStyle();
    orvanto::pdf window{orvanto::desktopPlatform()};
    window.show();
    return QApplication::exec();
}
