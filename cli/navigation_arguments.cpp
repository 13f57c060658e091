#include "cli/navigation_arguments.h"

#include <optional>
#include <string>
#include <vector>

#include "cli/variation.h"

namespace orvanto::cli {
namespace {

constexpr std::size_t kCourseEntries = 4;

// The arguments that are not options, in order, as the calculator commands split them.
std::vector<std::string_view> positionalArguments(std::span<const std::string_view> arguments) {
    std::vector<std::string_view> positional;
    bool optionsEnded = false;
    for (const std::string_view argument : arguments) {
        if (optionsEnded || (!argument.starts_with("--") && argument != "-h")) {
            positional.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        }
    }
    return positional;
}

UsageError wrongValue(std::string_view name, std::string_view allowed, std::string_view value) {
    return UsageError{std::string{name} + " 只能是 " + std::string{allowed} + "，不认识“" +
                      std::string{value} + "”"};
}

std::optional<UsageError> readSecondsList(std::string_view list, CalculatorInput& input) {
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::string_view item = list.substr(start, comma - start);
        if (item == "1" || item == "2") {
            (item == "1" ? input.point1 : input.point2).mode = EntryMode::Seconds;
        } else {
            return UsageError{"course 的 --seconds 列表中只能有 1 或 2，以逗号分隔，不认识“" +
                              std::string{item} + "”"};
        }
        start = comma + 1;
    }
    return std::nullopt;
}

std::optional<UsageError> readFormat(std::string_view value, bool route, Request& request) {
    if (value == "text") {
        request.navigation.table = TableFormat::Text;
    } else if (value == "tsv") {
        request.navigation.table = TableFormat::Tsv;
    } else if (value == "csv" && route) {
        request.navigation.table = TableFormat::Csv;
    } else {
        return wrongValue("--format", route ? "text、csv 或 tsv" : "text 或 tsv", value);
    }
    return std::nullopt;
}

// One option of course or route; `value` is empty with `hasValue` false for "--name" alone.
std::optional<UsageError> readOption(std::string_view name, std::string_view value, bool hasValue,
                                     bool route, Request& request) {
    NavigationOptions& options = request.navigation;
    const std::string_view command = route ? "route" : "course";
    if (name == "--seconds" && route && !hasValue) {
        options.allSeconds = true;
    } else if (name == "--seconds" && route) {
        return UsageError{"route 的 --seconds 不带列表：写 --seconds 即所有航点按“秒”格式读取"};
    } else if (name == "--seconds" && hasValue && !value.empty()) {
        return readSecondsList(value, request.input);
    } else if (name == "--seconds") {
        return UsageError{"--seconds 须写成 --seconds=列表，例如 --seconds=2 或 --seconds=1,2"};
    } else if (name == "--format") {
        return readFormat(value, route, request);
    } else if (name == "--variation") {
        options.variation = readVariation(value);
        if (!options.variation) {
            return UsageError{variationProblem(value)};
        }
    } else if (!route && (name == "--encoding" || name == "--output-encoding" || name == "--gpx" ||
                          name == "--geojson")) {
        return UsageError{std::string{name} + " 只用于 route"};
    } else if (name == "--encoding" && encodingNamed(value)) {
        request.batch.encoding = *encodingNamed(value);
    } else if (name == "--encoding") {
        return wrongValue(name, "auto、utf-8、gb18030、gbk、gb2312、cp936 或 utf-16", value);
    } else if (name == "--output-encoding" && outputEncodingNamed(value)) {
        request.batch.outputEncoding = *outputEncodingNamed(value);
    } else if (name == "--output-encoding") {
        return wrongValue(name, "utf-8、utf-8-bom、gb18030 或 utf-16", value);
    } else if ((name == "--gpx" || name == "--geojson") && !value.empty()) {
        (name == "--gpx" ? options.gpxPath : options.geojsonPath) = value;
    } else if (name == "--gpx" || name == "--geojson") {
        return UsageError{std::string{name} + " 须写成 " + std::string{name} + "=文件"};
    } else {
        // "--4250.0": most likely a southern or western entry meant as "-4250.0".
        const char next = name.size() > 2 ? name[2] : ' ';
        const bool entry = (next >= '0' && next <= '9') || next == '.' || next == '-';
        return UsageError{"未知的选项“" + std::string{name} + "”" +
                          (entry ? "。以 - 开头的坐标请写在单独的 -- 之后"
                                 : "（" + std::string{command} + " 的选项见 orvanto-cli --help）")};
    }
    return std::nullopt;
}

}  // namespace

bool isNavigationCommand(std::span<const std::string_view> arguments) {
    const auto positional = positionalArguments(arguments);
    return !positional.empty() && (positional.front() == "course" || positional.front() == "route");
}

Expected<Request, UsageError> parseNavigationArguments(
    std::span<const std::string_view> arguments) {
    const auto positional = positionalArguments(arguments);
    const bool route = positional.front() == "route";
    Request request;
    request.action = route ? Action::Route : Action::Course;
    bool wantsHelp = false;
    bool wantsVersion = false;
    for (const std::string_view argument : arguments) {
        if (argument == "--") {
            break;
        }
        if (!argument.starts_with("--") && argument != "-h") {
            continue;
        }
        if (argument == "--help" || argument == "-h") {
            wantsHelp = true;
            continue;
        }
        if (argument == "--version") {
            wantsVersion = true;
            continue;
        }
        const std::size_t equals = argument.find('=');
        const bool hasValue = equals != std::string_view::npos;
        const std::string_view value = hasValue ? argument.substr(equals + 1) : "";
        if (auto error = readOption(argument.substr(0, equals), value, hasValue, route, request)) {
            return unexpected(*std::move(error));
        }
    }
    if (wantsHelp || wantsVersion) {
        request.action = wantsHelp ? Action::Help : Action::Version;
        return request;
    }
    const std::size_t given = positional.size() - 1;
    if (route) {
        if (given > 1) {
            return unexpected(
                UsageError{"route 只读一个航点文件，实际给出 " + std::to_string(given) + " 个"});
        }
        request.batch.inputPath = given == 1 ? positional[1] : "-";
        return request;
    }
    if (given != kCourseEntries) {
        return unexpected(
            UsageError{"course 需要 4 个坐标，实际给出 " + std::to_string(given) + " 个"});
    }
    request.input.point1.latitude = positional[1];
    request.input.point1.longitude = positional[2];
    request.input.point2.latitude = positional[3];
    request.input.point2.longitude = positional[4];
    return request;
}

}  // namespace orvanto::cli
