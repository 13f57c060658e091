// The start-up check for a display. Without one, Qt would abort with a core dump and a long
// message about platform plugins; the program says plainly what is missing and how to run it.
#pragma once

#include <optional>
#include <string>

namespace orvanto {

// The line to print when Qt has no display to open: none of DISPLAY, WAYLAND_DISPLAY or
// QT_QPA_PLATFORM is set (an empty value counts as unset). Nothing when Qt can try to start.
std::optional<std::string> missingDisplayMessage();

}  // namespace orvanto
