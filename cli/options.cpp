#include "cli/options.h"

#include <algorithm>
#include <utility>

#include "cli/cpa_command.h"
#include "cli/fix_options.h"
#include "cli/passage_words.h"
#include "passage/passage_times.h"
#include "passage/passage_values.h"
#include "passage/plot_values.h"
#include "passage/route_table.h"
#include "passage/value_forms.h"
#include "passage/zone_time.h"
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
constexpr std::size_t kCpa = 6;
constexpr std::size_t kFix = 7;
constexpr std::size_t kRange = 8;

Outcome checkDeviationOrCard(std::span<const std::string_view> operands, Request& request);
Outcome checkRoute(std::span<const std::string_view> operands, Request& request);
Outcome checkReckon(std::span<const std::string_view> operands, Request& request);

constexpr Command kCommands[] = {
    {"distance", Action::Distance, kDistance, "纬度1 经度1 纬度2 经度2", 4, 4, "",
     "计算点Ⅰ与点Ⅱ的距离，输出公里数、一个制表符和海里数。", nullptr, 4},
    {"angle", Action::Angle, kAngle, "纬度1 经度1 纬度2 经度2 参考点纬度 参考点经度", 6, 6, "",
     "计算点Ⅰ、点Ⅱ相对于参考点所成的夹角（度）。", nullptr, 6},
    {"batch", Action::Batch, kBatch, "[文件|-]", 0, 1, "文件",
     "逐行计算 CSV 或 TSV 文件（省略或写 - 时读标准输入）中的距离和夹角：每行输出原有各列，再加 "
     "km、nmi、angle、error 四列。",
     checkDeviationOrCard, 0, passage::Planning::CourseColumns},
    {"course", Action::Course, kCourse, "纬度1 经度1 纬度2 经度2", 4, 4, "",
     "点Ⅰ到点Ⅱ的大圆航线（距离，初始与最终航向）和恒向线（距离，航向），按 WGS-84 椭球计算。tsv "
     "输出一行七列：gc_km、gc_nmi、gc_course_initial、gc_course_final、rhumb_km、rhumb_nmi、"
     "rhumb_course；加 --variation 时再加 gc_course_initial_m、gc_course_final_m、rhumb_course_m "
     "三列磁航向，加 --deviation 时再加三列罗航向（_c）；加 --vertex 时最后加 gc_vertex_lat、"
     "gc_vertex_lon、gc_vertex_on_leg（大圆顶点，在两点之间或在其一上为 1；沿经线或赤道时留空）。",
     checkDeviationOrCard, 4, passage::Planning::Course},
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
     "读取其中第一条航线的各点（没有航线时读取各航点），以 .rtz 结尾时读取 RTZ 1.0、1.1 或 1.2 "
     "航线的各航点及各段航法；第一个非空行以 $ 或 ! 开头的文件读作 NMEA 0183：第一条 $--RTE "
     "航线的各点（没有 RTE 时依次读取各 $--WPL 航点）。\n"
     "航点文件的 leg（航法）列给出自该航点起一段的航法：RL（恒向线）或 GC（大圆，不加 --every 时"
     "整段沿大圆航行，只填 gc_* 列）；留空按默认。",
     checkRoute, 0, passage::Planning::Route},
    {"reckon", Action::Reckon, kReckon, "纬度 经度 航向 [航程]", 3, 4, "",
     "推算船位：从该点按航向航行一段航程（或以 --speed 航行 --hours 小时）后的位置，沿恒向线"
     "（保持航向）和沿以该航向出发的大圆航线，以及大圆航线的最终航向。航向 0 到 360，可标 T"
     "（真航向，默认）、M（磁航向，须加 --variation）或 C（罗航向，须加 --variation 和 "
     "--deviation），如 241、241°T、236M；真航向也可按象限写，如 S53°26′E、N45E、S 53 26 E、"
     "南53°26′东（N90E 即 090，S0E 即 180）；航程为海里，可带 nmi、海里、km 或 公里。tsv 输出一行"
     "九列：rhumb_lat、rhumb_lon、gc_lat、gc_lon、gc_course_final、rhumb_lat_deg、"
     "rhumb_lon_deg、gc_lat_deg、gc_lon_deg。恒向线会越过极点时报错。",
     checkReckon, 2, passage::Planning::Reckon},
    {"cpa", Action::Cpa, kCpa, "", 0, 0, "",
     "雷达标绘：由本船航向航速和目标的两次以上观测（或一次观测加 AIS 的航向航速）求目标的相对运动"
     "和真运动、DCPA、TCPA（最后一次观测后的分钟数和时刻）、CPA 时的方位，以及目标从船首或船尾穿过"
     "本船首尾线的距离和时间（BCR、BCT）。三次以上的观测按最小二乘拟合，偏离拟合直线超过 0.1 "
     "海里时警告。--action 和 --pass 给出在该时刻使 DCPA 为该距离的最小右转、最小左转和保持航向的"
     "航速（各自做不到时说明原因），不建议选哪一个。tsv 输出一行：target_course、target_speed、"
     "relative_course、relative_speed、dcpa_nmi、tcpa_min、cpa_time、cpa_bearing、bcr_nmi（从船尾"
     "穿过为负）、bct_min，加 --action 时再加 new_course_starboard、new_course_port、new_speed；"
     "没有的值留空。",
     checkCpa, 0, passage::Planning::Plot},
    {"fix", Action::Fix, kFix, "", 0, 0, "",
     "陆标定位：按观测顺序给出两条或更多位置线（--bearing 方位、--range 距离、--angle 水平夹角），"
     "求船位。方位线为经过物标的恒向线，距离为以物标为中心的测地线圆，按 WGS-84 计算。两条位置线"
     "给出船位和交角（小于 30° 或大于 150° 时警告）；三条或更多给出各交点、各交点最大相距"
     "（hat_nmi，超过 1 海里时警告）和到各位置线距离平方和最小的船位。观测带时间（@08:30 或带日期）"
     "时须加 "
     "--run（航向/航速）：之前的位置线按航程和海流移至最后一次观测的时间（移线定位）；早于上一"
     "次的时分为次日，跨度不超过 24 小时。两条位置线相交两次时，--dr 选出靠近推算船位的一点，否则"
     "两点都给出。tsv 输出一行：fix_lat、fix_lon、fix_lat_deg、fix_lon_deg、cut_angle（最差的交角）"
     "、hat_nmi，再接各交点的纬度、经度（度）。位置线不相交时报错。",
     checkFix, 0},
    {"range", Action::Range, kRange, "", 0, 0, "",
     "视距与灯光能见距离（按 2.09 海里 × √米 计算）：--eye 眼高的视距 2.09·√眼高；--object 物标的"
     "地理能见距离 2.09·(√物标高 + √眼高)；--charted 海图射程按眼高 5 "
     "米的地理能见距离换算为本眼高的"
     " 射程 + 2.09·(√眼高 − √5)，--luminous 光力射程为其上限。tsv "
     "输出一行：horizon_nmi、range_nmi。",
     checkRange, 0},
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
Outcome readSeconds(const Option& /*option*/, const Command& command,
                    std::optional<std::string_view> value, Request& request) {
    if (command.index == kRoute || command.index == kReckon || command.index == kFix) {
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

Outcome readFormat(const Option& /*option*/, const Command& command,
                   std::optional<std::string_view> value, Request& request) {
    constexpr std::pair<std::string_view, NumberStyle> kStyles[] = {
        {"plain", NumberStyle::Plain}, {"window", NumberStyle::Window}};
    constexpr std::pair<std::string_view, TableFormat> kTables[] = {{"text", TableFormat::Text},
                                                                    {"tsv", TableFormat::Tsv},
                                                                    {"csv", TableFormat::Csv},
                                                                    {"html", TableFormat::Html}};
    const bool table = command.index == kCourse || command.index == kRoute ||
                       command.index == kReckon || command.index == kCpa || command.index == kFix ||
                       command.index == kRange;
    const std::string_view allowed = !table                    ? "plain 或 window"
                                     : command.index == kRoute ? "text、csv、tsv 或 html"
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
    if (!format || ((*format == TableFormat::Csv || *format == TableFormat::Html) &&
                    command.index != kRoute)) {
        return notOneOf("--format", allowed, *value);
    }
    request.tableFormat = *format;
    return {};
}

Outcome readEncoding(const Option& /*option*/, const Command& /*command*/,
                     std::optional<std::string_view> value, Request& request) {
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

Outcome readOutputEncoding(const Option& /*option*/, const Command& /*command*/,
                           std::optional<std::string_view> value, Request& request) {
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

// --output, --gpx, --geojson, --rtz, --nmea and --deviation-card: a file name after "=".
template <std::string FileOptions::*Path>
Outcome readPath(const Option& option, const Command& /*command*/,
                 std::optional<std::string_view> value, Request& request) {
    if (!value || value->empty()) {
        return needsValue(option.name, std::string{option.name} + "=文件");
    }
    request.files.*Path = *value;
    return {};
}

// route --rtz-version: 1.0 (the default) or 1.1.
Outcome readRtzVersion(const Option& /*option*/, const Command& /*command*/,
                       std::optional<std::string_view> value, Request& request) {
    if (!value) {
        return needsValue("--rtz-version", "--rtz-version=1.0 或 --rtz-version=1.1");
    }
    if (*value != "1.0" && *value != "1.1") {
        return notOneOf("--rtz-version", "1.0 或 1.1", *value);
    }
    request.rtzVersion = *value == "1.0" ? passage::RtzVersion::Rtz10 : passage::RtzVersion::Rtz11;
    return {};
}

// A whole number of at most `most`, in ASCII or full-width digits, spaces around; nothing for
// any other text.
std::optional<std::size_t> wholeNumber(std::string_view value, std::size_t most) {
    const std::u32string typed = decodeUtf8(trimmed(value, " "));
    std::size_t number = 0;
    bool read = !typed.empty();
    for (const char32_t character : typed) {
        const bool ascii = character >= U'0' && character <= U'9';
        read = read && (ascii || isFullWidthDigit(character)) && number <= most;
        number = number * 10 + static_cast<std::size_t>(character - (ascii ? U'0' : U'０'));
    }
    return read && number <= most ? std::optional{number} : std::nullopt;
}

// route --nmea-name-length: how many characters a GPS shows of a waypoint's name, 1 to 20.
Outcome readNmeaNameLength(const Option& /*option*/, const Command& /*command*/,
                           std::optional<std::string_view> value, Request& request) {
    if (!value) {
        return needsValue("--nmea-name-length",
                          "--nmea-name-length=字符数，例如 --nmea-name-length=6");
    }
    const auto length = wholeNumber(*value, passage::kLongestNmeaName);
    if (!length || *length < 1) {
        return unexpected(
            problem("--nmea-name-length 须是 1 到 20 之间的整数（GPS 显示的航点名称"
                    "字符数），不认识“" +
                    std::string{*value} + "”"));
    }
    request.nmeaNameLength = *length;
    return {};
}

// An option that stands alone and sets one member of the request.
template <auto Member, auto Value>
Outcome readFlag(const Option& option, const Command& /*command*/,
                 std::optional<std::string_view> value, Request& request) {
    if (value) {
        return takesNoValue(option.name);
    }
    request.*Member = Value;
    return {};
}

// "--speed 须是大于 0、不超过 100 的节数，如 12、12.5kn，不认识“x”": the option, what it takes,
// and the text as typed.
Outcome notAValue(std::string_view name, std::string_view takes, std::string_view value) {
    return unexpected(problem(std::string{name} + " 须是" + std::string{takes} + "，不认识“" +
                              std::string{value} + "”"));
}

// An option whose value is one number, course, current or time, read by passage planning's reader
// into a member of the request.
template <auto Into, auto Read>
Outcome readValue(const Option& option, const Command& /*command*/,
                  std::optional<std::string_view> value, Request& request) {
    if (!value) {
        return needsValue(option.name, std::string{option.name} + "=值，例如 " +
                                           std::string{option.name} + "=" +
                                           std::string{option.example});
    }
    request.*Into = Read(*value);
    if (!(request.*Into)) {
        return notAValue(option.name, option.forms, *value);
    }
    return {};
}

// --depart: a time of the form that no clock shows (29 February 2026, 24:00) says why.
Outcome readDeparture(const Option& /*option*/, const Command& /*command*/,
                      std::optional<std::string_view> value, Request& request) {
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

// route --columns: names (or the text form's headings) separated by commas, an input method's
// full-width comma and 、 too; each once.
Outcome readColumns(const Option& /*option*/, const Command& /*command*/,
                    std::optional<std::string_view> value, Request& request) {
    std::string names;
    for (const std::string_view name : passage::routeColumnNames()) {
        names += (names.empty() ? "" : "、") + std::string{name};
    }
    if (!value || value->empty()) {
        return needsValue("--columns",
                          "--columns=列名,列名…，例如 --columns=from,to,eta；列名有 " + names);
    }
    std::string list{*value};
    for (const std::string_view comma : {"，", "、"}) {
        for (std::size_t at = list.find(comma); at != std::string::npos; at = list.find(comma)) {
            list.replace(at, comma.size(), ",");
        }
    }
    request.routeColumns.clear();
    for (std::size_t start = 0; start <= list.size();) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::string_view typed = std::string_view{list}.substr(start, comma - start);
        const auto name = passage::routeColumnNamed(typed);
        if (!name) {
            return unexpected(
                problem("--columns 中没有“" + std::string{typed} + "”这一列；列名有 " + names));
        }
        if (std::find(request.routeColumns.begin(), request.routeColumns.end(), *name) !=
            request.routeColumns.end()) {
            return unexpected(problem("--columns 中“" + std::string{*name} + "”列出了两次"));
        }
        request.routeColumns.emplace_back(*name);
        start = comma + 1;
    }
    return {};
}

Outcome readEtaZone(const Option& /*option*/, const Command& /*command*/,
                    std::optional<std::string_view> value, Request& request) {
    constexpr std::string_view kForms =
        "ship（各行到达船位的区时）、±HH:MM（如 +09:00、-05:00）或 Z（UTC）";
    if (!value) {
        return needsValue("--eta-zone", "--eta-zone=值，例如 --eta-zone=ship");
    }
    const auto zone = passage::readEtaZone(*value);
    if (!zone) {
        return notAValue("--eta-zone", kForms, *value);
    }
    request.etaZone = *zone;
    return {};
}

// course and reckon --course-form: degrees (000–360, the default) or quadrant, the textbook's
// quadrantal form beside each true course of the text form.
Outcome readCourseForm(const Option& /*option*/, const Command& /*command*/,
                       std::optional<std::string_view> value, Request& request) {
    constexpr std::pair<std::string_view, passage::CourseForm> kForms[] = {
        {"degrees", passage::CourseForm::Degrees}, {"quadrant", passage::CourseForm::Quadrantal}};
    if (!value) {
        return needsValue("--course-form", "--course-form=quadrant 或 --course-form=degrees");
    }
    const auto form = named(kForms, *value);
    if (!form) {
        return notOneOf("--course-form", "degrees 或 quadrant", *value);
    }
    request.courseForm = *form;
    return {};
}

// What a passage request gives, for passage planning's rules.
passage::GivenOptions givenBy(const Request& request) {
    passage::GivenOptions given;
    given.variation = request.variation.has_value();
    given.deviation = request.deviation.has_value();
    given.card = !request.files.deviationCardPath.empty();
    given.speed = request.speed.has_value();
    given.hours = request.hours.has_value();
    given.departure = request.departure.has_value();
    given.etaZone = request.etaZone.kind != passage::EtaZone::Kind::Departure;
    given.current = request.current.has_value();
    given.step = request.every.has_value();
    given.limitLatitude = request.limitLatitude.has_value();
    return given;
}

// course and batch: one deviation or a card.
Outcome checkDeviationOrCard(std::span<const std::string_view> /*operands*/, Request& request) {
    if (request.deviation && !request.files.deviationCardPath.empty()) {
        return unexpected(problem(ruleText(passage::Rule::DeviationOrCard, "")));
    }
    return {};
}

Outcome checkRoute(std::span<const std::string_view> /*operands*/, Request& request) {
    if (const auto rule = passage::brokenRouteRule(givenBy(request))) {
        return unexpected(problem(ruleText(*rule, "route")));
    }
    if (request.tableFormat == TableFormat::Html &&
        request.files.outputEncoding != OutputEncoding::Input) {
        return unexpected(problem("--format=html 的计划总是 UTF-8 编码，不用 --output-encoding"));
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
    passage::GivenOptions given = givenBy(request);
    given.course = request.course->reference;
    given.distance = operands.size() == 4;
    if (const auto rule = passage::brokenReckonRule(given)) {
        return unexpected(problem(ruleText(*rule, "reckon", std::string{courseText})));
    }
    if (given.distance) {
        request.distance = passage::readDistance(operands[3]);
        if (!request.distance) {
            return unexpected(problem("航程“" + std::string{operands[3]} + "”无法识别：应为 " +
                                      std::string{passage::kDistanceForms}));
        }
    }
    return {};
}

// The threads batch computes its rows on: 1 to 256, or 0 for as many as this process has CPUs.
// Typed with an input method, the digits may be full width.
Outcome readJobs(const Option& /*option*/, const Command& /*command*/,
                 std::optional<std::string_view> value, Request& request) {
    constexpr unsigned kMostJobs = 256;
    if (!value) {
        return needsValue("--jobs", "--jobs=线程数，例如 --jobs=4");
    }
    const auto jobs = wholeNumber(*value, kMostJobs);
    if (!jobs) {
        return unexpected(
            problem("--jobs 须是 0 到 256 之间的整数（0 即本进程可用的 CPU 数），不认识“" +
                    std::string{*value} + "”"));
    }
    request.jobs = static_cast<unsigned>(*jobs);
    return {};
}

constexpr CommandSet kPlain = commandBit(kDistance) | commandBit(kAngle) | commandBit(kBatch);
constexpr CommandSet kRouteAndReckon = commandBit(kRoute) | commandBit(kReckon);
constexpr CommandSet kCourses = commandBit(kCourse) | kRouteAndReckon;
constexpr CommandSet kFixes = commandBit(kFix);

constexpr Synopsis kSecondsSynopses[] = {{kPlain | commandBit(kCourse), "[--seconds=列表]"},
                                         {kRouteAndReckon | kFixes, "[--seconds]"}};
constexpr Synopsis kFormatSynopses[] = {
    {kPlain, "[--format=plain|window]"},
    {commandBit(kCourse) | commandBit(kReckon) | commandBit(kCpa) | kFixes | commandBit(kRange),
     "[--format=text|tsv]"},
    {commandBit(kRoute), "[--format=text|csv|tsv|html]"}};
constexpr Synopsis kEncodingSynopses[] = {
    {commandBit(kBatch) | commandBit(kRoute), "[--encoding=编码]"}};
constexpr Synopsis kOutputEncodingSynopses[] = {
    {commandBit(kBatch) | commandBit(kRoute), "[--output-encoding=编码]"}};
constexpr Synopsis kGeodesicSynopses[] = {{commandBit(kBatch), "[--geodesic]"}};
constexpr Synopsis kNavigationSynopses[] = {{commandBit(kBatch), "[--navigation]"}};
constexpr Synopsis kVariationSynopses[] = {
    {commandBit(kBatch) | kCourses | commandBit(kCpa) | kFixes, "[--variation=磁差]"}};
constexpr Synopsis kDeviationSynopses[] = {
    {commandBit(kBatch) | kCourses | commandBit(kCpa) | kFixes, "[--deviation=自差]"}};
constexpr Synopsis kCardSynopses[] = {{commandBit(kBatch) | kCourses, "[--deviation-card=文件]"}};
constexpr Synopsis kTextbookSynopses[] = {{commandBit(kBatch) | kCourses, "[--textbook]"}};
constexpr Synopsis kVertexSynopses[] = {{commandBit(kCourse), "[--vertex]"}};
constexpr Synopsis kShowWorkSynopses[] = {{kCourses, "[--show-work]"}};
constexpr Synopsis kCourseFormSynopses[] = {
    {commandBit(kCourse) | commandBit(kReckon), "[--course-form=degrees|quadrant]"}};
constexpr Synopsis kEverySynopses[] = {{commandBit(kRoute), "[--every=间隔]"}};
constexpr Synopsis kLimitSynopses[] = {{commandBit(kRoute), "[--limit-latitude=纬度]"}};
constexpr Synopsis kSpeedSynopses[] = {{kRouteAndReckon, "[--speed=航速]"}};
constexpr Synopsis kHoursSynopses[] = {{commandBit(kReckon), "[--hours=小时]"}};
constexpr Synopsis kDepartSynopses[] = {{commandBit(kRoute), "[--depart=时间]"}};
constexpr Synopsis kCurrentSynopses[] = {{kRouteAndReckon | kFixes, "[--current=流向/流速]"}};
constexpr Synopsis kBearingSynopses[] = {{kFixes, "[--bearing=纬度,经度,方位[@时间]]…"}};
constexpr Synopsis kRangeSynopses[] = {{kFixes, "[--range=纬度,经度,距离[@时间]]…"}};
constexpr Synopsis kAngleSynopses[] = {{kFixes, "[--angle=纬度1,经度1,纬度2,经度2,夹角[@时间]]…"}};
constexpr Synopsis kRunSynopses[] = {{kFixes, "[--run=航向/航速]"}};
constexpr Synopsis kDeadReckoningSynopses[] = {{kFixes, "[--dr=纬度,经度]"}};
constexpr Synopsis kEyeSynopses[] = {{commandBit(kRange), "--eye=眼高"}};
constexpr Synopsis kObjectSynopses[] = {{commandBit(kRange), "[--object=高度]"}};
constexpr Synopsis kChartedSynopses[] = {{commandBit(kRange), "[--charted=射程]"}};
constexpr Synopsis kLuminousSynopses[] = {{commandBit(kRange), "[--luminous=光力射程]"}};
constexpr Synopsis kOutputSynopses[] = {{commandBit(kBatch), "[--output=文件]"}};
constexpr Synopsis kJobsSynopses[] = {{commandBit(kBatch), "[--jobs=线程数]"}};
constexpr Synopsis kGpxSynopses[] = {{commandBit(kRoute), "[--gpx=文件]"}};
constexpr Synopsis kGeojsonSynopses[] = {{commandBit(kRoute), "[--geojson=文件]"}};
constexpr Synopsis kRtzSynopses[] = {{commandBit(kRoute), "[--rtz=文件]"}};
constexpr Synopsis kRtzVersionSynopses[] = {{commandBit(kRoute), "[--rtz-version=版本]"}};
constexpr Synopsis kNmeaSynopses[] = {{commandBit(kRoute), "[--nmea=文件]"}};
constexpr Synopsis kNmeaNameLengthSynopses[] = {
    {commandBit(kRoute), "[--nmea-name-length=字符数]"}};
constexpr Synopsis kOwnSynopses[] = {{commandBit(kCpa), "--own=航向/航速"}};
constexpr Synopsis kTargetSynopses[] = {{commandBit(kCpa), "--target=方位/距离@时间…"}};
constexpr Synopsis kTargetMotionSynopses[] = {{commandBit(kCpa), "[--target-motion=航向/航速]"}};
constexpr Synopsis kLimitDistanceSynopses[] = {{commandBit(kCpa), "[--limit=距离]"}};
constexpr Synopsis kActionSynopses[] = {{commandBit(kCpa), "[--action=时间"}};
constexpr Synopsis kPassSynopses[] = {{commandBit(kCpa), "--pass=距离]"}};
constexpr Synopsis kColumnsSynopses[] = {{commandBit(kRoute), "[--columns=列名,…]"}};
constexpr Synopsis kEtaZoneSynopses[] = {{commandBit(kRoute), "[--eta-zone=时区]"}};

// Batch's magnetic courses are course columns: --variation there comes with --navigation.
constexpr Companion kVariationCompanions[] = {{commandBit(kBatch), "--navigation"}};
// Batch's card and textbook methods are its course columns'.
constexpr Companion kCourseColumnsCompanions[] = {{commandBit(kBatch), "--navigation"}};
// The worked solutions are the textbook's sums: the WGS-84 answers have none to show.
constexpr Companion kShowWorkCompanions[] = {{kCourses, "--textbook"}};

constexpr Option kOptions[] = {
    {"--seconds", kSecondsSynopses, readSeconds, "--seconds=列表",
     "用“秒”格式读取所列各点的坐标，列表由 1、2、r（参考点）组成，"
     "以逗号分隔，如 --seconds=2 或 --seconds=1,2,r"
     "（route 和 reckon 只写 --seconds：所有航点、或位置按“秒”格式读取）"},
    {"--format", kFormatSynopses, readFormat, "--format=格式",
     "course、route、reckon、cpa、fix 和 range 的输出：text、tsv，route 还可 csv。其余"
     "命令为数字的写法：plain 写作 0.5、12（batch 的默认）；window 与"
     "窗口完全相同，写作 .5、12.（distance 和 angle 的默认）"},
    {"--encoding", kEncodingSynopses, readEncoding, "--encoding=编码",
     "batch、route 输入的编码：auto（默认）、utf-8、gb18030（gbk、"
     "gb2312、cp936 同 gb18030）或 utf-16（按 BOM 分大小端，无 BOM 为小"
     "端，即 Excel 的“Unicode 文本”）。auto：有 UTF-16 的 BOM 即为 UTF-16；"
     "有 UTF-8 的 BOM 或前 64 KiB 是有效的 UTF-8 即为 UTF-8，否则是有效的 "
     "GB18030 即为 GB18030（在标准错误上说明）；都不是则停止。读不通的行"
     "在 error 列中报错，其余照常计算"},
    {"--output-encoding", kOutputEncodingSynopses, readOutputEncoding, "--output-encoding=编码",
     "batch 输出和 route 的表的编码：utf-8、utf-8-bom、gb18030 或 utf-16"
     "（小端，带 BOM）。默认与输入相同（UTF-16 总带 BOM），写到终端时为 "
     "UTF-8。带 BOM 的输出中读不通的字节写作 U+FFFD，该行的 error 列注明"},
    {"--geodesic", kGeodesicSynopses, readFlag<&Request::geodesicColumns, true>, "--geodesic",
     "batch 另加 geodesic_km、geodesic_angle 两列：WGS-84 测地线的"
     "距离与夹角，用以对照本计算方法的估算"},
    {"--navigation", kNavigationSynopses, readFlag<&Request::courseColumns, true>, "--navigation",
     "batch 另加 course 的七列航向与距离（加 --variation 时十列，再加 "
     "--deviation 时十三列），接在其他结果列之后；该行坐标无法读取时留空"},
    {"--variation", kVariationSynopses, readValue<&Request::variation, passage::readVariation>,
     "--variation=磁差",
     "course、route、reckon 和 batch --navigation 另给出磁航向（真航向 "
     "− 磁差），如 3.5W、W3.5、西3.5、-3.5、5°30′W（西为负、东为正）；cpa 用以"
     "读取 M、C 航向",
     "3.5W", passage::kVariationForms, passage::PassageOption::Variation, kVariationCompanions},
    {"--deviation", kDeviationSynopses, readValue<&Request::deviation, passage::readDeviation>,
     "--deviation=自差",
     "另给出罗航向（磁航向 − 自差），写法同磁差（2W 即 -2）；须与 "
     "--variation 同用。text 输出写明罗经差（磁差 + 自差）",
     "2W", passage::kDeviationForms, passage::PassageOption::Deviation},
    {"--deviation-card",
     kCardSynopses,
     readPath<&FileOptions::deviationCardPath>,
     "--deviation-card=文件",
     "course、route、reckon 和 batch --navigation 的自差表：CSV 或 TSV，表头 heading,deviation（或 "
     "航向,自差），"
     "每行一个磁航向（通常每 15°）及其自差，航向不重复，至少两行；相邻两行间自差的变化须小于"
     "航向之差。各罗航向按其磁航向在表中（绕 000 连续）线性插值的自差计算，route 的 text 输出每"
     "行写明罗经差；reckon 的罗航向（如 042C）按 磁航向 = 罗航向 + 自差(磁航向) 迭代求出磁航向。"
     "须与 --variation 同用，不能与 --deviation 同用",
     {},
     {},
     passage::PassageOption::DeviationCard,
     kCourseColumnsCompanions},
    {"--textbook",
     kTextbookSynopses,
     readFlag<&Request::method, navigation::SailingMethod::Textbook>,
     "--textbook",
     "course、route、reckon 和 batch --navigation 按航海学教材的方法计算：大圆航线在 1′ 弧长 = 1 "
     "海里的球面上，恒向线"
     "按墨卡托航法（WGS-84 的纬度渐长率求航向，纬差 ÷ cos 航向求航程；航"
     "向在 090 或 270 前后 5° 以内时按中分纬度航法：东西距 ÷ sin 航向）",
     {},
     {},
     {},
     kCourseColumnsCompanions},
    {"--vertex", kVertexSynopses, readFlag<&Request::vertex, true>, "--vertex",
     "course 另给出大圆顶点：初始航向 270 经 000 到 090 为北顶点，090 经 "
     "180 到 270 为南顶点，恰为 090 或 270 时即点Ⅰ"},
    {"--show-work",
     kShowWorkSynopses,
     readFlag<&Request::showWork, true>,
     "--show-work",
     "列出计算过程：text 输出在答案之下按教材列出各步及其数值（各步按全精度计算，只在显示时取"
     "整：角度和弧长到 0.01′，距离到 0.001 海里）。course "
     "列出大圆航线（余纬、经差、余弦公式求距离、"
     "四联公式求初始航向、顶点）和墨卡托航法（纬差、经差、纬度渐长率、航向、航程；航向在 090 或 "
     "270 前后 5° 以内为中分纬度航法）；reckon 列出纬差、东西距和经差的推算；route 每段一组，"
     "加 --every 时列出各分点的纬度。tsv 和 csv 输出不受影响",
     {},
     {},
     {},
     kShowWorkCompanions},
    {"--course-form", kCourseFormSynopses, readCourseForm, "--course-form=写法",
     "course 和 reckon 的 text 输出中真航向的写法：degrees（默认）只写 000 到 360 的度数；quadrant "
     "另在其后按象限写出，精确到 0.1′，如 126.6°T（S53°25.7′E）。tsv 输出总是 000 到 360"},
    {"--every", kEverySynopses, readValue<&Request::every, passage::readStep>, "--every=间隔",
     "route 在每段大圆航线上取分点（分点1、分点2……），分点之间按恒向线"
     "航行：间隔为经度（5°、5度、5deg：分点在经度为其整倍数的经线上）或"
     "距离（300nmi、300海里、500km、500公里：自该段起点每隔这么远一个）",
     "5°", passage::kStepForms},
    {"--limit-latitude", kLimitSynopses,
     readValue<&Request::limitLatitude, passage::readLimitLatitude>, "--limit-latitude=纬度",
     "route 按混合航线航行：大圆航线会越过南北纬该度数的航段，改为与该"
     "纬度圈相切的大圆航线（切点：限制纬度起）、沿纬度圈航行、再沿相切的"
     "大圆航线（自限制纬度止）到终点；有航点在该纬度以外的航段报错",
     "45", passage::kLimitLatitudeForms},
    {"--speed", kSpeedSynopses, readValue<&Request::speed, passage::readSpeed>, "--speed=航速",
     "航速（节，如 12 或 12kn）。route 加 hours、total_hours 列（航点文件"
     "的 speed 或 航速 列给出自该航点起一段的航速，优先于 --speed）；"
     "reckon 以此航速航行 --hours 小时，代替航程",
     "12", passage::kSpeedForms, passage::PassageOption::Speed},
    {"--hours", kHoursSynopses, readValue<&Request::hours, passage::readHours>, "--hours=小时",
     "reckon 的航行时间，如 6.5 或 6:30；须与 --speed 同用", "6.5", passage::kHoursForms,
     passage::PassageOption::Hours},
    {"--depart",
     kDepartSynopses,
     readDeparture,
     "--depart=时间",
     "route 的出发时间，加 eta 列（各行终点的预计到达时间，用出发时间的时区，最晚 "
     "9999-12-31）：2026-12-08T08:00+08:00、2026-12-08 08:00（本机时区）或 "
     "2026-12-08T00:00Z；时区在 -14:00 到 +14:00 之间。不写时区时，本机时钟拨快（如夏令时开始）"
     "而跳过的时间报错，拨回而出现两次的时间取较早的一次（在标准错误上说明）",
     {},
     {},
     passage::PassageOption::Departure},
    {"--current", kCurrentSynopses, readValue<&Request::current, passage::readCurrent>,
     "--current=流向/流速",
     "海流：流去的真方向和流速（节），如 045/1.5。route 加 course_to_steer"
     "（抵消海流、保持各行恒向线航向的应驶航向）和 sog（对地航速），航时按 "
     "sog 计算；reckon 的船位为航行与海流漂移的合成。须与 --speed 同用",
     "045/1.5", passage::kCurrentForms, passage::PassageOption::Current},
    {"--output", kOutputSynopses, readPath<&FileOptions::outputPath>, "--output=文件",
     "batch 的结果写入该文件，而不是标准输出"},
    {"--jobs", kJobsSynopses, readJobs, "--jobs=线程数",
     "batch 同时计算的线程数，1 到 256；0 和默认为本进程可用的 CPU "
     "数（按 CPU 亲和性，有 cgroup 的 CPU 配额时不超过它）。从终端读"
     "入时为 1。输出与线程数无关"},
    {"--gpx", kGpxSynopses, readPath<&FileOptions::gpxPath>, "--gpx=文件",
     "route 的航线另写成 GPX 1.1 文件，供海图仪使用"},
    {"--geojson", kGeojsonSynopses, readPath<&FileOptions::geojsonPath>, "--geojson=文件",
     "route 的航点和航线另写成 GeoJSON 文件"},
    {"--rtz", kRtzSynopses, readPath<&FileOptions::rtzPath>, "--rtz=文件",
     "route 的航线另写成 RTZ 文件（IEC 61174），供 ECDIS 导入：含分点和切点，各段注明恒向线"
     "（Loxodrome）或大圆（Orthodrome），有航速和出发时间时附 UTC 的计划时刻"},
    {"--rtz-version", kRtzVersionSynopses, readRtzVersion, "--rtz-version=版本",
     "--rtz 写出的 RTZ 版本：1.0（默认）或 1.1"},
    {"--nmea", kNmeaSynopses, readPath<&FileOptions::nmeaPath>, "--nmea=文件",
     "route 的航线另写成 NMEA 0183 语句，供 GPS 导入：每个航点（含分点和切点）一句 $GPWPL，"
     "再以 $GPRTE 依次列出；名称只留 ASCII 字母和数字，重名的末尾换成数字，航线名取自文件名"},
    {"--nmea-name-length", kNmeaNameLengthSynopses, readNmeaNameLength, "--nmea-name-length=字符数",
     "--nmea 写出的航点名称最多几个字符：1 到 20，默认 6"},
    {"--own", kOwnSynopses, readOwnMotion, "--own=航向/航速",
     "cpa 的本船航向和航速（节，可为 0），航向同 reckon 的航向（T、M 或 C），如 045/12", "045/12",
     passage::kMotionForms},
    {"--target", kTargetSynopses, readTarget, "--target=方位/距离@时间",
     "cpa 的目标观测：真方位、距离（海里）和时间（时:分），如 123/6.2@08:12；每次观测写一个，"
     "按时间先后，过午夜的时间接着前一天",
     "123/6.2@08:12", passage::kObservationForms},
    {"--target-motion", kTargetMotionSynopses, readTargetMotion, "--target-motion=航向/航速",
     "cpa 的目标航向和航速（如 AIS 所示），与一次 --target 同用，写法同 --own", "270/10",
     passage::kMotionForms},
    {"--limit", kLimitDistanceSynopses, readLimit, "--limit=距离",
     "cpa：DCPA 小于此距离（海里，默认 2）时写明“DCPA 小于 2 海里”及 TCPA", "2",
     passage::kPassingForms},
    {"--action", kActionSynopses, readAction, "--action=时间",
     "cpa 的避让时刻（时:分）：本船保持航向航速到此时刻再转向或变速；须与 --pass 同用", "08:20",
     passage::kClockForms},
    {"--pass", kPassSynopses, readPass, "--pass=距离",
     "cpa 避让后要求的 DCPA（海里）：给出最小的右转、最小的左转和保持航向的航速；须与 --action "
     "同用",
     "2", passage::kPassingForms},
    {"--columns", kColumnsSynopses, readColumns, "--columns=列名,…",
     "route 只输出所列各列，按所列顺序（英文列名或 text 的中文列名，以逗号分隔，如 "
     "--columns=from,to,eta），所列各列即使全空也保留；不写时 text 省去各行都空的列"},
    {"--eta-zone",
     kEtaZoneSynopses,
     readEtaZone,
     "--eta-zone=时区",
     "route 的 eta 所用的时区（须与 --depart 同用）：ship 为各行到达船位的区时（经度 ÷ 15° "
     "取整，121°E 为 +08:00；恰在区界上时保持原来的区，180° 自东经到达为 +12、自西经到达为 "
     "−12），另加 eta_zone 列（区号，+08:00 为 -8）；+09:00、-05:00 或 Z 为固定时区。默认为 "
     "--depart 的时区",
     {},
     {},
     passage::PassageOption::EtaZone},
    {"--bearing", kBearingSynopses, readObservationOption<navigation::PositionLineKind::Bearing>,
     "--bearing=纬度,经度,方位",
     "fix 的方位位置线：物标的位置和从本船看物标的方位（写法同 reckon 的航向：045、045T、040M、"
     "042C），可接 @时间（08:30 或带日期）；可重复"},
    {"--range", kRangeSynopses, readObservationOption<navigation::PositionLineKind::Range>,
     "--range=纬度,经度,距离",
     "fix 的距离位置线：物标的位置和它的距离（海里，可带 nmi、海里、km、公里），可接 "
     "@时间；可重复"},
    {"--angle", kAngleSynopses,
     readObservationOption<navigation::PositionLineKind::HorizontalAngle>,
     "--angle=纬度1,经度1,纬度2,经度2,夹角",
     "fix 的水平夹角位置线：两物标的位置和从物标1（在左）顺时针到物标2 的夹角，0 到 180°，可接 "
     "@时间；可重复"},
    {"--run", kRunSynopses, readRunOption, "--run=航向/航速",
     "fix 移线定位中观测之间的航向和航速，如 045/12 或 040M/12（加 --current 时再计海流）"},
    {"--dr", kDeadReckoningSynopses, readDeadReckoningOption, "--dr=纬度,经度",
     "fix 的推算船位：两条位置线相交两次时取较近的交点；并给出推算船位到船位的流向和流程"},
    {"--eye", kEyeSynopses, readRangeOption<&FixOptions::eye>, "--eye=眼高",
     "range 的眼高，0 到 100 米（可带 m、米）"},
    {"--object", kObjectSynopses, readRangeOption<&FixOptions::object>, "--object=高度",
     "range 的物标高度，0 到 1000 米（可带 m、米）"},
    {"--charted", kChartedSynopses, readRangeOption<&FixOptions::charted>, "--charted=射程",
     "range 的海图射程（海里，可带 nmi、海里），按眼高 5 米的地理能见距离换算；不与 --object 同用"},
    {"--luminous", kLuminousSynopses, readRangeOption<&FixOptions::luminous>, "--luminous=光力射程",
     "range 的光力射程（海里），灯光能见距离不超过它"},
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

std::string_view synopsisIn(const Option& option, const Command& command) {
    for (const Synopsis& synopsis : option.synopses) {
        if ((synopsis.commands & commandBit(command.index)) != 0) {
            return synopsis.text;
        }
    }
    return {};
}

bool takes(const Option& option, const Command& command) {
    return !synopsisIn(option, command).empty();
}

std::vector<std::string_view> neededWith(const Option& option, const Command& command) {
    std::vector<std::string_view> needed;
    for (const Companion& companion : option.companions) {
        if ((companion.commands & commandBit(command.index)) != 0) {
            needed.push_back(companion.option);
        }
    }
    if (!option.passageOption || !command.planning) {
        return needed;
    }
    for (const passage::Requirement& requirement : passage::requirements()) {
        if (requirement.option != *option.passageOption ||
            (requirement.plannings & static_cast<unsigned>(*command.planning)) == 0) {
            continue;
        }
        for (const Option& other : kOptions) {
            if (other.passageOption == requirement.needs) {
                needed.push_back(other.name);
            }
        }
    }
    return needed;
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
        for (const std::string_view need : neededWith(option, command)) {
            list += " " + std::string{need};
        }
    }
    return list;
}

}  // namespace orvanto::cli
