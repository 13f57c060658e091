// The radar plotting sheet (雷达标绘图): a plane around own ship, which stays at its centre, with
// east along x and north along y. Positions on it are in nautical miles and velocities in knots;
// a position plus a velocity times hours is where that point is so many hours on. Over the few
// miles and minutes of a plot the earth is flat enough for this, as it is on the paper sheet.
#pragma once

#include <cmath>
#include <numbers>
#include <optional>
#include <span>

namespace orvanto::navigation {

// A position on the sheet (nautical miles from own ship) or a velocity (knots).
struct SheetVector {
    double east = 0;
    double north = 0;
};

// A ship's course and speed as given: true course in degrees (any value; read modulo 360), knots
// 0 or more. A stopped ship keeps its course as its heading, which the bow crossing is told from.
struct Motion {
    double course = 0;
    double speed = 0;
};

// A course and speed worked out from the plot. The course is true, 0 <= course < 360, and empty
// for a speed under kStillKnots: a point that does not move has no course.
struct PlottedMotion {
    std::optional<double> course;
    double speed = 0;
};

// Below a millionth of a knot a velocity is the rounding of the observations' arithmetic, not a
// motion: a relative motion that slow would take a year to close a mile.
inline constexpr double kStillKnots = 1e-6;

inline constexpr double kMinutesPerHour = 60;

// The point at a true bearing (degrees) and range (nautical miles) from own ship, or the velocity
// of a course and speed. Inline, as length below, since tables of millions of targets call both a
// few times a row. Bearings are clockwise from north: east is the sine, north the cosine.
inline SheetVector sheetPoint(double bearing, double range) {
    constexpr double kDegree = std::numbers::pi / 180;
    return {range * std::sin(bearing * kDegree), range * std::cos(bearing * kDegree)};
}
SheetVector velocityOf(const Motion& motion);

// sheetPoint(bearing, 1) of every bearing, bit for bit, into `directions` (as long as `bearings`):
// for tables of millions of targets. The library's sine and cosine take a different path for each
// range of angles, and over random bearings the processor guesses the path wrong call after call,
// a third of their time; here each piece of the table is taken an octant of bearings at a time.
void sheetDirections(std::span<const double> bearings, std::span<SheetVector> directions);

// The true bearing of a point from own ship, 0 <= bearing < 360; empty when the point is within a
// millionth of a nautical mile of own ship, where every bearing is as good as another.
std::optional<double> bearingOf(SheetVector point);

// The course and speed of a velocity.
PlottedMotion motionOf(SheetVector velocity);

inline SheetVector operator+(SheetVector a, SheetVector b) {
    return {a.east + b.east, a.north + b.north};
}
inline SheetVector operator-(SheetVector a, SheetVector b) {
    return {a.east - b.east, a.north - b.north};
}
inline SheetVector operator*(double factor, SheetVector a) {
    return {factor * a.east, factor * a.north};
}
inline double dot(SheetVector a, SheetVector b) {
    return a.east * b.east + a.north * b.north;
}
// Positive when b lies anticlockwise (to port) of a, as seen from above with north up.
inline double cross(SheetVector a, SheetVector b) {
    return a.east * b.north - a.north * b.east;
}
// The sheet's miles and knots are far from where squaring them could overflow or underflow, so
// the plain root serves, at a fraction of hypot's cost over millions of targets.
inline double length(SheetVector a) {
    return std::sqrt(a.east * a.east + a.north * a.north);
}

}  // namespace orvanto::navigation
