#include "navigation/position_lines.h"

#include <GeographicLib/Constants.hpp>
#include <GeographicLib/Geodesic.hpp>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "navigation/measures.h"
#include "navigation/rhumb_lines.h"

namespace orvanto::navigation {
namespace {

constexpr double kDegree = std::numbers::pi / 180;
// A point within this of a landmark (nautical miles) sees no direction to it.
constexpr double kOnLandmark = 1e-7;
// The step of the numerical slope: small against any line's curvature, large against the
// geodesic's and rhumb line's rounding (nanometres).
constexpr double kSlopeStep = 1e-3;

struct Geodesic {
    double nauticalMiles = 0;
    double azimuth = 0;  // degrees, at the start
};

Geodesic geodesic(const ChartPoint& from, const ChartPoint& to) {
    double metres = 0;
    double azimuthFrom = 0;
    double azimuthTo = 0;
    GeographicLib::Geodesic::WGS84().Inverse(from.latitude, from.longitude, to.latitude,
                                             to.longitude, metres, azimuthFrom, azimuthTo);
    return {metres / kMetresPerNauticalMile, azimuthFrom};
}

std::optional<ChartPoint> sailed(const std::optional<ChartPoint>& from, const Run& run) {
    if (!from || run.nauticalMiles == 0) {
        return from;
    }
    return sailRhumbLine(*from, run, SailingMethod::Wgs84);
}

Run reversed(const Run& run) {
    return {normalisedCourse(run.course + 180), run.nauticalMiles};
}

// Across the rhumb line on which the landmark bears `bearing`: the rhumb distance to the landmark
// times the sine of the bearing's error, which is the offset itself near the line.
std::optional<double> bearingOffset(const ChartPoint& point, const ChartPoint& landmark,
                                    double bearing) {
    const Run toLandmark = rhumbBetween(point, landmark, SailingMethod::Wgs84);
    const double error = (toLandmark.course - bearing) * kDegree;
    if (toLandmark.nauticalMiles < kOnLandmark || std::cos(error) <= 0) {
        return std::nullopt;
    }
    return toLandmark.nauticalMiles * std::sin(error);
}

// The angle's error in radians times d1·d2/D, the distances to the landmarks and between them:
// an arc's inscribed angle changes by D/(d1·d2) radians a nautical mile across it.
std::optional<double> angleOffset(const ChartPoint& point, const PositionLine& line) {
    const Geodesic first = geodesic(point, line.landmark);
    const Geodesic second = geodesic(point, line.second);
    const double between = geodesic(line.landmark, line.second).nauticalMiles;
    if (first.nauticalMiles < kOnLandmark || second.nauticalMiles < kOnLandmark ||
        between < kOnLandmark) {
        return std::nullopt;
    }
    const double seen = normalisedCourse(second.azimuth - first.azimuth);
    const double error = std::remainder(seen - line.value, 360.0) * kDegree;
    return error * first.nauticalMiles * second.nauticalMiles / between;
}

}  // namespace

LocalScale localScale(double latitude) {
    const double a = GeographicLib::Constants::WGS84_a();
    const double f = GeographicLib::Constants::WGS84_f();
    const double e2 = f * (2 - f);
    const double s = std::sin(latitude * kDegree);
    const double w = std::sqrt(1 - e2 * s * s);
    const double meridian = a * (1 - e2) / (w * w * w);
    const double primeVertical = a / w;
    // Within a hair of a pole a degree of longitude is still some distance, so that nothing
    // divides by zero.
    const double parallel = std::max(primeVertical * std::cos(latitude * kDegree), 1e-3);
    return {parallel * kDegree / kMetresPerNauticalMile,
            meridian * kDegree / kMetresPerNauticalMile};
}

ChartPoint offsetPoint(const ChartPoint& from, SheetVector offset) {
    const LocalScale scale = localScale(from.latitude);
    const double latitude = std::clamp(from.latitude + offset.north / scale.northPerDegree,
                                       -kPoleLatitude + 1e-9, kPoleLatitude - 1e-9);
    return {latitude, wrappedLongitude(from.longitude + offset.east / scale.eastPerDegree)};
}

std::optional<ChartPoint> transferred(const PositionLine& line, const ChartPoint& point) {
    return sailed(sailed(point, line.run), line.drift);
}

std::optional<ChartPoint> transferredBack(const PositionLine& line, const ChartPoint& point) {
    return sailed(sailed(point, reversed(line.drift)), reversed(line.run));
}

std::optional<double> lineOffset(const PositionLine& line, const ChartPoint& point) {
    const std::optional<ChartPoint> observed = transferredBack(line, point);
    if (!observed) {
        return std::nullopt;
    }
    switch (line.kind) {
        case PositionLineKind::Bearing:
            return bearingOffset(*observed, line.landmark, line.value);
        case PositionLineKind::Range: {
            const double miles = geodesic(*observed, line.landmark).nauticalMiles;
            return miles - line.value;
        }
        case PositionLineKind::HorizontalAngle:
            break;
    }
    return angleOffset(*observed, line);
}

std::optional<SheetVector> offsetGradient(const PositionLine& line, const ChartPoint& point) {
    const auto slope = [&](SheetVector step) -> std::optional<double> {
        const auto ahead = lineOffset(line, offsetPoint(point, step));
        const auto behind = lineOffset(line, offsetPoint(point, -1 * step));
        if (!ahead || !behind) {
            return std::nullopt;
        }
        return (*ahead - *behind) / (2 * kSlopeStep);
    };
    const auto east = slope({kSlopeStep, 0});
    const auto north = slope({0, kSlopeStep});
    if (!east || !north) {
        return std::nullopt;
    }
    return SheetVector{*east, *north};
}

}  // namespace orvanto::navigation
