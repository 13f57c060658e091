#include "passage/nmea_waypoints.h"

#include <map>

#include "passage/nmea_writer.h"
#include "text/code_points.h"
#include "text/trimming.h"

namespace orvanto::passage {
namespace {

constexpr std::string_view kBlanks = " \t\r\n";
constexpr int kMinutesInDegree = 60;

std::string lineText(std::size_t line) {
    return "NMEA 文件第 " + std::to_string(line) + " 行";
}

std::vector<std::string_view> fieldsOf(std::string_view body) {
    std::vector<std::string_view> fields;
    for (std::size_t at = 0;;) {
        const std::size_t comma = body.find(',', at);
        fields.push_back(body.substr(at, comma - at));
        if (comma == std::string_view::npos) {
            return fields;
        }
        at = comma + 1;
    }
}

bool isDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// A sentence's address names `type` after its two-character talker ("GPWPL", "IIWPL").
bool isType(std::string_view address, std::string_view type) {
    return address.size() == 5 && address.substr(2) == type;
}

// "3105.1234" with "N" as "31°05.1234′" (a "-" in front for S or W): [d…]mm[.m…], minutes under 60,
// within ±limit; nothing for anything else.
std::optional<std::string> positionEntry(std::string_view value, std::string_view hemisphere,
                                         char positive, char negative, int limit) {
    const std::size_t point = std::min(value.find('.'), value.size());
    const std::string_view whole = value.substr(0, point);
    const std::string_view decimals = value.substr(std::min(point + 1, value.size()));
    const bool signs =
        hemisphere.size() == 1 && (hemisphere[0] == positive || hemisphere[0] == negative);
    if (!signs || whole.size() < 2 || !isDigits(whole) ||
        (point < value.size() && !isDigits(decimals))) {
        return std::nullopt;
    }
    std::string_view degrees = whole.substr(0, whole.size() - 2);
    degrees.remove_prefix(std::min(degrees.find_first_not_of('0'), degrees.size()));
    const std::string_view minutes = whole.substr(whole.size() - 2);
    const bool zeroMinutes =
        minutes == "00" && decimals.find_first_not_of('0') == std::string_view::npos;
    if (degrees.size() > 3 || (minutes[0] - '0') * 10 + (minutes[1] - '0') >= kMinutesInDegree) {
        return std::nullopt;
    }
    const int wholeDegrees = degrees.empty() ? 0 : std::stoi(std::string{degrees});
    if (wholeDegrees > limit || (wholeDegrees == limit && !zeroMinutes)) {
        return std::nullopt;
    }
    std::string entry = hemisphere[0] == negative ? "-" : "";
    entry +=
        (degrees.empty() ? std::string{"0"} : std::string{degrees}) + "°" + std::string{minutes};
    if (!decimals.empty()) {
        entry += "." + std::string{decimals};
    }
    return entry + "′";
}

// The first route's sentences as they come: its id and count from its first sentence.
struct RouteRead {
    std::string id;
    std::size_t total = 0;
    std::size_t read = 0;
    std::size_t line = 0;                                    // of its first sentence
    std::vector<std::pair<std::string, std::size_t>> names;  // with their lines
};

class NmeaReader {
  public:
    Expected<NmeaWaypoints, std::string> run(std::string_view nmea) {
        if (nmea.size() > kLargestNmeaFile) {
            return unexpected(std::string{"NMEA 文件超过 512 KiB，不是 GPS 的航线文件"});
        }
        if (nmea.starts_with(kUtf8ByteOrderMark)) {
            nmea.remove_prefix(kUtf8ByteOrderMark.size());
        }
        std::size_t line = 0;
        for (std::size_t at = 0; at < nmea.size() && error_.empty();) {
            const std::size_t end = std::min(nmea.find('\n', at), nmea.size());
            ++line;
            sentence(trimmed(nmea.substr(at, end - at), kBlanks), line);
            at = end + 1;
        }
        if (!error_.empty()) {
            return unexpected(error_);
        }
        return finished();
    }

  private:
    void sentence(std::string_view text, std::size_t line) {
        if (text.empty()) {
            return;
        }
        if (text[0] != '$' && text[0] != '!') {
            error_ = lineText(line) + "不是 NMEA 语句（应以 $ 或 ! 开头）";
            return;
        }
        if (!isValidUtf8(text)) {
            error_ = lineText(line) + "有不是文字的字节（NMEA 语句只用 ASCII 字符）";
            return;
        }
        const std::size_t star = text.find('*');
        const std::string_view body = text.substr(1, star - 1);
        if (star != std::string_view::npos) {
            const std::string given = asciiUpper(text.substr(star));
            if (given != nmeaChecksum(body)) {
                error_ = lineText(line) + "的校验和“" + std::string{text.substr(star)} +
                         "”与语句不符（应为 " + nmeaChecksum(body) + "）：这一行已损坏或被改动过";
                return;
            }
        }
        const auto fields = fieldsOf(body);
        if (isType(fields[0], "WPL")) {
            waypoint(fields, line);
        } else if (isType(fields[0], "RTE")) {
            route(fields, line);
        }
    }

    static std::string asciiUpper(std::string_view text) {
        std::string upper{text};
        for (char& c : upper) {
            c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        }
        return upper;
    }

