#include "cli/cli_arguments.h"

#include <cstddef>
#include <vector>

namespace orvanto::cli {
namespace {

constexpr std::string_view kSecondsOption = "--seconds";

struct Subcommand {
    std::string_view name;
    Action action;
    std::size_t entryCount;
};

constexpr Subcommand kSubcommands[] = {
    {"distance", Action::Distance, 4},
    {"angle", Action::Angle, 6},
};

// Sets the points named in a list such as "1,2,r" to seconds mode; returns the offending item, if
// any.
std::variant<std::monostate, UsageError> readSecondsList(std::string_view list,
                                                         CalculatorInput& input) {
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
    return std::monostate{};
}

}  // namespace

std::variant<Request, UsageError> parseArguments(std::span<const std::string_view> arguments) {
    Request request;
    bool wantsHelp = false;
    bool wantsVersion = false;
    bool optionsEnded = false;
    std::vector<std::string_view> positional;
    for (const std::string_view argument : arguments) {
        if (optionsEnded || !argument.starts_with("--")) {
            positional.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help") {
            wantsHelp = true;
        } else if (argument == "--version") {
            wantsVersion = true;
        } else if (argument.starts_with(kSecondsOption) &&
                   argument.substr(kSecondsOption.size()).starts_with('=')) {
            auto listResult =
                readSecondsList(argument.substr(kSecondsOption.size() + 1), request.input);
            if (auto* error = std::get_if<UsageError>(&listResult)) {
                return *error;
            }
        } else if (argument == kSecondsOption) {
            return UsageError{"--seconds 须写成 --seconds=列表，例如 --seconds=2"};
        } else {
            return UsageError{"未知的选项“" + std::string{argument} + "”"};
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
        return UsageError{"缺少子命令：distance 或 angle"};
    }
    for (const Subcommand& subcommand : kSubcommands) {
        if (positional.front() != subcommand.name) {
            continue;
        }
        const std::size_t given = positional.size() - 1;
        if (given != subcommand.entryCount) {
            return UsageError{std::string{subcommand.name} + " 需要 " +
                              std::to_string(subcommand.entryCount) + " 个坐标，实际给出 " +
                              std::to_string(given) + " 个"};
        }
        request.action = subcommand.action;
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
    return UsageError{"未知的子命令“" + std::string{positional.front()} +
                      "”，应为 distance 或 angle"};
}

std::string_view usageSummary() {
    return "用法：orvanto-cli distance [--seconds=列表] 纬度1 经度1 纬度2 经度2\n"
           "      orvanto-cli angle [--seconds=列表] 纬度1 经度1 纬度2 经度2 参考点纬度 "
           "参考点经度\n"
           "详见 orvanto-cli --help\n";
}

std::string_view helpText() {
    return "orvanto-cli —— 经纬度距离角度计算器的命令行版本\n"
           "\n"
           "用法：\n"
           "  orvanto-cli distance [--seconds=列表] 纬度1 经度1 纬度2 经度2\n"
           "      计算点Ⅰ与点Ⅱ的距离，输出公里数、一个制表符和海里数。\n"
           "  orvanto-cli angle [--seconds=列表] 纬度1 经度1 纬度2 经度2 参考点纬度 参考点经度\n"
           "      计算点Ⅰ、点Ⅱ相对于参考点所成的夹角（度）。\n"
           "\n"
           "坐标写法：\n"
           "  “分”格式（默认）：度、两位分、可带小数的分，如 4250.0 即 42°50.0′。\n"
           "  “秒”格式：度、两位分、两位秒，如 421125 即 42°11′25″。\n"
           "  北纬、东经为正，南纬、西经为负，如 -4250.0。\n"
           "  方向也可标在开头或末尾：N S E W（大小写、全角均可）、北 南 东 西、北纬 南纬 东经\n"
           "  西经，如 4250.0S、S4250.0、南纬4250.0、12130.0W；正负号和方向只能用其一。\n"
           "  带度号（° º ˚ 度）时两种格式都按度分秒读取：42°50.0′、42°11′25″、42.5°、\n"
           "  北纬42度11分25秒；分号可写 ′ ' ’ 分，秒号可写 ″ \" ” 秒，只有最后一项可带小数。\n"
           "  全角数字和符号照常读取（４２５０．０）；“秒”格式中数字间的空格不计（42 11 25）。\n"
           "  纬度须在 -90 到 90 度之间，经度须在 -180 到 180 度之间。\n"
           "\n"
           "选项：\n"
           "  --seconds=列表  用“秒”格式读取所列各点的坐标，列表由 1、2、r（参考点）组成，\n"
           "                  以逗号分隔，如 --seconds=2 或 --seconds=1,2,r\n"
           "  --              其后的参数一律视为坐标\n"
           "  --help          显示本说明\n"
           "  --version       显示版本\n"
           "\n"
           "退出状态：0 成功；1 输入有误或无法计算（原因写到标准错误）；2 用法错误。\n";
}

}  // namespace orvanto::cli
