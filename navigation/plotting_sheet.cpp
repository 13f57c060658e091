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

SheetVector velocityOf(const Motion& motion) {
    return sheetPoint(motion.course, motion.speed);
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
