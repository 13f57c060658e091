#include "navigation/mercator_sailing.h"

#include <cmath>
#include <numbers>

#include "navigation/measures.h"

namespace orvanto::navigation {
namespace {

constexpr double kMinutesInDegree = 60;
constexpr double kMinutesPerRadian = 10800 / std::numbers::pi;
constexpr double kDegree = std::numbers::pi / 180;
// WGS-84's flattening, and the eccentricity it gives.
constexpr double kFlattening = 1 / 298.257223563;
const double kEccentricity = std::sqrt(kFlattening * (2 - kFlattening));
// How near to east or west the departure gives the distance.
constexpr double kEastWestBand = 5;

// The difference of longitude in degrees the short way round, -180..180.
double longitudeDifference(double from, double to) {
    return std::remainder(to - from, 360.0);
}

}  // namespace

double meridionalParts(double latitude) {
    const double sine = std::sin(latitude * kDegree);
    return kMinutesPerRadian *
           (std::atanh(sine) - kEccentricity * std::atanh(kEccentricity * sine));
}

bool nearlyEastWest(double course) {
    return std::fabs(std::fabs(std::remainder(course, 180.0)) - 90) <= kEastWestBand;
}

MercatorSailing mercatorSailing(const ChartPoint& from, const ChartPoint& to) {
    const double latitudeMinutes = (to.latitude - from.latitude) * kMinutesInDegree;
    MercatorSailing sailing;
    if (std::fabs(from.latitude) == kPoleLatitude || std::fabs(to.latitude) == kPoleLatitude) {
        // A pole's meridional parts are infinite, and two of them make no difference at all: the
        // only rhumb line to or from a pole is a meridian, its distance the difference of latitude.
        sailing.run.course = latitudeMinutes < 0 ? 180 : 0;
        sailing.run.nauticalMiles = std::fabs(latitudeMinutes);
        return sailing;
    }
    const double longitudeMinutes =
        longitudeDifference(from.longitude, to.longitude) * kMinutesInDegree;
    const double partsDifference = meridionalParts(to.latitude) - meridionalParts(from.latitude);
    const double course = std::atan2(longitudeMinutes, partsDifference);
    sailing.run.course = normalisedCourse(course / kDegree);
    sailing.middleLatitude = nearlyEastWest(sailing.run.course);
    if (sailing.middleLatitude) {
        const double middle = (from.latitude + to.latitude) / 2 * kDegree;
        sailing.run.nauticalMiles =
            std::fabs(longitudeMinutes * std::cos(middle) / std::sin(course));
    } else {
        sailing.run.nauticalMiles = std::fabs(latitudeMinutes / std::cos(course));
    }
    return sailing;
}

std::optional<ChartPoint> mercatorReckoning(const ChartPoint& from, const Run& run) {
    const double course = run.course * kDegree;
    const double latitudeMinutes = run.nauticalMiles * std::cos(course);
    const double latitude = from.latitude + latitudeMinutes / kMinutesInDegree;
    if (std::fabs(latitude) >= kPoleLatitude) {
        return std::nullopt;
    }
    if (std::fabs(from.latitude) == kPoleLatitude) {
        // The meridional parts of a pole are infinite: only a course along a meridian leaves it
        // with a longitude, its own.
        if (std::remainder(run.course, 180.0) != 0) {
            return std::nullopt;
        }
        return ChartPoint{latitude, from.longitude};
    }
    double longitudeMinutes = 0;
    if (nearlyEastWest(run.course)) {
        const double middle = (from.latitude + latitude) / 2 * kDegree;
        longitudeMinutes = run.nauticalMiles * std::sin(course) / std::cos(middle);
    } else {
        longitudeMinutes =
            (meridionalParts(latitude) - meridionalParts(from.latitude)) * std::tan(course);
    }
    return ChartPoint{latitude,
                      std::remainder(from.longitude + longitudeMinutes / kMinutesInDegree, 360.0)};
}

}  // namespace orvanto::navigation
