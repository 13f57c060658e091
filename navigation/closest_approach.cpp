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

// The closest point on the relative motion line of a target moving at `speed` knots (0 or more,
// the velocity's length): where, and how many hours after now (empty without relative motion).
struct ClosestPoint {
    SheetVector point;
    std::optional<double> hours;
};

ClosestPoint closestPoint(SheetVector position, SheetVector relativeVelocity, double speed) {
    if (speed < kStillKnots) {
        return {position, std::nullopt};
    }
    // Along the line the range is least where the position is square to the velocity.
    const double hours = -dot(position, relativeVelocity) / (speed * speed);
    return {position + hours * relativeVelocity, hours};
}

std::optional<double> minutesOf(std::optional<double> hours) {
    return hours ? std::optional{*hours * kMinutesPerHour} : std::nullopt;
}

// `heading` is own ship's course as a unit vector.
Expected<BowCrossing, NoCrossing> crossingOf(const RadarPlot& plot, SheetVector heading,
                                             double speed) {
    if (speed < kStillKnots) {
        return unexpected(NoCrossing::NoRelativeMotion);
    }
    // Own ship stays at the centre of the sheet, so its heading line is fixed there whatever its
    // speed. The target is on it when its position has no part across the heading.
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

}  // namespace

ClosestApproach closestApproach(SheetVector position, SheetVector relativeVelocity) {
    const ClosestPoint closest = closestPoint(position, relativeVelocity, length(relativeVelocity));
    return {length(closest.point), minutesOf(closest.hours), bearingOf(closest.point)};
}

ClosestApproach closestApproach(const RadarPlot& plot) {
    return closestApproach(plot.position, plot.relativeVelocity);
}

Expected<BowCrossing, NoCrossing> bowCrossing(const RadarPlot& plot, const Motion& own) {
    return crossingOf(plot, velocityOf({own.course, 1}), length(plot.relativeVelocity));
}

PassingFigures passingFigures(const RadarPlot& plot, SheetVector heading) {
    const double speed = length(plot.relativeVelocity);
    const ClosestPoint closest = closestPoint(plot.position, plot.relativeVelocity, speed);
    return {length(closest.point), minutesOf(closest.hours), crossingOf(plot, heading, speed)};
}

}  // namespace orvanto::navigation
