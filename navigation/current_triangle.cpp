#include "navigation/current_triangle.h"

#include <cmath>
#include <numbers>

#include "calculator/decimal_text.h"
#include "navigation/courses.h"

namespace orvanto::navigation {
namespace {

constexpr double kDegree = std::numbers::pi / 180;

std::string knotsText(double knots) {
    return formatDecimals(knots, 1, NumberStyle::Fixed) + " 节";
}

}  // namespace

Run runOverGround(const Run& throughWater, double hours, const Current& current) {
    const double drift = current.drift * hours;
    const double east = throughWater.nauticalMiles * std::sin(throughWater.course * kDegree) +
                        drift * std::sin(current.set * kDegree);
    const double north = throughWater.nauticalMiles * std::cos(throughWater.course * kDegree) +
                         drift * std::cos(current.set * kDegree);
    return {normalisedCourse(std::atan2(east, north) / kDegree), std::hypot(east, north)};
}

Expected<Steering, std::string> steerAgainst(double track, const Current& current, double speed) {
    // The current's components across the track (to starboard) and along it.
    const double angle = (current.set - track) * kDegree;
    const double across = current.drift * std::sin(angle);
    const double along = current.drift * std::cos(angle);
    if (std::fabs(across) >= speed) {
        return unexpected("横越航线的流速 " + knotsText(std::fabs(across)) + "不小于航速 " +
                          knotsText(speed) + "，无法保持本段航向");
    }
    // Heading into the current just enough that the ship's own velocity across the track cancels
    // the current's.
    const double offset = std::asin(-across / speed);
    const double overGround = speed * std::cos(offset) + along;
    if (overGround <= 0) {
        return unexpected("流使对地航速为 " + knotsText(overGround) + "，本段无法到达");
    }
    return Steering{normalisedCourse(track + offset / kDegree), overGround};
}

}  // namespace orvanto::navigation