    // $--WPL,llll.ll,a,yyyyy.yy,a,name
    void waypoint(const std::vector<std::string_view>& fields, std::size_t line) {
        constexpr int kLatitudeLimit = 90;
        constexpr int kLongitudeLimit = 180;
        if (fields.size() < 6) {
            error_ = lineText(line) + "的 WPL 语句应有纬度、南北、经度、东西和名称五项";
            return;
        }
        const auto latitude = positionEntry(fields[1], fields[2], 'N', 'S', kLatitudeLimit);
        const auto longitude = positionEntry(fields[3], fields[4], 'E', 'W', kLongitudeLimit);
        if (!latitude || !longitude) {
            const bool lat = !latitude;
            error_ = lineText(line) + "的 WPL 语句的" + (lat ? "纬度“" : "经度“") +
                     std::string{fields[lat ? 1 : 3]} + "," + std::string{fields[lat ? 2 : 4]} +
                     "”不是" + (lat ? "ddmm.mmmm,N 或 S" : "dddmm.mmmm,E 或 W") + "形式的位置";
            return;
        }
        std::string name{trimmed(fields[5], kBlanks)};
        if (name.empty()) {
            name = "WP" + std::to_string(waypoints_.size() + 1);
        }
        if (const auto known = byName_.find(name); known != byName_.end()) {
            const Waypoint& first = waypoints_[known->second];
            if (first.entries.latitude != *latitude || first.entries.longitude != *longitude) {
                error_ = lineText(line) + "的航点“" + name + "”与第 " + std::to_string(first.line) +
                         " 行的同名航点位置不同";
            }
            return;
        }
        Waypoint& waypoint = waypoints_.emplace_back();
        waypoint.name = name;
        waypoint.entries = {*latitude, *longitude, EntryMode::Minutes};
        waypoint.line = line;
        byName_.emplace(std::move(name), waypoints_.size() - 1);
    }

    // $--RTE,total,number,c|w,id,name,name,…
    void route(const std::vector<std::string_view>& fields, std::size_t line) {
        if (fields.size() < 5 || !isDigits(fields[1]) || !isDigits(fields[2]) ||
            fields[1].size() > 4 || fields[2].size() > 4 ||
            std::stoul(std::string{fields[2]}) < 1 ||
            std::stoul(std::string{fields[2]}) > std::stoul(std::string{fields[1]})) {
            error_ = lineText(line) + "的 RTE 语句应以句数、句号、类型和航线名开头";
            return;
        }
        const std::size_t total = std::stoul(std::string{fields[1]});
        const std::size_t number = std::stoul(std::string{fields[2]});
        const std::string id{trimmed(fields[4], kBlanks)};
        if (!route_) {
            if (number != 1) {
                return;  // the file starts in the middle of a route sent again and again
            }
            route_ = RouteRead{id, total, 0, line, {}};
        }
        if (id != route_->id) {
            if (number == 1 && !otherRoutes_.contains(id)) {
                otherRoutes_.emplace(id, line);
            }
            return;
        }
        if (route_->read == route_->total) {
            return;  // the route sent again
        }
        if (number != route_->read + 1 || total != route_->total) {
            error_ = lineText(line) + "的 RTE 语句是航线“" + id + "”共 " + std::to_string(total) +
                     " 句中的第 " + std::to_string(number) + " 句，应为共 " +
                     std::to_string(route_->total) + " 句中的第 " +
                     std::to_string(route_->read + 1) + " 句";
            return;
        }
        ++route_->read;
        for (std::size_t i = 5; i < fields.size(); ++i) {
            if (const std::string_view name = trimmed(fields[i], kBlanks); !name.empty()) {
                route_->names.emplace_back(name, line);
            }
        }
    }

    Expected<NmeaWaypoints, std::string> finished() {
        NmeaWaypoints read;
        if (!route_) {
            if (waypoints_.empty()) {
                return unexpected(std::string{"NMEA 文件中没有航点（$--WPL 语句）"});
            }
            read.waypoints = std::move(waypoints_);
            return read;
        }
        if (route_->read < route_->total) {
            return unexpected("NMEA 文件中航线“" + route_->id + "”的 RTE 语句不全：共 " +
                              std::to_string(route_->total) + " 句，只有 " +
                              std::to_string(route_->read) + " 句");
        }
        if (route_->names.empty()) {
            return unexpected(lineText(route_->line) + "的航线“" + route_->id + "”中没有航点");
        }
        for (const auto& [name, line] : route_->names) {
            const auto known = byName_.find(name);
            if (known == byName_.end()) {
                return unexpected(lineText(line) + "的航线中的航点“" + name +
                                  "”没有 WPL 语句给出位置");
            }
            read.waypoints.push_back(waypoints_[known->second]);
        }
        if (!otherRoutes_.empty()) {
            read.note = "文件中有 " + std::to_string(otherRoutes_.size() + 1) +
                        " 条航线，只读取了第一条“" + route_->id + "”（第 " +
                        std::to_string(route_->line) + " 行）";
        }
        return read;
    }

    std::vector<Waypoint> waypoints_;
    std::map<std::string, std::size_t, std::less<>> byName_;
    std::optional<RouteRead> route_;
    std::map<std::string, std::size_t, std::less<>> otherRoutes_;
    std::string error_;
};

}  // namespace

Expected<NmeaWaypoints, std::string> waypointsFromNmea(std::string_view nmea) {
    return NmeaReader{}.run(nmea);
}

bool isNmeaText(std::string_view bytes) {
    if (bytes.starts_with(kUtf8ByteOrderMark)) {
        bytes.remove_prefix(kUtf8ByteOrderMark.size());
    }
    const std::size_t first = bytes.find_first_not_of(kBlanks);
    return first != std::string_view::npos && (bytes[first] == '$' || bytes[first] == '!');
}

}  // namespace orvanto::passage
