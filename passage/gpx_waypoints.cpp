#include "passage/gpx_waypoints.h"

#include <algorithm>
#include <tuple>
#include <vector>

#include "batch/block_writer.h"
#include "passage/degree_text.h"
#include "text/ascii_case.h"
#include "text/code_points.h"
#include "text/trimming.h"

namespace orvanto::passage {
namespace {

// GPX is a small, fixed vocabulary of XML: a scan for its few elements reads it without a general
// XML parser, which the page's WebAssembly build would otherwise have to carry. Comments, CDATA,
// processing instructions and the document type are recognised so that markup inside them is not
// taken for points.

constexpr std::string_view kXmlBlanks = " \t\r\n";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr double kLatitudeLimit = 90;
constexpr double kLongitudeLimit = 180;

struct Point {
    std::string name;
    std::string latitude;  // "31.5°"; empty when the point has no lat
    std::string longitude;
    std::size_t line = 0;  // where its tag starts
};

std::size_t lineAt(std::string_view gpx, std::size_t at) {
    return 1 + static_cast<std::size_t>(
                   std::count(gpx.begin(), gpx.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
}

std::string lineText(std::string_view gpx, std::size_t at) {
    return "GPX 文件第 " + std::to_string(lineAt(gpx, at)) + " 行";
}

// The element's name without its namespace prefix ("gpx:rtept" is "rtept").
std::string_view localName(std::string_view tag) {
    const std::string_view name = tag.substr(0, tag.find_first_of(" \t\r\n/"));
    const std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

// The value of attribute `name` in a start tag's text, quoted with ' or "; nothing without one.
std::optional<std::string_view> attribute(std::string_view tag, const char* name) {
    for (std::size_t at = tag.find_first_of(kXmlBlanks); at < tag.size();) {
        at = tag.find_first_not_of(kXmlBlanks, at);
        const std::size_t equals = tag.find('=', at);
        if (at == std::string_view::npos || equals == std::string_view::npos) {
            return std::nullopt;
        }
        const std::string_view key = trimmed(tag.substr(at, equals - at), kXmlBlanks);
        const std::size_t open = tag.find_first_of("'\"", equals);
        const std::size_t close =
            open == std::string_view::npos ? open : tag.find(tag[open], open + 1);
        if (close == std::string_view::npos) {
            return std::nullopt;
        }
        if (key == name) {
            return tag.substr(open + 1, close - open - 1);
        }
        at = close + 1;
    }
    return std::nullopt;
}

// Character data with the five named entities and character references read; an unknown entity
// stays as written.
std::string characterData(std::string_view text) {
    static constexpr std::pair<std::string_view, std::string_view> kNamed[] = {
        {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}};
    std::string data;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t semicolon = text[at] == '&' ? text.find(';', at) : std::string_view::npos;
        if (semicolon == std::string_view::npos) {
            data += text[at++];
            continue;
        }
        const std::string_view entity = text.substr(at + 1, semicolon - at - 1);
        std::optional<std::string> read;
        for (const auto& [name, character] : kNamed) {
            read = entity == name ? std::optional<std::string>{character} : read;
        }
        if (entity.size() > 1 && entity[0] == '#') {
            const bool hex = entity[1] == 'x';
            const std::string digits{entity.substr(hex ? 2 : 1)};
            const bool valid = !digits.empty() && digits.size() <= 6 &&
                               digits.find_first_not_of(hex ? "0123456789abcdefABCDEF"
                                                            : "0123456789") == std::string::npos;
            const unsigned long code = valid ? std::stoul(digits, nullptr, hex ? 16 : 10) : 0;
            if (code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF)) {
                read = encodeUtf8(std::u32string(1, static_cast<char32_t>(code)));
            }
        }
        data += read.value_or(std::string{text.substr(at, semicolon - at + 1)});
        at = read ? semicolon + 1 : at + 1;
    }
    return data;
}

// A name for one line of the waypoint file: line breaks and tabs as spaces, blanks trimmed.
std::string pointName(std::string_view data) {
    std::string name{data};
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c == '\n' || c == '\r' || c == '\t'; }, ' ');
    return std::string{trimmed(name, kXmlBlanks)};
}

class GpxScan {
  public:
    explicit GpxScan(std::string_view gpx) : gpx_(gpx) {}

