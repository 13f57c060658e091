#include "navigation/geodesic_measures.h"

#include <GeographicLib/Geodesic.hpp>

#include <cmath>

#include "navigation/measures.h"

namespace orvanto::navigation {
namespace {

// The azimuth at `from` of the geodesic to `to`, in degrees.
double azimuth(const ChartPoint& from, const ChartPoint& to) {
    double metres = 0;
    double azimuthFrom = 0;
    double azimuthTo = 0;
    GeographicLib::Geodesic::WGS84().Inverse(from.latitude, from.longitude, to.latitude,
                                             to.longitude, metres, azimuthFrom, azimuthTo);
    return azimuthFrom;
}

bool onTheGlobe(const ChartPoint& point) {
    return std::fabs(point.latitude) <= kPoleLatitude;
}

}  // namespace

std::optional<double> geodesicKilometres(const ChartPoint& from, const ChartPoint& to) {
    if (!onTheGlobe(from) || !onTheGlobe(to)) {
        return std::nullopt;
    }
    double metres = 0;
    GeographicLib::Geodesic::WGS84().Inverse(from.latitude, from.longitude, to.latitude,
                                             to.longitude, metres);
    return metres / kMetresPerKilometre;
}

std::optional<double> geodesicAngle(const ChartPoint& vertex, const ChartPoint& first,
                                    const ChartPoint& second) {
    if (!onTheGlobe(vertex) || !onTheGlobe(first) || !onTheGlobe(second)) {
        return std::nullopt;
    }
    return std::fabs(std::remainder(azimuth(vertex, first) - azimuth(vertex, second), 360.0));
}

}  // namespace orvanto::navigation
