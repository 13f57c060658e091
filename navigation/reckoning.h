// Dead reckoning (推算船位): the position after steering a course for a distance, along the rhumb
// line (the course held, what a ship steering it does) and along the great circle that starts on
// that course, with the great circle's course there. With a current the ship's run through the
// water and the current's drift over the same hours add up to its run over ground.
#pragma once

#include "geometry/chart_point.h"
#include "navigation/sailing_method.h"
#include "navigation/sailing_problem.h"
#include "text/expected.h"

namespace orvanto::navigation {

struct Reckoning {
    ChartPoint rhumb;        // longitude within -180..180
    ChartPoint greatCircle;  // longitude within -180..180
    double finalCourse = 0;  // the great circle's, 0 <= course < 360
};

// From `start` on the run: RhumbLinePastPole when the rhumb line would reach or pass a pole first,
// RhumbLineOffPole when it leaves a pole other than along a meridian.
Expected<Reckoning, SailingProblem> reckon(const ChartPoint& start, const Run& run,
                                           SailingMethod method);

}  // namespace orvanto::navigation
