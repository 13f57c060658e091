// Routes for the page: the 航点 box's text planned with the section's passage options as
// `orvanto-cli route` plans the same text read from standard input, with the table as cells to lay
// out and the three files the command line writes (the CSV table with a byte-order mark, GPX and
// GeoJSON) as bytes; and a GPX file read into the box's lines.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "batch/csv_reader.h"
#include "batch/input_output_error.h"
#include "batch/memory_streams.h"
#include "batch/text_encoding.h"
#include "calculator/decoded_points.h"
#include "passage/geojson_writer.h"
#include "passage/gpx_waypoints.h"
#include "passage/gpx_writer.h"
#include "passage/route_legs.h"
#include "passage/route_table.h"
#include "passage/route_waypoints.h"
#include "passage/sailed_route.h"
#include "passage/value_forms.h"
#include "text/code_points.h"
#include "web/box_values.h"

namespace orvanto {
namespace {

using emscripten::val;
using passage::TableFormat;

// What the command line calls a route read from standard input, in its files too.
constexpr std::string_view kRouteName = "航线";

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

// A problem with the 航点 box's text.
val failure(const std::string& text) {
    return web::problemObject({"route-waypoints", text});
}

// The plan and the table's settings from the section's boxes, or the box to fix.
struct PassageSettings {
    passage::SailingPlan plan;
    passage::RouteTableSettings table;
};

Expected<PassageSettings, web::BoxProblem> passageSettings(const web::Boxes& boxes, bool textbook,
                                                           const passage::WaypointFile& file) {
    using web::BoxProblem;
    const auto correction = web::compassCorrection(boxes);
    const auto speed =
        boxes.read("route-speed", "航速（节）", passage::kSpeedForms, passage::readSpeed);
    const auto departure = boxes.departure("route-departure");
    const auto current = boxes.current("route-set", "route-drift");
    const auto limit = boxes.read("route-limit", "限制纬度", passage::kLimitLatitudeForms,
                                  passage::readLimitLatitude);
    const auto every = boxes.read("route-step", "分点间隔", passage::kStepForms, passage::readStep);
    for (const auto* problem :
         {correction ? nullptr : &correction.error(), speed ? nullptr : &speed.error(),
          departure ? nullptr : &departure.error(), current ? nullptr : &current.error(),
          limit ? nullptr : &limit.error(), every ? nullptr : &every.error()}) {
        if (problem != nullptr) {
            return unexpected(*problem);
        }
    }
    if (current.value() && !speed.value()) {
        return unexpected(BoxProblem{
            "route-speed", "有流向、流速时须填写航速（节）：应驶航向和对地航速由航速算出"});
    }
    if (current.value() && limit.value() && !every.value()) {
        return unexpected(
            BoxProblem{"route-step",
                       "流向、流速与限制纬度同用时须填写分点间隔：流中的应驶航向按恒向线计算，"
                       "而不分点的大圆航线没有恒定的航向"});
    }
    const bool times = speed.value() || file.speedColumn;
    if (departure.value() && !times) {
        return unexpected(BoxProblem{"route-speed",
                                     "开航时间须与航速（节）同用，或者航点有 speed（航速）列："
                                     "没有航速就没有到达时间"});
    }
    const navigation::SailingMethod method =
        textbook ? navigation::SailingMethod::Textbook : navigation::SailingMethod::Wgs84;
    PassageSettings settings;
    settings.plan = {method, every.value(), limit.value()};
    settings.table.correction = correction.value();
    settings.table.current = current.value();
    settings.table.speed = speed.value();
    settings.table.times = times;
    settings.table.method = method;
    settings.table.departure = departure.value();
    if (settings.table.departure && !settings.table.departure->offsetMinutes) {
        settings.table.departure->offsetMinutes =
            web::browserOffsetMinutes(settings.table.departure->clock);
    }
    return settings;
}

// How each row is drawn: along its rhumb line, along its great circle, or a whole leg (both).
const char* rowKind(passage::RowKind kind) {
    switch (kind) {
        case passage::RowKind::Rhumb:
            return "rhumb";
        case passage::RowKind::GreatCircle:
            return "gc";
        case passage::RowKind::Leg:
            break;
    }
    return "leg";
}

// The points sailed, [latitude, longitude, name, waypoint?], and each row's kind, for the sketch.
void setSketch(val& result, const passage::SailedRoute& route) {
    val points = val::array();
    val kinds = val::array();
    for (std::size_t i = 0; i < route.points.size(); ++i) {
        const passage::RoutePoint& point = route.points[i];
        const bool waypoint = i == 0 || route.rows[i - 1].lastOfLeg;
        val entry = val::array();
        entry.call<void>("push", point.position.latitude, point.position.longitude, point.name,
                         waypoint);
        points.call<void>("push", entry);
        if (i > 0) {
            kinds.call<void>("push", val(rowKind(route.rows[i - 1].kind)));
        }
    }
    result.set("points", points);
    result.set("kinds", kinds);
}

// A waypoint the route cannot use as written: its record, its position, or the speed of the leg
// it starts.
bool unreadable(const passage::Waypoint& waypoint, bool startsLeg) {
    if (waypoint.recordError || (startsLeg && waypoint.speedError)) {
        return true;
    }
    const CalculatorInput input{waypoint.entries, {}, {}};
    return std::holds_alternative<Message>(decodePoints(input, 1));
}

// What the status line says of a route whose table has messages, so that the 说明 column is never
// the only place a failure is told: for the first waypoint that cannot be read, the first message
// of its legs, which names it and its line (put in front when the message does not), and that
// line for the page to select; else the first message of all. `waypoints` are numbered by the
// box's own lines, as the rows' messages are.
void setFirstMessage(val& result, std::span<const passage::Waypoint> waypoints,
                     const passage::SailedRoute& route) {
    const auto failed = std::find_if(route.rows.begin(), route.rows.end(),
                                     [](const passage::RouteRow& row) { return row.error; });
    result.set("message", failed == route.rows.end() ? val::null() : val(*failed->error));
    result.set("line", val::null());
    if (failed == route.rows.end()) {
        return;  // every waypoint reads: one that does not fails its legs
    }
    for (std::size_t i = 0; i < waypoints.size(); ++i) {
        if (!unreadable(waypoints[i], i + 1 < waypoints.size())) {
            continue;
        }
        // Leg k, counted from 1, sails from waypoint k - 1 to waypoint k.
        const std::string name = passage::waypointName(waypoints[i]);
        std::optional<std::string> told;
        for (const passage::RouteRow& row : route.rows) {
            if (!row.error || (row.leg != i && row.leg != i + 1)) {
                continue;
            }
            if (row.error->find(name) != std::string::npos) {
                told = *row.error;
                break;
            }
            if (!told) {
                told = name + "：" + *row.error;
            }
        }
        if (told) {
            result.set("message", *told);
        }
        result.set("line", waypoints[i].line);
        return;
    }
}

// The text of the 合计 row in the column the CSV form names `name`, empty without that column:
// the page finds its totals by the columns' own names, whatever the text form heads them.
std::string total(const passage::RouteTable& csv, std::string_view name) {
    const std::vector<std::string>& heading = csv.cells.front();
    const auto column = std::find(heading.begin(), heading.end(), name);
    return column == heading.end()
               ? std::string{}
               : csv.cells.back()[static_cast<std::size_t>(std::distance(heading.begin(), column))];
}

// `text` is the box's text with a header in front (the page puts one there when the box has
// none); `options`: {seconds, textbook, headerLines: the lines in front of the box's own, boxes:
// the section's texts by box id}. Returns {error, box (the id of the box to fix)} when the text
// has no waypoints to plan or a box does not read, else {cells (the text form's cells, counting
// the box's own lines), notes (the text form's lines after the table), legs and failedLegs
// (counts), message (the status line's word on a failure, or null) and line (the box's line of
// the waypoint it names, or null), totalMiles and totalHours (the 合计 row's total_nmi and
// total_hours, empty when it has none), csv, gpx and geojson (bytes; the last two null when a
// waypoint cannot be read or a leg cannot be sailed), points ([latitude, longitude, name,
// waypoint?] sailed, empty then) with kinds (each row's 'leg', 'rhumb' or 'gc'), limit (the
// limiting latitude or null)}.
val planRoute(const std::string& text, const val& options) {
    const EntryMode mode = options["seconds"].as<bool>() ? EntryMode::Seconds : EntryMode::Minutes;
    try {
        batch::MemorySource source{text};
        batch::CsvReader reader{source};
        batch::Utf8Codec utf8;
        auto file = passage::readWaypoints(reader, utf8, mode);
        if (!file) {
            return failure(file.error());
        }
        std::vector<passage::Waypoint>& waypoints = file.value().waypoints;
        if (auto counted = passage::enoughWaypoints(file.value(), "“航点”"); !counted) {
            return failure(counted.error());
        }
        const auto settings = passageSettings(web::Boxes{options["boxes"]},
                                              options["textbook"].as<bool>(), file.value());
        if (!settings) {
            return web::problemObject(settings.error());
        }
        const passage::SailingPlan& plan = settings.value().plan;
        const passage::SailedRoute route = passage::sailRoute(waypoints, plan);
        // Messages name a waypoint by its line. The page's table counts the box's own lines, so a
        // route with messages is sailed again with those, when a header was put in front.
        const auto headerLines = options["headerLines"].as<std::size_t>();
        std::optional<passage::SailedRoute> renumbered;
        const bool messages =
            std::any_of(route.rows.begin(), route.rows.end(),
                        [](const passage::RouteRow& row) { return row.error.has_value(); });
        if (headerLines != 0 && messages) {
            for (passage::Waypoint& waypoint : waypoints) {
                waypoint.line -= headerLines;
            }
            renumbered = passage::sailRoute(waypoints, plan);
        }
        const passage::SailedRoute& shown = renumbered ? *renumbered : route;
        const auto table =
            passage::routeTable(shown.rows, settings.value().table, TableFormat::Text, true);
        val result = val::object();
        result.set("cells", rowsOf(table.cells));
        result.set("notes", table.notes);
        result.set("legs", waypoints.size() - 1);
        result.set("failedLegs", table.failedLegs);
        setFirstMessage(result, waypoints, shown);
        const auto csv =
            passage::routeTable(route.rows, settings.value().table, TableFormat::Csv, false);
        result.set("totalMiles", total(csv, "total_nmi"));
        result.set("totalHours", total(csv, "total_hours"));
        result.set("csv", bytesOf(std::string{kUtf8ByteOrderMark} + csv.text));
        const bool complete = !route.points.empty();
        result.set("gpx",
                   complete ? bytesOf(passage::gpxRoute(kRouteName, route.points)) : val::null());
        result.set("geojson", complete
                                  ? bytesOf(passage::geojsonRoute(kRouteName, route.points,
                                                                  passage::sailedLine(route, plan)))
                                  : val::null());
        setSketch(result, route);
        result.set("limit", plan.limitLatitude ? val(*plan.limitLatitude) : val::null());
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
    const auto read = passage::waypointsFromGpx(bytes);
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
