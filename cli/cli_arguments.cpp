#include "cli/cli_arguments.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include "cli/navigation_arguments.h"
#include "cli/variation.h"
#include "text/ascii_case.h"

namespace orvanto::cli {
namespace {

struct Subcommand {
    std::string_view name;
    Action action;
    std::size_t fewestArguments;
    std::size_t mostArguments;
};

constexpr Subcommand kSubcommands[] = {
    {"distance", Action::Distance, 4, 4},
    {"angle", Action::Angle, 6, 6},
    {"batch", Action::Batch, 0, 1},
};

// The options that take a value, as the user must write them.
constexpr std::string_view kValueOptions[][2] = {
    {"--seconds", "--seconds=列表，例如 --seconds=2"},
    {"--format", "--format=plain 或 --format=window"},
    {"--encoding", "--encoding=auto、utf-8、gb18030 或 utf-16（gbk、gb2312、cp936 同 gb18030）"},
    {"--output-encoding", "--output-encoding=utf-8、utf-8-bom、gb18030 或 utf-16"},
    {"--output", "--output=文件"},
    {"--variation", "--variation=磁差，例如 --variation=3.5W"},
};

// Sets the points named in a list such as "1,2,r" to seconds mode; returns the offending item, if
// any.
std::optional<UsageError> readSecondsList(std::string_view list, CalculatorInput& input) {
    if (list.empty()) {
        return UsageError{"--seconds= 后须列出点：1、2 或 r，以逗号分隔，例如 --seconds=1,r"};
    }
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::string_view item = list.substr(start, comma - start);
        if (item == "1") {
            input.point1.mode = EntryMode::Seconds;
        } else if (item == "2") {
            input.point2.mode = EntryMode::Seconds;
        } else if (item == "r" || item == "R") {
            input.reference.mode = EntryMode::Seconds;
        } else {
            return UsageError{"--seconds 的列表中只能有 1、2 或 r，不认识“" + std::string{item} +
                              "”"};
        }
        start = comma + 1;
    }
    return std::nullopt;
}

constexpr std::pair<std::string_view, NumberStyle> kFormats[] = {
    {"plain", NumberStyle::Plain},
    {"window", NumberStyle::Window},
};
constexpr std::pair<std::string_view, Encoding> kEncodings[] = {
    {"auto", Encoding::Auto},    {"utf-8", Encoding::Utf8},     {"gb18030", Encoding::Gb18030},
    {"gbk", Encoding::Gb18030},  {"gb2312", Encoding::Gb18030}, {"cp936", Encoding::Gb18030},
    {"utf-16", Encoding::Utf16},
};
constexpr std::pair<std::string_view, OutputEncoding> kOutputEncodings[] = {
    {"utf-8", OutputEncoding::Utf8},
    {"utf-8-bom", OutputEncoding::Utf8Bom},
    {"gb18030", OutputEncoding::Gb18030},
    {"utf-16", OutputEncoding::Utf16},
};

template <typename Value, std::size_t N>
bool readNamed(const std::pair<std::string_view, Value> (&names)[N], std::string_view name,
               Value& value) {
    const auto* found = std::find_if(std::begin(names), std::end(names),
                                     [&](const auto& entry) { return entry.first == name; });
    if (found == std::end(names)) {
        return false;
    }
    value = found->second;
    return true;
}

// Reads one "--name=value" option into the request; an error for a value it does not know.
std::optional<UsageError> readValueOption(std::string_view name, std::string_view value,
                                          Request& request) {
    if (name == "--seconds") {
        return readSecondsList(value, request.input);
    }
    if (name == "--output") {
        if (value.empty()) {
            return UsageError{"--output= 后须写文件名"};
        }
        request.batch.outputPath = value;
        return std::nullopt;
    }
    if (name == "--variation") {
        request.navigation.variation = readVariation(value);
        if (!request.navigation.variation) {
            return UsageError{variationProblem(value)};
        }
        return std::nullopt;
    }
    const std::string lower = asciiLowerCase(value);
    const bool known =
        (name == "--format" && readNamed(kFormats, lower, request.format)) ||
        (name == "--encoding" && readNamed(kEncodings, lower, request.batch.encoding)) ||
        (name == "--output-encoding" &&
         readNamed(kOutputEncodings, lower, request.batch.outputEncoding));
    if (known) {
        return std::nullopt;
    }
    const std::string_view allowed = name == "--format" ? "plain 或 window"
                                     : name == "--encoding"
                                         ? "auto、utf-8、gb18030、gbk、gb2312、cp936 或 utf-16"
                                         : "utf-8、utf-8-bom、gb18030 或 utf-16";
    return UsageError{std::string{name} + " 只能是 " + std::string{allowed} + "，不认识“" +
                      std::string{value} + "”"};
}

UsageError unknownOption(std::string_view argument) {
    std::string problem = "未知的选项“" + std::string{argument} + "”";
    // "--4250.0": most likely a southern or western entry meant as "-4250.0".
    const char next = argument.size() > 2 ? argument[2] : ' ';
    if ((next >= '0' && next <= '9') || next == '.' || next == '-' || next == '+') {
        problem +=
            "。以 - 开头的坐标请写在单独的 -- 之后，例如 orvanto-cli distance -- -4250.0 "
            "-9338.80 0 0";
    }
    return UsageError{std::move(problem)};
}

}  // namespace

