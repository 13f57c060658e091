#include "navigation/route_waypoints.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "batch/batch_columns.h"
#include "batch/batch_row.h"
#include "text/ascii_case.h"
#include "text/code_points.h"
#include "text/trimming.h"

namespace orvanto::navigation {

using batch::CsvReader;
using batch::CsvRecord;
using batch::fieldAt;
using batch::TextCodec;

namespace {

// Where each column's position is kept.
constexpr std::size_t kName = 0;
constexpr std::size_t kLatitude = 1;
constexpr std::size_t kLongitude = 2;
constexpr std::size_t kMode = 3;
constexpr std::size_t kColumnCount = 4;

// Each column's English and Chinese name.
constexpr std::array<std::array<std::string_view, 2>, kColumnCount> kColumnNames = {{
    {"name", "名称"},
    {"lat", "纬度"},
    {"lon", "经度"},
    {"mode", "格式"},
}};

constexpr std::string_view kBlanks = " \t";

using ColumnPositions = std::array<std::optional<std::size_t>, kColumnCount>;

Expected<ColumnPositions, std::string> findColumns(std::span<const std::string_view> header) {
    ColumnPositions positions;
    for (std::size_t field = 0; field < header.size(); ++field) {
        const std::string name = asciiLowerCase(trimmed(header[field], kBlanks));
        for (std::size_t column = 0; column < kColumnCount; ++column) {
            if (name != kColumnNames[column][0] && name != kColumnNames[column][1]) {
                continue;
            }
            const std::string_view spelled = kColumnNames[column][0];
            if (auto placed = batch::placeColumn(positions[column], spelled, field); !placed) {
                return unexpected(placed.error());
            }
        }
    }
    if (!positions[kName] || !positions[kLatitude] || !positions[kLongitude]) {
        return unexpected(
            std::string{"航点文件的表头须有 name、lat、lon 三列（或 名称、纬度、经度），可另加 "
                        "mode（格式）列"});
    }
    return positions;
}

// The record's fields as UTF-8.
std::vector<std::string> decodedFields(const CsvRecord& record, TextCodec& codec) {
    std::vector<std::string> fields(record.fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) {
        codec.appendUtf8(record.fields[i], fields[i]);
    }
    return fields;
}

}  // namespace

Expected<std::vector<Waypoint>, std::string> readWaypoints(CsvReader& reader, TextCodec& codec,
                                                           EntryMode defaultMode) {
    reader.chooseDelimiterBy([&codec](std::span<const std::string_view> fields) {
        CsvRecord header;
        header.fields.assign(fields.begin(), fields.end());
        const auto decoded = decodedFields(header, codec);
        return findColumns(std::vector<std::string_view>(decoded.begin(), decoded.end()))
            .has_value();
    });
    CsvRecord record;
    if (!reader.next(record)) {
        return unexpected(std::string{"航点文件是空的：第一行须是表头，如 name,lat,lon"});
    }
    if (record.tooLong || !codec.isValid(record.text)) {
        return unexpected("航点文件的表头（第 " + std::to_string(record.line) + " 行）" +
                          (record.tooLong ? "超过 " + reader.largestRecordText()
                                          : "不是有效的 " + std::string{codec.name()} + " 文本") +
                          "，无法读取");
    }
    const auto header = decodedFields(record, codec);
    const auto found = findColumns(std::vector<std::string_view>(header.begin(), header.end()));
    if (!found) {
        return unexpected(found.error());
    }
    const ColumnPositions& columns = found.value();
    std::vector<Waypoint> waypoints;
    while (reader.next(record)) {
        const auto stored = decodedFields(record, codec);
        const std::vector<std::string_view> fields(stored.begin(), stored.end());
        if (!record.tooLong && std::all_of(fields.begin(), fields.end(), isBlankText)) {
            continue;
        }
        Waypoint& waypoint = waypoints.emplace_back();
        waypoint.name = trimmed(fieldAt(fields, columns[kName]), kBlanks);
        waypoint.entries.latitude = fieldAt(fields, columns[kLatitude]);
        waypoint.entries.longitude = fieldAt(fields, columns[kLongitude]);
        waypoint.line = record.line;
        const std::string_view modeText = fieldAt(fields, columns[kMode]);
        const auto mode = batch::entryModeNamed(modeText, defaultMode);
        waypoint.entries.mode = mode.value_or(defaultMode);
        if (record.tooLong) {
            waypoint.recordError = "这一记录超过 " + reader.largestRecordText() + "，无法读取";
        } else if (!codec.isValid(record.text)) {
            waypoint.recordError = "这一行不是有效的 " + std::string{codec.name()} + " 文本";
        } else if (!mode) {
            waypoint.recordError = "mode 列的“" + std::string{modeText} +
                                   "”无法识别：应为 m、s、分 或 秒，留空则按 --seconds 的设定";
        }
    }
    return waypoints;
}

}  // namespace orvanto::navigation
