// The alteration for a passing distance (避让): own ship runs on its course and speed until the
// moment of action, then alters its course to starboard, or to port, or its speed on the present
// course, so that the target's new DCPA is the distance wanted. The target keeps its course and
// speed throughout. Which alteration to make, and whether to make one, is the officer's judgement:
// each is given, or why there is none.
#pragma once

#include "navigation/plotting_sheet.h"
#include "navigation/radar_plot.h"
#include "text/expected.h"

namespace orvanto::navigation {

struct PassingAction {
    double minutes = 0;  // the moment of action, minutes after the last observation, 0 or more
    double pass = 0;     // the DCPA wanted, nautical miles, 0 or more
};

struct CourseAlteration {
    double course = 0;  // the new true course, 0 <= course < 360
    double turn = 0;    // degrees turned to that side, 0 to 180
    double tcpa = 0;    // minutes after the last observation, on the new course
};

struct SpeedAlteration {
    double speed = 0;  // knots, 0 or more
    double tcpa = 0;   // minutes after the last observation, at the new speed
};

// Why an alteration gives no such DCPA. The first four hold for every alteration alike.
enum class NoAlteration {
    ActionBeforePlot,  // the moment of action is before the last observation
    NoRelativeMotion,  // the target keeps its range: it neither closes nor passes
    PastCpa,           // at the moment of action the target is at its CPA or past it, drawing away
    PassNotInsideRange,  // the distance wanted is not less than the range at the moment of action
    OwnShipStopped,      // a ship without way cannot alter course: only its speed
    NoCourse,            // no course at own speed gives it (the target is too fast to steer around)
    OnlyOtherSide,       // courses give it, but none is reached by turning this way 180° or less
    NoSpeed,             // no speed on the present course, stopped included, gives it
};

struct Alterations {
    SheetVector position;  // the target at the moment of action, nautical miles
    Expected<CourseAlteration, NoAlteration> starboard;
    Expected<CourseAlteration, NoAlteration> port;
    Expected<SpeedAlteration, NoAlteration> speed;
};

// The smallest turn to each side and the speed nearest own ship's present speed that make the
// target pass at `action.pass`. Exactly, from the relative-velocity triangle: the new relative
// velocity must run from the target's position at the moment of action along one of the two
// tangents to the circle of the passing distance round own ship, and that relative velocity is the
// target's true velocity less own ship's new one.
Alterations alterationsFor(const RadarPlot& plot, const Motion& own, const PassingAction& action);

}  // namespace orvanto::navigation
