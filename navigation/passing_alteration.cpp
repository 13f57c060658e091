#include "navigation/passing_alteration.h"

#include <array>
#include <cmath>
#include <optional>

#include "navigation/closest_approach.h"
#include "navigation/measures.h"

namespace orvanto::navigation {
namespace {

constexpr double kHalfTurn = 180;
// Below this sine own ship's course and a tangent are parallel: no speed moves along the other.
constexpr double kParallelSine = 1e-9;

// Turned anticlockwise by `radians`.
SheetVector rotated(SheetVector a, double radians) {
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    return {a.east * c - a.north * s, a.east * s + a.north * c};
}

// The situation at the moment of action, and the two directions the new relative velocity may take:
// from the target along a tangent to the circle of the passing distance, one passing either side.
struct Triangle {
    SheetVector position;
    SheetVector targetVelocity;
    std::array<SheetVector, 2> tangents;
    double minutes = 0;

    double tcpaWith(SheetVector ownVelocity) const {
        return minutes + closestApproach(position, targetVelocity - ownVelocity).tcpa.value_or(0);
    }
};

// The smallest turn to one side (+1 starboard, -1 port) among the courses of own speed whose
// relative velocity runs along a tangent: where the circle of own speed meets the line from the
// target's velocity back along the tangent, |T - k d| = s with k > 0 the new relative speed.
Expected<CourseAlteration, NoAlteration> turnFor(const Triangle& triangle, const Motion& own,
                                                 int side) {
    if (own.speed < kStillKnots) {
        return unexpected(NoAlteration::OwnShipStopped);
    }
    const SheetVector target = triangle.targetVelocity;
    std::optional<CourseAlteration> best;
    bool anyCourse = false;
    for (const SheetVector tangent : triangle.tangents) {
        const double along = dot(target, tangent);
        const double discriminant = along * along - dot(target, target) + own.speed * own.speed;
        if (discriminant < 0) {
            continue;
        }
        for (const double root : {-1.0, 1.0}) {
            const double k = along + root * std::sqrt(discriminant);
            if (k < kStillKnots) {
                continue;
            }
            anyCourse = true;
            const SheetVector ownVelocity = target - k * tangent;
            const double course = motionOf(ownVelocity).course.value_or(own.course);
            const double turn = normalisedCourse(side * (course - own.course));
            if (turn <= kHalfTurn && (!best || turn < best->turn)) {
                best = CourseAlteration{course, turn, triangle.tcpaWith(ownVelocity)};
            }
        }
    }
    if (best) {
        return *best;
    }
    return unexpected(anyCourse ? NoAlteration::OnlyOtherSide : NoAlteration::NoCourse);
}

// The speed on the present course nearest the present speed whose relative velocity runs along a
// tangent: s c + k d = T, solved for s >= 0 and k > 0 for each tangent d.
Expected<SpeedAlteration, NoAlteration> speedFor(const Triangle& triangle, const Motion& own) {
    const SheetVector heading = velocityOf({own.course, 1});
    std::optional<SpeedAlteration> best;
    for (const SheetVector tangent : triangle.tangents) {
        const double determinant = cross(heading, tangent);
        if (std::fabs(determinant) < kParallelSine) {
            continue;
        }
        const double speed = cross(triangle.targetVelocity, tangent) / determinant;
        const double k = cross(heading, triangle.targetVelocity) / determinant;
        if (speed < 0 || k < kStillKnots) {
            continue;
        }
        if (!best || std::fabs(speed - own.speed) < std::fabs(best->speed - own.speed)) {
            best = SpeedAlteration{speed, triangle.tcpaWith(speed * heading)};
        }
    }
    if (best) {
        return *best;
    }
    return unexpected(NoAlteration::NoSpeed);
}

}  // namespace

Alterations alterationsFor(const RadarPlot& plot, const Motion& own, const PassingAction& action) {
    const SheetVector relative = plot.relativeVelocity;
    Triangle triangle{plot.position + (action.minutes / kMinutesPerHour) * relative,
                      relative + velocityOf(own),
                      {},
                      action.minutes};
    const auto none = [&triangle](NoAlteration why) {
        return Alterations{triangle.position, unexpected(why), unexpected(why), unexpected(why)};
    };
    if (action.minutes < 0) {
        return none(NoAlteration::ActionBeforePlot);
    }
    if (length(relative) < kStillKnots) {
        return none(NoAlteration::NoRelativeMotion);
    }
    if (dot(triangle.position, relative) >= 0) {
        return none(NoAlteration::PastCpa);
    }
    const double range = length(triangle.position);
    if (!(action.pass < range)) {
        return none(NoAlteration::PassNotInsideRange);
    }
    // Each tangent leaves the line to own ship at the angle whose sine is pass / range.
    const double angle = std::asin(action.pass / range);
    const SheetVector inward = (-1 / range) * triangle.position;
    triangle.tangents = {rotated(inward, angle), rotated(inward, -angle)};
    return {triangle.position, turnFor(triangle, own, 1), turnFor(triangle, own, -1),
            speedFor(triangle, own)};
}

}  // namespace orvanto::navigation