std::optional<Encoding> encodingNamed(std::string_view name) {
    Encoding encoding{};
    if (readNamed(kEncodings, asciiLowerCase(name), encoding)) {
        return encoding;
    }
    return std::nullopt;
}

std::optional<OutputEncoding> outputEncodingNamed(std::string_view name) {
    OutputEncoding encoding{};
    if (readNamed(kOutputEncodings, asciiLowerCase(name), encoding)) {
        return encoding;
    }
    return std::nullopt;
}

Expected<Request, UsageError> parseArguments(std::span<const std::string_view> arguments) {
    if (isNavigationCommand(arguments)) {
        return parseNavigationArguments(arguments);
    }
    Request request;
    bool wantsHelp = false;
    bool wantsVersion = false;
    bool optionsEnded = false;
    std::optional<NumberStyle> format;
    std::vector<std::string_view> batchOnly;  // batch's own options, as given
    std::vector<std::string_view> positional;
    for (const std::string_view argument : arguments) {
        const std::size_t equals = argument.find('=');
        const std::string_view name = argument.substr(0, equals);
        const auto valueOption =
            std::find_if(std::begin(kValueOptions), std::end(kValueOptions),
                         [&](const auto& option) { return option[0] == name; });
        if (optionsEnded || (!argument.starts_with("--") && argument != "-h")) {
            positional.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            wantsHelp = true;
        } else if (argument == "--version") {
            wantsVersion = true;
        } else if (argument == "--geodesic" || argument == "--navigation") {
            (argument == "--geodesic" ? request.batch.geodesic : request.batch.navigation) = true;
            batchOnly.push_back(argument);
        } else if (valueOption != std::end(kValueOptions) && equals != std::string_view::npos) {
            if (auto error = readValueOption(name, argument.substr(equals + 1), request)) {
                return unexpected(std::move(*error));
            }
            if (name == "--format") {
                format = request.format;
            } else if (name != "--seconds") {
                batchOnly.push_back(name);
            }
        } else if (valueOption != std::end(kValueOptions)) {
            return unexpected(
                UsageError{std::string{name} + " 须写成 " + std::string{(*valueOption)[1]}});
        } else {
            return unexpected(unknownOption(argument));
        }
    }
    if (wantsHelp) {
        request.action = Action::Help;
        return request;
    }
    if (wantsVersion) {
        request.action = Action::Version;
        return request;
    }
    if (positional.empty()) {
        return unexpected(UsageError{"缺少子命令：distance、angle、batch、course 或 route"});
    }
    const auto* subcommand =
        std::find_if(std::begin(kSubcommands), std::end(kSubcommands),
                     [&](const Subcommand& known) { return known.name == positional.front(); });
    if (subcommand == std::end(kSubcommands)) {
        return unexpected(UsageError{"未知的子命令“" + std::string{positional.front()} +
                                     "”，应为 distance、angle、batch、course 或 route"});
    }
    const std::size_t given = positional.size() - 1;
    request.action = subcommand->action;
    if (request.action == Action::Batch) {
        if (given > subcommand->mostArguments) {
            return unexpected(
                UsageError{"batch 只读一个文件，实际给出 " + std::to_string(given) + " 个"});
        }
        if (request.navigation.variation && !request.batch.navigation) {
            return unexpected(UsageError{"batch 的 --variation 须与 --navigation 同用"});
        }
        request.format = format.value_or(NumberStyle::Plain);
        if (given == 1) {
            request.batch.inputPath = positional[1];
        }
        return request;
    }
    if (!batchOnly.empty()) {
        const std::string_view takers =
            batchOnly.front() == "--variation" ? "batch --navigation、course 和 route" : "batch";
        return unexpected(
            UsageError{std::string{batchOnly.front()} + " 只用于 " + std::string{takers}});
    }
    if (given != subcommand->fewestArguments) {
        return unexpected(UsageError{std::string{subcommand->name} + " 需要 " +
                                     std::to_string(subcommand->fewestArguments) +
                                     " 个坐标，实际给出 " + std::to_string(given) + " 个"});
    }
    std::string* const boxes[] = {
        &request.input.point1.latitude,    &request.input.point1.longitude,
        &request.input.point2.latitude,    &request.input.point2.longitude,
        &request.input.reference.latitude, &request.input.reference.longitude,
    };
    for (std::size_t i = 0; i < given; ++i) {
        *boxes[i] = positional[i + 1];
    }
    return request;
}

