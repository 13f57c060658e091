// Why the sailing math cannot do what it is asked: kinds, not words. Each front end words them
// through passage/sailing_reasons.h, so that the reason stands once.
#pragma once

namespace orvanto::navigation {

enum class SailingProblem {
    // A great circle over a pole crosses no meridian on the way: no 分点 by longitude.
    NoMeridiansOverPole,
    // A great circle over a pole cannot be kept within a limiting latitude.
    CompositeOverPole,
    // Reckoning from a pole along a rhumb line on a course other than 000 or 180.
    RhumbLineOffPole,
    // Reckoning along a rhumb line that reaches or passes a pole before the run is done.
    RhumbLinePastPole,
};

// Why no course to steer keeps the ship on its track in a current.
struct SteeringProblem {
    enum class Kind {
        CurrentAcross,  // the current across the track is at least the ship's speed
        NoHeadway,      // the speed over ground is zero or less
    };
    Kind kind;
    double knots = 0;  // the current across the track, or the speed over ground
    double speed = 0;  // the ship's speed through the water
};

}  // namespace orvanto::navigation
