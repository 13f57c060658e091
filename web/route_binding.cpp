// Routes for the page: the 航点 box's text planned with the section's passage options as
// `orvanto-cli route` plans the same text read from standard input, with the table as cells to lay
// out and the files the command line writes (the CSV table with a byte-order mark, GPX, GeoJSON,
// RTZ 1.0 and NMEA) as bytes; and a GPX, RTZ or NMEA file read into the box's lines.
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

#include "batch/input_output_error.h"
#include "batch/text_encoding.h"
#include "passage/course_text.h"
#include "passage/gpx_waypoints.h"
#include "passage/nmea_waypoints.h"
#include "passage/nmea_writer.h"
#include "passage/passage_times.h"
#include "passage/plan_document.h"
#include "passage/route_request.h"
#include "passage/route_table.h"
#include "passage/rtz_waypoints.h"
#include "passage/value_forms.h"
#include "passage/worked_solution_text.h"
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

val rowsOf(const passage::CellTable& table) {
    val array = val::array();
    for (std::size_t row = 0; row < table.rows(); ++row) {
        val cells = val::array();
        for (std::size_t column = 0; column < table.columns(); ++column) {
            cells.call<void>("push", std::string{table.at(row, column)});
        }
        array.call<void>("push", cells);
    }
    return array;
}

// A problem with the 航点 box's text.
val failure(const std::string& text) {
    return web::problemObject({"route-waypoints", text});
}

// The waypoints' lines as the box counts them, and its own choice of 分 or 秒 for a waypoint
// without a mode.
passage::ProblemWording wordingOf(std::size_t headerLines) {
    return {headerLines, "“航点格式”的选择"};
}

// The request from the section's boxes, or the box to fix.
Expected<passage::PassageRequest, web::BoxProblem> passageRequest(const web::Boxes& boxes,
                                                                  bool textbook) {
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
    passage::PassageRequest request;
    request.correction = correction.value();
    request.speed = speed.value();
    request.departure = departure.value();
    request.current = current.value();
    request.limitLatitude = limit.value();
    request.every = every.value();
    request.method =
        textbook ? navigation::SailingMethod::Textbook : navigation::SailingMethod::Wgs84;
    request.localOffset = [](const passage::ClockTime& clock) -> Expected<int, std::string> {
        return web::browserOffsetMinutes(clock);
    };
    request.files = true;
    request.routeName = kRouteName;
    // The downloads are 航线.rtz and 航线.nmea, named as `route --rtz=航线.rtz --nmea=航线.nmea`
    // names them.
    request.rtz = passage::RtzVersion::Rtz10;
    request.rtzName = kRouteName;
    request.nmeaNameLength = passage::kDefaultNmeaNameLength;
    request.nmeaName = kRouteName;
    return request;
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

// Whether the problem keeps its waypoint from being read.
bool aboutReading(const passage::RowProblem& problem) {
    using Kind = passage::RowProblem::Kind;
    return problem.kind == Kind::Record || problem.kind == Kind::Mode ||
           problem.kind == Kind::Missing || problem.kind == Kind::Entry ||
           problem.kind == Kind::Speed;
}

// What the status line says of a route whose table has messages, so that the 说明 column is never
// the only place a failure is told: for the first waypoint that cannot be read, the messages of
// the first row about it, and its line for the page to select; else the first row's messages.
void setFirstMessage(val& result, const passage::PassagePlan& plan,
                     const passage::ProblemWording& wording) {
    result.set("message", val::null());
    result.set("line", val::null());
    const auto& rows = plan.route.rows;
    std::optional<std::size_t> shown;
    std::optional<std::size_t> waypoint;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (const passage::RowProblem& problem : rows[i].problems) {
            if (!shown) {
                shown = i;
            }
            if (aboutReading(problem) && (!waypoint || problem.waypoint < *waypoint)) {
                waypoint = problem.waypoint;
            }
        }
    }
    if (!shown) {
        return;
    }
    if (waypoint) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const auto& problems = rows[i].problems;
            if (std::any_of(problems.begin(), problems.end(), [&](const passage::RowProblem& p) {
                    return aboutReading(p) && p.waypoint == *waypoint;
                })) {
                shown = i;
                break;
            }
        }
        result.set("line", plan.waypoints[*waypoint].line - wording.lineOffset);
    }
    std::string message;
    for (const passage::RowProblem& problem : rows[*shown].problems) {
        message +=
            (message.empty() ? "" : "；") + passage::problemText(problem, plan.waypoints, wording);
    }
    result.set("message", message);
}

