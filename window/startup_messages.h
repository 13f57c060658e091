// Qt's messages while the application object is created. When Qt cannot open the display it was
// pointed at (an unreachable DISPLAY, a missing platform plugin) it ends the process with an abort
// and a screenful of plugin details; the program says plainly what went wrong instead.
#pragma once

#include <string>

namespace orvanto {

// While it lives, Qt's messages are held back, and a fatal one ends the program with
// `failureLine` on standard error and exit status 1. When it ends, the held messages are passed on.
class StartupMessageGuard {
  public:
    explicit StartupMessageGuard(std::string failureLine);
    ~StartupMessageGuard();
    StartupMessageGuard(const StartupMessageGuard&) = delete;
    StartupMessageGuard& operator=(const StartupMessageGuard&) = delete;
};

// The line for a display (or platform) that is set but cannot be opened, naming the setting.
std::string unreachableDisplayMessage(const char* display, const char* platform);

}  // namespace orvanto
