// The waypoint file of a route: a CSV or TSV whose header names the columns name, lat and lon, and
// optionally mode (or in Chinese 名称, 纬度, 经度 and 格式), in any order and case; other columns
// are ignored. Each further record is one waypoint, in the order sailed; its entries are read later
// exactly as the window reads its boxes, in the mode its mode field names (m, s, 分 or 秒; empty
// for the command line's default).
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "calculator/calculation.h"
#include "cli/csv_reader.h"

namespace orvanto::cli {

struct Waypoint {
    std::string name;  // trimmed of surrounding spaces
    PointEntries entries;
    std::string modeError;  // why the mode field cannot be read; empty when it can
    std::size_t line = 0;   // where the record starts in the file
};

// A record whose fields are all empty or blank (an empty line, a spreadsheet's ",,,," row) stands
// for no waypoint.
bool isBlankRecord(std::span<const std::string_view> fields);

// Reads the header and every waypoint. Throws BatchError for an empty input, a header without the
// needed columns, or what the reader throws.
std::vector<Waypoint> readWaypoints(CsvReader& reader, EntryMode defaultMode);

}  // namespace orvanto::cli
