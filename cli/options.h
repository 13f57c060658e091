// The commands and options of orvanto-cli, each in one row: the parser (cli_arguments.h), the
// usage reminder and --help (usage_text.h) are all driven by these two tables, so that what one
// of them knows the others know too.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "cli/request.h"
#include "text/expected.h"

namespace orvanto::cli {

struct UsageError {
    std::string problem;  // what was wrong, for the user
    // The command it concerns, whose usage the reminder shows; empty when none is named.
    std::string_view command = {};
};

// What a command checks once its options and operands are read: the operands that are not entries,
// and the options that go together only in some ways.
using CommandCheck = Expected<void, UsageError> (*)(std::span<const std::string_view> operands,
                                                    Request& request);

struct Command {
    std::string_view name;
    Action action;
    std::size_t index;  // its place in commands(), and in each option's synopsis
    // The arguments after the options: entries (fewest == most) or at most one file.
    std::string_view operands;  // as the synopsis writes them
    std::size_t fewestOperands;
    std::size_t mostOperands;
    std::string_view fileNoun;     // "文件" for a command that reads a file, else empty
    std::string_view description;  // --help's lines about it
    CommandCheck check = nullptr;  // nothing more to check when null
    // How many of its operands are entries; those after them are left to `check`.
    std::size_t entries = 0;
};

inline constexpr std::size_t kCommandCount = 6;

// distance, angle, batch, course, route, reckon.
std::span<const Command> commands();
const Command* commandNamed(std::string_view name);

// Reads an option's value into the request: `value` is what follows "=", nothing when the option
// stands alone. What is wrong with it, for the user, otherwise.
using OptionReader = Expected<void, UsageError> (*)(const Command& command,
                                                    std::optional<std::string_view> value,
                                                    Request& request);

struct Option {
    std::string_view name;  // "--seconds"
    // How each command's synopsis writes the option, by Command::index ("[--seconds=列表]"); empty
    // for a command that does not take it.
    std::array<std::string_view, kCommandCount> synopsis;
    OptionReader read;
    std::string_view helpName;  // "--seconds=列表", the first column of --help's option list
    std::string_view help;      // its lines there
    // Another option this one must come with, by Command::index: batch takes --variation only
    // with --navigation, reckon --speed only with --hours.
    std::array<std::string_view, kCommandCount> needs{};
};

std::span<const Option> options();
const Option* optionNamed(std::string_view name);

// Whether `command` takes `option`, and the commands that do, as a message names them:
// "batch --navigation、course 和 route".
bool takes(const Option& option, const Command& command);
std::string commandsTaking(const Option& option);

}  // namespace orvanto::cli