// The clock of arrivals the 预计到达时区 choice names: 'departure', 'ship' or 'utc'.
passage::EtaZone etaZoneOf(const std::string& choice) {
    return choice == "ship"  ? passage::EtaZone{passage::EtaZone::Kind::Ship, 0}
           : choice == "utc" ? passage::EtaZone{passage::EtaZone::Kind::Fixed, 0}
                             : passage::EtaZone{};
}

// `text` is the box's text with a header in front (the page puts one there when the box has
// none); `options`: {seconds, textbook, headerLines: the lines in front of the box's own, etaZone
// (the 预计到达时区 choice), boxes: the section's texts by box id}. Returns {error, box (the id of
// the box to fix)} when the text has no waypoints to plan or a box does not read, else {cells (the
// text form's cells, counting the box's own lines), notes (the text form's lines after the table),
// legs and failedLegs (counts), message (the status line's word on a failure, or null) and line
// (the box's line of the waypoint it names, or null), totalMiles and totalHours (the 合计 row's
// total_nmi and total_hours, empty when it has none), csv, gpx, geojson, rtz and nmea (bytes; all
// but csv null when a waypoint cannot be read or a leg cannot be sailed; nmea null too, with
// nmeaProblem saying why, when its names cannot be made unique), points ([latitude,
// longitude, name, waypoint?] sailed, empty then) with kinds (each row's 'leg', 'rhumb' or 'gc'),
// limit (the limiting latitude or null), summary (the plan's summary sentence), printed (the
// printed plan's sections, HTML, as route --format=html writes them), work (with textbook and
// options.showWork, the worked solutions of route --show-work, else "")}.
val planRoute(const std::string& text, const val& options) {
    try {
        auto request = passageRequest(web::Boxes{options["boxes"]}, options["textbook"].as<bool>());
        if (!request) {
            return web::problemObject(request.error());
        }
        request.value().waypoints.bytes = text;
        request.value().waypoints.name = "“航点”";
        request.value().defaultMode =
            options["seconds"].as<bool>() ? EntryMode::Seconds : EntryMode::Minutes;
        const auto planned = passage::planPassage(request.value());
        if (!planned) {
            const passage::PassageProblem& problem = planned.error();
            return problem.kind == passage::PassageProblem::Kind::Rule
                       ? web::problemObject(web::ruleProblem(problem.rule))
                       : failure(problem.text);
        }
        const passage::PassagePlan& plan = planned.value();
        const auto headerLines = options["headerLines"].as<std::size_t>();
        // A caller that names no clock gets the departure's, as the page's default choice does.
        const val choice = options["etaZone"];
        const passage::EtaZone zone =
            etaZoneOf(choice.isString() ? choice.as<std::string>() : std::string{});
        const auto table =
            passage::routeTable(plan, {TableFormat::Text, true, wordingOf(headerLines), {}, zone});
        val result = val::object();
        result.set("cells", rowsOf(table.cells));
        result.set("notes", table.notes);
        result.set("legs", plan.waypoints.size() - 1);
        result.set("failedLegs", plan.totals.failedLegs.size());
        setFirstMessage(result, plan, wordingOf(headerLines));
        const auto& totals = plan.totals;
        result.set("totalMiles",
                   totals.sailedMiles ? passage::distanceText(*totals.sailedMiles) : "");
        result.set("totalHours",
                   totals.elapsedHours
                       ? passage::durationText(*totals.elapsedHours, passage::DurationForm::Hours)
                       : "");
        result.set("summary", passage::planSummary(plan, table));
        // The printed plan counts the lines as the command line does, as its download does.
        result.set("printed",
                   passage::planSections(plan, {TableFormat::Html, true, wordingOf(0), {}, zone}));
        const auto csv =
            passage::routeTable(plan, {TableFormat::Csv, false, wordingOf(0), {}, zone});
        result.set("csv", bytesOf(std::string{kUtf8ByteOrderMark} + csv.text));
        result.set("gpx", plan.gpx ? bytesOf(*plan.gpx) : val::null());
        result.set("geojson", plan.geojson ? bytesOf(*plan.geojson) : val::null());
        result.set("rtz", plan.rtz ? bytesOf(*plan.rtz) : val::null());
        result.set("nmea", plan.nmea ? bytesOf(*plan.nmea) : val::null());
        result.set("nmeaProblem", plan.nmeaProblem ? val(*plan.nmeaProblem) : val::null());
        // 列出计算过程: the blocks route --textbook --show-work prints under its table.
        result.set("work", plan.sailing.method == navigation::SailingMethod::Textbook &&
                                   options["showWork"].isTrue()
                               ? passage::routeWork(plan.route, plan.sailing)
                               : std::string{});
        setSketch(result, plan.route);
        result.set("limit",
                   plan.sailing.limitLatitude ? val(*plan.sailing.limitLatitude) : val::null());
        return result;
    } catch (const batch::InputOutputError& error) {
        return failure(error.what());
    }
}

