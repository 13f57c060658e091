// The command line of orvanto-cli:
//
//   orvanto-cli distance [--seconds=LIST] LAT1 LON1 LAT2 LON2
//   orvanto-cli angle    [--seconds=LIST] LAT1 LON1 LAT2 LON2 LATR LONR
//   orvanto-cli --help | --version
//
// Arguments that start with "--" are options, anywhere up to a "--" argument, which ends them;
// every other argument is taken exactly as typed, so "-4250.0" is an entry and "" an empty entry.
// LIST names the points whose entries are in seconds mode, comma-separated from 1, 2 and r; the
// others are in minutes mode.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "calculator/calculation.h"

namespace orvanto::cli {

enum class Action { Help, Version, Distance, Angle };

struct Request {
    Action action = Action::Help;
    // The entries in box order and the points' modes; the reference point stays empty for
    // distance.
    CalculatorInput input;
};

struct UsageError {
    std::string problem;  // what was wrong, for the user
};

// Reads the arguments after the program name.
std::variant<Request, UsageError> parseArguments(std::span<const std::string_view> arguments);

// The full help text, and the one-line reminder shown after a usage error.
std::string_view helpText();
std::string_view usageSummary();

}  // namespace orvanto::cli
