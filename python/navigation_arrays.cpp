#include "python/navigation_arrays.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

#include "geometry/chart_point.h"
#include "navigation/closest_approach.h"
#include "navigation/great_circles.h"
#include "navigation/measures.h"
#include "navigation/plotting_sheet.h"
#include "navigation/radar_plot.h"
#include "navigation/reckoning.h"
#include "navigation/rhumb_lines.h"
#include "passage/passage_values.h"
#include "passage/sailing_reasons.h"
#include "python/text_column.h"

namespace orvanto::python {
namespace {

using navigation::SailingMethod;

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

// Targets whose directions are found together: small enough to stay in the cache until read.
constexpr std::size_t kPieceTargets = 4096;

constexpr std::string_view kOffChart = "纬度须在 -90 到 90 之间，经度须在 -180 到 180 之间";

// The output columns of one function, filled row by row while the GIL is released. The messages
// are kept for the failed rows alone: most rows have none, and a text a row would cost a million
// rows some 16 MB of fresh memory to say nothing.
template <std::size_t N>
class Columns {
  public:
    Columns(const std::array<const char*, N>& names, std::size_t length) : names_(names) {
        for (std::size_t c = 0; c < N; ++c) {
            arrays_[c] = Values(static_cast<py::ssize_t>(length));
            out_[c] = arrays_[c].mutable_data();
        }
    }
    void put(std::size_t row, const std::array<double, N>& values) {
        for (std::size_t c = 0; c < N; ++c) {
            out_[c][row] = values[c];
        }
    }
    void fail(std::size_t row, std::string_view message) {
        for (std::size_t c = 0; c < N; ++c) {
            out_[c][row] = kNone;
        }
        failedRows_.push_back(row);
        messages_.append(message);
    }
    // With the GIL held again.
    py::dict result() {
        py::dict result;
        for (std::size_t c = 0; c < N; ++c) {
            result[names_[c]] = arrays_[c];
        }
        py::array messages = objectArray(static_cast<std::size_t>(arrays_[0].size()));
        auto** slots = static_cast<PyObject**>(messages.mutable_data());
        const py::str empty;
        for (py::ssize_t row = 0; row < messages.size(); ++row) {
            Py_XDECREF(slots[row]);
            slots[row] = empty.inc_ref().ptr();
        }
        messages_.putObjectsAt(slots, failedRows_);
        result["message"] = messages;
        return result;
    }