// A Uint8Array's bytes, copied.
std::string bytesIn(const val& array) {
    std::string bytes(array["length"].as<std::size_t>(), '\0');
    val{emscripten::typed_memory_view(bytes.size(), bytes.data())}.call<void>("set", array);
    return bytes;
}

// A waypoint file's reading as the box's lines: {text, note: text or null} or {error}.
template <typename Reading>
val waypointFileObject(const Reading& read) {
    if (!read) {
        return failure(read.error());
    }
    val result = val::object();
    result.set("text", passage::waypointLines(read.value().waypoints));
    result.set("note", read.value().note ? val(*read.value().note) : val::null());
    return result;
}

// A GPX file's bytes (a Uint8Array, so that bytes that are no UTF-8 reach the check) as the box's
// lines: {text, note: text or null} or {error}.
val readGpx(const val& file) {
    return waypointFileObject(passage::waypointsFromGpx(bytesIn(file)));
}

// An NMEA file's bytes (a Uint8Array) as the box's lines: {text, note: text or null} or {error}.
val readNmea(const val& file) {
    return waypointFileObject(passage::waypointsFromNmea(bytesIn(file)));
}

// An ECDIS's RTZ file's bytes (a Uint8Array) as the box's lines, each leg's sailing in the 航法
// column: {text, note: null} or {error}.
val readRtz(const val& file) {
    const auto read = passage::waypointsFromRtz(bytesIn(file));
    if (!read) {
        return failure(read.error());
    }
    val result = val::object();
    result.set("text", passage::waypointLines(read.value()));
    result.set("note", val::null());
    return result;
}

// Whether a file's bytes (a Uint8Array) are NMEA sentences: its first line that is not blank
// starts with "$" or "!".
bool isNmeaFile(const val& file) {
    // As much as the command line looks at: a table of waypoints may run to megabytes.
    return passage::isNmeaText(
        bytesIn(file.call<val>("subarray", 0, passage::kLargestNmeaFile + 1)));
}

// The names a waypoint file's header may give its columns, English in lower case and Chinese.
val waypointColumnNames() {
    val names = val::array();
    for (const std::string_view name : passage::waypointColumnNames()) {
        names.call<void>("push", std::string{name});
    }
    return names;
}

}  // namespace

std::string planPrintRules() {
    return std::string{passage::planPrintRules()};
}

EMSCRIPTEN_BINDINGS(orvanto_routes) {
    emscripten::function("planPrintRules", &planPrintRules);
    emscripten::function("waypointColumnNames", &waypointColumnNames);
    emscripten::function("planRoute", &planRoute);
    emscripten::function("readGpx", &readGpx);
    emscripten::function("readNmea", &readNmea);
    emscripten::function("readRtz", &readRtz);
    emscripten::function("isNmeaFile", &isNmeaFile);
}

}  // namespace orvanto
