#include "navigation/worked_sailings.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "navigation/measures.h"
#include "navigation/mercator_sailing.h"

namespace orvanto::navigation {
namespace {

constexpr double kDegree = std::numbers::pi / 180;
constexpr double kMinutesInDegree = 60;
// Below this a sine or cosine is a zero of the sums (a meridian, the equator, antipodes).
constexpr double kNoDirection = 1e-12;

bool atPole(double latitude) {
    return std::fabs(latitude) == kPoleLatitude;
}

// The vertex ahead on the great circle that leaves `from` on `course`, by Napier's rules in the
// right-angled triangle of the pole, the start and the vertex: the northern vertex for a course
// with a northerly part, the southern one (the mirror image) otherwise, the start itself on 090
// or 270 exactly.
std::optional<GreatCircleSteps::Vertex> vertexOf(const ChartPoint& from, double course) {
    const double sine = std::sin(course * kDegree);
    const double cosine = std::cos(course * kDegree);
    const double latitude = from.latitude * kDegree;
    if (std::fabs(sine) < kNoDirection ||
        (std::fabs(latitude) < kNoDirection && std::fabs(cosine) < kNoDirection)) {
        return std::nullopt;
    }
    if (course == 90 || course == 270) {
        return GreatCircleSteps::Vertex{from, 0};
    }
    const bool north = cosine > 0;
    // The course angle from the meridian towards the vertex's pole, and the start's latitude as
    // seen from that pole.
    const double angle = std::atan2(std::fabs(sine), std::fabs(cosine));
    const double mirrored = north ? latitude : -latitude;
    const double vertexLatitude = std::acos(std::cos(latitude) * std::sin(angle)) / kDegree;
    const double reach =
        std::atan2(std::cos(angle), std::sin(mirrored) * std::sin(angle)) / kDegree;
    const double fromStart = sine > 0 ? reach : -reach;
    return GreatCircleSteps::Vertex{
        {north ? vertexLatitude : -vertexLatitude, wrappedLongitude(from.longitude + fromStart)},
        fromStart};
}

}  // namespace

std::optional<MercatorSteps> mercatorSteps(const ChartPoint& from, const ChartPoint& to) {
    if (atPole(from.latitude) || atPole(to.latitude)) {
        return std::nullopt;
    }
    MercatorSteps steps;
    steps.from = from;
    steps.to = to;
    steps.latitudeMinutes = (to.latitude - from.latitude) * kMinutesInDegree;
    steps.longitudeMinutes =
        std::remainder(to.longitude - from.longitude, 360.0) * kMinutesInDegree;
    if (steps.latitudeMinutes == 0 && steps.longitudeMinutes == 0) {
        return std::nullopt;
    }
    steps.fromParts = meridionalParts(from.latitude);
    steps.toParts = meridionalParts(to.latitude);
    steps.partsDifference = steps.toParts - steps.fromParts;
    // As mercatorSailing reckons, operation for operation, so that the answer above the steps and
    // the last step agree to the bit.
    const double course = std::atan2(steps.longitudeMinutes, steps.partsDifference);
    steps.course = normalisedCourse(course / kDegree);
    steps.middleLatitude = (from.latitude + to.latitude) / 2;
    steps.departure = steps.longitudeMinutes * std::cos(steps.middleLatitude * kDegree);
    steps.byDeparture = nearlyEastWest(steps.course);
    steps.nauticalMiles = steps.byDeparture ? std::fabs(steps.departure / std::sin(course))
                                            : std::fabs(steps.latitudeMinutes / std::cos(course));
    return steps;
}

std::optional<GreatCircleSteps> greatCircleSteps(const ChartPoint& from, const ChartPoint& to,
                                                 const std::optional<WaypointStep>& every) {
    if (atPole(from.latitude) || atPole(to.latitude)) {
        return std::nullopt;
    }
    GreatCircleSteps steps;
    steps.from = from;
    steps.to = to;
    steps.fromColatitude = kPoleLatitude - from.latitude;
    steps.toColatitude = kPoleLatitude - to.latitude;
    steps.longitudeDifference = std::remainder(to.longitude - from.longitude, 360.0);
    const double phi1 = from.latitude * kDegree;
    const double phi2 = to.latitude * kDegree;
    const double dlong = steps.longitudeDifference * kDegree;
    steps.distanceCosine = std::clamp(
        std::sin(phi1) * std::sin(phi2) + std::cos(phi1) * std::cos(phi2) * std::cos(dlong), -1.0,
        1.0);
    steps.distanceArc = std::acos(steps.distanceCosine) / kDegree;
    steps.nauticalMiles = steps.distanceArc * kMinutesInDegree;
    steps.courseNumerator = std::sin(dlong);
    steps.courseDenominator = std::cos(phi1) * std::tan(phi2) - std::sin(phi1) * std::cos(dlong);
    // The same direction as sin DLong over the denominator, multiplied through by cos φ2 > 0.
    const double east = std::sin(dlong) * std::cos(phi2);
    const double north =
        std::cos(phi1) * std::sin(phi2) - std::sin(phi1) * std::cos(phi2) * std::cos(dlong);
    if (std::hypot(east, north) < kNoDirection) {
        return std::nullopt;  // the same point, or antipodes: every course leads there
    }
    steps.initialCourse = normalisedCourse(std::atan2(east, north) / kDegree);
    steps.vertex = vertexOf(from, steps.initialCourse);
    if (steps.vertex && every && every->alongMeridians) {
        const auto waypoints = greatCircleWaypoints(from, to, *every, SailingMethod::Textbook);
        const double vertexTangent = std::tan(steps.vertex->position.latitude * kDegree);
        for (const ChartPoint& waypoint :
             waypoints ? waypoints.value() : std::vector<ChartPoint>{}) {
            const double fromVertex =
                (waypoint.longitude - steps.vertex->position.longitude) * kDegree;
            steps.waypoints.push_back(
                {std::atan(vertexTangent * std::cos(fromVertex)) / kDegree, waypoint.longitude});
        }
    }
    return steps;
}

std::optional<ReckoningSteps> reckoningSteps(const ChartPoint& from, const Run& run) {
    if (atPole(from.latitude)) {
        return std::nullopt;
    }
    ReckoningSteps steps;
    steps.from = from;
    steps.run = run;
    const double course = run.course * kDegree;
    steps.latitudeMinutes = run.nauticalMiles * std::cos(course);
    steps.departure = run.nauticalMiles * std::sin(course);
    steps.toLatitude = from.latitude + steps.latitudeMinutes / kMinutesInDegree;
    if (std::fabs(steps.toLatitude) >= kPoleLatitude) {
        return std::nullopt;
    }
    steps.byDeparture = nearlyEastWest(run.course);
    steps.middleLatitude = (from.latitude + steps.toLatitude) / 2;
    steps.fromParts = meridionalParts(from.latitude);
    steps.toParts = meridionalParts(steps.toLatitude);
    steps.partsDifference = steps.toParts - steps.fromParts;
    // As mercatorReckoning reckons, so that the position reached is the answer's to the bit.
    steps.longitudeMinutes = steps.byDeparture
                                 ? steps.departure / std::cos(steps.middleLatitude * kDegree)
                                 : (steps.toParts - steps.fromParts) * std::tan(course);
    steps.reached = {
        steps.toLatitude,
        std::remainder(from.longitude + steps.longitudeMinutes / kMinutesInDegree, 360.0)};
    return steps;
}

}  // namespace orvanto::navigation
