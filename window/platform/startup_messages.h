// What the program says when it cannot open a display. Without one, Qt would abort with a core dump
// and a screenful of plugin details; the program says in one line what it tried, what Qt found
// wrong, and how to run it.
#pragma once

#include <optional>
#include <string>

namespace orvanto {

// The display Qt is about to try, as the user set it: a -platform or -display option (or the
// --platform / --display spelling) on the command line wins over QT_QPA_PLATFORM, DISPLAY and
// WAYLAND_DISPLAY, as it does in Qt, and the last option given wins. Empty values count as unset.
// Nothing when no display is named at all.
std::optional<std::string> displayToTry(int argc, char** argv);

// The line for a machine without any display named.
std::string missingDisplayMessage();

// While it lives, Qt's messages are held back, and a fatal one ends the program with status 1 and
// one line on standard error naming `display` and the platform plugin's complaint. When it ends,
// the held messages are passed on.
class StartupMessageGuard {
  public:
    explicit StartupMessageGuard(std::string display);
    ~StartupMessageGuard();
    StartupMessageGuard(const StartupMessageGuard&) = delete;
    StartupMessageGuard& operator=(const StartupMessageGuard&) = delete;
};

}  // namespace orvanto
