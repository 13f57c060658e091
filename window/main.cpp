// The program `orvanto`: shows the calculator window and runs until it is closed.
#include <QApplication>
#include <QStyleFactory>
#include <cstdio>
#include <cstdlib>

#include "display_check.h"
#include "pdf.h"

int main(int argc, char* argv[]) {
    if (const auto message =
            orvanto::missingDisplayMessage([](const char* name) { return std::getenv(name); })) {
        std::fprintf(stderr, "%s\n", message->c_str());
        return EXIT_FAILURE;
    }
    QApplication application(argc, argv);
    // The classic style paints a button's face in its palette colour and adds no icons to message
    // box buttons; Fusion shades the tinted faces into gradients.
    if (QStyle* classic = QStyleFactory::create(QStringLiteral("Windows"))) {
        QApplication::setStyle(classic);
    }
    orvanto::pdf window{orvanto::desktopPlatform()};
    window.show();
    return QApplication::exec();
}
