#include "cli/cli_arguments.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "cli/passage_words.h"

#include "text/code_points.h"

namespace orvanto::cli {
namespace {

struct SplitArguments {
    std::vector<std::string_view> options;  // as given, before any "--"
    std::vector<std::string_view> operands;
};

SplitArguments split(std::span<const std::string_view> arguments) {
    SplitArguments split;
    bool optionsEnded = false;
    for (const std::string_view argument : arguments) {
        if (optionsEnded || (!argument.starts_with("--") && argument != "-h")) {
            split.operands.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else {
            split.options.push_back(argument);
        }
    }
    return split;
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

// Each option is known, taken by the command (when there is one to ask) and its value readable;
// the options an option needs are given too.
Expected<void, UsageError> readOptions(std::span<const std::string_view> given,
                                       const Command* command, Request& request) {
    std::vector<const Option*> read;
    for (const std::string_view argument : given) {
        if (argument == "--help" || argument == "-h" || argument == "--version") {
            continue;
        }
        const std::size_t equals = argument.find('=');
        const Option* option = optionNamed(argument.substr(0, equals));
        if (option == nullptr) {
            return unexpected(unknownOption(argument));
        }
        if (command == nullptr) {
            continue;  // the missing or unknown command is the problem to tell
        }
        if (!takes(*option, *command)) {
            return unexpected(
                UsageError{std::string{option->name} + " 只用于 " + commandsTaking(*option)});
        }
        const auto value = equals == std::string_view::npos
                               ? std::nullopt
                               : std::optional<std::string_view>{argument.substr(equals + 1)};
        if (auto outcome = option->read(*option, *command, value, request); !outcome) {
            return unexpected(outcome.error());
        }
        read.push_back(option);
    }
    for (const Option* option : read) {
        for (const std::string_view need : neededWith(*option, *command)) {
            if (std::none_of(read.begin(), read.end(),
                             [&](const Option* other) { return other->name == need; })) {
                return unexpected(UsageError{needsText(command->name, option->name, need)});
            }
        }
    }
    return {};
}

std::string commandList() {
    std::string list;
    const auto all = commands();
    for (std::size_t i = 0; i < all.size(); ++i) {
        list += i == 0 ? "" : i + 1 == all.size() ? " 或 " : "、";
        list += all[i].name;
    }
    return list;
}

// The entries in box order, or the file, after the command's name.
Expected<void, UsageError> readOperands(const Command& command,
                                        std::span<const std::string_view> operands,
                                        Request& request) {
    const std::size_t given = operands.size();
    if (!command.fileNoun.empty()) {
        if (given > command.mostOperands) {
            return unexpected(UsageError{std::string{command.name} + " 只读一个" +
                                         std::string{command.fileNoun} + "，实际给出 " +
                                         std::to_string(given) + " 个"});
        }
        if (given == 1) {
            request.files.inputPath = operands.front();
        }
        return {};
    }
    if (given < command.fewestOperands || given > command.mostOperands) {
        const std::string wanted = command.fewestOperands == command.mostOperands
                                       ? std::to_string(command.fewestOperands) + " 个坐标"
                                       : std::to_string(command.fewestOperands) + " 或 " +
                                             std::to_string(command.mostOperands) + " 个参数（" +
                                             std::string{command.operands} + "）";
        return unexpected(UsageError{std::string{command.name} + " 需要 " + wanted + "，实际给出 " +
                                     std::to_string(given) + " 个"});
    }
    std::string* const boxes[] = {
        &request.input.point1.latitude,    &request.input.point1.longitude,
        &request.input.point2.latitude,    &request.input.point2.longitude,
        &request.input.reference.latitude, &request.input.reference.longitude,
    };
    for (std::size_t i = 0; i < std::min(given, command.entries); ++i) {
        *boxes[i] = operands[i];
    }
    return {};
}

// The request the arguments make, `command` the one they name (or null).
Expected<Request, UsageError> readRequest(std::span<const std::string_view> arguments,
                                          const SplitArguments& given, const Command* command) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (!isValidUtf8(arguments[i])) {
            return unexpected(UsageError{"第 " + std::to_string(i + 1) +
                                         " 个参数不是有效的 UTF-8 文本，请检查终端的字符编码"});
        }
    }
    Request request;
    if (command != nullptr) {
        request.action = command->action;
        request.numberStyle =
            command->action == Action::Batch ? NumberStyle::Plain : NumberStyle::Window;
    }
    if (auto read = readOptions(given.options, command, request); !read) {
        return unexpected(read.error());
    }
    for (const std::string_view option : given.options) {
        if (option == "--help" || option == "-h" || option == "--version") {
            request.action = option == "--version" ? Action::Version : Action::Help;
            // --help wins over --version wherever it stands.
            if (request.action == Action::Help) {
                request.helpCommand = command != nullptr ? command->name : std::string_view{};
                return request;
            }
        }
    }
    if (request.action == Action::Version) {
        return request;
    }
    if (command == nullptr) {
        return unexpected(UsageError{given.operands.empty()
                                         ? "缺少子命令：" + commandList()
                                         : "未知的子命令“" + std::string{given.operands.front()} +
                                               "”，应为 " + commandList()});
    }
    const auto operands = std::span{given.operands}.subspan(1);
    if (auto read = readOperands(*command, operands, request); !read) {
        return unexpected(read.error());
    }
    if (command->check != nullptr) {
        if (auto checked = command->check(operands, request); !checked) {
            return unexpected(checked.error());
        }
    }
    return request;
}

}  // namespace

Expected<Request, UsageError> parseArguments(std::span<const std::string_view> arguments) {
    const SplitArguments given = split(arguments);
    const Command* command =
        given.operands.empty() ? nullptr : commandNamed(given.operands.front());
    auto request = readRequest(arguments, given, command);
    if (!request && command != nullptr) {
        UsageError error = request.error();
        error.command = command->name;
        return unexpected(std::move(error));
    }
    return request;
}

}  // namespace orvanto::cli
