// The waypoint file of a route: a CSV or TSV whose header names the columns name, lat and lon, and
// optionally mode (or in Chinese 名称, 纬度, 经度 and 格式), in any order and case; other columns
// are ignored. Each further record is one waypoint, in the order sailed; its entries are read later
// exactly as the window reads its boxes, in the mode its mode field names (m, s, 分 or 秒, ｍ and
// ｓ in full width; empty for the command line's default). The header chooses the delimiter as in
// batch: the one that gives it these columns.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/csv_reader.h"
#include "batch/text_encoding.h"
#include "calculator/calculation.h"
#include "text/expected.h"

namespace orvanto::navigation {

struct Waypoint {
    std::string name;  // trimmed of surrounding spaces
    PointEntries entries;
    // Why the record cannot be read (bytes its encoding does not read, its length, its mode
    // field); nothing when it can.
    std::optional<std::string> recordError;
    std::size_t line = 0;  // where the record starts in the file
};

// Reads the header and every waypoint, decoding the fields with `codec`. A record whose fields are
// all empty or blank (an empty line, a spreadsheet's ",,,," row) stands for no waypoint, as in
// batch. What is wrong with an empty input, an unreadable header or one without the needed columns,
// for the user; InputOutputError when the input cannot be read.
Expected<std::vector<Waypoint>, std::string> readWaypoints(batch::CsvReader& reader,
                                                           batch::TextCodec& codec,
                                                           EntryMode defaultMode);

}  // namespace orvanto::navigation
