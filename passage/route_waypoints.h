// The waypoint file of a route: a CSV or TSV (table_file.h) whose header names the columns name,
// lat and lon, and optionally mode, speed and leg (or in Chinese 名称, 纬度, 经度, 格式, 航速 and
// 航法). Each
// further record is one waypoint, in the order sailed; its entries are read later exactly as the
// window reads its boxes, in the mode its mode field names (m, s, 分 or 秒, ｍ and ｓ in full
// width; empty for the command line's default). The speed field is the speed of the leg that
// starts at the waypoint, read as --speed reads one (passage_values.h), and so is the leg field
// its sailing (leg_sailing.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/csv_reader.h"
#include "batch/text_encoding.h"
#include "calculator/calculation.h"
#include "passage/leg_sailing.h"
#include "text/expected.h"

namespace orvanto::passage {

struct Waypoint {
    std::string name;  // trimmed of surrounding spaces
    PointEntries entries;
    // Why the record cannot be read (bytes its encoding does not read, its length, its fields
    // against the header's); nothing when it can.
    std::optional<std::string> recordError;
    // A mode field that names no mode, as typed; nothing when it does.
    std::optional<std::string> unreadMode;
    std::size_t line = 0;  // where the record starts in the file
    // Knots for the leg from here; nothing when the field is empty (or there is no such column).
    std::optional<double> speed;
    std::optional<std::string> speedError;  // what is wrong with the speed field
    // How the leg from here is sailed; nothing when the field is empty (or there is no such
    // column), and then the plan decides.
    std::optional<LegSailing> sailing;
    std::optional<std::string> sailingError;  // what is wrong with the leg field
};

struct WaypointFile {
    std::vector<Waypoint> waypoints;
    bool speedColumn = false;  // the header names speed or 航速
};

// Reads the header and every waypoint, decoding the fields with `codec`. What is wrong with an
// empty input, an unreadable header or one without the needed columns, for the user;
// InputOutputError when the input cannot be read.
Expected<WaypointFile, std::string> readWaypoints(batch::CsvReader& reader, batch::TextCodec& codec,
                                                  EntryMode defaultMode);

// The names the header may give the columns: each column's English name in lower case and its
// Chinese one.
std::vector<std::string_view> waypointColumnNames();

// At least two waypoints make a route: else what to tell the user, naming the input as given
// (a file's name, or the page's box).
Expected<void, std::string> enoughWaypoints(const WaypointFile& file, std::string_view inputName);

}  // namespace orvanto::passage
