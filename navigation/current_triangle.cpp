#include "navigation/current_triangle.h"

#include <cmath>
#include <numbers>

#include "navigation/measures.h"

namespace orvanto::navigation {
namespace {

constexpr double kDegree = std::numbers::pi / 180;

}  // namespace

Run runOverGround(const Run& throughWater, double hours, const Current& current) {
    const double drift = current.drift * hours;
    const double east = throughWater.nauticalMiles * std::sin(throughWater.course * kDegree) +
                        drift * std::sin(current.set * kDegree);
    const double north = throughWater.nauticalMiles * std::cos(throughWater.course * kDegree) +
                         drift * std::cos(current.set * kDegree);
    return {normalisedCourse(std::atan2(east, north) / kDegree), std::hypot(east, north)};
}

Expected<Steering, SteeringProblem> steerAgainst(double track, const Current& current,
                                                 double speed) {
    // The current's components across the track (to starboard) and along it.
    const double angle = (current.set - track) * kDegree;
    const double across = current.drift * std::sin(angle);
    const double along = current.drift * std::cos(angle);
    if (std::fabs(across) >= speed) {
        return unexpected(
            SteeringProblem{SteeringProblem::Kind::CurrentAcross, std::fabs(across), speed});
    }
    // Heading into the current just enough that the ship's own velocity across the track cancels
    // the current's.
    const double offset = std::asin(-across / speed);
    const double overGround = speed * std::cos(offset) + along;
    if (overGround <= 0) {
        return unexpected(SteeringProblem{SteeringProblem::Kind::NoHeadway, overGround, speed});
    }
    return Steering{normalisedCourse(track + offset / kDegree), overGround};
}

}  // namespace orvanto::navigation
