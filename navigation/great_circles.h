// Great circles (大圆航线) for passage planning: on WGS-84 strictly the geodesics, the shortest
// ways that GeographicLib solves; on the textbook's sphere (SailingMethod::Textbook) great circles
// proper, through the same code. Distances in nautical miles, courses in degrees true
// (0 <= course < 360). Longitudes of the points given back are continuous along the circle from
// its start's (they may run beyond ±180) unless said otherwise.
#pragma once

#include <optional>
#include <vector>

#include "geometry/chart_point.h"
#include "navigation/sailing_method.h"
#include "navigation/sailing_problem.h"
#include "text/expected.h"

namespace orvanto::navigation {

// How far apart a great circle's waypoints (分点) are: at every meridian that is a multiple of a
// longitude interval, or at every so many nautical miles along it.
struct WaypointStep {
    bool alongMeridians = true;  // a longitude interval in degrees, else a distance
    double degrees = 0;          // the interval, 0.1 to 90
    double nauticalMiles = 0;    // the distance, 1 to 10,000
};

struct GreatCircle {
    double nauticalMiles = 0;
    double initialCourse = 0;  // at the start; meaningless for identical points or at a pole
    double finalCourse = 0;    // on arrival
};

GreatCircle greatCircleBetween(const ChartPoint& from, const ChartPoint& to, SailingMethod method);

struct Arrival {
    ChartPoint position;
    double course = 0;  // the great circle's course there
};

// Where the great circle that leaves `from` on the run's course is after the run's distance.
Arrival sailGreatCircle(const ChartPoint& from, const Run& run, SailingMethod method);

// The vertex (顶点) of a great circle: where it comes nearest a pole, its course 090 or 270.
struct Vertex {
    ChartPoint position;
    bool onLeg = false;  // between the two points, or on one of them
};

// The vertex ahead of `from` on the great circle to `to`: the northern one for initial courses
// from 270 through 000 to 090, the southern one for 090 through 180 to 270, `from` itself for a
// course of exactly 090 or 270. Nothing along a meridian (the vertex would be a pole) or the
// equator (every point would be one), nor for identical points or a pole.
std::optional<Vertex> vertexAhead(const ChartPoint& from, const ChartPoint& to,
                                  SailingMethod method);

// The great circle and its vertex ahead, from one solution of the geodesic: what an analyst asks of
// many legs at once.
struct GreatCircleLeg {
    GreatCircle circle;
    std::optional<Vertex> vertex;
};
GreatCircleLeg greatCircleLeg(const ChartPoint& from, const ChartPoint& to, SailingMethod method);

// The waypoints (分点) of the great circle from `from` to `to`, in order and without its ends: at
// every meridian that is a multiple of the step's interval (the longitude exactly that multiple,
// none along a meridian), or at every step's distance from `from`. Longitudes within -180..180.
// NoMeridiansOverPole when the interval is in degrees and the great circle runs over a pole: it
// crosses no
// meridian between, and the rhumb line of its ends would sail a different way altogether.
Expected<std::vector<ChartPoint>, SailingProblem> greatCircleWaypoints(const ChartPoint& from,
                                                                       const ChartPoint& to,
                                                                       const WaypointStep& step,
                                                                       SailingMethod method);

// Composite sailing (混合航线) of a leg that would go beyond the limiting latitude: the great
// circle from the start whose vertex lies on the parallel, the parallel, and the great circle
// from the parallel to the end that touches it there.
struct LimitedLeg {
    ChartPoint meetsLimit;   // the first great circle's vertex (限制纬度起)
    ChartPoint leavesLimit;  // where the second one leaves the parallel (限制纬度止)
    bool eastward = true;    // the parallel is sailed on 090, else on 270
};

// How the leg from `from` to `to` keeps within ±limit (both within it): nothing when its great
// circle already does; CompositeOverPole when it cannot (a leg over a pole).
Expected<std::optional<LimitedLeg>, SailingProblem> compositeLeg(const ChartPoint& from,
                                                                 const ChartPoint& to, double limit,
                                                                 SailingMethod method);

// Points along the great circle from `from` to `to`, both ends included, at equal steps of at most
// `maxStepKilometres`: straight segments of 10 km between them stay within a few metres of it.
std::vector<ChartPoint> greatCirclePath(const ChartPoint& from, const ChartPoint& to,
                                        double maxStepKilometres,
                                        SailingMethod method = SailingMethod::Wgs84);

}  // namespace orvanto::navigation
