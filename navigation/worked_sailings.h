// The textbook's sums behind its answers, one quantity at a time, for a cadet to check a worked
// solution against: Mercator sailing (and middle-latitude sailing near 090 and 270), the great
// circle on the sphere by the cosine and four-parts formulas, and dead reckoning along the rhumb
// line. Every quantity is kept at full precision; rounding is the writer's, for display only.
// Angles and longitudes in degrees, arcs of latitude, longitude and departure in minutes (one
// minute one nautical mile), north and east positive.
#pragma once

#include <optional>
#include <vector>

#include "geometry/chart_point.h"
#include "navigation/great_circles.h"
#include "navigation/sailing_method.h"

namespace orvanto::navigation {

// The Mercator sums of mercator_sailing.h, step by step; they give its course and distance to the
// last bit.
struct MercatorSteps {
    ChartPoint from;
    ChartPoint to;
    double latitudeMinutes = 0;   // DLat′ = 60 (φ2 − φ1)
    double longitudeMinutes = 0;  // DLong′ = 60 (λ2 − λ1), the short way round
    double fromParts = 0;         // MP1
    double toParts = 0;           // MP2
    double partsDifference = 0;   // DMP = MP2 − MP1
    double course = 0;            // C from tan C = DLong′ / DMP, 0 <= C < 360
    double middleLatitude = 0;    // φm = (φ1 + φ2) / 2
    double departure = 0;         // Dep′ = DLong′ cos φm
    bool byDeparture = false;  // within 5° of 090 or 270: S = Dep′ / sin C, else DLat′ sec C
    double nauticalMiles = 0;
};

// Nothing when a point is a pole (its meridional parts are infinite) or the points are one.
std::optional<MercatorSteps> mercatorSteps(const ChartPoint& from, const ChartPoint& to);

// The great circle on the textbook's sphere as the spherical triangle of the pole and the two
// points is solved by hand.
struct GreatCircleSteps {
    ChartPoint from;
    ChartPoint to;
    double fromColatitude = 0;       // 90° − φ1
    double toColatitude = 0;         // 90° − φ2
    double longitudeDifference = 0;  // DLong, the angle at the pole, -180..180
    // cos D = sin φ1 sin φ2 + cos φ1 cos φ2 cos DLong
    double distanceCosine = 0;
    double distanceArc = 0;    // D in degrees
    double nauticalMiles = 0;  // 60 D
    // tan C = sin DLong / (cos φ1 tan φ2 − sin φ1 cos DLong): the numerator, the denominator, and
    // C itself (0 <= C < 360) in the quadrant the signs of both give.
    double courseNumerator = 0;
    double courseDenominator = 0;
    double initialCourse = 0;
    // The vertex ahead (great_circles.h's rule): cos φv = cos φ1 sin C, and the longitude from the
    // start DLo_v with tan DLo_v = 1 / (sin φ1 tan C). Nothing along a meridian or the equator.
    struct Vertex {
        ChartPoint position;            // longitude -180..180
        double longitudeFromStart = 0;  // DLo_v, east positive
    };
    std::optional<Vertex> vertex;
    // With a longitude interval, the waypoints (分点) on its meridians: tan φ = tan φv cos(λ − λv).
    std::vector<ChartPoint> waypoints;
};

// Nothing for identical points, a point at a pole or antipodal points, whose great circle the
// sums leave undetermined. The waypoints are computed only for a step along meridians.
std::optional<GreatCircleSteps> greatCircleSteps(const ChartPoint& from, const ChartPoint& to,
                                                 const std::optional<WaypointStep>& every);

// Dead reckoning along the rhumb line (mercatorReckoning), step by step.
struct ReckoningSteps {
    ChartPoint from;
    Run run;
    double latitudeMinutes = 0;  // DLat′ = S cos C
    double departure = 0;        // Dep′ = S sin C
    double toLatitude = 0;       // φ2 = φ1 + DLat′ / 60
    bool byDeparture = false;    // within 5° of 090 or 270: DLong′ = Dep′ sec φm
    double middleLatitude = 0;   // φm
    double fromParts = 0;        // MP1
    double toParts = 0;          // MP2
    double partsDifference = 0;  // DMP; else DLong′ = DMP tan C
    double longitudeMinutes = 0;
    ChartPoint reached;  // longitude -180..180
};

// Nothing from a pole, or when the rhumb line would reach or pass a pole.
std::optional<ReckoningSteps> reckoningSteps(const ChartPoint& from, const Run& run);

}  // namespace orvanto::navigation