    Expected<GpxWaypoints, std::string> run() {
        for (std::size_t at = gpx_.find('<'); at != std::string_view::npos;) {
            auto next = markup(at);
            if (!next) {
                return unexpected(next.error());
            }
            const std::size_t data = next.value();
            at = gpx_.find('<', data);
            if (collectingName_) {
                name_ += characterData(gpx_.substr(data, at - data));
            }
        }
        return result();
    }

  private:
    // Reads the markup at `at`; where the character data after it starts.
    Expected<std::size_t, std::string> markup(std::size_t at) {
        for (const auto& [open, close] :
             {std::pair<std::string_view, std::string_view>{"<!--", "-->"},
              {"<![CDATA[", "]]>"},
              {"<?", "?>"},
              {"<!", ">"}}) {
            if (gpx_.substr(at, open.size()) != open) {
                continue;
            }
            const std::size_t end = gpx_.find(close, at + open.size());
            if (end == std::string_view::npos) {
                return unexpected(lineText(gpx_, at) + "的“" + std::string{open} +
                                  "”没有结束，文件不完整");
            }
            if (open == "<![CDATA[" && collectingName_) {
                name_ += gpx_.substr(at + open.size(), end - at - open.size());
            }
            return end + close.size();
        }
        // A > inside a quoted attribute value does not end the tag.
        std::size_t end = at + 1;
        for (char quote = 0; end < gpx_.size(); ++end) {
            const char c = gpx_[end];
            if (quote != 0) {
                if (c == quote) {
                    quote = 0;
                }
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '>') {
                break;
            }
        }
        if (end >= gpx_.size()) {
            return unexpected(lineText(gpx_, at) + "的标记没有“>”结束，文件不完整");
        }
        const std::string_view tag = gpx_.substr(at + 1, end - at - 1);
        if (tag.starts_with('/')) {
            endTag(localName(tag.substr(1)));
        } else if (auto read = startTag(tag, at); !read) {
            return unexpected(read.error());
        }
        return end + 1;
    }

    Expected<void, std::string> startTag(std::string_view tag, std::size_t at) {
        const std::string_view name = localName(tag);
        const bool empty = tag.ends_with('/');
        sawGpx_ = sawGpx_ || name == "gpx";
        if (point_) {
            collectingName_ = depth_ == 0 && name == "name" && !empty;
            depth_ += empty ? 0 : 1;
            return {};
        }
        if (name == "rte") {
            ++routes_;
            inRoute_ = !empty;
        } else if ((name == "rtept" && inRoute_ && routes_ == 1) || name == "wpt") {
            Point point;
            point.line = lineAt(gpx_, at);
            // A point without one of the two is still a waypoint, whose route says what it lacks;
            // without both it is none.
            const bool lacksBoth = !attribute(tag, "lat") && !attribute(tag, "lon");
            for (auto [axis, limit, into] : {std::tuple{"lat", kLatitudeLimit, &point.latitude},
                                             {"lon", kLongitudeLimit, &point.longitude}}) {
                const auto value = attribute(tag, axis);
                if (!value && !lacksBoth) {
                    continue;
                }
                const auto degrees = value ? degreeMarkText(*value, limit) : std::nullopt;
                if (!degrees) {
                    return unexpected(
                        lineText(gpx_, at) + "的 <" + std::string{name} + "> " +
                        (value ? "的 " + std::string{axis} + " 属性“" + std::string{*value} +
                                     "”不是 " + std::to_string(static_cast<int>(-limit)) + " 到 " +
                                     std::to_string(static_cast<int>(limit)) +
                                     " 之间的度数（如 31.5）"
                               : std::string{"缺少 "} + axis + " 属性"));
                }
                *into = *degrees;
            }
            point_ = std::move(point);
            isRoutePoint_ = name == "rtept";
            depth_ = 0;
            if (empty) {
                endTag(name);
            }
        }
        return {};
    }

