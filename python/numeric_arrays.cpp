#include "python/numeric_arrays.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "calculator/decoded_points.h"
#include "notation/entry_reading.h"
#include "python/text_cells.h"
#include "python/text_column.h"

namespace orvanto::python {
namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

// A point the entry boxes could have given: within the range of each axis. Degrees beyond them
// are no place on the chart, and the calculator never measures them.
bool isOnChart(const ChartPoint& point) {
    return isWithinAxisRange(point.latitude, Axis::Latitude) &&
           isWithinAxisRange(point.longitude, Axis::Longitude);
}

double distanceOf(const ChartPoint& from, const ChartPoint& to) {
    if (!isOnChart(from) || !isOnChart(to)) {
        return kNone;
    }
    const auto measured = measureDistanceUnlessFault({.from = from, .to = to});
    return measured ? shownKilometres(*measured).value_or(kNone) : kNone;
}

double angleOf(const DecodedPoints& points) {
    if (!isOnChart(points.point1) || !isOnChart(points.point2) || !isOnChart(points.reference)) {
        return kNone;
    }
    const auto measured = measureDistanceUnlessFault({.from = points.point1, .to = points.point2});
    if (!measured) {
        return kNone;
    }
    const std::variant<double, Message> degrees = angleDegrees(points, *measured);
    const double* value = std::get_if<double>(&degrees);
    return value != nullptr ? *value : kNone;
}

ChartPoint pointAt(const double* latitudes, const double* longitudes, std::size_t i) {
    return {.latitude = latitudes[i], .longitude = longitudes[i]};
}

}  // namespace

py::tuple readEntries(const py::array& texts, const py::handle& missing, bool seconds,
                      bool latitude) {
    Utf8Cells cells{texts, "texts 的", missing};
    const std::size_t rows = cells.size();
    Degrees degrees(static_cast<py::ssize_t>(rows));
    double* out = degrees.mutable_data();
    py::array messages = objectArray(rows);
    auto** slots = static_cast<PyObject**>(messages.mutable_data());
    // The other box of point 1 holds a zero, which always reads, so the message is the text's
    // own.
    EntryViews entries{};
    entries[0] = {.latitude = "0",
                  .longitude = "0",
                  .mode = seconds ? EntryMode::Seconds : EntryMode::Minutes};
    std::string_view& text = latitude ? entries[0].latitude : entries[0].longitude;
    DecodedEntries decoded{entries, 1};
    TextColumn pieceMessages;
    for (std::size_t start = 0; start < rows; start += kPieceRows) {
        const std::size_t count = std::min(kPieceRows, rows - start);
        const std::span<const std::string_view> piece =
            cells.read({.first = start, .count = count});
        {
            py::gil_scoped_release released;
            pieceMessages.clear();
            for (std::size_t i = 0; i < count; ++i) {
                text = piece[i];
                decoded.read(entries, 1);
                if (decoded.complete(1)) {
                    const ChartPoint point = decoded.pointsWhenComplete(1).point1;
                    out[start + i] = latitude ? point.latitude : point.longitude;
                    pieceMessages.append({});
                } else {
                    out[start + i] = kNone;
                    pieceMessages.append(std::get<Message>(decoded.pointsOrMessage(1)).text);
                }
            }
        }
        pieceMessages.putObjects(slots + start);
    }
    return py::make_tuple(degrees, messages);
}

Degrees distanceKm(const Degrees& lat1, const Degrees& lon1, const Degrees& lat2,
                   const Degrees& lon2) {
    const std::size_t length = commonLength<4>({&lat1, &lon1, &lat2, &lon2});
    Degrees kilometres(static_cast<py::ssize_t>(length));
    double* out = kilometres.mutable_data();
    const double* latitudes1 = lat1.data();
    const double* longitudes1 = lon1.data();
    const double* latitudes2 = lat2.data();
    const double* longitudes2 = lon2.data();
    py::gil_scoped_release released;
    for (std::size_t i = 0; i < length; ++i) {
        out[i] =
            distanceOf(pointAt(latitudes1, longitudes1, i), pointAt(latitudes2, longitudes2, i));
    }
    return kilometres;
}

Degrees angleDeg(const Degrees& lat1, const Degrees& lon1, const Degrees& lat2, const Degrees& lon2,
                 const Degrees& latr, const Degrees& lonr) {
    const std::size_t length = commonLength<6>({&lat1, &lon1, &lat2, &lon2, &latr, &lonr});
    Degrees angles(static_cast<py::ssize_t>(length));
    double* out = angles.mutable_data();
    const std::array<const double*, 6> in{lat1.data(), lon1.data(), lat2.data(),
                                          lon2.data(), latr.data(), lonr.data()};
    py::gil_scoped_release released;
    for (std::size_t i = 0; i < length; ++i) {
        out[i] = angleOf({.point1 = pointAt(in[0], in[1], i),
                          .point2 = pointAt(in[2], in[3], i),
                          .reference = pointAt(in[4], in[5], i)});
    }
    return angles;
}

}  // namespace orvanto::python
