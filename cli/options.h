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
#include <vector>

#include "cli/request.h"
#include "passage/option_rules.h"
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
    // What passage planning plans for it, for the rules of which option needs which.
    std::optional<passage::Planning> planning = {};
};

inline constexpr std::size_t kCommandCount = 9;

// distance, angle, batch, course, route, reckon, cpa, fix, range.
std::span<const Command> commands();
const Command* commandNamed(std::string_view name);

struct Option;

// Reads an option's value into the request: `value` is what follows "=", nothing when the option
// stands alone. What is wrong with it, for the user, otherwise.
using OptionReader = Expected<void, UsageError> (*)(const Option& option, const Command& command,
                                                    std::optional<std::string_view> value,
                                                    Request& request);

// A set of commands, a bit for each by Command::index.
using CommandSet = unsigned;

constexpr CommandSet commandBit(std::size_t index) {
    return 1U << index;
}

// How the synopses of some commands write an option ("[--seconds=列表]").
struct Synopsis {
    CommandSet commands;
    std::string_view text;
};

// Another option this one must come with in some commands, beyond passage planning's own rules:
// batch takes --variation only with --navigation.
struct Companion {
    CommandSet commands;
    std::string_view option;
};

struct Option {
    std::string_view name;  // "--seconds"
    // The commands that take it, and how their synopses write it.
    std::span<const Synopsis> synopses;
    OptionReader read;
    std::string_view helpName;  // "--seconds=列表", the first column of --help's option list
    std::string_view help;      // its lines there
    // For an option whose value is read by passage planning: an example ("12", for "--speed 须写成
    // --speed=值，例如 --speed=12") and what the value may be (passage/value_forms.h).
    std::string_view example = {};
    std::string_view forms = {};
    // The value of passage planning it gives, for the rules of which needs which.
    std::optional<passage::PassageOption> passageOption = {};
    std::span<const Companion> companions = {};
};

std::span<const Option> options();
const Option* optionNamed(std::string_view name);

// How the command's synopsis writes the option; empty when the command does not take it.
std::string_view synopsisIn(const Option& option, const Command& command);

// Whether `command` takes `option`, and the commands that do, as a message names them, each with
// the option it needs there: "batch --navigation、course 和 route".
bool takes(const Option& option, const Command& command);
std::string commandsTaking(const Option& option);

// The options `option` must come with in `command`: its companions there, and what passage
// planning's rules require of it.
std::vector<std::string_view> neededWith(const Option& option, const Command& command);

}  // namespace orvanto::cli
