// The distance command behind the button "计算两点距离": points 1 and 2 from their entry boxes to
// the distance in kilometres (Text7) and nautical miles (Text8).
#pragma once

#include "command_steps.h"
#include "window_services.h"

namespace orvanto {

inline constexpr double kKilometresPerNauticalMile = 1.852;

// Writes both result boxes, or none: an empty entry box shows the incomplete-entry message, and an
// entry that cannot be decoded or points too far apart for the distance are reported.
CommandOutcome runDistanceCommand(WindowServices& window);

}  // namespace orvanto
