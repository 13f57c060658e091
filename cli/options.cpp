#include "cli/options.h"

#include <algorithm>
#include <utility>

#include "passage/passage_times.h"
#include "passage/passage_values.h"
#include "passage/value_forms.h"
#include "text/ascii_case.h"
#include "text/code_points.h"
#include "text/trimming.h"

namespace orvanto::cli {
namespace {

using passage::TableFormat;
using Outcome = Expected<void, UsageError>;

constexpr std::size_t kDistance = 0;
constexpr std::size_t kAngle = 1;
constexpr std::size_t kBatch = 2;
constexpr std::size_t kCourse = 3;
constexpr std::size_t kRoute = 4;
constexpr std::size_t kReckon = 5;

Outcome checkRoute(std::span<const std::string_view> operands, Request& request);
Outcome checkReckon(std::span<const std::string_view> operands, Request& request);

constexpr Command kCommands[] = {
    {"distance", Action::Distance, kDistance, "纬度1 经度1 纬度2 经度2", 4, 4, "",
     "计算点Ⅰ与点Ⅱ的距离，输出公里数、一个制表符和海里数。", nullptr, 4},
    {"angle", Action::Angle, kAngle, "纬度1 经度1 纬度2 经度2 参考点纬度 参考点经度", 6, 6, "",
     "计算点Ⅰ、点Ⅱ相对于参考点所成的夹角（度）。", nullptr, 6},
    {"batch", Action::Batch, kBatch, "[文件|-]", 0, 1, "文件",
     "逐行计算 CSV 或 TSV 文件（省略或写 - 时读标准输入）中的距离和夹角：每行输出原有各列，再加 "
     "km、nmi、angle、error 四列。"},
    {"course", Action::Course, kCourse, "纬度1 经度1 纬度2 经度2", 4, 4, "",
     "点Ⅰ到点Ⅱ的大圆航线（距离，初始与最终航向）和恒向线（距离，航向），按 WGS-84 椭球计算。tsv "
     "输出一行七列：gc_km、gc_nmi、gc_course_initial、gc_course_final、rhumb_km、rhumb_nmi、"
     "rhumb_course；加 --variation 时再加 gc_course_initial_m、gc_course_final_m、rhumb_course_m "
     "三列磁航向，加 --deviation 时再加三列罗航向（_c）；加 --vertex 时最后加 gc_vertex_lat、"
     "gc_vertex_lon、gc_vertex_on_leg（大圆顶点，在两点之间或在其一上为 1；沿经线或赤道时留空）。",
     nullptr, 4},
    {"route", Action::Route, kRoute, "[航点文件|-]", 0, 1, "航点文件",
     "按顺序逐段计算航点文件中的航线：每段一行，列为 from、to、to_lat、to_lon（终点位置）、"
     "rhumb_course、rhumb_nmi、gc_course_initial、gc_nmi、total_nmi（累计航程）、error，最后一行"
     "“合计”（没有航段算出的项留空）；距离都是所航行的海里数。--variation、--deviation 在航向之后"
     "加磁航向（_m）和罗航向（_c）。加 --every 或 --limit-latitude 时每行是实际航行的一部分："
     "分点之间和沿限制纬度的恒向线只填 rhumb_* 列，不分段的大圆只填 gc_* 列，total_nmi 累计所填的"
     "距离。--current 加 course_to_steer（及其 _m、_c）和 sog，--speed 或航速列加 hours、"
     "total_hours，--depart 再加 eta。\n"
     "text 在终端上为默认，对齐各列，列名为中文（恒向线航程（海里）、大圆航程（海里）、累计航程"
     "（海里）、预计到达时间等），满一天的航时写作 15天16:59；否则默认 csv，航时写作 376:59。"
     "text 和终端上的表中，名称里的控制字符写作 \\n、U+001B 等。\n"
     "--gpx 写出 GPX 1.1 航线（含分点和限制纬度的切点），--geojson 写出 GeoJSON（各点和按实际航法"
     "画出的航线，在 180° 经线处断开），两者总是 UTF-8；有航点无法读取或有航段无法航行时不写这两个"
     "文件。出错的说明写明航点及其行号，如“航点“B”（第 3 行）的纬度…”。航点文件名以 .gpx 结尾时"
     "读取其中第一条航线的各点（没有航线时读取各航点）。",
     checkRoute, 0},
    {"reckon", Action::Reckon, kReckon, "纬度 经度 航向 [航程]", 3, 4, "",
     "推算船位：从该点按航向航行一段航程（或以 --speed 航行 --hours 小时）后的位置，沿恒向线"
     "（保持航向）和沿以该航向出发的大圆航线，以及大圆航线的最终航向。航向 0 到 360，可标 T"
     "（真航向，默认）、M（磁航向，须加 --variation）或 C（罗航向，须加 --variation 和 "
     "--deviation），如 241、241°T、236M；航程为海里，可带 nmi、海里、km 或 公里。tsv 输出一行"
     "九列：rhumb_lat、rhumb_lon、gc_lat、gc_lon、gc_course_final、rhumb_lat_deg、"
     "rhumb_lon_deg、gc_lat_deg、gc_lon_deg。恒向线会越过极点时报错。",
     checkReckon, 2},
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
// alone and puts every waypoint in seconds mode, reckon's its one position.
Outcome readSeconds(const Command& command, std::optional<std::string_view> value,
                    Request& request) {
    if (command.index == kRoute || command.index == kReckon) {
        const bool route = command.index == kRoute;
        if (value) {
            return unexpected(problem(std::string{command.name} +
                                      " 的 --seconds 不带列表：写 --seconds 即" +
                                      (route ? "所有航点" : "位置") + "按“秒”格式读取"));
        }
        if (route) {
            request.allSeconds = true;
        } else {
            request.input.point1.mode = EntryMode::Seconds;
        }
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
    const bool table =
        command.index == kCourse || command.index == kRoute || command.index == kReckon;
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

// --output, --gpx, --geojson and --deviation-card: a file name after "=".
template <std::size_t Which>
Outcome readPath(const Command& /*command*/, std::optional<std::string_view> value,
                 Request& request) {
    constexpr std::string_view kNames[] = {"--output", "--gpx", "--geojson", "--deviation-card"};
    std::string* const paths[] = {&request.files.outputPath, &request.gpxPath, &request.geojsonPath,
                                  &request.deviationCardPath};
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
    constexpr std::string_view kNames[] = {"--geodesic", "--navigation", "--vertex", "--textbook"};
    if (value) {
        return takesNoValue(kNames[Which]);
    }
    if constexpr (Which == 3) {
        request.method = navigation::SailingMethod::Textbook;
    } else {
        bool* const flags[] = {&request.geodesicColumns, &request.courseColumns, &request.vertex};
        *flags[Which] = true;
    }
    return {};
}

// "--speed 须是大于 0、不超过 100 的节数，如 12、12.5kn，不认识“x”": the option, what it takes,
// and the text as typed.
Outcome notAValue(std::string_view name, std::string_view takes, std::string_view value) {
    return unexpected(problem(std::string{name} + " 须是" + std::string{takes} + "，不认识“" +
                              std::string{value} + "”"));
}

// Reads the value with one of navigation's readers into the request; false when it does not read.
template <auto Into, auto Read>
bool store(std::string_view value, Request& request) {
    request.*Into = Read(value);
    return (request.*Into).has_value();
}

// An option whose value is one number, course, current or time, as navigation reads it.
struct ValueOption {
    std::string_view name;
    std::string_view example;  // "12", for "--speed 须写成 --speed=值，例如 --speed=12"
    std::string_view takes;    // what the value may be, for the message
    bool (*store)(std::string_view value, Request& request);
};

// Each option's place in kValueOptions.
enum class Valued : std::size_t {
    Variation,
    Deviation,
    Speed,
    Hours,
    Current,
    Every,
    LimitLatitude,
};

constexpr ValueOption kValueOptions[] = {
    {"--variation", "3.5W", passage::kVariationForms,
     store<&Request::variation, passage::readVariation>},
    {"--deviation", "2W", passage::kDeviationForms,
     store<&Request::deviation, passage::readDeviation>},
    {"--speed", "12", passage::kSpeedForms, store<&Request::speed, passage::readSpeed>},
    {"--hours", "6.5", passage::kHoursForms, store<&Request::hours, passage::readHours>},
    {"--current", "045/1.5", passage::kCurrentForms,
     store<&Request::current, passage::readCurrent>},
    {"--every", "5°", passage::kStepForms, store<&Request::every, passage::readStep>},
    {"--limit-latitude", "45", passage::kLimitLatitudeForms,
     store<&Request::limitLatitude, passage::readLimitLatitude>},
};

template <Valued Which>
Outcome readValue(const Command& /*command*/, std::optional<std::string_view> value,
                  Request& request) {
    const ValueOption& option = kValueOptions[static_cast<std::size_t>(Which)];
    if (!value) {
        return needsValue(option.name, std::string{option.name} + "=值，例如 " +
                                           std::string{option.name} + "=" +
                                           std::string{option.example});
    }
    if (!option.store(*value, request)) {
        return notAValue(option.name, option.takes, *value);
    }
    return {};
}

// --depart: a time of the form that no clock shows (29 February 2026, 24:00) says why.
Outcome readDeparture(const Command& /*command*/, std::optional<std::string_view> value,
                      Request& request) {
    if (!value) {
        return needsValue("--depart", "--depart=值，例如 --depart=2026-12-08T08:00+08:00");
    }
    auto departure = passage::parseDeparture(*value);
    if (!departure && departure.error().empty()) {
        return notAValue("--depart", passage::kDepartureForms, *value);
    }
    if (!departure) {
        return unexpected(problem("--depart 的“" + std::string{*value} + "”有误：" +
                                  departure.error() + "。--depart 须是" +
                                  std::string{passage::kDepartureForms}));
    }
    request.departure = departure.value();
    return {};
}

Outcome checkRoute(std::span<const std::string_view> /*operands*/, Request& request) {
    if (request.deviation && !request.deviationCardPath.empty()) {
        return unexpected(
            problem("--deviation 和 --deviation-card 只能用其一：一个自差，或一张自差表"));
    }
    if (request.current && request.limitLatitude && !request.every) {
        return unexpected(
            problem("route 的 --current 与 --limit-latitude 同用时须加 "
                    "--every：流中的应驶航向按恒向线计算，"
                    "而不分点的大圆航线没有恒定的航向"));
    }
    return {};
}

Outcome checkReckon(std::span<const std::string_view> operands, Request& request) {
    const std::string_view courseText = operands[2];
    request.course = passage::readCourse(courseText);
    if (!request.course) {
        return unexpected(problem("航向“" + std::string{courseText} + "”无法识别：应为 " +
                                  std::string{passage::kCourseForms}));
    }
    const navigation::CourseReference reference = request.course->reference;
    if (reference == navigation::CourseReference::Magnetic && !request.variation) {
        return unexpected(problem("磁航向“" + std::string{courseText} + "”须与 --variation 同用"));
    }
    if (reference == navigation::CourseReference::Compass &&
        (!request.variation || !request.deviation)) {
        return unexpected(
            problem("罗航向“" + std::string{courseText} + "”须与 --variation 和 --deviation 同用"));
    }
    if (operands.size() == 4) {
        if (request.speed) {
            return unexpected(problem(
                "reckon 给了航程就不用 --speed 和 --hours，用 --speed 和 --hours 就不写航程"));
        }
        request.distance = passage::readDistance(operands[3]);
        if (!request.distance) {
            return unexpected(problem("航程“" + std::string{operands[3]} + "”无法识别：应为 " +
                                      std::string{passage::kDistanceForms}));
        }
    } else if (!request.speed) {
        return unexpected(problem("reckon 需要航程，或者 --speed 和 --hours"));
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

constexpr Synopses routeAndReckon(std::string_view synopsis) {
    Synopses synopses{};
    synopses[kRoute] = synopsis;
    synopses[kReckon] = synopsis;
    return synopses;
}

constexpr Option kOptions[] = {
    {"--seconds",
     {"[--seconds=列表]", "[--seconds=列表]", "[--seconds=列表]", "[--seconds=列表]", "[--seconds]",
      "[--seconds]"},
     readSeconds,
     "--seconds=列表",
     "用“秒”格式读取所列各点的坐标，列表由 1、2、r（参考点）组成，"
     "以逗号分隔，如 --seconds=2 或 --seconds=1,2,r"
     "（route 和 reckon 只写 --seconds：所有航点、或位置按“秒”格式读取）"},
    {"--format",
     {"[--format=plain|window]", "[--format=plain|window]", "[--format=plain|window]",
      "[--format=text|tsv]", "[--format=text|csv|tsv]", "[--format=text|tsv]"},
     readFormat,
     "--format=格式",
     "course、route 和 reckon 的输出：text、tsv，route 还可 csv。其余"
     "命令为数字的写法：plain 写作 0.5、12（batch 的默认）；window 与"
     "窗口完全相同，写作 .5、12.（distance 和 angle 的默认）"},
    {"--encoding",
     {"", "", "[--encoding=编码]", "", "[--encoding=编码]", ""},
     readEncoding,
     "--encoding=编码",
     "batch、route 输入的编码：auto（默认）、utf-8、gb18030（gbk、"
     "gb2312、cp936 同 gb18030）或 utf-16（按 BOM 分大小端，无 BOM 为小"
     "端，即 Excel 的“Unicode 文本”）。auto：有 UTF-16 的 BOM 即为 UTF-16；"
     "有 UTF-8 的 BOM 或前 64 KiB 是有效的 UTF-8 即为 UTF-8，否则是有效的 "
     "GB18030 即为 GB18030（在标准错误上说明）；都不是则停止。读不通的行"
     "在 error 列中报错，其余照常计算"},
    {"--output-encoding",
     {"", "", "[--output-encoding=编码]", "", "[--output-encoding=编码]", ""},
     readOutputEncoding,
     "--output-encoding=编码",
     "batch 输出和 route 的表的编码：utf-8、utf-8-bom、gb18030 或 utf-16"
     "（小端，带 BOM）。默认与输入相同（UTF-16 总带 BOM），写到终端时为 "
     "UTF-8。带 BOM 的输出中读不通的字节写作 U+FFFD，该行的 error 列注明"},
    {"--geodesic", only(kBatch, "[--geodesic]"), readFlag<0>, "--geodesic",
     "batch 另加 geodesic_km、geodesic_angle 两列：WGS-84 测地线的"
     "距离与夹角，用以对照本计算方法的估算"},
    {"--navigation", only(kBatch, "[--navigation]"), readFlag<1>, "--navigation",
     "batch 另加 course 的七列航向与距离（加 --variation 时十列，再加 "
     "--deviation 时十三列），接在其他结果列之后；该行坐标无法读取时留空"},
    {"--variation",
     {"", "", "[--variation=磁差]", "[--variation=磁差]", "[--variation=磁差]",
      "[--variation=磁差]"},
     readValue<Valued::Variation>,
     "--variation=磁差",
     "course、route、reckon 和 batch --navigation 另给出磁航向（真航向 "
     "− 磁差），如 3.5W、W3.5、西3.5、-3.5、5°30′W（西为负、东为正）",
     only(kBatch, "--navigation")},
    {"--deviation",
     {"", "", "[--deviation=自差]", "[--deviation=自差]", "[--deviation=自差]",
      "[--deviation=自差]"},
     readValue<Valued::Deviation>,
     "--deviation=自差",
     "另给出罗航向（磁航向 − 自差），写法同磁差（2W 即 -2）；须与 "
     "--variation 同用。text 输出写明罗经差（磁差 + 自差）",
     {"", "", "--variation", "--variation", "--variation", "--variation"}},
    {"--deviation-card", only(kRoute, "[--deviation-card=文件]"), readPath<3>,
     "--deviation-card=文件",
     "route 的自差表：CSV 或 TSV，表头 heading,deviation（或 航向,自差），"
     "每行一个磁航向（通常每 15°）及其自差，航向不重复，至少两行。各罗"
     "航向按其磁航向在表中（绕 000 连续）线性插值的自差计算，text 输出每"
     "行写明罗经差。须与 --variation 同用，不能与 --deviation 同用",
     only(kRoute, "--variation")},
    {"--textbook",
     {"", "", "", "[--textbook]", "[--textbook]", "[--textbook]"},
     readFlag<3>,
     "--textbook",
     "按航海学教材的方法计算：大圆航线在 1′ 弧长 = 1 海里的球面上，恒向线"
     "按墨卡托航法（WGS-84 的纬度渐长率求航向，纬差 ÷ cos 航向求航程；航"
     "向在 090 或 270 前后 5° 以内时按中分纬度航法：东西距 ÷ sin 航向）"},
    {"--vertex", only(kCourse, "[--vertex]"), readFlag<2>, "--vertex",
     "course 另给出大圆顶点：初始航向 270 经 000 到 090 为北顶点，090 经 "
     "180 到 270 为南顶点，恰为 090 或 270 时即点Ⅰ"},
    {"--every", only(kRoute, "[--every=间隔]"), readValue<Valued::Every>, "--every=间隔",
     "route 在每段大圆航线上取分点（分点1、分点2……），分点之间按恒向线"
     "航行：间隔为经度（5°、5度、5deg：分点在经度为其整倍数的经线上）或"
     "距离（300nmi、300海里、500km、500公里：自该段起点每隔这么远一个）"},
    {"--limit-latitude", only(kRoute, "[--limit-latitude=纬度]"), readValue<Valued::LimitLatitude>,
     "--limit-latitude=纬度",
     "route 按混合航线航行：大圆航线会越过南北纬该度数的航段，改为与该"
     "纬度圈相切的大圆航线（切点：限制纬度起）、沿纬度圈航行、再沿相切的"
     "大圆航线（自限制纬度止）到终点；有航点在该纬度以外的航段报错"},
    {"--speed", routeAndReckon("[--speed=航速]"), readValue<Valued::Speed>, "--speed=航速",
     "航速（节，如 12 或 12kn）。route 加 hours、total_hours 列（航点文件"
     "的 speed 或 航速 列给出自该航点起一段的航速，优先于 --speed）；"
     "reckon 以此航速航行 --hours 小时，代替航程",
     only(kReckon, "--hours")},
    {"--hours", only(kReckon, "[--hours=小时]"), readValue<Valued::Hours>, "--hours=小时",
     "reckon 的航行时间，如 6.5 或 6:30；须与 --speed 同用", only(kReckon, "--speed")},
    {"--depart", only(kRoute, "[--depart=时间]"), readDeparture, "--depart=时间",
     "route 的出发时间，加 eta 列（各行终点的预计到达时间，用出发时间的时区，最晚 "
     "9999-12-31）：2026-12-08T08:00+08:00、2026-12-08 08:00（本机时区）或 "
     "2026-12-08T00:00Z；时区在 -14:00 到 +14:00 之间。不写时区时，本机时钟拨快（如夏令时开始）"
     "而跳过的时间报错，拨回而出现两次的时间取较早的一次（在标准错误上说明）"},
    {"--current", routeAndReckon("[--current=流向/流速]"), readValue<Valued::Current>,
     "--current=流向/流速",
     "海流：流去的真方向和流速（节），如 045/1.5。route 加 course_to_steer"
     "（抵消海流、保持各行恒向线航向的应驶航向）和 sog（对地航速），航时按 "
     "sog 计算；reckon 的船位为航行与海流漂移的合成。须与 --speed 同用",
     routeAndReckon("--speed")},
    {"--output", only(kBatch, "[--output=文件]"), readPath<0>, "--output=文件",
     "batch 的结果写入该文件，而不是标准输出"},
    {"--jobs", only(kBatch, "[--jobs=线程数]"), readJobs, "--jobs=线程数",
     "batch 同时计算的线程数，1 到 256；0 和默认为本进程可用的 CPU "
     "数（按 CPU 亲和性，有 cgroup 的 CPU 配额时不超过它）。从终端读"
     "入时为 1。输出与线程数无关"},
    {"--gpx", only(kRoute, "[--gpx=文件]"), readPath<1>, "--gpx=文件",
     "route 的航线另写成 GPX 1.1 文件，供海图仪使用"},
    {"--geojson", only(kRoute, "[--geojson=文件]"), readPath<2>, "--geojson=文件",
     "route 的航点和航线另写成 GeoJSON 文件"},
};

// The row of a table with that name, or null.
template <typename Row>
const Row* rowNamed(std::span<const Row> table, std::string_view name) {
    const auto found =
        std::find_if(table.begin(), table.end(), [&](const Row& row) { return row.name == name; });
    return found == table.end() ? nullptr : &*found;
}

}  // namespace

std::span<const Command> commands() {
    return kCommands;
}

const Command* commandNamed(std::string_view name) {
    return rowNamed(commands(), name);
}

std::span<const Option> options() {
    return kOptions;
}

const Option* optionNamed(std::string_view name) {
    return rowNamed(options(), name);
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