    void endTag(std::string_view name) {
        if (point_ && depth_ > 0) {
            --depth_;
            if (depth_ == 0 && name == "name") {
                point_->name = pointName(name_);
                name_.clear();
            }
            collectingName_ = false;
            return;
        }
        if (point_ && (name == "rtept" || name == "wpt")) {
            // Only the first route's points: a second route is another passage.
            if (!isRoutePoint_) {
                waypoints_.push_back(std::move(*point_));
            } else {
                routePoints_.push_back(std::move(*point_));
            }
            point_.reset();
        } else if (name == "rte") {
            inRoute_ = false;
        }
    }

    Expected<GpxWaypoints, std::string> result() const {
        if (!sawGpx_) {
            return unexpected(std::string{"这不是 GPX 文件：其中没有 <gpx> 元素"});
        }
        const std::vector<Point>& points = routePoints_.empty() ? waypoints_ : routePoints_;
        if (points.empty()) {
            return unexpected(std::string{"GPX 文件中没有航线点（<rtept>），也没有航点（<wpt>）"});
        }
        GpxWaypoints read;
        for (const Point& point : points) {
            Waypoint& waypoint = read.waypoints.emplace_back();
            waypoint.name = point.name;
            waypoint.entries = {point.latitude, point.longitude, EntryMode::Minutes};
            waypoint.line = point.line;
        }
        if (routes_ > 1 && !routePoints_.empty()) {
            read.note = "GPX 文件中有 " + std::to_string(routes_) + " 条航线，只读取了第一条";
        }
        return read;
    }

    std::string_view gpx_;
    bool sawGpx_ = false;
    std::size_t routes_ = 0;
    bool inRoute_ = false;
    std::optional<Point> point_;
    bool isRoutePoint_ = false;
    std::size_t depth_ = 0;  // elements open inside the point
    bool collectingName_ = false;
    std::string name_;
    std::vector<Point> routePoints_;
    std::vector<Point> waypoints_;
};

}  // namespace

Expected<GpxWaypoints, std::string> waypointsFromGpx(std::string_view gpx) {
    if (gpx.starts_with(kByteOrderMark)) {
        gpx.remove_prefix(kByteOrderMark.size());
    }
    if (!isValidUtf8(gpx)) {
        // No UTF-8 sequence holds a line break, so the lines can be checked one by one.
        std::size_t line = 0;
        while (isValidUtf8(gpx.substr(line, gpx.find('\n', line) - line))) {
            line = gpx.find('\n', line) + 1;
        }
        return unexpected(lineText(gpx, line) + "不是 UTF-8 文本：GPX 文件须以 UTF-8 编码");
    }
    const std::size_t declarationEnd = gpx.starts_with("<?xml") ? gpx.find("?>") : 0;
    const auto encoding = attribute(gpx.substr(0, declarationEnd), "encoding");
    if (encoding && asciiLowerCase(*encoding) != "utf-8" &&
        asciiLowerCase(*encoding) != "us-ascii") {
        return unexpected("GPX 文件声明的编码是“" + std::string{*encoding} +
                          "”，只能读取 UTF-8 编码的 GPX 文件");
    }
    return GpxScan{gpx}.run();
}

std::string waypointLines(std::span<const Waypoint> waypoints) {
    const bool legs = std::any_of(waypoints.begin(), waypoints.end(),
                                  [](const Waypoint& waypoint) { return waypoint.sailing; });
    std::string lines = legs ? "名称,纬度,经度,航法\n" : "名称,纬度,经度\n";
    for (const Waypoint& waypoint : waypoints) {
        lines += batch::csvQuoted(waypoint.name, ',') + "," + waypoint.entries.latitude + "," +
                 waypoint.entries.longitude;
        if (legs) {
            lines += ",";
            lines += waypoint.sailing ? legSailingCode(*waypoint.sailing) : "";
        }
        lines += "\n";
    }
    return lines;
}

bool isGpxFileName(std::string_view name) {
    return name.size() >= 4 && asciiLowerCase(name.substr(name.size() - 4)) == ".gpx";
}

}  // namespace orvanto::passage
