// A ship in a current (流): the run over ground of a course steered through the water, and the
// course to steer through the water that makes good a track, from the triangle of the ship's
// velocity through the water, the current's, and their sum over ground.
#pragma once

#include "navigation/sailing_method.h"
#include "navigation/sailing_problem.h"
#include "text/expected.h"

namespace orvanto::navigation {

// A current: the direction it flows toward (its set, 流向), degrees true, and its rate (its drift,
// 流速), knots.
struct Current {
    double set = 0;    // 0 <= set < 360
    double drift = 0;  // 0 to 20
};

// The run over ground of `throughWater` sailed in `hours` with the current setting the ship: the
// vector sum of the two runs, as a course and a distance.
Run runOverGround(const Run& throughWater, double hours, const Current& current);

struct Steering {
    double courseToSteer = 0;    // true, 0 <= course < 360
    double speedOverGround = 0;  // knots, more than 0
};

// The heading through the water at `speed` knots that keeps the ship on `track` (degrees true) in
// the current, and the speed over ground it makes; the problem when the current across the track
// is at least the ship's speed, or the speed over ground is zero or less.
Expected<Steering, SteeringProblem> steerAgainst(double track, const Current& current,
                                                 double speed);

}  // namespace orvanto::navigation
