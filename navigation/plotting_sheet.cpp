#include "navigation/plotting_sheet.h"

#include <cmath>
#include <numbers>

#include "navigation/measures.h"

namespace orvanto::navigation {
namespace {

constexpr double kDegree = std::numbers::pi / 180;
constexpr double kCoincidentNauticalMiles = 1e-6;

// Bearings and courses are clockwise from north: east is the sine, north the cosine.
double trueDirection(SheetVector vector) {
    return normalisedCourse(std::atan2(vector.east, vector.north) / kDegree);
}

}  // namespace

SheetVector sheetPoint(double bearing, double range) {
    return {range * std::sin(bearing * kDegree), range * std::cos(bearing * kDegree)};
}

SheetVector velocityOf(const Motion& motion) {
    return sheetPoint(motion.course, motion.speed);
}

// The sheet's miles and knots are far from where squaring them could overflow or underflow, so
// the plain root serves, at a fraction of hypot's cost over millions of targets.
double length(SheetVector a) {
    return std::sqrt(a.east * a.east + a.north * a.north);
}

std::optional<double> bearingOf(SheetVector point) {
    if (length(point) < kCoincidentNauticalMiles) {
        return std::nullopt;
    }
    return trueDirection(point);
}

PlottedMotion motionOf(SheetVector velocity) {
    const double speed = length(velocity);
    if (speed < kStillKnots) {
        return {std::nullopt, speed};
    }
    return {trueDirection(velocity), speed};
}

}  // namespace orvanto::navigation
