#include "passage/route_waypoints.h"

#include "notation/entry_mode_names.h"
#include "passage/passage_values.h"
#include "passage/table_file.h"
#include "text/code_points.h"
#include "text/trimming.h"

namespace orvanto::passage {
namespace {

// Each column's place in kColumns, and so among a record's fields.
enum Column : std::size_t { Name, Latitude, Longitude, Mode, Speed, Leg };

constexpr NamedColumn kColumns[] = {
    {"name", "名称", true},  {"lat", "纬度", true},    {"lon", "经度", true},
    {"mode", "格式", false}, {"speed", "航速", false}, {"leg", "航法", false},
};

constexpr TableDescription kWaypointFile = {
    "航点文件", "name,lat,lon",
    "航点文件的表头须有 name、lat、lon 三列（或 名称、纬度、经度），可另加 mode（格式）、speed"
    "（航速）和 leg（航法）列"};

}  // namespace

Expected<WaypointFile, std::string> readWaypoints(batch::CsvReader& reader, batch::TextCodec& codec,
                                                  EntryMode defaultMode) {
    auto table = TableFile::open(reader, codec, kColumns, kWaypointFile);
    if (!table) {
        return unexpected(table.error());
    }
    WaypointFile file;
    file.speedColumn = table.value().hasColumn(Speed);
    TableRecord record;
    while (table.value().next(record)) {
        Waypoint& waypoint = file.waypoints.emplace_back();
        waypoint.name = trimmed(record.fields[Name], " \t");
        waypoint.entries.latitude = record.fields[Latitude];
        waypoint.entries.longitude = record.fields[Longitude];
        waypoint.line = record.line;
        const std::string& modeText = record.fields[Mode];
        const auto mode = entryModeNamed(modeText, defaultMode);
        waypoint.entries.mode = mode.value_or(defaultMode);
        waypoint.recordError = record.unreadable;
        if (!waypoint.recordError && !mode) {
            waypoint.unreadMode = modeText;
        }
        const std::string& speedText = record.fields[Speed];
        if (!record.unreadable && !isBlankText(speedText)) {
            waypoint.speed = readSpeed(speedText);
            if (!waypoint.speed) {
                waypoint.speedError =
                    "航速“" + speedText + "”无法识别：应为大于 0、不超过 100 的节数，如 12 或 12.5";
            }
        }
        const std::string& legText = record.fields[Leg];
        if (!record.unreadable && !isBlankText(legText)) {
            waypoint.sailing = legSailingNamed(legText);
            if (!waypoint.sailing) {
                waypoint.sailingError =
                    "航法“" + legText + "”无法识别：应为 RL（恒向线）或 GC（大圆），留空则按默认";
            }
        }
    }
    return file;
}

std::vector<std::string_view> waypointColumnNames() {
    std::vector<std::string_view> names;
    for (const NamedColumn& column : kColumns) {
        names.push_back(column.english);
        names.push_back(column.chinese);
    }
    return names;
}

Expected<void, std::string> enoughWaypoints(const WaypointFile& file, std::string_view inputName) {
    if (file.waypoints.size() < 2) {
        return unexpected("航线至少要有两个航点，" + std::string{inputName} + "中只有 " +
                          std::to_string(file.waypoints.size()) + " 个");
    }
    return {};
}

}  // namespace orvanto::passage