std::string_view usageSummary() {
    return "用法：orvanto-cli distance [--seconds=列表] [--format=plain|window] "
           "纬度1 经度1 纬度2 经度2\n"
           "      orvanto-cli angle [--seconds=列表] [--format=plain|window] "
           "纬度1 经度1 纬度2 经度2 参考点纬度 参考点经度\n"
           "      orvanto-cli batch [--seconds=列表] [--format=plain|window] [--encoding=编码]\n"
           "                        [--output-encoding=编码] [--geodesic]\n"
           "                        [--navigation [--variation=磁差]] [--output=文件] [文件|-]\n"
           "      orvanto-cli course [--seconds=列表] [--format=text|tsv] [--variation=磁差]\n"
           "                         纬度1 经度1 纬度2 经度2\n"
           "      orvanto-cli route [--seconds] [--format=text|csv|tsv] [--encoding=编码]\n"
           "                        [--output-encoding=编码] [--gpx=文件] [--geojson=文件]\n"
           "                        [--variation=磁差] [航点文件|-]\n"
           "详见 orvanto-cli --help\n";
}

std::string_view helpText() {
    return "orvanto-cli —— 经纬度距离角度计算器的命令行版本\n"
           "\n"
           "用法：\n"
           "  orvanto-cli distance [--seconds=列表] [--format=plain|window]\n"
           "                       纬度1 经度1 纬度2 经度2\n"
           "      计算点Ⅰ与点Ⅱ的距离，输出公里数、一个制表符和海里数。\n"
           "  orvanto-cli angle [--seconds=列表] [--format=plain|window]\n"
           "                    纬度1 经度1 纬度2 经度2 参考点纬度 参考点经度\n"
           "      计算点Ⅰ、点Ⅱ相对于参考点所成的夹角（度）。\n"
           "  orvanto-cli batch [--seconds=列表] [--format=plain|window]\n"
           "                    [--encoding=auto|utf-8|gb18030|gbk|gb2312|cp936|utf-16]\n"
           "                    [--output-encoding=utf-8|utf-8-bom|gb18030|utf-16]\n"
           "                    [--geodesic] [--navigation [--variation=磁差]] [--output=文件]\n"
           "                    [文件|-]\n"
           "      逐行计算 CSV 或 TSV 文件（省略或写 - 时读标准输入）中的距离和夹角：每行输出\n"
           "      原有各列，再加 km、nmi、angle、error 四列。\n"
           "  orvanto-cli course [--seconds=列表] [--format=text|tsv] [--variation=磁差]\n"
           "                     纬度1 经度1 纬度2 经度2\n"
           "      点Ⅰ到点Ⅱ的大圆航线（距离，初始与最终航向）和恒向线（距离，航向），按 WGS-84\n"
           "      椭球计算。tsv 输出一行七列：gc_km、gc_nmi、gc_course_initial、gc_course_final、\n"
           "      rhumb_km、rhumb_nmi、rhumb_course；加 --variation 时再加 gc_course_initial_m、\n"
           "      gc_course_final_m、rhumb_course_m 三列磁航向。\n"
           "  orvanto-cli route [--seconds] [--format=text|csv|tsv]\n"
           "                    [--encoding=auto|utf-8|gb18030|gbk|gb2312|cp936|utf-16]\n"
           "                    [--output-encoding=utf-8|utf-8-bom|gb18030|utf-16]\n"
           "                    [--gpx=文件] [--geojson=文件] [--variation=磁差] [航点文件|-]\n"
           "      按顺序逐段计算航点文件中的航线：每段一行，列为 from、to、rhumb_course、\n"
           "      rhumb_nmi、gc_course_initial、gc_nmi、km、nmi（本计算方法的距离）、total_nmi\n"
           "      （恒向线海里的累计）、error，最后一行“合计”（没有航段算出的项留空）。加\n"
           "      --variation 时在 rhumb_course 和 gc_course_initial 之后各加一列磁航向（_m）。\n"
           "      text 在终端上为默认，对齐各列；否则默认 csv。text 和终端上的表中，名称里的\n"
           "      控制字符写作 \\n、U+001B 等。--gpx 写出 GPX 1.1 航线，--geojson 写出 GeoJSON\n"
           "      （航点和沿大圆的航线，在 180° 经线处断开），两者总是 UTF-8；有航点无法读取时\n"
           "      不写这两个文件。出错的说明写明航点及其行号，如“航点“B”（第 3 行）的纬度…”。\n"
           "\n"
           "批量文件（batch）：\n"
           "  第一行是表头（其前的空行跳过，不写入输出），须有 lat1、lon1、lat2、lon2 四列，\n"
           "  可加 latr、lonr（同时计算夹角）和 mode1、mode2、moder（m/s 或 分/秒，全角的 ｍ/ｓ\n"
           "  亦可，留空按 --seconds），也可用窗口的标签“点Ⅰ纬度”等（点I纬度、点II纬度亦可）\n"
           "  作列名，其余各列原样保留。分隔符由表头决定：制表符、逗号、分号中能分出这几列的\n"
           "  那个；都不能时按表头中第一个逗号或制表符。行尾可以是 LF、CRLF 或单独的 CR。\n"
           "  error 列是窗口会显示的提示；某行出错不影响其他各行。全部字段为空或空白的行原样\n"
           "  照抄，不计算、不计数；比表头长的行，多出的字段移到结果列之后并记为出错；参考点\n"
           "  两列都空的行只算距离。表头末尾已是某次运行的结果列（km,nmi,angle,error，其后可\n"
           "  有 --geodesic、--navigation 的列，任意组合）时换成本次的结果列，结果列名出现在\n"
           "  别处则报错。超过 1 MiB 的记录报错后跳过；引号内超过 1 MiB 视为引号没有闭合。\n"
           "  写入 --output 的文件时先写同一文件夹中的临时文件（文件系统允许时不具名），完成\n"
           "  后才替换原文件：运行失败、被中断（Ctrl-C、Ctrl-\\）或被强行终止时原文件不变；\n"
           "  下一次写入同一文件时删去强行终止的运行留下的临时文件。\n"
           "  从终端逐行输入时先在标准错误上提示，输完后在新的一行按 Ctrl-D 结束。\n"
           "\n"
           "航点文件（route）：\n"
           "  与批量文件同样读取，表头须有 name、lat、lon 三列（或 名称、纬度、经度），可加\n"
           "  mode（格式）列：m/s 或 分/秒（全角的 ｍ/ｓ 亦可），留空时按“分”格式，加\n"
           "  --seconds 则按“秒”格式。全部字段为空或空白的行跳过。\n"
           "\n"
           "航向与距离（course、route）：\n"
           "  航向为真航向，自北顺时针，写作三位整数加一位小数（000.0 到 359.9，四舍五入）；\n"
           "  两点重合或有一点在极点时航向留空。距离精确到 0.001 公里或海里（1 海里 = 1.852\n"
           "  公里）。磁航向 = 真航向 − 磁差，磁差东为正、西为负：3.5W 即 -3.5，2E 即 2。\n"
           "\n"
           "坐标写法：\n"
           "  “分”格式（默认）：度、两位分、可带小数的分，如 4250.0 即 42°50.0′。\n"
           "  “秒”格式：度、两位分、两位秒，如 421125 即 42°11′25″。\n"
           "  北纬、东经为正，南纬、西经为负，如 -4250.0。\n"
           "  方向也可标在开头或末尾：N S E W（大小写、全角均可）、北 南 东 西、北纬 南纬 东经\n"
           "  西经，如 4250.0S、S4250.0、南纬4250.0、12130.0W；正负号和方向只能用其一。\n"
           "  带度号（° º ˚ 度）时两种格式都按度分秒读取：42°50.0′、42°11′25″、42.5°、\n"
           "  北纬42度11分25秒；分号可写 ′ ' ’ ‘ ＇ 分，秒号可写 ″ \" ” “ ＂ 秒或两个分号，\n"
           "  只有最后一项可带小数。\n"
           "  全角数字和符号照常读取（４２５０．０）。数中间的空格只能把度、分、秒隔开：“分”\n"
           "  格式在两位分之前（42 50.0），“秒”格式在两位分、两位秒之前（42 11 25、4211 25），\n"
           "  其他位置报错（42 5.0、42 11）。“秒”格式不足四位的按前面补零读取（123 即\n"
           "  0°01′23″）。\n"
           "  “分”格式的输入须整个是一个数（42ab、4250,5 均报错），“秒”格式的只能是数字；\n"
           "  只有空格的输入算作未填。\n"
           "  纬度须在 -90 到 90 度之间，经度须在 -180 到 180 度之间。\n"
           "\n"
           "选项：\n"
           "  --seconds=列表  用“秒”格式读取所列各点的坐标，列表由 1、2、r（参考点）组成，\n"
           "                  以逗号分隔，如 --seconds=2 或 --seconds=1,2,r\n"
           "                  （route 只写 --seconds：所有航点按“秒”格式读取）\n"
           "  --format=格式   course 和 route 的输出：text、tsv，route 还可 csv。其余命令为\n"
           "                  数字的写法：plain 写作 0.5、12（batch 的默认）；window 与窗口\n"
           "                  完全相同，写作 .5、12.（distance 和 angle 的默认）\n"
           "  --encoding=编码 batch、route 输入的编码：auto（默认）、utf-8、gb18030（gbk、\n"
           "                  gb2312、cp936 同 gb18030）或 utf-16（按 BOM 分大小端，无 BOM 为小\n"
           "                  端，即 Excel 的“Unicode 文本”）。auto：有 UTF-16 的 BOM 即为 "
           "UTF-16；\n"
           "                  有 UTF-8 的 BOM 或前 64 KiB 是有效的 UTF-8 即为 UTF-8，否则是有效的\n"
           "                  GB18030 即为 GB18030（在标准错误上说明）；都不是则停止。读不通的行\n"
           "                  在 error 列中报错，其余照常计算\n"
           "  --output-encoding=编码\n"
           "                  batch 输出和 route 的表的编码：utf-8、utf-8-bom、gb18030 或 utf-16\n"
           "                  （小端，带 BOM）。默认与输入相同（UTF-16 总带 BOM），写到终端时为\n"
           "                  UTF-8。带 BOM 的输出中读不通的字节写作 U+FFFD，该行的 error 列注明\n"
           "  --geodesic      batch 另加 geodesic_km、geodesic_angle 两列：WGS-84 测地线的\n"
           "                  距离与夹角，用以对照本计算方法的估算\n"
           "  --navigation    batch 另加 course 的七列航向与距离（加 --variation 时十列），\n"
           "                  接在其他结果列之后；该行坐标无法读取时留空\n"
           "  --output=文件   batch 的结果写入该文件，而不是标准输出\n"
           "  --variation=磁差 course、route 和 batch --navigation 另给出磁航向，如 3.5W、\n"
           "                  W3.5、西3.5、-3.5、5°30′W（西为负、东为正）\n"
           "  --gpx=文件      route 的航线另写成 GPX 1.1 文件，供海图仪使用\n"
           "  --geojson=文件  route 的航点和航线另写成 GeoJSON 文件\n"
           "  --              其后的参数一律视为坐标\n"
           "  -h, --help      显示本说明\n"
           "  --version       显示版本\n"
           "\n"
           "退出状态：0 成功；1 输入有误或无法计算（原因写到标准错误；batch 为有的行出错，\n"
           "route 为有的航段出错）；2 用法错误、输入无法读取或结果无法写出。\n";
}

}  // namespace orvanto::cli
