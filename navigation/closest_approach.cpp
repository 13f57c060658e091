#include "navigation/closest_approach.h"

#include <cmath>

namespace orvanto::navigation {
namespace {

// Below this sine the relative motion and the heading line are taken as parallel: the crossing
// would be millions of times farther off than the target is.
constexpr double kParallelSine = 1e-9;
// A crossing within this of own ship (nautical miles) is through own ship: told as ahead, not by
// the sign of a rounding error.
constexpr double kThroughOwnShip = 1e-6;

}  // namespace

ClosestApproach closestApproach(SheetVector position, SheetVector relativeVelocity) {
    const double speed = length(relativeVelocity);
    if (speed < kStillKnots) {
        return {length(position), std::nullopt, bearingOf(position)};
    }
    // Along the line the range is least where the position is square to the velocity.
    const double hours = -dot(position, relativeVelocity) / (speed * speed);
    const SheetVector closest = position + hours * relativeVelocity;
    return {length(closest), hours * kMinutesPerHour, bearingOf(closest)};
}

ClosestApproach closestApproach(const RadarPlot& plot) {
    return closestApproach(plot.position, plot.relativeVelocity);
}

Expected<BowCrossing, NoCrossing> bowCrossing(const RadarPlot& plot, const Motion& own) {
    const double speed = length(plot.relativeVelocity);
    if (speed < kStillKnots) {
        return unexpected(NoCrossing::NoRelativeMotion);
    }
    // Own ship stays at the centre of the sheet, so its heading line is fixed there whatever its
    // speed. The target is on it when its position has no part across the heading.
    const SheetVector heading = velocityOf({own.course, 1});
    const double closing = cross(heading, plot.relativeVelocity);
    if (std::fabs(closing) < kParallelSine * speed) {
        return unexpected(NoCrossing::ParallelToHeading);
    }
    const double hours = -cross(heading, plot.position) / closing;
    if (hours < 0) {
        return unexpected(NoCrossing::AlreadyCrossed);
    }
    const double ahead = dot(heading, plot.position + hours * plot.relativeVelocity);
    return BowCrossing{std::fabs(ahead), hours * kMinutesPerHour,
                       ahead < -kThroughOwnShip ? CrossingSide::Astern : CrossingSide::Ahead};
}

}  // namespace orvanto::navigation
