#include "navigation/geodesic_measures.h"

#include <GeographicLib/Geodesic.hpp>

#include <cmath>

namespace orvanto::navigation {
namespace {

constexpr double kMetresPerKilometre = 1000;

// The azimuth at `from` of the geodesic to `to`, in degrees.
double azimuth(const ChartPoint& from, const ChartPoint& to) {
    double metres = 0;
    double azimuthFrom = 0;
    double azimuthTo = 0;
    GeographicLib::Geodesic::WGS84().Inverse(from.latitude, from.longitude, to.latitude,
                                             to.longitude, metres, azimuthFrom, azimuthTo);
    return azimuthFrom;
}

}  // namespace

double geodesicKilometres(const ChartPoint& from, const ChartPoint& to) {
    double metres = 0;
    GeographicLib::Geodesic::WGS84().Inverse(from.latitude, from.longitude, to.latitude,
                                             to.longitude, metres);
    return metres / kMetresPerKilometre;
}

double geodesicAngle(const ChartPoint& vertex, const ChartPoint& first, const ChartPoint& second) {
    return std::fabs(std::remainder(azimuth(vertex, first) - azimuth(vertex, second), 360.0));
}

}  // namespace orvanto::navigation
