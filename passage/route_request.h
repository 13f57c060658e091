// The front door of passage planning. A front end fills a request with what its user gave (the
// waypoints' file or text, and the passage's values already read) and gets back the plan: the
// route as sailed, its rows with numbers as numbers (nautical miles, degrees, hours), the totals
// summed from them, and the files for a plotter and a map as bytes. The table is written from the
// plan (route_table.h) in each front end's words. What went wrong comes back as a kind, for the
// front end to word: the command line names --speed, the page its 航速（节） box.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/csv_reader.h"
#include "batch/text_encoding.h"
#include "navigation/compass_error.h"
#include "navigation/current_triangle.h"
#include "navigation/great_circles.h"
#include "navigation/sailing_method.h"
#include "notation/entry_mode.h"
#include "passage/option_rules.h"
#include "passage/passage_times.h"
#include "passage/route_times.h"
#include "passage/route_waypoints.h"
#include "passage/rtz_version.h"
#include "passage/sailed_route.h"
#include "text/expected.h"

namespace orvanto::passage {

// Where the waypoints come from: a table (CSV, TSV, pasted lines) as UTF-8 bytes or already open
// in its own encoding, or a GPX, RTZ or NMEA file's bytes.
struct WaypointSource {
    enum class Kind { Table, Gpx, Rtz, Nmea };
    Kind kind = Kind::Table;
    std::string_view bytes;
    // A table open in its own encoding; when set, `bytes` is not read.
    batch::CsvReader* reader = nullptr;
    batch::TextCodec* codec = nullptr;
    std::string name;  // how messages call it: "标准输入", "“coast.csv”", "“航点”"
};

struct PassageRequest {
    WaypointSource waypoints;
    EntryMode defaultMode = EntryMode::Minutes;  // of a waypoint whose mode field is empty
    std::optional<double> speed;                 // knots
    std::optional<Departure> departure;
    std::optional<navigation::Current> current;
    std::optional<navigation::WaypointStep> every;
    std::optional<double> limitLatitude;
    navigation::CompassCorrection correction;  // with a deviation card when one was given
    navigation::SailingMethod method = navigation::SailingMethod::Wgs84;
    // The offset from UTC (minutes east) of the front end's clock at a departure written without
    // one: the command line's machine, the page's browser. What to tell when there is none.
    std::function<Expected<int, std::string>(const ClockTime&)> localOffset;
    bool files = false;              // write the GPX and GeoJSON files
    std::string routeName = "航线";  // what the files call the route
    // An RTZ file for an ECDIS in that version, its routeName `rtzName` (the written file's name).
    std::optional<RtzVersion> rtz;
    std::string rtzName = "航线";
    // NMEA sentences for a GPS, their names at most `nmeaNameLength` characters, the route's id
    // cut from `nmeaName` (the written file's name).
    std::optional<std::size_t> nmeaNameLength;
    std::string nmeaName = "航线";
};

struct PassageProblem {
    enum class Kind {
        Waypoints,  // the waypoints cannot be read, or are too few: `text` says why
        Rule,       // the request breaks `rule`
        LocalTime,  // the departure's local time has no offset: `text`, from localOffset
    };
    Kind kind = Kind::Waypoints;
    std::string text;
    Rule rule = Rule::DeviationNeedsVariation;
};

struct PassagePlan {
    std::vector<Waypoint> waypoints;  // as read, with the lines of their source
    bool speedColumn = false;
    // Said to the user about the source: a GPX or NMEA file with more routes than the one read.
    std::optional<std::string> note;
    SailingPlan sailing;
    TimingSettings timing;  // its departure with the offset found
    navigation::CompassCorrection correction;
    SailedRoute route;
    RouteTotals totals;
    // The files asked for, when every waypoint reads and every leg can be sailed: nothing else, so
    // that no file leaves part of the route out.
    std::optional<std::string> gpx;
    std::optional<std::string> geojson;
    std::optional<std::string> rtz;
    std::optional<std::string> nmea;
    // Why there are no NMEA sentences for a route that has its other files: too many waypoints
    // to name apart within the length asked for. The table stands all the same.
    std::optional<std::string> nmeaProblem;
};

// Reads the waypoints, checks the request's rules, sails the route and times it. Throws
// InputOutputError when the source cannot be read.
Expected<PassagePlan, PassageProblem> planPassage(const PassageRequest& request);

}  // namespace orvanto::passage
