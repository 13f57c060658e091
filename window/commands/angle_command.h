// The angle command behind the button "计算三点夹角": points 1, 2 and the reference point from
// their entry boxes to the angle at the reference point (Text9).
#pragma once

#include "command_steps.h"
#include "window_services.h"

namespace orvanto {

// Writes the angle box, or leaves it as it was: an empty entry box shows the incomplete-entry
// message; an entry that cannot be decoded, a pair of points too far apart, or an angle that cannot
// be determined is reported, in that order of precedence.
CommandOutcome runAngleCommand(WindowServices& window);

}  // namespace orvanto
