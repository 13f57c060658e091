// What `orvanto` answers on its command line before it opens anything: --help and --version need
// no display, and an option it does not know is told at once instead of being left to Qt.
#pragma once

#include <optional>

namespace orvanto {

// Reads the options (Qt's own window options, such as -display, pass untouched). Gives the exit
// status when the program ends here, having printed the help, the version or a one-line reminder;
// nothing when the window is to open.
std::optional<int> answerCommandLine(int argc, char** argv);

}  // namespace orvanto
