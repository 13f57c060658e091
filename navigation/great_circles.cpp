#include "navigation/great_circles.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "navigation/measures.h"

namespace orvanto::navigation {
namespace {

using GeographicLib::Geodesic;
using GeographicLib::GeodesicLine;

constexpr double kDegree = std::numbers::pi / 180;
// Sines and cosines this small are a meridian's or the equator's zeros, not a direction.
constexpr double kNoDirection = 1e-14;
// Arcs (degrees) and longitudes this close count as the same point: about 0.1 mm.
constexpr double kSameArc = 1e-9;
// A distance step that ends within a metre of the end puts no waypoint on top of it.
constexpr double kSameMetres = 1;
// A vertex nearer the pole than positions are written (0.005′ of latitude) is the pole itself.
constexpr double kPoleMargin = 0.005 / 60;
// Bisection halves an interval of at most 180° of arc this often to reach the last bit.
constexpr int kBisections = 64;

const Geodesic& geodesicOf(SailingMethod method) {
    if (method == SailingMethod::Textbook) {
        static const Geodesic sphere(kTextbookRadiusMetres, 0);
        return sphere;
    }
    return Geodesic::WGS84();
}

struct LinePoint {
    ChartPoint position{};
    double azimuth = 0;
};

// The point of `line` at an arc (degrees) or a distance (metres) from its start; LONG_UNROLL counts
// whole turns of longitude instead of wrapping at ±180.
LinePoint pointOf(const GeodesicLine& line, bool byArc, double along) {
    LinePoint point;
    double unused = 0;
    line.GenPosition(
        byArc, along,
        Geodesic::LATITUDE | Geodesic::LONGITUDE | Geodesic::AZIMUTH | Geodesic::LONG_UNROLL,
        point.position.latitude, point.position.longitude, point.azimuth, unused, unused, unused,
        unused, unused);
    return point;
}

ChartPoint wrapped(ChartPoint point) {
    point.longitude = wrappedLongitude(point.longitude);
    return point;
}

// Whether the line runs along a meridian (its vertex would be a pole), or along the equator (every
// point would be one): its course where it crosses the equator is 000 or 180, or 090 or 270.
bool alongMeridian(const GeodesicLine& line) {
    double sine = 0;
    double cosine = 0;
    line.EquatorialAzimuth(sine, cosine);
    return std::fabs(sine) < kNoDirection;
}

bool alongEquator(const GeodesicLine& line) {
    double sine = 0;
    double cosine = 0;
    line.EquatorialAzimuth(sine, cosine);
    return std::fabs(cosine) < kNoDirection;
}

// The longitude change from the line's start to its end, whole turns counted.
double longitudeReach(const GeodesicLine& line) {
    return pointOf(line, true, line.Arc()).position.longitude - line.Longitude();
}

// Whether the line runs along a meridian to a pole and on down the opposite one.
bool overPole(const GeodesicLine& line) {
    return alongMeridian(line) && std::fabs(std::fabs(longitudeReach(line)) - 180) < kSameArc;
}

// The arc from the line's start to the vertex ahead: the northern one (σ = 90° from the northward
// equator crossing) when it starts northward, else the southern one (σ = 270°).
double arcToVertex(const GeodesicLine& line) {
    double sine = 0;
    double cosine = 0;
    line.Azimuth(sine, cosine);
    if (std::fabs(cosine) < kNoDirection) {
        return 0;
    }
    const double arc = std::fmod((cosine > 0 ? 90.0 : 270.0) - line.EquatorialArc(), 360.0);
    return arc < 0 ? arc + 360.0 : arc;
}

struct ArcRange {
    double lowest;
    double highest;
};

// The arc within `range` at which the line, its longitude running monotonically from its start,
// reaches the meridian `longitude` (continuous). The longitude runs smoothly along the arc, so
// false position (the Illinois variant, which halves the far end's value when one end keeps
// moving) gets there in a handful of positions where halving the range took 64; it stops at the
// last bit the range can be cut to, or where a position falls on the meridian exactly.
double arcAtMeridian(const GeodesicLine& line, double longitude, ArcRange range, bool eastward) {
    const double direction = eastward ? 1 : -1;
    // Past the meridian positive, short of it negative.
    const auto beyond = [&](double arc) {
        return direction * (pointOf(line, true, arc).position.longitude - longitude);
    };
    auto [lowest, highest] = range;
    double shortBy = beyond(lowest);
    double pastBy = beyond(highest);
    if (!(shortBy < 0)) {
        return lowest;
    }
    if (!(pastBy > 0)) {
        return highest;
    }
    int lastMoved = 0;  // -1 the lower end, +1 the upper
    for (int i = 0; i < kBisections; ++i) {
        double middle = lowest - shortBy * (highest - lowest) / (pastBy - shortBy);
        if (!(middle > lowest && middle < highest)) {
            middle = lowest + (highest - lowest) / 2;
            if (!(middle > lowest && middle < highest)) {
                break;  // the two ends are neighbouring numbers
            }
        }
        const double value = beyond(middle);
        if (value == 0) {
            return middle;
        }
        if (value < 0) {
            lowest = middle;
            shortBy = value;
            pastBy = lastMoved == -1 ? pastBy / 2 : pastBy;
            lastMoved = -1;
        } else {
            highest = middle;
            pastBy = value;
            shortBy = lastMoved == 1 ? shortBy / 2 : shortBy;
            lastMoved = 1;
        }
    }
    return lowest + (highest - lowest) / 2;
}

std::vector<ChartPoint> meridianWaypoints(const GeodesicLine& line, double interval) {
    std::vector<ChartPoint> points;
    if (alongMeridian(line)) {
        return points;  // it crosses no meridian, or jumps to the opposite one at a pole
    }
    const double start = line.Longitude();
    const double end = start + longitudeReach(line);
    const bool eastward = end > start;
    const double direction = eastward ? 1 : -1;
    double multiple = eastward ? std::floor((start + kSameArc) / interval) + 1
                               : std::ceil((start - kSameArc) / interval) - 1;
    double lowest = 0;
    for (; direction * (multiple * interval - end) < -kSameArc; multiple += direction) {
        const double meridian = multiple * interval;
        lowest = arcAtMeridian(line, meridian, {lowest, line.Arc()}, eastward);
        points.push_back(
            {pointOf(line, true, lowest).position.latitude, wrappedLongitude(meridian)});
    }
    return points;
}

// The vertex of the great circle that leaves `point` toward the east or the west and just touches
// the parallel of `limit` north or south. Clairaut: cos β sin α stays the same all along a
// geodesic (β the reduced latitude, α the course), and at the vertex sin α is 1.
ChartPoint tangentVertex(const ChartPoint& point, double limit, bool north, bool eastward,
                         const Geodesic& geodesic) {
    const double flattening = geodesic.Flattening();
    const auto reduced = [&](double latitude) {
        return std::atan((1 - flattening) * std::tan(latitude * kDegree));
    };
    const double ratio =
        std::min(1.0, std::cos(reduced(limit)) / std::cos(reduced(point.latitude)));
    double azimuth = std::asin(ratio) / kDegree;
    azimuth = north ? azimuth : 180 - azimuth;
    const GeodesicLine line =
        geodesic.Line(point.latitude, point.longitude, eastward ? azimuth : -azimuth);
    ChartPoint vertex = wrapped(pointOf(line, true, arcToVertex(line)).position);
    vertex.latitude = north ? limit : -limit;
    return vertex;
}

}  // namespace

GreatCircle greatCircleBetween(const ChartPoint& from, const ChartPoint& to, SailingMethod method) {
    double metres = 0;
    double initial = 0;
    double final = 0;
    geodesicOf(method).Inverse(from.latitude, from.longitude, to.latitude, to.longitude, metres,
                               initial, final);
    return {metres / kMetresPerNauticalMile, normalisedCourse(initial), normalisedCourse(final)};
}

Arrival sailGreatCircle(const ChartPoint& from, const Run& run, SailingMethod method) {
    const GeodesicLine line = geodesicOf(method).Line(from.latitude, from.longitude, run.course);
    const LinePoint point = pointOf(line, false, run.nauticalMiles * kMetresPerNauticalMile);
    return {point.position, normalisedCourse(point.azimuth)};
}

namespace {

// The arc of a line solved between two points: none between one place written twice.
double legArcOf(const GeodesicLine& line) {
    return line.Distance() == 0 ? 0 : line.Arc();
}

// The vertex ahead on `line`, the great circle from `from` to `to`, `legArc` long.
std::optional<Vertex> vertexOn(const GeodesicLine& line, double legArc, const ChartPoint& from,
                               const ChartPoint& to) {
    if (legArc == 0 || std::fabs(from.latitude) == kPoleLatitude ||
        std::fabs(to.latitude) == kPoleLatitude || alongMeridian(line) || alongEquator(line)) {
        return std::nullopt;
    }
    const double arc = arcToVertex(line);
    return Vertex{pointOf(line, true, arc).position, arc <= legArc + kSameArc};
}

}  // namespace

GreatCircleLeg greatCircleLeg(const ChartPoint& from, const ChartPoint& to, SailingMethod method) {
    // The inverse problem gives the final course as well, and the line from its initial course the
    // vertex: no position at the leg's end to find, nor the line's area terms.
    const Geodesic& geodesic = geodesicOf(method);
    double metres = 0;
    double initial = 0;
    double final = 0;
    const double arc = geodesic.Inverse(from.latitude, from.longitude, to.latitude, to.longitude,
                                        metres, initial, final);
    // Only what the vertex needs: a line's area terms cost as much again as its positions.
    const GeodesicLine line =
        geodesic.Line(from.latitude, from.longitude, initial,
                      Geodesic::LATITUDE | Geodesic::LONGITUDE | Geodesic::AZIMUTH);
    return {{metres / kMetresPerNauticalMile, normalisedCourse(initial), normalisedCourse(final)},
            vertexOn(line, metres == 0 ? 0 : arc, from, to)};
}

std::optional<Vertex> vertexAhead(const ChartPoint& from, const ChartPoint& to,
                                  SailingMethod method) {
    const GeodesicLine line =
        geodesicOf(method).InverseLine(from.latitude, from.longitude, to.latitude, to.longitude);
    return vertexOn(line, legArcOf(line), from, to);
}

namespace {

// Whether the line passes a pole, or so near one that every meridian's 分点 would be written as
// the pole itself, with no rhumb line between them to sail (from the pole every way is south).
bool passesPole(const GeodesicLine& line) {
    if (alongMeridian(line)) {
        return overPole(line);
    }
    const double arc = arcToVertex(line);
    return arc <= line.Arc() + kSameArc &&
           std::fabs(pointOf(line, true, arc).position.latitude) > kPoleLatitude - kPoleMargin;
}

}  // namespace

Expected<std::vector<ChartPoint>, SailingProblem> greatCircleWaypoints(const ChartPoint& from,
                                                                       const ChartPoint& to,
                                                                       const WaypointStep& step,
                                                                       SailingMethod method) {
    const GeodesicLine line =
        geodesicOf(method).InverseLine(from.latitude, from.longitude, to.latitude, to.longitude);
    if (step.alongMeridians) {
        if (passesPole(line)) {
            return unexpected(SailingProblem::NoMeridiansOverPole);
        }
        return meridianWaypoints(line, step.degrees);
    }
    std::vector<ChartPoint> points;
    const double metres = step.nauticalMiles * kMetresPerNauticalMile;
    for (double along = metres; along < line.Distance() - kSameMetres; along += metres) {
        points.push_back(wrapped(pointOf(line, false, along).position));
    }
    return points;
}

Expected<std::optional<LimitedLeg>, SailingProblem> compositeLeg(const ChartPoint& from,
                                                                 const ChartPoint& to, double limit,
                                                                 SailingMethod method) {
    const Geodesic& geodesic = geodesicOf(method);
    const GeodesicLine line =
        geodesic.InverseLine(from.latitude, from.longitude, to.latitude, to.longitude);
    const double reach = longitudeReach(line);
    if (overPole(line)) {
        return unexpected(SailingProblem::CompositeOverPole);
    }
    const std::optional<Vertex> vertex = vertexOn(line, legArcOf(line), from, to);
    if (!vertex || !vertex->onLeg || std::fabs(vertex->position.latitude) <= limit) {
        return std::optional<LimitedLeg>{};
    }
    const bool north = vertex->position.latitude > 0;
    const bool eastward = reach > 0;
    LimitedLeg leg{tangentVertex(from, limit, north, eastward, geodesic),
                   tangentVertex(to, limit, north, !eastward, geodesic), eastward};
    // Where the leg barely reaches beyond the limit the two touch, and rounding must not turn the
    // parallel back on itself.
    const double parallel =
        std::remainder(leg.leavesLimit.longitude - leg.meetsLimit.longitude, 360.0);
    if ((parallel < 0) == eastward && parallel != 0) {
        leg.leavesLimit = leg.meetsLimit;
    }
    return std::optional<LimitedLeg>{leg};
}

std::vector<ChartPoint> greatCirclePath(const ChartPoint& from, const ChartPoint& to,
                                        double maxStepKilometres, SailingMethod method) {
    const GeodesicLine line =
        geodesicOf(method).InverseLine(from.latitude, from.longitude, to.latitude, to.longitude);
    const double metres = line.Distance();
    const auto steps = static_cast<std::size_t>(
        std::max(1.0, std::ceil(metres / (maxStepKilometres * kMetresPerKilometre))));
    std::vector<ChartPoint> path;
    path.reserve(steps + 1);
    for (std::size_t i = 0; i <= steps; ++i) {
        path.push_back(
            pointOf(line, false, metres * static_cast<double>(i) / static_cast<double>(steps))
                .position);
    }
    // The ends exactly as given, free of the solution's last-digit noise.
    path.front() = from;
    path.back().latitude = to.latitude;
    ChartPoint& end = path.back();
    end.longitude = to.longitude + 360.0 * std::round((end.longitude - to.longitude) / 360.0);
    return path;
}

}  // namespace orvanto::navigation