  private:
    std::array<const char*, N> names_;
    std::array<Values, N> arrays_;
    std::array<double*, N> out_{};
    std::vector<std::size_t> failedRows_;
    TextColumn messages_;  // the failed rows' messages, in order
};

bool isPlace(double latitude, double longitude) {
    constexpr double kHalfCircle = 180;
    return std::fabs(latitude) <= navigation::kPoleLatitude && std::fabs(longitude) <= kHalfCircle;
}

// Astern negative, as orvanto-cli cpa writes BCR in its tsv.
double signedRange(const navigation::BowCrossing& crossing) {
    return crossing.side == navigation::CrossingSide::Astern ? -crossing.range : crossing.range;
}

SailingMethod methodOf(bool textbook) {
    return textbook ? SailingMethod::Textbook : SailingMethod::Wgs84;
}

}  // namespace

py::dict rhumb(const Values& lat1, const Values& lon1, const Values& lat2, const Values& lon2) {
    const std::size_t length = commonLength<4>({&lat1, &lon1, &lat2, &lon2});
    const std::array<const double*, 4> in{lat1.data(), lon1.data(), lat2.data(), lon2.data()};
    Columns<3> out{{"course", "nmi", "km"}, length};
    {
        py::gil_scoped_release released;
        for (std::size_t i = 0; i < length; ++i) {
            if (!isPlace(in[0][i], in[1][i]) || !isPlace(in[2][i], in[3][i])) {
                out.fail(i, kOffChart);
                continue;
            }
            const navigation::Run run = navigation::rhumbBetween(
                {in[0][i], in[1][i]}, {in[2][i], in[3][i]}, SailingMethod::Wgs84);
            // Identical points have no course, and neither has a pole: every way from it is one.
            const bool noCourse = run.nauticalMiles == 0 ||
                                  std::fabs(in[0][i]) == navigation::kPoleLatitude ||
                                  std::fabs(in[2][i]) == navigation::kPoleLatitude;
            out.put(i, {noCourse ? kNone : run.course, run.nauticalMiles,
                        run.nauticalMiles * navigation::kKilometresPerNauticalMile});
        }
    }
    return out.result();
}

py::dict greatCircle(const Values& lat1, const Values& lon1, const Values& lat2,
                     const Values& lon2) {
    const std::size_t length = commonLength<4>({&lat1, &lon1, &lat2, &lon2});
    const std::array<const double*, 4> in{lat1.data(), lon1.data(), lat2.data(), lon2.data()};
    Columns<6> out{{"course_initial", "course_final", "nmi", "km", "vertex_lat", "vertex_lon"},
                   length};
    {
        py::gil_scoped_release released;
        for (std::size_t i = 0; i < length; ++i) {
            if (!isPlace(in[0][i], in[1][i]) || !isPlace(in[2][i], in[3][i])) {
                out.fail(i, kOffChart);
                continue;
            }
            const auto leg = navigation::greatCircleLeg({in[0][i], in[1][i]}, {in[2][i], in[3][i]},
                                                        SailingMethod::Wgs84);
            const bool noCourse = leg.circle.nauticalMiles == 0 ||
                                  std::fabs(in[0][i]) == navigation::kPoleLatitude ||
                                  std::fabs(in[2][i]) == navigation::kPoleLatitude;
            out.put(i, {noCourse ? kNone : leg.circle.initialCourse,
                        noCourse ? kNone : leg.circle.finalCourse, leg.circle.nauticalMiles,
                        leg.circle.nauticalMiles * navigation::kKilometresPerNauticalMile,
                        leg.vertex ? leg.vertex->position.latitude : kNone,
                        leg.vertex ? navigation::wrappedLongitude(leg.vertex->position.longitude)
                                   : kNone});
        }
    }
    return out.result();
}

py::dict reckon(const Values& lat, const Values& lon, const Values& course, const Values& nmi,
                bool greatCircle, bool textbook) {
    const std::size_t length = commonLength<4>({&lat, &lon, &course, &nmi});
    const std::array<const double*, 4> in{lat.data(), lon.data(), course.data(), nmi.data()};
    const SailingMethod method = methodOf(textbook);
    Columns<3> out{{"lat", "lon", "course_final"}, length};
    {
        py::gil_scoped_release released;
        for (std::size_t i = 0; i < length; ++i) {
            if (!isPlace(in[0][i], in[1][i])) {
                out.fail(i, kOffChart);
                continue;
            }
            if (!std::isfinite(in[2][i]) || !(in[3][i] >= 0) || !std::isfinite(in[3][i])) {
                out.fail(i, "航向须是有限的度数，航程须是 0 或更多海里");
                continue;
            }
            const ChartPoint start{in[0][i], in[1][i]};
            const navigation::Run run{navigation::normalisedCourse(in[2][i]), in[3][i]};
            if (greatCircle) {
                const navigation::Arrival arrival = navigation::sailGreatCircle(start, run, method);
                out.put(i,
                        {arrival.position.latitude,
                         navigation::wrappedLongitude(arrival.position.longitude), arrival.course});
                continue;
            }
            const auto reckoning = navigation::reckon(start, run, method);
            if (!reckoning) {
                out.fail(i, passage::reasonFor(reckoning.error()));
                continue;
            }
            out.put(i, {reckoning.value().rhumb.latitude, reckoning.value().rhumb.longitude,
                        run.course});
        }
    }
    return out.result();
}

py::tuple waypoints(const Values& lat1, const Values& lon1, const Values& lat2, const Values& lon2,
                    const std::string& every, bool textbook) {
    const std::size_t length = commonLength<4>({&lat1, &lon1, &lat2, &lon2});
    const std::array<const double*, 4> in{lat1.data(), lon1.data(), lat2.data(), lon2.data()};
    const auto step = passage::readStep(every);
    if (!step) {
        throw py::value_error(
            "every 须是经度间隔（如 '10°'）或距离（如 '300nmi'、'500km'），不认识“" + every + "”");
    }
    std::vector<std::int64_t> legs;
    std::vector<double> latitudes;
    std::vector<double> longitudes;
    std::string problem;
    {
        py::gil_scoped_release released;
        for (std::size_t i = 0; i < length && problem.empty(); ++i) {
            if (!isPlace(in[0][i], in[1][i]) || !isPlace(in[2][i], in[3][i])) {
                problem = "第 " + std::to_string(i) + " 段（从 0 数起）：" + std::string{kOffChart};
                break;
            }
            const auto points = navigation::greatCircleWaypoints(
                {in[0][i], in[1][i]}, {in[2][i], in[3][i]}, *step, methodOf(textbook));
            if (!points) {
                problem = "第 " + std::to_string(i) + " 段（从 0 数起）：" +
                          passage::reasonFor(points.error());
                break;
            }
            for (const ChartPoint& point : points.value()) {
                legs.push_back(static_cast<std::int64_t>(i));
                latitudes.push_back(point.latitude);
                longitudes.push_back(point.longitude);
            }
        }
    }
    if (!problem.empty()) {
        throw py::value_error(problem);
    }
    return py::make_tuple(
        py::array_t<std::int64_t>(static_cast<py::ssize_t>(legs.size()), legs.data()),
        py::array_t<double>(static_cast<py::ssize_t>(latitudes.size()), latitudes.data()),
        py::array_t<double>(static_cast<py::ssize_t>(longitudes.size()), longitudes.data()));
}

py::dict closestApproach(const Values& ownCourse, const Values& ownSpeed,
                         const Values& targetBearing, const Values& targetRange,
                         const Values& targetCourse, const Values& targetSpeed) {
    const std::size_t length = commonLength<6>(
        {&ownCourse, &ownSpeed, &targetBearing, &targetRange, &targetCourse, &targetSpeed});
    const std::array<const double*, 6> in{ownCourse.data(),     ownSpeed.data(),
                                          targetBearing.data(), targetRange.data(),
                                          targetCourse.data(),  targetSpeed.data()};
    Columns<4> out{{"dcpa", "tcpa_min", "bcr", "bct_min"}, length};
    {
        py::gil_scoped_release released;
        // Own course's direction serves its velocity and its heading line alike; the three
        // directions of a piece are found first, each table's bearings taken an octant at a time.
        std::array<std::vector<navigation::SheetVector>, 3> directions;
        for (auto& piece : directions) {
            piece.resize(std::min(kPieceTargets, length));
        }
        for (std::size_t first = 0; first < length; first += kPieceTargets) {
            const std::size_t count = std::min(kPieceTargets, length - first);
            for (std::size_t d = 0; d < directions.size(); ++d) {
                navigation::sheetDirections({in[2 * d] + first, count},
                                            {directions[d].data(), count});
            }
            for (std::size_t j = 0; j < count; ++j) {
                const std::size_t i = first + j;
                bool finite = true;
                for (const double* values : in) {
                    finite = finite && std::isfinite(values[i]);
                }
                if (!finite || in[1][i] < 0 || in[3][i] < 0 || in[5][i] < 0) {
                    out.fail(i, "航向和方位须是有限的度数，航速和距离须是 0 或更多");
                    continue;
                }
                const navigation::SheetVector heading = directions[0][j];
                const navigation::RadarPlot plot{in[3][i] * directions[1][j],
                                                 in[5][i] * directions[2][j] - in[1][i] * heading,
                                                 0};
                const navigation::PassingFigures cpa = navigation::passingFigures(plot, heading);
                const auto& crossing = cpa.crossing;
                out.put(i, {cpa.dcpa, cpa.tcpa.value_or(kNone),
                            crossing ? signedRange(crossing.value()) : kNone,
                            crossing ? crossing.value().minutes : kNone});
            }
        }
    }
    return out.result();
}

}  // namespace orvanto::python
