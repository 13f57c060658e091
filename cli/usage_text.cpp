#include "cli/usage_text.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "text/display_width.h"
#include "text/wrapped_lines.h"

namespace orvanto::cli {
namespace {

// Lines of help and of the reminder stay within this many terminal columns, the width a terminal
// opens with.
constexpr std::size_t kLineWidth = 80;
// Where --help's option descriptions start.
constexpr std::size_t kOptionColumn = 18;
// Where a command's description starts, under its synopsis.
constexpr std::size_t kDescriptionIndent = 6;

// "orvanto-cli distance [--seconds=列表] … 纬度1 经度1 纬度2 经度2" after `lead`, wrapped, the
// lines after the first lined up after the command's name.
std::string synopsis(const Command& command, std::string_view lead) {
    std::vector<std::string_view> words;
    for (const Option& option : options()) {
        if (takes(option, command)) {
            words.push_back(synopsisIn(option, command));
        }
    }
    if (!command.operands.empty()) {
        words.push_back(command.operands);
    }
    std::string text = std::string{lead} + "orvanto-cli " + std::string{command.name};
    const std::string continuation(displayWidth(text) + 1, ' ');
    std::size_t column = displayWidth(text);
    for (const std::string_view word : words) {
        if (column + 1 + displayWidth(word) > kLineWidth) {
            text += "\n" + continuation.substr(1);
            column = continuation.size() - 1;
        }
        text += " " + std::string{word};
        column += 1 + displayWidth(word);
    }
    return text + "\n";
}

// Each line of `text` after `indent` spaces.
std::string indented(std::string_view text, std::size_t indent) {
    std::string out;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        out += std::string(indent, ' ') + std::string{text.substr(start, end - start)} + "\n";
        start = end + 1;
    }
    return out;
}

// A paragraph of `text` at `indent`, wrapped to the line.
std::string paragraphs(std::string_view text, std::size_t indent) {
    return indented(wrappedLines(text, kLineWidth - indent), indent);
}

// One entry of --help's option list.
struct HelpEntry {
    std::string_view name;  // "--seconds=列表"
    std::string_view help;  // its paragraphs
};

// "  --seconds=列表    用“秒”格式…": the name, then the description from kOptionColumn on; a
// name too long for the column stands on a line of its own.
std::string optionEntry(const HelpEntry& entry) {
    const std::string first = "  " + std::string{entry.name};
    const std::size_t width = 2 + displayWidth(entry.name);
    const std::string lines = paragraphs(entry.help, kOptionColumn);
    if (width < kOptionColumn) {
        return first + std::string(kOptionColumn - width, ' ') + lines.substr(kOptionColumn);
    }
    return first + "\n" + lines;
}

// A part of --help about some of the commands: the files they read, how they write.
struct HelpSection {
    std::string_view commands;  // " batch route ", the commands it concerns
    std::string_view text;      // its heading, then its paragraphs, each a line
};

constexpr std::string_view kEveryCommand = " distance angle batch course route reckon ";

constexpr HelpSection kSections[] = {
    {" batch ",
     "批量文件（batch）：\n"
     "  第一行是表头（其前的空行跳过，不写入输出），须有 lat1、lon1、lat2、lon2 四列，可加 "
     "latr、lonr（同时计算夹角）和 mode1、mode2、moder（m/s 或 分/秒，全角的 ｍ/ｓ 亦可，留空按 "
     "--seconds），也可用窗口的标签“点Ⅰ纬度”等（点I纬度、点II纬度亦可）作列名，其余各列原样保留。"
     "分隔符由表头决定：制表符、逗号、分号中能分出这几列的那个；都不能时按表头中第一个逗号或"
     "制表符。行尾可以是 LF、CRLF 或单独的 CR。\n"
     "  error 列是窗口会显示的提示；某行出错不影响其他各行。全部字段为空或空白的行原样照抄，"
     "不计算、不计数；比表头长的行，多出的字段移到结果列之后并记为出错；参考点两列都空的行只算"
     "距离。表头末尾已是某次运行的结果列（km,nmi,angle,error，其后可有 --geodesic、"
     "--navigation 的列，任意组合）时换成本次的结果列，结果列名出现在别处则报错。超过 1 MiB "
     "的记录报错后跳过；前 1 MiB 内有引号的则视为引号没有闭合，停止运行。\n"
     "  写入 --output 的文件时先写同一文件夹中的临时文件（文件系统允许时不具名），完成后才替换"
     "原文件：运行失败、被中断（Ctrl-C、Ctrl-\\）或被强行终止时原文件不变；下一次写入同一文件时"
     "删去强行终止的运行留下的临时文件。\n"
     "  从终端逐行输入时先在标准错误上提示，输完后在新的一行按 Ctrl-D 结束。\n"},
    {" route ",
     "航点文件（route）：\n"
     "  读法与批量文件相同：表头前的空行、分隔符、行尾和编码（见 orvanto-cli batch --help）。"
     "表头须有 name、lat、lon 三列（或 名称、纬度、经度），可加 mode（格式）列：m/s 或 分/秒"
     "（全角的 ｍ/ｓ 亦可），留空时按“分”格式，加 --seconds 则按“秒”格式；可加 speed（航速）"
     "列：自该航点起一段的航速（节）。全部字段为空或空白的行跳过。\n"},
    {" course route reckon ",
     "航向与距离（course、route、reckon）：\n"
     "  航向为真航向，自北顺时针，写作三位整数加一位小数（000.0 到 359.9，四舍五入）；两点重合"
     "或有一点在极点时航向留空。距离精确到 0.001 公里或海里（1 海里 = 1.852 公里）。磁航向 = "
     "真航向 − 磁差，磁差东为正、西为负：3.5W 即 -3.5，2E 即 2；罗航向 = 磁航向 − 自差，"
     "罗经差 = 磁差 + 自差。\n"},
    {" route reckon ",
     "航线规划（route、reckon）：\n"
     "  位置按“分”格式写出：度、两位分、两位小数的分和半球，如 2128.30N、11732.50W（分四舍"
     "五入，进位到度）；经度在 -180 到 180（含）之间，180° 写作 18000.00E。航时写作 时:分"
     "（如 123:05，四舍五入到分钟），text 中满一天的写作 天数加 时:分（如 15天16:59）；累计"
     "航时和预计到达时间由精确的和算出，只舍入一次。\n"
     "  航向、航程、航速、小时、间隔、纬度、流向/流速、磁差和自差按坐标的写法读取（全角数字和"
     "符号、° 和 度）；超出范围、NaN、无穷大或后面多了文字时报错（状态 2）。\n"
     "  例：从长江口经大隅海峡到旧金山，每 10° 经度一个分点，不越过北纬 45°，航速 14 节，东八区 "
     "12 月 8 日 08:00 出发，海流流向 090、流速 0.5 节：\n"
     "    orvanto-cli route --every=10° --limit-latitude=45 --speed=14 \\\n"
     "        --depart=2026-12-08T08:00+08:00 --current=090/0.5 --gpx=pacific.gpx \\\n"
     "        pacific.csv\n"
     "  pacific.csv 有三行航点：长江口,3100.0,12230.0、大隅海峡,3050.0,13100.0、"
     "旧金山,3748.0,12230.0W。表中每行是实际航行的一段：长江口→分点1（3052.92N 13000.00E）"
     "……分点6→限制纬度起（4500.00N 17545.13W），沿 45°N 到限制纬度止（4500.00N "
     "16133.73W），……分点10→旧金山；合计航程 5457.363 海里，航时 15天16:59，预计 "
     "2026-12-24T00:59+08:00 到达。pacific.gpx 中有航点、分点和两个切点：\n"
     "    gpsbabel -i gpx -f pacific.gpx -o csv -F -\n"},
    {" cpa ",
     "雷达标绘（cpa）：\n"
     "  在以本船为中心的标绘图上计算（东、北为坐标，海里和节），与纸上标绘相同。TCPA、BCT 为最后"
     "一次观测后的分钟数，括号中为时刻；TCPA 为负即目标正在驶离。是否存在碰撞危险、谁让路，由"
     "值班驾驶员判断，这里不作建议。\n"
     "  例：本船 000°、12 节，目标 08:00 在 045°、10 海里，08:06 在 044°、8.6 海里，08:12 在 "
     "042.5°、7.2 海里；08:18 避让，要求 DCPA 为 2 海里：\n"
     "    orvanto-cli cpa --own=000/12 --target=045/10@08:00 --target=044/8.6@08:06 \\\n"
     "        --target=042.5/7.2@08:12 --action=08:18 --pass=2\n"
     "  得 DCPA 1.11 海里、TCPA 30.2 分钟（08:42），右转到 017.4° 或左转到 307.6°，或减速到 "
     "9.4 节。\n"},
    {kEveryCommand,
     "坐标写法：\n"
     "  “分”格式（默认）：度、两位分、可带小数的分，如 4250.0 即 42°50.0′。\n"
     "  “秒”格式：度、两位分、两位秒，如 421125 即 42°11′25″。\n"
     "  北纬、东经为正，南纬、西经为负，如 -4250.0。\n"
     "  方向也可标在开头或末尾：N S E W（大小写、全角均可）、北 南 东 西、北纬 南纬 东经 西经，"
     "如 4250.0S、S4250.0、南纬4250.0、12130.0W；正负号和方向只能用其一。\n"
     "  带度号（° º ˚ 度）时两种格式都按度分秒读取：42°50.0′、42°11′25″、42.5°、"
     "北纬42度11分25秒；分号可写 ′ ' ’ ‘ ＇ 分，秒号可写 ″ \" ” “ ＂ 秒或两个分号，只有最后一项"
     "可带小数。\n"
     "  全角数字和符号照常读取（４２５０．０）。数中间的空格只能把度、分、秒隔开：“分”格式在两位"
     "分之前（42 50.0），“秒”格式在两位分、两位秒之前（42 11 25、4211 25），其他位置报错"
     "（42 5.0、42 11）。“秒”格式不足四位的按前面补零读取（123 即 0°01′23″）。\n"
     "  “分”格式的输入须整个是一个数（42ab、4250,5 均报错），“秒”格式的只能是数字；只有空格的"
     "输入算作未填。\n"
     "  纬度须在 -90 到 90 度之间，经度须在 -180 到 180 度之间。\n"},
};

constexpr std::string_view kExitStatus =
    "退出状态：0 成功；1 输入有误或无法计算（原因写到标准错误；batch 为有的行出错，route "
    "为有的航段出错）；2 用法错误、输入无法读取或结果无法写出。\n";

bool concerns(std::string_view commands, const Command& command) {
    return commands.find(" " + std::string{command.name} + " ") != std::string_view::npos;
}

// The help of the commands `shown` picks: their synopses and descriptions, `endOfUsage`, the
// sections about them, and their options up to "--"; the caller adds its own last lines.
template <typename Picks>
std::string help(std::string_view title, Picks shown, std::string_view endOfUsage) {
    std::string text = std::string{title} + "\n\n用法：\n";
    for (const Command& command : commands()) {
        if (shown(command)) {
            text += synopsis(command, "  ") + paragraphs(command.description, kDescriptionIndent);
        }
    }
    text += std::string{endOfUsage} + "\n";
    for (const HelpSection& section : kSections) {
        if (std::any_of(commands().begin(), commands().end(), [&](const Command& command) {
                return shown(command) && concerns(section.commands, command);
            })) {
            text += paragraphs(section.text, 0) + "\n";
        }
    }
    text += "选项：\n";
    for (const Option& option : options()) {
        if (std::any_of(commands().begin(), commands().end(), [&](const Command& command) {
                return shown(command) && takes(option, command);
            })) {
            text += optionEntry({option.helpName, option.help});
        }
    }
    return text + optionEntry({"--", "其后的参数一律视为坐标"});
}

}  // namespace

