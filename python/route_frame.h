// orvanto.route: a frame of waypoints planned as orvanto-cli route plans a file, through the
// passage library's front door, its problems worded with the keywords (speed=, not --speed).
#pragma once

#include <pybind11/pybind11.h>

#include <optional>
#include <string>

namespace orvanto::python {

namespace py = pybind11;

// The options as typed (each checked and read here), or nothing.
struct RouteTexts {
    std::optional<std::string> speed;
    std::optional<std::string> depart;
    std::optional<std::string> every;
    std::optional<std::string> limitLatitude;
    std::optional<std::string> current;
    std::optional<std::string> variation;
    std::optional<std::string> deviation;
    std::optional<std::string> deviationCard;  // CSV text: heading,deviation
    std::optional<std::string> etaZone;        // "ship", "Z" or "±HH:MM"
    bool seconds = false;
    bool textbook = false;
};

// The waypoints as CSV text (UTF-8, a header first) planned: (cells, to_lat, to_lon, hours,
// total_hours) with the table's cells as route --format=csv writes them, heading row first and the
// 合计 row last, and beside each row below the heading its end in degrees and its hours (NaN where
// there are none). ValueError with the reason when the route cannot be planned.
py::tuple planRoute(const std::string& waypoints, const RouteTexts& texts);

}  // namespace orvanto::python
