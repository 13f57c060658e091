#include "cli/options.h"

#include <algorithm>
#include <utility>

#include "navigation/variation.h"
#include "text/ascii_case.h"
#include "text/code_points.h"
#include "text/trimming.h"

namespace orvanto::cli {
namespace {

using navigation::TableFormat;
using Outcome = Expected<void, UsageError>;

constexpr std::size_t kDistance = 0;
constexpr std::size_t kAngle = 1;
constexpr std::size_t kBatch = 2;
constexpr std::size_t kCourse = 3;
constexpr std::size_t kRoute = 4;

constexpr Command kCommands[] = {
    {"distance", Action::Distance, kDistance, "纬度1 经度1 纬度2 经度2", 4, 4, "",
     "计算点Ⅰ与点Ⅱ的距离，输出公里数、一个制表符和海里数。"},
    {"angle", Action::Angle, kAngle, "纬度1 经度1 纬度2 经度2 参考点纬度 参考点经度", 6, 6, "",
     "计算点Ⅰ、点Ⅱ相对于参考点所成的夹角（度）。"},
    {"batch", Action::Batch, kBatch, "[文件|-]", 0, 1, "文件",
     "逐行计算 CSV 或 TSV 文件（省略或写 - 时读标准输入）中的距离和夹角：每行输出\n"
     "原有各列，再加 km、nmi、angle、error 四列。"},
    {"course", Action::Course, kCourse, "纬度1 经度1 纬度2 经度2", 4, 4, "",
     "点Ⅰ到点Ⅱ的大圆航线（距离，初始与最终航向）和恒向线（距离，航向），按 WGS-84\n"
     "椭球计算。tsv 输出一行七列：gc_km、gc_nmi、gc_course_initial、gc_course_final、\n"
     "rhumb_km、rhumb_nmi、rhumb_course；加 --variation 时再加 gc_course_initial_m、\n"
     "gc_course_final_m、rhumb_course_m 三列磁航向。"},
    {"route", Action::Route, kRoute, "[航点文件|-]", 0, 1, "航点文件",
     "按顺序逐段计算航点文件中的航线：每段一行，列为 from、to、rhumb_course、\n"
     "rhumb_nmi、gc_course_initial、gc_nmi、km、nmi（本计算方法的距离）、total_nmi\n"
     "（恒向线海里的累计）、error，最后一行“合计”（没有航段算出的项留空）。加\n"
     "--variation 时在 rhumb_course 和 gc_course_initial 之后各加一列磁航向（_m）。\n"
     "text 在终端上为默认，对齐各列；否则默认 csv。text 和终端上的表中，名称里的\n"
     "控制字符写作 \\n、U+001B 等。--gpx 写出 GPX 1.1 航线，--geojson 写出 GeoJSON\n"
     "（航点和沿大圆的航线，在 180° 经线处断开），两者总是 UTF-8；有航点无法读取时\n"
     "不写这两个文件。出错的说明写明航点及其行号，如“航点“B”（第 3 行）的纬度…”。"},
};

UsageError problem(std::string text) {
    return UsageError{std::move(text)};
}

// "--format 只能是 plain 或 window，不认识“x”".
Outcome notOneOf(std::string_view name, std::string_view allowed, std::string_view value) {
    return unexpected(problem(std::string{name} + " 只能是 " + std::string{allowed} + "，不认识“" +
                              std::string{value} + "”"));
}

Outcome needsValue(std::string_view name, std::string_view written) {
    return unexpected(problem(std::string{name} + " 须写成 " + std::string{written}));
}

Outcome takesNoValue(std::string_view name) {
    return unexpected(problem(std::string{name} + " 不带值，只写 " + std::string{name}));
}

template <typename Value, std::size_t N>
std::optional<Value> named(const std::pair<std::string_view, Value> (&names)[N],
                           std::string_view name) {
    const std::string lower = asciiLowerCase(name);
    for (const auto& [spelling, value] : names) {
        if (spelling == lower) {
            return value;
        }
    }
    return std::nullopt;
}

// The points named in a list such as "1,2,r" are read in seconds mode; route's --seconds stands
// alone and puts every waypoint in seconds mode.
Outcome readSeconds(const Command& command, std::optional<std::string_view> value,
                    Request& request) {
    if (command.index == kRoute) {
        if (value) {
            return unexpected(
                problem("route 的 --seconds 不带列表：写 --seconds 即所有航点按“秒”格式读取"));
        }
        request.allSeconds = true;
        return {};
    }
    if (!value) {
        return needsValue("--seconds", "--seconds=列表，例如 --seconds=2");
    }
    if (value->empty()) {
        return unexpected(
            problem("--seconds= 后须列出点：1、2 或 r，以逗号分隔，例如 --seconds=1,r"));
    }
    const bool withReference = command.index != kCourse;
    for (std::size_t start = 0; start <= value->size();) {
        const std::size_t comma = std::min(value->find(',', start), value->size());
        const std::string_view item = value->substr(start, comma - start);
        if (item == "1" || item == "2") {
            (item == "1" ? request.input.point1 : request.input.point2).mode = EntryMode::Seconds;
        } else if (withReference && (item == "r" || item == "R")) {
            request.input.reference.mode = EntryMode::Seconds;
        } else {
            return unexpected(problem("--seconds 的列表中只能有 " +
                                      std::string{withReference ? "1、2 或 r" : "1 或 2"} +
                                      "，不认识“" + std::string{item} + "”"));
        }
        start = comma + 1;
    }
    return {};
}

Outcome readFormat(const Command& command, std::optional<std::string_view> value,
                   Request& request) {
    constexpr std::pair<std::string_view, NumberStyle> kStyles[] = {
        {"plain", NumberStyle::Plain}, {"window", NumberStyle::Window}};
    constexpr std::pair<std::string_view, TableFormat> kTables[] = {
        {"text", TableFormat::Text}, {"tsv", TableFormat::Tsv}, {"csv", TableFormat::Csv}};
    const bool table = command.index == kCourse || command.index == kRoute;
    const std::string_view allowed = !table                    ? "plain 或 window"
                                     : command.index == kRoute ? "text、csv 或 tsv"
                                                               : "text 或 tsv";
    if (!value) {
        return needsValue("--format", table ? "--format=text 或 --format=tsv"
                                            : "--format=plain 或 --format=window");
    }
    if (!table) {
        const auto style = named(kStyles, *value);
        if (!style) {
            return notOneOf("--format", allowed, *value);
        }
        request.numberStyle = *style;
        return {};
    }
    const auto format = named(kTables, *value);
    if (!format || (*format == TableFormat::Csv && command.index != kRoute)) {
        return notOneOf("--format", allowed, *value);
    }
    request.tableFormat = *format;
    return {};
}

Outcome readEncoding(const Command& /*command*/, std::optional<std::string_view> value,
                     Request& request) {
    constexpr std::pair<std::string_view, Encoding> kEncodings[] = {
        {"auto", Encoding::Auto},    {"utf-8", Encoding::Utf8},     {"gb18030", Encoding::Gb18030},
        {"gbk", Encoding::Gb18030},  {"gb2312", Encoding::Gb18030}, {"cp936", Encoding::Gb18030},
        {"utf-16", Encoding::Utf16},
    };
    if (!value) {
        return needsValue("--encoding",
                          "--encoding=auto、utf-8、gb18030 或 utf-16（gbk、gb2312、cp936 同 "
                          "gb18030）");
    }
    const auto encoding = named(kEncodings, *value);
    if (!encoding) {
        return notOneOf("--encoding", "auto、utf-8、gb18030、gbk、gb2312、cp936 或 utf-16", *value);
    }
    request.files.encoding = *encoding;
    return {};
}

Outcome readOutputEncoding(const Command& /*command*/, std::optional<std::string_view> value,
                           Request& request) {
    constexpr std::pair<std::string_view, OutputEncoding> kEncodings[] = {
        {"utf-8", OutputEncoding::Utf8},
        {"utf-8-bom", OutputEncoding::Utf8Bom},
        {"gb18030", OutputEncoding::Gb18030},
        {"utf-16", OutputEncoding::Utf16},
    };
    constexpr std::string_view kAllowed = "utf-8、utf-8-bom、gb18030 或 utf-16";
    if (!value) {
        return needsValue("--output-encoding", "--output-encoding=" + std::string{kAllowed});
    }
    const auto encoding = named(kEncodings, *value);
    if (!encoding) {
        return notOneOf("--output-encoding", kAllowed, *value);
    }
    request.files.outputEncoding = *encoding;
    return {};
}

// --output, --gpx and --geojson: a file name after "=".
template <std::size_t Which>
Outcome readPath(const Command& /*command*/, std::optional<std::string_view> value,
                 Request& request) {
    constexpr std::string_view kNames[] = {"--output", "--gpx", "--geojson"};
    std::string* const paths[] = {&request.files.outputPath, &request.gpxPath,
                                  &request.geojsonPath};
    const std::string_view name = kNames[Which];
    if (!value || value->empty()) {
        return needsValue(name, std::string{name} + "=文件");
    }
    *paths[Which] = *value;
    return {};
}

template <std::size_t Which>
Outcome readFlag(const Command& /*command*/, std::optional<std::string_view> value,
                 Request& request) {
    constexpr std::string_view kNames[] = {"--geodesic", "--navigation"};
    if (value) {
        return takesNoValue(kNames[Which]);
    }
    (Which == 0 ? request.geodesicColumns : request.courseColumns) = true;
    return {};
}

Outcome readVariation(const Command& /*command*/, std::optional<std::string_view> value,
                      Request& request) {
    if (!value) {
        return needsValue("--variation", "--variation=磁差，例如 --variation=3.5W");
    }
    request.variation = navigation::readVariation(*value);
    if (!request.variation) {
        return unexpected(problem(
            "--variation 须是磁差的度数，西为负、东为正，如 3.5W、W3.5、西3.5、-3.5、2E、2 或 "
            "5°30′W，不认识“" +
            std::string{*value} + "”"));
    }
    return {};
}

// The threads batch computes its rows on: 1 to 256, or 0 for as many as this process has CPUs.
// Typed with an input method, the digits may be full width.
Outcome readJobs(const Command& /*command*/, std::optional<std::string_view> value,
                 Request& request) {
    constexpr unsigned kMostJobs = 256;
    if (!value) {
        return needsValue("--jobs", "--jobs=线程数，例如 --jobs=4");
    }
    const std::u32string typed = decodeUtf8(trimmed(*value, " "));
    unsigned jobs = 0;
    bool read = !typed.empty();
    for (const char32_t character : typed) {
        const bool ascii = character >= U'0' && character <= U'9';
        read = read && (ascii || isFullWidthDigit(character)) && jobs <= kMostJobs;
        jobs = jobs * 10 + static_cast<unsigned>(character - (ascii ? U'0' : U'０'));
    }
    if (!read || jobs > kMostJobs) {
        return unexpected(
            problem("--jobs 须是 0 到 256 之间的整数（0 即本进程可用的 CPU 数），不认识“" +
                    std::string{*value} + "”"));
    }
    request.jobs = jobs;
    return {};
}

// Which commands take an option, by Command::index, and how their synopses write it.
using Synopses = std::array<std::string_view, kCommandCount>;
constexpr Synopses only(std::size_t index, std::string_view synopsis) {
    Synopses synopses{};
    synopses[index] = synopsis;
    return synopses;
}

constexpr Option kOptions[] = {
    {"--seconds",
     {"[--seconds=列表]", "[--seconds=列表]", "[--seconds=列表]", "[--seconds=列表]",
      "[--seconds]"},
     readSeconds,
     "--seconds=列表",
     "用“秒”格式读取所列各点的坐标，列表由 1、2、r（参考点）组成，\n"
     "以逗号分隔，如 --seconds=2 或 --seconds=1,2,r\n"
     "（route 只写 --seconds：所有航点按“秒”格式读取）"},
    {"--format",
     {"[--format=plain|window]", "[--format=plain|window]", "[--format=plain|window]",
      "[--format=text|tsv]", "[--format=text|csv|tsv]"},
     readFormat,
     "--format=格式",
     "course 和 route 的输出：text、tsv，route 还可 csv。其余命令为\n"
     "数字的写法：plain 写作 0.5、12（batch 的默认）；window 与窗口\n"
     "完全相同，写作 .5、12.（distance 和 angle 的默认）"},
    {"--encoding",
     {"", "", "[--encoding=编码]", "", "[--encoding=编码]"},
     readEncoding,
     "--encoding=编码",
     "batch、route 输入的编码：auto（默认）、utf-8、gb18030（gbk、\n"
     "gb2312、cp936 同 gb18030）或 utf-16（按 BOM 分大小端，无 BOM 为小\n"
     "端，即 Excel 的“Unicode 文本”）。auto：有 UTF-16 的 BOM 即为 UTF-16；\n"
     "有 UTF-8 的 BOM 或前 64 KiB 是有效的 UTF-8 即为 UTF-8，否则是有效的\n"
     "GB18030 即为 GB18030（在标准错误上说明）；都不是则停止。读不通的行\n"
     "在 error 列中报错，其余照常计算"},
    {"--output-encoding",
     {"", "", "[--output-encoding=编码]", "", "[--output-encoding=编码]"},
     readOutputEncoding,
     "--output-encoding=编码",
     "batch 输出和 route 的表的编码：utf-8、utf-8-bom、gb18030 或 utf-16\n"
     "（小端，带 BOM）。默认与输入相同（UTF-16 总带 BOM），写到终端时为\n"
     "UTF-8。带 BOM 的输出中读不通的字节写作 U+FFFD，该行的 error 列注明"},
    {"--geodesic", only(kBatch, "[--geodesic]"), readFlag<0>, "--geodesic",
     "batch 另加 geodesic_km、geodesic_angle 两列：WGS-84 测地线的\n"
     "距离与夹角，用以对照本计算方法的估算"},
    {"--navigation", only(kBatch, "[--navigation]"), readFlag<1>, "--navigation",
     "batch 另加 course 的七列航向与距离（加 --variation 时十列），\n"
     "接在其他结果列之后；该行坐标无法读取时留空"},
    {"--variation",
     {"", "", "[--variation=磁差]", "[--variation=磁差]", "[--variation=磁差]"},
     readVariation,
     "--variation=磁差",
     "course、route 和 batch --navigation 另给出磁航向，如 3.5W、\n"
     "W3.5、西3.5、-3.5、5°30′W（西为负、东为正）",
     only(kBatch, "--navigation")},
    {"--output", only(kBatch, "[--output=文件]"), readPath<0>, "--output=文件",
     "batch 的结果写入该文件，而不是标准输出"},
    {"--jobs", only(kBatch, "[--jobs=线程数]"), readJobs, "--jobs=线程数",
     "batch 同时计算的线程数，1 到 256；0 和默认为本进程可用的 CPU\n"
     "数（按 CPU 亲和性，有 cgroup 的 CPU 配额时不超过它）。从终端读\n"
     "入时为 1。输出与线程数无关"},
    {"--gpx", only(kRoute, "[--gpx=文件]"), readPath<1>, "--gpx=文件",
     "route 的航线另写成 GPX 1.1 文件，供海图仪使用"},
    {"--geojson", only(kRoute, "[--geojson=文件]"), readPath<2>, "--geojson=文件",
     "route 的航点和航线另写成 GeoJSON 文件"},
};

}  // namespace

std::span<const Command> commands() {
    return kCommands;
}

const Command* commandNamed(std::string_view name) {
    const auto* found = std::find_if(std::begin(kCommands), std::end(kCommands),
                                     [&](const Command& command) { return command.name == name; });
    return found == std::end(kCommands) ? nullptr : found;
}

std::span<const Option> options() {
    return kOptions;
}

const Option* optionNamed(std::string_view name) {
    const auto* found = std::find_if(std::begin(kOptions), std::end(kOptions),
                                     [&](const Option& option) { return option.name == name; });
    return found == std::end(kOptions) ? nullptr : found;
}

bool takes(const Option& option, const Command& command) {
    return !option.synopsis[command.index].empty();
}

std::string commandsTaking(const Option& option) {
    std::string list;
    std::size_t count = 0;
    const std::size_t total = static_cast<std::size_t>(
        std::count_if(std::begin(kCommands), std::end(kCommands),
                      [&](const Command& command) { return takes(option, command); }));
    for (const Command& command : kCommands) {
        if (!takes(option, command)) {
            continue;
        }
        ++count;
        list += count == 1 ? "" : count == total ? " 和 " : "、";
        list += command.name;
        if (const std::string_view need = option.needs[command.index]; !need.empty()) {
            list += " " + std::string{need};
        }
    }
    return list;
}

}  // namespace orvanto::cli
