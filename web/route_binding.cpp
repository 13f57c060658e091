// Routes for the page: the 航点 box's text planned as `orvanto-cli route` plans the same text read
// from standard input, with the table as cells to lay out and the three files the command line
// writes (the CSV table with a byte-order mark, GPX and GeoJSON) as bytes; and a GPX file read
// into the box's lines.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/csv_reader.h"
#include "batch/input_output_error.h"
#include "batch/memory_streams.h"
#include "batch/text_encoding.h"
#include "navigation/geojson_writer.h"
#include "navigation/gpx_waypoints.h"
#include "navigation/gpx_writer.h"
#include "navigation/route_table.h"
#include "navigation/route_waypoints.h"
#include "navigation/sailed_route.h"

namespace orvanto {
namespace {

using emscripten::val;
using navigation::TableFormat;

// What the command line calls a route read from standard input, in its files too.
constexpr std::string_view kRouteName = "航线";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A copy of the bytes, for a download that must be byte for byte what the command line writes.
val bytesOf(std::string_view bytes) {
    return val::global("Uint8Array")
        .new_(emscripten::typed_memory_view(bytes.size(), bytes.data()));
}

val rowsOf(const std::vector<std::vector<std::string>>& rows) {
    val array = val::array();
    for (const auto& row : rows) {
        val cells = val::array();
        for (const std::string& cell : row) {
            cells.call<void>("push", cell);
        }
        array.call<void>("push", cells);
    }
    return array;
}

val failure(const std::string& text) {
    val result = val::object();
    result.set("error", text);
    return result;
}

// `text` is the box's text with a header in front (the page puts one there when the box has
// none); `options`: {seconds, variation: degrees east or null, headerLines: the lines in front of
// the box's own}. Returns {error} when the text has no waypoints to plan, else {cells (the text
// form's cells, counting the box's own lines), csv, gpx and geojson (bytes; the last two null
// when a waypoint cannot be read), points: [[latitude, longitude, name], …], empty when a
// waypoint cannot be read}.
val planRoute(const std::string& text, const val& options) {
    const std::optional<double> variation =
        options["variation"].isNull() ? std::nullopt
                                      : std::optional<double>{options["variation"].as<double>()};
    const EntryMode mode = options["seconds"].as<bool>() ? EntryMode::Seconds : EntryMode::Minutes;
    try {
        batch::MemorySource source{text};
        batch::CsvReader reader{source};
        batch::Utf8Codec utf8;
        auto file = navigation::readWaypoints(reader, utf8, mode);
        if (!file) {
            return failure(file.error());
        }
        std::vector<navigation::Waypoint>& waypoints = file.value().waypoints;
        if (waypoints.size() < 2) {
            return failure("航线至少要有两个航点，“航点”中只有 " +
                           std::to_string(waypoints.size()) + " 个");
        }
        navigation::RouteTableSettings settings;
        settings.correction.variation = variation;
        const navigation::SailingPlan plan;
        const navigation::SailedRoute route = navigation::sailRoute(waypoints, plan);
        // The same legs again with the box's line numbers in their messages, for the page's table.
        for (navigation::Waypoint& waypoint : waypoints) {
            waypoint.line -= options["headerLines"].as<std::size_t>();
        }
        const navigation::SailedRoute shown = navigation::sailRoute(waypoints, plan);
        val result = val::object();
        result.set(
            "cells",
            rowsOf(navigation::routeTable(shown.rows, settings, TableFormat::Text, true).cells));
        result.set(
            "csv",
            bytesOf(std::string{kByteOrderMark} +
                    navigation::routeTable(route.rows, settings, TableFormat::Csv, false).text));
        const bool complete = !route.points.empty();
        result.set("gpx", complete ? bytesOf(navigation::gpxRoute(kRouteName, route.points))
                                   : val::null());
        result.set("geojson",
                   complete ? bytesOf(navigation::geojsonRoute(kRouteName, route.points,
                                                               navigation::sailedLine(route, plan)))
                            : val::null());
        val points = val::array();
        for (const navigation::RoutePoint& point : route.points) {
            val triple = val::array();
            triple.call<void>("push", point.position.latitude, point.position.longitude,
                              point.name);
            points.call<void>("push", triple);
        }
        result.set("points", points);
        return result;
    } catch (const batch::InputOutputError& error) {
        return failure(error.what());
    }
}

// A GPX file's bytes (a Uint8Array, so that bytes that are no UTF-8 reach the check) as the box's
// lines: {text, note: text or null} or {error}.
val readGpx(const val& file) {
    std::string bytes(file["length"].as<std::size_t>(), '\0');
    val{emscripten::typed_memory_view(bytes.size(), bytes.data())}.call<void>("set", file);
    const auto read = navigation::waypointsFromGpx(bytes);
    if (!read) {
        return failure(read.error());
    }
    val result = val::object();
    result.set("text", read.value().waypointFile);
    result.set("note", read.value().note ? val(*read.value().note) : val::null());
    return result;
}

}  // namespace

EMSCRIPTEN_BINDINGS(orvanto_routes) {
    emscripten::function("planRoute", &planRoute);
    emscripten::function("readGpx", &readGpx);
}

}  // namespace orvanto
