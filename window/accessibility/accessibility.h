// How assistive technology sees the window's own widgets: the result announcer as a notification,
// the link label as a link that can be pressed.
#pragma once

namespace orvanto {

// Registers the interfaces. Must run before the first of these widgets is created: Qt keeps the
// interface it made for a widget, and a label once seen as a label stays one.
void installAccessibleInterfaces();

}  // namespace orvanto
