#include "navigation/plotting_sheet.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "navigation/measures.h"

namespace orvanto::navigation {
namespace {

constexpr double kDegree = std::numbers::pi / 180;
constexpr double kCoincidentNauticalMiles = 1e-6;

constexpr std::size_t kOctants = 8;
// Bearings ordered at a time: the rows of each octant fit the first-level cache together.
constexpr std::size_t kPieceBearings = 1024;

// Only an order: a bearing outside 0..360 (or none) goes with the first octant.
std::size_t octantOf(double bearing) {
    if (!(bearing >= 0 && bearing < 360)) {
        return 0;
    }
    return std::min(static_cast<std::size_t>(bearing * (kOctants / 360.0)), kOctants - 1);
}

// Bearings and courses are clockwise from north: east is the sine, north the cosine.
double trueDirection(SheetVector vector) {
    return normalisedCourse(std::atan2(vector.east, vector.north) / kDegree);
}

}  // namespace

SheetVector velocityOf(const Motion& motion) {
    return sheetPoint(motion.course, motion.speed);
}

void sheetDirections(std::span<const double> bearings, std::span<SheetVector> directions) {
    // Each octant's bearings as places in the piece, filled before they are read.
    std::array<std::array<std::uint16_t, kPieceBearings>, kOctants> places;
    for (std::size_t first = 0; first < bearings.size(); first += kPieceBearings) {
        const std::size_t count = std::min(kPieceBearings, bearings.size() - first);
        std::array<std::size_t, kOctants> counts{};
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t octant = octantOf(bearings[first + i]);
            places[octant][counts[octant]++] = static_cast<std::uint16_t>(i);
        }
        for (std::size_t octant = 0; octant < kOctants; ++octant) {
            for (std::size_t j = 0; j < counts[octant]; ++j) {
                const std::size_t row = first + places[octant][j];
                directions[row] = sheetPoint(bearings[row], 1);
            }
        }
    }
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