std::string usageSummary() {
    std::string text;
    for (const Command& command : commands()) {
        text += synopsis(command, text.empty() ? "用法：" : "      ");
    }
    return text + "详见 orvanto-cli --help\n";
}

std::string usageSummary(const Command& command) {
    return synopsis(command, "用法：") + "详见 orvanto-cli " + std::string{command.name} +
           " --help\n";
}

std::string helpText() {
    const std::string text = help(
        "orvanto-cli —— 经纬度距离角度计算器的命令行版本", [](const Command&) { return true; },
        "  orvanto-cli [命令] --help | -h | --version\n"
        "      命令之后的 --help 只显示该命令的说明。\n");
    return text + optionEntry({"-h, --help", "显示本说明"}) +
           optionEntry({"--version", "显示版本"}) + "\n" + paragraphs(kExitStatus, 0);
}

std::string helpText(const Command& command) {
    const std::string title =
        "orvanto-cli " + std::string{command.name} + " —— 经纬度距离角度计算器的命令行版本";
    const std::string text = help(
        title, [&](const Command& each) { return each.name == command.name; }, "");
    return text + optionEntry({"-h, --help", "显示本说明（全部命令的说明见 orvanto-cli --help）"}) +
           "\n" + paragraphs(kExitStatus, 0);
}

}  // namespace orvanto::cli
